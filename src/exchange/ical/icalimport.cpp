#include "exchange/ical/icalimport.h"

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
#include "exchange/ical/icallib.h"
#include "exchange/ical/icalweeks.h"
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

// Text values with their own blanks: libical trims a value's leading and
// trailing blanks (and drops one of blanks only), which would turn a hint of
// two blanks into none. Such a value is handed over a second time, as hex
// digits in an X- property beside it, which nothing trims.
constexpr std::string_view kRawPrefix = "X-ORV-RAW-";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Hex(std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        out += kDigits[static_cast<unsigned char>(c) >> 4];
        out += kDigits[static_cast<unsigned char>(c) & 15];
    }
    return out;
}

std::string FromHex(std::string_view hex)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        const int hi = HexDigitValue(hex[i]), lo = HexDigitValue(hex[i + 1]);
        if (hi < 0 || lo < 0) break;
        out += static_cast<char>(hi * 16 + lo);
    }
    return out;
}

// RFC 5545's TEXT escapes.
std::string UnescapeText(std::string_view s)
{
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size()) {
            const char next = s[++i];
            out += (next == 'n' || next == 'N') ? '\n' : next;
        } else {
            out += s[i];
        }
    }
    return out;
}

std::string UpperName(std::string_view line)
{
    std::string name;
    for (const char c : line) {
        if (c == ':' || c == ';') break;
        name += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return name;
}

// The value of a content line: after the first colon outside a quoted parameter.
std::string_view ValueOf(std::string_view line)
{
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') quoted = !quoted;
        else if (line[i] == ':' && !quoted) return line.substr(i + 1);
    }
    return {};
}

// The text libical is given, and what had to be said about it.
struct PreparedText {
    std::string text;
    bool changed = false;
    std::vector<std::string> notes;
};

// Hands the blanks of SUMMARY and DESCRIPTION over (see kRawPrefix) and
// closes a calendar the file does not close: what is complete is read, and
// the note says what was not. The text is otherwise passed on byte for byte.
PreparedText PrepareText(std::string_view text)
{
    PreparedText out;
    std::vector<std::pair<std::size_t, std::string>> inserts;  // at an offset, a line
    std::vector<std::string> open;  // the components begun and not ended
    std::size_t safe = std::string_view::npos;  // where the outermost calendar may be closed
    std::string pendingSummary;  // of the component open inside the calendar
    std::size_t pendingLine = 0;
    std::size_t lineNumber = 0;

    LineCursor cursor(text);
    std::string_view physical;
    std::string logical;
    std::size_t logicalLine = 0;
    const auto finish = [&](std::size_t end) {
        if (logical.empty() && logicalLine == 0) return;
        const std::string name = UpperName(logical);
        const std::string_view value = ValueOf(logical);
        if (name == "BEGIN") {
            const std::string what = UpperName(value);
            open.push_back(what);
            if (open.size() == 2) pendingSummary.clear(), pendingLine = logicalLine;
        } else if (name == "END" && !open.empty() && open.back() == UpperName(value)) {
            open.pop_back();
        } else if ((name == "SUMMARY" || name == "DESCRIPTION") && open.size() == 2) {
            if (name == "SUMMARY") pendingSummary = OneLine(UnescapeText(value));
            if (!value.empty() && (IsBlank(value.front()) || IsBlank(value.back())))
                inserts.emplace_back(end, std::string(kRawPrefix) + name + ":" + Hex(value) + "\r\n");
        }
        if (open.size() == 1 && open[0] == "VCALENDAR") safe = end;
        logical.clear();
        logicalLine = 0;
    };
    std::size_t lineStart = 0;
    while (cursor.Next(physical)) {
        ++lineNumber;
        if (!physical.empty() && IsBlank(physical.front()) && logicalLine != 0) {
            logical.append(physical.substr(1));  // a folded line goes on
        } else {
            finish(lineStart);
            logical.assign(physical);
            logicalLine = lineNumber;
        }
        lineStart = cursor.Consumed();
    }
    finish(lineStart);

    std::size_t keep = text.size();
    const bool close = !open.empty() && open[0] == "VCALENDAR" && safe != std::string_view::npos;
    if (close) {
        keep = safe;
        std::string note = "The file ends before END:VCALENDAR";
        if (open.size() > 1) {
            const std::string kind = open[1] == "VEVENT" ? "event" : open[1] == "VTODO" ? "to-do (VTODO)" : open[1];
            note += ": the last " + kind + (pendingSummary.empty() ? "" : " '" + pendingSummary + "'") +
                    " (from line " + std::to_string(pendingLine) + ") is cut off and was not read";
        } else {
            note += "; everything in it is complete and was read";
        }
        out.notes.push_back(note + ".");
    }
    if (inserts.empty() && !close) return out;
    out.changed = true;
    std::size_t from = 0;
    for (const auto& [at, line] : inserts) {
        if (at > keep) break;
        out.text.append(text.substr(from, at - from));
        // A last line without its line break gets one before the new line.
        if (at == text.size() && at > 0 && text.back() != '\n' && text.back() != '\r') out.text += "\r\n";
        out.text += line;
        from = at;
    }
    out.text.append(text.substr(from, keep - from));
    if (close) {
        if (!out.text.empty() && out.text.back() != '\n' && out.text.back() != '\r') out.text += "\r\n";
        out.text += "END:VCALENDAR\r\n";
    }
    return out;
}

// A SUMMARY or DESCRIPTION as the file writes it, blanks included.
std::optional<std::string> RawText(icalcomponent* e, std::string_view name)
{
    const std::string xName = std::string(kRawPrefix) + std::string(name);
    for (icalproperty* p = icalcomponent_get_first_property(e, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(e, ICAL_X_PROPERTY)) {
        const char* n = icalproperty_get_x_name(p);
        if (n && xName == n) return UnescapeText(FromHex(Text(icalproperty_get_x(p))));
    }
    return std::nullopt;
}

std::string SummaryOf(icalcomponent* e)
{
    if (auto raw = RawText(e, "SUMMARY")) return *raw;
    return Text(icalcomponent_get_summary(e));
}

std::optional<std::string> DescriptionOf(icalcomponent* e)
{
    if (auto raw = RawText(e, "DESCRIPTION")) return raw;
    if (const char* d = icalcomponent_get_description(e)) return std::string(d);
    return std::nullopt;
}

// Properties an event's records take (or that only keep the file in order),
// whatever kind of record it becomes.
bool Understood(icalproperty_kind kind)
{
    switch (kind) {
    case ICAL_UID_PROPERTY:
    case ICAL_DTSTAMP_PROPERTY:
    case ICAL_DTSTART_PROPERTY:
    case ICAL_DTEND_PROPERTY:
    case ICAL_DURATION_PROPERTY:
    case ICAL_SUMMARY_PROPERTY:
    case ICAL_RRULE_PROPERTY:
    case ICAL_RDATE_PROPERTY:
    case ICAL_EXDATE_PROPERTY:
    case ICAL_RECURRENCEID_PROPERTY:
    case ICAL_STATUS_PROPERTY:
    case ICAL_CREATED_PROPERTY:
    case ICAL_LASTMODIFIED_PROPERTY:
    case ICAL_SEQUENCE_PROPERTY:
    case ICAL_TRANSP_PROPERTY:
    case ICAL_CLASS_PROPERTY:
    case ICAL_X_PROPERTY:
    // Said apart, where they are lost.
    case ICAL_DESCRIPTION_PROPERTY:
    case ICAL_LOCATION_PROPERTY:
    case ICAL_PRIORITY_PROPERTY:
        return true;
    default:
        return false;
    }
}

const char* PriorityWord(int icalPriority)
{
    return icalPriority >= 1 && icalPriority <= 4 ? "high" : icalPriority >= 6 && icalPriority <= 9 ? "low" : "normal";
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
        for (const AData& a : existing.addresses()) {
            birthdays_.insert({ical::PersonName(a), a.Month, a.Day});
            if (!a.Uid.empty()) personIds_.insert(a.Uid);
        }
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
            for (icalcomponent* e = icalcomponent_get_first_component(cal, ICAL_ANY_COMPONENT); e;
                 e = icalcomponent_get_next_component(cal, ICAL_ANY_COMPONENT)) {
                const icalcomponent_kind kind = icalcomponent_isa(e);
                if (kind == ICAL_VTIMEZONE_COMPONENT) continue;  // read by libical where a time names it
                events_.push_back(e);
                if (kind != ICAL_VEVENT_COMPONENT) continue;
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
        for (icalcomponent* e : events_) {
            if (icalcomponent_isa(e) == ICAL_VEVENT_COMPONENT) {
                Event(e);
                continue;
            }
            // To-dos, journal entries and the like: named, never dropped unsaid.
            const char* kind = icalcomponent_kind_to_string(icalcomponent_isa(e));
            const std::string what = icalcomponent_isa(e) == ICAL_VTODO_COMPONENT       ? "a to-do (VTODO)"
                                     : icalcomponent_isa(e) == ICAL_VJOURNAL_COMPONENT ? "a journal entry (VJOURNAL)"
                                                                                       : std::string("a ") + (kind ? kind : "component");
            Skip(OneLine(SummaryOf(e)), what + ", which ORV does not import");
        }
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
        const std::string given = SummaryOf(e);
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
        const std::string orvKind = XValue(e, "X-ORV-RECORD");
        const bool byOrv = !orvKind.empty();
        if (orvKind == "BIRTHDAY" && !instance) return Birthday(summary, uid, *date);
        // ORV writes a weekly event whose weeks iCalendar cannot number as its
        // dates, which may be a single one.
        const std::string weeks = byOrv ? XValue(e, "X-ORV-WEEKS") : std::string();
        if ((rules == 0 && !rdates && weeks.empty()) || instance) {
            const std::size_t before = plan.calendar.size();
            AddCalendar(base, *date);
            if (plan.calendar.size() > before) NotKept(summary, Unkept(e, false));
            return;
        }

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
            } else if (!byOrv && *date > options_.today) {
                result = Refuse("it starts on " + IsoDate(*date) + ", and ORV's recurrent events have no first day");
            }
        }
        if (result.records) {
            const std::size_t before = RecurrentCount();
            AddRecords(*result.records, summary, identity);
            if (RecurrentCount() == before) return;
            // A recurrent record keeps the days, not the rest of the event.
            std::vector<std::string> lost = Unkept(e, true);
            if (!start.is_date) lost.insert(lost.begin(), "its time (" + base.More.front() + ")");
            NotKept(summary, lost);
            Exceptions(e, summary, uid);
            return;
        }

        bool cut = false;
        const std::vector<Date> dates = Occurrences(e, start, cut);
        IcalUnexpressed u{summary, ruleText, result.reason, {}, true};
        if (cut) u.reason += " (and it repeats too often to list all its dates: the later ones are left out)";
        for (const Date d : dates) {
            ACal c = base;
            if (!identity.empty()) c.Uid = identity + "-" + DateKey(d);
            if (Dated(c, d) && IsNew(c)) u.occurrences.push_back(Identified(std::move(c)));
        }
        if (!u.occurrences.empty()) NotKept(summary, Unkept(e, false));
        plan.unexpressed.push_back(std::move(u));
    }

    std::size_t RecurrentCount() const
    {
        return plan.weekly.size() + plan.monthly.size() + plan.annual.size() + plan.advanced.size();
    }

    // ORV's own birthday events come back with the person, not as annual
    // events: the person in ORV already has it, and a person who is not
    // comes from their vCard.
    void Birthday(const std::string& summary, const std::string& uid, Date date)
    {
        constexpr std::string_view kPrefix = "birthday-";
        const bool known = (uid.rfind(kPrefix, 0) == 0 && personIds_.count(uid.substr(kPrefix.size()))) ||
                           birthdays_.count({summary, date.Month, date.Day});
        if (known) return Skip(summary, "already in ORV as a birthday");
        Skip(summary, "the birthday of a person not in ORV's address book; it comes with the person's vCard (\"Import vCard\")");
    }

    void NotKept(const std::string& summary, const std::vector<std::string>& lost)
    {
        if (lost.empty()) return;
        std::string what;
        for (const std::string& l : lost) what += (what.empty() ? "" : ", ") + l;
        plan.notKept.push_back({summary, what});
    }

    // What of the event its records do not keep: the alarms, the properties
    // ORV has no place for, and, for a recurrent record, which has only a
    // hint, the description, place and priority too. A calendar event keeps
    // the description and place in its further text.
    static std::vector<std::string> Unkept(icalcomponent* e, bool recurrent)
    {
        std::vector<std::string> lost;
        if (recurrent) {
            if (icalproperty* p = icalcomponent_get_first_property(e, ICAL_PRIORITY_PROPERTY); p && icalproperty_get_priority(p) != 0)
                lost.push_back(std::string("its priority (") + PriorityWord(icalproperty_get_priority(p)) + ")");
            if (const auto d = DescriptionOf(e); d && !d->empty()) lost.emplace_back("its description");
            if (const char* l = icalcomponent_get_location(e); l && *l) lost.push_back("its place (" + OneLine(l) + ")");
        }
        if (const int alarms = icalcomponent_count_components(e, ICAL_VALARM_COMPONENT); alarms > 0)
            lost.emplace_back(alarms == 1 ? "its alarm (VALARM)" : "its alarms (VALARM)");
        std::vector<std::string> names;
        for (icalproperty* p = icalcomponent_get_first_property(e, ICAL_ANY_PROPERTY); p;
             p = icalcomponent_get_next_property(e, ICAL_ANY_PROPERTY)) {
            if (Understood(icalproperty_isa(p))) continue;
            const std::string name = Text(icalproperty_get_property_name(p));
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        }
        lost.insert(lost.end(), names.begin(), names.end());
        return lost;
    }

    // The dates a series leaves out (EXDATE) or moved (a changed instance,
    // which comes in as a calendar event of its own): ORV's recurrent event
    // still falls on them. Listed, however long ago.
    void Exceptions(icalcomponent* e, const std::string& summary, const std::string& uid)
    {
        std::set<Date> dates;
        for (icalproperty* p = icalcomponent_get_first_property(e, ICAL_EXDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(e, ICAL_EXDATE_PROPERTY))
            if (const auto d = DateOf(icalproperty_get_exdate(p))) dates.insert(*d);
        if (const auto it = changed_.find(uid); it != changed_.end()) dates.insert(it->second.begin(), it->second.end());
        if (dates.empty()) return;
        constexpr std::size_t kListed = 10;
        std::string list;
        std::size_t n = 0;
        for (const Date d : dates) {
            if (n++ == kListed) {
                list += " and " + std::to_string(dates.size() - kListed) + " more";
                break;
            }
            list += (list.empty() ? "" : ", ") + IsoDate(d);
        }
        plan.exceptions.push_back({summary, list});
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
        // The place goes with the time: where and when.
        if (const char* l = icalcomponent_get_location(e); l && *l) more.push_back("Location: " + OneLine(l));
        if (const auto d = DescriptionOf(e)) {
            for (std::string& line : Lines(*d)) more.push_back(std::move(line));
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
    std::set<std::string> personIds_;
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
    PreparedText prepared = PrepareText(text);
    // libical reads a C string.
    const std::string copy = prepared.changed ? std::move(prepared.text) : std::string(text);
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
    result.plan.notes = std::move(prepared.notes);
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
    for (const std::string& note : plan.notes) lines.push_back(note);
    for (const IcalSkipped& s : plan.skipped) lines.push_back("Skipped: '" + s.summary + "': " + s.reason + ".");
    for (const IcalSkipped& s : plan.exceptions)
        lines.push_back("Kept recurring: '" + s.summary + "', but ORV's recurrent event also falls on the dates the file "
                        "leaves out or moves: " + s.reason + ".");
    for (const IcalSkipped& s : plan.notKept) lines.push_back("Not kept of '" + s.summary + "': " + s.reason + ".");
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
