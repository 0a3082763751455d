#include "shell/setup/setupparts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "views/common/named.h"
#include "views/common/labelbutton.h"

namespace orv {

void AddLeft(QVBoxLayout* layout, QWidget* widget, int indent)
{
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    if (indent > 0) row->addSpacing(indent);
    row->addWidget(widget);
    row->addStretch(1);
    layout->addLayout(row);
}

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

void LabelUnseen(QWidget* field, const QString& caption)
{
    NameAfter(field, caption);
    auto* label = new QLabel(field->accessibleName(), field->parentWidget());
    label->setBuddy(field);
    label->hide();
}

LabelButton* MakeDefaultLabel(const QString& name)
{
    auto* label = Named<LabelButton>(name, QStringLiteral("Default"));
    QFont underlined = label->font();
    underlined.setUnderline(true);
    label->setFont(underlined);
    label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return label;
}

void SetRange(QSpinBox* box, SettingRange range) { box->setRange(range.min, range.max); }

}  // namespace orv
