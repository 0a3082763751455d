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
    // `key` names the lock and the socket ("ORV.OneInstance" and the user).
    explicit SingleInstance(QString key, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the one instance; false when another
    // runs, in which case it has been asked to show itself.
    bool Claim();

    static QString DefaultKey();

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
