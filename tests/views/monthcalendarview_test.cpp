// The month calendar: the rows of a month under each filter, stepping across
// the year, the year menu that follows only a year chosen from it, and the
// double click into the calendar.
#include <QComboBox>
#include <QTableView>

#include "eventviewtest.h"
#include "views/events/monthcalendarview.h"
#include "testclass.h"

namespace orv::test {

class MonthCalendarViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PageFixture<MonthCalendarView>> p;

    MonthCalendarView& Page() { return *p->page; }
    QTableView* Grid() { return p->Find<QTableView>("StringGrid2"); }
    QString Cell(int row, int column) { return Grid()->model()->index(row, column).data().toString(); }
    QStringList YearMenu() { return MenuItems(p->Find<QAbstractButton>("Label34")->findChild<QMenu*>()); }

private slots:
    void init() { p = std::make_unique<PageFixture<MonthCalendarView>>(); }
    void cleanup() { p.reset(); }

    // The filters go to the engine in their order; what each shows is pinned
    // by orv-cli's month cases, the first (all events, as letters) and the
    // last (recurrent events) checked here.
    void eachFilterShowsItsPartOfTheDayList()
    {
        QCOMPARE(Cell(12, 2), QStringLiteral("L B W A "));
        p->Find<QComboBox>("ComboBox3")->setCurrentIndex(3);
        QCOMPARE(Cell(12, 2), QStringLiteral("Choir  Second Wednesday  "));
    }

    void steppingCrossesTheYearAndTheYearMenuFollowsOnlyItsOwnChoice()
    {
        Page().ShowMonth(2001, 1);
        p->Click("Image2");
        QCOMPARE(Page().month(), 12);
        QCOMPARE(Page().year(), 2000);
        p->Click("Image1");
        p->Click("Label35");
        QCOMPARE(Page().year(), 2024);
        // The year menu follows only a year chosen from it.
        QCOMPARE(YearMenu().first(), QStringLiteral("2019"));
        p->Find<QAbstractButton>("Label34")->findChild<QMenu*>()->actions().last()->trigger();  // 2029
        QCOMPARE(Page().year(), 2029);
        QCOMPARE(YearMenu().first(), QStringLiteral("2024"));
        Page().ShowMonth(2029, 12);
        p->Click("Image1");
        QCOMPARE(Page().year(), 2030);
        QCOMPARE(YearMenu().first(), QStringLiteral("2024"));
    }

    // A short month leaves the last rows empty; a double click opens the
    // calendar on that day, and after the month's last day where it was.
    void aShortMonthLeavesTheLastRowsEmptyAndADoubleClickOpensTheDay()
    {
        Page().ShowMonth(2023, 2);
        QCOMPARE(Grid()->model()->rowCount(), 31);
        QCOMPARE(Cell(27, 1), QStringLiteral("28"));
        QCOMPARE(Cell(28, 1), QString());
        QCOMPARE(Cell(30, 0), QString());
        QTableView* grid = Grid();
        // A double click as a mouse delivers it: a press first, then the double click.
        const QPoint day14 = grid->visualRect(grid->model()->index(13, 1)).center();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, day14);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, day14);
        grid->setCurrentIndex(grid->model()->index(29, 0));
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(p->fx.navigator.calls, (QStringList{QStringLiteral("ShowCalendarAt(2023-02-14)"), QStringLiteral("ShowView(2)")}));
    }
};

ORV_TEST_CLASS(MonthCalendarViewTest);

}  // namespace orv::test

#include "monthcalendarview_test.moc"
