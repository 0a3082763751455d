#include "shell/setup/colourentry.h"

#include <QColorDialog>
#include <QComboBox>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <optional>

#include "shell/colours.h"
#include "views/common/named.h"
#include "shell/setup/setupparts.h"
#include "views/common/labelbutton.h"

namespace orv {

ColourEntry::ColourEntry(int n, QWidget* parent) : QWidget(parent), n_(n)
{
    edit_ = Named<QComboBox>(QStringLiteral("ColorEdit%1").arg(n));
    edit_->setEditable(true);
    edit_->setInsertPolicy(QComboBox::NoInsert);
    // Entries 1..8 colour the program's own labels and may follow the desktop;
    // 9..11 go into a web page, where only the plain names mean anything.
    edit_->addItems(ColourNames(n <= 8));
    edit_->setMinimumContentsLength(12);
    edit_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    connect(edit_, &QComboBox::currentTextChanged, this, &ColourEntry::ShowColour);

    swatch_ = Named<LabelButton>(QStringLiteral("ColorLabel%1").arg(n));
    const int side = edit_->sizeHint().height();
    swatch_->setFixedSize(side, side);
    swatch_->setFramed(true);
    connect(swatch_, &LabelButton::clicked, this, &ColourEntry::ChooseColour);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(edit_);
    row->addWidget(swatch_);
}

QString ColourEntry::Text() const { return edit_->currentText(); }

QColor ColourEntry::Colour() const { return swatch_->palette().color(QPalette::Window); }

void ColourEntry::SetText(const QString& text)
{
    {
        const QSignalBlocker block(edit_);
        edit_->setCurrentText(text);
    }
    ShowColour();
}

void ColourEntry::ShowColour()
{
    const std::optional<QColor> colour = ColourFromText(Text(), n_ <= 8);
    if (!colour) return;
    QPalette palette = swatch_->palette();
    palette.setColor(QPalette::Window, *colour);
    swatch_->setPalette(palette);
    emit colourShown(n_, *colour);
}

void ColourEntry::Name(const QString& caption)
{
    LabelUnseen(edit_, caption);
    swatch_->setAccessibleName(edit_->accessibleName() + QStringLiteral(": choose colour"));
}

void ColourEntry::ChooseColour()
{
    QColorDialog chooser(Colour(), window());
    chooser.setObjectName(QStringLiteral("ColorDialog1"));
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    if (chooser.exec() != QDialog::Accepted) return;
    edit_->setCurrentText(TextFromColour(chooser.selectedColor()));
    ShowColour();
}

void ColourEntriesPage::Load(const Settings& s)
{
    SetupPage::Load(s);
    ShowColours();
}

ColourEntry* ColourEntriesPage::Entry(int n) const
{
    for (ColourEntry* entry : entries_)
        if (entry->Number() == n) return entry;
    return nullptr;
}

ColourEntry* ColourEntriesPage::AddEntry(int n, std::string Settings::*member)
{
    auto* entry = new ColourEntry(n);
    bindings_.Bind(entry->Edit(), member);
    connect(entry, &ColourEntry::colourShown, this, &ColourEntriesPage::colourShown);
    entries_.push_back(entry);
    return entry;
}

void ColourEntriesPage::LoadDefaults() { ColourEntriesPage::Load(Settings{}); }

void ColourEntriesPage::ShowColours()
{
    for (ColourEntry* entry : entries_) entry->ShowColour();
}

}  // namespace orv
