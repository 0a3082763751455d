// "Search for hint in the Calendar" (PP8): calendar events found by a piece of
// their hint while typing, from the last event to the first, the date and the
// further text of the one selected, and the jump to its day in the calendar.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "views/common/navigator.h"

class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QPushButton;

namespace orv {

class Changes;
class Session;
class SearchResultModel;

class HintSearchView : public QWidget {
    Q_OBJECT
public:
    HintSearchView(Session& session, Navigator& navigator, QWidget* parent = nullptr);
    // Searched again after a change of the calendar (once seen).
    void Follow(Changes& changes);

    void Search();  // Edit7Change
    // After the data changed: the search runs now when the view is (or
    // comes, with its window) on screen, else when it is next shown. A
    // lifetime's calendar takes a while to search, and nobody sees it hidden.
    void Refresh();
    void Select(int row);
    void Go();      // HButton1
    void FocusEntry();

protected:
    void showEvent(QShowEvent* event) override;

private:
    int selectedRow() const;

    Session& session_;
    Navigator& navigator_;
    SearchResultModel* model_;
    std::vector<std::string> dates_;  // the long date of each result
    bool stale_ = false;              // the data changed since the last search

    QLineEdit* Edit7;
    QListView* ListBox4;
    QPushButton* HButton1;
    QLabel* Label12;
    QPlainTextEdit* Memo3;
};

}  // namespace orv
