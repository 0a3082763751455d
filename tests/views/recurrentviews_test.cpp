// The weekly, monthly and annual pages and the recurrent event dialog: what
// Create and Delete store and write, the week-list refusal, the duplicate
// refusal, the counting filters, the day pulled back, Enter, the "Goto" menu
// and what the next-dates line is given. The dates and notes themselves are
// the engine's, tested there.
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>

#include "core/engineconfig.h"
#include "eventviewtest.h"
#include "views/events/annualview.h"
#include "views/events/monthlyview.h"
#include "views/events/tnewrec.h"
#include "views/events/weeklyview.h"
#include "testclass.h"

namespace orv::test {

namespace {

QLineEdit* Edit(QWidget* parent, const char* name) { return In<QLineEdit>(parent, name); }
void Click(QWidget* parent, const char* name) { In<QAbstractButton>(parent, name)->click(); }
QString Text(QWidget* parent, const char* label) { return In<QLabel>(parent, label)->text(); }

}  // namespace

// The three pages on one session, as the dialog drives them; the weekly
// page is the fixture's own.
struct RecurrentPages : PageFixture<WeeklyView> {
    RecurrentPages() : monthly(*fx.session), annual(*fx.session), dialog(*fx.session, *page, monthly, annual)
    {
        for (EventPage* other : std::initializer_list<EventPage*>{&monthly, &annual}) other->setDialogs(fake.dialogs());
        dialog.setDialogs(fake.dialogs());
    }

    MonthlyView monthly;
    AnnualView annual;
    TNewRec dialog;
};

class RecurrentViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<RecurrentPages> p;
    QWidget* W() { return p->page.get(); }
    QWidget* M() { return &p->monthly; }
    QWidget* A() { return &p->annual; }
    TNewRec* Dialog()
    {
        p->dialog.Prepare();
        p->dialog.show();
        return &p->dialog;
    }
    const std::vector<AWeek>& WeeklyList() { return p->fx.session->records().weekly(); }

private slots:
    void init() { p = std::make_unique<RecurrentPages>(); }
    void cleanup() { p.reset(); }

    // The day list starts with the week's first day; the weekday stored is
    // the item's, and "Goto" leads back to it.
    void createStoresTheWeekdayOfTheItemAndGotoFindsIt_data()
    {
        QTest::addColumn<int>("weekStart");
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("day");
        QTest::addColumn<int>("weekday");
        QTest::newRow("Monday start, first item") << 1 << 0 << "Monday" << 2;
        QTest::newRow("Monday start, last item is Sunday") << 1 << 6 << "Sunday" << 1;
        QTest::newRow("Sunday start, last item") << 0 << 6 << "Saturday" << 7;
    }
    void createStoresTheWeekdayOfTheItemAndGotoFindsIt()
    {
        QFETCH(int, weekStart);
        QFETCH(int, item);
        QFETCH(QString, day);
        QFETCH(int, weekday);
        p->fx.session->settings().WeekStart = weekStart;
        p->page->ApplySettings();
        p->page->SelectDay(item);
        Edit(W(), "Edit1")->setText(QStringLiteral("Gym"));
        Edit(W(), "Edit8")->setText(QStringLiteral("1,3,5-7"));
        Click(W(), "B2");
        QVERIFY(p->File("week.orv").contains(QStringLiteral("<WEEKDAY>%1\r\n<WEEKNR>1,3,5-7\r\n<HINT>Gym\r\n").arg(weekday).toLatin1()));

        p->page->SelectDay(2);
        QMenu* go = In<QAbstractButton>(W(), "T21")->findChild<QMenu*>();
        QCOMPARE(MenuItems(go), (QStringList{QStringLiteral("Choir"), QStringLiteral("Gym")}));
        go->actions().at(1)->trigger();
        QCOMPARE(In<QListWidget>(W(), "WeeklyListBox1")->currentItem()->text(), day);
    }

    // The stored TOorAll has always meant "Today / tomorrow" is chosen; the
    // overview lists weekly events in its next days only with "All days".
    void theOverviewChoiceIsStored()
    {
        SessionFixture fx;
        fx.session->Initialise(kToday);
        fx.session->settings().TOorAll = false;
        WeeklyView weekly(*fx.session);
        Click(&weekly, "WeeklyRadioButton1");
        QVERIFY(fx.session->settings().TOorAll);
        QVERIFY(!OverviewSettingsFrom(fx.session->settings()).WeeklyAllDays);
        WeeklyView again(*fx.session);  // a page made later shows the choice stored
        QVERIFY(In<QRadioButton>(&again, "WeeklyRadioButton1")->isChecked());
    }

    void aRefusedWeekListGoesAndTheHintStaysOnThePageAndInTheDialog()
    {
        p->page->SelectDay(2);
        Edit(W(), "Edit1")->setText(QStringLiteral("Bins"));
        Edit(W(), "Edit8")->setText(QStringLiteral("x,54"));
        Click(W(), "B2");
        QVERIFY(p->File("week.orv").isEmpty());
        QCOMPARE(p->fake.messages, QStringList{QStringLiteral(
                                  "Error|Error in the 'Weeks' format. Use only numbers separated by ',' and/or '-' e.g.: 1,2-8|")});
        QVERIFY(Edit(W(), "Edit8")->text().isEmpty());
        QCOMPARE(Edit(W(), "Edit1")->text(), QStringLiteral("Bins"));

        // The dialog refuses it alike and stays open.
        TNewRec* d = Dialog();
        Edit(d, "Edit1")->setText(QStringLiteral("Bins"));
        Click(d, "RadioWeekly");
        In<QComboBox>(d, "WeekdayBox")->setCurrentIndex(3);
        Edit(d, "WeeksEdit")->setText(QStringLiteral("1,,x"));
        Click(d, "OkButton");
        QCOMPARE(p->fake.messages.size(), 2);
        QVERIFY(d->isVisible());
        QCOMPARE(Edit(d, "Edit1")->text(), QStringLiteral("Bins"));
        QCOMPARE(WeeklyList().size(), std::size_t(1));
    }

    // Two events of one day with one hint: the week list tells them apart.
    void deleteRemovesTheChosenOfTwoEventsWithOneHintAndEnterCreates()
    {
        p->fx.session->records().editWeekly().push_back(Weekly("Choir", 4, "2"));
        p->page->SelectDay(2);  // Wednesday
        In<QListWidget>(W(), "WeeklyListBox2")->setCurrentRow(1);
        Click(W(), "SB16");
        QVERIFY(p->File("week.orv").contains("<WEEKNR>1-53\r\n<HINT>Choir"));
        QVERIFY(!p->File("week.orv").contains("<WEEKNR>2\r\n"));

        // Enter creates once a hint is typed, and not after choosing an event.
        p->page->SelectDay(2);
        QLineEdit* hint = Edit(W(), "Edit1");
        QTest::keyClicks(hint, QStringLiteral("Yoga"));
        QTest::keyClick(hint, Qt::Key_Return);
        QCOMPARE(WeeklyList().size(), std::size_t(2));
        In<QListWidget>(W(), "WeeklyListBox2")->setCurrentRow(0);
        QTest::keyClick(hint, Qt::Key_Return);
        QCOMPARE(WeeklyList().size(), std::size_t(2));
    }

    // The line gets the chosen day and what is typed, and is read out as it
    // is shown.
    void theNextDatesFollowTheChosenDay()
    {
        p->page->SelectDay(0);  // Monday
        Edit(W(), "Edit8")->setText(QStringLiteral("53"));
        const QString weekly = Text(W(), "WeeklyPreview");
        QVERIFY2(weekly.startsWith(QStringLiteral("Next dates: Mon 30/12-2024 (week 53)")), qPrintable(weekly));
        QCOMPARE(QAccessible::queryAccessibleInterface(In(W(), "WeeklyPreview"))->text(QAccessible::Name), weekly);
        p->monthly.SelectDay(30);
        QVERIFY(Text(M(), "MonthlyPreview").startsWith(QStringLiteral("Next dates: Sun 31/3-2024, Fri 31/5-2024")));
    }

    // Month 12 is kept, 13 empties the field, letters leave 0; a year loses its leading zero.
    void theCountingFieldsKeepOnlyWholeNumbers()
    {
        p->monthly.SelectDay(15);
        const struct {
            const char* field;
            QString typed, kept;
        } typing[] = {{"Edit4", "12", "12"}, {"Edit4", "13", ""}, {"Edit4", "ab", "0"}, {"Edit5", "02002", "2002"}};
        for (const auto& t : typing) {
            QLineEdit* edit = Edit(M(), t.field);
            edit->clear();
            QTest::keyClicks(edit, t.typed);
            QCOMPARE(edit->text(), t.kept);
        }
    }

    // A hint the date lists already is refused without a word; another is
    // stored with its counting start.
    void createRefusesAHintTheDateListsAlready()
    {
        p->monthly.SelectDay(15);  // the 16th: Rent
        p->monthly.SetFields(QStringLiteral("Rent"), QString(), QString());
        Click(M(), "B3");
        p->annual.SetDate(17, 3);  // Parade
        p->annual.SetFields(QStringLiteral("Parade"), QString());
        Click(A(), "AnnButton1");
        QVERIFY(p->File("month.orv").isEmpty() && p->File("year.orv").isEmpty());
        QVERIFY(p->fake.messages.isEmpty());

        p->monthly.SetFields(QStringLiteral("Water"), QStringLiteral("3"), QStringLiteral("2002"));
        Click(M(), "B3");
        QVERIFY(p->File("month.orv").contains("<DAY>16\r\n<MONTH>3\r\n<YEAR>2002\r\n<HINT>Water\r\n"));
        p->annual.SetFields(QStringLiteral("Wedding"), QStringLiteral("1995"));
        Click(A(), "AnnButton1");
        QVERIFY(p->File("year.orv").contains("<DAY>17\r\n<MONTH>3\r\n<YEAR>1995\r\n<HINT>Wedding\r\n"));
        In<QListWidget>(M(), "MonthlyListBox2")->setCurrentRow(0);
        Click(M(), "SB17");
        QVERIFY(!p->File("month.orv").contains("Rent"));
    }

    void theDialogCreatesThroughTheChosenPage_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("dayBox");
        QTest::addColumn<int>("day");    // item of the kind's day choice
        QTest::addColumn<int>("month");  // annual only
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("stored");
        // The dialog's weekday list always starts with Sunday: item 1 is Monday.
        QTest::newRow("weekly") << "RadioWeekly" << "WeekdayBox" << 1 << -1 << "week.orv"
                                << "<WEEKDAY>2\r\n<WEEKNR>\r\n<HINT>Club\r\n";
        QTest::newRow("monthly") << "RadioMonthly" << "MonthDayBox" << 0 << -1 << "month.orv"
                                 << "<DAY>1\r\n<MONTH>\r\n<YEAR>\r\n<HINT>Club\r\n";
        QTest::newRow("annual, day pulled back") << "RadioAnnually" << "AnnualDayBox" << 30 << 1 << "year.orv"
                                                  << "<DAY>28\r\n<MONTH>2\r\n<YEAR>\r\n<HINT>Club\r\n";
        QTest::newRow("no kind: nothing") << "" << "" << -1 << -1 << "week.orv" << "";
    }
    void theDialogCreatesThroughTheChosenPage()
    {
        QFETCH(QString, kind);
        QFETCH(QString, dayBox);
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(QString, file);
        QFETCH(QString, stored);
        TNewRec* d = Dialog();
        Edit(d, "Edit1")->setText(QStringLiteral("Club"));
        if (!kind.isEmpty()) {
            Click(d, kind.toLatin1().constData());
            In<QComboBox>(d, dayBox.toLatin1().constData())->setCurrentIndex(day);
            if (month >= 0) In<QComboBox>(d, "AnnualMonthBox")->setCurrentIndex(month);
        }
        Click(d, "OkButton");
        QVERIFY(!d->isVisible());
        const QByteArray written = p->File(file.toLatin1().constData());
        QVERIFY2(stored.isEmpty() ? written.isEmpty() : written.contains(stored.toLatin1()), written.constData());
    }
};

ORV_TEST_CLASS(RecurrentViewTest);

}  // namespace orv::test

#include "recurrentviews_test.moc"
