// The start modes of the orv program itself, run as separate processes on a
// temporary data folder and settings file.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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
        QFile f(settings);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                               "[HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV]\r\n"
                               "\"saved1\"=dword:00000001\r\n\"LastStartDate\"=hex:%1\r\n\r\n")
                    .arg(DateHex(QDate::currentDate()))
                    .toUtf8());
    }

    void oneEndsAtOnceWhenAlreadyStartedTodayAndWritesNothing()
    {
        const QByteArray before = ReadFile(settings);
        QProcess orv;
        Start(orv, {QStringLiteral("start"), QStringLiteral("one")});
        QVERIFY(orv.waitForFinished(15000));
        QCOMPARE(orv.exitCode(), 0);
        QCOMPARE(ReadFile(settings), before);
        QVERIFY(QDir(data).entryList(QDir::Files).isEmpty());
    }

    void theLauncherModesReadAndWriteNothing_data()
    {
        QTest::addColumn<QStringList>("words");
        QTest::newRow("LAUall") << QStringList{QStringLiteral("LAUall")};
        QTest::newRow("LAU oneshow, second start of the day") << QStringList{QStringLiteral("LAU"), QStringLiteral("oneshow")};
    }
    void theLauncherModesReadAndWriteNothing()
    {
        QFETCH(QStringList, words);
        const QByteArray before = ReadFile(settings);
        QProcess orv;
        Start(orv, words);
        // The launcher keeps running in the tray (here: its small window) until told to end.
        QVERIFY(!orv.waitForFinished(1500));
        QCOMPARE(ReadFile(settings), before);
        QVERIFY(QDir(data).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
        orv.kill();
        orv.waitForFinished(5000);
    }

    void aSecondStartBringsTheFirstForwardAndEnds()
    {
        QProcess first;
        Start(first, {});
        // The first instance holds its lock once its windows are being made.
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(dir->path() + QStringLiteral("/run")).entryList({QStringLiteral("*.lock")}).isEmpty(), 15000);
        QProcess second;
        Start(second, {});
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first.state(), QProcess::Running);
        first.kill();
        first.waitForFinished(5000);
    }

private:
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
