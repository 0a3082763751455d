// The orv program itself, run as separate processes on a temporary data folder
// and settings file: the start modes that show no main window. Which mode a
// command line gives is the start rules' own test (tests/core); a failed save
// at "Update" is the running program's (orvapp_test).
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

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
        // Saved before, and started today already.
        QFile f(settings);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                               "[HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV]\r\n"
                               "\"saved1\"=dword:00000001\r\n\"LastStartDate\"=hex:%1\r\n\r\n")
                    .arg(DateHex(QDate::currentDate()))
                    .toUtf8());
    }

    // Starts that show no main window read and write nothing: "one" after a
    // start today ends at once, the launcher keeps running in the tray (here:
    // its small window) until a log-out's SIGTERM ends it, and --version (as
    // --help) needs no display, as from a terminal or a package check.
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
        orv.setProcessEnvironment(env);
        orv.start(QStringLiteral(ORV_BINARY), QStringList{"--data-folder", data, "--settings-file", settings} + words);
        QVERIFY(orv.waitForStarted(10000));
        if (keepsRunning) {
            QVERIFY(!orv.waitForFinished(1500));
            QCOMPARE(::kill(pid_t(orv.processId()), SIGTERM), 0);  // as a log-out ends it
        }
        QVERIFY(orv.waitForFinished(15000));
        QCOMPARE(orv.exitStatus(), QProcess::NormalExit);
        QCOMPARE(orv.exitCode(), 0);
        if (!firstLine.isEmpty()) QVERIFY(orv.readAllStandardOutput().startsWith(firstLine));
        QCOMPARE(ReadFile(settings), before);
        QVERIFY(QDir(data).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
    }

private:
    std::unique_ptr<QTemporaryDir> dir;
    QString data, settings;
    QProcessEnvironment env;
};

QTEST_GUILESS_MAIN(StartModesTest)
#include "startmodes_test.moc"
