#include "exchange/icalexport.h"

#include <cstdio>
#include <map>
#include <optional>

#include "engine/weeklist.h"
#include "exchange/icallib.h"
#include "exchange/icalweeks.h"
#include "store/textutil.h"
#include "store/utf8.h"

namespace orv {

namespace {

using ical::Component;
using ical::DateValue;
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

// The earlier of the date a record counts from (when it is one of its
// occurrences) and its first occurrence in the period.
Date EarlierStart(std::optional<Date> anchor, Date first) { return anchor && *anchor < first ? *anchor : first; }

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

    // Starts an all-day event on `start`; the UID comes from kind and key.
    icalcomponent* Begin(std::string_view kind, const std::string& key, Date start, const std::string& summary)
    {
        Flush();
        event_.reset(icalcomponent_new(ICAL_VEVENT_COMPONENT));
        icalcomponent* e = event_.get();
        const int ordinal = ++ordinals_[std::string(kind) + '\x1f' + key];
        icalcomponent_add_property(e, icalproperty_new_uid(IcalUid(kind, key, ordinal).c_str()));
        icalcomponent_add_property(e, icalproperty_new_dtstamp(stamp_));
        icalcomponent_add_property(e, icalproperty_new_dtstart(DateValue(start)));
        // All-day: the event ends at the start of the next day (RFC 5545's
        // default, written out for readers that want it said).
        if (start < Date{9999, 12, 31}) icalcomponent_add_property(e, icalproperty_new_dtend(DateValue(NextDate(start))));
        icalcomponent_add_property(e, icalproperty_new_summary(StoredAsUtf8(summary).c_str()));
        ++events_;
        return e;
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
        events_text_ += ical::TakeString(icalcomponent_as_ical_string_r(event_.get()));
        event_.reset();
    }

    const IcalExportOptions& options_;
    ical::WeekNumbering numbering_;
    Component calendar_;
    Component event_;
    std::string events_text_;
    icaltimetype stamp_{};
    std::map<std::string, int> ordinals_;
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

void Birthdays(Writer& w, const std::vector<AData>& list)
{
    const Date from = w.options().from;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const AData& a = list[i];
        if (a.Day == 0 && a.Month == 0) continue;  // no birthday given
        const std::string name = ical::PersonName(a);
        if (a.Month < 1 || a.Month > 12 || a.Day < 1 || a.Day > DaysInMonth(2000, a.Month)) {
            w.Note("data.orv", i, name, "the birthday " + a.DateText + " is no date; not exported");
            continue;
        }
        const auto first = FirstYearly(from, [&](int y) { return MakeDate(y, a.Month, a.Day); });
        if (!first) continue;
        // Other calendars count the age from the first occurrence: start at the birth.
        icalcomponent* e = w.Begin("birthday", Key({name, a.DateText, std::to_string(a.Year)}),
                                   EarlierStart(MakeDate(a.Year, a.Month, a.Day), *first), name);
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
        icalcomponent* e = w.Begin("cal", Key({IsoDate(*date), c.Hint}), *date, c.Hint);
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
        const auto first = FirstYearly(w.options().from, [&](int y) { return NthWeekday(y, *month, *weekday, a.Down, a.FromEnd); });
        if (!first) continue;
        const std::string ordinal = (a.FromEnd ? "-" : "") + std::to_string(a.Down);
        icalcomponent* e = w.Begin("adv", Key({ordinal, a.Month, a.Day, a.Hint}), *first, a.Hint);
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
        const auto first = FirstYearly(w.options().from, [&](int y) { return MakeDate(y, a.Month, a.Day); });
        if (!first) continue;
        const auto countFrom = CountNumber(a.Year);
        icalcomponent* e = w.Begin("year", Key({std::to_string(a.Month), std::to_string(a.Day), a.Hint}),
                                   EarlierStart(countFrom ? MakeDate(*countFrom, a.Month, a.Day) : std::nullopt, *first), a.Hint);
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
        const auto first = FirstMonthly(w.options().from, m.Day);
        if (!first) continue;
        const auto y = CountNumber(m.Year), mo = CountNumber(m.Month);
        const auto anchor = y && mo ? MakeDate(*y, *mo, m.Day) : std::nullopt;
        icalcomponent* e = w.Begin("month", Key({std::to_string(m.Day), m.Hint}), EarlierStart(anchor, *first), m.Hint);
        // A month too short for the day is skipped, as in ORV.
        Writer::Rule(e, "FREQ=MONTHLY;BYMONTHDAY=" + std::to_string(m.Day));
        Writer::AddX(e, "X-ORV-RECORD", "MONTHLY");
        if (!m.Month.empty()) Writer::AddX(e, "X-ORV-COUNT-MONTH", m.Month);
        if (!m.Year.empty()) Writer::AddX(e, "X-ORV-COUNT-YEAR", m.Year);
    }
}

std::string WeekSettingsText(const DateSettings& s)
{
    static constexpr const char* rules[] = {"the first full week", "the first 4-day week", "the week of 1 January"};
    const int rule = s.FirstWeek >= 0 && s.FirstWeek <= 2 ? s.FirstWeek : 0;
    return "weeks starting on " + std::string(DayNames[static_cast<std::size_t>(s.WeekStart % 7 + 1)]) +
           ", week 1 being " + rules[rule];
}

void Weekly(Writer& w, const std::vector<AWeek>& list)
{
    const IcalExportOptions& o = w.options();
    const std::string wkst = ";WKST=" + std::string(ical::kDayCodes[static_cast<std::size_t>(o.weeks.WeekStart % 7 + 1)]);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const AWeek& a = list[i];
        const std::bitset<64> weeks = WeeksOccurring(a.WeekNr);
        const auto occurs = [&](Date d) { return weeks[Week1(d.Year, d.Month, d.Day, o.weeks.WeekStart, o.weeks.FirstWeek)]; };
        // Its first day on or after the period's start, within 400 years.
        std::optional<Date> next;
        if (a.Weekday >= 1 && a.Weekday <= 7) {
            Date d = o.from;
            while (DayOfWeek(d) != a.Weekday) d = NextDate(d);
            for (int k = 0; k < 21000 && d.Year <= 9999 && !next; ++k, d = AddDays(d, 7))
                if (occurs(d)) next = d;
        }
        if (!next) {
            w.Note("week.orv", i, a.Hint, "no weekday, or weeks " + a.WeekNr + " never hold its weekday; not exported");
            continue;
        }
        const std::string day(ical::kDayCodes[static_cast<std::size_t>(a.Weekday)]);
        const std::string key = Key({std::to_string(a.Weekday), a.WeekNr, a.Hint});

        bool everyWeek = true;
        for (int k = 0; k <= 54; ++k) everyWeek = everyWeek && weeks[static_cast<std::size_t>(k)];
        if (everyWeek) {
            icalcomponent* e = w.Begin("week", key, *next, a.Hint);
            Writer::Rule(e, "FREQ=WEEKLY;BYDAY=" + day);
            Writer::AddX(e, "X-ORV-RECORD", "WEEKLY");
            if (!a.WeekNr.empty()) Writer::AddX(e, "X-ORV-WEEKS", a.WeekNr);
            continue;
        }
        if (w.numbering().Agrees(a.Weekday, weeks)) {
            // Same days under both numberings: ISO's weeks 1..53 hold them all.
            std::string numbers;
            for (int k = 1; k <= 53; ++k)
                if (weeks[static_cast<std::size_t>(k)]) numbers += (numbers.empty() ? "" : ",") + std::to_string(k);
            icalcomponent* e = w.Begin("week", key, *next, a.Hint);
            Writer::Rule(e, "FREQ=YEARLY;BYWEEKNO=" + numbers + ";BYDAY=" + day + wkst);
            Writer::AddX(e, "X-ORV-RECORD", "WEEKLY");
            Writer::AddX(e, "X-ORV-WEEKS", a.WeekNr);
            continue;
        }
        // Else its days in the period under the user's settings; the next one
        // after it when none falls there, so that the event is not lost.
        std::vector<Date> dates;
        for (Date d = *next; d <= o.to; d = AddDays(d, 7))
            if (occurs(d)) dates.push_back(d);
        if (dates.empty()) dates.push_back(*next);
        icalcomponent* e = w.Begin("week", key, dates.front(), a.Hint);
        for (std::size_t k = 1; k < dates.size(); ++k) {
            icaldatetimeperiodtype p{};
            p.time = DateValue(dates[k]);
            p.period = icalperiodtype_null_period();
            icalcomponent_add_property(e, icalproperty_new_rdate(p));
        }
        const std::string why = "Weeks " + a.WeekNr + " as ORV counts them (" + WeekSettingsText(o.weeks) +
                                ") name other days than ISO 8601 week numbers, which iCalendar uses; its days from " +
                                IsoDate(o.from) + " to " + IsoDate(o.to) +
                                " are listed one by one (or the next one, when none falls there).";
        icalcomponent_add_property(e, icalproperty_new_comment(StoredAsUtf8(why).c_str()));
        Writer::AddX(e, "X-ORV-RECORD", "WEEKLY");
        Writer::AddX(e, "X-ORV-WEEKS", a.WeekNr);
        w.Note("week.orv", i, a.Hint, "weeks " + a.WeekNr + " (" + WeekSettingsText(o.weeks) +
                                          ") name other days than ISO 8601 week numbers; written as " +
                                          std::to_string(dates.size()) + " dates");
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
    Birthdays(w, records.addresses());
    Calendar(w, records.calendar());
    Advanced(w, records.advanced());
    Annual(w, records.annual());
    Monthly(w, records.monthly());
    Weekly(w, records.weekly());
    return w.Finish();
}

}  // namespace orv
