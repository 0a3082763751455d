#include "core/singleinstance.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

#include "store/fileio.h"

namespace orv {

namespace {
constexpr int kWaitMs = 2000;
const QByteArray kShow = QByteArrayLiteral("show\n");
// A socket path longer than this does not fit the address of a local socket.
constexpr qsizetype kMaxSocketPath = 100;
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
    return QStringLiteral("ORV.OneInstance.") + QString::number(::getuid());
}

QString SingleInstance::RuntimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir()) return runtime;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    EnsureFolder(folder.toStdString());
    return folder;
}

QString SingleInstance::ServerName() const
{
    const QString path = RuntimeFolder() + QLatin1Char('/') + key_;
    return path.size() <= kMaxSocketPath ? path : key_;
}

bool SingleInstance::AskOtherToShow() const
{
    QLocalSocket socket;
    socket.connectToServer(ServerName());
    if (!socket.waitForConnected(kWaitMs)) return false;
    socket.write(kShow);
    socket.waitForBytesWritten(kWaitMs);
    socket.waitForDisconnected(kWaitMs);
    return true;
}

bool SingleInstance::Claim()
{
    lock_ = std::make_unique<QLockFile>(RuntimeFolder() + QLatin1Char('/') + key_ + QStringLiteral(".lock"));
    // A lock left by a crashed instance is taken over: QLockFile checks that its process is gone.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(100)) {
        AskOtherToShow();
        return false;
    }
    // We hold the lock, so a socket of that name is a leftover of a crash.
    const QString name = ServerName();
    QLocalServer::removeServer(name);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(name);
    return true;
}

}  // namespace orv
