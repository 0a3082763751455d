#include "shell/aboutpanel.h"

#include <QEvent>
#include <QFont>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <utility>

#include "shell/maker.h"

namespace orv {

namespace {

QLabel* AddLabel(QVBoxLayout* layout, const char* name, const QString& text)
{
    auto* label = new QLabel(text);
    label->setObjectName(QString::fromLatin1(name));
    // Plain text keeps the two blanks of the version line.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter);
    layout->addWidget(label);
    return label;
}

QLabel* AddLink(QVBoxLayout* layout, const char* name, const QString& text)
{
    QLabel* label = AddLabel(layout, name, text);
    label->setCursor(Qt::PointingHandCursor);
    label->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    layout->setAlignment(label, Qt::AlignHCenter);
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    label->setPalette(palette);
    return label;
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

    VersionLabel = AddLabel(layout, "VersionLabel", QStringLiteral("ver.  5.0b"));
    layout->addSpacing(24);
    MakerLabel = AddLabel(layout, "MakerLabel", QString::fromLatin1(kMakerName));
    WebPageLabel = AddLink(layout, "WebPageLabel", QString::fromLatin1(kMakerWebPage));
    MailLabel = AddLink(layout, "MailLabel", QString::fromLatin1(kSupportAddress));
    layout->addStretch(3);

    WebPageLabel->installEventFilter(this);
    MailLabel->installEventFilter(this);
}

void AboutPanel::SetUrlOpener(UrlOpener opener) { opener_ = std::move(opener); }

bool AboutPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && (watched == WebPageLabel || watched == MailLabel)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // A press that is dragged off the label and let go elsewhere opens nothing.
        const auto* label = static_cast<QLabel*>(watched);
        if (mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint()) && opener_) {
            opener_(watched == WebPageLabel ? MakerWebPageUrl() : SupportMailUrl());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace orv
