// The month grid widget and the date picker: what a click, a double click and
// the keys do, and what the picker hands back.
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

    void aDoubleClickOnAGreyDayOrAPageKeyTurnsTheMonth()
    {
        QSignalSpy doubles(cal.get(), &TMyCal::dayDoubleClicked);
        QTest::mouseDClick(cal->viewport(), Qt::LeftButton, {}, cal->cellRect({6, 6}).center());  // 7 April
        QCOMPARE(doubles.count(), 1);
        QCOMPARE(cal->XDate(), D(2024, 4, 7));
        QCOMPARE(cal->XMonth(), 4);
        // The page keys turn the month with the day pulled back.
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
            // Row 6 of February 2024 ends in grey days of March; a click selects one.
            TMyCal* grid = picker.calendar();
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->cellRect({6, 6}).center());
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
