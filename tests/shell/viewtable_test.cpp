// The main window's views reached the ways the user reaches them: the sidebar
// item, the menus and their shortcuts, the help button, and the lines of the
// lists that open the record behind them. What each row of the view table
// holds is not written down again here: each way it names must open that
// row's own view, and no other.
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "shell/sidebar.h"
#include "shell/tdata.h"
#include "shell/viewtable.h"
#include "views/events/calendarview.h"
#include "views/common/labelbutton.h"
#include "views/viewfixture.h"

Q_DECLARE_METATYPE(orv::Date)

namespace orv::test {

namespace {

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
        QTest::addColumn<int>("item");
        for (const ViewRow& row : ViewTable()) QTest::newRow(row.sidebar.label) << int(row.item);
    }
    void eachViewIsReachedEveryWayAndHelpsWithItsPage()
    {
        QFETCH(int, item);
        const ViewRow* row = FindView(item);
        QList<QAction*> ways;
        if (row->menu.menu == MainMenu::Events) ways << MenuItem("&Events", QLatin1String(row->menu.caption));
        if (row->menu.menu == MainMenu::Program) ways << MenuItem("&Program", QLatin1String(row->menu.caption));
        if (row->oldMenu.position > 0) ways << MenuItem("Ver 1.2", QLatin1String(row->oldMenu.caption));
        // The shortcut belongs to one menu item only.
        const QKeySequence shortcut(QLatin1String(row->menu.shortcut));
        QList<QAction*> bound;
        for (QAction* a : AllActions(data->menuBar()))
            if (!a->shortcut().isEmpty() && a->shortcut() == shortcut) bound << a;
        QCOMPARE(bound.size(), *row->menu.shortcut ? 1 : 0);
        QVERIFY(!ways.contains(nullptr));
        ways << bound;
        ways << nullptr;  // the sidebar item, last: help follows it
        QWidget* view = data->view(row->item);
        for (QAction* way : ways) {
            data->ShowPanel("PP5");
            if (way) way->trigger();
            else QTest::mouseClick(data->findChild<LabelButton*>(row->sidebar.label), Qt::LeftButton);
            // The view itself, or the titled panel around it.
            QVERIFY(data->currentPanel() == view || data->currentPanel()->isAncestorOf(view));
            QCOMPARE(data->sidebar()->current(), std::optional<ViewItem>(row->item));
        }

        QSignalSpy help(data.get(), &TData::helpRequested);
        data->findChild<QPushButton*>("SpeedButton2")->click();
        QCOMPARE(help.count(), 1);
        QCOMPARE(help.at(0).at(0).toInt(), row->helpPage);
    }

    void aRecordBehindALineOpensInItsView_data()
    {
        QTest::addColumn<char>("kind");
        QTest::addColumn<int>("source");
        QTest::addColumn<Date>("day");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("selection");
        QTest::newRow("weekly") << 'W' << 0 << kToday << "PP1" << "Wednesday";
        QTest::newRow("monthly") << 'M' << 0 << D(2024, 3, 16) << "PP2" << "15";
        QTest::newRow("annual") << 'Y' << 0 << D(2024, 3, 17) << "PP15" << "Parade";
        QTest::newRow("advanced, the day's first") << 'A' << 0 << kToday << "PP3" << "Second Wednesday";
        QTest::newRow("birthday, its person") << 'B' << 1 << D(2024, 3, 15) << "PP7" << "1";
        QTest::newRow("dated event, its day") << 'H' << 0 << D(2024, 3, 14) << "PP13" << "2024-03-14";
        QTest::newRow("to-do") << 'T' << -1 << kToday << "PP12" << "";
        QTest::newRow("person gone: nothing") << 'B' << 2 << kToday << "PP5" << "";
        QTest::newRow("every-day item: nothing") << 'E' << -1 << kToday << "PP5" << "";
    }
    void aRecordBehindALineOpensInItsView()
    {
        QFETCH(char, kind);
        QFETCH(int, source);
        QFETCH(Date, day);
        QFETCH(QString, panel);
        QFETCH(QString, selection);
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
