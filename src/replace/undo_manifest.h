#pragma once
// What an undo keeps of the last command that changed files: for each file it wrote, which file it
// is, what the command left in it, and where its old bytes lie among the kept bytes.
#include "platform/file_system.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace replace {

enum class UndoKind : std::uint32_t { Replace = 1, ReplaceAll = 2 };

// Why a command that changed files kept nothing to put them back with.
enum class NotKept : std::uint32_t {
    No = 0,
    TooLarge = 1,  // the old bytes passed the bound
    Failed = 2,    // they could not be written
};

struct UndoEntry {
    platform::Path path;
    platform::FileIdentity identity;
    LARGE_INTEGER oldLastWrite{};
    // The file as the command left it.
    LONGLONG newLength = 0;
    std::uint32_t newCrc = 0;
    LARGE_INTEGER newLastWrite{};
    // Where its old bytes lie among the kept ones; a file only marked as written keeps none.
    bool changed = false;
    LONGLONG keptAt = 0, oldLength = 0;
    std::uint32_t oldCrc = 0;
};

struct UndoManifest {
    UndoKind kind = UndoKind::ReplaceAll;
    NotKept notKept = NotKept::No;
    platform::Path folder;  // the listed folder the command ran in
    std::vector<UndoEntry> entries;
};

std::string EncodeUndoManifest(const UndoManifest& manifest);
// None unless `bytes` are a whole manifest; no length in it is used before it is checked against
// what `bytes` hold.
std::optional<UndoManifest> DecodeUndoManifest(std::string_view bytes);

}  // namespace replace
