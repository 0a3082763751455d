#include "sync/syncjob.h"

#include <algorithm>

#include "core/engineconfig.h"
#include "store/datafile.h"
#include "sync/davserver.h"
#include "sync/password.h"

namespace orv::sync {

namespace {

std::vector<std::string> Fingerprints(const std::string& text)
{
    std::vector<std::string> out;
    std::string current;
    for (const char c : text + ",") {
        if (c == ',' || c == ' ' || c == ';') {
            if (!current.empty()) out.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    return out;
}

SyncJobResult Failed(std::string message)
{
    SyncJobResult r;
    r.code = SyncJobResult::Code::Failed;
    r.message = std::move(message);
    return r;
}

}  // namespace

bool HasSyncAccount(const Settings& s)
{
    return !s.SyncServer.empty() && (!s.SyncCalendar.empty() || !s.SyncAddressBook.empty());
}

SyncOptions SyncOptionsFrom(const Settings& s, Date today, std::time_t now)
{
    SyncOptions o;
    o.server = s.SyncServer;
    o.user = s.SyncUser;
    o.calendar = s.SyncCalendar;
    o.addressBook = s.SyncAddressBook;
    // Collections are paths on the server, with their closing '/'.
    for (std::string* c : {&o.calendar, &o.addressBook})
        if (!c->empty() && c->back() != '/') *c += '/';
    o.today = today;
    o.weeks = DateSettingsFrom(s);
    o.stamp = now;
    return o;
}

DavAccount DavAccountFrom(const Settings& s, std::string password)
{
    DavAccount account;
    account.server = s.SyncServer;
    account.user = s.SyncUser;
    account.password = std::move(password);
    account.trustedFingerprints = Fingerprints(s.SyncTrusted);
    return account;
}

SyncJobResult SyncDataFolder(const std::string& folder, const Settings& s, Date today, std::time_t now,
                             const std::atomic<bool>* cancel)
{
    if (!HasSyncAccount(s)) {
        SyncJobResult r;
        r.code = SyncJobResult::Code::NoAccount;
        r.message = "No sync account is set up: give the server and a calendar or address book on the Sync page "
                    "of the settings.";
        return r;
    }
    const PasswordResult password = SyncPassword(s.SyncPasswordCommand, s.SyncServer, s.SyncUser);
    if (!password) return Failed(password.message);

    // A list that could not be read would look like records deleted here.
    RecordStore records;
    DataFiles files(folder);
    for (const LoadReport& l : files.LoadAll(records))
        if (!l.ok) return Failed("Not synced: " + l.message);

    SyncState state;
    std::string message;
    const std::string statePath = folder + "sync.state";
    if (!LoadSyncState(statePath, state, message)) {
        // Compared anew, nothing is lost: equal records are matched, others kept.
        state = SyncState{};
    }

    DavClient client(DavAccountFrom(s, password.password));
    DavServer server(client);
    SyncOptions o = SyncOptionsFrom(s, today, now);
    o.cancel = cancel;

    SyncJobResult r;
    r.outcome = RunSync(server, records, state, o);
    // What changed here is saved even when the run stopped half-way, and
    // before the state: a state ahead of the files would skip a change.
    for (const DataKind k : r.outcome.changedKinds) {
        const SaveReport saved = files.Save(k, records);
        if (!saved.ok) return Failed("Not synced: " + saved.message);
        if (!saved.notice.empty()) r.outcome.notes.push_back(saved.notice);
    }
    if (!SaveSyncState(statePath, state, message)) return Failed("The sync state was not saved: " + message);
    if (!r.outcome.ok) {
        r.code = SyncJobResult::Code::Failed;
        r.message = r.outcome.message;
    }
    r.message = r.code == SyncJobResult::Code::Synced ? SyncSummary(r) : r.message;
    return r;
}

std::string SyncSummary(const SyncJobResult& r)
{
    if (r.code != SyncJobResult::Code::Synced) return "Sync failed: " + r.message;
    const SyncOutcome& o = r.outcome;
    if (o.sent + o.received + o.removedHere + o.removedThere == 0) return "Synced: nothing had changed.";
    return "Synced: " + std::to_string(o.sent) + " sent, " + std::to_string(o.received) + " received, " +
           std::to_string(o.removedHere) + " removed here, " + std::to_string(o.removedThere) + " removed on the server.";
}

}  // namespace orv::sync
