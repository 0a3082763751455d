// The main window's views reached the ways the user reaches them: the sidebar
// item, the menus and their shortcuts, the help button, and the lines of the
// lists that open the record behind them. Each view's panel and help page are
// written down here once, so that a wrong or missing row of the view table,
// or one that opens another view's panel, is caught.
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "shell/thelpbox.h"
#include "shell/sidebar.h"
#include "shell/tdata.h"
#include "shell/viewtable.h"
#include "views/events/calendarview.h"
#include "views/common/labelbutton.h"
#include "views/viewfixture.h"

Q_DECLARE_METATYPE(orv::Date)

namespace orv::test {

namespace {

struct Expected {
    ViewItem item;
    const char* panel;
    const char* helpSubject;
    const char* shortcut;
};

const Expected kExpected[] = {
    {ViewItem::NextWeek, "PP11", "ORV", "Alt+1"},
    {ViewItem::Calendar, "PP13", "Calendar", "Alt+2"},
    {ViewItem::MonthCal, "PP6", "Month calendar", ""},
    {ViewItem::People, "PP7", "Address book", "Alt+3"},
    {ViewItem::Weekly, "PP1", "Weekly events", "Alt+4"},
    {ViewItem::Monthly, "PP2", "Monthly events", "Alt+5"},
    {ViewItem::Annually, "PP15", "Annual events", "Alt+Y"},
    {ViewItem::Advanced, "PP3", "Advanced events", "Alt+6"},
    {ViewItem::Todo, "PP12", "To do list", "Alt+7"},
    {ViewItem::SearchPeople, "PP9", "Search people", "Alt+8"},
    {ViewItem::SearchCalendar, "PP8", "Search calendar", "Alt+9"},
    {ViewItem::Periodical, "PP10", "Periodical search", "Alt+0"},
    {ViewItem::PhoneBook, "PP14", "Phone book", ""},
};

// Every action of a menu and its submenus.
QList<QAction*> AllActions(const QWidget* menu)
{
    QList<QAction*> all;
    for (QAction* a : menu->actions()) {
        all << a;
        if (a->menu()) all << AllActions(a->menu());
    }
    return all;
}

}  // namespace

class ViewTableTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SessionFixture> fx;
    std::unique_ptr<TData> data;

    QString Shown() const { return data->currentPanel()->objectName(); }
    QAction* MenuItem(const QString& menu, const QString& caption) const
    {
        for (QAction* top : data->menuBar()->actions())
            if (top->text() == menu)
                for (QAction* a : AllActions(top->menu()))
                    if (a->text() == caption) return a;
        return nullptr;
    }
    // What the shown panel has selected, for the records opened in it.
    QString Selection() const
    {
        const QString panel = Shown();
        if (panel == "PP1") return data->findChild<QListWidget*>("WeeklyListBox1")->currentItem()->text();
        if (panel == "PP2") return QString::number(data->findChild<QListWidget*>("MonthlyListBox1")->currentRow());
        if (panel == "PP15") return data->findChild<QListWidget*>("ListBox5")->item(0)->text();
        if (panel == "PP3") return data->view(ViewItem::Advanced)->findChild<QLineEdit*>("Edit3")->text();
        if (panel == "PP7") return QString::number(fx->session->records().CurrentAddress);
        if (panel == "PP13") return QString::fromStdString(IsoDate(data->calendarView()->selectedDate()));
        return {};
    }

private slots:
    void init()
    {
        fx = std::make_unique<SessionFixture>();
        fx->AddSampleRecords();
        data = std::make_unique<TData>(*fx->session);
        data->InitialiseEventPages(kToday);
        data->show();
        QVERIFY(QTest::qWaitForWindowExposed(data.get()));
    }
    void cleanup()
    {
        data.reset();
        fx.reset();
    }

    // Every way in (the sidebar item, the menu items of its row, the
    // shortcut) opens the view and marks it; help then opens its page.
    void eachViewIsReachedEveryWayAndHelpsWithItsPage_data()
    {
        QTest::addColumn<int>("index");
        QCOMPARE(ViewTable().size(), std::size(kExpected));  // a view added is added here too
        for (std::size_t i = 0; i < std::size(kExpected); ++i) QTest::newRow(kExpected[i].panel) << int(i);
    }
    void eachViewIsReachedEveryWayAndHelpsWithItsPage()
    {
        QFETCH(int, index);
        const Expected& expected = kExpected[index];
        const ViewRow* row = FindView(expected.item);
        QVERIFY(row);
        QList<QAction*> ways;
        if (row->menu.menu == MainMenu::Events) ways << MenuItem("&Events", QLatin1String(row->menu.caption));
        if (row->menu.menu == MainMenu::Program) ways << MenuItem("&Program", QLatin1String(row->menu.caption));
        if (row->oldMenu.position > 0) ways << MenuItem("Ver 1.2", QLatin1String(row->oldMenu.caption));
        // The shortcut belongs to one menu item only.
        QList<QAction*> bound;
        for (QAction* a : AllActions(data->menuBar()))
            if (!a->shortcut().isEmpty() && a->shortcut() == QKeySequence(QLatin1String(expected.shortcut))) bound << a;
        QCOMPARE(bound.size(), *expected.shortcut ? 1 : 0);
        QVERIFY(!ways.contains(nullptr));
        ways << bound;
        ways << nullptr;  // the sidebar item, last: help follows it
        for (QAction* way : ways) {
            data->ShowPanel("PP5");
            if (way) way->trigger();
            else QTest::mouseClick(data->findChild<LabelButton*>(QString("MenuL%1").arg(int(expected.item))), Qt::LeftButton);
            QCOMPARE(Shown(), QLatin1String(expected.panel));
            QCOMPARE(data->sidebar()->current(), std::optional<ViewItem>(expected.item));
        }

        QSignalSpy help(data.get(), &TData::helpRequested);
        data->findChild<QPushButton*>("SpeedButton2")->click();
        QCOMPARE(help.count(), 1);
        QCOMPARE(THelpBox::Subject(help.at(0).at(0).toInt()), QLatin1String(expected.helpSubject));
    }

    void aRecordBehindALineOpensInItsView_data()
    {
        QTest::addColumn<char>("kind");
        QTest::addColumn<int>("source");
        QTest::addColumn<Date>("day");
        QTest::addColumn<int>("weekStart");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("selection");
        QTest::newRow("weekly, Monday first") << 'W' << 0 << kToday << 1 << "PP1" << "Wednesday";
        QTest::newRow("weekly, Sunday first") << 'W' << 0 << kToday << 0 << "PP1" << "Wednesday";
        QTest::newRow("monthly") << 'M' << 0 << D(2024, 3, 16) << 1 << "PP2" << "15";
        QTest::newRow("annual") << 'Y' << 0 << D(2024, 3, 17) << 1 << "PP15" << "Parade";
        QTest::newRow("advanced, the day's first") << 'A' << 0 << kToday << 1 << "PP3" << "Second Wednesday";
        QTest::newRow("birthday, its person") << 'B' << 1 << D(2024, 3, 15) << 1 << "PP7" << "1";
        QTest::newRow("dated event, its day") << 'H' << 0 << D(2024, 3, 14) << 1 << "PP13" << "2024-03-14";
        QTest::newRow("to-do") << 'T' << -1 << kToday << 1 << "PP12" << "";
        QTest::newRow("person gone: nothing") << 'B' << 2 << kToday << 1 << "PP5" << "";
        QTest::newRow("every-day item: nothing") << 'E' << -1 << kToday << 1 << "PP5" << "";
    }
    void aRecordBehindALineOpensInItsView()
    {
        QFETCH(char, kind);
        QFETCH(int, source);
        QFETCH(Date, day);
        QFETCH(int, weekStart);
        QFETCH(QString, panel);
        QFETCH(QString, selection);
        fx->session->settings().WeekStart = weekStart;
        data->InitialiseEventPages(kToday);
        data->ShowPanel("PP5");
        const bool opened = data->OpenRecord(Occurrence{Occurrence::NoDays, kind, "", source}, day);
        QCOMPARE(opened, panel != "PP5");
        QCOMPARE(Shown(), panel);
        QCOMPARE(Selection(), selection);
    }
};

}  // namespace orv::test

QTEST_MAIN(orv::test::ViewTableTest)
#include "viewtable_test.moc"
