// Lookup tables over the record lists, so that finding what occurs on a date
// costs the matches, not a scan of every list. Each part is rebuilt when its
// list's generation changes, so a query never sees a stale index.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <utility>
#include <vector>

#include "store/recordstore.h"

namespace orv {

class EventIndex {
public:
    explicit EventIndex(const RecordStore& store) : store_(store) {}

    const RecordStore& store() const { return store_; }

    // Indexes of addresses whose birthday key is day/month, in list order.
    const std::vector<int>& Birthdays(int month, int day) const;
    // Calendar events of one day number (see DayNumber), in list order.
    std::pair<const int*, const int*> CalendarOn(std::int32_t dayNumber) const;
    // Calendar events in [firstDay, lastDay] as (dayNumber, index), by day then list order.
    std::pair<const std::pair<std::int32_t, int>*, const std::pair<std::int32_t, int>*>
    CalendarBetween(std::int32_t firstDay, std::int32_t lastDay) const;
    const std::vector<int>& WeeklyOn(int weekday) const;  // weekday 1..7
    bool WeeklyInWeek(int index, int week) const;
    const std::vector<int>& MonthlyOn(int day) const;
    const std::vector<int>& AnnualOn(int month, int day) const;
    const std::vector<int>& AdvancedOn(int month, int weekday) const;
    // Address indexes in name order (see nameorder.h), for the people search
    // and the "Go to" list.
    const std::vector<int>& PeopleOrder() const;

private:
    enum Part { Addresses, People, Calendar, Weekly, Monthly, Annual, Advanced, PartCount };
    // Marks the parts whose list changed; each part is built when first asked for.
    bool Stale(Part part) const;
    void BuildAddresses() const;
    void BuildPeople() const;
    void BuildCalendar() const;
    void BuildWeekly() const;
    void BuildMonthly() const;
    void BuildAnnual() const;
    void BuildAdvanced() const;

    const RecordStore& store_;
    mutable std::array<bool, PartCount> built_{};
    mutable std::array<std::uint64_t, PartCount> seen_{};
    mutable std::array<std::array<std::vector<int>, 32>, 13> birthdays_{};
    mutable std::vector<int> peopleOrder_;
    mutable std::vector<std::pair<std::int32_t, int>> calendar_;  // (day number, index), sorted
    mutable std::vector<int> calendarIndexes_;                     // the second halves, for CalendarOn
    mutable std::array<std::vector<int>, 8> weekly_{};
    mutable std::vector<std::bitset<64>> weeklyWeeks_;
    mutable std::array<std::vector<int>, 32> monthly_{};
    mutable std::array<std::array<std::vector<int>, 32>, 13> annual_{};
    mutable std::array<std::array<std::vector<int>, 8>, 13> advanced_{};
    static const std::vector<int> empty_;
};

}  // namespace orv
