#include "views/events/annualview.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

#include "core/engineconfig.h"
#include "core/session.h"
#include "views/common/changes.h"
#include "views/common/named.h"
#include "views/events/upcominglabel.h"

namespace orv {

namespace {

constexpr RecurrentNames kNames{"PP15", "T14", "Annual events", "T19", "Go to an annual event",
                                "AnnualPreview", "AnnButton1", "SpeedButton3"};

}  // namespace

int AnnualPageDay(int day, int month)
{
    if (month == 2 && day == 29) return day;
    while (day > 1 && !CheckDate(1987, month, day)) --day;  // 1987 is a common year
    return day;
}

AnnualView::AnnualView(Session& session, QWidget* parent) : RecurrentPage(session, kNames, parent)
{
    ComboBox1 = MakeChoiceBox(this, "ComboBox1", DayOfMonthItems());
    ComboBox1->setAccessibleName(QStringLiteral("Day"));
    ComboBox2 = MakeChoiceBox(this, "ComboBox2", MonthNameList());
    ComboBox2->setAccessibleName(QStringLiteral("Month"));
    auto* events = Named<QListWidget>("ListBox5", this);
    Edit9 = Named<QLineEdit>("Edit9", this);
    Edit11 = Named<QLineEdit>("Edit11", this);
    Edit11->setMaximumWidth(80);
    MakeCommands(events, {Edit9, Edit11});

    QHBoxLayout* top = TopRow();
    auto* date = new QHBoxLayout;
    date->addWidget(ComboBox1);
    date->addWidget(ComboBox2);
    date->addStretch(1);
    QGridLayout* fields = HintGrid(2);
    fields->addWidget(MakeCaption(this, QStringLiteral("Counting:"), Edit11), 1, 0);
    fields->addWidget(Edit11, 1, 1);
    body()->addLayout(top);
    body()->addLayout(date);
    body()->addWidget(MakeCaption(this, QStringLiteral("Select event"), events, CaptionWeight::Bold));
    body()->addWidget(events, 1);
    AddFieldRows(fields);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &AnnualView::ListEvents);
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, &AnnualView::ListEvents);
    WatchCountField(Edit11, CountField::Year, this, [this] { ShowPreview(); });
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
    ListEvents();
}

void AnnualView::ListEvents()
{
    std::vector<std::string> hints;
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
            if (y.Day == selectedDay() && y.Month == month) hints.push_back(y.Hint);
    }
    ListHints(std::move(hints));
}

void AnnualView::ShowEvent(std::size_t row)
{
    // Every record of the date with the hint; the last one shows.
    for (const AYear& y : session().records().annual()) {
        if (y.Day != selectedDay() || y.Month != selectedMonth() || y.Hint != hint(row)) continue;
        SetFields(DecodeStored(y.Hint), DecodeStored(y.Year));
    }
}

void AnnualView::SetFields(const QString& hint, const QString& year)
{
    Edit9->setText(hint);
    Edit11->setText(year);
}

void AnnualView::CreateClick()
{
    const int day = selectedDay();
    const int month = selectedMonth();
    if (Edit9->text().isEmpty() || day == 0 || month == 0) return;
    const std::string hint = EncodeTyped(Edit9->text());
    if (Listed(hint)) return;
    session().records().editAnnual().push_back(AYear{month, day, EncodeTyped(Edit11->text()), hint});
    Stored(DataKind::Annual);
}

void AnnualView::DeleteClick()
{
    const int row = chosenEvent();
    if (row < 0) return;
    const std::string& chosen = hint(static_cast<std::size_t>(row));
    // Nothing is listed anew when the event went meanwhile.
    if (DeleteFirst(session().records().editAnnual(), DataKind::Annual, [&](const AYear& y) {
            return y.Day == selectedDay() && y.Month == selectedMonth() && y.Hint == chosen;
        }))
        EditDone();
}

void AnnualView::SetupPopupMenu()
{
    SetupGoto([this]() -> const auto& { return session().records().annual(); }, MonthNameList(),
              [](const AYear& y) { return y.Month - 1; }, [this](const AYear& y) { SetDate(y.Day, y.Month); });
}

void AnnualView::ShowPreview()
{
    if (selectedDay() == 0 || selectedMonth() == 0) {
        preview()->clear();
        return;
    }
    preview()->ShowAnnual(
        AYear{selectedMonth(), selectedDay(), EncodeTyped(Edit11->text()), EncodeTyped(Edit9->text())},
        session().today(), DateSettingsFrom(session().settings()), movedFrom_);
}

void AnnualView::Follow(Changes& changes)
{
    changes.Subscribe(this, ChangeKind::Annual, [this] { SetupPopupMenu(); });
}

}  // namespace orv
