// One colour entry of the settings dialog: a list of colour names in which a
// colour may also be typed, and a swatch beside it that shows the colour and
// opens the colour chooser. Entries 1..8 colour the program's own labels,
// 9..11 the phone book's web page.
#pragma once

#include <QColor>
#include <QWidget>
#include <string>
#include <vector>

#include "shell/setup/setuppage.h"

class QComboBox;

namespace orv {

class LabelButton;

class ColourEntry : public QWidget {
    Q_OBJECT

public:
    explicit ColourEntry(int n, QWidget* parent = nullptr);

    int Number() const { return n_; }
    QComboBox* Edit() const { return edit_; }
    // The text as it stands, and the colour the swatch shows.
    QString Text() const;
    QColor Colour() const;
    // A text put in from outside (a profile, the defaults), then shown.
    void SetText(const QString& text);
    // The swatch takes the colour the text names; a text that names no colour
    // (half typed, say) leaves it as it was.
    void ShowColour();
    // Names the list after its caption and the swatch after the list.
    void Name(const QString& caption);

signals:
    // The swatch shows `colour` for entry n.
    void colourShown(int n, const QColor& colour);

private:
    void ChooseColour();

    int n_;
    QComboBox* edit_ = nullptr;
    LabelButton* swatch_ = nullptr;
};

// A page of colour entries, each bound to its colour setting.
class ColourEntriesPage : public SetupPage {
    Q_OBJECT

public:
    using SetupPage::SetupPage;

    void Load(const Settings& s) override;
    // Entry n, or none when it is on another page.
    ColourEntry* Entry(int n) const;

signals:
    void colourShown(int n, const QColor& colour);

protected:
    ColourEntry* AddEntry(int n, std::string Settings::*member);
    // The "Default" link: the entries of this page, and only they, as new.
    void LoadDefaults();

private:
    void ShowColours();

    std::vector<ColourEntry*> entries_;
};

}  // namespace orv
