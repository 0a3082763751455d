// The sidebar as the user meets it: items shown and hidden from the heads'
// menus, "Dynamic" groups, the layout rules, the current-view marker, hover
// colours and the marks kept in the settings.
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
    {"ML2",
     "MenuPopupMenu2",
     "Search1",
     {"People2", "Calendar6", "Periodical1"},
     {"MenuL8", "MenuL9", "MenuL10"},
     "Dynamic2"},
    {"ML4",
     "MenuPopupMenu3",
     "Address2",
     {"Phonebook1", "Export1", "Import2"},
     {"MenuL11", "MenuL41", "MenuL42"},
     "Dynamic3"},
};

const std::string kKey{orv::kSettingsKey};

}  // namespace

class SidebarTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Sidebar> bar;

    QLabel* label(const QString& name) const
    {
        auto* found = bar->findChild<QLabel*>(name);
        if (found == nullptr) qFatal("no label %s", qPrintable(name));
        return found;
    }
    QAction* action(const QString& name) const
    {
        auto* found = bar->findChild<QAction*>(name);
        if (found == nullptr) qFatal("no action %s", qPrintable(name));
        return found;
    }
    QMenu* menu(const QString& name) const
    {
        auto* found = bar->findChild<QMenu*>(name);
        if (found == nullptr) qFatal("no menu %s", qPrintable(name));
        return found;
    }
    bool isShownItem(const QString& name) const
    {
        return label(name)->height() == kItem && label(name)->property("tag").toInt() == 0;
    }
    bool isHiddenItem(const QString& name) const
    {
        return label(name)->height() == 0 && label(name)->property("tag").toInt() == Sidebar::kHiddenTag;
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

    void holdsItsLabelsInOrderWithTheirCaptions()
    {
        const QStringList captions{"Events",   "Next week", "Calendar", "Month cal", "People",     "Weekly",
                                   "Monthly",  "Annually",  "Advanced", "To do..",   "Search",     "People",
                                   "Calendar", "Periodical", "Address", "Phone book", "Export",    "Import"};
        QCOMPARE(bar->objectName(), QString("Panel4"));
        const QList<QLabel*> labels = bar->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(labels.size(), kOrder.size());
        for (qsizetype i = 0; i < labels.size(); ++i) {
            QCOMPARE(labels[i]->objectName(), kOrder[i]);
            QCOMPARE(labels[i]->text(), captions[i]);
            QCOMPARE(labels[i]->cursor().shape(), Qt::PointingHandCursor);
            QCOMPARE(labels[i]->width(), bar->width());
        }
    }

    void rightClickOnAHeadOpensItsMenu_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("Events") << 0
                                << QStringList{"Events",   "Next week", "Calendar", "Month cal", "People", "Weekly",
                                               "Monthly",  "Annually",  "Advanced", "To do..",   "",       "Dynamic"};
        QTest::newRow("Search") << 1 << QStringList{"Search", "People", "Calendar", "Periodical", "", "Dynamic"};
        QTest::newRow("Address") << 2 << QStringList{"Address", "Phone book", "Export", "Import", "", "Dynamic"};
    }
    void rightClickOnAHeadOpensItsMenu()
    {
        QFETCH(int, group);
        QFETCH(QStringList, captions);
        const GroupNames& names = kGroups[group];
        QMenu* popup = menu(names.menu);
        QVERIFY(!popup->isVisible());

        QTest::mouseClick(label(names.head), Qt::RightButton);

        QVERIFY(popup->isVisible());
        const QStringList objectNames = QStringList{names.headCheck} + names.items + QStringList{"", names.dynamic};
        const QList<QAction*> actions = popup->actions();
        QCOMPARE(actions.size(), captions.size());
        for (qsizetype i = 0; i < actions.size(); ++i) {
            QCOMPARE(actions[i]->objectName(), objectNames[i]);
            QCOMPARE(actions[i]->text(), captions[i]);
            QCOMPARE(actions[i]->isSeparator(), captions[i].isEmpty());
            QCOMPARE(actions[i]->isCheckable(), !captions[i].isEmpty());
            QCOMPARE(actions[i]->isChecked(), i < captions.size() - 2);  // all shown, Dynamic off
        }
        QCOMPARE(isExpanded(names), true);  // the right click itself toggles nothing
        popup->hide();
    }

    void popupItemHidesAndShowsOneItem()
    {
        action("CalendarMonth1")->trigger();
        QVERIFY(isHiddenItem("MenuL13"));
        QVERIFY(!action("CalendarMonth1")->isChecked());
        QVERIFY(action("Events1")->isChecked());
        QVERIFY(isShownItem("MenuL2"));

        action("CalendarMonth1")->trigger();
        QVERIFY(isShownItem("MenuL13"));
        QVERIFY(action("CalendarMonth1")->isChecked());
    }

    void hidingAllItemsLeavesOnlyTheHead_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<bool>("dynamic");
        QTest::newRow("Events") << 0 << false;
        QTest::newRow("Events, Dynamic") << 0 << true;
        QTest::newRow("Search") << 1 << false;
        QTest::newRow("Search, Dynamic") << 1 << true;
        QTest::newRow("Address") << 2 << false;
        QTest::newRow("Address, Dynamic") << 2 << true;
    }
    void hidingAllItemsLeavesOnlyTheHead()
    {
        QFETCH(int, group);
        QFETCH(bool, dynamic);
        const GroupNames& names = kGroups[group];
        if (dynamic) action(names.dynamic)->trigger();
        QCOMPARE(action(names.dynamic)->isChecked(), dynamic);

        for (const QString& item : names.items) action(item)->trigger();

        for (const QString& name : names.labels) QVERIFY2(isHiddenItem(name), qPrintable(name));
        QVERIFY(label(names.head)->isVisible());
        QCOMPARE(label(names.head)->height(), kItem);
        QCOMPARE(action(names.headCheck)->isChecked(), dynamic);
        for (const GroupNames& other : kGroups)
            if (&other != &names) QVERIFY(isExpanded(other));
    }

    void clickOnAHeadHidesThenShowsTheWholeGroup_data()
    {
        QTest::addColumn<int>("group");
        QTest::newRow("Events") << 0;
        QTest::newRow("Search") << 1;
        QTest::newRow("Address") << 2;
    }
    void clickOnAHeadHidesThenShowsTheWholeGroup()
    {
        QFETCH(int, group);
        const GroupNames& names = kGroups[group];
        action(names.items.first())->trigger();  // one already hidden: collapsing still hides all

        clickHead(names);
        QVERIFY(isCollapsed(names));

        clickHead(names);
        QVERIFY(isExpanded(names));
    }

    void headCheckItemTogglesTheGroupWithoutDynamic()
    {
        action("Dynamic1")->trigger();
        action("Dynamic2")->trigger();
        action("Events1")->trigger();
        QVERIFY(isCollapsed(kGroups[0]));

        action("Events1")->trigger();  // from the menu, "Dynamic" collapses nothing else

        QVERIFY(isExpanded(kGroups[0]));
        QVERIFY(isExpanded(kGroups[1]));
    }

    void doubleClickOnAHeadTogglesTwice()
    {
        // What a double click delivers: a click, then a press, the double click and a release.
        QLabel* head = label("ML2");
        QTest::mouseClick(head, Qt::LeftButton);
        QVERIFY(isCollapsed(kGroups[1]));
        QTest::mousePress(head, Qt::LeftButton);
        QTest::mouseDClick(head, Qt::LeftButton);
        QTest::mouseRelease(head, Qt::LeftButton);
        QVERIFY(isExpanded(kGroups[1]));
    }

    void doubleClickOnAnItemAsksForItsViewOnce()
    {
        QSignalSpy views(bar.get(), &Sidebar::viewRequested);
        QLabel* item = label("MenuL6");
        QTest::mouseClick(item, Qt::LeftButton);
        QTest::mousePress(item, Qt::LeftButton);
        QTest::mouseDClick(item, Qt::LeftButton);
        QTest::mouseRelease(item, Qt::LeftButton);
        QCOMPARE(views.count(), 1);
    }

    void clickOnAnItemDoesNotToggleItsGroup()
    {
        QTest::mouseClick(label("MenuL9"), Qt::LeftButton);
        QVERIFY(isExpanded(kGroups[1]));
    }

    void expandingADynamicGroupCollapsesTheOtherDynamicGroups_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<bool>("otherDynamicOff");  // the last of the other groups is not dynamic
        QTest::newRow("Events") << 0 << false;
        QTest::newRow("Search") << 1 << false;
        QTest::newRow("Address") << 2 << false;
        QTest::newRow("Events, Address not dynamic") << 0 << true;
        QTest::newRow("Address, Search not dynamic") << 2 << true;
    }
    void expandingADynamicGroupCollapsesTheOtherDynamicGroups()
    {
        QFETCH(int, group);
        QFETCH(bool, otherDynamicOff);
        int lastOther = -1;
        for (int g = 0; g < 3; ++g) {
            if (g != group) lastOther = g;
        }
        for (int g = 0; g < 3; ++g)
            if (!(otherDynamicOff && g == lastOther)) action(kGroups[g].dynamic)->trigger();
        clickHead(kGroups[group]);
        QVERIFY(isCollapsed(kGroups[group]));

        clickHead(kGroups[group]);

        QVERIFY(isExpanded(kGroups[group]));
        for (int g = 0; g < 3; ++g) {
            if (g == group) continue;
            const bool keeps = otherDynamicOff && g == lastOther;
            QVERIFY2(keeps ? isExpanded(kGroups[g]) : isCollapsed(kGroups[g]), kGroups[g].head);
        }
    }

    void collapsingADynamicGroupLeavesTheOthers()
    {
        for (const GroupNames& names : kGroups) action(names.dynamic)->trigger();
        clickHead(kGroups[1]);
        QVERIFY(isCollapsed(kGroups[1]));
        QVERIFY(isExpanded(kGroups[0]));
        QVERIFY(isExpanded(kGroups[2]));
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
        QTest::newRow("Search collapsed") << QStringList{"Search1"}
                                          << QList<int>{0,   22,  44,  66,  88,  110, 132, 154, 176,
                                                        198, 224, 244, 244, 244, 250, 272, 294, 316};
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
            QLabel* item = label(kOrder[i]);
            QVERIFY2(item->y() == tops[i], qPrintable(QString("%1 at %2").arg(kOrder[i]).arg(item->y())));
            QCOMPARE(item->x(), 0);
            QCOMPARE(item->height(), item->property("tag").toInt() == Sidebar::kHiddenTag ? 0 : kItem);
        }
    }

    void shrinkingHidesTheLowestLabelsAndGrowingBringsThemBack()
    {
        action("Periodical1")->trigger();  // a hidden item keeps being hidden throughout
        // Import ends at 380 now; it needs 2 pixels below it.
        bar->resize(120, 382);
        for (const QString& name : kOrder) QVERIFY2(label(name)->isVisibleTo(bar.get()), qPrintable(name));

        bar->resize(120, 381);
        QVERIFY(!label("MenuL42")->isVisibleTo(bar.get()));
        QVERIFY(label("MenuL41")->isVisibleTo(bar.get()));

        bar->resize(120, 250);  // ML2 ends at 244
        QVERIFY(label("ML2")->isVisibleTo(bar.get()));
        for (const char* name : {"MenuL8", "MenuL9", "MenuL10", "ML4", "MenuL11", "MenuL41", "MenuL42"})
            QVERIFY2(!label(name)->isVisibleTo(bar.get()), name);
        QVERIFY(isShownItem("MenuL42"));
        QVERIFY(action("Import2")->isChecked());
        QVERIFY(isHiddenItem("MenuL10"));

        bar->resize(120, 600);
        for (const QString& name : kOrder) QVERIFY2(label(name)->isVisibleTo(bar.get()), qPrintable(name));
        QVERIFY(isHiddenItem("MenuL10"));
        QVERIFY(!action("Periodical1")->isChecked());
    }

    void newItemHeightKeepsHiddenItemsAtZero()
    {
        action("Weekly2")->trigger();
        bar->setItemHeight(30);
        QCOMPARE(label("MenuL4")->height(), 0);
        QCOMPARE(label("MenuL5")->height(), 30);
        QCOMPARE(label("ML1")->height(), 30);
        QCOMPARE(label("MenuL1")->y(), 32);
    }

    void itemPinnedAtZeroByAFontChangeComesBackWhenShown()
    {
        action("People1")->trigger();
        label("MenuL3")->setFixedHeight(0);  // what applying a chosen font does to a hidden item
        action("People1")->trigger();
        QVERIFY(isShownItem("MenuL3"));
        QCOMPARE(label("MenuL4")->y(), 110);
    }

    void itemHeightFollowsTheFontUntilItIsSet()
    {
        Sidebar fresh;
        QFont big = fresh.font();
        big.setPointSize(30);
        fresh.setFont(big);
        QCOMPARE(fresh.itemHeight(), QFontMetrics(big).height() + 4);
        QCOMPARE(fresh.findChild<QLabel*>("MenuL1")->y(), fresh.itemHeight() + 2);

        fresh.setItemHeight(15);
        big.setPointSize(8);
        fresh.setFont(big);
        QCOMPARE(fresh.itemHeight(), 15);
    }

    void markerKeepsAFontChosenForTheLabels()
    {
        QFont chosen("Serif");
        chosen.setPointSize(17);
        label("MenuL9")->setFont(chosen);
        bar->setCurrent(ViewItem::SearchCalendar);
        QVERIFY(label("MenuL9")->font().bold());
        QCOMPARE(label("MenuL9")->font().pointSize(), 17);
        bar->setCurrent(ViewItem::Periodical);
        QVERIFY(!label("MenuL9")->font().bold());
        QCOMPARE(label("MenuL9")->font().pointSize(), 17);
    }

    void setCurrentBoldsExactlyOneItem_data()
    {
        QTest::addColumn<ViewItem>("first");
        QTest::addColumn<ViewItem>("second");
        QTest::newRow("overview, then month calendar") << ViewItem::NextWeek << ViewItem::MonthCal;
        QTest::newRow("phone book, then to-do") << ViewItem::PhoneBook << ViewItem::Todo;
        QTest::newRow("people search twice") << ViewItem::SearchPeople << ViewItem::SearchPeople;
    }
    void setCurrentBoldsExactlyOneItem()
    {
        QFETCH(ViewItem, first);
        QFETCH(ViewItem, second);
        bar->setCurrent(first);
        bar->setCurrent(second);

        const QString marked = QString("MenuL%1").arg(static_cast<int>(second));
        for (const QString& name : kOrder) QCOMPARE(label(name)->font().bold(), name == marked);
        QCOMPARE(bar->current(), std::optional<ViewItem>(second));
        QCOMPARE(bar->viewEventNumber(), static_cast<int>(second));
    }

    void withoutAMarkTheLastViewIsTheOverview()
    {
        QCOMPARE(bar->current(), std::nullopt);
        QCOMPARE(bar->viewEventNumber(), 1);
    }

    void setCurrentPaintsTheItemAsUnderTheMouse()
    {
        QSignalSpy hover(bar.get(), &Sidebar::hoverChanged);
        bar->setCurrent(ViewItem::Weekly);
        QCOMPARE(label("MenuL4")->palette().color(QPalette::Window), QColor("#337373"));
        QCOMPARE(label("MenuL4")->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(hover.count(), 1);
        QCOMPARE(hover.at(0).at(0).value<QObject*>(), label("MenuL4"));
    }

    void clickingAViewItemAsksForItsView_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<ViewItem>("item");
        for (int n = 1; n <= 13; ++n)
            QTest::addRow("MenuL%d", n) << QString("MenuL%1").arg(n) << static_cast<ViewItem>(n);
    }
    void clickingAViewItemAsksForItsView()
    {
        QFETCH(QString, name);
        QFETCH(ViewItem, item);
        QSignalSpy views(bar.get(), &Sidebar::viewRequested);
        QTest::mouseClick(label(name), Qt::LeftButton);
        QCOMPARE(views.count(), 1);
        QCOMPARE(views.at(0).at(0).value<ViewItem>(), item);
        QCOMPARE(bar->current(), std::nullopt);  // marking is the view command's job
    }

    void exportAndImportItemsAskForTheirWindows()
    {
        QSignalSpy views(bar.get(), &Sidebar::viewRequested);
        QSignalSpy exports(bar.get(), &Sidebar::exportRequested);
        QSignalSpy imports(bar.get(), &Sidebar::importRequested);
        QTest::mouseClick(label("MenuL41"), Qt::LeftButton);
        QCOMPARE(exports.count(), 1);
        QCOMPARE(imports.count(), 0);
        QTest::mouseClick(label("MenuL42"), Qt::LeftButton);
        QCOMPARE(imports.count(), 1);
        QCOMPARE(views.count(), 0);
    }

    void pressOnOneItemAndReleaseOnAnotherClicksNothing()
    {
        QSignalSpy views(bar.get(), &Sidebar::viewRequested);
        QTest::mousePress(label("MenuL2"), Qt::LeftButton);
        QTest::mouseRelease(label("MenuL2"), Qt::LeftButton, {}, QPoint(5, kItem + 10));
        QCOMPARE(views.count(), 0);
    }

    void itemUnderTheMouseTakesTheSelectedColours()
    {
        QTest::mouseMove(bar.get(), QPoint(5, 21));  // the gap below "Events"
        QSignalSpy hover(bar.get(), &Sidebar::hoverChanged);
        QTest::mouseMove(label("MenuL5"));
        QCOMPARE(hover.count(), 1);
        QCOMPARE(hover.at(0).at(0).value<QObject*>(), label("MenuL5"));
        for (const QString& name : kOrder) {
            const QColor back = label(name)->palette().color(QPalette::Window);
            if (name.startsWith("ML"))
                QCOMPARE(back, QColor("#334D73"));
            else
                QCOMPARE(back, name == "MenuL5" ? QColor("#337373") : orv::DefaultSidebarColours().notSelBack);
        }

        QTest::mouseMove(bar.get(), QPoint(5, 21));  // the gap below "Events"
        QCOMPARE(hover.count(), 2);
        QCOMPARE(hover.at(1).at(0).value<QObject*>(), nullptr);
        QCOMPARE(label("MenuL5")->palette().color(QPalette::WindowText), QColor(Qt::black));
    }

    void labelOfTheWindowTakesTheHoverFromTheItems()
    {
        QLabel elsewhere("Today");
        bar->HoverOver(label("MenuL11"));
        QCOMPARE(label("MenuL11")->palette().color(QPalette::Window), QColor("#337373"));

        bar->HoverOver(&elsewhere);
        QCOMPARE(label("MenuL11")->palette().color(QPalette::Window), orv::DefaultSidebarColours().notSelBack);
    }

    void itemMarkedFromTheMenuStillLightsUpUnderTheMouse()
    {
        QLabel elsewhere("Today");
        bar->setCurrent(ViewItem::Weekly);  // as a shortcut key does, wherever the mouse is
        bar->HoverOver(&elsewhere);
        QCOMPARE(label("MenuL4")->palette().color(QPalette::Window), orv::DefaultSidebarColours().notSelBack);

        QTest::mouseMove(label("MenuL4"));

        QCOMPARE(label("MenuL4")->palette().color(QPalette::Window), QColor("#337373"));
    }

    void newColoursRepaintHeadsItemsAndTheHoveredItem()
    {
        const orv::SidebarColours colours{Qt::red, Qt::yellow, Qt::gray, Qt::blue, Qt::green, Qt::magenta};
        bar->HoverOver(label("MenuL41"));
        bar->setColours(colours);
        QCOMPARE(label("ML4")->palette().color(QPalette::Window), QColor(Qt::red));
        QCOMPARE(label("ML4")->palette().color(QPalette::WindowText), QColor(Qt::yellow));
        QCOMPARE(label("MenuL41")->palette().color(QPalette::Window), QColor(Qt::green));
        QCOMPARE(label("MenuL42")->palette().color(QPalette::WindowText), QColor(Qt::blue));
    }

    void marksTravelThroughTheSettingsStore_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("mark");
        QTest::addColumn<QString>("item");  // empty for "Dynamic"
        QTest::newRow("Next week") << "MenuPopupMenu11" << "N5" << "MenuL1";
        QTest::newRow("Month cal, third in the menu") << "MenuPopupMenu13" << "CalendarMonth1" << "MenuL13";
        QTest::newRow("Annually") << "MenuPopupMenu17" << "Annually3" << "MenuL12";
        QTest::newRow("To do..") << "MenuPopupMenu19" << "Todo1" << "MenuL7";
        QTest::newRow("Events Dynamic") << "MenuPopupMenu111" << "Dynamic1" << "";
        QTest::newRow("search People") << "MenuPopupMenu21" << "People2" << "MenuL8";
        QTest::newRow("Periodical") << "MenuPopupMenu23" << "Periodical1" << "MenuL10";
        QTest::newRow("Search Dynamic") << "MenuPopupMenu25" << "Dynamic2" << "";
        QTest::newRow("Phone book") << "MenuPopupMenu31" << "Phonebook1" << "MenuL11";
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
        for (const GroupNames& group : kGroups) {
            for (const QString& other : group.items)
                if (other != mark) QVERIFY2(action(other)->isChecked(), qPrintable(other));
            if (mark != group.dynamic) QVERIFY(!action(group.dynamic)->isChecked());
        }

        orv::Settings saved;
        bar->SaveMarks(saved);
        orv::SettingsStore out(dir.filePath("saved.reg").toStdString());
        QVERIFY(orv::WriteSaveAllSettings(out, saved).ok);
        QCOMPARE(out.ReadBool(kKey, value.toStdString()).value, stored);
        const std::string untouched = value == "MenuPopupMenu12" ? "MenuPopupMenu11" : "MenuPopupMenu12";
        QCOMPARE(out.ReadBool(kKey, untouched).value, true);
        QCOMPARE(out.ReadBool(kKey, value == "MenuPopupMenu111" ? "MenuPopupMenu25" : "MenuPopupMenu111").value, false);
    }

    void restoreEndsAtTheStoredStateWhateverTheSidebarShows()
    {
        action("Phonebook1")->trigger();  // hidden now, stored as shown
        action("Dynamic3")->trigger();    // on now, stored as off
        orv::Settings settings;
        settings.MenuPopupMenu31 = true;
        settings.MenuPopupMenu32 = false;
        settings.MenuPopupMenu35 = false;

        bar->RestoreMarks(settings);

        QVERIFY(isShownItem("MenuL11"));
        QVERIFY(isHiddenItem("MenuL41"));
        QVERIFY(!action("Dynamic3")->isChecked());
        QVERIFY(action("Address2")->isChecked());
    }

    void restoreOfAllItemsHiddenUnchecksTheHead()
    {
        orv::Settings settings;
        settings.MenuPopupMenu21 = settings.MenuPopupMenu22 = settings.MenuPopupMenu23 = false;
        bar->RestoreMarks(settings);
        QVERIFY(isCollapsed(kGroups[1]));
    }

    void absentMarksChangeNothing()
    {
        action("Todo1")->trigger();
        action("Dynamic2")->trigger();
        bar->RestoreMarks(orv::Settings{});
        QVERIFY(isHiddenItem("MenuL7"));
        QVERIFY(action("Dynamic2")->isChecked());

        orv::Settings saved;
        bar->SaveMarks(saved);
        QCOMPARE(saved.MenuPopupMenu19, std::optional<bool>(false));
        QCOMPARE(saved.MenuPopupMenu18, std::optional<bool>(true));
        QCOMPARE(saved.MenuPopupMenu25, std::optional<bool>(true));
        QCOMPARE(saved.MenuPopupMenu35, std::optional<bool>(false));
    }
};

QTEST_MAIN(SidebarTest)
#include "sidebar_test.moc"
