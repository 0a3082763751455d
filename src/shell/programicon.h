// The program's mark, drawn at any size (the same drawing as resources/orv.svg,
// which the desktop uses for the launcher entry).
#pragma once

#include <QIcon>
#include <QPixmap>

namespace orv {

QPixmap ProgramPixmap(int size);
QIcon ProgramIcon();

}  // namespace orv
