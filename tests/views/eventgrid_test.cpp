// The shared event grid: which row a press picks, and how stored texts are
// read for it.
#include <QSignalSpy>
#include <QTest>

#include "views/today/eventgrid.h"
#include "views/common/storedtext.h"
#include "testclass.h"

namespace orv::test {

namespace {

OccurrenceTable Lines(int n)
{
    OccurrenceTable t;
    for (int i = 0; i < n; ++i) t.push_back(Occurrence{Occurrence::NoDays, 'N', "Line " + std::to_string(i), i});
    return t;
}

}  // namespace

class EventGridTest : public QObject {
    Q_OBJECT

private slots:
    // The press height in row heights and the row picked: the top of the
    // first row, the second row's first pixel (rounded to even), just past
    // the second row's top, and below the last row.
    void aPressPicksTheRowByHalfRowsRoundedToEven()
    {
        EventGrid grid(EventGrid::Columns::KindText, QStringLiteral("Panel2"));
        grid.resize(200, 300);
        grid.setTable(Lines(5));
        const int h = grid.rowHeight(0);
        QVERIFY(h >= EventGrid::MinRowHeight);
        const std::pair<double, int> presses[] = {{0.0, 0}, {1.0, 0}, {1.1, 1}, {5.6, -1}};
        for (const auto& [rows, expected] : presses) QCOMPARE(grid.rowAtPress(static_cast<int>(rows * h)), expected);
    }

    void aPressBelowTheRowsKeepsTheCurrentLineAndStillClicks()
    {
        EventGrid grid(EventGrid::Columns::KindText, QStringLiteral("Panel2"));
        grid.resize(200, 300);
        grid.setTable(Lines(3));
        grid.show();
        grid.setCurrentRow(1);
        QSignalSpy clicked(&grid, &EventGrid::lineClicked);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, QPoint(grid.indicatorWidth() + 30, grid.rowHeight(0) * 3 - 2));
        QCOMPARE(grid.currentRow(), 2);
        QCOMPARE(clicked.count(), 1);
    }

    // UTF-8, and Windows-1252's euro and quotes.
    void storedTextsDecodeAsUtf8OrElseWindows1252()
    {
        QCOMPARE(DecodeStored("Caf\xc3\xa9"), QStringLiteral("Caf\u00e9"));
        QCOMPARE(DecodeStored("\x80 \x93x\x94"), QStringLiteral("\u20ac \u201cx\u201d"));
    }
};

ORV_TEST_CLASS(EventGridTest);

}  // namespace orv::test

#include "eventgrid_test.moc"
