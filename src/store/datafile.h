// The six tagged data files (data.orv .. week.orv): pure readers and writers over
// memory, and DataFiles, which loads and saves them in the data folder.
#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/recordstore.h"
#include "store/records.h"
#include "store/textutil.h"

namespace orv {

enum class DataKind { Addresses, Calendar, Advanced, Annual, Monthly, Weekly };

// The order in which the files are loaded and saved.
inline constexpr std::array<DataKind, 6> AllDataKinds{DataKind::Addresses, DataKind::Calendar,
                                                      DataKind::Advanced,  DataKind::Annual,
                                                      DataKind::Monthly,   DataKind::Weekly};

std::string_view DataFileName(DataKind kind);    // "cal.orv"
std::string_view DataHeaderLine(DataKind kind);  // "<BEGIN:CAL:FILE:VERSION>3.0"

// The outcome of reading one file's text. On failure the records completed
// before the bad line have been appended; the record in progress was dropped.
struct ParseResult {
    bool ok = true;
    std::string message;
};

// Each reader appends the file's complete records to `out`. An empty text is an
// empty file; any other text must start with the kind's header line.
ParseResult ParseDataText(std::string_view text, std::vector<AData>& out);
ParseResult ParseDataText(std::string_view text, std::vector<ACal>& out);
ParseResult ParseDataText(std::string_view text, std::vector<AAdv>& out);
ParseResult ParseDataText(std::string_view text, std::vector<AYear>& out);
ParseResult ParseDataText(std::string_view text, std::vector<AMonth>& out);
ParseResult ParseDataText(std::string_view text, std::vector<AWeek>& out);
ParseResult ParseDataText(DataKind kind, std::string_view text, RecordStore& store);

// The whole file, header to "<END:FILE>", lines ended by CR LF.
std::string SerializeDataText(const std::vector<AData>& list);
std::string SerializeDataText(const std::vector<ACal>& list);
std::string SerializeDataText(const std::vector<AAdv>& list);
std::string SerializeDataText(const std::vector<AYear>& list);
std::string SerializeDataText(const std::vector<AMonth>& list);
std::string SerializeDataText(const std::vector<AWeek>& list);
std::string SerializeDataText(DataKind kind, const RecordStore& store);

// Seconds since the epoch, for the names of aside copies; tests fix it.
using WallClock = std::function<std::time_t()>;

// Copies the file at `path` to a new file beside it, "<name>.YYYYMMDD-HHMMSS.unread"
// in local time (then "-2", "-3" .. before ".unread" while that name is taken);
// never replaces a file. `copy` is empty when there was no file to keep.
struct AsideCopy {
    FileResult result;
    std::string copy;
};
AsideCopy CopyAside(const std::string& path, std::time_t now);

// Creates the folder and its missing parents; true when it exists afterwards.
bool EnsureFolder(const std::string& folder);

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

private:
    bool KeepAside(DataKind kind, SaveReport& report);

    std::string folder_;
    WallClock clock_;
    std::array<bool, 6> unread_{};
};

}  // namespace orv
