#include "exchange/letters/richdocument.h"

namespace orv {

void Paragraph::Append(std::string_view text, const CharFormat& format)
{
    if (text.empty()) return;
    if (!runs.empty() && runs.back().format == format) {
        runs.back().text += text;
    } else {
        runs.push_back({std::string(text), format});
    }
}

std::string Paragraph::PlainText() const
{
    std::string text;
    for (const TextRun& run : runs) text += run.text;
    return text;
}

std::string RichDocument::PlainText(std::string_view eol) const
{
    std::string text;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) text += eol;
        const std::string line = paragraphs[i].PlainText();
        // Soft line breaks are lines of their own on paper and in a text file.
        std::size_t from = 0;
        for (std::size_t at = line.find(kLineBreak); at != std::string::npos; at = line.find(kLineBreak, from)) {
            text.append(line, from, at - from);
            text += eol;
            from = at + kLineBreak.size();
        }
        text.append(line, from);
    }
    return text;
}

bool RichDocument::IsEmpty() const
{
    for (const Paragraph& p : paragraphs) {
        for (const TextRun& run : p.runs) {
            if (!run.text.empty()) return false;
        }
    }
    return true;
}

}  // namespace orv
