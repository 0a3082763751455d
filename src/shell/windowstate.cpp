#include "shell/windowstate.h"

#include "shell/fontapply.h"

namespace orv {

BoundsState::BoundsState(QWidget* window, Keys keys, Restored restored)
    : window_(window), keys_(keys), restored_(restored)
{
}

void BoundsState::SaveState(Settings& s) const
{
    if (window_) SaveBounds(window_, s.*keys_.top, s.*keys_.left, s.*keys_.height, s.*keys_.width);
}

void BoundsState::RestoreState(const Settings& s)
{
    if (window_ && restored_ == Restored::Yes)
        RestoreBounds(window_, s.*keys_.top, s.*keys_.left, s.*keys_.height, s.*keys_.width);
}

}  // namespace orv
