#include "views/events/tlabellist.h"

#include "views/common/labelbutton.h"

namespace orv {

void TLabelList::add(LabelButton* label) { labels_.append(label); }

void TLabelList::SetColours(const QColor& back, const QColor& text, const QColor& hoverBack, const QColor& hoverText)
{
    back_ = back;
    text_ = text;
    hoverBack_ = hoverBack;
    hoverText_ = hoverText;
    for (const QPointer<LabelButton>& label : labels_)
        if (label) Apply(label);
}

void TLabelList::Apply(LabelButton* label) const
{
    label->setColours(back_, text_);
    label->setHoverColours(hoverBack_, hoverText_);
}

}  // namespace orv
