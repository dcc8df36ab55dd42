// Listing real folders under the platform: masks, attributes, folders, when a re-read happens,
// the change report, the paths, and how failures leave the listing.
#include "listing_fixture.h"

#include "support/expect_error.h"
#include "support/forwarding_file_system.h"

#include <algorithm>

namespace browse_test {
namespace {

using browse::TFileType;
using namespace browse;  // the attribute members

using Names = std::vector<std::wstring>;
using test_support::ExpectError;

Names Sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileTypeTest, AttributeWordHasTheBitsOfTheMembersThatHaveOne) {
    EXPECT_EQ(AttributeWord(TFileType{ftArchive, ftNormal}), 0x20u);
    EXPECT_EQ(AttributeWord(TFileType{ftNormal}), 0u);
    EXPECT_EQ(AttributeWord(TFileType{ftReadOnly, ftHidden, ftSystem, ftVolumeID, ftDirectory, ftArchive}), 0x3Fu);
}

TEST_F(ListingTest, MaskPiecesAreListedLeftToRightAndEmptyPiecesMatchNothing) {
    for (const char* name : {"a.txt", "b.txt", "c.ini", "d.cfg"}) Touch(name);
    listing.SetDirectory(folder.Path());
    listing.SetMask(L"*.txt;*.ini");
    EXPECT_EQ(Sorted(Entries()), (Names{L"a.txt", L"b.txt", L"c.ini"}));
    listing.SetMask(L"*.txt;*.ini;");
    EXPECT_EQ(Sorted(Entries()), (Names{L"a.txt", L"b.txt", L"c.ini"}));
    listing.SetMask(L"");
    EXPECT_TRUE(Entries().empty());
    listing.SetMask(L"*.txt;*.TXT");
    EXPECT_EQ(Entries(), (Names{L"a.txt", L"a.txt", L"b.txt", L"b.txt"}));
}

TEST_F(ListingTest, MainWindowTypesShowReadOnlyFilesButNoHiddenSystemFilesOrFolders) {
    for (const char* name : {"plain.txt", "hidden.txt", "system.txt", "readonly.txt"}) Touch(name);
    folder.MakeFolder("sub");
    SetAttributes("hidden.txt", FILE_ATTRIBUTE_HIDDEN);
    SetAttributes("system.txt", FILE_ATTRIBUTE_SYSTEM);
    SetAttributes("readonly.txt", FILE_ATTRIBUTE_READONLY);
    listing.SetFileType({ftArchive, ftNormal});
    listing.SetDirectory(folder.Path());
    EXPECT_EQ(Sorted(Entries()), (Names{L"plain.txt", L"readonly.txt"}));

    listing.SetFileType({ftHidden, ftNormal});
    EXPECT_EQ(Sorted(Entries()), (Names{L"hidden.txt", L"plain.txt", L"readonly.txt"}));
    // Without ftNormal an entry must carry one of the asked bits.
    listing.SetFileType({ftReadOnly});
    EXPECT_EQ(Entries(), (Names{L"readonly.txt"}));
}

TEST_F(ListingTest, FoldersAppearInBracketsSortedAmongTheFiles) {
    for (const char* name : {"a.txt", "Zed.txt", "_under.txt", "1.txt"}) Touch(name);
    folder.MakeFolder("sub");
    listing.SetFileType({ftDirectory, ftNormal});
    listing.SetDirectory(folder.Path());
    EXPECT_EQ(Sorted(Entries()), (Names{L"1.txt", L"Zed.txt", L"[..]", L"[.]", L"[sub]", L"_under.txt", L"a.txt"}));
    SortedListBox reference;
    for (const std::wstring& entry : Entries()) reference.Add(entry);
    EXPECT_EQ(Entries(), reference.Entries());
}

TEST_F(ListingTest, AnUnchangedMaskReReadsNothingButTheSamePatternInOtherCaseDoes) {
    Touch("a.txt");
    list.hasWindow = false;
    listing.SetMask(L"*.txt");
    listing.SetDirectory(folder.Path());
    list.hasWindow = true;
    listing.RefreshEntries();
    ASSERT_EQ(reports, 1);
    Touch("b.txt");
    listing.SetMask(L"*.txt");
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(Entries(), (Names{L"a.txt"}));
    listing.SetMask(L"*.TXT");
    EXPECT_EQ(reports, 2);
    EXPECT_EQ(Entries(), (Names{L"a.txt", L"b.txt"}));
    listing.SetFileType({ftNormal});
    EXPECT_EQ(reports, 2);
}

TEST_F(ListingTest, TheSameDirectoryInOtherCaseDoesNothing) {
    Touch("a.txt");
    listing.SetDirectory(folder.Path());
    Touch("b.txt");
    std::wstring other = folder.Path().Text();
    std::transform(other.begin(), other.end(), other.begin(),
                   [](wchar_t c) { return c == L'T' ? L't' : c == L't' ? L'T' : c; });
    ASSERT_NE(other, folder.Path().Text());
    listing.SetDirectory(platform::Path(other));
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(listing.Directory(), folder.Path());
    EXPECT_EQ(Entries(), (Names{L"a.txt"}));
}

TEST_F(ListingTest, EveryReReadEndsWithNoSelectionAndOneReport) {
    Touch("a.txt");
    Touch("b.txt");
    listing.SetDirectory(folder.Path());
    listing.SelectIndex(1);
    EXPECT_EQ(listing.FileName(), L"b.txt");
    EXPECT_EQ(reports, 1) << "selecting an entry by index reports nothing";
    listing.ReportIfSelectionMoved();
    EXPECT_EQ(listing.LastReportedIndex(), 1);
    listing.ReportIfSelectionMoved();
    EXPECT_EQ(reports, 2);
    listing.RefreshEntries();
    EXPECT_EQ(reports, 3);
    EXPECT_EQ(listing.FileName(), L"");
    EXPECT_TRUE(listing.FilePath().empty());
    EXPECT_EQ(listing.LastReportedIndex(), -1);
    EXPECT_EQ(platform::SystemFileSystem().GetCurrentDirectory(), folder.Path());
}

TEST_F(ListingTest, SelectingAnIndexTheListRefusesRaisesListIndexOutOfBounds) {
    Touch("a.txt");
    listing.SetDirectory(folder.Path());
    ExpectError([&] { listing.SelectIndex(5); }, "EListError", "List index out of bounds (5)");
}

TEST_F(ListingTest, SelectByNameIgnoresLetterCaseOnlyAndAlwaysReports) {
    for (const char* name : {"ss.txt", "ß.txt", "Beta.txt"}) Touch(name);
    listing.SetDirectory(folder.Path());
    listing.SelectByName(L"BETA.TXT");
    EXPECT_EQ(listing.FileName(), L"Beta.txt");
    EXPECT_EQ(reports, 2);
    listing.SelectByName(L"beta.txt");  // already the selected name
    EXPECT_EQ(reports, 2);
    // The sharp s collates like "ss" but is another file.
    listing.SelectByName(L"SS.TXT");
    EXPECT_EQ(listing.FileName(), L"ss.txt");
    listing.SelectByName(L"none.txt");
    EXPECT_EQ(listing.FileName(), L"");
    EXPECT_EQ(reports, 4);
    EXPECT_EQ(listing.LastReportedIndex(), -1);
}

TEST_F(ListingTest, FilePathJoinsWithOneBackslashAlsoAtADriveRoot) {
    Touch("a.txt");
    listing.SetDirectory(folder.Path());
    listing.SelectIndex(0);
    EXPECT_EQ(listing.FilePath(), folder.PathOf("a.txt"));
    listing.SetFileType({ftDirectory});
    listing.SetDirectory(platform::Path(L"C:\\"));
    ASSERT_EQ(listing.Directory().Text(), L"C:\\");
    ASSERT_GT(listing.Count(), 0) << "a drive root has folders";
    listing.SelectIndex(0);
    EXPECT_EQ(listing.FilePath(), platform::Path(L"C:\\" + listing.FileName()));
}

TEST_F(ListingTest, WithoutAWindowNothingIsListedUntilTheWindowComes) {
    Touch("a.txt");
    list.hasWindow = false;
    listing.SetDirectory(folder.Path());
    listing.SetMask(L"*.txt");
    EXPECT_EQ(listing.Mask(), L"*.txt");
    EXPECT_EQ(reports, 0);
    list.hasWindow = true;
    listing.RefreshEntries();
    EXPECT_EQ(Entries(), (Names{L"a.txt"}));
}

TEST_F(ListingTest, AVanishedFolderKeepsTheEntriesAndTheNewMaskAndReportsNothing) {
    const platform::Path sub = folder.MakeFolder("sub");
    test_support::WriteFileBytes(sub.Join(L"a.txt"), "");
    listing.SetDirectory(sub);
    ASSERT_TRUE(::SetCurrentDirectoryW(folder.Path().c_str()));
    test_support::RemoveTree(sub);
    ExpectError([&] { listing.SetMask(L"*.ini"); }, "EInOutError", "File not found");
    EXPECT_EQ(listing.Mask(), L"*.ini");
    EXPECT_EQ(listing.Directory(), sub);
    EXPECT_EQ(Entries(), (Names{L"a.txt"}));
    EXPECT_EQ(reports, 1);
}

TEST_F(ListingTest, AMissingFolderOrPathRaisesItsErrorNumberAndChangesNothing) {
    Touch("a.txt");
    listing.SetDirectory(folder.Path());
    ExpectError([&] { listing.SetDirectory(folder.PathOf("missing")); }, "EInOutError", "File not found");
    ExpectError([&] { listing.SetDirectory(folder.PathOf("missing\\deeper")); }, "EInOutError", "Invalid filename");
    EXPECT_EQ(listing.Directory(), folder.Path());
    EXPECT_EQ(Entries(), (Names{L"a.txt"}));
}

TEST_F(ListingTest, AListThatRefusesAnEntryKeepsTheEntriesSoFarAndReportsNothing) {
    for (const char* name : {"c.txt", "a.txt", "d.txt", "b.txt"}) Touch(name);
    list.refuseAfter = 2;
    ExpectError([&] { listing.SetDirectory(folder.Path()); }, "Exception", "Unable to insert a line");
    EXPECT_EQ(Entries(), (Names{L"a.txt", L"b.txt"}));
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(list.openUpdates, 0);
    ASSERT_FALSE(cursor.set.empty());
    EXPECT_EQ(cursor.shown, reinterpret_cast<HCURSOR>(0x100)) << "the cursor is put back";
}

// Marks in the cursor's record each pattern looked for, to tell when the cursor changed.
class MarkingFileSystem : public test_support::ForwardingFileSystem {
public:
    explicit MarkingFileSystem(RecordingCursor& cursor) : cursor_(cursor) {}
    platform::UniqueFind FindFirstFile(const platform::Path& pattern, WIN32_FIND_DATAW* data) override {
        cursor_.set.push_back(nullptr);
        return ForwardingFileSystem::FindFirstFile(pattern, data);
    }

private:
    RecordingCursor& cursor_;
};

// The hourglass comes while the folder is read, once an entry lands at index 100 of the sorted list.
TEST_F(ListingTest, TheHourglassShowsOnceAnEntryLandsAtIndexOneHundred) {
    for (int i = 0; i < 100; ++i) Touch(std::to_string(1000 + i).insert(0, 1, 'f') + ".txt");
    Touch("z.txt");
    MarkingFileSystem fs(cursor);
    FileListing marked{list, fs, cursor};
    marked.SetDirectory(folder.Path());
    const HCURSOR before = cursor.shown, pattern = nullptr;
    cursor.set.clear();
    marked.SetMask(L"f*.txt;z.txt;a*.txt");  // z.txt lands at 100, before a*.txt is looked for
    EXPECT_EQ(cursor.set, (std::vector<HCURSOR>{pattern, pattern, cursor.Wait(), pattern, before}));
    cursor.set.clear();
    marked.SetMask(L"z.txt;f*.txt");  // every f lands before z, at 99 at most
    EXPECT_EQ(cursor.set, (std::vector<HCURSOR>{pattern, pattern, before}));
    cursor.set.clear();
    SetAttributes("z.txt", FILE_ATTRIBUTE_HIDDEN);  // found but skipped: no landing at 100
    marked.SetMask(L"f*.txt;Z.txt");
    EXPECT_EQ(cursor.set, (std::vector<HCURSOR>{pattern, pattern, before}));
}

// The platform's matching also sees the 8.3 alias, where the volume keeps one.
TEST_F(ListingTest, APatternMatchesWhatThePlatformMatchesShortAliasesIncluded) {
    Touch("page.html");
    Touch("other.htm");
    WIN32_FIND_DATAW data;
    platform::UniqueFind find{::FindFirstFileW(folder.PathOf("page.html").c_str(), &data)};
    ASSERT_TRUE(find);
    const bool hasAlias = data.cAlternateFileName[0] != L'\0';
    listing.SetDirectory(folder.Path());
    listing.SetMask(L"*.htm");
    const Names expected = hasAlias ? Names{L"other.htm", L"page.html"} : Names{L"other.htm"};
    EXPECT_EQ(Sorted(Entries()), expected);
}

// A file system whose enumeration the test records, to replay it into the platform's list.
class RecordingFileSystem : public test_support::ForwardingFileSystem {
public:
    Names found;
    platform::UniqueFind FindFirstFile(const platform::Path& pattern, WIN32_FIND_DATAW* data) override {
        platform::UniqueFind find = ForwardingFileSystem::FindFirstFile(pattern, data);
        if (find) Record(*data);
        return find;
    }
    bool FindNextFile(HANDLE find, WIN32_FIND_DATAW* data) override {
        bool more = ForwardingFileSystem::FindNextFile(find, data);
        if (more) Record(*data);
        return more;
    }

private:
    void Record(const WIN32_FIND_DATAW& data) {
        std::wstring text = data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) text.insert(0, 1, L'[').push_back(L']');
        found.push_back(text);
    }
};

TEST_F(ListingTest, TheOrderIsThatOfThePlatformsSortedListBox) {
    for (const char* name : {"b.txt", "B2.txt", "a.TXT", "_x.txt", "-x.txt", "x-y.txt", "xy.txt", "x y.txt",
                             "10.txt", "9.txt", "01.txt", "été.txt", "ete.txt", "ÉTE2.txt", "~a.txt",
                             "!a.txt", "(a).txt", "a[b].txt", "a.b.txt", "æsir.txt", "aesir.txt", "ß.txt",
                             "ss.txt", "co–op.txt", "coop.txt", "ü.txt", "u.txt", "ÿ.txt", "{a}.txt",
                             "a'b.txt", "ab.txt", "a,b.txt", "a;b.txt", "[sub].txt"})
        Touch(name);
    folder.MakeFolder("sub");
    RecordingFileSystem fs;
    FileListing recorded{list, fs, cursor};
    list.hasWindow = false;
    recorded.SetFileType({ftDirectory, ftNormal});
    recorded.SetMask(L"*.txt;*;*.TXT");  // every name two or three times, in enumeration order
    recorded.SetDirectory(folder.Path());
    list.hasWindow = true;
    recorded.RefreshEntries();
    SortedListBox reference;
    for (const std::wstring& entry : fs.found) reference.Add(entry);
    EXPECT_EQ(Entries(), reference.Entries());
}

}  // namespace
}  // namespace browse_test
