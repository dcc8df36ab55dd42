// Files listed under the names the file system holds, whatever the ANSI code page can show:
// look-alikes, other scripts, another normal form and a path past 300 characters each stay
// themselves and open their own bytes. A listed folder that can no longer be entered traps nobody.
#include "listing_fixture.h"

#include "platform/errors.h"
#include "support/forwarding_file_system.h"

#include <algorithm>

namespace browse_test {
namespace {

using test_support::WideName;

TEST_F(ListingTest, EachFileIsListedOnceUnderItsOwnNameAndOpensItsOwnBytes) {
    // The deep folder stays short enough to be made current, as the listing must; its file's
    // full path passes 300 characters.
    const platform::Path deep = folder.MakeFolder(std::string(240 - folder.Path().size() - 1, 'd'));
    const struct { platform::Path where; std::string name; } cases[] = {  // names in UTF-8
        {folder.Path(), "ābc.txt"},
        {folder.Path(), "abc.txt"},
        {folder.Path(), "żółw.txt"},
        {folder.Path(), "zolw.txt"},
        {folder.Path(), "日本語.txt"},
        {folder.Path(), "Привет.txt"},
        {folder.Path(), "e\xCC\x81te.txt"},         // e and a combining acute accent
        {folder.Path(), "\xC3\xA9t\xC3\xA9.txt"},  // the same, precomposed
        {deep, std::string(80, 'n') + ".txt"},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        test_support::WriteFileBytes(cases[i].where.Join(WideName(cases[i].name)), "bytes of " + std::to_string(i));
    ASSERT_GT(deep.Join(WideName(cases[std::size(cases) - 1].name)).size(), 300u);

    for (const platform::Path& where : {folder.Path(), deep}) {
        listing.ApplyPathText(where.Text());
        ASSERT_EQ(listing.Directory(), where);
        size_t made = 0;
        for (size_t i = 0; i < std::size(cases); ++i) {
            if (!(cases[i].where == where)) continue;
            ++made;
            const std::wstring name = WideName(cases[i].name);
            ASSERT_EQ(std::count(Entries().begin(), Entries().end(), name), 1) << cases[i].name;
            listing.SelectIndex(static_cast<int>(std::find(Entries().begin(), Entries().end(), name) - Entries().begin()));
            EXPECT_EQ(test_support::ReadFileBytes(listing.FilePath()), "bytes of " + std::to_string(i)) << cases[i].name;
        }
        EXPECT_EQ(Entries().size(), made);
    }
}

// Refuses entry to one folder, as one whose permissions were taken away meanwhile would.
class LockedFolderFileSystem : public test_support::ForwardingFileSystem {
public:
    platform::Path locked;
    bool SetCurrentDirectory(const platform::Path& path) override {
        // However it is named: relative, drive-relative ("C:" while it is current), with a trailing backslash.
        std::wstring full = path.Absolute().Text();
        if (full.size() > 3 && full.back() == L'\\') full.pop_back();
        if (!locked.empty() && platform::SameFileName(full, locked.Text())) {
            ::SetLastError(ERROR_ACCESS_DENIED);
            return false;
        }
        return ForwardingFileSystem::SetCurrentDirectory(path);
    }
};

TEST_F(ListingTest, AListedFolderThatCanNoLongerBeEnteredKeepsNobodyFromAnother) {
    const platform::Path locked = folder.MakeFolder("locked"), other = folder.MakeFolder("other");
    test_support::WriteFileBytes(locked.Join(L"in locked.txt"), "");
    test_support::WriteFileBytes(other.Join(L"in other.txt"), "");
    LockedFolderFileSystem fs;
    browse::FileListing guarded{list, fs, cursor};
    guarded.ApplyPathText(locked.Text());
    ASSERT_EQ(Entries(), std::vector<std::wstring>{L"in locked.txt"});
    fs.locked = locked;
    guarded.ApplyPathText(other.Text());
    EXPECT_EQ(guarded.Directory(), other);
    EXPECT_EQ(Entries(), std::vector<std::wstring>{L"in other.txt"});
}

}  // namespace
}  // namespace browse_test
