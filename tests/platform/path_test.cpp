// A path's folder and file name, split behind the last separator, and file names compared as the
// file system compares them.
#include "platform/path.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using platform::Path;

TEST(PathParts, SplitBehindTheLastSeparator) {
    // U+8868, whose Shift-JIS form ends in the byte of a backslash, is one character here.
    const Path path = L"C:\\\u8868\\\u8868.exe";
    EXPECT_EQ(path.Folder(), L"C:\\\u8868\\");
    EXPECT_EQ(path.FileName(), L"\u8868.exe");
    EXPECT_EQ(Path(L"C:\\dir\\\u8868").Folder(), L"C:\\dir\\");
    EXPECT_EQ(Path(L"C:name").Folder(), L"C:");
    EXPECT_EQ(Path(L"a/b").Folder(), L"a/");
    EXPECT_EQ(Path(L"name").Folder(), L"");
    EXPECT_EQ(Path(L"name").FileName(), L"name");
    EXPECT_EQ(Path(L"C:\\dir\\").FileName(), L"");
}

TEST(SameFileName, IgnoresLetterCaseOnly) {
    using Name = std::wstring;
    EXPECT_TRUE(platform::SameFileName(Name(L"C:\\Data\\File.TXT"), Name(L"c:\\data\\file.txt")));
    EXPECT_FALSE(platform::SameFileName(Name(L"C:\\Data"), Name(L"C:\\Data\\")));
    EXPECT_TRUE(platform::SameFileName(Name(L"ss.txt"), Name(L"SS.TXT")));
    EXPECT_FALSE(platform::SameFileName(Name(L"ss.txt"), Name(L"\u00DF.txt")));
}

}  // namespace
