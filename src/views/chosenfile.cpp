#include "views/chosenfile.h"

#include <QFile>
#include <QSaveFile>

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
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes.data(), static_cast<qint64>(bytes.size())) >= 0 &&
        file.commit())
        return true;
    error = QStringLiteral("%1: %2").arg(path, file.errorString());
    return false;
}

}  // namespace orv
