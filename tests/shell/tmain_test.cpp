// The tray service and the launcher on their own.
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>

#include "shell/tlaunch.h"
#include "shell/tmain.h"

using namespace orv;

namespace {

QAction* Item(const QMenu* menu, const QString& caption)
{
    for (QAction* a : menu->actions())
        if (a->text() == caption) return a;
    qFatal("no item %s", qPrintable(caption));
}

QStringList Captions(const QMenu* menu)
{
    QStringList out;
    for (const QAction* a : menu->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

Overview Sample()
{
    Overview o;
    // "Müller" as a file from Windows holds it: Windows-1252, not UTF-8.
    o.Today = {Occurrence{Occurrence::NoDays, 'B', "John M\xFCller  -  34", 0},
               Occurrence{Occurrence::NoDays, 'T', "Call", -1}};
    o.Tomorrow = {Occurrence{Occurrence::NoDays, 'N', "Party", 3}};
    o.Next = {Occurrence{4, 'Y', "Wedding day - 29", 0}};
    o.Heading = "Next week's events";
    return o;
}

}  // namespace

class TMainTest : public QObject {
    Q_OBJECT
private slots:
    void theMenuHoldsTheThreeSectionsAndItsLinesActOnTheirRows()
    {
        TMain tray;
        tray.SetTrayMenu(BuildTrayMenu(Sample()));
        QCOMPARE(Captions(tray.trayMenu()),
                 (QStringList{"Today's events:", "-", QString::fromUtf8("B - John M\u00FCller  -  34"), "T - Call", "-",
                              "Tomorrow's events",
                              "Next week's events", "-", "Today Box", "Write letter", "Show ORV", "Exit"}));
        QCOMPARE(tray.trayMenu()->defaultAction()->text(), QStringLiteral("Today's events:"));
        QVERIFY(tray.trayMenu()->defaultAction()->font().bold());
        QSignalSpy lines(&tray, &TMain::lineActivated);
        Item(tray.trayMenu(), "T - Call")->trigger();
        QCOMPARE(lines.count(), 1);
        QCOMPARE(lines.at(0).at(0).value<TrayMenuItem::Table>(), TrayMenuItem::Table::Today);
        QCOMPARE(lines.at(0).at(1).toInt(), 1);
        QMenu* tomorrow = Item(tray.trayMenu(), "Tomorrow's events")->menu();
        QVERIFY(tomorrow);
        QCOMPARE(Captions(tomorrow), QStringList{"N - Party"});
        Item(tomorrow, "N - Party")->trigger();
        QCOMPARE(lines.at(1).at(0).value<TrayMenuItem::Table>(), TrayMenuItem::Table::Tomorrow);
    }

    void aDayWithoutEventsHasOnlyTheFixedItemsAndTheyRaiseTheirRequests()
    {
        TMain tray;
        tray.SetTrayMenu(BuildTrayMenu(Overview{}));
        QCOMPARE(Captions(tray.trayMenu()), (QStringList{"Today Box", "Write letter", "Show ORV", "Exit"}));
        QSignalSpy show(&tray, &TMain::showRequested), exit(&tray, &TMain::exitRequested),
            box(&tray, &TMain::todayBoxRequested);
        for (const char* caption : {"Show ORV", "Exit", "Today Box"}) Item(tray.trayMenu(), caption)->trigger();
        QCOMPARE(show.count(), 1);
        QCOMPARE(exit.count(), 1);
        QCOMPARE(box.count(), 1);
        // The letter writer's item stays greyed until that window exists.
        QVERIFY(!Item(tray.trayMenu(), "Write letter")->isEnabled());
    }

    void theTimerTakesEveryNewDateOnce_data()
    {
        QTest::addColumn<QDate>("later");
        QTest::addColumn<bool>("byResume");
        QTest::addRow("midnight") << QDate(2024, 2, 29) << false;
        // Only the day of the month would not tell these from today.
        QTest::addRow("a month slept through") << QDate(2024, 3, 28) << true;
        QTest::addRow("a year slept through") << QDate(2025, 2, 28) << true;
        QTest::addRow("clock set back a day") << QDate(2024, 2, 27) << false;
    }
    void theTimerTakesEveryNewDateOnce()
    {
        QFETCH(QDate, later);
        QFETCH(bool, byResume);
        QDate today(2024, 2, 28);
        TMain tray(nullptr, [&] { return today; });
        tray.SetToday(Date{2024, 2, 28});
        QSignalSpy changed(&tray, &TMain::dayChanged);
        tray.Timer1Timer();
        tray.Resumed();  // a wake on the same day changes nothing
        QCOMPARE(changed.count(), 0);
        today = later;
        if (byResume) tray.Resumed();
        else tray.Timer1Timer();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(tray.today(), NormaliseClockDate(later.year(), later.month(), later.day()));
        tray.Timer1Timer();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(tray.timer()->interval(), 3000);
        QVERIFY(!tray.timer()->isActive());
        tray.StartTimer();
        QVERIFY(tray.timer()->isActive());
    }

    void theReminderSoundIsCarriedInsideTheProgram()
    {
        TMain tray;
        QFile wave(QStringLiteral(":/orv/sound.wav"));
        QVERIFY(wave.open(QIODevice::ReadOnly));
        const QByteArray head = wave.read(12);
        QVERIFY(head.startsWith("RIFF"));
        QCOMPARE(head.mid(8, 4), QByteArray("WAVE"));
    }

    void theLauncherStartsTheProgramOnTheSameFoldersAndEnds()
    {
        const QStringList folders{"--data-folder", "/d/", "--settings-file", "/s.reg"};
        TLaunch launcher(folders);
        QStringList started;
        int starts = 0;
        launcher.startProgram = [&](const QStringList& arguments) {
            started = arguments;
            ++starts;
        };
        QSignalSpy finished(&launcher, &TLaunch::finished);
        QCOMPARE(Captions(launcher.menu()), (QStringList{"Launch ORV", "Exit"}));
        Item(launcher.menu(), "Launch ORV")->trigger();
        QCOMPARE(started, folders);
        QCOMPARE(finished.count(), 1);
        Item(launcher.menu(), "Exit")->trigger();
        QCOMPARE(starts, 1);
        QCOMPARE(finished.count(), 2);
        // Offscreen there is no notification area: a small window stands in.
        launcher.Show();
        QVERIFY(launcher.window() && launcher.window()->isVisible());
    }
};

QTEST_MAIN(TMainTest)
#include "tmain_test.moc"
