#pragma once
// What the screen shows in a rectangle, as a person would see it, with a way to keep it as a BMP.
#include <windows.h>

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

    int Width() const noexcept { return width_; }
    int Height() const noexcept { return height_; }
    // The colour at a point relative to the captured area's top-left corner.
    COLORREF At(int x, int y) const;
    // Counts the pixels of `part` (relative to the area) for which `match` holds.
    template <typename Match>
    int Count(const RECT& part, Match match) const {
        return CountPixels(part, [this](int x, int y) { return At(x, y); }, match);
    }
    bool SaveBmp(const std::string& path) const;

private:
    int width_, height_;
    std::vector<unsigned char> bits_;  // bottom-up rows of blue, green, red, padded to four bytes
};

// The folder beside the test programs' folder where screenshots go: <build>\screenshots.
std::string ScreenshotFolder();

}  // namespace test_support
