#include "viewer/load_viewer_file.h"

#include "platform/errors.h"
#include "viewer/line_break_converter.h"
#include "viewer/pane_stream.h"
#include "viewer/rich_viewer.h"
#include "viewer/text_shape.h"

#include <vector>

namespace viewer {

namespace {

// The file as the control pulls it: half of each offered buffer is read, so that the bytes with
// their line breaks made CR LF always fit.
class FileSource final : public StreamSource {
public:
    FileSource(platform::FileSystem& fs, HANDLE file, LONGLONG start) : fs_(fs), file_(file), start_(start) {}

    bool Read(char* buffer, LONG capacity, LONG& produced) override {
        DWORD size = static_cast<DWORD>(capacity / 2);
        if (size == 0) return false;
        piece_.resize(size);
        for (;;) {
            DWORD read = 0;
            if (!fs_.ReadFile(file_, piece_.data(), size, &read)) return false;
            produced = static_cast<LONG>(converter_.Convert(piece_.data(), read, buffer));
            // A piece that held only the LF of a CR LF gives nothing, and nothing would end the stream.
            if (produced > 0 || read == 0) return true;
        }
    }

    bool Rewind() override {
        converter_ = {};
        return fs_.SetFilePointer(file_, start_, FILE_BEGIN, nullptr);
    }

private:
    platform::FileSystem& fs_;
    HANDLE file_;
    LONGLONG start_;
    LineBreakConverter converter_;
    std::vector<char> piece_;
};

// One pass over the whole file, which is then back at `start`. Reading a file costs next to
// nothing beside what the control spends on its text.
TextShape ScanFile(platform::FileSystem& fs, HANDLE file, LONGLONG start) {
    TextShapeScanner scanner;
    std::vector<char> piece(1 << 16);
    for (;;) {
        DWORD read = 0;
        if (!fs.ReadFile(file, piece.data(), static_cast<DWORD>(piece.size()), &read))
            throw platform::errors::FailedToLoadStream();
        if (read == 0) break;
        scanner.Add(piece.data(), read);
    }
    if (!fs.SetFilePointer(file, start, FILE_BEGIN, nullptr)) throw platform::errors::FailedToLoadStream();
    return scanner.Shape();
}

}  // namespace

void LoadViewerFile(RichViewer& pane, const platform::Path& path, COLORREF color, platform::FileSystem& fs) {
    // Others may read the file meanwhile, not write it.
    platform::UniqueFile file =
        fs.CreateFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    if (!file) throw platform::errors::CannotOpenFile(path, ::GetLastError());
    LONGLONG start = 0, end = 0;
    if (!fs.SetFilePointer(file.get(), 0, FILE_CURRENT, &start) || !fs.SetFilePointer(file.get(), 0, FILE_END, &end) ||
        !fs.SetFilePointer(file.get(), start, FILE_BEGIN, nullptr))
        throw platform::errors::FailedToLoadStream();
    // The control would keep only what fits and show the rest as missing.
    if (end - start > kTextLimit) throw platform::errors::OutOfMemory();
    // All that can fail before the pane changes comes first: a failed load leaves it as it was.
    TextShape shape = ScanFile(fs, file.get(), start);
    FileSource source(fs, file.get(), start);
    pane.Load(source, shape, color);
}

}  // namespace viewer
