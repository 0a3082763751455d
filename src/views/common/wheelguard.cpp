#include "views/common/wheelguard.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>

namespace orv {

namespace {

class WheelGuard : public QObject {
public:
    using QObject::QObject;

protected:
    // An ignored wheel event goes on to the parent widgets, so the page scrolls.
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Wheel) return false;
        event->ignore();
        return true;
    }
};

}  // namespace

void KeepWheelFromChangingValues(QWidget* root)
{
    auto* guard = new WheelGuard(root);
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w)) w->installEventFilter(guard);
    }
}

}  // namespace orv
