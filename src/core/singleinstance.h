// One running program per user: a second start asks the first to show itself
// and ends. A lock file in the runtime folder decides who is first; a local
// socket, readable by the user only, carries the request to show.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <memory>

namespace orv {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `key` names the lock and the socket ("ORV.OneInstance." and the user id).
    explicit SingleInstance(QString key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the one instance; false when another
    // runs, in which case it has been asked to show itself.
    bool Claim();

    // Keyed on the user id, which every process of the user shares whatever
    // its environment says.
    static QString DefaultKey();

    // Where the lock and the socket live: $XDG_RUNTIME_DIR, which only the
    // user can enter, where it exists; else a user-only folder Qt provides.
    static QString RuntimeFolder();
    // The socket's full path in the runtime folder, or the bare key (Qt's
    // temporary folder) where that path would be too long for a socket.
    QString ServerName() const;

signals:
    // Another start asked this instance to come to the front.
    void showRequested();

private:
    bool AskOtherToShow() const;

    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

}  // namespace orv
