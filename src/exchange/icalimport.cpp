#include "exchange/icalimport.h"

#include <algorithm>
#include <bitset>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <tuple>
#include <utility>
#include <variant>

#include "engine/weeklist.h"
#include "exchange/icallib.h"
#include "exchange/icalweeks.h"
#include "store/textutil.h"

namespace orv {

namespace {

using ical::Component;
using ical::MakeDate;

// A rule is followed for this many steps at most (27 years of a daily
// event): it keeps a hostile file from running on. The summary says when a
// rule was cut.
constexpr int kMaxSteps = 10000;

std::tm SystemLocalTime(std::time_t t)
{
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

std::string Text(const char* s) { return s ? s : ""; }

// Further text, one item per line; a final empty line is kept as an item, so
// that the further lines ORV exported (joined by line breaks) come back whole.
std::vector<std::string> Lines(std::string_view text)
{
    std::vector<std::string> lines = LinesOf(text);
    if (!text.empty() && (text.back() == '\n' || text.back() == '\r')) lines.emplace_back();
    return lines;
}

std::string XValue(icalcomponent* e, std::string_view name)
{
    for (icalproperty* p = icalcomponent_get_first_property(e, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(e, ICAL_X_PROPERTY)) {
        const char* n = icalproperty_get_x_name(p);
        if (n && name == n) return OneLine(Text(icalproperty_get_x(p)));
    }
    return {};
}

int CountProperties(icalcomponent* e, icalproperty_kind kind)
{
    int n = 0;
    for (icalproperty* p = icalcomponent_get_first_property(e, kind); p; p = icalcomponent_get_next_property(e, kind)) ++n;
    return n;
}

// The values of one BY list of a rule, up to its end marker.
std::vector<short> By(const short* list, std::size_t size)
{
    std::vector<short> values;
    for (std::size_t i = 0; i < size && list[i] != ICAL_RECURRENCE_ARRAY_MAX; ++i) values.push_back(list[i]);
    return values;
}
#define ORV_BY(rule, field) By((rule).field, sizeof((rule).field) / sizeof((rule).field[0]))

struct DayRule {
    int weekday = 0;   // 1 Sunday .. 7 Saturday
    int position = 0;  // 0: every such day; else the n-th, negative from the end
};

// What the file's rule turned into: records of one kind, or why not.
using Records = std::variant<std::vector<AWeek>, std::vector<AMonth>, std::vector<AYear>, std::vector<AAdv>>;
struct Expressed {
    std::optional<Records> records;
    std::string reason;
};

Expressed Refuse(std::string reason) { return {std::nullopt, std::move(reason)}; }

// What makes two records of a kind equal.
auto KeyOf(const ACal& c) { return std::make_tuple(c.Year, c.Month, c.Day, c.Hint, int{c.Priority}, c.More); }
auto KeyOf(const AWeek& r) { return std::make_tuple(r.Weekday, r.WeekNr, r.Hint); }
auto KeyOf(const AMonth& r) { return std::make_tuple(r.Day, r.Month, r.Year, r.Hint); }
auto KeyOf(const AYear& r) { return std::make_tuple(r.Month, r.Day, r.Year, r.Hint); }
auto KeyOf(const AAdv& r) { return std::make_tuple(r.FromEnd, r.Down, r.Month, r.Day, r.Hint); }
template <class Rec>
using KeyCounts = std::map<decltype(KeyOf(std::declval<Rec>())), int>;

class Importer {
public:
    Importer(const RecordStore& existing, const IcalImportOptions& options)
        : options_(options), numbering_(options.weeks)
    {
        if (!options_.localTime) options_.localTime = SystemLocalTime;
        for (const ACal& c : existing.calendar()) Existing(c);
        for (const AWeek& r : existing.weekly()) Existing(r);
        for (const AMonth& r : existing.monthly()) Existing(r);
        for (const AYear& r : existing.annual()) Existing(r);
        for (const AAdv& r : existing.advanced()) Existing(r);
        for (const AData& a : existing.addresses()) birthdays_.insert({ical::PersonName(a), a.Month, a.Day});
        const auto held = [this](const auto& list) {
            for (const auto& r : list)
                if (!r.Uid.empty()) identities_.insert(r.Uid);
        };
        held(existing.addresses());
        held(existing.calendar());
        held(existing.weekly());
        held(existing.monthly());
        held(existing.annual());
        held(existing.advanced());
    }

    void Collect(icalcomponent* root)
    {
        std::vector<icalcomponent*> calendars;
        if (icalcomponent_isa(root) == ICAL_VCALENDAR_COMPONENT) calendars.push_back(root);
        for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT); c;
             c = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT))
            calendars.push_back(c);
        for (icalcomponent* cal : calendars) {
            sawCalendar_ = true;
            for (icalcomponent* e = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); e;
                 e = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT)) {
                events_.push_back(e);
                // A changed instance replaces its occurrence of the series.
                const icaltimetype rid = icalcomponent_get_recurrenceid(e);
                if (!icaltime_is_null_time(rid))
                    if (const auto d = DateOf(rid)) changed_[Text(icalcomponent_get_uid(e))].insert(*d);
            }
        }
    }

    bool sawCalendar() const { return sawCalendar_; }

    void Plan()
    {
        for (icalcomponent* e : events_) Event(e);
    }

    IcalPlan plan;

private:
    std::optional<Date> DateOf(icaltimetype t) const
    {
        if (icaltime_is_null_time(t)) return std::nullopt;
        if (!t.is_date && icaltime_is_utc(t)) {
            const std::tm tm = options_.localTime(icaltime_as_timet(t));
            return MakeDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
        }
        return MakeDate(t.year, t.month, t.day);
    }

    void Skip(const std::string& summary, std::string reason) { plan.skipped.push_back({summary, std::move(reason)}); }

    void Event(icalcomponent* e)
    {
        const std::string given = Text(icalcomponent_get_summary(e));
        const std::string summary = OneLine(given);
        // A hint is one line in ORV's files: the summary shows what became of it.
        if (HasLineBreak(given)) plan.flattened.push_back(summary);
        if (icalcomponent_get_status(e) == ICAL_STATUS_CANCELLED) return Skip(summary, "cancelled");
        const icaltimetype start = icalcomponent_get_dtstart(e);
        const std::optional<Date> date = DateOf(start);
        if (!date) return Skip(summary, "no start date ORV can take (years 1 to 9999)");

        ACal base;
        base.Hint = summary;
        base.Priority = Priority(e);
        base.More = More(e, start, *date);

        const bool instance = !icaltime_is_null_time(icalcomponent_get_recurrenceid(e));
        const std::string uid = Text(icalcomponent_get_uid(e));
        if (!instance && !uid.empty() && !uids_.insert(uid).second) return Skip(summary, "its UID came before");
        // The records keep the event's identity; a changed instance is a
        // record of its own beside the series.
        std::string identity = OneLine(uid);
        if (instance && !identity.empty())
            if (const auto d = DateOf(icalcomponent_get_recurrenceid(e))) identity += "-" + DateKey(*d);
        base.Uid = identity;

        const int rules = CountProperties(e, ICAL_RRULE_PROPERTY);
        const bool rdates = CountProperties(e, ICAL_RDATE_PROPERTY) > 0;
        const bool byOrv = !XValue(e, "X-ORV-RECORD").empty();
        // ORV writes a weekly event whose weeks iCalendar cannot number as its
        // dates, which may be a single one.
        const std::string weeks = byOrv ? XValue(e, "X-ORV-WEEKS") : std::string();
        if ((rules == 0 && !rdates && weeks.empty()) || instance) return AddCalendar(base, *date);

        std::string ruleText = "RDATE";
        Expressed result;
        if (rules == 0) {
            if (!weeks.empty())
                result.records = std::vector<AWeek>{AWeek{DayOfWeek(*date), weeks, summary, {}}};
            else
                result = Refuse("it happens on listed dates (RDATE)");
        } else {
            icalproperty* p = icalcomponent_get_first_property(e, ICAL_RRULE_PROPERTY);
            icalrecurrencetype rule = icalproperty_get_rrule(p);
            ruleText = "RRULE:" + ical::TakeString(icalrecurrencetype_as_string_r(&rule));
            result = rules > 1 ? Refuse("it has more than one rule (RRULE)") : Express(rule, *date, summary, e);
            // A rule ORV can say, but not all of the event's dates.
            if (!result.records) {
                // the rule's own reason stands
            } else if (rdates) {
                result = Refuse("it has dates besides its rule (RDATE)");
            } else if (CountProperties(e, ICAL_EXDATE_PROPERTY) > 0) {
                result = Refuse("some of its dates are left out (EXDATE)");
            } else if (changed_.count(uid)) {
                result = Refuse("some of its dates were changed");
            } else if (!byOrv && *date > options_.today) {
                result = Refuse("it starts on " + IsoDate(*date) + ", and ORV's recurrent events have no first day");
            }
        }
        if (result.records) return AddRecords(*result.records, summary, identity);

        bool cut = false;
        const std::vector<Date> dates = Occurrences(e, start, cut);
        IcalUnexpressed u{summary, ruleText, result.reason, {}, true};
        if (cut) u.reason += " (and it repeats too often to list all its dates: the later ones are left out)";
        for (const Date d : dates) {
            ACal c = base;
            if (!identity.empty()) c.Uid = identity + "-" + DateKey(d);
            if (Dated(c, d) && IsNew(c)) u.occurrences.push_back(Identified(std::move(c)));
        }
        plan.unexpressed.push_back(std::move(u));
    }

    static std::uint8_t Priority(icalcomponent* e)
    {
        icalproperty* p = icalcomponent_get_first_property(e, ICAL_PRIORITY_PROPERTY);
        const int v = p ? icalproperty_get_priority(p) : 0;
        // RFC 5545: 1..4 high, 5 (and 0, undefined) normal, 6..9 low.
        return v >= 1 && v <= 4 ? 0 : v >= 6 && v <= 9 ? 2 : 1;
    }

    // The description's lines, after a line with the time (or the last day)
    // of an event that is not one whole day: ORV's events have only a date.
    std::vector<std::string> More(icalcomponent* e, icaltimetype start, Date date) const
    {
        std::vector<std::string> more;
        const icaltimetype end = icalcomponent_get_dtend(e);
        const std::optional<Date> endDate = icaltime_is_null_time(end) ? std::nullopt : DateOf(end);
        // A UTC time is shown in local time, the zone its date was taken in.
        const auto hhmm = [this](icaltimetype t) {
            int hour = t.hour, minute = t.minute;
            if (icaltime_is_utc(t)) {
                const std::tm tm = options_.localTime(icaltime_as_timet(t));
                hour = tm.tm_hour;
                minute = tm.tm_min;
            }
            char s[16];
            std::snprintf(s, sizeof s, "%02d:%02d", hour % 100, minute % 100);
            return std::string(s);
        };
        if (!start.is_date) {
            std::string when = hhmm(start);
            if (endDate && !end.is_date && *endDate == date && icaltime_compare(end, start) > 0) when += "-" + hhmm(end);
            more.push_back(when);
        } else if (endDate && DaysBetween(date, *endDate) > 1) {
            more.push_back("until " + IsoDate(PrevDate(*endDate)));
        }
        if (const char* d = icalcomponent_get_description(e)) {
            for (std::string& line : Lines(d)) more.push_back(std::move(line));
        }
        return more;
    }

    static bool Dated(ACal& c, Date d)
    {
        c.Day = d.Day;
        c.Month = d.Month;
        c.Year = d.Year;
        return EncodeCalendarDate(c);
    }

    void AddCalendar(ACal c, Date d)
    {
        if (!Dated(c, d)) return Skip(c.Hint, "no date ORV can take");
        if (!IsNew(c)) return Skip(c.Hint, "already in ORV");
        plan.calendar.push_back(Identified(std::move(c)));
    }

    // A record keeps the identity it comes with unless a record of ORV (or
    // one planned before) holds it already: then the store gives it a new one.
    template <class Rec>
    Rec Identified(Rec r)
    {
        if (!r.Uid.empty() && !identities_.insert(r.Uid).second) r.Uid.clear();
        return r;
    }

    static std::string DateKey(Date d) { return IsoDate(d); }

    // The records of one event: the first keeps its UID, the others add "-2", "-3" ..
    void AddRecords(const Records& records, const std::string& summary, const std::string& identity)
    {
        std::visit(
            [&](const auto& list) {
                int n = 0;
                for (auto r : list) {
                    ++n;
                    if (!identity.empty()) r.Uid = n == 1 ? identity : identity + "-" + std::to_string(n);
                    if constexpr (std::is_same_v<std::decay_t<decltype(r)>, AYear>) {
                        if (birthdays_.count({r.Hint, r.Month, r.Day})) {
                            Skip(summary, "already in ORV as a birthday");
                            continue;
                        }
                    }
                    if (!IsNew(r)) {
                        Skip(summary, "already in ORV");
                        continue;
                    }
                    Append(Identified(std::move(r)));
                }
            },
            records);
    }

    void Append(const AWeek& r) { plan.weekly.push_back(r); }
    void Append(const AMonth& r) { plan.monthly.push_back(r); }
    void Append(const AYear& r) { plan.annual.push_back(r); }
    void Append(const AAdv& r) { plan.advanced.push_back(r); }

    // Each record already in ORV stands for one equal record of the file:
    // importing a file twice adds nothing, yet two equal events of one file
    // (two UIDs) both come in.
    template <class Rec>
    auto& Keys()
    {
        return std::get<KeyCounts<Rec>>(existing_);
    }
    template <class Rec>
    void Existing(const Rec& r)
    {
        ++Keys<Rec>()[KeyOf(r)];
    }
    // Whether a record is new to ORV, using up the equal record it is not.
    template <class Rec>
    bool IsNew(const Rec& r)
    {
        auto& keys = Keys<Rec>();
        const auto it = keys.find(KeyOf(r));
        if (it == keys.end() || it->second == 0) return true;
        --it->second;
        return false;
    }

    Expressed Express(const icalrecurrencetype& rule, Date start, const std::string& hint, icalcomponent* e) const;
    // The event's dates in the period; `cut` tells that a rule was not followed to its end.
    std::vector<Date> Occurrences(icalcomponent* e, icaltimetype start, bool& cut) const;

    IcalImportOptions options_;
    ical::WeekNumbering numbering_;
    std::vector<icalcomponent*> events_;
    std::map<std::string, std::set<Date>> changed_;
    bool sawCalendar_ = false;
    std::set<std::tuple<std::string, int, int>> birthdays_;
    std::tuple<KeyCounts<ACal>, KeyCounts<AWeek>, KeyCounts<AMonth>, KeyCounts<AYear>, KeyCounts<AAdv>> existing_;
    std::set<std::string> uids_;
    std::set<std::string> identities_;
};

const char* kFrequencyWords[] = {"second", "minute", "hour", "day", "week", "month", "year"};

Expressed Importer::Express(const icalrecurrencetype& rule, Date start, const std::string& hint, icalcomponent* e) const
{
    if (rule.freq < ICAL_SECONDLY_RECURRENCE || rule.freq >= ICAL_NO_RECURRENCE) return Refuse("its rule has no frequency");
    if (rule.freq < ICAL_DAILY_RECURRENCE)
        return Refuse(std::string("it repeats every ") + kFrequencyWords[rule.freq] + ", ORV's events once a day at most");
    if (rule.interval > 1)
        return Refuse("it repeats every " + std::to_string(rule.interval) + " " + kFrequencyWords[rule.freq] +
                      "s, ORV's recurrent events every " + kFrequencyWords[rule.freq]);
    if (rule.count > 0 || !icaltime_is_null_time(rule.until)) return Refuse("it ends, and ORV's recurrent events never do");
    if (rule.rscale) return Refuse("it counts in another calendar (RSCALE)");

    const std::vector<short> byMonth = ORV_BY(rule, by_month), byMonthDay = ORV_BY(rule, by_month_day),
                             byWeekNo = ORV_BY(rule, by_week_no), byYearDay = ORV_BY(rule, by_year_day),
                             bySetPos = ORV_BY(rule, by_set_pos), byDayRaw = ORV_BY(rule, by_day);
    if (!byYearDay.empty()) {
        // ORV writes a week list its settings number unlike ISO 8601 as the
        // days of the year it holds; taken back where they are the same days
        // under this ORV's settings.
        const std::string orvWeeks = XValue(e, "X-ORV-WEEKS");
        if (rule.freq == ICAL_YEARLY_RECURRENCE && !orvWeeks.empty() && byDayRaw.size() == 1 && byMonth.empty() &&
            byMonthDay.empty() && byWeekNo.empty() && bySetPos.empty() &&
            icalrecurrencetype_day_position(byDayRaw[0]) == 0) {
            const int weekday = static_cast<int>(icalrecurrencetype_day_day_of_week(byDayRaw[0]));
            const std::vector<int> days(byYearDay.begin(), byYearDay.end());
            if (days == numbering_.YearDays(weekday, WeeksOccurring(orvWeeks)))
                return Expressed{Records{std::vector<AWeek>{AWeek{weekday, orvWeeks, hint, {}}}}, {}};
        }
        return Refuse("it names days of the year (BYYEARDAY)");
    }
    std::vector<DayRule> byDay;
    for (short d : byDayRaw) {
        const int weekday = static_cast<int>(icalrecurrencetype_day_day_of_week(d));
        if (weekday < 1 || weekday > 7) return Refuse("it names a weekday ORV does not know");
        byDay.push_back({weekday, icalrecurrencetype_day_position(d)});
    }
    // "BYDAY=FR;BYSETPOS=2" says the same as "BYDAY=2FR".
    if (!bySetPos.empty()) {
        if (bySetPos.size() != 1 || byDay.size() != 1 || byDay[0].position != 0 || !byMonthDay.empty())
            return Refuse("it picks days by their place in a set (BYSETPOS)");
        byDay[0].position = bySetPos[0];
    }
    std::vector<int> months;
    for (short m : byMonth) {
        if (icalrecurrencetype_month_is_leap(m) || m < 1 || m > 12) return Refuse("it names a leap month or no month");
        months.push_back(m);
    }
    const bool positions = std::any_of(byDay.begin(), byDay.end(), [](const DayRule& d) { return d.position != 0; });
    const bool plainDays = !byDay.empty() && !positions;
    for (const DayRule& d : byDay)
        if (d.position < -5 || d.position > 5) return Refuse("it counts weekdays beyond the fifth in a month");
    for (short d : byMonthDay)
        if (d < 1 || d > 31) return Refuse("it counts days of the month from its end");

    const auto weekly = [&](std::vector<int> days, const std::string& weeks) {
        std::vector<AWeek> out;
        for (int d : days) out.push_back({d, weeks, hint});
        return Expressed{Records{std::move(out)}, {}};
    };
    const auto weekdays = [&] {
        std::vector<int> days;
        for (const DayRule& d : byDay) days.push_back(d.weekday);
        return days;
    };
    const auto advanced = [&](const std::vector<int>& inMonths) {
        std::vector<AAdv> out;
        for (int m : inMonths)
            for (const DayRule& d : byDay)
                out.push_back({d.position < 0, std::abs(d.position), std::string(MonthNames[static_cast<std::size_t>(m)]),
                               std::string(DayNames[static_cast<std::size_t>(d.weekday)]), hint});
        return Expressed{Records{std::move(out)}, {}};
    };
    const auto annual = [&](const std::vector<int>& inMonths, std::vector<int> days) {
        std::vector<AYear> out;
        for (int m : inMonths)
            for (int d : days) {
                if (d > DaysInMonth(2000, m)) continue;  // never a date, as in the rule
                out.push_back({m, d, {}, hint});
            }
        if (out.empty()) return Refuse("its days never occur");
        if (out.size() == 1) out[0].Year = XValue(e, "X-ORV-COUNT-YEAR");
        return Expressed{Records{std::move(out)}, {}};
    };
    const auto monthly = [&](std::vector<int> days) {
        std::vector<AMonth> out;
        for (int d : days) out.push_back({d, {}, {}, hint});
        if (out.size() == 1) {
            out[0].Month = XValue(e, "X-ORV-COUNT-MONTH");
            out[0].Year = XValue(e, "X-ORV-COUNT-YEAR");
        }
        return Expressed{Records{std::move(out)}, {}};
    };
    const std::vector<int> monthDays = byMonthDay.empty() ? std::vector<int>{start.Day}
                                                         : std::vector<int>(byMonthDay.begin(), byMonthDay.end());
    const std::vector<int> allMonths{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

    switch (rule.freq) {
    case ICAL_DAILY_RECURRENCE:
    case ICAL_WEEKLY_RECURRENCE:
        if (!byMonth.empty() || !byMonthDay.empty() || !byWeekNo.empty() || positions)
            return Refuse("its days depend on more than the weekday");
    {
        // ORV's own export keeps a week list that means every week ("0-54").
        const std::string orvWeeks = XValue(e, "X-ORV-WEEKS");
        const std::string weeks = (WeeksOccurring(orvWeeks) | ~std::bitset<64>((1ULL << 55) - 1)).all() ? orvWeeks : "";
        if (byDay.empty())
            return weekly(rule.freq == ICAL_DAILY_RECURRENCE ? std::vector<int>{1, 2, 3, 4, 5, 6, 7}
                                                             : std::vector<int>{DayOfWeek(start)},
                          weeks);
        return weekly(weekdays(), weeks);
    }
    case ICAL_MONTHLY_RECURRENCE:
        if (!byWeekNo.empty()) return Refuse("it names week numbers in a monthly rule");
        if (positions) {
            if (!byMonthDay.empty()) return Refuse("it names both weekdays and days of the month");
            for (const DayRule& d : byDay)
                if (d.position == 0) return Refuse("it mixes weekdays with and without their place");
            return advanced(months.empty() ? allMonths : months);
        }
        if (plainDays) {
            if (!months.empty() || !byMonthDay.empty()) return Refuse("its days depend on more than the weekday");
            return weekly(weekdays(), {});
        }
        return months.empty() ? monthly(monthDays) : annual(months, monthDays);
    case ICAL_YEARLY_RECURRENCE:
        if (!byWeekNo.empty()) {
            if (!plainDays || !byMonth.empty() || !byMonthDay.empty())
                return Refuse("it names week numbers without plain weekdays");
            const int wkst = static_cast<int>(rule.week_start);
            if (wkst != options_.weeks.WeekStart % 7 + 1)
                return Refuse("its weeks start on another day than ORV's (\"Week starts with:\")");
            std::bitset<64> weeks;
            for (short w : byWeekNo) {
                if (w < 1 || w > 53) return Refuse("it counts weeks from the end of the year");
                weeks[static_cast<std::size_t>(w)] = true;
            }
            for (const DayRule& d : byDay)
                if (!numbering_.Agrees(d.weekday, weeks))
                    return Refuse("its ISO 8601 week numbers name other days than ORV's week numbers (\"First week of the year:\")");
            const std::string orvWeeks = XValue(e, "X-ORV-WEEKS");
            return weekly(weekdays(), byDay.size() == 1 && WeeksOccurring(orvWeeks) == weeks ? orvWeeks : ical::WeekListText(weeks));
        }
        if (positions) {
            if (months.empty() || !byMonthDay.empty()) return Refuse("it counts weekdays in the year, not in a month");
            for (const DayRule& d : byDay)
                if (d.position == 0) return Refuse("it mixes weekdays with and without their place");
            return advanced(months);
        }
        if (plainDays) return Refuse("its days depend on more than the weekday");
        if (months.empty() && !byMonthDay.empty()) return monthly(monthDays);
        return annual(months.empty() ? std::vector<int>{start.Month} : months, monthDays);
    default:
        return Refuse("its rule has no frequency ORV knows");
    }
}

std::vector<Date> Importer::Occurrences(icalcomponent* e, icaltimetype start, bool& cut) const
{
    std::set<Date> dates;
    if (!IsValidDate(options_.from.Year, options_.from.Month, options_.from.Day) || options_.to < options_.from) return {};
    const auto take = [&](icaltimetype t) {
        if (const auto d = DateOf(t); d && *d >= options_.from && *d <= options_.to) dates.insert(*d);
    };
    take(start);
    const icaltimetype from = ical::DateValue(options_.from);
    for (icalproperty* p = icalcomponent_get_first_property(e, ICAL_RRULE_PROPERTY); p;
         p = icalcomponent_get_next_property(e, ICAL_RRULE_PROPERTY)) {
        const icalrecurrencetype rule = icalproperty_get_rrule(p);
        ical::RecurIterator it(icalrecur_iterator_new(rule, start));
        if (!it) continue;
        // Jump to the period where the rule allows it; a rule with a COUNT
        // must be walked from its start.
        if (rule.count == 0 && icaltime_compare(start, from) < 0) icalrecur_iterator_set_start(it.get(), from);
        for (int step = 0;; ++step) {
            if (step == kMaxSteps) {
                cut = true;
                break;
            }
            const icaltimetype t = icalrecur_iterator_next(it.get());
            if (icaltime_is_null_time(t)) break;
            const auto d = DateOf(t);
            if (d && *d > options_.to) break;
            take(t);
        }
    }
    for (icalproperty* p = icalcomponent_get_first_property(e, ICAL_RDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(e, ICAL_RDATE_PROPERTY)) {
        const icaldatetimeperiodtype r = icalproperty_get_rdate(p);
        take(icaltime_is_null_time(r.time) ? r.period.start : r.time);
    }
    for (icalproperty* p = icalcomponent_get_first_property(e, ICAL_EXDATE_PROPERTY); p;
         p = icalcomponent_get_next_property(e, ICAL_EXDATE_PROPERTY))
        if (const auto d = DateOf(icalproperty_get_exdate(p))) dates.erase(*d);
    if (const auto it = changed_.find(Text(icalcomponent_get_uid(e))); it != changed_.end())
        for (const Date d : it->second) dates.erase(d);
    return {dates.begin(), dates.end()};
}

std::string Count(std::size_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The dates of the unexpressed events that are taken.
std::size_t TakenDates(const IcalPlan& plan)
{
    std::size_t dated = 0;
    for (const IcalUnexpressed& u : plan.unexpressed)
        if (u.take) dated += u.occurrences.size();
    return dated;
}

}  // namespace

IcalImport PlanICalendarImport(std::string_view text, const RecordStore& existing, const IcalImportOptions& options)
{
    IcalImport result;
    ical::QuietLibical();
    const std::string copy(text);  // libical reads a C string
    Component root(icalparser_parse_string(copy.c_str()));
    Importer importer(existing, options);
    if (root) importer.Collect(root.get());
    if (!importer.sawCalendar()) {
        result.ok = false;
        result.message = "The file holds no calendar (BEGIN:VCALENDAR ... END:VCALENDAR).";
        return result;
    }
    importer.Plan();
    result.plan = std::move(importer.plan);
    return result;
}


std::size_t IcalPlanAddCount(const IcalPlan& plan)
{
    return plan.calendar.size() + plan.weekly.size() + plan.monthly.size() + plan.annual.size() +
           plan.advanced.size() + TakenDates(plan);
}

std::vector<std::string> IcalPlanSummary(const IcalPlan& plan)
{
    std::vector<std::string> lines;
    std::vector<std::string> parts;
    const auto part = [&](std::size_t n, const char* one, const char* many) {
        if (n) parts.push_back(Count(n, one, many));
    };
    part(plan.calendar.size(), "calendar event", "calendar events");
    part(plan.weekly.size(), "weekly event", "weekly events");
    part(plan.monthly.size(), "monthly event", "monthly events");
    part(plan.annual.size(), "annual event", "annual events");
    part(plan.advanced.size(), "advanced event", "advanced events");
    part(TakenDates(plan), "calendar event for the dates of an event ORV cannot repeat",
         "calendar events for the dates of events ORV cannot repeat");
    if (parts.empty()) {
        lines.push_back("Nothing will be added.");
    } else {
        std::string line = "To be added: ";
        for (std::size_t i = 0; i < parts.size(); ++i) line += (i ? ", " : "") + parts[i];
        lines.push_back(line + ".");
    }
    for (const IcalUnexpressed& u : plan.unexpressed) {
        std::string line = "Cannot be expressed: '" + u.summary + "' (" + u.rule + "): " + u.reason + "; ";
        line += u.take ? Count(u.occurrences.size(), "date", "dates") + " added as calendar events."
                       : "not added.";
        lines.push_back(line);
    }
    for (const IcalSkipped& s : plan.skipped) lines.push_back("Skipped: '" + s.summary + "': " + s.reason + ".");
    for (const std::string& hint : plan.flattened)
        lines.push_back("Line breaks became blanks: '" + hint + "' (a hint is one line).");
    return lines;
}

std::vector<DataKind> ApplyICalendarPlan(const IcalPlan& plan, RecordStore& records)
{
    std::vector<DataKind> changed;
    std::vector<ACal> calendar = plan.calendar;
    for (const IcalUnexpressed& u : plan.unexpressed)
        if (u.take) calendar.insert(calendar.end(), u.occurrences.begin(), u.occurrences.end());
    if (!calendar.empty()) {
        auto& list = records.editCalendar();
        list.insert(list.end(), calendar.begin(), calendar.end());
        records.SortCalendar();
        changed.push_back(DataKind::Calendar);
    }
    const auto append = [&](auto& list, const auto& planned, DataKind kind) {
        if (planned.empty()) return;
        list.insert(list.end(), planned.begin(), planned.end());
        changed.push_back(kind);
    };
    if (!plan.advanced.empty()) append(records.editAdvanced(), plan.advanced, DataKind::Advanced);
    if (!plan.annual.empty()) append(records.editAnnual(), plan.annual, DataKind::Annual);
    if (!plan.monthly.empty()) append(records.editMonthly(), plan.monthly, DataKind::Monthly);
    if (!plan.weekly.empty()) append(records.editWeekly(), plan.weekly, DataKind::Weekly);
    return changed;
}

}  // namespace orv
