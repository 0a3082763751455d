// Handing a web page or a "mailto:" link to the desktop, which opens it in the
// user's browser or mail program. The help window and the about panel keep the
// opener as a value, so that it can be replaced (by a test, for one).
#pragma once

#include <QDesktopServices>
#include <QUrl>
#include <functional>

namespace orv {

using UrlOpener = std::function<void(const QUrl&)>;

inline void OpenWithShell(const QUrl& url) { QDesktopServices::openUrl(url); }

}  // namespace orv
