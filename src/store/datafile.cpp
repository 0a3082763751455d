#include "store/datafile.h"

#include <bit>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv {

namespace {

constexpr std::array<std::string_view, 6> FileNames{"data.orv", "cal.orv", "adv.orv",
                                                    "year.orv", "month.orv", "week.orv"};
constexpr std::array<std::string_view, 6> BackupStems{"data", "cal", "adv", "year", "month", "week"};
constexpr std::array<std::string_view, 6> Headers{
    "<BEGIN:DATA:FILE:VERSION>3.0", "<BEGIN:CAL:FILE:VERSION>3.0",  "<BEGIN:ADV:FILE:VERSION>3.0",
    "<BEGIN:YEAR:FILE:VERSION>3.0", "<BEGIN:MONTH:FILE:VERSION>3.0", "<BEGIN:WEEK:FILE:VERSION>3.0"};

std::size_t Index(DataKind kind) { return static_cast<std::size_t>(kind); }

// Walks the lines of a text without copying them. A line ends at CR LF, LF or a
// lone CR; a final line break starts no further line. Lines are short, so the
// search for their end looks at eight bytes at a time rather than calling a
// library search per line.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : p_(text.data()), begin_(p_), end_(text.data() + text.size()) {}

    bool Next(std::string_view& line)
    {
        if (p_ == end_) return false;
        const char* stop = FindBreak(p_);
        line = std::string_view(p_, static_cast<std::size_t>(stop - p_));
        if (stop == end_) {
            p_ = end_;
        } else {
            p_ = stop + ((*stop == '\r' && stop + 1 != end_ && stop[1] == '\n') ? 2 : 1);
        }
        return true;
    }

    std::size_t Consumed() const { return static_cast<std::size_t>(p_ - begin_); }
    std::size_t Remaining() const { return static_cast<std::size_t>(end_ - p_); }

private:
    // Marks the bytes of `word` equal to `c` in their top bit; bits above the
    // first match may be wrong, which the lowest-bit search below never sees.
    static std::uint64_t Matches(std::uint64_t word, unsigned char c)
    {
        constexpr std::uint64_t ones = 0x0101010101010101ULL;
        const std::uint64_t v = word ^ (ones * c);
        return (v - ones) & ~v & (ones << 7);
    }

    const char* FindBreak(const char* q) const
    {
        if constexpr (std::endian::native == std::endian::little) {
            while (end_ - q >= 8) {
                std::uint64_t word;
                std::memcpy(&word, q, sizeof word);
                const std::uint64_t m = Matches(word, '\n') | Matches(word, '\r');
                if (m != 0) return q + std::countr_zero(m) / 8;
                q += 8;
            }
        }
        while (q != end_ && *q != '\n' && *q != '\r') ++q;
        return q;
    }

    const char* p_;
    const char* begin_;
    const char* end_;
};

// One tag line of a record. The matchers store the value when the line carries
// their tag and tell whether it did; a number tag with a value that is not an
// integer marks the line as failed.
struct TagLine {
    explicit TagLine(std::string_view line) : text(line) {}

    std::string_view text;
    bool failed = false;
    std::string_view badValue;

    bool Value(std::string_view tag, std::string_view& value) const
    {
        if (text.size() < tag.size() || std::memcmp(text.data(), tag.data(), tag.size()) != 0) return false;
        value = text.substr(tag.size());
        return true;
    }
    bool Text(std::string_view tag, std::string& field) const
    {
        std::string_view value;
        if (!Value(tag, value)) return false;
        field.assign(value);
        return true;
    }
    bool Number(std::string_view tag, std::int32_t& field)
    {
        std::string_view value;
        if (!Value(tag, value)) return false;
        if (const auto n = ParseInt32(value)) {
            field = *n;
        } else {
            failed = true;
            badValue = value;
        }
        return true;
    }
    bool More(std::vector<std::string>& more) const
    {
        std::string_view value;
        if (!Value("<MORE>", value)) return false;
        more.emplace_back(value);
        return true;
    }
};

// The second byte of the line picks the few tags that can match.
void Apply(AData& a, TagLine& l)
{
    switch (l.text[1]) {
    case 'N': l.Text("<NAME>", a.Name); break;
    case 'S': l.Text("<SURNAME>", a.Surname); break;
    case 'A': l.Text("<ADDRESS>", a.Address); break;
    case 'D': l.Number("<DAY>", a.Day); break;
    case 'M':
        if (!l.Number("<MONTH>", a.Month)) l.More(a.More);
        break;
    case 'Y': l.Number("<YEAR>", a.Year); break;
    case 'P': l.Text("<POSTAL>", a.Postal); break;
    case 'C':
        if (!l.Text("<CITY>", a.City)) l.Text("<COUNTRY>", a.Country);
        break;
    case 'T':
        if (!l.Text("<TELE1>", a.Tele1) && !l.Text("<TELE2>", a.Tele2)) l.Text("<TELE3>", a.Tele3);
        break;
    case 'E':
        if (!l.Text("<EMAIL1>", a.Email1) && !l.Text("<EMAIL2>", a.Email2)) l.Text("<EMAIL3>", a.Email3);
        break;
    default: break;
    }
}

void Apply(ACal& c, TagLine& l)
{
    switch (l.text[1]) {
    case 'H': l.Text("<HINT>", c.Hint); break;
    case 'P': {
        // The priority picks a type letter from a table: out of range reads as normal.
        std::int32_t priority = 1;
        if (l.Number("<PRI>", priority) && !l.failed) {
            c.Priority = static_cast<std::uint8_t>(priority >= 0 && priority <= 2 ? priority : 1);
        }
        break;
    }
    case 'D': l.Number("<DAY>", c.Day); break;
    case 'M':
        if (!l.Number("<MONTH>", c.Month)) l.More(c.More);
        break;
    case 'Y': l.Number("<YEAR>", c.Year); break;
    default: break;
    }
}

void Apply(AAdv& a, TagLine& l)
{
    std::string_view value;
    switch (l.text[1]) {
    case 'U':
        if (l.Value("<UPDOWN>", value)) a.FromEnd = value == "True";
        break;
    case 'D':
        if (!l.Number("<DOWN>", a.Down)) l.Text("<DAY>", a.Day);
        break;
    case 'M': l.Text("<MONTH>", a.Month); break;
    case 'H': l.Text("<HINT>", a.Hint); break;
    default: break;
    }
}

void Apply(AYear& y, TagLine& l)
{
    switch (l.text[1]) {
    case 'D': l.Number("<DAY>", y.Day); break;
    case 'M': l.Number("<MONTH>", y.Month); break;
    case 'Y': l.Text("<YEAR>", y.Year); break;
    case 'H': l.Text("<HINT>", y.Hint); break;
    default: break;
    }
}

void Apply(AMonth& m, TagLine& l)
{
    switch (l.text[1]) {
    case 'D': l.Number("<DAY>", m.Day); break;
    case 'M': l.Text("<MONTH>", m.Month); break;
    case 'Y': l.Text("<YEAR>", m.Year); break;
    case 'H': l.Text("<HINT>", m.Hint); break;
    default: break;
    }
}

void Apply(AWeek& w, TagLine& l)
{
    switch (l.text[1]) {
    case 'W':
        if (!l.Number("<WEEKDAY>", w.Weekday)) l.Text("<WEEKNR>", w.WeekNr);
        break;
    case 'H': l.Text("<HINT>", w.Hint); break;
    default: break;
    }
}

// Completes a record at its "<END>" line; false with a message when it cannot be.
bool Finish(AData& a, std::string&)
{
    BuildDateText(a);
    return true;
}
bool Finish(ACal& c, std::string& message)
{
    if (EncodeCalendarDate(c)) return true;
    message = "Invalid argument to date encode";
    return false;
}
template <class Rec>
bool Finish(Rec&, std::string&)
{
    return true;
}

// The kind whose file holds records of type Rec.
template <class Rec> constexpr DataKind KindOf = DataKind::Addresses;  // AData
template <> constexpr DataKind KindOf<ACal> = DataKind::Calendar;
template <> constexpr DataKind KindOf<AAdv> = DataKind::Advanced;
template <> constexpr DataKind KindOf<AYear> = DataKind::Annual;
template <> constexpr DataKind KindOf<AMonth> = DataKind::Monthly;
template <> constexpr DataKind KindOf<AWeek> = DataKind::Weekly;

template <class Rec>
ParseResult ParseRecords(std::string_view text, std::vector<Rec>& out)
{
    constexpr DataKind kind = KindOf<Rec>;
    if (text.empty()) return {};
    LineCursor lines(text);
    std::string_view line;
    lines.Next(line);
    if (line != Headers[Index(kind)]) {
        return {false, "Unknown header in '" + std::string(FileNames[Index(kind)]) + "'; nothing was loaded from it"};
    }
    // Records are built in place at the end of the list and taken off again
    // when they fail or are never ended.
    const std::size_t before = out.size();
    bool inRecord = false;
    bool reserved = false;
    while (lines.Next(line)) {
        if (line.size() < 2 || line[0] != '<') continue;
        // Only lines starting "<B" or "<E" can be structure lines.
        if (line[1] == 'B' || line[1] == 'E') {
            if (line == "<END:FILE>") break;
            if (line == "<BEGIN>") {
                if (inRecord) {
                    out.back() = Rec{};
                } else {
                    out.emplace_back();
                    inRecord = true;
                }
                continue;
            }
            if (line == "<END>") {
                if (!inRecord) continue;
                inRecord = false;
                std::string message;
                if (!Finish(out.back(), message)) {
                    out.pop_back();
                    return {false, std::move(message)};
                }
                // Once a few records show their size, make room for the rest at once.
                if (!reserved && out.size() - before == 64) {
                    reserved = true;
                    const std::size_t perRecord = lines.Consumed() / 64 + 1;
                    out.reserve(out.size() + lines.Remaining() / perRecord * 9 / 8 + 1);
                }
                continue;
            }
        }
        if (!inRecord) continue;
        TagLine tag(line);
        Apply(out.back(), tag);
        if (tag.failed) {
            out.pop_back();
            return {false, NotAnIntegerMessage(tag.badValue)};
        }
    }
    if (inRecord) out.pop_back();
    return {};
}

// Builds a whole file in one buffer.
class Writer {
public:
    Writer(DataKind kind, std::size_t estimate)
    {
        out_.reserve(estimate + 64);
        Line(Headers[Index(kind)]);
    }
    void Line(std::string_view text)
    {
        out_.append(text);
        out_.append("\r\n", 2);
    }
    void Text(std::string_view tag, std::string_view value)
    {
        out_.append(tag);
        Line(value);
    }
    void TextIfAny(std::string_view tag, std::string_view value)
    {
        if (!value.empty()) Text(tag, value);
    }
    void Number(std::string_view tag, std::int32_t value)
    {
        char digits[12];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        Text(tag, std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }
    void More(const std::vector<std::string>& more)
    {
        Line("<BEGIN:MORE>");
        for (const std::string& item : more) Text("<MORE>", item);
        Line("<END:MORE>");
    }
    std::string Finish()
    {
        Line("<END:FILE>");
        return std::move(out_);
    }

private:
    std::string out_;
};

// Room for a text field's tag, value and line break.
std::size_t Room(const std::string& value) { return value.size() + 12; }
std::size_t Room(const std::vector<std::string>& more)
{
    std::size_t n = 32;
    for (const std::string& item : more) n += Room(item);
    return n;
}
constexpr std::size_t RecordFrame = 16;  // "<BEGIN>", "<END>"
constexpr std::size_t NumberRoom = 24;

}  // namespace

std::string_view DataFileName(DataKind kind) { return FileNames[Index(kind)]; }
std::string_view DataHeaderLine(DataKind kind) { return Headers[Index(kind)]; }

ParseResult ParseDataText(std::string_view text, std::vector<AData>& out) { return ParseRecords(text, out); }
ParseResult ParseDataText(std::string_view text, std::vector<ACal>& out) { return ParseRecords(text, out); }
ParseResult ParseDataText(std::string_view text, std::vector<AAdv>& out) { return ParseRecords(text, out); }
ParseResult ParseDataText(std::string_view text, std::vector<AYear>& out) { return ParseRecords(text, out); }
ParseResult ParseDataText(std::string_view text, std::vector<AMonth>& out) { return ParseRecords(text, out); }
ParseResult ParseDataText(std::string_view text, std::vector<AWeek>& out) { return ParseRecords(text, out); }

ParseResult ParseDataText(DataKind kind, std::string_view text, RecordStore& store)
{
    switch (kind) {
    case DataKind::Addresses: return ParseRecords(text, store.editAddresses());
    case DataKind::Calendar: return ParseRecords(text, store.editCalendar());
    case DataKind::Advanced: return ParseRecords(text, store.editAdvanced());
    case DataKind::Annual: return ParseRecords(text, store.editAnnual());
    case DataKind::Monthly: return ParseRecords(text, store.editMonthly());
    case DataKind::Weekly: return ParseRecords(text, store.editWeekly());
    }
    return {};
}

std::string SerializeDataText(const std::vector<AData>& list)
{
    std::size_t estimate = 0;
    for (const AData& a : list) {
        estimate += RecordFrame + 3 * NumberRoom + Room(a.Name) + Room(a.Surname) + Room(a.Address) +
                    Room(a.Postal) + Room(a.City) + Room(a.Country) + Room(a.Tele1) + Room(a.Tele2) +
                    Room(a.Tele3) + Room(a.Email1) + Room(a.Email2) + Room(a.Email3) + Room(a.More);
    }
    Writer w(DataKind::Addresses, estimate);
    for (const AData& a : list) {
        w.Line("<BEGIN>");
        w.TextIfAny("<NAME>", a.Name);
        w.TextIfAny("<SURNAME>", a.Surname);
        w.TextIfAny("<ADDRESS>", a.Address);
        if (a.Day != 0) w.Number("<DAY>", a.Day);
        if (a.Month != 0) w.Number("<MONTH>", a.Month);
        if (a.Year != 0) w.Number("<YEAR>", a.Year);
        w.TextIfAny("<POSTAL>", a.Postal);
        w.TextIfAny("<CITY>", a.City);
        w.TextIfAny("<COUNTRY>", a.Country);
        w.TextIfAny("<TELE1>", a.Tele1);
        w.TextIfAny("<TELE2>", a.Tele2);
        w.TextIfAny("<TELE3>", a.Tele3);
        w.TextIfAny("<EMAIL1>", a.Email1);
        w.TextIfAny("<EMAIL2>", a.Email2);
        w.TextIfAny("<EMAIL3>", a.Email3);
        w.More(a.More);
        w.Line("<END>");
    }
    return w.Finish();
}

std::string SerializeDataText(const std::vector<ACal>& list)
{
    std::size_t estimate = 0;
    for (const ACal& c : list) estimate += RecordFrame + 4 * NumberRoom + Room(c.Hint) + Room(c.More);
    Writer w(DataKind::Calendar, estimate);
    for (const ACal& c : list) {
        w.Line("<BEGIN>");
        w.Text("<HINT>", c.Hint);
        w.Number("<PRI>", c.Priority);
        w.Number("<DAY>", c.Day);
        w.Number("<MONTH>", c.Month);
        w.Number("<YEAR>", c.Year);
        w.More(c.More);
        w.Line("<END>");
    }
    return w.Finish();
}

std::string SerializeDataText(const std::vector<AAdv>& list)
{
    std::size_t estimate = 0;
    for (const AAdv& a : list) estimate += RecordFrame + 2 * NumberRoom + Room(a.Day) + Room(a.Month) + Room(a.Hint);
    Writer w(DataKind::Advanced, estimate);
    for (const AAdv& a : list) {
        w.Line("<BEGIN>");
        w.Text("<UPDOWN>", a.FromEnd ? "True" : "False");
        w.Number("<DOWN>", a.Down);
        w.Text("<DAY>", a.Day);
        w.Text("<MONTH>", a.Month);
        w.Text("<HINT>", a.Hint);
        w.Line("<END>");
    }
    return w.Finish();
}

std::string SerializeDataText(const std::vector<AYear>& list)
{
    std::size_t estimate = 0;
    for (const AYear& y : list) estimate += RecordFrame + 2 * NumberRoom + Room(y.Year) + Room(y.Hint);
    Writer w(DataKind::Annual, estimate);
    for (const AYear& y : list) {
        w.Line("<BEGIN>");
        w.Number("<DAY>", y.Day);
        w.Number("<MONTH>", y.Month);
        w.Text("<YEAR>", y.Year);
        w.Text("<HINT>", y.Hint);
        w.Line("<END>");
    }
    return w.Finish();
}

std::string SerializeDataText(const std::vector<AMonth>& list)
{
    std::size_t estimate = 0;
    for (const AMonth& m : list) estimate += RecordFrame + NumberRoom + Room(m.Month) + Room(m.Year) + Room(m.Hint);
    Writer w(DataKind::Monthly, estimate);
    for (const AMonth& m : list) {
        w.Line("<BEGIN>");
        w.Number("<DAY>", m.Day);
        w.Text("<MONTH>", m.Month);
        w.Text("<YEAR>", m.Year);
        w.Text("<HINT>", m.Hint);
        w.Line("<END>");
    }
    return w.Finish();
}

std::string SerializeDataText(const std::vector<AWeek>& list)
{
    std::size_t estimate = 0;
    for (const AWeek& wk : list) estimate += RecordFrame + NumberRoom + Room(wk.WeekNr) + Room(wk.Hint);
    Writer w(DataKind::Weekly, estimate);
    for (const AWeek& wk : list) {
        w.Line("<BEGIN>");
        w.Number("<WEEKDAY>", wk.Weekday);
        w.Text("<WEEKNR>", wk.WeekNr);
        w.Text("<HINT>", wk.Hint);
        w.Line("<END>");
    }
    return w.Finish();
}

std::string SerializeDataText(DataKind kind, const RecordStore& store)
{
    switch (kind) {
    case DataKind::Addresses: return SerializeDataText(store.addresses());
    case DataKind::Calendar: return SerializeDataText(store.calendar());
    case DataKind::Advanced: return SerializeDataText(store.advanced());
    case DataKind::Annual: return SerializeDataText(store.annual());
    case DataKind::Monthly: return SerializeDataText(store.monthly());
    case DataKind::Weekly: return SerializeDataText(store.weekly());
    }
    return {};
}

namespace {

FileResult WriteNewFile(int fd, const std::string& path, std::string_view content)
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
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0) return FileResult::Ok();
    ::unlink(path.c_str());
    return FileResult::Error(IoErrorText(err, path));
}

}  // namespace

AsideCopy CopyAside(const std::string& path, std::time_t now)
{
    AsideCopy aside;
    ReadResult original = ReadWholeFile(path);
    if (!original.exists) return aside;  // gone meanwhile: nothing left to lose
    if (!original.result.ok) {
        aside.result = original.result;
        return aside;
    }
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    for (int n = 1; n <= 999; ++n) {
        std::string name = path + "." + stamp + (n > 1 ? "-" + std::to_string(n) : std::string()) + ".unread";
        // O_EXCL: an earlier copy of the same second is never replaced.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            aside.result = FileResult::Error(IoErrorText(errno, name));
            return aside;
        }
        aside.result = WriteNewFile(fd, name, original.content);
        if (aside.result.ok) aside.copy = std::move(name);
        return aside;
    }
    aside.result = FileResult::Error("No free name for a copy of " + path);
    return aside;
}

bool EnsureFolder(const std::string& folder)
{
    struct stat st {};
    if (folder.empty() || (::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode))) return true;
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1)) {
        ::mkdir(folder.substr(0, slash).c_str(), 0777);
    }
    ::mkdir(folder.c_str(), 0777);
    return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

DataFiles::DataFiles(std::string folder, WallClock clock) : folder_(std::move(folder)), clock_(std::move(clock))
{
    if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
    if (!clock_) clock_ = [] { return std::time(nullptr); };
}

std::string DataFiles::MainPath(DataKind kind) const { return folder_ + std::string(FileNames[Index(kind)]); }

std::string DataFiles::BackupPath(DataKind kind, int weekday) const
{
    return folder_ + "backup/" + std::string(BackupStems[Index(kind)]) + std::to_string(weekday) + ".orv";
}

LoadReport DataFiles::Load(DataKind kind, RecordStore& store)
{
    LoadReport report;
    report.kind = kind;
    report.path = MainPath(kind);
    ReadResult file = ReadWholeFile(report.path);
    report.existed = file.exists;
    if (!file.exists) return report;
    ParseResult parsed = file.result.ok ? ParseDataText(kind, file.content, store)
                                        : ParseResult{false, std::move(file.result.message)};
    if (!parsed.ok) {
        report.failed = true;
        report.message = std::move(parsed.message);
        unread_[Index(kind)] = true;
    }
    return report;
}

std::vector<LoadReport> DataFiles::LoadAll(RecordStore& store)
{
    std::vector<LoadReport> reports;
    reports.reserve(AllDataKinds.size());
    for (DataKind kind : AllDataKinds) {
        reports.push_back(Load(kind, store));
        if (kind == DataKind::Addresses) store.SortAddresses();
    }
    return reports;
}

bool DataFiles::KeepAside(DataKind kind, SaveReport& report)
{
    if (!unread_[Index(kind)]) return true;
    AsideCopy aside = CopyAside(MainPath(kind), clock_());
    if (!aside.result.ok) {
        report.failed = true;
        report.message = "'" + std::string(DataFileName(kind)) +
                         "' could not be read and no copy of it could be kept, so it was not replaced: " +
                         aside.result.message;
        return false;
    }
    report.asideCopy = std::move(aside.copy);
    unread_[Index(kind)] = false;
    return true;
}

std::vector<SaveReport> DataFiles::KeepUnreadAside()
{
    std::vector<SaveReport> reports;
    for (DataKind kind : AllDataKinds) {
        if (!unread_[Index(kind)]) continue;
        SaveReport report;
        report.kind = kind;
        report.path = MainPath(kind);
        KeepAside(kind, report);
        reports.push_back(std::move(report));
    }
    return reports;
}

SaveReport DataFiles::Save(DataKind kind, const RecordStore& store, SaveTarget target)
{
    SaveReport report;
    report.kind = kind;
    if (target.weekday < 0 || target.weekday > 7) {
        report.failed = true;
        report.message = "Backup weekday " + std::to_string(target.weekday) + " is not 1 (Sunday) .. 7 (Saturday)";
        return report;
    }
    const bool backup = target.weekday != 0;
    report.path = backup ? BackupPath(kind, target.weekday) : MainPath(kind);
    // A failure to create a folder shows up as the write's own error below.
    EnsureFolder(backup ? folder_ + "backup" : folder_);
    if (!backup && !KeepAside(kind, report)) return report;
    const FileResult written = WriteFileAtomic(report.path, SerializeDataText(kind, store));
    if (!written.ok) {
        report.failed = true;
        report.message = written.message;
    }
    return report;
}

std::vector<SaveReport> DataFiles::SaveAll(const RecordStore& store, SaveTarget target)
{
    std::vector<SaveReport> reports;
    reports.reserve(AllDataKinds.size());
    for (DataKind kind : AllDataKinds) reports.push_back(Save(kind, store, target));
    return reports;
}

}  // namespace orv
