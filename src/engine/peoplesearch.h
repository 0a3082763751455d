// Finding people by a piece of their name, number or address, and calendar
// events by a piece of their hint.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/eventfinder.h"

namespace orv {

enum class SearchField { FirstName = 0, Surname = 1, Telephone = 2, Email = 3 };

struct PersonHit {
    std::string Text;  // "Name Surname"
    int Index = 0;     // in the address list
};

// Matches in name order (see nameorder.h), equal names in list order. The typed
// text (UTF-8) is compared with each stored text decoded, folding a..z only as
// UpPos does. Hits hold the stored bytes. An empty text lists everyone.
std::vector<PersonHit> SearchPeople(const EventIndex& index, SearchField field, std::string_view text);

struct HintHit {
    std::string Hint;
    int Index = 0;         // in the calendar list
    std::string DateText;  // long date of the event
};

// From the last calendar event to the first, hints compared decoded as in
// SearchPeople; an empty text lists every event that has a hint.
std::vector<HintHit> SearchHints(const RecordStore& store, std::string_view text, const DateSettings& settings);

// Appends a person's short card.
void AddressSummary(std::vector<std::string>& lines, const AData& a);

}  // namespace orv
