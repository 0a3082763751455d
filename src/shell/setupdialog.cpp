#include "shell/setupdialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFontDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <memory>
#include <utility>
#include <vector>

#include "core/autostart.h"
#include "core/session.h"
#include "shell/colours.h"
#include "shell/syncpage.h"
#include "sync/password.h"
#include "views/common/labelbutton.h"
#include "views/common/storedtext.h"
#include "views/common/wheelguard.h"

namespace orv {

namespace {

// The check boxes that are saved under their own names.
constexpr std::pair<int, bool Settings::*> kBoxes[] = {
    {1, &Settings::CB1},   {2, &Settings::CB2},   {3, &Settings::CB3},   {4, &Settings::CB4},
    {5, &Settings::CB5},   {6, &Settings::CB6},   {7, &Settings::CB7},   {8, &Settings::CB8},
    {9, &Settings::CB9},   {10, &Settings::CB10}, {11, &Settings::CB11}, {12, &Settings::CB12},
    {13, &Settings::CB13}, {14, &Settings::CB14}, {15, &Settings::CB15}, {16, &Settings::CB16},
    {17, &Settings::CB17}, {18, &Settings::CB18}, {19, &Settings::CB19}, {20, &Settings::CB20},
    {21, &Settings::CB21}, {22, &Settings::CB22}, {23, &Settings::CB23}, {24, &Settings::CB24},
    {27, &Settings::CB27}, {28, &Settings::CB28}, {29, &Settings::CB29},
};

// Colour entry n is kColours[n - 1].
constexpr std::string Settings::*kColours[] = {
    &Settings::Color1, &Settings::Color2, &Settings::Color3, &Settings::Color4,  &Settings::Color5, &Settings::Color6,
    &Settings::Color7, &Settings::Color8, &Settings::Color9, &Settings::Color10, &Settings::Color11,
};

constexpr int kEntries = 11;


// The item index a stored choice selects; none (the box shows empty) when the
// store holds a number the list does not have.
int ItemFor(const QComboBox* box, int value) { return value >= 0 && value < box->count() ? value : -1; }

// A margin field's number: its text as an integer, 0 for a text that is none.
int MarginNumber(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok ? value : 0;
}

std::int32_t MarginValue(const QLineEdit* edit, std::int32_t fallback)
{
    return edit->text().isEmpty() ? fallback : MarginNumber(edit->text());
}

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

    Pages = new QStackedWidget;
    Pages->setObjectName(QStringLiteral("Pages"));
    BuildOrvPage();
    BuildLetterPage();
    BuildColourPage();
    BuildHtmlPage();
    BuildFontPage();
    syncPage_ = new SyncPage;
    auto* syncPanel = new QWidget;
    syncPanel->setObjectName(QStringLiteral("Panel8"));
    BuildPage(syncPanel, QStringLiteral("Sync with a calendar server"), syncPage_, nullptr);

    B1 = new QPushButton(QStringLiteral("Save"));
    B1->setObjectName(QStringLiteral("B1"));
    B2 = new QPushButton(QStringLiteral("Exit"));
    B2->setObjectName(QStringLiteral("B2"));
    connect(B1, &QPushButton::clicked, this, &TSetup::B1Click);
    connect(B2, &QPushButton::clicked, this, &TSetup::reject);
    // Enter in a field must not save the whole dialog.
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(false);

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

    LoadFromSettings();
    SideMenuClick(L1);
    ScrollBox1->verticalScrollBar()->setValue(0);

    // A fixed border: wide enough for the widest page, tall enough for the
    // longest one but "ORV", which scrolls.
    int pageWidth = 0, pageHeight = 0;
    for (int i = 1; i < Pages->count(); ++i) {
        pageWidth = std::max(pageWidth, Pages->widget(i)->sizeHint().width());
        pageHeight = std::max(pageHeight, Pages->widget(i)->sizeHint().height());
    }
    pageWidth = std::max(pageWidth, ScrollBox1->widget()->sizeHint().width() +
                                        ScrollBox1->verticalScrollBar()->sizeHint().width());
    Pages->setMinimumSize(pageWidth, std::max(pageHeight, fontMetrics().height() * 24));
    setFixedSize(sizeHint());
    // The page "ORV" scrolls: a turn of the wheel over one of its boxes must
    // scroll it, not change "First week of the year" unseen.
    KeepWheelFromChangingValues(this);
    // The dialog opens in its first setting, not on the page selector.
    CB[4]->setFocus();
}

void TSetup::ShowSyncPage() { SideMenuClick(L8); }

void TSetup::SetSyncOutcome(const QString& outcome) { syncPage_->SetOutcome(outcome); }

void TSetup::LoadFromSettings()
{
    const Settings& s = session_.settings();
    loading_ = true;
    coloursDirty_ = false;
    {
        // The rules of the start-up group run once at the end, over the
        // stored state, rather than after every single box.
        std::vector<std::unique_ptr<QSignalBlocker>> blockers;
        for (const auto& [n, member] : kBoxes) {
            QCheckBox* box = CB.at(static_cast<std::size_t>(n));
            blockers.push_back(std::make_unique<QSignalBlocker>(box));
            box->setChecked(s.*member);
        }
        const QSignalBlocker blockFormat(CB25);
        (s.CB25 ? CB25 : CB26)->setChecked(true);
        SpinEdit1->setValue(s.nextweek);
        RadioGroup1->button(s.priority >= 0 && s.priority <= 2 ? s.priority : 1)->setChecked(true);
        ComboBox1->setCurrentIndex(ItemFor(ComboBox1, s.WeekStart));
        ComboBox3->setCurrentIndex(ItemFor(ComboBox3, s.FirstWeek));
        Edit3->setText(QString::number(s.PageL));
        Edit5->setText(QString::number(s.PageR));
        Edit2->setText(QString::number(s.PageT));
        Edit6->setText(QString::number(s.PageB));
        Edit1->setText(DecodeStored(s.FontName));
        SpinEdit2->setValue(s.FontSize);
        ComboBox2->setCurrentIndex(ItemFor(ComboBox2, s.FontCharset));
        SpinEdit3->setValue(s.Indicator);
        // Asking the desktop is a round trip on the bus: only while no choice is stored.
        notificationShown_ = !s.CB30 && notificationDefault_ && notificationDefault_();
        CB[30]->setChecked(s.CB30.value_or(notificationShown_));
    }
    syncPage_->Load(s);
    for (int n = 1; n <= kEntries; ++n) SetColourText(n, s.*kColours[n - 1]);
    RefreshProfiles(DecodeStored(s.ColorP));
    ApplyStartupRules();
    SideMenuHover(nullptr);
    loading_ = false;
    if (std::exchange(coloursDirty_, false)) emit coloursChanged();
}

void TSetup::WriteControlsTo(Settings& s) const
{
    const Settings defaults;
    s.nextweek = SpinEdit1->value();
    for (const auto& [n, member] : kBoxes) s.*member = CB.at(static_cast<std::size_t>(n))->isChecked();
    // Until the user changes it, the notification box follows the desktop.
    if (s.CB30 || CB[30]->isChecked() != notificationShown_) s.CB30 = CB[30]->isChecked();
    s.CB25 = CB25->isChecked();
    s.FontName = EncodeTyped(Edit1->text());
    s.FontSize = SpinEdit2->value();
    s.Indicator = SpinEdit3->value();
    s.FontCharset = ComboBox2->currentIndex() >= 0 ? ComboBox2->currentIndex() : defaults.FontCharset;
    s.FirstWeek = ComboBox3->currentIndex() >= 0 ? ComboBox3->currentIndex() : defaults.FirstWeek;
    s.priority = RadioGroup1->checkedId() >= 0 ? RadioGroup1->checkedId() : defaults.priority;
    s.PageL = MarginValue(Edit3, defaults.PageL);
    s.PageR = MarginValue(Edit5, defaults.PageR);
    s.PageT = MarginValue(Edit2, defaults.PageT);
    s.PageB = MarginValue(Edit6, defaults.PageB);
    s.WeekStart = ComboBox1->currentIndex() >= 0 ? ComboBox1->currentIndex() : defaults.WeekStart;
    for (int n = 1; n <= kEntries; ++n) s.*kColours[n - 1] = EncodeTyped(EntryText(n));
    s.ColorP = EncodeTyped(ComboBox9->currentText());
}

QColor TSetup::EntryColour(int n) const
{
    if (n < 1 || n > kEntries) return {};
    return ColorLabel.at(static_cast<std::size_t>(n))->palette().color(QPalette::Window);
}

QString TSetup::EntryText(int n) const
{
    if (n < 1 || n > kEntries) return {};
    return ColorEdit.at(static_cast<std::size_t>(n))->currentText();
}

QString TSetup::HtmlWidth() const { return Edit4->text(); }

void TSetup::setProgramPath(const QString& path) { programPath_ = path; }

void TSetup::setProgramOptions(const QStringList& options) { programOptions_ = options; }

void TSetup::setAutostartPath(const QString& path) { autostartPath_ = path; }

void TSetup::reject()
{
    LoadFromSettings();
    QDialog::reject();
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
    const QPalette notSel = NotSelLabel->palette();
    const QPalette sel = SelLabel->palette();
    SetColours(SideMenu, notSel.color(QPalette::Window), notSel.color(QPalette::WindowText));
    // The page under the mouse, and the one with the keyboard focus, show the "Selected:" colours.
    for (LabelButton* side : sideLabels_) {
        const QPalette& p = side == label || side->hasFocus() ? sel : notSel;
        side->setColours(p.color(QPalette::Window), p.color(QPalette::WindowText));
    }
}

void TSetup::ApplyStartupRules() { CB1Click(); }

void TSetup::CB1Click()
{
    const bool on = CB[1]->isChecked();
    for (const int n : {2, 3, 22, 23}) CB.at(static_cast<std::size_t>(n))->setEnabled(on);
    if (on) {
        CB22Click();
        CB2Click();
    }
}

void TSetup::CB2Click()
{
    // "Launch only once a day" and "Use ORV Launch" exclude each other.
    if (CB[2]->isEnabled() && CB[2]->isChecked()) {
        CB[22]->setChecked(false);
        CB[3]->setEnabled(true);
    } else {
        CB[3]->setEnabled(false);
    }
}

void TSetup::CB22Click()
{
    if (CB[22]->isEnabled() && CB[22]->isChecked()) {
        CB[2]->setChecked(false);
        CB[23]->setEnabled(true);
    } else {
        CB[23]->setEnabled(false);
    }
}

void TSetup::SetColourText(int n, const std::string& text)
{
    QComboBox* edit = ColorEdit.at(static_cast<std::size_t>(n));
    {
        const QSignalBlocker block(edit);
        edit->setCurrentText(DecodeStored(text));
    }
    ColorEditChange(n);
}

void TSetup::ColorEditChange(int n)
{
    // A text that names no colour (half typed, say) leaves the swatch as it was.
    const std::optional<QColor> colour = ColourFromText(EntryText(n), n <= 8);
    if (!colour) return;
    LabelButton* swatch = ColorLabel.at(static_cast<std::size_t>(n));
    QPalette palette = swatch->palette();
    palette.setColor(QPalette::Window, *colour);
    swatch->setPalette(palette);
    PaintSample(n, *colour);
}

void TSetup::PaintSample(int n, const QColor& colour)
{
    if (n > 8) return;
    QLabel* const samples[] = {TitleLabel, MenuLabel, NotSelLabel, SelLabel};
    QLabel* sample = samples[(n - 1) / 2];
    const QPalette::ColorRole role = n % 2 == 1 ? QPalette::Window : QPalette::WindowText;
    if (sample->palette().color(role) == colour) return;
    QPalette palette = sample->palette();
    palette.setColor(role, colour);
    sample->setPalette(palette);
    if (sample == TitleLabel)
        for (QLabel* title : pageTitles_) SetColours(title, palette.color(QPalette::Window), palette.color(QPalette::WindowText));
    if (sample == NotSelLabel || sample == SelLabel) SideMenuHover(hovered_);
    if (loading_) coloursDirty_ = true;
    else emit coloursChanged();
}

void TSetup::ColorLabelClick(int n)
{
    QColorDialog chooser(EntryColour(n), this);
    chooser.setObjectName(QStringLiteral("ColorDialog1"));
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    if (chooser.exec() != QDialog::Accepted) return;
    ColorEdit.at(static_cast<std::size_t>(n))->setCurrentText(TextFromColour(chooser.selectedColor()));
    ColorEditChange(n);
}

void TSetup::MarginEditChange(QLineEdit* edit)
{
    const QString text = edit->text();
    if (text.isEmpty()) return;
    const QString number = QString::number(MarginNumber(text));
    if (number != text) edit->setText(number);
}

void TSetup::B1Click()
{
    Settings& s = session_.settings();
    WriteControlsTo(s);
    s.saved1 = true;
    SettingsStore& store = session_.store();
    syncPage_->Apply(s);
    FileResult r = WriteDialogSettings(store, s);
    if (r.ok) r = WriteSyncSettings(store, s);
    if (r.ok) r = store.WriteBool(kSettingsKey, "Ver2", true);
    if (r.ok) r = store.Save();
    if (!r.ok) {
        ShowError(DecodeStored(r.message));
        return;
    }
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
    AutostartChoice choice;
    choice.CB1 = CB[1]->isChecked();
    choice.CB22 = CB[22]->isEnabled() && CB[22]->isChecked();
    choice.CB23 = CB[23]->isChecked();
    choice.CB2 = CB[2]->isChecked();
    choice.CB3 = CB[3]->isChecked();
    std::vector<std::string> options;
    for (const QString& option : programOptions_) options.push_back(option.toStdString());
    const std::optional<StartCommand> command = StartWithSystemCommand(choice, programPath_.toStdString(), options);
    const QString failed = QStringLiteral("Failed to set data for '%1'").arg(autostartPath_);
    if (!command) {
        QFile entry(autostartPath_);
        if (autostartPath_.isEmpty() || !entry.exists() || entry.remove()) return {};
        return failed + QLatin1Char('\n') + entry.errorString();
    }
    if (autostartPath_.isEmpty()) return QStringLiteral("Failed to set data for 'ORV'");
    if (const FileResult folder = EnsureFolder(QFileInfo(autostartPath_).absolutePath().toStdString()); !folder.ok)
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

void TSetup::RefreshProfiles(const QString& text)
{
    const QSignalBlocker block(ComboBox9);
    ComboBox9->clear();
    for (const std::string& name : ColourProfiles(session_.store())) ComboBox9->addItem(DecodeStored(name));
    ComboBox9->setCurrentIndex(-1);
    ComboBox9->setEditText(text);
}

void TSetup::B5Click()
{
    const QString name = ComboBox9->currentText();
    if (name.isEmpty()) return;
    Settings colours;
    WriteControlsTo(colours);
    SettingsStore& store = session_.store();
    FileResult r = WriteColourProfile(store, EncodeTyped(name), colours);
    if (r.ok) r = store.WriteText(kSettingsKey, "ColVer", "2");
    if (r.ok) r = store.Save();
    if (!r.ok) ShowError(DecodeStored(r.message));
    RefreshProfiles(name);
}

void TSetup::B6Click()
{
    const QString name = ComboBox9->currentText();
    if (name.isEmpty()) return;
    SettingsStore& store = session_.store();
    if (DeleteColourProfile(store, EncodeTyped(name))) {
        const FileResult r = store.Save();
        if (!r.ok) ShowError(DecodeStored(r.message));
    }
    RefreshProfiles(QString());
}

void TSetup::ComboBox9Select(const QString& name)
{
    const ValueResult<ColourProfile> profile = ReadColourProfile(session_.store(), EncodeTyped(name));
    if (!profile.ok()) ShowError(DecodeStored(profile.result.message));
    if (!profile.value) return;
    for (std::size_t i = 0; i < profile.value->size(); ++i)
        if ((*profile.value)[i]) SetColourText(static_cast<int>(i) + 1, *(*profile.value)[i]);
}

void TSetup::Button1Click()
{
    QFont current(Edit1->text());
    current.setPointSize(SpinEdit2->value());
    QFontDialog chooser(current, this);
    chooser.setObjectName(QStringLiteral("FontDialog1"));
    chooser.setOption(QFontDialog::DontUseNativeDialog);
    if (chooser.exec() != QDialog::Accepted) return;
    const QFont chosen = chooser.selectedFont();
    Edit1->setText(chosen.family());
    if (chosen.pointSize() > 0) SpinEdit2->setValue(chosen.pointSize());
}

void TSetup::SetFontDefaults()
{
    const Settings defaults;
    Edit1->setText(DecodeStored(defaults.FontName));
    SpinEdit2->setValue(defaults.FontSize);
    CB[27]->setChecked(defaults.CB27);
}

void TSetup::Button2Click() { SetFontDefaults(); }

void TSetup::T8Click()
{
    const Settings defaults;
    for (int n = 1; n <= 8; ++n) SetColourText(n, defaults.*kColours[n - 1]);
}

void TSetup::T9Click()
{
    const Settings defaults;
    for (int n = 9; n <= kEntries; ++n) SetColourText(n, defaults.*kColours[n - 1]);
}

void TSetup::T10Click()
{
    const Settings defaults;
    Edit3->setText(QString::number(defaults.PageL));
    Edit5->setText(QString::number(defaults.PageR));
    Edit2->setText(QString::number(defaults.PageT));
    Edit6->setText(QString::number(defaults.PageB));
}

void TSetup::T11Click()
{
    const Settings defaults;
    SetFontDefaults();
    CB[28]->setChecked(defaults.CB28);
    CB[29]->setChecked(defaults.CB29);
    ComboBox2->setCurrentIndex(defaults.FontCharset);
    SpinEdit3->setValue(defaults.Indicator);
}

}  // namespace orv
