// The tray service and the launcher on their own, and the thirty moon
// pictures of the tray icon (the phases they stand for are tested with the
// engine, tests/engine/moonphase_test.cpp).
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

#include "shell/moonimages.h"
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

QImage Picture(int days) { return MoonImage(days).toImage().convertToFormat(QImage::Format_ARGB32); }

bool InsideDisc(int x, int y, double margin)
{
    const double dx = x + 0.5 - MoonImageSize / 2.0;
    const double dy = y + 0.5 - MoonImageSize / 2.0;
    return std::hypot(dx, dy) < MoonImageSize / 2.0 - margin;
}

// Sunlit pixels inside the rim, on the left and on the right half.
struct LitCount {
    int left = 0;
    int right = 0;
    int total() const { return left + right; }
};

LitCount CountLit(const QImage& image)
{
    LitCount n;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (!InsideDisc(x, y, 3.0) || c.alpha() < 200 || c.lightness() < 150) continue;
            (x < image.width() / 2 ? n.left : n.right) += 1;
        }
    return n;
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
        // The letter writer's item stays greyed until that window exists.
        QVERIFY(!Item(tray.trayMenu(), "Write letter")->isEnabled());

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

    // Thirty different pictures on a clear background; a count outside the
    // list shows the nearest end, and the tray's icon carries the picture.
    void thirtyDistinctTransparentPicturesAndTheEndsBeyond()
    {
        for (int n = 0; n < MoonImageCount; ++n) {
            const QImage image = Picture(n);
            QCOMPARE(image.size(), QSize(MoonImageSize, MoonImageSize));
            QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
            QCOMPARE(image.pixelColor(MoonImageSize - 1, MoonImageSize - 1).alpha(), 0);
            for (int m = 0; m < n; ++m) QVERIFY2(Picture(m) != image, qPrintable(QStringLiteral("%1 and %2").arg(m).arg(n)));
        }
        QCOMPARE(Picture(30), Picture(29));
        QCOMPARE(Picture(45), Picture(29));
        QCOMPARE(Picture(-1), Picture(0));
        QCOMPARE(MoonIcon(7).pixmap(MoonImageSize).toImage().convertToFormat(QImage::Format_ARGB32), Picture(7));
    }

    // More is lit nearer full moon, the quarters on opposite sides; the new
    // moon is unlit, yet its disc is there: a tray icon must not vanish for two days.
    void theLightFollowsThePhase()
    {
        for (const auto& [brighter, darker] : {std::pair{0, 7}, {7, 14}, {4, 7}, {22, 18}, {29, 22}})
            QVERIFY2(CountLit(Picture(brighter)).total() > CountLit(Picture(darker)).total(),
                     qPrintable(QStringLiteral("%1 over %2").arg(brighter).arg(darker)));
        const LitCount last = CountLit(Picture(7));
        const LitCount first = CountLit(Picture(22));
        QVERIFY2(last.left > 4 * last.right, qPrintable(QStringLiteral("%1 / %2").arg(last.left).arg(last.right)));
        QVERIFY2(first.right > 4 * first.left, qPrintable(QStringLiteral("%1 / %2").arg(first.left).arg(first.right)));
        for (int n : {14, 15}) {
            const QImage image = Picture(n);
            QCOMPARE(CountLit(image).total(), 0);
            int opaque = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) opaque += image.pixelColor(x, y).alpha() > 200;
            QVERIFY2(opaque > 600, qPrintable(QString::number(opaque)));
        }
    }
};

QTEST_MAIN(TMainTest)
#include "tmain_test.moc"
