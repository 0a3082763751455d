// Writes ORV's events as an iCalendar file (RFC 5545) for other calendars:
// calendar events as all-day events, weekly, monthly, annual and advanced
// events and birthdays as recurring all-day events.
#pragma once

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "engine/dates.h"
#include "store/recordstore.h"

namespace orv {

struct IcalExportOptions {
    // The exported period: calendar events dated in it are written (all of
    // them with `wholeCalendar`). Recurring events do not depend on it, so
    // that a later export imported over an earlier one keeps every
    // occurrence: each starts at its first occurrence from the date it counts
    // from (a birthday from the birth), else from 1 January 1900, and its rule
    // gives exactly ORV's days, week lists included.
    Date from;
    Date to;
    bool wholeCalendar = false;
    // DTSTAMP of every event, seconds since the epoch (UTC).
    std::time_t stamp = 0;
    // WeekStart and FirstWeek: how ORV numbers the weeks of a week list.
    DateSettings weeks;
};

struct IcalExport {
    std::string text;  // the file: UTF-8, CR LF line ends, lines folded at 75 octets
    int events = 0;    // VEVENTs written
    // Records left out and why: one line each, naming the file and the
    // record's index in its list.
    std::vector<std::string> notes;
};

IcalExport ExportICalendar(const RecordStore& records, const IcalExportOptions& options);

// The UID of an event whose record has no identity (`Uid` empty): derived from
// the record's kind and identifying texts (not from its place in a list), so
// that a second export updates the events of the first in the receiving
// calendar instead of adding them again. Equal records get "-2", "-3" .. in
// list order. A record with an identity is exported under it, a birthday as
// "birthday-" and the person's.
std::string IcalUid(std::string_view kind, std::string_view key, int ordinal);

}  // namespace orv
