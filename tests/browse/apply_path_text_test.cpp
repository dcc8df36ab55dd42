// Applying a path text as the folder chooser and the settings give it, and the splitting of
// such a text against the current directory.
#include "listing_fixture.h"

#include "browse/split_path_text.h"
#include "support/expect_error.h"
#include "support/forwarding_file_system.h"

#include <algorithm>
#include <cstdlib>

namespace browse_test {
namespace {

using browse::DrivePart;
using browse::SplitPathTextEnteringFolders;
using Names = std::vector<std::wstring>;
using test_support::ExpectError;

TEST(DrivePartTest, IsTheDriveOrTheServerAndShare) {
    EXPECT_EQ(DrivePart(L"C:\\Data"), L"C:");
    EXPECT_EQ(DrivePart(L"c:rel"), L"c:");
    EXPECT_EQ(DrivePart(L"\\\\server\\share\\dir\\x"), L"\\\\server\\share");
    EXPECT_EQ(DrivePart(L"\\\\server\\share"), L"\\\\server\\share");
    EXPECT_EQ(DrivePart(L"\\rooted"), L"");
    EXPECT_EQ(DrivePart(L"relative\\x"), L"");
}

class ApplyPathTextTest : public ListingTest {
protected:
    void SetUp() override {
        Touch("a.txt");
        Touch("b.txt");
        Touch("c.ini");
        sub = folder.MakeFolder("Sub");
        test_support::WriteFileBytes(sub.Join(L"inner.txt"), "");
        listing.SetMask(L"*.txt");
        listing.SetDirectory(folder.Path());
        reports = 0;
    }
    platform::Path sub;
};

TEST_F(ApplyPathTextTest, AFolderBecomesTheDirectoryWithOrWithoutItsTrailingBackslash) {
    listing.ApplyPathText(sub.Text());
    EXPECT_EQ(listing.Directory(), sub);
    EXPECT_EQ(Entries(), (Names{L"inner.txt"}));
    EXPECT_EQ(listing.Mask(), L"*.txt");
    listing.ApplyPathText(folder.Path().Text() + L"\\");
    EXPECT_EQ(listing.Directory(), folder.Path());
    EXPECT_EQ(platform::SystemFileSystem().GetCurrentDirectory(), folder.Path());
    EXPECT_EQ(reports, 2);
}

TEST_F(ApplyPathTextTest, ADriveRootKeepsItsBackslash) {
    listing.ApplyPathText(L"C:\\");
    EXPECT_EQ(listing.Directory().Text(), L"C:\\");
}

TEST_F(ApplyPathTextTest, AFolderAndAPatternSetTheMask) {
    listing.ApplyPathText(folder.PathOf("*.ini").Text());
    EXPECT_EQ(listing.Directory(), folder.Path());
    EXPECT_EQ(listing.Mask(), L"*.ini");
    EXPECT_EQ(Entries(), (Names{L"c.ini"}));
}

TEST_F(ApplyPathTextTest, AListedFileIsSelected) {
    listing.ApplyPathText(sub.Text());
    listing.ApplyPathText(folder.PathOf("B.TXT").Text());
    EXPECT_EQ(listing.Directory(), folder.Path());
    EXPECT_EQ(listing.FileName(), L"b.txt");
    EXPECT_EQ(listing.Mask(), L"*.txt");
    EXPECT_EQ(listing.LastReportedIndex(), 1);
}

TEST_F(ApplyPathTextTest, AFileTheMaskHidesBecomesTheMask) {
    listing.ApplyPathText(folder.PathOf("c.ini").Text());
    EXPECT_EQ(listing.Mask(), L"c.ini");
    EXPECT_EQ(Entries(), (Names{L"c.ini"}));
    EXPECT_EQ(listing.FileName(), L"c.ini");
}

TEST_F(ApplyPathTextTest, AnEmptyTextOrTheSelectedPathChangesNothing) {
    listing.SelectIndex(0);
    listing.ApplyPathText(L"");
    listing.ApplyPathText(folder.PathOf("A.TXT").Text());
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(listing.FileName(), L"a.txt");
}

TEST_F(ApplyPathTextTest, ANameThatIsNeitherFileNorFolderRaisesAndChangesNothing) {
    listing.ApplyPathText(sub.Text());
    ASSERT_TRUE(::SetCurrentDirectoryW(folder.Path().c_str()));
    ExpectError([&] { listing.ApplyPathText(folder.PathOf("missing").Text()); }, "EInOutError", "File not found");
    EXPECT_EQ(listing.Directory(), sub);
    EXPECT_EQ(Entries(), (Names{L"inner.txt"}));
    EXPECT_EQ(platform::SystemFileSystem().GetCurrentDirectory(), folder.Path()) << "put back";
}

TEST_F(ApplyPathTextTest, ADeletedFolderWhoseParentRemainsIsFileNotFound) {
    listing.ApplyPathText(sub.Text());
    ASSERT_TRUE(::SetCurrentDirectoryW(folder.Path().c_str()));
    test_support::RemoveTree(sub);
    ExpectError([&] { listing.ApplyPathText(sub.Text()); }, "EInOutError", "File not found");
    EXPECT_EQ(listing.Directory(), sub);
    EXPECT_EQ(Entries(), (Names{L"inner.txt"}));
}

// Found by the split, gone when it is selected.
class VanishingFileSystem : public test_support::ForwardingFileSystem {
public:
    int finds = 0;
    platform::UniqueFind FindFirstFile(const platform::Path& pattern, WIN32_FIND_DATAW* data) override {
        if (pattern.Text() == L"b.txt" && ++finds > 1) {
            ::SetLastError(ERROR_FILE_NOT_FOUND);
            return platform::UniqueFind{};
        }
        return ForwardingFileSystem::FindFirstFile(pattern, data);
    }
};

TEST_F(ApplyPathTextTest, AFileThatIsGoneWhenSelectedIsAnInvalidFileName) {
    VanishingFileSystem fs;
    browse::FileListing vanishing{list, fs, cursor};
    vanishing.SetMask(L"*.txt");
    const std::wstring text = folder.PathOf("b.txt").Text();
    ExpectError([&] { vanishing.ApplyPathText(text); }, "EInvalidOperation",
                "Invalid file name - " + test_support::Utf8Name(text));
}

TEST_F(ApplyPathTextTest, ARelativeOrBracketedNameIsTakenInTheCurrentDirectory) {
    ASSERT_TRUE(::SetCurrentDirectoryW(folder.Path().c_str()));
    browse::PathParts parts = SplitPathTextEnteringFolders(platform::SystemFileSystem(), L"Sub");
    EXPECT_EQ(std::wstring(1, parts.drive) + L":" + parts.folder, sub.Text());
    EXPECT_EQ(parts.file, L"");
    parts = SplitPathTextEnteringFolders(platform::SystemFileSystem(), L"[Sub]");
    EXPECT_EQ(std::wstring(1, parts.drive) + L":" + parts.folder, sub.Text());
    parts = SplitPathTextEnteringFolders(platform::SystemFileSystem(), L"Sub\\*.txt");
    EXPECT_EQ(parts.folder, L"Sub");
    EXPECT_EQ(parts.file, L"*.txt");
    EXPECT_EQ(platform::SystemFileSystem().GetCurrentDirectory(), folder.Path());
}

bool UnderWine() { return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

// Wine maps \\server\share to the folder dosdevices\unc\server\share of its prefix, which the
// test makes through the Z: drive; on Windows the administrative share of the temporary folder's
// drive serves, where it is open to the user.
TEST_F(ApplyPathTextTest, AServerAndSharePathBecomesTheDirectory) {
    std::wstring target, unc, madeForWine;
    if (UnderWine()) {
        const wchar_t* prefix = _wgetenv(L"WINEPREFIX");
        if (!prefix) GTEST_SKIP() << "WINEPREFIX is not set";
        unc = L"Z:" + std::wstring(prefix) + L"\\dosdevices\\unc";
        std::replace(unc.begin(), unc.end(), L'/', L'\\');
        ::CreateDirectoryW(unc.c_str(), nullptr);
        madeForWine = unc + L"\\zvhost-" + std::to_wstring(::GetCurrentProcessId());
        for (const std::wstring& path : {madeForWine, madeForWine + L"\\share", madeForWine + L"\\share\\dir"})
            ::CreateDirectoryW(path.c_str(), nullptr);
        target = L"\\\\zvhost-" + std::to_wstring(::GetCurrentProcessId()) + L"\\share\\dir";
    } else {
        const std::wstring& temp = folder.Path().Text();
        target = L"\\\\localhost\\" + temp.substr(0, 1) + L"$" + temp.substr(2);
    }
    platform::ScopeExit removeShare{[&] {
        if (madeForWine.empty()) return;
        test_support::RemoveTree(platform::Path(madeForWine));
        ::RemoveDirectoryW(unc.c_str());  // only if no other server is left in it
    }};
    if (!platform::FolderExists(platform::SystemFileSystem(), platform::Path(target)))
        GTEST_SKIP() << test_support::Utf8Name(target) << " is not reachable";
    test_support::WriteFileBytes(platform::Path(target).Join(L"remote.txt"), "");
    listing.ApplyPathText(target);
    EXPECT_TRUE(platform::SameFileName(listing.Directory().Text(), target))
        << testing::PrintToString(listing.Directory());
    EXPECT_NE(std::find(Entries().begin(), Entries().end(), L"remote.txt"), Entries().end());
    listing.ApplyPathText(folder.Path().Text());  // leave the share before it goes
}

}  // namespace
}  // namespace browse_test
