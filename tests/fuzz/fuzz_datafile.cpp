// Reads the input as each of the six data files, writes what was read, reads
// that again and demands the same records and the same text: whatever the
// reader accepts, a save keeps. A reading in pieces, or a few bytes at a
// time, must agree with one in one go.
#include <string>
#include <type_traits>
#include <vector>

#include "../store/recordfields.h"
#include "../store/memorysource.h"
#include "fuzzcheck.h"
#include "store/datafile.h"

namespace {

using namespace orv;
using fuzz::Check;
using test::Fields;

template <class Rec>
const std::vector<Rec>& ListOf(const RecordStore& store)
{
    if constexpr (std::is_same_v<Rec, AData>) return store.addresses();
    else if constexpr (std::is_same_v<Rec, ACal>) return store.calendar();
    else if constexpr (std::is_same_v<Rec, AAdv>) return store.advanced();
    else if constexpr (std::is_same_v<Rec, AYear>) return store.annual();
    else if constexpr (std::is_same_v<Rec, AMonth>) return store.monthly();
    else return store.weekly();
}

template <class Rec>
void RoundTrip(std::string_view input, DataKind kind)
{
    std::vector<Rec> first;
    const ParseResult read = ParseDataText(input, first);
    Check(read.ok || !read.message.empty(), "a failure without a message");
    if constexpr (std::is_same_v<Rec, ACal>) {
        for (const ACal& c : first) Check(c.Priority <= 2, "priority out of range");
    }

    // Read in pieces at once, as a large file is, it reads the same.
    std::vector<Rec> pieces;
    const ParseResult inPieces = ParseDataText(input, pieces, 3);
    Check(inPieces.ok == read.ok && inPieces.message == read.message && inPieces.cutShort == read.cutShort &&
              inPieces.valuesCut == read.valuesCut,
          "outcome read in pieces");
    Check(pieces.size() == first.size(), "record count read in pieces");
    for (std::size_t i = 0; i < first.size(); ++i)
        Check(Fields(first[i]) == Fields(pieces[i]) && first[i].Uid == pieces[i].Uid, "record read in pieces");

    // Read a few bytes at a time, as a reader without a copy of the file does, it reads the same.
    RecordStore store;
    const ParseResult streamed = ParseDataStream(kind, test::Source(input, 5), store, 2, 16);
    const std::vector<Rec>& byStretches = ListOf<Rec>(store);
    Check(streamed.ok == read.ok && streamed.message == read.message && streamed.cutShort == read.cutShort &&
              streamed.valuesCut == read.valuesCut,
          "outcome read by stretches");
    Check(byStretches.size() == first.size(), "record count read by stretches");
    for (std::size_t i = 0; i < first.size(); ++i)
        Check(Fields(first[i]) == Fields(byStretches[i]) && first[i].Uid == byStretches[i].Uid, "record read by stretches");

    const std::string written = SerializeDataText(first);
    std::vector<Rec> second;
    const ParseResult reread = ParseDataText(written, second);
    Check(reread.ok, "the written text does not read");
    Check(second.size() == first.size(), "record count");
    for (std::size_t i = 0; i < first.size(); ++i) {
        Check(Fields(first[i]) == Fields(second[i]), "record fields");
        Check(first[i].Uid == second[i].Uid && !first[i].Uid.empty(), "record identity");
    }
    Check(SerializeDataText(second) == written, "written text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input = fuzz::Text(data, size);
    RoundTrip<AData>(input, DataKind::Addresses);
    RoundTrip<ACal>(input, DataKind::Calendar);
    RoundTrip<AAdv>(input, DataKind::Advanced);
    RoundTrip<AYear>(input, DataKind::Annual);
    RoundTrip<AMonth>(input, DataKind::Monthly);
    RoundTrip<AWeek>(input, DataKind::Weekly);
    return 0;
}
