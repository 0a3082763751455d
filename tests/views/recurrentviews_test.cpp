// The weekly, monthly and annual pages and the recurrent event dialog: what
// Create and Delete store and write, the week-list check, the duplicate
// refusal, the counting filters, the day pulled back, Enter, and the "Goto"
// menus and the next dates shown while typing.
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalSpy>

#include "eventviewtest.h"
#include "views/events/annualview.h"
#include "views/today/eventgrid.h"
#include "views/today/overviewview.h"
#include "views/events/monthlyview.h"
#include "views/events/newrecdialog.h"
#include "views/events/weeklyview.h"
#include "testclass.h"

namespace orv::test {

// The three pages on one session, as the dialog drives them.
struct RecurrentPages {
    RecurrentPages()
    {
        fx.AddSampleRecords();
        weekly = std::make_unique<WeeklyView>(*fx.session);
        monthly = std::make_unique<MonthlyView>(*fx.session);
        annual = std::make_unique<AnnualView>(*fx.session);
        dialog = std::make_unique<TNewRec>(*fx.session, *weekly, *monthly, *annual);
        for (EventPage* page : {static_cast<EventPage*>(weekly.get()), static_cast<EventPage*>(monthly.get()),
                                static_cast<EventPage*>(annual.get())})
            page->setMessageFunction([this](QWidget*, QMessageBox::Icon, const QString& caption, const QString& text) {
                messages << caption + QLatin1Char('|') + text;
            });
        dialog->setMessageFunction([this](QWidget*, const QString& caption, const QString& text) {
            messages << caption + QLatin1Char('|') + text;
        });
    }

    QByteArray File(const char* name) const
    {
        QFile f(fx.dir.path() + QStringLiteral("/data/") + QLatin1String(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    template <typename W>
    static W* In(QWidget* parent, const char* name)
    {
        W* w = parent->findChild<W*>(QLatin1String(name));
        if (!w) qFatal("no child %s", name);
        return w;
    }
    static QStringList Items(QWidget* parent, const char* name)
    {
        QStringList items;
        auto* list = In<QListWidget>(parent, name);
        for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
        return items;
    }
    static QString Preview(QWidget* parent, const char* name) { return In<QLabel>(parent, name)->text(); }

    SessionFixture fx;
    std::unique_ptr<WeeklyView> weekly;
    std::unique_ptr<MonthlyView> monthly;
    std::unique_ptr<AnnualView> annual;
    std::unique_ptr<TNewRec> dialog;
    QStringList messages;
};

class RecurrentViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<RecurrentPages> p;
    QWidget* W() { return p->weekly.get(); }
    QWidget* M() { return p->monthly.get(); }
    QWidget* A() { return p->annual.get(); }
    const std::vector<AWeek>& WeeklyList() { return p->fx.session->records().weekly(); }

private slots:
    void init() { p = std::make_unique<RecurrentPages>(); }
    void cleanup() { p.reset(); }

    void weeklyCreateStoresTheWeekdayOfTheItemAndWritesTheFile()
    {
        QSignalSpy changed(p->weekly.get(), &EventPage::changed);
        // "Week starts with:" Monday: the first item is Monday, weekday 2.
        QCOMPARE(RecurrentPages::Items(W(), "WeeklyListBox1").first(), QStringLiteral("Monday"));
        p->weekly->SelectDay(0);
        RecurrentPages::In<QLineEdit>(W(), "Edit1")->setText(QStringLiteral("Gym"));
        RecurrentPages::In<QLineEdit>(W(), "Edit8")->setText(QStringLiteral("1,3,5-7"));
        RecurrentPages::In<QPushButton>(W(), "B2")->click();
        const AWeek& added = WeeklyList().back();
        QCOMPARE(added.Weekday, 2);
        QCOMPARE(QString::fromStdString(added.WeekNr), QStringLiteral("1,3,5-7"));
        QVERIFY(p->File("week.orv").contains("<WEEKDAY>2\r\n<WEEKNR>1,3,5-7\r\n<HINT>Gym\r\n"));
        QCOMPARE(RecurrentPages::Items(W(), "WeeklyListBox2"), QStringList{QStringLiteral("Gym")});
        QVERIFY(RecurrentPages::In<QLineEdit>(W(), "Edit1")->text().isEmpty());
        QCOMPARE(changed.count(), 1);
        QCOMPARE(MenuItems(RecurrentPages::In<QAbstractButton>(W(), "T21")->findChild<QMenu*>()),
                 (QStringList{QStringLiteral("Choir"), QStringLiteral("Gym")}));
    }

    // The stored TOorAll has always meant "Today / tomorrow" is chosen; the
    // overview lists weekly events in its next days only with "All days".
    void theOverviewChoiceDecidesTheNextDaysWeeklyRows_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<bool>("gymInNextDays");
        QTest::newRow("Today / tomorrow") << "WeeklyRadioButton1" << true << false;
        QTest::newRow("All days") << "WeeklyRadioButton2" << false << true;
    }
    void theOverviewChoiceDecidesTheNextDaysWeeklyRows()
    {
        QFETCH(QString, button);
        QFETCH(bool, stored);
        QFETCH(bool, gymInNextDays);
        SessionFixture fx;
        fx.session->Initialise(kToday);
        fx.AddSampleRecords();
        fx.session->records().editWeekly().push_back(Weekly("Gym", 6));  // Friday, in two days
        WeeklyView weekly(*fx.session);
        OverviewView overview(*fx.session, fx.navigator);
        connect(&weekly, &WeeklyView::changed, &overview, [&] { overview.Build(OverviewView::Reminder::Quiet); });
        const auto rows = [&](const char* grid) {
            QStringList texts;
            for (const Occurrence& o : overview.findChild<EventGrid*>(QLatin1String(grid))->table())
                if (o.Kind == 'W') texts << QString::fromStdString(o.Text);
            return texts;
        };
        RecurrentPages::In<QRadioButton>(&weekly, button.toLatin1().constData())->click();
        QCOMPARE(rows("TodayStringGrid"), QStringList{QStringLiteral("Choir")});
        QCOMPARE(rows("NextWeekStringGrid").contains(QStringLiteral("Gym")), gymInNextDays);
        QVERIFY(fx.session->SaveAll().ok());

        Session reread(fx.session->dataFolder(), (fx.dir.path() + QStringLiteral("/settings.reg")).toStdString());
        reread.Initialise(kToday);
        QCOMPARE(reread.settings().TOorAll, stored);
        WeeklyView again(reread);
        QVERIFY(RecurrentPages::In<QRadioButton>(&again, button.toLatin1().constData())->isChecked());
    }

    void theWeekListIsCheckedAtCreation_data()
    {
        QTest::addColumn<QString>("weeks");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("ranges") << "1,3,5-7" << true;
        QTest::newRow("items after a match with 54 are not read") << "54,x" << true;
        QTest::newRow("a bad item before 54") << "x,54" << false;
        QTest::newRow("an open range") << "5-" << false;
    }
    void theWeekListIsCheckedAtCreation()
    {
        QFETCH(QString, weeks);
        QFETCH(bool, accepted);
        p->weekly->SelectDay(2);
        RecurrentPages::In<QLineEdit>(W(), "Edit1")->setText(QStringLiteral("Bins"));
        RecurrentPages::In<QLineEdit>(W(), "Edit8")->setText(weeks);
        RecurrentPages::In<QPushButton>(W(), "B2")->click();
        QCOMPARE(WeeklyList().size(), std::size_t(accepted ? 2 : 1));
        QCOMPARE(p->File("week.orv").isEmpty(), !accepted);
        if (!accepted) {
            QCOMPARE(p->messages, QStringList{QStringLiteral(
                                      "Error|Error in the 'Weeks' format. Use only numbers separated by ',' and/or '-' e.g.: 1,2-8")});
            QVERIFY(RecurrentPages::In<QLineEdit>(W(), "Edit8")->text().isEmpty());
            QCOMPARE(RecurrentPages::In<QLineEdit>(W(), "Edit1")->text(), QStringLiteral("Bins"));
        }
    }

    void deleteRemovesOnlyTheFirstOfTwoEqualEvents()
    {
        p->fx.session->records().editWeekly().push_back(Weekly("Choir", 4, "1-53"));
        p->weekly->SelectDay(2);  // Wednesday
        RecurrentPages::In<QListWidget>(W(), "WeeklyListBox2")->setCurrentRow(1);
        QCOMPARE(RecurrentPages::In<QLineEdit>(W(), "Edit8")->text(), QStringLiteral("1-53"));
        RecurrentPages::In<QPushButton>(W(), "SB16")->click();
        QCOMPARE(WeeklyList().size(), std::size_t(1));
        QCOMPARE(RecurrentPages::Items(W(), "WeeklyListBox2"), QStringList{QStringLiteral("Choir")});
        QVERIFY(p->File("week.orv").contains("<HINT>Choir"));
    }

    void enterCreatesOnceAHintIsTypedAndNotAfterChoosingAnEvent()
    {
        p->weekly->SelectDay(2);
        auto* hint = RecurrentPages::In<QLineEdit>(W(), "Edit1");
        QTest::keyClicks(hint, QStringLiteral("Yoga"));
        QTest::keyClick(hint, Qt::Key_Return);
        QCOMPARE(WeeklyList().size(), std::size_t(2));
        RecurrentPages::In<QListWidget>(W(), "WeeklyListBox2")->setCurrentRow(0);
        QTest::keyClick(hint, Qt::Key_Return);
        QCOMPARE(WeeklyList().size(), std::size_t(2));
    }

    void thePagesSayWhatAListOrADayWillDo()
    {
        p->weekly->SelectDay(0);  // Monday
        RecurrentPages::In<QLineEdit>(W(), "Edit8")->setText(QStringLiteral("53"));
        const QString weekly = RecurrentPages::Preview(W(), "WeeklyPreview");
        QVERIFY2(weekly.contains(QStringLiteral("Week 53 has a Monday only in some years: 2024, 2029.")), qPrintable(weekly));
        QVERIFY2(weekly.startsWith(QStringLiteral("Next dates: Mon 30/12-2024 (week 53), Mon 31/12-2029 (week 53)")),
                 qPrintable(weekly));
        p->monthly->SelectDay(30);
        const QString monthly = RecurrentPages::Preview(M(), "MonthlyPreview");
        QVERIFY2(monthly.startsWith(QStringLiteral("Next dates: Sun 31/3-2024, Fri 31/5-2024")), qPrintable(monthly));
        QVERIFY(monthly.contains(QStringLiteral("no date in February, April, June, September and November")));
    }

    // Read out by a screen reader, and right about what the list will do.
    void theWeeklyPreviewSaysWhatTheListDoes_data()
    {
        QTest::addColumn<QString>("weeks");
        QTest::addColumn<QStringList>("said");
        QTest::addColumn<QString>("notSaid");
        QTest::newRow("unreadable after 54")
            << "54,x" << QStringList{"Next dates: Mon 18/3-2024 (week 12)", "the event comes in every week."}
            << "Week 54";
        QTest::newRow("week 0 has no Monday")
            << "0"
            << QStringList{"No date in the next 200 years.",
                           "Week 0 (the days of early January before week 1) has no Monday in any of the next ten years."}
            << "only in some years";
    }
    void theWeeklyPreviewSaysWhatTheListDoes()
    {
        QFETCH(QString, weeks);
        QFETCH(QStringList, said);
        QFETCH(QString, notSaid);
        p->weekly->SelectDay(0);  // Monday
        RecurrentPages::In<QLineEdit>(W(), "Edit8")->setText(weeks);
        auto* preview = RecurrentPages::In<QLabel>(W(), "WeeklyPreview");
        const QString text = preview->text();
        for (const QString& s : said) QVERIFY2(text.contains(s), qPrintable(text));
        QVERIFY2(!text.contains(notSaid), qPrintable(text));
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(preview);
        QVERIFY(accessible);
        QCOMPARE(accessible->text(QAccessible::Name), text);
    }

    void theCountingFieldsKeepOnlyWholeNumbers_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("month 13 empties") << "Edit4" << "13" << "";
        QTest::newRow("month letters") << "Edit4" << "ab" << "0";
        QTest::newRow("month leading zeros") << "Edit4" << "007" << "7";
        QTest::newRow("year letters") << "Edit5" << "x" << "0";
        QTest::newRow("year") << "Edit5" << "02002" << "2002";
    }
    void theCountingFieldsKeepOnlyWholeNumbers()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        p->monthly->SelectDay(15);
        auto* edit = RecurrentPages::In<QLineEdit>(M(), field.toLatin1().constData());
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), kept);
    }

    void monthlyCreateRefusesAHintTheDayListsAlready()
    {
        p->monthly->SelectDay(15);  // the 16th: Rent
        RecurrentPages::In<QLineEdit>(M(), "Edit2")->setText(QStringLiteral("Rent"));
        RecurrentPages::In<QPushButton>(M(), "B3")->click();
        QCOMPARE(p->fx.session->records().monthly().size(), std::size_t(1));
        QVERIFY(p->File("month.orv").isEmpty());
        p->monthly->SetFields(QStringLiteral("Water"), QStringLiteral("3"), QStringLiteral("2002"));
        RecurrentPages::In<QPushButton>(M(), "B3")->click();
        QVERIFY(p->File("month.orv").contains("<DAY>16\r\n<MONTH>3\r\n<YEAR>2002\r\n<HINT>Water\r\n"));
        RecurrentPages::In<QListWidget>(M(), "MonthlyListBox2")->setCurrentRow(0);
        RecurrentPages::In<QPushButton>(M(), "SB17")->click();
        QCOMPARE(RecurrentPages::Items(M(), "MonthlyListBox2"), QStringList{QStringLiteral("Water")});
        QVERIFY(!p->File("month.orv").contains("Rent"));
    }

    // 31 "Febuary" moves back to the 28th and says so; 29 February can be
    // chosen, so an event stored on it is reached from "Goto" and deleted.
    void theAnnualDayIsPulledBackButA29FebruaryEventIsReached()
    {
        auto* day = RecurrentPages::In<QComboBox>(A(), "ComboBox1");
        auto* month = RecurrentPages::In<QComboBox>(A(), "ComboBox2");
        month->setCurrentIndex(0);
        day->setCurrentIndex(30);
        month->setCurrentIndex(1);  // Febuary
        QCOMPARE(day->currentText(), QStringLiteral("28."));
        const QString preview = RecurrentPages::Preview(A(), "AnnualPreview");
        QVERIFY2(preview.contains(QStringLiteral("February has no 31st: the day moved back to the 28th.")),
                 qPrintable(preview));

        p->fx.session->records().editAnnual().push_back(Annual("Leap day", 2, 29));
        p->annual->SetupPopupMenu();
        RecurrentPages::In<QAbstractButton>(A(), "T19")->findChild<QMenu*>()->actions().at(1)->trigger();
        QCOMPARE(day->currentText(), QStringLiteral("29."));
        QCOMPARE(RecurrentPages::Items(A(), "ListBox5"), QStringList{QStringLiteral("Leap day")});
        QVERIFY(RecurrentPages::Preview(A(), "AnnualPreview").contains(QStringLiteral("29/2-2028")));
        RecurrentPages::In<QListWidget>(A(), "ListBox5")->setCurrentRow(0);
        RecurrentPages::In<QPushButton>(A(), "SpeedButton3")->click();
        const QByteArray file = p->File("year.orv");
        QVERIFY(file.contains("Parade") && !file.contains("Leap day"));
    }

    // A lifetime's list is grouped by month, and a month longer than a menu
    // is cut in ranges; every item still reaches its event.
    void aLongGotoMenuIsGroupedAndReachesEveryEvent()
    {
        std::vector<AYear>& list = p->fx.session->records().editAnnual();
        for (int i = 0; i < 45; ++i) list.push_back(Annual("March " + std::to_string(i), 3, 1 + i % 28));
        list.push_back(Annual("Eve", 12, 31));
        p->annual->SetupPopupMenu();
        auto* go = RecurrentPages::In<QAbstractButton>(A(), "T19")->findChild<QMenu*>();
        QCOMPARE(MenuItems(go), (QStringList{QStringLiteral("March (46)"), QStringLiteral("December (1)")}));
        QMenu* march = go->actions().at(0)->menu();
        emit march->aboutToShow();
        QCOMPARE(MenuItems(march),
                 (QStringList{QStringLiteral("Parade \u2013 March 38"), QStringLiteral("March 39 \u2013 March 44")}));
        QMenu* rest = march->actions().at(1)->menu();
        emit rest->aboutToShow();
        QCOMPARE(rest->actions().size(), 6);
        rest->actions().at(5)->trigger();  // "March 44", on the 17th
        QCOMPARE(RecurrentPages::In<QComboBox>(A(), "ComboBox1")->currentText(), QStringLiteral("17."));
        QCOMPARE(RecurrentPages::In<QComboBox>(A(), "ComboBox2")->currentText(), QStringLiteral("March"));
    }

    void annualCreateAndDeleteWriteTheFile()
    {
        p->annual->SetDate(17, 3);
        QCOMPARE(RecurrentPages::Items(A(), "ListBox5"), QStringList{QStringLiteral("Parade")});
        p->annual->SetFields(QStringLiteral("Parade"), QString());
        RecurrentPages::In<QPushButton>(A(), "AnnButton1")->click();
        QVERIFY(p->File("year.orv").isEmpty());
        p->annual->SetFields(QStringLiteral("Wedding"), QStringLiteral("1995"));
        RecurrentPages::In<QPushButton>(A(), "AnnButton1")->click();
        QVERIFY(p->File("year.orv").contains("<DAY>17\r\n<MONTH>3\r\n<YEAR>1995\r\n<HINT>Wedding\r\n"));
        RecurrentPages::In<QListWidget>(A(), "ListBox5")->setCurrentRow(0);
        QCOMPARE(RecurrentPages::In<QLineEdit>(A(), "Edit9")->text(), QStringLiteral("Parade"));
        RecurrentPages::In<QPushButton>(A(), "SpeedButton3")->click();
        QCOMPARE(RecurrentPages::Items(A(), "ListBox5"), QStringList{QStringLiteral("Wedding")});
        QCOMPARE(MenuItems(RecurrentPages::In<QAbstractButton>(A(), "T19")->findChild<QMenu*>()),
                 QStringList{QStringLiteral("Wedding")});
    }

    void theDialogCreatesThroughTheChosenPage_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("day");    // item of the kind's day choice
        QTest::addColumn<int>("month");  // annual only
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("stored");
        // The dialog's weekday list always starts with Sunday: item 1 is Monday.
        QTest::newRow("weekly") << "RadioWeekly" << 1 << -1 << "week.orv" << "<WEEKDAY>2\r\n<WEEKNR>\r\n<HINT>Club\r\n";
        QTest::newRow("monthly") << "RadioMonthly" << 0 << -1 << "month.orv" << "<DAY>1\r\n<MONTH>\r\n<YEAR>\r\n<HINT>Club\r\n";
        QTest::newRow("annual, day pulled back") << "RadioAnnually" << 30 << 1 << "year.orv"
                                                  << "<DAY>28\r\n<MONTH>2\r\n<YEAR>\r\n<HINT>Club\r\n";
    }
    void theDialogCreatesThroughTheChosenPage()
    {
        QFETCH(QString, kind);
        QFETCH(int, day);
        QFETCH(int, month);
        QFETCH(QString, file);
        QFETCH(QString, stored);
        TNewRec* d = p->dialog.get();
        d->Prepare();
        d->show();
        RecurrentPages::In<QLineEdit>(d, "Edit1")->setText(QStringLiteral("Club"));
        RecurrentPages::In<QRadioButton>(d, kind.toLatin1().constData())->click();
        const char* dayBox = kind == QLatin1String("RadioWeekly")    ? "WeekdayBox"
                             : kind == QLatin1String("RadioMonthly") ? "MonthDayBox"
                                                                     : "AnnualDayBox";
        RecurrentPages::In<QComboBox>(d, dayBox)->setCurrentIndex(day);
        if (month >= 0) RecurrentPages::In<QComboBox>(d, "AnnualMonthBox")->setCurrentIndex(month);
        QVERIFY(!RecurrentPages::Preview(d, "NewRecPreview").isEmpty());
        RecurrentPages::In<QPushButton>(d, "OkButton")->click();
        QVERIFY(!d->isVisible());
        QVERIFY2(p->File(file.toLatin1().constData()).contains(stored.toLatin1()), p->File(file.toLatin1().constData()).constData());
    }

    void aBadWeekListKeepsTheDialogOpenWithItsHint()
    {
        TNewRec* d = p->dialog.get();
        d->Prepare();
        d->show();
        RecurrentPages::In<QLineEdit>(d, "Edit1")->setText(QStringLiteral("Bins"));
        RecurrentPages::In<QRadioButton>(d, "RadioWeekly")->click();
        RecurrentPages::In<QComboBox>(d, "WeekdayBox")->setCurrentIndex(3);
        RecurrentPages::In<QLineEdit>(d, "WeeksEdit")->setText(QStringLiteral("1,,x"));
        RecurrentPages::In<QPushButton>(d, "OkButton")->click();
        QCOMPARE(p->messages.size(), 1);
        QVERIFY(d->isVisible());
        QVERIFY(RecurrentPages::In<QLineEdit>(d, "WeeksEdit")->text().isEmpty());
        QCOMPARE(RecurrentPages::In<QLineEdit>(d, "Edit1")->text(), QStringLiteral("Bins"));
        QCOMPARE(WeeklyList().size(), std::size_t(1));
    }

    void okWithoutAKindOrHintJustCloses()
    {
        TNewRec* d = p->dialog.get();
        d->Prepare();
        d->show();
        RecurrentPages::In<QLineEdit>(d, "Edit1")->setText(QStringLiteral("Nothing"));
        RecurrentPages::In<QPushButton>(d, "OkButton")->click();
        QVERIFY(!d->isVisible());
        QVERIFY(p->File("week.orv").isEmpty() && p->File("month.orv").isEmpty() && p->File("year.orv").isEmpty());
    }
};

ORV_TEST_CLASS(RecurrentViewTest);

}  // namespace orv::test

#include "recurrentviews_test.moc"
