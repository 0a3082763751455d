#include "views/storedtext.h"

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

std::string EncodeTyped(const QString& text) { return text.toStdString(); }

}  // namespace orv
