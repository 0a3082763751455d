// The one order in which people are listed by name: the people search, the
// address view's "Go to" list and the phone book all use it.
#pragma once

#include <vector>

#include "store/records.h"

namespace orv {

// Indexes of the address list ordered by "Name Surname", each stored text read
// as every stored text is (UTF-8, else Windows-1252), in the Unicode root
// collation at secondary strength: letter case is ignored, accents count, the
// same on every machine whatever its locale. Equal names keep list order.
std::vector<int> PeopleInNameOrder(const std::vector<AData>& addresses);

}  // namespace orv
