#include "sync/carditems.h"

#include <cstdio>

#include "exchange/vcard/vcard.h"
#include "store/records.h"
#include "store/utf8.h"
#include "sync/contentlines.h"

namespace orv::sync {

namespace {

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
    if (!a.Tele1.empty()) lines.push_back("TEL;TYPE=HOME,VOICE:" + Text(a.Tele1));
    if (!a.Tele2.empty()) lines.push_back("TEL;TYPE=CELL,VOICE:" + Text(a.Tele2));
    if (!a.Address.empty() || !a.City.empty() || !a.Country.empty())
        lines.push_back("ADR;TYPE=HOME:" + JoinComponents({"", "", StoredAsUtf8(a.Address), StoredAsUtf8(a.City), "", "",
                                                             StoredAsUtf8(a.Country)}));
    if (!a.Email1.empty()) lines.push_back("EMAIL;TYPE=INTERNET,PREF:" + Text(a.Email1));
    if (!a.Email2.empty()) lines.push_back("EMAIL;TYPE=INTERNET:" + Text(a.Email2));
    if (!a.Email3.empty()) lines.push_back("EMAIL;TYPE=INTERNET:" + Text(a.Email3));
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
    if (local) {
        a.Postal = local->Postal;
        a.Tele3 = local->Tele3;
    }
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
    const auto has = [&](std::string_view f) {
        for (const auto& c : changed)
            if (c == f) return true;
        return false;
    };
    if (has("name") || has("surname")) {
        const auto found = o.Find(card, "N");
        std::vector<std::string> n = found.empty() ? std::vector<std::string>{} : SplitComponents(o.lines()[found.front()].value);
        n.resize(std::max<std::size_t>(n.size(), 5));
        n[0] = StoredAsUtf8(now.Surname);
        n[1] = StoredAsUtf8(now.Name);
        SetValue(o, card, "N", JoinComponents(n));
        SetValue(o, card, "FN", EscapeText(FullName(now)));
    }
    if (has("address") || has("city") || has("country")) {
        const auto found = o.Find(card, "ADR");
        std::vector<std::string> adr =
            found.empty() ? std::vector<std::string>{} : SplitComponents(o.lines()[found.front()].value);
        adr.resize(std::max<std::size_t>(adr.size(), 7));
        adr[2] = StoredAsUtf8(now.Address);
        if (has("city")) {
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
    if (has("tele1")) SetByValue(o, card, "TEL", base.Tele1, now.Tele1, "TYPE=HOME,VOICE");
    if (has("tele2")) SetByValue(o, card, "TEL", base.Tele2, now.Tele2, "TYPE=CELL,VOICE");
    if (has("email1")) SetByValue(o, card, "EMAIL", base.Email1, now.Email1, "TYPE=INTERNET,PREF");
    if (has("email2")) SetByValue(o, card, "EMAIL", base.Email2, now.Email2, "TYPE=INTERNET");
    if (has("email3")) SetByValue(o, card, "EMAIL", base.Email3, now.Email3, "TYPE=INTERNET");
    if (has("birthday")) SetValue(o, card, "BDAY", Birthday(now));
    if (has("more")) SetValue(o, card, "NOTE", EscapeText(Joined(now.More)));
    o.Remove(card, {"REV"});
    return o.Text();
}

}  // namespace orv::sync
