#include "views/address/hintsearchview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/session.h"
#include "engine/peoplesearch.h"
#include "views/address/searchresultmodel.h"
#include "views/common/changes.h"
#include "views/common/named.h"
#include "views/common/storedtext.h"

namespace orv {

HintSearchView::HintSearchView(Session& session, Navigator& navigator, QWidget* parent)
    : QWidget(parent), session_(session), navigator_(navigator), model_(new SearchResultModel(this))
{
    setObjectName(QStringLiteral("HintSearchView"));
    Edit7 = Named<QLineEdit>("Edit7", this);
    ListBox4 = MakeResultList(this, "ListBox4", model_);
    HButton1 = Named<QPushButton>("HButton1", QStringLiteral("Go.."), this);
    HButton1->setAutoDefault(false);
    Label12 = Named<QLabel>("Label12", this);
    Label12->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    Memo3 = Named<QPlainTextEdit>("Memo3", this);
    Memo3->setReadOnly(true);
    Memo3->setAccessibleName(QStringLiteral("Further text"));
    auto* Panel11 = Named<QWidget>("Panel11", this);
    auto* panel = new QVBoxLayout(Panel11);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(Label12);
    panel->addWidget(Memo3);

    connect(Edit7, &QLineEdit::textChanged, this, &HintSearchView::Search);
    connect(Edit7, &QLineEdit::returnPressed, this, &HintSearchView::Go);
    connect(ListBox4, &QListView::clicked, this, [this](const QModelIndex& i) { Select(i.row()); });
    connect(ListBox4, &QListView::activated, this, [this](const QModelIndex& i) {
        Select(i.row());
        Go();
    });
    connect(ListBox4->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& i) {
        if (i.isValid()) Select(i.row());
    });
    connect(HButton1, &QPushButton::clicked, this, &HintSearchView::Go);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MakeHeading(this, "Search for..", Edit7));
    auto* entry = new QHBoxLayout;
    entry->addWidget(Edit7, 1);
    entry->addWidget(HButton1);
    layout->addLayout(entry);
    layout->addWidget(MakeHeading(this, "Temporary result:", ListBox4));
    layout->addWidget(ListBox4, 3);
    layout->addWidget(Panel11, 2);
    setTabOrder(Edit7, HButton1);
    setTabOrder(HButton1, ListBox4);
}

void HintSearchView::Search()
{
    stale_ = false;
    Label12->clear();
    Memo3->clear();
    std::vector<std::string> hints;
    std::vector<int> indexes;
    dates_.clear();
    for (HintHit& hit : SearchHints(session_.records(), EncodeTyped(Edit7->text()), session_.finder().dateSettings())) {
        hints.push_back(std::move(hit.Hint));
        indexes.push_back(hit.Index);
        dates_.push_back(std::move(hit.DateText));
    }
    model_->setResults(std::move(hints), std::move(indexes));
}

void HintSearchView::Refresh()
{
    if (isVisibleTo(window())) Search();
    else stale_ = true;
}

void HintSearchView::showEvent(QShowEvent* event)
{
    // Before the first paint: the results are never seen out of date.
    if (stale_) Search();
    QWidget::showEvent(event);
}

void HintSearchView::FocusEntry() { Edit7->setFocus(); }

int HintSearchView::selectedRow() const
{
    const QModelIndex i = ListBox4->currentIndex();
    return i.isValid() ? i.row() : 0;
}

void HintSearchView::Select(int row)
{
    if (model_->empty()) return;
    if (row < 0 || row >= model_->rowCount()) row = selectedRow();
    RecordStore& records = session_.records();
    // A result stands for its record only until the calendar changes without a new search.
    if (model_->indexAt(row) >= static_cast<int>(records.calendar().size())) return;
    records.CurrentCalendar = model_->indexAt(row);
    Label12->setText(DecodeStored(dates_[static_cast<std::size_t>(row)]));
    QStringList more;
    for (const std::string& line : records.calendar()[static_cast<std::size_t>(records.CurrentCalendar)].More)
        more << DecodeStored(line);
    Memo3->setPlainText(more.join(QLatin1Char('\n')));
}

void HintSearchView::Go()
{
    if (model_->empty()) return;
    Select(selectedRow());
    if (session_.records().CurrentCalendar >= static_cast<int>(session_.records().calendar().size())) return;
    const ACal& c = session_.records().calendar()[static_cast<std::size_t>(session_.records().CurrentCalendar)];
    navigator_.ShowCalendarAt(Date{static_cast<std::uint16_t>(c.Year), static_cast<std::uint16_t>(c.Month),
                                   static_cast<std::uint16_t>(c.Day)});
}

void HintSearchView::Follow(Changes& changes)
{
    changes.Subscribe(this, ChangeKind::Calendar, [this] { Refresh(); });
}

}  // namespace orv
