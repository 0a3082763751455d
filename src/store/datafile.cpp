#include "store/datafile.h"

#include <future>
#include <iterator>
#include <type_traits>

#include "store/beside.h"
#include "store/filemerge.h"

namespace orv {

namespace {

std::size_t Index(DataKind kind) { return static_cast<std::size_t>(kind); }

std::string Quoted(DataKind kind) { return "'" + std::string(DataFileName(kind)) + "'"; }

std::string Counted(int n, const char* what) { return std::to_string(n) + " " + what; }

template <class Rec>
std::vector<Rec>& EditList(RecordStore& store)
{
    if constexpr (std::is_same_v<Rec, AData>) return store.editAddresses();
    else if constexpr (std::is_same_v<Rec, ACal>) return store.editCalendar();
    else if constexpr (std::is_same_v<Rec, AAdv>) return store.editAdvanced();
    else if constexpr (std::is_same_v<Rec, AYear>) return store.editAnnual();
    else if constexpr (std::is_same_v<Rec, AMonth>) return store.editMonthly();
    else return store.editWeekly();
}

}  // namespace

DataFiles::DataFiles(std::string folder, WallClock clock) : folder_(std::move(folder)), clock_(std::move(clock))
{
    if (!folder_.empty() && folder_.back() != '/') folder_ += '/';
    if (!clock_) clock_ = [] { return std::time(nullptr); };
}

std::string DataFiles::MainPath(DataKind kind) const { return folder_ + std::string(DataFileName(kind)); }

std::string DataFiles::BackupPath(DataKind kind, int weekday) const
{
    return folder_ + "backup/" + std::string(DataFileStem(kind)) + std::to_string(weekday) + ".orv";
}

std::vector<std::string> DataFiles::MainFileNames()
{
    std::vector<std::string> names;
    for (DataKind kind : AllDataKinds) names.emplace_back(DataFileName(kind));
    return names;
}

std::vector<std::string> DataFiles::BackupFileNames()
{
    std::vector<std::string> names;
    for (DataKind kind : AllDataKinds)
        for (int weekday = 1; weekday <= 7; ++weekday)
            names.push_back(std::string(DataFileStem(kind)) + std::to_string(weekday) + ".orv");
    return names;
}

namespace {

// Says in `report` how the parse of an existing file went; true when the
// list does not hold all the file does.
bool Judge(ParseResult parsed, LoadReport& report)
{
    if (!parsed.ok) {
        report.ok = false;
        report.message = std::move(parsed.message);
        return true;
    }
    if (parsed.valuesCut > 0) {
        report.ok = false;
        report.message = std::to_string(parsed.valuesCut) + (parsed.valuesCut == 1 ? " value was" : " values were") +
                         " longer than " + std::to_string(kLongestValue / 1024) + " KB and cut there.";
        return true;
    }
    // Read as far as it goes, as ever; but the file holds more than the
    // list, so it is kept aside before the first save replaces it.
    return parsed.cutShort;
}

// Reads the kind's main file with `parse`, which takes it from a FileSource a
// stretch at a time, and reports how it went.
template <class Parse>
LoadReport StreamMainFile(DataKind kind, const std::string& path, Parse&& parse)
{
    LoadReport report;
    report.kind = kind;
    report.path = path;
    const FileReader file(path);
    report.existed = file.exists();
    if (!file.exists()) return report;
    ParseResult parsed;
    if (file.opened().ok) {
        parsed = parse(FileSource{file.size(), [&file](std::uint64_t offset, char* buffer, std::size_t count,
                                                       std::string& message) {
                                      return file.ReadAt(offset, buffer, count, message);
                                  }});
    } else {
        static_cast<Result&>(parsed) = file.opened();
    }
    report.whole = !Judge(std::move(parsed), report);
    return report;
}

// Reads the files of `kinds` at once, each with `load(kind, its own store)`,
// and moves their lists into `store`: the threads share nothing else. A
// kind `beside` says no to is read on this thread when its turn comes.
template <class LoadOne, class Beside_ = bool (*)(DataKind)>
std::vector<LoadReport> LoadEach(std::span<const DataKind> kinds, RecordStore& store, LoadOne load,
                                 Beside_ beside = [](DataKind) { return true; })
{
    std::vector<RecordStore> parts(kinds.size());
    std::vector<std::future<LoadReport>> loads;
    loads.reserve(kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        auto work = [&load, &parts, kind = kinds[i], i] { return load(kind, parts[i]); };
        loads.push_back(beside(kinds[i]) ? Beside(std::move(work)) : std::async(std::launch::deferred, std::move(work)));
    }
    std::vector<LoadReport> reports;
    reports.reserve(kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        reports.push_back(loads[i].get());
        store.WithEditList(kinds[i], [&](auto& list) {
            using Rec = typename std::remove_reference_t<decltype(list)>::value_type;
            auto& read = EditList<Rec>(parts[i]);
            if (list.empty()) list = std::move(read);
            else list.insert(list.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));
        });
        if (kinds[i] == DataKind::Addresses) store.SortAddresses();
    }
    return reports;
}

}  // namespace

LoadReport DataFiles::Load(DataKind kind, RecordStore& store)
{
    LoadReport report;
    report.kind = kind;
    report.path = MainPath(kind);
    ReadResult file = ReadWholeFile(report.path);
    report.existed = file.exists;
    bool unread = false;
    if (file.exists) {
        ParseResult parsed;
        if (file.ok) parsed = ParseDataText(kind, file.content, store);
        else static_cast<Result&>(parsed) = static_cast<Result&>(file);
        unread = Judge(std::move(parsed), report);
    }
    report.whole = file.exists && !unread;
    const std::lock_guard lock(lock_);
    inStep_[Index(kind)] = true;
    stamp_[Index(kind)] = file.stamp;
    if (unread) unread_[Index(kind)] = true;
    // Kept as read: only a file another program changes needs it again, and
    // keeping the text costs no time at all, where hashing every record did.
    base_[Index(kind)] = file.exists ? std::move(file.content) : std::string();
    return report;
}

std::vector<LoadReport> DataFiles::Load(std::span<const DataKind> kinds, RecordStore& store)
{
    return LoadEach(kinds, store, [this](DataKind kind, RecordStore& part) { return Load(kind, part); });
}

std::vector<LoadReport> DataFiles::LoadAll(RecordStore& store) { return Load(AllDataKinds, store); }

std::vector<LoadReport> DataFiles::Read(std::span<const DataKind> kinds, RecordStore& store) const
{
    // A file of some hundred kilobytes is read sooner than a thread is made
    // for it: those are read here, one after another, while the large ones
    // are read beside.
    const auto large = [this](DataKind kind) { return StampOf(MainPath(kind)).size >= (1u << 20); };
    return LoadEach(
        kinds, store,
        [this](DataKind kind, RecordStore& part) {
            return StreamMainFile(kind, MainPath(kind), [&](const FileSource& source) {
                return ParseDataStream(kind, source, part);
            });
        },
        large);
}

namespace {

// A main file of which a reader keeps only part: nothing counts it as read,
// so a save refuses to replace it with the part.
template <class Parse>
LoadReport ReadPart(const DataFiles& files, DataKind kind, Parse&& parse)
{
    LoadReport report = StreamMainFile(kind, files.MainPath(kind), std::forward<Parse>(parse));
    report.whole = false;
    return report;
}

}  // namespace

LoadReport DataFiles::LoadCalendarDays(DayWindow days, std::vector<ACal>& out, std::vector<std::int32_t>& places) const
{
    return ReadPart(*this, DataKind::Calendar,
                    [&](const FileSource& source) { return ParseCalendarDays(source, days, out, places); });
}

LoadReport DataFiles::LoadBirthdays(const BirthdayDays& days, std::vector<AData>& out, std::vector<std::int32_t>& places) const
{
    return ReadPart(*this, DataKind::Addresses,
                    [&](const FileSource& source) { return ParseBirthdays(source, days, out, places); });
}

LoadReport DataFiles::LoadEventBriefs(DayWindow days, EventBriefs& out) const
{
    return ReadPart(*this, DataKind::Calendar, [&](const FileSource& source) { return ParseEventBriefs(source, days, out); });
}

LoadReport DataFiles::LoadBirthdayBriefs(BirthdayBriefs& out) const
{
    return ReadPart(*this, DataKind::Addresses, [&](const FileSource& source) { return ParseBirthdayBriefs(source, out); });
}

bool DataFiles::KeepAside(DataKind kind, SaveReport& report)
{
    {
        const std::lock_guard lock(lock_);
        if (!unread_[Index(kind)]) return true;
    }
    AsideCopy aside = CopyAside(MainPath(kind), clock_());
    if (!aside.ok) {
        report.ok = false;
        report.message = Quoted(kind) + " could not be read and no copy of it could be kept, so it was not replaced: " +
                         aside.message;
        return false;
    }
    report.asideCopy = std::move(aside.copy);
    const std::lock_guard lock(lock_);
    unread_[Index(kind)] = false;
    return true;
}

std::vector<SaveReport> DataFiles::KeepUnreadAside()
{
    std::vector<SaveReport> reports;
    for (DataKind kind : AllDataKinds) {
        {
            const std::lock_guard lock(lock_);
            if (!unread_[Index(kind)]) continue;
        }
        SaveReport report;
        report.kind = kind;
        report.path = MainPath(kind);
        KeepAside(kind, report);
        reports.push_back(std::move(report));
    }
    return reports;
}

std::optional<SaveReport> DataFiles::RefusesToReplace(DataKind kind) const
{
    {
        const std::lock_guard lock(lock_);
        if (inStep_[Index(kind)]) return std::nullopt;
    }
    SaveReport report;
    report.kind = kind;
    report.path = MainPath(kind);
    if (!PathExists(report.path)) return std::nullopt;
    report.ok = false;
    report.message = Quoted(kind) + " was not read, so it was not replaced";
    return report;
}

SaveReport DataFiles::Save(DataKind kind, RecordStore& store, SaveTarget target)
{
    if (target.weekday != 0) return SaveBackup(kind, store, target.weekday);
    if (std::optional<SaveReport> refused = RefusesToReplace(kind)) return std::move(*refused);
    store.AssignUids(kind);
    SaveReport merged = TakeInOutsideChanges(kind, store);
    if (!merged.ok) return merged;
    SaveReport report = WriteList(kind, store);
    if (report.ok && report.foundOutsideVersion) {
        // Changed again between the two looks: nothing was written, and the
        // next save takes that version in.
        report.ok = false;
        report.message = Quoted(kind) + " is being changed by another program, so it was not replaced.";
    }
    report.changedOutside = merged.changedOutside;
    report.notice = std::move(merged.notice);
    if (!merged.asideCopy.empty()) report.asideCopy = std::move(merged.asideCopy);
    return report;
}

SaveReport DataFiles::SaveBackup(DataKind kind, RecordStore& store, int weekday)
{
    SaveReport report;
    report.kind = kind;
    if (weekday < 0 || weekday > 7) {
        report.ok = false;
        report.message = "Backup weekday " + std::to_string(weekday) + " is not 1 (Sunday) .. 7 (Saturday)";
        return report;
    }
    report.path = BackupPath(kind, weekday);
    if (const Result folder = EnsureFolder(folder_ + "backup"); !folder.ok) {
        report.ok = false;
        report.message = folder.message;
        return report;
    }
    store.AssignUids(kind);
    const Result written = WriteFileAtomic(report.path, SerializeDataText(kind, store));
    if (!written.ok) {
        report.ok = false;
        report.message = written.message;
    }
    return report;
}

SaveReport DataFiles::WriteList(DataKind kind, const RecordStore& snapshot)
{
    const std::size_t i = Index(kind);
    SaveReport report;
    report.kind = kind;
    report.path = MainPath(kind);
    if (const Result folder = EnsureFolder(folder_); !folder.ok) {
        report.ok = false;
        report.message = folder.message;
        return report;
    }
    FileStamp known;
    {
        const std::lock_guard lock(lock_);
        known = stamp_[i];
    }
    if (ChangedSince(report.path, known)) {
        report.foundOutsideVersion = true;
        return report;
    }
    if (!KeepAside(kind, report)) return report;
    FileStamp stamp;
    std::string text = SerializeDataText(kind, snapshot);
    const Result written = WriteFileAtomic(report.path, text, &stamp);
    if (!written.ok) {
        report.ok = false;
        report.message = written.message;
        return report;
    }
    const std::lock_guard lock(lock_);
    inStep_[i] = true;
    stamp_[i] = stamp;
    base_[i] = std::move(text);
    return report;
}

SaveReport DataFiles::TakeInOutsideChanges(DataKind kind, RecordStore& store)
{
    const std::size_t i = Index(kind);
    SaveReport report;
    report.kind = kind;
    report.path = MainPath(kind);
    FileStamp known;
    {
        const std::lock_guard lock(lock_);
        known = stamp_[i];
    }
    // Gone, or as it was: nothing of another program's to keep.
    if (!ChangedSince(report.path, known)) return report;
    ReadResult file = ReadWholeFile(report.path);
    if (!file.exists) return report;
    if (!file.ok) {
        report.ok = false;
        report.message = Quoted(kind) + " was changed by another program and cannot be read now, so it was not replaced: " +
                         file.message;
        return report;
    }
    RecordStore theirs;
    const ParseResult parsed = ParseDataText(kind, file.content, theirs);
    if (!parsed.ok || parsed.cutShort) {
        // Nothing of it can be taken in safely; it is kept as it is instead.
        {
            const std::lock_guard lock(lock_);
            unread_[i] = true;
            stamp_[i] = file.stamp;
        }
        report.changedOutside = true;
        report.notice = Quoted(kind) + " was changed by another program while ORV had it open, and that version " +
                        (parsed.ok ? "ends in the middle" : "could not be read: " + parsed.message) +
                        ". ORV's lists were saved over it.";
    } else {
        // What the file held when ORV last read or wrote it, read the same way.
        RecordStore then;
        {
            const std::lock_guard lock(lock_);
            ParseDataText(kind, base_[i], then);
        }
        const MergeCounts counts = store.WithEditList(kind, [&](auto& ours) {
            using Rec = typename std::remove_reference_t<decltype(ours)>::value_type;
            return MergeChanges(ours, theirs.list<Rec>(), then.list<Rec>());
        });
        {
            // Their version is the one to compare with from now on, also
            // when nothing of it differs from the list.
            const std::lock_guard lock(lock_);
            stamp_[i] = file.stamp;
            base_[i] = std::move(file.content);
            if (counts.any()) unread_[i] = true;
        }
        if (!counts.any()) return report;
        if (kind == DataKind::Addresses) store.SortAddresses();
        if (kind == DataKind::Calendar) store.SortCalendar();
        report.changedOutside = true;
        report.notice = Quoted(kind) + " was changed by another program while ORV had it open. Its changes were taken in: " +
                        Counted(counts.added, "added") + ", " + Counted(counts.changed, "changed") + ", " +
                        Counted(counts.removed, "removed") + ".";
        if (counts.conflicts > 0)
            report.notice += " " + Counted(counts.conflicts, "record(s)") +
                             " changed both there and in ORV keep ORV's version.";
    }
    // Their version is kept before anything replaces it, so the notice can name the copy.
    if (!KeepAside(kind, report)) return report;
    if (!report.asideCopy.empty())
        report.notice += "\nThe other program's version is kept unchanged as:\n" + report.asideCopy;
    return report;
}

std::vector<SaveReport> DataFiles::SaveAll(RecordStore& store, SaveTarget target)
{
    std::vector<SaveReport> reports;
    reports.reserve(AllDataKinds.size());
    for (DataKind kind : AllDataKinds) reports.push_back(Save(kind, store, target));
    return reports;
}

bool DataFiles::AllRead() const
{
    const std::lock_guard lock(lock_);
    for (std::size_t i = 0; i < unread_.size(); ++i)
        if (unread_[i] || !inStep_[i]) return false;
    return true;
}

}  // namespace orv
