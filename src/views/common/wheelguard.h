// Scrolling a page must never change a value: the mouse wheel over a combo box
// or a spin box scrolls the page around it instead.
#pragma once

class QWidget;

namespace orv {

// Applies to the combo and spin boxes below `root` at the time of the call.
void KeepWheelFromChangingValues(QWidget* root);

}  // namespace orv
