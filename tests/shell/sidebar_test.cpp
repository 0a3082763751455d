// The sidebar as the user meets it, with the mouse and with the keyboard:
// items shown and hidden from the heads' menus, "Dynamic" groups, the layout
// rules, the current-view marker, hover colours and the marks kept in the settings.
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

constexpr int kItem = 20;  // item height used throughout, so the expected tops are plain numbers

const QStringList kOrder{"ML1",     "MenuL1", "MenuL2", "MenuL13", "MenuL3",  "MenuL4",
                         "MenuL5",  "MenuL12", "MenuL6", "MenuL7",  "ML2",     "MenuL8",
                         "MenuL9",  "MenuL10", "ML4",    "MenuL11", "MenuL41", "MenuL42"};

struct GroupNames {
    const char* head;
    const char* menu;
    const char* headCheck;
    QStringList items;   // popup actions
    QStringList labels;  // the sidebar items they show or hide
    const char* dynamic;
};

const GroupNames kGroups[3] = {
    {"ML1",
     "MenuPopupMenu1",
     "Events1",
     {"N5", "Calendar5", "CalendarMonth1", "People1", "Weekly2", "Monthly2", "Annually3", "Advanced2", "Todo1"},
     {"MenuL1", "MenuL2", "MenuL13", "MenuL3", "MenuL4", "MenuL5", "MenuL12", "MenuL6", "MenuL7"},
     "Dynamic1"},
    {"ML2", "MenuPopupMenu2", "Search1", {"People2", "Calendar6", "Periodical1"}, {"MenuL8", "MenuL9", "MenuL10"}, "Dynamic2"},
    {"ML4", "MenuPopupMenu3", "Address2", {"Phonebook1", "Export1", "Import2"}, {"MenuL11", "MenuL41", "MenuL42"}, "Dynamic3"},
};

const std::string kKey{orv::kSettingsKey};
const QColor kSelected("#337373");

}  // namespace

class SidebarTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Sidebar> bar;

    LabelButton* label(const QString& name) const
    {
        auto* found = bar->findChild<LabelButton*>(name);
        if (found == nullptr) qFatal("no label %s", qPrintable(name));
        return found;
    }
    QAction* action(const QString& name) const
    {
        auto* found = bar->findChild<QAction*>(name);
        if (found == nullptr) qFatal("no action %s", qPrintable(name));
        return found;
    }
    QColor back(const QString& name) const { return label(name)->shownBackground(); }
    bool isShownItem(const QString& name) const
    {
        return label(name)->height() == kItem && label(name)->property("tag").toInt() == 0;
    }
    bool isHiddenItem(const QString& name) const
    {
        return label(name)->height() == 0 && label(name)->property("tag").toInt() == Sidebar::kHiddenTag &&
               !label(name)->isVisible();
    }
    void clickHead(const GroupNames& group) { QTest::mouseClick(label(group.head), Qt::LeftButton); }
    bool isCollapsed(const GroupNames& group) const
    {
        for (const QString& item : group.items)
            if (action(item)->isChecked()) return false;
        for (const QString& name : group.labels)
            if (!isHiddenItem(name)) return false;
        return !action(group.headCheck)->isChecked();
    }
    bool isExpanded(const GroupNames& group) const
    {
        for (const QString& item : group.items)
            if (!action(item)->isChecked()) return false;
        for (const QString& name : group.labels)
            if (!isShownItem(name)) return false;
        return action(group.headCheck)->isChecked();
    }

private slots:
    void init()
    {
        bar = std::make_unique<Sidebar>();
        bar->setItemHeight(kItem);
        bar->resize(120, 600);
        bar->show();
        QVERIFY(QTest::qWaitForWindowExposed(bar.get()));
    }
    void cleanup() { bar.reset(); }

    void aHeadsMenuOpensOnARightClickOrFromTheKeyboard_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<bool>("keyboard");
        for (int g = 0; g < 3; ++g) {
            QTest::addRow("%s, mouse", kGroups[g].head) << g << false;
            QTest::addRow("%s, menu key", kGroups[g].head) << g << true;
        }
    }
    void aHeadsMenuOpensOnARightClickOrFromTheKeyboard()
    {
        QFETCH(int, group);
        QFETCH(bool, keyboard);
        const GroupNames& names = kGroups[group];
        auto* popup = bar->findChild<QMenu*>(names.menu);
        if (keyboard) {
            QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(1, 1), label(names.head)->mapToGlobal(QPoint(1, 1)));
            QCoreApplication::sendEvent(label(names.head), &key);
        } else {
            QTest::mouseClick(label(names.head), Qt::RightButton);
        }
        QVERIFY(popup->isVisible());
        QStringList objectNames;
        for (const QAction* a : popup->actions()) objectNames << a->objectName();
        const QStringList expected = QStringList{names.headCheck} + names.items + QStringList{"", names.dynamic};
        QCOMPARE(objectNames, expected);
        QVERIFY(isExpanded(names));  // opening the menu toggles nothing
        popup->hide();
    }

    void popupItemsHideOneItemEachAndTheHeadFollows_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<bool>("dynamic");
        for (int g = 0; g < 3; ++g) {
            QTest::addRow("%s", kGroups[g].head) << g << false;
            QTest::addRow("%s, Dynamic", kGroups[g].head) << g << true;
        }
    }
    void popupItemsHideOneItemEachAndTheHeadFollows()
    {
        QFETCH(int, group);
        QFETCH(bool, dynamic);
        const GroupNames& names = kGroups[group];
        if (dynamic) action(names.dynamic)->trigger();
        action(names.items.first())->trigger();
        QVERIFY(isHiddenItem(names.labels.first()));
        QVERIFY(isShownItem(names.labels.last()));
        QVERIFY(action(names.headCheck)->isChecked());

        for (const QString& item : names.items.mid(1)) action(item)->trigger();
        // Only the head is left; its mark stays while "Dynamic" is checked.
        QVERIFY(label(names.head)->isVisible());
        QCOMPARE(label(names.head)->height(), kItem);
        QCOMPARE(action(names.headCheck)->isChecked(), dynamic);

        action(names.items.first())->trigger();
        QVERIFY(isShownItem(names.labels.first()));
        QVERIFY(action(names.headCheck)->isChecked());
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
            if (dynamic[g]) action(kGroups[g].dynamic)->trigger();
        action(kGroups[group].items.first())->trigger();  // one already hidden: collapsing still hides all

        clickHead(kGroups[group]);
        QVERIFY(isCollapsed(kGroups[group]));
        for (int g = 0; g < 3; ++g)
            if (g != group) QVERIFY2(isExpanded(kGroups[g]), "collapsing leaves the others");

        clickHead(kGroups[group]);
        QVERIFY(isExpanded(kGroups[group]));
        for (int g = 0; g < 3; ++g) {
            if (g == group) continue;
            const bool collapsed = dynamic[group] && dynamic[g];
            QVERIFY2(collapsed ? isCollapsed(kGroups[g]) : isExpanded(kGroups[g]), kGroups[g].head);
        }
    }

    void theHeadCheckItemTogglesItsGroupOnly()
    {
        action("Dynamic1")->trigger();
        action("Dynamic2")->trigger();
        action("Events1")->trigger();
        QVERIFY(isCollapsed(kGroups[0]));
        action("Events1")->trigger();  // from the menu, "Dynamic" collapses nothing else
        QVERIFY(isExpanded(kGroups[0]));
        QVERIFY(isExpanded(kGroups[1]));
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
        doubleClick(label("ML2"));
        QVERIFY(isExpanded(kGroups[1]));
        QSignalSpy views(bar.get(), &Sidebar::viewRequested);
        doubleClick(label("MenuL6"));
        QVERIFY(views.count() >= 1);
        QCOMPARE(views.at(0).at(0).value<ViewItem>(), ViewItem::Advanced);
        QVERIFY(isExpanded(kGroups[0]));
    }

    void layoutTopsFollowTheRules_data()
    {
        QTest::addColumn<QStringList>("triggered");
        QTest::addColumn<QList<int>>("tops");
        QTest::newRow("all shown") << QStringList{}
                                   << QList<int>{0,   22,  44,  66,  88,  110, 132, 154, 176,
                                                 198, 224, 246, 268, 290, 316, 338, 360, 382};
        QTest::newRow("first and last of Events hidden")
            << QStringList{"N5", "Todo1"}
            << QList<int>{0, 20, 22, 44, 66, 88, 110, 132, 154, 174, 180, 202, 224, 246, 272, 294, 316, 338};
        QTest::newRow("everything collapsed")
            << QStringList{"Events1", "Search1", "Address2"}
            << QList<int>{0, 20, 20, 20, 20, 20, 20, 20, 20, 20, 26, 46, 46, 46, 52, 72, 72, 72};
    }
    void layoutTopsFollowTheRules()
    {
        QFETCH(QStringList, triggered);
        QFETCH(QList<int>, tops);
        for (const QString& name : triggered) action(name)->trigger();
        for (qsizetype i = 0; i < kOrder.size(); ++i) {
            LabelButton* item = label(kOrder[i]);
            QVERIFY2(item->y() == tops[i], qPrintable(QString("%1 at %2").arg(kOrder[i]).arg(item->y())));
            QCOMPARE(item->width(), bar->width());
            QCOMPARE(item->height(), item->property("tag").toInt() == Sidebar::kHiddenTag ? 0 : kItem);
        }
    }

    void shrinkingHidesTheLowestLabelsAndGrowingBringsThemBack()
    {
        action("Periodical1")->trigger();  // a hidden item keeps being hidden throughout
        bar->resize(120, 382);             // Import ends at 380 and needs 2 pixels below it
        QVERIFY(label("MenuL42")->isVisibleTo(bar.get()));
        bar->resize(120, 381);
        QVERIFY(!label("MenuL42")->isVisibleTo(bar.get()));
        QVERIFY(label("MenuL41")->isVisibleTo(bar.get()));
        bar->resize(120, 250);  // ML2 ends at 244
        QVERIFY(label("ML2")->isVisibleTo(bar.get()));
        QVERIFY(!label("ML4")->isVisibleTo(bar.get()));
        QVERIFY(action("Import2")->isChecked());

        bar->resize(120, 600);
        for (const QString& name : kOrder)
            QVERIFY2(label(name)->isVisibleTo(bar.get()) == (name != "MenuL10"), qPrintable(name));
        QVERIFY(isHiddenItem("MenuL10"));
    }

    void itemsTakeTheHeightOfTheirFontOrTheHeightSet()
    {
        // A font chosen for the items themselves must not clip their captions.
        Sidebar fresh;
        QFont big = fresh.font();
        big.setPointSize(30);
        for (LabelButton* item : fresh.findChildren<LabelButton*>()) item->setFont(big);
        QCOMPARE(fresh.itemHeight(), QFontMetrics(big).height() + 4);
        QCOMPARE(fresh.findChild<LabelButton*>("MenuL1")->y(), fresh.itemHeight() + 2);
        fresh.setItemHeight(15);
        fresh.setFont(QFont());
        QCOMPARE(fresh.itemHeight(), 15);

        // A hidden item stays at 0, also when a font change pinned it there.
        action("Weekly2")->trigger();
        action("People1")->trigger();
        label("MenuL3")->setFixedHeight(0);
        action("People1")->trigger();
        bar->setItemHeight(30);
        QCOMPARE(label("MenuL4")->height(), 0);
        QCOMPARE(label("MenuL3")->height(), 30);
        QCOMPARE(label("MenuL1")->y(), 32);
    }

    void theMarkerBoldsExactlyOneItemAndKeepsItsFont_data()
    {
        QTest::addColumn<ViewItem>("first");
        QTest::addColumn<ViewItem>("second");
        QTest::newRow("overview, then month calendar") << ViewItem::NextWeek << ViewItem::MonthCal;
        QTest::newRow("people search twice") << ViewItem::SearchPeople << ViewItem::SearchPeople;
    }
    void theMarkerBoldsExactlyOneItemAndKeepsItsFont()
    {
        QFETCH(ViewItem, first);
        QFETCH(ViewItem, second);
        QCOMPARE(bar->viewEventNumber(), 1);  // without a mark the last view is the overview
        const QString marked = QString("MenuL%1").arg(static_cast<int>(second));
        QFont chosen("Serif");
        chosen.setPointSize(17);
        label(marked)->setFont(chosen);
        bar->setCurrent(first);
        bar->setCurrent(second);
        for (const QString& name : kOrder) QCOMPARE(label(name)->font().bold(), name == marked);
        QCOMPARE(label(marked)->font().pointSize(), 17);
        QCOMPARE(bar->current(), std::optional<ViewItem>(second));
        QCOMPARE(bar->viewEventNumber(), static_cast<int>(second));
    }

    void hoverColoursFollowThePointerAndNotAShortcut()
    {
        // Marked by a shortcut with the pointer elsewhere: no hover colours stay.
        QSignalSpy hover(bar.get(), &Sidebar::hoverChanged);
        bar->setCurrent(ViewItem::Weekly);
        QCOMPARE(hover.count(), 1);
        QCOMPARE(back("MenuL4"), orv::DefaultSidebarColours().notSelBack);

        QTest::mouseMove(bar.get(), QPoint(5, 21));  // the gap below "Events"
        QTest::mouseMove(label("MenuL5"));
        QCOMPARE(hover.last().at(0).value<QObject*>(), label("MenuL5"));
        for (const QString& name : kOrder) {
            const QColor expected = name.startsWith("ML") ? QColor("#334D73")
                                    : name == "MenuL5"    ? kSelected
                                                          : orv::DefaultSidebarColours().notSelBack;
            QCOMPARE(back(name), expected);
        }
        // Another label of the window takes the hover from the items.
        QLabel elsewhere("Today");
        bar->HoverOver(&elsewhere);
        QCOMPARE(back("MenuL5"), orv::DefaultSidebarColours().notSelBack);
        bar->HoverOver(label("MenuL4"));
        QCOMPARE(back("MenuL4"), kSelected);
    }

    void theHeadsTakeTheMenuColours()
    {
        const orv::SidebarColours colours{Qt::red, Qt::yellow, Qt::gray, Qt::blue, Qt::green, Qt::magenta};
        bar->HoverOver(label("MenuL11"));
        bar->setColours(colours);
        QCOMPARE(back("ML4"), QColor(Qt::red));
        QCOMPARE(label("ML4")->shownText(), QColor(Qt::yellow));
        QCOMPARE(back("MenuL11"), QColor(Qt::green));
        QCOMPARE(label("MenuL3")->shownText(), QColor(Qt::blue));
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
        action("Calendar5")->trigger();  // hidden: Tab passes it by
        label("MenuL1")->setFocus();
        QTest::keyClick(bar.get(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), label("MenuL13"));
        QCOMPARE(back("MenuL13"), kSelected);  // the focused item is lit as under the mouse

        QSignalSpy views(bar.get(), &Sidebar::viewRequested);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(views.count(), 1);
        QCOMPARE(views.at(0).at(0).value<ViewItem>(), ViewItem::MonthCal);
        label("ML2")->setFocus();
        QTest::keyClick(label("ML2"), Qt::Key(key));
        QVERIFY(isCollapsed(kGroups[1]));
    }

    void exportAndImportAskForTheirWindows()
    {
        QSignalSpy exports(bar.get(), &Sidebar::exportRequested);
        QSignalSpy imports(bar.get(), &Sidebar::importRequested);
        QTest::mouseClick(label("MenuL41"), Qt::LeftButton);
        QTest::mouseClick(label("MenuL42"), Qt::LeftButton);
        QCOMPARE(exports.count(), 1);
        QCOMPARE(imports.count(), 1);
    }

    void marksTravelThroughTheSettingsStore_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("item");  // empty for "Dynamic"
        QTest::newRow("Next week") << "MenuPopupMenu11" << "N5" << "MenuL1";
        QTest::newRow("To do..") << "MenuPopupMenu19" << "Todo1" << "MenuL7";
        QTest::newRow("Events Dynamic") << "MenuPopupMenu111" << "Dynamic1" << "";
        QTest::newRow("Import") << "MenuPopupMenu33" << "Import2" << "MenuL42";
        QTest::newRow("Address Dynamic") << "MenuPopupMenu35" << "Dynamic3" << "";
    }
    void marksTravelThroughTheSettingsStore()
    {
        QFETCH(QString, value);
        QFETCH(QString, mark);
        QFETCH(QString, item);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const bool stored = item.isEmpty();  // items are stored hidden, "Dynamic" on: both differ from the start
        orv::SettingsStore store(dir.filePath("settings.reg").toStdString());
        QVERIFY(store.WriteBool(kKey, value.toStdString(), stored).ok);
        orv::Settings settings;
        QVERIFY(orv::ReadSettings(store, settings).ok);

        bar->RestoreMarks(settings);

        QCOMPARE(action(mark)->isChecked(), stored);
        if (!item.isEmpty()) QVERIFY(isHiddenItem(item));
        orv::Settings saved;
        bar->SaveMarks(saved);
        orv::SettingsStore out(dir.filePath("saved.reg").toStdString());
        QVERIFY(orv::WriteSaveAllSettings(out, saved).ok);
        QCOMPARE(out.ReadBool(kKey, value.toStdString()).value, stored);
        const std::string untouched = value == "MenuPopupMenu12" ? "MenuPopupMenu11" : "MenuPopupMenu12";
        QCOMPARE(out.ReadBool(kKey, untouched).value, true);
    }

    void restoreEndsAtTheStoredStateAndAbsentMarksChangeNothing()
    {
        action("Phonebook1")->trigger();  // hidden now, stored as shown
        action("Dynamic3")->trigger();    // on now, stored as off
        action("Todo1")->trigger();       // hidden now, not stored
        orv::Settings settings;
        settings.MenuPopupMenu31 = true;
        settings.MenuPopupMenu32 = false;
        settings.MenuPopupMenu35 = false;
        settings.MenuPopupMenu21 = settings.MenuPopupMenu22 = settings.MenuPopupMenu23 = false;

        bar->RestoreMarks(settings);

        QVERIFY(isShownItem("MenuL11"));
        QVERIFY(isHiddenItem("MenuL41"));
        QVERIFY(!action("Dynamic3")->isChecked());
        QVERIFY(isCollapsed(kGroups[1]));
        QVERIFY(isHiddenItem("MenuL7"));
    }
};

QTEST_MAIN(SidebarTest)
#include "sidebar_test.moc"
