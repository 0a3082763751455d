// "Phone book" (PP14): everyone with a first telephone number, by name, in a
// two-column grid built at start and at "Update" (a snapshot, not following
// later edits), and "Save as.." to an HTML page or a text file.
#pragma once

#include <QWidget>
#include <functional>
#include <future>

#include "exchange/phonebook/phonebook.h"
#include "views/common/viewdialogs.h"

class QTableView;

namespace orv {

class LabelButton;
class Session;
class TextTableModel;

class PhoneBookView : public QWidget {
    Q_OBJECT
public:
    // The page's colours and width as the settings dialog shows them now.
    struct PageTexts {
        QString background, text, link, width;
    };
    using PageSource = std::function<PageTexts()>;

    explicit PhoneBookView(Session& session, QWidget* parent = nullptr);
    ~PhoneBookView() override;

    // The rows as the address book holds them now. Putting a lifetime's
    // people in name order takes a while, so it runs beside the window on a
    // copy of what the rows are made of; the grid takes the rows when they
    // are ready, or at once (waiting for them) when it is shown or read.
    void Build();
    const std::vector<PhoneBookRow>& rows() const;
    void setColumnWidths(int name, int number);
    int columnWidth(int column) const;
    void setPageSource(PageSource source) { pageSource_ = std::move(source); }
    void setDialogs(ViewDialogs dialogs) { dialogs_ = std::move(dialogs); }
    void setTitleColours(const QColor& background, const QColor& text);

    // "Save as..": the dialog, then the page or the text file.
    void SaveAs();
    // Writes the grid to `path` as HTML or text; false (after the message) on failure.
    bool Save(const QString& path, bool html);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Takes the rows of the build in progress, waiting for it; false when none is.
    bool TakeRows() const;
    // The grid is told of the rows taken, but not while the model is being read.
    enum class Grid { Told, NotTold };
    const std::vector<PhoneBookRow>& CurrentRows(Grid grid) const;

    Session& session_;
    PageSource pageSource_;
    ViewDialogs dialogs_;
    mutable std::vector<PhoneBookRow> rows_;  // the grid's rows, as at the last Build
    mutable std::future<std::vector<PhoneBookRow>> pending_;
    mutable bool unannounced_ = false;  // rows taken while the model was read
    TextTableModel* model_;
    QTableView* StringGrid1;
    LabelButton* MenuL15;
};

}  // namespace orv
