#include "store/filemerge.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>

#include "store/dataformat.h"

namespace orv {

namespace {

// The content hash of each record of `list` by its identity.
template <class Rec>
std::unordered_map<std::string_view, std::uint64_t> HashesByUid(const std::vector<Rec>& list)
{
    std::unordered_map<std::string_view, std::uint64_t> hashes;
    hashes.reserve(list.size());
    for (const Rec& rec : list) hashes.emplace(rec.Uid, ContentHash(rec));
    return hashes;
}

}  // namespace

template <class Rec>
MergeCounts MergeChanges(std::vector<Rec>& ours, const std::vector<Rec>& theirs, const std::vector<Rec>& base)
{
    MergeCounts counts;
    const auto before = HashesByUid(base);
    const auto there = HashesByUid(theirs);
    std::unordered_map<std::string_view, std::size_t> ourIndex;
    ourIndex.reserve(ours.size());
    for (std::size_t i = 0; i < ours.size(); ++i) ourIndex.emplace(ours[i].Uid, i);

    std::vector<Rec> added;
    for (const Rec& t : theirs) {
        const auto mine = ourIndex.find(t.Uid);
        const auto then = before.find(t.Uid);
        const std::uint64_t now = there.at(t.Uid);
        if (then == before.end()) {
            if (mine == ourIndex.end()) {
                added.push_back(t);
                ++counts.added;
            } else if (ContentHash(ours[mine->second]) != now) {
                ++counts.conflicts;  // both sides made a record of this UID
            }
            continue;
        }
        if (now == then->second) continue;  // the other side left it as it was
        if (mine == ourIndex.end()) {
            // Changed there after it was deleted here: the change is kept.
            added.push_back(t);
            ++counts.added;
            continue;
        }
        Rec& o = ours[mine->second];
        const std::uint64_t here = ContentHash(o);
        if (here == now) continue;
        if (here == then->second) {
            o = t;
            ++counts.changed;
        } else {
            ++counts.conflicts;
        }
    }

    std::vector<bool> drop(ours.size(), false);
    bool dropping = false;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        const auto then = before.find(ours[i].Uid);
        if (there.count(ours[i].Uid) != 0 || then == before.end()) continue;
        // Deleted on the other side.
        if (ContentHash(ours[i]) == then->second) {
            drop[i] = dropping = true;
            ++counts.removed;
        } else {
            ++counts.conflicts;
        }
    }
    // The string_views above point into `ours`: only now may it change.
    ourIndex.clear();
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

#define ORV_MERGE_FOR(Rec) \
    template MergeCounts MergeChanges(std::vector<Rec>&, const std::vector<Rec>&, const std::vector<Rec>&);
ORV_MERGE_FOR(AData)
ORV_MERGE_FOR(ACal)
ORV_MERGE_FOR(AAdv)
ORV_MERGE_FOR(AYear)
ORV_MERGE_FOR(AMonth)
ORV_MERGE_FOR(AWeek)
#undef ORV_MERGE_FOR

}  // namespace orv
