// One set of colours applied to a list of labels that act as buttons at once:
// the views' "Goto" and "Today" links, their stepping commands, the command
// labels of the data list and import windows. When the colours change, one
// SetColours reaches every label of the kind; the hover colours show under
// the mouse and while a label has the focus.
#pragma once

#include <QColor>
#include <QList>
#include <QPointer>

namespace orv {

class LabelButton;

class TLabelList {
public:
    void add(LabelButton* label);
    // Takes these colours and gives them to every label still alive.
    void SetColours(const QColor& back, const QColor& text, const QColor& hoverBack, const QColor& hoverText);
    // Gives the list's colours to one label (one just added).
    void Apply(LabelButton* label) const;

private:
    QList<QPointer<LabelButton>> labels_;
    QColor back_{0xF0, 0xF0, 0xF0};
    QColor text_{Qt::black};
    QColor hoverBack_{0x33, 0x73, 0x73};
    QColor hoverText_{Qt::white};
};

}  // namespace orv
