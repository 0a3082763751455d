// A new object under its object name: the name the settings, the tests and the
// windows' own lookups find it by, given where it is made so that nothing is
// left unnamed between two lines.
#pragma once

#include <QAnyStringView>
#include <QObject>
#include <utility>

namespace orv {

// `Named<QPushButton>("B2", tr("Create"), this)`: the name, then the
// arguments of the object's own constructor.
template <typename T, typename... Args>
T* Named(QAnyStringView name, Args&&... args)
{
    auto* object = new T(std::forward<Args>(args)...);
    object->setObjectName(name);
    return object;
}

}  // namespace orv
