#include "store/datafile.h"

namespace orv {

namespace {

std::size_t Index(DataKind kind) { return static_cast<std::size_t>(kind); }

std::string Quoted(DataKind kind) { return "'" + std::string(DataFileName(kind)) + "'"; }

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

LoadReport DataFiles::Load(DataKind kind, RecordStore& store)
{
    LoadReport report;
    report.kind = kind;
    report.path = MainPath(kind);
    ReadResult file = ReadWholeFile(report.path);
    report.existed = file.exists;
    inStep_[Index(kind)] = true;
    if (!file.exists) return report;
    ParseResult parsed = file.result.ok ? ParseDataText(kind, file.content, store) : std::move(file.result);
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
        report.message = Quoted(kind) + " could not be read and no copy of it could be kept, so it was not replaced: " +
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
    if (!backup && !inStep_[Index(kind)] && PathExists(report.path)) {
        report.failed = true;
        report.message = Quoted(kind) + " was not read, so it was not replaced";
        return report;
    }
    if (const FileResult folder = EnsureFolder(backup ? folder_ + "backup" : folder_); !folder.ok) {
        report.failed = true;
        report.message = folder.message;
        return report;
    }
    if (!backup && !KeepAside(kind, report)) return report;
    const FileResult written = WriteFileAtomic(report.path, SerializeDataText(kind, store));
    if (!written.ok) {
        report.failed = true;
        report.message = written.message;
    } else if (!backup) {
        inStep_[Index(kind)] = true;
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
