// The to-do panel "To do list": the top, bottom and the two every-day lists,
// the entry field and the six command buttons. The list widgets mirror the
// session's to-do lists; every command changes those lists and then emits
// changed() so that the main window refreshes what shows them.
#pragma once

#include <QWidget>

#include "store/todofile.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace orv {

class Session;

class TodoView : public QWidget {
    Q_OBJECT
public:
    explicit TodoView(Session& session, QWidget* parent = nullptr);

    // Shows the session's lists again, nothing selected.
    void Reload();
    // Selects an item as a click on it would (index -1: none).
    void Select(TodoList list, int index);
    // Selects the item and presses "Done" / "Delete" for it.
    void Done(TodoList list, int index);
    void FocusEntry();

    void setEntryText(const QString& text);
    QString entryText() const;
    void setTitleColours(const QColor& background, const QColor& text);

public slots:
    void AddTop();       // SB20 "Top"
    void AddBottom();    // SB22 "Bottom"
    void AddEveryDay();  // EveryDayButton "Every day"
    void DoneSelected(); // SB21 "Done" / "Delete"
    void MoveUp();       // SB24
    void MoveDown();     // SB23

signals:
    void changed();

private:
    // The constructor's parts, in the order it runs them.
    void BuildTitle();
    void BuildLists();
    void BuildButtons();
    void Connect();
    void LayOut();
    QListWidget* widgetOf(TodoList list) const;
    std::vector<std::string>& itemsOf(TodoList list);
    void Fill(TodoList list);
    void ListClicked(TodoList list);
    void AfterAdd(TodoList clickedAs);
    // The list that holds the selection, in the order top, bottom, today's, every day.
    bool SelectedList(TodoList& list, int& index) const;
    void Move(int step);
    void EntryChanged();

    Session& session_;
    bool updating_ = false;

    QLabel* TodoTitle;
    QListWidget* TopTodoList;
    QListWidget* ListBox2;
    QListWidget* ListBox3;
    QListWidget* ListBox6;
    QLineEdit* NewTodoEdit;
    QToolButton* SB24;
    QToolButton* SB23;
    QPushButton* SB21;
    QPushButton* EveryDayButton;
    QPushButton* SB22;
    QPushButton* SB20;
};

}  // namespace orv
