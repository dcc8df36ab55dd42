#pragma once
// The file types the program offers in its selector, in the selector's order: the entry the user
// sees and the mask the file list takes for it. Entry 1 names two extensions but lists by one
// pattern.
#include <string>
#include <vector>

namespace app {

struct FileTypeMask {
    const char* text;
    const wchar_t* mask;
};

inline constexpr FileTypeMask FileTypeMasks[] = {
    {"ASCII Text (*.txt)", L"*.txt"}, {"Web (*.htm/*.html)", L"*.htm"}, {"PHP Code (*.php)", L"*.php"},
    {"INI Files (*.ini)", L"*.ini"},  {"CFG Files (*.cfg)", L"*.cfg"},
};

inline constexpr int kFileTypeCount = static_cast<int>(sizeof FileTypeMasks / sizeof FileTypeMasks[0]);

// The mask of the entry at `index`; empty for an index that names no entry.
std::wstring MaskForIndex(int index);

// The entries' texts, in order, as the selector takes them.
std::vector<std::string> FileTypeTexts();

}  // namespace app
