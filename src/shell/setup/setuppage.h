// A page of the settings dialog: the controls of some settings, bound to them
// so that a page loads and applies its settings by itself. The dialog only
// puts the pages together and saves.
#pragma once

#include <QWidget>

#include "core/settings.h"
#include "shell/setup/settingbinding.h"

namespace orv {

class LabelButton;

class SetupPage : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    // Controls <- `s`.
    virtual void Load(const Settings& s) { bindings_.Load(s); }
    // Controls -> the values of `s` the page shows; other values stay.
    virtual void Apply(Settings& s) const { bindings_.Apply(s); }
    // The "Default" link the dialog puts at the page's foot; none on some pages.
    LabelButton* DefaultLabel() const { return defaultLabel_; }

protected:
    SettingBindings bindings_;
    LabelButton* defaultLabel_ = nullptr;
};

}  // namespace orv
