#include "engine/peoplesearch.h"

namespace orv {

namespace {

bool Occurs(std::string_view t, std::string_view field) { return UpPos(t, field) >= 1; }

bool Matches(const AData& a, SearchField field, std::string_view text, std::string_view compact)
{
    switch (field) {
    case SearchField::FirstName: return Occurs(text, a.Name);
    case SearchField::Surname: return Occurs(text, a.Surname);
    case SearchField::Telephone: return Occurs(compact, StrtoTele(a.Tele1)) || Occurs(compact, StrtoTele(a.Tele2));
    case SearchField::Email:
        return Occurs(compact, StrtoTele(a.Email1)) || Occurs(compact, StrtoTele(a.Email2)) ||
               Occurs(compact, StrtoTele(a.Email3));
    }
    return false;
}

}  // namespace

std::vector<PersonHit> SearchPeople(const EventIndex& index, SearchField field, std::string_view text)
{
    const auto& list = index.store().addresses();
    const std::string compact = StrtoTele(text);
    std::vector<PersonHit> hits;
    for (int i : index.PeopleOrder()) {
        const AData& a = list[static_cast<std::size_t>(i)];
        if (!text.empty() && !Matches(a, field, text, compact)) continue;
        std::string name;
        name.reserve(a.Name.size() + 1 + a.Surname.size());
        name.append(a.Name).append(1, ' ').append(a.Surname);
        hits.push_back(PersonHit{std::move(name), i});
    }
    return hits;
}

std::vector<HintHit> SearchHints(const RecordStore& store, std::string_view text, const DateSettings& settings)
{
    std::vector<HintHit> hits;
    const auto& list = store.calendar();
    for (std::size_t i = list.size(); i-- > 0;) {
        const ACal& c = list[i];
        if (text.empty() ? c.Hint.empty() : !Occurs(text, c.Hint)) continue;
        hits.push_back(HintHit{c.Hint, static_cast<int>(i), ELongDate(c.Year, c.Month, c.Day, settings)});
    }
    return hits;
}

void AddressSummary(std::vector<std::string>& lines, const AData& a)
{
    lines.push_back(a.Name + " " + a.Surname);
    if (!a.Address.empty()) lines.push_back(a.Address);
    if (!a.City.empty()) lines.push_back(a.City);
    if (!a.Country.empty()) lines.push_back(a.Country);
    // A second number alone still gets its phone line rather than vanishing.
    if (!a.Tele1.empty()) lines.push_back("Phone#: " + a.Tele1 + (a.Tele2.empty() ? "" : ", " + a.Tele2));
    else if (!a.Tele2.empty()) lines.push_back("Phone#: " + a.Tele2);
    if (!a.Email1.empty()) lines.push_back("Email: " + a.Email1);
}

}  // namespace orv
