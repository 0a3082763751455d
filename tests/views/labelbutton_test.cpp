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
    // An event page's colours reach its commands; "Change" with no event
    // chosen is greyed, not hidden. Every label of the page that acts as a
    // button reads as one, named for what it does, and is reached with Tab,
    // not taken by a click from the field being typed in.
    void anEventPagesLabelButtonsTakeItsColoursAndReadAsNamedButtons()
    {
        PageFixture<CalendarView> p;
        const LabelColours c{Qt::darkRed, Qt::yellow, Qt::lightGray, Qt::darkBlue, Qt::darkGreen, Qt::cyan};
        p.page->setLabelColours(c);
        auto* command = p.Find<LabelButton>("MenuL29");
        QCOMPARE(command->shownBackground(), c.notSelBack);
        QCOMPARE(command->shownText(), c.notSelText);
        auto* change = p.Find<LabelButton>("MenuL27");
        QVERIFY(!change->isEnabled());
        QVERIFY(change->isVisible());

        QCOMPARE(QAccessible::queryAccessibleInterface(p.Find<LabelButton>("MenuL34"))->text(QAccessible::Name),
                 QStringLiteral("Next event"));
        for (LabelButton* b : p.page->findChildren<LabelButton*>()) {
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(b);
            QVERIFY2(!reader->text(QAccessible::Name).isEmpty(), qPrintable(b->objectName()));
            QVERIFY(reader->role() == QAccessible::Button || reader->role() == QAccessible::ButtonMenu);
            QCOMPARE(b->focusPolicy(), Qt::TabFocus);
        }
    }

    // From a click, Space and a screen reader.
    void aLabelWithAMenuOpensIt()
    {
        QWidget window;
        auto* go = MakeLabelButton(&window, "T17", QStringLiteral("Go to"));
        auto* menu = new QMenu(go);
        menu->addAction(QStringLiteral("Ann Smith"));
        go->setMenu(menu);
        go->move(20, 20);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(go, Qt::LeftButton);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        go->setFocus();
        QTest::keyClick(go, Qt::Key_Space);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(go);
        QCOMPARE(reader->role(), QAccessible::ButtonMenu);
        QVERIFY(reader->state().hasPopup);
        QCOMPARE(reader->actionInterface()->actionNames().value(0), QAccessibleActionInterface::showMenuAction());
        reader->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }
};

}  // namespace orv::test

QTEST_MAIN(orv::test::LabelButtonTest)
#include "labelbutton_test.moc"
