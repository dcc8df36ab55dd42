#pragma once
// How much of a file the viewer shows, and the pieces in which it goes into the pane. Under Wine
// the rich-edit control holds about 130 bytes of memory for each byte of text lines it shows, lays
// out about a MiB a second and takes a twentieth of a second a MiB to let its text go; so a large
// file is shown only in part, and what is shown goes in a piece at a time between the window's
// messages, the window answering the user throughout.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace viewer {

// Sizes are costs: a byte that is printable ASCII or a line break costs 1, any other byte (a
// tab, a control character, a byte above 127) kCostlyByte, as the control makes a run of its own
// around such bytes and spends on it about as much as on six plain ones.
struct ShowLimits {
    // The most a file's shown part may cost. The bound comes from the dearest step that cannot be
    // sliced: letting a pane go (a new load, word wrap, closing the window) frees the control's
    // whole text in one message, about 0.05 s per MiB of cost under Wine; the figures of every
    // step are in docs/ARCHITECTURE.md.
    size_t shownCost = size_t{1} << 20;
    // A line longer than this many bytes ends what is shown. A line goes into the pane as one
    // piece, and the control lays it out and paints it whole each time: 16 KiB take about 0.04 s,
    // 32 KiB about 0.07 s (0.09 s wrapped).
    size_t longestLine = size_t{16} << 10;
    // A piece ends at the first line break once it has cost this much: about a hundredth of a
    // second of the control's work, so that the window answers between two pieces.
    size_t pieceCost = size_t{16} << 10;
    // A rich text goes into the pane in one stream, which cannot be sliced: only a whole file up to
    // this many bytes is read as rich text; a larger one is shown as plain text.
    size_t richTextBytes = size_t{64} << 10;
};

constexpr size_t kCostlyByte = 6;

// What one byte costs against the bounds.
inline size_t ByteCost(char c) { return (c >= 0x20 && c < 0x7F) || c == '\r' || c == '\n' ? 1 : kCostlyByte; }

// The length of the shown part of `start`, the first bytes of a file of `fileSize` bytes (all of
// it, or as many as the limits show). The part stops before a line would outgrow the longest
// line, and a file cut for its size is cut after its last whole line where there is one.
size_t ShownLength(std::string_view start, std::uint64_t fileSize, const ShowLimits& limits);

// Where the piece of `text` that starts at `from` ends: just past the first line break once its
// bytes cost `pieceCost` (a CR LF kept whole), or at the end.
size_t PieceEnd(std::string_view text, size_t from, size_t pieceCost);

// The line that follows a file's shown part and tells how many of its bytes are not shown.
std::string NotShownNote(std::uint64_t notShown);

}  // namespace viewer
