#include "exchange/letters/letter.h"

#include <algorithm>

#include "exchange/codepages.h"
#include "exchange/letters/rtf.h"
#include "store/textutil.h"

namespace orv {

namespace {

// A stored value as letter text: UTF-8, its line breaks kept inside the paragraph.
std::string ValueText(const LetterRow& row, int column)
{
    const std::string text = StoredAsUtf8(row[static_cast<std::size_t>(column)]);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += kLineBreak;
        } else {
            out += text[i];
        }
    }
    return out;
}

const MergeField* FieldAt(std::string_view text, std::size_t at)
{
    for (const MergeField& field : kMergeFields) {
        if (text.substr(at, field.code.size()) == field.code) return &field;
    }
    return nullptr;
}

Paragraph MergeParagraph(const Paragraph& p, const LetterRow& row)
{
    // A code may straddle runs (part of it made bold); it is found in the
    // paragraph's whole text and takes the format of its first character.
    std::string text;
    std::vector<std::size_t> ends;
    for (const TextRun& run : p.runs) {
        text += run.text;
        ends.push_back(text.size());
    }
    Paragraph out;
    out.alignment = p.alignment;
    std::size_t run = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        while (ends[run] <= i) ++run;
        const CharFormat& format = p.runs[run].format;
        if (const MergeField* field = text[i] == '{' ? FieldAt(text, i) : nullptr) {
            out.Append(ValueText(row, field->column), format);
            i += field->code.size();
            continue;
        }
        const std::size_t brace = text.find('{', i + 1);
        const std::size_t end = std::min(ends[run], brace == std::string::npos ? text.size() : brace);
        out.Append(std::string_view(text).substr(i, end - i), format);
        i = end;
    }
    return out;
}

}  // namespace

RichDocument MergeLetter(const RichDocument& letter, const LetterRow& row)
{
    RichDocument merged;
    merged.paragraphs.reserve(letter.paragraphs.size());
    for (const Paragraph& p : letter.paragraphs) merged.paragraphs.push_back(MergeParagraph(p, row));
    return merged;
}

std::string MergeLetterText(std::string_view letter, const LetterRow& row)
{
    Paragraph p;
    p.Append(letter, CharFormat{});
    Paragraph merged = MergeParagraph(p, row);
    return merged.PlainText();
}

bool ExampleCursor::Next()
{
    if (!CanNext()) return false;
    ++k_;
    return true;
}

bool ExampleCursor::Previous()
{
    if (!CanPrevious()) return false;
    --k_;
    return true;
}

void ExampleCursor::SetRowCount(std::size_t rowCount)
{
    n_ = std::max<std::size_t>(rowCount, 1);
    k_ = std::clamp<std::size_t>(k_, 1, n_);
}

std::string ExampleCursor::StatusText() const
{
    return "Example " + std::to_string(k_) + "/" + std::to_string(n_);
}

std::string WritePlainLetter(const RichDocument& letter)
{
    if (letter.paragraphs.size() <= 1 && letter.IsEmpty()) return {};
    return letter.PlainText("\r\n") + "\r\n";
}

LetterReadResult ReadLetterFile(std::string_view bytes, std::string_view fileName)
{
    LetterReadResult result;
    if (RtfStart(bytes) != std::string_view::npos) {
        RtfReadResult rtf = ReadRtf(bytes);
        result.ok = rtf.ok;
        result.message = rtf.ok ? std::string() : std::string(fileName) + ": " + rtf.message;
        result.richText = true;
        result.document = std::move(rtf.document);
        result.dropped = std::move(rtf.dropped);
        return result;
    }
    TextFileContent content = TextOfFile(bytes, fileName);
    if (!content.ok) return {false, content.message, false, {}, {}};
    const std::string text = StoredAsUtf8(content.text);
    for (const std::string_view line : SplitLines(text)) {
        Paragraph p;
        p.Append(line, CharFormat{});
        result.document.paragraphs.push_back(std::move(p));
    }
    if (result.document.paragraphs.empty()) result.document.paragraphs.emplace_back();
    return result;
}

}  // namespace orv
