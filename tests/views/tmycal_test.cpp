// The month grid widget and the date picker: what a click, a double click and
// the keys do, how today and the selection are painted, and what the picker
// hands back.
#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>

#include "eventviewtest.h"
#include "views/events/tchangehint.h"
#include "views/events/tmycal.h"
#include "testclass.h"

namespace orv::test {

class MyCalTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TMyCal> cal;

    QColor CellBackground(GridCell cell)
    {
        const QImage image = cal->viewport()->grab().toImage();
        // Inside the dotted focus frame, which runs one pixel in.
        return image.pixelColor(cal->cellRect(cell).topLeft() + QPoint(4, 4));
    }

private slots:
    void init()
    {
        cal = std::make_unique<TMyCal>();
        cal->setXStartOfWeek(1);
        cal->setToday(D(2024, 3, 13));
        cal->setXDate(D(2024, 3, 20));
        cal->show();
        QVERIFY(QTest::qWaitForWindowExposed(cal.get()));
    }
    void cleanup() { cal.reset(); }

    void todayHasItsColourOnlyWhileNotSelected()
    {
        const GridCell today{2, 3};  // Wednesday 13 March, Monday first
        QCOMPARE(cal->grid().layout().DateAt(today), D(2024, 3, 13));
        QCOMPARE(CellBackground(today), cal->XTodayColor());
        cal->setXDate(D(2024, 3, 13));
        QCOMPARE(CellBackground(today), cal->palette().color(QPalette::Active, QPalette::Highlight));
    }

    void aDoubleClickOnAGreyDayTurnsTheGridToItsMonth()
    {
        QSignalSpy doubles(cal.get(), &TMyCal::dayDoubleClicked);
        QTest::mouseDClick(cal->viewport(), Qt::LeftButton, {}, cal->cellRect({6, 6}).center());  // 7 April
        QCOMPARE(doubles.count(), 1);
        QCOMPARE(cal->XDate(), D(2024, 4, 7));
        QCOMPARE(cal->XMonth(), 4);
    }

    void theHeaderIsNotADay()
    {
        QSignalSpy clicks(cal.get(), &TMyCal::dayClicked);
        QHeaderView* header = cal->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionPosition(2) + 3, 3));
        QCOMPARE(clicks.count(), 0);
        QCOMPARE(cal->XDate(), D(2024, 3, 20));
        QCOMPARE(cal->model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Wen"));
    }

    void pageKeysTurnTheMonthWithTheDayPulledBack()
    {
        cal->setXDate(D(2024, 3, 31));
        QTest::keyClick(cal.get(), Qt::Key_PageUp);
        QCOMPARE(cal->XDate(), D(2024, 2, 29));
        QTest::keyClick(cal.get(), Qt::Key_PageDown);
        QCOMPARE(cal->XDate(), D(2024, 3, 29));
    }

    void thePickerStepsShowsAndHandsBackTheGreyDayItWasGiven()
    {
        SessionFixture fx;
        TChangeHint picker(*fx.session);
        QTimer::singleShot(0, this, [&picker] {
            picker.findChild<QToolButton*>(QStringLiteral("Image2"))->click();  // from 31 March
            QCOMPARE(picker.calendar()->XDate(), D(2024, 2, 29));
            QCOMPARE(picker.findChild<QLabel*>(QStringLiteral("Label32"))->text(), QStringLiteral("Febuary"));
            QCOMPARE(picker.findChild<QLabel*>(QStringLiteral("Label34"))->text(), QStringLiteral("2024"));
            // Row 6 of February 2024 ends in grey days of March; a click selects one.
            TMyCal* grid = picker.calendar();
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect({6, 6}).center());
            QCOMPARE(picker.windowTitle(), QStringLiteral("Change date: 10/3-2024"));
            QTest::keyClick(grid, Qt::Key_Return);
        });
        const auto picked = picker.Pick(D(2024, 3, 31), nullptr);
        QVERIFY(picked.has_value());
        QCOMPARE(*picked, D(2024, 3, 10));

        QTimer::singleShot(0, this, [&picker] { picker.reject(); });
        QVERIFY(!picker.Pick(D(2024, 3, 31), nullptr).has_value());
    }
};

ORV_TEST_CLASS(MyCalTest);

}  // namespace orv::test

#include "tmycal_test.moc"
