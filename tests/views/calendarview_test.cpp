// The calendar page: the day list of the selected date, grey days, the lines'
// click and double-click, New / Change / Delete with what they leave on disk,
// the jumps and the label menus; and its iCalendar commands: what the export
// writes and asks, what the import shows before it stores anything, and what
// it leaves on disk.
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

#include "eventviewtest.h"
#include "views/common/longwork.h"
#include "views/events/icaldialogs.h"
#include "views/events/calendarview.h"
#include "views/events/tchangehint.h"
#include "views/events/tmycal.h"
#include "views/events/tnewcal.h"
#include "views/events/popupmenus.h"
#include "testclass.h"

namespace orv::test {

namespace {

QString Sample(const char* name) { return QStringLiteral(ORV_ICAL_SAMPLES) + QLatin1String(name); }

}  // namespace

class CalendarViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PageFixture<CalendarView>> p;
    bool answered = false;
    QPointer<QTimer> poll;

    CalendarView& Page() { return *p->page; }
    EventGrid* Grid() { return Page().dayList(); }
    QString Kinds()
    {
        QString kinds;
        for (const Occurrence& o : Grid()->table()) kinds += QLatin1Char(o.Kind);
        return kinds;
    }
    void Click(char kind) { ClickRow(Grid(), RowOfKind(Grid(), kind)); }

    QString Written(const char* name)
    {
        const QString path = p->fx.dir.filePath(QLatin1String(name));
        p->fake.files.enqueue(path);
        return path;
    }
    QStringList DataFolder() const { return QDir(p->fx.dir.path() + QStringLiteral("/data")).entryList(QDir::Files); }

    // Answers the page's modal dialog of that kind once it is open (the
    // import opens its summary after reading the file beside the window); a
    // check that fails in the answer closes the dialog rather than leaving it waiting.
    template <typename Dialog>
    void WhenOpen(std::function<void(Dialog*)> answer)
    {
        answered = false;
        delete poll;
        poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [this, answer] {
            auto* dialog = Page().findChild<Dialog*>();
            if (!dialog || !dialog->isVisible()) return;
            poll->stop();
            answered = true;
            answer(dialog);
            if (dialog->isVisible()) dialog->reject();
        });
        poll->start(5);
    }
    static void Press(QWidget* dialog, const char* button) { In<QAbstractButton>(dialog, button)->click(); }

private slots:
    void init()
    {
        answered = false;
        p = std::make_unique<PageFixture<CalendarView>>();
        Page().ApplySettings();
        Page().GoTo(kToday);
    }
    void cleanup()
    {
        delete poll;
        if (QTest::currentTestFailed()) p->fx.dir.setAutoRemove(false);
        p.reset();
    }

    void theDayListHoldsEverythingOnTheSelectedDay()
    {
        QCOMPARE(Kinds(), QStringLiteral("LBWA"));
        QCOMPARE(p->Find<QAbstractButton>("Label25")->text(), QStringLiteral("March"));
        // "Include advanced" off leaves the advanced event out.
        p->fx.session->settings().CB11 = false;
        Page().MyCal1Click();
        QCOMPARE(Kinds(), QStringLiteral("LBW"));

        // A click on a grey day lists that day without turning the grid.
        p->fx.session->records().editCalendar().push_back(Event("Leap day", D(2024, 2, 29)));
        TMyCal* cal = Page().calendar();
        // March 2024 starts on a Friday: Monday to Thursday of row 1 are 26..29 February.
        const QRect cell = cal->cellRect({3, 1});
        QTest::mouseClick(cal->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(cal->XMonth(), 3);
        QCOMPARE(Page().selectedDate(), D(2024, 2, 29));
        QCOMPARE(Kinds(), QStringLiteral("N"));
    }

    // A click on a line shows its text and enables Change and Delete only for
    // calendar events; Delete removes the clicked event of the day and writes
    // the file at once, and refuses an event of another date.
    void clickingALineShowsItsTextAndDeleteTakesACalendarEvent()
    {
        p->fx.session->records().editCalendar()[1].More = {"Bring the form", "Room 4"};
        Page().MyCal1Click();
        Click('L');
        QVERIFY(p->Find<QAbstractButton>("MenuL27")->isEnabled());
        QCOMPARE(p->Find<QPlainTextEdit>("Memo1")->toPlainText(), QStringLiteral("Bring the form\nRoom 4"));
        Click('B');
        QVERIFY(!p->Find<QAbstractButton>("MenuL27")->isEnabled());
        QVERIFY(p->Find<QPlainTextEdit>("Memo1")->toPlainText().contains(QStringLiteral("Ann")));
        Click('L');
        p->Click("MenuL28");
        QVERIFY(p->File("cal.orv").contains("<HINT>Dentist"));
        QVERIFY(!p->File("cal.orv").contains("Low thing"));
        QCOMPARE(Kinds(), QStringLiteral("BWA"));
        p->fx.session->records().CurrentCalendar = 0;  // the dentist, tomorrow
        Page().DeleteEvent();
        QCOMPARE(p->fx.session->records().calendar().size(), std::size_t(1));
    }

    // OK without a hint stores nothing; with one, the event goes in date order.
    void newStoresTheEventInDateOrderAndWritesTheFile()
    {
        Page().GoTo(D(2024, 1, 1));
        WhenOpen<TNewCal>([](TNewCal* d) { d->findChild<QPushButton*>(QStringLiteral("Button1"))->click(); });
        Page().NewEvent();
        QVERIFY(p->File("cal.orv").isEmpty());
        WhenOpen<TNewCal>([](TNewCal* d) {
            QTest::keyClicks(d->findChild<QLineEdit*>(QStringLiteral("Edit1")), QStringLiteral("New year"));
            d->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->setPlainText(QStringLiteral("first\nsecond"));
            d->findChild<QRadioButton*>(QStringLiteral("PriSelect1"))->click();
            d->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        });
        p->Click("MenuL29");
        QVERIFY(p->File("cal.orv").startsWith("<BEGIN:CAL:FILE:VERSION>3.0\r\n<BEGIN>\r\n<HINT>New year\r\n<PRI>0\r\n"
                                              "<DAY>1\r\n<MONTH>1\r\n<YEAR>2024\r\n<BEGIN:MORE>\r\n"
                                              "<MORE>first\r\n<MORE>second\r\n"));
        QCOMPARE(Kinds(), QStringLiteral("H"));
    }

    void changeWithAnotherDateKeepsTheEventsPlaceInTheList()
    {
        // The change keeps the event's identity and its further lines.
        p->fx.session->records().editCalendar()[1].Uid = "low-1@test";
        p->fx.session->records().editCalendar()[1].More = {"keep me", ""};
        Click('L');
        WhenOpen<TNewCal>([this](TNewCal* d) {
            QVERIFY(d->findChild<QRadioButton*>(QStringLiteral("PriSelect3"))->isChecked());
            QTimer::singleShot(0, this, [this] {
                TChangeHint* picker = Page().picker();
                QVERIFY(picker->isVisible());
                picker->findChild<QToolButton*>(QStringLiteral("Image1"))->click();  // 13 April
                picker->findChild<QToolButton*>(QStringLiteral("Image3"))->click();
            });
            d->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
            auto* hint = d->findChild<QLineEdit*>(QStringLiteral("Edit1"));
            hint->setText(hint->text() + QStringLiteral(" moved"));
            d->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        });
        p->Click("MenuL27");
        QCOMPARE(Page().selectedDate(), D(2024, 4, 13));
        QVERIFY(p->File("cal.orv").contains("<HINT>Low thing moved\r\n<PRI>2\r\n<DAY>13\r\n<MONTH>4\r\n"));
        QVERIFY(p->File("cal.orv").contains("<MORE>keep me\r\n<MORE>\r\n<END:MORE>\r\n<UID>low-1@test\r\n<END>"));
    }

    // Next event; previous event, there being none before; next and previous
    // birthday (Ann's is the day itself: going back it counts in the year
    // before); next month with the day pulled back, previous year from the
    // leap day, next day across the year, and today.
    void jumps()
    {
        const struct {
            const char* button;
            Date from, to;
        } steps[] = {{"MenuL34", kToday, D(2024, 3, 14)},         {"MenuL30", kToday, kToday},
                     {"MenuL35", kToday, D(2024, 3, 15)},         {"MenuL31", kToday, D(2023, 3, 15)},
                     {"MenuL36", D(2024, 1, 31), D(2024, 2, 29)}, {"MenuL33", D(2024, 2, 29), D(2023, 2, 28)},
                     {"ML9", D(2024, 12, 31), D(2025, 1, 1)},     {"T16", D(2001, 5, 5), kToday}};
        for (const auto& jump : steps) {
            Page().GoTo(jump.from);
            p->Click(jump.button);
            QCOMPARE(Page().selectedDate(), jump.to);
        }
    }

    void theMenusChooseAMonthAYearAndAWeek()
    {
        Page().GoTo(D(2023, 1, 31));
        p->Find<QAbstractButton>("Label25")->findChild<QMenu*>()->actions().at(1)->trigger();
        QCOMPARE(Page().selectedDate(), D(2023, 2, 28));

        p->Find<QAbstractButton>("MonthLabel1")->findChild<QMenu*>()->actions().at(2)->trigger();  // 2021 of 2019..2029
        QCOMPARE(Page().selectedDate(), D(2021, 2, 28));

        // 1 January 2021 is a Friday: under "First full week" week 1 starts on Monday the 4th.
        auto* weeks = p->Find<QAbstractButton>("WeekLabel1")->findChild<WeekMenu*>();
        weeks->button(1)->click();
        QCOMPARE(Page().selectedDate(), D(2021, 1, 4));
    }

    // A double click opens a recurrent line's editor; on a calendar event's
    // line it does nothing.
    void doubleClickingALineOpensItsEditor()
    {
        const std::pair<Date, char> lines[] = {{kToday, 'L'}, {D(2024, 3, 16), 'M'}};
        for (const auto& [day, kind] : lines) {
            Page().GoTo(day);
            QTest::mouseDClick(Grid()->viewport(), Qt::LeftButton, {}, RowCentre(Grid(), RowOfKind(Grid(), kind)));
        }
        QCOMPARE(p->fx.navigator.calls, QStringList{"OpenRecord(M,0,2024-03-16)"});
    }

    // The period offered (this year and the next) with every calendar event:
    // two birthdays, two calendar events (2024) and four recurrent events;
    // then 2025 alone, without the calendar events of other years.
    void theExportWritesThePeriodChosen()
    {
        const struct {
            const char* file;
            bool whole;
            int year, events;
        } exports[] = {{"orv.ics", true, 0, 8}, {"2025.ics", false, 2025, 6}};
        for (const auto& x : exports) {
            const QString path = Written(x.file);
            WhenOpen<TIcalPeriod>([&](TIcalPeriod* d) {
                if (x.year) {
                    In<QDateEdit>(d, "IcalFrom")->setDate(QDate(x.year, 1, 1));
                    In<QDateEdit>(d, "IcalTo")->setDate(QDate(x.year, 12, 31));
                }
                In<QCheckBox>(d, "IcalAllEvents")->setChecked(x.whole);
                Press(d, "IcalPeriodOk");
            });
            p->Click("ExportIcal");
            QVERIFY(answered);
            QCOMPARE(Read(path).count("BEGIN:VEVENT\r\n"), x.events);
            QCOMPARE(p->fake.messages.size(), 1);
            const QString said = p->fake.messages.value(0);
            QVERIFY2(said.startsWith(QStringLiteral("ORV|%1 events written to '%2'.|").arg(x.events).arg(x.file)),
                     qPrintable(said));
            p->fake.messages.clear();
        }
    }

    void aPeriodThatEndsBeforeItBeginsCannotBeExported()
    {
        WhenOpen<TIcalPeriod>([&](TIcalPeriod* d) {
            In<QDateEdit>(d, "IcalTo")->setDate(QDate(2023, 12, 31));
            emit In<QDateEdit>(d, "IcalTo")->editingFinished();
            QVERIFY(!In<QPushButton>(d, "IcalPeriodOk")->isEnabled());
            Press(d, "IcalPeriodCancel");
        });
        Written("never.ics");
        p->Click("ExportIcal");
        QVERIFY(answered);
        QCOMPARE(p->fake.files.size(), 1);  // no file was asked for
    }

    // An existing file is replaced only after "Yes", and not after "Cancel"
    // nor when the work beside the window is cancelled: then no file is
    // written and nothing is said.
    void anExistingFileIsReplacedOnlyAfterYes()
    {
        const struct {
            QMessageBox::StandardButton answer;
            bool cancel, replaced;
        } answers[] = {
            {QMessageBox::Yes, false, true}, {QMessageBox::Cancel, false, false}, {QMessageBox::Yes, true, false}};
        for (const auto& a : answers) {
            p->fake = FakeDialogs{};
            const QString path = Written("old.ics");
            Write(path, "keep me");
            const QStringList folder = QDir(p->fx.dir.path()).entryList(QDir::Files);
            p->fake.answers.enqueue(a.answer);
            WhenOpen<TIcalPeriod>([&](TIcalPeriod* d) {
                if (a.cancel) QTimer::singleShot(0, [] { CancelLongWork(); });
                Press(d, "IcalPeriodOk");
            });
            p->Click("ExportIcal");
            QCOMPARE(p->fake.questions, QStringList{QStringLiteral("OK to overwrite ") + path});
            const QByteArray now = Read(path);
            QVERIFY(a.replaced ? now.startsWith("BEGIN:VCALENDAR\r\n") : now == "keep me");
            QCOMPARE(p->fake.messages.size(), a.replaced ? 1 : 0);
            QCOMPARE(QDir(p->fx.dir.path()).entryList(QDir::Files), folder);
        }
    }

    void anImportShowsItsSummaryThenStoresWhatWasChosen()
    {
        p->fake.files.enqueue(Sample("web-calendar.ics"));
        QString after;
        WhenOpen<TIcalImport>([&](TIcalImport* d) {
            QVERIFY(DataFolder().isEmpty());  // nothing is stored while the summary is shown
            auto* summary = In<QPlainTextEdit>(d, "IcalSummary");
            // The bins are not taken: Space on their line, as from the keyboard.
            auto* take = In<QListWidget>(d, "IcalTakeList");
            take->setFocus();
            take->setCurrentRow(0);
            QTest::keyClick(take, Qt::Key_Space);
            after = summary->toPlainText();
            // Another period plans the dates again beside the window; cancelled,
            // the list and its period stay as they were.
            const QString dates = take->item(0)->text();
            auto* to = In<QDateEdit>(d, "IcalTo");
            const QDate planned = to->date();
            to->setDate(QDate(2024, 3, 31));
            QTimer::singleShot(0, [] { CancelLongWork(); });
            emit to->editingFinished();
            QCOMPARE(to->date(), planned);
            QCOMPARE(take->item(0)->text(), dates);
            // A shorter period gives fewer dates of the bins and keeps the choice made.
            to->setDate(QDate(2024, 3, 31));
            emit to->editingFinished();
            QCOMPARE(take->item(0)->text(), QStringLiteral("Put out the bins (5 dates)"));
            QCOMPARE(take->item(0)->checkState(), Qt::Unchecked);
            Press(d, "IcalImportOk");
        });
        p->Click("ImportIcal");
        QVERIFY(answered);
        QVERIFY2(after.contains(QRegularExpression(QStringLiteral("'Put out the bins' [^\n]*; not added\\."))), qPrintable(after));

        QCOMPARE(DataFolder(), (QStringList{"cal.orv", "month.orv", "week.orv", "year.orv"}));
        const QByteArray cal = p->File("cal.orv");
        QVERIFY(cal.contains("<HINT>Meeting with the council\r\n"));
        QVERIFY(!cal.contains("<HINT>Put out the bins\r\n"));
        QCOMPARE(p->fake.messages.size(), 1);
        QVERIFY2(p->fake.messages[0].contains(QStringLiteral("from 'web-calendar.ics' stored.")), qPrintable(p->fake.messages[0]));
    }

    // Nothing is stored unless the summary is accepted and the import runs to
    // its end; a save that fails is told and not claimed as done.
    void nothingIsStoredUnlessTheImportRunsToItsEnd_data()
    {
        QTest::addColumn<QString>("file");  // a sample, else written as "in.ics"
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("press");  // the summary's button; empty: no summary
        QTest::addColumn<bool>("cancelWork");
        QTest::addColumn<bool>("blockSave");
        QTest::addColumn<QString>("message");
        QTest::addRow("summary cancelled") << "office-mail.ics" << QByteArray() << "IcalImportCancel" << false << false << "";
        QTest::addRow("not a calendar") << "in.ics" << QByteArray("BEGIN:VCARD\r\nFN:Ann\r\nEND:VCARD\r\n") << ""
                                        << false << false << "ORV|'in.ics': The file holds no calendar";
        QTest::addRow("work cancelled") << "web-calendar.ics" << QByteArray() << "IcalImportOk" << true << false << "";
        QTest::addRow("save failed") << "desktop-phone.ics" << QByteArray() << "IcalImportOk" << false << true
                                     << "ORV|The events of 'desktop-phone.ics' could not be saved.|";
    }
    void nothingIsStoredUnlessTheImportRunsToItsEnd()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(QString, press);
        QFETCH(bool, cancelWork);
        QFETCH(bool, blockSave);
        QFETCH(QString, message);
        if (file == QLatin1String("in.ics"))
            Write(Written("in.ics"), content);
        else
            p->fake.files.enqueue(Sample(file.toLatin1().constData()));
        if (!press.isEmpty()) WhenOpen<TIcalImport>([&](TIcalImport* d) { Press(d, press.toLatin1().constData()); });
        if (cancelWork) QTimer::singleShot(0, [] { CancelLongWork(); });
        if (blockSave) {
            // A file where the data folder belongs: no data file can be written.
            QFile blocker(p->fx.dir.path() + QStringLiteral("/data"));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        const std::size_t calendar = p->fx.session->records().calendar().size();
        QSignalSpy changed(&Page(), &EventPage::changed);
        p->Click("ImportIcal");
        QCOMPARE(answered, !press.isEmpty() && !cancelWork);  // cancelled while the file is read
        QVERIFY(DataFolder().isEmpty());
        // What a failed save read stays in memory and goes with the next save.
        QCOMPARE(changed.count(), blockSave ? 1 : 0);
        if (!blockSave) QCOMPARE(p->fx.session->records().calendar().size(), calendar);
        if (message.isEmpty())
            QVERIFY2(p->fake.messages.isEmpty(), qPrintable(p->fake.messages.join('\n')));
        else
            QVERIFY2(p->fake.messages.size() == 1 && p->fake.messages[0].startsWith(message), qPrintable(p->fake.messages.join('\n')));
    }

    // The events are added to a copy beside the window; an event the
    // calendar got while the summary was shown stays, beside those imported.
    void aCalendarChangedMeanwhileKeepsItsChange()
    {
        p->fake.files.enqueue(Sample("desktop-phone.ics"));
        WhenOpen<TIcalImport>([&](TIcalImport* d) {
            p->fx.session->records().editCalendar().push_back(Event("Added meanwhile", Date{2024, 6, 1}));
            Press(d, "IcalImportOk");
        });
        p->Click("ImportIcal");
        QVERIFY(answered);
        const QByteArray cal = p->File("cal.orv");
        QVERIFY(cal.contains("<HINT>Added meanwhile\r\n"));
        const std::vector<ACal>& calendar = p->fx.session->records().calendar();
        QVERIFY(std::is_sorted(calendar.begin(), calendar.end(), [](const ACal& a, const ACal& b) { return a.Date < b.Date; }));
    }
};

ORV_TEST_CLASS(CalendarViewTest);

}  // namespace orv::test

#include "calendarview_test.moc"
