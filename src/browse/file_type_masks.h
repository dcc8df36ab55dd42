#pragma once
// The file types the selector offers, in its order: the entry the user sees and the mask the
// file list takes for it. Entry 1 names two extensions but lists by one pattern.
#include <string>

namespace browse {

struct FileTypeMask {
    const char* text;
    const char* mask;
};

inline constexpr FileTypeMask FileTypeMasks[] = {
    {"ASCII Text (*.txt)", "*.txt"}, {"Web (*.htm/*.html)", "*.htm"}, {"PHP Code (*.php)", "*.php"},
    {"INI Files (*.ini)", "*.ini"},  {"CFG Files (*.cfg)", "*.cfg"},
};

inline constexpr int kFileTypeCount = static_cast<int>(sizeof FileTypeMasks / sizeof FileTypeMasks[0]);

// The mask of the entry at `index`; empty for an index that names no entry.
std::string MaskForIndex(int index);

}  // namespace browse
