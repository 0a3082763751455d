#include "core/session.h"

namespace orv {

void SessionReport::Add(const SessionReport& other)
{
    messages.insert(messages.end(), other.messages.begin(), other.messages.end());
    asideCopies.insert(asideCopies.end(), other.asideCopies.begin(), other.asideCopies.end());
    notices.insert(notices.end(), other.notices.begin(), other.notices.end());
}

namespace {

void Note(SessionReport& report, const SaveReport& r)
{
    if (r.failed) report.messages.push_back(r.message);
    if (!r.asideCopy.empty()) report.asideCopies.push_back(r.asideCopy);
    if (!r.notice.empty()) report.notices.push_back(r.notice);
}

void Note(SessionReport& report, const TodoReport& r)
{
    if (r.failed) report.messages.push_back(r.message);
    report.asideCopies.insert(report.asideCopies.end(), r.asideCopies.begin(), r.asideCopies.end());
    report.notices.insert(report.notices.end(), r.notices.begin(), r.notices.end());
}

void Note(SessionReport& report, const FileResult& r)
{
    if (!r.ok) report.messages.push_back(r.message);
}

// A save of the settings file, and what it kept of another program's version.
void NoteSave(SessionReport& report, SettingsStore& store)
{
    Note(report, store.Save());
    if (!store.OutsideChange().empty()) report.notices.push_back(store.OutsideChange());
}

}  // namespace

Session::Session(std::string dataFolder, std::string settingsFile, WallClock wallClock)
    : dataFolder_(std::move(dataFolder)),
      store_(std::move(settingsFile)),
      dataFiles_(dataFolder_, wallClock),
      todoFiles_(dataFolder_, wallClock),
      finder_(records_)
{
}

std::vector<std::string> Session::RemoveStaleTemporaries()
{
    std::vector<std::string> names = DataFiles::MainFileNames();
    names.insert(names.end(), TodoFileNames.begin(), TodoFileNames.end());
    std::vector<std::string> removed = orv::RemoveStaleTemporaries(dataFolder_, names);
    const std::vector<std::string> backups = orv::RemoveStaleTemporaries(dataFolder_ + "backup", DataFiles::BackupFileNames());
    removed.insert(removed.end(), backups.begin(), backups.end());
    const std::string& settings = store_.Path();
    if (const std::size_t slash = settings.rfind('/'); slash != std::string::npos) {
        const std::vector<std::string> stale =
            orv::RemoveStaleTemporaries(settings.substr(0, slash + 1), {settings.substr(slash + 1)});
        removed.insert(removed.end(), stale.begin(), stale.end());
    }
    return removed;
}

SessionReport Session::LoadData()
{
    dataLoaded_ = true;
    return LoadInto(records_);
}

void Session::StartLoadingData()
{
    loading_ = std::async(std::launch::async, [this] {
        Loaded loaded;
        loaded.report = LoadInto(loaded.records);
        return loaded;
    });
}

SessionReport Session::FinishLoadingData()
{
    if (!loading_.valid()) return LoadData();  // never started: read here
    Loaded loaded = loading_.get();
    // Through the edit accessors, which move the generations on: whatever
    // was built over the lists meanwhile is stale and rebuilt when asked.
    records_.editAddresses() = std::move(loaded.records.editAddresses());
    records_.editCalendar() = std::move(loaded.records.editCalendar());
    records_.editAdvanced() = std::move(loaded.records.editAdvanced());
    records_.editAnnual() = std::move(loaded.records.editAnnual());
    records_.editMonthly() = std::move(loaded.records.editMonthly());
    records_.editWeekly() = std::move(loaded.records.editWeekly());
    records_.CurrentAddress = loaded.records.CurrentAddress;
    records_.CurrentCalendar = loaded.records.CurrentCalendar;
    records_.CurrentAdvanced = loaded.records.CurrentAdvanced;
    dataLoaded_ = true;
    return std::move(loaded.report);
}

SessionReport Session::LoadInto(RecordStore& records)
{
    SessionReport report;
    const std::vector<LoadReport> loads = dataFiles_.LoadAll(records);
    // A file that could not be read is copied aside at once, so that the one
    // message about it can say where its content is kept.
    const std::vector<SaveReport> kept = dataFiles_.KeepUnreadAside();
    for (const SaveReport& k : kept)
        if (!k.asideCopy.empty()) report.asideCopies.push_back(k.asideCopy);
    for (const LoadReport& r : loads) {
        if (!r.failed) continue;
        std::string message = r.path + ": " + r.message;
        for (const SaveReport& k : kept) {
            if (k.kind != r.kind) continue;
            if (k.failed) message += "\n" + k.message;
            else if (!k.asideCopy.empty()) {
                // The name on a line of its own, so that it reads (and copies) whole.
                message += "\nThe file is kept unchanged as:\n" + k.asideCopy;
            }
        }
        report.messages.push_back(std::move(message));
    }
    return report;
}

Session::InitResult Session::Initialise(Date today, Read read)
{
    InitResult result;
    today_ = today;
    const std::int32_t serial = DateSerial(today.Year, today.Month, today.Day);
    if (read == Read::FromFiles) Note(result.report, store_.Load());
    settingsRead_ = true;
    // A bad value is taken as its default and everything else is read, so the
    // to-do lists below load as on any other start.
    const FileResult settings = InitialiseSettings(store_, settings_, serial);
    if (!settings.ok) {
        for (const std::string_view line : SplitLines(settings.message))
            if (reportedSettings_.emplace(line).second) result.report.messages.emplace_back(line);
    }
    result.firstRun = !settings_.saved1.has_value();
    NoteSave(result.report, store_);
    if (read == Read::KeepMemory) {
        // The lists in memory are newer than their files; only a new day
        // starts today's every-day list again.
        if (settings_.LastDate != serial) todos_.TodayEveryDay = todos_.EveryDay;
        return result;
    }
    Note(result.report, todoFiles_.LoadEveryDay(todos_, settings_.LastDate, serial));
    Note(result.report, todoFiles_.LoadTopBottom(todos_));
    return result;
}

SessionReport Session::SaveAll()
{
    SessionReport report;
    if (dataLoaded_)
        for (const SaveReport& r : dataFiles_.SaveAll(records_)) Note(report, r);
    if (settingsRead_) {
        Note(report, WriteSaveAllSettings(store_, settings_));
        NoteSave(report, store_);
    }
    Note(report, todoFiles_.Save(todos_));
    return report;
}

SessionReport Session::WriteBackups(int weekday)
{
    SessionReport report;
    if (!dataLoaded_) return report;
    for (const SaveReport& r : dataFiles_.SaveAll(records_, SaveTarget::Backup(weekday))) Note(report, r);
    return report;
}

SessionReport Session::SaveDataFile(DataKind kind)
{
    SessionReport report;
    Note(report, dataFiles_.Save(kind, records_));
    return report;
}

EventFinder& Session::finder()
{
    finder_.Settings = DateSettingsFrom(settings_);
    return finder_;
}

}  // namespace orv
