// A path's folder and file name, split behind the last separator, and file names compared as the
// file system compares them.
#include "platform/path.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

using platform::Path;

TEST(PathParts, SplitBehindTheLastSeparator) {
    // U+8868, whose Shift-JIS form ends in the byte of a backslash, is one character here.
    const Path path(L"C:\\\u8868\\\u8868.exe");
    EXPECT_EQ(path.Folder().Text(), L"C:\\\u8868\\");
    EXPECT_EQ(path.FileName(), L"\u8868.exe");
    EXPECT_EQ(Path(L"C:\\dir\\\u8868").Folder().Text(), L"C:\\dir\\");
    EXPECT_EQ(Path(L"C:name").Folder().Text(), L"C:");
    EXPECT_EQ(Path(L"a/b").Folder().Text(), L"a/");
    EXPECT_EQ(Path(L"name").Folder().Text(), L"");
    EXPECT_EQ(Path(L"name").FileName(), L"name");
    EXPECT_EQ(Path(L"C:\\dir\\").FileName(), L"");
}

// `head` followed by x's up to `length` characters.
std::wstring Long(const std::wstring& head, size_t length) { return head + std::wstring(length - head.size(), L'x'); }

TEST(PathForms, JoinAbsoluteAndTheFormsForTheSystemAndTheShell) {
    const std::wstring prefix = L"\\\\?\\", unc = L"\\\\?\\UNC\\";
    struct Case {
        std::wstring path, joined, absolute, system, shell;
    };
    const std::wstring c247 = Long(L"C:\\dir\\", 247), c248 = Long(L"C:\\dir\\", 248);
    const std::wstring c260 = Long(L"C:\\dir\\", 260), c300 = Long(L"C:\\dir\\", 300);
    const std::wstring share248 = Long(L"\\\\server\\share\\", 248);
    const std::wstring given = Long(prefix + L"C:\\dir\\", 300);
    const std::wstring dotted = Long(L"C:\\dir\\..\\", 300), dottedAbsolute = L"C:\\" + dotted.substr(10);
    const std::wstring slashed = Long(L"C:/dir/", 299) + L"/", slashedAbsolute = Long(L"C:\\dir\\", 299) + L"\\";
    const Case cases[] = {
        {L"C:\\dir", L"C:\\dir\\n", L"C:\\dir", L"C:\\dir", L"C:\\dir"},
        {L"C:\\dir\\", L"C:\\dir\\n", L"C:\\dir\\", L"C:\\dir\\", L"C:\\dir\\"},
        {L"C:\\", L"C:\\n", L"C:\\", L"C:\\", L"C:\\"},
        {L"\\\\server\\share", L"\\\\server\\share\\n", L"\\\\server\\share", L"\\\\server\\share",
         L"\\\\server\\share"},
        // Up to 247 characters every function takes a path as it is; from 248 CreateDirectory no
        // longer does, and from 260 none does.
        {c247, c247 + L"\\n", c247, c247, c247},
        {c248, c248 + L"\\n", c248, prefix + c248, c248},
        {c260, c260 + L"\\n", c260, prefix + c260, c260},
        {c300, c300 + L"\\n", c300, prefix + c300, c300},
        {share248, share248 + L"\\n", share248, unc + share248.substr(2), share248},
        // Behind the prefix nothing is made absolute any more, so it goes in absolute.
        {dotted, dotted + L"\\n", dottedAbsolute, prefix + dottedAbsolute, dotted},
        {slashed, slashed + L"n", slashedAbsolute, prefix + slashedAbsolute, slashed},
        {given, given + L"\\n", given, given, given},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.path.size() << " characters: " << test_support::Utf8Name(c.path));
        const Path path(c.path);
        EXPECT_EQ(path.Join(L"n").Text(), c.joined);
        EXPECT_EQ(path.Absolute().Text(), c.absolute);
        EXPECT_EQ(path.ForSystem(), c.system);
        // Taken off (as a short form's is), the prefix comes back the same, a share's too.
        EXPECT_EQ(Path(c.system).WithoutLongPrefix().ForSystem(), c.system);
        EXPECT_EQ(path.ForShell(), c.shell);
    }
}

TEST(SameFileName, IgnoresLetterCaseOnly) {
    using Name = std::wstring;
    EXPECT_TRUE(platform::SameFileName(Name(L"C:\\Data\\File.TXT"), Name(L"c:\\data\\file.txt")));
    EXPECT_FALSE(platform::SameFileName(Name(L"C:\\Data"), Name(L"C:\\Data\\")));
    EXPECT_TRUE(platform::SameFileName(Name(L"ss.txt"), Name(L"SS.TXT")));
    EXPECT_FALSE(platform::SameFileName(Name(L"ss.txt"), Name(L"\u00DF.txt")));
}

}  // namespace
