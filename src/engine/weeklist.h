// Week lists ("1,3,5-7") of weekly events and their membership test.
#pragma once

#include <bitset>
#include <string_view>

namespace orv {

enum class WeekListAnswer { No = 0, Yes = 1, Invalid = 2 };

// Items are scanned left to right; the first match answers Yes, the first item
// that is not a whole number answers Invalid, so "2,x" is Yes for week 2 only.
WeekListAnswer InWeekList(std::string_view weekNr, int week);

// The check made when a weekly event is created: only a malformed answer for
// week 54 rejects the list ("54,x" passes, "x,54" does not).
bool WeekListAccepted(std::string_view weekNr);

// For each week number 0..63, whether a weekly event with this list occurs in
// that week (a malformed answer counts as occurring). Computed once per record.
std::bitset<64> WeeksOccurring(std::string_view weekNr);

}  // namespace orv
