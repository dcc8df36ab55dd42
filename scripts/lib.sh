# Shared by the scripts: paths, the build, and the Xvfb and wineserver that a script starts
# and stops again by their process ids.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${BUILD_DIR:-$root/build}"
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# The program's icon at the sizes of the desktop's icon theme: drawn by draw-resources as
# resources/app_<size>.png, installed by install.
icon_sizes=(16 22 24 32 48 64 96 128 256)

started_pids=()

# Same settings as the "wine" preset, in $build (BUILD_DIR lets several builds live side by side).
configure_and_build() {
  # ccache keeps rebuilds and side-by-side builds (BUILD_DIR, other checkouts) cheap.
  local launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$root")}"
  cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
  local targets=()
  for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
  cmake --build "$build" -j2 "${targets[@]}" -- --no-print-directory
}

start_xvfb_if_needed() {
  if [ -n "${DISPLAY:-}" ] && [ "${FORCE_XVFB:-0}" != 1 ]; then return; fi
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
    local pid=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
      started_pids+=("$pid")
      export DISPLAY=":$n"
      start_window_manager
      return
    fi
  done
  echo "Could not start Xvfb" >&2
  exit 1
}

# People run the program on a desktop with a window manager, and so do the tests: a light one,
# on the Xvfb we started, with its default settings.
start_window_manager() {
  mkdir -p "$build"
  local attempt pid
  # An Xvfb whose socket is there may not take connections yet: openbox then ends at once, and
  # a second start a moment later finds it ready.
  for attempt in 1 2 3; do
    openbox --sm-disable >/dev/null 2>"$build/openbox.log" </dev/null &
    pid=$!
    for _ in $(seq 100); do
      if window_manager_runs; then
        started_pids+=("$pid")
        return
      fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    sleep 0.5
  done
  echo "Could not start openbox on $DISPLAY:" >&2
  cat "$build/openbox.log" >&2
  exit 1
}

# A window manager that follows the freedesktop conventions names its window on the root window.
window_manager_runs() {
  [[ $(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null) == *"window id"* ]]
}

start_wineserver() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  # A persistent server, in the foreground of its own process so that its pid is known.
  wineserver -f -p >/dev/null 2>&1 &
  started_pids+=("$!")
  wineserver_started=1
  # Start the prefix's own services now, away from ctest's output pipes: a service that
  # inherited a test's stdout would keep ctest waiting for it to close.
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
  # A program that crashes ends at once, its backtrace on stderr, instead of waiting behind the
  # debugger's crash box for a click that never comes.
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null || true
  # Wine leaves the frames to a window manager when one runs. Without one it draws them itself,
  # and hiding a window then does not wait two seconds for a manager's answer that never comes.
  local managed=N
  window_manager_runs && managed=Y
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d $managed /f >/dev/null 2>&1 </dev/null || true
}

stop_started() {
  local pid
  # Our private prefix's server ends its own clients (the services started above) and exits.
  [ -n "${wineserver_started:-}" ] && wineserver -k >/dev/null 2>&1 || true
  # Last started first: the window manager goes before its display.
  local i
  for ((i = ${#started_pids[@]} - 1; i >= 0; i--)); do
    kill "${started_pids[i]}" 2>/dev/null || true
  done
  for pid in "${started_pids[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  started_pids=()
}
trap stop_started EXIT
