// One set of label properties applied to a list of labels at once: the titles
// of the views, their "Goto" and "Today" links, their stepping commands. When
// the colours or the font change, one UpdateLabels reaches every label of the
// kind. Labels that act as buttons (LabelButton) take the hover colours as
// well, which they show under the mouse and while they have the focus.
#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

namespace orv {

class TLabelList : public QObject {
    Q_OBJECT
public:
    enum UpdateProperty {
        upCaption = 0x1,
        upColor = 0x2,
        upEnabled = 0x4,
        upFont = 0x8,
        upHeight = 0x10,
        upHint = 0x20,
        upVisible = 0x40,
        upWidth = 0x80,
        upWordWrap = 0x100,
    };
    Q_DECLARE_FLAGS(UpdateProperties, UpdateProperty)

    explicit TLabelList(QObject* parent = nullptr) : QObject(parent) {}

    void add(QWidget* label) { Labels.append(label); }

    QList<QPointer<QWidget>> Labels;
    QString CaptionX;
    QColor ColorX{0xF0, 0xF0, 0xF0};  // background
    QColor FontColorX{Qt::black};     // the font's colour
    QColor HoverColorX{0x33, 0x73, 0x73};
    QColor HoverFontColorX{Qt::white};
    bool EnabledX = true;
    QFont FontX;
    int HeightX = 0;
    QString HintX;
    bool VisibleX = true;
    int WidthX = 0;
    bool WordWrapX = false;
    UpdateProperties Options{upColor | upFont};

    // Copies each property named in Options onto every label still alive.
    void UpdateLabels();
    // Takes these colours (and hover colours) and updates the labels.
    void SetColours(const QColor& back, const QColor& text, const QColor& hoverBack, const QColor& hoverText);
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TLabelList::UpdateProperties)

}  // namespace orv
