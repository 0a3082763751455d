// Reads the input as a vCard file. Every field a card gives is one line, and
// so is each further line; a person made from a card and exported reads back
// as the same person.
#include <string>

#include "exchange/vcard/vcard.h"
#include "fuzzcheck.h"

namespace {

using namespace orv;
using fuzz::Fail;
using fuzz::IsOneLine;

void Check(const CardFields& card)
{
    AddressFields f;
    ApplyCard(card, f);
    bool escaped = false;
    ForEachShownText([&](const PersonFieldInfo&, auto field) {
        if (!IsOneLine(field(f))) Fail("a field with a line break");
        escaped = escaped || field(f).find('\\') != std::string::npos;
    });
    for (const std::string& line : f.More)
        if (!IsOneLine(line)) Fail("a further line with a line break");
    for (BirthdayField b : {BirthdayField::Day, BirthdayField::Month, BirthdayField::Year})
        CheckBirthdayField(b, b == BirthdayField::Day ? f.Day : b == BirthdayField::Month ? f.Month : f.Year);

    const std::vector<CardFields> back = ReadVCards(WriteVCard(f));
    if (back.size() != 1) Fail("the export is not one card");
    // Numbers and mail addresses are written as they stand, so a backslash in
    // them may read back as an escape.
    if (escaped) return;
    AddressFields g;
    ApplyCard(back[0], g);
    if (g.Name != f.Name || g.Surname != f.Surname) Fail("name");
    if (g.Tele1 != f.Tele1 || g.Tele2 != f.Tele2) Fail("numbers");
    if (g.Email1 != f.Email1) Fail("e-mail");
    if (g.Address != f.Address) Fail("address");
    if (!f.Address.empty() && (g.City != f.City || g.Country != f.Country)) Fail("city or country");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<CardFields> cards = ReadVCards(fuzz::Text(data, size));
    for (const CardFields& card : cards) Check(card);
    if (!cards.empty()) Check(MergeCards(cards));
    return 0;
}
