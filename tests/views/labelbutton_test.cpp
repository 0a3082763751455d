// Labels that act as buttons: that an event page's colours reach them, and a
// label that opens a menu, from the mouse, the keyboard and a screen reader.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QMenu>
#include <QTest>

#include "eventviewtest.h"
#include "views/events/calendarview.h"
#include "views/common/labelbutton.h"

namespace orv::test {

class LabelButtonTest : public QObject {
    Q_OBJECT

private slots:
    void anEventPageColoursItsCommands()
    {
        PageFixture<CalendarView> p;
        const LabelColours c{Qt::darkRed, Qt::yellow, Qt::lightGray, Qt::darkBlue, Qt::darkGreen, Qt::cyan};
        p.page->setLabelColours(c);
        auto* command = p.Find<LabelButton>("MenuL29");
        QCOMPARE(command->shownBackground(), c.notSelBack);
        QCOMPARE(command->shownText(), c.notSelText);
        // "Change" with no event chosen is greyed, not hidden.
        auto* change = p.Find<LabelButton>("MenuL27");
        QVERIFY(!change->isEnabled());
        QVERIFY(change->isVisible());
    }

    void aLabelWithAMenuOpensIt_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("click") << QStringLiteral("click");
        QTest::newRow("Space") << QStringLiteral("Space");
        QTest::newRow("screen reader") << QStringLiteral("reader");
    }
    void aLabelWithAMenuOpensIt()
    {
        QFETCH(QString, how);
        QWidget window;
        auto* go = MakeLabelButton(&window, "T17", QStringLiteral("Go to"));
        auto* menu = new QMenu(go);
        menu->addAction(QStringLiteral("Ann Smith"));
        go->setMenu(menu);
        go->move(20, 20);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (how == QLatin1String("click")) {
            QTest::mouseClick(go, Qt::LeftButton);
        } else if (how == QLatin1String("reader")) {
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(go);
            QCOMPARE(reader->role(), QAccessible::ButtonMenu);
            QVERIFY(reader->state().hasPopup);
            QCOMPARE(reader->actionInterface()->actionNames().value(0), QAccessibleActionInterface::showMenuAction());
            reader->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        } else {
            go->setFocus();
            QTest::keyClick(go, Qt::Key_Space);
        }
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

    void aPlainLabelReadsAsAButtonNamedForWhatItDoes()
    {
        QWidget window;
        auto* next = MakeLabelButton(&window, "MenuL34", QStringLiteral("Event"), QStringLiteral("Next event"));
        auto* today = MakeLabelButton(&window, "T16", QStringLiteral("Today"));
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(next);
        QCOMPARE(reader->role(), QAccessible::Button);
        QCOMPARE(reader->text(QAccessible::Name), QStringLiteral("Next event"));
        QCOMPARE(reader->actionInterface()->actionNames().value(0), QAccessibleActionInterface::pressAction());
        QCOMPARE(QAccessible::queryAccessibleInterface(today)->text(QAccessible::Name), QStringLiteral("Today"));
        // Reached with Tab, not taken by a click from the field being typed in.
        QCOMPARE(next->focusPolicy(), Qt::TabFocus);
    }
};

}  // namespace orv::test

QTEST_MAIN(orv::test::LabelButtonTest)
#include "labelbutton_test.moc"
