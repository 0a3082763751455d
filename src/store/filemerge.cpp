#include "store/filemerge.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "store/dataformat.h"

namespace orv {

namespace {

std::uint64_t UidHash(std::string_view uid) { return std::hash<std::string_view>{}(uid); }

}  // namespace

template <class Rec>
ListBase ListBase::Of(const std::vector<Rec>& list)
{
    ListBase base;
    base.entries_.reserve(list.size());
    for (const Rec& rec : list) base.entries_.emplace_back(UidHash(rec.Uid), ContentHash(rec));
    std::sort(base.entries_.begin(), base.entries_.end());
    return base;
}

bool ListBase::Find(std::string_view uid, std::uint64_t& content) const
{
    const std::uint64_t key = UidHash(uid);
    const auto it = std::lower_bound(entries_.begin(), entries_.end(), std::make_pair(key, std::uint64_t{0}));
    if (it == entries_.end() || it->first != key) return false;
    content = it->second;
    return true;
}

template <class Rec>
MergeCounts MergeChanges(std::vector<Rec>& ours, const std::vector<Rec>& theirs, const ListBase& base)
{
    MergeCounts counts;
    std::unordered_map<std::string_view, std::size_t> ourIndex;
    ourIndex.reserve(ours.size());
    for (std::size_t i = 0; i < ours.size(); ++i) ourIndex.emplace(ours[i].Uid, i);
    std::unordered_set<std::string_view> theirUids;
    theirUids.reserve(theirs.size());

    std::vector<Rec> added;
    for (const Rec& t : theirs) {
        theirUids.insert(t.Uid);
        const auto mine = ourIndex.find(t.Uid);
        std::uint64_t then = 0;
        const std::uint64_t now = ContentHash(t);
        if (!base.Find(t.Uid, then)) {
            if (mine == ourIndex.end()) {
                added.push_back(t);
                ++counts.added;
            } else if (ContentHash(ours[mine->second]) != now) {
                ++counts.conflicts;  // both sides made a record of this UID
            }
            continue;
        }
        if (now == then) continue;  // the other side left it as it was
        if (mine == ourIndex.end()) {
            // Changed there after it was deleted here: the change is kept.
            added.push_back(t);
            ++counts.added;
            continue;
        }
        Rec& o = ours[mine->second];
        const std::uint64_t here = ContentHash(o);
        if (here == now) continue;
        if (here == then) {
            o = t;
            ++counts.changed;
        } else {
            ++counts.conflicts;
        }
    }

    std::vector<bool> drop(ours.size(), false);
    bool dropping = false;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        std::uint64_t then = 0;
        if (theirUids.count(ours[i].Uid) != 0 || !base.Find(ours[i].Uid, then)) continue;
        // Deleted on the other side.
        if (ContentHash(ours[i]) == then) {
            drop[i] = dropping = true;
            ++counts.removed;
        } else {
            ++counts.conflicts;
        }
    }
    // The string_views above point into `ours`: only now may it change.
    ourIndex.clear();
    theirUids.clear();
    if (dropping) {
        std::size_t out = 0;
        for (std::size_t i = 0; i < ours.size(); ++i)
            if (!drop[i]) {
                if (out != i) ours[out] = std::move(ours[i]);
                ++out;
            }
        ours.resize(out);
    }
    for (Rec& rec : added) ours.push_back(std::move(rec));
    return counts;
}

#define ORV_MERGE_FOR(Rec)                                 \
    template ListBase ListBase::Of(const std::vector<Rec>&); \
    template MergeCounts MergeChanges(std::vector<Rec>&, const std::vector<Rec>&, const ListBase&);
ORV_MERGE_FOR(AData)
ORV_MERGE_FOR(ACal)
ORV_MERGE_FOR(AAdv)
ORV_MERGE_FOR(AYear)
ORV_MERGE_FOR(AMonth)
ORV_MERGE_FOR(AWeek)
#undef ORV_MERGE_FOR

}  // namespace orv
