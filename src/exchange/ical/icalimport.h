// Reads an iCalendar file (RFC 5545) into a plan of the records ORV would
// add, with a summary to show before anything is stored. Events become
// calendar events; a recurring event becomes a weekly, monthly, annual or
// advanced event where one of those means the same days (the dates it leaves
// out or moves are listed, as ORV's record still falls on them); any other is
// listed with the reason and its dates within a period the caller chooses,
// which can be taken as calendar events instead. ORV's own birthday events
// come back with their person, never as annual events. Whatever an event
// holds that its records do not keep, and every other component (to-dos,
// journal entries), is named in the summary; a file cut off before
// END:VCALENDAR gives what is complete in it.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/dates.h"
#include "store/datafile.h"
#include "store/recordstore.h"
#include "store/result.h"

namespace orv {

struct IcalImportOptions {
    // ORV's recurrent events have no first day: a recurring event that starts
    // after today (and was not written by ORV) keeps its start only as dates.
    Date today;
    // The period whose dates stand in for events no ORV record can hold.
    Date from;
    Date to;
    // WeekStart and FirstWeek: a BYWEEKNO rule becomes a week list only where
    // ORV's week numbers give the same days.
    DateSettings weeks;
    // The local time of a UTC time (seconds since the epoch); empty: the
    // system's time zone. Times given in a named zone or without a zone keep
    // the date and time they are written with.
    std::function<std::tm(std::time_t)> localTime;
};

// A recurring event that no ORV record can hold.
struct IcalUnexpressed {
    std::string summary;  // the event's SUMMARY (UTF-8)
    std::string rule;     // its RRULE as written, "RDATE" for a list of dates
    std::string reason;   // why ORV cannot say it
    // Its dates from `from` to `to` as calendar events, those already in ORV left out.
    std::vector<ACal> occurrences;
    bool take = true;  // whether applying the plan adds the occurrences
};

// An event that adds nothing, and why (cancelled, no date, already in ORV).
struct IcalSkipped {
    std::string summary;
    std::string reason;
};

// The records an import adds, in file order. Records equal to one already in
// ORV, or to one planned before, are left out (and listed as skipped).
struct IcalPlan {
    std::vector<ACal> calendar;
    std::vector<AWeek> weekly;
    std::vector<AMonth> monthly;
    std::vector<AYear> annual;
    std::vector<AAdv> advanced;
    std::vector<IcalUnexpressed> unexpressed;
    std::vector<IcalSkipped> skipped;
    // Summaries whose line breaks became blanks, as they now read.
    std::vector<std::string> flattened;
    // A series kept recurring although the file leaves out or moves some of
    // its dates (EXDATE, a changed instance): the dates, as `reason`.
    std::vector<IcalSkipped> exceptions;
    // What of an event that is added its records do not keep (an alarm, the
    // time of a recurrent event, ...), as `reason`.
    std::vector<IcalSkipped> notKept;
    // What is said of the file as a whole (a calendar cut off before its end).
    std::vector<std::string> notes;
};

struct IcalImport : Result {  // the message: why nothing could be read
    IcalPlan plan;
};

IcalImport PlanICalendarImport(std::string_view text, const RecordStore& existing, const IcalImportOptions& options);

// The summary to show before anything is stored: what will be added, kind by
// kind; each event that cannot be expressed, why, and how many of its dates
// will be added; what is said of the file; each event skipped and why; the
// dates a recurrent event keeps that the file leaves out; what of an event is
// not kept. One line each.
std::vector<std::string> IcalPlanSummary(const IcalPlan& plan);

// How many records applying the plan adds: the planned ones and the dates of
// the unexpressed events that are taken.
std::size_t IcalPlanAddCount(const IcalPlan& plan);

// Appends the planned records (and the occurrences of the unexpressed events
// marked `take`) to their lists, then orders the calendar as adding an event
// does. Returns the kinds that changed, whose files the caller saves.
std::vector<DataKind> ApplyICalendarPlan(const IcalPlan& plan, RecordStore& records);

}  // namespace orv
