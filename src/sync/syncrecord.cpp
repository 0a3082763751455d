#include "sync/syncrecord.h"

#include <algorithm>
#include <functional>

#include "store/dataformat.h"
#include "store/utf8.h"

namespace orv::sync {

namespace {

// One named group of a kind's fields: how to read it for comparing, and how
// to take it from another version.
template <class Rec>
struct Field {
    std::string_view name;
    std::function<std::string(const Rec&)> read;
    std::function<void(Rec&, const Rec&)> take;
};

std::string Joined(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& l : lines) out += StoredAsUtf8(l) + '\n';
    return out;
}

template <class Rec, class... M>
Field<Rec> Group(const char* name, M Rec::*... members)
{
    return {name,
            [=](const Rec& r) {
                std::string out;
                ((out += [&] {
                      const auto& v = r.*members;
                      using V = std::decay_t<decltype(v)>;
                      if constexpr (std::is_same_v<V, std::string>) return StoredAsUtf8(v);
                      else if constexpr (std::is_same_v<V, std::vector<std::string>>) return Joined(v);
                      else return std::to_string(v);
                  }() + '\x1f'),
                 ...);
                return out;
            },
            [=](Rec& to, const Rec& from) { ((to.*members = from.*members), ...); }};
}

template <class Rec>
const std::vector<Field<Rec>>& FieldsOf();

template <>
const std::vector<Field<ACal>>& FieldsOf()
{
    static const std::vector<Field<ACal>> f{Group("when", &ACal::Day, &ACal::Month, &ACal::Year, &ACal::Date, &ACal::DateText),
                                            Group("hint", &ACal::Hint), Group("priority", &ACal::Priority),
                                            Group("more", &ACal::More)};
    return f;
}
template <>
const std::vector<Field<AWeek>>& FieldsOf()
{
    static const std::vector<Field<AWeek>> f{Group("when", &AWeek::Weekday, &AWeek::WeekNr), Group("hint", &AWeek::Hint)};
    return f;
}
template <>
const std::vector<Field<AMonth>>& FieldsOf()
{
    static const std::vector<Field<AMonth>> f{Group("when", &AMonth::Day, &AMonth::Month, &AMonth::Year),
                                              Group("hint", &AMonth::Hint)};
    return f;
}
template <>
const std::vector<Field<AYear>>& FieldsOf()
{
    static const std::vector<Field<AYear>> f{Group("when", &AYear::Month, &AYear::Day, &AYear::Year),
                                             Group("hint", &AYear::Hint)};
    return f;
}
template <>
const std::vector<Field<AAdv>>& FieldsOf()
{
    static const std::vector<Field<AAdv>> f{Group("when", &AAdv::FromEnd, &AAdv::Down, &AAdv::Month, &AAdv::Day),
                                            Group("hint", &AAdv::Hint)};
    return f;
}
// A person's value as it is compared.
std::string ValueText(const AData& r, const PersonFieldInfo& f)
{
    switch (f.kind) {
    case PersonKind::Text: return StoredAsUtf8(r.*f.text);
    case PersonKind::Number: return std::to_string(r.*f.number);
    case PersonKind::Lines: break;
    }
    return Joined(r.*f.lines);
}

// A person's fields as their table (store/personfields.h) names them for the
// sync, the fields of one name (the birthday's) read and taken together, the
// birthday with the sort key made of it. They are named in table order, but a
// group of several fields after the single ones and the lines last.
std::vector<Field<AData>> PersonGroups()
{
    std::vector<std::vector<const PersonFieldInfo*>> groups;
    for (const PersonFieldInfo& f : kPersonFields) {
        const auto same = [&](const auto& g) { return g.front()->sync == f.sync; };
        const auto group = std::find_if(groups.begin(), groups.end(), same);
        if (group == groups.end()) groups.push_back({&f});
        else group->push_back(&f);
    }
    const auto rank = [](const std::vector<const PersonFieldInfo*>& g) {
        return g.front()->kind == PersonKind::Lines ? 2 : g.size() > 1 ? 1 : 0;
    };
    std::stable_sort(groups.begin(), groups.end(), [&](const auto& a, const auto& b) { return rank(a) < rank(b); });
    std::vector<Field<AData>> out;
    for (const auto& g : groups) {
        const bool birthday = std::any_of(g.begin(), g.end(), [](const PersonFieldInfo* f) {
            return f->id == PersonField::Day || f->id == PersonField::Month;
        });
        out.push_back({g.front()->sync,
                       [g, birthday](const AData& r) {
                           std::string text;
                           for (const PersonFieldInfo* f : g) text += ValueText(r, *f) + '\x1f';
                           if (birthday) text += StoredAsUtf8(r.DateText) + '\x1f';
                           return text;
                       },
                       [g, birthday](AData& to, const AData& from) {
                           for (const PersonFieldInfo* f : g) CopyField(to, from, *f);
                           if (birthday) to.DateText = from.DateText;
                       }});
    }
    return out;
}

template <>
const std::vector<Field<AData>>& FieldsOf()
{
    static const std::vector<Field<AData>> f = PersonGroups();
    return f;
}

template <class Rec>
std::vector<std::string> Changed(const Rec& a, const Rec& b)
{
    std::vector<std::string> out;
    for (const auto& f : FieldsOf<Rec>())
        if (f.read(a) != f.read(b)) out.emplace_back(f.name);
    return out;
}

template <class Rec>
Merged<Rec> Merge(const Rec* base, const Rec& local, const Rec& server)
{
    Merged<Rec> m{local, {}};
    for (const auto& f : FieldsOf<Rec>()) {
        const std::string l = f.read(local), s = f.read(server);
        if (l == s) continue;
        if (base && f.read(*base) == l) f.take(m.record, server);  // only the server changed it
        else if (!base || f.read(*base) != s) m.conflicts.emplace_back(f.name);
    }
    return m;
}

constexpr std::string_view kKinds[] = {"cal", "week", "month", "year", "adv"};

template <class Rec>
std::optional<Rec> ParseOne(std::string_view text)
{
    std::vector<Rec> list;
    if (!ParseDataText(text, list).ok || list.size() != 1) return std::nullopt;
    return list.front();
}

}  // namespace

const std::string& UidOf(const EventRecord& r)
{
    return std::visit([](const auto& x) -> const std::string& { return x.Uid; }, r);
}

void SetUid(EventRecord& r, std::string uid)
{
    std::visit([&](auto& x) { x.Uid = std::move(uid); }, r);
}

std::string_view HintOf(const EventRecord& r)
{
    return std::visit([](const auto& x) -> std::string_view { return x.Hint; }, r);
}

std::string RecordText(const EventRecord& r)
{
    return std::string(kKinds[r.index()]) + "\n" +
           std::visit([](const auto& x) { return SerializeDataText(std::vector{x}); }, r);
}

std::string RecordText(const AData& r) { return SerializeDataText(std::vector{r}); }

std::optional<EventRecord> EventFromText(std::string_view text)
{
    const std::size_t nl = text.find('\n');
    if (nl == std::string_view::npos) return std::nullopt;
    const std::string_view kind = text.substr(0, nl), body = text.substr(nl + 1);
    const auto wrap = [](auto rec) -> std::optional<EventRecord> {
        if (!rec) return std::nullopt;
        return EventRecord{*rec};
    };
    if (kind == "cal") return wrap(ParseOne<ACal>(body));
    if (kind == "week") return wrap(ParseOne<AWeek>(body));
    if (kind == "month") return wrap(ParseOne<AMonth>(body));
    if (kind == "year") return wrap(ParseOne<AYear>(body));
    if (kind == "adv") return wrap(ParseOne<AAdv>(body));
    return std::nullopt;
}

std::optional<AData> PersonFromText(std::string_view text) { return ParseOne<AData>(text); }

bool SameContent(const EventRecord& a, const EventRecord& b) { return ChangedFields(a, b).empty(); }
bool SameContent(const AData& a, const AData& b) { return ChangedFields(a, b).empty(); }

std::vector<std::string> ChangedFields(const EventRecord& from, const EventRecord& to)
{
    if (from.index() != to.index()) return {"kind"};
    return std::visit(
        [&](const auto& a) {
            using Rec = std::decay_t<decltype(a)>;
            return Changed(a, std::get<Rec>(to));
        },
        from);
}

std::vector<std::string> ChangedFields(const AData& from, const AData& to) { return Changed(from, to); }

Merged<EventRecord> MergeRecords(const EventRecord* base, const EventRecord& local, const EventRecord& server)
{
    if (local.index() != server.index()) {
        // Another list on one side: the whole record is the one field.
        if (base && SameContent(*base, local)) {
            EventRecord taken = server;
            SetUid(taken, UidOf(local));
            return {taken, {}};
        }
        if (base && SameContent(*base, server)) return {local, {}};
        return {local, {"kind"}};
    }
    return std::visit(
        [&](const auto& l) -> Merged<EventRecord> {
            using Rec = std::decay_t<decltype(l)>;
            const Rec* b = base && base->index() == local.index() ? &std::get<Rec>(*base) : nullptr;
            if (base && !b) {
                // The base was of another kind: both sides changed the kind.
                return {local, {"kind"}};
            }
            Merged<Rec> m = Merge(b, l, std::get<Rec>(server));
            return {EventRecord{m.record}, m.conflicts};
        },
        local);
}

Merged<AData> MergeRecords(const AData* base, const AData& local, const AData& server)
{
    return Merge(base, local, server);
}

}  // namespace orv::sync
