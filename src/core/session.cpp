#include "core/session.h"

namespace orv {

void SessionReport::Add(const SessionReport& other)
{
    messages.insert(messages.end(), other.messages.begin(), other.messages.end());
    asideCopies.insert(asideCopies.end(), other.asideCopies.begin(), other.asideCopies.end());
}

namespace {

void Note(SessionReport& report, const SaveReport& r)
{
    if (r.failed) report.messages.push_back(r.message);
    if (!r.asideCopy.empty()) report.asideCopies.push_back(r.asideCopy);
}

void Note(SessionReport& report, const TodoReport& r)
{
    if (r.failed) report.messages.push_back(r.message);
    report.asideCopies.insert(report.asideCopies.end(), r.asideCopies.begin(), r.asideCopies.end());
}

void Note(SessionReport& report, const FileResult& r)
{
    if (!r.ok) report.messages.push_back(r.message);
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

SessionReport Session::LoadData()
{
    SessionReport report;
    const std::vector<LoadReport> loads = dataFiles_.LoadAll(records_);
    // A file that could not be read is copied aside at once, so that the one
    // message about it can say where its content is kept.
    const std::vector<SaveReport> kept = dataFiles_.KeepUnreadAside();
    for (const LoadReport& r : loads) {
        if (!r.failed) continue;
        std::string message = r.path + ": " + r.message;
        for (const SaveReport& k : kept) {
            if (k.kind != r.kind) continue;
            if (k.failed) message += "\n" + k.message;
            else if (!k.asideCopy.empty()) {
                message += "\nThe file is kept unchanged as " + k.asideCopy + ".";
                report.asideCopies.push_back(k.asideCopy);
            }
        }
        report.messages.push_back(std::move(message));
    }
    return report;
}

Session::InitResult Session::Initialise(Date today)
{
    InitResult result;
    today_ = today;
    const std::int32_t serial = DateSerial(today.Year, today.Month, today.Day);
    Note(result.report, store_.Load());
    const FileResult read = InitialiseSettings(store_, settings_, serial);
    Note(result.report, read);
    result.firstRun = !settings_.saved1.has_value();
    Note(result.report, store_.Save());
    // A settings value of the wrong type stops the initialisation there; the
    // to-do lists keep what they hold rather than being read on a wrong date.
    if (!read.ok) return result;
    Note(result.report, todoFiles_.LoadEveryDay(todos_, settings_.LastDate, serial));
    Note(result.report, todoFiles_.LoadTopBottom(todos_));
    return result;
}

SessionReport Session::SaveAll()
{
    SessionReport report;
    for (const SaveReport& r : dataFiles_.SaveAll(records_)) Note(report, r);
    Note(report, WriteSaveAllSettings(store_, settings_));
    Note(report, store_.Save());
    Note(report, todoFiles_.Save(todos_));
    return report;
}

SessionReport Session::WriteBackups(int weekday)
{
    SessionReport report;
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
