// Reading a file the user chose in an open dialog, whole, with a limit that
// keeps a wrong choice (a disk image, a video) from filling the memory; and
// writing one chosen in a save dialog, through a temporary file.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string_view>

namespace orv {

// The file's bytes; nothing when it cannot be read or is larger than
// `largest`, with `error` saying why ("<path>: <reason>").
std::optional<QByteArray> ReadChosenFile(const QString& path, qint64 largest, QString& error);

// Writes `bytes` to a temporary file beside `path` and renames it over `path`;
// false with `error` saying why ("<path>: <reason>").
bool WriteChosenFile(const QString& path, std::string_view bytes, QString& error);

}  // namespace orv
