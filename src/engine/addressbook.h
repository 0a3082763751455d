// The address book's commands over the record list, without widgets: the
// birthday field checks, post, insert, delete and "Check dates". The address
// view calls these with the texts of its fields, and so does every import that
// turns rows into people, so that all of them get the same checks and order.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/dates.h"
#include "store/recordstore.h"

namespace orv {

// The texts of the address view's fields, one member for each field of a
// person the view shows (store/personfields.h), as the store keeps texts
// (bytes). Day, Month and Year are decimal texts, empty for "not given"; More
// holds the lines of the additional information.
struct AddressFields {
#define ORV_ADDRESS_FIELD(id, kind, view, ...) ORV_PERSON_IF_SHOWN(view, person_text::kind id{};)
    ORV_PERSON_FIELDS(ORV_ADDRESS_FIELD)
#undef ORV_ADDRESS_FIELD
    bool operator==(const AddressFields&) const = default;
};

// What ShowAddress puts into the fields for a record (0 shows as empty).
AddressFields FieldsOf(const AData& a);
// The other way: the fields into the record. The fields the view has none
// for (Postal, Tele3) and the identity stay as the record holds them.
void StoreFields(AData& a, const AddressFields& f);

// The text of a field the view shows as one text (all but More), by its id;
// null for any other field.
std::string* FieldText(AddressFields& f, PersonField field);
const std::string* FieldText(const AddressFields& f, PersonField field);

enum class BirthdayField { Day, Month, Year };

struct FieldCheck {
    std::string text;         // what the field shows afterwards
    bool changeYear = false;  // "Change the year!" is due
};

// The check run when a birthday field is left and by every post. An empty
// field stays empty; other text becomes the decimal form of its whole number
// (0 when it is none, so "07" gives "7" and "x" gives "0"), then a day outside
// 1..31, a month outside 1..12 or a year below 1 is emptied; a year of 1..99
// or above 5000 is emptied with "Change the year!".
FieldCheck CheckBirthdayField(BirthdayField field, std::string_view text);

inline constexpr char kChangeTheYear[] = "Change the year!";

struct PostOutcome {
    AddressFields fields;     // the fields after the checks, as the view shows them again
    bool changeYear = false;  // the year check asked for "Change the year!"
    bool created = false;     // the list was empty and got its first record
    int current = 0;          // CurrentAddress after the sort
};

// The post command: checks year, month and day, writes the fields into the
// record at CurrentAddress (a new record when the list is empty), keeps what
// the view has no field for (Postal, Tele3, the identity), rebuilds DateText
// and sorts with the record kept current. The caller saves data.orv and
// refreshes the views.
PostOutcome PostAddress(RecordStore& store, const AddressFields& fields);

// What a post stores: the fields the user changed (`now` differs from what
// the view showed, `shown`) as typed, every other one as `stored` holds it,
// so that a post without an edit changes no byte of the record.
AddressFields EditedFields(const AData& stored, const AddressFields& shown, const AddressFields& now);

// Many people at once, each as an insert followed by a post would store them,
// sorted once at the end with the last one current. `uids`, where given, is
// each person's identity (an empty one is assigned by the save). Returns how
// many years the checks emptied with "Change the year!".
int AddAddresses(RecordStore& store, const std::vector<AddressFields>& people, const std::vector<std::string>& uids = {});

// The insert command: an empty record (empty DateText, so it sorts first)
// becomes current. Returns CurrentAddress.
int InsertAddress(RecordStore& store);

// Removes the current record and keeps CurrentAddress inside the list (the
// record before it when the last one went). The view first makes sure that
// the shown name, surname and address are the stored ones. False on an empty list.
bool RemoveCurrentAddress(RecordStore& store);

// CurrentAddress moved into the list (0 for an empty one), as ShowAddress does.
int ClampCurrentAddress(RecordStore& store);

// The date check of "Check dates" for one address.
bool BirthdayFitsMonth(const AData& a);

// "Check dates": every address whose birthday day does not fit its month, in
// list order (February measured in the birth year, or in 2000 without one);
// a day or month of 0 always passes, a month above 12 fails.
std::vector<int> IncorrectBirthdays(const std::vector<AData>& addresses);

// The address block of the copy and print commands: first name and surname
// (always, with a blank between), then address, postal code and city, and
// country where filled.
std::vector<std::string> AddressBlock(const AddressFields& f);

enum class CopyLevel {
    Address,  // "Address": the block
    All,      // "Copy all": with birthday and telephone lines
    AllInfo,  // "Copy all info": and the additional information
};

// The lines a copy command puts on the clipboard. The birthday line needs day
// and month; without a year it is the date without the year.
std::vector<std::string> CopyLines(const AddressFields& f, CopyLevel level, const DateSettings& settings);

// The lines of a multi-line field: split at line breaks; a final line break
// does not start another line and an empty text has none.
std::vector<std::string> MemoLines(std::string_view text);
std::string MemoText(const std::vector<std::string>& lines);

}  // namespace orv
