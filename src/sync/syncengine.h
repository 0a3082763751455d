// One sync of the address book and the calendar with a server's collections:
// a change on one side only goes to the other, a change on both is merged
// field by field, and where both changed the same field both versions are
// kept. The server's objects keep everything ORV does not show.
#pragma once

#include <atomic>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "engine/dates.h"
#include "store/datafile.h"
#include "store/recordstore.h"
#include "store/result.h"
#include "sync/syncstate.h"

namespace orv::sync {

// The server as sync needs it (DavServer speaks WebDAV; tests may give another).
class SyncServer {
public:
    virtual ~SyncServer() = default;
    struct Listing : Result {
        bool tokenInvalid = false;
        std::vector<std::pair<std::string, std::string>> items;  // href, ETag
        std::vector<std::string> removed;                        // with a token: items gone since
        std::string token;
    };
    struct Item {
        std::string href, etag, data;
    };
    struct Fetched : Result {
        std::vector<Item> items;
    };
    struct Written {
        enum class Outcome { Ok, Conflict, Failed } outcome = Outcome::Ok;
        std::string etag;  // empty when the server gave none
        std::string message;
    };
    virtual Listing List(const std::string& collection) = 0;
    // Changes since `token` (sync-collection); tokenInvalid asks for a listing.
    virtual Listing Changes(const std::string& collection, const std::string& token) = 0;
    virtual Fetched Fetch(const std::string& collection, const std::vector<std::string>& hrefs, bool calendar) = 0;
    // `ifMatch` empty: only when no item is there yet.
    virtual Written Put(const std::string& href, const std::string& data, bool calendar, const std::string& ifMatch) = 0;
    // An item already gone counts as removed.
    virtual Written Remove(const std::string& href, const std::string& ifMatch) = 0;
};

struct SyncOptions {
    std::string server, user;
    std::string calendar, addressBook;  // collection paths; empty: not synced
    Date today;
    DateSettings weeks;
    std::time_t stamp = 0;  // DTSTAMP of the events written
    const std::atomic<bool>* cancel = nullptr;
};

struct SyncOutcome : Result {            // the message: why the run stopped
    std::vector<std::string> notes;      // what the user should know: conflicts, restored records
    bool needsUser = false;              // a conflict was kept: worth a notification
    std::vector<DataKind> changedKinds;  // lists changed here, to be saved
    int sent = 0, received = 0, removedHere = 0, removedThere = 0;
};

// Runs one sync over `records`, reading and updating `state`. The caller saves
// the changed lists first and the state after them, so that an interrupted
// run is repeated, never skipped: both sides then agree and nothing doubles.
SyncOutcome RunSync(SyncServer& server, RecordStore& records, SyncState& state, const SyncOptions& options);

}  // namespace orv::sync
