// What sync remembers between runs, beside the data files: for every item of
// a collection, the server's last text and ETag and the local record both
// sides agreed on, so that the next run tells which side changed what.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace orv::sync {

struct ItemState {
    enum class Role { Record, Birthday, StandIns, Foreign };
    std::string uid;
    std::string etag;
    std::string server;  // the server's text as last fetched or written
    std::string local;   // the record (RecordText), or a birthday's item text
    Role role = Role::Record;
    std::vector<std::string> standIns;  // identities of the records standing in for it
};

struct CollectionState {
    std::string href;   // the collection these items belong to
    std::string token;  // the last sync-token, empty when listing
    std::map<std::string, ItemState> items;  // by href
};

struct SyncState {
    std::string server, user;
    CollectionState calendar, addressBook;
    std::string lastRun;      // ISO time of the last run, and how it went
    std::string lastOutcome;
};

// A missing file is an empty state; a damaged one is a message (the caller
// starts afresh only after keeping it aside).
bool LoadSyncState(const std::string& path, SyncState& state, std::string& message);
bool SaveSyncState(const std::string& path, const SyncState& state, std::string& message);

}  // namespace orv::sync
