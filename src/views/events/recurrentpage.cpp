#include "views/events/recurrentpage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "views/common/labelbutton.h"
#include "views/common/named.h"
#include "views/events/upcominglabel.h"

namespace orv {

RecurrentPage::RecurrentPage(Session& session, const RecurrentNames& names, QWidget* parent)
    : EventPage(session, QLatin1String(names.page), QLatin1String(names.title), QLatin1String(names.caption), parent),
      names_(names)
{
    gotoLink_ = MakeLink(names.gotoLink, QStringLiteral("Goto"), QLatin1String(names.gotoSaid));
    gotoMenu_ = new QMenu(gotoLink_);
    connect(gotoLink_, &LabelButton::clicked, this, [this] { PopupBelow(gotoMenu_, gotoLink_); });
}

void RecurrentPage::MakeCommands(QListWidget* events, std::vector<QLineEdit*> fields)
{
    events_ = events;
    fields_ = std::move(fields);
    preview_ = new UpcomingLabel(names_.preview, this);
    create_ = Named<QPushButton>(names_.create, QStringLiteral("Create"), this);
    create_->setAutoDefault(false);
    delete_ = Named<QPushButton>(names_.remove, QStringLiteral("Delete"), this);
    delete_->setAutoDefault(false);
    connect(events_, &QListWidget::currentRowChanged, this, &RecurrentPage::EventChosen);
    connect(create_, &QPushButton::clicked, this, [this] { CreateClick(); });
    connect(delete_, &QPushButton::clicked, this, [this] { DeleteClick(); });
}

void RecurrentPage::EnterCreates()
{
    connect(fields_.front(), &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!text.isEmpty()) SetCreateDefault(true);
    });
    for (QLineEdit* e : fields_)
        connect(e, &QLineEdit::returnPressed, this, [this] {
            if (create_->isDefault()) CreateClick();
        });
}

void RecurrentPage::SetCreateDefault(bool on) { create_->setDefault(on); }

bool RecurrentPage::HintToCreate(bool dayChosen)
{
    if (!dayChosen) return false;
    SetCreateDefault(false);
    if (!fields_.front()->text().isEmpty()) return true;
    ListEvents();
    return false;
}

QHBoxLayout* RecurrentPage::TopRow()
{
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Select day, write event and click 'Create' to add an event."), this), 1);
    top->addWidget(gotoLink_);
    return top;
}

QGridLayout* RecurrentPage::DayAndEventLists(QListWidget* days)
{
    auto* lists = new QGridLayout;
    lists->addWidget(MakeCaption(this, QStringLiteral("Select day"), days, CaptionWeight::Bold), 0, 0);
    lists->addWidget(MakeCaption(this, QStringLiteral("Select event"), events_, CaptionWeight::Bold), 0, 1);
    lists->addWidget(days, 1, 0);
    lists->addWidget(events_, 1, 1);
    lists->setColumnStretch(1, 2);
    return lists;
}

QGridLayout* RecurrentPage::HintGrid(int span)
{
    auto* fields = new QGridLayout;
    fields->addWidget(MakeCaption(this, QStringLiteral("New hint:"), fields_.front()), 0, 0);
    fields->addWidget(fields_.front(), 0, 1, 1, span);
    fields->setColumnStretch(span, 1);
    return fields;
}

void RecurrentPage::AddFieldRows(QGridLayout* fields)
{
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(create_);
    buttons->addWidget(delete_);
    buttons->addStretch(1);
    body()->addLayout(fields);
    body()->addWidget(preview_);
    body()->addLayout(buttons);
}

void RecurrentPage::SelectDayItem(QListWidget* days, int item)
{
    if (item < 0 || item >= days->count()) return;
    const QSignalBlocker blocker(days);
    days->setCurrentRow(item);
    ListEvents();
}

void RecurrentPage::ListHints(std::vector<std::string> hints)
{
    hints_ = std::move(hints);
    FillHintList(events_, hints_);
    ClearFields();
    SetCreateDefault(false);
    ShowPreview();
}

bool RecurrentPage::Listed(const std::string& hint) const
{
    return std::find(hints_.begin(), hints_.end(), hint) != hints_.end();
}

int RecurrentPage::chosenEvent() const
{
    const int row = events_->currentRow();
    return row >= 0 && row < static_cast<int>(hints_.size()) ? row : -1;
}

void RecurrentPage::ClearFields()
{
    for (QLineEdit* e : fields_) e->clear();
}

void RecurrentPage::EventChosen()
{
    SetCreateDefault(false);  // filling the fields is no new event
    const int row = chosenEvent();
    if (row < 0)
        ClearFields();
    else
        ShowEvent(static_cast<std::size_t>(row));
}

void RecurrentPage::EditDone()
{
    ListEvents();
    SetupPopupMenu();
    emit changed();
}

void RecurrentPage::Stored(DataKind kind)
{
    SaveNow(kind);
    EditDone();
}

void RecurrentPage::hideEvent(QHideEvent* event)
{
    // Enter must not create on a page that is no longer shown.
    SetCreateDefault(false);
    EventPage::hideEvent(event);
}

void WatchCountField(QLineEdit* edit, CountField kind, QObject* context, std::function<void()> changed)
{
    QObject::connect(edit, &QLineEdit::textChanged, context, [edit, kind, changed = std::move(changed)] {
        FilterCountField(edit, kind);
        changed();
    });
}

}  // namespace orv
