// "Phone book" (PP14): everyone with a first telephone number, by name, in a
// two-column grid built at start and at "Update" (a snapshot, not following
// later edits), and "Save as.." to an HTML page or a text file.
#pragma once

#include <QWidget>
#include <functional>

#include "exchange/phonebook.h"
#include "views/viewdialogs.h"

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

    void Build();
    const std::vector<PhoneBookRow>& rows() const { return rows_; }
    void setColumnWidths(int name, int number);
    int columnWidth(int column) const;
    void setPageSource(PageSource source) { pageSource_ = std::move(source); }
    void setDialogs(ViewDialogs dialogs) { dialogs_ = std::move(dialogs); }
    void setTitleColours(const QColor& background, const QColor& text);

    // "Save as..": the dialog, then the page or the text file.
    void SaveAs();
    // Writes the grid to `path` as HTML or text; false (after the message) on failure.
    bool Save(const QString& path, bool html);

private:
    Session& session_;
    PageSource pageSource_;
    ViewDialogs dialogs_;
    std::vector<PhoneBookRow> rows_;  // the grid's rows, as at the last Build
    TextTableModel* model_;
    QTableView* StringGrid1;
    LabelButton* MenuL15;
};

}  // namespace orv
