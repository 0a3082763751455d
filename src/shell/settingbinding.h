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
    // A check box holds a yes or no.
    QCheckBox* Bind(QCheckBox* box, bool Settings::*member);
    // A spin box holds a number within its range.
    QSpinBox* Bind(QSpinBox* box, std::int32_t Settings::*member);
    // A list holds a number as its item index; a number the list does not
    // have shows empty and is saved as the default.
    QComboBox* Bind(QComboBox* box, std::int32_t Settings::*member);
    // An editable list holds a text as typed.
    QComboBox* Bind(QComboBox* box, std::string Settings::*member);
    QLineEdit* Bind(QLineEdit* edit, std::string Settings::*member);
    // A field holds a number as typed; an empty field is saved as the default.
    QLineEdit* Bind(QLineEdit* edit, std::int32_t Settings::*member);

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
