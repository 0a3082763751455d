// The six data files of one data folder (data.orv .. week.orv) and their
// weekday backups: loading, saving, and keeping a file that could not be read.
// The format itself is store/dataformat.h; the file operations store/fileio.h.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "store/dataformat.h"
#include "store/fileio.h"
#include "store/recordstore.h"
#include "store/textutil.h"

namespace orv {

struct LoadReport {
    DataKind kind = DataKind::Addresses;
    bool existed = false;
    bool failed = false;
    std::string message;  // the text to show when failed
    std::string path;
};

// The main file, or the backup of a weekday, 1 = Sunday .. 7 = Saturday, which
// the caller takes from the moment of writing.
struct SaveTarget {
    int weekday = 0;
    static SaveTarget Main() { return {}; }
    static SaveTarget Backup(int weekday) { return {weekday}; }
};

struct SaveReport {
    DataKind kind = DataKind::Addresses;
    bool failed = false;
    std::string message;
    std::string path;
    // Set when the file had failed to load and was kept under this name before
    // it was replaced; the program tells the user.
    std::string asideCopy;
};

// Loads and saves the six files of one data folder. Keep one object from load to
// save: it remembers which files could not be read, so that such a file is kept
// aside (once) before a save replaces it.
class DataFiles {
public:
    explicit DataFiles(std::string folder, WallClock clock = {});

    const std::string& folder() const { return folder_; }
    std::string MainPath(DataKind kind) const;
    std::string BackupPath(DataKind kind, int weekday) const;  // "<folder>backup/cal3.orv"

    // Appends the file's records to the kind's list. A missing file loads nothing
    // and is no failure.
    LoadReport Load(DataKind kind, RecordStore& store);
    // All six in order, each on its own; the address list is sorted after loading.
    std::vector<LoadReport> LoadAll(RecordStore& store);

    SaveReport Save(DataKind kind, const RecordStore& store, SaveTarget target = SaveTarget::Main());
    // All six in order; a failing file does not keep the others from being saved.
    std::vector<SaveReport> SaveAll(const RecordStore& store, SaveTarget target = SaveTarget::Main());

    // Copies every file that failed to load aside now, so that the program can
    // name the copy when it reports the failure; the next save then replaces
    // the file without another copy.
    std::vector<SaveReport> KeepUnreadAside();

    // The names of the files this class writes in the folder and in backup/,
    // for the removal of temporaries an interrupted save left behind.
    static std::vector<std::string> MainFileNames();
    static std::vector<std::string> BackupFileNames();

private:
    bool KeepAside(DataKind kind, SaveReport& report);

    std::string folder_;
    WallClock clock_;
    std::array<bool, 6> unread_{};
    // A main file that exists but was never loaded is not replaced: what it
    // holds is in no list. Loading it, or saving it once, brings it in step.
    std::array<bool, 6> inStep_{};
};

}  // namespace orv
