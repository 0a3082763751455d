#include "views/common/storedtext.h"

#include "store/textutil.h"
#include "store/utf8.h"

namespace orv {

// One rule for every window and every export: UTF-8 where the bytes are valid
// UTF-8, else Windows-1252 (files written by older Windows systems).
QString DecodeStored(std::string_view bytes)
{
    if (IsValidUtf8(bytes)) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const std::string utf8 = StoredAsUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QStringList DecodeStoredLines(const std::vector<std::string>& lines)
{
    QStringList out;
    out.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) out << DecodeStored(line);
    return out;
}

std::string EncodeTyped(const QString& text) { return text.toStdString(); }

}  // namespace orv
