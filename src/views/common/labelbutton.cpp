#include "views/common/labelbutton.h"
#include "views/common/named.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace orv {

namespace {

// What a screen reader meets in a label-button: a push button that is pressed
// (or, with a menu, opens it) as Qt's own buttons are. One interface serves
// every LabelButton, so a menu given after the reader first asked still shows.
class LabelButtonAccessible : public QAccessibleWidget {
public:
    explicit LabelButtonAccessible(LabelButton* button) : QAccessibleWidget(button, QAccessible::Button)
    {
        addControllingSignal(QStringLiteral("clicked(bool)"));
    }

    QAccessible::Role role() const override { return button()->menu() ? QAccessible::ButtonMenu : QAccessible::Button; }
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !widget()->accessibleName().isEmpty()) return QAccessibleWidget::text(t);
        return button()->text().remove(QLatin1Char('&'));
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->isDown();
        s.hasPopup = button()->menu() != nullptr;
        return s;
    }
    QStringList actionNames() const override
    {
        QStringList names;
        if (widget()->isEnabled()) names << (button()->menu() ? showMenuAction() : pressAction());
        return names << QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        // Clicked a moment later, as Qt's buttons are, so that the reader's
        // call returns before a dialog the click opens.
        if (widget()->isEnabled() && (action == pressAction() || action == showMenuAction()))
            button()->animateClick();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    LabelButton* button() const { return static_cast<LabelButton*>(widget()); }
};

QAccessibleInterface* LabelButtonFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String(LabelButton::staticMetaObject.className())) return nullptr;
    return new LabelButtonAccessible(static_cast<LabelButton*>(object));
}

}  // namespace

LabelButton::LabelButton(const QString& text, QWidget* parent) : QAbstractButton(parent)
{
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(LabelButtonFactory);
        return true;
    }();
    (void)accessibleInstalled;
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

void LabelButton::setMenu(QMenu* menu)
{
    if (!menu_ && menu) connect(this, &QAbstractButton::clicked, this, &LabelButton::ShowMenu);
    menu_ = menu;
    updateGeometry();
    update();
}

void LabelButton::ShowMenu()
{
    if (menu_) menu_->popup(mapToGlobal(QPoint(0, height())));
}

int LabelButton::IndicatorWidth() const
{
    return menu_ ? style()->pixelMetric(QStyle::PM_MenuButtonIndicator, nullptr, this) : 0;
}

bool LabelButton::ShowsHover() const
{
    if (!isEnabled()) return false;
    return hoverBack_.isValid() && (underMouse() || hasFocus());
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
    return {metrics.horizontalAdvance(text()) + 2 * margin_ + 4 + IndicatorWidth(), metrics.height() + 2 * margin_};
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
    const QRect inside = rect().adjusted(margin_ + 2, margin_, -margin_ - 2, -margin_);
    const int indicator = IndicatorWidth();
    painter.setPen(shownText());
    painter.drawText(inside.adjusted(0, 0, -indicator, 0), int(alignment_) | Qt::TextSingleLine, text());
    if (indicator > 0) {
        QStyleOption arrow;
        arrow.initFrom(this);
        arrow.rect = QRect(inside.right() - indicator + 1, inside.top(), indicator, inside.height());
        for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText})
            arrow.palette.setColor(role, shownText());
        style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, &painter, this);
    }
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

LabelButton* MakeLabelButton(QWidget* parent, const char* name, const QString& caption, const QString& accessibleName)
{
    auto* button = Named<LabelButton>(QLatin1String(name), caption, parent);
    button->setAlignment(Qt::AlignCenter);
    button->setMargin(2);
    if (!accessibleName.isEmpty()) button->setAccessibleName(accessibleName);
    return button;
}

}  // namespace orv
