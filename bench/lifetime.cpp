#include "lifetime.h"

#include <random>

#include "engine/dates.h"
#include "store/datafile.h"

namespace orv::bench {

namespace {

const char* const kFirst[] = {"Anna", "Bo", "Carl", "Dora", "Erik", "Fay", "Gus", "Hanna", "Ivan", "Jo",
                              "Karin", "Lars", "Mia", "Nils", "Ola", "Per", "Rut", "Sven", "Tove", "Ulla"};
const char* const kLast[] = {"Berg", "Lind", "Ek", "Holm", "Strand", "Dahl", "Sund", "Wall", "Nord", "Lund",
                             "Falk", "Borg", "Hed", "Ros", "Sjo", "Vik", "Ahl", "Bjork", "Gran", "Kvist"};
const char* const kWords[] = {"Dentist", "Meeting", "Call", "Lunch with", "Pay", "Review", "Trip to", "Concert",
                              "Birthday party", "Doctor", "Car service", "School", "Deadline", "Dinner", "Match"};

}  // namespace

void MakeLifetime(Lifetime& out, double scale)
{
    std::mt19937 rng(20261206);
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    auto count = [&](int n) { return static_cast<int>(n * scale); };
    auto word = [&] { return std::string(kWords[pick(15)]); };

    auto& addresses = out.store.editAddresses();
    for (int i = 0; i < count(20000); ++i) {
        AData a;
        a.Name = kFirst[pick(20)];
        a.Surname = std::string(kLast[pick(20)]) + std::to_string(i);
        a.Address = "Street " + std::to_string(pick(200));
        a.City = "Town " + std::to_string(pick(50));
        a.Tele1 = "0" + std::to_string(1000 + pick(9000)) + " " + std::to_string(100000 + pick(900000));
        a.Email1 = "p" + std::to_string(i) + "@example.org";
        if (pick(10) != 0) {
            a.Month = 1 + pick(12);
            a.Day = 1 + pick(DaysInMonth(2001, a.Month));
            a.Year = 1930 + pick(90);
        }
        if (pick(4) == 0) a.More = {"Met at work", "Likes tea"};
        BuildDateText(a);
        addresses.push_back(std::move(a));
    }
    out.store.SortAddresses();

    auto& calendar = out.store.editCalendar();
    const std::int32_t first = DayNumber(Date{1990, 1, 1});
    const std::int32_t span = DayNumber(Date{2060, 12, 31}) - first + 1;
    for (int i = 0; i < count(200000); ++i) {
        const Date d = FromDayNumber(first + static_cast<std::int32_t>(static_cast<long long>(i) * span / count(200000)));
        ACal c;
        c.Hint = word() + " " + std::to_string(i);
        c.Priority = static_cast<std::uint8_t>(pick(6) == 0 ? 0 : pick(4) == 0 ? 2 : 1);
        c.Day = d.Day;
        c.Month = d.Month;
        c.Year = d.Year;
        if (pick(5) == 0) c.More = {"Bring the papers"};
        EncodeCalendarDate(c);
        calendar.push_back(std::move(c));
    }

    const char* const lists[] = {"", "", "1-26", "1,3,5-7,40-52", "27-53", "2,4,6,8,10"};
    for (int i = 0; i < count(2000); ++i)
        out.store.editWeekly().push_back(AWeek{1 + pick(7), lists[pick(6)], word() + " weekly " + std::to_string(i)});
    for (int i = 0; i < count(2000); ++i) {
        const bool counting = pick(3) == 0;
        out.store.editMonthly().push_back(AMonth{1 + pick(31), counting ? std::to_string(1 + pick(12)) : "",
                                                 counting ? std::to_string(1990 + pick(30)) : "",
                                                 word() + " monthly " + std::to_string(i)});
    }
    for (int i = 0; i < count(2000); ++i) {
        const int month = 1 + pick(12);
        out.store.editAnnual().push_back(AYear{month, 1 + pick(DaysInMonth(2001, month)),
                                               pick(2) == 0 ? std::to_string(1950 + pick(70)) : "",
                                               word() + " annual " + std::to_string(i)});
    }
    for (int i = 0; i < count(1000); ++i)
        out.store.editAdvanced().push_back(AAdv{pick(2) == 0, 1 + pick(5), std::string(MonthNames[static_cast<std::size_t>(1 + pick(12))]),
                                                std::string(DayNames[static_cast<std::size_t>(1 + pick(7))]),
                                                word() + " advanced " + std::to_string(i)});
    for (int i = 0; i < 100; ++i) {
        out.todos.Top.push_back("Top item " + std::to_string(i));
        out.todos.Bottom.push_back("Bottom item " + std::to_string(i));
        out.todos.EveryDay.push_back("Every day " + std::to_string(i));
        out.todos.TodayEveryDay.push_back("Every day " + std::to_string(i));
    }
}

bool WriteLifetime(const Lifetime& data, const std::string& folder)
{
    if (!EnsureFolder(folder)) return false;
    DataFiles files(folder);
    RecordStore store = data.store;  // a save gives records their identities
    for (const auto& report : files.SaveAll(store))
        if (!report.ok) return false;
    TodoFiles todos(folder);
    return todos.Save(data.todos).ok;
}

const Lifetime& SharedLifetime()
{
    static const Lifetime data = [] {
        Lifetime d;
        MakeLifetime(d);
        return d;
    }();
    return data;
}

}  // namespace orv::bench
