#include "shell/setup/letterpage.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "views/common/named.h"
#include "shell/setup/setupparts.h"
#include "views/common/labelbutton.h"

namespace orv {

LetterPage::LetterPage(QWidget* parent) : SetupPage(parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* note = new QLabel(QStringLiteral(
        "In order to change left margin, change the number in top left box. To change the right margin, change "
        "number in top right box, to change top margin, change number in the far left top box, to change bottom "
        "margin, change number in bottom box."));
    note->setWordWrap(true);
    layout->addWidget(note);

    // The boxes stand on a drawn sheet with no caption of their own.
    QLineEdit* left = MarginEdit("Edit3", &Settings::PageL, QStringLiteral("Left margin"));
    QLineEdit* right = MarginEdit("Edit5", &Settings::PageR, QStringLiteral("Right margin"));
    QLineEdit* top = MarginEdit("Edit2", &Settings::PageT, QStringLiteral("Top margin"));
    QLineEdit* bottom = MarginEdit("Edit6", &Settings::PageB, QStringLiteral("Bottom margin"));

    // The left and right margins above the sheet, the top margin at its left
    // and the bottom margin below it.
    auto* grid = new QGridLayout;
    grid->addWidget(left, 0, 1, Qt::AlignLeft);
    grid->addWidget(right, 0, 1, Qt::AlignRight);
    grid->addWidget(top, 1, 0, Qt::AlignTop);
    grid->addWidget(Sheet(), 1, 1);
    grid->addWidget(bottom, 2, 1, Qt::AlignHCenter);
    auto* centred = new QHBoxLayout;
    centred->addStretch(1);
    centred->addLayout(grid);
    centred->addStretch(1);
    layout->addSpacing(fontMetrics().height());
    layout->addLayout(centred);
    layout->addStretch(1);

    defaultLabel_ = MakeDefaultLabel(QStringLiteral("T10"));
    connect(defaultLabel_, &LabelButton::clicked, this, [this] { bindings_.Load(Settings{}); });
}

QLineEdit* LetterPage::MarginEdit(const char* name, std::int32_t Settings::*member, const QString& accessible)
{
    auto* edit = bindings_.Bind(Named<QLineEdit>(QString::fromLatin1(name)), member);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    connect(edit, &QLineEdit::textChanged, this, [edit] { KeepInteger(edit); });
    edit->setAccessibleName(accessible);
    return edit;
}

QWidget* LetterPage::Sheet() const
{
    auto* sheet = Named<QFrame>(QStringLiteral("Sheet"));
    sheet->setFrameShape(QFrame::Box);
    sheet->setAutoFillBackground(true);
    QPalette paper = sheet->palette();
    paper.setColor(QPalette::Window, Qt::white);
    paper.setColor(QPalette::WindowText, Qt::gray);
    sheet->setPalette(paper);
    const int line = fontMetrics().height();
    sheet->setFixedSize(line * 12, line * 15);
    return sheet;
}

void LetterPage::KeepInteger(QLineEdit* edit)
{
    const QString text = edit->text();
    if (text.isEmpty()) return;
    bool ok = false;
    const int value = text.toInt(&ok);
    const QString number = QString::number(ok ? value : 0);
    if (number != text) edit->setText(number);
}

}  // namespace orv
