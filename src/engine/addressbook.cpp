#include "engine/addressbook.h"

#include "engine/dates.h"
#include "store/textutil.h"

namespace orv {

namespace {

std::string NumberText(std::int32_t n) { return n == 0 ? std::string() : std::to_string(n); }

std::int32_t FieldNumber(const std::string& text) { return text.empty() ? 0 : ParseInt32(text).value_or(0); }

}  // namespace

bool BirthdayFitsMonth(const AData& a)
{
    if (a.Day == 0 || a.Month == 0) return true;
    if (a.Month < 0 || a.Month > 12 || a.Day < 0) return false;
    // Without a birth year, 29 February must pass: 2000 is a leap year.
    return a.Day <= DaysInMonth(a.Year != 0 ? a.Year : 2000, a.Month);
}

void StoreFields(AData& a, const AddressFields& f)
{
    a.Name = f.Name;
    a.Surname = f.Surname;
    a.Address = f.Address;
    a.Day = FieldNumber(f.Day);
    a.Month = FieldNumber(f.Month);
    a.Year = FieldNumber(f.Year);
    BuildDateText(a);
    a.City = f.City;
    // Postal and Tele3 have no field in the view: they stay as stored.
    a.Country = f.Country;
    a.Tele1 = f.Tele1;
    a.Tele2 = f.Tele2;
    a.Email1 = f.Email1;
    a.Email2 = f.Email2;
    a.Email3 = f.Email3;
    a.More = f.More;
}

AddressFields FieldsOf(const AData& a)
{
    AddressFields f;
    f.Name = a.Name;
    f.Surname = a.Surname;
    f.Day = NumberText(a.Day);
    f.Month = NumberText(a.Month);
    f.Year = NumberText(a.Year);
    f.Address = a.Address;
    f.City = a.City;
    f.Country = a.Country;
    f.Tele1 = a.Tele1;
    f.Tele2 = a.Tele2;
    f.Email1 = a.Email1;
    f.Email2 = a.Email2;
    f.Email3 = a.Email3;
    f.More = a.More;
    return f;
}

FieldCheck CheckBirthdayField(BirthdayField field, std::string_view text)
{
    if (text.empty()) return {};
    const std::int32_t value = ParseInt32(text).value_or(0);
    FieldCheck check{std::to_string(value), false};
    switch (field) {
    case BirthdayField::Day:
        if (value < 1 || value > 31) check.text.clear();
        break;
    case BirthdayField::Month:
        if (value < 1 || value > 12) check.text.clear();
        break;
    case BirthdayField::Year:
        if (value < 1) {
            check.text.clear();
        } else if (value < 100 || value > 5000) {
            // Two-digit years are refused rather than guessed at.
            check.text.clear();
            check.changeYear = true;
        }
        break;
    }
    return check;
}

namespace {

// The field checks of a post, year first (it alone can ask for another year).
AddressFields Checked(const AddressFields& fields, bool& changeYear)
{
    AddressFields f = fields;
    const FieldCheck year = CheckBirthdayField(BirthdayField::Year, fields.Year);
    f.Year = year.text;
    changeYear = year.changeYear;
    f.Month = CheckBirthdayField(BirthdayField::Month, fields.Month).text;
    f.Day = CheckBirthdayField(BirthdayField::Day, fields.Day).text;
    return f;
}

}  // namespace

PostOutcome PostAddress(RecordStore& store, const AddressFields& fields)
{
    PostOutcome out;
    out.fields = Checked(fields, out.changeYear);
    std::vector<AData>& list = store.editAddresses();
    if (list.empty()) {
        list.emplace_back();
        store.CurrentAddress = 0;
        out.created = true;
    }
    ClampCurrentAddress(store);
    StoreFields(list[static_cast<std::size_t>(store.CurrentAddress)], out.fields);
    store.SortAddresses();
    out.current = store.CurrentAddress;
    return out;
}

AddressFields EditedFields(const AData& stored, const AddressFields& shown, const AddressFields& now)
{
    AddressFields out = FieldsOf(stored);
    const auto take = [&](auto AddressFields::*field) {
        if (now.*field != shown.*field) out.*field = now.*field;
    };
    take(&AddressFields::Name);
    take(&AddressFields::Surname);
    take(&AddressFields::Day);
    take(&AddressFields::Month);
    take(&AddressFields::Year);
    take(&AddressFields::Address);
    take(&AddressFields::City);
    take(&AddressFields::Country);
    take(&AddressFields::Tele1);
    take(&AddressFields::Tele2);
    take(&AddressFields::Email1);
    take(&AddressFields::Email2);
    take(&AddressFields::Email3);
    take(&AddressFields::More);
    return out;
}

int AddAddresses(RecordStore& store, const std::vector<AddressFields>& people, const std::vector<std::string>& uids)
{
    if (people.empty()) return 0;
    int changeYear = 0;
    std::vector<AData>& list = store.editAddresses();
    list.reserve(list.size() + people.size());
    for (std::size_t i = 0; i < people.size(); ++i) {
        bool asked = false;
        AData a;
        StoreFields(a, Checked(people[i], asked));
        if (i < uids.size()) a.Uid = uids[i];
        changeYear += asked ? 1 : 0;
        list.push_back(std::move(a));
    }
    store.CurrentAddress = static_cast<int>(list.size()) - 1;
    store.SortAddresses();
    return changeYear;
}

int InsertAddress(RecordStore& store)
{
    std::vector<AData>& list = store.editAddresses();
    list.emplace_back();
    store.CurrentAddress = static_cast<int>(list.size()) - 1;
    store.SortAddresses();
    return store.CurrentAddress;
}

bool RemoveCurrentAddress(RecordStore& store)
{
    if (store.addresses().empty()) return false;
    ClampCurrentAddress(store);
    std::vector<AData>& list = store.editAddresses();
    list.erase(list.begin() + store.CurrentAddress);
    ClampCurrentAddress(store);
    return true;
}

int ClampCurrentAddress(RecordStore& store)
{
    const int count = static_cast<int>(store.addresses().size());
    int& current = store.CurrentAddress;
    if (current > count - 1) current = count - 1;
    if (current < 0) current = 0;
    return current;
}

std::vector<int> IncorrectBirthdays(const std::vector<AData>& addresses)
{
    std::vector<int> wrong;
    for (std::size_t i = 0; i < addresses.size(); ++i)
        if (!BirthdayFitsMonth(addresses[i])) wrong.push_back(static_cast<int>(i));
    return wrong;
}

std::vector<std::string> AddressBlock(const AddressFields& f)
{
    std::vector<std::string> lines{f.Name + " " + f.Surname};
    for (const std::string* part : {&f.Address, &f.City, &f.Country})
        if (!part->empty()) lines.push_back(*part);
    return lines;
}

std::vector<std::string> CopyLines(const AddressFields& f, CopyLevel level, const DateSettings& settings)
{
    std::vector<std::string> lines = AddressBlock(f);
    if (level == CopyLevel::Address) return lines;
    const auto day = ParseInt32(f.Day);
    const auto month = ParseInt32(f.Month);
    const auto year = ParseInt32(f.Year);
    if (day && month) {
        lines.push_back("Birthday: " + (year ? ELongDate(*year, *month, *day, settings) : EShortDate(*month, *day, settings)));
    }
    if (!f.Tele1.empty()) lines.push_back("Phone#: " + f.Tele1);
    if (!f.Tele2.empty()) lines.push_back("2.Phone#: " + f.Tele2);
    if (level == CopyLevel::AllInfo && !f.More.empty()) {
        lines.emplace_back(" ");
        lines.insert(lines.end(), f.More.begin(), f.More.end());
    }
    return lines;
}

std::vector<std::string> MemoLines(std::string_view text)
{
    std::vector<std::string> lines;
    for (std::string_view line : SplitLines(text)) lines.emplace_back(line);
    return lines;
}

std::string MemoText(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) text += '\n';
        text += lines[i];
    }
    return text;
}

}  // namespace orv
