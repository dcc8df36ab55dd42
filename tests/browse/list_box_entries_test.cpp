// The entries of a real LISTBOX window, and a listing shown through one.
#include "listing_fixture.h"

#include "browse/list_box_entries.h"
#include "platform/errors.h"

namespace browse_test {
namespace {

platform::UniqueHwnd MakeListBox() {
    return platform::UniqueHwnd{::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | LBS_HASSTRINGS | LBS_NOTIFY, 0, 0,
                                                  200, 200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr)};
}

TEST(ListBoxEntriesTest, AppendsInTheGivenOrderAndSelects) {
    platform::UniqueHwnd window = MakeListBox();
    ASSERT_TRUE(window);
    browse::ListBoxEntries entries{window.get()};
    ASSERT_TRUE(entries.HasWindow());
    entries.BeginUpdate();
    entries.Reserve(2, 16);
    EXPECT_EQ(entries.Append(L"b.txt"), 0);
    EXPECT_EQ(entries.Append(L"a.txt"), 1);
    entries.EndUpdate();
    EXPECT_EQ(entries.Count(), 2);
    EXPECT_EQ(entries.Text(1), L"a.txt");
    EXPECT_EQ(entries.Selected(), -1);
    EXPECT_TRUE(entries.Select(1));
    EXPECT_EQ(entries.Selected(), 1);
    EXPECT_FALSE(entries.Select(2));
    EXPECT_TRUE(entries.Select(-1));
    EXPECT_EQ(entries.Selected(), -1);
    EXPECT_THROW(entries.Text(2), platform::EListError);
    EXPECT_THROW(entries.Text(-1), platform::EListError);
    entries.Select(0);
    entries.Clear();
    EXPECT_EQ(entries.Count(), 0);
    EXPECT_EQ(entries.Selected(), -1);
}

TEST(ListBoxEntriesTest, WithoutAWindowTheListIsEmptyAndTakesNothing) {
    browse::ListBoxEntries entries;
    EXPECT_FALSE(entries.HasWindow());
    EXPECT_EQ(entries.Count(), 0);
    EXPECT_EQ(entries.Append(L"a"), -1);
    EXPECT_FALSE(entries.Select(-1));
    platform::UniqueHwnd window = MakeListBox();
    entries.SetWindow(window.get());
    window.reset();
    EXPECT_FALSE(entries.HasWindow()) << "a destroyed list box is no window";
}

TEST_F(ListingTest, AListingShownInAListBoxHasTheSortedListBoxOrder) {
    for (const char* name : {"Beta.txt", "alpha.txt", "_x.txt", "10.txt", "9.txt", "été.txt", "ete.txt"})
        Touch(name);
    platform::UniqueHwnd window = MakeListBox();
    browse::ListBoxEntries entries{window.get()};
    browse::FileListing shown{entries, platform::SystemFileSystem(), cursor};
    shown.SetDirectory(folder.Path());
    SortedListBox reference;
    std::vector<std::wstring> texts;
    for (int i = 0; i < shown.Count(); ++i) texts.push_back(shown.Entry(i));
    for (const std::wstring& text : texts) reference.Add(text);
    EXPECT_EQ(texts.size(), 7u);
    EXPECT_EQ(texts, reference.Entries());
    shown.SelectByName(L"ALPHA.TXT");
    EXPECT_EQ(shown.FilePath(), folder.PathOf("alpha.txt"));
}

}  // namespace
}  // namespace browse_test
