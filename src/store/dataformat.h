// The tagged text format of the six data files (data.orv .. week.orv): pure
// readers and writers over memory, with no file access. Each record kind's
// tags are listed once, in one field table that both directions use.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/fileio.h"
#include "store/recordstore.h"
#include "store/records.h"

namespace orv {

// The order in which the files are loaded and saved.
inline constexpr std::array<DataKind, 6> AllDataKinds{DataKind::Addresses, DataKind::Calendar,
                                                      DataKind::Advanced,  DataKind::Annual,
                                                      DataKind::Monthly,   DataKind::Weekly};

std::string_view DataFileName(DataKind kind);    // "cal.orv"
std::string_view DataFileStem(DataKind kind);    // "cal", as the backups are named
std::string_view DataHeaderLine(DataKind kind);  // "<BEGIN:CAL:FILE:VERSION>3.0"

// The outcome of reading one file's text. On failure the records completed
// before the bad line have been appended; the record in progress was dropped.
// `cutShort` is set when the text ends inside a record or without its
// "<END:FILE>" line, or holds fields outside any record: what was complete is
// read, but the file holds more than the lists, so it is kept aside before a
// save replaces it.
struct ParseResult : Result {
    bool cutShort = false;
    // Values longer than kLongestValue (store/textutil.h), cut there when read.
    std::size_t valuesCut = 0;
};

// Each reader appends the file's complete records to `out`. An empty text is an
// empty file; any other text must start with the kind's header line. A record
// read without a "<UID>" (or with one an earlier record of the text has) gets
// one derived from its content, so that two reads of the same text agree.
// A large text is read in `pieces` stretches at once, each on a thread of its
// own (0: one per core for a text of some megabytes, else one); the result is
// the same whatever the number.
ParseResult ParseDataText(std::string_view text, std::vector<AData>& out, std::size_t pieces = 0);
ParseResult ParseDataText(std::string_view text, std::vector<ACal>& out, std::size_t pieces = 0);
ParseResult ParseDataText(std::string_view text, std::vector<AAdv>& out, std::size_t pieces = 0);
ParseResult ParseDataText(std::string_view text, std::vector<AYear>& out, std::size_t pieces = 0);
ParseResult ParseDataText(std::string_view text, std::vector<AMonth>& out, std::size_t pieces = 0);
ParseResult ParseDataText(std::string_view text, std::vector<AWeek>& out, std::size_t pieces = 0);
ParseResult ParseDataText(DataKind kind, std::string_view text, RecordStore& store, std::size_t pieces = 0);

// Days as serials (store/records.h DateSerial), first to last, both included.
struct DayWindow {
    std::int32_t first = 0;
    std::int32_t last = 0;
};

// Where a reader that keeps no copy of a whole file gets its bytes: `readAt`
// puts up to `count` bytes from `offset` into `buffer` and says how many, 0
// past the end, or -1 with the reason in `message`; threads call it at once.
// `size` is the file's size when opened: it only decides where threads start.
struct FileSource {
    std::uint64_t size = 0;
    std::function<std::ptrdiff_t(std::uint64_t offset, char* buffer, std::size_t count, std::string& message)> readAt;
};

// How many bytes such a reader reads at a time; a record longer than that
// makes it read more.
inline constexpr std::size_t kStretchBytes = std::size_t{1} << 20;

// ParseDataText over a source, `stretch` bytes at a time: the same records and
// result, where a failure to read is a failure with the system's reason.
ParseResult ParseDataStream(DataKind kind, const FileSource& source, RecordStore& store, std::size_t pieces = 0,
                            std::size_t stretch = kStretchBytes);

// The calendar events dated within `days` only, for a reader that shows those
// days: every record is read and checked as ParseDataStream does, and the
// result is the same, but only those events are kept, in file order, and
// `places` gets each one's place among the file's records (0 the first).
ParseResult ParseCalendarDays(const FileSource& source, DayWindow days, std::vector<ACal>& out,
                              std::vector<std::int32_t>& places, std::size_t pieces = 0,
                              std::size_t stretch = kStretchBytes);

// The birthdays a reader shows: day d of month m when shown[m][d].
struct BirthdayDays {
    std::array<std::array<bool, 32>, 13> shown{};
};

// The people whose birthday is one of `days` only, for a reader that shows
// those days: every record is read and checked as ParseDataStream does, and
// the result is the same, but only those people are kept, in the order the
// sorted address list (SortAddresses) has them, and `places` gets each one's
// place in that list.
ParseResult ParseBirthdays(const FileSource& source, const BirthdayDays& days, std::vector<AData>& out,
                           std::vector<std::int32_t>& places, std::size_t stretch = kStretchBytes);

// Of each calendar event, only what a list of many days shows: for a reader
// that prints such a list and keeps no record.
struct EventBriefs {
    struct Event {
        std::int32_t date;   // as ACal::Date
        std::int32_t place;  // among the file's records, 0 the first
        std::uint32_t hintAt, hintSize;
        std::uint8_t priority;
    };
    std::vector<Event> events;  // in file order
    std::string hints;
    std::string_view Hint(const Event& e) const { return {hints.data() + e.hintAt, e.hintSize}; }
};

// The events dated within `days` as briefs: every record is read and checked
// as ParseDataStream does, and the result is the same.
ParseResult ParseEventBriefs(const FileSource& source, DayWindow days, EventBriefs& out, std::size_t pieces = 0,
                             std::size_t stretch = kStretchBytes);

// Of each person whose birthday a date can have (day 1..31, month 1..12),
// only what a list of birthdays shows, likewise.
struct BirthdayBriefs {
    struct Person {
        std::int32_t place;  // in the sorted address list (SortAddresses)
        std::uint8_t month, day;
        std::uint32_t at;  // the DateText, Name and Surname, one after the other in texts
        std::uint8_t dateSize;
        std::uint32_t nameSize, surnameSize;
    };
    std::vector<Person> people;  // in the order of the sorted address list
    std::string texts;
    std::string_view DateText(const Person& p) const { return {texts.data() + p.at, p.dateSize}; }
    std::string_view Name(const Person& p) const { return {texts.data() + p.at + p.dateSize, p.nameSize}; }
    std::string_view Surname(const Person& p) const
    {
        return {texts.data() + p.at + p.dateSize + p.nameSize, p.surnameSize};
    }
};

// Those people as briefs: every record is read and checked as
// ParseDataStream does, and the result is the same.
ParseResult ParseBirthdayBriefs(const FileSource& source, BirthdayBriefs& out, std::size_t stretch = kStretchBytes);

// The whole file, header to "<END:FILE>", lines ended by CR LF. A value is one
// line whatever it holds: a line break in a one-line field is written as a
// blank, one in a further line ("<MORE>") as a further line.
std::string SerializeDataText(const std::vector<AData>& list);
std::string SerializeDataText(const std::vector<ACal>& list);
std::string SerializeDataText(const std::vector<AAdv>& list);
std::string SerializeDataText(const std::vector<AYear>& list);
std::string SerializeDataText(const std::vector<AMonth>& list);
std::string SerializeDataText(const std::vector<AWeek>& list);
std::string SerializeDataText(DataKind kind, const RecordStore& store);

// A hash of everything a record stores but its UID: equal for records that
// would be written alike, stable across runs and machines.
std::uint64_t ContentHash(const AData& r);
std::uint64_t ContentHash(const ACal& r);
std::uint64_t ContentHash(const AAdv& r);
std::uint64_t ContentHash(const AYear& r);
std::uint64_t ContentHash(const AMonth& r);
std::uint64_t ContentHash(const AWeek& r);

// Gives every record from `from` on that has no UID, or the UID of a record
// before it, one derived from its content ("orv" and 12 letters or digits, "-2" ..
// added while that is taken). Returns whether any record changed.
bool AssignUids(std::vector<AData>& list, std::size_t from = 0);
bool AssignUids(std::vector<ACal>& list, std::size_t from = 0);
bool AssignUids(std::vector<AAdv>& list, std::size_t from = 0);
bool AssignUids(std::vector<AYear>& list, std::size_t from = 0);
bool AssignUids(std::vector<AMonth>& list, std::size_t from = 0);
bool AssignUids(std::vector<AWeek>& list, std::size_t from = 0);

}  // namespace orv
