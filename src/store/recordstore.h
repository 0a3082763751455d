// The six record lists and the indexes into them that the views keep.
#pragma once

#include <cstdint>
#include <type_traits>
#include <vector>

#include "store/records.h"

namespace orv {

// The six lists, one file each.
enum class DataKind { Addresses, Calendar, Advanced, Annual, Monthly, Weekly };

// Owns the six lists. Reading is free; every mutable access bumps the list's
// generation, so that indexes built over a list (engine/eventindex.h) can tell
// that they are stale and rebuild before the next query.
class RecordStore {
public:
    const std::vector<AData>& addresses() const { return addresses_; }
    const std::vector<ACal>& calendar() const { return calendar_; }
    const std::vector<AAdv>& advanced() const { return advanced_; }
    const std::vector<AYear>& annual() const { return annual_; }
    const std::vector<AMonth>& monthly() const { return monthly_; }
    const std::vector<AWeek>& weekly() const { return weekly_; }

    std::vector<AData>& editAddresses() { ++generations_.addresses; return addresses_; }
    std::vector<ACal>& editCalendar() { ++generations_.calendar; return calendar_; }
    std::vector<AAdv>& editAdvanced() { ++generations_.advanced; return advanced_; }
    std::vector<AYear>& editAnnual() { ++generations_.annual; return annual_; }
    std::vector<AMonth>& editMonthly() { ++generations_.monthly; return monthly_; }
    std::vector<AWeek>& editWeekly() { ++generations_.weekly; return weekly_; }

    struct Generations {
        std::uint64_t addresses = 0, calendar = 0, advanced = 0, annual = 0, monthly = 0, weekly = 0;
        bool operator==(const Generations&) const = default;
    };
    const Generations& generations() const { return generations_; }

    // The list of a record type, for code written once for every kind.
    template <class Rec>
    const std::vector<Rec>& list() const
    {
        if constexpr (std::is_same_v<Rec, AData>) return addresses_;
        else if constexpr (std::is_same_v<Rec, ACal>) return calendar_;
        else if constexpr (std::is_same_v<Rec, AAdv>) return advanced_;
        else if constexpr (std::is_same_v<Rec, AYear>) return annual_;
        else if constexpr (std::is_same_v<Rec, AMonth>) return monthly_;
        else return weekly_;
    }

    // Calls `f` with the kind's list, to read it or (WithEditList, moving its
    // generation on) to change it.
    template <class F>
    decltype(auto) WithList(DataKind kind, F&& f) const
    {
        switch (kind) {
        case DataKind::Calendar: return f(calendar_);
        case DataKind::Advanced: return f(advanced_);
        case DataKind::Annual: return f(annual_);
        case DataKind::Monthly: return f(monthly_);
        case DataKind::Weekly: return f(weekly_);
        case DataKind::Addresses: break;
        }
        return f(addresses_);
    }
    template <class F>
    decltype(auto) WithEditList(DataKind kind, F&& f)
    {
        switch (kind) {
        case DataKind::Calendar: return f(editCalendar());
        case DataKind::Advanced: return f(editAdvanced());
        case DataKind::Annual: return f(editAnnual());
        case DataKind::Monthly: return f(editMonthly());
        case DataKind::Weekly: return f(editWeekly());
        case DataKind::Addresses: break;
        }
        return f(editAddresses());
    }

    // Sorts the address list keeping CurrentAddress on the same record.
    void SortAddresses() { orv::SortAddresses(editAddresses(), CurrentAddress); }
    void SortCalendar() { orv::SortCalendar(editCalendar()); }
    void AddCalendarEvent(ACal event) { orv::AddCalendarEvent(editCalendar(), std::move(event)); }

    // Gives each record of the kind without an identity (or with one an
    // earlier record has) one; store/dataformat.h says how. Identities are no
    // part of what indexes show, so the generation stays.
    bool AssignUids(DataKind kind);

    int CurrentAddress = 0;
    int CurrentCalendar = 0;
    int CurrentAdvanced = 0;

private:
    std::vector<AData> addresses_;
    std::vector<ACal> calendar_;
    std::vector<AAdv> advanced_;
    std::vector<AYear> annual_;
    std::vector<AMonth> monthly_;
    std::vector<AWeek> weekly_;
    Generations generations_;
};

}  // namespace orv
