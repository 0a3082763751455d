#include "core/singleinstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QPointer>
#include <QSysInfo>
#include <QStandardPaths>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/fileio.h"

namespace orv {

namespace {
constexpr int kWaitMs = 2000;
const QByteArray kShow = QByteArrayLiteral("show\n");
const QByteArray kSync = QByteArrayLiteral("sync ");
// A socket path longer than this does not fit the address of a local socket.
constexpr qsizetype kMaxSocketPath = 100;

// Makes `path` (its parents as needed) when it is missing, and narrows a
// folder of the user's own to 0700; a link, or a folder of someone else,
// stays as it is and does not count.
bool MakePrivateFolder(const QString& path)
{
    if (path.isEmpty()) return false;
    const QByteArray name = QFile::encodeName(path);
    QDir().mkpath(QFileInfo(path).path());
    ::mkdir(name.constData(), 0700);
    // O_NOFOLLOW: the mode is changed on the folder looked at, never through a link.
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_uid == ::getuid() && (st.st_mode & 077) != 0) ::fchmod(fd, 0700);
    ::close(fd);
    return SingleInstance::IsPrivateFolder(path);
}

}  // namespace

SingleInstance::SingleInstance(QString key, QString dataFolder, QObject* parent)
    : QObject(parent), key_(std::move(key)), dataFolder_(std::move(dataFolder))
{
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_.nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                const QByteArray request = socket->readAll();
                if (request.startsWith(kSync)) {
                    // Only the folder this instance writes is synced here.
                    const QString folder = QString::fromUtf8(request.mid(kSync.size()).trimmed());
                    if (dataFolder_.isEmpty() || QDir(folder).canonicalPath() != QDir(dataFolder_).canonicalPath()) {
                        socket->write("2 The running ORV uses another data folder.\n");
                        socket->disconnectFromServer();
                        return;
                    }
                    QPointer<QLocalSocket> guarded(socket);
                    emit syncRequested([guarded](int code, const QString& message) {
                        if (!guarded) return;
                        guarded->write(QByteArray::number(code) + ' ' + message.toUtf8() + '\n');
                        guarded->disconnectFromServer();
                    });
                    return;
                }
                if (request.contains("show")) emit showRequested();
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

bool SingleInstance::IsPrivateFolder(const QString& path)
{
    struct stat st {};
    return !path.isEmpty() && ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::getuid() && (st.st_mode & 077) == 0;
}

QString SingleInstance::RuntimeFolder()
{
    // Another user who could enter the folder could hold our lock and stop
    // every start, or answer on our socket.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (IsPrivateFolder(runtime)) return runtime;
    const QString temporary = QDir::tempPath() + QStringLiteral("/orv-") + QString::number(::getuid());
    if (MakePrivateFolder(temporary)) return temporary;
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    const QString own = cache.isEmpty() ? QString() : cache + QStringLiteral("/orv/runtime");
    return MakePrivateFolder(own) ? own : QString();
}

QString SingleInstance::ServerName() const
{
    const QString path = runtime_ + QLatin1Char('/') + key_;
    return !runtime_.isEmpty() && path.size() <= kMaxSocketPath ? path : key_;
}

bool SingleInstance::AskToSync(const QString& key, const QString& dataFolder, int timeoutMs, int& code,
                               QString& message)
{
    SingleInstance probe(key);
    probe.runtime_ = RuntimeFolder();
    QLocalSocket socket;
    socket.connectToServer(probe.ServerName());
    if (!socket.waitForConnected(kWaitMs)) return false;
    socket.write(kSync + dataFolder.toUtf8() + '\n');
    socket.waitForBytesWritten(kWaitMs);
    QByteArray answer;
    while (!answer.contains('\n') && socket.waitForReadyRead(timeoutMs)) answer += socket.readAll();
    answer += socket.readAll();
    const qsizetype blank = answer.indexOf(' ');
    if (blank < 1) {
        code = 1;
        message = QStringLiteral("The running ORV did not say how the sync went.");
        return true;
    }
    code = answer.left(blank).toInt();
    message = QString::fromUtf8(answer.mid(blank + 1)).trimmed();
    return true;
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

bool SingleInstance::LockDataFolder()
{
    if (dataFolder_.isEmpty()) return true;
    // A folder that cannot be made or written cannot be written by a second
    // ORV either; its saves report that on their own.
    if (!EnsureFolder(dataFolder_.toStdString()).ok) return true;
    const QString path = QDir(dataFolder_).filePath(QString::fromLatin1(kDataLockName));
    dataLock_ = std::make_unique<QLockFile>(path);
    dataLock_->setStaleLockTime(0);
    if (dataLock_->tryLock(100)) return true;
    const QLockFile::LockError error = dataLock_->error();
    dataLock_.reset();
    if (error != QLockFile::LockFailedError) return true;
    qint64 pid = 0;
    QString host, program;
    QLockFile(path).getLockInfo(&pid, &host, &program);
    refusal_ = QStringLiteral("Another ORV (process %1 on %2) is using the data folder '%3'. One ORV writes a data "
                              "folder at a time: end that one first.")
                   .arg(pid)
                   .arg(host.isEmpty() ? QStringLiteral("this computer") : host, dataFolder_);
    if (!host.isEmpty() && host != QSysInfo::machineHostName()) {
        refusal_ += QStringLiteral(" If no ORV runs on %1 any more, remove '%2'.").arg(host, path);
    }
    return false;
}

bool SingleInstance::Claim()
{
    refusal_.clear();
    runtime_ = RuntimeFolder();
    // Without a private runtime folder there is no asking the other one to
    // show itself; the data folder's lock still keeps the files safe.
    if (!runtime_.isEmpty()) {
        lock_ = std::make_unique<QLockFile>(runtime_ + QLatin1Char('/') + key_ + QStringLiteral(".lock"));
        // A lock left by a crashed instance is taken over: QLockFile checks that its process is gone.
        lock_->setStaleLockTime(0);
        if (!lock_->tryLock(100)) {
            if (lock_->error() == QLockFile::LockFailedError) {
                lock_.reset();
                AskOtherToShow();
                return false;
            }
            lock_.reset();
        }
    }
    if (!LockDataFolder()) {
        lock_.reset();
        return false;
    }
    if (!lock_) return true;
    // We hold the lock, so a socket of that name is a leftover of a crash.
    const QString name = ServerName();
    QLocalServer::removeServer(name);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(name);
    return true;
}

}  // namespace orv
