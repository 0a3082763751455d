#include "shell/setup/colourpage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "views/common/named.h"
#include "shell/setup/setupparts.h"
#include "views/common/labelbutton.h"
#include "views/common/storedtext.h"

namespace orv {

namespace {

// Entry n colours the background (odd n) or the text (even n) of sample (n - 1) / 2.
constexpr std::string Settings::*kColours[] = {&Settings::Color1, &Settings::Color2, &Settings::Color3,
                                               &Settings::Color4, &Settings::Color5, &Settings::Color6,
                                               &Settings::Color7, &Settings::Color8};

}  // namespace

ColourPage::ColourPage(SettingsStore& store, QWidget* parent) : ColourEntriesPage(parent), store_(store)
{
    auto* layout = new QVBoxLayout(this);
    BuildSamples(layout);
    layout->addSpacing(fontMetrics().height());
    BuildProfiles(layout);
    layout->addStretch(1);
    connect(this, &ColourEntriesPage::colourShown, this, &ColourPage::PaintSample);

    defaultLabel_ = MakeDefaultLabel(QStringLiteral("T8"));
    connect(defaultLabel_, &LabelButton::clicked, this, &ColourPage::LoadDefaults);
}

void ColourPage::BuildSamples(QVBoxLayout* layout)
{
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Background")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Font")), 0, 2);
    const char* const captions[] = {"Titles:", "Menu:", "Not selected:", "Selected:"};
    const char* const names[] = {"TitleLabel", "MenuLabel", "NotSelLabel", "SelLabel"};
    for (int row = 0; row < 4; ++row) {
        auto* sample = Named<QLabel>(QString::fromLatin1(names[row]), QString::fromLatin1(captions[row]));
        sample->setAutoFillBackground(true);
        sample->setMargin(4);
        sample->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Not selected:")) + 24);
        samples_.at(static_cast<std::size_t>(row)) = sample;
        grid->addWidget(sample, row + 1, 0);
        ColourEntry* background = AddEntry(2 * row + 1, kColours[2 * row]);
        grid->addWidget(background, row + 1, 1);
        ColourEntry* font = AddEntry(2 * row + 2, kColours[2 * row + 1]);
        grid->addWidget(font, row + 1, 2);
        // Named by their caption, not by the colour they hold.
        const QString caption = sample->text().remove(QLatin1Char(':'));
        background->Name(caption + QStringLiteral(" background"));
        font->Name(caption + QStringLiteral(" font"));
    }
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);
}

void ColourPage::BuildProfiles(QVBoxLayout* layout)
{
    ComboBox9 = Named<QComboBox>(QStringLiteral("ComboBox9"));
    ComboBox9->setEditable(true);
    ComboBox9->setInsertPolicy(QComboBox::NoInsert);
    ComboBox9->setMinimumContentsLength(16);
    ComboBox9->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* save = Named<QPushButton>(QStringLiteral("B5"), QStringLiteral("Save"));
    auto* remove = Named<QPushButton>(QStringLiteral("B6"), QStringLiteral("Delete"));
    auto* profile = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("Color profile:"));
    caption->setBuddy(ComboBox9);
    NameAfter(ComboBox9, caption->text());
    profile->addWidget(caption);
    profile->addWidget(ComboBox9);
    profile->addWidget(save);
    profile->addWidget(remove);
    profile->addStretch(1);
    layout->addLayout(profile);

    connect(ComboBox9, &QComboBox::textActivated, this, &ColourPage::ChooseProfile);
    connect(save, &QPushButton::clicked, this, &ColourPage::SaveProfile);
    connect(remove, &QPushButton::clicked, this, &ColourPage::DeleteProfile);
}

void ColourPage::Load(const Settings& s)
{
    ColourEntriesPage::Load(s);
    RefreshProfiles(DecodeStored(s.ColorP));
}

void ColourPage::Apply(Settings& s) const
{
    ColourEntriesPage::Apply(s);
    s.ColorP = EncodeTyped(ComboBox9->currentText());
}

QPalette ColourPage::SamplePalette(Sample sample) const
{
    return samples_.at(static_cast<std::size_t>(sample))->palette();
}

void ColourPage::PaintSample(int n, const QColor& colour)
{
    const auto sample = static_cast<Sample>((n - 1) / 2);
    QLabel* label = samples_.at(static_cast<std::size_t>(sample));
    const QPalette::ColorRole role = n % 2 == 1 ? QPalette::Window : QPalette::WindowText;
    if (label->palette().color(role) == colour) return;
    QPalette palette = label->palette();
    palette.setColor(role, colour);
    label->setPalette(palette);
    emit sampleChanged(sample);
}

void ColourPage::RefreshProfiles(const QString& text)
{
    const QSignalBlocker block(ComboBox9);
    ComboBox9->clear();
    for (const std::string& name : ColourProfiles(store_)) ComboBox9->addItem(DecodeStored(name));
    ComboBox9->setCurrentIndex(-1);
    ComboBox9->setEditText(text);
}

void ColourPage::SaveProfile()
{
    const QString name = ComboBox9->currentText();
    if (name.isEmpty()) return;
    Settings colours;
    Apply(colours);
    Result r = WriteColourProfile(store_, EncodeTyped(name), colours);
    if (r.ok) r = store_.WriteText(kSettingsKey, "ColVer", "2");
    if (r.ok) r = store_.Save();
    if (!r.ok) ShowError(DecodeStored(r.message));
    RefreshProfiles(name);
}

void ColourPage::DeleteProfile()
{
    const QString name = ComboBox9->currentText();
    if (name.isEmpty()) return;
    if (DeleteColourProfile(store_, EncodeTyped(name))) {
        const Result r = store_.Save();
        if (!r.ok) ShowError(DecodeStored(r.message));
    }
    RefreshProfiles(QString());
}

void ColourPage::ChooseProfile(const QString& name)
{
    const ValueResult<ColourProfile> profile = ReadColourProfile(store_, EncodeTyped(name));
    if (!profile.ok) ShowError(DecodeStored(profile.message));
    if (!profile.value) return;
    for (std::size_t i = 0; i < profile.value->size(); ++i)
        if ((*profile.value)[i]) Entry(static_cast<int>(i) + 1)->SetText(DecodeStored(*(*profile.value)[i]));
}

void ColourPage::ShowError(const QString& message) { QMessageBox::warning(window(), QStringLiteral("ORV"), message); }

}  // namespace orv
