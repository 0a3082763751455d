// Reads the input as each of the six data files, writes what was read, reads
// that again and demands the same records and the same text: whatever the
// reader accepts, a save keeps. A reading in pieces must agree with one in one go.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "../store/recordfields.h"
#include "store/datafile.h"

namespace {

using namespace orv;
using test::Fields;

void Fail(const char* what)
{
    std::fprintf(stderr, "round trip broken: %s\n", what);
    std::abort();
}

template <class Rec>
void RoundTrip(std::string_view input)
{
    std::vector<Rec> first;
    const ParseResult read = ParseDataText(input, first);
    if (!read.ok && read.message.empty()) Fail("a failure without a message");
    if constexpr (std::is_same_v<Rec, ACal>) {
        for (const ACal& c : first) {
            if (c.Priority > 2) Fail("priority out of range");
        }
    }

    // Read in pieces at once, as a large file is, it reads the same.
    std::vector<Rec> pieces;
    const ParseResult inPieces = ParseDataText(input, pieces, 3);
    if (inPieces.ok != read.ok || inPieces.message != read.message || inPieces.cutShort != read.cutShort ||
        inPieces.valuesCut != read.valuesCut)
        Fail("outcome read in pieces");
    if (pieces.size() != first.size()) Fail("record count read in pieces");
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (Fields(first[i]) != Fields(pieces[i]) || first[i].Uid != pieces[i].Uid) Fail("record read in pieces");
    }

    const std::string written = SerializeDataText(first);
    std::vector<Rec> second;
    const ParseResult reread = ParseDataText(written, second);
    if (!reread.ok) Fail(reread.message.c_str());
    if (second.size() != first.size()) Fail("record count");
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (Fields(first[i]) != Fields(second[i])) Fail("record fields");
        if (first[i].Uid != second[i].Uid || first[i].Uid.empty()) Fail("record identity");
    }
    if (SerializeDataText(second) != written) Fail("written text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    RoundTrip<AData>(input);
    RoundTrip<ACal>(input);
    RoundTrip<AAdv>(input);
    RoundTrip<AYear>(input);
    RoundTrip<AMonth>(input);
    RoundTrip<AWeek>(input);
    return 0;
}
