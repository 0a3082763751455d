// The six kinds of record the user keeps. Texts are bytes exactly as stored;
// the widgets decide how to decode them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/personfields.h"

namespace orv {

// One address-book entry (data.orv): AData, made of the table of a person's
// fields in store/personfields.h.

// One entry of the never-ending day calendar (cal.orv).
struct ACal {
    std::int32_t Date = 0;  // derived: days since 1899-12-30; sort key
    std::string Hint;
    std::uint8_t Priority = 0;  // 0 high, 1 normal, 2 low
    std::int32_t Day = 0;
    std::int32_t Month = 0;
    std::int32_t Year = 0;
    std::string DateText;  // derived: "Day/Month - Year"
    std::vector<std::string> More;
    // The record's identity, kept through edits, moves and saves; exports
    // (iCalendar, vCard) and sync name the record by it.
    std::string Uid{};
};

// The n-th (or n-th to last) weekday of a month, every year (adv.orv).
struct AAdv {
    bool FromEnd = false;
    std::int32_t Down = 0;  // ordinal 1..5
    std::string Month;      // one of MonthNames ("Febuary" included)
    std::string Day;        // one of DayNames
    std::string Hint;
    // The record's identity, kept through edits, moves and saves; exports
    // (iCalendar, vCard) and sync name the record by it.
    std::string Uid{};
};

// An annually recurrent event (year.orv).
struct AYear {
    std::int32_t Month = 0;
    std::int32_t Day = 0;
    std::string Year;  // first year for counting, empty = no counting
    std::string Hint;
    // The record's identity, kept through edits, moves and saves; exports
    // (iCalendar, vCard) and sync name the record by it.
    std::string Uid{};
};

// A monthly recurrent event (month.orv).
struct AMonth {
    std::int32_t Day = 0;
    std::string Month;  // counting start month, empty or "0" = no counting
    std::string Year;   // counting start year, empty or "0" = no counting
    std::string Hint;
    // The record's identity, kept through edits, moves and saves; exports
    // (iCalendar, vCard) and sync name the record by it.
    std::string Uid{};
};

// A weekly recurrent event (week.orv).
struct AWeek {
    std::int32_t Weekday = 0;  // 1 = Sunday .. 7 = Saturday
    std::string WeekNr;        // week list, e.g. "1,3,5-7"
    std::string Hint;
    // The record's identity, kept through edits, moves and saves; exports
    // (iCalendar, vCard) and sync name the record by it.
    std::string Uid{};
};

// Builds AData::DateText from Day and Month.
void BuildDateText(AData& a);

// Builds ACal::DateText and encodes ACal::Date. Returns false (leaving Date at 0)
// when Day, Month and Year do not form a date of the years 1..9999.
bool EncodeCalendarDate(ACal& c);
// The same without DateText, for a reader that passes most events over.
bool EncodeCalendarSerial(ACal& c);

// Days since 1899-12-30 of a valid date (the serial date of the stored format).
std::int32_t DateSerial(int year, int month, int day);

// The date of a serial day number (days since 1899-12-30).
void SerialToDate(std::int32_t serial, int& year, int& month, int& day);

// The first eight bytes of a text as a number that orders as the texts do,
// byte by byte and a shorter one first, where two such numbers differ.
std::uint64_t OrderKey(std::string_view text);

// The address list's order of records given by their DateText and Name:
// order[k] is the index of the k-th. By DateText, ties by Name (byte-wise,
// stable).
std::vector<std::int32_t> AddressOrder(std::span<const std::string_view> dateTexts,
                                       std::span<const std::string_view> names);

// Orders the address list so, keeping `current` on the record it pointed at.
void SortAddresses(std::vector<AData>& list, int& current);

// Orders the calendar list by Date; equal dates keep their order.
void SortCalendar(std::vector<ACal>& list);
// Adds an event where SortCalendar would put it, after every event of its
// date or earlier, without sorting a list that is in order already.
void AddCalendarEvent(std::vector<ACal>& list, ACal event);

}  // namespace orv
