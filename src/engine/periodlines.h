// How many lines a periodical search would list, counted without building
// them, so that a period too long to show can be refused before it fills memory.
#pragma once

#include <cstdint>

#include "engine/periodical.h"

namespace orv {

// 0 when either date is not acceptable (the search itself says which).
std::uint64_t PeriodicalLineCount(const EventFinder& finder, const TypedDate& from, const TypedDate& to,
                                  bool includeBirthdays, bool includeHints);

}  // namespace orv
