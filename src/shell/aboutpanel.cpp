#include "shell/aboutpanel.h"

#include <QFont>
#include <QLabel>
#include <QVBoxLayout>
#include <utility>

#include "shell/maker.h"
#include "views/common/labelbutton.h"
#include "orvversion.h"
#include "views/common/named.h"

namespace orv {

namespace {

QLabel* AddLabel(QVBoxLayout* layout, const char* name, const QString& text)
{
    auto* label = Named<QLabel>(QString::fromLatin1(name), text);
    // Plain text keeps the two blanks of the version line.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter);
    layout->addWidget(label);
    return label;
}

LabelButton* AddLink(QVBoxLayout* layout, const char* name, const QString& text)
{
    auto* link = Named<LabelButton>(QString::fromLatin1(name), text);
    link->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    link->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    layout->addWidget(link);
    layout->setAlignment(link, Qt::AlignHCenter);
    QFont font = link->font();
    font.setUnderline(true);
    link->setFont(font);
    link->setColours(link->palette().color(QPalette::Window), link->palette().color(QPalette::Link));
    return link;
}

}  // namespace

AboutPanel::AboutPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PP5"));
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(2);

    NameLabel = AddLabel(layout, "NameLabel", QStringLiteral("ORV"));
    QFont big = NameLabel->font();
    big.setPointSizeF(big.pointSizeF() * 4);
    big.setBold(true);
    NameLabel->setFont(big);

    PurposeLabel = AddLabel(layout, "PurposeLabel", QStringLiteral("Managing your Events"));
    QFont larger = PurposeLabel->font();
    larger.setPointSizeF(larger.pointSizeF() * 1.5);
    PurposeLabel->setFont(larger);

    VersionLabel = AddLabel(layout, "VersionLabel", QStringLiteral("ver.  ") + QString::fromLatin1(kVersion));
    layout->addSpacing(24);
    MakerLabel = AddLabel(layout, "MakerLabel", QString::fromLatin1(kMakerName));
    WebPageLabel = AddLink(layout, "WebPageLabel", QString::fromLatin1(kMakerWebPage));
    MailLabel = AddLink(layout, "MailLabel", QString::fromLatin1(kSupportAddress));
    layout->addStretch(3);

    connect(WebPageLabel, &LabelButton::clicked, this, [this] {
        if (opener_) opener_(MakerWebPageUrl());
    });
    connect(MailLabel, &LabelButton::clicked, this, [this] {
        if (opener_) opener_(SupportMailUrl());
    });
}

void AboutPanel::SetUrlOpener(UrlOpener opener) { opener_ = std::move(opener); }

}  // namespace orv
