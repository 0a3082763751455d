// The overview panel: what the three grids show after a build, the date
// stamp, the pop-up menus, the Go actions by kind and the tray lines.
#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include "core/engineconfig.h"
#include "views/common/labelbutton.h"
#include "views/today/overviewview.h"
#include "fakedialogs.h"
#include "viewfixture.h"
#include "testclass.h"

namespace orv::test {

using Which = TrayMenuItem::Table;

class OverviewViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SessionFixture> fx;
    std::unique_ptr<OverviewView> view;
    FakeDialogs fake;

    EventGrid* Grid(const char* name) { return view->findChild<EventGrid*>(QString::fromLatin1(name)); }
    QString Text(const char* label) { return view->findChild<QLabel*>(QString::fromLatin1(label))->text(); }

    // A right click as the desktop delivers it: the press, then the menu request.
    void RightClick(EventGrid* grid, int row)
    {
        const QPoint pos = RowCentre(grid, row);
        QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, pos);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, grid->viewport()->mapToGlobal(pos));
        QCoreApplication::sendEvent(grid->viewport(), &event);
    }

    // The pointer moving over a widget without a button held.
    static void MoveOver(QWidget* widget, QPoint pos)
    {
        QMouseEvent move(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &move);
    }

private slots:
    void init()
    {
        fx = std::make_unique<SessionFixture>();
        fx->AddSampleRecords();
        fake.messages.clear();
        view = std::make_unique<OverviewView>(*fx->session, fx->navigator);
        view->setDialogs(fake.dialogs());
        view->resize(500, 600);
        view->show();
        view->Build(OverviewView::Reminder::Quiet);
    }

    void cleanup()
    {
        view.reset();
        fx.reset();
    }

    void theGridsShowKindDaysAndTextInTheirColumns()
    {
        QAbstractItemModel* next = Grid("NextWeekStringGrid")->model();
        QCOMPARE(next->index(0, 0).data().toString(), QStringLiteral("2"));
        QCOMPARE(next->index(0, 1).data().toString(), QStringLiteral("B"));
        QCOMPARE(next->index(0, 2).data().toString(), QStringLiteral("Bob Jones"));
        const int todo = next->rowCount() - 1;
        QCOMPARE(next->index(todo, 0).data().toString(), QStringLiteral(" "));
        QCOMPARE(next->index(todo, 2).data().toString(), QStringLiteral("Tidy garage"));
        QAbstractItemModel* today = Grid("TodayStringGrid")->model();
        QCOMPARE(today->index(0, 1).data().toString(), QStringLiteral("Ann Smith  -  34"));
    }

    // A table without lines shows one empty row, and its pop-up menu stays closed.
    void aTableWithoutLinesShowsOneEmptyRowAndNoMenu()
    {
        fx->session->records().editCalendar().clear();
        view->Build(OverviewView::Reminder::Quiet);
        EventGrid* tomorrow = Grid("TomorrowStringGrid");
        QVERIFY(!tomorrow->hasLines());
        QCOMPARE(tomorrow->model()->rowCount(), 1);
        QCOMPARE(tomorrow->model()->index(0, 0).data().toString(), QString());
        QVERIFY(tomorrow->currentLine() == nullptr);
        QSignalSpy requested(tomorrow, &QWidget::customContextMenuRequested);
        RightClick(tomorrow, 0);
        QCOMPARE(requested.count(), 1);
        QVERIFY(!view->findChild<QMenu*>(QStringLiteral("PopupMenu10"))->isVisible());
    }

    // The next days' heading follows the number of days and names the grid
    // for a screen reader. A new user sees a column explained in it while the
    // pointer is over it; over the lines, or when leaving, it says what the
    // table covers.
    void theNextDaysHeadingFollowsTheDaysAndExplainsToANewUser()
    {
        QCOMPARE(Text("L18"), QStringLiteral("Next week's events"));
        fx->session->settings().nextweek = 1;
        view->Build(OverviewView::Reminder::Quiet);
        QCOMPARE(Text("L18"), QStringLiteral("Next 1 day's events"));
        QCOMPARE(Grid("NextWeekStringGrid")->accessibleName(), Text("L18"));
        QCOMPARE(Grid("NextWeekStringGrid")->table().size(), std::size_t(1));  // only the bottom list

        fx->session->settings().nextweek = 10;
        fx->session->settings().CB4 = false;
        view->Build(OverviewView::Reminder::Quiet);
        QWidget* next = Grid("NextWeekStringGrid")->viewport();
        MoveOver(next, QPoint(3, 5));
        QCOMPARE(Text("L18"), QStringLiteral("Next 10 day's events"));  // not a new user
        fx->session->settings().CB4 = true;
        view->Build(OverviewView::Reminder::Quiet);
        MoveOver(next, QPoint(100, 5));
        QCOMPARE(Text("L18"), QStringLiteral("Next 10 day's events"));
        MoveOver(next, QPoint(3, 5));
        QCOMPARE(Text("L18"), QStringLiteral("Days until the event occurs"));
        QCOMPARE(Grid("NextWeekStringGrid")->toolTip(), QStringLiteral("Days until the event occurs"));
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(next, &leave);
        QCOMPARE(Text("L18"), QStringLiteral("Next 10 day's events"));
        // The filler strip under the kind column explains it too.
        MoveOver(view->findChild<QWidget*>(QStringLiteral("Panel14")), QPoint(3, 5));
        QCOMPARE(Text("L17"), QStringLiteral("Type of Event"));
    }
    // The update link asks for a build, from the mouse and the keyboard; a
    // build gives the new tray menu, and a high-priority event sounds only
    // when the build asks for it.
    void theUpdateLinkAsksForABuildAndABuildGivesTheTrayMenuAndTheReminder()
    {
        QSignalSpy update(view.get(), &OverviewView::updateRequested);
        auto* link = view->findChild<LabelButton*>(QStringLiteral("T18"));
        QTest::mouseClick(link, Qt::LeftButton);
        link->setFocus();
        QTest::keyClick(link, Qt::Key_Space);
        QCOMPARE(update.count(), 2);

        QSignalSpy spy(view.get(), &OverviewView::trayMenuChanged);
        QSignalSpy sounds(view.get(), &OverviewView::reminderDue);
        fx->session->todos().Top.push_back("One more");
        view->Build(OverviewView::Reminder::Quiet);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(sounds.count(), 0);
        view->Build(OverviewView::Reminder::ForHighPriority);
        QCOMPARE(sounds.count(), 1);  // the dentist tomorrow
        // Heading, separator and one line per today row.
        QCOMPARE(QString::fromStdString(view->trayMenu()[2 + 5].caption), QStringLiteral("T - One more"));
    }

    // A next-days line stamps its date, unless the lines show dates; a to-do
    // line or another table clears the stamp.
    void clickingANextDaysLineStampsItsDate()
    {
        EventGrid* next = Grid("NextWeekStringGrid");
        ClickRow(next, RowOfKind(next, 'M'));
        QCOMPARE(Text("Label1"), QStringLiteral("16/3"));
        ClickRow(next, RowOfKind(next, 'T'));
        QCOMPARE(Text("Label1"), QString());
        ClickRow(next, 0);
        ClickRow(Grid("TodayStringGrid"), 0);
        QCOMPARE(Text("Label1"), QString());
        fx->session->settings().CB21 = true;
        view->Build(OverviewView::Reminder::Quiet);
        ClickRow(next, RowOfKind(next, 'M'));
        QCOMPARE(Text("Label1"), QString());
    }

    void thePopUpMenuShowsOnlyTheItemsForTheLinesKind_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<char>("kind");
        QTest::addColumn<QStringList>("visible");
        QTest::addColumn<QStringList>("hidden");
        QTest::newRow("today, birthday") << "TodayStringGrid" << 'B' << QStringList{"Go1", "Sendemail1", "Calendar2"}
                                         << QStringList{"Done1"};
        QTest::newRow("today, top to-do") << "TodayStringGrid" << 'T' << QStringList{"Go1", "Done1"}
                                          << QStringList{"Sendemail1", "Calendar2"};
        QTest::newRow("tomorrow, high") << "TomorrowStringGrid" << 'H' << QStringList{"Go3", "Calendar3"}
                                        << QStringList{"Sendemail3"};
    }
    void thePopUpMenuShowsOnlyTheItemsForTheLinesKind()
    {
        QFETCH(QString, grid);
        QFETCH(char, kind);
        QFETCH(QStringList, visible);
        QFETCH(QStringList, hidden);
        EventGrid* g = view->findChild<EventGrid*>(grid);
        RightClick(g, RowOfKind(g, kind));
        for (const QString& name : visible) QVERIFY2(view->findChild<QAction*>(name)->isVisible(), qPrintable(name));
        for (const QString& name : hidden) QVERIFY2(!view->findChild<QAction*>(name)->isVisible(), qPrintable(name));
        for (QMenu* m : view->findChildren<QMenu*>()) m->close();
    }

    void goActsOnTheLineByItsKind_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<char>("kind");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("calls");
        const QString today = "TodayStringGrid", tomorrow = "TomorrowStringGrid", next = "NextWeekStringGrid";
        QTest::newRow("birthday opens the address") << today << 'B' << "Go1" << QStringList{"OpenRecord(B,0,2024-03-13)"};
        QTest::newRow("birthday sends e-mail") << today << 'B' << "Sendemail1" << QStringList{"SendEmail(0)"};
        QTest::newRow("top to-do, go") << today << 'T' << "Go1" << QStringList{"ShowTodo(Top,0)"};
        QTest::newRow("top to-do, done") << today << 'T' << "Done1" << QStringList{"DoneTodo(Top,0)"};
        QTest::newRow("every day, done") << today << 'E' << "Done1" << QStringList{"DoneTodo(TodayEveryDay,0)"};
        QTest::newRow("tomorrow's high event") << tomorrow << 'H' << "Go3"
                                               << QStringList{"OpenRecord(H,0,2024-03-14)"};
        QTest::newRow("monthly in three days") << next << 'M' << "Go2" << QStringList{"OpenRecord(M,0,2024-03-16)"};
        QTest::newRow("calendar item at the line's day") << next << 'Y' << "Calendar4"
                                                         << QStringList{"ShowCalendarAt(2024-03-17)"};
        QTest::newRow("bottom to-do, done") << next << 'T' << "Done2" << QStringList{"DoneTodo(Bottom,0)"};
        QTest::newRow("e-mail without an address: said, nothing done") << next << 'B' << "Sendemail2" << QStringList{};
    }
    void goActsOnTheLineByItsKind()
    {
        QFETCH(QString, grid);
        QFETCH(char, kind);
        QFETCH(QString, action);
        QFETCH(QStringList, calls);
        EventGrid* g = view->findChild<EventGrid*>(grid);
        const int row = RowOfKind(g, kind);
        QVERIFY(row >= 0);
        g->setCurrentRow(row);
        view->findChild<QAction*>(action)->trigger();
        QCOMPARE(fx->navigator.calls, calls);
        QCOMPARE(fake.messages.size(), calls.isEmpty() ? 1 : 0);
    }

    void aDoubleClickOrATrayLineGoes()
    {
        EventGrid* next = Grid("NextWeekStringGrid");
        QTest::mouseDClick(next->viewport(), Qt::LeftButton, {}, RowCentre(next, RowOfKind(next, 'M')));
        // A tray line selects its row, goes and shows the main window.
        view->ActivateTrayLine(Which::Today, 2);
        QCOMPARE(Grid("TodayStringGrid")->currentRow(), 2);
        QCOMPARE(fx->navigator.calls,
                 (QStringList{"OpenRecord(M,0,2024-03-16)", "OpenRecord(A,0,2024-03-13)", "ShowMainWindow"}));
    }

};

ORV_TEST_CLASS(OverviewViewTest);

}  // namespace orv::test

#include "overviewview_test.moc"
