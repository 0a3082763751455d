#include "store/records.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <numeric>

namespace orv {

void BuildDateText(AData& a)
{
    char text[32];
    char* p = std::to_chars(text, text + 12, a.Day).ptr;
    *p++ = '/';
    p = std::to_chars(p, p + 12, a.Month).ptr;
    a.DateText.assign(text, static_cast<std::size_t>(p - text));
}

std::int32_t DateSerial(int year, int month, int day)
{
    using namespace std::chrono;
    const sys_days d = std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)} /
                       std::chrono::day{static_cast<unsigned>(day)};
    constexpr sys_days epoch = std::chrono::year{1899} / December / 30;
    return static_cast<std::int32_t>((d - epoch).count());
}

void SerialToDate(std::int32_t serial, int& year, int& month, int& day)
{
    using namespace std::chrono;
    constexpr sys_days epoch = std::chrono::year{1899} / December / 30;
    const year_month_day ymd{epoch + days{serial}};
    year = static_cast<int>(ymd.year());
    month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    day = static_cast<int>(static_cast<unsigned>(ymd.day()));
}

bool EncodeCalendarDate(ACal& c)
{
    // Built in a buffer: this runs for every event of a large calendar file.
    char text[48];
    char* p = std::to_chars(text, text + 12, c.Day).ptr;
    *p++ = '/';
    p = std::to_chars(p, p + 12, c.Month).ptr;
    *p++ = ' ';
    *p++ = '-';
    *p++ = ' ';
    p = std::to_chars(p, p + 12, c.Year).ptr;
    c.DateText.assign(text, static_cast<std::size_t>(p - text));
    return EncodeCalendarSerial(c);
}

bool EncodeCalendarSerial(ACal& c)
{
    if (c.Year < 1 || c.Year > 9999 || c.Month < 1 || c.Month > 12 || c.Day < 1 || c.Day > 31) {
        c.Date = 0;
        return false;
    }
    const std::chrono::year_month_day ymd{std::chrono::year{c.Year}, std::chrono::month{static_cast<unsigned>(c.Month)},
                                          std::chrono::day{static_cast<unsigned>(c.Day)}};
    if (!ymd.ok()) {
        c.Date = 0;
        return false;
    }
    c.Date = DateSerial(c.Year, c.Month, c.Day);
    return true;
}

std::uint64_t OrderKey(std::string_view text)
{
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < 8; ++i) key = key << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    return key;
}

std::vector<std::int32_t> AddressOrder(std::span<const std::string_view> dateTexts,
                                       std::span<const std::string_view> names)
{
    // A stable sort on (DateText, Name) gives the order of the two exchange-sort
    // passes, in O(n log n). Most comparisons end at the texts' first eight
    // bytes, taken once.
    struct Key {
        std::uint64_t date, name;
        std::int32_t index;
    };
    std::vector<Key> keys(dateTexts.size());
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys[i] = {OrderKey(dateTexts[i]), OrderKey(names[i]), static_cast<std::int32_t>(i)};
    std::stable_sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        if (a.date != b.date) return a.date < b.date;
        const auto ai = static_cast<std::size_t>(a.index), bi = static_cast<std::size_t>(b.index);
        if (const int c = dateTexts[ai].compare(dateTexts[bi]); c != 0) return c < 0;
        if (a.name != b.name) return a.name < b.name;
        return names[ai] < names[bi];
    });
    std::vector<std::int32_t> order(keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k) order[k] = keys[k].index;
    return order;
}

void SortAddresses(std::vector<AData>& list, int& current)
{
    std::vector<std::string_view> dates(list.size()), names(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        dates[i] = list[i].DateText;
        names[i] = list[i].Name;
    }
    const std::vector<std::int32_t> order = AddressOrder(dates, names);
    dates = {};
    names = {};
    for (std::size_t i = 0; i < list.size(); ++i) list[i].Marked = static_cast<int>(i) == current;
    // Each record moves once, along the cycles of the new order, in place:
    // a second list of a large address book would be as large again.
    std::vector<bool> placed(list.size());
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (placed[start] || order[start] == static_cast<std::int32_t>(start)) continue;
        AData first = std::move(list[start]);
        std::size_t at = start;
        for (;;) {
            placed[at] = true;
            const auto from = static_cast<std::size_t>(order[at]);
            if (from == start) {
                list[at] = std::move(first);
                break;
            }
            list[at] = std::move(list[from]);
            at = from;
        }
    }
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] == current) {
            current = static_cast<int>(i);
            break;
        }
    }
}

namespace {

bool EarlierDate(const ACal& a, const ACal& b) { return a.Date < b.Date; }

}  // namespace

void SortCalendar(std::vector<ACal>& list) { std::stable_sort(list.begin(), list.end(), EarlierDate); }

void AddCalendarEvent(std::vector<ACal>& list, ACal event)
{
    // A changed event keeps its place whatever its new date, so the list
    // may be out of order; then it is sorted whole, as a sort after adding would.
    if (!std::is_sorted(list.begin(), list.end(), EarlierDate)) {
        list.push_back(std::move(event));
        SortCalendar(list);
        return;
    }
    list.insert(std::upper_bound(list.begin(), list.end(), event, EarlierDate), std::move(event));
}

}  // namespace orv
