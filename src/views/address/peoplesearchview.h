// "Search for people in the address book" (PP9): people found while typing by
// first name, surname, telephone number or e-mail, the card of the one
// selected, the jump to the address book and the mail to the person. The
// address book follows the selection (addressSelected).
#pragma once

#include <QWidget>

#include "engine/peoplesearch.h"
#include "views/common/navigator.h"
#include "views/common/viewdialogs.h"

class QLabel;
class QLineEdit;
class QListView;
class QPlainTextEdit;
class QPushButton;

namespace orv {

class Changes;
class LabelButton;
class Session;
class SearchResultModel;

class PeopleSearchView : public QWidget {
    Q_OBJECT
public:
    PeopleSearchView(Session& session, Navigator& navigator, QWidget* parent = nullptr);
    // Searched again after a change of the people.
    void Follow(Changes& changes);

    // NewSearchEditChange: the search with the current text and category.
    void Search();
    // A category label's command: it becomes the bold one and the search runs.
    void setCategory(SearchField field);
    // The category as stored, with the search as Refresh runs it.
    void RestoreCategory(SearchField field);
    // After the data changed: the search runs now when the view is (or
    // comes, with its window) on screen, else when it is next shown.
    void Refresh();
    SearchField category() const { return category_; }
    void FocusEntry();
    void setDialogs(ViewDialogs dialogs) { dialogs_ = std::move(dialogs); }

    // The result at `row` (the first when -1) becomes the current address;
    // with Card::Shown its card is shown too.
    enum class Card { Kept, Shown };
    void Select(int row, Card card);
    void Go();         // B1 "Go.."
    void SendEmail();  // MenuL20
    void AddAddress(); // MenuL22: the person selected goes into the data list
    void AddAll();     // MenuL23: everyone found goes into the data list

signals:
    // CurrentAddress changed: the address book shows that person.
    void addressSelected();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The constructor's parts, in the order it runs them.
    QWidget* BuildControls();
    void Connect();
    void LayOut(QWidget* card);
    int selectedRow() const;
    void ShowCategory(SearchField field);

    Session& session_;
    Navigator& navigator_;
    ViewDialogs dialogs_;
    SearchField category_ = SearchField::FirstName;
    bool stale_ = false;  // the data or the category changed since the last search
    SearchResultModel* model_;

    LabelButton* MenuL16;
    LabelButton* MenuL17;
    LabelButton* MenuL18;
    LabelButton* MenuL19;
    QLineEdit* NewSearchEdit;
    QListView* ResultListBox;
    QPushButton* B1;
    QPlainTextEdit* Memo2;
    LabelButton* MenuL20;
    LabelButton* MenuL21;
    LabelButton* MenuL22;
    LabelButton* MenuL23;
};

}  // namespace orv
