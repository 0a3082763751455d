#include "engine/peoplesearch.h"

#include "store/utf8.h"

namespace orv {

namespace {

bool Occurs(std::string_view t, std::string_view field) { return UpPos(t, field) >= 1; }

// Typed text and stored text meet decoded: a stored text is UTF-8, or
// Windows-1252 where it is not valid UTF-8. Only the rare Windows-1252 text
// costs a conversion; the scratch buffer is reused across the whole search.
class Matcher {
public:
    Matcher(SearchField field, std::string_view text)
        : field_(field), text_(StoredAsUtf8(text)), compact_(StrtoTele(text_))
    {
        // Numbers and e-mail addresses are looked for in every such field the view shows.
        const Contact contact = field == SearchField::Telephone ? Contact::Phone
                              : field == SearchField::Email     ? Contact::Email
                                                                : Contact::None;
        if (contact == Contact::None) return;
        for (const PersonFieldInfo& f : kPersonFields)
            if (f.shown && f.contact == contact) contacts_.push_back(f.text);
    }

    bool operator()(const AData& a)
    {
        switch (field_) {
        case SearchField::FirstName: return Occurs(text_, Decoded(a.Name));
        case SearchField::Surname: return Occurs(text_, Decoded(a.Surname));
        case SearchField::Telephone:
        case SearchField::Email:
            for (const auto member : contacts_)
                if (Compact(a.*member)) return true;
            return false;
        }
        return false;
    }

private:
    std::string_view Decoded(std::string_view stored) { return StoredAsUtf8(stored, scratch_); }
    bool Compact(std::string_view stored) { return Occurs(compact_, StrtoTele(Decoded(stored))); }

    SearchField field_;
    std::string text_;
    std::string compact_;
    std::vector<std::string AData::*> contacts_;  // the fields of a telephone or e-mail search
    std::string scratch_;
};

}  // namespace

std::vector<PersonHit> SearchPeople(const EventIndex& index, SearchField field, std::string_view text)
{
    const auto& list = index.store().addresses();
    Matcher matches(field, text);
    std::vector<PersonHit> hits;
    for (int i : index.PeopleOrder()) {
        const AData& a = list[static_cast<std::size_t>(i)];
        if (!text.empty() && !matches(a)) continue;
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
    const std::string typed = StoredAsUtf8(text);
    std::string scratch;
    const auto& list = store.calendar();
    for (std::size_t i = list.size(); i-- > 0;) {
        const ACal& c = list[i];
        if (text.empty() ? c.Hint.empty() : !Occurs(typed, StoredAsUtf8(c.Hint, scratch))) continue;
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
