// The periodical search page: the lines of a period and where Return on one
// leads, which date is refused first, and the quick periods.
#include <QCheckBox>
#include <QLineEdit>

#include "eventviewtest.h"
#include "views/events/periodicalview.h"
#include "testclass.h"

namespace orv::test {

class PeriodicalViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PageFixture<PeriodicalView>> p;

    QLineEdit* Entry(const char* name) { return p->Find<QLineEdit>(name); }
    void Period(Date from, Date to)
    {
        Entry("ShowFromDEdit")->setText(QString::number(from.Day));
        Entry("ShowFromMEdit")->setText(QString::number(from.Month));
        Entry("ShowFromYEdit")->setText(QString::number(from.Year));
        Entry("ShowToDEdit")->setText(QString::number(to.Day));
        Entry("ShowToMEdit")->setText(QString::number(to.Month));
        Entry("ShowToYEdit")->setText(QString::number(to.Year));
    }
    QString Lines()
    {
        QStringList lines;
        const EventGrid* grid = p->page->grid();
        for (std::size_t row = 0; row < grid->lineCount(); ++row) {
            const Occurrence o = grid->line(row);
            lines << QLatin1Char(o.Kind) + QStringLiteral(" ") + QString::fromStdString(o.Text);
        }
        return lines.join(QLatin1Char('|'));
    }
    QString ToDate() { return Entry("ShowToDEdit")->text() + '.' + Entry("ShowToMEdit")->text() + '.' + Entry("ShowToYEdit")->text(); }

private slots:
    void init()
    {
        p = std::make_unique<PageFixture<PeriodicalView>>();
        p->page->PresetFrom(kToday);
    }
    void cleanup() { p.reset(); }

    // A period lists birthdays and events day by day; Return on a line opens
    // the person or the day.
    void aPeriodListsBirthdaysAndEventsDayByDayAndOpensThem()
    {
        Period(kToday, D(2024, 3, 15));
        p->Click("SB9");
        QCOMPARE(Lines(), QStringLiteral("B 13/3 - Ann Smith|L 13/3 - Low thing|H 14/3 - Dentist|B 15/3 - Bob Jones"));
        EventGrid* grid = p->page->grid();
        for (int row : {0, 2}) {
            grid->setCurrentRow(row);
            QTest::keyClick(grid, Qt::Key_Return);
        }
        QCOMPARE(p->fx.navigator.calls, (QStringList{QStringLiteral("ShowAddress(0)"), QStringLiteral("ShowCalendarAt(2024-03-14)")}));
        p->Find<QCheckBox>("CB1")->setChecked(false);
        p->Click("SB9");
        QCOMPARE(Lines(), QStringLiteral("L 13/3 - Low thing|H 14/3 - Dentist"));
        QVERIFY(!p->fx.session->settings().IncBirth);
    }

    // A date that does not exist is refused (which of two first, orv-cli's
    // period cases pin); a period too long to show is refused.
    void aWrongPeriodIsRefused()
    {
        Period(D(2003, 2, 30), D(2003, 2, 28));
        p->Click("SB9");
        QCOMPARE(p->fake.messages, QStringList{QStringLiteral("Date error|Change the 'From-date'|")});
        QVERIFY(!p->page->grid()->hasLines());

        std::vector<AData> people;
        for (int i = 0; i < 400; ++i) people.push_back(Person("P", std::to_string(i), i % 28 + 1, i % 12 + 1));
        p->fx.session->records().editAddresses() = std::move(people);
        Period(D(1, 1, 1), D(9999, 12, 31));
        p->Click("SB9");
        QVERIFY(p->fake.messages.last().startsWith(QStringLiteral("Date error|The period holds")));
        QVERIFY(!p->page->grid()->hasLines());
    }

    // Next week across the year, next month from the 31st, next year from the leap day.
    void quickPeriodsSetTheToDate()
    {
        const struct {
            const char* label;
            Date from;
            const char* to;
        } periods[] = {{"MenuL24", D(2004, 12, 30), "6.1.2005"}, {"MenuL25", D(2004, 1, 31), "1.3.2004"},
                       {"MenuL26", D(2004, 2, 29), "1.3.2005"}};
        for (const auto& period : periods) {
            p->page->PresetFrom(period.from);
            p->Click(period.label);
            QCOMPARE(ToDate(), QLatin1String(period.to));
        }
    }
};

ORV_TEST_CLASS(PeriodicalViewTest);

}  // namespace orv::test

#include "periodicalview_test.moc"
