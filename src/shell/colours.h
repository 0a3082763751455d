// Colour entries as the user types them: "#RRGGBB" or a colour name, and back.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

namespace orv {

// "#" and six hexadecimal digits, or one of the sixteen named colours ("Red",
// "Navy" ...). With `systemColours`, also the desktop's colours by their names
// ("BtnFace", "Window", "WindowText" ...), taken from the application palette.
// Empty when the text names no colour.
std::optional<QColor> ColourFromText(const QString& text, bool systemColours = true);

// The names ColourFromText knows, as a colour entry offers them: the sixteen
// named colours, then (with `systemColours`) the desktop's colours.
QStringList ColourNames(bool systemColours);

// The entry text for a chosen colour: the name of a named colour ("Red"), else
// "#" and six hexadecimal digits.
QString TextFromColour(const QColor& colour);

}  // namespace orv
