// The six data files of one data folder (data.orv .. week.orv) and their
// weekday backups: loading, saving, and keeping a file that could not be read.
// The format itself is store/dataformat.h; the file operations store/fileio.h.
#pragma once

#include <array>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "store/dataformat.h"
#include "store/fileio.h"
#include "store/recordstore.h"
#include "store/textutil.h"

namespace orv {

struct LoadReport : Result {
    DataKind kind = DataKind::Addresses;
    bool existed = false;
    // The list holds all the file does: it need not be written again until it changes.
    bool whole = false;
    std::string path;
};

// The main file, or the backup of a weekday, 1 = Sunday .. 7 = Saturday, which
// the caller takes from the moment of writing.
struct SaveTarget {
    int weekday = 0;
    static SaveTarget Main() { return {}; }
    static SaveTarget Backup(int weekday) { return {weekday}; }
};

struct SaveReport : Result {
    DataKind kind = DataKind::Addresses;
    std::string path;
    // Set when the file had failed to load, or another program had changed
    // it, and it was kept under this name before it was replaced; the
    // program tells the user.
    std::string asideCopy;
    // Set when another program changed the file since it was read or
    // written here: the message says what was taken in (the lists changed,
    // so the views show them anew). Not a failure: the file was written.
    bool changedOutside = false;
    std::string notice;
    // WriteList only: not written, because another program changed the
    // file since; TakeInOutsideChanges takes that version in first.
    bool foundOutsideVersion = false;
};

// Loads and saves the six files of one data folder. Keep one object from load to
// save: it remembers which files could not be read, so that such a file is kept
// aside (once) before a save replaces it.
//
// A save may be split in three, so that a list is written beside the thread
// that edits it: RefusesToReplace and the list's copy on the editing thread,
// WriteList on a writer thread, and, when another program changed the file,
// TakeInOutsideChanges on the editing thread again before the next write.
// What the object remembers of the files is guarded, so those may overlap.
class DataFiles {
public:
    explicit DataFiles(std::string folder, WallClock clock = {});

    const std::string& folder() const { return folder_; }
    std::string MainPath(DataKind kind) const;
    std::string BackupPath(DataKind kind, int weekday) const;  // "<folder>backup/cal3.orv"

    // Appends the file's records to the kind's list. A missing file loads nothing
    // and is no failure.
    LoadReport Load(DataKind kind, RecordStore& store);
    // The files of `kinds` (each at most once) at the same time, each read on a
    // thread of its own; the reports in the order of `kinds`. The address list
    // is sorted after loading when it is among them.
    std::vector<LoadReport> Load(std::span<const DataKind> kinds, RecordStore& store);
    // All six, as above.
    std::vector<LoadReport> LoadAll(RecordStore& store);
    // The files of `kinds` as Load reads them, for a reader that saves nothing:
    // each is read a stretch at a time, no copy of it is kept, and none
    // counts as read, so a save here refuses to replace any of them.
    std::vector<LoadReport> Read(std::span<const DataKind> kinds, RecordStore& store) const;
    // The calendar events dated within `days`, for a reader that shows those
    // days and saves nothing (see ParseCalendarDays). The file does not count
    // as read: a save of the calendar refuses to replace it with the part.
    LoadReport LoadCalendarDays(DayWindow days, std::vector<ACal>& out, std::vector<std::int32_t>& places) const;
    // The people whose birthday is one of `days`, likewise (see ParseBirthdays).
    LoadReport LoadBirthdays(const BirthdayDays& days, std::vector<AData>& out, std::vector<std::int32_t>& places) const;
    // The briefs of the calendar events dated within `days` and of the
    // people with a birthday, likewise (see ParseEventBriefs).
    LoadReport LoadEventBriefs(DayWindow days, EventBriefs& out) const;
    LoadReport LoadBirthdayBriefs(BirthdayBriefs& out) const;

    // Gives records without an identity one, then writes the list. Before a
    // main file is replaced, a version another program wrote meanwhile is
    // kept aside and its changes are taken into the list (see SaveReport).
    SaveReport Save(DataKind kind, RecordStore& store, SaveTarget target = SaveTarget::Main());
    // All six in order; a failing file does not keep the others from being saved.
    std::vector<SaveReport> SaveAll(RecordStore& store, SaveTarget target = SaveTarget::Main());

    // A failed report when the kind's main file exists but was never read
    // here: what it holds is in no list, so no save may replace it.
    std::optional<SaveReport> RefusesToReplace(DataKind kind) const;
    // Writes the kind's list of `snapshot` (identities given) over the main
    // file, keeping an unread file aside first. When another program changed
    // the file since it was read or written here, nothing is written and
    // the report says foundOutsideVersion.
    SaveReport WriteList(DataKind kind, const RecordStore& snapshot);
    // When another program changed the main file since it was read or
    // written here, takes its changes into the list, keeps that version
    // aside, and from then on counts it as the file's last version, so
    // that the next WriteList replaces it. The report's notice tells the
    // user; nothing is written. The list is left as it was when the file
    // cannot be read now (a failed report).
    SaveReport TakeInOutsideChanges(DataKind kind, RecordStore& store);

    // Whether every list holds its file: loaded (or written) here, none
    // failed. Sync needs it: a list that is not its file would look like
    // records deleted.
    bool AllRead() const;

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
    SaveReport SaveBackup(DataKind kind, RecordStore& store, int weekday);

    std::string folder_;
    WallClock clock_;
    // Guards the arrays below (never held during a read or write of a whole
    // file, except the short parse of a base text during a merge).
    mutable std::mutex lock_;
    std::array<bool, 6> unread_{};
    // A main file that exists but was never loaded is not replaced: what it
    // holds is in no list. Loading it, or saving it once, brings it in step.
    std::array<bool, 6> inStep_{};
    // The version of each main file last read or written here, and its text
    // then: a different file at save time was written by another program,
    // and the text tells which side changed what.
    std::array<FileStamp, 6> stamp_{};
    std::array<std::string, 6> base_{};
};

}  // namespace orv
