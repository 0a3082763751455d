// Which control of the settings dialog shows which setting. A page binds each
// control to its member of Settings once, as it makes the control; loading and
// applying are then the same loop for every page. The few controls that follow
// a rule of their own (a radio pair, a choice that follows the desktop) stay
// with their page.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "core/settings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace orv {

class SettingBindings {
public:
    // Binds `widget` to `member` and returns it. The pairs that can be bound:
    // a check box and a yes or no; a spin box and a number within its range;
    // a list and a number as its item index (a number the list does not have
    // shows empty and is saved as the default); an editable list or a field
    // and a text as typed; a field and a number as typed (an empty field is
    // saved as the default).
    template <typename W, typename M>
    W* Bind(W* widget, M Settings::*member)
    {
        bindings_.emplace_back(Binding<W, M>{widget, member});
        return widget;
    }

    // Controls <- `s`, without the signals of a change by the user.
    void Load(const Settings& s) const;
    // Controls -> `s`; other values stay.
    void Apply(Settings& s) const;

private:
    template <typename W, typename M>
    struct Binding {
        W* widget;
        M Settings::*member;
    };
    using Any = std::variant<Binding<QCheckBox, bool>, Binding<QSpinBox, std::int32_t>,
                             Binding<QComboBox, std::int32_t>, Binding<QComboBox, std::string>,
                             Binding<QLineEdit, std::string>, Binding<QLineEdit, std::int32_t>>;
    std::vector<Any> bindings_;
};

}  // namespace orv
