#include "sync/calendaritems.h"

#include <cstdio>

#include "engine/dates.h"
#include "store/utf8.h"
#include "sync/contentlines.h"

namespace orv::sync {

namespace {

constexpr std::string_view kBirthdayPrefix = "birthday-";

const std::string kHead = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//ORV//Managing your Events//EN\r\n";
const std::string kTail = "END:VCALENDAR\r\n";

// The properties each field group of an event stands for in an object.
std::vector<std::string_view> OwnedBy(const std::string& group)
{
    if (group == "hint") return {"SUMMARY"};
    if (group == "priority") return {"PRIORITY"};
    if (group == "more") return {"DESCRIPTION"};
    // "when" and "kind": the dates and the rule, and ORV's own notes on them.
    std::vector<std::string_view> when{"DTSTART",      "DTEND",         "DURATION",          "RRULE",
                                       "RDATE",        "EXDATE",        "X-ORV-RECORD",      "X-ORV-WEEKS",
                                       "X-ORV-COUNT-YEAR", "X-ORV-COUNT-MONTH"};
    if (group == "kind") {
        when.insert(when.end(), {"SUMMARY", "PRIORITY", "DESCRIPTION"});
    }
    return when;
}

ContentObject::Range MasterEvent(const ContentObject& o)
{
    for (const auto& r : o.Components("VCALENDAR/VEVENT"))
        if (o.Find(r, "RECURRENCE-ID").empty()) return r;
    return {};
}

// "20261207T090000" moved by `days`, its time and form kept.
std::string ShiftDateTime(const std::string& value, int days)
{
    if (value.size() < 8) return value;
    Date d;
    if (std::sscanf(value.c_str(), "%4hu%2hu%2hu", &d.Year, &d.Month, &d.Day) != 3 || !IsValidDate(d.Year, d.Month, d.Day))
        return value;
    const Date moved = AddDays(d, days);
    char text[16];
    std::snprintf(text, sizeof text, "%04d%02d%02d", moved.Year % 10000, moved.Month % 100, moved.Day % 100);
    return text + value.substr(8);
}

std::optional<Date> DateOf(const EventRecord& r)
{
    if (const auto* c = std::get_if<ACal>(&r)) {
        if (IsValidDate(c->Year, c->Month, c->Day))
            return Date{static_cast<std::uint16_t>(c->Year), static_cast<std::uint16_t>(c->Month),
                        static_cast<std::uint16_t>(c->Day)};
    }
    return std::nullopt;
}

std::size_t DescriptionLines(const ContentObject& o, ContentObject::Range r)
{
    const auto found = o.Find(r, "DESCRIPTION");
    if (found.empty()) return 0;
    const std::string text = UnescapeText(o.lines()[found.front()].value);
    if (text.empty()) return 0;
    std::size_t n = 1;
    for (const char c : text) n += c == '\n';
    return n;
}

}  // namespace

std::map<std::string, std::string> EventItems(const RecordStore& records, const IcalExportOptions& options)
{
    IcalExportOptions whole = options;
    whole.wholeCalendar = true;
    const IcalExport exported = ExportICalendar(records, whole);
    std::map<std::string, std::string> out;
    const std::string& text = exported.text;
    std::size_t at = 0;
    while ((at = text.find("BEGIN:VEVENT\r\n", at)) != std::string::npos) {
        const std::size_t end = text.find("END:VEVENT\r\n", at);
        if (end == std::string::npos) break;
        const std::string_view event(text.data() + at, end + 12 - at);
        at = end + 12;
        out.emplace(ObjectUid(event), kHead + std::string(event) + kTail);
    }
    return out;
}

ServerEvent ReadServerEvent(std::string_view text, const IcalImportOptions& options)
{
    ServerEvent e;
    e.uid = ObjectUid(text);
    const ContentObject object = ContentObject::Parse(text);
    const auto master = MasterEvent(object);
    e.summary = UnescapeText(object.Value(master, "SUMMARY"));
    if (object.Value(master, "X-ORV-RECORD") == "BIRTHDAY" ||
        e.uid.compare(0, kBirthdayPrefix.size(), kBirthdayPrefix) == 0) {
        e.role = ServerEvent::Role::Birthday;
        return e;
    }
    if (master.empty()) {
        e.reason = object.Components("VCALENDAR/VTODO").empty() ? "it holds no event" : "it is a task";
        return e;
    }
    const RecordStore none;
    const IcalImport read = PlanICalendarImport(text, none, options);
    if (!read.ok) {
        e.reason = read.message;
        return e;
    }
    const IcalPlan& p = read.plan;
    std::vector<EventRecord> records;
    for (const auto& r : p.calendar) records.emplace_back(r);
    for (const auto& r : p.weekly) records.emplace_back(r);
    for (const auto& r : p.monthly) records.emplace_back(r);
    for (const auto& r : p.annual) records.emplace_back(r);
    for (const auto& r : p.advanced) records.emplace_back(r);
    if (records.size() == 1 && p.unexpressed.empty()) {
        e.role = ServerEvent::Role::Record;
        e.record = records.front();
        SetUid(*e.record, e.uid);
        return e;
    }
    for (const auto& u : p.unexpressed) {
        if (e.reason.empty()) e.reason = u.reason;
        for (const auto& c : u.occurrences) records.emplace_back(c);
    }
    if (records.empty()) {
        e.reason = p.skipped.empty() ? "nothing in it is an event ORV can show" : p.skipped.front().reason;
        return e;
    }
    if (e.reason.empty()) e.reason = "ORV shows it as several records";
    e.role = ServerEvent::Role::Dates;
    int n = 0;
    for (EventRecord& r : records) {
        ++n;
        // Stand-ins are named after the event, never after a record of ORV's.
        SetUid(r, e.uid + "#" + std::to_string(n));
    }
    e.standIns = std::move(records);
    return e;
}

std::string PatchEvent(std::string_view server, std::string_view local, const std::vector<std::string>& changed,
                       const EventRecord* base, const EventRecord* now)
{
    ContentObject out = ContentObject::Parse(server);
    const ContentObject mine = ContentObject::Parse(local);
    auto target = MasterEvent(out);
    const auto source = MasterEvent(mine);
    if (target.empty() || source.empty()) return std::string(local);

    for (const std::string& group : changed) {
        const auto names = OwnedBy(group);
        // A timed event whose day moved keeps its time, zone and length.
        if (group == "when" && base && now) {
            const auto from = DateOf(*base), to = DateOf(*now);
            const auto start = out.Find(target, "DTSTART");
            if (from && to && !start.empty() && out.lines()[start.front()].value.find('T') != std::string::npos) {
                const int days = DaysBetween(*from, *to);
                for (const char* name : {"DTSTART", "DTEND"})
                    for (const std::size_t i : out.Find(target, name)) {
                        ContentLine& l = out.lines()[i];
                        l.value = ShiftDateTime(l.value, days);
                        l.raw = (l.group.empty() ? "" : l.group + ".") + l.name + (l.params.empty() ? "" : ";" + l.params) +
                                ":" + l.value;
                    }
                continue;
            }
        }
        std::vector<std::string> lines;
        if (group == "more" && base && now) {
            // The server's description, without the lines ORV put before it
            // (the time of a timed event), which are not the server's text.
            const auto* b = std::get_if<ACal>(base);
            const auto* n = std::get_if<ACal>(now);
            if (b && n) {
                const std::size_t own = DescriptionLines(out, target);
                const std::size_t derived = b->More.size() > own ? b->More.size() - own : 0;
                std::size_t skip = 0;
                if (n->More.size() >= derived &&
                    std::equal(b->More.begin(), b->More.begin() + static_cast<std::ptrdiff_t>(derived), n->More.begin()))
                    skip = derived;
                std::string text;
                for (std::size_t k = skip; k < n->More.size(); ++k) text += (k > skip ? "\n" : "") + StoredAsUtf8(n->More[k]);
                if (!text.empty()) lines.push_back("DESCRIPTION:" + EscapeText(text));
                const std::size_t at = out.Remove(target, names);
                out.Insert(target, at, lines);
                continue;
            }
        }
        for (const std::string_view name : names)
            for (const std::size_t i : mine.Find(source, name)) lines.push_back(mine.lines()[i].raw);
        const std::size_t at = out.Remove(target, names);
        out.Insert(target, at, lines);
    }
    // A changed event says so to the calendars that cache it.
    const std::vector<std::string_view> stamp{"DTSTAMP", "LAST-MODIFIED", "SEQUENCE"};
    const int sequence = [&] {
        const std::string v = out.Value(target, "SEQUENCE");
        return v.empty() ? 0 : std::atoi(v.c_str());
    }();
    std::vector<std::string> lines;
    for (const std::size_t i : mine.Find(source, "DTSTAMP")) {
        lines.push_back(mine.lines()[i].raw);
        lines.push_back("LAST-MODIFIED:" + mine.lines()[i].value);
    }
    lines.push_back("SEQUENCE:" + std::to_string(sequence + 1));
    const std::size_t at = out.Remove(target, stamp);
    out.Insert(target, at, lines);
    return out.Text();
}

}  // namespace orv::sync
