// The settings dialog's page "Color": the colours of the titles and the side
// menus, each shown on a sample label, and the colour profiles that keep a
// set of them under a name.
#pragma once

#include <QPalette>
#include <array>

#include "shell/setup/colourentry.h"

class QComboBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace orv {

class SettingsStore;

class ColourPage : public ColourEntriesPage {
    Q_OBJECT

public:
    enum class Sample { Titles, Menu, NotSelected, Selected };

    // The profiles live in `store`.
    explicit ColourPage(SettingsStore& store, QWidget* parent = nullptr);

    void Load(const Settings& s) override;
    void Apply(Settings& s) const override;

    QPalette SamplePalette(Sample sample) const;

signals:
    // A sample label took another colour.
    void sampleChanged(Sample sample);

private:
    void BuildSamples(QVBoxLayout* layout);
    void BuildProfiles(QVBoxLayout* layout);
    void PaintSample(int n, const QColor& colour);
    void RefreshProfiles(const QString& text);
    void SaveProfile();
    void DeleteProfile();
    void ChooseProfile(const QString& name);
    void ShowError(const QString& message);

    SettingsStore& store_;
    std::array<QLabel*, 4> samples_{};
    QComboBox* ComboBox9 = nullptr;
};

}  // namespace orv
