#include "engine/weeklist.h"

#include <vector>

#include "store/textutil.h"

namespace orv {

namespace {

struct Item {
    bool valid = false;
    int low = 0;
    int high = 0;
};

std::vector<Item> ParseItems(std::string_view list)
{
    std::vector<Item> items;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t comma = list.find(',', start);
        if (comma == std::string_view::npos) comma = list.size();
        const std::string_view piece = list.substr(start, comma - start);
        Item item;
        const std::size_t dash = piece.find('-');
        if (piece.empty()) {
            item = {true, 0, 0};
        } else if (dash == std::string_view::npos) {
            if (const auto n = ParseInt32(piece)) item = {true, *n, *n};
        } else {
            const auto low = ParseInt32(piece.substr(0, dash));
            const auto high = ParseInt32(piece.substr(dash + 1));
            if (low && high) item = {true, *low, *high};
        }
        items.push_back(item);
        if (!item.valid) break;  // nothing after a malformed item is ever examined
        start = comma + 1;
        if (comma == list.size()) break;
    }
    return items;
}

WeekListAnswer Answer(const std::vector<Item>& items, int week)
{
    for (const Item& item : items) {
        if (!item.valid) return WeekListAnswer::Invalid;
        if (item.low <= week && week <= item.high) return WeekListAnswer::Yes;
    }
    return WeekListAnswer::No;
}

}  // namespace

WeekListAnswer InWeekList(std::string_view weekNr, int week)
{
    if (weekNr.empty()) return WeekListAnswer::Yes;
    return Answer(ParseItems(weekNr), week);
}

bool WeekListAccepted(std::string_view weekNr) { return InWeekList(weekNr, 54) != WeekListAnswer::Invalid; }

std::bitset<64> WeeksOccurring(std::string_view weekNr)
{
    std::bitset<64> weeks;
    if (weekNr.empty()) return weeks.set();
    const std::vector<Item> items = ParseItems(weekNr);
    for (int w = 0; w < 64; ++w) weeks[static_cast<std::size_t>(w)] = Answer(items, w) != WeekListAnswer::No;
    return weeks;
}

}  // namespace orv
