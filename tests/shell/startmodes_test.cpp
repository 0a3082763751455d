// The orv program itself, run as separate processes on a temporary data folder
// and settings file: its start modes, and that no start, update or end ever
// loses a to-do (the program is ended and updated as the system does it, by
// SIGTERM and SIGHUP).
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

#include "orvversion.h"

namespace {

QByteArray ReadFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The date as the settings store keeps it: hex bytes of a double, days since 1899-12-30.
QString DateHex(const QDate& date)
{
    const double serial = static_cast<double>(QDate(1899, 12, 30).daysTo(date));
    QByteArray bytes(reinterpret_cast<const char*>(&serial), sizeof serial);
    QStringList hex;
    for (char b : bytes) hex << QStringLiteral("%1").arg(static_cast<unsigned char>(b), 2, 16, QLatin1Char('0'));
    return hex.join(QLatin1Char(','));
}

}  // namespace

class StartModesTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        data = dir->path() + QStringLiteral("/data/");
        QDir().mkpath(data);
        settings = dir->path() + QStringLiteral("/settings.reg");
        env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir->path() + QStringLiteral("/run"));
        QDir().mkpath(dir->path() + QStringLiteral("/run"));
        QFile::setPermissions(dir->path() + QStringLiteral("/run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        WriteSettings(QStringLiteral("\"LastStartDate\"=hex:%1\r\n").arg(DateHex(QDate::currentDate())));
    }

    // Starts that show no main window read and write nothing: "one" after a
    // start today ends at once, the launcher keeps running in the tray (here:
    // its small window) until told to end, and --version (as --help) needs no
    // display, as from a terminal or a package check.
    void aStartWithoutTheMainWindowWritesNothing_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::addColumn<bool>("keepsRunning");
        QTest::addColumn<QByteArray>("firstLine");  // of the output; empty: not checked
        QTest::newRow("start one, second start of the day") << QStringList{"start", "one"} << false << QByteArray();
        QTest::newRow("LAUall") << QStringList{"LAUall"} << true << QByteArray();
        QTest::newRow("--version") << QStringList{"--version"} << false << QByteArray("orv ") + orv::kVersion;
    }
    void aStartWithoutTheMainWindowWritesNothing()
    {
        QFETCH(QStringList, words);
        QFETCH(bool, keepsRunning);
        QFETCH(QByteArray, firstLine);
        if (!firstLine.isEmpty())
            for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
        const QByteArray before = ReadFile(settings);
        QProcess orv;
        Start(orv, words);
        if (keepsRunning) {
            QVERIFY(!orv.waitForFinished(1500));
        } else {
            QVERIFY(orv.waitForFinished(15000));
            QCOMPARE(orv.exitStatus(), QProcess::NormalExit);
            QCOMPARE(orv.exitCode(), 0);
        }
        if (!firstLine.isEmpty()) QVERIFY(orv.readAllStandardOutput().startsWith(firstLine));
        QCOMPARE(ReadFile(settings), before);
        QVERIFY(QDir(data).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
        orv.kill();
        orv.waitForFinished(5000);
    }

    void anUpdateAfterAFailedSaveLosesNoToDo()
    {
        // A new day: today's every-day list starts again in memory ("Walk"
        // was done yesterday). Then the disk is full at "Update": what is in
        // memory must not be replaced by yesterday's file.
        WriteSettings(QStringLiteral("\"LastDate\"=hex:%1\r\n").arg(DateHex(QDate::currentDate().addDays(-1))));
        Write(ToDo(2), "Read\r\n");
        Write(ToDo(3), "Walk\r\nRead\r\n");
        QProcess orv;
        const QByteArray before = ReadFile(settings);
        Start(orv, {});
        QTRY_VERIFY_WITH_TIMEOUT(ReadFile(settings) != before, 15000);

        LimitFileSize(orv, 0);  // no write gets a byte onto the disk
        QCOMPARE(::kill(pid_t(orv.processId()), SIGHUP), 0);
        // A second start brings the first forward and ends, once the update is over.
        QProcess second;
        Start(second, {});
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitCode(), 0);
        LimitFileSize(orv, RLIM_INFINITY);
        End(orv);
        QCOMPARE(ReadFile(ToDo(2)), QByteArray("Walk\r\nRead\r\n"));
    }

private:
    void WriteSettings(const QString& values)
    {
        Write(settings, ("Windows Registry Editor Version 5.00\r\n\r\n"
                         "[HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV]\r\n"
                         "\"saved1\"=dword:00000001\r\n" + values + "\r\n").toUtf8());
    }
    static void Write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString ToDo(int i) const { return data + QStringLiteral("todo%1.qsf").arg(i + 1); }

    static void LimitFileSize(const QProcess& process, rlim_t bytes)
    {
        const rlimit limit{bytes, RLIM_INFINITY};
        QCOMPARE(::prlimit(pid_t(process.processId()), RLIMIT_FSIZE, &limit, nullptr), 0);
    }

    // Ends the program as a log-out does: it saves everything first.
    static void End(QProcess& process)
    {
        QCOMPARE(::kill(pid_t(process.processId()), SIGTERM), 0);
        QVERIFY2(process.waitForFinished(15000), "the program did not end");
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    }

    void Start(QProcess& process, const QStringList& words)
    {
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(ORV_BINARY),
                      QStringList{QStringLiteral("--data-folder"), data, QStringLiteral("--settings-file"), settings} + words);
        QVERIFY(process.waitForStarted(10000));
    }

    std::unique_ptr<QTemporaryDir> dir;
    QString data, settings;
    QProcessEnvironment env;
};

QTEST_GUILESS_MAIN(StartModesTest)
#include "startmodes_test.moc"
