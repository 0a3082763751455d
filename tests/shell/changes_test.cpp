// Every change reaches the views that show its kind once, and no other view:
// an edit in a view, another program's records taken in, a sync.
#include <QAbstractButton>
#include <QActionEvent>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <map>

#include "appfixture.h"
#include "shell/syncrunner.h"
#include "shell/tdata.h"
#include "shell/ttodaybox.h"
#include "store/datafile.h"
#include "views/address/addressview.h"
#include "views/address/peoplesearchview.h"
#include "views/events/calendarview.h"
#include "views/events/tnewcal.h"
#include "views/events/weeklyview.h"
#include "views/today/eventgrid.h"
#include "views/today/overviewview.h"
#include "views/today/todoview.h"

using namespace orv;

namespace {

using Counts = std::map<QString, int>;

// Counts each view's refreshes by what a refresh does: its model reset, the
// overview's tray menu given anew, a "Goto" menu filled from empty.
class Refreshes : public QObject {
public:
    void Model(const QString& name, const QAbstractItemModel* model)
    {
        counts[name] = 0;
        connect(model, &QAbstractItemModel::modelReset, this, [this, name] { ++counts[name]; });
    }
    void Menu(const QString& name, QMenu* menu)
    {
        counts[name] = 0;
        menus_[menu] = name;
        menu->installEventFilter(this);
    }
    Counts counts;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // A rebuild clears the menu and adds its first item again.
        if (event->type() == QEvent::ActionAdded && static_cast<QMenu*>(watched)->actions().size() == 1)
            ++counts[menus_.at(watched)];
        return false;
    }

private:
    std::map<QObject*, QString> menus_;
};

QString Lines(const EventGrid* grid)
{
    QStringList lines;
    for (const Occurrence& o : grid->table()) lines << QString::fromStdString(o.Text);
    return lines.join(QLatin1Char('|'));
}

const QByteArray kCalendarHeader = "<BEGIN:CAL:FILE:VERSION>3.0\r\n";

QByteArray CalendarEvent(const char* hint, int day)
{
    return "<BEGIN>\r\n<HINT>" + QByteArray(hint) + "\r\n<PRI>1\r\n<DAY>" + QByteArray::number(day) +
           "\r\n<MONTH>2\r\n<YEAR>2024\r\n<BEGIN:MORE>\r\n<END:MORE>\r\n<END>\r\n";
}

}  // namespace

class ChangesTest : public QObject, public orv::test::AppFixture {
    Q_OBJECT

private:
    TData* Data() { return app->data(); }
    template <typename T>
    T* In(QWidget* parent, const char* name)
    {
        T* found = parent->findChild<T*>(QLatin1String(name));
        if (!found) qFatal("no %s", name);
        return found;
    }
    QMenu* GotoMenu(const char* link) { return In<QAbstractButton>(Data(), link)->findChild<QMenu*>(); }

    // One event of each recurrent kind, so that every "Goto" menu has items.
    void WriteRecurrentEvents()
    {
        RecordStore records;
        records.editWeekly() = {AWeek{1, "", "Choir"}};
        records.editMonthly() = {AMonth{3, "", "", "Rent"}};
        records.editAnnual() = {AYear{7, 4, "", "Parade"}};
        records.editAdvanced() = {AAdv{false, 1, "March", "Monday", "Spring fair"}};
        DataFiles files(data.toStdString());
        for (DataKind kind : {DataKind::Weekly, DataKind::Monthly, DataKind::Annual, DataKind::Advanced})
            QVERIFY(files.Save(kind, records).ok);
    }

    void Watch(Refreshes& r)
    {
        connect(Data()->overview(), &OverviewView::trayMenuChanged, &r, [&r] { ++r.counts[QStringLiteral("overview")]; });
        r.counts[QStringLiteral("overview")] = 0;
        r.Model(QStringLiteral("people search"), In<QListView>(Data()->peopleSearch(), "ResultListBox")->model());
        r.Model(QStringLiteral("hint search"), In<QListView>(Data(), "ListBox4")->model());
        r.Model(QStringLiteral("day list"), Data()->calendarView()->dayList()->model());
        r.Model(QStringLiteral("month"), In<QTableView>(Data(), "StringGrid2")->model());
        r.Menu(QStringLiteral("weekly goto"), GotoMenu("T21"));
        r.Menu(QStringLiteral("monthly goto"), GotoMenu("T20"));
        r.Menu(QStringLiteral("annual goto"), GotoMenu("T19"));
        r.Menu(QStringLiteral("advanced goto"), GotoMenu("T22"));
        r.Model(QStringLiteral("Today Box"), app->todayBox()->findChild<EventGrid*>()->model());
    }

private slots:
    void init()
    {
        SetUpApp();  // Wednesday 28 February 2024
        MarkSettingsSaved();
    }
    void cleanup() { TearDownApp(); }

    // What each view does after one edit of each kind: the views that show
    // the kind refresh once, the view that made the edit shows it itself, and
    // the others are left alone.
    void anEditRefreshesTheViewsOfItsKindOnce_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QList<int>>("expected");
        // overview, people search, hint search, day list, month, weekly,
        // monthly, annual and advanced goto, Today Box
        QTest::newRow("calendar event on the calendar page") << "calendar" << QList<int>{1, 0, 1, 2, 1, 0, 0, 0, 0, 1};
        QTest::newRow("person posted") << "person" << QList<int>{1, 1, 0, 1, 1, 0, 0, 0, 0, 1};
        QTest::newRow("weekly event created") << "weekly" << QList<int>{1, 0, 0, 1, 1, 1, 0, 0, 0, 1};
        QTest::newRow("to-do added") << "todo" << QList<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 1};
        QTest::newRow("weekly choice of the overview") << "choice" << QList<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 1};
        QTest::newRow("a delete that finds nothing") << "nothing" << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    }
    void anEditRefreshesTheViewsOfItsKindOnce()
    {
        QFETCH(QString, edit);
        QFETCH(QList<int>, expected);
        WriteRecurrentEvents();
        Start();
        Data()->ShowView(ViewItem::SearchCalendar);  // the hint search refreshes only when seen
        QVERIFY(Data()->isVisible());
        Refreshes r;
        Watch(r);
        if (edit == QLatin1String("calendar")) {
            QTimer::singleShot(0, this, [this] {
                TNewCal* d = Data()->calendarView()->newCal();
                In<QLineEdit>(d, "Edit1")->setText(QStringLiteral("Dentist"));
                In<QAbstractButton>(d, "Button1")->click();
            });
            Data()->calendarView()->NewEvent();
            QCOMPARE(Lines(Data()->calendarView()->dayList()), QStringLiteral("Dentist"));
        } else if (edit == QLatin1String("person")) {
            In<QLineEdit>(Data()->addressView(), "DataEdit1")->setText(QStringLiteral("Ann"));
            In<QLineEdit>(Data()->addressView(), "DataEdit2")->setText(QStringLiteral("Lee"));
            Data()->addressView()->DataPostClick();
            QCOMPARE(Data()->peopleSearch()->findChild<QListView*>(QStringLiteral("ResultListBox"))->model()->rowCount(), 1);
        } else if (edit == QLatin1String("weekly")) {
            WeeklyView* weekly = Data()->weeklyView();
            weekly->SelectDay(2);
            In<QLineEdit>(weekly, "Edit1")->setText(QStringLiteral("Gym"));
            In<QAbstractButton>(weekly, "B2")->click();
            QCOMPARE(GotoMenu("T21")->actions().size(), 2);
        } else if (edit == QLatin1String("todo")) {
            In<QLineEdit>(Data()->todoView(), "NewTodoEdit")->setText(QStringLiteral("Call Ann"));
            Data()->todoView()->AddTop();
            QVERIFY(Lines(Data()->overview()->grid(TrayMenuItem::Table::Today)).contains(QStringLiteral("Call Ann")));
        } else if (edit == QLatin1String("choice")) {
            auto* todayTomorrow = In<QAbstractButton>(Data()->weeklyView(), "WeeklyRadioButton1");
            auto* allDays = In<QAbstractButton>(Data()->weeklyView(), "WeeklyRadioButton2");
            (todayTomorrow->isChecked() ? allDays : todayTomorrow)->click();
        } else {
            Data()->addressView()->DataDeleteClick();  // the address book is empty
        }
        const QStringList names{"overview",      "people search", "hint search", "day list",      "month",
                                "weekly goto",   "monthly goto",  "annual goto", "advanced goto", "Today Box"};
        QStringList got, want;
        for (int i = 0; i < names.size(); ++i) {
            got << QStringLiteral("%1 %2").arg(names[i]).arg(r.counts.at(names[i]));
            want << QStringLiteral("%1 %2").arg(names[i]).arg(expected[i]);
        }
        QCOMPARE(got, want);
    }

    // The Today Box is refilled only while the main window is seen.
    void theTodayBoxWaitsWhileTheMainWindowIsHidden()
    {
        Start();
        Data()->hide();
        Refreshes r;
        r.Model(QStringLiteral("Today Box"), app->todayBox()->findChild<EventGrid*>()->model());
        In<QLineEdit>(Data()->todoView(), "NewTodoEdit")->setText(QStringLiteral("Call Ann"));
        Data()->todoView()->AddTop();
        QCOMPARE(r.counts.at(QStringLiteral("Today Box")), 0);
    }

    // A file sync replaced cal.orv while ORV ran; the next write of the
    // calendar takes its event in, and every view shows it.
    void anotherProgramsRecordsTakenInReachTheViews()
    {
        WriteFile(data + QStringLiteral("cal.orv"), kCalendarHeader + CalendarEvent("Dentist", 27) + "<END:FILE>\r\n");
        Start();
        EventGrid* today = Data()->overview()->grid(TrayMenuItem::Table::Today);
        auto* month = In<QTableView>(Data(), "StringGrid2");
        QCOMPARE(Lines(today), QString());
        WriteFile(data + QStringLiteral("cal.orv.sync"),
                  kCalendarHeader + CalendarEvent("Dentist", 27) + CalendarEvent("Flight", 28) + "<END:FILE>\r\n");
        QVERIFY(QFile::remove(data + QStringLiteral("cal.orv")));
        QVERIFY(QFile::rename(data + QStringLiteral("cal.orv.sync"), data + QStringLiteral("cal.orv")));

        // Written as an edit elsewhere would be, without a view to say so.
        ACal party;
        party.Hint = "Party";
        party.Day = 1, party.Month = 3, party.Year = 2024;
        QVERIFY(EncodeCalendarDate(party));
        app->session().records().editCalendar().push_back(party);
        bool written = false;
        app->session().SaveDataFile(DataKind::Calendar, [&](const SessionReport&) { written = true; }, this);
        QTRY_VERIFY(written);
        QCOMPARE(Lines(today), QStringLiteral("Flight"));
        QCOMPARE(month->model()->index(27, 2).data().toString(), QStringLiteral("N "));
        QCOMPARE(Lines(Data()->calendarView()->dayList()), QStringLiteral("Flight"));
    }

    // A sync that changed the lists: every view shows what it brought.
    void aSyncThatChangedTheListsReachesTheViews_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::newRow("lists changed") << true;
        QTest::newRow("nothing changed") << false;
    }
    void aSyncThatChangedTheListsReachesTheViews()
    {
        QFETCH(bool, changed);
        Start();
        Refreshes r;
        Watch(r);
        // What the sync took in, as it takes it: through the lists' edit accessors.
        if (changed) {
            AData ann;
            ann.Name = "Ann";
            ann.Surname = "Lee";
            ann.Day = 28, ann.Month = 2, ann.Year = 1990;
            BuildDateText(ann);
            app->session().records().editAddresses().push_back(ann);
        }
        emit app->syncRunner()->finished(QStringLiteral("Synced"), {}, changed, false);
        QCOMPARE(r.counts.at(QStringLiteral("overview")), changed ? 1 : 0);
        QCOMPARE(r.counts.at(QStringLiteral("people search")), changed ? 1 : 0);
        QCOMPARE(r.counts.at(QStringLiteral("hint search")), 0);
        if (changed) QVERIFY(Lines(Data()->overview()->grid(TrayMenuItem::Table::Today)).contains(QStringLiteral("Ann")));
    }

    // An initialisation builds every view itself: what it read is not
    // published again at the next edit.
    void updateLeavesNothingToPublish()
    {
        Start();
        app->session().records().editCalendar();  // read again by "Update" below
        app->Update();
        Refreshes r;
        Watch(r);
        In<QLineEdit>(Data()->todoView(), "NewTodoEdit")->setText(QStringLiteral("Call Ann"));
        Data()->todoView()->AddTop();
        QCOMPARE(r.counts.at(QStringLiteral("day list")), 0);
        QCOMPARE(r.counts.at(QStringLiteral("overview")), 1);
    }
};

QTEST_MAIN(ChangesTest)
#include "changes_test.moc"
