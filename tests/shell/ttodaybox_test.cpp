// The Today Box: its day and caption, paging, the day it lists, the lines'
// double-click actions and when it follows the main window.
#include <QAccessible>
#include <QTest>
#include <QToolButton>
#include <algorithm>

#include "shell/ttodaybox.h"
#include "views/today/eventgrid.h"
#include "views/viewfixture.h"

Q_DECLARE_METATYPE(orv::Date)

namespace orv::test {

class TodayBoxTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SessionFixture> fx;
    std::unique_ptr<TTodayBox> box;

    EventGrid* Grid() { return box->findChild<EventGrid*>(QStringLiteral("StringGrid1")); }
    void Press(const char* button)
    {
        QTest::mouseClick(box->findChild<QToolButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    }

private slots:
    void init()
    {
        fx = std::make_unique<SessionFixture>();
        fx->AddSampleRecords();
        box = std::make_unique<TTodayBox>(*fx->session, fx->navigator);
    }

    void cleanup()
    {
        box.reset();
        fx.reset();
    }

    // It opens on today, dated in its caption, on top, with its navigator
    // bar as the settings say; a screen reader finds every control named. It
    // follows the main window with "start with ORV" until the user closes it.
    void itOpensOnTodayNamedThroughoutAndFollowsTheMainWindowUntilClosed()
    {
        QCOMPARE(box->windowTitle(), QStringLiteral(" 13/3-2024"));
        QVERIFY(box->windowFlags() & Qt::WindowStaysOnTopHint);
        box->Fill(TTodayBox::Day::Kept);
        box->show();
        for (QWidget* control : box->findChildren<QWidget*>()) {
            const QAccessibleInterface* seen = QAccessible::queryAccessibleInterface(control);
            if (control->focusPolicy() != Qt::NoFocus)
                QVERIFY2(!seen->text(QAccessible::Name).isEmpty(), qPrintable(control->objectName()));
        }
        QVERIFY(box->findChild<QToolButton*>("SpeedButton1")->isVisible());
        fx->session->settings().CB25 = true;
        fx->session->settings().CB19 = false;  // no navigator bar
        box->Fill(TTodayBox::Day::Kept);
        QCOMPARE(box->windowTitle(), QStringLiteral(" 3.13.2024"));
        QVERIFY(!box->findChild<QToolButton*>("SpeedButton1")->isVisible());

        box->hide();
        box->ShowWithMainWindow(TTodayBox::MainWindow::Shown);
        QVERIFY(!box->isVisible());
        fx->session->settings().CB20 = true;
        box->ShowWithMainWindow(TTodayBox::MainWindow::Shown);
        QVERIFY(box->isVisible());
        QVERIFY(box->close());
        QVERIFY(box->closedByUser());
        box->ShowWithMainWindow(TTodayBox::MainWindow::Shown);
        QVERIFY(!box->isVisible());
        box->show();  // the "Today Box" button and the tray still show it
        QVERIFY(box->isVisible());
    }

    // Paging moves the day, which a refresh keeps; "Today" and showing the
    // box return it. At midnight a box on today moves on, a paged one stays.
    void pagingMovesTheDayWhichAnUpdateKeepsAndShowingOrTodayReturnsIt()
    {
        Press("SpeedButton2");
        QCOMPARE(box->day(), D(2024, 3, 14));
        box->Fill(TTodayBox::Day::Kept);  // the refresh after an edit keeps it
        QCOMPARE(box->day(), D(2024, 3, 14));
        Press("SpeedButton1");
        Press("SpeedButton1");
        QCOMPARE(box->day(), D(2024, 3, 12));
        Press("SpeedButton3");
        QCOMPARE(box->day(), kToday);
        Press("SpeedButton2");
        box->show();
        QCOMPARE(box->day(), kToday);

        fx->session->setToday(D(2024, 3, 14));
        box->FillAfterUpdate(kToday);
        QCOMPARE(box->day(), D(2024, 3, 14));
        Press("SpeedButton2");
        Press("SpeedButton2");
        fx->session->setToday(D(2024, 3, 15));
        box->FillAfterUpdate(D(2024, 3, 14));
        QCOMPARE(box->day(), D(2024, 3, 16));
    }

    // What a day lists under the include boxes is pinned by orv-cli's
    // today-box cases; the box lists the day it shows.
    void itListsTheDayItShows()
    {
        for (int i = 0; i < 7; ++i) Press("SpeedButton2");
        QStringList shown;
        for (const Occurrence& o : Grid()->table()) shown << QString(QChar::fromLatin1(o.Kind));
        // A weekly event a week ahead; the to-dos of every day.
        QCOMPARE(shown, (QStringList{"W", "T", "T", "T"}));
        QCOMPARE(box->windowTitle(), QStringLiteral(" 20/3-2024"));
    }

    // What the line's record is and where it is shown is the main window's;
    // the box names the line, the person it found by the text and its day.
    void doubleClickingALineOpensItsRecordAndTheMainWindow_data()
    {
        QTest::addColumn<int>("paged");
        QTest::addColumn<char>("kind");
        QTest::addColumn<QString>("call");
        QTest::newRow("birthday") << 0 << 'B' << "OpenRecord(B,0,2024-03-13)";
        QTest::newRow("paged a day: that day") << 1 << 'H' << "OpenRecord(H,0,2024-03-14)";
    }
    void doubleClickingALineOpensItsRecordAndTheMainWindow()
    {
        QFETCH(int, paged);
        QFETCH(char, kind);
        QFETCH(QString, call);
        box->show();
        for (int i = 0; i < paged; ++i) Press("SpeedButton2");
        const OccurrenceTable& lines = Grid()->table();
        const auto of = std::find_if(lines.begin(), lines.end(), [&](const Occurrence& o) { return o.Kind == kind; });
        const int row = static_cast<int>(of - lines.begin());
        QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {},
                           QPoint(40, Grid()->rowViewportPosition(row) + Grid()->rowHeight(row) / 2));
        QCOMPARE(fx->navigator.calls, (QStringList{call, "ShowMainWindow"}));
    }
};

}  // namespace orv::test

QTEST_MAIN(orv::test::TodayBoxTest)
#include "ttodaybox_test.moc"
