#include "views/common/named.h"
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
    SpinEdit1 = Named<QSpinBox>("SpinEdit1", this);
    SpinEdit1->setRange(1, 16384);
    SpinEdit2 = Named<QSpinBox>("SpinEdit2", this);
    SpinEdit2->setRange(1, 1048576);
    OKButton = Named<QPushButton>("OKButton", QStringLiteral("OK"), this);
    OKButton->setDefault(true);
    CancelButton = Named<QPushButton>("CancelButton", QStringLiteral("Cancel"), this);
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
