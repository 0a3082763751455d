// A label that acts as a button: it keeps the look of a text label (its own
// background and text colours, no frame, any font), yet it takes the keyboard
// focus, is pressed with Space or Enter and reads as a button to a screen
// reader. The sidebar items, the settings dialog's page selector and its
// "Default" links, the views' "Goto"/"Today"/"Update" links and the colour
// swatches, the event pages' links and commands, the address book's links and
// the command labels of the data list and import windows are all LabelButtons.
//
// Colours: the background is the palette's Window colour and the text its
// WindowText colour, so a caller may simply set the palette. With
// setHoverColours, the button shows those colours while the pointer is over
// it or it has the keyboard focus. A disabled button greys its text.
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QMenu>
#include <QPointer>

namespace orv {

class LabelButton : public QAbstractButton {
    Q_OBJECT
public:
    explicit LabelButton(const QString& text = {}, QWidget* parent = nullptr);

    void setAlignment(Qt::Alignment alignment);
    Qt::Alignment alignment() const { return alignment_; }
    // Blank pixels around the text, on every side.
    void setMargin(int pixels);
    // A thin line around the button (a colour swatch).
    void setFramed(bool framed);

    void setColours(const QColor& background, const QColor& text);
    void setHoverColours(const QColor& background, const QColor& text);
    // The colours the button shows now.
    QColor shownBackground() const;
    QColor shownText() const;

    // A label that opens a menu ("Go to", "Data port"): a click or Space pops
    // it up below the label, a small arrow says so, and a screen reader hears
    // a button with a menu.
    void setMenu(QMenu* menu);
    QMenu* menu() const { return menu_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool ShowsHover() const;
    int IndicatorWidth() const;
    void ShowMenu();

    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
    int margin_ = 0;
    bool framed_ = false;
    QColor hoverBack_;
    QColor hoverText_;
    QPointer<QMenu> menu_;
};

// A label-button named `name` (objectName, for tests and the settings), its
// text centred; `accessibleName` says what it does where the caption alone
// does not ("Event" forward and back).
LabelButton* MakeLabelButton(QWidget* parent, const char* name, const QString& caption,
                             const QString& accessibleName = {});

}  // namespace orv
