#include "sync/carditems.h"

#include <cstdio>

#include "exchange/vcard/vcard.h"
#include "store/records.h"
#include "store/utf8.h"
#include "sync/contentlines.h"

namespace orv::sync {

namespace {

// The values a card holds a line each of, found again by their value when
// they change: the numbers and e-mail addresses the view shows, each with the
// property and the types it is written with.
struct ValueLine {
    PersonField field;
    std::string_view name;
    std::string_view params;
};
constexpr ValueLine kValueLines[] = {
    {PersonField::Tele1, "TEL", "TYPE=HOME,VOICE"},
    {PersonField::Tele2, "TEL", "TYPE=CELL,VOICE"},
    {PersonField::Email1, "EMAIL", "TYPE=INTERNET,PREF"},
    {PersonField::Email2, "EMAIL", "TYPE=INTERNET"},
    {PersonField::Email3, "EMAIL", "TYPE=INTERNET"},
};

constexpr bool EveryNumberAndAddressHasALine()
{
    for (const PersonFieldInfo& f : kPersonFields) {
        bool found = false;
        for (const ValueLine& v : kValueLines) found = found || v.field == f.id;
        if (f.shown && f.contact != Contact::None && !found) return false;
    }
    return true;
}
static_assert(EveryNumberAndAddressHasALine(), "a number or e-mail address the view shows needs its card property");

std::string Text(const std::string& stored) { return EscapeText(StoredAsUtf8(stored)); }

std::string Joined(const std::vector<std::string>& lines)
{
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) out += (i ? "\n" : "") + StoredAsUtf8(lines[i]);
    return out;
}

std::string Birthday(const AData& a)
{
    if (a.Month < 1 || a.Month > 12 || a.Day < 1 || a.Day > 31) return {};
    char text[16];
    if (a.Year > 0)
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", a.Year % 10000, a.Month, a.Day);
    else
        std::snprintf(text, sizeof text, "--%02d%02d", a.Month, a.Day);
    return text;
}

std::string FullName(const AData& a)
{
    std::string name = StoredAsUtf8(a.Name);
    const std::string surname = StoredAsUtf8(a.Surname);
    if (!name.empty() && !surname.empty()) name += ' ';
    return name + surname;
}

ContentObject::Range Card(const ContentObject& o)
{
    const auto cards = o.Components("VCARD");
    return cards.empty() ? ContentObject::Range{} : cards.front();
}

std::string Raw(const ContentLine& l)
{
    return (l.group.empty() ? "" : l.group + ".") + l.name + (l.params.empty() ? "" : ";" + l.params) + ":" + l.value;
}

// Sets the line of `name` whose value was `was` to `now`: changed in place,
// removed when `now` is empty, added (with `params`) when there was none.
void SetByValue(ContentObject& o, ContentObject::Range& card, std::string_view name, const std::string& was,
                const std::string& now, const std::string& params)
{
    const std::string before = StoredAsUtf8(was), after = StoredAsUtf8(now);
    for (const std::size_t i : o.Find(card, name)) {
        ContentLine& l = o.lines()[i];
        if (before.empty() || UnescapeText(l.value) != before) continue;
        if (after.empty()) {
            o.lines().erase(o.lines().begin() + static_cast<std::ptrdiff_t>(i));
            --card.last;
        } else {
            l.value = EscapeText(after);
            l.raw = Raw(l);
        }
        return;
    }
    if (!after.empty()) o.Insert(card, card.last - 1, {std::string(name) + ";" + params + ":" + EscapeText(after)});
}

// Replaces one property's whole value, or removes it.
void SetValue(ContentObject& o, ContentObject::Range& card, std::string_view name, const std::string& value)
{
    const std::size_t at = o.Remove(card, {name});
    if (!value.empty()) o.Insert(card, at, {std::string(name) + ":" + value});
}

}  // namespace

std::string WriteCard(const AData& a)
{
    std::string out = "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    std::vector<std::string> lines;
    if (!a.Uid.empty()) lines.push_back("UID:" + Text(a.Uid));
    lines.push_back("FN:" + EscapeText(FullName(a)));
    lines.push_back("N:" + JoinComponents({StoredAsUtf8(a.Surname), StoredAsUtf8(a.Name), "", "", ""}));
    // The numbers, the address, the e-mail addresses.
    const auto values = [&](std::string_view name) {
        for (const ValueLine& v : kValueLines) {
            const std::string& value = a.*FieldInfo(v.field).text;
            if (v.name == name && !value.empty())
                lines.push_back(std::string(v.name) + ";" + std::string(v.params) + ":" + Text(value));
        }
    };
    values("TEL");
    if (!a.Address.empty() || !a.City.empty() || !a.Country.empty())
        lines.push_back("ADR;TYPE=HOME:" + JoinComponents({"", "", StoredAsUtf8(a.Address), StoredAsUtf8(a.City), "", "",
                                                             StoredAsUtf8(a.Country)}));
    values("EMAIL");
    if (const std::string b = Birthday(a); !b.empty()) lines.push_back("BDAY:" + b);
    if (!a.More.empty()) lines.push_back("NOTE:" + EscapeText(Joined(a.More)));
    ContentObject o = ContentObject::Parse(out + "END:VCARD\r\n");
    auto card = Card(o);
    o.Insert(card, card.last - 1, lines);
    return o.Text();
}

std::optional<AData> ReadCard(std::string_view text, const AData* local)
{
    const std::vector<CardFields> cards = ReadVCards(text);
    if (cards.empty()) return std::nullopt;
    AddressFields f;
    ApplyCard(cards.front(), f);
    AData a;
    // What the view does not show, a card does not carry: it stays this device's.
    if (local)
        for (const PersonFieldInfo& field : kPersonFields)
            if (!field.shown) CopyField(a, *local, field);
    StoreFields(a, f);
    // The additional information is the card's note; what else the card
    // holds stays on the server.
    a.More.clear();
    const ContentObject o = ContentObject::Parse(text);
    const auto card = Card(o);
    if (const std::string note = UnescapeText(o.Value(card, "NOTE")); !note.empty()) {
        std::string line;
        for (const char c : note) {
            if (c == '\n') {
                a.More.push_back(line);
                line.clear();
            } else if (c != '\r') {
                line += c;
            }
        }
        a.More.push_back(line);
    }
    // A card with no name at all is named after its organisation or its
    // formatted name, so that it can be found in the address book.
    if (a.Name.empty() && a.Surname.empty()) {
        std::string org = SplitComponents(o.Value(card, "ORG")).front();
        a.Surname = !org.empty() ? org : UnescapeText(o.Value(card, "FN"));
    }
    a.Uid = cards.front().Uid.value_or(ObjectUid(text));
    return a;
}

std::string PatchCard(std::string_view server, const std::vector<std::string>& changed, const AData& base,
                      const AData& now)
{
    ContentObject o = ContentObject::Parse(server);
    auto card = Card(o);
    if (card.empty()) return WriteCard(now);
    const auto has = [&](PersonField f) {
        for (const auto& c : changed)
            if (c == FieldInfo(f).sync) return true;
        return false;
    };
    if (has(PersonField::Name) || has(PersonField::Surname)) {
        const auto found = o.Find(card, "N");
        std::vector<std::string> n = found.empty() ? std::vector<std::string>{} : SplitComponents(o.lines()[found.front()].value);
        n.resize(std::max<std::size_t>(n.size(), 5));
        n[0] = StoredAsUtf8(now.Surname);
        n[1] = StoredAsUtf8(now.Name);
        SetValue(o, card, "N", JoinComponents(n));
        SetValue(o, card, "FN", EscapeText(FullName(now)));
    }
    if (has(PersonField::Address) || has(PersonField::City) || has(PersonField::Country)) {
        const auto found = o.Find(card, "ADR");
        std::vector<std::string> adr =
            found.empty() ? std::vector<std::string>{} : SplitComponents(o.lines()[found.front()].value);
        adr.resize(std::max<std::size_t>(adr.size(), 7));
        adr[2] = StoredAsUtf8(now.Address);
        if (has(PersonField::City)) {
            // ORV's city field holds the postal code too.
            adr[3] = StoredAsUtf8(now.City);
            adr[5].clear();
        }
        adr[6] = StoredAsUtf8(now.Country);
        if (found.empty()) {
            o.Insert(card, card.last - 1, {"ADR;TYPE=HOME:" + JoinComponents(adr)});
        } else {
            ContentLine& l = o.lines()[found.front()];
            l.value = JoinComponents(adr);
            l.raw = Raw(l);
        }
    }
    for (const ValueLine& v : kValueLines) {
        const auto member = FieldInfo(v.field).text;
        if (has(v.field)) SetByValue(o, card, v.name, base.*member, now.*member, std::string(v.params));
    }
    // Day, month and year change together, as the birthday.
    if (has(PersonField::Day)) SetValue(o, card, "BDAY", Birthday(now));
    if (has(PersonField::More)) SetValue(o, card, "NOTE", EscapeText(Joined(now.More)));
    o.Remove(card, {"REV"});
    return o.Text();
}

}  // namespace orv::sync
