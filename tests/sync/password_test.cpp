// The password from the user's command, and the secret store's absence.
#include <QtTest>

#include "sync/password.h"

using namespace orv::sync;

class PasswordTest : public QObject {
    Q_OBJECT

private slots:
    void fromCommand_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("expected");  // the password, or a part of the message
        QTest::newRow("first line") << "printf 'p@ss word\\nsecond\\n'" << true << "p@ss word";
        QTest::newRow("crlf") << "printf 'pw\\r\\n'" << true << "pw";
        QTest::newRow("exit status") << "printf 'pw\\n'; echo 'no key' >&2; exit 3" << false << "exit status 3: no key";
        QTest::newRow("nothing printed") << "true" << false << "printed no password";
        QTest::newRow("killed") << "kill -9 $$" << false << "ended abnormally";
        QTest::newRow("too slow") << "sleep 30 & wait" << false << "did not finish within 1 seconds";
    }
    void fromCommand()
    {
        QFETCH(QString, command);
        QFETCH(bool, ok);
        QFETCH(QString, expected);
        QElapsedTimer clock;
        clock.start();
        const PasswordResult r = PasswordFromCommand(command.toStdString(), 800);
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(r.ok, ok);
        if (ok) {
            QCOMPARE(QString::fromStdString(r.password), expected);
            QVERIFY(r.message.empty());
        } else {
            QVERIFY2(QString::fromStdString(r.message).contains(expected), r.message.c_str());
            QVERIFY(r.password.empty());
            QVERIFY(r.message.find("pw") == std::string::npos);
        }
    }

    // With no session bus there is no store: every use says so.
    void noSecretStore()
    {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/orv-test-bus");
        const PasswordResult results[] = {ReadStoredPassword("https://dav.example.com", "alice"),
                                          StorePassword("https://dav.example.com", "alice", "hunter2-x"),
                                          ForgetPassword("https://dav.example.com", "alice"),
                                          SyncPassword("", "https://dav.example.com", "alice")};
        for (const PasswordResult& r : results) {
            QVERIFY(!r.ok);
            QVERIFY2(r.message.rfind("No secret store is running: ", 0) == 0, r.message.c_str());
            QVERIFY(r.message.find("hunter2-x") == std::string::npos);
        }
        QCOMPARE(SyncPassword("echo from-command", "https://dav.example.com", "alice").password, "from-command");
    }
};

QTEST_GUILESS_MAIN(PasswordTest)
#include "password_test.moc"
