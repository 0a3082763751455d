// The requests the system sends as signals, turned into Qt signals on the
// user-interface thread. SIGTERM (a log-out, a shut-down, `kill`) and SIGINT
// (Ctrl+C in a terminal) ask the program to end as "Exit" does, saving
// everything first; SIGHUP asks for "Update" (save, read the settings and
// lists again). A write beyond a file size limit (SIGXFSZ) fails as a
// reported write error instead of killing the program in the middle of a save.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace orv {

class SystemSignals : public QObject {
    Q_OBJECT
public:
    // One per process, made right after the application object.
    explicit SystemSignals(QObject* parent = nullptr);
    ~SystemSignals() override;

signals:
    void endRequested();     // SIGTERM, SIGINT
    void updateRequested();  // SIGHUP

private:
    void Dispatch();

    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace orv
