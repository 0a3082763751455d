// One running program per user, and one writer per data folder. A lock file
// in the user's runtime folder decides who is first; a second start asks the
// first, through a local socket readable by the user only, to show itself and
// ends. A second lock, in the data folder itself, keeps a start that cannot
// see that runtime folder (another login, su, ssh with another
// XDG_RUNTIME_DIR) from writing the same files: it is refused with a message.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

namespace orv {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `key` names the lock and the socket ("ORV.OneInstance." and the user id);
    // `dataFolder`, where given, is locked with kDataLockName.
    explicit SingleInstance(QString key, QString dataFolder = {}, QObject* parent = nullptr);
    ~SingleInstance() override;

    static constexpr const char* kDataLockName = ".orv.lock";

    // True when this process is now the one instance; false when another
    // runs. Then either the other one has been asked to show itself, or it
    // could not be reached and holds the data folder: Refusal() says so.
    bool Claim();

    // Empty unless Claim() refused the start because another ORV writes the
    // data folder; then the message for the user.
    const QString& Refusal() const { return refusal_; }

    // Keyed on the user id, which every process of the user shares whatever
    // its environment says.
    static QString DefaultKey();

    // Where the lock and the socket live: $XDG_RUNTIME_DIR when it is a folder
    // of the user's own that nobody else may enter (owner and mode 0700 are
    // checked); else "orv-<uid>" in the temporary folder, made or accepted on
    // the same terms; else "orv/runtime" in the user's cache folder. Empty
    // when none of them can be made private.
    static QString RuntimeFolder();
    // A real folder (not a link), owned by this user, closed to everyone else.
    static bool IsPrivateFolder(const QString& path);

    // The socket's full path in the runtime folder, or the bare key (Qt's
    // temporary folder) where that path would be too long for a socket.
    QString ServerName() const;

    // `orv --sync-now` while this user's ORV runs: asks it to sync its data
    // folder, which must be `dataFolder`, and waits for the outcome (the exit
    // status and its message). False when no ORV answered.
    static bool AskToSync(const QString& key, const QString& dataFolder, int timeoutMs, int& code, QString& message);

    // How the instance answers a sync request: the exit status and its line.
    using SyncAnswer = std::function<void(int code, const QString& message)>;

signals:
    // Another start asked this instance to come to the front.
    void showRequested();
    // `orv --sync-now` asked this instance to sync; `answer` must be called once.
    void syncRequested(const orv::SingleInstance::SyncAnswer& answer);

private:
    bool AskOtherToShow() const;
    bool LockDataFolder();

    QString key_;
    QString dataFolder_;
    QString runtime_;
    QString refusal_;
    std::unique_ptr<QLockFile> lock_;
    std::unique_ptr<QLockFile> dataLock_;
    QLocalServer server_;
};

}  // namespace orv
