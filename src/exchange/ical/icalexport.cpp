#include "exchange/ical/icalexport.h"

#include <cstdio>
#include <map>
#include <optional>
#include <set>

#include "engine/weeklist.h"
#include "exchange/ical/icallib.h"
#include "exchange/ical/icalweeks.h"
#include "store/textutil.h"
#include "store/utf8.h"

namespace orv {

namespace {

using ical::Component;
using ical::MakeDate;

// The `down`-th `weekday` of a month, counted from its start or its end, as
// occurrence finding reads an advanced event.
std::optional<Date> NthWeekday(int year, int month, int weekday, int down, bool fromEnd)
{
    const int length = DaysInMonth(year, month);
    int day = 0;
    if (!fromEnd) {
        const int first = DayOfWeek(year, month, 1);
        day = 1 + (weekday - first + 7) % 7 + 7 * (down - 1);
    } else {
        const int last = DayOfWeek(year, month, length);
        day = length - (last - weekday + 7) % 7 - 7 * (down - 1);
    }
    if (day < 1 || day > length) return std::nullopt;
    return MakeDate(year, month, day);
}

// Recurring events are written from here on, whatever the period: a receiving
// calendar replaces an event by its UID, so a start that moved with the period
// would wipe the occurrences an earlier export gave. ORV's recurrent events
// have no first day; 1900 is where ORV's own day count begins (its serial
// dates count from 30 December 1899), earlier than any event kept in it, and
// late enough that a reader expanding a rule from its start is not kept busy
// with centuries nobody looks at.
constexpr Date kRecurringFrom{1900, 1, 1};

// The first date on or after `from` of an event on a fixed month and day, or
// on a rule within a month; looks 400 years ahead, a whole calendar cycle.
template <class InYear>
std::optional<Date> FirstYearly(Date from, InYear dateIn)
{
    for (int y = from.Year; y < from.Year + 400 && y <= 9999; ++y) {
        const std::optional<Date> d = dateIn(y);
        if (d && *d >= from) return d;
    }
    return std::nullopt;
}

std::optional<Date> FirstMonthly(Date from, int day)
{
    int y = from.Year, m = from.Month;
    for (int i = 0; i < 4800 && y <= 9999; ++i) {
        if (const auto d = MakeDate(y, m, day); d && *d >= from) return d;
        y = NextYear(y, m);
        m = NextMonth(m);
    }
    return std::nullopt;
}

// Where an event counting from a year (and month) starts: its date in that
// year (month), or the year's (month's) first day when that date does not
// exist there; kRecurringFrom when it does not count or the count is no year
// ORV knows. A fixed property of the record, never of the exported period.
Date CountStart(std::optional<int> year, std::optional<int> month, int day)
{
    if (!year || *year < 1 || *year > 9999) return kRecurringFrom;
    const int m = month ? *month : 1;
    if (m < 1 || m > 12) return kRecurringFrom;
    if (const auto d = MakeDate(*year, m, day)) return *d;
    return *MakeDate(*year, m, 1);
}

std::optional<int> CountNumber(const std::string& text)
{
    if (text.empty() || text == "0") return std::nullopt;
    return ParseInt32(text);
}

std::uint64_t Fnv1a(std::string_view text)
{
    std::uint64_t h = 1469598103934665603ULL;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    return h;
}

// The calendar being written: VEVENTs built with libical, one after the other.
class Writer {
public:
    explicit Writer(const IcalExportOptions& options) : options_(options), numbering_(options.weeks)
    {
        ical::QuietLibical();
        calendar_.reset(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
        icalcomponent_add_property(calendar_.get(), icalproperty_new_version("2.0"));
        icalcomponent_add_property(calendar_.get(), icalproperty_new_prodid("-//ORV//Managing your Events//EN"));
        icalcomponent_add_property(calendar_.get(), icalproperty_new_calscale("GREGORIAN"));
        AddX(calendar_.get(), "X-WR-CALNAME", "ORV");
        stamp_ = icaltime_from_timet_with_zone(options.stamp, 0, icaltimezone_get_utc_timezone());
    }

    // Starts an all-day event on `start`. Its UID is the record's identity
    // (`uid`, with `uidPrefix` where one record gives an event of another
    // kind); a record without one gets a UID derived from kind and key.
    icalcomponent* Begin(std::string_view kind, const std::string& key, const std::string& uid, Date start,
                         const std::string& summary, std::string_view uidPrefix = {})
    {
        Flush();
        event_.reset(icalcomponent_new(ICAL_VEVENT_COMPONENT));
        icalcomponent* e = event_.get();
        icalcomponent_add_property(e, icalproperty_new_uid(UniqueUid(kind, key, uid, uidPrefix).c_str()));
        icalcomponent_add_property(e, icalproperty_new_dtstamp(stamp_));
        // libical writes no valid date after the year 3000 nor in year 1:
        // the dates are written out by Flush.
        dates_ = "DTSTART;VALUE=DATE:" + DateText(start) + "\r\n";
        // All-day: the event ends at the start of the next day (RFC 5545's
        // default, written out for readers that want it said).
        if (start < Date{9999, 12, 31}) dates_ += "DTEND;VALUE=DATE:" + DateText(NextDate(start)) + "\r\n";
        icalcomponent_add_property(e, icalproperty_new_summary(StoredAsUtf8(summary).c_str()));
        ++events_;
        return e;
    }

    // A DATE value of any year 1..9999.
    static std::string DateText(Date d)
    {
        char text[16];
        std::snprintf(text, sizeof text, "%04d%02d%02d", int{d.Year} % 10000, int{d.Month} % 100, int{d.Day} % 100);
        return text;
    }

    static void Rule(icalcomponent* e, const std::string& rule)
    {
        icalcomponent_add_property(e, icalproperty_new_rrule(icalrecurrencetype_from_string(rule.c_str())));
    }

    static void AddX(icalcomponent* c, const char* name, const std::string& value)
    {
        icalproperty* p = icalproperty_new_x(StoredAsUtf8(value).c_str());
        icalproperty_set_x_name(p, name);
        icalcomponent_add_property(c, p);
    }

    void Note(std::string_view file, std::size_t index, const std::string& hint, const std::string& what)
    {
        notes_.push_back(std::string(file) + " record " + std::to_string(index) + " '" + StoredAsUtf8(hint) + "': " + what);
    }

    void Remark(std::string text) { notes_.push_back(std::move(text)); }

    IcalExport Finish()
    {
        Flush();
        IcalExport out;
        out.text = ical::TakeString(icalcomponent_as_ical_string_r(calendar_.get()));
        const std::size_t end = out.text.rfind("END:VCALENDAR");
        out.text.insert(end == std::string::npos ? out.text.size() : end, events_text_);
        out.events = events_;
        out.notes = std::move(notes_);
        return out;
    }

    const IcalExportOptions& options() const { return options_; }
    const ical::WeekNumbering& numbering() const { return numbering_; }

private:
    // Each event is written as soon as it is complete: one calendar holding
    // every event of a lifetime would cost libical far more time and memory.
    void Flush()
    {
        if (!event_) return;
        std::string text = ical::TakeString(icalcomponent_as_ical_string_r(event_.get()));
        // The dates follow DTSTAMP, as libical would have placed them.
        std::size_t at = text.find("\r\nDTSTAMP:");
        at = at == std::string::npos ? std::string::npos : text.find("\r\n", at + 2);
        text.insert(at == std::string::npos ? text.find("\r\n") + 2 : at + 2, dates_);
        events_text_ += text;
        event_.reset();
    }

    // The record's identity as the UID when it has one (stable through
    // renames and moves), else one derived from its content. A UID two
    // records share (a copied file) gets "-2", "-3" .. on the later ones,
    // so that a receiving calendar keeps both.
    std::string UniqueUid(std::string_view kind, const std::string& key, const std::string& uid, std::string_view prefix)
    {
        if (uid.empty()) return IcalUid(kind, key, ++ordinals_[std::string(kind) + '\x1f' + key]);
        const std::string base = std::string(prefix) + StoredAsUtf8(uid);
        std::string out = base;
        for (int n = 2; !uids_.insert(out).second; ++n) out = base + "-" + std::to_string(n);
        return out;
    }

    const IcalExportOptions& options_;
    ical::WeekNumbering numbering_;
    Component calendar_;
    Component event_;
    std::string events_text_;
    icaltimetype stamp_{};
    std::map<std::string, int> ordinals_;
    std::set<std::string> uids_;
    std::string dates_;
    std::vector<std::string> notes_;
    int events_ = 0;
};

std::string Key(std::initializer_list<std::string_view> parts)
{
    std::string key;
    for (std::string_view p : parts) {
        key.append(p);
        key += '\x1f';
    }
    return key;
}

// An event that never occurs from where it starts is named, not written.
void NeverFrom(Writer& w, std::string_view file, std::size_t index, const std::string& hint, Date start)
{
    w.Note(file, index, hint, "never occurs from " + IsoDate(start) + " on; not exported");
}

void Birthdays(Writer& w, const std::vector<AData>& list)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        const AData& a = list[i];
        if (a.Day == 0 && a.Month == 0) continue;  // no birthday given
        const std::string name = ical::PersonName(a);
        if (a.Month < 1 || a.Month > 12 || a.Day < 1 || a.Day > DaysInMonth(2000, a.Month)) {
            w.Note("data.orv", i, name, "the birthday " + a.DateText + " is no date; not exported");
            continue;
        }
        // Other calendars count the age from the first occurrence: start at the birth.
        const Date start = CountStart(a.Year != 0 ? std::optional<int>(a.Year) : std::nullopt, a.Month, a.Day);
        const auto first = FirstYearly(start, [&](int y) { return MakeDate(y, a.Month, a.Day); });
        if (!first) {
            NeverFrom(w, "data.orv", i, name, start);
            continue;
        }
        // The person's vCard carries their UID; the birthday is another object.
        icalcomponent* e = w.Begin("birthday", Key({name, a.DateText, std::to_string(a.Year)}), a.Uid, *first, name,
                                   "birthday-");
        Writer::Rule(e, "FREQ=YEARLY;BYMONTH=" + std::to_string(a.Month) + ";BYMONTHDAY=" + std::to_string(a.Day));
        Writer::AddX(e, "X-ORV-RECORD", "BIRTHDAY");
        if (a.Year != 0) Writer::AddX(e, "X-ORV-COUNT-YEAR", std::to_string(a.Year));
    }
}

// RFC 5545's priorities: 1 highest, 5 medium, 9 lowest.
int IcalPriority(int priority) { return priority == 0 ? 1 : priority == 2 ? 9 : 5; }

void Calendar(Writer& w, const std::vector<ACal>& list)
{
    const IcalExportOptions& o = w.options();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const ACal& c = list[i];
        const auto date = MakeDate(c.Year, c.Month, c.Day);
        if (!date) {
            w.Note("cal.orv", i, c.Hint, "the date " + c.DateText + " is no date; not exported");
            continue;
        }
        if (!o.wholeCalendar && (*date < o.from || *date > o.to)) continue;
        icalcomponent* e = w.Begin("cal", Key({IsoDate(*date), c.Hint}), c.Uid, *date, c.Hint);
        if (!c.More.empty()) {
            std::string text;
            for (std::size_t k = 0; k < c.More.size(); ++k) {
                if (k) text += '\n';
                text += c.More[k];
            }
            icalcomponent_add_property(e, icalproperty_new_description(StoredAsUtf8(text).c_str()));
        }
        icalcomponent_add_property(e, icalproperty_new_priority(IcalPriority(c.Priority)));
    }
}

void Advanced(Writer& w, const std::vector<AAdv>& list)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        const AAdv& a = list[i];
        const auto month = MonthNumber(a.Month);
        const auto weekday = WeekdayNumber(a.Day);
        if (!month || !weekday || a.Down < 1 || a.Down > 5) {
            w.Note("adv.orv", i, a.Hint, "no month, weekday or ordinal ORV knows; it never occurs and is not exported");
            continue;
        }
        const auto first =
            FirstYearly(kRecurringFrom, [&](int y) { return NthWeekday(y, *month, *weekday, a.Down, a.FromEnd); });
        if (!first) {
            NeverFrom(w, "adv.orv", i, a.Hint, kRecurringFrom);
            continue;
        }
        const std::string ordinal = (a.FromEnd ? "-" : "") + std::to_string(a.Down);
        icalcomponent* e = w.Begin("adv", Key({ordinal, a.Month, a.Day, a.Hint}), a.Uid, *first, a.Hint);
        Writer::Rule(e, "FREQ=YEARLY;BYMONTH=" + std::to_string(*month) + ";BYDAY=" + ordinal +
                            std::string(ical::kDayCodes[static_cast<std::size_t>(*weekday)]));
        Writer::AddX(e, "X-ORV-RECORD", "ADVANCED");
    }
}

void Annual(Writer& w, const std::vector<AYear>& list)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        const AYear& a = list[i];
        if (a.Month < 1 || a.Month > 12 || a.Day < 1 || a.Day > DaysInMonth(2000, a.Month)) {
            w.Note("year.orv", i, a.Hint, "day " + std::to_string(a.Day) + " of month " + std::to_string(a.Month) +
                                              " never occurs; not exported");
            continue;
        }
        const Date start = CountStart(CountNumber(a.Year), a.Month, a.Day);
        const auto first = FirstYearly(start, [&](int y) { return MakeDate(y, a.Month, a.Day); });
        if (!first) {
            NeverFrom(w, "year.orv", i, a.Hint, start);
            continue;
        }
        icalcomponent* e =
            w.Begin("year", Key({std::to_string(a.Month), std::to_string(a.Day), a.Hint}), a.Uid, *first, a.Hint);
        Writer::Rule(e, "FREQ=YEARLY;BYMONTH=" + std::to_string(a.Month) + ";BYMONTHDAY=" + std::to_string(a.Day));
        Writer::AddX(e, "X-ORV-RECORD", "ANNUAL");
        if (!a.Year.empty()) Writer::AddX(e, "X-ORV-COUNT-YEAR", a.Year);
    }
}

void Monthly(Writer& w, const std::vector<AMonth>& list)
{
    for (std::size_t i = 0; i < list.size(); ++i) {
        const AMonth& m = list[i];
        if (m.Day < 1 || m.Day > 31) {
            w.Note("month.orv", i, m.Hint, "day " + std::to_string(m.Day) + " never occurs; not exported");
            continue;
        }
        const auto y = CountNumber(m.Year), mo = CountNumber(m.Month);
        const Date start = y && mo ? CountStart(y, mo, m.Day) : kRecurringFrom;
        const auto first = FirstMonthly(start, m.Day);
        if (!first) {
            NeverFrom(w, "month.orv", i, m.Hint, start);
            continue;
        }
        icalcomponent* e = w.Begin("month", Key({std::to_string(m.Day), m.Hint}), m.Uid, *first, m.Hint);
        // A month too short for the day is skipped, as in ORV.
        Writer::Rule(e, "FREQ=MONTHLY;BYMONTHDAY=" + std::to_string(m.Day));
        Writer::AddX(e, "X-ORV-RECORD", "MONTHLY");
        if (!m.Month.empty()) Writer::AddX(e, "X-ORV-COUNT-MONTH", m.Month);
        if (!m.Year.empty()) Writer::AddX(e, "X-ORV-COUNT-YEAR", m.Year);
    }
}

std::string Numbers(const std::vector<int>& list)
{
    std::string out;
    for (const int n : list) out += (out.empty() ? "" : ",") + std::to_string(n);
    return out;
}

void Weekly(Writer& w, const std::vector<AWeek>& list)
{
    const IcalExportOptions& o = w.options();
    const std::string wkst = ";WKST=" + std::string(ical::kDayCodes[static_cast<std::size_t>(o.weeks.WeekStart % 7 + 1)]);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const AWeek& a = list[i];
        const std::bitset<64> weeks = WeeksOccurring(a.WeekNr);
        const auto occurs = [&](Date d) { return weeks[Week1(d.Year, d.Month, d.Day, o.weeks.WeekStart, o.weeks.FirstWeek)]; };
        // Its first day from kRecurringFrom on, within 400 years.
        std::optional<Date> first;
        if (a.Weekday >= 1 && a.Weekday <= 7) {
            Date d = kRecurringFrom;
            while (DayOfWeek(d) != a.Weekday) d = NextDate(d);
            for (int k = 0; k < 21000 && d.Year <= 9999 && !first; ++k, d = AddDays(d, 7))
                if (occurs(d)) first = d;
        }
        if (!first) {
            w.Note("week.orv", i, a.Hint, "no weekday, or weeks " + a.WeekNr + " never hold its weekday; not exported");
            continue;
        }
        const std::string day(ical::kDayCodes[static_cast<std::size_t>(a.Weekday)]);
        icalcomponent* e = w.Begin("week", Key({std::to_string(a.Weekday), a.WeekNr, a.Hint}), a.Uid, *first, a.Hint);
        bool everyWeek = true;
        for (int k = 0; k <= 54; ++k) everyWeek = everyWeek && weeks[static_cast<std::size_t>(k)];
        if (everyWeek) {
            Writer::Rule(e, "FREQ=WEEKLY;BYDAY=" + day);
        } else if (w.numbering().Agrees(a.Weekday, weeks)) {
            // Same days under both numberings: ISO's weeks 1..53 hold them all.
            std::vector<int> numbers;
            for (int k = 1; k <= 53; ++k)
                if (weeks[static_cast<std::size_t>(k)]) numbers.push_back(k);
            Writer::Rule(e, "FREQ=YEARLY;BYWEEKNO=" + Numbers(numbers) + ";BYDAY=" + day + wkst);
        } else {
            // ORV's weeks under these settings are not ISO's: name the days of
            // the year they hold, which is exact in every year.
            Writer::Rule(e, "FREQ=YEARLY;BYYEARDAY=" + Numbers(w.numbering().YearDays(a.Weekday, weeks)) + ";BYDAY=" + day);
        }
        Writer::AddX(e, "X-ORV-RECORD", "WEEKLY");
        if (!a.WeekNr.empty()) Writer::AddX(e, "X-ORV-WEEKS", a.WeekNr);
    }
}

}  // namespace

std::string IcalUid(std::string_view kind, std::string_view key, int ordinal)
{
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(Fnv1a(key)));
    return "orv-" + std::string(kind) + "-" + hash + (ordinal > 1 ? "-" + std::to_string(ordinal) : "") + "@orv";
}

IcalExport ExportICalendar(const RecordStore& records, const IcalExportOptions& options)
{
    Writer w(options);
    const auto valid = [](Date d) { return d.Year >= 1 && d.Year <= 9999 && IsValidDate(d.Year, d.Month, d.Day); };
    if (!valid(options.from) || !valid(options.to) || options.to < options.from) {
        IcalExport empty = w.Finish();
        empty.notes.push_back("no period from " + IsoDate(options.from) + " to " + IsoDate(options.to) + "; nothing exported");
        return empty;
    }
    if (options.from < kRecurringFrom)
        w.Remark("The period starts before " + IsoDate(kRecurringFrom) + ": recurring events are written from then on " +
                 "(or from the date they count from), whatever the period.");
    Birthdays(w, records.addresses());
    Calendar(w, records.calendar());
    Advanced(w, records.advanced());
    Annual(w, records.annual());
    Monthly(w, records.monthly());
    Weekly(w, records.weekly());
    return w.Finish();
}

}  // namespace orv
