// Reads the input as each of the six data files, writes what was read, reads
// that again and demands the same records and the same text: whatever the
// reader accepts, a save keeps. A reading in pieces, or a few bytes at a
// time, or only in briefs, must agree with one in one go.
#include <climits>
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
void RoundTrip(std::string_view input, DataKind kind)
{
    std::vector<Rec> first;
    const ParseResult read = ParseDataText(input, first);
    Check(read.ok || !read.message.empty(), "a failure without a message");
    if constexpr (std::is_same_v<Rec, ACal>) {
        for (const ACal& c : first) Check(c.Priority <= 2, "priority out of range");
    }

    // Read in pieces at once, as a large file is, or a few bytes at a time, as
    // a reader without a copy of the file does, it reads the same.
    const auto same = [&](const ParseResult& r, const std::vector<Rec>& list, const char* how) {
        Check(r.ok == read.ok && r.message == read.message && r.cutShort == read.cutShort && r.valuesCut == read.valuesCut,
              how);
        Check(list.size() == first.size(), how);
        for (std::size_t i = 0; i < first.size(); ++i) Check(Fields(first[i]) == Fields(list[i]) && first[i].Uid == list[i].Uid, how);
    };
    std::vector<Rec> pieces;
    same(ParseDataText(input, pieces, 3), pieces, "read in pieces");
    RecordStore store;
    const ParseResult streamed = ParseDataStream(kind, test::Source(input, 5), store, 2, 16);
    store.WithList(kind, [&](const auto& list) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(list)>, std::vector<Rec>>) same(streamed, list, "read by stretches");
    });

    // Briefs say of each record what the record does.
    const auto sameOutcome = [&](const ParseResult& r) {
        return r.ok == read.ok && r.message == read.message && r.cutShort == read.cutShort && r.valuesCut == read.valuesCut;
    };
    if constexpr (std::is_same_v<Rec, ACal>) {
        EventBriefs briefs;
        const ParseResult r = ParseEventBriefs(test::Source(input, 5), {INT32_MIN, INT32_MAX}, briefs, 2, 16);
        Check(sameOutcome(r) && briefs.events.size() == first.size(), "event briefs");
        for (std::size_t i = 0; i < first.size(); ++i) {
            const EventBriefs::Event& e = briefs.events[i];
            Check(e.place == static_cast<std::int32_t>(i) && e.date == first[i].Date && e.priority == first[i].Priority &&
                      briefs.Hint(e) == first[i].Hint,
                  "event brief");
        }
    }
    if constexpr (std::is_same_v<Rec, AData>) {
        std::vector<AData> sorted = first;
        int current = -1;
        SortAddresses(sorted, current);
        BirthdayBriefs briefs;
        Check(sameOutcome(ParseBirthdayBriefs(test::Source(input, 5), briefs, 16)), "birthday briefs");
        std::size_t k = 0;
        for (std::size_t i = 0; i < sorted.size(); ++i) {
            const AData& a = sorted[i];
            if (a.Month < 1 || a.Month > 12 || a.Day < 1 || a.Day > 31) continue;
            Check(k < briefs.people.size(), "a birthday brief missing");
            const BirthdayBriefs::Person& p = briefs.people[k++];
            Check(p.place == static_cast<std::int32_t>(i) && p.month == a.Month && p.day == a.Day &&
                      briefs.Name(p) == a.Name && briefs.Surname(p) == a.Surname,
                  "birthday brief");
        }
        Check(k == briefs.people.size(), "a birthday brief too many");
    }

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
