// The address book collection's items: ORV's people as vCard 3.0 objects,
// server cards read back into people, and a local change written into a
// server's card by replacing only the values ORV shows. The postal code and
// the third telephone number have no place of their own in a card ORV reads
// back; they stay with this device's record.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/records.h"

namespace orv::sync {

std::string WriteCard(const AData& person);

// The person a card describes, or nothing when the text holds no card.
// `local` lends the fields a card does not carry (see above).
std::optional<AData> ReadCard(std::string_view text, const AData* local);

// The server's card with the changed fields (ChangedFields of AData) set
// from `now`; `base` is what the card stood for, so that the telephone and
// e-mail lines that held the old values are the ones changed.
std::string PatchCard(std::string_view server, const std::vector<std::string>& changed, const AData& base,
                      const AData& now);

}  // namespace orv::sync
