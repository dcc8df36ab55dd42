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
    std::vector<std::string> order;
    std::vector<int> landing;
};

Planned Plan(const std::vector<std::string>& texts) {
    std::vector<std::string> keys;
    for (const std::string& text : texts) keys.push_back(browse::ListSortKey(text));
    browse::InsertPlan plan = browse::PlanSortedInserts(keys);
    Planned planned;
    for (size_t i : plan.order) planned.order.push_back(texts[i]);
    for (size_t i : plan.landing) planned.landing.push_back(static_cast<int>(i));
    return planned;
}

void ExpectAsTheListBox(const std::vector<std::string>& texts) {
    SortedListBox reference;
    std::vector<int> landing;
    for (const std::string& text : texts) landing.push_back(reference.Add(text));
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
    ExpectAsTheListBox({"b.txt", "a.txt", "[..]", "[.]", "[sub]", "_x.txt", "-x.txt", "x-y.txt", "xy.txt",
                        "x_y.txt", "x y.txt", "x'y.txt", "10.txt", "9.txt", "1.txt", "01.txt", "\xE9t\xE9.txt",
                        "e.txt", "\xC9TE.txt", "z.txt", "~a.txt", "!a.txt", "#a.txt", "(a).txt", "a(b).txt",
                        "a[b].txt", "a.b.txt", "ab.txt", "a..txt", "co-op.txt", "coop.txt", "co\x96op.txt",
                        "\xFC.txt", "u.txt", "\xFF.txt", "{a}.txt", "^a.txt", "+a.txt", "=a.txt", "@a.txt",
                        "a\xAD" "b.txt", "a,b.txt", "a;b.txt"});
}

// Texts that compare equal land where the list box's binary search first meets one of them.
TEST(SortedOrderTest, EqualTextsLandWhereTheListBoxPutsThem) {
    ExpectAsTheListBox({"m", "a", "z", "M", "m", "m", "M", "m", "b", "m"});
    const std::vector<std::string> alphabet = {"a", "A", "b", "B", "ss", "SS", "\xDF", "ae", "\xE6", "AE", "\xC6",
                                               "c", "d", "e"};
    std::mt19937 random(20240601);
    for (int round = 0; round < 20; ++round) {
        std::vector<std::string> texts;
        std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
        for (int i = 0; i < 150; ++i) texts.push_back(alphabet[pick(random)]);
        SCOPED_TRACE(round);
        ExpectAsTheListBox(texts);
    }
}

}  // namespace
}  // namespace browse_test
