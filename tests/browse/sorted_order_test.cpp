// The planned order and landing indices must be exactly what the platform's sorted list box
// does when the same entries are added to it one by one, equal texts included.
#include "listing_fixture.h"

#include "browse/list_collation.h"
#include "browse/sorted_insert_plan.h"

#include <algorithm>
#include <random>

namespace browse_test {
namespace {

struct Planned {
    std::vector<std::wstring> order;
    std::vector<int> landing;
};

Planned Plan(const std::vector<std::wstring>& texts) {
    std::vector<std::string> keys;
    for (const std::wstring& text : texts) keys.push_back(browse::ListSortKey(text));
    browse::InsertPlan plan = browse::PlanSortedInserts(keys);
    Planned planned;
    for (size_t i : plan.order) planned.order.push_back(texts[i]);
    for (size_t i : plan.landing) planned.landing.push_back(static_cast<int>(i));
    return planned;
}

void ExpectAsTheListBox(const std::vector<std::wstring>& texts) {
    SortedListBox reference;
    std::vector<int> landing;
    for (const std::wstring& text : texts) landing.push_back(reference.Add(text));
    Planned planned = Plan(texts);
    EXPECT_EQ(planned.landing, landing);
    EXPECT_EQ(planned.order, reference.Entries());
    browse::EarlyLandings early(5);  // watching few indexes lets most keys go
    for (size_t i = 0; i < texts.size(); ++i) {
        const int told = static_cast<int>(early.Add(browse::ListSortKey(texts[i])));
        EXPECT_EQ(std::min(told, 6), std::min(landing[i], 6)) << i;
    }
}

TEST(SortedOrderTest, NoEntriesPlanNothing) {
    browse::InsertPlan plan = browse::PlanSortedInserts({});
    EXPECT_TRUE(plan.order.empty());
    EXPECT_TRUE(plan.landing.empty());
}

TEST(SortedOrderTest, PunctuationDigitsBracketsAndAccentsSortAsInTheListBox) {
    ExpectAsTheListBox({L"b.txt", L"a.txt", L"[..]", L"[.]", L"[sub]", L"_x.txt", L"-x.txt", L"x-y.txt", L"xy.txt",
                        L"x_y.txt", L"x y.txt", L"x'y.txt", L"10.txt", L"9.txt", L"1.txt", L"01.txt",
                        L"\u00E9t\u00E9.txt", L"e.txt", L"\u00C9TE.txt", L"z.txt", L"~a.txt", L"!a.txt", L"#a.txt",
                        L"(a).txt", L"a(b).txt", L"a[b].txt", L"a.b.txt", L"ab.txt", L"a..txt", L"co-op.txt",
                        L"coop.txt", L"co\u2013op.txt", L"\u00FC.txt", L"u.txt", L"\u00FF.txt", L"{a}.txt", L"^a.txt",
                        L"+a.txt", L"=a.txt", L"@a.txt", L"a\u00ADb.txt", L"a,b.txt", L"a;b.txt"});
}

// Texts that compare equal land where the list box's binary search first meets one of them.
TEST(SortedOrderTest, EqualTextsLandWhereTheListBoxPutsThem) {
    ExpectAsTheListBox({L"m", L"a", L"z", L"M", L"m", L"m", L"M", L"m", L"b", L"m"});
    const std::vector<std::wstring> alphabet = {L"a",  L"A",      L"b",  L"B",      L"ss", L"SS", L"\u00DF",
                                                L"ae", L"\u00E6", L"AE", L"\u00C6", L"c",  L"d",  L"e"};
    std::mt19937 random(20240601);
    for (int round = 0; round < 20; ++round) {
        std::vector<std::wstring> texts;
        std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
        for (int i = 0; i < 150; ++i) texts.push_back(alphabet[pick(random)]);
        SCOPED_TRACE(round);
        ExpectAsTheListBox(texts);
    }
}

}  // namespace
}  // namespace browse_test
