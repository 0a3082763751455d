#include "views/address/tnewadd.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "engine/addressbook.h"
#include "views/address/addressview.h"
#include "views/common/named.h"
#include "views/common/storedtext.h"

namespace orv {

namespace {

constexpr const char* kCaptions[11] = {"First name:",
                                       "Surname*:",
                                       "Address*:",
                                       "Postal code and city*:",
                                       "Country*:",
                                       "1. telephone number*:",
                                       "2. telephone number*:",
                                       "E-mail address*:",
                                       "Birthday - date*:",
                                       "Birthday - month*:",
                                       "Birthday - year*:"};

}  // namespace

TNewAdd::TNewAdd(AddressView& view, QWidget* parent) : QDialog(parent), view_(view)
{
    setObjectName(QStringLiteral("NewAdd"));
    setWindowTitle(QStringLiteral("New Address / Birthday"));
    auto* title = new QLabel(QStringLiteral("Address / Birthday"), this);
    QFont bold = title->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    title->setFont(bold);

    auto* fields = new QWidget;
    auto* form = new QFormLayout(fields);
    for (int i = 0; i < 11; ++i) {
        Edit[i] = Named<QLineEdit>(QStringLiteral("Edit%1").arg(i + 1), fields);
        form->addRow(QString::fromLatin1(kCaptions[i]), Edit[i]);
    }
    Memo1 = Named<QPlainTextEdit>("Memo1", fields);
    Memo1->setTabChangesFocus(true);
    Memo1->setFixedHeight(Memo1->fontMetrics().lineSpacing() * 4 + 12);
    form->addRow(QStringLiteral("Additional information*:"), Memo1);
    form->addRow(new QLabel(QStringLiteral("* optional"), fields));
    ScrollBox1 = Named<QScrollArea>("ScrollBox1", this);
    ScrollBox1->setWidget(fields);
    ScrollBox1->setWidgetResizable(true);
    // Only a frame around the fields: Tab goes from field to field (each one
    // scrolled into view), never to the frame itself.
    ScrollBox1->setFocusPolicy(Qt::NoFocus);
    ScrollBox1->setAccessibleName(QStringLiteral("Address / Birthday"));

    OkButton = Named<QPushButton>("OkButton", QStringLiteral("Ok"), this);
    OkButton->setDefault(true);
    CancelButton = Named<QPushButton>("CancelButton", QStringLiteral("Cancel"), this);
    connect(Edit[0], &QLineEdit::textChanged, this, [this](const QString& text) { OkButton->setEnabled(!text.isEmpty()); });
    connect(OkButton, &QPushButton::clicked, this, &TNewAdd::OkClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OkButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(ScrollBox1, 1);
    layout->addLayout(buttons);
    resize(420, 460);
}

void TNewAdd::showEvent(QShowEvent* event)
{
    for (QLineEdit* e : Edit) e->clear();
    Memo1->clear();
    OkButton->setEnabled(false);
    ScrollBox1->verticalScrollBar()->setValue(0);
    Edit[0]->setFocus();
    QDialog::showEvent(event);
}

void TNewAdd::OkClick()
{
    if (Edit[0]->text().isEmpty()) return;
    auto text = [this](int n) { return EncodeTyped(Edit[n - 1]->text()); };
    AddressFields f;
    f.Name = text(1);
    f.Surname = text(2);
    f.Address = text(3);
    f.City = text(4);
    f.Country = text(5);
    f.Tele1 = text(6);
    f.Tele2 = text(7);
    f.Email1 = text(8);
    f.Day = text(9);
    f.Month = text(10);
    f.Year = text(11);
    f.More = MemoLines(EncodeTyped(Memo1->toPlainText()));
    view_.InsertAndPost(f);
    accept();
}

}  // namespace orv
