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
    void aPressPicksTheRowByHalfRowsRoundedToEven_data()
    {
        QTest::addColumn<double>("rows");  // the press height in row heights
        QTest::addColumn<int>("expected");
        QTest::newRow("top of the first row") << 0.0 << 0;
        QTest::newRow("first pixel of the second row rounds to even") << 1.0 << 0;
        QTest::newRow("just past the second row's top") << 1.1 << 1;
        QTest::newRow("below the last row") << 5.6 << -1;
    }
    void aPressPicksTheRowByHalfRowsRoundedToEven()
    {
        QFETCH(double, rows);
        QFETCH(int, expected);
        EventGrid grid(EventGrid::Columns::KindText, QStringLiteral("Panel2"));
        grid.resize(200, 300);
        grid.setTable(Lines(5));
        const int h = grid.rowHeight(0);
        QVERIFY(h >= EventGrid::MinRowHeight);
        QCOMPARE(grid.rowAtPress(static_cast<int>(rows * h)), expected);
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

    void storedTextsDecodeAsUtf8OrElseWindows1252_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("utf-8") << QByteArray("Caf\xc3\xa9") << QStringLiteral("Caf\u00e9");
        QTest::newRow("windows-1252 euro and quotes") << QByteArray("\x80 \x93x\x94") << QStringLiteral("\u20ac \u201cx\u201d");
    }
    void storedTextsDecodeAsUtf8OrElseWindows1252()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(DecodeStored(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))), text);
    }
};

ORV_TEST_CLASS(EventGridTest);

}  // namespace orv::test

#include "eventgrid_test.moc"
