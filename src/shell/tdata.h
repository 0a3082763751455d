// The main window: one view at a time on the left, the sidebar on the right,
// the main menu and the four buttons along the bottom. It shows the views and
// answers the views' requests to open another one (Navigator); what the
// program does at start, "Update", "Hide" and close is OrvApp's.
#pragma once

#include <QAction>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <functional>
#include <map>
#include <vector>

#include "core/session.h"
#include "shell/windowstate.h"
#include "views/common/changes.h"
#include "views/events/eventpage.h"
#include "views/common/navigator.h"

class QMenuBar;

namespace orv {

class Sidebar;
class OverviewView;
class TodoView;
class AboutPanel;
class ViewPanel;
class AddressView;
class PeopleSearchView;
class HintSearchView;
class PhoneBookView;
class TNewAdd;
class CalendarView;
class MonthCalendarView;
class WeeklyView;
class MonthlyView;
class AnnualView;
class AdvancedView;
class PeriodicalView;
class TNewRec;
class TNewAdv;
class EventPage;
class TLetter;
class TDatalistForm;
class TImportData;

class TData : public QMainWindow, public Navigator, public WindowState {
    Q_OBJECT
public:
    explicit TData(Session& session, QWidget* parent = nullptr);

    Session& session() { return session_; }
    // Where every edit is published and the views subscribe.
    Changes& changes() { return changes_; }
    Sidebar* sidebar() const { return sidebar_; }
    // The view of a row of the view table, and the panel that shows it.
    QWidget* view(ViewItem item) const;
    QWidget* panelOf(ViewItem item) const;
    OverviewView* overview() const;
    TodoView* todoView() const;
    AddressView* addressView() const;
    PeopleSearchView* peopleSearch() const;
    HintSearchView* hintSearch() const;
    PhoneBookView* phoneBook() const;
    CalendarView* calendarView() const;
    MonthCalendarView* monthCalendarView() const;
    WeeklyView* weeklyView() const;
    MonthlyView* monthlyView() const;
    AnnualView* annualView() const;
    AdvancedView* advancedView() const;
    PeriodicalView* periodicalView() const;
    TNewAdd* newAddress() const { return newAdd_; }
    TNewRec* newRec() const { return newRec_; }
    TNewAdv* newAdv() const { return newAdv_; }
    QWidget* panel(const QString& name) const;
    QWidget* currentPanel() const;
    QMenu* verMenu() const { return verMenu_; }
    // The windows of their own that the views ask for (made after this one).
    void SetDocumentWindows(TLetter* letter, TDatalistForm* dataList, TImportData* import);

    // The event pages at an initialisation: week start, today, the calendar
    // on today, the annual date and the periodical from-date preset, the first
    // advanced event, the month calendar on today's month, their menus.
    void InitialiseEventPages(Date today);
    // Rebuilds the label menus: the calendar's years around today and the
    // four "Goto" lists.
    void SetupPopupMenu();
    // The New menu's "Calendar event", "Recurrent event" and "Advanced".
    void NewCalendarEvent();
    void NewRecurrentEvent();
    void NewAdvancedEvent();

    // Navigator
    void ShowView(ViewItem item) override;
    void ShowTodo(TodoList list, int index) override;
    void DoneTodo(TodoList list, int index) override;
    void ShowCalendarAt(Date date) override;
    void ShowAddress(int addressIndex) override;
    void SendEmail(int addressIndex) override;
    void ShowWeekly(int weekdayItem) override;
    void ShowMonthly(int dayItem) override;
    void ShowAnnual(int day, int month) override;
    void ShowAdvanced(int advancedIndex) override;
    bool OpenRecord(const Occurrence& line, Date day) override;
    void ShowMainWindow() override;
    void ShowLetterWriter() override;
    void ShowDataList(DataList list) override;
    void AddToDataList(const std::vector<int>& addressIndexes) override;
    void ShowImportData() override;

    void ShowPanel(const QString& name);
    // The help page of the current view.
    int HelpPageForCurrentView() const;
    // Applies the title and sidebar colours of the settings, or of colour
    // entries 1..8 as the settings dialog shows them while they are edited.
    void ApplyColours();
    void ApplyColours(const std::function<QColor(int)>& entry);
    // Shows the caption "ORV - Monday 24/12 2004" for today.
    void SetCaptionFor(Date today);

    // WindowState: the bounds, the sidebar's marks and the view shown (read
    // back by the start-up's choice of view), the people search's field and
    // the phone book's column widths.
    void SaveState(Settings& s) const override;
    void RestoreState(const Settings& s) override;

    // Replaces how e-mail is handed to the desktop (tests).
    void setUrlOpener(std::function<void(const QUrl&)> opener) { openUrl_ = std::move(opener); }

signals:
    void updateRequested();        // "Update"
    void syncRequested();          // "Sync now"
    void propertiesRequested();    // "Properties"
    void hideRequested();          // "Hide", SB19
    void exitRequested();          // "Exit", Alt+F4
    void minimizeToLauncherRequested();
    void helpRequested(int page);  // help button and the Help menu
    void todayBoxRequested();      // SpeedButton1
    void newTodoRequested();       // New › "To do.."
    void titleColoursChanged(const QColor& background, const QColor& text);
    void labelColoursChanged(const LabelColours& colours);

protected:
    void closeEvent(QCloseEvent* event) override;

private slots:
    void ViewChanged();  // a view's changed(): publishes what it changed

private:
    struct BuiltView {
        QWidget* view;
        QWidget* panel;
    };

    void SetupGotoMenus();  // the four "Goto" lists of the recurrent and advanced pages
    void BuildViews();
    void ConnectViews();
    void FollowChanges();
    void BuildEventDialogs();
    void AddPanel(QWidget* panel);
    void BuildProgramMenu(QMenuBar* bar);
    void BuildNewMenu(QMenuBar* bar);
    void BuildEventsMenu(QMenuBar* bar);
    void BuildHelpMenu(QMenuBar* bar);
    void BuildOldMenu(QMenuBar* bar);
    QWidget* BuildButtons();
    QAction* AddViewAction(QMenu* menu, const QString& caption, ViewItem item, const QKeySequence& key = {});
    template <class V>
    V* viewAs(ViewItem item) const;

    Session& session_;
    Changes changes_;
    QStackedWidget* stack_ = nullptr;
    Sidebar* sidebar_ = nullptr;
    AboutPanel* about_ = nullptr;
    std::map<ViewItem, BuiltView> views_;
    TNewAdd* newAdd_ = nullptr;
    TNewRec* newRec_ = nullptr;
    TNewAdv* newAdv_ = nullptr;
    std::vector<EventPage*> eventPages_;
    TLetter* letter_ = nullptr;
    TDatalistForm* dataList_ = nullptr;
    TImportData* import_ = nullptr;
    QMap<QString, QWidget*> panels_;
    QMenu* verMenu_ = nullptr;
    QMenu* newMenu_ = nullptr;
    std::function<void(const QUrl&)> openUrl_;
    bool closingByExit_ = false;

    friend class OrvApp;
};

}  // namespace orv
