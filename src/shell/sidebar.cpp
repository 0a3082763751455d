#include "shell/sidebar.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>

#include "core/settings.h"
#include "shell/colours.h"
#include "views/common/labelbutton.h"

namespace orv {

namespace {

constexpr int kGap = 2;       // between items, and kept free below the last one
constexpr int kGroupGap = 6;  // above the heads "Search" and "Address"
const char* const kTag = "tag";

using Mark = std::optional<bool> Settings::*;

// Where each group's menu marks are kept: the group items in menu order, then
// "Dynamic" (the menu's last item, whose index names the value).
struct GroupMarks {
    std::vector<Mark> items;
    Mark dynamic;
};

const std::array<GroupMarks, 3>& MarkNames()
{
    static const std::array<GroupMarks, 3> marks{{
        {{&Settings::MenuPopupMenu11, &Settings::MenuPopupMenu12, &Settings::MenuPopupMenu13,
          &Settings::MenuPopupMenu14, &Settings::MenuPopupMenu15, &Settings::MenuPopupMenu16,
          &Settings::MenuPopupMenu17, &Settings::MenuPopupMenu18, &Settings::MenuPopupMenu19},
         &Settings::MenuPopupMenu111},
        {{&Settings::MenuPopupMenu21, &Settings::MenuPopupMenu22, &Settings::MenuPopupMenu23},
         &Settings::MenuPopupMenu25},
        {{&Settings::MenuPopupMenu31, &Settings::MenuPopupMenu32, &Settings::MenuPopupMenu33},
         &Settings::MenuPopupMenu35},
    }};
    return marks;
}

bool IsLabel(const QObject* o) { return qobject_cast<const QLabel*>(o) || qobject_cast<const LabelButton*>(o); }

}  // namespace

SidebarColours DefaultSidebarColours()
{
    return SidebarColours{QColor(0x33, 0x4D, 0x73), QColor(Qt::white),
                          ColourFromText(QStringLiteral("BtnFace")).value_or(QColor(0xF0, 0xF0, 0xF0)),
                          QColor(Qt::black), QColor(0x33, 0x73, 0x73), QColor(Qt::white)};
}

Sidebar::Sidebar(QWidget* parent) : QFrame(parent), colours_(DefaultSidebarColours())
{
    setObjectName(QStringLiteral("Panel4"));
    setMouseTracking(true);
    itemHeight_ = fontMetrics().height() + 4;

    ML1 = MakeLabel("ML1", "Events");
    MenuL1 = MakeLabel("MenuL1", "Next week");
    MenuL2 = MakeLabel("MenuL2", "Calendar");
    MenuL13 = MakeLabel("MenuL13", "Month cal");
    MenuL3 = MakeLabel("MenuL3", "People");
    MenuL4 = MakeLabel("MenuL4", "Weekly");
    MenuL5 = MakeLabel("MenuL5", "Monthly");
    MenuL12 = MakeLabel("MenuL12", "Annually");
    MenuL6 = MakeLabel("MenuL6", "Advanced");
    MenuL7 = MakeLabel("MenuL7", "To do..");
    ML2 = MakeLabel("ML2", "Search");
    MenuL8 = MakeLabel("MenuL8", "People");
    MenuL9 = MakeLabel("MenuL9", "Calendar");
    MenuL10 = MakeLabel("MenuL10", "Periodical");
    ML4 = MakeLabel("ML4", "Address");
    MenuL11 = MakeLabel("MenuL11", "Phone book");
    MenuL41 = MakeLabel("MenuL41", "Export");
    MenuL42 = MakeLabel("MenuL42", "Import");

    MenuPopupMenu1 = MakeMenu("MenuPopupMenu1");
    Events1 = MakeCheck(MenuPopupMenu1, "Events1", "Events", true);
    N5 = MakeCheck(MenuPopupMenu1, "N5", "Next week", true);
    Calendar5 = MakeCheck(MenuPopupMenu1, "Calendar5", "Calendar", true);
    CalendarMonth1 = MakeCheck(MenuPopupMenu1, "CalendarMonth1", "Month cal", true);
    People1 = MakeCheck(MenuPopupMenu1, "People1", "People", true);
    Weekly2 = MakeCheck(MenuPopupMenu1, "Weekly2", "Weekly", true);
    Monthly2 = MakeCheck(MenuPopupMenu1, "Monthly2", "Monthly", true);
    Annually3 = MakeCheck(MenuPopupMenu1, "Annually3", "Annually", true);
    Advanced2 = MakeCheck(MenuPopupMenu1, "Advanced2", "Advanced", true);
    Todo1 = MakeCheck(MenuPopupMenu1, "Todo1", "To do..", true);
    MenuPopupMenu1->addSeparator();
    Dynamic1 = MakeCheck(MenuPopupMenu1, "Dynamic1", "Dynamic", false);

    MenuPopupMenu2 = MakeMenu("MenuPopupMenu2");
    Search1 = MakeCheck(MenuPopupMenu2, "Search1", "Search", true);
    People2 = MakeCheck(MenuPopupMenu2, "People2", "People", true);
    Calendar6 = MakeCheck(MenuPopupMenu2, "Calendar6", "Calendar", true);
    Periodical1 = MakeCheck(MenuPopupMenu2, "Periodical1", "Periodical", true);
    MenuPopupMenu2->addSeparator();
    Dynamic2 = MakeCheck(MenuPopupMenu2, "Dynamic2", "Dynamic", false);

    MenuPopupMenu3 = MakeMenu("MenuPopupMenu3");
    Address2 = MakeCheck(MenuPopupMenu3, "Address2", "Address", true);
    Phonebook1 = MakeCheck(MenuPopupMenu3, "Phonebook1", "Phone book", true);
    Export1 = MakeCheck(MenuPopupMenu3, "Export1", "Export", true);
    Import2 = MakeCheck(MenuPopupMenu3, "Import2", "Import", true);
    MenuPopupMenu3->addSeparator();
    Dynamic3 = MakeCheck(MenuPopupMenu3, "Dynamic3", "Dynamic", false);

    groups_[0] = Group{ML1,
                       MenuPopupMenu1,
                       Events1,
                       {{N5, MenuL1},
                        {Calendar5, MenuL2},
                        {CalendarMonth1, MenuL13},
                        {People1, MenuL3},
                        {Weekly2, MenuL4},
                        {Monthly2, MenuL5},
                        {Annually3, MenuL12},
                        {Advanced2, MenuL6},
                        {Todo1, MenuL7}},
                       Dynamic1};
    groups_[1] = Group{ML2, MenuPopupMenu2, Search1,
                       {{People2, MenuL8}, {Calendar6, MenuL9}, {Periodical1, MenuL10}}, Dynamic2};
    groups_[2] = Group{ML4, MenuPopupMenu3, Address2,
                       {{Phonebook1, MenuL11}, {Export1, MenuL41}, {Import2, MenuL42}}, Dynamic3};
    for (std::size_t g = 0; g < groups_.size(); ++g) ConnectGroup(g);

    views_ = {{{MenuL1, ViewItem::NextWeek},
               {MenuL2, ViewItem::Calendar},
               {MenuL13, ViewItem::MonthCal},
               {MenuL3, ViewItem::People},
               {MenuL4, ViewItem::Weekly},
               {MenuL5, ViewItem::Monthly},
               {MenuL12, ViewItem::Annually},
               {MenuL6, ViewItem::Advanced},
               {MenuL7, ViewItem::Todo},
               {MenuL8, ViewItem::SearchPeople},
               {MenuL9, ViewItem::SearchCalendar},
               {MenuL10, ViewItem::Periodical},
               {MenuL11, ViewItem::PhoneBook}}};

    Paint();
    Relayout();
}

LabelButton* Sidebar::MakeLabel(const char* name, const char* caption)
{
    auto* label = new LabelButton(QString::fromLatin1(caption), this);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignCenter);
    label->setMouseTracking(true);
    label->setProperty(kTag, 0);
    label->installEventFilter(this);
    connect(label, &LabelButton::clicked, this, [this, label] { LabelClicked(label); });
    order_.push_back(label);
    return label;
}

QMenu* Sidebar::MakeMenu(const char* name)
{
    auto* menu = new QMenu(this);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QAction* Sidebar::MakeCheck(QMenu* menu, const char* name, const char* caption, bool checked)
{
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

void Sidebar::ConnectGroup(std::size_t g)
{
    // A checkable action flips its mark before it reports the click; the
    // toggles decide from the mark as it was, so they put it back first.
    // "Dynamic" only flips its own mark, which is what the action does anyway.
    Group& group = groups_[g];
    connect(group.headCheck, &QAction::triggered, this, [this, g](bool checked) {
        groups_[g].headCheck->setChecked(!checked);
        ToggleGroup(groups_[g]);
    });
    for (std::size_t i = 0; i < group.items.size(); ++i) {
        connect(group.items[i].check, &QAction::triggered, this, [this, g, i](bool checked) {
            groups_[g].items[i].check->setChecked(!checked);
            ToggleItem(groups_[g], i);
        });
    }
}

void Sidebar::setColours(const SidebarColours& colours)
{
    colours_ = colours;
    Paint();
}

void Sidebar::setItemHeight(int pixels)
{
    itemHeightSet_ = true;
    itemHeight_ = std::max(pixels, 0);
    Relayout();
    updateGeometry();
}

void Sidebar::setCurrent(ViewItem item)
{
    LabelButton* marked = nullptr;
    for (const auto& [label, view] : views_) {
        // Only the weight changes: a font chosen for the labels stays, and
        // what was never set on them keeps following the sidebar.
        QFont font = label->font();
        font.setBold(view == item);
        label->setFont(font);
        if (view == item) marked = label;
    }
    if (marked == nullptr) return;
    // The item is painted as the one under the mouse only when it is: after a
    // shortcut or a menu command the pointer is elsewhere, and the colours
    // would stay on the item until it passed over the sidebar.
    const bool pointed = marked->underMouse();
    PaintHover(pointed ? static_cast<QObject*>(marked) : this);
    underMouse_ = pointed ? marked : nullptr;
    emit hoverChanged(marked);
}

std::optional<ViewItem> Sidebar::current() const
{
    for (const auto& [label, view] : views_)
        if (label->font().bold()) return view;
    return std::nullopt;
}

int Sidebar::viewEventNumber() const
{
    int number = 1;
    for (const auto& [label, view] : views_)
        if (label->font().bold()) number = static_cast<int>(view);
    return number;
}

void Sidebar::HoverOver(const QObject* sender)
{
    underMouse_ = nullptr;
    for (LabelButton* label : order_)
        if (label == sender) underMouse_ = label;
    PaintHover(sender);
}

void Sidebar::PaintHover(const QObject* sender)
{
    if (!IsLabel(sender)) {
        if (!hoverFlag_) return;
        hoverFlag_ = false;
        hovered_ = nullptr;
        Paint();
        return;
    }
    hoverFlag_ = true;
    hovered_ = nullptr;
    for (LabelButton* label : order_)
        if (label == sender && GroupOfHead(label) == nullptr && label->isEnabled()) hovered_ = label;
    Paint();
}

void Sidebar::RestoreMarks(const Settings& settings)
{
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        Group& group = groups_[g];
        const GroupMarks& marks = MarkNames()[g];
        for (std::size_t i = 0; i < group.items.size(); ++i) {
            const std::optional<bool>& stored = settings.*marks.items[i];
            if (!stored) continue;
            group.items[i].check->setChecked(!*stored);
            ToggleItem(group, i);
        }
        if (const std::optional<bool>& dynamic = settings.*marks.dynamic) group.dynamic->setChecked(*dynamic);
    }
}

void Sidebar::SaveMarks(Settings& settings) const
{
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        const Group& group = groups_[g];
        const GroupMarks& marks = MarkNames()[g];
        for (std::size_t i = 0; i < group.items.size(); ++i) settings.*marks.items[i] = group.items[i].check->isChecked();
        settings.*marks.dynamic = group.dynamic->isChecked();
    }
}

QSize Sidebar::sizeHint() const
{
    int width = 0;
    for (const LabelButton* label : order_)
        width = std::max(width, label->fontMetrics().horizontalAdvance(label->text()));
    int bottom = 0;
    for (const LabelButton* label : order_) {
        const int height = ShownHeight(label);
        bottom += (label == ML2 || label == ML4) ? kGroupGap : (height > 0 && label != ML1 ? kGap : 0);
        bottom += height;
    }
    const QMargins margins = contentsMargins();
    return {width + 24 + margins.left() + margins.right(), bottom + kGap + margins.top() + margins.bottom()};
}

QSize Sidebar::minimumSizeHint() const
{
    return {sizeHint().width(), 0};
}

bool Sidebar::eventFilter(QObject* watched, QEvent* event)
{
    auto* label = qobject_cast<LabelButton*>(watched);
    if (label == nullptr || label->parent() != this) return QFrame::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::Enter:
        MouseOver(label);
        break;
    case QEvent::MouseMove:
        // Taken here, or it would reach the sidebar as a move off the labels.
        MouseOver(label);
        return true;
    case QEvent::Leave:
        MouseOver(nullptr);
        break;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        Paint();
        break;
    case QEvent::FontChange:
        FollowItemFont();
        break;
    case QEvent::MouseButtonPress:
        // A head's menu opens on the press, as context menus do here.
        if (const Group* group = GroupOfHead(label);
            group != nullptr && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            group->menu->popup(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            return true;
        }
        break;
    case QEvent::ContextMenu: {
        // From the keyboard (the menu key, Shift+F10) a head's menu opens below
        // it; a mouse press has opened it already.
        const Group* group = GroupOfHead(label);
        if (group != nullptr && static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard)
            group->menu->popup(label->mapToGlobal(QPoint(0, label->height())));
        return group != nullptr;
    }
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

void Sidebar::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    Relayout();
}

void Sidebar::mouseMoveEvent(QMouseEvent* event)
{
    MouseOver(nullptr);
    QFrame::mouseMoveEvent(event);
}

void Sidebar::leaveEvent(QEvent* event)
{
    MouseOver(nullptr);
    QFrame::leaveEvent(event);
}

void Sidebar::changeEvent(QEvent* event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::FontChange) FollowItemFont();
}

void Sidebar::FollowItemFont()
{
    if (itemHeightSet_) return;
    // A font chosen for the items themselves counts, so that no caption is clipped.
    int line = fontMetrics().height();
    for (const LabelButton* label : order_) line = std::max(line, label->fontMetrics().height());
    if (itemHeight_ == line + 4) return;
    itemHeight_ = line + 4;
    Relayout();
    updateGeometry();
}

void Sidebar::ToggleItem(Group& group, std::size_t index)
{
    const GroupItem& item = group.items[index];
    const bool hide = item.check->isChecked();
    item.label->setProperty(kTag, hide ? kHiddenTag : 0);
    item.check->setChecked(!hide);
    Relayout();
    // The head stays checked while anything after it in the menu is, "Dynamic" included.
    bool any = group.dynamic->isChecked();
    for (const GroupItem& other : group.items) any = any || other.check->isChecked();
    group.headCheck->setChecked(any);
}

void Sidebar::ToggleGroup(Group& group)
{
    const bool collapse = group.headCheck->isChecked();
    for (std::size_t i = 0; i < group.items.size(); ++i) {
        group.items[i].check->setChecked(collapse);
        ToggleItem(group, i);
    }
    group.headCheck->setChecked(!collapse);
}

void Sidebar::HeadClick(std::size_t g)
{
    Group& group = groups_[g];
    if (!group.headCheck->isChecked() && group.dynamic->isChecked()) {
        for (std::size_t other = 0; other < groups_.size(); ++other) {
            if (other == g) continue;
            Group& otherGroup = groups_[other];
            if (otherGroup.headCheck->isChecked() && otherGroup.dynamic->isChecked()) ToggleGroup(otherGroup);
        }
    }
    ToggleGroup(group);
}

void Sidebar::LabelClicked(LabelButton* label)
{
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        if (groups_[g].head == label) {
            HeadClick(g);
            return;
        }
    }
    if (label == MenuL41) {
        emit exportRequested();
        return;
    }
    if (label == MenuL42) {
        emit importRequested();
        return;
    }
    for (const auto& [viewLabel, view] : views_) {
        if (viewLabel == label) {
            emit viewRequested(view);
            return;
        }
    }
}

void Sidebar::MouseOver(LabelButton* label)
{
    if (label == underMouse_) return;
    underMouse_ = label;
    PaintHover(label != nullptr ? static_cast<QObject*>(label) : this);
    emit hoverChanged(label);
}

void Sidebar::Paint()
{
    for (LabelButton* label : order_) {
        if (GroupOfHead(label) != nullptr)
            label->setColours(colours_.menuBack, colours_.menuText);
        else if (label->isEnabled() && (label == hovered_ || label->hasFocus()))
            label->setColours(colours_.selBack, colours_.selText);
        else
            label->setColours(colours_.notSelBack, colours_.notSelText);
    }
}

int Sidebar::ShownHeight(const LabelButton* label) const
{
    return label->property(kTag).toInt() == kHiddenTag ? 0 : itemHeight_;
}

void Sidebar::Relayout()
{
    const QRect area = contentsRect();
    int bottom = area.top();  // ML1 keeps its top
    for (LabelButton* label : order_) {
        const int height = ShownHeight(label);
        int top = bottom;
        if (label == ML2 || label == ML4)
            top += kGroupGap;
        else if (label != ML1 && height > 0)
            top += kGap;
        // The height is fixed here so that no earlier size limit (a font
        // change pins hidden items at 0) keeps a shown item from its height.
        label->setFixedHeight(height);
        label->setGeometry(area.left(), top, area.width(), height);
        bottom = top + height;
    }
    // What does not fit is only taken off the screen; its shown or hidden
    // state stays, so it comes back when there is room again. A hidden item
    // is not shown at all, so that the keyboard and screen readers skip it.
    for (LabelButton* label : order_) {
        const bool fits = label->geometry().bottom() + 1 + kGap <= area.bottom() + 1;
        label->setVisible(fits && ShownHeight(label) > 0);
    }
}

const Sidebar::Group* Sidebar::GroupOfHead(const QObject* label) const
{
    for (const Group& group : groups_)
        if (group.head == label) return &group;
    return nullptr;
}

}  // namespace orv
