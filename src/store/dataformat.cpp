#include "store/dataformat.h"

#include <xxhash.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <future>
#include <limits>
#include <memory>
#include <optional>
#include <thread>
#include <unordered_set>
#include <utility>

#include "store/beside.h"
#include "store/textutil.h"

namespace orv {

namespace {

constexpr std::array<std::string_view, 6> FileNames{"data.orv", "cal.orv", "adv.orv",
                                                    "year.orv", "month.orv", "week.orv"};
constexpr std::array<std::string_view, 6> FileStems{"data", "cal", "adv", "year", "month", "week"};
constexpr std::array<std::string_view, 6> Headers{
    "<BEGIN:DATA:FILE:VERSION>3.0", "<BEGIN:CAL:FILE:VERSION>3.0",  "<BEGIN:ADV:FILE:VERSION>3.0",
    "<BEGIN:YEAR:FILE:VERSION>3.0", "<BEGIN:MONTH:FILE:VERSION>3.0", "<BEGIN:WEEK:FILE:VERSION>3.0"};

std::size_t Index(DataKind kind) { return static_cast<std::size_t>(kind); }

// How a field is written, and so how its value is read.
enum class FieldType : std::uint8_t {
    Text,         // always written, the value as it is
    TextIfAny,    // written only when not empty
    Number,       // always written, decimal
    NumberIfSet,  // written only when not 0
    Priority,     // decimal 0..2 kept in a byte; other numbers read as 1 (normal)
    TrueFalse,    // "True" or "False"; only "True" reads as true
    More,         // "<BEGIN:MORE>", one "<MORE>" line per item, "<END:MORE>"
};

// One tag of a record kind and the member it fills.
template <class Rec>
struct Field {
    std::string_view tag;
    FieldType type;
    std::string Rec::*text = nullptr;
    std::int32_t Rec::*number = nullptr;
    std::uint8_t Rec::*byte = nullptr;
    bool Rec::*flag = nullptr;
    std::vector<std::string> Rec::*items = nullptr;
};

template <class Rec>
constexpr Field<Rec> Text(std::string_view tag, std::string Rec::*m, FieldType type = FieldType::Text)
{
    return {tag, type, m};
}
template <class Rec>
constexpr Field<Rec> TextIfAny(std::string_view tag, std::string Rec::*m)
{
    return Text(tag, m, FieldType::TextIfAny);
}
template <class Rec>
constexpr Field<Rec> Number(std::string_view tag, std::int32_t Rec::*m, FieldType type = FieldType::Number)
{
    return {tag, type, nullptr, m};
}
template <class Rec>
constexpr Field<Rec> NumberIfSet(std::string_view tag, std::int32_t Rec::*m)
{
    return Number(tag, m, FieldType::NumberIfSet);
}
template <class Rec>
constexpr Field<Rec> Priority(std::string_view tag, std::uint8_t Rec::*m)
{
    return {tag, FieldType::Priority, nullptr, nullptr, m};
}
template <class Rec>
constexpr Field<Rec> TrueFalse(std::string_view tag, bool Rec::*m)
{
    return {tag, FieldType::TrueFalse, nullptr, nullptr, nullptr, m};
}
template <class Rec>
constexpr Field<Rec> More(std::vector<std::string> Rec::*m)
{
    return {"<MORE>", FieldType::More, nullptr, nullptr, nullptr, nullptr, m};
}

// Each kind's fields in the order they are written; a reader takes them in any order.
template <class Rec>
struct Format;

// A person's fields in the order of their table (store/personfields.h), each
// written only when filled, then the identity.
constexpr Field<AData> IfFilled(const PersonFieldInfo& p)
{
    switch (p.kind) {
    case PersonKind::Text: return TextIfAny(p.tag, p.text);
    case PersonKind::Number: return NumberIfSet(p.tag, p.number);
    case PersonKind::Lines: break;
    }
    return {p.tag, FieldType::More, nullptr, nullptr, nullptr, nullptr, p.lines};
}

template <>
struct Format<AData> {
    static constexpr DataKind kind = DataKind::Addresses;
    static constexpr std::array<Field<AData>, kPersonFieldCount + 1> fields = [] {
        std::array<Field<AData>, kPersonFieldCount + 1> f{};
        for (std::size_t i = 0; i < kPersonFieldCount; ++i) f[i] = IfFilled(kPersonFields[i]);
        f[kPersonFieldCount] = TextIfAny("<UID>", &AData::Uid);
        return f;
    }();
    static bool Finish(AData& a, std::string&)
    {
        BuildDateText(a);
        return true;
    }
};

template <>
struct Format<ACal> {
    static constexpr DataKind kind = DataKind::Calendar;
    static constexpr Field<ACal> fields[] = {
        Text("<HINT>", &ACal::Hint),   Priority("<PRI>", &ACal::Priority), Number("<DAY>", &ACal::Day),
        Number("<MONTH>", &ACal::Month), Number("<YEAR>", &ACal::Year),     More(&ACal::More),
        TextIfAny("<UID>", &ACal::Uid),
    };
    static constexpr std::string_view kBadDate = "Invalid argument to date encode";
    static bool Finish(ACal& c, std::string& message)
    {
        if (EncodeCalendarDate(c)) return true;
        message = kBadDate;
        return false;
    }
    // Finish without the date's text: all a reader that may pass the event over needs.
    static bool Check(ACal& c, std::string& message)
    {
        if (EncodeCalendarSerial(c)) return true;
        message = kBadDate;
        return false;
    }
};

template <>
struct Format<AAdv> {
    static constexpr DataKind kind = DataKind::Advanced;
    static constexpr Field<AAdv> fields[] = {
        TrueFalse("<UPDOWN>", &AAdv::FromEnd), Number("<DOWN>", &AAdv::Down), Text("<DAY>", &AAdv::Day),
        Text("<MONTH>", &AAdv::Month),         Text("<HINT>", &AAdv::Hint),
        TextIfAny("<UID>", &AAdv::Uid),
    };
    static bool Finish(AAdv&, std::string&) { return true; }
};

template <>
struct Format<AYear> {
    static constexpr DataKind kind = DataKind::Annual;
    static constexpr Field<AYear> fields[] = {
        Number("<DAY>", &AYear::Day), Number("<MONTH>", &AYear::Month), Text("<YEAR>", &AYear::Year),
        Text("<HINT>", &AYear::Hint), TextIfAny("<UID>", &AYear::Uid),
    };
    static bool Finish(AYear&, std::string&) { return true; }
};

template <>
struct Format<AMonth> {
    static constexpr DataKind kind = DataKind::Monthly;
    static constexpr Field<AMonth> fields[] = {
        Number("<DAY>", &AMonth::Day), Text("<MONTH>", &AMonth::Month), Text("<YEAR>", &AMonth::Year),
        Text("<HINT>", &AMonth::Hint), TextIfAny("<UID>", &AMonth::Uid),
    };
    static bool Finish(AMonth&, std::string&) { return true; }
};

template <>
struct Format<AWeek> {
    static constexpr DataKind kind = DataKind::Weekly;
    static constexpr Field<AWeek> fields[] = {
        Number("<WEEKDAY>", &AWeek::Weekday), Text("<WEEKNR>", &AWeek::WeekNr), Text("<HINT>", &AWeek::Hint),
        TextIfAny("<UID>", &AWeek::Uid),
    };
    static bool Finish(AWeek&, std::string&) { return true; }
};

// The fields a line can carry, picked by its second byte: every tag is "<"
// and a capital. There are as many slots as the most tags of one kind that
// start with the same capital (three today: the e-mail addresses).
template <class Rec>
constexpr std::size_t MostSharingALetter()
{
    std::size_t most = 0;
    for (const auto& f : Format<Rec>::fields) {
        std::size_t n = 0;
        for (const auto& g : Format<Rec>::fields) n += g.tag[1] == f.tag[1] ? 1 : 0;
        most = std::max(most, n);
    }
    return most;
}
constexpr std::size_t kSlots =
    std::max({MostSharingALetter<AData>(), MostSharingALetter<ACal>(), MostSharingALetter<AAdv>(),
              MostSharingALetter<AYear>(), MostSharingALetter<AMonth>(), MostSharingALetter<AWeek>()});
using Candidates = std::array<std::array<std::int8_t, kSlots>, 128>;

template <class Rec>
constexpr Candidates MakeCandidates()
{
    Candidates table{};
    for (auto& slots : table) slots.fill(-1);
    for (std::size_t i = 0; i < std::size(Format<Rec>::fields); ++i) {
        auto& slots = table[static_cast<unsigned char>(Format<Rec>::fields[i].tag[1])];
        std::size_t free = 0;
        while (slots[free] >= 0) ++free;
        slots[free] = static_cast<std::int8_t>(i);
    }
    return table;
}

template <class Rec>
constexpr Candidates kCandidates = MakeCandidates<Rec>();

// A tag's first eight bytes as a word, and which of them a line must match:
// one comparison instead of a byte at a time, for every field line.
struct TagWord {
    std::uint64_t word = 0, mask = 0;
};

constexpr TagWord WordOf(std::string_view tag)
{
    TagWord t;
    for (std::size_t k = 0; k < 8 && k < tag.size(); ++k) {
        t.word |= std::uint64_t{static_cast<unsigned char>(tag[k])} << (8 * k);
        t.mask |= std::uint64_t{0xFF} << (8 * k);
    }
    return t;
}

template <class Rec>
constexpr auto kTagWords = [] {
    std::array<TagWord, std::size(Format<Rec>::fields)> words{};
    for (std::size_t i = 0; i < words.size(); ++i) words[i] = WordOf(Format<Rec>::fields[i].tag);
    return words;
}();

// Whether a line starts with a field's tag, its first two bytes known to match
// already (they picked the field).
template <class Rec>
[[gnu::always_inline]] inline bool StartsWithTag(std::string_view line, std::size_t field)
{
    const std::string_view tag = Format<Rec>::fields[field].tag;
    if (line.size() < tag.size()) return false;
    if constexpr (std::endian::native == std::endian::little) {
        if (line.size() >= 8) {
            std::uint64_t word;
            std::memcpy(&word, line.data(), sizeof word);
            const TagWord& t = kTagWords<Rec>[field];
            if ((word & t.mask) != t.word) return false;
            for (std::size_t k = 8; k < tag.size(); ++k)
                if (line[k] != tag[k]) return false;
            return true;
        }
    }
    for (std::size_t k = 2; k < tag.size(); ++k)
        if (line[k] != tag[k]) return false;
    return true;
}

// Nearly every number in a file is a few plain digits; anything else goes the
// general way.
[[gnu::always_inline]] inline std::optional<std::int32_t> ReadNumber(std::string_view text)
{
    if (text.empty() || text.size() > 9) return ParseInt32(text);
    std::int32_t n = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return ParseInt32(text);
        n = n * 10 + (c - '0');
    }
    return n;
}

// What a reader that may pass a record over asks before it decides: the
// record's checks and what the keep test reads. Finish gives the rest after.
template <class Rec>
bool Check(Rec& rec, std::string& message)
{
    if constexpr (requires { Format<Rec>::Check(rec, message); }) return Format<Rec>::Check(rec, message);
    else return Format<Rec>::Finish(rec, message);
}

// Copies a text value into the string it goes to, cut to the longest kept.
void StoreText(std::string& to, std::string_view value)
{
    to.assign(value.substr(0, kLongestValue + 4));
    if (value.size() > kLongestValue) CutToLimit(to);
}

// The texts of a record that may yet be passed over: views of its lines,
// copied into the record only once it is kept.
template <class Rec>
struct PendingTexts {
    std::array<std::string_view, std::size(Format<Rec>::fields)> texts{};  // data() null: not given
    std::vector<std::pair<std::size_t, std::string_view>> items;           // field, further line

    void Clear()
    {
        texts.fill({});
        items.clear();
    }
    void MoveInto(Rec& rec) const
    {
        for (std::size_t i = 0; i < texts.size(); ++i)
            if (const Field<Rec>& f = Format<Rec>::fields[i]; f.text && texts[i].data()) StoreText(rec.*f.text, texts[i]);
        for (const auto& [i, value] : items) StoreText((rec.*Format<Rec>::fields[i].items).emplace_back(), value);
    }
};

// Stores the value of a tag line into `rec`, its texts into `pending` when
// given. False, with the message, when a number field holds no integer.
template <class Rec>
[[gnu::always_inline]] inline bool ReadField(Rec& rec, std::string_view line, std::string& message, std::size_t& cut,
               PendingTexts<Rec>* pending = nullptr)
{
    const auto second = static_cast<unsigned char>(line[1]);
    if (second >= kCandidates<Rec>.size()) return true;
    for (const std::int8_t i : kCandidates<Rec>[second]) {
        if (i < 0) break;
        const Field<Rec>& f = Format<Rec>::fields[static_cast<std::size_t>(i)];
        if (!StartsWithTag<Rec>(line, static_cast<std::size_t>(i))) continue;
        std::string_view value = line;
        value.remove_prefix(f.tag.size());  // StartsWithTag saw that long a line
        if (pending && (f.text || f.items)) {
            if (f.text) pending->texts[static_cast<std::size_t>(i)] = value;
            else pending->items.emplace_back(static_cast<std::size_t>(i), value);
            cut += value.size() > kLongestValue ? 1 : 0;
            return true;
        }
        switch (f.type) {
        case FieldType::Text:
        case FieldType::TextIfAny:
            (rec.*f.text).assign(value.substr(0, kLongestValue + 4));
            if (value.size() > kLongestValue) cut += CutToLimit(rec.*f.text) ? 1 : 0;
            return true;
        case FieldType::More: {
            std::string& item = (rec.*f.items).emplace_back(value.substr(0, kLongestValue + 4));
            if (value.size() > kLongestValue) cut += CutToLimit(item) ? 1 : 0;
            return true;
        }
        case FieldType::TrueFalse:
            rec.*f.flag = value == "True";
            return true;
        case FieldType::Number:
        case FieldType::NumberIfSet:
        case FieldType::Priority:
            break;
        }
        const std::optional<std::int32_t> n = ReadNumber(value);
        if (!n) {
            message = NotAnIntegerMessage(value);
            return false;
        }
        // The priority picks a type letter from a table: out of range reads as normal.
        if (f.type == FieldType::Priority) rec.*f.byte = static_cast<std::uint8_t>(*n >= 0 && *n <= 2 ? *n : 1);
        else rec.*f.number = *n;
        return true;
    }
    return true;
}

ParseResult Failed(std::string message)
{
    ParseResult r;
    r.ok = false;
    r.message = std::move(message);
    return r;
}

// How a stretch of a file's lines was read.
struct PieceResult : Result {
    bool ended = false;     // met "<END:FILE>"
    bool inRecord = false;  // stopped inside a record
    bool stray = false;     // held a field outside any record
    std::size_t cut = 0;
    std::size_t records = 0;  // complete records, kept or not
};

// Which of the records read a list keeps. KeepEvery keeps all, in place;
// any other choice reads every record's numbers into one spare slot and its
// texts as views, so that a record passed over costs no copy or allocation.
struct KeepEvery {
    template <class Rec>
    bool operator()(const Rec&) const
    {
        return true;
    }
};

struct KeepDays {
    DayWindow days;
    bool operator()(const ACal& c) const { return c.Date >= days.first && c.Date <= days.last; }
};

// Whether a person's birthday is a day some date can have: only those come
// up on a day.
bool BirthdayOnADate(const AData& a) { return a.Month >= 1 && a.Month <= 12 && a.Day >= 1 && a.Day <= 31; }

// Keeps the people whose birthday is one of `days`, and notes every
// person's birthday text as its OrderKey: where the kept ones stand in the
// sorted list depends on them. A shown day's text ("d/m") is short, so
// against it the key orders a text as the text itself does.
struct KeepBirthdays {
    const BirthdayDays* days;
    std::vector<std::uint64_t>* dateKeys;
    bool operator()(const AData& a) const
    {
        dateKeys->push_back(OrderKey(a.DateText));
        return BirthdayOnADate(a) && days->shown[static_cast<std::size_t>(a.Month)][static_cast<std::size_t>(a.Day)];
    }
};

// The index of the text field that fills `member`.
template <class Rec>
constexpr std::size_t TextField(std::string Rec::*member)
{
    for (std::size_t i = 0; i < std::size(Format<Rec>::fields); ++i)
        if (Format<Rec>::fields[i].text == member) return i;
    throw "no such field";
}

// Appends a value as StoreText would store it; its size there.
std::uint32_t AppendStored(std::string& to, std::string_view value)
{
    if (value.size() <= kLongestValue) {
        to.append(value);
        return static_cast<std::uint32_t>(value.size());
    }
    std::string cut;
    StoreText(cut, value);
    to.append(cut);
    return static_cast<std::uint32_t>(cut.size());
}

// Gathers the briefs of the events within `days` (EventBriefs) and keeps
// no record. Each piece of the file has its own briefs, and counts its
// records to know their places.
struct KeepEventBriefs {
    struct Piece {
        EventBriefs briefs;
        std::int32_t records = 0;
    };
    DayWindow days;
    std::vector<Piece>* pieces;
    std::size_t k = 0;
    KeepEventBriefs For(std::size_t piece, std::uint64_t bytes) const
    {
        // Room for as many events as the piece could hold, taken without
        // touching it: growing the lists step by step, copy by copy, cost
        // a third of the reading.
        EventBriefs& briefs = (*pieces)[piece].briefs;
        briefs.events.reserve(static_cast<std::size_t>(bytes / kSmallestEvent));
        briefs.hints.reserve(static_cast<std::size_t>(bytes / 2));
        AdviseHugePages(briefs.events.data(), briefs.events.capacity() * sizeof(EventBriefs::Event));
        AdviseHugePages(briefs.hints.data(), briefs.hints.capacity());
        return {days, pieces, piece};
    }
    // "<BEGIN>", four fields and "<END>" at the least, each with its line end.
    static constexpr std::uint64_t kSmallestEvent = 48;
    static constexpr std::size_t kHint = TextField(&ACal::Hint);
    bool operator()(const ACal& c, const PendingTexts<ACal>& texts) const
    {
        Piece& piece = (*pieces)[k];
        const std::int32_t place = piece.records++;
        if (c.Date < days.first || c.Date > days.last) return false;
        EventBriefs& out = piece.briefs;
        const auto at = static_cast<std::uint32_t>(out.hints.size());
        const std::uint32_t size = AppendStored(out.hints, texts.texts[kHint]);
        out.events.push_back({c.Date, place, at, size, c.Priority});
        return false;
    }
};

// Gathers the briefs of every person whose birthday a date can have
// (BirthdayBriefs), in file order, and keeps no record; every person's
// birthday text is noted as KeepBirthdays does.
struct KeepBirthdayBriefs {
    BirthdayBriefs* out;
    std::vector<std::uint64_t>* dateKeys;
    static constexpr std::size_t kName = TextField(&AData::Name), kSurname = TextField(&AData::Surname);
    bool operator()(const AData& a, const PendingTexts<AData>& texts) const
    {
        dateKeys->push_back(OrderKey(a.DateText));
        if (!BirthdayOnADate(a)) return false;
        const auto at = static_cast<std::uint32_t>(out->texts.size());
        out->texts.append(a.DateText);
        const std::uint32_t name = AppendStored(out->texts, texts.texts[kName]);
        const std::uint32_t surname = AppendStored(out->texts, texts.texts[kSurname]);
        out->people.push_back({0, static_cast<std::uint8_t>(a.Month), static_cast<std::uint8_t>(a.Day), at,
                               static_cast<std::uint8_t>(a.DateText.size()), name, surname});
        return false;
    }
};

// Whether a line is the structure line `text`: a test made for every line.
template <std::size_t N>
bool IsLine(std::string_view line, const char (&text)[N])
{
    return line.size() == N - 1 && std::memcmp(line.data(), text, N - 1) == 0;
}

// Makes a record passed over by a reader that keeps texts aside (see
// PendingTexts) fresh again: only its numbers were filled, and what Check
// derives from them is derived anew.
template <class Rec>
void ResetNumbers(Rec& rec)
{
    static const Rec fresh{};
    for (const Field<Rec>& f : Format<Rec>::fields) {
        if (f.number) rec.*f.number = fresh.*f.number;
        else if (f.byte) rec.*f.byte = fresh.*f.byte;
        else if (f.flag) rec.*f.flag = fresh.*f.flag;
    }
}

// Reads the record lines of `text` (whole lines, no header) into `out`,
// building each record in place at the end of the list and taking it off
// again when it fails, is never ended or is not kept; `places` gets the place
// among the stretch's records of each one kept. Stops at "<END:FILE>" or at a
// record that cannot be read. `room` is how many bytes of lines, from `text`
// on, the list is to hold the records of: when all are kept, the first records
// show how many that makes, and the list makes room for all of them at once
// (0: the list has its room already).
template <class Rec, class Keep = KeepEvery>
PieceResult ReadPiece(std::string_view text, std::vector<Rec>& out, std::size_t room, Keep keep = {},
                      std::vector<std::int32_t>* places = nullptr)
{
    constexpr bool keepsAll = std::is_same_v<Keep, KeepEvery>;
    PieceResult piece;
    LineCursor lines(text);
    std::string_view line;
    bool reserved = room == 0;  // no room given: the caller made it
    bool spare = false;  // out.back() is a record passed over, to be filled again
    PendingTexts<Rec> pending;
    PendingTexts<Rec>* const texts = keepsAll ? nullptr : &pending;
    const std::size_t before = out.size();
    while (lines.Next(line)) {
        if (line.size() < 2 || line[0] != '<') continue;
        // Only lines starting "<B" or "<E" can be structure lines.
        if (line[1] == 'B' || line[1] == 'E') {
            if (IsLine(line, "<END:FILE>")) {
                piece.ended = true;
                break;
            }
            if (IsLine(line, "<BEGIN>")) {
                if (spare && !piece.inRecord) ResetNumbers(out.back());
                else if (piece.inRecord) out.back() = Rec{};
                else out.emplace_back();
                spare = false;
                piece.inRecord = true;
                if constexpr (!keepsAll) pending.Clear();
                continue;
            }
            if (IsLine(line, "<END>")) {
                if (!piece.inRecord) continue;
                piece.inRecord = false;
                const bool checked = keepsAll ? Format<Rec>::Finish(out.back(), piece.message)
                                              : Check(out.back(), piece.message);
                if (!checked) {
                    out.pop_back();
                    piece.ok = false;
                    return piece;
                }
                if constexpr (!keepsAll) {
                    bool kept;
                    if constexpr (std::is_invocable_v<Keep, const Rec&, const PendingTexts<Rec>&>) kept = keep(out.back(), pending);
                    else kept = keep(out.back());
                    if (!kept) {
                        spare = true;
                    } else {
                        Format<Rec>::Finish(out.back(), piece.message);  // checked: cannot fail
                        pending.MoveInto(out.back());
                        if (places) places->push_back(static_cast<std::int32_t>(piece.records));
                    }
                }
                ++piece.records;
                // Once a few records show their size, make room for the rest at
                // once. A list that keeps only some may keep any of them: it
                // takes the room, but its pages come only as records are kept.
                if (!reserved && out.size() - before == 64) {
                    reserved = true;
                    const std::size_t perRecord = lines.Consumed() / piece.records + 1;
                    const std::size_t expected = out.size() + (room - lines.Consumed()) / perRecord;
                    const Rec* had = out.data();
                    out.reserve(expected + expected / 8 + 1);
                    if (keepsAll && out.data() != had) {
                        AdviseHugePages(out.data(), out.capacity() * sizeof(Rec));
                        TakePagesNow(out.data(), expected * sizeof(Rec));
                    }
                }
                continue;
            }
        }
        if (!piece.inRecord) {
            // A field outside any record is nothing the list can hold.
            piece.stray = true;
            continue;
        }
        if (!ReadField(out.back(), line, piece.message, piece.cut, texts)) {
            out.pop_back();
            piece.ok = false;
            return piece;
        }
    }
    if (piece.inRecord || spare) out.pop_back();
    return piece;
}

// A file below this size is read in one piece: a thread, and moving its
// records into the list after, cost more than they save. A lifetime's
// address book (4 MB) is read faster in one piece than in two.
constexpr std::size_t kPieceBytes = 8 << 20;

constexpr std::string_view kBeginLine = "<BEGIN>";

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

// Whether a "<BEGIN>" line starts at `at` (> 0) of `text`: after a line break
// and followed by one, or by the end of the file where `text` is its end.
bool BeginLineAt(std::string_view text, std::size_t at, bool textEndsFile)
{
    if (at == 0 || !IsLineBreak(text[at - 1]) || text.compare(at, kBeginLine.size(), kBeginLine) != 0) return false;
    const std::size_t after = at + kBeginLine.size();
    return after == text.size() ? textEndsFile : IsLineBreak(text[after]);
}

// The first "<BEGIN>" line at or after `from` (> 0), or npos.
std::size_t NextBeginLine(std::string_view text, std::size_t from, bool textEndsFile)
{
    for (std::size_t at = from;; ++at) {
        at = text.find(kBeginLine, at);
        if (at == std::string_view::npos || BeginLineAt(text, at, textEndsFile)) return at;
    }
}

// Cuts `text` (whole lines) into at most `count` stretches of about equal size,
// each after the first starting at a "<BEGIN>" line. A reader that meets
// "<BEGIN>" inside a record starts that record again, so a stretch read on its
// own reads exactly what the whole text would.
std::vector<std::string_view> Pieces(std::string_view text, std::size_t count)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t k = 1; k < count; ++k) {
        const std::size_t at = NextBeginLine(text, std::max(start + 1, text.size() / count * k), true);
        if (at == std::string_view::npos) break;
        pieces.push_back(text.substr(start, at - start));
        start = at;
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

std::size_t PieceCount(std::size_t requested, std::uint64_t bodyBytes)
{
    if (requested > 0) return requested;
    return bodyBytes < kPieceBytes ? 1 : std::max(1u, std::thread::hardware_concurrency());
}

struct NothingTaken {
    void operator()(std::size_t, std::size_t) const {}
};

// Reads `count` pieces with `readOne(k, list, places)`: the first on this
// thread straight into `out`, the others each on a thread of its own into a
// list of its own. Then the pieces in order, up to the first that failed or
// met "<END:FILE>": what a reading of the whole text in one go would have kept.
// `taken(k, records)` is told of each piece so taken, with how many records
// the pieces before it held.
template <class Rec, class ReadOne, class Taken = NothingTaken>
ParseResult ReadInPieces(std::size_t count, std::vector<Rec>& out, std::vector<std::int32_t>* places, ReadOne readOne,
                         Taken taken = {})
{
    const std::size_t before = out.size();
    std::vector<std::vector<Rec>> lists(count);
    std::vector<std::vector<std::int32_t>> placesOf(places ? count : 0);
    const auto placesFor = [&](std::size_t k) { return places ? &placesOf[k] : nullptr; };
    std::vector<std::future<PieceResult>> others;
    others.reserve(count);
    for (std::size_t k = 1; k < count; ++k) others.push_back(Beside([&, k] { return readOne(k, lists[k], placesFor(k)); }));
    std::vector<PieceResult> results;
    results.reserve(count);
    results.push_back(readOne(0, out, placesFor(0)));
    for (auto& other : others) results.push_back(other.get());

    std::size_t total = out.size();
    for (std::size_t k = 1; k < lists.size(); ++k) total += lists[k].size();
    out.reserve(total);
    std::size_t cut = 0;
    bool stray = false;
    std::size_t recordsBefore = 0;  // of the pieces before this one
    for (std::size_t k = 0; k < count; ++k) {
        PieceResult& piece = results[k];
        if (k > 0) out.insert(out.end(), std::make_move_iterator(lists[k].begin()), std::make_move_iterator(lists[k].end()));
        if (places) {
            for (const std::int32_t place : placesOf[k])
                places->push_back(static_cast<std::int32_t>(recordsBefore) + place);
        }
        taken(k, recordsBefore);
        recordsBefore += piece.records;
        cut += piece.cut;
        stray = stray || piece.stray;
        if (!piece.ok) {
            AssignUids(out, before);
            return Failed(std::move(piece.message));
        }
        if (piece.ended || k + 1 == count) {
            AssignUids(out, before);
            ParseResult result;
            result.cutShort = piece.inRecord || !piece.ended || stray;
            result.valuesCut = cut;
            return result;
        }
    }
    return {};  // not reached: the last piece returns
}

ParseResult UnknownHeader() { return Failed("Unknown header; nothing was loaded from it"); }

template <class Rec>
ParseResult ParseRecords(std::string_view text, std::vector<Rec>& out, std::size_t pieceCount)
{
    if (text.empty()) return {};
    LineCursor lines(text);
    std::string_view line;
    lines.Next(line);
    // The reader of a file puts its name before this.
    if (line != Headers[Index(Format<Rec>::kind)]) return UnknownHeader();
    const std::string_view body = text.substr(lines.Consumed());
    const std::vector<std::string_view> pieces = Pieces(body, PieceCount(pieceCount, body.size()));
    return ReadInPieces(pieces.size(), out, nullptr, [&](std::size_t k, std::vector<Rec>& list, std::vector<std::int32_t>*) {
        return ReadPiece(pieces[k], list, k == 0 ? body.size() : pieces[k].size());
    });
}

// Fills `buffer` from `offset` as far as the source goes: how many bytes, or
// -1 with the reason in `message`.
std::ptrdiff_t ReadFull(const FileSource& source, std::uint64_t offset, char* buffer, std::size_t count,
                        std::string& message)
{
    std::size_t held = 0;
    while (held < count) {
        const std::ptrdiff_t n = source.readAt(offset + held, buffer + held, count - held, message);
        if (n < 0) return -1;
        if (n == 0) break;
        held += static_cast<std::size_t>(n);
    }
    return static_cast<std::ptrdiff_t>(held);
}

// The offset of the first "<BEGIN>" line at or after `from` (> 0) in the
// source, or none; false with the reason in `message` when it cannot be read.
bool FindBeginLine(const FileSource& source, std::uint64_t from, std::optional<std::uint64_t>& found, std::string& message)
{
    // Windows overlap by a line break, "<BEGIN>" and a line break, so that a
    // line across two is seen whole in the second.
    constexpr std::size_t overlap = kBeginLine.size() + 2;
    std::string window(std::size_t{1} << 16, '\0');
    std::uint64_t at = from - 1;  // the byte before, to see a line start
    for (;;) {
        const std::ptrdiff_t n = ReadFull(source, at, window.data(), window.size(), message);
        if (n < 0) return false;
        const auto held = static_cast<std::size_t>(n);
        const bool fileEnds = held < window.size();
        const std::size_t hit = NextBeginLine(std::string_view(window.data(), held), 1, fileEnds);
        if (hit != std::string_view::npos) {
            found = at + hit;
            return true;
        }
        if (fileEnds) return true;
        at += held - overlap;
    }
}

// Reads the records of the source's bytes from `from` up to `to` (a "<BEGIN>"
// line, or past the end) through one buffer of `stretch` bytes, a stretch
// of whole records at a time. Each stretch but the first starts at a
// "<BEGIN>" line, so the stretches read what the whole piece would. The
// buffer grows while a record does not fit.
template <class Rec, class Keep>
PieceResult StreamPiece(const FileSource& source, std::uint64_t from, std::uint64_t to, std::size_t stretch,
                        std::vector<Rec>& out, std::size_t room, Keep keep, std::vector<std::int32_t>* places)
{
    PieceResult piece;
    // Not filled beforehand: each page is first touched by the read into it.
    std::size_t size = static_cast<std::size_t>(std::min<std::uint64_t>(stretch, to - from));
    size = std::max<std::size_t>(size, 2 * kBeginLine.size());
    auto buffer = std::make_unique_for_overwrite<char[]>(size);
    const std::uint64_t expected = std::min(to, std::max(source.size, from)) - from;
    TakePagesNow(buffer.get(), static_cast<std::size_t>(std::min<std::uint64_t>(size, expected)));
    std::size_t held = 0;
    std::uint64_t at = from;
    bool ends = false;
    for (;;) {
        while (!ends && held < size) {
            const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(size - held, to - at));
            const std::ptrdiff_t n = want == 0 ? 0 : source.readAt(at, buffer.get() + held, want, piece.message);
            if (n < 0) {
                piece.ok = false;
                return piece;
            }
            ends = n == 0;
            held += static_cast<std::size_t>(n);
            at += static_cast<std::uint64_t>(n);
        }
        const std::string_view text(buffer.get(), held);
        std::size_t cut = held;
        if (!ends) {
            cut = text.rfind(kBeginLine);
            while (cut != std::string_view::npos && cut > 0 && !BeginLineAt(text, cut, false))
                cut = text.rfind(kBeginLine, cut - 1);
            if (cut == std::string_view::npos || cut == 0) {
                auto larger = std::make_unique_for_overwrite<char[]>(size * 2);
                std::memcpy(larger.get(), buffer.get(), held);
                buffer = std::move(larger);
                size *= 2;
                continue;
            }
        }
        const std::size_t placesBefore = places ? places->size() : 0;
        PieceResult part = ReadPiece(text.substr(0, cut), out, room, keep, places);
        if (places) {
            for (std::size_t i = placesBefore; i < places->size(); ++i)
                (*places)[i] += static_cast<std::int32_t>(piece.records);
        }
        piece.records += part.records;
        piece.cut += part.cut;
        piece.stray = piece.stray || part.stray;
        piece.inRecord = part.inRecord;
        if (!part.ok) {
            piece.ok = false;
            piece.message = std::move(part.message);
            return piece;
        }
        piece.ended = part.ended;
        if (part.ended || ends) return piece;
        room = 0;  // the first stretch made the list's room
        std::memmove(buffer.get(), buffer.get() + cut, held - cut);
        held -= cut;
    }
}

// The keep test of piece k, of `bytes` bytes: one that gathers what it
// keeps has one per piece.
template <class Keep>
Keep ForPiece(const Keep& keep, std::size_t k, std::uint64_t bytes)
{
    if constexpr (requires { keep.For(k, bytes); }) return keep.For(k, bytes);
    else return keep;
}

// ParseRecords over a source read a stretch at a time: the same records, the
// same result, with no copy of the whole file.
template <class Rec, class Keep = KeepEvery, class Taken = NothingTaken>
ParseResult ParseStream(const FileSource& source, std::vector<Rec>& out, std::size_t pieceCount, std::size_t stretch,
                        Keep keep = {}, std::vector<std::int32_t>* places = nullptr, Taken taken = {})
{
    std::string message;
    std::array<char, 4096> head{};
    const std::ptrdiff_t n = ReadFull(source, 0, head.data(), head.size(), message);
    if (n < 0) return Failed(std::move(message));
    if (n == 0) return {};
    LineCursor lines(std::string_view(head.data(), static_cast<std::size_t>(n)));
    std::string_view line;
    lines.Next(line);
    if (line != Headers[Index(Format<Rec>::kind)]) return UnknownHeader();
    const std::uint64_t bodyStart = lines.Consumed();
    const std::uint64_t bodyBytes = source.size > bodyStart ? source.size - bodyStart : 0;
    const std::size_t count = PieceCount(pieceCount, bodyBytes);
    std::vector<std::uint64_t> starts{bodyStart};
    for (std::size_t k = 1; k < count; ++k) {
        std::optional<std::uint64_t> next;
        if (!FindBeginLine(source, std::max(starts.back() + 1, bodyStart + bodyBytes / count * k), next, message))
            return Failed(std::move(message));
        if (!next) break;
        starts.push_back(*next);
    }
    constexpr std::uint64_t toTheEnd = std::numeric_limits<std::uint64_t>::max();
    return ReadInPieces(starts.size(), out, places, [&](std::size_t k, std::vector<Rec>& list, std::vector<std::int32_t>* at) {
        const std::uint64_t to = k + 1 < starts.size() ? starts[k + 1] : toTheEnd;
        const std::uint64_t room = (k + 1 < starts.size() ? starts[k + 1] : std::max(source.size, starts[k])) - starts[k];
        return StreamPiece(source, starts[k], to, stretch, list, k == 0 ? bodyBytes : room, ForPiece(keep, k, room), at);
    }, taken);
}

// Builds a whole file in one buffer.
class Writer {
public:
    Writer(DataKind kind, std::size_t estimate)
    {
        out_.reserve(estimate + 64);
        Line(Headers[Index(kind)]);
    }
    void Line(std::string_view text)
    {
        out_.append(text);
        out_.append("\r\n", 2);
    }
    // A line break inside a value would end the tag line early and make
    // the rest a line of its own, "<END:FILE>" included.
    void Tagged(std::string_view tag, std::string_view value)
    {
        out_.append(tag);
        if (HasLineBreak(value)) Line(OneLine(value));
        else Line(value);
    }
    void TaggedLines(std::string_view tag, std::string_view value)
    {
        if (!HasLineBreak(value)) return Tagged(tag, value);
        for (const std::string& line : LinesOf(value)) Tagged(tag, line);
    }
    void Number(std::string_view tag, std::int32_t value)
    {
        char digits[12];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        Tagged(tag, std::string_view(digits, static_cast<std::size_t>(end - digits)));
    }
    std::string Finish()
    {
        Line("<END:FILE>");
        return std::move(out_);
    }

private:
    std::string out_;
};

// Room for one field's lines, so that the buffer grows once.
template <class Rec, std::size_t I>
std::size_t FieldRoom(const Rec& rec)
{
    constexpr Field<Rec> f = Format<Rec>::fields[I];
    if constexpr (f.type == FieldType::Text || f.type == FieldType::TextIfAny) {
        return (rec.*f.text).size() + 12;
    } else if constexpr (f.type == FieldType::More) {
        std::size_t n = 32;
        for (const std::string& item : rec.*f.items) n += item.size() + 8;
        return n;
    } else {
        return 24;
    }
}

template <class Rec, std::size_t I>
void WriteField(Writer& w, const Rec& rec)
{
    constexpr Field<Rec> f = Format<Rec>::fields[I];
    if constexpr (f.type == FieldType::Text) {
        w.Tagged(f.tag, rec.*f.text);
    } else if constexpr (f.type == FieldType::TextIfAny) {
        if (!(rec.*f.text).empty()) w.Tagged(f.tag, rec.*f.text);
    } else if constexpr (f.type == FieldType::Number) {
        w.Number(f.tag, rec.*f.number);
    } else if constexpr (f.type == FieldType::NumberIfSet) {
        if (rec.*f.number != 0) w.Number(f.tag, rec.*f.number);
    } else if constexpr (f.type == FieldType::Priority) {
        w.Number(f.tag, rec.*f.byte);
    } else if constexpr (f.type == FieldType::TrueFalse) {
        w.Tagged(f.tag, rec.*f.flag ? "True" : "False");
    } else {
        w.Line("<BEGIN:MORE>");
        for (const std::string& item : rec.*f.items) w.TaggedLines(f.tag, item);
        w.Line("<END:MORE>");
    }
}

// The table is walked at compile time, so a record is written as directly as
// a hand-written sequence of its lines would be.
template <class Rec, std::size_t... I>
std::size_t RecordRoom(const Rec& rec, std::index_sequence<I...>)
{
    return 16 + (FieldRoom<Rec, I>(rec) + ...);  // "<BEGIN>", "<END>" and the fields
}

template <class Rec, std::size_t... I>
void WriteRecord(Writer& w, const Rec& rec, std::index_sequence<I...>)
{
    w.Line("<BEGIN>");
    (WriteField<Rec, I>(w, rec), ...);
    w.Line("<END>");
}

template <class Rec>
std::string SerializeRecords(const std::vector<Rec>& list)
{
    constexpr auto fields = std::make_index_sequence<std::size(Format<Rec>::fields)>();
    std::size_t estimate = 0;
    for (const Rec& rec : list) estimate += RecordRoom(rec, fields);
    Writer w(Format<Rec>::kind, estimate);
    for (const Rec& rec : list) WriteRecord(w, rec, fields);
    return w.Finish();
}

// xxHash (XXH3) is fast and defined the same on every machine, so that an
// identity derived from a record's content is the same wherever the file is
// read. Each value is hashed with the hash so far as its seed, its length
// included, so that "ab","c" differs from "a","bc".
class ContentHasher {
public:
    // The kind starts the hash: a weekly and a monthly event that hold the
    // same values are still two records.
    explicit ContentHasher(DataKind kind) : h_(static_cast<std::uint64_t>(kind) + 1) {}
    void Bytes(std::string_view bytes)
    {
        Number(static_cast<std::int64_t>(bytes.size()));
        h_ = XXH3_64bits_withSeed(bytes.data(), bytes.size(), h_);
    }
    void Number(std::int64_t n)
    {
        unsigned char le[8];
        for (int i = 0; i < 8; ++i) le[i] = static_cast<unsigned char>(static_cast<std::uint64_t>(n) >> (8 * i));
        h_ = XXH3_64bits_withSeed(le, sizeof le, h_);
    }
    std::uint64_t value() const { return h_; }

private:
    std::uint64_t h_;
};

template <class Rec, std::size_t I>
void HashField(ContentHasher& h, const Rec& rec)
{
    constexpr Field<Rec> f = Format<Rec>::fields[I];
    if constexpr (f.tag == std::string_view("<UID>")) {
        return;
    } else {
        if constexpr (f.type == FieldType::Text || f.type == FieldType::TextIfAny) {
            h.Bytes(rec.*f.text);
        } else if constexpr (f.type == FieldType::Number || f.type == FieldType::NumberIfSet) {
            h.Number(rec.*f.number);
        } else if constexpr (f.type == FieldType::Priority) {
            h.Number(rec.*f.byte);
        } else if constexpr (f.type == FieldType::TrueFalse) {
            h.Number(rec.*f.flag ? 1 : 0);
        } else {
            h.Number(static_cast<std::int64_t>((rec.*f.items).size()));
            for (const std::string& item : rec.*f.items) h.Bytes(item);
        }
    }
}

template <class Rec, std::size_t... I>
std::uint64_t HashRecord(const Rec& rec, std::index_sequence<I...>)
{
    ContentHasher h(Format<Rec>::kind);
    (HashField<Rec, I>(h, rec), ...);
    return h.value();
}

template <class Rec>
std::uint64_t HashOf(const Rec& rec)
{
    return HashRecord(rec, std::make_index_sequence<std::size(Format<Rec>::fields)>());
}

// "orv" and 60 bits of the hash in twelve letters and digits of base 32:
// fifteen characters, short enough to be kept inside the string itself,
// and one case only, for servers that keep items under file names.
std::string DerivedUid(std::uint64_t hash)
{
    static constexpr char digits[] = "abcdefghijklmnopqrstuvwxyz234567";
    std::string uid = "orv";
    for (int shift = 55; shift >= 0; shift -= 5) uid += digits[(hash >> shift) & 0x1F];
    return uid;
}

// Whether two records may share an identity: a set of the identities' hashes,
// filled in one pass. Equal hashes of different texts only send the caller the
// slower, exact way.
template <class Rec>
bool UidsRepeat(const std::vector<Rec>& list)
{
    std::size_t slots = 64;
    while (slots < list.size() * 2) slots <<= 1;
    const std::size_t mask = slots - 1;
    // The slot comes from the hash's low bits, the mark kept in it from its
    // high ones (0 is a free slot).
    std::vector<std::uint32_t> seen(slots, 0);
    for (const Rec& rec : list) {
        const std::uint64_t hash = XXH3_64bits(rec.Uid.data(), rec.Uid.size());
        const auto mark = static_cast<std::uint32_t>(hash >> 32) | 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            if (seen[i] == 0) {
                seen[i] = mark;
                break;
            }
            if (seen[i] == mark) return true;
        }
    }
    return false;
}

template <class Rec>
bool AssignUidsOf(std::vector<Rec>& list, std::size_t from)
{
    if (from >= list.size()) return false;
    bool changed = false;
    for (std::size_t i = from; i < list.size(); ++i) {
        if (!list[i].Uid.empty()) continue;
        list[i].Uid = DerivedUid(HashOf(list[i]));
        changed = true;
    }
    // Nearly always every identity is different now: one pass over their
    // hashes shows it, and only repeats take the slower way below.
    if (!UidsRepeat(list)) return changed;
    // Views into the records' own strings: the list does not grow meanwhile.
    std::unordered_set<std::string_view> seen;
    seen.reserve(list.size());
    for (std::size_t i = 0; i < from; ++i) seen.insert(list[i].Uid);
    for (std::size_t i = from; i < list.size(); ++i) {
        Rec& rec = list[i];
        if (seen.count(rec.Uid) != 0) {
            // Equal records get "-2", "-3" ..: the n-th of them the same name at every read.
            const std::string base = DerivedUid(HashOf(rec));
            std::string uid = base;
            for (int n = 2; seen.count(uid) != 0; ++n) uid = base + "-" + std::to_string(n);
            rec.Uid = std::move(uid);
            changed = true;
        }
        seen.insert(rec.Uid);
    }
    return changed;
}

}  // namespace

std::uint64_t ContentHash(const AData& r) { return HashOf(r); }
std::uint64_t ContentHash(const ACal& r) { return HashOf(r); }
std::uint64_t ContentHash(const AAdv& r) { return HashOf(r); }
std::uint64_t ContentHash(const AYear& r) { return HashOf(r); }
std::uint64_t ContentHash(const AMonth& r) { return HashOf(r); }
std::uint64_t ContentHash(const AWeek& r) { return HashOf(r); }

bool AssignUids(std::vector<AData>& list, std::size_t from) { return AssignUidsOf(list, from); }
bool AssignUids(std::vector<ACal>& list, std::size_t from) { return AssignUidsOf(list, from); }
bool AssignUids(std::vector<AAdv>& list, std::size_t from) { return AssignUidsOf(list, from); }
bool AssignUids(std::vector<AYear>& list, std::size_t from) { return AssignUidsOf(list, from); }
bool AssignUids(std::vector<AMonth>& list, std::size_t from) { return AssignUidsOf(list, from); }
bool AssignUids(std::vector<AWeek>& list, std::size_t from) { return AssignUidsOf(list, from); }

bool RecordStore::AssignUids(DataKind kind)
{
    switch (kind) {
    case DataKind::Addresses: return orv::AssignUids(addresses_);
    case DataKind::Calendar: return orv::AssignUids(calendar_);
    case DataKind::Advanced: return orv::AssignUids(advanced_);
    case DataKind::Annual: return orv::AssignUids(annual_);
    case DataKind::Monthly: return orv::AssignUids(monthly_);
    case DataKind::Weekly: return orv::AssignUids(weekly_);
    }
    return false;
}

std::string_view DataFileName(DataKind kind) { return FileNames[Index(kind)]; }
std::string_view DataFileStem(DataKind kind) { return FileStems[Index(kind)]; }
std::string_view DataHeaderLine(DataKind kind) { return Headers[Index(kind)]; }

ParseResult ParseDataText(std::string_view text, std::vector<AData>& out, std::size_t pieces)
{
    return ParseRecords(text, out, pieces);
}
ParseResult ParseDataText(std::string_view text, std::vector<ACal>& out, std::size_t pieces)
{
    return ParseRecords(text, out, pieces);
}
ParseResult ParseDataText(std::string_view text, std::vector<AAdv>& out, std::size_t pieces)
{
    return ParseRecords(text, out, pieces);
}
ParseResult ParseDataText(std::string_view text, std::vector<AYear>& out, std::size_t pieces)
{
    return ParseRecords(text, out, pieces);
}
ParseResult ParseDataText(std::string_view text, std::vector<AMonth>& out, std::size_t pieces)
{
    return ParseRecords(text, out, pieces);
}
ParseResult ParseDataText(std::string_view text, std::vector<AWeek>& out, std::size_t pieces)
{
    return ParseRecords(text, out, pieces);
}

ParseResult ParseDataText(DataKind kind, std::string_view text, RecordStore& store, std::size_t pieces)
{
    return store.WithEditList(kind, [&](auto& list) { return ParseRecords(text, list, pieces); });
}

ParseResult ParseDataStream(DataKind kind, const FileSource& source, RecordStore& store, std::size_t pieces,
                            std::size_t stretch)
{
    return store.WithEditList(kind, [&](auto& list) { return ParseStream(source, list, pieces, stretch); });
}

ParseResult ParseCalendarDays(const FileSource& source, DayWindow days, std::vector<ACal>& out,
                              std::vector<std::int32_t>& places, std::size_t pieces, std::size_t stretch)
{
    return ParseStream(source, out, pieces, stretch, KeepDays{days}, &places);
}

namespace {

// The places in the sorted address list of people kept in its order, by
// their birthday texts' OrderKeys, given `all` of them (sorted here): after
// every person with an earlier birthday text, and among those with theirs,
// all of whom are kept, in the same order. A birthday a date can have is
// short enough for its key to order as the text does.
template <class KeyOf>
void PlacesByBirthday(std::vector<std::uint64_t>& all, std::size_t kept, KeyOf keyOf, std::vector<std::int32_t>& places)
{
    std::sort(all.begin(), all.end());
    std::size_t earlier = 0, sameBefore = 0;
    for (std::size_t i = 0; i < kept; ++i) {
        const std::uint64_t key = keyOf(i);
        if (i > 0 && keyOf(i - 1) == key) {
            ++sameBefore;
        } else {
            earlier = static_cast<std::size_t>(std::lower_bound(all.begin(), all.end(), key) - all.begin());
            sameBefore = 0;
        }
        places.push_back(static_cast<std::int32_t>(earlier + sameBefore));
    }
}

}  // namespace

ParseResult ParseBirthdays(const FileSource& source, const BirthdayDays& days, std::vector<AData>& out,
                           std::vector<std::int32_t>& places, std::size_t stretch)
{
    // One piece: the birthday texts are noted in file order.
    std::vector<std::uint64_t> dateKeys;
    std::vector<AData> kept;
    ParseResult result = ParseStream(source, kept, 1, stretch, KeepBirthdays{&days, &dateKeys});
    int current = -1;
    SortAddresses(kept, current);
    PlacesByBirthday(dateKeys, kept.size(), [&](std::size_t i) { return OrderKey(kept[i].DateText); }, places);
    if (out.empty()) out = std::move(kept);
    else out.insert(out.end(), std::make_move_iterator(kept.begin()), std::make_move_iterator(kept.end()));
    return result;
}

ParseResult ParseEventBriefs(const FileSource& source, DayWindow days, EventBriefs& out, std::size_t pieces,
                             std::size_t stretch)
{
    std::vector<KeepEventBriefs::Piece> parts(std::max<std::size_t>({pieces, std::thread::hardware_concurrency(), 1}));
    std::vector<ACal> spare;
    const ParseResult result = ParseStream(source, spare, pieces, stretch, KeepEventBriefs{days, &parts}, nullptr,
                                           [&](std::size_t k, std::size_t recordsBefore) {
                                               EventBriefs& part = parts[k].briefs;
                                               if (out.events.empty() && out.hints.empty()) {
                                                   // The first piece's room holds the others' too, as a rule.
                                                   for (EventBriefs::Event& e : part.events)
                                                       e.place += static_cast<std::int32_t>(recordsBefore);
                                                   out = std::move(part);
                                                   return;
                                               }
                                               const auto hintsBefore = static_cast<std::uint32_t>(out.hints.size());
                                               out.hints.append(part.hints);
                                               for (EventBriefs::Event e : part.events) {
                                                   e.place += static_cast<std::int32_t>(recordsBefore);
                                                   e.hintAt += hintsBefore;
                                                   out.events.push_back(e);
                                               }
                                           });
    return result;
}

ParseResult ParseBirthdayBriefs(const FileSource& source, BirthdayBriefs& out, std::size_t stretch)
{
    std::vector<std::uint64_t> dateKeys;
    BirthdayBriefs read;
    std::vector<AData> spare;
    ParseResult result = ParseStream(source, spare, 1, stretch, KeepBirthdayBriefs{&read, &dateKeys});
    std::vector<std::string_view> dates(read.people.size()), names(read.people.size());
    for (std::size_t i = 0; i < read.people.size(); ++i) {
        dates[i] = read.DateText(read.people[i]);
        names[i] = read.Name(read.people[i]);
    }
    const std::vector<std::int32_t> order = AddressOrder(dates, names);
    std::vector<std::int32_t> places;
    PlacesByBirthday(dateKeys, order.size(), [&](std::size_t k) { return OrderKey(dates[static_cast<std::size_t>(order[k])]); },
                     places);
    const auto textsBefore = static_cast<std::uint32_t>(out.texts.size());
    out.texts.append(read.texts);
    out.people.reserve(out.people.size() + order.size());
    for (std::size_t k = 0; k < order.size(); ++k) {
        BirthdayBriefs::Person p = read.people[static_cast<std::size_t>(order[k])];
        p.place = places[k];
        p.at += textsBefore;
        out.people.push_back(p);
    }
    return result;
}

std::string SerializeDataText(const std::vector<AData>& list) { return SerializeRecords(list); }
std::string SerializeDataText(const std::vector<ACal>& list) { return SerializeRecords(list); }
std::string SerializeDataText(const std::vector<AAdv>& list) { return SerializeRecords(list); }
std::string SerializeDataText(const std::vector<AYear>& list) { return SerializeRecords(list); }
std::string SerializeDataText(const std::vector<AMonth>& list) { return SerializeRecords(list); }
std::string SerializeDataText(const std::vector<AWeek>& list) { return SerializeRecords(list); }

std::string SerializeDataText(DataKind kind, const RecordStore& store)
{
    return store.WithList(kind, [](const auto& list) { return SerializeRecords(list); });
}

}  // namespace orv
