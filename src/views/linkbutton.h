// A text that acts as a command ("Go to", "Data port", "Send e-mail"): a flat
// push button that keeps the look of a label, takes the keyboard focus and
// carries its caption as its accessible name.
#pragma once

#include <QPushButton>

namespace orv {

inline QPushButton* MakeLinkButton(QWidget* parent, const char* name, const char* caption)
{
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(QLatin1String(name));
    b->setFlat(true);
    b->setAutoDefault(false);
    b->setCursor(Qt::PointingHandCursor);
    b->setAccessibleName(b->text());
    return b;
}

}  // namespace orv
