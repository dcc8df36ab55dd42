// Rewriting real files in a temporary folder.
#include "replace/replace_in_file.h"

#include "platform/errors.h"
#include "platform/unique_handle.h"
#include "support/expect_error.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
using platform::SystemErrorText;
using test_support::ExpectError;
using test_support::ReadFileBytes;
using test_support::Utf8Name;

namespace {

class ReplaceInFileTest : public testing::Test {
protected:
    platform::Path Write(const std::string& bytes) { return folder_.WriteFile("file.txt", bytes); }
    void Replace(const platform::Path& path, const std::string& search, const std::string& replacement) {
        replace::ReplaceInFile(path, search, replacement, journal_.Path());
    }
    platform::UniqueFile Hold(const platform::Path& path, DWORD access, DWORD share) {
        platform::UniqueFile file{::CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr)};
        EXPECT_TRUE(file);
        return file;
    }
    static std::string CannotCreate(const platform::Path& path, DWORD error) {
        return "Cannot create file \"" + Utf8Name(path.Text()) + "\". " + Utf8Name(SystemErrorText(error));
    }
    static std::string CannotOpen(const platform::Path& path, DWORD error) {
        return "Cannot open file \"" + Utf8Name(path.Text()) + "\". " + Utf8Name(SystemErrorText(error));
    }

    test_support::TempFolder folder_, journal_;
};

ULONGLONG LastWriteTime(const platform::Path& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_TRUE(::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
    return (ULONGLONG{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
}

}  // namespace

TEST_F(ReplaceInFileTest, RewritesTheFile) {
    platform::Path path = Write("Hello\r\nHELLO\thello\xE9\0hello"s);
    Replace(path, "hello", "Bye");
    EXPECT_EQ(ReadFileBytes(path), "Bye\r\nBye\tBye\xE9\0hello"s);
    EXPECT_EQ(folder_.Names(), std::vector<std::wstring>{L"file.txt"});
}

TEST_F(ReplaceInFileTest, WritesBackTheSameBytesWhenNothingMatches) {
    std::string every;
    for (int b = 0; b < 256; ++b) every += static_cast<char>(b);
    platform::Path path = Write(every + every);
    {
        // An old time stamp shows that the file was written again.
        platform::UniqueFile file = Hold(path, FILE_WRITE_ATTRIBUTES, 0);
        FILETIME old{0, 30000000};
        ASSERT_TRUE(::SetFileTime(file.get(), nullptr, nullptr, &old));
    }
    ULONGLONG before = LastWriteTime(path);
    Replace(path, "absent", "x");
    EXPECT_EQ(ReadFileBytes(path), every + every);
    EXPECT_GT(LastWriteTime(path), before);
}

TEST_F(ReplaceInFileTest, KeepsAnEmptyFileEmpty) {
    platform::Path path = Write("");
    Replace(path, "a", "b");
    EXPECT_EQ(ReadFileBytes(path), "");
}

// Windows' ReplaceFileA keeps them itself; under Wine the file system puts them back.
TEST_F(ReplaceInFileTest, KeepsHiddenAndArchiveAttributes) {
    platform::Path path = Write("one two");
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    Replace(path, "TWO", "three");
    EXPECT_EQ(ReadFileBytes(path), "one three");
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE),
              DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE});
}

// A file the rewrite may not write keeps its bytes, whether or not the text occurs in it, and the
// error says which refusal it was: on Windows the open for writing refuses a read-only file, under
// Wine run by root only the attribute does.
TEST_F(ReplaceInFileTest, AFileThatMayNotBeWrittenKeepsItsBytesAndTheErrorSaysWhy) {
    enum class Other { None, ReadOnly, HoldsAlone, ReadsSharingReading, Missing };
    const struct {
        Other other;
        const char* search;
        const char* errorClass;
        DWORD error;
    } cases[] = {
        {Other::ReadOnly, "keep", "EFCreateError", ERROR_ACCESS_DENIED},
        {Other::ReadOnly, "absent", "EFCreateError", ERROR_ACCESS_DENIED},
        {Other::HoldsAlone, "keep", "EFOpenError", ERROR_SHARING_VIOLATION},
        {Other::ReadsSharingReading, "keep", "EFCreateError", ERROR_SHARING_VIOLATION},
        {Other::ReadsSharingReading, "absent", "EFCreateError", ERROR_SHARING_VIOLATION},
        {Other::Missing, "keep", "EFOpenError", ERROR_FILE_NOT_FOUND},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.errorClass) + " " + c.search);
        const platform::Path path = c.other == Other::Missing ? folder_.PathOf("missing.txt") : Write("keep me");
        if (c.other == Other::ReadOnly) ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
        platform::UniqueFile other;
        if (c.other == Other::HoldsAlone) other = Hold(path, GENERIC_READ, 0);
        if (c.other == Other::ReadsSharingReading) other = Hold(path, GENERIC_READ, FILE_SHARE_READ);
        const auto text = std::string(c.errorClass) == "EFOpenError" ? CannotOpen(path, c.error) : CannotCreate(path, c.error);
        ExpectError([&] { Replace(path, c.search, "lose"); }, c.errorClass, text);
        other.reset();
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (c.other != Other::Missing) EXPECT_EQ(ReadFileBytes(path), "keep me");
        EXPECT_TRUE(journal_.Names().empty());
    }
}
