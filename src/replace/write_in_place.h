#pragma once
// Writing new bytes over a file through the handle that holds it, so that the file stays the file
// it was: its owner and permissions, its links, streams, attributes and identity are untouched.
// Each call reports failure as Win32 does, the system's error left for GetLastError().
#include "platform/file_system.h"

#include <string>
#include <string_view>

namespace replace {

// Fills `bytes` from the file's current position; false if the file has fewer.
bool ReadExactly(platform::FileSystem& fs, HANDLE file, std::string& bytes);
// Writes `bytes` at `offset`; a short write is a full disk.
bool WriteAt(platform::FileSystem& fs, HANDLE file, LONGLONG offset, std::string_view bytes);
// Sets the file's end at `length`.
bool CutAt(platform::FileSystem& fs, HANDLE file, LONGLONG length);

// Makes the file, now `length` bytes long, as long as `bytes` by writing their part beyond
// `length`, so that a full disk fails here, before any of the file's own bytes changes: setting the
// end alone would leave a hole that a later write could still find without room. On failure the
// file is cut back to `length`.
bool GrowTo(platform::FileSystem& fs, HANDLE file, LONGLONG length, std::string_view bytes);

// Writes the first `length` bytes of `bytes` from the start of a file that is `length` long (or
// all of them, when they are fewer, and cuts the file after them), then waits for the disk.
bool WriteOver(platform::FileSystem& fs, HANDLE file, LONGLONG length, std::string_view bytes);

}  // namespace replace
