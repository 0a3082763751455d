#include "views/documents/tletter.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPrinter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <memory>

#include "core/session.h"
#include "exchange/letters/rtf.h"
#include "exchange/letters/textdocument.h"
#include "views/common/chosenfile.h"
#include "views/common/longwork.h"
#include "views/address/printjob.h"
#include "views/common/named.h"

namespace orv {

namespace {

const QStringList kOpenFilters{QStringLiteral("Rich Text Files (*.RTF *.rtf)"), QStringLiteral("Text Files (*.TXT *.txt)")};
const QStringList kSaveFilters{QStringLiteral("Rich Text Files (*.RTF *.rtf)"), QStringLiteral("Text Files (*.TXT *.txt)"),
                               QStringLiteral("All Files (*)")};
const QStringList kSaveSuffixes{QStringLiteral("RTF"), QStringLiteral("TXT"), QString()};

// A letter is a page or a few; a file far larger than that is not one.
constexpr qint64 kLargestLetterFile = 64 << 20;

// Three lines of text, aligned as the paragraph would be.
QIcon AlignmentIcon(Qt::Alignment alignment)
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(QPen(Qt::black, 1));
    const int widths[] = {14, 9, 12, 7};
    for (int i = 0; i < 4; ++i) {
        const int w = widths[i];
        const int x = alignment == Qt::AlignLeft ? 1 : alignment == Qt::AlignRight ? 15 - w : (16 - w) / 2;
        p.drawLine(x, 3 + 3 * i, x + w - 1, 3 + 3 * i);
    }
    return QIcon(picture);
}

// A letter B, I or U drawn in its own style.
QIcon StyleIcon(const QString& letter, const QFont& base, void (QFont::*set)(bool))
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    QFont f = base;
    f.setPixelSize(13);
    (f.*set)(true);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(picture.rect(), Qt::AlignCenter, letter);
    return QIcon(picture);
}

// A printer with a sheet coming out, for desktops without an icon theme
// (the style has no printer picture of its own).
QIcon PrinterIcon()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 7, 5);    // the sheet fed in
    p.setBrush(QColor(0x80, 0x80, 0x80));
    p.drawRect(1, 6, 13, 6);   // the body
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 7, 5);   // the sheet printed
    p.drawLine(6, 12, 9, 12);
    return QIcon(picture);
}

QIcon Themed(const char* name, const QIcon& fallback)
{
    const QIcon icon = QIcon::fromTheme(QLatin1String(name));
    return icon.isNull() ? fallback : icon;
}

}  // namespace

TLetter::TLetter(Session& session, QWidget* parent)
    : QMainWindow(parent), session_(session), dialogs_(StandardDialogs())
{
    setObjectName(QStringLiteral("Letter"));
    setWindowTitle(QStringLiteral(" ORV - Letter"));
    pages_ = new QStackedWidget(this);
    Memo1 = Named<QTextEdit>("Memo1", pages_);
    Memo1->setAccessibleName(QStringLiteral("Basic letter"));
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setTabChangesFocus(false);
    Memo2 = Named<QTextEdit>("Memo2", pages_);
    Memo2->setAccessibleName(QStringLiteral("Example"));
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo2->document()->setDefaultFont(Memo1->document()->defaultFont());
    pages_->addWidget(Memo1);
    pages_->addWidget(Memo2);
    setCentralWidget(pages_);

    BuildMenus();
    BuildToolBar();
    BuildStatusBar();

    Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Memo1, &QTextEdit::customContextMenuRequested, this,
            [this](const QPoint& at) { Insert1->popup(Memo1->viewport()->mapToGlobal(at)); });
    connect(Memo1, &QTextEdit::currentCharFormatChanged, this, &TLetter::UpdateFormatButtons);
    connect(Memo1, &QTextEdit::cursorPositionChanged, this, &TLetter::UpdateFormatButtons);
    connect(Memo1->document(), &QTextDocument::modificationChanged, this,
            [this](bool changed) { Panel1->setText(changed ? QStringLiteral("Modified") : QString()); });
    ViewExampleClick(false);
    UpdateFormatButtons();
    resize(640, 480);
}

QAction* TLetter::AddMenuItem(QMenu* menu, const char* name, const QString& caption, const QKeySequence& key)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    if (!key.isEmpty()) action->setShortcut(key);
    return action;
}

void TLetter::BuildMenus()
{
    File1 = menuBar()->addMenu(QStringLiteral("&File"));
    File1->setObjectName(QStringLiteral("File1"));
    connect(AddMenuItem(File1, "New1", QStringLiteral("&New"), QKeySequence(QStringLiteral("Ctrl+N"))),
            &QAction::triggered, this, &TLetter::NewClick);
    connect(AddMenuItem(File1, "Open1", QStringLiteral("&Open"), QKeySequence(QStringLiteral("Ctrl+O"))),
            &QAction::triggered, this, &TLetter::OpenClick);
    connect(AddMenuItem(File1, "Save1", QStringLiteral("&Save"), QKeySequence(QStringLiteral("Ctrl+S"))),
            &QAction::triggered, this, &TLetter::SaveClick);
    connect(AddMenuItem(File1, "SaveAs1", QStringLiteral("Save &As...")), &QAction::triggered, this,
            &TLetter::SaveAsClick);
    connect(AddMenuItem(File1, "PrintLetter1", QStringLiteral("&Print Letter"), QKeySequence(QStringLiteral("Ctrl+P"))),
            &QAction::triggered, this, &TLetter::PrintLetterClick);
    connect(AddMenuItem(File1, "PrintText1", QStringLiteral("Print Text")), &QAction::triggered, this,
            &TLetter::PrintTextClick);
    connect(AddMenuItem(File1, "Exit1", QStringLiteral("Exit"), QKeySequence(QStringLiteral("Alt+F4"))),
            &QAction::triggered, this, &QWidget::close);

    Edit1 = menuBar()->addMenu(QStringLiteral("&Edit"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    connect(AddMenuItem(Edit1, "Cut1", QStringLiteral("Cu&t"), QKeySequence(QStringLiteral("Ctrl+X"))),
            &QAction::triggered, Memo1, &QTextEdit::cut);
    connect(AddMenuItem(Edit1, "Copy1", QStringLiteral("&Copy"), QKeySequence(QStringLiteral("Ctrl+C"))),
            &QAction::triggered, Memo1, &QTextEdit::copy);
    connect(AddMenuItem(Edit1, "CopyAll1", QStringLiteral("Copy &All")), &QAction::triggered, this,
            &TLetter::CopyAllClick);
    connect(AddMenuItem(Edit1, "Paste1", QStringLiteral("&Paste"), QKeySequence(QStringLiteral("Ctrl+V"))),
            &QAction::triggered, Memo1, &QTextEdit::paste);
    connect(AddMenuItem(Edit1, "Font1", QStringLiteral("&Font")), &QAction::triggered, this, &TLetter::FontClick);
    // The text area takes these keys itself while it has the focus; the menu's
    // shortcuts serve when the focus is elsewhere in the window.
    for (QAction* a : Edit1->actions()) a->setShortcutContext(Qt::WidgetWithChildrenShortcut);

    // The Insert menu is also the letter's pop-up menu and ToolButton2's drop-down.
    Insert1 = menuBar()->addMenu(QStringLiteral("Insert"));
    Insert1->setObjectName(QStringLiteral("Insert1"));
    const auto insert = [this](QMenu* menu, const char* name, const char* caption, const char* code) {
        connect(AddMenuItem(menu, name, QLatin1String(caption)), &QAction::triggered, this,
                [this, code] { InsertCode(QString::fromLatin1(code)); });
    };
    QMenu* name = Insert1->addMenu(QStringLiteral("Name"));
    name->setObjectName(QStringLiteral("Name1"));
    insert(name, "FirstName1", "First Name", "{fn}");
    insert(name, "Surname1", "Surname", "{sn}");
    insert(name, "FirstandSurname1", "First and surname", "{fn} {sn}");
    insert(name, "NameandAddress1", "Name and address", "{fn} {sn}\n{ad}\n{ci}\n");
    insert(Insert1, "Address1", "Address", "{ad}");
    insert(Insert1, "City1", "City", "{ci}");
    insert(Insert1, "Country1", "Country", "{co}");
    insert(Insert1, "Telephonenumber1", "Telephone number", "{tn}");
    insert(Insert1, "Emailaddress1", "E-mail address", "{em}");
}

QToolButton* TLetter::AddToolButton(const char* name, const QString& hint, const QIcon& icon, ButtonKind kind)
{
    // A hint is "short|long": the short one is the tool tip, the long one goes to the status bar.
    const QString shortHint = hint.section(QLatin1Char('|'), 0, 0);
    const QString longHint = hint.contains(QLatin1Char('|')) ? hint.section(QLatin1Char('|'), 1) : shortHint;
    auto* button = Named<QToolButton>(QLatin1String(name), this);
    button->setIcon(icon);
    button->setText(shortHint);
    button->setToolTip(shortHint);
    button->setStatusTip(longHint);
    button->setAccessibleName(shortHint);
    if (longHint != shortHint) button->setAccessibleDescription(longHint);
    button->setCheckable(kind == ButtonKind::Checkable);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

void TLetter::BuildToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("Letter tools"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    MakeFileButtons();
    MakeStyleButtons();
    for (QToolButton* b : {ToolButton11, ToolButton12, ToolButton1, ToolButton2}) bar->addWidget(b);
    bar->addSeparator();
    for (QToolButton* b : {ToolButton4, ToolButton5, ToolButton6, ToolButton3}) bar->addWidget(b);
    bar->addSeparator();
    for (QToolButton* b : {ToolButton13, ToolButton14, ToolButton15}) bar->addWidget(b);
    bar->addSeparator();
    for (QToolButton* b : {ToolButton16, ToolButton17, ToolButton18}) bar->addWidget(b);
    ConnectToolBar();
}

// The letter's file and insert buttons, then the example's.
void TLetter::MakeFileButtons()
{
    QStyle* s = style();
    ToolButton11 = AddToolButton("ToolButton11", QStringLiteral("Open|Open an existing file"),
                                 Themed("document-open", s->standardIcon(QStyle::SP_DialogOpenButton)));
    ToolButton12 = AddToolButton("ToolButton12", QStringLiteral("Save|Save current file"),
                                 Themed("document-save", s->standardIcon(QStyle::SP_DialogSaveButton)));
    ToolButton1 = AddToolButton("ToolButton1", QStringLiteral("Print|Print current letter"),
                                Themed("document-print", PrinterIcon()));
    ToolButton2 = AddToolButton("ToolButton2", QStringLiteral("Insert|Insert data from the data bank"), QIcon());
    ToolButton2->setText(QStringLiteral("Insert First Name"));
    ToolButton2->setAccessibleName(QStringLiteral("Insert First Name"));
    ToolButton2->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ToolButton2->setMenu(Insert1);
    ToolButton2->setPopupMode(QToolButton::MenuButtonPopup);
    ToolButton4 = AddToolButton("ToolButton4", QStringLiteral("View|View example"),
                                Themed("document-print-preview", s->standardIcon(QStyle::SP_FileDialogContentsView)),
                                ButtonKind::Checkable);
    ToolButton5 = AddToolButton("ToolButton5", QStringLiteral("Previous|Previous example"),
                                s->standardIcon(QStyle::SP_ArrowLeft));
    ToolButton6 = AddToolButton("ToolButton6", QStringLiteral("Next|Next example"), s->standardIcon(QStyle::SP_ArrowRight));
    ToolButton3 = AddToolButton("ToolButton3", QStringLiteral("Save|Save example"),
                                Themed("document-save-as", s->standardIcon(QStyle::SP_DriveFDIcon)));
    ToolButton3->setAccessibleName(QStringLiteral("Save example"));  // not the letter's "Save"
}

// Bold, italic, underline and the three alignments, one of which is on.
void TLetter::MakeStyleButtons()
{
    const QFont base = font();
    ToolButton13 = AddToolButton("ToolButton13", QStringLiteral("Bold"), StyleIcon(QStringLiteral("B"), base, &QFont::setBold),
                                 ButtonKind::Checkable);
    ToolButton14 = AddToolButton("ToolButton14", QStringLiteral("Italic"),
                                 StyleIcon(QStringLiteral("I"), base, &QFont::setItalic), ButtonKind::Checkable);
    ToolButton15 = AddToolButton("ToolButton15", QStringLiteral("Underline"),
                                 StyleIcon(QStringLiteral("U"), base, &QFont::setUnderline), ButtonKind::Checkable);
    ToolButton16 = AddToolButton("ToolButton16", QStringLiteral("Align Left"), AlignmentIcon(Qt::AlignLeft),
                                 ButtonKind::Checkable);
    ToolButton17 = AddToolButton("ToolButton17", QStringLiteral("Center"), AlignmentIcon(Qt::AlignHCenter),
                                 ButtonKind::Checkable);
    ToolButton18 = AddToolButton("ToolButton18", QStringLiteral("Align Right"), AlignmentIcon(Qt::AlignRight),
                                 ButtonKind::Checkable);
    alignments_ = new QButtonGroup(this);
    alignments_->setExclusive(true);
    alignments_->addButton(ToolButton16);
    alignments_->addButton(ToolButton17);
    alignments_->addButton(ToolButton18);
}

void TLetter::ConnectToolBar()
{
    connect(ToolButton11, &QToolButton::clicked, this, &TLetter::OpenClick);
    connect(ToolButton12, &QToolButton::clicked, this, &TLetter::SaveClick);
    connect(ToolButton1, &QToolButton::clicked, this, &TLetter::PrintLetterClick);
    connect(ToolButton2, &QToolButton::clicked, this, [this] { InsertCode(QStringLiteral("{fn}")); });
    connect(ToolButton4, &QToolButton::toggled, this, &TLetter::ViewExampleClick);
    connect(ToolButton5, &QToolButton::clicked, this, &TLetter::PreviousClick);
    connect(ToolButton6, &QToolButton::clicked, this, &TLetter::NextClick);
    connect(ToolButton3, &QToolButton::clicked, this, &TLetter::SaveExampleClick);
    const auto style = [this](void (QTextCharFormat::*set)(bool), bool on) {
        QTextCharFormat f;
        (f.*set)(on);
        Memo1->mergeCurrentCharFormat(f);
    };
    connect(ToolButton13, &QToolButton::clicked, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
        Memo1->mergeCurrentCharFormat(f);
    });
    connect(ToolButton14, &QToolButton::clicked, this, [style](bool on) { style(&QTextCharFormat::setFontItalic, on); });
    connect(ToolButton15, &QToolButton::clicked, this,
            [style](bool on) { style(&QTextCharFormat::setFontUnderline, on); });
    connect(ToolButton16, &QToolButton::clicked, this, [this] { Memo1->setAlignment(Qt::AlignLeft); });
    connect(ToolButton17, &QToolButton::clicked, this, [this] { Memo1->setAlignment(Qt::AlignHCenter); });
    connect(ToolButton18, &QToolButton::clicked, this, [this] { Memo1->setAlignment(Qt::AlignRight); });
}

void TLetter::BuildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(true);
    const auto panel = [bar](const char* name, int width, int stretch) {
        auto* label = Named<QLabel>(QLatin1String(name), bar);
        label->setMinimumWidth(width);
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        bar->addWidget(label, stretch);
        return label;
    };
    Panel0 = panel("StatusPanel0", 100, 0);
    Panel1 = panel("StatusPanel1", 70, 0);
    Panel2 = panel("StatusPanel2", 50, 1);
}

bool TLetter::event(QEvent* event)
{
    // The third panel follows the hint of what is under the mouse; the status
    // bar itself is never overwritten by it.
    if (event->type() == QEvent::StatusTip) {
        Panel2->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool TLetter::modified() const { return Memo1->document()->isModified(); }

void TLetter::SetModified(bool modified)
{
    Memo1->document()->setModified(modified);
    Panel1->setText(modified ? QStringLiteral("Modified") : QString());
}

void TLetter::UpdateFormatButtons()
{
    const QTextCharFormat f = Memo1->currentCharFormat();
    ToolButton13->setChecked(f.fontWeight() >= QFont::DemiBold);
    ToolButton14->setChecked(f.fontItalic());
    ToolButton15->setChecked(f.fontUnderline());
    const Qt::Alignment a = Memo1->alignment();
    if (a & Qt::AlignHCenter) ToolButton17->setChecked(true);
    else if (a & Qt::AlignRight) ToolButton18->setChecked(true);
    else ToolButton16->setChecked(true);
}

void TLetter::Message(const QString& text) { dialogs_.message(this, QStringLiteral("ORV"), text, {}); }

void TLetter::InsertCode(const QString& text)
{
    Memo1->textCursor().insertText(text);
    Memo1->setFocus();
}

void TLetter::CopyAllClick()
{
    Memo1->selectAll();
    Memo1->copy();
}

void TLetter::FontClick()
{
    const std::optional<QFont> font = dialogs_.chooseFont(this, Memo1->currentFont());
    if (font) Memo1->setCurrentFont(*font);
}

// ---- Files ------------------------------------------------------------------------------------

TLetter::Written TLetter::SaveToFile(const QString& path, int type, const QTextDocument& document)
{
    if (!MayOverwrite(dialogs_, this, path)) return Written::Refused;
    return WriteLetter(path, type, document) ? Written::Yes : Written::Failed;
}

bool TLetter::WriteLetter(const QString& path, int type, const QTextDocument& document)
{
    const RichDocument rich = FromTextDocument(document);
    const std::string bytes = type == 1 ? WriteRtf(rich) : WritePlainLetter(rich);
    QString error;
    if (WriteChosenFile(path, bytes, error)) return true;
    Message(error);
    return false;
}

ViewDialogs::TypedFile TLetter::AskSaveName()
{
    ViewDialogs::TypedFile chosen = dialogs_.saveTyped(this, kSaveFilters, kSaveSuffixes, FileType - 1);
    chosen.type = std::clamp(chosen.type, 0, 2);
    // A name typed with ".rtf" is a rich-text file whichever type the dialog showed.
    if (chosen.path.endsWith(QStringLiteral(".rtf"), Qt::CaseInsensitive)) chosen.type = 0;
    return chosen;
}

bool TLetter::SaveClick()
{
    if (!HasFile) return SaveAsClick();
    if (!notKept_.isEmpty()) {
        // Written back, the file would keep only what the letter area shows.
        QStringList parts = notKept_;
        const QString last = parts.takeLast();
        const QString named = parts.isEmpty() ? last : parts.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
        const QMessageBox::StandardButton answer = dialogs_.ask(
            this, QStringLiteral("Save"),
            QStringLiteral("%1 holds %2, which the letter cannot keep. Saving over it would lose them.\n\n"
                           "Save the letter as a new file instead? (No saves over %1.)")
                .arg(QFileInfo(FileName).fileName(), named),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Yes) return SaveAsClick();
        if (answer != QMessageBox::No) return false;
    }
    // The letter stays "Modified" when it could not be written.
    if (!WriteLetter(FileName, FileType, *Memo1->document())) return false;
    notKept_.clear();
    SetModified(false);
    return true;
}

bool TLetter::SaveAsClick()
{
    const ViewDialogs::TypedFile chosen = AskSaveName();
    if (chosen.path.isEmpty()) return false;
    // The letter takes the new name only once it is written there, so that a
    // refused overwrite does not leave "Save" aimed at a file the user kept.
    if (SaveToFile(chosen.path, chosen.type + 1, *Memo1->document()) != Written::Yes) return false;
    HasFile = true;
    FileName = chosen.path;
    FileType = chosen.type + 1;
    notKept_.clear();
    SetModified(false);
    return true;
}

void TLetter::OpenClick()
{
    if (modified() && !Memo1->document()->isEmpty()) {
        const QMessageBox::StandardButton answer = dialogs_.ask(this, QStringLiteral("Close"), QStringLiteral("Save changes?"),
                                                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer != QMessageBox::Yes && answer != QMessageBox::No) return;
        if (answer == QMessageBox::Yes) {
            const ViewDialogs::TypedFile chosen = AskSaveName();
            if (chosen.path.isEmpty()) return;
            if (SaveToFile(chosen.path, chosen.type + 1, *Memo1->document()) != Written::Yes) return;
        }
    }
    const ViewDialogs::TypedFile chosen = dialogs_.openTyped(this, kOpenFilters, FileType == 2 ? 1 : 0);
    if (chosen.path.isEmpty()) return;
    QString error;
    const std::optional<QByteArray> file = ReadChosenFile(chosen.path, kLargestLetterFile, error);
    if (!file) {
        Message(error);
        return;
    }
    const QByteArray& bytes = *file;
    const LetterReadResult read = ReadLetterFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                                 QFileInfo(chosen.path).fileName().toStdString());
    if (!read.ok) {
        Message(QString::fromStdString(read.message));
        return;
    }
    ToTextDocument(read.document, *Memo1->document());
    Memo1->setReadOnly(false);
    Memo1->moveCursor(QTextCursor::Start);
    Memo1->setFocus();
    UpdateFormatButtons();
    SetModified(false);
    HasFile = true;
    FileName = chosen.path;
    // What was read decides how "Save" writes it back, whatever type the dialog showed.
    FileType = read.richText ? 1 : 2;
    notKept_.clear();
    for (const std::string& part : read.dropped) notKept_ << QString::fromStdString(part);
}

void TLetter::NewClick()
{
    Memo1->setReadOnly(false);
    Memo1->clear();
    HasFile = false;
    notKept_.clear();
    SetModified(false);
    UpdateFormatButtons();
}

bool TLetter::CloseQuery()
{
    if (!modified() || Memo1->document()->isEmpty()) return true;
    const QMessageBox::StandardButton answer = dialogs_.ask(this, QStringLiteral("Exit"), QStringLiteral("Save changes?"),
                                                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::No) return true;
    if (answer != QMessageBox::Yes) return false;
    const ViewDialogs::TypedFile chosen = AskSaveName();
    if (chosen.path.isEmpty()) return false;
    switch (SaveToFile(chosen.path, chosen.type + 1, *Memo1->document())) {
    case Written::Yes:
        HasFile = true;
        FileName = chosen.path;
        FileType = chosen.type + 1;
        notKept_.clear();
        SetModified(false);
        return true;
    case Written::Refused: return true;  // the letter stays in the hidden window
    case Written::Failed: break;
    }
    return false;
}

void TLetter::closeEvent(QCloseEvent* event)
{
    if (CloseQuery()) event->accept();
    else event->ignore();
}

// ---- Examples and printing ------------------------------------------------------------------

const std::vector<LetterRow>& TLetter::Rows() const
{
    static const std::vector<LetterRow> kEmptyList(1);
    if (!rows_) return kEmptyList;
    const std::vector<LetterRow>& rows = rows_();
    return rows.empty() ? kEmptyList : rows;
}

void TLetter::Merge(std::size_t row, QTextDocument& target) const
{
    const std::vector<LetterRow>& rows = Rows();
    const LetterRow empty{};
    ToTextDocument(MergeLetter(FromTextDocument(*Memo1->document()), row < rows.size() ? rows[row] : empty), target);
}

void TLetter::ShowExampleStatus()
{
    Panel0->setText(QString::fromStdString(cursor_.StatusText()));
    ToolButton6->setEnabled(cursor_.CanNext());
    ToolButton5->setEnabled(cursor_.CanPrevious());
}

void TLetter::ViewExampleClick(bool on)
{
    if (ToolButton4->isChecked() != on) {
        ToolButton4->setChecked(on);  // toggled() comes back here
        return;
    }
    for (QToolButton* b : {ToolButton11, ToolButton12, ToolButton13, ToolButton14, ToolButton15, ToolButton16,
                           ToolButton17, ToolButton18, ToolButton1, ToolButton2})
        b->setEnabled(!on);
    for (QMenu* m : {File1, Edit1, Insert1}) m->menuAction()->setEnabled(!on);
    ToolButton3->setEnabled(on);
    if (on) {
        cursor_ = ExampleCursor(Rows().size());
        Memo2->document()->setDefaultFont(Memo1->document()->defaultFont());
        Merge(cursor_.Row(), *Memo2->document());
        pages_->setCurrentWidget(Memo2);
        ShowExampleStatus();
    } else {
        pages_->setCurrentWidget(Memo1);
        ToolButton5->setEnabled(false);
        ToolButton6->setEnabled(false);
        Panel0->setText(QStringLiteral("Basic letter"));
    }
}

void TLetter::NextClick()
{
    // The list may have changed in the data list window since the last example.
    cursor_.SetRowCount(Rows().size());
    if (!cursor_.Next()) return;
    Merge(cursor_.Row(), *Memo2->document());
    ShowExampleStatus();
}

void TLetter::PreviousClick()
{
    cursor_.SetRowCount(Rows().size());
    if (!cursor_.Previous()) return;
    Merge(cursor_.Row(), *Memo2->document());
    ShowExampleStatus();
}

void TLetter::SaveExampleClick()
{
    const ViewDialogs::TypedFile chosen = AskSaveName();
    if (chosen.path.isEmpty()) return;
    SaveToFile(chosen.path, chosen.type + 1, *Memo2->document());
}

void TLetter::Print(const QString& what, int count, const std::function<DocumentSource()>& makeSource)
{
    QPrinter printer(QPrinter::HighResolution);
    if (!dialogs_.choosePrinter(this, printer)) return;
    const QRect area = PrintJob::Area(session_.settings());
    // The documents are made, laid out and painted beside the window.
    const PrintEnd printed = PrintBeside(this, dialogs_, printer, what, [&](WorkProgress& progress) {
        const DocumentSource document = makeSource();
        return PrintDocuments(printer, area, QStringLiteral("File"), count, document, &progress);
    });
    if (printed == PrintEnd::Failed) Message(QStringLiteral("The printer could not be started."));
}

void TLetter::PrintLetterClick()
{
    // One letter per person of the list, merged one at a time into a scratch
    // document made in the work, from copies of the letter and the list.
    const RichDocument letter = FromTextDocument(*Memo1->document());
    const std::vector<LetterRow> rows = Rows();
    const QFont font = Memo1->document()->defaultFont();
    Print(QStringLiteral("Printing the letters"), static_cast<int>(rows.size()), [&]() -> DocumentSource {
        auto merged = std::make_shared<QTextDocument>();
        merged->setDefaultFont(font);
        return [&letter, &rows, merged](int r) -> const QTextDocument& {
            ToTextDocument(MergeLetter(letter, rows[static_cast<std::size_t>(r)]), *merged);
            return *merged;
        };
    });
}

void TLetter::PrintTextClick()
{
    // The letter as it stands, copied for the work.
    const std::shared_ptr<QTextDocument> text(Memo1->document()->clone());
    text->setDefaultFont(Memo1->document()->defaultFont());
    Print(QStringLiteral("Printing the letter"), 1, [&]() -> DocumentSource {
        return [text](int) -> const QTextDocument& { return *text; };
    });
}

}  // namespace orv
