// The records sync carries, as texts for the sync state and as named fields
// for merging a change made on both sides: a field changed on one side only
// is taken from that side; the same field changed both ways is a conflict.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "store/records.h"

namespace orv::sync {

// One record of the five event lists.
using EventRecord = std::variant<ACal, AWeek, AMonth, AYear, AAdv>;

const std::string& UidOf(const EventRecord& r);
void SetUid(EventRecord& r, std::string uid);
std::string_view HintOf(const EventRecord& r);

// The record as the data files write it, with a first line naming its kind:
// what the sync state keeps of the last version both sides agreed on.
std::string RecordText(const EventRecord& r);
std::string RecordText(const AData& r);
std::optional<EventRecord> EventFromText(std::string_view text);
std::optional<AData> PersonFromText(std::string_view text);

// Equal in everything but the identity.
bool SameContent(const EventRecord& a, const EventRecord& b);
bool SameContent(const AData& a, const AData& b);

// The groups of fields that differ between two versions. Events: "kind"
// (another list), "when" (date or rule), "hint", "priority", "more". People:
// one name per field, the birthday as "birthday".
std::vector<std::string> ChangedFields(const EventRecord& from, const EventRecord& to);
std::vector<std::string> ChangedFields(const AData& from, const AData& to);

template <class Rec>
struct Merged {
    Rec record;                          // the local version with the server's one-sided changes
    std::vector<std::string> conflicts;  // fields both sides changed differently
};
// Three-way merge keeping the local identity. Without a base (both sides
// added the record), every field that differs is a conflict.
Merged<EventRecord> MergeRecords(const EventRecord* base, const EventRecord& local, const EventRecord& server);
Merged<AData> MergeRecords(const AData* base, const AData& local, const AData& server);

}  // namespace orv::sync
