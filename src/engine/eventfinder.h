// Which stored records occur on a date: birthdays, calendar events, weekly,
// monthly and annual events and advanced events. The single home of the
// recurrence rules; every list of the program is built from these operations.
#pragma once

#include <functional>
#include <optional>

#include "engine/dates.h"
#include "engine/eventindex.h"
#include "engine/occurrence.h"

namespace orv {

// The switches every Find operation shares.
struct FindArgs {
    int DaysUntil = 0;
    bool WithShortDate = false;  // prefix every text with the short date and " - "
    bool WithDaysColumn = false;  // the table shows DaysUntil
};

// Which calendar events a list takes: the overview's priority choice.
enum class Priorities { High = 0, HighAndNormal = 1, All = 2 };

struct EventOptions {
    Priorities priorities = Priorities::All;
    bool longDate = false;  // the long date replaces the short-date prefix
};

// The recurrent kinds a list takes.
struct RecurrentKinds {
    bool weekly = true;
    bool monthly = true;
    bool annual = true;
};

// Whether a birthday line ends with the age the person turns.
enum class Age { Hidden, Shown };

class EventFinder {
public:
    explicit EventFinder(const RecordStore& store) : index_(store) {}

    // Settings that shape week numbers and date texts, read at every call. A
    // source, when set, is asked instead: a finder that lives beside settings a
    // person changes follows them without being told.
    DateSettings Settings;
    std::function<DateSettings()> SettingsSource;
    DateSettings dateSettings() const { return SettingsSource ? SettingsSource() : Settings; }

    const RecordStore& store() const { return index_.store(); }
    const EventIndex& index() const { return index_; }

    void FindBirthday(Date date, const FindArgs& args, Age age, OccurrenceTable& out) const;
    void FindEvent(Date date, const FindArgs& args, const EventOptions& options, OccurrenceTable& out) const;
    void FindRecurrent(Date date, const FindArgs& args, RecurrentKinds kinds, OccurrenceTable& out) const;
    void FindRecAvd(Date date, const FindArgs& args, OccurrenceTable& out) const;

    // How many high-priority calendar events the date has, whatever a list filters.
    int HighPriorityCount(Date date) const;

    // The advanced event that an "A" line of the date opens: the first in list order.
    std::optional<int> OpenRecAvd(Date date) const;

    // Text of one birthday line (shared with the Today Box's lookup).
    static std::string BirthdayText(const AData& a, int year, Age age, const std::string& prefix);

private:
    std::string Prefix(Date date, const FindArgs& args) const;
    static void Add(OccurrenceTable& out, const FindArgs& args, char kind, std::string text, int index);

    EventIndex index_;
};

}  // namespace orv
