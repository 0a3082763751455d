#include "shell/colours.h"

#include <QApplication>
#include <QPalette>
#include <array>
#include <utility>

namespace orv {

namespace {

struct Named {
    const char* name;
    QRgb rgb;
};

constexpr std::array<Named, 16> kNamed{{{"Black", 0x000000}, {"Maroon", 0x800000}, {"Green", 0x008000},
                                        {"Olive", 0x808000}, {"Navy", 0x000080}, {"Purple", 0x800080},
                                        {"Teal", 0x008080}, {"Gray", 0x808080}, {"Silver", 0xC0C0C0},
                                        {"Red", 0xFF0000}, {"Lime", 0x00FF00}, {"Yellow", 0xFFFF00},
                                        {"Blue", 0x0000FF}, {"Fuchsia", 0xFF00FF}, {"Aqua", 0x00FFFF},
                                        {"White", 0xFFFFFF}}};

// The desktop colours that the entries may name, and the palette role that
// stands for each here.
struct System {
    const char* name;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

constexpr std::array<System, 17> kSystem{{
    {"ScrollBar", QPalette::Active, QPalette::Button},
    {"Background", QPalette::Active, QPalette::Window},
    {"ActiveCaption", QPalette::Active, QPalette::Highlight},
    {"InactiveCaption", QPalette::Inactive, QPalette::Highlight},
    {"Menu", QPalette::Active, QPalette::Window},
    {"Window", QPalette::Active, QPalette::Base},
    {"WindowFrame", QPalette::Active, QPalette::Shadow},
    {"MenuText", QPalette::Active, QPalette::WindowText},
    {"WindowText", QPalette::Active, QPalette::Text},
    {"CaptionText", QPalette::Active, QPalette::HighlightedText},
    {"ActiveBorder", QPalette::Active, QPalette::Mid},
    {"InactiveBorder", QPalette::Inactive, QPalette::Mid},
    {"Highlight", QPalette::Active, QPalette::Highlight},
    {"HighlightText", QPalette::Active, QPalette::HighlightedText},
    {"BtnFace", QPalette::Active, QPalette::Button},
    {"BtnShadow", QPalette::Active, QPalette::Dark},
    {"None", QPalette::Active, QPalette::Window},
}};

bool IsHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

}  // namespace

std::optional<QColor> ColourFromText(const QString& text, bool systemColours)
{
    if (text.startsWith(u'#')) {
        if (text.size() != 7) return std::nullopt;
        for (int i = 1; i < 7; ++i)
            if (!IsHexDigit(text[i])) return std::nullopt;
        return QColor(text);
    }
    for (const Named& n : kNamed)
        if (text.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) return QColor(n.rgb);
    if (systemColours) {
        const QPalette palette = QApplication::palette();
        for (const System& s : kSystem)
            if (text.compare(QLatin1String(s.name), Qt::CaseInsensitive) == 0) return palette.color(s.group, s.role);
    }
    return std::nullopt;
}

QStringList ColourNames(bool systemColours)
{
    QStringList names;
    for (const Named& n : kNamed) names << QString::fromLatin1(n.name);
    if (systemColours)
        for (const System& s : kSystem) names << QString::fromLatin1(s.name);
    return names;
}

QString TextFromColour(const QColor& colour)
{
    const QRgb rgb = colour.rgb() & 0xFFFFFF;
    for (const Named& n : kNamed)
        if (n.rgb == rgb) return QString::fromLatin1(n.name);
    return QStringLiteral("#%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

}  // namespace orv
