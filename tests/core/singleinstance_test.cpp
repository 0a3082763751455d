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
#include <memory>
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

    // A second start asks the first to show itself. A second login or su gives
    // it another runtime folder, so only the lock in the data folder can keep
    // it from writing the same files. Released, the lock is free again; left
    // by a process that is gone, it is taken over.
    void aSecondProcessCannotClaimUntilReleasedWhateverItsRuntimeFolder()
    {
        QTemporaryDir data, otherRuntime, otherData;
        auto first = std::make_unique<SingleInstance>(key, data.path());
        QVERIFY(first->Claim());
        QVERIFY(QFile::exists(data.filePath(QString::fromLatin1(SingleInstance::kDataLockName))));
        QSignalSpy shown(first.get(), &SingleInstance::showRequested);
        QCOMPARE(StartAnother({}).first, 1);
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 5000);

        const auto claimElsewhere = [&](const QString& folder) {
            return StartAnother({{QStringLiteral("ORV_CLAIM_DATA"), folder},
                                 {QStringLiteral("XDG_RUNTIME_DIR"), otherRuntime.path()}});
        };
        const auto [status, message] = claimElsewhere(data.path());
        QCOMPARE(status, 2);
        QVERIFY2(message.contains(data.path()) && message.contains(QString::number(QCoreApplication::applicationPid())),
                 qPrintable(message));
        // Another data folder is no one else's.
        QCOMPARE(claimElsewhere(otherData.path()).first, 0);
        first.reset();
        const auto crashing = StartAnother({{QStringLiteral("ORV_CLAIM_DATA"), data.path()},
                                            {QStringLiteral("ORV_CLAIM_CRASH"), QStringLiteral("1")}});
        QCOMPARE(crashing.first, 0);
        SingleInstance next(key, data.path());
        QVERIFY(next.Claim());
        QVERIFY(next.Refusal().isEmpty());
    }

    // The lock's folder is one no one else can enter or have made: where
    // XDG_RUNTIME_DIR is not so, the temporary folder serves; where that one
    // was pre-created by another local user to hold our lock, the cache folder.
    void aFolderOthersCouldEnterIsPassedOver_data()
    {
        QTest::addColumn<bool>("inRuntime");  // the folder in the way is XDG_RUNTIME_DIR, else the temporary one
        QTest::addColumn<QString>("kind");
        QTest::newRow("runtime, mode 0755") << true << QStringLiteral("0755");
        QTest::newRow("runtime, a link to a private folder") << true << QStringLiteral("link");
        QTest::newRow("runtime, another user's folder") << true << QStringLiteral("foreign");
        QTest::newRow("temporary, a link") << false << QStringLiteral("link");
        QTest::newRow("temporary, our own folder open to all") << false << QStringLiteral("own");
    }

    void aFolderOthersCouldEnterIsPassedOver()
    {
        QFETCH(bool, inRuntime);
        QFETCH(QString, kind);
        if (kind == QLatin1String("foreign") && ::getuid() != 0) QSKIP("only root can make a folder of another user");
        QTemporaryDir base, cache;
        const QString temporary = base.filePath(QStringLiteral("orv-%1").arg(::getuid()));
        const QString inTheWay = inRuntime ? base.filePath(QStringLiteral("runtime")) : temporary;
        if (kind == QLatin1String("link")) {
            QVERIFY(QDir().mkdir(base.filePath(QStringLiteral("target"))));
            QVERIFY(QFile::link(base.filePath(QStringLiteral("target")), inTheWay));
        } else {
            QVERIFY(QDir().mkdir(inTheWay));
            const QByteArray name = QFile::encodeName(inTheWay);
            QCOMPARE(::chmod(name.constData(), kind == QLatin1String("0755") ? 0755 : !inRuntime ? 0777 : 0700), 0);
            if (kind == QLatin1String("foreign")) QCOMPARE(::chown(name.constData(), 65534, 65534), 0);  // root only
        }
        if (inRuntime) qputenv("XDG_RUNTIME_DIR", inTheWay.toUtf8());
        else qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", base.path().toUtf8());
        qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
        const QString chosen = SingleInstance::RuntimeFolder();
        // Our own temporary folder is narrowed to the user alone and used.
        QCOMPARE(chosen, inRuntime || kind == QLatin1String("own") ? temporary : cache.filePath(QStringLiteral("orv/runtime")));
        // Nothing was changed through the link.
        if (!inRuntime && kind == QLatin1String("link"))
            QVERIFY(QFileInfo(base.filePath(QStringLiteral("target"))).permission(QFileDevice::ExeOther));
        QVERIFY(SingleInstance::IsPrivateFolder(chosen));
        SingleInstance guard(key);
        QVERIFY(guard.Claim());
        QVERIFY(QFile::exists(chosen + QLatin1Char('/') + key + QStringLiteral(".lock")));
    }

    void cleanup()
    {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        qunsetenv("TMPDIR");
        qunsetenv("XDG_CACHE_HOME");
    }

private:
    // Runs this binary as a second start that tries to claim `key` (see main),
    // with `env` added; gives its exit status and what it printed.
    std::pair<int, QString> StartAnother(const QList<std::pair<QString, QString>>& env) const
    {
        QProcess other;
        QProcessEnvironment all = QProcessEnvironment::systemEnvironment();
        all.insert(QStringLiteral("ORV_CLAIM_KEY"), key);
        for (const auto& [name, value] : env) all.insert(name, value);
        other.setProcessEnvironment(all);
        other.start(QCoreApplication::applicationFilePath(), {});
        // The first start answers while this one waits.
        if (!QTest::qWaitFor([&] { return other.state() == QProcess::NotRunning; }, 10000)) return {-1, {}};
        return {other.exitCode(), QString::fromUtf8(other.readAllStandardOutput())};
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
