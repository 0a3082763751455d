#include "views/events/annualview.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/engineconfig.h"
#include "core/session.h"
#include "views/common/labelbutton.h"
#include "views/events/popupmenus.h"
#include "views/common/storedtext.h"
#include "views/events/upcominglabel.h"

namespace orv {

int AnnualPageDay(int day, int month)
{
    if (month == 2 && day == 29) return day;
    while (day > 1 && !CheckDate(1987, month, day)) --day;  // 1987 is a common year
    return day;
}

AnnualView::AnnualView(Session& session, QWidget* parent)
    : EventPage(session, QStringLiteral("PP15"), QStringLiteral("T14"), QStringLiteral("Annual events"), parent)
{
    T19 = MakeLink("T19", QStringLiteral("Goto"), QStringLiteral("Go to an annual event"));
    gotoMenu_ = new QMenu(T19);
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems(DayOfMonthItems());
    ComboBox1->setAccessibleName(QStringLiteral("Day"));
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->addItems(MonthNameList());
    ComboBox2->setAccessibleName(QStringLiteral("Month"));
    ComboBox1->setCurrentIndex(-1);
    ComboBox2->setCurrentIndex(-1);
    ListBox5 = new QListWidget(this);
    ListBox5->setObjectName(QStringLiteral("ListBox5"));
    Edit9 = new QLineEdit(this);
    Edit9->setObjectName(QStringLiteral("Edit9"));
    Edit11 = new QLineEdit(this);
    Edit11->setObjectName(QStringLiteral("Edit11"));
    Edit11->setMaximumWidth(80);
    preview_ = new UpcomingLabel("AnnualPreview", this);
    AnnButton1 = new QPushButton(QStringLiteral("Create"), this);
    AnnButton1->setObjectName(QStringLiteral("AnnButton1"));
    AnnButton1->setAutoDefault(false);
    SpeedButton3 = new QPushButton(QStringLiteral("Delete"), this);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton3->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Select day, write event and click 'Create' to add an event."), this), 1);
    top->addWidget(T19);
    auto* date = new QHBoxLayout;
    date->addWidget(ComboBox1);
    date->addWidget(ComboBox2);
    date->addStretch(1);
    auto* fields = new QGridLayout;
    fields->addWidget(MakeCaption(this, QStringLiteral("New hint:"), Edit9), 0, 0);
    fields->addWidget(Edit9, 0, 1, 1, 2);
    fields->addWidget(MakeCaption(this, QStringLiteral("Counting:"), Edit11), 1, 0);
    fields->addWidget(Edit11, 1, 1);
    fields->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(AnnButton1);
    buttons->addWidget(SpeedButton3);
    buttons->addStretch(1);

    body()->addLayout(top);
    body()->addLayout(date);
    body()->addWidget(MakeCaption(this, QStringLiteral("Select event"), ListBox5, true));
    body()->addWidget(ListBox5, 1);
    body()->addLayout(fields);
    body()->addWidget(preview_);
    body()->addLayout(buttons);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &AnnualView::DateChange);
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, &AnnualView::DateChange);
    connect(ListBox5, &QListWidget::currentRowChanged, this, &AnnualView::ListBox5Click);
    connect(AnnButton1, &QPushButton::clicked, this, &AnnualView::AnnButton1Click);
    connect(SpeedButton3, &QPushButton::clicked, this, &AnnualView::SpeedButton3Click);
    connect(T19, &LabelButton::clicked, this, [this] { PopupBelow(gotoMenu_, T19); });
    connect(Edit11, &QLineEdit::textChanged, this, [this] {
        FilterCountField(Edit11, CountField::Year);
        ShowPreview();
    });
    SetupPopupMenu();
}

int AnnualView::selectedDay() const { return ComboBox1->currentIndex() + 1; }
int AnnualView::selectedMonth() const { return ComboBox2->currentIndex() + 1; }

void AnnualView::SetDate(int day, int month)
{
    if (day < 1 || day > 31 || month < 1 || month > 12) return;
    {
        const QSignalBlocker b1(ComboBox1);
        const QSignalBlocker b2(ComboBox2);
        ComboBox1->setCurrentIndex(day - 1);
        ComboBox2->setCurrentIndex(month - 1);
    }
    DateChange();
}

void AnnualView::DateChange()
{
    ListBox5->clear();
    hints_.clear();
    const int month = selectedMonth();
    movedFrom_ = 0;
    if (month > 0 && selectedDay() > 0) {
        const int day = AnnualPageDay(selectedDay(), month);
        if (day != selectedDay()) {
            movedFrom_ = selectedDay();
            const QSignalBlocker blocker(ComboBox1);
            ComboBox1->setCurrentIndex(day - 1);
        }
        for (const AYear& y : session().records().annual())
            if (y.Day == selectedDay() && y.Month == month) hints_.push_back(y.Hint);
    }
    FillHintList(ListBox5, hints_);
    Edit9->clear();
    Edit11->clear();
    ShowPreview();
}

void AnnualView::ListBox5Click()
{
    const int row = ListBox5->currentRow();
    if (row < 0 || row >= static_cast<int>(hints_.size())) return;
    for (const AYear& y : session().records().annual()) {
        if (y.Day != selectedDay() || y.Month != selectedMonth() || y.Hint != hints_[static_cast<std::size_t>(row)])
            continue;
        Edit9->setText(DecodeStored(y.Hint));
        Edit11->setText(DecodeStored(y.Year));
    }
}

void AnnualView::SetFields(const QString& hint, const QString& year)
{
    Edit9->setText(hint);
    Edit11->setText(year);
}

void AnnualView::AnnButton1Click()
{
    const int day = selectedDay();
    const int month = selectedMonth();
    if (Edit9->text().isEmpty() || day == 0 || month == 0) return;
    const std::string hint = EncodeTyped(Edit9->text());
    for (const std::string& listed : hints_)
        if (listed == hint) return;
    session().records().editAnnual().push_back(AYear{month, day, EncodeTyped(Edit11->text()), hint});
    SaveNow(DataKind::Annual);
    DateChange();
    SetupPopupMenu();
    emit changed();
}

void AnnualView::SpeedButton3Click()
{
    const int row = ListBox5->currentRow();
    if (row < 0 || row >= static_cast<int>(hints_.size())) return;
    auto& list = session().records().editAnnual();
    for (auto it = list.begin(); it != list.end(); ++it) {
        if (it->Day == selectedDay() && it->Month == selectedMonth() && it->Hint == hints_[static_cast<std::size_t>(row)]) {
            list.erase(it);
            SaveNow(DataKind::Annual);
            DateChange();
            SetupPopupMenu();
            emit changed();
            return;
        }
    }
}

void AnnualView::SetupPopupMenu()
{
    std::vector<GotoItem> items;
    for (const AYear& y : session().records().annual()) items.push_back({DecodeStored(y.Hint), y.Month - 1});
    BuildGotoMenu(gotoMenu_, items, MonthNameList(), [this](int index) {
        const auto& list = session().records().annual();
        if (index < 0 || index >= static_cast<int>(list.size())) return;
        SetDate(list[static_cast<std::size_t>(index)].Day, list[static_cast<std::size_t>(index)].Month);
    });
}

void AnnualView::ShowPreview()
{
    if (selectedDay() == 0 || selectedMonth() == 0) {
        preview_->clear();
        return;
    }
    preview_->ShowAnnual(AYear{selectedMonth(), selectedDay(), EncodeTyped(Edit11->text()), EncodeTyped(Edit9->text())},
                         session().today(), DateSettingsFrom(session().settings()), movedFrom_);
}

}  // namespace orv
