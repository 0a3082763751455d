#include "engine/eventfinder.h"

#include <algorithm>

#include "store/textutil.h"

namespace orv {

char PriorityLetter(int priority)
{
    static constexpr char letters[] = {EventKind::High, EventKind::Normal, EventKind::Low};
    return priority >= 0 && priority <= 2 ? letters[priority] : EventKind::Normal;
}

std::string EventFinder::Prefix(Date date, const FindArgs& args) const
{
    return args.WithShortDate ? EShortDate(date.Month, date.Day, dateSettings()) + " - " : std::string();
}

void EventFinder::Add(OccurrenceTable& out, const FindArgs& args, char kind, std::string text, int index)
{
    out.push_back(Occurrence{args.WithDaysColumn ? args.DaysUntil : Occurrence::NoDays, kind, std::move(text), index});
}

std::string EventFinder::BirthdayText(const AData& a, int year, Age age, const std::string& prefix)
{
    std::string text;
    text.reserve(prefix.size() + a.Name.size() + a.Surname.size() + 12);
    text.append(prefix).append(a.Name).append(1, ' ').append(a.Surname);
    if (age == Age::Shown && a.Year != 0) text.append("  -  ").append(std::to_string(static_cast<long long>(year) - a.Year));
    return text;
}

void EventFinder::FindBirthday(Date date, const FindArgs& args, Age age, OccurrenceTable& out) const
{
    const auto& list = store().addresses();
    const auto& found = index_.Birthdays(date.Month, date.Day);
    if (found.empty()) return;
    const std::string prefix = Prefix(date, args);
    for (int i : found)
        Add(out, args, EventKind::Birthday, BirthdayText(list[static_cast<std::size_t>(i)], date.Year, age, prefix), i);
}

void EventFinder::FindEvent(Date date, const FindArgs& args, const EventOptions& options, OccurrenceTable& out) const
{
    const auto [first, last] = index_.CalendarOn(DayNumber(date));
    if (first == last) return;
    const auto& list = store().calendar();
    // A long date replaces the short-date prefix.
    const std::string lead = options.longDate ? ELongDate(date, dateSettings()) + " - " : Prefix(date, args);
    for (const int* it = first; it != last; ++it) {
        const ACal& c = list[static_cast<std::size_t>(*it)];
        if ((c.Priority == 1 && options.priorities == Priorities::High) ||
            (c.Priority == 2 && options.priorities != Priorities::All))
            continue;
        Add(out, args, PriorityLetter(c.Priority), lead + c.Hint, *it);
    }
}

int EventFinder::HighPriorityCount(Date date) const
{
    const auto [first, last] = index_.CalendarOn(DayNumber(date));
    const auto& list = store().calendar();
    return static_cast<int>(std::count_if(first, last, [&](int i) { return list[static_cast<std::size_t>(i)].Priority == 0; }));
}

namespace {

// Months since the counting start, as the monthly line shows it; empty when the
// event does not count (start missing, "0", or not a whole number).
std::string MonthlyCount(const AMonth& m, Date date)
{
    if (m.Month.empty() || m.Year.empty() || m.Month == "0" || m.Year == "0") return {};
    const auto startMonth = ParseInt32(m.Month);
    const auto startYear = ParseInt32(m.Year);
    if (!startMonth || !startYear) return {};
    const long long n = (static_cast<long long>(date.Year) - *startYear) * 12 + date.Month - *startMonth;
    if (n % 12 != 0) return "  " + std::to_string(n);
    const long long years = n / 12;
    return "  " + std::to_string(years) + " Year" + IntToS(static_cast<std::int32_t>(years));
}

std::string AnnualCount(const AYear& y, Date date)
{
    if (y.Year.empty()) return {};
    const auto first = ParseInt32(y.Year);
    if (!first) return {};
    return " - " + std::to_string(static_cast<long long>(date.Year) - *first);
}

}  // namespace

void EventFinder::FindRecurrent(Date date, const FindArgs& args, RecurrentKinds kinds, OccurrenceTable& out) const
{
    const std::string prefix = Prefix(date, args);
    // Weekly events stay out of the seventh day ahead: they are listed a week earlier.
    if (kinds.weekly && args.DaysUntil != 7) {
        const auto& candidates = index_.WeeklyOn(DayOfWeek(date));
        if (!candidates.empty()) {
            const DateSettings settings = dateSettings();
            const int week = Week1(date.Year, date.Month, date.Day, settings.WeekStart, settings.FirstWeek);
            const auto& list = store().weekly();
            for (int i : candidates)
                if (index_.WeeklyInWeek(i, week)) Add(out, args, EventKind::Weekly, prefix + list[static_cast<std::size_t>(i)].Hint, i);
        }
    }
    if (kinds.monthly) {
        const auto& list = store().monthly();
        for (int i : index_.MonthlyOn(date.Day)) {
            const AMonth& m = list[static_cast<std::size_t>(i)];
            Add(out, args, EventKind::Monthly, prefix + m.Hint + MonthlyCount(m, date), i);
        }
    }
    if (kinds.annual) {
        const auto& list = store().annual();
        for (int i : index_.AnnualOn(date.Month, date.Day)) {
            const AYear& y = list[static_cast<std::size_t>(i)];
            Add(out, args, EventKind::Annual, prefix + y.Hint + AnnualCount(y, date), i);
        }
    }
}

namespace {
bool OrdinalMatches(const AAdv& a, Date date)
{
    const int ordinal = a.FromEnd ? WeekNumber2(date.Year, date.Month, date.Day) : WeekNumber1(date.Year, date.Month, date.Day);
    return ordinal == a.Down;
}
}  // namespace

void EventFinder::FindRecAvd(Date date, const FindArgs& args, OccurrenceTable& out) const
{
    const auto& candidates = index_.AdvancedOn(date.Month, DayOfWeek(date));
    if (candidates.empty()) return;
    const auto& list = store().advanced();
    const std::string prefix = Prefix(date, args);
    for (int i : candidates) {
        const AAdv& a = list[static_cast<std::size_t>(i)];
        if (OrdinalMatches(a, date)) Add(out, args, EventKind::Advanced, prefix + a.Hint, i);
    }
}

std::optional<int> EventFinder::OpenRecAvd(Date date) const
{
    const auto& list = store().advanced();
    for (int i : index_.AdvancedOn(date.Month, DayOfWeek(date)))
        if (OrdinalMatches(list[static_cast<std::size_t>(i)], date)) return i;
    return std::nullopt;
}

}  // namespace orv
