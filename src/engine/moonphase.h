// The phases of the Moon, for the age of the moon shown by the tray icon.
// Date-times are days since 1899-12-30 00:00 with the time of day as fraction.
#pragma once

#include <cstdint>

#include "engine/dates.h"

namespace orv {

// Phase kinds.
inline constexpr int NewMoon = 0;
inline constexpr int FirstQuarter = 1;
inline constexpr int FullMoon = 2;
inline constexpr int LastQuarter = 3;

// The instant of the phase `kind` (one of the four above) in the lunation that
// `dateTime` rounds to, in dynamical time, which runs about a minute ahead of
// UTC in the 2020s.
double PhaseDate(int kind, double dateTime);

// The latest instant of the phase `kind` that is earlier than `now`.
double LastPhase(int kind, double now);

// Days from the calendar date of the latest full moon before `now` (a UTC
// instant) to `today`. The full moon's instant is taken to local time with
// `utcOffsetSeconds` (east positive). The count runs 0..30: 30 happens when the
// last full moon fell late on its day and the next one falls later today.
int DaysSinceFullMoon(double now, Date today, std::int32_t utcOffsetSeconds);

// As above, with the local time of the full moon's instant taken from the
// C library (time zone and summer time of that instant).
int DaysSinceFullMoon(double now, Date today);

// A moment given in seconds since 1970-01-01 00:00 UTC, as a date-time.
double DateTimeFromUnixSeconds(std::int64_t seconds);

// The system clock's current UTC instant as a date-time.
double CurrentDateTime();

}  // namespace orv
