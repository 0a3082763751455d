// The settings dialog's page "ORV": the program's own settings, the start-up
// group with its rules, the calendar, the Today Box and the date format.
#pragma once

#include <functional>

#include "core/autostart.h"
#include "shell/setup/setuppage.h"

class QButtonGroup;
class QCheckBox;
class QRadioButton;
class QVBoxLayout;

namespace orv {

class OrvPage : public SetupPage {
    Q_OBJECT

public:
    explicit OrvPage(QWidget* parent = nullptr);

    void Load(const Settings& s) override;
    void Apply(Settings& s) const override;

    // Whether desktop notifications are on while the user has not chosen:
    // where the desktop has a notification service. Asked at each load.
    void setNotificationDefault(std::function<bool()> on) { notificationDefault_ = std::move(on); }
    // The start-with-system choice as the start-up group shows it.
    AutostartChoice Autostart() const;
    // The dialog opens in its first setting.
    void FocusFirstSetting();

signals:
    // "Date on next weeks events" or the date format changed.
    void dateFormatOrStampChanged();

private:
    QCheckBox* Box(const char* name, bool Settings::*member, const QString& caption);
    void BuildSetupGroup(QVBoxLayout* layout);
    void BuildStartGroup(QVBoxLayout* layout);
    void BuildCalendarGroup(QVBoxLayout* layout);
    void BuildTodayGroup(QVBoxLayout* layout);
    void BuildFormatGroup(QVBoxLayout* layout);

    void CB1Click();
    void CB2Click();
    void CB22Click();

    std::function<bool()> notificationDefault_;
    bool notificationShown_ = false;  // CB30 as loaded while no choice was stored

    QCheckBox* CB1 = nullptr;
    QCheckBox* CB2 = nullptr;
    QCheckBox* CB3 = nullptr;
    QCheckBox* CB4 = nullptr;
    QCheckBox* CB21 = nullptr;
    QCheckBox* CB22 = nullptr;
    QCheckBox* CB23 = nullptr;
    QCheckBox* CB30 = nullptr;
    QRadioButton* CB25 = nullptr;
    QRadioButton* CB26 = nullptr;
    QButtonGroup* DateFormatGroup = nullptr;
    QButtonGroup* RadioGroup1 = nullptr;  // priority: the id of the checked button
};

}  // namespace orv
