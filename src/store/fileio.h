// Whole-file reads and safe writes on POSIX: every file the program writes goes
// to a temporary file beside it and is renamed over the old one, so that a
// crash or a full disk never leaves a half-written file behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/result.h"

namespace orv {

// What tells one version of a file from another without reading it: another
// program that writes the file gives it a new inode (a rename), or a new size
// or modification time. `exists` is false for a missing file.
struct FileStamp {
    bool exists = false;
    unsigned long long device = 0, inode = 0, size = 0;
    long long modifiedNs = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& path);

// Whether a file is at `path` now that is not the version `known` (the one
// read or written here): another program wrote it meanwhile.
bool ChangedSince(const std::string& path, const FileStamp& known);

// Reads a whole file. Missing files are reported through `exists`; `stamp` is
// the version that was read.
struct ReadResult : Result {
    bool exists = false;
    std::string content;
    FileStamp stamp;
};
ReadResult ReadWholeFile(const std::string& path);

// A file read a stretch at a time, from any offset, by a reader that keeps no
// copy of the whole of it. A missing file is `exists` false and no failure.
class FileReader {
public:
    explicit FileReader(const std::string& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool exists() const { return exists_; }
    const Result& opened() const { return opened_; }
    std::uint64_t size() const { return size_; }  // when opened
    // Puts up to `count` bytes from `offset` into `buffer`: how many, 0 past
    // the end, or -1 with the reason in `message`. Threads may read at once.
    std::ptrdiff_t ReadAt(std::uint64_t offset, char* buffer, std::size_t count, std::string& message) const;

private:
    std::string path_;
    int fd_ = -1;
    bool exists_ = false;
    Result opened_;
    std::uint64_t size_ = 0;
};

// Advice that memory of some megabytes about to be filled for the first time
// go in huge pages: a few page faults instead of thousands. The kernel may
// decline; nothing else changes.
void AdviseHugePages(const void* data, std::size_t bytes);

// Gives memory about to be filled all its pages in one call instead of a
// fault per page, which in a virtual machine costs far more than the page
// itself. Only for memory that will be filled whole; a kernel that cannot
// says no, and the pages come one by one as before.
void TakePagesNow(const void* data, std::size_t bytes);

// Writes `content` to a temporary file beside `path` (TemporaryNamePrefix(path)
// followed by six letters or digits) and renames it over `path`; then the
// folder is synced, so that the new name also survives a power loss.
// A `path` that is a symbolic link is followed, so the link keeps pointing at
// the data; the new file keeps the mode (and, where allowed, the owner) of the
// file it replaces. `written`, when given, receives the new file's stamp.
Result WriteFileAtomic(const std::string& path, std::string_view content, FileStamp* written = nullptr);

// The file a write of `path` replaces: `path` itself, or the end of the chain
// of symbolic links starting there (also when that end does not exist yet).
std::string LinkTarget(const std::string& path);

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
Result EnsureFolder(const std::string& folder);

// Seconds since the epoch, for the names of aside copies; tests fix it.
using WallClock = std::function<std::time_t()>;

// Copies the file at `path` to a new file beside it, "<name>.YYYYMMDD-HHMMSS.unread"
// in local time (then "-2", "-3" .. before ".unread" while that name is taken);
// never replaces a file. `copy` is empty when there was no file to keep.
struct AsideCopy : Result {
    std::string copy;
};
AsideCopy CopyAside(const std::string& path, std::time_t now);

}  // namespace orv
