// " ORV - Data List" (TDatalistForm): persons copied from the address book
// for letters and exports. The page "Address data list" shows the letter
// table the letter writer merges from (editable, saved and loaded as a list
// file); the page "Export data" adds persons and writes the list as text, as
// a semicolon-separated file or as a spreadsheet, or prints it as address
// blocks. Editing the list never changes the address book.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>

#include "exchange/lists/datalist.h"
#include "views/events/eventpage.h"
#include "views/events/tlabellist.h"
#include "views/common/navigator.h"
#include "views/common/viewdialogs.h"

class QCheckBox;
class QHBoxLayout;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTextDocument;
class QStackedWidget;
class QTableView;
class QUrl;

namespace orv {

class LabelButton;
class Session;
class TextTableModel;

class TDatalistForm : public QWidget {
    Q_OBJECT
public:
    TDatalistForm(Session& session, Navigator& navigator, QWidget* parent = nullptr);
    ~TDatalistForm() override;

    void setDialogs(ViewDialogs dialogs) { dialogs_ = std::move(dialogs); }
    // How a written spreadsheet is handed to the user's spreadsheet program.
    void setUrlOpener(std::function<void(const QUrl&)> opener) { openUrl_ = std::move(opener); }
    void setLabelColours(const LabelColours& colours);
    // The options "Country" and "Phone#" as the settings hold them.
    void LoadOptions();

    const DataList& list() const { return list_; }

    // The window on the "Export" page (the sidebar's "Export", "Create list").
    void ShowExportPage();
    // "Add address" for each of these persons of the address book, in order.
    void AddAddresses(const std::vector<int>& addressIndexes);

public slots:
    void SpeedButton1Click();  // "Data list"
    void SpeedButton2Click();  // "Export"
    void AddAddress();         // L1: the person shown in the address book
    void WriteAll();           // L2
    void ClearAll();           // L3
    void SaveInFile();         // L5
    void Print();              // L6
    void DeleteRow();
    void AddRow();
    void SaveList();
    void LoadList();

signals:
    // "Write all" made the first person of the address book the current one.
    void currentAddressChanged();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The constructor's parts, in the order it runs them.
    void MakeModels();
    QHBoxLayout* BuildPageButtons();
    QWidget* BuildListPage();
    QWidget* BuildExportPage();
    void BuildExportControls(QWidget* exportPage);
    void LayOutExportPage(QWidget* exportPage);
    void Connect();

    TextListOptions Options() const;
    // The models reset; the text list shown is `text` when given, otherwise
    // it is built when shown.
    void Refresh(std::unique_ptr<QTextDocument> text = {});
    bool TextListShown() const;
    void ShowTextList();
    void ShowTextDocument(std::unique_ptr<QTextDocument> document);
    void UpdateExportForm();
    bool WriteBytes(const QString& path, const std::string& bytes);
    void Message(const QString& text);

    Session& session_;
    Navigator& navigator_;
    ViewDialogs dialogs_;
    std::function<void(const QUrl&)> openUrl_;
    DataList list_;
    TLabelList commands_;
    bool textStale_ = true;
    QFont printFont_;

    TextTableModel* letterModel_;
    TextTableModel* exportModel_;
    QPushButton* SpeedButton1;
    QPushButton* SpeedButton2;
    QPushButton* SpeedButton3;
    QStackedWidget* pages_;
    QTableView* StringGrid1;
    QPushButton* DeleteRowButton;
    QPushButton* AddRowButton;
    QPushButton* LoadListButton;
    QPushButton* SaveListButton;
    LabelButton* L1;
    LabelButton* L2;
    LabelButton* L3;
    LabelButton* L4;
    LabelButton* L5;
    LabelButton* L6;
    QRadioButton* NWRadioButton;
    QRadioButton* ExcelRadioButton;
    QCheckBox* CB1;
    QCheckBox* CB2;
    QStackedWidget* exportView_;
    QTableView* StringGrid2;
    QPlainTextEdit* Memo1;
};

}  // namespace orv
