#include "cli/cli.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <future>
#include <memory>
#include <optional>
#include <set>
#include <string_view>

#include "core/engineconfig.h"
#include "core/settings.h"
#include "core/settingsstore.h"
#include "engine/addressbook.h"
#include "engine/dayviews.h"
#include "engine/overview.h"
#include "engine/peoplesearch.h"
#include "engine/periodical.h"
#include "exchange/ical/icalexport.h"
#include "exchange/phonebook/phonebook.h"
#include "exchange/vcard/vcard.h"
#include "store/beside.h"
#include "store/datafile.h"
#include "store/todofile.h"
#include "orvversion.h"

namespace orv::cli {

namespace {

constexpr std::string_view kHelp =
    "usage: orv-cli [OPTIONS] COMMAND [ARGS...]\n"
    "\n"
    "Shows what ORV knows, from its data folder and settings, without writing anything.\n"
    "\n"
    "Options (before the command):\n"
    "  --data-folder DIR     the folder holding data.orv .. week.orv and todo1.qsf .. todo4.qsf\n"
    "  --settings-file FILE  the settings store (a missing file means every default)\n"
    "  --today YYYY-MM-DD    take this date as today\n"
    "  --set NAME=VALUE      override one setting for this run (repeatable); VALUE a decimal\n"
    "                        integer (booleans 0/1), LastDate takes YYYY-MM-DD, the\n"
    "                        colour entries Color1 .. Color11 their text\n"
    "  --help                show this text\n"
    "  --version             show the version\n"
    "\n"
    "Commands:\n"
    "  overview                   today's, tomorrow's and the coming days' events and to-dos\n"
    "  day DATE                   everything on DATE, as the calendar view lists it\n"
    "  today-box DATE             the Today Box lines for DATE\n"
    "  period FROM TO             birthdays and calendar events from FROM to TO\n"
    "  month YYYY-MM FILTER       one row per day; FILTER: all, birthday, calendar, recurrent\n"
    "  week DATE                  the week number of DATE\n"
    "  search-people FIELD TEXT   FIELD: first, surname, phone, email\n"
    "  search-hints TEXT          calendar events whose hint holds TEXT\n"
    "  ical [FROM TO]             the events as an iCalendar file: calendar events of FROM..TO\n"
    "                             (all of them without FROM TO), recurrent events and birthdays\n"
    "  phonebook html [WIDTH]     the phone book page \"Save as..\" writes (WIDTH default 500)\n"
    "  phonebook text             the phone book text file \"Save as..\" writes\n"
    "  vcard INDEX|all            the vCard \"Export vCard\" writes for the person at INDEX\n"
    "                             (0-based, address-list order), or for everyone\n"
    "  check-dates                every person whose birthday does not exist:\n"
    "                             index, name, surname, day, month, year\n"
    "\n"
    "Output: one row per line, fields separated by TAB; phonebook, vcard and ical print the\n"
    "file's bytes (CR LF lines). Dates are YYYY-MM-DD.\n"
    "Exit status: 0 success, 1 refused period or a WIDTH that is no whole number,\n"
    "2 usage error, 3 a file failed to load.\n";

struct Options {
    std::optional<std::string> dataFolder;
    std::optional<std::string> settingsFile;
    std::optional<Date> today;
    std::vector<std::string> overrides;
    std::string command;
    std::vector<std::string> args;
};

struct UsageError {
    std::string message;
};

bool ParseDate(const std::string& text, Date& out) { return ParseIsoDate(text, out) && IsValidDate(out.Year, out.Month, out.Day) && out.Year >= 1; }

Date RequireDate(const std::string& text, const char* what)
{
    Date d;
    if (!ParseDate(text, d)) throw UsageError{std::string(what) + " is not a date (YYYY-MM-DD): '" + text + "'"};
    return d;
}

Options ParseOptions(const std::vector<std::string>& args)
{
    Options o;
    std::size_t i = 0;
    auto value = [&](const std::string& name, std::string_view inlineValue, bool hasInline) -> std::string {
        if (hasInline) return std::string(inlineValue);
        if (i + 1 >= args.size()) throw UsageError{name + " needs a value"};
        return args[++i];
    };
    for (; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() < 2 || a.compare(0, 2, "--") != 0) break;
        const auto eq = a.find('=');
        const std::string name = a.substr(0, eq);
        const bool hasInline = eq != std::string::npos;
        const std::string_view inlineValue = hasInline ? std::string_view(a).substr(eq + 1) : std::string_view();
        if (name == "--help" || name == "--version") {
            o.command = name;
            return o;
        } else if (name == "--data-folder") {
            o.dataFolder = value(name, inlineValue, hasInline);
        } else if (name == "--settings-file") {
            o.settingsFile = value(name, inlineValue, hasInline);
        } else if (name == "--today") {
            o.today = RequireDate(value(name, inlineValue, hasInline), "--today");
        } else if (name == "--set") {
            o.overrides.push_back(value(name, inlineValue, hasInline));
        } else {
            throw UsageError{"unknown option '" + a + "'"};
        }
    }
    if (i == args.size()) throw UsageError{"no command given"};
    o.command = args[i];
    o.args.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
    return o;
}

// The lists a command needs, loaded each on its own.
struct Needs {
    std::set<DataKind> kinds;
    bool todos = false;     // the top and bottom lists
    bool everyDay = false;  // today's every-day list (the overview only)
    // Of the calendar and the address book only the events and birthdays of
    // the days the overview shows: the rest of a lifetime's records is
    // checked but not kept.
    bool overviewDays = false;
    // Of the calendar and the address book only briefs of the period's events
    // and of the people with a birthday (the period only).
    bool periodBriefs = false;
};

// What a reader of a period keeps of the address book and the calendar.
struct Briefs {
    BirthdayBriefs people;
    EventBriefs events;
};

// Where each record of a list read in part stands in the list read whole,
// which is the index shown.
struct Places {
    std::vector<std::int32_t> people, calendar;
};

void Row(std::string& out, std::initializer_list<std::string_view> fields)
{
    bool first = true;
    for (std::string_view f : fields) {
        if (!first) out += '\t';
        out.append(f);
        first = false;
    }
    out += '\n';
}

std::string IndexText(const Occurrence& o) { return o.SourceIndex < 0 ? std::string() : std::to_string(o.SourceIndex); }

void Rows(std::string& out, const OccurrenceTable& table)
{
    for (const Occurrence& o : table) Row(out, {std::string_view(&o.Kind, 1), o.Text, IndexText(o)});
}

// `places`, when only part of the lists was read: see Places.
void OverviewRows(std::string& out, std::string_view table, const OccurrenceTable& rows, const Places* places)
{
    // Numbers are written in place: a hundred days are thousands of rows.
    const auto number = [](char (&digits)[12], int n) {
        return std::string_view(digits, static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, n).ptr - digits));
    };
    char daysDigits[12], indexDigits[12];
    for (const Occurrence& o : rows) {
        const bool calendar = o.Kind == EventKind::High || o.Kind == EventKind::Normal || o.Kind == EventKind::Low;
        int index = o.SourceIndex;
        const auto place = static_cast<std::size_t>(index);
        if (places && index >= 0 && calendar) index = places->calendar[place];
        if (places && index >= 0 && o.Kind == EventKind::Birthday) index = places->people[place];
        const std::string_view days =
            o.DaysUntil == Occurrence::NoDays ? (table == "next" ? " " : "") : number(daysDigits, o.DaysUntil);
        Row(out, {table, days, std::string_view(&o.Kind, 1), o.Text, index < 0 ? std::string_view() : number(indexDigits, index)});
    }
}

MonthFilter ParseFilter(const std::string& text)
{
    if (text == "all") return MonthFilter::All;
    if (text == "birthday") return MonthFilter::Birthday;
    if (text == "calendar") return MonthFilter::Calendar;
    if (text == "recurrent") return MonthFilter::Recurrent;
    throw UsageError{"FILTER must be all, birthday, calendar or recurrent: '" + text + "'"};
}

SearchField ParseField(const std::string& text)
{
    if (text == "first") return SearchField::FirstName;
    if (text == "surname") return SearchField::Surname;
    if (text == "phone") return SearchField::Telephone;
    if (text == "email") return SearchField::Email;
    throw UsageError{"FIELD must be first, surname, phone or email: '" + text + "'"};
}

void ParseMonth(const std::string& text, int& year, int& month)
{
    Date d;
    if (text.size() != 7 || !ParseIsoDate(text + "-01", d) || d.Month < 1 || d.Month > 12 || d.Year < 1)
        throw UsageError{"month is not YYYY-MM: '" + text + "'"};
    year = d.Year;
    month = d.Month;
}

TypedDate Typed(const std::string& iso)
{
    Date d;
    ParseIsoDate(iso, d);  // checked by CheckArguments
    return TypedDate{d.Year, d.Month, d.Day};
}

// What a command runs with: the loaded lists and settings, and where rows go.
struct Context {
    const Options& options;
    const Settings& settings;
    const RecordStore& records;
    const TodoLists& todos;
    const EventFinder& finder;
    Date today;
    Output& output;
    const Places* places;  // see OverviewRows
    const Briefs& briefs;  // when periodBriefs
    const std::string& arg(std::size_t i) const { return options.args[i]; }
};

// One command: its synopsis (also its usage line), the lists it reads, a check
// of its arguments that runs before anything is read (so a usage error always
// wins), and what it prints. Run returns the exit status of a success.
struct Command {
    std::string_view name;
    std::string_view synopsis;
    std::size_t argCount;
    Needs (*needs)();
    void (*check)(const Options&);
    int (*run)(Context&);
    std::size_t optionalArgCount = 0;  // arguments that may follow the required ones
};

Needs AllLists() { return {{AllDataKinds.begin(), AllDataKinds.end()}, false}; }
void NoCheck(const Options&) {}
void CheckDate(const Options& o) { RequireDate(o.args[0], "DATE"); }

// The exported period of `ical`: FROM TO, or this year and the next.
struct IcalPeriod {
    Date from, to;
    bool given = false;
};
IcalPeriod IcalPeriodOf(const Options& o, Date today)
{
    if (o.args.size() == 1) throw UsageError{"usage: orv-cli [OPTIONS] ical [FROM TO]"};
    if (o.args.size() == 2) {
        const IcalPeriod p{RequireDate(o.args[0], "FROM"), RequireDate(o.args[1], "TO"), true};
        if (p.to < p.from) throw UsageError{"TO lies before FROM"};
        return p;
    }
    const auto year = static_cast<std::uint16_t>(today.Year);
    return {Date{year, 1, 1}, Date{static_cast<std::uint16_t>(year < 9999 ? year + 1 : year), 12, 31}, false};
}

void CheckPhoneBook(const Options& o)
{
    if (o.args[0] != "html" && o.args[0] != "text") throw UsageError{"phonebook takes html or text: '" + o.args[0] + "'"};
    if (o.args[0] == "text" && o.args.size() > 1) throw UsageError{"phonebook text takes no WIDTH"};
}

// The person "vcard" exports, or every person for "all".
std::optional<std::size_t> VCardIndex(const std::string& text)
{
    if (text == "all") return std::nullopt;
    const std::optional<std::int32_t> n = ParseInt32(text);
    if (!n || *n < 0 || text.front() == '+' || text.front() == '-') throw UsageError{"INDEX is a number from 0 or 'all': '" + text + "'"};
    return static_cast<std::size_t>(*n);
}

const Command kCommands[] = {
    {"overview", "overview", 0, [] { return Needs{{AllDataKinds.begin(), AllDataKinds.end()}, true, true, true}; }, NoCheck,
     [](Context& c) {
         const OverviewTodos lists{&c.todos.Top, &c.todos.TodayEveryDay, &c.todos.Bottom};
         const Overview view = BuildOverview(c.finder, c.today, OverviewSettingsFrom(c.settings), lists);
         std::string& out = c.output.out;
         Row(out, {"heading", view.Heading});
         OverviewRows(out, "today", view.Today, c.places);
         OverviewRows(out, "tomorrow", view.Tomorrow, c.places);
         OverviewRows(out, "next", view.Next, c.places);
         return int{Success};
     }},
    {"day", "day DATE", 1, AllLists, CheckDate,
     [](Context& c) {
         Rows(c.output.out, DayList(c.finder, RequireDate(c.arg(0), "DATE"), c.settings.CB11));
         return int{Success};
     }},
    {"today-box", "today-box DATE", 1, [] { return Needs{{AllDataKinds.begin(), AllDataKinds.end()}, true}; }, CheckDate,
     [](Context& c) {
         Rows(c.output.out, TodayBoxLines(c.finder, RequireDate(c.arg(0), "DATE"), TodayBoxSettingsFrom(c.settings),
                                          c.todos.Top, c.todos.Bottom));
         return int{Success};
     }},
    {"period", "period FROM TO", 2,
     [] {
         Needs needs{{DataKind::Addresses, DataKind::Calendar}};
         needs.periodBriefs = true;
         return needs;
     },
     [](const Options& o) {
         Date d;
         for (const auto& a : o.args)
             if (!ParseIsoDate(a, d)) throw UsageError{"period dates are YYYY-MM-DD: '" + a + "'"};
     },
     [](Context& c) {
         const PeriodDays days = PeriodicalDays(Typed(c.arg(0)), Typed(c.arg(1)));
         if (!days.ok) {
             c.output.err += days.message + "\n";
             return int{Refused};
         }
         // The lines the window's search would list, from the briefs.
         PeriodicalBuilder builder(days.first, days.last, DateSettingsFrom(c.settings));
         if (c.settings.IncBirth) {
             const BirthdayBriefs& people = c.briefs.people;
             for (const BirthdayBriefs::Person& p : people.people)
                 builder.Person(p.month, p.day, p.place, people.Name(p), people.Surname(p));
         }
         if (c.settings.IncHint) {
             const EventBriefs& events = c.briefs.events;
             builder.Reserve(events.events.size(), events.hints.size());
             for (const EventBriefs::Event& e : events.events)
                 builder.Event(DayNumberOfSerial(e.date), e.place, e.priority, events.Hint(e));
         }
         const PeriodicalLines lines = builder.Finish();
         // Written straight from the compact lines into one buffer, handed on
         // whenever it is full: a century is millions of rows.
         constexpr std::size_t kBuffer = std::size_t{1} << 20;
         const auto buffer = std::make_unique_for_overwrite<char[]>(kBuffer);
         std::size_t used = 0;
         const auto emit = [&](std::string_view rows) {
             if (c.output.sink) c.output.sink(rows);
             else c.output.out.append(rows);
         };
         const auto flush = [&] {
             emit({buffer.get(), used});
             used = 0;
         };
         const auto put = [&](std::string_view rows) {
             if (kBuffer - used < rows.size()) flush();
             if (rows.size() > kBuffer) return emit(rows);
             std::memcpy(buffer.get() + used, rows.data(), rows.size());
             used += rows.size();
         };
         // Room enough for any row: a text is cut at kLongestValue when read.
         const auto writeRow = [](char* p, const PeriodicalLines::Entry& e, std::string_view prefix, std::string_view body) {
             *p++ = e.kind;
             *p++ = '\t';
             std::memcpy(p, prefix.data(), prefix.size());
             p += prefix.size();
             std::memcpy(p, body.data(), body.size());
             p += body.size();
             *p++ = '\t';
             p = std::to_chars(p, p + 12, e.index).ptr;
             *p++ = '\n';
             return p;
         };
         const auto room = [](const PeriodicalLines::Entry& e) { return std::size_t{e.bodySize} + 32; };
         // A day's birthdays are the same rows every year: each day of the
         // year's are written once and copied after.
         std::vector<std::string> born(PeriodicalLines::kGroups);
         lines.ForEachDay([&](const PeriodicalLines::DayLines& day) {
             std::string& block = born[PeriodicalLines::Group(day.month, day.day)];
             if (block.empty()) {
                 for (const PeriodicalLines::Entry& e : day.born) {
                     const std::size_t at = block.size();
                     block.resize(at + room(e));
                     block.resize(static_cast<std::size_t>(writeRow(block.data() + at, e, day.prefix, lines.Body(e)) - block.data()));
                 }
             }
             put(block);
             for (const PeriodicalLines::Entry& e : day.events) {
                 if (kBuffer - used < room(e)) flush();
                 used = static_cast<std::size_t>(writeRow(buffer.get() + used, e, day.prefix, lines.Body(e)) - buffer.get());
             }
         });
         flush();
         return int{Success};
     }},
    {"month", "month YYYY-MM FILTER", 2, AllLists,
     [](const Options& o) {
         int y = 0, m = 0;
         ParseMonth(o.args[0], y, m);
         ParseFilter(o.args[1]);
     },
     [](Context& c) {
         int year = 0, month = 0;
         ParseMonth(c.arg(0), year, month);
         for (const MonthRow& row : MonthRows(c.finder, year, month, ParseFilter(c.arg(1)), c.settings.CB11))
             Row(c.output.out, {row.Weekday, std::to_string(row.Day), row.Events});
         return int{Success};
     }},
    {"week", "week DATE", 1, [] { return Needs{}; }, CheckDate,
     [](Context& c) {
         const Date d = RequireDate(c.arg(0), "DATE");
         Row(c.output.out, {std::to_string(Week1(d.Year, d.Month, d.Day, c.finder.Settings.WeekStart, c.finder.Settings.FirstWeek))});
         return int{Success};
     }},
    {"search-people", "search-people FIELD TEXT", 2, [] { return Needs{{DataKind::Addresses}}; },
     [](const Options& o) { ParseField(o.args[0]); },
     [](Context& c) {
         for (const PersonHit& hit : SearchPeople(c.finder.index(), ParseField(c.arg(0)), c.arg(1)))
             Row(c.output.out, {hit.Text, std::to_string(hit.Index)});
         return int{Success};
     }},
    {"search-hints", "search-hints TEXT", 1, [] { return Needs{{DataKind::Calendar}}; }, NoCheck,
     [](Context& c) {
         for (const HintHit& hit : SearchHints(c.records, c.arg(0), c.finder.Settings))
             Row(c.output.out, {hit.Hint, std::to_string(hit.Index), hit.DateText});
         return int{Success};
     }},
    {"ical", "ical [FROM TO]", 0, AllLists, [](const Options& o) { IcalPeriodOf(o, Date{2000, 1, 1}); },
     [](Context& c) {
         const IcalPeriod period = IcalPeriodOf(c.options, c.today);
         IcalExportOptions e;
         e.from = period.from;
         e.to = period.to;
         e.wholeCalendar = !period.given;
         // A fixed --today gives a fixed DTSTAMP, so that the output can be compared.
         e.stamp = c.options.today ? static_cast<std::time_t>(DayNumber(c.today)) * 86400 : std::time(nullptr);
         e.weeks = c.finder.Settings;
         const IcalExport x = ExportICalendar(c.records, e);
         c.output.out += x.text;
         for (const std::string& note : x.notes) c.output.err += "orv-cli: " + note + "\n";
         return int{Success};
     },
     2},
    {"phonebook", "phonebook html [WIDTH] | phonebook text", 1, [] { return Needs{{DataKind::Addresses}}; },
     CheckPhoneBook,
     [](Context& c) {
         const std::vector<PhoneBookRow> rows = PhoneBookRows(c.records.addresses());
         if (c.arg(0) == "text") {
             c.output.out = PhoneBookText(rows);
             return int{Success};
         }
         PhoneBookPage page{c.settings.Color9, c.settings.Color10, c.settings.Color11};
         if (c.options.args.size() > 1) {
             const std::optional<std::int32_t> width = ParsePageWidth(c.arg(1));
             if (!width) {
                 c.output.err += NotAnIntegerMessage(c.arg(1)) + "\n";
                 return int{Refused};
             }
             page.Width = *width;
         }
         c.output.out = PhoneBookHtml(rows, page);
         return int{Success};
     },
     1},
    {"vcard", "vcard INDEX|all", 1, [] { return Needs{{DataKind::Addresses}}; }, [](const Options& o) { VCardIndex(o.args[0]); },
     [](Context& c) {
         const auto& list = c.records.addresses();
         if (const std::optional<std::size_t> index = VCardIndex(c.arg(0))) {
             if (*index >= list.size())
                 throw UsageError{"INDEX " + c.arg(0) + " is out of range: the address book holds " + std::to_string(list.size()) +
                                  " people"};
             c.output.out = WriteVCard(FieldsOf(list[*index]), list[*index].Uid);
         } else {
             for (const AData& a : list) c.output.out += WriteVCard(FieldsOf(a), a.Uid);
         }
         return int{Success};
     }},
    {"check-dates", "check-dates", 0, [] { return Needs{{DataKind::Addresses}}; }, NoCheck,
     [](Context& c) {
         const auto& list = c.records.addresses();
         for (int i : IncorrectBirthdays(list)) {
             const AData& a = list[static_cast<std::size_t>(i)];
             Row(c.output.out, {std::to_string(i), a.Name, a.Surname, std::to_string(a.Day), std::to_string(a.Month),
                                std::to_string(a.Year)});
         }
         return int{Success};
     }},
};

const Command& FindCommand(const std::string& name)
{
    for (const Command& c : kCommands)
        if (c.name == name) return c;
    throw UsageError{"unknown command '" + name + "'"};
}

// Checks a command's arguments before anything is read.
const Command& CheckArguments(const Options& o)
{
    const Command& command = FindCommand(o.command);
    if (o.args.size() < command.argCount || o.args.size() > command.argCount + command.optionalArgCount)
        throw UsageError{"usage: orv-cli [OPTIONS] " + std::string(command.synopsis)};
    command.check(o);
    return command;
}

}  // namespace

int Run(const std::vector<std::string>& args, Output& output)
{
    Options o;
    SettingsStore store;
    try {
        o = ParseOptions(args);
        if (o.command == "--help") {
            output.out.append(kHelp);
            return Success;
        }
        if (o.command == "--version") {
            output.out += std::string("orv-cli ") + kVersion + "\n";
            return Success;
        }
        const Command& command = CheckArguments(o);
        store = SettingsStore(o.settingsFile ? *o.settingsFile : DefaultSettingsPath());
        bool loadFailed = false;
        if (!store.Path().empty()) {
            if (const Result r = store.Load(); !r.ok) {
                output.err += "orv-cli: " + r.message + "\n";
                loadFailed = true;
            }
        }
        for (const std::string& pair : o.overrides) {
            const Result r = ApplyOverride(store, pair);
            if (!r.ok) throw UsageError{"--set " + pair + ": " + r.message};
            if (!r.message.empty()) output.err += "orv-cli: --set " + r.message + "\n";
        }

        // From here on nothing is a usage error.
        Settings settings;
        if (const Result r = ReadSettings(store, settings); !r.ok) {
            // One line per value that could not be read; each was taken as its default.
            for (const std::string_view line : SplitLines(r.message)) output.err += "orv-cli: " + std::string(line) + "\n";
            loadFailed = true;
        }
        const Date today = o.today ? *o.today : GetToday();
        const std::string folder = o.dataFolder ? (o.dataFolder->empty() || o.dataFolder->back() == '/' ? *o.dataFolder : *o.dataFolder + "/")
                                                : DefaultDataFolder(ProgramDirectory());

        RecordStore records;
        DataFiles files(folder);
        const Needs needs = command.needs();
        // The overview's and the period's parts of the address book and the
        // calendar are read beside the other files; their reports keep their
        // places among theirs.
        const auto inPart = [&](DataKind kind) {
            return (needs.overviewDays || needs.periodBriefs) && (kind == DataKind::Addresses || kind == DataKind::Calendar);
        };
        std::vector<DataKind> whole;
        for (const DataKind kind : needs.kinds)
            if (!inPart(kind)) whole.push_back(kind);
        Places places;
        std::vector<AData> people;
        std::vector<ACal> events;
        std::future<LoadReport> peopleRead, eventsRead;
        if (needs.overviewDays) {
            const std::int32_t first = DateSerial(today.Year, today.Month, today.Day);
            const DayWindow days{first, first + OverviewDaysAhead(OverviewSettingsFrom(settings))};
            BirthdayDays birthdays;
            for (std::int32_t day = days.first; day <= days.last && day < days.first + 366; ++day) {
                int year = 0, month = 0, dayOfMonth = 0;
                SerialToDate(day, year, month, dayOfMonth);
                birthdays.shown[static_cast<std::size_t>(month)][static_cast<std::size_t>(dayOfMonth)] = true;
            }
            if (needs.kinds.contains(DataKind::Addresses))
                peopleRead = Beside([&, birthdays] { return files.LoadBirthdays(birthdays, people, places.people); });
            if (needs.kinds.contains(DataKind::Calendar))
                eventsRead = Beside([&, days] { return files.LoadCalendarDays(days, events, places.calendar); });
        }
        Briefs briefs;
        if (needs.periodBriefs) {
            // A refused period keeps no event; its refusal comes when it runs.
            const PeriodDays period = PeriodicalDays(Typed(o.args[0]), Typed(o.args[1]));
            const DayWindow days = period.ok ? DayWindow{SerialOfDayNumber(period.first), SerialOfDayNumber(period.last)}
                                             : DayWindow{1, 0};
            peopleRead = Beside([&] { return files.LoadBirthdayBriefs(briefs.people); });
            eventsRead = Beside([&, days] { return files.LoadEventBriefs(days, briefs.events); });
        }
        const std::vector<LoadReport> read = files.Read(whole, records);
        std::vector<LoadReport> loads;
        auto next = read.begin();
        for (const DataKind kind : needs.kinds) {
            if (!inPart(kind)) loads.push_back(*next++);
            else loads.push_back(kind == DataKind::Addresses ? peopleRead.get() : eventsRead.get());
        }
        if (needs.overviewDays) {
            records.editAddresses() = std::move(people);
            records.editCalendar() = std::move(events);
        }
        for (const LoadReport& report : loads) {
            if (!report.ok) {
                output.err += "orv-cli: " + report.path + ": " + report.message + "\n";
                loadFailed = true;
            }
        }

        TodoLists todos;
        if (needs.todos) {
            TodoFiles todoFiles(folder);
            const std::int32_t todaySerial = DateSerial(today.Year, today.Month, today.Day);
            std::vector<TodoReport> reports;
            if (needs.everyDay) reports.push_back(todoFiles.LoadEveryDay(todos, settings.LastDate, todaySerial));
            reports.push_back(todoFiles.LoadTopBottom(todos));
            for (const TodoReport& r : reports) {
                if (!r.ok) {
                    output.err += "orv-cli: " + r.message + "\n";
                    loadFailed = true;
                }
            }
        }

        EventFinder finder(records);
        finder.Settings = DateSettingsFrom(settings);
        Context context{o, settings, records, todos, finder, today, output, needs.overviewDays ? &places : nullptr, briefs};
        const int status = command.run(context);
        const int result = status != Success ? status : loadFailed ? LoadFailed : Success;
        if (output.finish) output.finish(result);
        return result;
    } catch (const UsageError& e) {
        output.out.clear();
        output.err += "orv-cli: " + e.message + "\n(see orv-cli --help)\n";
        return Usage;
    }
}

}  // namespace orv::cli
