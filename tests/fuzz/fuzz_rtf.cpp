// Reads the input as a rich-text letter. What was read must be UTF-8, must
// merge, and must come back unchanged through the writer once the writer has
// normalised it (default font named, control characters dropped).
#include "exchange/codepages.h"
#include "exchange/letters/letter.h"
#include "exchange/letters/rtf.h"
#include "fuzzcheck.h"

using orv::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const orv::RtfReadResult read = orv::ReadRtf(orv::fuzz::Text(data, size));
    if (!read.ok) {
        Check(!read.message.empty(), "a failure without a message");
        return 0;
    }
    Check(!read.document.paragraphs.empty(), "a document without a paragraph");
    for (const orv::Paragraph& p : read.document.paragraphs) {
        for (const orv::TextRun& run : p.runs) {
            Check(orv::IsValidUtf8(run.text) && orv::IsValidUtf8(run.format.font), "text that is not UTF-8");
            Check(orv::fuzz::IsOneLine(run.text), "a line end inside a paragraph");
        }
    }
    orv::LetterRow row;
    row.fill("{fn}\xff");
    (void)orv::MergeLetter(read.document, row);

    const orv::RtfReadResult once = orv::ReadRtf(orv::WriteRtf(read.document));
    Check(once.ok, "written RTF does not read");
    const orv::RtfReadResult twice = orv::ReadRtf(orv::WriteRtf(once.document));
    Check(twice.ok && twice.document == once.document, "RTF round trip broken");
    return 0;
}
