// The calendar collection's items: ORV's events as iCalendar objects (one
// event each, as the iCalendar export writes them), server objects read back
// into records, and a local change written into a server's object by
// replacing only the properties ORV owns.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/ical/icalexport.h"
#include "exchange/ical/icalimport.h"
#include "store/recordstore.h"
#include "sync/syncrecord.h"

namespace orv::sync {

// The item of every event the iCalendar export writes (a VCALENDAR with one
// VEVENT), by its UID: the record's identity, "birthday-" and the person's for
// a birthday. Records the export leaves out (no date they occur on) have none.
std::map<std::string, std::string> EventItems(const RecordStore& records, const IcalExportOptions& options);

// A server object as ORV can hold it.
struct ServerEvent {
    enum class Role {
        Record,    // one record of ORV's lists says exactly this event
        Birthday,  // an ORV birthday: it comes with the person's card
        Dates,     // no record can say it: its dates (and records) stand in, read-only
        Foreign,   // nothing ORV can show (a task, a cancelled event, no date)
    };
    Role role = Role::Foreign;
    std::string uid;
    std::optional<EventRecord> record;      // Role::Record
    std::vector<EventRecord> standIns;      // Role::Dates
    std::string summary;                    // for messages
    std::string reason;                     // Role::Dates and Foreign: why
};
ServerEvent ReadServerEvent(std::string_view text, const IcalImportOptions& options);

// The server's object with the local record's changed field groups (see
// ChangedFields) taken from `local` (the item ORV writes for the record); all
// else stays as the server has it. `base` is the record the server's object
// stood for, so that a timed event keeps its time when only its day moves.
std::string PatchEvent(std::string_view server, std::string_view local, const std::vector<std::string>& changed,
                       const EventRecord* base, const EventRecord* now);

}  // namespace orv::sync
