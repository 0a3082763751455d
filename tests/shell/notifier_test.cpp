// Desktop notifications through the running program, with a sender that only
// writes down what it was given: when they go out, what they say, what the
// setting and a missing service change, and where their action leads.
#include <QCheckBox>
#include <QPushButton>

#include "appfixture.h"
#include "shell/notifier.h"
#include "shell/orvapp.h"
#include "shell/setup/tsetup.h"
#include "shell/tdata.h"
#include "shell/tmain.h"

using namespace orv;

namespace {

class FakeSender : public NotificationSender {
public:
    bool available = true;
    QList<DesktopNotification> sent;
    int withdrawn = 0;

    bool Available() override { return available; }
    void Send(const DesktopNotification& n) override { sent << n; }
    void Withdraw() override { ++withdrawn; }
};

QByteArray CalendarEvent(const char* hint, int priority, QDate date)
{
    return QStringLiteral("<BEGIN>\r\n<HINT>%1\r\n<PRI>%2\r\n<DAY>%3\r\n<MONTH>%4\r\n<YEAR>%5\r\n<BEGIN:MORE>\r\n<END:MORE>\r\n<END>\r\n")
        .arg(QLatin1String(hint))
        .arg(priority)
        .arg(date.day())
        .arg(date.month())
        .arg(date.year())
        .toUtf8();
}

}  // namespace

class NotifierTest : public QObject, public orv::test::AppFixture {
    Q_OBJECT
private slots:
    void init()
    {
        SetUpApp();
        sender = std::make_shared<FakeSender>();
        notifications = sender;
        // Dentist today (high), a haircut today (normal), the vet on 15 March (high).
        WriteFile(data + QStringLiteral("cal.orv"), "<BEGIN:CAL:FILE:VERSION>3.0\r\n" +
                                                        CalendarEvent("Dentist", 0, QDate(2024, 2, 28)) +
                                                        CalendarEvent("Haircut", 1, QDate(2024, 2, 28)) +
                                                        CalendarEvent("Vet", 0, QDate(2024, 3, 15)) + "<END:FILE>\r\n");
    }

    void cleanup() { TearDownApp(); }

    void theStartNotifiesTodaysEventsAndTheActionOpensTheOverview()
    {
        MarkSettingsSaved();
        Start();
        QCOMPARE(sender->sent.size(), 1);
        QCOMPARE(sender->sent[0].summary, QStringLiteral("Today's events"));
        QCOMPARE(sender->sent[0].lines, QStringList{QStringLiteral("H - Dentist")});
        QCOMPARE(app->tray()->soundsPlayed(), 1);

        app->data()->ShowView(ViewItem::Weekly);
        app->data()->hide();
        emit sender->activated();
        QVERIFY(app->data()->isVisible());
        QCOMPARE(app->data()->currentPanel()->objectName(), QStringLiteral("PP11"));
    }

    void theSettingAndTheServiceDecide_data()
    {
        QTest::addColumn<QString>("stored");  // CB30 in the store; empty: absent
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("notified");
        QTest::addRow("unchosen, service") << QString() << true << true;
        QTest::addRow("unchosen, no service") << QString() << false << false;
        QTest::addRow("off, service") << QStringLiteral("0") << true << false;
        QTest::addRow("on, no service yet") << QStringLiteral("1") << false << true;
    }
    void theSettingAndTheServiceDecide()
    {
        QFETCH(QString, stored);
        QFETCH(bool, available);
        QFETCH(bool, notified);
        sender->available = available;
        MarkSettingsSaved(stored.isEmpty() ? QString() : QStringLiteral("\"CB30\"=dword:0000000%1\r\n").arg(stored));
        Start();
        QCOMPARE(sender->sent.size(), notified ? 1 : 0);
        QCOMPARE(sender->withdrawn, notified ? 0 : 1);
        // The sound and the messages go on as without notifications.
        QCOMPARE(app->tray()->soundsPlayed(), 1);
        QVERIFY(messages.isEmpty());
        auto* box = app->setup()->findChild<QCheckBox*>(QStringLiteral("CB30"));
        QVERIFY(box);
        QCOMPARE(box->isChecked(), notified);
    }

    // Switched off in the settings dialog: "Save" runs "Update", which takes
    // the notification off the desktop.
    void switchingTheBoxOffWithdrawsTheNotification()
    {
        MarkSettingsSaved();
        Start();
        app->setup()->findChild<QCheckBox*>(QStringLiteral("CB30"))->click();
        app->setup()->findChild<QPushButton*>(QStringLiteral("B1"))->click();
        QCOMPARE(Stored().ReadBool(kSettingsKey, "CB30").value, std::optional<bool>(false));
        QCOMPARE(sender->sent.size(), 1);
        QCOMPARE(sender->withdrawn, 1);
    }

    void aMonthSleptThroughIsTakenAtTheWake()
    {
        MarkSettingsSaved();
        Start();
        sender->sent.clear();
        // Woken a month later, on the same day of the month: the days slept through are covered.
        now = QDateTime(QDate(2024, 3, 28), QTime(7, 0));
        app->tray()->Resumed();
        QCOMPARE(app->session().today(), (Date{2024, 3, 28}));
        QCOMPARE(sender->sent.size(), 1);
        QCOMPARE(sender->sent[0].summary, QStringLiteral("Events since Thursday 29/2-2024"));
        QCOMPARE(sender->sent[0].lines, QStringList{QStringLiteral("H - 15/3 - Vet")});
        // A clock set back a day is a new day too, and covers that day alone.
        now = QDateTime(QDate(2024, 3, 27), QTime(7, 0));
        app->tray()->Timer1Timer();
        QCOMPARE(app->session().today(), (Date{2024, 3, 27}));
        QCOMPARE(sender->withdrawn, 1);  // nothing to tell that day
    }

private:
    std::shared_ptr<FakeSender> sender;
};

QTEST_MAIN(NotifierTest)
#include "notifier_test.moc"
