// What the weekly, monthly and annual event pages share: the "Goto" link and
// its menu of all the kind's events, the list of the chosen day's events and
// the fields an event fills, the next dates shown while typing, and "Create"
// and "Delete", which write the kind's file at once. Each page keeps its own
// choice of a day and its own rules for what is stored.
#pragma once

#include <QStringList>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "views/events/eventpage.h"
#include "views/events/popupmenus.h"
#include "views/common/storedtext.h"

class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace orv {

class UpcomingLabel;

// The names a recurrent page and its shared widgets go by.
struct RecurrentNames {
    const char* page;
    const char* title;    // the title line
    const char* caption;  // the title line's text
    const char* gotoLink;
    const char* gotoSaid;  // what a screen reader says for "Goto"
    const char* preview;
    const char* create;
    const char* remove;
};

class RecurrentPage : public EventPage {
    Q_OBJECT
public:
    // Rebuilds the "Goto" menu from the kind's list.
    virtual void SetupPopupMenu() = 0;
    virtual void CreateClick() = 0;
    virtual void DeleteClick() = 0;

protected:
    RecurrentPage(Session& session, const RecurrentNames& names, QWidget* parent);

    // The chosen day's events listed anew (through ListHints).
    virtual void ListEvents() = 0;
    // Puts listed event `row` into the fields.
    virtual void ShowEvent(std::size_t row) = 0;
    virtual void ShowPreview() = 0;

    // Takes the page's list of events and its fields (the hint first), and
    // makes the next dates line, "Create" and "Delete" after them, so that Tab
    // reaches the commands last.
    void MakeCommands(QListWidget* events, std::vector<QLineEdit*> fields);
    // Once a hint is typed, Enter in any field creates; choosing an event
    // or leaving the page takes that back.
    void EnterCreates();
    void SetCreateDefault(bool on);
    // How "Create" starts on the weekly and monthly pages: nothing without a
    // day; without a hint the day is listed anew. True: a hint to store.
    bool HintToCreate(bool dayChosen);

    // The line that says what to do, with "Goto" at its end.
    QHBoxLayout* TopRow();
    // The day list beside the list of the day's events, both captioned.
    QGridLayout* DayAndEventLists(QListWidget* days);
    // "New hint:" and the hint field across `span` columns; the column after
    // them takes the room left.
    QGridLayout* HintGrid(int span);
    // The fields, the next dates and the commands, below what the page added.
    void AddFieldRows(QGridLayout* fields);

    // Chooses item `item` of a day list and lists its events; an item the
    // list lacks is passed over.
    void SelectDayItem(QListWidget* days, int item);
    // Lists the day's events by their stored hints; the fields are emptied.
    void ListHints(std::vector<std::string> hints);
    const std::string& hint(std::size_t row) const { return hints_[row]; }
    bool Listed(const std::string& hint) const;
    // The listed event chosen; -1 when none is.
    int chosenEvent() const;
    void ClearFields();
    UpcomingLabel* preview() const { return preview_; }

    // After an edit: the day's list and "Goto" anew, and the other views told.
    void EditDone();
    // Writes the kind's file first.
    void Stored(DataKind kind);
    // Erases the first record that `matches` and writes the kind's file;
    // false when none did (the list changed since the page showed it).
    template <typename Record, typename Match>
    bool DeleteFirst(std::vector<Record>& list, DataKind kind, Match matches)
    {
        const auto it = std::find_if(list.begin(), list.end(), matches);
        if (it == list.end()) return false;
        list.erase(it);
        SaveNow(kind);
        return true;
    }
    // The "Goto" menu of `list()`, each record under the title its `group`
    // gives; the list is read again when an item is chosen, and `go` shows it.
    template <typename List, typename Group, typename Go>
    void SetupGoto(List list, const QStringList& titles, Group group, Go go)
    {
        std::vector<GotoItem> items;
        for (const auto& r : list()) items.push_back({DecodeStored(r.Hint), group(r)});
        BuildGotoMenu(gotoMenu_, items, titles, [list, go](int index) {
            const auto& records = list();
            if (index >= 0 && index < static_cast<int>(records.size())) go(records[static_cast<std::size_t>(index)]);
        });
    }

    void hideEvent(QHideEvent* event) override;

private:
    void EventChosen();

    RecurrentNames names_;
    std::vector<std::string> hints_;  // the listed events' hints, as stored
    std::vector<QLineEdit*> fields_;

    LabelButton* gotoLink_;
    QMenu* gotoMenu_;
    QListWidget* events_ = nullptr;
    UpcomingLabel* preview_ = nullptr;
    QPushButton* create_ = nullptr;
    QPushButton* delete_ = nullptr;
};

// A counting field keeps its filter on every change; then `changed` runs.
void WatchCountField(QLineEdit* edit, CountField kind, QObject* context, std::function<void()> changed);

}  // namespace orv
