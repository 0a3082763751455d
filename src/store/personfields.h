// A person's fields, said once. The table below is the only place a field of
// an address-book entry is declared: the record's members (AData), the address
// view's texts (AddressFields, engine/addressbook.h), what a vCard gives
// (CardFields, exchange/vcard.h), the data file's tags, the names the sync
// gives a change, and every copy between these shapes come from it. What one
// format says of a field beyond that (a vCard property, a column caption, the
// widget that shows it) stays with that format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// X(id, kind, view, contact, tag, sync)
//   id       the member's name in every shape: AData::Name, AddressFields::Name, ...
//   kind     Text; Number (0 = not given; the view shows it as decimal text,
//            empty for 0); Lines (one text a line)
//   view     Shown: the address view has a field for it, and so AddressFields
//            and CardFields a member, and the sync's cards carry it; Kept: none
//            of them has, and what is stored stays through posts and cards read back
//   contact  Phone or Email: searched and exchanged as a telephone number or
//            an e-mail address; None otherwise
//   tag      its tag in data.orv; the data file writes the fields in this order
//   sync     the name the sync gives a change of it; the fields of one name
//            (the birthday's) are compared and taken together
#define ORV_PERSON_FIELDS(X)                                  \
    X(Name,    Text,   Shown, None,  "<NAME>",    "name")     \
    X(Surname, Text,   Shown, None,  "<SURNAME>", "surname")  \
    X(Address, Text,   Shown, None,  "<ADDRESS>", "address")  \
    X(Day,     Number, Shown, None,  "<DAY>",     "birthday") \
    X(Month,   Number, Shown, None,  "<MONTH>",   "birthday") \
    X(Year,    Number, Shown, None,  "<YEAR>",    "birthday") \
    X(Postal,  Text,   Kept,  None,  "<POSTAL>",  "postal")   \
    X(City,    Text,   Shown, None,  "<CITY>",    "city")     \
    X(Country, Text,   Shown, None,  "<COUNTRY>", "country")  \
    X(Tele1,   Text,   Shown, Phone, "<TELE1>",   "tele1")    \
    X(Tele2,   Text,   Shown, Phone, "<TELE2>",   "tele2")    \
    X(Tele3,   Text,   Kept,  Phone, "<TELE3>",   "tele3")    \
    X(Email1,  Text,   Shown, Email, "<EMAIL1>",  "email1")   \
    X(Email2,  Text,   Shown, Email, "<EMAIL2>",  "email2")   \
    X(Email3,  Text,   Shown, Email, "<EMAIL3>",  "email3")   \
    X(More,    Lines,  Shown, None,  "<MORE>",    "more")

// Expands to the rest of its arguments for a field the view shows, else to nothing:
// the members of the shapes that hold only the view's fields.
#define ORV_PERSON_IF_SHOWN(view, ...) ORV_PERSON_IF_SHOWN_##view(__VA_ARGS__)
#define ORV_PERSON_IF_SHOWN_Shown(...) __VA_ARGS__
#define ORV_PERSON_IF_SHOWN_Kept(...)

enum class PersonField : std::uint8_t {
#define ORV_PERSON_ID(id, ...) id,
    ORV_PERSON_FIELDS(ORV_PERSON_ID)
#undef ORV_PERSON_ID
};

enum class PersonKind : std::uint8_t { Text, Number, Lines };
enum class PersonView : std::uint8_t { Shown, Kept };
enum class Contact : std::uint8_t { None, Phone, Email };

// How each kind is held in the record, and as the view's text.
namespace person_type {
using Text = std::string;
using Number = std::int32_t;
using Lines = std::vector<std::string>;
}  // namespace person_type
namespace person_text {
using Text = std::string;
using Number = std::string;  // decimal, empty for "not given"
using Lines = std::vector<std::string>;
}  // namespace person_text

// One address-book entry (data.orv). Texts are bytes exactly as stored; the
// widgets decide how to decode them.
struct AData {
    std::string DateText;  // derived: "Day/Month", "0/0" without a birthday; sort key
#define ORV_PERSON_MEMBER(id, kind, ...) person_type::kind id{};
    ORV_PERSON_FIELDS(ORV_PERSON_MEMBER)
#undef ORV_PERSON_MEMBER
    // The record's identity, kept through edits, moves and saves; exports
    // (iCalendar, vCard) and sync name the record by it.
    std::string Uid{};
    bool Marked = false;  // scratch flag of the address sort, never stored
};

// One row of the table, with its member of AData: `text`, `number` or
// `lines` as the kind says, the others null.
struct PersonFieldInfo {
    PersonField id;
    std::string_view name;  // the member's name: "Name", "Email3"
    PersonKind kind;
    bool shown;
    Contact contact;
    std::string_view tag;
    std::string_view sync;
    std::string AData::*text = nullptr;
    std::int32_t AData::*number = nullptr;
    std::vector<std::string> AData::*lines = nullptr;
};

namespace person_detail {
// A row of the table; its kind follows from its member's type.
struct Row {
    PersonField id;
    std::string_view name;
    bool shown;
    Contact contact;
    std::string_view tag;
    std::string_view sync;
    constexpr PersonFieldInfo With(std::string AData::*m) const
    {
        return {id, name, PersonKind::Text, shown, contact, tag, sync, m};
    }
    constexpr PersonFieldInfo With(std::int32_t AData::*m) const
    {
        return {id, name, PersonKind::Number, shown, contact, tag, sync, nullptr, m};
    }
    constexpr PersonFieldInfo With(std::vector<std::string> AData::*m) const
    {
        return {id, name, PersonKind::Lines, shown, contact, tag, sync, nullptr, nullptr, m};
    }
};
}  // namespace person_detail

// The table, in the order of PersonField.
inline constexpr PersonFieldInfo kPersonFields[] = {
#define ORV_PERSON_ROW(id, kind, view, contact, tag, sync)                                                      \
    person_detail::Row{PersonField::id, #id, PersonView::view == PersonView::Shown, Contact::contact, tag, sync} \
        .With(&AData::id),
    ORV_PERSON_FIELDS(ORV_PERSON_ROW)
#undef ORV_PERSON_ROW
};
inline constexpr std::size_t kPersonFieldCount = std::size(kPersonFields);

constexpr const PersonFieldInfo& FieldInfo(PersonField field) { return kPersonFields[static_cast<std::size_t>(field)]; }

// Copies one field of a person from one record to another.
inline void CopyField(AData& to, const AData& from, const PersonFieldInfo& f)
{
    switch (f.kind) {
    case PersonKind::Text: to.*f.text = from.*f.text; break;
    case PersonKind::Number: to.*f.number = from.*f.number; break;
    case PersonKind::Lines: to.*f.lines = from.*f.lines; break;
    }
}

// The view's fields of any shape that has them as members (AData,
// AddressFields, CardFields), in table order: fn(info, field) for each, where
// field(shape) is the shape's member for that field. The member's type
// depends on the shape, so what fn does with it is picked by overloading.
#define ORV_PERSON_VISIT_SHOWN(id, kind, view, ...) \
    ORV_PERSON_IF_SHOWN(view, fn(FieldInfo(PersonField::id), [](auto& shape) -> auto& { return shape.id; });)
template <class Fn>
constexpr void ForEachShownField(Fn&& fn)
{
    ORV_PERSON_FIELDS(ORV_PERSON_VISIT_SHOWN)
}
#undef ORV_PERSON_VISIT_SHOWN

// The same for the view's fields that it shows as one text each: all but the
// lines (the additional information).
#define ORV_PERSON_VISIT_SHOWN_TEXT(id, kind, view, ...)                                  \
    ORV_PERSON_IF_SHOWN(view, if constexpr (PersonKind::kind != PersonKind::Lines) {       \
        fn(FieldInfo(PersonField::id), [](auto& shape) -> auto& { return shape.id; }); \
    })
template <class Fn>
constexpr void ForEachShownText(Fn&& fn)
{
    ORV_PERSON_FIELDS(ORV_PERSON_VISIT_SHOWN_TEXT)
}
#undef ORV_PERSON_VISIT_SHOWN_TEXT

}  // namespace orv
