// The phases of the Moon against published instants, and the day count behind
// the tray icon's picture.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

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

// Sets TZ for one test and puts the old value back.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ")) old_ = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone()
    {
        if (old_) ::setenv("TZ", old_->c_str(), 1);
        else ::unsetenv("TZ");
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> old_;
};

TEST(MoonPhase, MeeusWorkedNewMoonOfFebruary1977)
{
    // Lunation k = -283; JDE 2443192.65118 is 1977-02-18 03:37:42 TD.
    EXPECT_NEAR(PhaseDate(NewMoon, DateSerial(1977, 2, 18)), 2443192.65118 - 2415018.5, 2.0 / 86400.0);
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
                         testing::Values(PublishedPhase{"FullJanuary", FullMoon, 1, 25, 17, 54},
                                         PublishedPhase{"FullJune", FullMoon, 6, 22, 1, 8},
                                         PublishedPhase{"FullDecember", FullMoon, 12, 15, 9, 2},
                                         PublishedPhase{"NewFebruary", NewMoon, 2, 9, 22, 59},
                                         PublishedPhase{"FirstQuarterJanuary", FirstQuarter, 1, 18, 3, 53},
                                         PublishedPhase{"LastQuarterJanuary", LastQuarter, 1, 4, 3, 30}),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(MoonPhase, TheLastPhaseJustBeforeItsInstantIsTheLunationBefore)
{
    // The full moon of January 2024, across the new year to December's.
    const double previous = Instant(2023, 12, 27, 0, 33);
    const double exact = LastPhase(FullMoon, Instant(2024, 1, 25, 17, 54) + 60 * Minute);
    EXPECT_NEAR(LastPhase(FullMoon, exact + Minute), exact, 1e-9);
    EXPECT_NEAR(LastPhase(FullMoon, exact - Minute), previous, 2 * Minute);
    // The phase at the very instant is not yet "earlier than now".
    EXPECT_NEAR(LastPhase(FullMoon, exact), previous, 2 * Minute);
}

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

struct ZoneCase {
    const char* name;
    const char* zone;
    int offset;
};

class DaysSinceFullMoonZone : public testing::TestWithParam<ZoneCase> {};

TEST_P(DaysSinceFullMoonZone, TakesTheLocalZoneOfTheInstant)
{
    const ScopedTimeZone scoped(GetParam().zone);
    const Date today = D(2024, 12, 31);
    for (double now = Instant(2024, 11, 1, 0, 0); now < Instant(2025, 1, 1, 0, 0); now += 0.25)
        ASSERT_EQ(DaysSinceFullMoon(now, today), DaysSinceFullMoon(now, today, GetParam().offset)) << now;
}

INSTANTIATE_TEST_SUITE_P(Zones, DaysSinceFullMoonZone,
                         testing::Values(ZoneCase{"Utc", "UTC0", 0}, ZoneCase{"NineHoursEast", "JST-9", 9 * 3600},
                                         ZoneCase{"FiveHoursWest", "EST5", -5 * 3600}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
