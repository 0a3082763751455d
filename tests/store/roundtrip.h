// Records of every kind built from a stream of bytes (random ones in a test, a
// fuzzer's in a fuzz target), written and read back: the same records must
// come back, with each line break a value held turned into what a record can
// hold, and with the identities they had.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "recordfields.h"
#include "store/dataformat.h"
#include "store/textutil.h"

namespace orv::test {

class ByteSource {
public:
    ByteSource(const std::uint8_t* data, std::size_t size) : p_(data), end_(data + size) {}
    bool empty() const { return p_ == end_; }
    std::uint8_t Byte() { return p_ == end_ ? 0 : *p_++; }
    std::int32_t Number()
    {
        std::uint32_t n = 0;
        for (int i = 0; i < 4; ++i) n = n << 8 | Byte();
        return static_cast<std::int32_t>(n);
    }
    // Any bytes, and often the pieces that could break a tagged line.
    std::string Text()
    {
        static constexpr std::string_view pieces[] = {"\r", "\n", "\r\n", std::string_view("\0", 1), "<END>",
                                                      "<END:FILE>", "<BEGIN>", "<MORE>", "<END:MORE>", "<UID>x", " "};
        std::string text;
        for (int n = Byte() % 12; n > 0; --n) {
            const std::uint8_t b = Byte();
            if (b < 2 * std::size(pieces)) text += pieces[b % std::size(pieces)];
            else text += static_cast<char>(Byte());
        }
        return text;
    }

private:
    const std::uint8_t* p_;
    const std::uint8_t* end_;
};

struct AllKinds {
    std::vector<AData> addresses;
    std::vector<ACal> calendar;
    std::vector<AAdv> advanced;
    std::vector<AYear> annual;
    std::vector<AMonth> monthly;
    std::vector<AWeek> weekly;
};

inline std::string UidFrom(ByteSource& in, std::size_t i)
{
    // Half of the records come without an identity, as from an older file.
    return in.Byte() % 2 == 0 ? std::string() : "id-" + std::to_string(i) + "#" + in.Text();
}

inline AllKinds BuildRecords(ByteSource& in)
{
    AllKinds r;
    for (std::size_t i = 0; !in.empty() && i < 64; ++i) {
        switch (in.Byte() % 6) {
        case 0: {
            AData a;
            for (const PersonFieldInfo& f : kPersonFields) {
                switch (f.kind) {
                case PersonKind::Text: a.*f.text = in.Text(); break;
                case PersonKind::Number: a.*f.number = in.Number(); break;
                case PersonKind::Lines:
                    for (int n = in.Byte() % 4; n > 0; --n) (a.*f.lines).push_back(in.Text());
                    break;
                }
            }
            a.Uid = UidFrom(in, i);
            BuildDateText(a);
            r.addresses.push_back(std::move(a));
            break;
        }
        case 1: {
            ACal c;
            c.Hint = in.Text();
            c.Priority = in.Byte() % 3;
            c.Year = 1 + static_cast<std::int32_t>(static_cast<std::uint32_t>(in.Number()) % 9999);
            c.Month = 1 + in.Byte() % 12;
            c.Day = 1 + in.Byte() % 28;
            for (int n = in.Byte() % 4; n > 0; --n) c.More.push_back(in.Text());
            c.Uid = UidFrom(in, i);
            EncodeCalendarDate(c);
            r.calendar.push_back(std::move(c));
            break;
        }
        case 2: r.advanced.push_back({in.Byte() % 2 == 1, in.Number(), in.Text(), in.Text(), in.Text(), UidFrom(in, i)}); break;
        case 3: r.annual.push_back({in.Number(), in.Number(), in.Text(), in.Text(), UidFrom(in, i)}); break;
        case 4: r.monthly.push_back({in.Number(), in.Text(), in.Text(), in.Text(), UidFrom(in, i)}); break;
        default: r.weekly.push_back({in.Number(), in.Text(), in.Text(), UidFrom(in, i)}); break;
        }
    }
    return r;
}

// What a record holds once written: one-line values lose their line breaks,
// a further line with breaks becomes several.
inline void OneLineEach(std::string& s) { s = OneLine(s); }
inline void AsStored(std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    for (const std::string& item : lines) {
        if (!HasLineBreak(item)) out.push_back(item);
        else for (std::string& line : LinesOf(item)) out.push_back(std::move(line));
    }
    lines = std::move(out);
}
inline void AsStored(AData& a)
{
    for (const PersonFieldInfo& f : kPersonFields) {
        if (f.kind == PersonKind::Text) OneLineEach(a.*f.text);
        if (f.kind == PersonKind::Lines) AsStored(a.*f.lines);
    }
    OneLineEach(a.Uid);
}
inline void AsStored(ACal& c) { OneLineEach(c.Hint), OneLineEach(c.Uid), AsStored(c.More); }
inline void AsStored(AAdv& a) { OneLineEach(a.Month), OneLineEach(a.Day), OneLineEach(a.Hint), OneLineEach(a.Uid); }
inline void AsStored(AYear& y) { OneLineEach(y.Year), OneLineEach(y.Hint), OneLineEach(y.Uid); }
inline void AsStored(AMonth& m) { OneLineEach(m.Month), OneLineEach(m.Year), OneLineEach(m.Hint), OneLineEach(m.Uid); }
inline void AsStored(AWeek& w) { OneLineEach(w.WeekNr), OneLineEach(w.Hint), OneLineEach(w.Uid); }

// Empty when the list comes back as it should, else what differs.
template <class Rec>
std::string CheckRoundTrip(std::vector<Rec> list)
{
    const std::string text = SerializeDataText(list);
    if (LinesOf(text).size() != static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')))
        return "a line break inside a line";
    std::vector<Rec> read;
    const ParseResult result = ParseDataText(text, read);
    if (!result.ok) return "not read back: " + result.message;
    if (result.cutShort) return "read back as cut short";
    if (read.size() != list.size()) return "read back " + std::to_string(read.size()) + " of " + std::to_string(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        Rec expected = list[i];
        AsStored(expected);
        if (Fields(expected) != Fields(read[i])) return "record " + std::to_string(i) + " changed";
        // Without one, a derived identity: "orv" and twelve characters, "-2" .. for equal records.
        if (expected.Uid.empty() ? (read[i].Uid.size() < 15 || read[i].Uid.rfind("orv", 0) != 0) : read[i].Uid != expected.Uid)
            return "record " + std::to_string(i) + " has the identity '" + read[i].Uid + "'";
    }
    // What was read writes back as the same text, its identities included.
    std::vector<Rec> again;
    if (!ParseDataText(SerializeDataText(read), again).ok || SerializeDataText(again) != SerializeDataText(read))
        return "a second round trip differs";
    return {};
}

inline std::string CheckRoundTrip(const AllKinds& r)
{
    for (std::string failure : {CheckRoundTrip(r.addresses), CheckRoundTrip(r.calendar), CheckRoundTrip(r.advanced),
                                CheckRoundTrip(r.annual), CheckRoundTrip(r.monthly), CheckRoundTrip(r.weekly)})
        if (!failure.empty()) return failure;
    return {};
}

}  // namespace orv::test
