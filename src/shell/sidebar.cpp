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
#include "views/common/named.h"
#include "views/common/labelbutton.h"

namespace orv {

namespace {

constexpr int kGap = 2;       // between items, and kept free below the last one
constexpr int kGroupGap = 6;  // above the heads "Search" and "Address"
const char* const kTag = "tag";

// The heads with their menus; "Dynamic" is the menu's last item, whose index
// names its mark.
struct Head {
    const char* label;
    const char* caption;
    const char* menu;
    const char* check;
    const char* dynamic;
    std::optional<bool> Settings::*dynamicMark;
};

const Head kHeads[3] = {
    {"ML1", "Events", "MenuPopupMenu1", "Events1", "Dynamic1", &Settings::MenuPopupMenu111},
    {"ML2", "Search", "MenuPopupMenu2", "Search1", "Dynamic2", &Settings::MenuPopupMenu25},
    {"ML4", "Address", "MenuPopupMenu3", "Address2", "Dynamic3", &Settings::MenuPopupMenu35},
};

// The items that open a window rather than a view, after the views of their group.
const SidebarEntry kExport{SidebarGroup::Address, "MenuL41", "Export", "Export1", &Settings::MenuPopupMenu32};
const SidebarEntry kImport{SidebarGroup::Address, "MenuL42", "Import", "Import2", &Settings::MenuPopupMenu33};

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

    // All labels first, top to bottom: their order is the tab order.
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        groups_[g].head = MakeLabel(kHeads[g].label, kHeads[g].caption);
        for (const ViewRow& row : ViewTable())
            if (static_cast<std::size_t>(row.sidebar.group) == g) AddItem(g, row.sidebar, row.item, nullptr);
        if (g == static_cast<std::size_t>(SidebarGroup::Address)) {
            AddItem(g, kExport, std::nullopt, &Sidebar::exportRequested);
            AddItem(g, kImport, std::nullopt, &Sidebar::importRequested);
        }
    }
    for (std::size_t g = 0; g < groups_.size(); ++g) BuildMenu(g);

    Paint();
    Relayout();
}

LabelButton* Sidebar::MakeLabel(const char* name, const char* caption)
{
    auto* label = Named<LabelButton>(name, QString::fromLatin1(caption), this);
    label->setAlignment(Qt::AlignCenter);
    label->setMouseTracking(true);
    label->setProperty(kTag, 0);
    label->installEventFilter(this);
    connect(label, &LabelButton::clicked, this, [this, label] { LabelClicked(label); });
    order_.push_back(label);
    return label;
}

void Sidebar::AddItem(std::size_t g, const SidebarEntry& entry, std::optional<ViewItem> view, void (Sidebar::*command)())
{
    groups_[g].items.push_back(GroupItem{&entry, MakeLabel(entry.label, entry.caption), nullptr, view, command});
}

void Sidebar::BuildMenu(std::size_t g)
{
    Group& group = groups_[g];
    group.menu = Named<QMenu>(kHeads[g].menu, this);
    group.headCheck = MakeCheck(group.menu, kHeads[g].check, kHeads[g].caption, Initially::Checked);
    for (GroupItem& item : group.items) item.check = MakeCheck(group.menu, item.entry->check, item.entry->caption, Initially::Checked);
    group.menu->addSeparator();
    group.dynamic = MakeCheck(group.menu, kHeads[g].dynamic, "Dynamic", Initially::Unchecked);
    ConnectGroup(g);
}

QAction* Sidebar::MakeCheck(QMenu* menu, const char* name, const char* caption, Initially state)
{
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    action->setChecked(state == Initially::Checked);
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
    for (const Group& group : groups_) {
        for (const GroupItem& entry : group.items) {
            if (!entry.view) continue;
            // Only the weight changes: a font chosen for the labels stays, and
            // what was never set on them keeps following the sidebar.
            QFont font = entry.label->font();
            font.setBold(*entry.view == item);
            entry.label->setFont(font);
            if (*entry.view == item) marked = entry.label;
        }
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
    for (const Group& group : groups_)
        for (const GroupItem& item : group.items)
            if (item.view && item.label->font().bold()) return item.view;
    return std::nullopt;
}

int Sidebar::viewEventNumber() const
{
    const std::optional<ViewItem> item = current();
    return item ? static_cast<int>(*item) : 1;
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
        for (std::size_t i = 0; i < group.items.size(); ++i) {
            const auto mark = group.items[i].entry->mark;
            if (!mark || !(settings.*mark)) continue;
            group.items[i].check->setChecked(!*(settings.*mark));
            ToggleItem(group, i);
        }
        if (const std::optional<bool>& dynamic = settings.*kHeads[g].dynamicMark) group.dynamic->setChecked(*dynamic);
    }
}

void Sidebar::SaveMarks(Settings& settings) const
{
    for (std::size_t g = 0; g < groups_.size(); ++g) {
        const Group& group = groups_[g];
        for (const GroupItem& item : group.items)
            if (item.entry->mark) settings.*item.entry->mark = item.check->isChecked();
        settings.*kHeads[g].dynamicMark = group.dynamic->isChecked();
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
        bottom += GapAbove(label, height) + height;
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
    case QEvent::ContextMenu:
        if (HeadMenuEvent(label, event)) return true;
        break;
    default:
        break;
    }
    return QFrame::eventFilter(watched, event);
}

bool Sidebar::HeadMenuEvent(LabelButton* label, QEvent* event)
{
    const Group* group = GroupOfHead(label);
    if (group == nullptr) return false;
    if (event->type() == QEvent::MouseButtonPress) {
        // A head's menu opens on the press, as context menus do here.
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::RightButton) return false;
        group->menu->popup(press->globalPosition().toPoint());
        return true;
    }
    // From the keyboard (the menu key, Shift+F10) a head's menu opens below
    // it; a mouse press has opened it already.
    if (static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard)
        group->menu->popup(label->mapToGlobal(QPoint(0, label->height())));
    return true;
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
    for (const Group& group : groups_) {
        for (const GroupItem& item : group.items) {
            if (item.label != label) continue;
            if (item.view) emit viewRequested(*item.view);
            else (this->*item.command)();
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

int Sidebar::GapAbove(const LabelButton* label, int height) const
{
    // The first head keeps the top; a hidden item takes no gap.
    if (label == groups_.front().head) return 0;
    if (GroupOfHead(label) != nullptr) return kGroupGap;
    return height > 0 ? kGap : 0;
}

void Sidebar::Relayout()
{
    const QRect area = contentsRect();
    int bottom = area.top();
    for (LabelButton* label : order_) {
        const int height = ShownHeight(label);
        const int top = bottom + GapAbove(label, height);
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
