// Whole-file reads and safe writes on POSIX: every file the program writes goes
// to a temporary file beside it and is renamed over the old one, so that a
// crash or a full disk never leaves a half-written file behind.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// The outcome of a file operation: ok, or the message to show.
struct FileResult {
    bool ok = true;
    std::string message;
    static FileResult Ok() { return {}; }
    static FileResult Error(std::string m) { return {false, std::move(m)}; }
    explicit operator bool() const { return ok; }
};

// Reads a whole file. Missing files are reported through `exists`.
struct ReadResult {
    bool exists = false;
    FileResult result;
    std::string content;
};
ReadResult ReadWholeFile(const std::string& path);

// Writes `content` to a temporary file beside `path` (TemporaryNamePrefix(path)
// followed by six letters or digits) and renames it over `path`; then the
// folder is synced, so that the new name also survives a power loss.
FileResult WriteFileAtomic(const std::string& path, std::string_view content);

// "<path>.tmp-": the start of the temporary names WriteFileAtomic uses for `path`.
std::string TemporaryNamePrefix(const std::string& path);

// Removes from `folder` the temporaries that an interrupted WriteFileAtomic of
// one of `names` left behind ("<name>.tmp-" and six letters or digits), and
// nothing else. Returns the paths removed.
std::vector<std::string> RemoveStaleTemporaries(const std::string& folder, const std::vector<std::string>& names);

bool FileExists(const std::string& path);

// Anything at the path, a folder or a broken link included.
bool PathExists(const std::string& path);

// "I/O error %d" style text for an errno value, with the system's own words.
std::string IoErrorText(int err, const std::string& path);

// Creates the folder and its missing parents. Fails with the system's reason
// when it cannot be made (a file in its place, no permission).
FileResult EnsureFolder(const std::string& folder);

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

}  // namespace orv
