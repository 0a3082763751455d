#include "views/address/peoplesearchview.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/session.h"
#include "store/utf8.h"
#include "views/common/changes.h"
#include "views/common/labelbutton.h"
#include "views/address/searchresultmodel.h"
#include "views/common/named.h"
#include "views/common/storedtext.h"

namespace orv {

PeopleSearchView::PeopleSearchView(Session& session, Navigator& navigator, QWidget* parent)
    : QWidget(parent), session_(session), navigator_(navigator), dialogs_(StandardDialogs()),
      model_(new SearchResultModel(this))
{
    setObjectName(QStringLiteral("PeopleSearchView"));
    // In this order: it is the order of the view's children for screen readers.
    QWidget* card = BuildControls();
    Connect();
    LayOut(card);
    setTabOrder(NewSearchEdit, B1);
    setTabOrder(B1, ResultListBox);
    setCategory(SearchField::FirstName);
}

// The search fields, the entry, the results, the card (returned) and the data commands.
QWidget* PeopleSearchView::BuildControls()
{
    MenuL16 = MakeLabelButton(this, "MenuL16", QStringLiteral("First name"));
    MenuL17 = MakeLabelButton(this, "MenuL17", QStringLiteral("Surname"));
    MenuL18 = MakeLabelButton(this, "MenuL18", QStringLiteral("Telephone#"));
    MenuL19 = MakeLabelButton(this, "MenuL19", QStringLiteral("E-mail"));
    NewSearchEdit = Named<QLineEdit>("NewSearchEdit", this);
    ResultListBox = MakeResultList(this, "ResultListBox", model_);
    B1 = Named<QPushButton>("B1", QStringLiteral("Go.."), this);
    B1->setAutoDefault(false);
    Memo2 = Named<QPlainTextEdit>("Memo2", this);
    Memo2->setReadOnly(true);
    Memo2->setAccessibleName(QStringLiteral("Card"));
    auto* Panel12 = Named<QWidget>("Panel12", this);
    auto* card = new QVBoxLayout(Panel12);
    card->setContentsMargins(0, 0, 0, 0);
    card->addWidget(Memo2);
    MenuL20 = MakeLabelButton(this, "MenuL20", QStringLiteral("Send e-mail"));
    MenuL21 = MakeLabelButton(this, "MenuL21", QStringLiteral("Create list"));
    MenuL22 = MakeLabelButton(this, "MenuL22", QStringLiteral("Add address"));
    MenuL23 = MakeLabelButton(this, "MenuL23", QStringLiteral("Add all"));
    return Panel12;
}

void PeopleSearchView::Connect()
{
    const SearchField fields[] = {SearchField::FirstName, SearchField::Surname, SearchField::Telephone, SearchField::Email};
    LabelButton* labels[] = {MenuL16, MenuL17, MenuL18, MenuL19};
    for (int i = 0; i < 4; ++i)
        connect(labels[i], &LabelButton::clicked, this, [this, f = fields[i]] { setCategory(f); });
    connect(NewSearchEdit, &QLineEdit::textChanged, this, &PeopleSearchView::Search);
    connect(NewSearchEdit, &QLineEdit::returnPressed, this, &PeopleSearchView::Go);
    connect(ResultListBox, &QListView::clicked, this, [this](const QModelIndex& i) { Select(i.row(), Card::Shown); });
    connect(ResultListBox, &QListView::activated, this, [this](const QModelIndex& i) {
        Select(i.row(), Card::Kept);
        Go();
    });
    connect(ResultListBox->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& i) {
                if (i.isValid()) Select(i.row(), Card::Shown);
            });
    connect(B1, &QPushButton::clicked, this, &PeopleSearchView::Go);
    connect(MenuL20, &LabelButton::clicked, this, &PeopleSearchView::SendEmail);
    connect(MenuL21, &LabelButton::clicked, this, [this] { navigator_.ShowDataList(Navigator::DataList::Cleared); });
    connect(MenuL22, &LabelButton::clicked, this, &PeopleSearchView::AddAddress);
    connect(MenuL23, &LabelButton::clicked, this, &PeopleSearchView::AddAll);
}

void PeopleSearchView::LayOut(QWidget* card)
{
    auto* left = new QVBoxLayout;
    left->addWidget(MakeHeading(this, "Search by:"));
    for (LabelButton* b : {MenuL16, MenuL17, MenuL18, MenuL19}) left->addWidget(b, 0, Qt::AlignLeft);
    left->addSpacing(8);
    left->addWidget(MakeHeading(this, "Data"));
    for (LabelButton* b : {MenuL20, MenuL21, MenuL22, MenuL23}) left->addWidget(b, 0, Qt::AlignLeft);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(MakeHeading(this, "Search for..", NewSearchEdit));
    auto* entry = new QHBoxLayout;
    entry->addWidget(NewSearchEdit, 1);
    entry->addWidget(B1);
    right->addLayout(entry);
    right->addWidget(MakeHeading(this, "Temporary result:", ResultListBox));
    right->addWidget(ResultListBox, 3);
    right->addWidget(card, 2);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left);
    layout->addLayout(right, 1);
}

void PeopleSearchView::setCategory(SearchField field)
{
    ShowCategory(field);
    Search();
}

void PeopleSearchView::RestoreCategory(SearchField field)
{
    ShowCategory(field);
    Refresh();
}

void PeopleSearchView::Refresh()
{
    if (isVisibleTo(window())) Search();
    else stale_ = true;
}

void PeopleSearchView::showEvent(QShowEvent* event)
{
    // Before the first paint: the results are never seen out of date.
    if (stale_) Search();
    QWidget::showEvent(event);
}

void PeopleSearchView::ShowCategory(SearchField field)
{
    category_ = field;
    LabelButton* labels[] = {MenuL16, MenuL17, MenuL18, MenuL19};
    for (int i = 0; i < 4; ++i) {
        QFont f = labels[i]->font();
        f.setBold(i == static_cast<int>(field));
        labels[i]->setFont(f);
        labels[i]->setAccessibleDescription(i == static_cast<int>(field) ? QStringLiteral("chosen") : QString());
    }
}

void PeopleSearchView::Search()
{
    stale_ = false;
    Memo2->clear();
    std::vector<std::string> texts;
    std::vector<int> indexes;
    std::vector<PersonHit> hits = SearchPeople(session_.finder().index(), category_, EncodeTyped(NewSearchEdit->text()));
    texts.reserve(hits.size());
    indexes.reserve(hits.size());
    const std::vector<AData>& people = session_.records().addresses();
    for (const PersonHit& h : hits) {
        // Each name decoded on its own: an older first name beside a newer
        // surname must not garble the pair.
        const AData& a = people[static_cast<std::size_t>(h.Index)];
        texts.push_back(StoredAsUtf8(a.Name) + ' ' + StoredAsUtf8(a.Surname));
        indexes.push_back(h.Index);
    }
    model_->setResults(std::move(texts), std::move(indexes));
}

void PeopleSearchView::FocusEntry() { NewSearchEdit->setFocus(); }

int PeopleSearchView::selectedRow() const
{
    const QModelIndex i = ResultListBox->currentIndex();
    return i.isValid() ? i.row() : 0;
}

void PeopleSearchView::Select(int row, Card card)
{
    if (model_->empty()) return;
    if (row < 0 || row >= model_->rowCount()) row = selectedRow();
    RecordStore& records = session_.records();
    // A result stands for its person only until the address book changes without a new search.
    if (model_->indexAt(row) >= static_cast<int>(records.addresses().size())) return;
    records.CurrentAddress = model_->indexAt(row);
    emit addressSelected();
    if (card == Card::Kept) return;
    std::vector<std::string> lines;
    AddressSummary(lines, records.addresses()[static_cast<std::size_t>(records.CurrentAddress)]);
    const QStringList text = DecodeStoredLines(lines);
    Memo2->setPlainText(text.join(QLatin1Char('\n')));
}

void PeopleSearchView::Go()
{
    if (model_->empty()) return;
    const int row = selectedRow();
    Select(row, Card::Kept);
    navigator_.ShowAddress(model_->indexAt(row));
}

void PeopleSearchView::SendEmail()
{
    RecordStore& records = session_.records();
    if (!model_->empty()) Select(selectedRow(), Card::Kept);
    const auto& list = records.addresses();
    const int current = records.CurrentAddress;
    if (current >= 0 && current < static_cast<int>(list.size()) && !list[static_cast<std::size_t>(current)].Email1.empty())
        navigator_.SendEmail(current);
    else
        dialogs_.message(this, QStringLiteral("E-mail error"), QStringLiteral("No e-mail address in the database"), {});
}

void PeopleSearchView::AddAddress()
{
    if (!model_->empty()) Select(selectedRow(), Card::Kept);
    const int current = session_.records().CurrentAddress;
    if (current >= 0 && current < static_cast<int>(session_.records().addresses().size()))
        navigator_.AddToDataList({current});
}

void PeopleSearchView::AddAll()
{
    if (model_->empty()) return;
    // Everyone found, in the order of the results; the last one ends up
    // highlighted and shown in the address book.
    std::vector<int> indexes;
    const int rows = model_->rowCount();
    indexes.reserve(static_cast<std::size_t>(rows));
    for (int row = 0; row < rows; ++row) indexes.push_back(model_->indexAt(row));
    ResultListBox->setCurrentIndex(model_->index(rows - 1, 0));
    Select(rows - 1, Card::Kept);
    navigator_.AddToDataList(indexes);
}

void PeopleSearchView::Follow(Changes& changes)
{
    changes.Subscribe(this, ChangeKind::People, [this] { Search(); });
}

}  // namespace orv
