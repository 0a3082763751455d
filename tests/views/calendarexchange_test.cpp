// The calendar page's iCalendar commands: what the export writes and asks,
// what the import shows before it stores anything, and what it leaves on disk.
#include <libical/ical.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>

#include "eventviewtest.h"
#include "exchange/ical/icalexport.h"
#include "fakedialogs.h"
#include "testfiles.h"
#include "views/events/calendarview.h"
#include "views/today/eventgrid.h"
#include "views/events/icaldialogs.h"
#include "views/common/longwork.h"

namespace orv::test {

namespace {

int CountEvents(const QByteArray& text)
{
    icalcomponent* root = icalparser_parse_string(text.constData());
    if (!root) return -1;
    int n = 0;
    for (icalcomponent* e = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT))
        ++n;
    icalcomponent_free(root);
    return n;
}

QString Sample(const char* name) { return QStringLiteral(ORV_ICAL_SAMPLES) + QLatin1String(name); }

}  // namespace

class CalendarExchangeTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PageFixture<CalendarView>> p;
    FakeDialogs fake;
    bool answered = false;
    QPointer<QTimer> poll;

    CalendarView& Page() { return *p->page; }
    QString DataFile(const char* name) const { return p->fx.dir.path() + QStringLiteral("/data/") + QLatin1String(name); }
    QString Written(const char* name)
    {
        const QString path = p->fx.dir.filePath(QLatin1String(name));
        fake.files.enqueue(path);
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
        fake = FakeDialogs{};
        answered = false;
        p = std::make_unique<PageFixture<CalendarView>>();
        Page().setDialogs(fake.dialogs());
        Page().ApplySettings();
        Page().GoTo(kToday);
    }
    void cleanup()
    {
        delete poll;
        if (QTest::currentTestFailed()) p->fx.dir.setAutoRemove(false);
        p.reset();
    }

    void theExportWritesThePeriodChosen_data()
    {
        QTest::addColumn<bool>("whole");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("events");
        // Two birthdays, two calendar events (2024) and four recurrent events.
        QTest::addRow("this year and the next, every calendar event") << true << 0 << 8;
        QTest::addRow("2025 only") << false << 2025 << 6;
    }
    void theExportWritesThePeriodChosen()
    {
        QFETCH(bool, whole);
        QFETCH(int, year);
        QFETCH(int, events);
        const QString path = Written("orv.ics");
        WhenOpen<TIcalPeriod>([&](TIcalPeriod* d) {
            QCOMPARE(d->from(), (Date{2024, 1, 1}));
            QCOMPARE(d->to(), (Date{2025, 12, 31}));
            QVERIFY(d->wholeCalendar());
            if (year) {
                In<QDateEdit>(d, "IcalFrom")->setDate(QDate(year, 1, 1));
                In<QDateEdit>(d, "IcalTo")->setDate(QDate(year, 12, 31));
            }
            In<QCheckBox>(d, "IcalAllEvents")->setChecked(whole);
            Press(d, "IcalPeriodOk");
        });
        p->Click("ExportIcal");
        QVERIFY(answered);
        QCOMPARE(CountEvents(Read(path)), events);
        QCOMPARE(fake.messages.size(), 1);
        QVERIFY2(fake.messages[0].startsWith(QStringLiteral("ORV|%1 events written to 'orv.ics'.|").arg(events)),
                 qPrintable(fake.messages[0]));
        QVERIFY(fake.questions.isEmpty());
    }

    void aLongListOfNotesIsCut()
    {
        // A weekly event without a weekday never occurs: each is left out, with a note.
        p->fx.session->records().editWeekly().assign(12, Weekly("No weekday", 9));
        Written("notes.ics");
        WhenOpen<TIcalPeriod>([&](TIcalPeriod* d) { Press(d, "IcalPeriodOk"); });
        p->Click("ExportIcal");
        QCOMPARE(fake.messages.size(), 1);
        const QStringList detail = fake.messages[0].section(QLatin1Char('|'), 2).split(QLatin1Char('\n'));
        QCOMPARE(detail.size(), 9);
        QCOMPARE(detail.last(), QStringLiteral("... and 4 more."));
    }

    void aPeriodThatEndsBeforeItBeginsCannotBeExported()
    {
        WhenOpen<TIcalPeriod>([&](TIcalPeriod* d) {
            In<QDateEdit>(d, "IcalTo")->setDate(QDate(2023, 12, 31));
            emit In<QDateEdit>(d, "IcalTo")->editingFinished();
            QVERIFY(!In<QPushButton>(d, "IcalPeriodOk")->isEnabled());
            QVERIFY(In<QLabel>(d, "IcalPeriodNote")->isVisibleTo(d));
            Press(d, "IcalPeriodCancel");
        });
        Written("never.ics");
        p->Click("ExportIcal");
        QVERIFY(answered);
        QCOMPARE(fake.files.size(), 1);  // no file was asked for
    }

    void anExistingFileIsReplacedOnlyAfterYes_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("replaced");
        QTest::addRow("yes") << QMessageBox::Yes << true;
        QTest::addRow("no") << QMessageBox::No << false;
        QTest::addRow("cancel") << QMessageBox::Cancel << false;
    }
    void anExistingFileIsReplacedOnlyAfterYes()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, replaced);
        const QString path = Written("old.ics");
        Write(path, "keep me");
        fake.answers.enqueue(answer);
        WhenOpen<TIcalPeriod>([&](TIcalPeriod* d) { Press(d, "IcalPeriodOk"); });
        p->Click("ExportIcal");
        QCOMPARE(fake.questions, QStringList{QStringLiteral("OK to overwrite ") + path});
        const QByteArray now = Read(path);
        QVERIFY(replaced ? now.startsWith("BEGIN:VCALENDAR\r\n") : now == "keep me");
        QCOMPARE(fake.messages.size(), replaced ? 1 : 0);
    }

    void anImportShowsItsSummaryThenStoresWhatWasChosen()
    {
        QSignalSpy changed(&Page(), &EventPage::changed);
        fake.files.enqueue(Sample("web-calendar.ics"));
        QString before, after;
        WhenOpen<TIcalImport>([&](TIcalImport* d) {
            QVERIFY(DataFolder().isEmpty());  // nothing is stored while the summary is shown
            auto* summary = In<QPlainTextEdit>(d, "IcalSummary");
            before = summary->toPlainText();
            // What the summary says of each event is the reader's, tested with it.
            QCOMPARE(before, TIcalImport::SummaryLines(d->plan()).join(QLatin1Char('\n')));
            // The bins are not taken: Space on their line, as from the keyboard.
            auto* take = In<QListWidget>(d, "IcalTakeList");
            QCOMPARE(take->count(), 1);
            take->setFocus();
            take->setCurrentRow(0);
            QTest::keyClick(take, Qt::Key_Space);
            QVERIFY(!d->plan().unexpressed[0].take);
            after = summary->toPlainText();
            // A shorter period gives fewer dates of the bins and keeps the choice made.
            auto* to = In<QDateEdit>(d, "IcalTo");
            to->setDate(QDate(2024, 3, 31));
            emit to->editingFinished();
            QCOMPARE(take->item(0)->text(), QStringLiteral("Put out the bins (5 dates)"));
            QCOMPARE(take->item(0)->checkState(), Qt::Unchecked);
            Press(d, "IcalImportOk");
        });
        p->Click("ImportIcal");
        QVERIFY(answered);
        QVERIFY2(before.startsWith(QStringLiteral("To be added: 4 calendar events, 2 weekly events, 1 monthly event, "
                                                  "1 annual event, ")),
                 qPrintable(before));
        QVERIFY2(after.contains(QRegularExpression(QStringLiteral("'Put out the bins' [^\n]*; not added\\."))), qPrintable(after));

        QCOMPARE(changed.count(), 1);
        QCOMPARE(DataFolder(), (QStringList{"cal.orv", "month.orv", "week.orv", "year.orv"}));
        const QByteArray cal = p->File("cal.orv");
        QVERIFY(cal.contains("<HINT>Meeting with the council\r\n"));
        QVERIFY(!cal.contains("<HINT>Put out the bins\r\n"));
        QVERIFY(cal.contains("<HINT>Book club (later this time)\r\n"));
        QVERIFY(p->File("month.orv").contains("<HINT>Book club\r\n"));
        QVERIFY(p->File("week.orv").contains("<HINT>Training\r\n"));
        QVERIFY(p->File("year.orv").contains("<HINT>Clara's birthday\r\n"));
        QCOMPARE(fake.messages.size(), 1);
        QVERIFY2(fake.messages[0].contains(QStringLiteral("from 'web-calendar.ics' stored.")), qPrintable(fake.messages[0]));

        Page().GoTo(Date{2024, 3, 5});
        QStringList day;
        for (const Occurrence& o : Page().dayList()->table()) day << QString::fromStdString(o.Text);
        QVERIFY2(day.contains(QStringLiteral("Meeting with the council")), qPrintable(day.join(QLatin1Char('|'))));
    }

    void nothingIsStoredUnlessTheSummaryIsAccepted_data()
    {
        QTest::addColumn<QByteArray>("content");  // empty: the open dialog is cancelled
        QTest::addColumn<QString>("message");
        QTest::addRow("open dialog cancelled") << QByteArray() << QString();
        QTest::addRow("summary cancelled") << QByteArray("sample") << QString();
        QTest::addRow("not a calendar") << QByteArray("BEGIN:VCARD\r\nFN:Ann\r\nEND:VCARD\r\n")
                                        << QStringLiteral("ORV|'in.ics': The file holds no calendar");
        QTest::addRow("binary") << QByteArray("\x00\xff\xfe BEGIN:VCALENDAR\x00", 20)
                                << QStringLiteral("ORV|'in.ics': The file holds no calendar");
    }
    void nothingIsStoredUnlessTheSummaryIsAccepted()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        if (content == "sample") {
            fake.files.enqueue(Sample("office-mail.ics"));
            WhenOpen<TIcalImport>([&](TIcalImport* d) { Press(d, "IcalImportCancel"); });
        } else if (!content.isEmpty()) {
            Write(Written("in.ics"), content);
        }
        const std::size_t calendar = p->fx.session->records().calendar().size();
        QSignalSpy changed(&Page(), &EventPage::changed);
        p->Click("ImportIcal");
        QCOMPARE(answered, content == "sample");
        QVERIFY(DataFolder().isEmpty());
        QCOMPARE(p->fx.session->records().calendar().size(), calendar);
        QCOMPARE(changed.count(), 0);
        if (message.isEmpty())
            QVERIFY(fake.messages.isEmpty());
        else
            QVERIFY2(fake.messages.size() == 1 && fake.messages[0].startsWith(message), qPrintable(fake.messages.join('\n')));
    }

    void aSecondImportOfTheSameFileHasNothingToAdd()
    {
        fake.files.enqueue(Sample("desktop-phone.ics"));
        WhenOpen<TIcalImport>([&](TIcalImport* d) { Press(d, "IcalImportOk"); });
        p->Click("ImportIcal");
        const QByteArray cal = p->File("cal.orv");
        fake.files.enqueue(Sample("desktop-phone.ics"));
        bool importable = true;
        WhenOpen<TIcalImport>([&](TIcalImport* d) {
            importable = In<QPushButton>(d, "IcalImportOk")->isEnabled();
            QVERIFY(In<QPlainTextEdit>(d, "IcalSummary")->toPlainText().startsWith(QStringLiteral("Nothing will be added.")));
            Press(d, "IcalImportCancel");
        });
        p->Click("ImportIcal");
        QVERIFY(answered);
        QVERIFY(!importable);
        QCOMPARE(p->File("cal.orv"), cal);
    }

    // Cancel while the work runs beside the window: no file is written or
    // replaced, no summary is shown, nothing is stored and nothing is said.
    void aCancelledExportOrImportChangesNothing_data()
    {
        QTest::addColumn<bool>("exporting");
        QTest::addRow("export over an existing file") << true;
        QTest::addRow("import") << false;
    }
    void aCancelledExportOrImportChangesNothing()
    {
        QFETCH(bool, exporting);
        const QString path = Written("old.ics");
        Write(path, exporting ? QByteArray("keep me") : Read(Sample("web-calendar.ics")));
        const QByteArray before = Read(path);
        const QStringList folder = QDir(p->fx.dir.path()).entryList(QDir::Files);
        const std::size_t calendar = p->fx.session->records().calendar().size();
        QSignalSpy changed(&Page(), &EventPage::changed);
        if (exporting) {
            fake.answers.enqueue(QMessageBox::Yes);
            WhenOpen<TIcalPeriod>([&](TIcalPeriod* d) {
                QTimer::singleShot(0, [] { CancelLongWork(); });
                Press(d, "IcalPeriodOk");
            });
            p->Click("ExportIcal");
        } else {
            WhenOpen<TIcalImport>([&](TIcalImport* d) { Press(d, "IcalImportOk"); });
            QTimer::singleShot(0, [] { CancelLongWork(); });
            p->Click("ImportIcal");
        }
        QCOMPARE(answered, exporting);
        QCOMPARE(QDir(p->fx.dir.path()).entryList(QDir::Files), folder);
        QCOMPARE(Read(path), before);
        QVERIFY(DataFolder().isEmpty());
        QCOMPARE(p->fx.session->records().calendar().size(), calendar);
        QCOMPARE(changed.count(), 0);
        QVERIFY2(fake.messages.isEmpty(), qPrintable(fake.messages.join('\n')));
    }

    // Another period plans the dates again beside the window; cancelled, the
    // summary and its period stay as they were, and the import goes on with them.
    void aCancelledReplanKeepsThePlanShown()
    {
        fake.files.enqueue(Sample("web-calendar.ics"));
        WhenOpen<TIcalImport>([&](TIcalImport* d) {
            auto* take = In<QListWidget>(d, "IcalTakeList");
            const QString dates = take->item(0)->text();
            auto* to = In<QDateEdit>(d, "IcalTo");
            const QDate planned = to->date();
            to->setDate(QDate(2024, 3, 31));
            QTimer::singleShot(0, [] { CancelLongWork(); });
            emit to->editingFinished();
            QCOMPARE(to->date(), planned);
            QCOMPARE(take->item(0)->text(), dates);
            Press(d, "IcalImportOk");
        });
        p->Click("ImportIcal");
        QVERIFY(answered);
        QCOMPARE(fake.messages.size(), 1);
        QVERIFY2(fake.messages[0].contains(QStringLiteral("from 'web-calendar.ics' stored.")), qPrintable(fake.messages[0]));
    }

    // The events are added to a copy beside the window; an event the
    // calendar got while the summary was shown stays, beside those imported.
    void aCalendarChangedMeanwhileKeepsItsChange()
    {
        fake.files.enqueue(Sample("desktop-phone.ics"));
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
        QVERIFY(calendar.size() > 3u);
    }

    // A summary of thousands of lines goes into its box a slice at a time:
    // once filled, it reads as the plan's summary, no line lost or doubled.
    // (How far the slices have got when the dialog is first seen depends on
    // the machine's speed, so only the filled box is checked.)
    void aLongSummaryIsShownWhole()
    {
        RecordStore many;
        for (int i = 0; i < 4500; ++i) many.editCalendar().push_back(Event("Event " + std::to_string(i), Date{2024, 1, 1}));
        IcalExportOptions options;
        options.from = Date{2024, 1, 1};
        options.to = Date{2024, 12, 31};
        Write(Written("many.ics"), QByteArray::fromStdString(ExportICalendar(many, options).text));
        p->fx.session->records().editCalendar() = many.calendar();  // every event is there already: one line each
        WhenOpen<TIcalImport>([&](TIcalImport* d) {
            const QString whole = TIcalImport::SummaryLines(d->plan()).join(QLatin1Char('\n'));
            QCOMPARE(whole.count(QLatin1Char('\n')), 4500);
            auto* summary = In<QPlainTextEdit>(d, "IcalSummary");
            QTRY_COMPARE(summary->toPlainText(), whole);
        });
        p->Click("ImportIcal");
        QVERIFY(answered);
    }

    void aFailedSaveIsToldAndNotClaimedAsDone()
    {
        // A file where the data folder belongs: no data file can be written.
        QFile blocker(p->fx.dir.path() + QStringLiteral("/data"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        fake.files.enqueue(Sample("desktop-phone.ics"));
        WhenOpen<TIcalImport>([&](TIcalImport* d) { Press(d, "IcalImportOk"); });
        p->Click("ImportIcal");
        QVERIFY(answered);
        QCOMPARE(fake.messages.size(), 1);
        QVERIFY2(fake.messages[0].startsWith(QStringLiteral("ORV|The events of 'desktop-phone.ics' could not be saved.|")),
                 qPrintable(fake.messages[0]));
        QVERIFY(!fake.messages[0].contains(QStringLiteral("stored.")));
    }
};

}  // namespace orv::test

QTEST_MAIN(orv::test::CalendarExchangeTest)
#include "calendarexchange_test.moc"
