// Every birthday and calendar event between two typed dates, day by day.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
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

struct PeriodicalResult;

// The lines of a periodical search, kept compactly: a century holds millions
// of them, so a line is its kind, record and date in twelve bytes, and its
// text is made when asked for from a copy of the record texts taken at the
// search (so the lines stay as found whatever the lists do afterwards).
class PeriodicalLines {
public:
    std::size_t size() const { return lines_.size(); }
    bool empty() const { return lines_.empty(); }

    char kind(std::size_t row) const { return lines_[row].kind; }
    int index(std::size_t row) const { return lines_[row].index; }
    // The line's text: "D/M - " (or "M.D - ") and the name or hint.
    std::string text(std::size_t row) const;
    // The text's two parts, "D/M - " and the name or hint, for a writer that
    // copies them where it likes.
    std::pair<std::string_view, std::string_view> TextParts(std::size_t row) const
    {
        const Line& line = lines_[row];
        return {PrefixOf(line), Body(line.body)};
    }
    Occurrence operator[](std::size_t row) const { return {Occurrence::NoDays, kind(row), text(row), index(row)}; }
    // Every line as a table row (Kind, Text, SourceIndex; no days column).
    OccurrenceTable ToTable() const;

private:
    friend PeriodicalResult PeriodicalSearch(const EventFinder&, const TypedDate&, const TypedDate&, bool, bool);
    struct Line {
        std::int32_t index;  // in the address or calendar list
        std::uint32_t body;  // the name or hint in bodies_
        std::uint8_t month, day;
        char kind;
    };
    // Inline: a writer of millions of rows asks for them once a row.
    std::string_view Body(std::uint32_t body) const
    {
        const std::size_t begin = body == 0 ? 0 : bodyEnds_[body - 1];
        return {bodies_.data() + begin, bodyEnds_[body] - begin};
    }
    std::string_view PrefixOf(const Line& line) const
    {
        const Prefix& p = prefixes_[line.month][line.day];
        return {p.text.data(), p.size};
    }

    std::vector<Line> lines_;
    std::string bodies_;                   // the names and hints, one after the other
    std::vector<std::size_t> bodyEnds_;    // where each ends in bodies_
    // "D/M - " (at most "12/31 - ") of every day of the year, by month and day.
    struct Prefix {
        std::array<char, 8> text;
        std::uint8_t size;
    };
    std::array<std::array<Prefix, 32>, 13> prefixes_{};
};

struct PeriodicalResult : Result {  // the message: "Change the 'To-date'" / "Change the 'From-date'"
    PeriodicalLines rows;
};

// The date check of the search: all three parts present, the month 1..12, the
// day 1..the month's length.
bool PeriodDateAcceptable(const TypedDate& d);

// The to-date is checked before the from-date. The from-date is always
// searched, even when it lies after the to-date.
PeriodicalResult PeriodicalSearch(const EventFinder& finder, const TypedDate& from, const TypedDate& to,
                                  bool includeBirthdays, bool includeHints);

// The quick periods: the to-date a week, a month or a year after the from-date.
// A day that the month lacks moves on to the first of the next month.
Date NextWeekTo(Date from);
Date NextMonthTo(Date from);
Date NextYearTo(Date from);

}  // namespace orv
