// " ORV - Letter" (TLetter): a small rich-text word processor for one form
// letter whose merge fields ("{fn}", "{sn}" ...) are filled from the rows of
// the data list. The letter is shown as one example per person, printed once
// per person, and saved or opened as a rich-text (RTF) or plain-text file. The
// window is made once at start and only hidden, so its letter survives.
#pragma once

#include <QMainWindow>
#include <QRect>
#include <functional>
#include <vector>

#include "exchange/lists/datalist.h"
#include "exchange/letters/letter.h"
#include "views/common/viewdialogs.h"

class QAction;
class QButtonGroup;
class QLabel;
class QMenu;
class QStackedWidget;
class QTextDocument;
class QTextEdit;
class QToolButton;

namespace orv {

class Session;

class TLetter : public QMainWindow {
    Q_OBJECT
public:
    explicit TLetter(Session& session, QWidget* parent = nullptr);

    void setDialogs(ViewDialogs dialogs) { dialogs_ = std::move(dialogs); }
    // The rows the examples and the printed letters are merged from: the data
    // list's letter table, read at the moment of each merge.
    using RowSource = std::function<const std::vector<LetterRow>&()>;
    void setRows(RowSource rows) { rows_ = std::move(rows); }
    // The letter's file: whether it has one, its name and its type (1 rich
    // text, 2 text, 3 all files, as the save dialog's types count).
    bool hasFile() const { return HasFile; }
    const QString& fileName() const { return FileName; }
    int fileType() const { return FileType; }
    bool modified() const;
    // Asks "Save changes?" (titled "Exit") for a changed letter and saves it
    // when asked to; false when the user keeps the window (and the program) open.
    bool CloseQuery();

    QTextEdit* letter() const { return Memo1; }
    QTextEdit* example() const { return Memo2; }

public slots:
    void NewClick();
    void OpenClick();
    bool SaveClick();
    bool SaveAsClick();
    void PrintLetterClick();
    void PrintTextClick();
    void CopyAllClick();
    void FontClick();
    // Replaces the letter's selection (or inserts at the cursor) with `text`.
    void InsertCode(const QString& text);
    void ViewExampleClick(bool on);
    void NextClick();
    void PreviousClick();
    void SaveExampleClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    enum class Written { Yes, Refused, Failed };
    void BuildMenus();
    void BuildToolBar();
    void MakeFileButtons();
    void MakeStyleButtons();
    void ConnectToolBar();
    void BuildStatusBar();
    enum class ButtonKind { Plain, Checkable };
    QToolButton* AddToolButton(const char* name, const QString& hint, const QIcon& icon, ButtonKind kind = ButtonKind::Plain);
    QAction* AddMenuItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& key = {});
    const std::vector<LetterRow>& Rows() const;
    // The example for data-list row `row` into `target`.
    void Merge(std::size_t row, QTextDocument& target) const;
    void ShowExampleStatus();
    void UpdateFormatButtons();
    void SetModified(bool modified);
    // The save-to-file step: "OK to overwrite %s" for an existing file, then
    // rich text for type 1, plain text otherwise.
    Written SaveToFile(const QString& path, int type, const QTextDocument& document);
    bool WriteLetter(const QString& path, int type, const QTextDocument& document);
    ViewDialogs::TypedFile AskSaveName();
    // The i-th document of a print job; made within the job's work.
    using DocumentSource = std::function<const QTextDocument&(int)>;
    void Print(const QString& what, int count, const std::function<DocumentSource()>& makeSource);
    void Message(const QString& text);

    Session& session_;
    ViewDialogs dialogs_;
    RowSource rows_;
    ExampleCursor cursor_{1};

    bool HasFile = false;
    QString FileName;
    int FileType = 1;
    // What the file opened held that the letter area could not take (headers
    // and footers, pictures, tables...): "Save" over it warns first.
    QStringList notKept_;

    QStackedWidget* pages_;
    QTextEdit* Memo1;
    QTextEdit* Memo2;
    QMenu* File1;
    QMenu* Edit1;
    QMenu* Insert1;
    QToolButton* ToolButton11;  // Open
    QToolButton* ToolButton12;  // Save
    QToolButton* ToolButton1;   // Print
    QToolButton* ToolButton2;   // Insert
    QToolButton* ToolButton4;   // View example
    QToolButton* ToolButton5;   // Previous example
    QToolButton* ToolButton6;   // Next example
    QToolButton* ToolButton3;   // Save example
    QToolButton* ToolButton13;  // Bold
    QToolButton* ToolButton14;  // Italic
    QToolButton* ToolButton15;  // Underline
    QToolButton* ToolButton16;  // Align Left
    QToolButton* ToolButton17;  // Center
    QToolButton* ToolButton18;  // Align Right
    QButtonGroup* alignments_;
    QLabel* Panel0;
    QLabel* Panel1;
    QLabel* Panel2;
};

}  // namespace orv
