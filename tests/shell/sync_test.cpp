// "Sync now" in the running program: the run goes beside the window, its
// result reaches the lists and the files, and an edit made while it runs is
// neither lost nor overwritten.
#include <QSignalSpy>
#include <QTest>

#include "appfixture.h"
#include "core/session.h"
#include "radicale.h"
#include "shell/setup/tsetup.h"
#include "shell/syncrunner.h"
#include "shell/tmain.h"
#include "sync/davclient.h"

using namespace orv;

class SyncTest : public QObject, public orv::test::AppFixture {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        server_ = std::make_unique<testing_support::Radicale>();
        QVERIFY2(server_->Running(), server_->Error().c_str());
    }
    void init() { SetUpApp(); }
    void cleanup() { TearDownApp(); }
    void cleanupTestCase() { server_.reset(); }

    void syncNowWithoutAnAccountOpensItsPage()
    {
        MarkSettingsSaved();
        Start();
        app->SyncNow();
        QVERIFY(app->setup()->isVisible());
        QVERIFY(app->setup()->findChild<QWidget*>(QStringLiteral("SyncServer"))->isVisibleTo(app->setup()));
        QVERIFY(!app->syncRunner()->running());
    }

    void aRunReachesTheServerAndAnEditMeanwhileIsKept()
    {
        const std::string cal = "/alice/app" + std::to_string(++runs_) + "/";
        sync::DavAccount account;
        account.server = server_->Url();
        account.user = "alice";
        account.password = "secret";
        sync::DavClient client(account);
        QVERIFY(client.MakeCalendar(cal, "Calendar"));
        MarkSettingsSaved(QStringLiteral("\"SyncServer\"=\"%1\"\r\n\"SyncUser\"=\"alice\"\r\n\"SyncCalendar\"=\"%2\"\r\n"
                                         "\"SyncPasswordCommand\"=\"echo secret\"\r\n")
                              .arg(QString::fromStdString(server_->Url()), QString::fromStdString(cal)));
        Start();
        Session& session = app->session();
        session.records().editCalendar().push_back(CalendarRecord("Dentist", 1, QDate(2024, 3, 5)));
        QVERIFY(session.SaveDataFile(DataKind::Calendar).ok());

        // Another device's event waits on the server.
        QVERIFY(client
                    .Put(cal + "other.ics",
                         "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//T//EN\r\nBEGIN:VEVENT\r\nUID:other-1\r\n"
                         "DTSTAMP:20240101T000000Z\r\nDTSTART;VALUE=DATE:20240307\r\nSUMMARY:Sauna\r\nEND:VEVENT\r\n"
                         "END:VCALENDAR\r\n",
                         "text/calendar", "")
                    .status);

        QSignalSpy finished(app->syncRunner(), &SyncRunner::finished);
        app->SyncNow();
        QVERIFY(app->syncRunner()->running());
        // The window answers while the run goes on. The run brings an event
        // into the list edited meanwhile: it is repeated with the edit, and
        // neither is lost.
        session.records().editCalendar().push_back(CalendarRecord("Plumber", 1, QDate(2024, 3, 6)));
        QVERIFY(session.SaveDataFile(DataKind::Calendar).ok());
        QTRY_VERIFY_WITH_TIMEOUT(finished.size() >= 2 && !app->syncRunner()->running(), 30000);
        QCOMPARE(client.List(cal).items.size(), std::size_t{3});
        QCOMPARE(session.records().calendar().size(), std::size_t{3});
        QVERIFY(ReadFile(data + QStringLiteral("cal.orv")).contains("Sauna"));
        QVERIFY(ReadFile(data + QStringLiteral("cal.orv")).contains("Plumber"));
        QVERIFY(app->syncRunner()->lastOutcome().contains(QStringLiteral("Synced")));
        QVERIFY(app->tray()->trayIcon()->toolTip().contains(QStringLiteral("Last sync")));

        // Exit while a run goes on waits for it and keeps what it did.
        session.records().editCalendar().push_back(CalendarRecord("Choir", 1, QDate(2024, 3, 8)));
        QVERIFY(session.SaveDataFile(DataKind::Calendar).ok());
        app->SyncNow();
        QVERIFY(app->Exit());
        QVERIFY(!app->syncRunner()->running());
    }

private:
    std::unique_ptr<testing_support::Radicale> server_;
    int runs_ = 0;
};

QTEST_MAIN(SyncTest)
#include "sync_test.moc"
