#include "views/labellist.h"

#include <QAbstractButton>
#include <QLabel>

namespace orv {

namespace {

QString ButtonSheet(const TLabelList& l)
{
    const QString back = l.ColorX.name();
    const QString text = l.FontColorX.name();
    return QStringLiteral(
               "QAbstractButton { background: %1; color: %2; border: 1px solid transparent; padding: 1px 4px; }"
               "QAbstractButton:hover { background: %3; color: %4; }"
               "QAbstractButton:focus { border: 1px dotted %2; }"
               "QAbstractButton:disabled { color: #8A8A8A; }")
        .arg(back, text, l.HoverColorX.name(), l.HoverFontColorX.name());
}

}  // namespace

void TLabelList::UpdateLabels()
{
    for (const QPointer<QWidget>& w : Labels) {
        if (!w) continue;
        auto* label = qobject_cast<QLabel*>(w.data());
        auto* button = qobject_cast<QAbstractButton*>(w.data());
        if (Options & upCaption) {
            if (label) label->setText(CaptionX);
            if (button) button->setText(CaptionX);
        }
        if (Options & upColor) {
            if (button) {
                button->setStyleSheet(ButtonSheet(*this));
            } else {
                QPalette p = w->palette();
                p.setColor(QPalette::Window, ColorX);
                p.setColor(QPalette::WindowText, FontColorX);
                w->setPalette(p);
                w->setAutoFillBackground(true);
            }
        }
        if (Options & upEnabled) w->setEnabled(EnabledX);
        if (Options & upFont) {
            QFont f = FontX;
            // A bold title stays bold whatever font is chosen.
            f.setBold(w->font().bold());
            w->setFont(f);
        }
        if (Options & upHeight && HeightX > 0) w->setFixedHeight(HeightX);
        if (Options & upHint) w->setToolTip(HintX);
        if (Options & upVisible) w->setVisible(VisibleX);
        if (Options & upWidth && WidthX > 0) w->setFixedWidth(WidthX);
        if (Options & upWordWrap && label) label->setWordWrap(WordWrapX);
    }
}

}  // namespace orv
