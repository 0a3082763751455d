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
#include "views/today/eventgrid.h"
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

    int RowOfKind(EventGrid* grid, char kind)
    {
        const OccurrenceTable& t = grid->table();
        for (std::size_t i = 0; i < t.size(); ++i)
            if (t[i].Kind == kind) return static_cast<int>(i);
        return -1;
    }

    QPoint RowCentre(EventGrid* grid, int row, int x = 40)
    {
        return QPoint(x, grid->rowViewportPosition(row) + grid->rowHeight(row) / 2);
    }

    void ClickRow(EventGrid* grid, int row) { QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, RowCentre(grid, row)); }

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
        QCOMPARE(next->columnCount(), 3);
        QCOMPARE(next->index(0, 0).data().toString(), QStringLiteral("2"));
        QCOMPARE(next->index(0, 1).data().toString(), QStringLiteral("B"));
        QCOMPARE(next->index(0, 2).data().toString(), QStringLiteral("Bob Jones"));
        const int todo = next->rowCount() - 1;
        QCOMPARE(next->index(todo, 0).data().toString(), QStringLiteral(" "));
        QCOMPARE(next->index(todo, 2).data().toString(), QStringLiteral("Tidy garage"));
        QAbstractItemModel* today = Grid("TodayStringGrid")->model();
        QCOMPARE(today->columnCount(), 2);
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

    void theNextDaysHeadingFollowsTheNumberOfDays_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("heading");
        QTest::newRow("a week") << 7 << "Next week's events";
        QTest::newRow("ten days") << 10 << "Next 10 day's events";
        QTest::newRow("one day, only the bottom list") << 1 << "Next 1 day's events";
    }
    void theNextDaysHeadingFollowsTheNumberOfDays()
    {
        QFETCH(int, days);
        QFETCH(QString, heading);
        fx->session->settings().nextweek = days;
        view->Build(OverviewView::Reminder::Quiet);
        QCOMPARE(Text("L18"), heading);
        // A screen reader names the grid after its heading.
        QCOMPARE(Grid("NextWeekStringGrid")->accessibleName(), heading);
        if (days == 1) QCOMPARE(Grid("NextWeekStringGrid")->table().size(), std::size_t(1));
    }

    void theUpdateLinkAsksForAnUpdateFromTheMouseAndTheKeyboard()
    {
        QSignalSpy update(view.get(), &OverviewView::updateRequested);
        auto* link = view->findChild<LabelButton*>(QStringLiteral("T18"));
        QTest::mouseClick(link, Qt::LeftButton);
        link->setFocus();
        QTest::keyClick(link, Qt::Key_Space);
        QCOMPARE(update.count(), 2);
    }

    void aRebuildRestoresThePlainHints()
    {
        fx->session->settings().CB4 = true;
        EventGrid* today = Grid("TodayStringGrid");
        MoveOver(today->viewport(), QPoint(2, 2));
        QCOMPARE(today->toolTip(), QStringLiteral("Type of Event"));
        view->Build(OverviewView::Reminder::Quiet);
        QCOMPARE(today->toolTip(), QStringLiteral("Today's events"));
    }

    // A build gives the new tray menu; a high-priority event sounds only when the build asks for it.
    void buildEmitsTheNewTrayMenuAndTheReminder()
    {
        QSignalSpy spy(view.get(), &OverviewView::trayMenuChanged);
        QSignalSpy sounds(view.get(), &OverviewView::reminderDue);
        fx->session->todos().Top.push_back("One more");
        view->Build(OverviewView::Reminder::Quiet);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(sounds.count(), 0);
        view->Build(OverviewView::Reminder::ForHighPriority);
        QCOMPARE(sounds.count(), 1);  // the dentist tomorrow
        const std::vector<TrayMenuItem>& menu = view->trayMenu();
        QCOMPARE(QString::fromStdString(menu.front().caption), QStringLiteral("Today's events:"));
        // Heading, separator and one line per today row.
        QCOMPARE(QString::fromStdString(menu[2 + 5].caption), QStringLiteral("T - One more"));
    }

    void clickingANextDaysLineStampsItsDate_data()
    {
        QTest::addColumn<bool>("datesInLines");
        QTest::addColumn<QString>("stamp");
        QTest::newRow("dates not in the lines") << false << "16/3";
        QTest::newRow("dates in the lines leave the stamp alone") << true << "";
    }
    void clickingANextDaysLineStampsItsDate()
    {
        QFETCH(bool, datesInLines);
        QFETCH(QString, stamp);
        fx->session->settings().CB21 = datesInLines;
        view->Build(OverviewView::Reminder::Quiet);
        EventGrid* next = Grid("NextWeekStringGrid");
        ClickRow(next, RowOfKind(next, 'M'));
        QCOMPARE(Text("Label1"), stamp);
    }

    void clickingAToDoLineOrAnotherTableClearsTheStamp()
    {
        EventGrid* next = Grid("NextWeekStringGrid");
        ClickRow(next, 0);
        QCOMPARE(Text("Label1"), QStringLiteral("15/3"));
        ClickRow(next, RowOfKind(next, 'T'));
        QCOMPARE(Text("Label1"), QString());
        ClickRow(next, 0);
        ClickRow(Grid("TodayStringGrid"), 0);
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
        QTest::newRow("today, weekly") << "TodayStringGrid" << 'W' << QStringList{"Calendar2"}
                                       << QStringList{"Done1", "Sendemail1"};
        QTest::newRow("tomorrow, high") << "TomorrowStringGrid" << 'H' << QStringList{"Go3", "Calendar3"}
                                        << QStringList{"Sendemail3"};
        QTest::newRow("next days, birthday") << "NextWeekStringGrid" << 'B' << QStringList{"Sendemail2", "Calendar4"}
                                             << QStringList{"Done2"};
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
        QTest::newRow("weekly") << today << 'W' << "Go1" << QStringList{"OpenRecord(W,0,2024-03-13)"};
        QTest::newRow("advanced opens the first of the day") << today << 'A' << "Go1" << QStringList{"OpenRecord(A,0,2024-03-13)"};
        QTest::newRow("today's calendar item") << today << 'W' << "Calendar2"
                                               << QStringList{"ShowCalendarAt(2024-03-13)"};
        QTest::newRow("top to-do, go") << today << 'T' << "Go1" << QStringList{"ShowTodo(Top,0)"};
        QTest::newRow("top to-do, done") << today << 'T' << "Done1" << QStringList{"DoneTodo(Top,0)"};
        QTest::newRow("every day, done") << today << 'E' << "Done1" << QStringList{"DoneTodo(TodayEveryDay,0)"};
        QTest::newRow("tomorrow's high event") << tomorrow << 'H' << "Go3"
                                               << QStringList{"OpenRecord(H,0,2024-03-14)"};
        QTest::newRow("monthly in three days") << next << 'M' << "Go2" << QStringList{"OpenRecord(M,0,2024-03-16)"};
        QTest::newRow("annual in four days") << next << 'Y' << "Go2" << QStringList{"OpenRecord(Y,0,2024-03-17)"};
        QTest::newRow("calendar item at the line's day") << next << 'Y' << "Calendar4"
                                                         << QStringList{"ShowCalendarAt(2024-03-17)"};
        QTest::newRow("bottom to-do, done") << next << 'T' << "Done2" << QStringList{"DoneTodo(Bottom,0)"};
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
        QVERIFY(fake.messages.isEmpty());
    }

    void doneOnATopItemFindsTheFirstEqualText()
    {
        fx->session->todos().Top = {"Call mum", "Pay bills", "Pay bills"};
        view->Build(OverviewView::Reminder::Quiet);
        EventGrid* today = Grid("TodayStringGrid");
        today->setCurrentRow(RowOfKind(today, 'T') + 2);
        view->findChild<QAction*>(QStringLiteral("Done1"))->trigger();
        QCOMPARE(fx->navigator.calls, QStringList{"DoneTodo(Top,1)"});
    }

    void sendingEMailWithoutAnAddressSaysSo()
    {
        EventGrid* next = Grid("NextWeekStringGrid");
        next->setCurrentRow(RowOfKind(next, 'B'));
        view->findChild<QAction*>(QStringLiteral("Sendemail2"))->trigger();
        QCOMPARE(fake.messages, QStringList{"E-mail error|No e-mail address in the address book|"});
        QVERIFY(fx->navigator.calls.isEmpty());
        QCOMPARE(fx->session->records().CurrentAddress, 1);
    }

    void doubleClickingALineGoes()
    {
        EventGrid* next = Grid("NextWeekStringGrid");
        QTest::mouseDClick(next->viewport(), Qt::LeftButton, {}, RowCentre(next, RowOfKind(next, 'M')));
        QCOMPARE(fx->navigator.calls, QStringList{"OpenRecord(M,0,2024-03-16)"});
    }

    void aTrayLineSelectsItsRowGoesAndShowsTheMainWindow()
    {
        view->ActivateTrayLine(Which::Today, 2);
        QCOMPARE(Grid("TodayStringGrid")->currentRow(), 2);
        QCOMPARE(fx->navigator.calls, (QStringList{"OpenRecord(A,0,2024-03-13)", "ShowMainWindow"}));
    }

    void aNewUserSeesExplanationsWhileMovingOverTheTables_data()
    {
        QTest::addColumn<bool>("newUser");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("x");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tip");
        QTest::newRow("days column") << true << "NextWeekStringGrid" << 3 << "L18" << "Days until the event occurs"
                                     << "Days until the event occurs";
        QTest::newRow("kind column of the next days")
            << true << "NextWeekStringGrid" << 20 << "L18" << "Type of Event" << "Type of Event";
        // Over the lines the heading keeps saying what the table covers.
        QTest::newRow("text of the next days")
            << true << "NextWeekStringGrid" << 100 << "L18" << "Next 10 day's events" << "Next week's events";
        QTest::newRow("kind column of today") << true << "TodayStringGrid" << 3 << "L16" << "Type of Event" << "Type of Event";
        QTest::newRow("text of tomorrow")
            << true << "TomorrowStringGrid" << 100 << "L17" << "Tomorrow's events" << "Tomorrow's events";
        QTest::newRow("not a new user") << false << "TodayStringGrid" << 3 << "L16" << "Today's events" << "";
        // The filler strip under the kind column explains it too.
        QTest::newRow("filler strip") << true << "Panel14" << 3 << "L17" << "Type of Event" << "";
    }
    void aNewUserSeesExplanationsWhileMovingOverTheTables()
    {
        QFETCH(bool, newUser);
        QFETCH(QString, grid);
        QFETCH(int, x);
        QFETCH(QString, label);
        QFETCH(QString, text);
        QFETCH(QString, tip);
        fx->session->settings().CB4 = newUser;
        fx->session->settings().nextweek = 10;
        view->Build(OverviewView::Reminder::Quiet);
        auto* g = view->findChild<EventGrid*>(grid);
        QWidget* under = g ? g->viewport() : view->findChild<QWidget*>(grid);
        QVERIFY(under->isVisible());
        MoveOver(under, QPoint(x, 5));
        QCOMPARE(view->findChild<QLabel*>(label)->text(), label == "L18" && !newUser ? "Next 10 day's events" : text);
        if (newUser && g) QCOMPARE(g->toolTip(), tip);
        // The pointer leaving the grid onto the window gives the heading back.
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(under, &leave);
        QCOMPARE(Text("L16"), QStringLiteral("Today's events"));
        QCOMPARE(Text("L17"), QStringLiteral("Tomorrow's events"));
        QCOMPARE(Text("L18"), QStringLiteral("Next 10 day's events"));
    }
};

ORV_TEST_CLASS(OverviewViewTest);

}  // namespace orv::test

#include "overviewview_test.moc"
