#include "engine/addressbook.h"

#include "engine/dates.h"
#include "store/textutil.h"

namespace orv {

namespace {

std::string NumberText(std::int32_t n) { return n == 0 ? std::string() : std::to_string(n); }

std::int32_t FieldNumber(const std::string& text) { return text.empty() ? 0 : ParseInt32(text).value_or(0); }

// A stored value as the view shows it, and the view's text stored.
std::string Shown(std::int32_t n) { return NumberText(n); }
template <class T>
const T& Shown(const T& value) { return value; }
void Store(std::int32_t& n, const std::string& text) { n = FieldNumber(text); }
template <class T>
void Store(T& value, const T& shown) { value = shown; }

template <class Fields>
auto TextOf(Fields& f, PersonField id) -> decltype(&f.Name)
{
    decltype(&f.Name) text = nullptr;
    ForEachShownText([&](const PersonFieldInfo& info, auto field) {
        if (info.id == id) text = &field(f);
    });
    return text;
}

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
    ForEachShownField([&](const PersonFieldInfo&, auto field) { Store(field(a), field(f)); });
    BuildDateText(a);
}

AddressFields FieldsOf(const AData& a)
{
    AddressFields f;
    ForEachShownField([&](const PersonFieldInfo&, auto field) { field(f) = Shown(field(a)); });
    return f;
}

std::string* FieldText(AddressFields& f, PersonField id) { return TextOf(f, id); }
const std::string* FieldText(const AddressFields& f, PersonField id) { return TextOf(f, id); }

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
    ForEachShownField([&](const PersonFieldInfo&, auto field) {
        if (field(now) != field(shown)) field(out) = field(now);
    });
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
