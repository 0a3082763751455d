// A data folder that syncs as `orv --sync-now` does: each run reads the
// lists and the sync state from disk and writes them back.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "../engine/builders.h"
#include "../store/tempfolder.h"
#include "store/datafile.h"
#include "sync/syncengine.h"

namespace orv::sync::testing {

inline constexpr char kCal[] = "/alice/calendar/";
inline constexpr char kBook[] = "/alice/contacts/";

class Device {
public:
    explicit Device(const std::string& name, std::string server = "http://example.test")
        : server_(std::move(server)), temp_("orv-sync-" + name), folder_(temp_.path())
    {
    }

    // Changes the lists as the program does: load, change, save.
    template <class F>
    void Edit(F&& change)
    {
        RecordStore r;
        DataFiles files(folder_);
        files.LoadAll(r);
        change(r);
        files.SaveAll(r);
    }
    RecordStore Records() const
    {
        RecordStore r;
        DataFiles(folder_).LoadAll(r);
        return r;
    }

    SyncOutcome Sync(SyncServer& server, const std::string& calendar = kCal, const std::string& addressBook = kBook)
    {
        RecordStore records;
        DataFiles files(folder_);
        files.LoadAll(records);
        SyncState state;
        std::string message;
        EXPECT_TRUE(LoadSyncState(folder_ + "sync.state", state, message)) << message;
        SyncOptions o;
        o.server = server_;
        o.user = "alice";
        o.calendar = calendar;
        o.addressBook = addressBook;
        o.today = Date{2026, 12, 7};
        o.stamp = 1796601600;
        const SyncOutcome out = RunSync(server, records, state, o);
        for (const DataKind k : out.changedKinds) {
            EXPECT_TRUE(files.Save(k, records).ok);
        }
        EXPECT_TRUE(SaveSyncState(folder_ + "sync.state", state, message)) << message;
        return out;
    }

    const std::string& folder() const { return folder_; }

private:
    std::string server_;
    orv::test::TempFolder temp_;
    std::string folder_;
};


// An event in December 2026.
inline ACal Event(int day, std::string hint) { return orv::test::Event(std::move(hint), orv::test::D(2026, 12, day)); }
using orv::test::Person;

inline std::vector<std::string> Hints(const RecordStore& r)
{
    std::vector<std::string> out;
    for (const ACal& c : r.calendar()) out.push_back(c.Hint);
    return out;
}

}  // namespace orv::sync::testing
