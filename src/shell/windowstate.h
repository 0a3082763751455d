// What a window keeps in the settings between runs: saved at the save-all
// step, restored at each initialisation. OrvApp asks each window in turn.
#pragma once

#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <optional>

#include "core/settings.h"

namespace orv {

class WindowState {
public:
    virtual ~WindowState() = default;
    virtual void SaveState(Settings& s) const = 0;
    virtual void RestoreState(const Settings& s) = 0;
};

// A window that keeps only its place and size, under <name>Top, <name>Left,
// <name>Height and <name>Width.
class BoundsState : public WindowState {
public:
    using Key = std::optional<std::int32_t> Settings::*;
    struct Keys {
        Key top, left, height, width;
    };
    // `restored` false: the bounds are written but never read back.
    enum class Restored { Yes, No };
    BoundsState(QWidget* window, Keys keys, Restored restored = Restored::Yes);

    void SaveState(Settings& s) const override;
    void RestoreState(const Settings& s) override;

private:
    QPointer<QWidget> window_;
    Keys keys_;
    Restored restored_;
};

}  // namespace orv
