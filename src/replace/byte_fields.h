#pragma once
// Numbers and paths in the program's own files (the journal's records, the kept bytes of an undo):
// little-endian as on every Windows machine, a path as its length in UTF-16 units and the units.
#include "platform/path.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace replace {

// The longest path Windows takes, in UTF-16 units.
constexpr std::uint32_t kMaxPathUnits = 32767;

template <typename T>
void PutField(std::string& out, T value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    out.append(bytes, sizeof value);
}

template <typename T>
T GetField(std::string_view in, size_t at) {
    T value;
    std::memcpy(&value, in.data() + at, sizeof value);
    return value;
}

void PutPathUnits(std::string& out, const platform::Path& path);
// The `units` UTF-16 units at `at`; none when there are too many for a path or `in` holds fewer.
std::optional<platform::Path> GetPathUnits(std::string_view in, size_t at, std::uint32_t units);

}  // namespace replace
