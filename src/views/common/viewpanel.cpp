#include "views/common/viewpanel.h"

namespace orv {

ViewPanel::ViewPanel(const QString& name, const QString& titleName, const QString& title, QWidget* parent)
    : QWidget(parent), title_(new QLabel(title, this)), body_(new QVBoxLayout)
{
    setObjectName(name);
    title_->setObjectName(titleName);
    title_->setAutoFillBackground(true);
    title_->setContentsMargins(6, 2, 6, 2);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(title_);
    body_->setContentsMargins(8, 0, 8, 8);
    layout->addLayout(body_, 1);
    setTitleColours(QColor(0x33, 0x4D, 0x73), Qt::white);
}

void ViewPanel::setTitleColours(const QColor& background, const QColor& text)
{
    QPalette p = title_->palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    title_->setPalette(p);
}

}  // namespace orv
