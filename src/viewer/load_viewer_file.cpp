#include "viewer/load_viewer_file.h"

#include "platform/errors.h"
#include "viewer/rich_viewer.h"
#include "viewer/text_shape.h"

#include <algorithm>

namespace viewer {

namespace {

// The first `size` bytes from the file's position, fewer where it ends first. Reading costs next
// to nothing beside what the control spends on the text.
std::string ReadStart(platform::FileSystem& fs, HANDLE file, size_t size) {
    std::string bytes(size, '\0');
    size_t done = 0;
    while (done < size) {
        DWORD read = 0;
        const DWORD most = static_cast<DWORD>(std::min<size_t>(size - done, 1 << 20));
        if (!fs.ReadFile(file, bytes.data() + done, most, &read)) throw platform::errors::FailedToLoadStream();
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace

void LoadViewerFile(RichViewer& pane, const platform::Path& path, COLORREF color, platform::FileSystem& fs,
                    const ShowLimits& limits) {
    std::string text;
    std::uint64_t fileSize = 0;
    {
        // Others may read the file meanwhile, not write it; it is let go before the pane changes.
        platform::UniqueFile file =
            fs.CreateFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
        if (!file) throw platform::errors::CannotOpenFile(path, ::GetLastError());
        LONGLONG start = 0, end = 0;
        if (!fs.SetFilePointer(file.get(), 0, FILE_CURRENT, &start) ||
            !fs.SetFilePointer(file.get(), 0, FILE_END, &end) || !fs.SetFilePointer(file.get(), start, FILE_BEGIN, nullptr))
            throw platform::errors::FailedToLoadStream();
        fileSize = static_cast<std::uint64_t>(std::max<LONGLONG>(end - start, 0));
        text = ReadStart(fs, file.get(), static_cast<size_t>(std::min<std::uint64_t>(fileSize, limits.shownCost)));
    }
    text.resize(ShownLength(text, fileSize, limits));
    TextShapeScanner scanner;
    scanner.Add(text.data(), text.size());
    const std::uint64_t notShown = fileSize > text.size() ? fileSize - text.size() : 0;
    TextShape shape = scanner.Shape();
    shape.richTextHeader = shape.richTextHeader && notShown == 0 && text.size() <= limits.richTextBytes;
    pane.Load(std::move(text), shape, color, notShown, limits.pieceCost);
}

}  // namespace viewer
