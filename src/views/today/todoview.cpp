#include "views/today/todoview.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

#include "core/session.h"
#include "views/common/named.h"
#include "views/common/storedtext.h"

namespace orv {

namespace {

constexpr TodoList kLists[] = {TodoList::Top, TodoList::Bottom, TodoList::TodayEveryDay, TodoList::EveryDay};

QListWidget* MakeList(QWidget* parent, const char* name)
{
    auto* list = Named<QListWidget>(QString::fromLatin1(name), parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

// A bold caption above `field`, which a screen reader names after it.
QLabel* Caption(QWidget* parent, const char* text, QWidget* field)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setBuddy(field);
    return label;
}

template <typename Button>
Button* MakeButton(QWidget* parent, const char* name, const char* caption)
{
    auto* button = Named<Button>(QString::fromLatin1(name), parent);
    button->setText(QString::fromLatin1(caption));
    button->setEnabled(false);
    return button;
}

int SelectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.first());
}

}  // namespace

TodoView::TodoView(Session& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("PP12"));
    setWindowTitle(QStringLiteral("To do list"));
    // In this order: it is the order of the view's children for screen readers.
    BuildTitle();
    BuildLists();
    BuildButtons();
    Connect();
    LayOut();
    Reload();
}

void TodoView::BuildTitle()
{
    TodoTitle = Named<QLabel>("TitlePP12", windowTitle(), this);
    TodoTitle->setAutoFillBackground(true);
    TodoTitle->setContentsMargins(6, 2, 6, 2);
    QFont titleFont = TodoTitle->font();
    titleFont.setBold(true);
    TodoTitle->setFont(titleFont);
    setTitleColours(QColor(0x33, 0x4D, 0x73), Qt::white);
}

// The four lists and the field of a new to-do.
void TodoView::BuildLists()
{
    TopTodoList = MakeList(this, "TopTodoList");
    ListBox2 = MakeList(this, "ListBox2");
    ListBox3 = MakeList(this, "ListBox3");
    ListBox6 = MakeList(this, "ListBox6");
    NewTodoEdit = Named<QLineEdit>("NewTodoEdit", this);

    // Two lists stand under "Every day:": today's on the left, all on the right.
    TopTodoList->setAccessibleName(QStringLiteral("Top"));
    ListBox2->setAccessibleName(QStringLiteral("Bottom"));
    ListBox3->setAccessibleName(QStringLiteral("Every day, today"));
    ListBox6->setAccessibleName(QStringLiteral("Every day, all"));
    NewTodoEdit->setAccessibleName(QStringLiteral("To do"));
}

void TodoView::BuildButtons()
{
    SB24 = MakeButton<QToolButton>(this, "SB24", "");
    SB24->setArrowType(Qt::UpArrow);
    SB24->setToolTip(QStringLiteral("Move up"));
    SB24->setAccessibleName(SB24->toolTip());
    SB23 = MakeButton<QToolButton>(this, "SB23", "");
    SB23->setArrowType(Qt::DownArrow);
    SB23->setToolTip(QStringLiteral("Move down"));
    SB23->setAccessibleName(SB23->toolTip());
    SB21 = MakeButton<QPushButton>(this, "SB21", "Done");
    EveryDayButton = MakeButton<QPushButton>(this, "EveryDayButton", "Every day");
    SB22 = MakeButton<QPushButton>(this, "SB22", "Bottom");
    SB20 = MakeButton<QPushButton>(this, "SB20", "Top");
}

void TodoView::Connect()
{
    for (TodoList list : kLists) {
        QListWidget* w = widgetOf(list);
        connect(w, &QListWidget::itemSelectionChanged, this, [this, list] { ListClicked(list); });
        connect(w, &QListWidget::itemClicked, this, [this, list] { ListClicked(list); });
    }
    connect(NewTodoEdit, &QLineEdit::textChanged, this, [this] { EntryChanged(); });
    connect(SB20, &QPushButton::clicked, this, &TodoView::AddTop);
    connect(SB22, &QPushButton::clicked, this, &TodoView::AddBottom);
    connect(EveryDayButton, &QPushButton::clicked, this, &TodoView::AddEveryDay);
    connect(SB21, &QPushButton::clicked, this, &TodoView::DoneSelected);
    connect(SB24, &QToolButton::clicked, this, &TodoView::MoveUp);
    connect(SB23, &QToolButton::clicked, this, &TodoView::MoveDown);
}

void TodoView::LayOut()
{
    auto* everyDay = new QHBoxLayout;
    everyDay->addWidget(ListBox3);
    everyDay->addWidget(ListBox6);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SB24);
    buttons->addWidget(SB23);
    buttons->addWidget(SB21);
    buttons->addStretch(1);
    buttons->addWidget(EveryDayButton);
    buttons->addWidget(SB22);
    buttons->addWidget(SB20);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 6, 8, 8);
    body->setSpacing(3);
    body->addWidget(Caption(this, "Top:", TopTodoList));
    body->addWidget(TopTodoList, 2);
    body->addWidget(Caption(this, "Bottom:", ListBox2));
    body->addWidget(ListBox2, 2);
    body->addWidget(Caption(this, "Every day:", ListBox3));
    body->addLayout(everyDay, 2);
    body->addWidget(Caption(this, "To do:", NewTodoEdit));
    body->addWidget(NewTodoEdit);
    body->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(TodoTitle);
    layout->addLayout(body, 1);
}

QListWidget* TodoView::widgetOf(TodoList list) const
{
    switch (list) {
    case TodoList::Top:
        return TopTodoList;
    case TodoList::Bottom:
        return ListBox2;
    case TodoList::TodayEveryDay:
        return ListBox3;
    case TodoList::EveryDay:
        break;
    }
    return ListBox6;
}

std::vector<std::string>& TodoView::itemsOf(TodoList list)
{
    TodoLists& todos = session_.todos();
    switch (list) {
    case TodoList::Top:
        return todos.Top;
    case TodoList::Bottom:
        return todos.Bottom;
    case TodoList::TodayEveryDay:
        return todos.TodayEveryDay;
    case TodoList::EveryDay:
        break;
    }
    return todos.EveryDay;
}

void TodoView::Fill(TodoList list)
{
    const bool was = std::exchange(updating_, true);
    QListWidget* w = widgetOf(list);
    w->clear();
    for (const std::string& item : itemsOf(list)) w->addItem(DecodeStored(item));
    updating_ = was;
}

void TodoView::Reload()
{
    for (TodoList list : kLists) Fill(list);
    SB21->setText(QStringLiteral("Done"));
    SB21->setEnabled(false);
    SB24->setEnabled(false);
    SB23->setEnabled(false);
    EntryChanged();
}

void TodoView::setEntryText(const QString& text) { NewTodoEdit->setText(text); }

QString TodoView::entryText() const { return NewTodoEdit->text(); }

void TodoView::setTitleColours(const QColor& background, const QColor& text)
{
    QPalette palette = TodoTitle->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    TodoTitle->setPalette(palette);
}

void TodoView::FocusEntry() { NewTodoEdit->setFocus(Qt::OtherFocusReason); }

void TodoView::EntryChanged()
{
    const bool hasText = !NewTodoEdit->text().isEmpty();
    SB20->setEnabled(hasText);
    SB22->setEnabled(hasText);
    EveryDayButton->setEnabled(hasText);
}

void TodoView::ListClicked(TodoList list)
{
    if (updating_) return;
    const bool was = std::exchange(updating_, true);
    for (TodoList other : kLists)
        if (other != list) widgetOf(other)->clearSelection();
    updating_ = was;

    QListWidget* w = widgetOf(list);
    const int index = SelectedRow(w);
    SB21->setText(list == TodoList::EveryDay ? QStringLiteral("Delete") : QStringLiteral("Done"));
    SB21->setEnabled(index >= 0);
    SB24->setEnabled(index >= 1);
    SB23->setEnabled(index >= 0 && index < w->count() - 1);
}

void TodoView::Select(TodoList list, int index)
{
    const bool was = std::exchange(updating_, true);
    QListWidget* w = widgetOf(list);
    if (index >= 0 && index < w->count())
        w->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    else
        w->clearSelection();
    updating_ = was;
    ListClicked(list);
}

void TodoView::Done(TodoList list, int index)
{
    Select(list, index);
    DoneSelected();
}

void TodoView::AfterAdd(TodoList clickedAs)
{
    // The entry field keeps the focus, so that the next item can be typed at
    // once; a focused button that is disabled below would hand it on (to
    // "Help", say, where a blank opens the help window).
    if (isVisible()) NewTodoEdit->setFocus(Qt::OtherFocusReason);
    ListClicked(clickedAs);
    for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{SB24, SB23, SB21, EveryDayButton, SB22, SB20})
        b->setEnabled(false);
    emit changed();
}

void TodoView::AddTop()
{
    const QString text = NewTodoEdit->text();
    if (text.isEmpty()) return;
    session_.todos().Top.push_back(EncodeTyped(text));
    TopTodoList->addItem(text);
    NewTodoEdit->clear();
    AfterAdd(TodoList::Top);
}

void TodoView::AddBottom()
{
    const QString text = NewTodoEdit->text();
    if (text.isEmpty()) return;
    session_.todos().Bottom.push_back(EncodeTyped(text));
    ListBox2->addItem(text);
    NewTodoEdit->clear();
    AfterAdd(TodoList::Bottom);
}

void TodoView::AddEveryDay()
{
    const QString text = NewTodoEdit->text();
    if (text.isEmpty()) return;
    const std::string item = EncodeTyped(text);
    session_.todos().TodayEveryDay.push_back(item);
    session_.todos().EveryDay.push_back(item);
    ListBox3->addItem(text);
    ListBox6->addItem(text);
    NewTodoEdit->clear();
    AfterAdd(TodoList::Top);
}

bool TodoView::SelectedList(TodoList& list, int& index) const
{
    for (TodoList candidate : kLists) {
        const int row = SelectedRow(widgetOf(candidate));
        if (row >= 0) {
            list = candidate;
            index = row;
            return true;
        }
    }
    return false;
}

void TodoView::DoneSelected()
{
    TodoList list{};
    int index = -1;
    if (!SelectedList(list, index)) return;
    if (!RemoveTodoItem(session_.todos(), list, static_cast<std::size_t>(index))) return;
    Fill(list);
    // Deleting an every-day item also takes today's copies of it.
    if (list == TodoList::EveryDay) Fill(TodoList::TodayEveryDay);
    SB21->setEnabled(false);
    SB24->setEnabled(false);
    SB23->setEnabled(false);
    emit changed();
}

void TodoView::MoveUp() { Move(-1); }

void TodoView::MoveDown() { Move(+1); }

void TodoView::Move(int step)
{
    // Only the top and bottom lists have an order that matters; a selection
    // in an every-day list moves nothing.
    TodoList list = TodoList::Top;
    int index = SelectedRow(TopTodoList);
    if (index < 0) {
        list = TodoList::Bottom;
        index = SelectedRow(ListBox2);
    }
    if (index < 0) return;
    std::vector<std::string>& items = itemsOf(list);
    const int target = index + step;
    const int count = static_cast<int>(items.size());
    if (index >= count || target < 0 || target >= count) return;
    std::swap(items[static_cast<std::size_t>(index)], items[static_cast<std::size_t>(target)]);
    Fill(list);
    Select(list, target);
    emit changed();
}

}  // namespace orv
