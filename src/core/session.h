// What the running program keeps: the six record lists, the to-do lists, the
// settings and the files behind them. The main window owns one Session; the
// views read and change it; start-up, "Update", "Hide" and close run its
// Initialise and SaveAll. No Qt here, so all of it is tested without a display.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <future>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/engineconfig.h"
#include "core/settings.h"
#include "core/settingsstore.h"
#include "engine/eventfinder.h"
#include "store/datafile.h"
#include "store/datawriter.h"
#include "store/todofile.h"

namespace orv {

// Messages for the user, and the copies of unreadable files kept aside.
struct SessionReport {
    std::vector<std::string> messages;
    std::vector<std::string> asideCopies;
    // Not failures, but worth telling: another program's changes to a file
    // were taken into the lists (which the views then show anew).
    std::vector<std::string> notices;
    bool ok() const { return messages.empty(); }
    void Add(const SessionReport& other);
};

class Session {
public:
    Session(std::string dataFolder, std::string settingsFile, WallClock wallClock = {});
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const std::string& dataFolder() const { return dataFolder_; }

    // Before anything is read: removes the temporaries that a save killed
    // halfway left in the data folder, in backup/ and beside the settings
    // file (their own names only). Returns the paths removed.
    std::vector<std::string> RemoveStaleTemporaries();

    // Main-window creation: the six files, each on its own, the address list sorted.
    SessionReport LoadData();
    // LoadData beside the caller, which makes the windows meanwhile: the
    // files are read on a thread of their own into lists of their own, and
    // FinishLoadingData waits for them and puts them in place. Until then
    // the record lists stay as they were and nothing may read the data files
    // or save.
    void StartLoadingData();
    SessionReport FinishLoadingData();

    // What the initialisation reads. After a save that failed, "Update" keeps
    // the settings and to-do lists in memory rather than reading older files.
    enum class Read { FromFiles, KeepMemory };

    // The data side of the initialisation: reads the settings store (writing
    // WeekStart and FirstWeek when absent and LastDate = today), rolls the
    // every-day to-do list over to today and reads the top and bottom lists.
    // A setting of the wrong type is taken as its default and reported the
    // first time only. `firstRun` tells whether the settings were never
    // saved (saved1 absent).
    struct InitResult {
        SessionReport report;
        bool firstRun = false;
    };
    InitResult Initialise(Date today, Read read = Read::FromFiles);

    // The save-all step: the data files whose lists changed since they were
    // read or written (waiting for their writes, and for those queued
    // before), the save-all settings (from settings(), which the windows
    // fill in first) and the four to-do files. Nothing is written that was
    // not read first: before LoadData no data file, before Initialise no
    // setting.
    SessionReport SaveAll();
    // The weekday backups written at close (weekday 1 = Sunday .. 7 = Saturday),
    // after the queued writes.
    SessionReport WriteBackups(int weekday);

    // What a save of a data file tells, once its write ended (or was refused).
    using SaveDone = std::function<void(const SessionReport&)>;
    // Saves one data file after an edit (the editing views call this): gives
    // the list's records identities and hands a copy of the list to the
    // writer. `done` runs on this thread when the file was written or the
    // write failed; saves that were written as one (a newer copy took the
    // place of older ones) answer `done` of each `reporter` once, the newest.
    // Without WriteInBackground the write is waited for, and `done` has run
    // when this returns.
    void SaveDataFile(DataKind kind, SaveDone done, const void* reporter = nullptr);
    // Saves one data file and waits for its write (and those queued before).
    SessionReport SaveDataFile(DataKind kind);

    // From now on SaveDataFile returns before the write: `wake` is called
    // on the writer's thread when a write ended, and the program then calls
    // DeliverWrites on the session's thread.
    void WriteInBackground(std::function<void()> wake);
    struct Delivered {
        SessionReport report;  // of writes no one asked to hear of
        // Another program's changes were taken into a list: the views show it anew.
        bool listsChanged = false;
    };
    // Answers the writes that ended. A write that found the file changed by
    // another program wrote nothing: its changes are taken into the list
    // here, and the list is queued again; its answer waits for that write.
    Delivered DeliverWrites();
    // Waits until every queued write ended, answering them all.
    Delivered FlushWrites();
    // Whether the kind's list holds changes its file does not (yet).
    bool Unsaved(DataKind kind) const;
    DataWriter& writer() { return writer_; }

    // Every data file read (or written) here and none failed: what sync needs.
    bool AllDataRead() const { return dataLoaded_ && dataFiles_.AllRead(); }
    RecordStore& records() { return records_; }
    const RecordStore& records() const { return records_; }
    TodoLists& todos() { return todos_; }
    const TodoLists& todos() const { return todos_; }
    // The live settings: what the dialog's controls show. Calendar computations
    // read them at each call.
    Settings& settings() { return settings_; }
    const Settings& settings() const { return settings_; }
    SettingsStore& store() { return store_; }
    // The occurrence finder; it reads the week and date settings as they are at each call.
    const EventFinder& finder() const;

    Date today() const { return today_; }
    void setToday(Date today) { today_ = today; }

private:
    struct Loaded {
        RecordStore records;
        SessionReport report;
        std::vector<DataKind> whole;  // the kinds whose list holds their whole file
    };
    SessionReport LoadInto(RecordStore& records, std::vector<DataKind>& whole);
    void MarkSaved(const std::vector<DataKind>& whole);

    std::string dataFolder_;
    RecordStore records_;
    TodoLists todos_;
    Settings settings_;
    SettingsStore store_;
    DataFiles dataFiles_;
    TodoFiles todoFiles_;
    EventFinder finder_;
    Date today_{};
    bool dataLoaded_ = false;
    bool settingsRead_ = false;
    std::set<std::string> reportedSettings_;  // each bad value is told once

    // A copy handed to the writer, and who waits for its answer.
    struct QueuedWrite {
        std::uint64_t ticket = 0;
        std::uint64_t generation = 0;  // of the list when copied
        std::vector<std::pair<const void*, SaveDone>> done;
        SessionReport carried;  // told by a merge before this write
    };
    void Answer(DataKind kind, QueuedWrite& write, const void* reporter, SaveDone call);
    QueuedWrite& QueueCopy(DataKind kind);
    std::array<std::vector<QueuedWrite>, 6> queued_;
    // The generation of each list that its file holds; none when the file
    // holds something else (not read whole, never written, a write failed).
    std::array<std::optional<std::uint64_t>, 6> savedGeneration_;
    bool background_ = false;
    // Last, so that they end first: the writer's queued writes still go to
    // the files, and a load still running is waited for.
    DataWriter writer_;
    std::future<Loaded> loading_;
};

}  // namespace orv
