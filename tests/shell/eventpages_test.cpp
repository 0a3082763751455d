// The event pages inside the running program: the New menu's dialogs,
// "Update" keeping the calendar's day, and every view showing an edit at once.
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "appfixture.h"
#include "shell/orvapp.h"
#include "store/datafile.h"
#include "shell/tdata.h"
#include "views/events/advancedview.h"
#include "views/events/calendarview.h"
#include "views/today/eventgrid.h"
#include "views/events/monthcalendarview.h"
#include "views/events/tnewadv.h"
#include "views/events/tnewcal.h"
#include "views/events/tnewrec.h"
#include "views/today/overviewview.h"

using namespace orv;

namespace {

QString Lines(const EventGrid* grid)
{
    QStringList lines;
    for (const Occurrence& o : grid->table()) lines << QLatin1Char(o.Kind) + QStringLiteral(" ") + QString::fromStdString(o.Text);
    return lines.join(QLatin1Char('|'));
}

}  // namespace

class EventPagesTest : public QObject, public orv::test::AppFixture {
    Q_OBJECT

private:
    TData* Data() { return app->data(); }
    EventGrid* Today() { return Data()->overview()->grid(TrayMenuItem::Table::Today); }
private slots:
    void init()
    {
        SetUpApp();  // a Wednesday
        MarkSettingsSaved();
    }
    void cleanup() { TearDownApp(); }

    // The New menu opens each event dialog; a recurrent event made there is
    // stored and shown at once.
    void theNewMenusEventDialogsOpenAndARecurrentEventIsShownAtOnce()
    {
        Start();
        bool calendarOpened = false, advancedOpened = false;
        QTimer::singleShot(0, this, [&] {
            calendarOpened = Data()->calendarView()->newCal()->isVisible();
            Data()->calendarView()->newCal()->reject();
        });
        MenuItem("&New", "Calendar event")->trigger();
        QTimer::singleShot(0, this, [&] {
            advancedOpened = Data()->newAdv()->isVisible();
            Data()->newAdv()->reject();
        });
        MenuItem("&New", "Advanced")->trigger();
        QVERIFY(calendarOpened);
        QVERIFY(advancedOpened);
        QVERIFY(MenuItem("&New", "Recurrent event")->isEnabled());
        QTimer::singleShot(0, this, [this] {
            TNewRec* d = Data()->newRec();
            QVERIFY(d->isVisible());
            d->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("Choir"));
            d->findChild<QRadioButton*>(QStringLiteral("RadioWeekly"))->click();
            d->findChild<QComboBox*>(QStringLiteral("WeekdayBox"))->setCurrentIndex(3);  // Wednesday
            d->findChild<QPushButton*>(QStringLiteral("OkButton"))->click();
        });
        MenuItem("&New", "Recurrent event")->trigger();
        QCOMPARE(Lines(Today()), QStringLiteral("W Choir"));
        app->session().FlushWrites();  // the file is written beside the window
        QVERIFY(ReadFile(data + QStringLiteral("week.orv")).contains("<WEEKDAY>4\r\n<WEEKNR>\r\n<HINT>Choir\r\n"));
        const QList<QAction*> go = Data()->findChild<QAbstractButton*>(QStringLiteral("T21"))->findChild<QMenu*>()->actions();
        QCOMPARE(go.size(), 1);
    }

    void updateKeepsTheCalendarOnItsDay()
    {
        Start();
        CalendarView* calendar = Data()->calendarView();
        QCOMPARE(calendar->selectedDate(), (Date{2024, 2, 28}));
        calendar->GoTo(Date{2024, 5, 1});
        app->Update();
        QCOMPARE(calendar->selectedDate(), (Date{2024, 5, 1}));
    }

    // The windows are made while the files are read: what a page built over
    // the lists as they were then is built again from the data read.
    void thePagesShowTheDataReadWhileTheyWereMade()
    {
        RecordStore records;
        records.editAdvanced() = {AAdv{false, 1, "March", "Monday", "Spring fair"}};
        QVERIFY(DataFiles(data.toStdString()).Save(DataKind::Advanced, records).ok);
        Start();
        QCOMPARE(Data()->advancedView()->findChild<QLineEdit*>(QStringLiteral("Edit3"))->text(), QStringLiteral("Spring fair"));
        const QList<QAction*> go = Data()->findChild<QAbstractButton*>(QStringLiteral("T22"))->findChild<QMenu*>()->actions();
        QCOMPARE(go.size(), 1);
        QCOMPARE(go.front()->text(), QStringLiteral("Spring fair"));
    }

    // The hint search is searched again after an edit only when it is seen:
    // on screen while "Update" rebuilds the hidden window, and when it comes
    // back from the About panel, which leaves it the sidebar's current view.
    void theHintSearchShowsEveryEditWhenItIsSeen()
    {
        Start();
        Data()->ShowView(ViewItem::SearchCalendar);
        Data()->findChild<QLineEdit*>(QStringLiteral("Edit7"))->setText(QStringLiteral("Dentist"));
        const QAbstractItemModel* results = Data()->findChild<QListView*>(QStringLiteral("ListBox4"))->model();
        QCOMPARE(results->rowCount(), 0);
        ACal dentist;
        dentist.Hint = "Dentist";
        dentist.Day = 28;
        dentist.Month = 2;
        dentist.Year = 2024;
        QVERIFY(EncodeCalendarDate(dentist));
        app->session().records().editCalendar().push_back(dentist);
        app->Update();
        QCOMPARE(results->rowCount(), 1);
        Data()->ShowPanel(QStringLiteral("PP5"));
        app->session().records().editCalendar().push_back(dentist);
        app->UpdateORV();
        QCOMPARE(results->rowCount(), 1);  // not searched while out of sight
        Data()->ShowView(ViewItem::SearchCalendar);
        QCOMPARE(results->rowCount(), 2);
    }

    void aDeleteInTheCalendarReachesEveryViewAndTheDisk()
    {
        WriteFile(data + QStringLiteral("cal.orv"),
                  "<BEGIN:CAL:FILE:VERSION>3.0\r\n<BEGIN>\r\n<HINT>Dentist\r\n<PRI>1\r\n<DAY>28\r\n<MONTH>2\r\n<YEAR>2024\r\n"
                  "<BEGIN:MORE>\r\n<END:MORE>\r\n<END>\r\n<END:FILE>\r\n");
        Start();
        auto* month = Data()->findChild<QTableView*>(QStringLiteral("StringGrid2"));
        QCOMPARE(month->model()->index(27, 2).data().toString(), QStringLiteral("N "));
        Data()->ShowCalendarAt(Date{2024, 2, 28});
        EventGrid* day = Data()->calendarView()->dayList();
        QTest::mouseClick(day->viewport(), Qt::LeftButton, {}, QPoint(30, day->rowHeight(0) / 2));
        Data()->findChild<QAbstractButton*>(QStringLiteral("MenuL28"))->click();
        QCOMPARE(Lines(Today()), QString());
        QCOMPARE(month->model()->index(27, 2).data().toString(), QStringLiteral(" "));
        app->session().FlushWrites();
        QVERIFY(!ReadFile(data + QStringLiteral("cal.orv")).contains("Dentist"));
    }
};

QTEST_MAIN(EventPagesTest)
#include "eventpages_test.moc"
