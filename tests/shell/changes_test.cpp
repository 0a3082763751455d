// Every change reaches the views that show its kind once, and no other view:
// an edit in a view or from the New menu, another program's records taken in,
// a sync, an import, "Update"; and the pages made while the files are read
// show them, the phone book and the mail link among them.
#include <QAbstractButton>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
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
#include "views/documents/timportdata.h"
#include "views/events/advancedview.h"
#include "views/events/calendarview.h"
#include "views/events/tnewcal.h"
#include "views/events/tnewrec.h"
#include "views/today/eventgrid.h"
#include "views/today/overviewview.h"
#include "views/today/todoview.h"

using namespace orv;

namespace {

using Counts = std::map<QString, int>;

// Counts each view's refreshes by its model's resets.
class Refreshes : public QObject {
public:
    void Model(const QString& name, const QAbstractItemModel* model)
    {
        counts[name] = 0;
        connect(model, &QAbstractItemModel::modelReset, this, [this, name] { ++counts[name]; });
    }
    Counts counts;
};

QString Lines(const EventGrid* grid)
{
    QStringList lines;
    for (const Occurrence& o : grid->table()) lines << QString::fromStdString(o.Text);
    return lines.join(QLatin1Char('|'));
}

const QByteArray kCalendarHeader = "<BEGIN:CAL:FILE:VERSION>3.0\r\n";

}  // namespace

class ChangesTest : public QObject, public orv::test::AppFixture {
    Q_OBJECT

private:
    // A normal-priority event of February 2024.
    static QByteArray February(const char* hint, int day) { return CalendarEvent(hint, 1, QDate(2024, 2, day)); }
    TData* Data() { return app->data(); }
    EventGrid* Today() { return Data()->overview()->grid(TrayMenuItem::Table::Today); }
    template <typename T>
    T* In(QWidget* parent, const char* name)
    {
        T* found = parent->findChild<T*>(QLatin1String(name));
        if (!found) qFatal("no %s", name);
        return found;
    }

    // The overview counts by its tray menu given anew.
    void Watch(Refreshes& r)
    {
        connect(Data()->overview(), &OverviewView::trayMenuChanged, &r, [&r] { ++r.counts[QStringLiteral("overview")]; });
        r.counts[QStringLiteral("overview")] = 0;
        r.Model(QStringLiteral("people search"), In<QListView>(Data()->peopleSearch(), "ResultListBox")->model());
        r.Model(QStringLiteral("hint search"), In<QListView>(Data(), "ListBox4")->model());
        r.Model(QStringLiteral("day list"), Data()->calendarView()->dayList()->model());
        r.Model(QStringLiteral("month"), In<QTableView>(Data(), "StringGrid2")->model());
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
        // overview, people search, hint search, day list, month, Today Box
        QTest::newRow("calendar event on the calendar page") << "calendar" << QList<int>{1, 0, 1, 2, 1, 1};
        QTest::newRow("person posted") << "person" << QList<int>{1, 1, 0, 1, 1, 1};
        QTest::newRow("recurrent event from the New menu") << "recurrent" << QList<int>{1, 0, 0, 1, 1, 1};
        // "Update" builds every view itself: what it read is not published again, an edit after it is.
        QTest::newRow("to-do added after Update") << "update todo" << QList<int>{1, 0, 0, 0, 0, 1};
        // A sync takes in through the lists' edit accessors; what it brought reaches the views.
        QTest::newRow("sync that changed the lists") << "sync" << QList<int>{1, 1, 0, 1, 1, 1};
        QTest::newRow("sync that changed nothing") << "sync nothing" << QList<int>{0, 0, 0, 0, 0, 0};
        // The import window adds people as a sync does, and says so itself.
        QTest::newRow("people imported") << "import" << QList<int>{1, 1, 0, 1, 1, 1};
    }
    void anEditRefreshesTheViewsOfItsKindOnce()
    {
        QFETCH(QString, edit);
        QFETCH(QList<int>, expected);
        Start();
        Data()->ShowView(ViewItem::SearchCalendar);  // the hint search refreshes only when seen
        QVERIFY(Data()->isVisible());
        if (edit == QLatin1String("update todo")) {
            // "Update" searches the hint search on screen again and keeps the calendar on its day.
            Data()->calendarView()->GoTo(Date{2024, 5, 1});
            In<QLineEdit>(Data(), "Edit7")->setText(QStringLiteral("Dentist"));
            app->session().records().editCalendar().push_back(CalendarRecord("Dentist", 0, QDate(2024, 2, 28)));
            app->Update();
            QCOMPARE(In<QListView>(Data(), "ListBox4")->model()->rowCount(), 1);
            QCOMPARE(Data()->calendarView()->selectedDate(), (Date{2024, 5, 1}));
        }
        Refreshes r;
        Watch(r);
        if (edit.endsWith(QLatin1String("todo"))) {
            In<QLineEdit>(Data()->todoView(), "NewTodoEdit")->setText(QStringLiteral("Call Ann"));
            Data()->todoView()->AddTop();
            QVERIFY(Lines(Today()).contains(QStringLiteral("Call Ann")));
        } else if (edit == QLatin1String("sync nothing")) {
            emit app->syncRunner()->finished(QStringLiteral("Synced"), {}, false, false);
        } else if (edit == QLatin1String("sync") || edit == QLatin1String("import")) {
            AData ann = Person("Ann", "Lee");
            ann.Day = 28, ann.Month = 2, ann.Year = 1990;
            BuildDateText(ann);
            app->session().records().editAddresses().push_back(ann);
            if (edit == QLatin1String("sync"))
                emit app->syncRunner()->finished(QStringLiteral("Synced"), {}, true, false);
            else
                emit app->importData()->changed();
            QVERIFY(Lines(Today()).contains("Ann"));
        } else if (edit == QLatin1String("calendar")) {
            QTimer::singleShot(0, this, [this] {
                TNewCal* d = Data()->calendarView()->newCal();
                In<QLineEdit>(d, "Edit1")->setText(QStringLiteral("Dentist"));
                In<QAbstractButton>(d, "Button1")->click();
            });
            Data()->calendarView()->NewEvent();
            QCOMPARE(Lines(Data()->calendarView()->dayList()), QStringLiteral("Dentist"));
        } else if (edit == QLatin1String("recurrent")) {
            QTimer::singleShot(0, this, [this] {
                TNewRec* d = Data()->newRec();
                In<QLineEdit>(d, "Edit1")->setText(QStringLiteral("Choir"));
                In<QRadioButton>(d, "RadioWeekly")->click();
                In<QComboBox>(d, "WeekdayBox")->setCurrentIndex(3);  // Wednesday
                In<QPushButton>(d, "OkButton")->click();
            });
            MenuItem("&New", "Recurrent event")->trigger();
            // What the dialog stores is the views' own test.
            QCOMPARE(Lines(Today()), QStringLiteral("Choir"));
        } else {
            In<QLineEdit>(Data()->addressView(), "DataEdit1")->setText(QStringLiteral("Ann"));
            In<QLineEdit>(Data()->addressView(), "DataEdit2")->setText(QStringLiteral("Lee"));
            Data()->addressView()->DataPostClick();
            QCOMPARE(Data()->peopleSearch()->findChild<QListView*>(QStringLiteral("ResultListBox"))->model()->rowCount(), 1);
        }
        const QStringList names{"overview", "people search", "hint search", "day list", "month", "Today Box"};
        QStringList got, want;
        for (int i = 0; i < names.size(); ++i) {
            got << QStringLiteral("%1 %2").arg(names[i]).arg(r.counts.at(names[i]));
            want << QStringLiteral("%1 %2").arg(names[i]).arg(expected[i]);
        }
        QCOMPARE(got, want);
    }

    // A file sync replaced cal.orv while ORV ran; the next write of the
    // calendar takes its event in, and every view shows it.
    void anotherProgramsRecordsTakenInReachTheViews()
    {
        WriteFile(data + QStringLiteral("cal.orv"), kCalendarHeader + February("Dentist", 27) + "<END:FILE>\r\n");
        Start();
        WriteFile(data + QStringLiteral("cal.orv.sync"),
                  kCalendarHeader + February("Dentist", 27) + February("Flight", 28) + "<END:FILE>\r\n");
        QVERIFY(QFile::remove(data + QStringLiteral("cal.orv")));
        QVERIFY(QFile::rename(data + QStringLiteral("cal.orv.sync"), data + QStringLiteral("cal.orv")));

        // Written as an edit elsewhere would be, without a view to say so.
        app->session().records().editCalendar().push_back(CalendarRecord("Party", 0, QDate(2024, 3, 1)));
        bool written = false;
        app->session().SaveDataFile(DataKind::Calendar, [&](const SessionReport&) { written = true; }, this);
        QTRY_VERIFY(written);
        QCOMPARE(Lines(Today()), QStringLiteral("Flight"));
    }

    // The windows are made while the files are read: what a page built over
    // the lists as they were then is built again from the data read. The
    // phone book, put in order beside the window, lists everyone with a
    // number (its order is the phone book page's, which orv-cli's cases pin).
    void thePagesShowTheDataReadWhileTheyWereMade()
    {
        RecordStore records;
        records.editAdvanced() = {AAdv{false, 1, "March", "Monday", "Spring fair"}};
        for (const auto& [name, phone] : {std::pair{"Zoe", "1"}, {"Adam", ""}, {"bea", "2"}, {"Ann", "3"}}) {
            records.editAddresses().push_back(Person(name, "Lee"));
            records.editAddresses().back().Tele1 = phone;
        }
        records.editAddresses()[1].Email1 = "tom&jerry@example.org";  // Adam: first once put in order
        for (DataKind kind : {DataKind::Advanced, DataKind::Addresses})
            QVERIFY(DataFiles(data.toStdString()).Save(kind, records).ok);
        Start();
        QCOMPARE(In<QLineEdit>(Data()->advancedView(), "Edit3")->text(), QStringLiteral("Spring fair"));
        Data()->ShowView(ViewItem::PhoneBook);
        auto* phoneBook = In<QTableView>(Data(), "StringGrid1");
        QCOMPARE(phoneBook->verticalHeader()->count(), 3);  // what the grid itself was told
        QCOMPARE(phoneBook->model()->index(0, 0).data().toString(), QStringLiteral("Ann Lee"));

        // The mail link goes to the desktop percent-encoded.
        QUrl opened;
        Data()->setUrlOpener([&](const QUrl& url) { opened = url; });
        Data()->SendEmail(0);
        QCOMPARE(opened.toEncoded(), QByteArray("mailto:tom%26jerry@example.org"));
    }
};

QTEST_MAIN(ChangesTest)
#include "changes_test.moc"
