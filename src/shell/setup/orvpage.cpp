#include "shell/setup/orvpage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "views/common/named.h"
#include "shell/setup/setupparts.h"

namespace orv {

namespace {

const char* const kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// The list offers exactly the numbers a stored setting may hold.
static_assert(std::size(kDayNames) == setting_range::WeekStart.max + 1);

constexpr int kIndent = 20;

}  // namespace

OrvPage::OrvPage(QWidget* parent) : SetupPage(parent)
{
    setObjectName(QStringLiteral("OrvList"));
    auto* layout = new QVBoxLayout(this);
    BuildSetupGroup(layout);
    BuildStartGroup(layout);
    BuildCalendarGroup(layout);
    BuildTodayGroup(layout);
    BuildFormatGroup(layout);
    layout->addStretch(1);

    connect(CB1, &QCheckBox::toggled, this, &OrvPage::CB1Click);
    connect(CB2, &QCheckBox::toggled, this, &OrvPage::CB2Click);
    connect(CB22, &QCheckBox::toggled, this, &OrvPage::CB22Click);
    connect(CB21, &QCheckBox::toggled, this, &OrvPage::dateFormatOrStampChanged);
    connect(CB25, &QRadioButton::toggled, this, &OrvPage::dateFormatOrStampChanged);
}

QCheckBox* OrvPage::Box(const char* name, bool Settings::*member, const QString& caption)
{
    return bindings_.Bind(Named<QCheckBox>(QString::fromLatin1(name), caption), member);
}

void OrvPage::BuildSetupGroup(QVBoxLayout* layout)
{
    auto* group = new QGroupBox(QStringLiteral("ORV Setup"));
    auto* setup = new QVBoxLayout(group);
    AddLeft(setup, CB4 = Box("CB4", &Settings::CB4, QStringLiteral("New user")));
    AddLeft(setup, Box("CB6", &Settings::CB6, QStringLiteral("Show \"Ver 1.2\" in Menu")));
    AddLeft(setup, CB21 = Box("CB21", &Settings::CB21, QStringLiteral("Date on next weeks events")));
    AddLeft(setup, Box("CB5", &Settings::CB5, QStringLiteral("Show ORV in system tray")));
    // Not bound: until the user chooses, it follows the desktop.
    CB30 = Named<QCheckBox>(QStringLiteral("CB30"), QStringLiteral("Notify birthdays and high priority events"));
    AddLeft(setup, CB30);
    AddLeft(setup, Box("CB24", &Settings::CB24, QStringLiteral("Enable Resize")));
    auto* days = bindings_.Bind(Named<QSpinBox>(QStringLiteral("SpinEdit1")), &Settings::nextweek);
    SetRange(days, setting_range::nextweek);
    AddRow(setup, QStringLiteral("Days in 'Next week' :"), days);
    layout->addWidget(group);
}

void OrvPage::BuildStartGroup(QVBoxLayout* layout)
{
    auto* group = new QGroupBox(QStringLiteral("Start-up"));
    auto* start = new QVBoxLayout(group);
    AddLeft(start, CB1 = Box("CB1", &Settings::CB1, QStringLiteral("Launch at Windows start-up")));
    AddLeft(start, CB22 = Box("CB22", &Settings::CB22, QStringLiteral("Use ORV Launch")), kIndent);
    AddLeft(start, CB23 = Box("CB23", &Settings::CB23, QStringLiteral("After the first start-up")), 2 * kIndent);
    AddLeft(start, CB2 = Box("CB2", &Settings::CB2, QStringLiteral("Launch only once a day")), kIndent);
    AddLeft(start, CB3 = Box("CB3", &Settings::CB3, QStringLiteral("Show only once a day")), 2 * kIndent);
    layout->addWidget(group);
}

void OrvPage::BuildCalendarGroup(QVBoxLayout* layout)
{
    auto* group = new QGroupBox(QStringLiteral("Calendar Setup"));
    auto* calendar = new QVBoxLayout(group);
    RadioGroup1 = Named<QButtonGroup>(QStringLiteral("RadioGroup1"), this);
    const QString priorities[] = {QStringLiteral("Only high priority"), QStringLiteral("Only normal and high priority"),
                                  QStringLiteral("All priorities")};
    for (int i = 0; i < 3; ++i) {
        auto* radio = Named<QRadioButton>(QStringLiteral("RadioButton%1").arg(i + 1), priorities[i]);
        RadioGroup1->addButton(radio, i);
        AddLeft(calendar, radio);
    }
    auto* weekStart = bindings_.Bind(Named<QComboBox>(QStringLiteral("ComboBox1")), &Settings::WeekStart);
    for (const char* day : kDayNames) weekStart->addItem(QString::fromLatin1(day));
    AddRow(calendar, QStringLiteral(" Week starts with: "), weekStart);
    auto* firstWeek = bindings_.Bind(Named<QComboBox>(QStringLiteral("ComboBox3")), &Settings::FirstWeek);
    firstWeek->addItems({QStringLiteral("First full week"), QStringLiteral("First 4-day week"),
                         QStringLiteral("Starts on Jan 1.")});
    AddRow(calendar, QStringLiteral(" First week of the year: "), firstWeek);
    AddLeft(calendar, Box("CB9", &Settings::CB9, QStringLiteral("Include weekly")));
    AddLeft(calendar, Box("CB10", &Settings::CB10, QStringLiteral("Include monthly")));
    AddLeft(calendar, Box("CB7", &Settings::CB7, QStringLiteral("Include annually")));
    AddLeft(calendar, Box("CB11", &Settings::CB11, QStringLiteral("Include advanced")));
    layout->addWidget(group);
}

void OrvPage::BuildTodayGroup(QVBoxLayout* layout)
{
    auto* group = new QGroupBox(QStringLiteral("Setup Today Box"));
    auto* today = new QVBoxLayout(group);
    AddLeft(today, Box("CB20", &Settings::CB20, QStringLiteral("Start with ORV")));
    AddLeft(today, Box("CB19", &Settings::CB19, QStringLiteral("Navigator")));
    today->addWidget(new QLabel(QStringLiteral("Include:")));
    AddLeft(today, Box("CB12", &Settings::CB12, QStringLiteral("Birthdays")), kIndent);
    AddLeft(today, Box("CB13", &Settings::CB13, QStringLiteral("Calendar events")), kIndent);
    AddLeft(today, Box("CB14", &Settings::CB14, QStringLiteral("Weekly events")), kIndent);
    AddLeft(today, Box("CB15", &Settings::CB15, QStringLiteral("Monthly events")), kIndent);
    AddLeft(today, Box("CB8", &Settings::CB8, QStringLiteral("Annually events")), kIndent);
    AddLeft(today, Box("CB18", &Settings::CB18, QStringLiteral("The bottom to do list")), kIndent);
    AddLeft(today, Box("CB17", &Settings::CB17, QStringLiteral("The top to do list")), kIndent);
    AddLeft(today, Box("CB16", &Settings::CB16, QStringLiteral("Advanced events")), kIndent);
    layout->addWidget(group);
}

void OrvPage::BuildFormatGroup(QVBoxLayout* layout)
{
    auto* group = new QGroupBox(QStringLiteral("Date format"));
    auto* format = new QVBoxLayout(group);
    // A radio pair for one yes-or-no setting: CB25 on is "mm.dd.yyyy".
    CB26 = Named<QRadioButton>(QStringLiteral("CB26"), QStringLiteral("Date: dd/mm-yyy"));
    CB25 = Named<QRadioButton>(QStringLiteral("CB25"), QStringLiteral("Date: mm.dd.yyyy"));
    DateFormatGroup = new QButtonGroup(this);
    DateFormatGroup->addButton(CB26);
    DateFormatGroup->addButton(CB25);
    AddLeft(format, CB26);
    AddLeft(format, CB25);
    layout->addWidget(group);
}

void OrvPage::Load(const Settings& s)
{
    // The rules of the start-up group run once at the end, over the stored
    // state, rather than after every single box.
    SetupPage::Load(s);
    {
        const QSignalBlocker blockFormat(CB25);
        (s.CB25 ? CB25 : CB26)->setChecked(true);
    }
    RadioGroup1->button(s.priority >= 0 && s.priority <= 2 ? s.priority : 1)->setChecked(true);
    // Asking the desktop is a round trip on the bus: only while no choice is stored.
    notificationShown_ = !s.CB30 && notificationDefault_ && notificationDefault_();
    CB30->setChecked(s.CB30.value_or(notificationShown_));
    CB1Click();
}

void OrvPage::Apply(Settings& s) const
{
    SetupPage::Apply(s);
    // Until the user changes it, the notification box follows the desktop.
    if (s.CB30 || CB30->isChecked() != notificationShown_) s.CB30 = CB30->isChecked();
    s.CB25 = CB25->isChecked();
    s.priority = RadioGroup1->checkedId() >= 0 ? RadioGroup1->checkedId() : Settings{}.priority;
}

AutostartChoice OrvPage::Autostart() const
{
    AutostartChoice choice;
    choice.CB1 = CB1->isChecked();
    choice.CB22 = CB22->isEnabled() && CB22->isChecked();
    choice.CB23 = CB23->isChecked();
    choice.CB2 = CB2->isChecked();
    choice.CB3 = CB3->isChecked();
    return choice;
}

void OrvPage::FocusFirstSetting() { CB4->setFocus(); }

void OrvPage::CB1Click()
{
    const bool on = CB1->isChecked();
    for (QCheckBox* box : {CB2, CB3, CB22, CB23}) box->setEnabled(on);
    if (on) {
        CB22Click();
        CB2Click();
    }
}

void OrvPage::CB2Click()
{
    // "Launch only once a day" and "Use ORV Launch" exclude each other.
    if (CB2->isEnabled() && CB2->isChecked()) {
        CB22->setChecked(false);
        CB3->setEnabled(true);
    } else {
        CB3->setEnabled(false);
    }
}

void OrvPage::CB22Click()
{
    if (CB22->isEnabled() && CB22->isChecked()) {
        CB2->setChecked(false);
        CB23->setEnabled(true);
    } else {
        CB23->setEnabled(false);
    }
}

}  // namespace orv
