// The workload "a lifetime": what years of daily use leave in the data files.
#pragma once

#include <string>

#include "store/recordstore.h"
#include "store/todofile.h"

namespace orv::bench {

struct Lifetime {
    RecordStore store;
    TodoLists todos;
};

// 20 000 addresses (90% with a birthday), 200 000 calendar events over
// 1990-2060, 2 000 weekly (some with week lists), 2 000 monthly, 2 000 annual,
// 1 000 advanced events and 100 items in each to-do list. Always the same data.
void MakeLifetime(Lifetime& out, double scale = 1.0);

// The lifetime at scale 1, made once for the whole benchmark program.
const Lifetime& SharedLifetime();

// Writes the data and to-do files into `folder` (ending in '/').
bool WriteLifetime(const Lifetime& data, const std::string& folder);

}  // namespace orv::bench
