// The views of the main window, one row each: the view itself, its sidebar
// item, its help page, its places in the menus and what it does when opened.
// The main window builds and opens the views from it, the sidebar its items
// and marks; a new view is one row here and its own files.
#pragma once

#include <optional>
#include <span>

#include "views/common/navigator.h"

class QWidget;

namespace orv {

class Session;
struct Settings;

enum class SidebarGroup { Events, Search, Address };

// An item of the sidebar: its label, and the item of its head's menu that
// shows or hides it, whose mark is kept in `mark` (none: not kept).
struct SidebarEntry {
    SidebarGroup group;
    const char* label;  // "MenuL<n>", n the view's ViewItem number
    const char* caption;
    const char* check;
    std::optional<bool> Settings::*mark;
};

// The main menu's view items: at the top of "Program", or in "Events", where a
// separator parts the sidebar groups; `position` orders them within the menu.
enum class MainMenu { None, Program, Events };
struct MenuEntry {
    MainMenu menu = MainMenu::None;
    int position = 0;
    const char* caption = "";
    const char* shortcut = "";  // empty: none
};

// The older "Ver 1.2" menu, in the order of `position` (0: not there).
struct OldMenuEntry {
    int position = 0;
    const char* submenu = "";  // empty: the item is in the menu itself
    const char* caption = "";
};

// A view the main window puts into a titled panel; views that are a panel
// themselves leave `name` empty.
struct PanelFrame {
    const char* name = "";
    const char* titleName = "";
    const char* title = "";
};

using OpenHook = void (*)(QWidget* view, bool fresh);

struct ViewRow {
    ViewItem item;
    QWidget* (*make)(Session& session, Navigator& navigator, QWidget* parent);
    SidebarEntry sidebar;
    int helpPage;  // THelpBox::Page of the help button
    MenuEntry menu = {};
    OldMenuEntry oldMenu = {};
    PanelFrame frame = {};
    // On opening from the sidebar, a menu or a view, `fresh` when the view was
    // not the current one: `opening` before the panel is shown, `opened` after
    // it while the window is on screen (for the keyboard focus).
    OpenHook opening = nullptr;
    OpenHook opened = nullptr;
};

// In the sidebar's order.
std::span<const ViewRow> ViewTable();
// The row of a view item; null for a number that names none (a stored last view).
const ViewRow* FindView(ViewItem item);
const ViewRow* FindView(int itemNumber);

}  // namespace orv
