// Texts as the store keeps them (bytes) and as the widgets show them.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// A stored text as UTF-8, or as Windows-1252 where it is not valid UTF-8
// (files written by older Windows systems).
QString DecodeStored(std::string_view bytes);
// Each stored line decoded (messages, the lines of a text field).
QStringList DecodeStoredLines(const std::vector<std::string>& lines);

// What the user typed, as the store keeps it: UTF-8.
std::string EncodeTyped(const QString& text);

}  // namespace orv
