#include "views/events/tchangehint.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/engineconfig.h"
#include "core/session.h"
#include "views/common/named.h"
#include "views/events/eventpage.h"
#include "views/events/tmycal.h"

namespace orv {

TChangeHint::TChangeHint(Session& session, QWidget* parent) : QDialog(parent), session_(session)
{
    setObjectName(QStringLiteral("ChangeHint"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    Label32 = Named<QLabel>("Label32", this);
    Label34 = Named<QLabel>("Label34", this);
    QFont bold = Label32->font();
    bold.setBold(true);
    Label32->setFont(bold);
    Label34->setFont(bold);
    Image2 = MakeToolButton(this, "Image2", QStringLiteral("Previous month"));
    Image2->setArrowType(Qt::LeftArrow);
    Label35 = MakeToolButton(this, "Label35", QStringLiteral("Today"));
    Label35->setText(QStringLiteral("\u25A0"));
    Image1 = MakeToolButton(this, "Image1", QStringLiteral("Next month"));
    Image1->setArrowType(Qt::RightArrow);
    Image3 = MakeToolButton(this, "Image3", QStringLiteral("Use this date"));
    Image3->setIcon(style()->standardIcon(QStyle::SP_DialogApplyButton));

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    MyCal1 = new TMyCal(panel);
    MyCal1->setXWidth(170);
    MyCal1->setXHeight(98);
    auto* inPanel = new QVBoxLayout(panel);
    inPanel->setContentsMargins(1, 1, 1, 1);
    inPanel->addWidget(MyCal1);

    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    top->addWidget(Label32);
    top->addWidget(Label34);
    top->addStretch(1);
    top->addWidget(Image2);
    top->addWidget(Label35);
    top->addWidget(Image1);
    top->addWidget(Image3);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(3);
    layout->addLayout(top);
    layout->addWidget(panel);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(MyCal1, Image2);
    setTabOrder(Image2, Label35);
    setTabOrder(Label35, Image1);
    setTabOrder(Image1, Image3);

    connect(MyCal1, &TMyCal::dayClicked, this, &TChangeHint::MyCal1Click);
    connect(MyCal1, &TMyCal::returnPressed, this, &TChangeHint::Image3Click);
    connect(Image1, &QToolButton::clicked, this, &TChangeHint::Image1Click);
    connect(Image2, &QToolButton::clicked, this, &TChangeHint::Image2Click);
    connect(Label35, &QToolButton::clicked, this, &TChangeHint::Label35Click);
    connect(Image3, &QToolButton::clicked, this, &TChangeHint::Image3Click);
    ApplySettings();
    MyCal1Click();
}

void TChangeHint::ApplySettings()
{
    MyCal1->setToday(session_.today());
    MyCal1->setXStartOfWeek(DateSettingsFrom(session_.settings()).WeekStart);
}

void TChangeHint::MyCal1Click()
{
    const Date d = MyCal1->XDate();
    setWindowTitle(QStringLiteral("Change date: ") +
                   QString::fromStdString(ELongDate(d, DateSettingsFrom(session_.settings()))));
    Label32->setText(MonthName(d.Month));
    Label34->setText(QString::number(d.Year));
}

void TChangeHint::Image1Click() { MyCal1->NextMonth(); }
void TChangeHint::Image2Click() { MyCal1->PrevMonth(); }
void TChangeHint::Label35Click() { MyCal1->SetToday(); }
void TChangeHint::Image3Click() { accept(); }

void TChangeHint::Prepare(Date date)
{
    ApplySettings();
    MyCal1->setXDate(date);
    MyCal1->setFocus(Qt::PopupFocusReason);
}

std::optional<Date> TChangeHint::Pick(Date date, QWidget* anchor)
{
    Prepare(date);
    adjustSize();
    if (anchor) {
        QPoint at = anchor->mapToGlobal(QPoint(anchor->width() + 4 - width(), anchor->height()));
        if (const QScreen* screen = anchor->screen()) {
            const QRect area = screen->availableGeometry();
            at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - width())));
            at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - height())));
        }
        move(at);
    }
    if (exec() != QDialog::Accepted) return std::nullopt;
    return MyCal1->XDate();
}

}  // namespace orv
