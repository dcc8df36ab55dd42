// Applying a path text as the folder chooser and the settings give it, and the splitting of
// such a text against the current directory.
#include "listing_fixture.h"

#include "browse/path_text.h"
#include "browse/split_path_text.h"
#include "support/expect_error.h"
#include "support/forwarding_file_system.h"

#include <algorithm>
#include <cstdlib>

namespace browse_test {
namespace {

using browse::DrivePart;
using browse::SplitPathText;
using Names = std::vector<std::string>;
using test_support::ExpectError;

TEST(DrivePartTest, IsTheDriveOrTheServerAndShare) {
    EXPECT_EQ(DrivePart("C:\\Data"), "C:");
    EXPECT_EQ(DrivePart("c:rel"), "c:");
    EXPECT_EQ(DrivePart("\\\\server\\share\\dir\\x"), "\\\\server\\share");
    EXPECT_EQ(DrivePart("\\\\server\\share"), "\\\\server\\share");
    EXPECT_EQ(DrivePart("\\rooted"), "");
    EXPECT_EQ(DrivePart("relative\\x"), "");
}

class ApplyPathTextTest : public ListingTest {
protected:
    void SetUp() override {
        Touch("a.txt");
        Touch("b.txt");
        Touch("c.ini");
        sub = folder.MakeFolder("Sub");
        test_support::WriteFileBytes(sub + "\\inner.txt", "");
        listing.SetMask("*.txt");
        listing.SetDirectory(folder.Path());
        reports = 0;
    }
    std::string sub;
};

TEST_F(ApplyPathTextTest, AFolderBecomesTheDirectoryWithOrWithoutItsTrailingBackslash) {
    listing.ApplyPathText(sub);
    EXPECT_EQ(listing.Directory(), sub);
    EXPECT_EQ(Entries(), (Names{"inner.txt"}));
    EXPECT_EQ(listing.Mask(), "*.txt");
    listing.ApplyPathText(folder.Path() + "\\");
    EXPECT_EQ(listing.Directory(), folder.Path());
    EXPECT_EQ(platform::SystemFileSystem().GetCurrentDirectory(), folder.Path());
    EXPECT_EQ(reports, 2);
}

TEST_F(ApplyPathTextTest, ADriveRootKeepsItsBackslash) {
    listing.ApplyPathText("C:\\");
    EXPECT_EQ(listing.Directory(), "C:\\");
}

TEST_F(ApplyPathTextTest, AFolderAndAPatternSetTheMask) {
    listing.ApplyPathText(folder.PathOf("*.ini"));
    EXPECT_EQ(listing.Directory(), folder.Path());
    EXPECT_EQ(listing.Mask(), "*.ini");
    EXPECT_EQ(Entries(), (Names{"c.ini"}));
}

TEST_F(ApplyPathTextTest, AListedFileIsSelected) {
    listing.ApplyPathText(sub);
    listing.ApplyPathText(folder.PathOf("B.TXT"));
    EXPECT_EQ(listing.Directory(), folder.Path());
    EXPECT_EQ(listing.FileName(), "b.txt");
    EXPECT_EQ(listing.Mask(), "*.txt");
    EXPECT_EQ(listing.LastReportedIndex(), 1);
}

TEST_F(ApplyPathTextTest, AFileTheMaskHidesBecomesTheMask) {
    listing.ApplyPathText(folder.PathOf("c.ini"));
    EXPECT_EQ(listing.Mask(), "c.ini");
    EXPECT_EQ(Entries(), (Names{"c.ini"}));
    EXPECT_EQ(listing.FileName(), "c.ini");
}

TEST_F(ApplyPathTextTest, AnEmptyTextOrTheSelectedPathChangesNothing) {
    listing.SelectIndex(0);
    listing.ApplyPathText("");
    listing.ApplyPathText(folder.PathOf("A.TXT"));
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(listing.FileName(), "a.txt");
}

TEST_F(ApplyPathTextTest, ANameThatIsNeitherFileNorFolderRaisesAndChangesNothing) {
    listing.ApplyPathText(sub);
    ASSERT_TRUE(::SetCurrentDirectoryA(folder.Path().c_str()));
    ExpectError([&] { listing.ApplyPathText(folder.PathOf("missing")); }, "EInOutError", "File not found");
    EXPECT_EQ(listing.Directory(), sub);
    EXPECT_EQ(Entries(), (Names{"inner.txt"}));
    EXPECT_EQ(platform::SystemFileSystem().GetCurrentDirectory(), folder.Path()) << "put back";
}

TEST_F(ApplyPathTextTest, ADeletedFolderWhoseParentRemainsIsFileNotFound) {
    listing.ApplyPathText(sub);
    ASSERT_TRUE(::SetCurrentDirectoryA(folder.Path().c_str()));
    test_support::RemoveTree(sub);
    ExpectError([&] { listing.ApplyPathText(sub); }, "EInOutError", "File not found");
    EXPECT_EQ(listing.Directory(), sub);
    EXPECT_EQ(Entries(), (Names{"inner.txt"}));
}

// Found by the split, gone when it is selected.
class VanishingFileSystem : public test_support::ForwardingFileSystem {
public:
    int finds = 0;
    platform::UniqueFind FindFirstFile(const std::string& pattern, WIN32_FIND_DATAA* data) override {
        if (pattern == "b.txt" && ++finds > 1) {
            ::SetLastError(ERROR_FILE_NOT_FOUND);
            return platform::UniqueFind{};
        }
        return ForwardingFileSystem::FindFirstFile(pattern, data);
    }
};

TEST_F(ApplyPathTextTest, AFileThatIsGoneWhenSelectedIsAnInvalidFileName) {
    VanishingFileSystem fs;
    browse::FileListing vanishing{list, fs, cursor};
    vanishing.SetMask("*.txt");
    const std::string text = folder.PathOf("b.txt");
    ExpectError([&] { vanishing.ApplyPathText(text); }, "EInvalidOperation", "Invalid file name - " + text);
}

TEST_F(ApplyPathTextTest, ARelativeOrBracketedNameIsTakenInTheCurrentDirectory) {
    ASSERT_TRUE(::SetCurrentDirectoryA(folder.Path().c_str()));
    browse::PathParts parts = SplitPathText(platform::SystemFileSystem(), "Sub");
    EXPECT_EQ(std::string(1, parts.drive) + ":" + parts.folder, sub);
    EXPECT_EQ(parts.file, "");
    parts = SplitPathText(platform::SystemFileSystem(), "[Sub]");
    EXPECT_EQ(std::string(1, parts.drive) + ":" + parts.folder, sub);
    parts = SplitPathText(platform::SystemFileSystem(), "Sub\\*.txt");
    EXPECT_EQ(parts.folder, "Sub");
    EXPECT_EQ(parts.file, "*.txt");
    EXPECT_EQ(platform::SystemFileSystem().GetCurrentDirectory(), folder.Path());
}

bool UnderWine() { return ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr; }

// Wine maps \\server\share to the folder dosdevices\unc\server\share of its prefix, which the
// test makes through the Z: drive; on Windows the administrative share of the temporary folder's
// drive serves, where it is open to the user.
TEST_F(ApplyPathTextTest, AServerAndSharePathBecomesTheDirectory) {
    std::string target, unc, madeForWine;
    if (UnderWine()) {
        const char* prefix = std::getenv("WINEPREFIX");
        if (!prefix) GTEST_SKIP() << "WINEPREFIX is not set";
        unc = "Z:" + std::string(prefix) + "\\dosdevices\\unc";
        std::replace(unc.begin(), unc.end(), '/', '\\');
        ::CreateDirectoryA(unc.c_str(), nullptr);
        madeForWine = unc + "\\zvhost-" + std::to_string(::GetCurrentProcessId());
        for (const std::string& path : {madeForWine, madeForWine + "\\share", madeForWine + "\\share\\dir"})
            ::CreateDirectoryA(path.c_str(), nullptr);
        target = "\\\\zvhost-" + std::to_string(::GetCurrentProcessId()) + "\\share\\dir";
    } else {
        target = "\\\\localhost\\" + folder.Path().substr(0, 1) + "$" + folder.Path().substr(2);
    }
    platform::ScopeExit removeShare{[&] {
        if (madeForWine.empty()) return;
        test_support::RemoveTree(madeForWine);
        ::RemoveDirectoryA(unc.c_str());  // only if no other server is left in it
    }};
    if (!platform::FolderExists(platform::SystemFileSystem(), target)) GTEST_SKIP() << target << " is not reachable";
    test_support::WriteFileBytes(target + "\\remote.txt", "");
    listing.ApplyPathText(target);
    EXPECT_TRUE(browse::SameFileName(listing.Directory(), target)) << listing.Directory();
    EXPECT_NE(std::find(Entries().begin(), Entries().end(), "remote.txt"), Entries().end());
    listing.ApplyPathText(folder.Path());  // leave the share before it goes
}

}  // namespace
}  // namespace browse_test
