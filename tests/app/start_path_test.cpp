// The name the program is started on, from command lines as Explorer, Wine and a person at a prompt
// build them, taken apart by the system's own splitter as the program's is.
#include "app/start_path.h"
#include "platform/unique_handle.h"

#include <shellapi.h>

#include <gtest/gtest.h>

namespace {

std::vector<std::wstring> Split(const std::wstring& line) {
    int count = 0;
    const platform::UniqueHandle<LPWSTR*, &::LocalFree> arguments(::CommandLineToArgvW(line.c_str(), &count));
    return std::vector<std::wstring>(arguments.get(), arguments.get() + count);
}

TEST(StartPath, EveryStarterHandsOverTheWholeName) {
    const struct { const wchar_t *line, *name; } cases[] = {
        {LR"("C:\Program Files\Zavotek\SearchReplace.exe")", L""},
        {LR"(SearchReplace.exe "")", L""},
        {LR"("C:\p\SearchReplace.exe" "D:\Zoë Ødegård 山田\notes.txt")", LR"(D:\Zoë Ødegård 山田\notes.txt)"},
        // Explorer's "%V" for a drive, whose backslash the splitting rules join to the quote.
        {LR"("C:\p\SearchReplace.exe" "C:\")", LR"(C:\)"},
        {LR"(SearchReplace.exe D:\My Files\a b)", LR"(D:\My Files\a b)"},
        {LR"(SearchReplace.exe \\server\share\Zoë)", LR"(\\server\share\Zoë)"},
        {LR"(SearchReplace.exe "\\?\C:\deep\er")", LR"(C:\deep\er)"},
        {LR"(SearchReplace.exe "\\?\UNC\server\share\x")", LR"(\\server\share\x)"},
    };
    for (const auto& c : cases) EXPECT_EQ(app::StartPath(Split(c.line)).Text(), c.name) << c.line;
}

}  // namespace
