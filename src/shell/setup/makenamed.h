// A widget made and named in one step: its member name, its objectName and so
// the name tests and screen-reader scripts find it by are one text.
#pragma once

#include <QString>
#include <utility>

namespace orv {

template <typename W, typename... Args>
W* MakeNamed(const QString& name, Args&&... args)
{
    auto* widget = new W(std::forward<Args>(args)...);
    widget->setObjectName(name);
    return widget;
}

}  // namespace orv
