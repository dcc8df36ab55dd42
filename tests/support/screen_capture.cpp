#include "support/screen_capture.h"

#include "support/window_driving.h"

#include <cstdio>
#include <cstring>

namespace test_support {

namespace {
int Stride(int width) { return (width * 3 + 3) / 4 * 4; }

BITMAPINFOHEADER Header(int width, int height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    return header;
}
}  // namespace

ScreenCapture::ScreenCapture(const RECT& area)
    : area_(area),
      width_(area.right - area.left),
      height_(area.bottom - area.top),
      bits_(static_cast<size_t>(Stride(width_)) * height_) {
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = Header(width_, height_);
    void* pixels = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width_, height_, screen, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    if (pixels) std::memcpy(bits_.data(), pixels, bits_.size());
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

COLORREF ScreenCapture::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const unsigned char* p = &bits_[static_cast<size_t>(height_ - 1 - y) * Stride(width_) + x * 3];
    return RGB(p[2], p[1], p[0]);
}

bool ScreenCapture::SaveBmp(const std::string& path) const {
    BITMAPINFOHEADER header = Header(width_, height_);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + bits_.size());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(&file, sizeof file, 1, f) == 1 && std::fwrite(&header, sizeof header, 1, f) == 1 &&
              std::fwrite(bits_.data(), 1, bits_.size(), f) == bits_.size();
    return std::fclose(f) == 0 && ok;
}

std::unique_ptr<ScreenCapture> ShotWhen(HWND window, const std::function<bool(const ScreenCapture&)>& ready,
                                        UINT redraw, int attempts) {
    std::unique_ptr<ScreenCapture> shot;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (redraw) ::RedrawWindow(window, nullptr, nullptr, redraw);
        DispatchWaitingMessages();
        ::Sleep(50);
        RECT r;
        ::GetWindowRect(window, &r);
        shot = std::make_unique<ScreenCapture>(r);
        if (ready(*shot)) break;
    }
    return shot;
}

RECT InCapture(HWND window, const ScreenCapture& shot, int inset) {
    RECT r;
    ::GetWindowRect(window, &r);
    ::OffsetRect(&r, -shot.Area().left, -shot.Area().top);
    ::InflateRect(&r, -inset, -inset);
    return r;
}

std::string ScreenshotFolder() {
    char path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, n);
    folder = folder.substr(0, folder.find_last_of('\\'));  // the tests' folder
    folder = folder.substr(0, folder.find_last_of('\\'));  // the build folder
    folder += "\\screenshots";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

}  // namespace test_support
