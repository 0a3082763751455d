#include "shell/setup/fontpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "views/common/named.h"
#include "shell/setup/setupparts.h"
#include "views/common/labelbutton.h"
#include "views/common/storedtext.h"

namespace orv {

namespace {

// The names of the character sets in the order of their codes.
const char* const kCharsets[] = {
    "ANSI_CHARSET ",      "DEFAULT_CHARSET",    "SYMBOL_CHARSET",      "MAC_CHARSET",        "SHIFTJIS_CHARSET",
    "HANGEUL_CHARSET",    "JOHAB_CHARSET",      "GB2312_CHARSET",      "CHINESEBIG5_CHARSET", "GREEK_CHARSET",
    "TURKISH_CHARSET",    "VIETNAMESE_CHARSET", "HEBREW_CHARSET",      "ARABIC_CHARSET",     "BALTIC_CHARSET",
    "RUSSIAN_CHARSET",    "THAI_CHARSET",       "EASTEUROPE_CHARSET",  "OEM_CHARSET",
};

// The list offers exactly the numbers a stored setting may hold.
static_assert(std::size(kCharsets) == setting_range::FontCharset.max + 1);

}  // namespace

FontPage::FontPage(QWidget* parent) : SetupPage(parent)
{
    auto* layout = new QVBoxLayout(this);
    CB27 = bindings_.Bind(Named<QCheckBox>(QStringLiteral("CB27"), QStringLiteral("Use selected font.")),
                          &Settings::CB27);
    AddLeft(layout, CB27);
    BuildFontRow(layout);
    BuildUseRows(layout);

    auto* note = new QLabel(QStringLiteral("Changing the font in ORV 2 may cause problems because the layout is "
                                           "adjusted to the default font-style and size."));
    note->setWordWrap(true);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(note);
    layout->addStretch(1);

    // "Default" puts back every value of the page.
    defaultLabel_ = MakeDefaultLabel(QStringLiteral("T11"));
    connect(defaultLabel_, &LabelButton::clicked, this, [this] { bindings_.Load(Settings{}); });
}

void FontPage::BuildFontRow(QVBoxLayout* layout)
{
    Edit1 = bindings_.Bind(Named<QLineEdit>(QStringLiteral("Edit1")), &Settings::FontName);
    Edit1->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("MS Sans Serif")) * 2);
    SpinEdit2 = bindings_.Bind(Named<QSpinBox>(QStringLiteral("SpinEdit2")), &Settings::FontSize);
    SetRange(SpinEdit2, setting_range::FontSize);
    Edit1->setAccessibleName(QStringLiteral("Font name"));
    SpinEdit2->setAccessibleName(QStringLiteral("Font size"));
    auto* change = Named<QPushButton>(QStringLiteral("Button1"), QStringLiteral("Change font"));
    auto* font = new QHBoxLayout;
    font->addWidget(Edit1);
    font->addWidget(SpinEdit2);
    font->addWidget(change);
    font->addStretch(1);
    layout->addLayout(font);
    connect(change, &QPushButton::clicked, this, &FontPage::ChooseFont);
}

void FontPage::BuildUseRows(QVBoxLayout* layout)
{
    auto* charset = bindings_.Bind(Named<QComboBox>(QStringLiteral("ComboBox2")), &Settings::FontCharset);
    for (const char* name : kCharsets) charset->addItem(QString::fromLatin1(name));
    AddLeft(layout, charset);
    LabelUnseen(charset, QStringLiteral("Character set"));

    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(new QLabel(QStringLiteral("Use selected font on:")));
    AddLeft(layout, bindings_.Bind(Named<QCheckBox>(QStringLiteral("CB28"), QStringLiteral("Edit elements")),
                                   &Settings::CB28), 20);
    AddLeft(layout, bindings_.Bind(Named<QCheckBox>(QStringLiteral("CB29"), QStringLiteral("ORV 2 elements")),
                                   &Settings::CB29), 20);

    auto* indicator = bindings_.Bind(Named<QSpinBox>(QStringLiteral("SpinEdit3")), &Settings::Indicator);
    SetRange(indicator, setting_range::Indicator);
    AddRow(layout, QStringLiteral("Indicator:"), indicator);

    auto* defaultFont = Named<QPushButton>(QStringLiteral("Button2"), QStringLiteral("Default font"));
    AddLeft(layout, defaultFont);
    connect(defaultFont, &QPushButton::clicked, this, &FontPage::SetFontDefaults);
}

void FontPage::ChooseFont()
{
    QFont current(Edit1->text());
    current.setPointSize(SpinEdit2->value());
    QFontDialog chooser(current, window());
    chooser.setObjectName(QStringLiteral("FontDialog1"));
    chooser.setOption(QFontDialog::DontUseNativeDialog);
    if (chooser.exec() != QDialog::Accepted) return;
    const QFont chosen = chooser.selectedFont();
    Edit1->setText(chosen.family());
    if (chosen.pointSize() > 0) SpinEdit2->setValue(chosen.pointSize());
}

void FontPage::SetFontDefaults()
{
    const Settings defaults;
    Edit1->setText(DecodeStored(defaults.FontName));
    SpinEdit2->setValue(defaults.FontSize);
    CB27->setChecked(defaults.CB27);
}

}  // namespace orv
