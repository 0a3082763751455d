#include "views/labellist.h"

#include <QLabel>

#include "views/labelbutton.h"

namespace orv {

void TLabelList::UpdateLabels()
{
    for (const QPointer<QWidget>& w : Labels) {
        if (!w) continue;
        auto* label = qobject_cast<QLabel*>(w.data());
        auto* button = qobject_cast<LabelButton*>(w.data());
        if (Options & upCaption) {
            if (label) label->setText(CaptionX);
            if (button) button->setText(CaptionX);
        }
        if (Options & upColor) {
            if (button) {
                button->setColours(ColorX, FontColorX);
                button->setHoverColours(HoverColorX, HoverFontColorX);
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

void TLabelList::SetColours(const QColor& back, const QColor& text, const QColor& hoverBack, const QColor& hoverText)
{
    ColorX = back;
    FontColorX = text;
    HoverColorX = hoverBack;
    HoverFontColorX = hoverText;
    UpdateLabels();
}

}  // namespace orv
