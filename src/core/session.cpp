#include "core/session.h"

#include <memory>

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
    if (!r.ok) report.messages.push_back(r.message);
    if (!r.asideCopy.empty()) report.asideCopies.push_back(r.asideCopy);
    if (!r.notice.empty()) report.notices.push_back(r.notice);
}

std::size_t Index(DataKind kind) { return static_cast<std::size_t>(kind); }

std::uint64_t GenerationOf(const RecordStore& records, DataKind kind)
{
    const RecordStore::Generations& g = records.generations();
    switch (kind) {
    case DataKind::Calendar: return g.calendar;
    case DataKind::Advanced: return g.advanced;
    case DataKind::Annual: return g.annual;
    case DataKind::Monthly: return g.monthly;
    case DataKind::Weekly: return g.weekly;
    case DataKind::Addresses: break;
    }
    return g.addresses;
}

void Note(SessionReport& report, const TodoReport& r)
{
    if (!r.ok) report.messages.push_back(r.message);
    report.asideCopies.insert(report.asideCopies.end(), r.asideCopies.begin(), r.asideCopies.end());
    report.notices.insert(report.notices.end(), r.notices.begin(), r.notices.end());
}

void Note(SessionReport& report, const Result& r)
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
      finder_(records_),
      writer_(dataFiles_)
{
    finder_.SettingsSource = [this] { return DateSettingsFrom(settings_); };
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
    std::vector<DataKind> whole;
    SessionReport report = LoadInto(records_, whole);
    MarkSaved(whole);
    return report;
}

void Session::StartLoadingData()
{
    loading_ = std::async(std::launch::async, [this] {
        Loaded loaded;
        loaded.report = LoadInto(loaded.records, loaded.whole);
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
    MarkSaved(loaded.whole);
    return std::move(loaded.report);
}

void Session::MarkSaved(const std::vector<DataKind>& whole)
{
    // A list that holds its whole file needs no write until it changes.
    for (const DataKind kind : whole) savedGeneration_[Index(kind)] = GenerationOf(records_, kind);
}

SessionReport Session::LoadInto(RecordStore& records, std::vector<DataKind>& whole)
{
    SessionReport report;
    const std::vector<LoadReport> loads = dataFiles_.LoadAll(records);
    for (const LoadReport& r : loads)
        if (r.whole) whole.push_back(r.kind);
    // A file that could not be read is copied aside at once, so that the one
    // message about it can say where its content is kept.
    const std::vector<SaveReport> kept = dataFiles_.KeepUnreadAside();
    for (const SaveReport& k : kept)
        if (!k.asideCopy.empty()) report.asideCopies.push_back(k.asideCopy);
    for (const LoadReport& r : loads) {
        if (r.ok) continue;
        std::string message = r.path + ": " + r.message;
        for (const SaveReport& k : kept) {
            if (k.kind != r.kind) continue;
            if (!k.ok) message += "\n" + k.message;
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
    const Result settings = InitialiseSettings(store_, settings_, serial);
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
    if (dataLoaded_) {
        // Shared with the answers, which could outlive this call when a
        // file keeps changing under the writer.
        auto collected = std::make_shared<SessionReport>();
        for (const DataKind kind : AllDataKinds)
            if (Unsaved(kind))
                SaveDataFile(kind, [collected](const SessionReport& r) { collected->Add(r); }, collected.get());
        const Delivered rest = FlushWrites();
        report.Add(*collected);
        report.Add(rest.report);
    }
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
    // A backup is never newer than the main file it copies.
    report.Add(FlushWrites().report);
    for (const SaveReport& r : dataFiles_.SaveAll(records_, SaveTarget::Backup(weekday))) Note(report, r);
    return report;
}

void Session::WriteInBackground(std::function<void()> wake)
{
    background_ = true;
    writer_.SetWake(std::move(wake));
}

void Session::Answer(DataKind kind, QueuedWrite& write, const void* reporter, SaveDone call)
{
    if (!call) return;
    if (reporter != nullptr) {
        // One answer per reporter and list: the newest write's.
        for (QueuedWrite& w : queued_[Index(kind)])
            std::erase_if(w.done, [reporter](const auto& d) { return d.first == reporter; });
    }
    write.done.emplace_back(reporter, std::move(call));
}

Session::QueuedWrite& Session::QueueCopy(DataKind kind)
{
    std::vector<QueuedWrite>& writes = queued_[Index(kind)];
    records_.AssignUids(kind);
    const std::uint64_t generation = GenerationOf(records_, kind);
    // The same state is queued or being written already: its answer is this save's too.
    if (!writes.empty() && writes.back().generation == generation) return writes.back();
    RecordStore copy;
    copy.WithEditList(kind, [&](auto& list) {
        using Rec = typename std::decay_t<decltype(list)>::value_type;
        list = records_.list<Rec>();
    });
    QueuedWrite& w = writes.emplace_back();
    w.generation = generation;
    w.ticket = writer_.Queue(kind, std::move(copy));
    return w;
}

void Session::SaveDataFile(DataKind kind, SaveDone done, const void* reporter)
{
    if (const std::optional<SaveReport> refused = dataFiles_.RefusesToReplace(kind)) {
        SessionReport report;
        Note(report, *refused);
        if (done) done(report);
        return;
    }
    QueuedWrite& w = QueueCopy(kind);
    Answer(kind, w, reporter, std::move(done));
    if (!background_) FlushWrites();
}

SessionReport Session::SaveDataFile(DataKind kind)
{
    auto answer = std::make_shared<SessionReport>();
    SaveDataFile(kind, [answer](const SessionReport& r) { *answer = r; }, answer.get());
    FlushWrites();
    return *answer;
}

Session::Delivered Session::DeliverWrites()
{
    Delivered delivered;
    for (DataWriter::Done& d : writer_.TakeDone()) {
        const std::size_t i = Index(d.kind);
        std::vector<QueuedWrite>& writes = queued_[i];
        // The copy written answers for the older ones it replaced.
        std::vector<std::pair<const void*, SaveDone>> done;
        SessionReport report;
        std::uint64_t generation = 0;
        auto end = writes.begin();
        for (; end != writes.end() && end->ticket <= d.ticket; ++end) {
            for (auto& call : end->done) done.push_back(std::move(call));
            report.Add(end->carried);
            generation = end->generation;
        }
        writes.erase(writes.begin(), end);

        if (d.report.foundOutsideVersion) {
            // Nothing was written: the other program's changes come into the
            // list first, and the list is written again.
            const SaveReport merged = dataFiles_.TakeInOutsideChanges(d.kind, records_);
            Note(report, merged);
            delivered.listsChanged |= merged.changedOutside;
            if (merged.ok) {
                QueuedWrite& again = QueueCopy(d.kind);
                again.carried.Add(report);
                for (auto& call : done) Answer(d.kind, again, call.first, std::move(call.second));
                continue;
            }
        } else {
            if (d.report.ok) savedGeneration_[i] = generation;
            Note(report, d.report);
        }
        if (done.empty()) delivered.report.Add(report);
        // Last, as an answer may show a message and run an event loop.
        for (auto& call : done) call.second(report);
    }
    return delivered;
}

Session::Delivered Session::FlushWrites()
{
    Delivered delivered;
    // A merge queues the list again; a file that keeps changing under the
    // writer is left after a few rounds, its list still unsaved.
    for (int round = 0; round < 5; ++round) {
        writer_.WaitIdle();
        const Delivered d = DeliverWrites();
        delivered.report.Add(d.report);
        delivered.listsChanged |= d.listsChanged;
        if (writer_.Idle()) break;
    }
    return delivered;
}

bool Session::Unsaved(DataKind kind) const
{
    const std::optional<std::uint64_t>& saved = savedGeneration_[Index(kind)];
    return !saved || *saved != GenerationOf(records_, kind);
}

const EventFinder& Session::finder() const { return finder_; }

}  // namespace orv
