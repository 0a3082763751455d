#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "core/singleinstance.h"

#include <cstdio>
#include <atomic>
#include <thread>
#include <sys/stat.h>
#include <unistd.h>

using orv::SingleInstance;

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        // Each test gets its own runtime folder, so locks never meet the user's.
        QVERIFY(runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        key = QStringLiteral("ORV.OneInstance.test-%1").arg(QCoreApplication::applicationPid());
    }

    void aReleasedInstanceLetsTheNextStartClaim()
    {
        {
            SingleInstance first(key);
            QVERIFY(first.Claim());
        }
        SingleInstance next(key);
        QVERIFY(next.Claim());
    }

    void aSecondProcessCannotClaimAndAsksTheFirstToShow()
    {
        SingleInstance first(key);
        QVERIFY(first.Claim());
        QSignalSpy shown(&first, &SingleInstance::showRequested);
        // A second process of this test binary, in "claim" mode, must fail to claim.
        QProcess other;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORV_CLAIM_KEY"), key);
        other.setProcessEnvironment(env);
        other.start(QCoreApplication::applicationFilePath(), {});
        QTRY_VERIFY_WITH_TIMEOUT(other.state() == QProcess::NotRunning, 10000);
        QCOMPARE(other.exitCode(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 5000);
    }

    // `orv --sync-now` beside a running ORV: the running one syncs, but only
    // its own data folder, and the command gets the outcome.
    void aSyncRequestIsAnsweredForTheFolderThisInstanceWrites()
    {
        QTemporaryDir data, other;
        SingleInstance first(key, data.path());
        QVERIFY(first.Claim());
        int asked = 0;
        connect(&first, &SingleInstance::syncRequested, this, [&asked](const SingleInstance::SyncAnswer& answer) {
            ++asked;
            answer(0, QStringLiteral("Synced: 1 sent"));
        });
        const auto ask = [this](const QString& folder, int& code, QString& message) {
            // The asking side blocks; this thread's event loop answers it.
            bool reached = false;
            std::atomic<bool> done{false};
            std::thread asking([&] {
                reached = SingleInstance::AskToSync(key, folder, 5000, code, message);
                done = true;
            });
            for (int i = 0; i < 600 && !done; ++i) QTest::qWait(10);
            asking.join();
            return reached;
        };
        int code = -1;
        QString message;
        QVERIFY(ask(data.path() + QStringLiteral("/"), code, message));
        QCOMPARE(code, 0);
        QCOMPARE(message, QStringLiteral("Synced: 1 sent"));
        code = -1;
        QVERIFY(ask(other.path(), code, message));
        QCOMPARE(code, 2);
        QCOMPARE(asked, 1);
    }

    // A second login or su gives the second start another runtime folder, so
    // only the lock in the data folder can keep it from writing the same files.
    void aSecondProcessWithAnotherRuntimeFolderIsRefusedOnTheSameData()
    {
        QTemporaryDir data, otherRuntime, otherData;
        SingleInstance first(key, data.path());
        QVERIFY(first.Claim());
        QVERIFY(QFile::exists(data.filePath(QString::fromLatin1(SingleInstance::kDataLockName))));

        auto claimElsewhere = [&](const QString& folder) {
            QProcess other;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("ORV_CLAIM_KEY"), key);
            env.insert(QStringLiteral("ORV_CLAIM_DATA"), folder);
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), otherRuntime.path());
            other.setProcessEnvironment(env);
            other.start(QCoreApplication::applicationFilePath(), {});
            other.waitForFinished(10000);
            return std::pair(other.exitCode(), QString::fromUtf8(other.readAllStandardOutput()));
        };
        const auto [status, message] = claimElsewhere(data.path());
        QCOMPARE(status, 2);
        QVERIFY2(message.contains(data.path()) && message.contains(QString::number(QCoreApplication::applicationPid())),
                 qPrintable(message));
        // Another data folder is no one else's.
        QCOMPARE(claimElsewhere(otherData.path()).first, 0);
    }

    void aLockLeftByAProcessThatIsGoneIsTakenOver()
    {
        QTemporaryDir data;
        QProcess crashed;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORV_CLAIM_KEY"), key + QStringLiteral(".gone"));
        env.insert(QStringLiteral("ORV_CLAIM_DATA"), data.path());
        env.insert(QStringLiteral("ORV_CLAIM_CRASH"), QStringLiteral("1"));
        crashed.setProcessEnvironment(env);
        crashed.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(crashed.waitForFinished(10000));
        QVERIFY(QFile::exists(data.filePath(QString::fromLatin1(SingleInstance::kDataLockName))));
        SingleInstance next(key, data.path());
        QVERIFY(next.Claim());
        QVERIFY(next.Refusal().isEmpty());
    }

    void aRuntimeFolderOthersCanEnterIsNotUsed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("mode 0755") << QStringLiteral("0755");
        QTest::newRow("mode 0777") << QStringLiteral("0777");
        QTest::newRow("a link to a private folder") << QStringLiteral("link");
        QTest::newRow("another user's folder") << QStringLiteral("foreign");
    }

    void aRuntimeFolderOthersCanEnterIsNotUsed()
    {
        QFETCH(QString, kind);
        if (kind == QLatin1String("foreign") && ::getuid() != 0) QSKIP("only root can make a folder of another user");
        QTemporaryDir base;
        const QString folder = base.filePath(QStringLiteral("runtime"));
        if (kind == QLatin1String("link")) {
            QVERIFY(QDir().mkdir(base.filePath(QStringLiteral("target"))));
            QVERIFY(QFile::link(base.filePath(QStringLiteral("target")), folder));
        } else {
            QVERIFY(QDir().mkdir(folder));
            QVERIFY(MakeForeignOr(folder, kind == QLatin1String("0777") ? 0777 : kind == QLatin1String("0755") ? 0755 : 0700,
                                  kind == QLatin1String("foreign")));
        }
        qputenv("XDG_RUNTIME_DIR", folder.toUtf8());
        qputenv("TMPDIR", base.path().toUtf8());
        const QString chosen = SingleInstance::RuntimeFolder();
        QCOMPARE(chosen, base.filePath(QStringLiteral("orv-%1").arg(::getuid())));
        QVERIFY(SingleInstance::IsPrivateFolder(chosen));
        SingleInstance guard(key);
        QVERIFY(guard.Claim());
        QVERIFY(QFile::exists(chosen + QLatin1Char('/') + key + QStringLiteral(".lock")));
    }

    // Where XDG_RUNTIME_DIR is unset, another local user could pre-create the
    // folder in /tmp to hold our lock; then the cache folder serves.
    void aTemporaryFolderSomeoneElseMadeIsPassedOver_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a link") << QStringLiteral("link");
        QTest::newRow("another user's folder") << QStringLiteral("foreign");
        QTest::newRow("a file") << QStringLiteral("file");
        QTest::newRow("our own folder, open to all") << QStringLiteral("own");
    }

    void aTemporaryFolderSomeoneElseMadeIsPassedOver()
    {
        QFETCH(QString, kind);
        if (kind == QLatin1String("foreign") && ::getuid() != 0) QSKIP("only root can make a folder of another user");
        QTemporaryDir base, cache;
        const QString temporary = base.filePath(QStringLiteral("orv-%1").arg(::getuid()));
        if (kind == QLatin1String("link")) {
            QVERIFY(QDir().mkdir(base.filePath(QStringLiteral("trap"))));
            QVERIFY(QFile::link(base.filePath(QStringLiteral("trap")), temporary));
        } else if (kind == QLatin1String("file")) {
            QFile file(temporary);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else {
            QVERIFY(QDir().mkdir(temporary));
            QVERIFY(MakeForeignOr(temporary, 0777, kind == QLatin1String("foreign")));
        }
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", base.path().toUtf8());
        qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
        const QString chosen = SingleInstance::RuntimeFolder();
        if (kind == QLatin1String("own")) {
            // Ours: narrowed to the user alone and used.
            QCOMPARE(chosen, temporary);
        } else {
            QCOMPARE(chosen, cache.filePath(QStringLiteral("orv/runtime")));
            // Nothing was changed through the link.
            if (kind == QLatin1String("link"))
                QVERIFY(QFileInfo(base.filePath(QStringLiteral("trap"))).permission(QFileDevice::ExeOther));
        }
        QVERIFY(SingleInstance::IsPrivateFolder(chosen));
        SingleInstance guard(key);
        QVERIFY(guard.Claim());
    }

    void cleanup()
    {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        qunsetenv("TMPDIR");
        qunsetenv("XDG_CACHE_HOME");
    }

private:
    // Gives `path` the mode, and to another user when `foreign` (root only).
    static bool MakeForeignOr(const QString& path, mode_t mode, bool foreign)
    {
        const QByteArray name = QFile::encodeName(path);
        if (::chmod(name.constData(), mode) != 0) return false;
        return !foreign || ::chown(name.constData(), 65534, 65534) == 0;
    }

    QTemporaryDir runtime;
    QString key;
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QByteArray claimKey = qgetenv("ORV_CLAIM_KEY");
    if (!claimKey.isEmpty()) {
        SingleInstance instance(QString::fromUtf8(claimKey), qEnvironmentVariable("ORV_CLAIM_DATA"));
        const bool claimed = instance.Claim();
        // Ends without releasing anything, as a crash would.
        if (claimed && qEnvironmentVariableIsSet("ORV_CLAIM_CRASH")) ::_exit(0);
        std::fputs(qPrintable(instance.Refusal()), stdout);
        return claimed ? 0 : instance.Refusal().isEmpty() ? 1 : 2;
    }
    SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "singleinstance_test.moc"
