// The settings dialog's side menu and its five pages: which controls each page
// holds, where they stand and what their changes run.
#include <QButtonGroup>
#include <QCheckBox>
#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "shell/colours.h"
#include "shell/setupdialog.h"
#include "views/common/labelbutton.h"

namespace orv {

namespace {

// Check boxes and radio buttons keep their own width, so that a click lands
// on their caption and not on empty space beside it.
void AddLeft(QVBoxLayout* layout, QWidget* widget, int indent = 0)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    if (indent > 0) row->addSpacing(indent);
    row->addWidget(widget);
    row->addStretch(1);
    layout->addLayout(row);
}

// The name a screen reader gives a field: its caption without the colon and
// blanks. A combo box also names its text field and its list.
void NameAfter(QWidget* field, QString caption)
{
    caption = caption.trimmed();
    if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
    field->setAccessibleName(caption.trimmed());
    if (auto* combo = qobject_cast<QComboBox*>(field)) {
        if (combo->lineEdit()) combo->lineEdit()->setAccessibleName(field->accessibleName());
        combo->view()->setAccessibleName(field->accessibleName());
    }
}

// On Linux a combo box reads its text as its name and takes its caption from
// a label that names it as its buddy, beside it. A field whose caption stands
// elsewhere (a column heading, the row's sample) gets such a label, unseen.
void LabelUnseen(QWidget* field, const QString& caption)
{
    NameAfter(field, caption);
    auto* label = new QLabel(field->accessibleName(), field->parentWidget());
    label->setBuddy(field);
    label->hide();
}

// A caption followed by its field on one line.
void AddRow(QVBoxLayout* layout, const QString& caption, QWidget* field)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(caption);
    label->setBuddy(field);
    NameAfter(field, caption);
    row->addWidget(label);
    row->addWidget(field);
    row->addStretch(1);
    layout->addLayout(row);
}

LabelButton* MakeSideLabel(const QString& name, const QString& caption)
{
    auto* label = new LabelButton(caption);
    label->setObjectName(name);
    label->setMargin(6);
    return label;
}

// The names of the character sets in the order of their codes.
const char* const kCharsets[] = {
    "ANSI_CHARSET ",      "DEFAULT_CHARSET",    "SYMBOL_CHARSET",      "MAC_CHARSET",        "SHIFTJIS_CHARSET",
    "HANGEUL_CHARSET",    "JOHAB_CHARSET",      "GB2312_CHARSET",      "CHINESEBIG5_CHARSET", "GREEK_CHARSET",
    "TURKISH_CHARSET",    "VIETNAMESE_CHARSET", "HEBREW_CHARSET",      "ARABIC_CHARSET",     "BALTIC_CHARSET",
    "RUSSIAN_CHARSET",    "THAI_CHARSET",       "EASTEUROPE_CHARSET",  "OEM_CHARSET",
};

const char* const kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// The lists offer exactly the numbers a stored setting may hold.
static_assert(std::size(kCharsets) == setting_range::FontCharset.max + 1);
static_assert(std::size(kDayNames) == setting_range::WeekStart.max + 1);

void SetRange(QSpinBox* box, SettingRange range) { box->setRange(range.min, range.max); }

}  // namespace

QWidget* TSetup::BuildSideMenu()
{
    SideMenu = new QFrame;
    SideMenu->setObjectName(QStringLiteral("SideMenu"));
    SideMenu->setAutoFillBackground(true);
    SideMenu->setFrameShape(QFrame::StyledPanel);
    SideMenu->installEventFilter(this);
    auto* layout = new QVBoxLayout(SideMenu);
    layout->setContentsMargins(0, 8, 0, 8);
    layout->setSpacing(2);
    L1 = MakeSideLabel(QStringLiteral("L1"), QStringLiteral("ORV"));
    L2 = MakeSideLabel(QStringLiteral("L2"), QStringLiteral("Letter"));
    L3 = MakeSideLabel(QStringLiteral("L3"), QStringLiteral("Color"));
    L7 = MakeSideLabel(QStringLiteral("L7"), QStringLiteral("HTML"));
    L5 = MakeSideLabel(QStringLiteral("L5"), QStringLiteral("Font"));
    L8 = MakeSideLabel(QStringLiteral("L8"), QStringLiteral("Sync"));
    sideLabels_ = {L1, L2, L3, L7, L5, L8};
    int width = 0;
    for (LabelButton* label : sideLabels_) {
        label->installEventFilter(this);
        connect(label, &LabelButton::clicked, this, [this, label] { SideMenuClick(label); });
        layout->addWidget(label);
        QFont bold = label->font();
        bold.setBold(true);
        width = std::max(width, QFontMetrics(bold).horizontalAdvance(label->text()));
    }
    layout->addStretch(1);
    SideMenu->setFixedWidth(width + 40);
    return SideMenu;
}

QWidget* TSetup::BuildPage(QWidget* panel, const QString& title, QWidget* content, LabelButton* defaultLabel)
{
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* heading = new QLabel(title);
    heading->setObjectName(panel->objectName() + QStringLiteral("Title"));
    heading->setAutoFillBackground(true);
    heading->setMargin(6);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    const auto slot = static_cast<std::size_t>(Pages->count());
    pageTitles_.at(slot) = heading;
    layout->addWidget(heading);
    layout->addWidget(content, 1);
    if (defaultLabel) {
        auto* row = new QHBoxLayout;
        row->setContentsMargins(8, 0, 8, 4);
        row->addStretch(1);
        row->addWidget(defaultLabel);
        layout->addLayout(row);
    }
    Pages->addWidget(panel);
    return panel;
}

QCheckBox* TSetup::MakeCheckBox(int n, const QString& caption)
{
    auto* box = new QCheckBox(caption);
    box->setObjectName(QStringLiteral("CB%1").arg(n));
    CB.at(static_cast<std::size_t>(n)) = box;
    return box;
}

LabelButton* TSetup::MakeDefaultLabel(const QString& name)
{
    auto* label = new LabelButton(QStringLiteral("Default"));
    label->setObjectName(name);
    QFont underlined = label->font();
    underlined.setUnderline(true);
    label->setFont(underlined);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return label;
}

QWidget* TSetup::MakeColourEntry(int n)
{
    const auto i = static_cast<std::size_t>(n);
    auto* edit = new QComboBox;
    edit->setObjectName(QStringLiteral("ColorEdit%1").arg(n));
    edit->setEditable(true);
    edit->setInsertPolicy(QComboBox::NoInsert);
    // Entries 1..8 colour the program's own labels and may follow the desktop;
    // 9..11 go into a web page, where only the plain names mean anything.
    edit->addItems(ColourNames(n <= 8));
    edit->setMinimumContentsLength(12);
    edit->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ColorEdit.at(i) = edit;
    connect(edit, &QComboBox::currentTextChanged, this, [this, n] { ColorEditChange(n); });

    auto* swatch = new LabelButton;
    swatch->setObjectName(QStringLiteral("ColorLabel%1").arg(n));
    const int side = edit->sizeHint().height();
    swatch->setFixedSize(side, side);
    swatch->setFramed(true);
    connect(swatch, &LabelButton::clicked, this, [this, n] { ColorLabelClick(n); });
    ColorLabel.at(i) = swatch;

    auto* entry = new QWidget;
    auto* row = new QHBoxLayout(entry);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(edit);
    row->addWidget(swatch);
    return entry;
}

void TSetup::NameColourEntry(int n, const QString& caption)
{
    const auto i = static_cast<std::size_t>(n);
    LabelUnseen(ColorEdit.at(i), caption);
    ColorLabel.at(i)->setAccessibleName(ColorEdit.at(i)->accessibleName() + QStringLiteral(": choose colour"));
}

QLineEdit* TSetup::MakeMarginEdit(const QString& name)
{
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    connect(edit, &QLineEdit::textChanged, this, [this, edit] { MarginEditChange(edit); });
    return edit;
}

QWidget* TSetup::BuildOrvPage()
{
    auto* list = new QWidget;
    list->setObjectName(QStringLiteral("OrvList"));
    auto* layout = new QVBoxLayout(list);

    auto* setupBox = new QGroupBox(QStringLiteral("ORV Setup"));
    auto* setup = new QVBoxLayout(setupBox);
    AddLeft(setup, MakeCheckBox(4, QStringLiteral("New user")));
    AddLeft(setup, MakeCheckBox(6, QStringLiteral("Show \"Ver 1.2\" in Menu")));
    AddLeft(setup, MakeCheckBox(21, QStringLiteral("Date on next weeks events")));
    AddLeft(setup, MakeCheckBox(5, QStringLiteral("Show ORV in system tray")));
    AddLeft(setup, MakeCheckBox(30, QStringLiteral("Notify birthdays and high priority events")));
    AddLeft(setup, MakeCheckBox(24, QStringLiteral("Enable Resize")));
    SpinEdit1 = new QSpinBox;
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SetRange(SpinEdit1, setting_range::nextweek);
    AddRow(setup, QStringLiteral("Days in 'Next week' :"), SpinEdit1);
    layout->addWidget(setupBox);

    auto* startBox = new QGroupBox(QStringLiteral("Start-up"));
    auto* start = new QVBoxLayout(startBox);
    const int indent = 20;
    AddLeft(start, MakeCheckBox(1, QStringLiteral("Launch at Windows start-up")));
    AddLeft(start, MakeCheckBox(22, QStringLiteral("Use ORV Launch")), indent);
    AddLeft(start, MakeCheckBox(23, QStringLiteral("After the first start-up")), 2 * indent);
    AddLeft(start, MakeCheckBox(2, QStringLiteral("Launch only once a day")), indent);
    AddLeft(start, MakeCheckBox(3, QStringLiteral("Show only once a day")), 2 * indent);
    layout->addWidget(startBox);

    auto* calendarBox = new QGroupBox(QStringLiteral("Calendar Setup"));
    auto* calendar = new QVBoxLayout(calendarBox);
    RadioGroup1 = new QButtonGroup(this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    const QString priorities[] = {QStringLiteral("Only high priority"), QStringLiteral("Only normal and high priority"),
                                  QStringLiteral("All priorities")};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(priorities[i]);
        radio->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
        RadioGroup1->addButton(radio, i);
        AddLeft(calendar, radio);
    }
    ComboBox1 = new QComboBox;
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    for (const char* day : kDayNames) ComboBox1->addItem(QString::fromLatin1(day));
    AddRow(calendar, QStringLiteral(" Week starts with: "), ComboBox1);
    ComboBox3 = new QComboBox;
    ComboBox3->setObjectName(QStringLiteral("ComboBox3"));
    ComboBox3->addItems({QStringLiteral("First full week"), QStringLiteral("First 4-day week"),
                         QStringLiteral("Starts on Jan 1.")});
    AddRow(calendar, QStringLiteral(" First week of the year: "), ComboBox3);
    AddLeft(calendar, MakeCheckBox(9, QStringLiteral("Include weekly")));
    AddLeft(calendar, MakeCheckBox(10, QStringLiteral("Include monthly")));
    AddLeft(calendar, MakeCheckBox(7, QStringLiteral("Include annually")));
    AddLeft(calendar, MakeCheckBox(11, QStringLiteral("Include advanced")));
    layout->addWidget(calendarBox);

    auto* todayBox = new QGroupBox(QStringLiteral("Setup Today Box"));
    auto* today = new QVBoxLayout(todayBox);
    AddLeft(today, MakeCheckBox(20, QStringLiteral("Start with ORV")));
    AddLeft(today, MakeCheckBox(19, QStringLiteral("Navigator")));
    today->addWidget(new QLabel(QStringLiteral("Include:")));
    AddLeft(today, MakeCheckBox(12, QStringLiteral("Birthdays")), indent);
    AddLeft(today, MakeCheckBox(13, QStringLiteral("Calendar events")), indent);
    AddLeft(today, MakeCheckBox(14, QStringLiteral("Weekly events")), indent);
    AddLeft(today, MakeCheckBox(15, QStringLiteral("Monthly events")), indent);
    AddLeft(today, MakeCheckBox(8, QStringLiteral("Annually events")), indent);
    AddLeft(today, MakeCheckBox(18, QStringLiteral("The bottom to do list")), indent);
    AddLeft(today, MakeCheckBox(17, QStringLiteral("The top to do list")), indent);
    AddLeft(today, MakeCheckBox(16, QStringLiteral("Advanced events")), indent);
    layout->addWidget(todayBox);

    auto* formatBox = new QGroupBox(QStringLiteral("Date format"));
    auto* format = new QVBoxLayout(formatBox);
    CB26 = new QRadioButton(QStringLiteral("Date: dd/mm-yyy"));
    CB26->setObjectName(QStringLiteral("CB26"));
    CB25 = new QRadioButton(QStringLiteral("Date: mm.dd.yyyy"));
    CB25->setObjectName(QStringLiteral("CB25"));
    DateFormatGroup = new QButtonGroup(this);
    DateFormatGroup->addButton(CB26);
    DateFormatGroup->addButton(CB25);
    AddLeft(format, CB26);
    AddLeft(format, CB25);
    layout->addWidget(formatBox);
    layout->addStretch(1);

    connect(CB[1], &QCheckBox::toggled, this, &TSetup::CB1Click);
    connect(CB[2], &QCheckBox::toggled, this, &TSetup::CB2Click);
    connect(CB[22], &QCheckBox::toggled, this, &TSetup::CB22Click);
    connect(CB[21], &QCheckBox::toggled, this, &TSetup::dateFormatOrStampChanged);
    connect(CB25, &QRadioButton::toggled, this, &TSetup::dateFormatOrStampChanged);

    ScrollBox1 = new QScrollArea;
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidget(list);

    Panel7 = new QWidget;
    Panel7->setObjectName(QStringLiteral("Panel7"));
    return BuildPage(Panel7, QStringLiteral("ORV Properties"), ScrollBox1, nullptr);
}

QWidget* TSetup::BuildLetterPage()
{
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    auto* note = new QLabel(QStringLiteral(
        "In order to change left margin, change the number in top left box. To change the right margin, change "
        "number in top right box, to change top margin, change number in the far left top box, to change bottom "
        "margin, change number in bottom box."));
    note->setWordWrap(true);
    layout->addWidget(note);

    Edit3 = MakeMarginEdit(QStringLiteral("Edit3"));
    Edit5 = MakeMarginEdit(QStringLiteral("Edit5"));
    Edit2 = MakeMarginEdit(QStringLiteral("Edit2"));
    Edit6 = MakeMarginEdit(QStringLiteral("Edit6"));
    // The boxes stand on a drawn sheet with no caption of their own.
    Edit3->setAccessibleName(QStringLiteral("Left margin"));
    Edit5->setAccessibleName(QStringLiteral("Right margin"));
    Edit2->setAccessibleName(QStringLiteral("Top margin"));
    Edit6->setAccessibleName(QStringLiteral("Bottom margin"));

    // A sheet of paper with the left and right margins above it, the top
    // margin at its left and the bottom margin below it.
    auto* sheet = new QFrame;
    sheet->setObjectName(QStringLiteral("Sheet"));
    sheet->setFrameShape(QFrame::Box);
    sheet->setAutoFillBackground(true);
    QPalette paper = sheet->palette();
    paper.setColor(QPalette::Window, Qt::white);
    paper.setColor(QPalette::WindowText, Qt::gray);
    sheet->setPalette(paper);
    const int line = fontMetrics().height();
    sheet->setFixedSize(line * 12, line * 15);

    auto* grid = new QGridLayout;
    grid->addWidget(Edit3, 0, 1, Qt::AlignLeft);
    grid->addWidget(Edit5, 0, 1, Qt::AlignRight);
    grid->addWidget(Edit2, 1, 0, Qt::AlignTop);
    grid->addWidget(sheet, 1, 1);
    grid->addWidget(Edit6, 2, 1, Qt::AlignHCenter);
    auto* centred = new QHBoxLayout;
    centred->addStretch(1);
    centred->addLayout(grid);
    centred->addStretch(1);
    layout->addSpacing(line);
    layout->addLayout(centred);
    layout->addStretch(1);

    T10 = MakeDefaultLabel(QStringLiteral("T10"));
    connect(T10, &LabelButton::clicked, this, &TSetup::T10Click);
    Panel3 = new QWidget;
    Panel3->setObjectName(QStringLiteral("Panel3"));
    return BuildPage(Panel3, QStringLiteral("Printer Properties"), content, T10);
}

QWidget* TSetup::BuildColourPage()
{
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Background")), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Font")), 0, 2);
    const std::pair<QLabel**, const char*> samples[] = {{&TitleLabel, "Titles:"},
                                                         {&MenuLabel, "Menu:"},
                                                         {&NotSelLabel, "Not selected:"},
                                                         {&SelLabel, "Selected:"}};
    const char* const names[] = {"TitleLabel", "MenuLabel", "NotSelLabel", "SelLabel"};
    for (int row = 0; row < 4; ++row) {
        auto* sample = new QLabel(QString::fromLatin1(samples[row].second));
        sample->setObjectName(QString::fromLatin1(names[row]));
        sample->setAutoFillBackground(true);
        sample->setMargin(4);
        sample->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Not selected:")) + 24);
        *samples[row].first = sample;
        grid->addWidget(sample, row + 1, 0);
        grid->addWidget(MakeColourEntry(2 * row + 1), row + 1, 1);
        grid->addWidget(MakeColourEntry(2 * row + 2), row + 1, 2);
        // Named by their caption, not by the colour they hold.
        const QString caption = sample->text().remove(QLatin1Char(':'));
        NameColourEntry(2 * row + 1, caption + QStringLiteral(" background"));
        NameColourEntry(2 * row + 2, caption + QStringLiteral(" font"));
    }
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);
    layout->addSpacing(fontMetrics().height());

    ComboBox9 = new QComboBox;
    ComboBox9->setObjectName(QStringLiteral("ComboBox9"));
    ComboBox9->setEditable(true);
    ComboBox9->setInsertPolicy(QComboBox::NoInsert);
    ComboBox9->setMinimumContentsLength(16);
    ComboBox9->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    B5 = new QPushButton(QStringLiteral("Save"));
    B5->setObjectName(QStringLiteral("B5"));
    B6 = new QPushButton(QStringLiteral("Delete"));
    B6->setObjectName(QStringLiteral("B6"));
    auto* profile = new QHBoxLayout;
    auto* caption = new QLabel(QStringLiteral("Color profile:"));
    caption->setBuddy(ComboBox9);
    NameAfter(ComboBox9, caption->text());
    profile->addWidget(caption);
    profile->addWidget(ComboBox9);
    profile->addWidget(B5);
    profile->addWidget(B6);
    profile->addStretch(1);
    layout->addLayout(profile);
    layout->addStretch(1);

    connect(ComboBox9, &QComboBox::textActivated, this, &TSetup::ComboBox9Select);
    connect(B5, &QPushButton::clicked, this, &TSetup::B5Click);
    connect(B6, &QPushButton::clicked, this, &TSetup::B6Click);

    T8 = MakeDefaultLabel(QStringLiteral("T8"));
    connect(T8, &LabelButton::clicked, this, &TSetup::T8Click);
    Panel6 = new QWidget;
    Panel6->setObjectName(QStringLiteral("Panel6"));
    return BuildPage(Panel6, QStringLiteral("ORV colors Properties"), content, T8);
}

QWidget* TSetup::BuildHtmlPage()
{
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    auto* grid = new QGridLayout;
    const char* const captions[] = {"Background", "Text", "Link"};
    for (int row = 0; row < 3; ++row) {
        auto* caption = new QLabel(QString::fromLatin1(captions[row]));
        grid->addWidget(caption, row, 0);
        grid->addWidget(MakeColourEntry(9 + row), row, 1);
        caption->setBuddy(ColorEdit.at(static_cast<std::size_t>(9 + row)));
        NameColourEntry(9 + row, caption->text());
    }
    Edit4 = new QLineEdit(QStringLiteral("500"));
    Edit4->setObjectName(QStringLiteral("Edit4"));
    Edit4->setAlignment(Qt::AlignRight);
    Edit4->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    auto* widthCaption = new QLabel(QStringLiteral("Width"));
    widthCaption->setBuddy(Edit4);
    NameAfter(Edit4, widthCaption->text());
    grid->addWidget(widthCaption, 3, 0);
    grid->addWidget(Edit4, 3, 1, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    layout->addLayout(grid);
    layout->addStretch(1);

    T9 = MakeDefaultLabel(QStringLiteral("T9"));
    connect(T9, &LabelButton::clicked, this, &TSetup::T9Click);
    Panel2 = new QWidget;
    Panel2->setObjectName(QStringLiteral("Panel2"));
    return BuildPage(Panel2, QStringLiteral("HTML Properties"), content, T9);
}

QWidget* TSetup::BuildFontPage()
{
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    AddLeft(layout, MakeCheckBox(27, QStringLiteral("Use selected font.")));

    Edit1 = new QLineEdit;
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("MS Sans Serif")) * 2);
    SpinEdit2 = new QSpinBox;
    SpinEdit2->setObjectName(QStringLiteral("SpinEdit2"));
    SetRange(SpinEdit2, setting_range::FontSize);
    Edit1->setAccessibleName(QStringLiteral("Font name"));
    SpinEdit2->setAccessibleName(QStringLiteral("Font size"));
    Button1 = new QPushButton(QStringLiteral("Change font"));
    Button1->setObjectName(QStringLiteral("Button1"));
    auto* font = new QHBoxLayout;
    font->addWidget(Edit1);
    font->addWidget(SpinEdit2);
    font->addWidget(Button1);
    font->addStretch(1);
    layout->addLayout(font);

    ComboBox2 = new QComboBox;
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    for (const char* name : kCharsets) ComboBox2->addItem(QString::fromLatin1(name));

    AddLeft(layout, ComboBox2);
    LabelUnseen(ComboBox2, QStringLiteral("Character set"));

    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(new QLabel(QStringLiteral("Use selected font on:")));
    AddLeft(layout, MakeCheckBox(28, QStringLiteral("Edit elements")), 20);
    AddLeft(layout, MakeCheckBox(29, QStringLiteral("ORV 2 elements")), 20);

    SpinEdit3 = new QSpinBox;
    SpinEdit3->setObjectName(QStringLiteral("SpinEdit3"));
    SetRange(SpinEdit3, setting_range::Indicator);
    AddRow(layout, QStringLiteral("Indicator:"), SpinEdit3);

    Button2 = new QPushButton(QStringLiteral("Default font"));
    Button2->setObjectName(QStringLiteral("Button2"));
    AddLeft(layout, Button2);

    auto* note = new QLabel(QStringLiteral("Changing the font in ORV 2 may cause problems because the layout is "
                                           "adjusted to the default font-style and size."));
    note->setWordWrap(true);
    layout->addSpacing(fontMetrics().height() / 2);
    layout->addWidget(note);
    layout->addStretch(1);

    connect(Button1, &QPushButton::clicked, this, &TSetup::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TSetup::Button2Click);

    T11 = MakeDefaultLabel(QStringLiteral("T11"));
    connect(T11, &LabelButton::clicked, this, &TSetup::T11Click);
    Panel5 = new QWidget;
    Panel5->setObjectName(QStringLiteral("Panel5"));
    return BuildPage(Panel5, QStringLiteral("Font Properties"), content, T11);
}

}  // namespace orv
