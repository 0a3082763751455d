// Reading a file the user chose in an open dialog, whole, with a limit that
// keeps a wrong choice (a disk image, a video) from filling the memory.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace orv {

// The file's bytes; nothing when it cannot be read or is larger than
// `largest`, with `error` saying why ("<path>: <reason>").
std::optional<QByteArray> ReadChosenFile(const QString& path, qint64 largest, QString& error);

}  // namespace orv
