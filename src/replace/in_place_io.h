#pragma once
// Reading a held file whole and writing new bytes over it through the same handle, so that the
// file stays the file it was: its owner and permissions, its links, streams, attributes and
// identity are untouched. Each call throws IoFailure with the system's error when a call fails;
// the callers turn it into the error the user reads, naming the file.
#include "platform/file_system.h"

#include <string>
#include <string_view>

namespace replace {

// Text lengths are signed 32-bit counts: no file or record longer than this is read or made.
constexpr LONGLONG kMaxTextLength = 0x7FFFFFFF;

struct IoFailure {
    DWORD error;
};

// The whole of an open file, read from its start; EOutOfMemory beyond kMaxTextLength, IoFailure
// when the file has fewer bytes than its size says or cannot be read.
std::string ReadWhole(platform::FileSystem& fs, HANDLE file);
// `length` bytes from `offset`; IoFailure when the file has fewer.
std::string ReadAt(platform::FileSystem& fs, HANDLE file, LONGLONG offset, LONGLONG length);

// Writes `bytes` at `offset`; a short write is a full disk.
void WriteAt(platform::FileSystem& fs, HANDLE file, LONGLONG offset, std::string_view bytes);
// Sets the file's end at `length`.
void CutAt(platform::FileSystem& fs, HANDLE file, LONGLONG length);
// Waits until what was written reached the disk.
void Flush(platform::FileSystem& fs, HANDLE file);

// Makes the file, now `length` bytes long, as long as `bytes` by writing their part beyond
// `length`, so that a full disk fails here, before any of the file's own bytes changes: setting the
// end alone would leave a hole that a later write could still find without room. On failure the
// file is cut back to `length`.
void GrowTo(platform::FileSystem& fs, HANDLE file, LONGLONG length, std::string_view bytes);

// Writes the first `length` bytes of `bytes` from the start of a file that is `length` long (or
// all of them, when they are fewer, and cuts the file after them), then waits for the disk.
void WriteOver(platform::FileSystem& fs, HANDLE file, LONGLONG length, std::string_view bytes);

}  // namespace replace
