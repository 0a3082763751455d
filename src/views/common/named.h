// A new child widget under its object name: the name the settings, the tests
// and the pages' own lookups find it by, given where it is made so that no
// widget is left unnamed between two lines.
#pragma once

#include <QString>
#include <QWidget>
#include <utility>

namespace orv {

// `Named<QPushButton>(this, "B2", tr("Create"))`: the arguments before the
// parent, as the widget's own constructor takes them.
template <typename Widget, typename... Args>
Widget* Named(QWidget* parent, const char* name, Args&&... args)
{
    auto* widget = new Widget(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace orv
