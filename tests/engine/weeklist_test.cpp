#include <gtest/gtest.h>

#include "engine/weeklist.h"

using namespace orv;

struct WeekListRow {
    const char* name;
    const char* list;
    int week;
    WeekListAnswer answer;
};

class WeekLists : public testing::TestWithParam<WeekListRow> {};

TEST_P(WeekLists, Answer)
{
    const auto& r = GetParam();
    EXPECT_EQ(InWeekList(r.list, r.week), r.answer) << '"' << r.list << "\" week " << r.week;
    // The precomputed weeks agree with the membership test.
    if (r.week >= 0 && r.week < 64) {
        EXPECT_EQ(WeeksOccurring(r.list)[static_cast<std::size_t>(r.week)], r.answer != WeekListAnswer::No);
    }
}

using A = WeekListAnswer;
INSTANTIATE_TEST_SUITE_P(
    Table, WeekLists,
    testing::Values(WeekListRow{"empty_every_week", "", 17, A::Yes}, WeekListRow{"single_hit", "1,3,5-7", 3, A::Yes},
                    WeekListRow{"range_end", "1,3,5-7", 7, A::Yes}, WeekListRow{"miss", "1,3,5-7", 4, A::No},
                    WeekListRow{"reversed_range", "7-5", 6, A::No}, WeekListRow{"open_upper", "5-", 5, A::Invalid},
                    WeekListRow{"trailing_comma_zero", "1,3,", 0, A::Yes},
                    WeekListRow{"match_before_junk", "2,x", 2, A::Yes}, WeekListRow{"junk_after_miss", "2,x", 3, A::Invalid},
                    WeekListRow{"blank_is_junk", "1, 2", 2, A::Invalid},
                    WeekListRow{"week_53", "53", 53, A::Yes}, WeekListRow{"two_dashes", "1-2-3", 2, A::Invalid}),
    [](const testing::TestParamInfo<WeekListRow>& p) { return std::string(p.param.name); });

TEST(WeekLists, CreationChecksOnlyWeek54)
{
    EXPECT_TRUE(WeekListAccepted("54,x"));
    EXPECT_FALSE(WeekListAccepted("x,54"));
    EXPECT_FALSE(WeekListAccepted("1-"));
}
