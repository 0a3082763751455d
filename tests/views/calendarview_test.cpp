// The calendar page: the day list of the selected date, grey days, the lines'
// click and double-click, New / Change / Delete with what they leave on disk,
// the jumps and the label menus.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

#include "eventviewtest.h"
#include "views/events/calendarview.h"
#include "views/events/tchangehint.h"
#include "views/today/eventgrid.h"
#include "views/events/tmycal.h"
#include "views/events/tnewcal.h"
#include "views/events/popupmenus.h"
#include "testclass.h"

namespace orv::test {

class CalendarViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PageFixture<CalendarView>> p;

    CalendarView& Page() { return *p->page; }
    EventGrid* Grid() { return Page().dayList(); }
    QString Kinds()
    {
        QString kinds;
        for (const Occurrence& o : Grid()->table()) kinds += QLatin1Char(o.Kind);
        return kinds;
    }
    int RowOf(char kind)
    {
        const OccurrenceTable& t = Grid()->table();
        for (std::size_t i = 0; i < t.size(); ++i)
            if (t[i].Kind == kind) return static_cast<int>(i);
        return -1;
    }
    QPoint RowCentre(int row) { return QPoint(40, Grid()->rowViewportPosition(row) + Grid()->rowHeight(row) / 2); }
    void ClickRow(char kind) { QTest::mouseClick(Grid()->viewport(), Qt::LeftButton, {}, RowCentre(RowOf(kind))); }
    QString Caption(const char* name) { return p->Find<QAbstractButton>(name)->text(); }
    // Answers the modal calendar event dialog once it is open.
    void WhenDialogOpens(std::function<void(TNewCal*)> answer)
    {
        QTimer::singleShot(0, this, [this, answer] { answer(Page().newCal()); });
    }

private slots:
    void init()
    {
        p = std::make_unique<PageFixture<CalendarView>>();
        Page().ApplySettings();
        Page().GoTo(kToday);
    }
    void cleanup() { p.reset(); }

    void theDayListHoldsEverythingOnTheSelectedDay()
    {
        QCOMPARE(Kinds(), QStringLiteral("LBWA"));
        QCOMPARE(Caption("Label25"), QStringLiteral("March"));
        QCOMPARE(Caption("MonthLabel1"), QStringLiteral("2024"));
        QCOMPARE(Caption("WeekLabel1"), QStringLiteral("Week 11"));
        QCOMPARE(Page().calendar()->toolTip(), QStringLiteral("13/3-2024"));
        // "Include advanced" off leaves the advanced event out.
        p->fx.session->settings().CB11 = false;
        Page().MyCal1Click();
        QCOMPARE(Kinds(), QStringLiteral("LBW"));
    }

    void aClickOnAGreyDayListsThatDayWithoutTurningTheGrid()
    {
        p->fx.session->records().editCalendar().push_back(Event("Leap day", D(2024, 2, 29)));
        TMyCal* cal = Page().calendar();
        // March 2024 starts on a Friday: Monday to Thursday of row 1 are 26..29 February.
        const QRect cell = cal->cellRect({3, 1});
        QTest::mouseClick(cal->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(cal->XMonth(), 3);
        QCOMPARE(Page().selectedDate(), D(2024, 2, 29));
        QCOMPARE(Kinds(), QStringLiteral("N"));
        QCOMPARE(Caption("Label25"), QStringLiteral("Febuary"));
        // The arrow keys move within the week rows and never turn the month.
        QTest::keyClick(cal, Qt::Key_Left);
        QCOMPARE(Page().selectedDate(), D(2024, 2, 28));
        QCOMPARE(cal->XMonth(), 3);
    }

    void clickingALineShowsItsTextAndEnablesChangeOnlyForCalendarEvents()
    {
        p->fx.session->records().editCalendar()[1].More = {"Bring the form", "Room 4"};
        Page().MyCal1Click();
        ClickRow('L');
        QVERIFY(p->Find<QAbstractButton>("MenuL27")->isEnabled());
        QVERIFY(p->Find<QAbstractButton>("MenuL28")->isEnabled());
        QCOMPARE(p->fx.session->records().CurrentCalendar, 1);
        QCOMPARE(p->Find<QPlainTextEdit>("Memo1")->toPlainText(), QStringLiteral("Bring the form\nRoom 4"));
        ClickRow('B');
        QVERIFY(!p->Find<QAbstractButton>("MenuL27")->isEnabled());
        QVERIFY(p->Find<QPlainTextEdit>("Memo1")->toPlainText().contains(QStringLiteral("Ann")));
    }

    void deleteRemovesTheClickedEventAndWritesTheFileAtOnce()
    {
        QSignalSpy changed(&Page(), &EventPage::changed);
        ClickRow('L');
        p->Click("MenuL28");
        QCOMPARE(p->fx.session->records().calendar().size(), std::size_t(1));
        QVERIFY(p->File("cal.orv").contains("<HINT>Dentist"));
        QVERIFY(!p->File("cal.orv").contains("Low thing"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(Kinds(), QStringLiteral("BWA"));
    }

    void deleteRefusesAnEventOfAnotherDate()
    {
        p->fx.session->records().CurrentCalendar = 0;  // the dentist, tomorrow
        Page().DeleteEvent();
        QCOMPARE(p->fx.session->records().calendar().size(), std::size_t(2));
        QVERIFY(p->File("cal.orv").isEmpty());
    }

    void newStoresTheEventInDateOrderAndWritesTheFile()
    {
        Page().GoTo(D(2024, 1, 1));
        WhenDialogOpens([](TNewCal* d) {
            QVERIFY(d->isVisible());
            QCOMPARE(d->findChild<QLabel*>(QStringLiteral("Label4"))->text(), QStringLiteral("New calendar event for:"));
            QCOMPARE(d->findChild<QLabel*>(QStringLiteral("Label5"))->text(), QStringLiteral("1/1-2024"));
            QTest::keyClicks(d->findChild<QLineEdit*>(QStringLiteral("Edit1")), QStringLiteral("New year"));
            d->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->setPlainText(QStringLiteral("first\nsecond"));
            d->findChild<QRadioButton*>(QStringLiteral("PriSelect1"))->click();
            d->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        });
        p->Click("MenuL29");
        const ACal& first = p->fx.session->records().calendar().front();
        QCOMPARE(QString::fromStdString(first.Hint), QStringLiteral("New year"));
        QCOMPARE(first.Priority, std::uint8_t(0));
        QCOMPARE(first.More, (std::vector<std::string>{"first", "second"}));
        QVERIFY(p->File("cal.orv").startsWith("<BEGIN:CAL:FILE:VERSION>3.0\r\n<BEGIN>\r\n<HINT>New year\r\n<PRI>0\r\n"
                                              "<DAY>1\r\n<MONTH>1\r\n<YEAR>2024\r\n<BEGIN:MORE>\r\n<MORE>first\r\n"));
        QCOMPARE(Kinds(), QStringLiteral("H"));
    }

    void okWithoutAHintStoresNothing()
    {
        WhenDialogOpens([](TNewCal* d) { d->findChild<QPushButton*>(QStringLiteral("Button1"))->click(); });
        Page().NewEvent();
        QCOMPARE(p->fx.session->records().calendar().size(), std::size_t(2));
        QVERIFY(p->File("cal.orv").isEmpty());
    }

    void changeWithAnotherDateKeepsTheEventsPlaceInTheList()
    {
        // The change keeps the event's identity and its further lines.
        p->fx.session->records().editCalendar()[1].Uid = "low-1@test";
        p->fx.session->records().editCalendar()[1].More = {"keep me", ""};
        ClickRow('L');
        WhenDialogOpens([this](TNewCal* d) {
            QCOMPARE(d->findChild<QLabel*>(QStringLiteral("Label4"))->text(), QStringLiteral("Change calendar event for:"));
            QVERIFY(d->findChild<QRadioButton*>(QStringLiteral("PriSelect3"))->isChecked());
            QTimer::singleShot(0, this, [this] {
                TChangeHint* picker = Page().picker();
                QVERIFY(picker->isVisible());
                picker->findChild<QToolButton*>(QStringLiteral("Image1"))->click();  // 13 April
                QCOMPARE(picker->windowTitle(), QStringLiteral("Change date: 13/4-2024"));
                picker->findChild<QToolButton*>(QStringLiteral("Image3"))->click();
            });
            d->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
            QCOMPARE(d->findChild<QLabel*>(QStringLiteral("Label5"))->text(), QStringLiteral("13/4-2024"));
            auto* hint = d->findChild<QLineEdit*>(QStringLiteral("Edit1"));
            hint->setText(hint->text() + QStringLiteral(" moved"));
            d->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        });
        p->Click("MenuL27");
        const auto& list = p->fx.session->records().calendar();
        QCOMPARE(QString::fromStdString(list[1].Hint), QStringLiteral("Low thing moved"));
        QCOMPARE(list[1].Month, 4);
        QCOMPARE(list[1].Priority, std::uint8_t(2));
        QCOMPARE(Page().selectedDate(), D(2024, 4, 13));
        QVERIFY(p->File("cal.orv").contains("<HINT>Low thing moved\r\n<PRI>2\r\n<DAY>13\r\n<MONTH>4\r\n"));
        QVERIFY(p->File("cal.orv").contains("<MORE>keep me\r\n<MORE>\r\n<END:MORE>\r\n<UID>low-1@test\r\n<END>"));
    }

    void jumps_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<Date>("from");
        QTest::addColumn<Date>("to");
        QTest::newRow("next event") << "MenuL34" << kToday << D(2024, 3, 14);
        QTest::newRow("no event before the first") << "MenuL30" << kToday << kToday;
        QTest::newRow("next birthday") << "MenuL35" << kToday << D(2024, 3, 15);
        // Ann's birthday is the day itself: going back it counts in the year before.
        QTest::newRow("previous birthday") << "MenuL31" << kToday << D(2023, 3, 15);
        QTest::newRow("next month, day pulled back") << "MenuL36" << D(2024, 1, 31) << D(2024, 2, 29);
        QTest::newRow("previous year from the leap day") << "MenuL33" << D(2024, 2, 29) << D(2023, 2, 28);
        QTest::newRow("next day across the year") << "ML9" << D(2024, 12, 31) << D(2025, 1, 1);
        QTest::newRow("today") << "T16" << D(2001, 5, 5) << kToday;
    }
    void jumps()
    {
        QFETCH(QString, button);
        QFETCH(Date, from);
        QFETCH(Date, to);
        Page().GoTo(from);
        p->Click(button.toLatin1().constData());
        QCOMPARE(Page().selectedDate(), to);
        QCOMPARE(Page().calendar()->XMonth(), int(to.Month));
    }

    void theMenusChooseAMonthAYearAndAWeek()
    {
        Page().GoTo(D(2023, 1, 31));
        QMenu* months = p->Find<QAbstractButton>("Label25")->findChild<QMenu*>();
        QCOMPARE(MenuItems(months).value(1), QStringLiteral("Febuary"));
        months->actions().at(1)->trigger();
        QCOMPARE(Page().selectedDate(), D(2023, 2, 28));

        QMenu* years = p->Find<QAbstractButton>("MonthLabel1")->findChild<QMenu*>();
        QCOMPARE(MenuItems(years).first(), QStringLiteral("2019"));
        QCOMPARE(MenuItems(years).last(), QStringLiteral("2029"));
        years->actions().at(2)->trigger();
        QCOMPARE(Page().selectedDate(), D(2021, 2, 28));

        // 1 January 2021 is a Friday: under "First full week" week 1 starts on Monday the 4th.
        auto* weeks = p->Find<QAbstractButton>("WeekLabel1")->findChild<WeekMenu*>();
        weeks->button(1)->click();
        QCOMPARE(Page().selectedDate(), D(2021, 1, 4));
        QCOMPARE(Caption("WeekLabel1"), QStringLiteral("Week 1"));
    }

    void doubleClickingALineOpensItsEditor_data()
    {
        QTest::addColumn<Date>("day");
        QTest::addColumn<char>("kind");
        QTest::addColumn<QString>("call");
        QTest::newRow("birthday") << kToday << 'B' << "OpenRecord(B,0,2024-03-13)";
        QTest::newRow("weekly") << kToday << 'W' << "OpenRecord(W,0,2024-03-13)";
        QTest::newRow("advanced") << kToday << 'A' << "OpenRecord(A,0,2024-03-13)";
        QTest::newRow("monthly") << D(2024, 3, 16) << 'M' << "OpenRecord(M,0,2024-03-16)";
        QTest::newRow("annual") << D(2024, 3, 17) << 'Y' << "OpenRecord(Y,0,2024-03-17)";
        QTest::newRow("calendar event: nothing") << kToday << 'L' << "";
    }
    void doubleClickingALineOpensItsEditor()
    {
        QFETCH(Date, day);
        QFETCH(char, kind);
        QFETCH(QString, call);
        Page().GoTo(day);
        QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, RowCentre(RowOf(kind)));
        QCOMPARE(p->fx.navigator.calls.join(QLatin1Char(';')), call);
    }
};

ORV_TEST_CLASS(CalendarViewTest);

}  // namespace orv::test

#include "calendarview_test.moc"
