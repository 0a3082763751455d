// The overview panel "Next week's events": today's, tomorrow's and the coming
// days' events in three grids, their pop-up menus and Go actions, and the tray
// menu built with every build. The lines come from the engine's BuildOverview;
// this panel draws them and acts on them through the Navigator.
#pragma once

#include <QWidget>
#include <functional>
#include <vector>

#include "engine/overview.h"
#include "views/common/navigator.h"
#include "views/common/viewdialogs.h"

class QAction;
class QLabel;
class QMenu;

namespace orv {

class Changes;
class EventGrid;
class LabelButton;
class Session;

class OverviewView : public QWidget {
    Q_OBJECT
public:
    // What a Go does with the line: the plain "Go..", or one of the menu items.
    enum class GoAs { Go, Done, SendEmail, Calendar };
    // Built anew, quietly, after a change of anything it lists.
    void Follow(Changes& changes);

    OverviewView(Session& session, Navigator& navigator, QWidget* parent = nullptr);

    // Whether a build cues the reminder: at start-up and on "Update", not after an edit.
    enum class Reminder { Quiet, ForHighPriority };
    // Rebuilds the three grids, the heading and the tray menu.
    void Build(Reminder reminder);
    const std::vector<TrayMenuItem>& trayMenu() const { return trayMenu_; }

    // A tray menu line: selects the row, goes, and shows the main window.
    void ActivateTrayLine(TrayMenuItem::Table table, int row);
    // Go on the current line of a table.
    void Go(TrayMenuItem::Table table, GoAs as);

    // The headings as the grids' explanations may have left them.
    void ResetHeadings();
    void ClearDateStamp();
    // The title line and its "Update" link; the link shows the hover colours
    // (the settings' "Selected:") under the mouse and with the keyboard focus.
    void setTitleColours(const QColor& background, const QColor& text);
    void setLinkHoverColours(const QColor& background, const QColor& text);
    void setDialogs(ViewDialogs dialogs) { dialogs_ = std::move(dialogs); }

    EventGrid* grid(TrayMenuItem::Table table) const;

signals:
    void trayMenuChanged();
    // A build that asked for it found high-priority events today or tomorrow.
    void reminderDue();
    // The "Update" link (T18): save, read everything again and rebuild.
    void updateRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls that belong to one table; null where the table has none.
    struct Parts {
        EventGrid* grid;
        QLabel* heading;
        QMenu* menu;
        QAction* done;
        QAction* sendEmail;
        QAction* calendar;
        const char* hint;
    };
    Parts parts(TrayMenuItem::Table which) const;

    // The constructor's parts, in the order it runs them.
    void BuildTitle();
    void BuildTables();
    void BuildMenus();
    void ConnectMenus();
    void LayOut();
    EventGrid* makeGrid(TrayMenuItem::Table which, const char* name, const char* fillerName, const char* hint);
    QMenu* makeMenu(EventGrid* grid, const char* name);
    QAction* addItem(QMenu* menu, const char* name, const char* caption);

    void LineClicked(TrayMenuItem::Table which);
    void ShowMenu(TrayMenuItem::Table which, const QPoint& pos);
    void Explain(TrayMenuItem::Table which, QObject* over, int x);
    Date LineDate(TrayMenuItem::Table which, const Occurrence& line) const;
    void GoTodo(TodoList list, const std::string& text, GoAs as);
    void SendEmail(int addressIndex);

    Session& session_;
    Navigator& navigator_;
    ViewDialogs dialogs_;
    std::vector<TrayMenuItem> trayMenu_;
    // The next-days heading of the last build ("Next 10 day's events"): the
    // headings return to it, not to the seven-day text, after an explanation.
    QString nextHeading_;

    QLabel* T3;
    LabelButton* T18;
    QLabel* L16;
    EventGrid* TodayStringGrid;
    QLabel* L17;
    EventGrid* TomorrowStringGrid;
    QLabel* L18;
    QLabel* Label1;
    EventGrid* NextWeekStringGrid;
    QMenu* PopupMenu8;
    QAction* Go1;
    QAction* Done1;
    QAction* Sendemail1;
    QAction* Calendar2;
    QMenu* PopupMenu10;
    QAction* Go3;
    QAction* Sendemail3;
    QAction* Calendar3;
    QMenu* PopupMenu9;
    QAction* Go2;
    QAction* Done2;
    QAction* Sendemail2;
    QAction* Calendar4;
};

}  // namespace orv
