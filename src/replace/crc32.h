#pragma once
// CRC-32 (the polynomial of zip and PNG), enough to tell a stretch of a file from any other it
// could have become after an interrupted rewrite; not a defence against deliberate collisions.
#include <cstddef>
#include <cstdint>

namespace replace {

// The checksum of `size` bytes, continuing from `crc` (0 to start).
std::uint32_t Crc32(const void* data, size_t size, std::uint32_t crc = 0) noexcept;

}  // namespace replace
