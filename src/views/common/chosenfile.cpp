#include "views/common/chosenfile.h"

#include <QFile>

#include "store/fileio.h"

namespace orv {

std::optional<QByteArray> ReadChosenFile(const QString& path, qint64 largest, QString& error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    if (file.size() > largest) {
        error = QStringLiteral("%1: the file is too large (%2 MB at the most).").arg(path).arg(largest >> 20);
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    return bytes;
}

bool WriteChosenFile(const QString& path, std::string_view bytes, QString& error)
{
    // The program's one safe write: a link chosen in the dialog keeps
    // pointing at the file, and the file keeps its permissions.
    const Result written = WriteFileAtomic(QFile::encodeName(path).toStdString(), bytes);
    if (written.ok) return true;
    error = QString::fromStdString(written.message);
    return false;
}

}  // namespace orv
