// What the running program keeps: the six record lists, the to-do lists, the
// settings and the files behind them. The main window owns one Session; the
// views read and change it; start-up, "Update", "Hide" and close run its
// Initialise and SaveAll. No Qt here, so all of it is tested without a display.
#pragma once

#include <future>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/engineconfig.h"
#include "core/settings.h"
#include "core/settingsstore.h"
#include "engine/eventfinder.h"
#include "store/datafile.h"
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

    // The save-all step: the six data files, the save-all settings (from
    // settings(), which the windows fill in first) and the four to-do files.
    // Nothing is written that was not read first: before LoadData no data
    // file, before Initialise no setting.
    SessionReport SaveAll();
    // The weekday backups written at close (weekday 1 = Sunday .. 7 = Saturday).
    SessionReport WriteBackups(int weekday);

    // Saves one data file after an edit (the editing views call this).
    SessionReport SaveDataFile(DataKind kind);

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
    // The occurrence finder, with the current week and date settings applied.
    EventFinder& finder();

    Date today() const { return today_; }
    void setToday(Date today) { today_ = today; }

private:
    struct Loaded {
        RecordStore records;
        SessionReport report;
    };
    SessionReport LoadInto(RecordStore& records);

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
    // Last, so that it is waited for before the rest goes.
    std::future<Loaded> loading_;
};

}  // namespace orv
