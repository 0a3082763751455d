// vCard files: the program's own version 2.1 cards, written from the address
// view's fields, and the cards of other programs read back into those fields.
//
// The reader takes what phones and address books write today: versions 2.1,
// 3.0 and 4.0, property names in any case and with groups ("item1.TEL"),
// parameters in either form ("TEL;CELL;VOICE", "TEL;TYPE=CELL"), folded
// lines (a 2.1 fold keeps its blank, a later version's fold drops it),
// quoted-printable values with soft line breaks, CHARSET= (converted to UTF-8),
// backslash escapes, and birthdays as YYYYMMDD, YYYY-MM-DD (also with one-digit
// month or day), DD.MM.YYYY or --MMDD. The file itself may carry a byte-order
// mark or be UTF-16: it is read as every text file is (exchange/codepages.h).
// A card that says nothing of a field leaves that field alone. Every text read
// is UTF-8: a value in no declared charset that is not UTF-8 is read as
// Windows-1252, the rule for stored texts. What a card holds that has no field
// (a third number, a fourth e-mail address, the organisation, title, note ...)
// becomes labelled lines of the additional information; what cannot be kept
// at all is named, so that the import can say so.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/addressbook.h"

namespace orv {

// The view's fields that one card provides, one member for each field of a
// person the view shows (store/personfields.h): an empty optional is a field
// the card does not mention; Day, Month and Year are decimal texts, as the
// birthday fields take them. More holds lines for the additional information,
// each labelled with what it is: "Organisation: ...", "Telephone (work): ...",
// "Note: ...".
namespace card_type {
using Text = std::optional<std::string>;
using Number = std::optional<std::string>;
using Lines = std::vector<std::string>;
}  // namespace card_type
struct CardFields {
#define ORV_CARD_FIELD(id, kind, view, ...) ORV_PERSON_IF_SHOWN(view, card_type::kind id{};)
    ORV_PERSON_FIELDS(ORV_CARD_FIELD)
#undef ORV_CARD_FIELD
    std::optional<std::string> Uid;  // the card's UID, kept as the person's identity
    int LineBreaks = 0;  // fields whose line breaks became blanks (a field holds one line)
    // What the card held that the person does not keep, one sentence each
    // ("The birthday '1980' is no date ORV reads; it was left out.").
    std::vector<std::string> Lost;
    bool operator==(const CardFields&) const = default;
};

// The card "Export vCard" and orv-cli write for the fields shown (CR LF lines):
// N always; TEL;HOME;VOICE, TEL;CELL;VOICE, ADR;HOME (only with an address),
// EMAIL;PREF;INTERNET when filled; BDAY as the year text and two-digit month
// and day when all three are whole numbers, "--MMDD" when only the year is
// missing; UID when `uid` is not empty. The 2nd and 3rd e-mail addresses and
// the notes are not written. Texts are
// decoded stored texts in UTF-8, and a line holding non-ASCII text says
// CHARSET=UTF-8, as version 2.1 needs.
std::string WriteVCard(const AddressFields& fields, std::string_view uid = {});

// Every card of a file's bytes (or of one card's text), in file order; empty
// when they hold no card.
std::vector<CardFields> ReadVCards(std::string_view text);

// "Import vCard" builds one person from all cards of a file: what a later card
// provides overwrites what an earlier one gave; LineBreaks is the sum, More and
// Lost hold every card's lines.
CardFields MergeCards(const std::vector<CardFields>& cards);

// Puts what the card provides into the fields; the others keep their texts.
// The card's More lines are added after the person's, each line once: a card
// imported again adds none.
void ApplyCard(const CardFields& card, AddressFields& fields);

}  // namespace orv
