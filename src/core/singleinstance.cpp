#include "core/singleinstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace orv {

namespace {
constexpr int kWaitMs = 2000;
const QByteArray kShow = QByteArrayLiteral("show\n");
}  // namespace

SingleInstance::SingleInstance(QString key, QObject* parent) : QObject(parent), key_(std::move(key))
{
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains("show")) emit showRequested();
                socket->disconnectFromServer();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::DefaultKey()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = QString::number(static_cast<qulonglong>(QDir::home().absolutePath().size()));
    return QStringLiteral("ORV.OneInstance.") + user;
}

bool SingleInstance::AskOtherToShow() const
{
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(kWaitMs)) return false;
    socket.write(kShow);
    socket.waitForBytesWritten(kWaitMs);
    socket.waitForDisconnected(kWaitMs);
    return true;
}

bool SingleInstance::Claim()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    QDir().mkpath(folder);
    lock_ = std::make_unique<QLockFile>(folder + QLatin1Char('/') + key_ + QStringLiteral(".lock"));
    // A lock left by a crashed instance is taken over: QLockFile checks that its process is gone.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(100)) {
        AskOtherToShow();
        return false;
    }
    // We hold the lock, so a socket of that name is a leftover of a crash.
    QLocalServer::removeServer(key_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(key_);
    return true;
}

}  // namespace orv
