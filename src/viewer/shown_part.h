#pragma once
// How much of a file the viewer shows, and the pieces in which it goes into the pane. Under Wine
// the rich-edit control holds about 130 bytes of memory for each byte of text lines it shows, and
// lays out a few MiB a second; so a large file is shown only in part, and what is shown goes in a
// piece at a time between the window's messages, the window answering the user throughout.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace viewer {

struct ShowLimits {
    // The most bytes of a file shown, where each is printable ASCII or a line break: 6 MiB of
    // text lines keep the whole program under 1 GB, where a larger file would first take the
    // desktop's memory and then have the system end the program. Any other byte (a tab, a
    // control character, a byte above 127) counts as kCostlyByte, as the control makes a run of
    // its own around such bytes: a file of random bytes costs about 600 bytes of memory a byte.
    size_t shownBytes = size_t{6} << 20;
    // A line longer than this ends what is shown. The control's work on one line grows faster
    // than the line (64 KiB take a tenth of a second, 1 MiB over ten seconds), it paints the whole
    // line each time the line is in view, and a line goes into the pane as one piece.
    size_t longestLine = size_t{64} << 10;
    // A piece ends at the first line break after this many bytes: a few hundredths of a second
    // of the control's work, so that the window answers between two pieces.
    size_t pieceBytes = size_t{32} << 10;
};

constexpr size_t kCostlyByte = 6;

// The length of the shown part of `start`, the first bytes of a file of `fileSize` bytes (all of
// it, or as many as the limits show). The part stops before a line would outgrow the longest
// line, and a file cut for its size is cut after its last whole line where there is one.
size_t ShownLength(std::string_view start, std::uint64_t fileSize, const ShowLimits& limits);

// Where the piece of `text` that starts at `from` ends: just past the first line break once its
// bytes count `pieceBytes` as the shown bound counts them (a CR LF kept whole), or at the end.
size_t PieceEnd(std::string_view text, size_t from, size_t pieceBytes);

// The line that follows a file's shown part and tells how many of its bytes are not shown.
std::string NotShownNote(std::uint64_t notShown);

}  // namespace viewer
