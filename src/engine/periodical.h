// Every birthday and calendar event between two typed dates, day by day.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/eventfinder.h"
#include "store/result.h"

namespace orv {

// A date as typed into three entries; an empty entry is nullopt.
struct TypedDate {
    std::optional<int> Year, Month, Day;
    // The date typed; only for one that PeriodDateAcceptable accepts.
    Date date() const
    {
        return Date{static_cast<std::uint16_t>(*Year), static_cast<std::uint16_t>(*Month),
                    static_cast<std::uint16_t>(*Day)};
    }
};

class PeriodicalBuilder;

// The lines of a periodical search, kept compactly: a century holds millions
// of them, nearly all birthdays that come round every year. So a line is not
// stored: the period is kept as its days, each with the people born on its
// day of the year and its own calendar events, and a line is found from its
// row. Texts come from a copy of the record texts taken at the search (so the
// lines stay as found whatever the lists do afterwards).
class PeriodicalLines {
public:
    std::size_t size() const { return days_.empty() ? 0 : days_.back().rowsBefore; }
    bool empty() const { return size() == 0; }

    char kind(std::size_t row) const { return At(row).entry->kind; }
    int index(std::size_t row) const { return At(row).entry->index; }
    // The line's text: "D/M - " (or "M.D - ") and the name or hint.
    std::string text(std::size_t row) const;
    // The text's two parts, "D/M - " and the name or hint.
    std::pair<std::string_view, std::string_view> TextParts(std::size_t row) const
    {
        const Found f = At(row);
        return {PrefixOf(*f.day), Body(*f.entry)};
    }
    Occurrence operator[](std::size_t row) const { return {Occurrence::NoDays, kind(row), text(row), index(row)}; }
    // Every line as a table row (Kind, Text, SourceIndex; no days column).
    OccurrenceTable ToTable() const;

    // A day of the year (month 1..12, day 1..31) as a number below kGroups,
    // for tables by day of the year.
    static constexpr std::size_t kGroups = 13 * 32;
    static constexpr std::size_t Group(int month, int day) { return static_cast<std::size_t>(month * 32 + day); }

    // A line as kept: its kind, record and name or hint (see Body).
    struct Entry {
        std::int32_t index;  // in the address or calendar list
        std::uint32_t bodyAt, bodySize;  // the name or hint in bodies_
        char kind;
    };
    std::string_view Body(const Entry& e) const { return {bodies_.data() + e.bodyAt, e.bodySize}; }
    // The lines of one day: its birthdays, the same every year, then its events.
    struct DayLines {
        std::uint8_t month, day;
        std::string_view prefix;  // "D/M - "
        std::span<const Entry> born, events;
    };
    // Calls f(DayLines) for every day with lines, in order, for a writer of
    // them all: with no search per row, and a day's birthdays as one block.
    template <class F>
    void ForEachDay(F&& f) const
    {
        for (std::size_t d = 0; d + 1 < days_.size(); ++d) {
            const Day& day = days_[d];
            const std::size_t group = Group(day.month, day.day);
            f(DayLines{day.month, day.day, PrefixOf(day),
                       {people_.data() + peopleBegin_[group], peopleBegin_[group + 1] - peopleBegin_[group]},
                       {events_.data() + day.eventsBefore, days_[d + 1].eventsBefore - day.eventsBefore}});
        }
    }
    // f(kind, "D/M - ", name or hint, index) for every line in order.
    template <class F>
    void ForEach(F&& f) const
    {
        ForEachDay([&](const DayLines& day) {
            for (const Entry& e : day.born) f(e.kind, day.prefix, Body(e), e.index);
            for (const Entry& e : day.events) f(e.kind, day.prefix, Body(e), e.index);
        });
    }

private:
    friend class PeriodicalBuilder;
    // A day of the period with at least one line; a last one after them
    // holds the totals.
    struct Day {
        std::uint64_t rowsBefore;  // a long period of a large book passes 2^32
        std::uint32_t eventsBefore;
        std::uint8_t month, day;
    };
    struct Found {
        const Day* day;
        const Entry* entry;
    };
    Found At(std::size_t row) const;
    std::string_view PrefixOf(const Day& day) const
    {
        const Prefix& p = prefixes_[day.month][day.day];
        return {p.text.data(), p.size};
    }

    std::vector<Day> days_;
    std::vector<Entry> people_;  // by day of the year, in list order within a day
    // The people born on day d of month m: people_[peopleBegin_[Group(m, d)]]
    // up to the next group's begin.
    std::array<std::uint32_t, kGroups + 1> peopleBegin_{};
    std::vector<Entry> events_;  // in the period's order
    std::string bodies_;         // the names and hints, one after the other
    // "D/M - " (at most "12/31 - ") of every day of the year, by month and day.
    struct Prefix {
        std::array<char, 8> text;
        std::uint8_t size;
    };
    std::array<std::array<Prefix, 32>, 13> prefixes_{};
};

// Builds the lines of a period from its people and calendar events, for
// whoever has read them: the search below from the lists, a reader of the
// files from their briefs.
class PeriodicalBuilder {
public:
    // Day numbers (see DayNumber), first to last.
    PeriodicalBuilder(std::int32_t first, std::int32_t last, const DateSettings& settings);
    // Whether the period meets day `day` of month `month` in some year: only
    // those birthdays can be listed.
    bool Meets(int month, int day) const { return met_[PeriodicalLines::Group(month, day)]; }
    // A person born on day/month: a line on that day every year of the
    // period. People of one day are listed in the order they are given.
    void Person(int month, int day, int index, std::string_view name, std::string_view surname);
    // A calendar event of the period; events of one day are listed in the
    // order they are given.
    void Event(std::int32_t dayNumber, int index, std::uint8_t priority, std::string_view hint);
    // Room for that many events and bytes of names and hints, taken at once.
    void Reserve(std::size_t events, std::size_t textBytes);
    PeriodicalLines Finish();

private:
    struct Born {
        std::size_t group;
        PeriodicalLines::Entry entry;
    };
    std::uint32_t Body(std::string_view text);
    std::int32_t first_, last_;
    std::array<bool, PeriodicalLines::kGroups> met_{};
    std::vector<Born> people_;
    std::vector<std::int32_t> eventDays_;  // of each event in lines_.events_
    PeriodicalLines lines_;
};

struct PeriodicalResult : Result {  // the message: "Change the 'To-date'" / "Change the 'From-date'"
    PeriodicalLines rows;
};

// The date check of the search: all three parts present, the month 1..12, the
// day 1..the month's length.
bool PeriodDateAcceptable(const TypedDate& d);

// The period's first and last day numbers (see DayNumber), or its refusal
// as the search gives it. The to-date is checked before the from-date. The
// from-date is always searched, even when it lies after the to-date.
struct PeriodDays : Result {
    std::int32_t first = 0, last = 0;
};
PeriodDays PeriodicalDays(const TypedDate& from, const TypedDate& to);

PeriodicalResult PeriodicalSearch(const EventFinder& finder, const TypedDate& from, const TypedDate& to,
                                  bool includeBirthdays, bool includeHints);

// The quick periods: the to-date a week, a month or a year after the from-date.
// A day that the month lacks moves on to the first of the next month.
Date NextWeekTo(Date from);
Date NextMonthTo(Date from);
Date NextYearTo(Date from);

}  // namespace orv
