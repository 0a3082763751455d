// The settings dialog: six pages of controls that show the settings, write
// them to the store on "Save" and register the start-with-system entry. Its
// sample labels are also the live source of the main window's sidebar colours.
#pragma once

#include <QColor>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "core/settings.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;
class QStackedWidget;

namespace orv {

class LabelButton;
class Session;
class SyncPage;

class TSetup : public QDialog {
    Q_OBJECT

public:
    explicit TSetup(Session& session, QWidget* parent = nullptr);

    // Controls <- session.settings(), as the initialisation does; also refills
    // the colour profile list from the store and resets the side menu's hover.
    void LoadFromSettings();
    // Controls -> the values of `s` that the dialog shows; other values stay.
    void WriteControlsTo(Settings& s) const;

    // Colour entry n (1..11) as its swatch shows it; invalid outside 1..11.
    QColor EntryColour(int n) const;
    // The entry's text as it stands, as the phone book export writes it.
    QString EntryText(int n) const;
    // The phone book page width ("Width" on the HTML page), never saved.
    QString HtmlWidth() const;

    // The program the start-with-system entry runs; default: this executable.
    void setProgramPath(const QString& path);
    // The options it runs with: the data folder and settings file of this run.
    void setProgramOptions(const QStringList& options);
    // Where that entry lives; default: DefaultAutostartPath().
    void setAutostartPath(const QString& path);
    // Whether desktop notifications are on while the user has not chosen:
    // where the desktop has a notification service. Asked at each load.
    void setNotificationDefault(std::function<bool()> on) { notificationDefault_ = std::move(on); }
    // Opens on the page "Sync" (from "Sync now" without an account).
    void ShowSyncPage();
    // The last sync's outcome, shown on the page "Sync".
    void SetSyncOutcome(const QString& outcome);

    // "Exit" and Escape: the controls go back to the settings, so unsaved
    // choices (colours included) do not linger in the sidebar.
    void reject() override;

signals:
    // "Save" wrote the store and the start-with-system entry; the owner runs "Update".
    void saved();
    // A sample label changed colour; the sidebar repaints from EntryColour(1..8).
    void coloursChanged();
    // "Date on next weeks events" or the date format changed; the overview
    // clears its date stamp so that the next build redraws the list.
    void dateFormatOrStampChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Page builders (setuppages.cpp).
    QWidget* BuildSideMenu();
    QWidget* BuildPage(QWidget* panel, const QString& title, QWidget* content, LabelButton* defaultLabel);
    QWidget* BuildOrvPage();
    QWidget* BuildLetterPage();
    QWidget* BuildColourPage();
    QWidget* BuildHtmlPage();
    QWidget* BuildFontPage();
    QCheckBox* MakeCheckBox(int n, const QString& caption);
    QWidget* MakeColourEntry(int n);
    void NameColourEntry(int n, const QString& caption);
    LabelButton* MakeDefaultLabel(const QString& name);
    QLineEdit* MakeMarginEdit(const QString& name);

    // Handlers.
    void SideMenuClick(LabelButton* label);
    void SideMenuHover(const LabelButton* label);
    void CB1Click();
    void CB2Click();
    void CB22Click();
    void ColorEditChange(int n);
    void ColorLabelClick(int n);
    void MarginEditChange(QLineEdit* edit);
    void B1Click();
    void B5Click();
    void B6Click();
    void ComboBox9Select(const QString& name);
    void Button1Click();
    void Button2Click();
    void T8Click();
    void T9Click();
    void T10Click();
    void T11Click();

    void ApplyStartupRules();
    // The sample label (and page titles) that entry n colours.
    void PaintSample(int n, const QColor& colour);
    void RefreshProfiles(const QString& text);
    void SetColourText(int n, const std::string& text);
    void SetFontDefaults();
    // The start-with-system entry; the message when it could not be written.
    QString WriteAutostart() const;
    void ShowError(const QString& message);

    Session& session_;
    QString programPath_;
    QStringList programOptions_;
    QString autostartPath_;
    bool loading_ = false;
    bool coloursDirty_ = false;
    const LabelButton* hovered_ = nullptr;  // the side menu label under the mouse
    std::function<bool()> notificationDefault_;
    bool notificationShown_ = false;  // CB30 as loaded while no choice was stored

    // Side menu and pages.
    QFrame* SideMenu = nullptr;
    LabelButton* L1 = nullptr;
    LabelButton* L2 = nullptr;
    LabelButton* L3 = nullptr;
    LabelButton* L7 = nullptr;
    LabelButton* L5 = nullptr;
    LabelButton* L8 = nullptr;  // "Sync"
    SyncPage* syncPage_ = nullptr;
    std::array<LabelButton*, 6> sideLabels_{};
    std::array<QLabel*, 6> pageTitles_{};
    QStackedWidget* Pages = nullptr;
    QWidget* Panel7 = nullptr;
    QWidget* Panel3 = nullptr;
    QWidget* Panel6 = nullptr;
    QWidget* Panel2 = nullptr;
    QWidget* Panel5 = nullptr;

    // Page "ORV". CB[n] is the check box CBn (none for 25 and 26, the radio pair).
    QScrollArea* ScrollBox1 = nullptr;
    std::array<QCheckBox*, 31> CB{};
    QRadioButton* CB25 = nullptr;
    QRadioButton* CB26 = nullptr;
    QButtonGroup* DateFormatGroup = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QButtonGroup* RadioGroup1 = nullptr;  // priority: the id of the checked button
    QComboBox* ComboBox1 = nullptr;
    QComboBox* ComboBox3 = nullptr;

    // Page "Letter".
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;
    LabelButton* T10 = nullptr;

    // Pages "Color" and "HTML"; index n is entry n.
    std::array<QComboBox*, 12> ColorEdit{};
    std::array<LabelButton*, 12> ColorLabel{};
    QLabel* TitleLabel = nullptr;
    QLabel* MenuLabel = nullptr;
    QLabel* NotSelLabel = nullptr;
    QLabel* SelLabel = nullptr;
    QComboBox* ComboBox9 = nullptr;
    QPushButton* B5 = nullptr;
    QPushButton* B6 = nullptr;
    LabelButton* T8 = nullptr;
    QLineEdit* Edit4 = nullptr;
    LabelButton* T9 = nullptr;

    // Page "Font".
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QSpinBox* SpinEdit2 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QSpinBox* SpinEdit3 = nullptr;
    LabelButton* T11 = nullptr;

    QPushButton* B1 = nullptr;
    QPushButton* B2 = nullptr;
};

}  // namespace orv
