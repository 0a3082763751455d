// The sidebar as the user meets it, with the mouse and with the keyboard:
// items shown and hidden from the heads' menus, "Dynamic" groups, a short
// window, the current-view marker, hover colours and the marks kept in the
// settings. Which item opens which view is checked on the main window.
// Its groups are read from the sidebar itself: a head's menu lists a check for
// each item below the head, in the same order, then "Dynamic".
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/settings.h"
#include "core/settingsstore.h"
#include "shell/sidebar.h"
#include "views/common/labelbutton.h"

using orv::LabelButton;
using orv::Sidebar;
using orv::ViewItem;

namespace {

constexpr int kItem = 20;  // item height used throughout
const QColor kSelected("#337373");
QColor ItemBack() { return orv::DefaultSidebarColours().notSelBack; }

struct Group {
    LabelButton* head;
    QMenu* menu;
    QAction* headCheck;
    QList<QAction*> checks;
    QList<LabelButton*> items;
    QAction* dynamic;
};

}  // namespace

class SidebarTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Sidebar> bar;
    QList<Group> groups;
    QList<LabelButton*> labels;  // top to bottom

    void ReadGroups()
    {
        groups.clear();
        labels = bar->findChildren<LabelButton*>(Qt::FindDirectChildrenOnly);
        for (const char* name : {"MenuPopupMenu1", "MenuPopupMenu2", "MenuPopupMenu3"}) {
            auto* menu = bar->findChild<QMenu*>(QLatin1String(name));
            QVERIFY(menu);
            QList<QAction*> actions = menu->actions();
            QVERIFY(actions.size() >= 3 && actions[actions.size() - 2]->isSeparator());
            groups.append(Group{nullptr, menu, actions.first(), actions.mid(1, actions.size() - 3), {}, actions.last()});
        }
        // The heads are the labels whose caption is their menu's first item.
        qsizetype g = -1;
        for (LabelButton* label : labels) {
            if (g + 1 < groups.size() && label->text() == groups[g + 1].headCheck->text()) groups[++g].head = label;
            else if (g >= 0) groups[g].items.append(label);
        }
        for (const Group& group : groups) {
            QVERIFY(group.head);
            QCOMPARE(group.items.size(), group.checks.size());
            for (qsizetype i = 0; i < group.items.size(); ++i) QCOMPARE(group.items[i]->text(), group.checks[i]->text());
        }
    }
    LabelButton* label(const QString& name) const
    {
        auto* found = bar->findChild<LabelButton*>(name);
        if (found == nullptr) qFatal("no label %s", qPrintable(name));
        return found;
    }
    QColor back(const LabelButton* l) const { return l->shownBackground(); }
    bool isShown(const LabelButton* l) const { return l->height() == kItem && l->property("tag").toInt() == 0; }
    bool isHidden(const LabelButton* l) const
    {
        return l->height() == 0 && l->property("tag").toInt() == Sidebar::kHiddenTag && !l->isVisible();
    }
    bool isCollapsed(const Group& group) const
    {
        for (int i = 0; i < group.items.size(); ++i)
            if (group.checks[i]->isChecked() || !isHidden(group.items[i])) return false;
        return !group.headCheck->isChecked();
    }
    bool isExpanded(const Group& group) const
    {
        for (int i = 0; i < group.items.size(); ++i)
            if (!group.checks[i]->isChecked() || !isShown(group.items[i])) return false;
        return group.headCheck->isChecked();
    }
private slots:
    void init()
    {
        bar = std::make_unique<Sidebar>();
        bar->setItemHeight(kItem);
        bar->resize(120, 600);
        bar->show();
        QVERIFY(QTest::qWaitForWindowExposed(bar.get()));
        ReadGroups();
    }
    void cleanup() { bar.reset(); }

    // A head's menu opens on a right click or from the keyboard, toggling
    // nothing; each check hides its own item, and the head follows.
    void aHeadsMenuHidesOneItemPerCheckAndTheHeadFollows_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<bool>("keyboard");
        QTest::addColumn<bool>("dynamic");
        for (int g = 0; g < 3; ++g) {
            QTest::addRow("group %d, mouse", g) << g << false << false;
            QTest::addRow("group %d, menu key, Dynamic", g) << g << true << true;
        }
    }
    void aHeadsMenuHidesOneItemPerCheckAndTheHeadFollows()
    {
        QFETCH(int, group);
        QFETCH(bool, keyboard);
        QFETCH(bool, dynamic);
        const Group& g = groups[group];
        if (keyboard) {
            QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(1, 1), g.head->mapToGlobal(QPoint(1, 1)));
            QCoreApplication::sendEvent(g.head, &key);
        } else {
            QTest::mouseClick(g.head, Qt::RightButton);
        }
        QVERIFY(g.menu->isVisible());
        QVERIFY(isExpanded(g));
        g.menu->hide();

        if (dynamic) g.dynamic->trigger();
        g.checks.first()->trigger();
        QVERIFY(isHidden(g.items.first()));
        QVERIFY(isShown(g.items.last()));
        QVERIFY(g.headCheck->isChecked());

        for (QAction* check : g.checks.mid(1)) check->trigger();
        // Only the head is left; its mark stays while "Dynamic" is checked.
        QVERIFY(g.head->isVisible());
        QCOMPARE(g.head->height(), kItem);
        QCOMPARE(g.headCheck->isChecked(), dynamic);

        g.checks.first()->trigger();
        QVERIFY(isShown(g.items.first()));
        QVERIFY(g.headCheck->isChecked());
    }

    void headClicksToggleTheGroupAndADynamicOneCollapsesTheOtherDynamicGroups_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QList<bool>>("dynamic");
        QTest::newRow("Search, none dynamic") << 1 << QList<bool>{false, false, false};
        QTest::newRow("Events, all dynamic") << 0 << QList<bool>{true, true, true};
        QTest::newRow("Address, all dynamic") << 2 << QList<bool>{true, true, true};
        QTest::newRow("Events, Address not dynamic") << 0 << QList<bool>{true, true, false};
    }
    void headClicksToggleTheGroupAndADynamicOneCollapsesTheOtherDynamicGroups()
    {
        QFETCH(int, group);
        QFETCH(QList<bool>, dynamic);
        for (int g = 0; g < 3; ++g)
            if (dynamic[g]) groups[g].dynamic->trigger();
        groups[group].checks.first()->trigger();  // one already hidden: collapsing still hides all

        QTest::mouseClick(groups[group].head, Qt::LeftButton);
        QVERIFY(isCollapsed(groups[group]));
        for (int g = 0; g < 3; ++g)
            if (g != group) QVERIFY2(isExpanded(groups[g]), "collapsing leaves the others");

        QTest::mouseClick(groups[group].head, Qt::LeftButton);
        QVERIFY(isExpanded(groups[group]));
        for (int g = 0; g < 3; ++g) {
            if (g == group) continue;
            const bool collapsed = dynamic[group] && dynamic[g];
            QVERIFY2(collapsed ? isCollapsed(groups[g]) : isExpanded(groups[g]), qPrintable(groups[g].head->text()));
        }
        // From the menu, "Dynamic" collapses nothing else.
        groups[group].headCheck->trigger();
        groups[group].headCheck->trigger();
        QVERIFY(isExpanded(groups[group]));
    }

    void aDoubleClickTogglesAHeadTwiceAndAsksForAnItemsView()
    {
        // What a double click delivers: a click, then a press, the double click and a release.
        auto doubleClick = [](QWidget* w) {
            QTest::mouseClick(w, Qt::LeftButton);
            QTest::mousePress(w, Qt::LeftButton);
            QTest::mouseDClick(w, Qt::LeftButton);
            QTest::mouseRelease(w, Qt::LeftButton);
        };
        doubleClick(groups[1].head);
        QVERIFY(isExpanded(groups[1]));
        QSignalSpy views(bar.get(), &Sidebar::viewRequested);
        doubleClick(label("MenuL6"));
        QVERIFY(views.count() >= 1);
        QCOMPARE(views.at(0).at(0).value<ViewItem>(), ViewItem::Advanced);
        QVERIFY(isExpanded(groups[0]));
    }

    void shrinkingHidesTheLowestLabelsAndGrowingBringsThemBack()
    {
        LabelButton* last = labels.last();
        LabelButton* hidden = groups[1].items.last();
        groups[1].checks.last()->trigger();  // a hidden item keeps being hidden throughout
        const int needed = last->y() + kItem + 2;
        bar->resize(120, needed);
        QVERIFY(last->isVisibleTo(bar.get()));
        bar->resize(120, needed - 1);
        QVERIFY(!last->isVisibleTo(bar.get()));
        QVERIFY(labels[labels.size() - 2]->isVisibleTo(bar.get()));
        bar->resize(120, groups[2].head->y());
        QVERIFY(!groups[2].head->isVisibleTo(bar.get()));
        QVERIFY(groups[2].checks.last()->isChecked());

        bar->resize(120, 600);
        for (LabelButton* l : labels) QVERIFY2(l->isVisibleTo(bar.get()) == (l != hidden), qPrintable(l->objectName()));
        QVERIFY(isHidden(hidden));
    }

    void itemsTakeTheHeightOfTheirFontOrTheHeightSet()
    {
        // A font chosen for the items themselves must not clip their captions.
        Sidebar fresh;
        QFont big = fresh.font();
        big.setPointSize(30);
        for (LabelButton* item : fresh.findChildren<LabelButton*>()) item->setFont(big);
        QCOMPARE(fresh.itemHeight(), QFontMetrics(big).height() + 4);
        fresh.setItemHeight(15);
        fresh.setFont(QFont());
        QCOMPARE(fresh.itemHeight(), 15);

        // A hidden item stays at 0, also when a font change pinned it there.
        const Group& events = groups[0];
        events.checks[1]->trigger();
        events.checks[0]->trigger();
        events.items[0]->setFixedHeight(0);
        events.checks[0]->trigger();
        bar->setItemHeight(30);
        QCOMPARE(events.items[1]->height(), 0);
        QCOMPARE(events.items[0]->height(), 30);
    }

    // The marker bolds exactly one item, twice the same too, and keeps a font
    // chosen for it. Marked by a shortcut with the pointer elsewhere: no hover
    // colours stay; they follow the pointer.
    void theMarkerBoldsOneItemAndHoverColoursFollowThePointer()
    {
        QCOMPARE(bar->viewEventNumber(), 1);  // without a mark the last view is the overview
        LabelButton* marked = label("MenuL4");
        QFont chosen("Serif");
        chosen.setPointSize(17);
        marked->setFont(chosen);
        QSignalSpy hover(bar.get(), &Sidebar::hoverChanged);
        for (ViewItem item : {ViewItem::MonthCal, ViewItem::Weekly, ViewItem::Weekly}) bar->setCurrent(item);
        for (const LabelButton* l : labels) QCOMPARE(l->font().bold(), l == marked);
        QCOMPARE(marked->font().pointSize(), 17);
        QCOMPARE(bar->current(), std::optional<ViewItem>(ViewItem::Weekly));
        QCOMPARE(bar->viewEventNumber(), static_cast<int>(ViewItem::Weekly));
        QCOMPARE(hover.count(), 3);
        QCOMPARE(back(marked), ItemBack());

        QTest::mouseMove(bar.get(), QPoint(5, kItem + 1));  // the gap below the first head
        LabelButton* pointed = label("MenuL5");
        QTest::mouseMove(pointed);
        QCOMPARE(hover.last().at(0).value<QObject*>(), pointed);
        for (const Group& group : groups) {
            QCOMPARE(back(group.head), QColor("#334D73"));
            for (const LabelButton* item : group.items) QCOMPARE(back(item), item == pointed ? kSelected : ItemBack());
        }
        // Another label of the window takes the hover from the items.
        QLabel elsewhere("Today");
        bar->HoverOver(&elsewhere);
        QCOMPARE(back(pointed), ItemBack());
        bar->HoverOver(marked);
        QCOMPARE(back(marked), kSelected);
    }

    void everyItemIsReachedAndPressedFromTheKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Enter") << int(Qt::Key_Return);
    }
    void everyItemIsReachedAndPressedFromTheKeyboard()
    {
        QFETCH(int, key);
        bar->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(bar.get()));
        groups[0].checks[1]->trigger();  // hidden: Tab passes it by
        groups[0].items[0]->setFocus();
        QTest::keyClick(bar.get(), Qt::Key_Tab);
        LabelButton* reached = groups[0].items[2];
        QCOMPARE(QApplication::focusWidget(), reached);
        QCOMPARE(back(reached), kSelected);  // the focused item is lit as under the mouse

        QSignalSpy views(bar.get(), &Sidebar::viewRequested);
        QTest::keyClick(reached, Qt::Key(key));
        QCOMPARE(views.count(), 1);
        QCOMPARE(views.at(0).at(0).value<ViewItem>(), ViewItem(reached->objectName().mid(5).toInt()));
        groups[1].head->setFocus();
        QTest::keyClick(groups[1].head, Qt::Key(key));
        QVERIFY(isCollapsed(groups[1]));
        // Export and import ask for their windows, not for a view.
        QSignalSpy exports(bar.get(), &Sidebar::exportRequested);
        QSignalSpy imports(bar.get(), &Sidebar::importRequested);
        QTest::keyClick(label("MenuL41"), Qt::Key(key));
        QTest::keyClick(label("MenuL42"), Qt::Key(key));
        QCOMPARE(exports.count(), 1);
        QCOMPARE(imports.count(), 1);
        QCOMPARE(views.count(), 1);
    }

    // Every mark of every menu is kept under "MenuPopupMenu<menu><index of its
    // check in the menu>": items stored hidden, "Dynamic" stored on.
    void everyMarkTravelsThroughTheSettingsStoreUnderItsMenuPlace()
    {
        const std::string key{orv::kSettingsKey};
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        for (qsizetype g = 0; g < groups.size(); ++g) {
            const QList<QAction*> actions = groups[g].menu->actions();
            for (qsizetype i = 1; i < actions.size(); ++i) {
                if (actions[i]->isSeparator()) continue;
                const std::string value = QString("MenuPopupMenu%1%2").arg(g + 1).arg(i).toStdString();
                const bool stored = actions[i] == groups[g].dynamic;
                orv::SettingsStore in(dir.filePath(QString::fromStdString(value) + ".reg").toStdString());
                QVERIFY(in.WriteBool(key, value, stored).ok);
                orv::Settings settings;
                QVERIFY(orv::ReadSettings(in, settings).ok);

                Sidebar fresh;
                fresh.RestoreMarks(settings);
                QCOMPARE(fresh.findChild<QAction*>(actions[i]->objectName())->isChecked(), stored);
                orv::Settings saved;
                fresh.SaveMarks(saved);
                orv::SettingsStore out(dir.filePath("out.reg").toStdString());
                QVERIFY(orv::WriteSaveAllSettings(out, saved).ok);
                QVERIFY2(out.ReadBool(key, value).value == stored, value.c_str());
            }
        }
    }

    void restoreEndsAtTheStoredStateAndAbsentMarksChangeNothing()
    {
        const Group& address = groups[2];
        address.checks[0]->trigger();  // hidden now, stored as shown
        address.dynamic->trigger();    // on now, stored as off
        groups[0].checks.last()->trigger();  // hidden now, not stored
        orv::Settings settings;
        settings.MenuPopupMenu31 = true;
        settings.MenuPopupMenu32 = false;
        settings.MenuPopupMenu35 = false;
        settings.MenuPopupMenu21 = settings.MenuPopupMenu22 = settings.MenuPopupMenu23 = false;

        bar->RestoreMarks(settings);

        QVERIFY(isShown(address.items[0]));
        QVERIFY(isHidden(address.items[1]));
        QVERIFY(!address.dynamic->isChecked());
        QVERIFY(isCollapsed(groups[1]));
        QVERIFY(isHidden(groups[0].items.last()));
    }
};

QTEST_MAIN(SidebarTest)
#include "sidebar_test.moc"
