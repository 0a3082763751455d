#include "views/address/addressview.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>
#include <memory>

#include "core/session.h"
#include "views/common/labelbutton.h"
#include "views/common/named.h"
#include "views/common/storedtext.h"

namespace orv {

namespace {

constexpr std::size_t kFlatGoToMenu = 40;  // items in one menu of "Go to"

QLineEdit* MakeEdit(QWidget* parent, const char* name)
{
    auto* edit = Named<QLineEdit>(QLatin1String(name), parent);
    return edit;
}

// A label above its field, named after it for screen readers.
QLabel* Caption(QWidget* parent, const char* text, QWidget* buddy)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setBuddy(buddy);
    buddy->setAccessibleName(label->text());
    return label;
}

// The record buttons take the focus from the keyboard only, so that clicking
// one leaves the field being typed in (its check then runs within the post).
QPushButton* MakeRecordButton(QWidget* parent, const char* name, const QString& glyph, const char* meaning)
{
    auto* b = Named<QPushButton>(QLatin1String(name), glyph, parent);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    b->setToolTip(QLatin1String(meaning));
    b->setAccessibleName(QLatin1String(meaning));
    // A glyph needs no button of a word's width: the links beside them keep
    // their whole captions in the window's fixed size.
    b->setFixedWidth(b->fontMetrics().height() * 3);
    return b;
}

// A name as a menu item shows it: "&" would otherwise mark the next letter as
// the item's key and vanish.
QString MenuText(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }

QAction* AddItem(QMenu* menu, const char* name, const char* caption)
{
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QLatin1String(name));
    return a;
}

}  // namespace

AddressInfoView::AddressInfoView(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("AddressInfoView"));
    DataMemo = Named<QPlainTextEdit>("DataMemo", this);
    DataMemo->setAccessibleName(QStringLiteral("Additional information"));
    DataMemo->setTabChangesFocus(true);
    DataEdit12 = MakeEdit(this, "DataEdit12");
    DataEdit13 = MakeEdit(this, "DataEdit13");
    MenuL40 = MakeLabelButton(this, "MenuL40", QStringLiteral("Exit"));
    connect(MenuL40, &LabelButton::clicked, this, &AddressInfoView::exitRequested);

    DataPopupMenu2 = Named<QMenu>("DataPopupMenu2", this);
    M57 = AddItem(DataPopupMenu2, "M57", "Copy");
    M58 = AddItem(DataPopupMenu2, "M58", "Copy all");
    M59 = AddItem(DataPopupMenu2, "M59", "Paste");
    M60 = AddItem(DataPopupMenu2, "M60", "Select all");
    connect(M57, &QAction::triggered, DataMemo, &QPlainTextEdit::copy);
    connect(M58, &QAction::triggered, this, [this] {
        DataMemo->selectAll();
        DataMemo->copy();
    });
    connect(M59, &QAction::triggered, DataMemo, &QPlainTextEdit::paste);
    connect(M60, &QAction::triggered, DataMemo, &QPlainTextEdit::selectAll);
    connect(DataPopupMenu2, &QMenu::aboutToShow, this, &AddressInfoView::PrepareMenu);
    DataMemo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(DataMemo, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { DataPopupMenu2->popup(DataMemo->mapToGlobal(pos)); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(DataMemo, 1);
    layout->addWidget(Caption(this, "2. E-mail address", DataEdit12));
    layout->addWidget(DataEdit12);
    layout->addWidget(Caption(this, "3. E-mail address", DataEdit13));
    layout->addWidget(DataEdit13);
    auto* links = new QHBoxLayout;
    links->addStretch(1);
    links->addWidget(MenuL40);
    layout->addLayout(links);
}

void AddressInfoView::PrepareMenu()
{
    M57->setEnabled(DataMemo->textCursor().hasSelection());
    M59->setEnabled(!QApplication::clipboard()->text().isEmpty());
}

AddressView::AddressView(Session& session, Navigator& navigator, QWidget* parent)
    : QWidget(parent), session_(session), navigator_(navigator), dialogs_(StandardDialogs()), info_(new AddressInfoView)
{
    setObjectName(QStringLiteral("AddressView"));
    // In this order: it is the order of the view's children for screen readers.
    BuildFields();
    BuildButtons();
    BuildMenus();
    Connect();
    LayOut();
    ShowAddress();
}

void AddressView::BuildFields()
{
    T17 = MakeLabelButton(this, "T17", QStringLiteral("Go to"));
    GoToMenu = Named<QMenu>("GoToMenu", T17);
    T17->setMenu(GoToMenu);
    connect(GoToMenu, &QMenu::aboutToShow, this, &AddressView::BuildGoToMenu);

    DataEdit1 = MakeEdit(this, "DataEdit1");
    DataEdit2 = MakeEdit(this, "DataEdit2");
    DataEdit5 = MakeEdit(this, "DataEdit5");
    DataEdit4 = MakeEdit(this, "DataEdit4");
    DataEdit3 = MakeEdit(this, "DataEdit3");
    DataEdit6 = MakeEdit(this, "DataEdit6");
    DataEdit7 = MakeEdit(this, "DataEdit7");
    DataEdit8 = MakeEdit(this, "DataEdit8");
    DataEdit9 = MakeEdit(this, "DataEdit9");
    DataEdit10 = MakeEdit(this, "DataEdit10");
    DataEdit11 = MakeEdit(this, "DataEdit11");
    for (QLineEdit* e : {DataEdit5, DataEdit4, DataEdit3}) {
        e->installEventFilter(this);
        e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 12);
    }
    SB12 = Named<QPushButton>("SB12", this);
    SB12->setAutoDefault(false);
    SB12->setAccessibleName(QStringLiteral("Send e-mail"));
    SB12->setEnabled(false);
}

void AddressView::BuildButtons()
{
    DataPrior = MakeRecordButton(this, "DataPrior", QStringLiteral("\u25C0"), "Prior");
    DataNext = MakeRecordButton(this, "DataNext", QStringLiteral("\u25B6"), "Next");
    DataInsert = MakeRecordButton(this, "DataInsert", QStringLiteral("+"), "Insert");
    DataDelete = MakeRecordButton(this, "DataDelete", QStringLiteral("\u2212"), "Delete");
    DataPost = MakeRecordButton(this, "DataPost", QStringLiteral("\u2714"), "Post");
    MenuL38 = MakeLabelButton(this, "MenuL38", QStringLiteral("Additional info"));
    MenuL37 = MakeLabelButton(this, "MenuL37", QStringLiteral("Data port"));
    MenuL39 = MakeLabelButton(this, "MenuL39", QStringLiteral("Search"));
}

void AddressView::BuildMenus()
{
    DataPortMenu = Named<QMenu>("DataPortMenu", MenuL37);
    ImportvCard1 = AddItem(DataPortMenu, "ImportvCard1", "Import vCard");
    ImportallvCards1 = AddItem(DataPortMenu, "ImportallvCards1", "Import all vCards...");
    ExportvCard1 = AddItem(DataPortMenu, "ExportvCard1", "Export vCard");
    Importdata1 = AddItem(DataPortMenu, "Importdata1", "Import data...");
    MenuL37->setMenu(DataPortMenu);

    DataPopupMenu = Named<QMenu>("DataPopupMenu", this);
    M68 = AddItem(DataPopupMenu, "M68", "Send e-mail");
    M69 = AddItem(DataPopupMenu, "M69", "Check dates");
    DataPopupMenu->addSeparator();
    QMenu* copy = DataPopupMenu->addMenu(QStringLiteral("Copy"));
    M71 = AddItem(copy, "M71", "Address");
    M72 = AddItem(copy, "M72", "Copy all");
    M73 = AddItem(copy, "M73", "Copy all info");
    QMenu* print = DataPopupMenu->addMenu(QStringLiteral("Print"));
    M75 = AddItem(print, "M75", "Print address");
    print->addSeparator();
    M76 = AddItem(print, "M76", "Start printjob");
    M77 = AddItem(print, "M77", "Add to printjob");
    M78 = AddItem(print, "M78", "Print the printjob");
    connect(DataPopupMenu, &QMenu::aboutToShow, this, &AddressView::PrepareDataMenu);
    // The view's menu opens from every field and from the view itself, with
    // the mouse, the Menu key or Shift+F10.
    for (QWidget* w : std::initializer_list<QWidget*>{this, DataEdit1, DataEdit2, DataEdit5, DataEdit4, DataEdit3,
                                                     DataEdit6, DataEdit7, DataEdit8, DataEdit9, DataEdit10, DataEdit11}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](const QPoint& pos) { DataPopupMenu->popup(w->mapToGlobal(pos)); });
    }
    auto* menuKey = new QAction(this);
    menuKey->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    menuKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(menuKey, &QAction::triggered, this, [this] {
        QWidget* at = focusWidget() && isAncestorOf(focusWidget()) ? focusWidget() : this;
        DataPopupMenu->popup(at->mapToGlobal(QPoint(0, at->height())));
    });
    addAction(menuKey);
}

void AddressView::Connect()
{
    connect(DataPost, &QPushButton::clicked, this, &AddressView::DataPostClick);
    connect(DataInsert, &QPushButton::clicked, this, &AddressView::DataInsertClick);
    connect(DataDelete, &QPushButton::clicked, this, &AddressView::DataDeleteClick);
    connect(DataPrior, &QPushButton::clicked, this, &AddressView::DataPriorClick);
    connect(DataNext, &QPushButton::clicked, this, &AddressView::DataNextClick);
    connect(SB12, &QPushButton::clicked, this, &AddressView::SendEmail);
    connect(DataEdit11, &QLineEdit::textChanged, this, &AddressView::EmailChanged);
    connect(MenuL38, &LabelButton::clicked, this, &AddressView::additionalInfoRequested);
    connect(MenuL39, &LabelButton::clicked, this, [this] { navigator_.ShowView(ViewItem::SearchPeople); });
    connect(M68, &QAction::triggered, this, &AddressView::SendEmail);
    connect(M69, &QAction::triggered, this, &AddressView::CheckDates);
    connect(M71, &QAction::triggered, this, [this] { Copy(CopyLevel::Address); });
    connect(M72, &QAction::triggered, this, [this] { Copy(CopyLevel::All); });
    connect(M73, &QAction::triggered, this, [this] { Copy(CopyLevel::AllInfo); });
    connect(M75, &QAction::triggered, this, &AddressView::PrintAddress);
    connect(M76, &QAction::triggered, this, &AddressView::StartPrintJob);
    connect(M77, &QAction::triggered, this, &AddressView::AddToPrintJob);
    connect(M78, &QAction::triggered, this, &AddressView::PrintPrintJob);
    connect(ImportvCard1, &QAction::triggered, this, &AddressView::ImportVCard);
    connect(ImportallvCards1, &QAction::triggered, this, &AddressView::ImportAllVCards);
    connect(ExportvCard1, &QAction::triggered, this, &AddressView::ExportVCard);
    connect(Importdata1, &QAction::triggered, this, [this] { navigator_.ShowImportData(); });
}

// The fields under their captions, the birthday's three on one line.
QGridLayout* AddressView::BuildFieldGrid()
{
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(2);
    grid->addWidget(Caption(this, "First name", DataEdit1), 0, 0, 1, 3);
    grid->addWidget(Caption(this, "Surname", DataEdit2), 0, 3, 1, 3);
    grid->addWidget(DataEdit1, 1, 0, 1, 3);
    grid->addWidget(DataEdit2, 1, 3, 1, 3);
    auto* birthday = new QHBoxLayout;
    birthday->setSpacing(4);
    birthday->addWidget(new QLabel(QStringLiteral("Birthday:"), this));
    for (auto [text, edit] : {std::pair{"Day", DataEdit5}, std::pair{"Month", DataEdit4}, std::pair{"Year", DataEdit3}}) {
        birthday->addSpacing(10);
        birthday->addWidget(Caption(this, text, edit));
        birthday->addWidget(edit);
    }
    DataEdit5->setAccessibleName(QStringLiteral("Birthday: Day"));
    birthday->addStretch(1);
    grid->addLayout(birthday, 2, 0, 1, 6);
    grid->addWidget(Caption(this, "Address", DataEdit6), 3, 0, 1, 6);
    grid->addWidget(DataEdit6, 4, 0, 1, 6);
    grid->addWidget(Caption(this, "Postal code and city", DataEdit7), 5, 0, 1, 3);
    grid->addWidget(Caption(this, "Country", DataEdit8), 5, 3, 1, 3);
    grid->addWidget(DataEdit7, 6, 0, 1, 3);
    grid->addWidget(DataEdit8, 6, 3, 1, 3);
    grid->addWidget(Caption(this, "1. Telephone number", DataEdit9), 7, 0, 1, 3);
    grid->addWidget(Caption(this, "2. Telephone number", DataEdit10), 7, 3, 1, 3);
    grid->addWidget(DataEdit9, 8, 0, 1, 3);
    grid->addWidget(DataEdit10, 8, 3, 1, 3);
    grid->addWidget(Caption(this, "E-mail address", DataEdit11), 9, 0, 1, 6);
    auto* mail = new QHBoxLayout;
    mail->addWidget(DataEdit11, 1);
    mail->addWidget(SB12);
    grid->addLayout(mail, 10, 0, 1, 6);
    return grid;
}

void AddressView::LayOut()
{
    QGridLayout* grid = BuildFieldGrid();
    auto* top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(T17);
    auto* bottom = new QHBoxLayout;
    for (QPushButton* b : {DataPrior, DataNext, DataInsert, DataDelete, DataPost}) bottom->addWidget(b);
    bottom->addStretch(1);
    for (LabelButton* b : {MenuL38, MenuL37, MenuL39}) bottom->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(bottom);

    // Day before month before year.
    QWidget* order[] = {DataEdit1, DataEdit2, DataEdit5, DataEdit4, DataEdit3, DataEdit6, DataEdit7, DataEdit8,
                        DataEdit9, DataEdit10, DataEdit11, SB12, DataPrior, DataNext, DataInsert, DataDelete,
                        DataPost, MenuL38, MenuL37, MenuL39, T17};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

AddressView::~AddressView()
{
    // PP4 lives in the main window's stack when it was put there; otherwise it is ours.
    if (info_ && !info_->parent()) delete info_.data();
}

AddressFields AddressView::Fields() const
{
    AddressFields f;
    ForEachShownText([&](const PersonFieldInfo& info, auto field) { field(f) = EncodeTyped(FieldEdit(info.id)->text()); });
    f.More = MemoLines(EncodeTyped(info_->DataMemo->toPlainText()));
    return f;
}

void AddressView::SetFields(const AddressFields& f)
{
    ForEachShownText([&](const PersonFieldInfo& info, auto field) { FieldEdit(info.id)->setText(DecodeStored(field(f))); });
    const QStringList lines = DecodeStoredLines(f.More);
    info_->DataMemo->setPlainText(lines.join(QLatin1Char('\n')));
}

void AddressView::ShowAddress()
{
    RecordStore& records = session_.records();
    if (records.addresses().empty()) {
        SetFields({});
        shown_ = Fields();
        SB12->setEnabled(false);
        return;
    }
    const int current = ClampCurrentAddress(records);
    SetFields(FieldsOf(records.addresses()[static_cast<std::size_t>(current)]));
    // Read back through the widgets: an older file's text shows decoded, and
    // only a field the user changed is stored again.
    shown_ = Fields();
    SB12->setEnabled(!DataEdit11->text().isEmpty());
}

void AddressView::EmailChanged()
{
    // The button follows the stored address, not the one being typed.
    if (DataEdit11->text().isEmpty()) return;
    const auto& list = session_.records().addresses();
    const bool stored = !list.empty() && !list[static_cast<std::size_t>(ClampCurrentAddress(session_.records()))].Email1.empty();
    SB12->setText(QStringLiteral("Send e-mail"));
    SB12->setEnabled(stored);
}

// The edit of each field the view shows as one text.
QLineEdit* AddressView::FieldEdit(PersonField field) const
{
    switch (field) {
    case PersonField::Name: return DataEdit1;
    case PersonField::Surname: return DataEdit2;
    case PersonField::Address: return DataEdit6;
    case PersonField::Day: return DataEdit5;
    case PersonField::Month: return DataEdit4;
    case PersonField::Year: return DataEdit3;
    case PersonField::City: return DataEdit7;
    case PersonField::Country: return DataEdit8;
    case PersonField::Tele1: return DataEdit9;
    case PersonField::Tele2: return DataEdit10;
    case PersonField::Email1: return DataEdit11;
    case PersonField::Email2: return info_->DataEdit12;
    case PersonField::Email3: return info_->DataEdit13;
    case PersonField::Postal:  // not shown
    case PersonField::Tele3:   // not shown
    case PersonField::More:    // DataMemo
        break;
    }
    return nullptr;
}

QLineEdit* AddressView::FieldEdit(BirthdayField field) const
{
    switch (field) {
    case BirthdayField::Day: return DataEdit5;
    case BirthdayField::Month: return DataEdit4;
    case BirthdayField::Year: break;
    }
    return DataEdit3;
}

bool AddressView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusOut && !checking_) {
        // Only a move to another control counts as leaving the field, not a
        // menu or another window taking the focus for a while.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
            if (watched == DataEdit5) CheckField(BirthdayField::Day, Asker::LeftField);
            else if (watched == DataEdit4) CheckField(BirthdayField::Month, Asker::LeftField);
            else if (watched == DataEdit3) CheckField(BirthdayField::Year, Asker::LeftField);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void AddressView::CheckField(BirthdayField field, Asker asker)
{
    QLineEdit* edit = FieldEdit(field);
    const FieldCheck check = CheckBirthdayField(field, EncodeTyped(edit->text()));
    edit->setText(DecodeStored(check.text));
    if (!check.changeYear) return;
    checking_ = true;
    dialogs_.message(this, QStringLiteral("ORV"), QLatin1String(kChangeTheYear), {});
    // Leaving the year field stores the person at once, without the year.
    if (asker == Asker::LeftField) {
        Post(Asker::LeftField);
        edit->setFocus(Qt::OtherFocusReason);
    }
    checking_ = false;
}

void AddressView::DataPostClick() { Post(Asker::Command); }

void AddressView::Post(Asker asker)
{
    if (asker != Asker::LeftField) CheckField(BirthdayField::Year, Asker::Command);
    CheckField(BirthdayField::Month, Asker::Command);
    CheckField(BirthdayField::Day, Asker::Command);
    RecordStore& records = session_.records();
    const AData stored = records.addresses().empty()
                             ? AData{}
                             : records.addresses()[static_cast<std::size_t>(ClampCurrentAddress(records))];
    PostAddress(records, EditedFields(stored, shown_, Fields()));
    ShowAddress();
    Save();
    emit changed();
}

void AddressView::Save()
{
    // Written beside the window; what the write tells comes when it ended.
    session_.SaveDataFile(
        DataKind::Addresses,
        [this](const SessionReport& report) {
            if (!report.notices.empty()) {
                // Another program's people were taken in: the list shown is the new one.
                ShowAddress();
                dialogs_.message(this, QStringLiteral("ORV"), DecodeStoredLines(report.notices).join(QLatin1Char('\n')),
                                 {});
            }
            if (report.ok()) return;
            const QStringList lines = DecodeStoredLines(report.messages);
            dialogs_.message(this, QStringLiteral("ORV"), lines.join(QLatin1Char('\n')), {});
        },
        this);
}

void AddressView::DataInsertClick()
{
    InsertAddress(session_.records());
    ShowAddress();
    Save();
    emit changed();
}

void AddressView::InsertAndPost(const AddressFields& fields)
{
    InsertAddress(session_.records());
    ShowAddress();
    SetFields(fields);
    Post(Asker::Command);
}

void AddressView::DataDeleteClick()
{
    RecordStore& records = session_.records();
    if (!records.addresses().empty()) {
        // Only the person as stored is deleted: changed, unposted fields refuse it.
        const AData& a = records.addresses()[static_cast<std::size_t>(ClampCurrentAddress(records))];
        if (DataEdit1->text() == DecodeStored(a.Name) && DataEdit2->text() == DecodeStored(a.Surname) &&
            DataEdit6->text() == DecodeStored(a.Address)) {
            RemoveCurrentAddress(records);
            ShowAddress();
            Save();
        }
    }
    emit changed();
}

void AddressView::DataPriorClick()
{
    int& current = session_.records().CurrentAddress;
    if (current > 0) --current;
    ShowAddress();
}

void AddressView::DataNextClick()
{
    int& current = session_.records().CurrentAddress;
    if (current < static_cast<int>(session_.records().addresses().size()) - 1) ++current;
    ShowAddress();
}

void AddressView::GoTo(int addressIndex)
{
    if (addressIndex < 0 || addressIndex >= static_cast<int>(session_.records().addresses().size())) return;
    session_.records().CurrentAddress = addressIndex;
    ShowAddress();
}

void AddressView::SendEmail()
{
    RecordStore& records = session_.records();
    if (records.addresses().empty()) return;
    navigator_.SendEmail(ClampCurrentAddress(records));
}

void AddressView::CheckDates()
{
    const auto& list = session_.records().addresses();
    const std::vector<int> wrong = IncorrectBirthdays(list);
    if (wrong.empty()) return;
    // The box says which person, so that the user can find the first one.
    const AData& a = list[static_cast<std::size_t>(wrong.front())];
    const QString who = QStringLiteral("%1 %2: %3/%4/%5")
                            .arg(DecodeStored(a.Name), DecodeStored(a.Surname))
                            .arg(a.Day)
                            .arg(a.Month)
                            .arg(a.Year);
    dialogs_.message(this, QStringLiteral("Date error"), QStringLiteral("Incorrect date"), who);
}

void AddressView::PrepareDataMenu()
{
    const auto& list = session_.records().addresses();
    M68->setVisible(!list.empty() && !list[static_cast<std::size_t>(ClampCurrentAddress(session_.records()))].Email1.empty());
}

namespace {

using Names = std::vector<std::pair<QString, int>>;

// At most kFlatGoToMenu items per menu: a longer stretch of names becomes
// submenus titled with their first and last name, each filled when it opens.
void FillGoToMenu(QMenu* menu, const std::shared_ptr<const Names>& names, std::size_t first, std::size_t last,
                  const std::function<void(int)>& go)
{
    const std::size_t count = last - first;
    if (count <= kFlatGoToMenu) {
        for (std::size_t i = first; i < last; ++i) {
            const int index = (*names)[i].second;
            menu->addAction(MenuText((*names)[i].first), menu, [go, index] { go(index); });
        }
        return;
    }
    const std::size_t chunk = (count + kFlatGoToMenu - 1) / kFlatGoToMenu;
    for (std::size_t from = first; from < last; from += chunk) {
        const std::size_t to = std::min(last, from + chunk);
        QMenu* sub = menu->addMenu(MenuText((*names)[from].first + QStringLiteral(" – ") + (*names)[to - 1].first));
        QObject::connect(sub, &QMenu::aboutToShow, sub, [sub, names, from, to, go] {
            if (sub->isEmpty()) FillGoToMenu(sub, names, from, to, go);
        });
    }
}

}  // namespace

void AddressView::BuildGoToMenu()
{
    GoToMenu->clear();
    const auto& list = session_.records().addresses();
    auto names = std::make_shared<Names>();
    names->reserve(list.size());
    // The people search's order, which is the phone book's.
    for (const int i : session_.finder().index().PeopleOrder()) {
        const AData& a = list[static_cast<std::size_t>(i)];
        names->emplace_back(DecodeStored(a.Name) + QLatin1Char(' ') + DecodeStored(a.Surname), i);
    }
    FillGoToMenu(GoToMenu, names, 0, names->size(), [this](int index) { GoTo(index); });
}

}  // namespace orv
