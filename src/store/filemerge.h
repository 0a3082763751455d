// Taking in what another program changed in a data file while ORV had it
// open: a three-way merge by record identity between the version ORV last
// read or wrote, the file as it is now, and the lists.
#pragma once

#include <vector>

#include "store/recordstore.h"

namespace orv {

struct MergeCounts {
    int added = 0;      // new on the other side, or changed there after ORV deleted them
    int changed = 0;    // changed on the other side only
    int removed = 0;    // deleted on the other side, unchanged here
    int conflicts = 0;  // changed on both sides (ORV's version kept)
    bool any() const { return added + changed + removed + conflicts > 0; }
};

// Applies to `ours` each change `theirs` made since `base` (the list as ORV
// last read or wrote it), matching records by identity: a record only one
// side changed takes that side's version; one both changed keeps ours (the
// caller keeps the other file aside and says so); a deletion goes across only
// where this side left the record as it was.
template <class Rec>
MergeCounts MergeChanges(std::vector<Rec>& ours, const std::vector<Rec>& theirs, const std::vector<Rec>& base);

}  // namespace orv
