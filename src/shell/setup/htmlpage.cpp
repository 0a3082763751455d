#include "shell/setup/htmlpage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "views/common/named.h"
#include "shell/setup/setupparts.h"
#include "views/common/labelbutton.h"

namespace orv {

HtmlPage::HtmlPage(QWidget* parent) : ColourEntriesPage(parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const std::pair<const char*, std::string Settings::*> rows[] = {
        {"Background", &Settings::Color9}, {"Text", &Settings::Color10}, {"Link", &Settings::Color11}};
    for (int row = 0; row < 3; ++row) {
        auto* caption = new QLabel(QString::fromLatin1(rows[row].first));
        grid->addWidget(caption, row, 0);
        ColourEntry* entry = AddEntry(9 + row, rows[row].second);
        grid->addWidget(entry, row, 1);
        caption->setBuddy(entry->Edit());
        entry->Name(caption->text());
    }
    Edit4 = Named<QLineEdit>(QStringLiteral("Edit4"), QStringLiteral("500"));
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

    defaultLabel_ = MakeDefaultLabel(QStringLiteral("T9"));
    connect(defaultLabel_, &LabelButton::clicked, this, &HtmlPage::LoadDefaults);
}

QString HtmlPage::Width() const { return Edit4->text(); }

}  // namespace orv
