// The phases of the Moon against published instants, and the day count behind
// the tray icon's picture.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>
#include <utility>

#include "builders.h"
#include "engine/moonphase.h"
#include "store/records.h"

using namespace orv;
using orv::test::D;

namespace {

constexpr double Minute = 1.0 / 1440.0;

double Instant(int year, int month, int day, int hour, int minute)
{
    return DateSerial(year, month, day) + (hour * 60 + minute) * Minute;
}

struct PublishedPhase {
    const char* name;
    int kind, month, day, hour, minute;
};

class PhasesOf2024 : public testing::TestWithParam<PublishedPhase> {};

// Asked an hour later, the latest phase of that kind is the published one.
TEST_P(PhasesOf2024, AreWithinTwoMinutes)
{
    const PublishedPhase& p = GetParam();
    const double published = Instant(2024, p.month, p.day, p.hour, p.minute);
    EXPECT_NEAR(LastPhase(p.kind, published + 60 * Minute), published, 2 * Minute);
}

INSTANTIATE_TEST_SUITE_P(Published, PhasesOf2024,
                         testing::Values(PublishedPhase{"FullJune", FullMoon, 6, 22, 1, 8},
                                         PublishedPhase{"NewFebruary", NewMoon, 2, 9, 22, 59},
                                         PublishedPhase{"FirstQuarterJanuary", FirstQuarter, 1, 18, 3, 53},
                                         PublishedPhase{"LastQuarterJanuary", LastQuarter, 1, 4, 3, 30}),
                         [](const auto& row) { return std::string(row.param.name); });

struct DaysCase {
    const char* name;
    double now;
    Date today;
    int offset;
    int expected;
};

class DaysSinceFullMoonTest : public testing::TestWithParam<DaysCase> {};

TEST_P(DaysSinceFullMoonTest, CountsCalendarDays)
{
    const DaysCase& c = GetParam();
    EXPECT_EQ(DaysSinceFullMoon(c.now, c.today, c.offset), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Days, DaysSinceFullMoonTest,
    testing::Values(DaysCase{"FullMoonDayAfterItsInstant", Instant(2024, 1, 25, 18, 0), D(2024, 1, 25), 0, 0},
                    DaysCase{"FullMoonDayBeforeItsInstantCountsDecembers", Instant(2024, 1, 25, 12, 0),
                             D(2024, 1, 25), 0, 29},
                    DaysCase{"LateFullMoonAndTheNextLaterToday", Instant(2024, 12, 15, 8, 0), D(2024, 12, 15), 0, 30},
                    DaysCase{"EastOfGreenwichItFallsAfterMidnight", Instant(2024, 12, 15, 8, 0), D(2024, 12, 15),
                             3 * 3600, 29},
                    DaysCase{"FarWestItFallsTheEveningBefore", Instant(2024, 2, 25, 12, 0), D(2024, 2, 24),
                             -13 * 3600, 1}),
    [](const auto& row) { return std::string(row.param.name); });

// Without an offset given, the local zone of the instant counts.
TEST(DaysSinceFullMoon, TakesTheLocalZoneOfTheInstant)
{
    const Date today = D(2024, 12, 31);
    for (const auto& [zone, offset] : {std::pair{"JST-9", 9 * 3600}, std::pair{"EST5", -5 * 3600}}) {
        ::setenv("TZ", zone, 1);
        ::tzset();
        for (double now = Instant(2024, 11, 1, 0, 0); now < Instant(2025, 1, 1, 0, 0); now += 0.25)
            EXPECT_EQ(DaysSinceFullMoon(now, today), DaysSinceFullMoon(now, today, offset)) << zone << " " << now;
    }
    ::unsetenv("TZ");
    ::tzset();
}

}  // namespace
