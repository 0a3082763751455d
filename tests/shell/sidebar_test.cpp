// The sidebar as the user meets it, with the mouse and with the keyboard:
// items shown and hidden from the heads' menus, "Dynamic" groups and the
// marks kept in the settings. Which item opens which view, and the marker of
// the current one, are checked on the main window.
// Its groups are read from the sidebar itself: a head's menu lists a check for
// each item below the head, in the same order, then "Dynamic".
#include <QAction>
#include <QMenu>
#include <QSignalSpy>
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

    // A head's menu opens on a right click and from the keyboard, toggling
    // nothing; each check hides its own item, and the head follows: with
    // every item hidden its mark goes, unless "Dynamic" is checked.
    void aHeadsMenuHidesOneItemPerCheckAndTheHeadFollows()
    {
        const Group& g = groups[2];
        QTest::mouseClick(g.head, Qt::RightButton);
        QVERIFY(g.menu->isVisible());
        g.menu->hide();
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(1, 1), g.head->mapToGlobal(QPoint(1, 1)));
        QCoreApplication::sendEvent(g.head, &key);
        QVERIFY(g.menu->isVisible());
        QVERIFY(isExpanded(g));
        g.menu->hide();

        g.checks.first()->trigger();
        QVERIFY(isHidden(g.items.first()));
        QVERIFY(isShown(g.items.last()));
        QVERIFY(g.headCheck->isChecked());
        for (QAction* check : g.checks.mid(1)) check->trigger();
        QVERIFY(g.head->isVisible());  // only the head is left
        QVERIFY(!g.headCheck->isChecked());

        g.checks.first()->trigger();
        QVERIFY(isShown(g.items.first()));
        QVERIFY(g.headCheck->isChecked());
        g.dynamic->trigger();
        g.checks.first()->trigger();
        QVERIFY(g.headCheck->isChecked());
    }

    // Events and Search dynamic, Address not: a click on the Events head.
    void headClicksToggleTheGroupAndADynamicOneCollapsesTheOtherDynamicGroups()
    {
        const int group = 0;
        const QList<bool> dynamic{true, true, false};
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
    }

    // Which keys press a label is the label's own test (tests/views).
    void everyItemIsReachedAndPressedFromTheKeyboard()
    {
        bar->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(bar.get()));
        groups[0].checks[1]->trigger();  // hidden: Tab passes it by
        groups[0].items[0]->setFocus();
        QTest::keyClick(bar.get(), Qt::Key_Tab);
        LabelButton* reached = groups[0].items[2];
        QCOMPARE(QApplication::focusWidget(), reached);

        QSignalSpy views(bar.get(), &Sidebar::viewRequested);
        QTest::keyClick(reached, Qt::Key_Space);
        QCOMPARE(views.count(), 1);
        QCOMPARE(views.at(0).at(0).value<ViewItem>(), ViewItem(reached->objectName().mid(5).toInt()));
        groups[1].head->setFocus();
        QTest::keyClick(groups[1].head, Qt::Key_Space);
        QVERIFY(isCollapsed(groups[1]));
        // Export and import ask for their windows, not for a view.
        QSignalSpy exports(bar.get(), &Sidebar::exportRequested);
        QSignalSpy imports(bar.get(), &Sidebar::importRequested);
        QTest::keyClick(label("MenuL41"), Qt::Key_Space);
        QTest::keyClick(label("MenuL42"), Qt::Key_Space);
        QCOMPARE(exports.count(), 1);
        QCOMPARE(imports.count(), 1);
        QCOMPARE(views.count(), 1);
    }

    // Every mark of every menu is kept under "MenuPopupMenu<menu><index of its
    // check in the menu>": items stored hidden, "Dynamic" stored on.
    void everyMarkTravelsThroughTheSettingsStoreUnderItsMenuPlace()
    {
        const std::string key{orv::kSettingsKey};
        for (qsizetype g = 0; g < groups.size(); ++g) {
            const QList<QAction*> actions = groups[g].menu->actions();
            for (qsizetype i = 1; i < actions.size(); ++i) {
                if (actions[i]->isSeparator()) continue;
                const std::string value = QString("MenuPopupMenu%1%2").arg(g + 1).arg(i).toStdString();
                const bool stored = actions[i] == groups[g].dynamic;
                orv::SettingsStore in;
                QVERIFY(in.WriteBool(key, value, stored).ok);
                orv::Settings settings;
                QVERIFY(orv::ReadSettings(in, settings).ok);

                Sidebar fresh;
                fresh.RestoreMarks(settings);
                QCOMPARE(fresh.findChild<QAction*>(actions[i]->objectName())->isChecked(), stored);
                orv::Settings saved;
                fresh.SaveMarks(saved);
                orv::SettingsStore out;
                QVERIFY(orv::WriteSaveAllSettings(out, saved).ok);
                QVERIFY2(out.ReadBool(key, value).value == stored, value.c_str());
            }
        }
    }
};

QTEST_MAIN(SidebarTest)
#include "sidebar_test.moc"
