#include "shell/syncrunner.h"

#include <QDateTime>
#include <QPointer>
#include <QThread>
#include <mutex>

#include "core/engineconfig.h"
#include "core/session.h"
#include "store/dataformat.h"
#include "sync/davclient.h"
#include "sync/davserver.h"
#include "sync/password.h"
#include "views/common/longwork.h"

namespace orv {

struct SyncRunner::Job {
    RecordStore records;             // the copy the run works on
    RecordStore::Generations before;  // the session's lists when copied
    unsigned epoch = 0;
    Settings settings;
    std::string folder;
    Date today;
    sync::SyncState state;
    sync::SyncOutcome outcome;
    std::string failure;  // before the run could start
    bool refused = false;  // the password was refused or missing
    // The client of the running request, for Stop() to cancel it.
    std::mutex clientLock;
    sync::DavClient* client = nullptr;
};

namespace {

std::uint64_t GenerationOf(const RecordStore::Generations& g, DataKind kind)
{
    switch (kind) {
    case DataKind::Addresses: return g.addresses;
    case DataKind::Calendar: return g.calendar;
    case DataKind::Advanced: return g.advanced;
    case DataKind::Annual: return g.annual;
    case DataKind::Monthly: return g.monthly;
    case DataKind::Weekly: return g.weekly;
    }
    return 0;
}

// The run itself, on the worker thread: nothing here touches the session.
void RunJob(SyncRunner::Job& job, const std::atomic<bool>& cancel);

}  // namespace

SyncRunner::SyncRunner(Session& session, QObject* parent) : QObject(parent), session_(session)
{
    schedule_.setObjectName(QStringLiteral("SyncSchedule"));
    connect(&schedule_, &QTimer::timeout, this, [this] { Start(); });
}

SyncRunner::~SyncRunner() { Stop(); }

bool SyncRunner::Start(QString* why)
{
    if (thread_) {
        if (why) *why = QStringLiteral("A sync is running.");
        return false;
    }
    const Settings& s = session_.settings();
    if (!sync::HasSyncAccount(s)) {
        if (why) *why = QStringLiteral("No sync account is set up: give the server and a calendar or address book on "
                                       "the Sync page of Properties.");
        return false;
    }
    if (!session_.AllDataRead()) {
        if (why) *why = QStringLiteral("Not synced: a data file could not be read, and its records would look deleted.");
        return false;
    }
    job_ = std::make_unique<Job>();
    job_->records = session_.records();
    job_->before = session_.records().generations();
    job_->epoch = epoch_;
    job_->settings = s;
    job_->folder = session_.dataFolder();
    job_->today = session_.today();
    cancel_ = false;
    Job* job = job_.get();
    thread_ = QThread::create([job, this] { RunJob(*job, cancel_); });
    connect(thread_, &QThread::finished, this, &SyncRunner::Finish);
    thread_->start(QThread::LowPriority);
    emit started();
    return true;
}

void SyncRunner::Stop()
{
    if (!thread_) return;
    cancel_ = true;
    {
        const std::lock_guard lock(job_->clientLock);
        if (job_->client) job_->client->Cancel();
    }
    thread_->wait();
    Finish();
}

void SyncRunner::ApplySchedule()
{
    const int minutes = session_.settings().SyncEvery;
    if (minutes > 0 && sync::HasSyncAccount(session_.settings())) schedule_.start(minutes * 60 * 1000);
    else schedule_.stop();
}

void SyncRunner::Finish()
{
    if (!thread_ || !job_) return;
    // A long work (an import, "To database") puts a list of its own in place
    // when it ends: the sync's result waits for it, then sees the change.
    if (LongWorkRunning()) {
        WhenLongWorkEnds([self = QPointer<SyncRunner>(this)] {
            if (self) self->Finish();
        });
        return;
    }
    thread_->deleteLater();
    thread_ = nullptr;
    std::unique_ptr<Job> job = std::move(job_);
    QStringList notes;
    for (const std::string& n : job->outcome.notes) notes << QString::fromStdString(n);
    bool changed = false;
    QString outcome;
    const QString when = QDateTime::currentDateTime().toString(QStringLiteral("HH:mm"));

    if (!job->failure.empty()) {
        outcome = QStringLiteral("Sync failed: ") + QString::fromStdString(job->failure);
    } else {
        // A list the user changed meanwhile is not replaced: the whole run
        // is repeated with the edit, and nothing of this one is kept here.
        bool stale = job->epoch != epoch_;
        for (const DataKind k : job->outcome.changedKinds)
            stale |= GenerationOf(job->before, k) != GenerationOf(session_.records().generations(), k);
        if (stale) {
            again_ = !cancel_;
            outcome = QStringLiteral("Sync repeated: the lists changed while it ran.");
        } else {
            std::string failure;
            for (const DataKind k : job->outcome.changedKinds) {
                session_.records().WithEditList(k, [&](auto& list) {
                    using List = std::decay_t<decltype(list)>;
                    list = std::move(const_cast<List&>(job->records.template list<typename List::value_type>()));
                });
                changed = true;
                const SessionReport saved = session_.SaveDataFile(k);
                if (!saved.ok() && failure.empty()) failure = saved.messages.empty() ? "a file was not saved" : saved.messages.front();
            }
            std::string message;
            // The state follows the files: when a file was not written, the
            // next run finds the same changes again.
            if (failure.empty() && !sync::SaveSyncState(job->folder + "sync.state", job->state, message))
                failure = "the sync state was not saved: " + message;
            sync::SyncJobResult r;
            r.outcome = job->outcome;
            if (!failure.empty()) {
                r.code = sync::SyncJobResult::Code::Failed;
                r.message = failure;
            } else if (!job->outcome.ok) {
                r.code = sync::SyncJobResult::Code::Failed;
                r.message = job->outcome.message;
            }
            outcome = QString::fromStdString(sync::SyncSummary(r));
        }
    }
    lastOutcome_ = when + QStringLiteral(" ") + outcome;
    emit finished(outcome, notes, changed, job->outcome.needsUser || job->refused);
    if (std::exchange(again_, false)) Start();
}

namespace {

void RunJob(SyncRunner::Job& job, const std::atomic<bool>& cancel)
{
    const Settings& s = job.settings;
    const sync::PasswordResult password = sync::SyncPassword(s.SyncPasswordCommand, s.SyncServer, s.SyncUser);
    if (!password) {
        job.failure = password.message;
        job.refused = true;
        return;
    }
    std::string message;
    if (!sync::LoadSyncState(job.folder + "sync.state", job.state, message)) job.state = {};
    sync::DavClient client(sync::DavAccountFrom(s, password.password));
    {
        const std::lock_guard lock(job.clientLock);
        job.client = &client;
    }
    if (cancel) client.Cancel();
    sync::DavServer server(client);
    sync::SyncOptions o = sync::SyncOptionsFrom(s, job.today, std::time(nullptr));
    o.cancel = &cancel;
    job.outcome = sync::RunSync(server, job.records, job.state, o);
    const std::lock_guard lock(job.clientLock);
    job.client = nullptr;
    if (!job.outcome.ok && job.outcome.message.find("password") != std::string::npos) job.refused = true;
}

}  // namespace

}  // namespace orv
