#pragma once
// Driving windows by messages as the mouse and the message loop would, and reading places.
#include <windows.h>

#include <functional>
#include <string>

namespace test_support {

// A mouse message at a point of `window`'s client area, sent as the window manager would.
void SendMouse(HWND window, UINT message, POINT at, WPARAM keys = 0);
// Press and release of the left button at one point.
void LeftClick(HWND window, POINT at);
// The centre of a rectangle.
POINT Centre(const RECT& r);
// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND child);
SIZE ClientSize(HWND window);
// A window's text and its class name, as the window manager reports them.
// In UTF-8.
std::string WindowText(HWND window);
std::string WindowClass(HWND window);
// Dispatches every waiting message of the thread; a pending request to quit is dropped, so that
// it cannot end a later test's modal loop.
void DispatchWaitingMessages();
// Dispatches messages until `done` holds or `timeoutMs` has passed; true when it held.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 2000);
// Dispatches messages until the window manager has gone quiet. It answers a window shown or
// activated some time later (under Wine, through events that only a pumping thread handles), and
// an answer handled after the test's next step would undo that step, e.g. take the activation back.
void SettleWindowManager();

}  // namespace test_support
