// " ORV - Import data" (TImportData): a table kept elsewhere, a
// semicolon-separated text file or the first sheet of a spreadsheet, is loaded
// into an editable grid; the user deletes what is not a person, tells which
// column holds which field, and "To database" adds every row as a person
// through the address book's post, saving data.orv once at the end.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "exchange/lists/importcolumns.h"
#include "exchange/sheets/spreadsheet.h"
#include "exchange/lists/table.h"
#include "views/events/eventpage.h"
#include "views/events/tlabellist.h"
#include "views/common/viewdialogs.h"

class QGridLayout;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableView;

namespace orv {

class LabelButton;
class Session;
class TArea;
class TextTableModel;

class TImportData : public QDialog {
    Q_OBJECT
public:
    explicit TImportData(Session& session, QWidget* parent = nullptr);
    ~TImportData() override;

    void setDialogs(ViewDialogs dialogs) { dialogs_ = std::move(dialogs); }
    void setLabelColours(const LabelColours& colours);
    // The area of a sheet to read ("Excel area"); nothing when cancelled. By
    // default the "Select area:" dialog asks.
    using AreaQuestion = std::function<std::optional<SheetArea>()>;
    void setAreaQuestion(AreaQuestion ask) { askArea_ = std::move(ask); }
    void setAreaDialog(TArea* area);

    // The types of "From file", as the open dialog lists them.
    enum FileType { TextFile = 0, Spreadsheet = 1, SpreadsheetArea = 2 };
    // Reads `path` into the grid; a file that cannot be read leaves the grid as it was.
    bool LoadFile(const QString& path, FileType type);
    const Table& table() const { return *table_; }
    ImportColumns Columns() const;

public slots:
    void FromFileClick();    // Label12
    void ToDatabaseClick();  // Label13
    void DeleteRowClick();   // Label14

signals:
    // Persons were added to the address book and data.orv was written.
    void changed();

private:
    // The constructor's parts, in the order it runs them.
    void BuildGrid();
    void BuildCommands();
    QGridLayout* BuildColumnFields();
    void LayOut(QGridLayout* columns);
    void SetTable(Table table);
    void ShowSeparator(bool text, char separator);
    void Message(const QString& text, const QString& detail = {});

    Session& session_;
    ViewDialogs dialogs_;
    AreaQuestion askArea_;
    std::unique_ptr<TArea> ownArea_;
    // Shared with a "To database" that reads it beside the window; a change
    // goes to a copy of its own while it is shared.
    Table& EditTable();
    std::shared_ptr<Table> table_;
    TLabelList commands_;

    TextTableModel* model_;
    QTableView* StringGrid1;
    std::array<QSpinBox*, kImportFieldCount> spinEdits_{};  // SpinEdit1 .. SpinEdit11
    LabelButton* Label12;  // "From file"
    LabelButton* Label13;  // "To database"
    LabelButton* Label14;  // "Delete row"
    QPushButton* SpeedButton1;  // "Exit"
    QLabel* SeparatorNote;      // how the fields of a text file were told apart
};

}  // namespace orv
