// The to-do panel's commands and enabling rules, and the "New To do Event"
// dialog that feeds it.
#include <QAbstractButton>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include "views/today/tnewtodo.h"
#include "views/today/todoview.h"
#include "viewfixture.h"
#include "testclass.h"

namespace orv::test {

using Items = std::vector<std::string>;

class TodoViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SessionFixture> fx;
    std::unique_ptr<TodoView> view;

    QAbstractButton* Button(const char* name) { return view->findChild<QAbstractButton*>(QString::fromLatin1(name)); }
    QListWidget* List(const char* name) { return view->findChild<QListWidget*>(QString::fromLatin1(name)); }
    QLineEdit* Entry() { return view->findChild<QLineEdit*>(QStringLiteral("NewTodoEdit")); }
    TodoLists& Todos() { return fx->session->todos(); }

    void ClickItem(const char* list, int row)
    {
        QListWidget* w = List(list);
        QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, w->visualItemRect(w->item(row)).center());
    }

    // A list as it was, with `text` appended when it `gets` it.
    static Items Plus(Items items, bool gets, const char* text)
    {
        if (gets) items.push_back(text);
        return items;
    }

    // Whether every one of the buttons is `on` (enabled) or every one is not.
    bool All(bool on, std::initializer_list<const char*> names)
    {
        for (const char* n : names)
            if (Button(n)->isEnabled() != on) return false;
        return true;
    }

private slots:
    void init()
    {
        fx = std::make_unique<SessionFixture>();
        Todos().Top = {"a", "b", "c"};
        Todos().Bottom = {"low"};
        Todos().TodayEveryDay = {"Read", "Walk", "Walk"};
        Todos().EveryDay = {"Walk", "Read"};
        view = std::make_unique<TodoView>(*fx->session);
        view->resize(500, 500);
        view->show();
    }

    void cleanup()
    {
        view.reset();
        fx.reset();
    }

    void buttonsStartDisabledTypingEnablesTheListButtonsAndTheListsMirrorTheSession()
    {
        QVERIFY(All(false, {"SB24", "SB23", "SB21", "EveryDayButton", "SB22", "SB20"}));
        QCOMPARE(Shown(List("TopTodoList")), (QStringList{"a", "b", "c"}));
        // Typing enables the three list buttons until the field is empty again.
        QTest::keyClicks(Entry(), "x");
        QVERIFY(All(true, {"SB20", "SB22", "EveryDayButton"}));
        QVERIFY(All(false, {"SB21", "SB24", "SB23"}));
        QTest::keyClick(Entry(), Qt::Key_Backspace);
        QVERIFY(All(false, {"SB20", "SB22", "EveryDayButton"}));
    }

    // Top, bottom, and every day, which goes to both every-day lists.
    void eachListButtonAppendsTheTextAndEmptiesTheField()
    {
        const std::pair<const char*, QStringList> buttons[] = {
            {"SB20", {"Top"}}, {"SB22", {"Bottom"}}, {"EveryDayButton", {"TodayEveryDay", "EveryDay"}}};
        for (const auto& [button, lists] : buttons) {
            const TodoLists before = Todos();
            ClickItem("ListBox2", 0);
            Entry()->insert(QStringLiteral("Caf\u00e9"));  // stored as UTF-8
            QTest::mouseClick(Button(button), Qt::LeftButton);
            QCOMPARE(Todos().Top, Plus(before.Top, lists.contains("Top"), "Caf\xc3\xa9"));
            QCOMPARE(Todos().Bottom, Plus(before.Bottom, lists.contains("Bottom"), "Caf\xc3\xa9"));
            QCOMPARE(Todos().TodayEveryDay, Plus(before.TodayEveryDay, lists.contains("TodayEveryDay"), "Caf\xc3\xa9"));
            QCOMPARE(Todos().EveryDay, Plus(before.EveryDay, lists.contains("EveryDay"), "Caf\xc3\xa9"));
            QCOMPARE(Shown(List("ListBox6")).size(), static_cast<qsizetype>(Todos().EveryDay.size()));
            QCOMPARE(Entry()->text(), QString());
            QVERIFY(All(false, {"SB24", "SB23", "SB21", "EveryDayButton", "SB22", "SB20"}));
            // The field keeps the focus for the next item; the disabled button
            // must not hand it on (once to "Help", where a blank opened help).
            QCOMPARE(view->focusWidget(), Entry());
        }
    }

    // The first and the last top item, the only bottom item and an every-day
    // item; a click clears the selection of the list clicked before.
    void clickingAnItemSetsTheDoneButtonAndTheMoves()
    {
        const struct {
            const char* list;
            int row;
            const char* caption;
            bool up, down;
        } clicks[] = {{"TopTodoList", 0, "Done", false, true}, {"TopTodoList", 2, "Done", true, false},
                      {"ListBox2", 0, "Done", false, false}, {"ListBox6", 0, "Delete", false, true}};
        for (const auto& c : clicks) {
            const char* other = c.list == std::string_view("ListBox6") ? "TopTodoList" : "ListBox6";
            ClickItem(other, 1);
            ClickItem(c.list, c.row);
            QVERIFY(List(other)->selectedItems().isEmpty());
            QCOMPARE(Button("SB21")->text(), QLatin1String(c.caption));
            QCOMPARE(Button("SB24")->isEnabled(), c.up);
            QCOMPARE(Button("SB23")->isEnabled(), c.down);
        }
    }

    void doneRemovesTheItemFromItsListOnly_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("row");
        QTest::addColumn<Items>("top");
        QTest::addColumn<Items>("todayEveryDay");
        QTest::addColumn<Items>("everyDay");
        QTest::newRow("top item, for good") << "TopTodoList" << 1 << Items{"a", "c"} << Items{"Read", "Walk", "Walk"}
                                            << Items{"Walk", "Read"};
        QTest::newRow("today's every-day item, for today")
            << "ListBox3" << 0 << Items{"a", "b", "c"} << Items{"Walk", "Walk"} << Items{"Walk", "Read"};
        QTest::newRow("every-day item, with today's copies")
            << "ListBox6" << 0 << Items{"a", "b", "c"} << Items{"Read"} << Items{"Read"};
    }
    void doneRemovesTheItemFromItsListOnly()
    {
        QFETCH(QString, list);
        QFETCH(int, row);
        QFETCH(Items, top);
        QFETCH(Items, todayEveryDay);
        QFETCH(Items, everyDay);
        ClickItem(qPrintable(list), row);
        QTest::mouseClick(Button("SB21"), Qt::LeftButton);
        QCOMPARE(Todos().Top, top);
        QCOMPARE(Todos().TodayEveryDay, todayEveryDay);
        QCOMPARE(Todos().EveryDay, everyDay);
        QVERIFY(All(false, {"SB21", "SB24", "SB23"}));
    }

    void movingDownAndUpCarriesTheSelectionOutsideTheEveryDayLists()
    {
        ClickItem("TopTodoList", 1);
        QTest::mouseClick(Button("SB23"), Qt::LeftButton);
        QCOMPARE(Todos().Top, (Items{"a", "c", "b"}));
        QCOMPARE(List("TopTodoList")->currentRow(), 2);
        QVERIFY(!Button("SB23")->isEnabled());
        QTest::mouseClick(Button("SB24"), Qt::LeftButton);
        QTest::mouseClick(Button("SB24"), Qt::LeftButton);
        QCOMPARE(Shown(List("TopTodoList")), (QStringList{"b", "a", "c"}));

        // With an every-day item chosen the moves change nothing.
        ClickItem("ListBox3", 1);
        QVERIFY(Button("SB24")->isEnabled());
        QTest::mouseClick(Button("SB24"), Qt::LeftButton);
        QTest::mouseClick(Button("SB23"), Qt::LeftButton);
        QCOMPARE(Todos().TodayEveryDay, (Items{"Read", "Walk", "Walk"}));
        QCOMPARE(Todos().Top, (Items{"b", "a", "c"}));
    }

    void doneFromTheOverviewSelectsAndPressesDone()
    {
        view->Done(TodoList::Bottom, 0);
        QVERIFY(Todos().Bottom.empty());
        view->Select(TodoList::Top, 2);
        QCOMPARE(List("TopTodoList")->currentRow(), 2);
        QVERIFY(Button("SB21")->isEnabled());
    }

    // The dialog adds to the list chosen; without text or with Cancel it adds
    // nothing, and without a choice it leaves the text in the panel's field.
    void theNewToDoDialogAddsToTheChosenList()
    {
        const struct {
            const char* choice;
            QString text;
            const char* button;
            const char* list;  // that gets the text; empty: none
        } entries[] = {{"RadioButton1", "Dentist", "OkButton", "Top"},
                       {"RadioButton2", "Dentist", "OkButton", "Bottom"},
                       {"RadioButton3", "Dentist", "OkButton", "EveryDay"},
                       {"RadioButton1", "", "OkButton", ""},
                       {"RadioButton2", "Dentist", "CancelButton", ""},
                       {"", "Dentist", "OkButton", ""}};
        for (const auto& e : entries) {
            const TodoLists before = Todos();
            const std::string_view list = e.list;
            TNewTodo dialog(*view);
            dialog.show();
            QTest::keyClicks(dialog.findChild<QLineEdit*>(QStringLiteral("Edit1")), e.text);
            if (*e.choice) QTest::mouseClick(dialog.findChild<QRadioButton*>(QLatin1String(e.choice)), Qt::LeftButton);
            QTest::mouseClick(dialog.findChild<QAbstractButton*>(QLatin1String(e.button)), Qt::LeftButton);
            QCOMPARE(Todos().Top, Plus(before.Top, list == "Top", "Dentist"));
            QCOMPARE(Todos().Bottom, Plus(before.Bottom, list == "Bottom", "Dentist"));
            QCOMPARE(Todos().EveryDay, Plus(before.EveryDay, list == "EveryDay", "Dentist"));
            QCOMPARE(Entry()->text(), *e.choice ? QString() : e.text);
        }
    }
};

ORV_TEST_CLASS(TodoViewTest);

}  // namespace orv::test

#include "todoview_test.moc"
