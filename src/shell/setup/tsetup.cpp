#include "shell/setup/tsetup.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <utility>
#include <vector>

#include "core/autostart.h"
#include "core/session.h"
#include "shell/setup/colourpage.h"
#include "shell/setup/fontpage.h"
#include "shell/setup/htmlpage.h"
#include "shell/setup/letterpage.h"
#include "views/common/named.h"
#include "shell/setup/orvpage.h"
#include "shell/setup/syncpage.h"
#include "sync/password.h"
#include "views/common/labelbutton.h"
#include "views/common/storedtext.h"
#include "views/common/wheelguard.h"

namespace orv {

namespace {

void SetColours(QWidget* widget, const QColor& back, const QColor& text)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
}

}  // namespace

TSetup::TSetup(Session& session, QWidget* parent)
    : QDialog(parent),
      session_(session),
      programPath_(QCoreApplication::applicationFilePath()),
      autostartPath_(QString::fromStdString(DefaultAutostartPath()))
{
    setObjectName(QStringLiteral("Setup"));
    setWindowTitle(QStringLiteral(" ORV - Properties"));
    BuildPages();
    connect(orvPage_, &OrvPage::dateFormatOrStampChanged, this, &TSetup::dateFormatOrStampChanged);
    connect(colourPage_, &ColourPage::sampleChanged, this, &TSetup::SampleChanged);

    B1 = Named<QPushButton>(QStringLiteral("B1"), QStringLiteral("Save"));
    B2 = Named<QPushButton>(QStringLiteral("B2"), QStringLiteral("Exit"));
    connect(B1, &QPushButton::clicked, this, &TSetup::B1Click);
    connect(B2, &QPushButton::clicked, this, &TSetup::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(B1);
    buttons->addWidget(B2);
    auto* right = new QVBoxLayout;
    right->addWidget(Pages, 1);
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(BuildSideMenu());
    layout->addLayout(right, 1);
    // Enter in a field must neither save the whole dialog nor press a page's
    // button (the colour profile's "Save"): the buttons are looked up only now
    // that the pages belong to the dialog.
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);

    LoadFromSettings();
    SideMenuClick(L1);
    ScrollBox1->verticalScrollBar()->setValue(0);
    FixSize();
    // The page "ORV" scrolls: a turn of the wheel over one of its boxes must
    // scroll it, not change "First week of the year" unseen.
    KeepWheelFromChangingValues(this);
    // The dialog opens in its first setting, not on the page selector.
    orvPage_->FocusFirstSetting();
}

std::array<SetupPage*, 5> TSetup::BoundPages() const
{
    return {orvPage_, letterPage_, colourPage_, htmlPage_, fontPage_};
}

void TSetup::ShowSyncPage() { SideMenuClick(L8); }

void TSetup::SetSyncOutcome(const QString& outcome) { syncPage_->SetOutcome(outcome); }

void TSetup::setNotificationDefault(std::function<bool()> on) { orvPage_->setNotificationDefault(std::move(on)); }

void TSetup::LoadFromSettings()
{
    const Settings& s = session_.settings();
    loading_ = true;
    coloursDirty_ = false;
    for (SetupPage* page : BoundPages()) page->Load(s);
    syncPage_->Load(s);
    SideMenuHover(nullptr);
    loading_ = false;
    if (std::exchange(coloursDirty_, false)) emit coloursChanged();
}

void TSetup::WriteControlsTo(Settings& s) const
{
    for (const SetupPage* page : BoundPages()) page->Apply(s);
    syncPage_->Apply(s);
}

QColor TSetup::EntryColour(int n) const
{
    const ColourEntry* entry = n <= 8 ? colourPage_->Entry(n) : htmlPage_->Entry(n);
    return entry ? entry->Colour() : QColor();
}

QString TSetup::EntryText(int n) const
{
    const ColourEntry* entry = n <= 8 ? colourPage_->Entry(n) : htmlPage_->Entry(n);
    return entry ? entry->Text() : QString();
}

QString TSetup::HtmlWidth() const { return htmlPage_->Width(); }

void TSetup::setProgramPath(const QString& path) { programPath_ = path; }

void TSetup::setProgramOptions(const QStringList& options) { programOptions_ = options; }

void TSetup::setAutostartPath(const QString& path) { autostartPath_ = path; }

void TSetup::reject()
{
    LoadFromSettings();
    QDialog::reject();
}

// No button is the dialog's default (see the constructor), so Enter presses
// only the button that has the focus, as Space does.
void TSetup::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && event->modifiers() == Qt::NoModifier) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()); button && button->isEnabled()) button->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TSetup::eventFilter(QObject* watched, QEvent* event)
{
    const auto* label = qobject_cast<const LabelButton*>(watched);
    const bool side = label && std::find(sideLabels_.begin(), sideLabels_.end(), label) != sideLabels_.end();
    if (side && event->type() == QEvent::Enter) {
        SideMenuHover(label);
    } else if (side && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        SideMenuHover(hovered_);
    } else if (event->type() == QEvent::Leave && watched == SideMenu) {
        SideMenuHover(nullptr);
    }
    return QDialog::eventFilter(watched, event);
}

void TSetup::SideMenuClick(LabelButton* label)
{
    for (std::size_t i = 0; i < sideLabels_.size(); ++i) {
        QFont font = sideLabels_[i]->font();
        font.setBold(sideLabels_[i] == label);
        sideLabels_[i]->setFont(font);
        if (sideLabels_[i] == label) Pages->setCurrentIndex(static_cast<int>(i));
    }
}

void TSetup::SideMenuHover(const LabelButton* label)
{
    hovered_ = label;
    const QPalette notSel = colourPage_->SamplePalette(ColourPage::Sample::NotSelected);
    const QPalette sel = colourPage_->SamplePalette(ColourPage::Sample::Selected);
    SetColours(SideMenu, notSel.color(QPalette::Window), notSel.color(QPalette::WindowText));
    // The page under the mouse, and the one with the keyboard focus, show the "Selected:" colours.
    for (LabelButton* side : sideLabels_) {
        const QPalette& p = side == label || side->hasFocus() ? sel : notSel;
        side->setColours(p.color(QPalette::Window), p.color(QPalette::WindowText));
    }
}

void TSetup::SampleChanged(ColourPage::Sample sample)
{
    if (sample == ColourPage::Sample::Titles) {
        const QPalette palette = colourPage_->SamplePalette(sample);
        for (QLabel* title : pageTitles_) SetColours(title, palette.color(QPalette::Window), palette.color(QPalette::WindowText));
    }
    if (sample == ColourPage::Sample::NotSelected || sample == ColourPage::Sample::Selected) SideMenuHover(hovered_);
    if (loading_) coloursDirty_ = true;
    else emit coloursChanged();
}

void TSetup::B1Click()
{
    // The choices go to a copy of the settings and of the store; only once the
    // file holds them do they become the program's, so that a failed save
    // leaves the program as it was and in step with its file.
    Settings s = session_.settings();
    WriteControlsTo(s);
    s.saved1 = true;
    SettingsStore store = session_.store();
    Result r = WriteDialogSettings(store, s);
    if (r.ok) r = WriteSyncSettings(store, s);
    if (r.ok) r = store.WriteBool(kSettingsKey, "Ver2", true);
    if (r.ok) r = store.Save();
    if (!r.ok) {
        ShowError(DecodeStored(r.message));
        return;
    }
    session_.store() = std::move(store);
    session_.settings() = s;
    const QString failure = WriteAutostart();
    if (!failure.isEmpty()) {
        ShowError(failure);
        return;
    }
    // The password goes to the secret store, never into the settings.
    if (const QString typed = syncPage_->TypedPassword(); !typed.isEmpty()) {
        const sync::PasswordResult stored = sync::StorePassword(s.SyncServer, s.SyncUser, typed.toStdString());
        if (!stored) ShowError(QString::fromStdString(stored.message));
    }
    emit saved();
}

QString TSetup::WriteAutostart() const
{
    std::vector<std::string> options;
    for (const QString& option : programOptions_) options.push_back(option.toStdString());
    const std::optional<StartCommand> command =
        StartWithSystemCommand(orvPage_->Autostart(), programPath_.toStdString(), options);
    const QString failed = QStringLiteral("Failed to set data for '%1'").arg(autostartPath_);
    if (!command) {
        QFile entry(autostartPath_);
        if (autostartPath_.isEmpty() || !entry.exists() || entry.remove()) return {};
        return failed + QLatin1Char('\n') + entry.errorString();
    }
    if (autostartPath_.isEmpty()) return QStringLiteral("Failed to set data for 'ORV'");
    if (const Result folder = EnsureFolder(QFileInfo(autostartPath_).absolutePath().toStdString()); !folder.ok)
        return failed + QLatin1Char('\n') + DecodeStored(folder.message);
    QSaveFile file(autostartPath_);
    const QByteArray text = QByteArray::fromStdString(AutostartDesktopEntry(*command));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return failed + QLatin1Char('\n') + file.errorString();
    return {};
}

void TSetup::ShowError(const QString& message)
{
    QMessageBox::warning(this, QStringLiteral("ORV"), message);
}

}  // namespace orv
