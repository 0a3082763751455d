#include "views/labelbutton.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace orv {

LabelButton::LabelButton(const QString& text, QWidget* parent) : QAbstractButton(parent)
{
    setText(text);
    setCursor(Qt::PointingHandCursor);
    // Reached with Tab; a click does not take the focus from the field the
    // user types in, and the colours stay those of the pointer.
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
}

void LabelButton::setAlignment(Qt::Alignment alignment)
{
    alignment_ = alignment;
    update();
}

void LabelButton::setMargin(int pixels)
{
    margin_ = std::max(0, pixels);
    updateGeometry();
    update();
}

void LabelButton::setFramed(bool framed)
{
    framed_ = framed;
    update();
}

void LabelButton::setColours(const QColor& background, const QColor& text)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    setPalette(p);
}

void LabelButton::setHoverColours(const QColor& background, const QColor& text)
{
    hoverBack_ = background;
    hoverText_ = text;
    update();
}

void LabelButton::setHighlighted(bool highlighted)
{
    if (highlighted_ == highlighted) return;
    highlighted_ = highlighted;
    update();
}

bool LabelButton::ShowsHover() const
{
    if (!isEnabled()) return false;
    return highlighted_ || (hoverBack_.isValid() && (underMouse() || hasFocus()));
}

QColor LabelButton::shownBackground() const
{
    return ShowsHover() && hoverBack_.isValid() ? hoverBack_ : palette().color(QPalette::Window);
}

QColor LabelButton::shownText() const
{
    const QColor text = ShowsHover() && hoverText_.isValid() ? hoverText_ : palette().color(QPalette::WindowText);
    if (isEnabled()) return text;
    // Greyed: half way to the background, whatever colours the caller chose.
    const QColor back = shownBackground();
    return QColor((text.red() + back.red()) / 2, (text.green() + back.green()) / 2, (text.blue() + back.blue()) / 2);
}

QSize LabelButton::sizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    return {metrics.horizontalAdvance(text()) + 2 * margin_ + 4, metrics.height() + 2 * margin_};
}

QSize LabelButton::minimumSizeHint() const { return sizeHint(); }

void LabelButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), shownBackground());
    if (framed_) {
        painter.setPen(palette().color(QPalette::Shadow));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    painter.setPen(shownText());
    painter.drawText(rect().adjusted(margin_ + 2, margin_, -margin_ - 2, -margin_), int(alignment_) | Qt::TextSingleLine,
                     text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(1, 1, -1, -1);
        focus.backgroundColor = shownBackground();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void LabelButton::keyPressEvent(QKeyEvent* event)
{
    // A link is followed with Enter as well as with Space.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void LabelButton::enterEvent(QEnterEvent* event)
{
    QAbstractButton::enterEvent(event);
    update();
}

void LabelButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    update();
}

void LabelButton::focusInEvent(QFocusEvent* event)
{
    QAbstractButton::focusInEvent(event);
    update();
}

void LabelButton::focusOutEvent(QFocusEvent* event)
{
    QAbstractButton::focusOutEvent(event);
    update();
}

}  // namespace orv
