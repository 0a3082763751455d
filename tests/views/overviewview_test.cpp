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
        fx->session->settings().nextweek = 10;
        fx->session->settings().CB4 = false;
        view->Build(OverviewView::Reminder::Quiet);
        QWidget* next = Grid("NextWeekStringGrid")->viewport();
        MoveOver(next, QPoint(3, 5));
        QCOMPARE(Text("L18"), QStringLiteral("Next 10 day's events"));  // not a new user
        QCOMPARE(Grid("NextWeekStringGrid")->accessibleName(), Text("L18"));
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

    // A birthday and a top to-do line today, tomorrow's high event: the
    // items for the line's kind show, the others not.
    void thePopUpMenuShowsOnlyTheItemsForTheLinesKind()
    {
        const struct {
            const char* grid;
            char kind;
            QStringList visible, hidden;
        } lines[] = {{"TodayStringGrid", 'B', {"Go1", "Sendemail1", "Calendar2"}, {"Done1"}},
                     {"TodayStringGrid", 'T', {"Go1", "Done1"}, {"Sendemail1", "Calendar2"}},
                     {"TomorrowStringGrid", 'H', {"Go3", "Calendar3"}, {"Sendemail3"}}};
        const auto shown = [this](const QString& name) { return view->findChild<QAction*>(name)->isVisible(); };
        for (const auto& line : lines) {
            EventGrid* g = Grid(line.grid);
            RightClick(g, RowOfKind(g, line.kind));
            for (const QString& name : line.visible) QVERIFY2(shown(name), qPrintable(name));
            for (const QString& name : line.hidden) QVERIFY2(!shown(name), qPrintable(name));
            for (QMenu* m : view->findChildren<QMenu*>()) m->close();
        }
    }

    // Each command on each kind of line of each table; e-mail to a person
    // without an address is said, and nothing is done.
    void goActsOnTheLineByItsKind()
    {
        const struct {
            const char* grid;
            char kind;
            const char* action;
            const char* call;  // empty: none
        } acts[] = {
            {"TodayStringGrid", 'B', "Go1", "OpenRecord(B,0,2024-03-13)"},
            {"TodayStringGrid", 'B', "Sendemail1", "SendEmail(0)"},
            {"TodayStringGrid", 'T', "Go1", "ShowTodo(Top,0)"},
            {"TodayStringGrid", 'T', "Done1", "DoneTodo(Top,0)"},
            {"TodayStringGrid", 'E', "Done1", "DoneTodo(TodayEveryDay,0)"},
            {"TomorrowStringGrid", 'H', "Go3", "OpenRecord(H,0,2024-03-14)"},
            {"NextWeekStringGrid", 'M', "Go2", "OpenRecord(M,0,2024-03-16)"},
            {"NextWeekStringGrid", 'Y', "Calendar4", "ShowCalendarAt(2024-03-17)"},
            {"NextWeekStringGrid", 'T', "Done2", "DoneTodo(Bottom,0)"},
            {"NextWeekStringGrid", 'B', "Sendemail2", ""},
        };
        for (const auto& act : acts) {
            fx->navigator.calls.clear();
            fake.messages.clear();
            EventGrid* g = Grid(act.grid);
            const int row = RowOfKind(g, act.kind);
            QVERIFY(row >= 0);
            g->setCurrentRow(row);
            view->findChild<QAction*>(QLatin1String(act.action))->trigger();
            QCOMPARE(fx->navigator.calls, *act.call ? QStringList{act.call} : QStringList{});
            QCOMPARE(fake.messages.size(), *act.call ? 0 : 1);
        }
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
