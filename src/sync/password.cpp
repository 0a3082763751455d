#include "sync/password.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QEventLoop>
#include <QProcess>
#include <qt6keychain/keychain.h>

#include <csignal>
#include <unistd.h>

namespace orv::sync {
namespace {

PasswordResult Failure(std::string message)
{
    PasswordResult r;
    r.ok = false;
    r.message = std::move(message);
    return r;
}

PasswordResult Success(std::string password = {})
{
    PasswordResult r;
    r.password = std::move(password);
    return r;
}

// One account, one entry: the server address without a trailing slash.
QString KeyOf(const std::string& server, const std::string& user)
{
    QString s = QString::fromStdString(server);
    while (s.endsWith(u'/')) s.chop(1);
    return QString::fromStdString(user) + u'@' + s;
}

// Why no secret store can answer, or empty when one may: the store runs on
// the session bus as the Secret Service or as KWallet, started on demand
// where the bus knows how.
std::string NoStoreReason()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return "No secret store is running: there is no session bus (" + bus.lastError().message().toStdString() + ").";
    QDBusConnectionInterface* names = bus.interface();
    const QStringList activatable = names->activatableServiceNames();
    for (const QString& service : {QStringLiteral("org.freedesktop.secrets"), QStringLiteral("org.kde.kwalletd6"),
                                   QStringLiteral("org.kde.kwalletd5"), QStringLiteral("org.kde.kwalletd")})
        if (names->isServiceRegistered(service) || activatable.contains(service)) return {};
    return "No secret store is running: the session bus has no Secret Service and no KWallet; set a password "
           "command instead.";
}

// Waits for a keychain job; empty when it succeeded, else the message.
std::string Run(QKeychain::Job& job)
{
    if (std::string reason = NoStoreReason(); !reason.empty()) return reason;
    job.setAutoDelete(false);
    // The store or nothing: never a plain-text copy in a settings file.
    job.setInsecureFallback(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec();
    const std::string detail = job.errorString().toStdString();
    switch (job.error()) {
    case QKeychain::NoError: return {};
    case QKeychain::EntryNotFound: return "No password is stored for this account.";
    case QKeychain::AccessDeniedByUser:
    case QKeychain::AccessDenied: return "The secret store refused access to the password: " + detail + ".";
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented: return "No secret store is running: " + detail + ".";
    default: return "The secret store failed: " + detail + ".";
    }
}

}  // namespace

PasswordResult PasswordFromCommand(const std::string& command, int timeoutMs)
{
    QProcess process;
    process.setProgram(QStringLiteral("/bin/sh"));
    process.setArguments({QStringLiteral("-c"), QString::fromStdString(command)});
    process.setStandardInputFile(QProcess::nullDevice());
    // Its own process group, so that a timeout also ends what it started.
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
    process.start();
    if (!process.waitForStarted(timeoutMs))
        return Failure("The password command could not be started: " + process.errorString().toStdString() + ".");
    if (!process.waitForFinished(timeoutMs)) {
        ::kill(-static_cast<pid_t>(process.processId()), SIGKILL);
        process.waitForFinished(5000);
        return Failure("The password command did not finish within " + std::to_string((timeoutMs + 999) / 1000)
                       + " seconds.");
    }
    // Only its error output may be shown: what it printed is the password.
    QString error = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
    if (const qsizetype end = error.indexOf(u'\n'); end >= 0) error.truncate(end);
    const std::string why = error.isEmpty() ? std::string() : ": " + error.toStdString();
    if (process.exitStatus() != QProcess::NormalExit)
        return Failure("The password command ended abnormally" + why + ".");
    if (process.exitCode() != 0)
        return Failure("The password command failed with exit status " + std::to_string(process.exitCode()) + why + ".");
    QByteArray out = process.readAllStandardOutput();
    if (const qsizetype end = out.indexOf('\n'); end >= 0) out.truncate(end);
    if (out.endsWith('\r')) out.chop(1);
    if (out.isEmpty()) return Failure("The password command printed no password.");
    return Success(out.toStdString());
}

PasswordResult ReadStoredPassword(const std::string& server, const std::string& user)
{
    QKeychain::ReadPasswordJob job(QStringLiteral("orv"));
    job.setKey(KeyOf(server, user));
    if (std::string error = Run(job); !error.empty()) return Failure(std::move(error));
    return Success(job.textData().toStdString());
}

PasswordResult StorePassword(const std::string& server, const std::string& user, const std::string& password)
{
    QKeychain::WritePasswordJob job(QStringLiteral("orv"));
    job.setKey(KeyOf(server, user));
    job.setTextData(QString::fromStdString(password));
    if (std::string error = Run(job); !error.empty()) return Failure(std::move(error));
    return Success();
}

PasswordResult ForgetPassword(const std::string& server, const std::string& user)
{
    QKeychain::DeletePasswordJob job(QStringLiteral("orv"));
    job.setKey(KeyOf(server, user));
    if (std::string error = Run(job); !error.empty() && job.error() != QKeychain::EntryNotFound)
        return Failure(std::move(error));
    return Success();
}

PasswordResult SyncPassword(const std::string& command, const std::string& server, const std::string& user)
{
    return command.empty() ? ReadStoredPassword(server, user) : PasswordFromCommand(command);
}

}  // namespace orv::sync
