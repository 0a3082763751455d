// Sync beside the window: a run works on a copy of the lists on a thread of
// its own, so the window answers all the while; its result is taken into the
// session afterwards, list by list, unless the user changed that list
// meanwhile (then the run is repeated, and the user's edit goes with it).
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <memory>

#include "store/recordstore.h"
#include "sync/syncjob.h"
#include "sync/syncstate.h"

class QThread;

namespace orv {

class Session;

class SyncRunner : public QObject {
    Q_OBJECT

public:
    // One run's input and outcome, handed to the worker thread and back.
    struct Job;

    explicit SyncRunner(Session& session, QObject* parent = nullptr);
    ~SyncRunner() override;

    bool running() const { return thread_ != nullptr; }
    // The last run's outcome in one line ("Synced: …", "Sync failed: …"), and when.
    const QString& lastOutcome() const { return lastOutcome_; }

    // Starts a run unless one is running; false with the reason in `why`
    // (no account, a list that could not be read).
    bool Start(QString* why = nullptr);
    // The data were read again from the files: a running run's result is
    // taken into no list, and the run is repeated.
    void DataReloaded() { ++epoch_; }
    // Exit: ends a running run at its next safe point and takes in what it
    // did, so that the files and the sync state agree.
    void Stop();
    // Minutes between runs from the settings (0: only when asked).
    void ApplySchedule();

signals:
    void started();
    // A run ended; `changed` when lists changed here (the views show them
    // anew), `needsUser` when something wants the user (a conflict kept, a
    // refused password).
    void finished(const QString& outcome, const QStringList& notes, bool changed, bool needsUser);

private:
    void Finish();

    Session& session_;
    QThread* thread_ = nullptr;
    std::unique_ptr<Job> job_;
    std::atomic<bool> cancel_{false};
    unsigned epoch_ = 0;
    QString lastOutcome_;
    QTimer schedule_;
    bool again_ = false;
};

}  // namespace orv
