// The settings dialog: a side menu and six pages, each of which loads and
// applies its own settings. The dialog puts them together; on "Save" it saves
// a copy of the settings and takes it as the program's only once the file
// holds it, then registers the start-with-system entry. The page "Color"'s
// sample labels are also the live source of the main window's sidebar colours.
#pragma once

#include <QColor>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "core/settings.h"
#include "shell/setup/colourpage.h"

class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QStackedWidget;

namespace orv {

class FontPage;
class HtmlPage;
class LabelButton;
class LetterPage;
class OrvPage;
class Session;
class SetupPage;
class SyncPage;

class TSetup : public QDialog {
    Q_OBJECT

public:
    explicit TSetup(Session& session, QWidget* parent = nullptr);

    // Controls <- session.settings(), as the initialisation does; also refills
    // the colour profile list from the store and resets the side menu's hover.
    void LoadFromSettings();
    // Controls -> the values of `s` that the pages show; other values stay.
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
    void setNotificationDefault(std::function<bool()> on);
    // Opens on the page "Sync" (from "Sync now" without an account).
    void ShowSyncPage();
    // The last sync's outcome, shown on the page "Sync".
    void SetSyncOutcome(const QString& outcome);

    // "Exit" and Escape: the controls go back to the settings, so unsaved
    // choices (colours included) do not linger in the sidebar.
    void reject() override;

signals:
    // "Save" wrote the file and the start-with-system entry; the owner runs "Update".
    void saved();
    // A sample label changed colour; the sidebar repaints from EntryColour(1..8).
    void coloursChanged();
    // "Date on next weeks events" or the date format changed; the overview
    // clears its date stamp so that the next build redraws the list.
    void dateFormatOrStampChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The side menu and the frame of each page (setuppages.cpp).
    QWidget* BuildSideMenu();
    void BuildPages();
    QWidget* BuildPage(const QString& name, const QString& title, QWidget* content, LabelButton* defaultLabel);
    void FixSize();
    // The pages that load and apply through their bindings; the page "Sync" has its own.
    std::array<SetupPage*, 5> BoundPages() const;

    void SideMenuClick(LabelButton* label);
    void SideMenuHover(const LabelButton* label);
    // A sample label on the page "Color" changed: the titles and the side menu follow it.
    void SampleChanged(ColourPage::Sample sample);
    void B1Click();
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

    QFrame* SideMenu = nullptr;
    LabelButton* L1 = nullptr;
    LabelButton* L8 = nullptr;  // "Sync"
    std::array<LabelButton*, 6> sideLabels_{};
    std::array<QLabel*, 6> pageTitles_{};
    QStackedWidget* Pages = nullptr;
    QScrollArea* ScrollBox1 = nullptr;  // the page "ORV" scrolls

    OrvPage* orvPage_ = nullptr;
    LetterPage* letterPage_ = nullptr;
    ColourPage* colourPage_ = nullptr;
    HtmlPage* htmlPage_ = nullptr;
    FontPage* fontPage_ = nullptr;
    SyncPage* syncPage_ = nullptr;

    QPushButton* B1 = nullptr;
    QPushButton* B2 = nullptr;
};

}  // namespace orv
