#include "views/events/upcominglabel.h"

#include "views/events/eventpage.h"

namespace orv {

namespace {

QString Years(const std::vector<int>& years)
{
    QStringList list;
    for (int y : years) list << QString::number(y);
    return list.join(QStringLiteral(", "));
}

// The preview's own sentences spell the months in full English; only the
// names stored in files and listed in the choices keep "Febuary".
QString SpokenMonth(int month)
{
    static const char* const kNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                         "July",    "August",   "September", "October", "November", "December"};
    return month >= 1 && month <= 12 ? QLatin1String(kNames[month - 1]) : QString();
}

QString Ordinal(int day)
{
    const int tens = day % 100;
    const char* suffix = (tens >= 11 && tens <= 13) ? "th" : day % 10 == 1 ? "st" : day % 10 == 2 ? "nd" : day % 10 == 3 ? "rd" : "th";
    return QString::number(day) + QLatin1String(suffix);
}

// "February, April and June"
QString Months(const std::vector<int>& months)
{
    QStringList names;
    for (int m : months) names << SpokenMonth(m);
    if (names.size() < 2) return names.join(QString());
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

QStringList WeekListText(const WeekListNotes& notes, int weekday)
{
    QStringList lines;
    if (notes.malformed) {
        lines << QStringLiteral("This is not a week list: use only numbers separated by ',' and/or '-', e.g. 1,2-8.");
        return lines;
    }
    if (notes.everyWeek) {
        lines << QStringLiteral("The list is kept because its check stops at week 54, but what follows is no week "
                                "list: the event comes in every week.");
        return lines;
    }
    const QString day = weekday >= 1 && weekday <= 7 ? FixedText(DayNames[static_cast<std::size_t>(weekday)]) : QString();
    for (const WeekNote& n : notes.weeks) {
        const QString week = n.week == 0 ? QStringLiteral("Week 0 (the days of early January before week 1)")
                                         : QStringLiteral("Week %1").arg(n.week);
        if (n.years.empty() && !day.isEmpty())
            lines << week + QStringLiteral(" has no %1 in any of the next ten years.").arg(day);
        else if (n.years.empty())
            lines << week + QStringLiteral(" is in none of the next ten years.");
        else if (!day.isEmpty())
            lines << week + QStringLiteral(" has a %1 only in some years: ").arg(day) + Years(n.years) + QLatin1Char('.');
        else
            lines << week + QStringLiteral(" is only in some years: ") + Years(n.years) + QLatin1Char('.');
    }
    if (notes.beyondLastWeek) lines << QStringLiteral("No year has a week above 54.");
    return lines;
}

}  // namespace

UpcomingLabel::UpcomingLabel(const char* name, QWidget* parent) : QLabel(parent)
{
    setObjectName(QString::fromLatin1(name));
    // No fixed accessible name: a screen reader then reads the text itself,
    // and hears it change as the event is typed.
    setWordWrap(true);
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFocusPolicy(Qt::NoFocus);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(0x33, 0x4D, 0x73));
    setPalette(p);
}

void UpcomingLabel::ShowDates(const std::vector<UpcomingDate>& dates, Weeks weeks, const QStringList& notes,
                              const DateSettings& settings)
{
    QStringList shown;
    for (const UpcomingDate& u : dates) {
        QString text = FixedText(ShortDayNames[static_cast<std::size_t>(DayOfWeek(u.date))]) + QLatin1Char(' ') +
                       QString::fromStdString(ELongDate(u.date, settings));
        if (weeks == Weeks::Shown) text += QStringLiteral(" (week %1)").arg(u.week);
        shown << text;
    }
    QString text = shown.isEmpty()
                       ? QStringLiteral("No date in the next %1 years.").arg(kUpcomingHorizonYears)
                       : QStringLiteral("Next dates: ") + shown.join(QStringLiteral(", "));
    for (const QString& note : notes) text += QLatin1Char('\n') + note;
    setText(text);
}

void UpcomingLabel::ShowWeekly(const AWeek& event, Date from, const DateSettings& settings)
{
    const WeekListNotes notes = CheckWeekList(event.WeekNr, from.Year, settings, event.Weekday);
    if (notes.malformed) {
        setText(WeekListText(notes, event.Weekday).join(QLatin1Char('\n')));
        return;
    }
    ShowDates(NextOccurrences(event, from, kDates, settings), Weeks::Shown, WeekListText(notes, event.Weekday), settings);
}

void UpcomingLabel::ShowMonthly(const AMonth& event, Date from, const DateSettings& settings)
{
    QStringList notes;
    const std::vector<int> lacking = MonthsWithoutDay(event.Day);
    if (event.Day == 29)
        notes << QStringLiteral("February has a 29th only in leap years.");
    else if (!lacking.empty() && event.Day <= 31)
        notes << QStringLiteral("Not every month has a %1: no date in %2.")
                     .arg(event.Day == 31 ? QStringLiteral("31st") : QStringLiteral("30th"))
                     .arg(Months(lacking));
    ShowDates(NextOccurrences(event, from, kDates, settings), Weeks::Hidden, notes, settings);
}

void UpcomingLabel::ShowAnnual(const AYear& event, Date from, const DateSettings& settings, int movedFrom)
{
    QStringList notes;
    if (movedFrom > event.Day)
        notes << QStringLiteral("%1 has no %2: the day moved back to the %3.")
                     .arg(SpokenMonth(event.Month), Ordinal(movedFrom), Ordinal(event.Day));
    if (event.Month == 2 && event.Day == 29) notes << QStringLiteral("Only leap years have 29 February.");
    ShowDates(NextOccurrences(event, from, kDates, settings), Weeks::Hidden, notes, settings);
}

void UpcomingLabel::ShowAdvanced(const AAdv& event, Date from, const DateSettings& settings)
{
    QStringList notes;
    const std::vector<int> without = YearsWithout(event, from.Year, 10, settings);
    if (!without.empty() && without.size() < 10)
        notes << QStringLiteral("Not every year: no date in ") + Years(without) + QLatin1Char('.');
    ShowDates(NextOccurrences(event, from, kDates, settings), Weeks::Hidden, notes, settings);
}

}  // namespace orv
