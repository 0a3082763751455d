// Makes a Qt object and gives it at once the object name that the settings,
// the tests and the accessibility tree know it by.
#pragma once

#include <QLatin1String>
#include <utility>

namespace orv {

template <class T, class... Args>
T* Named(const char* name, Args&&... args)
{
    auto* object = new T(std::forward<Args>(args)...);
    object->setObjectName(QLatin1String(name));
    return object;
}

}  // namespace orv
