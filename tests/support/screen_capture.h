#pragma once
// What the screen shows in a rectangle, as a person would see it, with a way to keep it as a BMP.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace test_support {

// Counts the pixels of `part` whose colour, as `at(x, y)` gives it, `match` takes.
template <typename At, typename Match>
int CountPixels(const RECT& part, At at, Match match) {
    int n = 0;
    for (int y = part.top; y < part.bottom; ++y)
        for (int x = part.left; x < part.right; ++x) n += match(at(x, y)) ? 1 : 0;
    return n;
}

class ScreenCapture {
public:
    // Copies `area` (screen coordinates) from the screen.
    explicit ScreenCapture(const RECT& area);

    // The captured area in screen coordinates.
    const RECT& Area() const noexcept { return area_; }
    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    // The colour at a point relative to the captured area's top-left corner; CLR_INVALID outside
    // it, as GetPixel answers, which no colour a test looks for matches.
    COLORREF At(int x, int y) const;
    // Counts the pixels of `part` (relative to the area) for which `match` holds.
    template <typename Match>
    int Count(const RECT& part, Match match) const {
        return CountPixels(part, [this](int x, int y) { return At(x, y); }, match);
    }
    bool SaveBmp(const std::string& path) const;

private:
    RECT area_;
    int width_, height_;
    std::vector<unsigned char> bits_;  // bottom-up rows of blue, green, red, padded to four bytes
};

// `window` as the screen shows it once `ready` holds of the shot, or after `attempts` looks 50 ms
// apart: the window system shows what was drawn some moments later. Before each look the window
// is redrawn with `redraw` (RedrawWindow's flags), or left to draw itself when that is 0.
std::unique_ptr<ScreenCapture> ShotWhen(HWND window, const std::function<bool(const ScreenCapture&)>& ready,
                                        UINT redraw = 0, int attempts = 100);
// A window's place, `inset` pixels within its edges, in a shot, from the shot's own corner: a
// window manager may still move a window after a test has asked where it is.
RECT InCapture(HWND window, const ScreenCapture& shot, int inset = 0);

// The folder beside the test programs' folder where screenshots go: <build>\screenshots.
std::string ScreenshotFolder();

}  // namespace test_support
