// The tray service and the launcher on their own. How the tray icon's moon
// pictures look is not checked; the phases they stand for are the engine's
// (tests/engine/moonphase_test.cpp).
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

}  // namespace

class TMainTest : public QObject {
    Q_OBJECT
private slots:
    void theMenuHoldsTheThreeSectionsAndItsItemsActOnTheirRowsOrRequests()
    {
        TMain tray;
        // A day without events: only the fixed items, each with its request.
        tray.SetTrayMenu(BuildTrayMenu(Overview{}));
        QSignalSpy show(&tray, &TMain::showRequested), exit(&tray, &TMain::exitRequested),
            box(&tray, &TMain::todayBoxRequested);
        for (const char* caption : {"Show ORV", "Exit", "Today Box"}) Item(tray.trayMenu(), caption)->trigger();
        QCOMPARE((QList<qsizetype>{show.count(), exit.count(), box.count()}), (QList<qsizetype>{1, 1, 1}));

        // Which lines the menu holds is the overview's (tests/engine); here they act on their rows.
        Overview o;
        // "Müller" as a file from Windows holds it: Windows-1252, not UTF-8.
        o.Today = {Occurrence{Occurrence::NoDays, 'B', "John M\xFCller  -  34", 0},
                   Occurrence{Occurrence::NoDays, 'T', "Call", -1}};
        o.Tomorrow = {Occurrence{Occurrence::NoDays, 'N', "Party", 3}};
        tray.SetTrayMenu(BuildTrayMenu(o));
        QVERIFY(Item(tray.trayMenu(), QString::fromUtf8("B - John M\u00FCller  -  34")));
        QSignalSpy lines(&tray, &TMain::lineActivated);
        Item(tray.trayMenu(), "T - Call")->trigger();
        QCOMPARE(lines.count(), 1);
        QCOMPARE(lines.at(0).at(0).value<TrayMenuItem::Table>(), TrayMenuItem::Table::Today);
        QCOMPARE(lines.at(0).at(1).toInt(), 1);
        QMenu* tomorrow = Item(tray.trayMenu(), "Tomorrow's events")->menu();
        QVERIFY(tomorrow);
        Item(tomorrow, "N - Party")->trigger();
        QCOMPARE(lines.at(1).at(0).value<TrayMenuItem::Table>(), TrayMenuItem::Table::Tomorrow);
    }

    // Midnight and a month slept through are the running program's test
    // (orvapp_test); here the dates the day of the month alone would miss.
    void theTimerTakesEveryNewDateOnce()
    {
        QDate today(2024, 2, 28);
        TMain tray(nullptr, [&] { return today; });
        tray.SetToday(Date{2024, 2, 28});
        QSignalSpy changed(&tray, &TMain::dayChanged);
        tray.Timer1Timer();
        tray.Resumed();  // a wake on the same day changes nothing
        QCOMPARE(changed.count(), 0);
        today = QDate(2025, 2, 28);  // a year slept through
        tray.Resumed();
        tray.Timer1Timer();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(tray.today(), (Date{2025, 2, 28}));
        today = QDate(2025, 2, 27);  // the clock set back a day
        tray.Timer1Timer();
        QCOMPARE(changed.count(), 2);
    }

    // The sound is read when a reminder first wants it; a wrong resource
    // would fail only then, silently.
    void theReminderSoundLoadsOnItsFirstUse()
    {
        TMain tray;
        QCOMPARE(tray.soundStatus(), QSoundEffect::Null);
        tray.PlaySound();
        QTRY_COMPARE(tray.soundStatus(), QSoundEffect::Ready);
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
        Item(launcher.menu(), "Launch ORV")->trigger();
        QCOMPARE(started, folders);
        QCOMPARE(finished.count(), 1);
        Item(launcher.menu(), "Exit")->trigger();
        QCOMPARE(starts, 1);
        QCOMPARE(finished.count(), 2);
    }
};

QTEST_MAIN(TMainTest)
#include "tmain_test.moc"
