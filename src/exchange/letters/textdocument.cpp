#include "exchange/letters/textdocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <cmath>

namespace orv {

namespace {

Alignment AlignmentOf(Qt::Alignment a)
{
    if (a & Qt::AlignHCenter) return Alignment::Center;
    if (a & Qt::AlignJustify) return Alignment::Justify;
    if (a & (Qt::AlignRight | Qt::AlignTrailing)) return Alignment::Right;
    return Alignment::Left;
}

Qt::Alignment QtAlignment(Alignment a)
{
    switch (a) {
    case Alignment::Center: return Qt::AlignHCenter;
    case Alignment::Right: return Qt::AlignRight;
    case Alignment::Justify: return Qt::AlignJustify;
    case Alignment::Left: break;
    }
    return Qt::AlignLeft;
}

CharFormat FormatOf(const QTextCharFormat& f, const QFont& fallback)
{
    const QFont font = f.font().resolve(fallback);
    CharFormat c;
    c.font = font.family().toStdString();
    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : fallback.pointSizeF();
    c.halfPoints = points > 0 ? static_cast<int>(std::lround(points * 2)) : 0;
    c.bold = font.weight() >= QFont::DemiBold;
    c.italic = font.italic();
    c.underline = font.underline();
    c.strikeOut = font.strikeOut();
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().style() != Qt::NoBrush) {
        const QColor color = f.foreground().color();
        c.color = Rgb{static_cast<std::uint8_t>(color.red()), static_cast<std::uint8_t>(color.green()),
                      static_cast<std::uint8_t>(color.blue())};
    }
    return c;
}

QTextCharFormat QtFormat(const CharFormat& c)
{
    QTextCharFormat f;
    if (!c.font.empty()) f.setFontFamilies({QString::fromStdString(c.font)});
    if (c.halfPoints > 0) f.setFontPointSize(c.halfPoints / 2.0);
    f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italic);
    f.setFontUnderline(c.underline);
    f.setFontStrikeOut(c.strikeOut);
    if (c.color) f.setForeground(QColor(c.color->red, c.color->green, c.color->blue));
    return f;
}

}  // namespace

RichDocument FromTextDocument(const QTextDocument& document)
{
    RichDocument rich;
    const QFont fallback = document.defaultFont();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        Paragraph p;
        p.alignment = AlignmentOf(block.blockFormat().alignment());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            // Pictures and other objects have no place in a letter file.
            const QString text = fragment.text().remove(QChar::ObjectReplacementCharacter);
            p.Append(text.toStdString(), FormatOf(fragment.charFormat(), fallback));
        }
        rich.paragraphs.push_back(std::move(p));
    }
    return rich;
}

void ToTextDocument(const RichDocument& rich, QTextDocument& document)
{
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    bool first = true;
    for (const Paragraph& p : rich.paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(QtAlignment(p.alignment));
        if (first) {
            cursor.setBlockFormat(block);
        } else {
            cursor.insertBlock(block);
        }
        first = false;
        for (const TextRun& run : p.runs) cursor.insertText(QString::fromStdString(run.text), QtFormat(run.format));
    }
    cursor.endEditBlock();
}

}  // namespace orv
