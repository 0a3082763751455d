#include "store/fileio.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

namespace {

constexpr std::string_view kTemporaryInfix = ".tmp-";
constexpr std::size_t kTemporaryLetters = 6;  // mkstemp's XXXXXX

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool IsFolder(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

FileStamp StampOfStat(const struct stat& st)
{
    FileStamp s;
    s.exists = true;
    s.device = static_cast<unsigned long long>(st.st_dev);
    s.inode = static_cast<unsigned long long>(st.st_ino);
    s.size = static_cast<unsigned long long>(st.st_size);
    s.modifiedNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    return s;
}

// Gives a new file the permissions of the one it replaces, so that a file the
// user made private stays private; a new file gets the usual ones.
void TakeModeOf(int fd, const std::string& replaced)
{
    struct stat st {};
    if (::stat(replaced.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
        ::fchmod(fd, st.st_mode & 07777);
        // Only root, or an owner changing to one of its groups, may give the
        // file back its owner and group; otherwise the new file stays ours.
        if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) && ::fchown(fd, st.st_uid, st.st_gid) != 0) {
            // Not allowed: the new file is ours, with the mode the user chose.
        }
        return;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
}

bool IsLetterOrDigit(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// Writes all of `content` to `fd`, syncs and closes it; on failure the file
// at `path` is removed again.
Result WriteAndClose(int fd, const std::string& path, std::string_view content, const std::string& reported,
                         FileStamp* written = nullptr)
{
    std::size_t done = 0;
    int err = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    if (err == 0 && ::fsync(fd) != 0) err = errno;
    if (struct stat st {}; err == 0 && written != nullptr && ::fstat(fd, &st) == 0) *written = StampOfStat(st);
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0) return Result::Ok();
    ::unlink(path.c_str());
    return Result::Error(IoErrorText(err, reported));
}

// Makes a rename in `folder` durable. A file system that cannot sync a folder
// has nothing more to do, so a failure here is not the write's failure.
void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string IoErrorText(int err, const std::string& path)
{
    if (err == ENOENT) return "File not found: " + path;
    return "I/O error " + std::to_string(err) + " (" + std::strerror(err) + "): " + path;
}

bool FileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool PathExists(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

FileStamp StampOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return {};
    return StampOfStat(st);
}

bool ChangedSince(const std::string& path, const FileStamp& known)
{
    const FileStamp now = StampOf(path);
    return now.exists && now != known;
}

std::string LinkTarget(const std::string& path)
{
    std::string current = path;
    // A loop of links ends somewhere; forty steps is what the system allows too.
    for (int step = 0; step < 40; ++step) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n <= 0) return current;
        target.resize(static_cast<std::size_t>(n));
        if (target.front() != '/') target = FolderOf(current) + "/" + target;
        current = std::move(target);
    }
    return current;
}

namespace {

// Gives `advice` for the whole `unit`s that lie inside [data, data + bytes);
// a unit only partly inside is left as it is.
void AdviseWholeUnits(const void* data, std::size_t bytes, std::uintptr_t unit, int advice)
{
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (start + unit - 1) & ~(unit - 1);
    const std::uintptr_t end = (start + bytes) & ~(unit - 1);
    if (end > begin) ::madvise(reinterpret_cast<void*>(begin), end - begin, advice);
}

}  // namespace

void AdviseHugePages(const void* data, std::size_t bytes) { AdviseWholeUnits(data, bytes, 2 << 20, MADV_HUGEPAGE); }

void TakePagesNow(const void* data, std::size_t bytes)
{
    static const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    AdviseWholeUnits(data, bytes, page, MADV_POPULATE_WRITE);
}

ReadResult ReadWholeFile(const std::string& path)
{
    ReadResult r;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return r;
        r.exists = true;
        static_cast<Result&>(r) = Result::Error(IoErrorText(errno, path));
        return r;
    }
    r.exists = true;
    struct stat st {};
    if (::fstat(fd, &st) == 0) {
        r.stamp = StampOfStat(st);
        if (st.st_size > 0) {
            r.content.reserve(static_cast<std::size_t>(st.st_size));
            AdviseHugePages(r.content.data(), r.content.capacity());
            TakePagesNow(r.content.data(), r.content.capacity());
        }
    }
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            static_cast<Result&>(r) = Result::Error(IoErrorText(errno, path));
            break;
        }
        if (n == 0) break;
        r.content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return r;
}

FileReader::FileReader(const std::string& path) : path_(path)
{
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        if (errno == ENOENT) return;
        exists_ = true;
        opened_ = Result::Error(IoErrorText(errno, path));
        return;
    }
    exists_ = true;
    if (struct stat st {}; ::fstat(fd_, &st) == 0) size_ = static_cast<std::uint64_t>(st.st_size);
}

FileReader::~FileReader()
{
    if (fd_ >= 0) ::close(fd_);
}

std::ptrdiff_t FileReader::ReadAt(std::uint64_t offset, char* buffer, std::size_t count, std::string& message) const
{
    for (;;) {
        const ssize_t n = ::pread(fd_, buffer, count, static_cast<off_t>(offset));
        if (n >= 0) return n;
        if (errno == EINTR) continue;
        message = IoErrorText(errno, path_);
        return -1;
    }
}

std::string TemporaryNamePrefix(const std::string& path) { return path + std::string(kTemporaryInfix); }

Result WriteFileAtomic(const std::string& path, std::string_view content, FileStamp* written)
{
    // Renaming over a link would replace the link and leave its target behind.
    const std::string target = LinkTarget(path);
    std::string tmp = TemporaryNamePrefix(target) + std::string(kTemporaryLetters, 'X');
    const int fd = ::mkstemp(tmp.data());
    if (fd < 0) return Result::Error(IoErrorText(errno, path));
    TakeModeOf(fd, target);
    Result result = WriteAndClose(fd, tmp, content, path, written);
    if (!result.ok) return result;
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return Result::Error(IoErrorText(err, path));
    }
    SyncFolder(FolderOf(target));
    return Result::Ok();
}

std::vector<std::string> RemoveStaleTemporaries(const std::string& folder, const std::vector<std::string>& names)
{
    std::vector<std::string> removed;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return removed;
    const std::string base = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        const std::size_t infix = name.rfind(kTemporaryInfix);
        if (infix == std::string_view::npos || name.size() != infix + kTemporaryInfix.size() + kTemporaryLetters) continue;
        bool letters = true;
        for (const char c : name.substr(infix + kTemporaryInfix.size())) letters = letters && IsLetterOrDigit(c);
        if (!letters) continue;
        bool ours = false;
        for (const std::string& target : names) ours = ours || name.substr(0, infix) == target;
        if (!ours) continue;
        const std::string path = base + std::string(name);
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(path.c_str()) == 0)
            removed.push_back(path);
    }
    ::closedir(dir);
    return removed;
}

Result EnsureFolder(const std::string& folder)
{
    if (folder.empty() || IsFolder(folder)) return Result::Ok();
    // Each missing part from the top; the first that cannot be made gives the reason.
    std::string whole = folder;
    while (whole.size() > 1 && whole.back() == '/') whole.pop_back();
    for (std::size_t slash = whole.find('/', 1);; slash = whole.find('/', slash + 1)) {
        const std::string part = whole.substr(0, slash);
        if (!IsFolder(part)) {
            int err = 0;
            if (PathExists(part)) err = ENOTDIR;
            else if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) err = errno;
            if (err != 0) {
                std::string message = "The folder " + whole + " cannot be created: " + std::strerror(err);
                if (part != whole) message += " (" + part + ")";
                return Result::Error(message);
            }
        }
        if (slash == std::string::npos) return Result::Ok();
    }
}

AsideCopy CopyAside(const std::string& path, std::time_t now)
{
    AsideCopy aside;
    ReadResult original = ReadWholeFile(path);
    if (!original.exists) return aside;  // gone meanwhile: nothing left to lose
    if (!original.ok) {
        static_cast<Result&>(aside) = original;
        return aside;
    }
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    for (int n = 1; n <= 999; ++n) {
        std::string name = path + "." + stamp + (n > 1 ? "-" + std::to_string(n) : std::string()) + ".unread";
        // O_EXCL: an earlier copy of the same second is never replaced.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            static_cast<Result&>(aside) = Result::Error(IoErrorText(errno, name));
            return aside;
        }
        // The copy is no more readable than the file it keeps.
        TakeModeOf(fd, path);
        static_cast<Result&>(aside) = WriteAndClose(fd, name, original.content, name);
        if (aside.ok) {
            SyncFolder(FolderOf(name));
            aside.copy = std::move(name);
        }
        return aside;
    }
    static_cast<Result&>(aside) = Result::Error("No free name for a copy of " + path);
    return aside;
}

}  // namespace orv
