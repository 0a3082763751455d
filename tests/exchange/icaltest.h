// Helpers of the iCalendar tests: a store holding one of every kind of event,
// ORV's own occurrences of a period as (date, text) lines, and the same lines
// read back from an iCalendar text by libical.
#pragma once

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <set>
#include <string>
#include <vector>

#include "engine/eventfinder.h"
#include "exchange/ical/icalexport.h"
#include "store/recordstore.h"
#include "../engine/builders.h"

namespace orv::test {

// One of each kind and of the cases where the formats part: leap days, the
// 31st, fifth and fifth-to-last weekdays, week lists, equal records.
inline RecordStore SampleStore()
{
    RecordStore s;
    s.editAddresses() = {Person("Anna", "Berg", 28, 2, 1970), Person("Leo", "Leap", 29, 2, 1980),
                         Person("Bo", "Lind", 1, 3), Person("Nobody", "Nodate", 0, 0)};
    ACal dentist = Event("Dentist 10:30", D(2024, 2, 28), 0);
    dentist.More = {"Bring the card", "", "Ask about the bill"};
    s.editCalendar() = {dentist, Event("Pick up parcel", D(2024, 2, 28), 2), Event("Leap day party", D(2024, 2, 29)),
                        Event("Leap day party", D(2024, 2, 29)), Event("Café Müller, 8€", D(2025, 1, 3))};
    s.editWeekly() = {Weekly("Football", 5), Weekly("Choir", 4, "1-26"), Weekly("Odd weeks", 4, "1,3,5,7,9,11"),
                      Weekly("Spring term", 2, "10-20"), Weekly("Year end", 7, "52,53"), Weekly("Week zero", 1, "0"),
                      Weekly("Every week, listed", 3, "0-54")};
    s.editMonthly() = {Monthly("Pay rent", 1), Monthly("Never in February", 31), Monthly("Gym fee", 29)};
    s.editAnnual() = {Annual("Wedding day", 6, 1), Annual("Leap year only", 2, 29)};
    s.editAdvanced() = {Advanced("Last Thursday of Febuary", true, 1, "Febuary", "Thursday"),
                        Advanced("First Sunday of March", false, 1, "March", "Sunday"),
                        Advanced("Fifth Friday of August", false, 5, "August", "Friday"),
                        Advanced("Fifth to last Monday of May", true, 5, "May", "Monday")};
    return s;
}

// "YYYY-MM-DD<TAB>text" for every occurrence ORV finds from `from` to `to`:
// birthdays without the age, calendar events of every priority, all recurrent kinds.
inline std::multiset<std::string> OrvOccurrences(const RecordStore& store, const DateSettings& settings, Date from, Date to)
{
    EventFinder finder(store);
    finder.Settings = settings;
    std::multiset<std::string> lines;
    for (Date d = from; d <= to; d = NextDate(d)) {
        OccurrenceTable t;
        finder.FindBirthday(d, {}, Age::Hidden, t);
        finder.FindEvent(d, {}, {}, t);
        finder.FindRecurrent(d, {}, {}, t);
        finder.FindRecAvd(d, {}, t);
        for (const Occurrence& o : t) lines.insert(IsoDate(d) + "\t" + o.Text);
    }
    return lines;
}

// The same lines as libical expands an iCalendar text: DTSTART, RRULE and RDATE
// of every event, within the period.
inline std::multiset<std::string> LibicalOccurrences(const std::string& text, Date from, Date to)
{
    std::multiset<std::string> lines;
    icalcomponent* root = icalparser_parse_string(text.c_str());
    EXPECT_NE(root, nullptr);
    if (!root) return lines;
    const auto iso = [](icaltimetype t) {
        return IsoDate(Date{static_cast<std::uint16_t>(t.year), static_cast<std::uint16_t>(t.month),
                            static_cast<std::uint16_t>(t.day)});
    };
    const std::string first = IsoDate(from), last = IsoDate(to);
    for (icalcomponent* e = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        const std::string summary = icalcomponent_get_summary(e) ? icalcomponent_get_summary(e) : "";
        const icaltimetype start = icalcomponent_get_dtstart(e);
        std::set<std::string> dates{iso(start)};
        if (icalproperty* p = icalcomponent_get_first_property(e, ICAL_RRULE_PROPERTY)) {
            icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(p), start);
            for (int i = 0; i < 200000; ++i) {
                const icaltimetype t = icalrecur_iterator_next(it);
                if (icaltime_is_null_time(t) || iso(t) > last) break;
                dates.insert(iso(t));
            }
            icalrecur_iterator_free(it);
        }
        for (icalproperty* p = icalcomponent_get_first_property(e, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(e, ICAL_RDATE_PROPERTY))
            dates.insert(iso(icalproperty_get_rdate(p).time));
        for (const std::string& d : dates)
            if (d >= first && d <= last) lines.insert(d + "\t" + summary);
    }
    icalcomponent_free(root);
    return lines;
}

// Settings rows: every way ORV can number weeks that the tests look at.
struct WeekCase {
    const char* name;
    DateSettings settings;
};
inline const WeekCase kWeekCases[] = {
    {"MondayFirstFullWeek", {1, 0, false}}, {"MondayFourDayWeek", {1, 1, false}}, {"MondayJanuaryFirst", {1, 2, false}},
    {"SundayFirstFullWeek", {0, 0, false}}, {"SundayFourDayWeek", {0, 1, false}}, {"SaturdayFourDayWeek", {6, 1, false}},
};

}  // namespace orv::test
