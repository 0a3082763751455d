#include "views/documents/tarea.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>

namespace orv {

TArea::TArea(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Area"));
    setWindowTitle(QStringLiteral("Select area:"));
    // As far as a sheet reaches: 16 384 columns and 1 048 576 rows.
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(1, 16384);
    SpinEdit2 = new QSpinBox(this);
    SpinEdit2->setObjectName(QStringLiteral("SpinEdit2"));
    SpinEdit2->setRange(1, 1048576);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Columns"), SpinEdit1);
    form->addRow(QStringLiteral("Rows"), SpinEdit2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

TArea::Choice TArea::Ask()
{
    const bool ok = exec() == QDialog::Accepted;
    return {SpinEdit1->value(), SpinEdit2->value(), !ok};
}

}  // namespace orv
