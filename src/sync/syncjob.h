// One sync of a data folder with the account in the settings, from loading
// the six files to saving what changed and the sync state: what
// `orv --sync-now` runs, and the program on its worker thread.
#pragma once

#include <atomic>
#include <ctime>
#include <string>
#include <vector>

#include "core/settings.h"
#include "engine/dates.h"
#include "sync/davclient.h"
#include "sync/syncengine.h"

namespace orv::sync {

struct SyncJobResult {
    enum class Code { Synced = 0, Failed = 1, NoAccount = 2 };
    Code code = Code::Synced;
    std::string message;             // the reason, when not synced; the summary else
    SyncOutcome outcome;
    std::string certFingerprint;     // an untrusted certificate the user may accept
};

// The account is complete when a server and at least one collection are set.
bool HasSyncAccount(const Settings& s);

// The run's options and the server's account from the settings.
SyncOptions SyncOptionsFrom(const Settings& s, Date today, std::time_t now);
DavAccount DavAccountFrom(const Settings& s, std::string password);

// Needs a QCoreApplication. The caller holds the data folder's lock.
SyncJobResult SyncDataFolder(const std::string& folder, const Settings& settings, Date today, std::time_t now,
                             const std::atomic<bool>* cancel = nullptr);

// The one line the program and the command show for a finished run.
std::string SyncSummary(const SyncJobResult& r);

}  // namespace orv::sync
