#include "cli/cli.h"

#include <array>
#include <cstdlib>
#include <optional>
#include <set>
#include <string_view>

#include "core/engineconfig.h"
#include "core/settings.h"
#include "core/settingsstore.h"
#include "engine/dayviews.h"
#include "engine/overview.h"
#include "engine/peoplesearch.h"
#include "engine/periodical.h"
#include "store/datafile.h"
#include "store/todofile.h"

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
    "                        integer (booleans 0/1), LastDate takes YYYY-MM-DD\n"
    "  --help                show this text\n"
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
    "\n"
    "Output: one row per line, fields separated by TAB. Dates are YYYY-MM-DD.\n"
    "Exit status: 0 success, 1 refused period, 2 usage error, 3 a file failed to load.\n";

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
        if (name == "--help") {
            o.command = "--help";
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

void ExpectArgs(const Options& o, std::size_t count, const char* synopsis)
{
    if (o.args.size() != count) throw UsageError{std::string("usage: orv-cli [OPTIONS] ") + synopsis};
}

// The lists a command needs, loaded each on its own.
struct Needs {
    std::set<DataKind> kinds;
    bool todos = false;     // the top and bottom lists
    bool everyDay = false;  // today's every-day list (the overview only)
};

Needs NeedsOf(const std::string& command)
{
    const std::set<DataKind> all(AllDataKinds.begin(), AllDataKinds.end());
    if (command == "overview") return {all, true, true};
    if (command == "day" || command == "month") return {all, false};
    if (command == "today-box") return {all, true};
    if (command == "period") return {{DataKind::Addresses, DataKind::Calendar}, false};
    if (command == "search-people") return {{DataKind::Addresses}, false};
    if (command == "search-hints") return {{DataKind::Calendar}, false};
    return {};
}

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

void OverviewRows(std::string& out, std::string_view table, const OccurrenceTable& rows)
{
    for (const Occurrence& o : rows) {
        const std::string days = o.DaysUntil == Occurrence::NoDays ? (table == "next" ? " " : "") : std::to_string(o.DaysUntil);
        Row(out, {table, days, std::string_view(&o.Kind, 1), o.Text, IndexText(o)});
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

// Checks a command's arguments before anything is read, so that a usage error
// always wins.
void CheckArguments(const Options& o)
{
    const std::string& c = o.command;
    if (c == "overview") {
        ExpectArgs(o, 0, "overview");
    } else if (c == "day" || c == "today-box" || c == "week") {
        ExpectArgs(o, 1, (c + " DATE").c_str());
        RequireDate(o.args[0], "DATE");
    } else if (c == "period") {
        ExpectArgs(o, 2, "period FROM TO");
        Date d;
        for (const auto& a : o.args)
            if (!ParseIsoDate(a, d)) throw UsageError{"period dates are YYYY-MM-DD: '" + a + "'"};
    } else if (c == "month") {
        ExpectArgs(o, 2, "month YYYY-MM FILTER");
        int y = 0, m = 0;
        ParseMonth(o.args[0], y, m);
        ParseFilter(o.args[1]);
    } else if (c == "search-people") {
        ExpectArgs(o, 2, "search-people FIELD TEXT");
        ParseField(o.args[0]);
    } else if (c == "search-hints") {
        ExpectArgs(o, 1, "search-hints TEXT");
    } else {
        throw UsageError{"unknown command '" + c + "'"};
    }
}

TypedDate Typed(const std::string& iso)
{
    Date d;
    ParseIsoDate(iso, d);  // checked by CheckArguments
    return TypedDate{d.Year, d.Month, d.Day};
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
        CheckArguments(o);
        store = SettingsStore(o.settingsFile ? *o.settingsFile : DefaultSettingsPath());
        bool loadFailed = false;
        if (!store.Path().empty()) {
            if (const FileResult r = store.Load(); !r.ok) {
                output.err += "orv-cli: " + r.message + "\n";
                loadFailed = true;
            }
        }
        for (const std::string& pair : o.overrides)
            if (const FileResult r = ApplyOverride(store, pair); !r.ok) throw UsageError{"--set " + pair + ": " + r.message};

        // From here on nothing is a usage error.
        Settings settings;
        if (const FileResult r = ReadSettings(store, settings); !r.ok) {
            output.err += "orv-cli: " + r.message + "\n";
            loadFailed = true;
        }
        const Date today = o.today ? *o.today : GetToday();
        const std::string folder = o.dataFolder ? (o.dataFolder->empty() || o.dataFolder->back() == '/' ? *o.dataFolder : *o.dataFolder + "/")
                                                : DefaultDataFolder(ProgramDirectory());

        RecordStore records;
        DataFiles files(folder);
        const Needs needs = NeedsOf(o.command);
        for (DataKind kind : AllDataKinds) {
            if (!needs.kinds.count(kind)) continue;
            const LoadReport report = files.Load(kind, records);
            if (report.failed) {
                output.err += "orv-cli: " + report.path + ": " + report.message + "\n";
                loadFailed = true;
            }
        }
        records.SortAddresses();

        TodoLists todos;
        if (needs.todos) {
            TodoFiles todoFiles(folder);
            const std::int32_t todaySerial = DateSerial(today.Year, today.Month, today.Day);
            std::vector<TodoReport> reports;
            if (needs.everyDay) reports.push_back(todoFiles.LoadEveryDay(todos, settings.LastDate, todaySerial));
            reports.push_back(todoFiles.LoadTopBottom(todos));
            for (const TodoReport& r : reports) {
                if (r.failed) {
                    output.err += "orv-cli: " + r.message + "\n";
                    loadFailed = true;
                }
            }
        }

        EventFinder finder(records);
        finder.Settings = DateSettingsFrom(settings);
        std::string& out = output.out;
        const std::string& c = o.command;
        if (c == "overview") {
            const OverviewTodos lists{&todos.Top, &todos.TodayEveryDay, &todos.Bottom};
            const Overview view = BuildOverview(finder, today, OverviewSettingsFrom(settings), lists, false);
            Row(out, {"heading", view.Heading});
            OverviewRows(out, "today", view.Today);
            OverviewRows(out, "tomorrow", view.Tomorrow);
            OverviewRows(out, "next", view.Next);
        } else if (c == "day") {
            Rows(out, DayList(finder, RequireDate(o.args[0], "DATE"), settings.CB11));
        } else if (c == "today-box") {
            Rows(out, TodayBoxLines(finder, RequireDate(o.args[0], "DATE"), TodayBoxSettingsFrom(settings), todos.Top, todos.Bottom));
        } else if (c == "week") {
            const Date d = RequireDate(o.args[0], "DATE");
            Row(out, {std::to_string(Week1(d.Year, d.Month, d.Day, finder.Settings.WeekStart, finder.Settings.FirstWeek))});
        } else if (c == "period") {
            const PeriodicalResult r = PeriodicalSearch(finder, Typed(o.args[0]), Typed(o.args[1]), settings.IncBirth, settings.IncHint);
            if (!r.ok) {
                output.err += r.message + "\n";
                return Refused;
            }
            out.reserve(r.rows.size() * 32);
            Rows(out, r.rows);
        } else if (c == "month") {
            int year = 0, month = 0;
            ParseMonth(o.args[0], year, month);
            for (const MonthRow& row : MonthRows(finder, year, month, ParseFilter(o.args[1]), settings.CB11))
                Row(out, {row.Weekday, std::to_string(row.Day), row.Events});
        } else if (c == "search-people") {
            for (const PersonHit& hit : SearchPeople(finder.index(), ParseField(o.args[0]), o.args[1]))
                Row(out, {hit.Text, std::to_string(hit.Index)});
        } else if (c == "search-hints") {
            for (const HintHit& hit : SearchHints(records, o.args[0], finder.Settings))
                Row(out, {hit.Hint, std::to_string(hit.Index), hit.DateText});
        }
        return loadFailed ? LoadFailed : Success;
    } catch (const UsageError& e) {
        output.out.clear();
        output.err += "orv-cli: " + e.message + "\n(see orv-cli --help)\n";
        return Usage;
    }
}

}  // namespace orv::cli
