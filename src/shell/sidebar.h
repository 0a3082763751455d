// The navigator on the right of the main window: the view items grouped under
// the heads "Events", "Search" and "Address". Each head's menu shows or hides
// single items or the whole group; a "Dynamic" group collapses the other
// dynamic groups when it is opened. The labels and actions carry the names the
// rest of the program and the settings know them by.
#pragma once

#include <QColor>
#include <QFrame>
#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "shell/viewtable.h"
#include "views/common/navigator.h"

class QAction;
class QMenu;

namespace orv {

class LabelButton;
struct Settings;

// The heads take the "Menu:" colours, the items the "Not selected:" ones and
// the item under the mouse (or with the keyboard focus) the "Selected:" ones.
struct SidebarColours {
    QColor menuBack, menuText, notSelBack, notSelText, selBack, selText;
};

// The colours of a first start: heads #334D73 on white, items on the button
// face in black, the item under the mouse #337373 on white.
SidebarColours DefaultSidebarColours();

class Sidebar : public QFrame {
    Q_OBJECT

public:
    // The "tag" property of an item label that the user has hidden.
    static constexpr int kHiddenTag = 398;

    explicit Sidebar(QWidget* parent = nullptr);

    void setColours(const SidebarColours& colours);
    const SidebarColours& colours() const { return colours_; }

    // The height of a shown item and of the heads, normally one line of the
    // view titles. Until it is set it follows the items' font (a chosen font
    // included): line height + 4.
    void setItemHeight(int pixels);
    int itemHeight() const { return itemHeight_; }

    // The current-view marker: `item` bold, every other view item plain. Also
    // paints `item` as the one under the mouse and reports it by hoverChanged,
    // as the view commands expect.
    void setCurrent(ViewItem item);
    // The view whose item is bold; empty when none is.
    std::optional<ViewItem> current() const;
    // n of the bold MenuLn, as saved for the last view; 1 when none is bold.
    int viewEventNumber() const;

    // Hover painting for the window's mouse-move handler: when `sender` is a
    // label (any label or label button of the window), the item that is
    // `sender` gets the selected colours and the others the not-selected ones;
    // when it is not a label, a previous hover is undone. Emits nothing.
    void HoverOver(const QObject* sender);

    // Settings MenuPopupMenu11 .. MenuPopupMenu35: a stored item mark is set to
    // its opposite and toggled, so the item ends shown or hidden as stored; a
    // stored "Dynamic" mark is taken as it is. Absent values change nothing.
    void RestoreMarks(const Settings& settings);
    void SaveMarks(Settings& settings) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A view item (MenuL<n>) was clicked. The receiver runs the view
    // command, which marks the item with setCurrent.
    void viewRequested(orv::ViewItem item);
    void exportRequested();  // MenuL41
    void importRequested();  // MenuL42
    // The mouse moved onto one of the sidebar's labels, or off them (nullptr),
    // so the main window can paint its own labels and reset its headings.
    void hoverChanged(QObject* label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct GroupItem {
        const SidebarEntry* entry;
        LabelButton* label;
        QAction* check;
        std::optional<ViewItem> view;  // the view it opens, or
        void (Sidebar::*command)();    // the signal it sends
    };
    struct Group {
        LabelButton* head;
        QMenu* menu;
        QAction* headCheck;
        std::vector<GroupItem> items;  // in menu order
        QAction* dynamic;
    };

    LabelButton* MakeLabel(const char* name, const char* caption);
    void AddItem(std::size_t group, const SidebarEntry& entry, std::optional<ViewItem> view, void (Sidebar::*command)());
    void BuildMenu(std::size_t group);
    enum class Initially { Checked, Unchecked };
    QAction* MakeCheck(QMenu* menu, const char* name, const char* caption, Initially state);
    void ConnectGroup(std::size_t group);
    // A right press or a context menu on a group's head opens its menu: true
    // when the event was a head's and is taken.
    bool HeadMenuEvent(LabelButton* label, QEvent* event);

    void ToggleItem(Group& group, std::size_t index);
    void ToggleGroup(Group& group);
    void HeadClick(std::size_t group);
    void LabelClicked(LabelButton* label);
    void MouseOver(LabelButton* label);
    void PaintHover(const QObject* sender);
    void Paint();
    void Relayout();
    void FollowItemFont();
    int ShownHeight(const LabelButton* label) const;
    int GapAbove(const LabelButton* label, int height) const;
    const Group* GroupOfHead(const QObject* label) const;

    std::vector<LabelButton*> order_;  // the labels from top to bottom
    std::array<Group, 3> groups_;

    SidebarColours colours_;
    int itemHeight_ = 0;
    bool itemHeightSet_ = false;
    bool hoverFlag_ = false;
    LabelButton* hovered_ = nullptr;     // the item painted in the selected colours
    LabelButton* underMouse_ = nullptr;  // the sidebar label last known under the mouse
};

}  // namespace orv
