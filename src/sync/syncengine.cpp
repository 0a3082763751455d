#include "sync/syncengine.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "store/dataformat.h"
#include "store/utf8.h"
#include "sync/calendaritems.h"
#include "sync/carditems.h"
#include "sync/contentlines.h"
#include "sync/syncrecord.h"

namespace orv::sync {

namespace {

using Role = ItemState::Role;

constexpr char kBirthday[] = "birthday-";

std::string WithoutStamp(const std::string& text)
{
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        end = end == std::string::npos ? text.size() : end + 1;
        if (text.compare(at, 8, "DTSTAMP:") != 0) out.append(text, at, end - at);
        at = end;
    }
    return out;
}

// A file name for a new item from its identity: letters, digits, '-' and
// '_' kept, anything else as %XX, so that every server takes it.
std::string ItemName(const std::string& uid)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : uid) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

std::string Quoted(std::string_view text) { return "'" + StoredAsUtf8(text) + "'"; }

// --- the two collections, seen alike by the run below ----------------------

// What a server object is to ORV.
template <class Rec>
struct Seen {
    Role role = Role::Foreign;
    std::optional<Rec> record;
    std::vector<Rec> standIns;
    std::string summary, reason;
};

class Calendar {
public:
    using Rec = EventRecord;
    static constexpr bool kCalendar = true;
    static constexpr const char* kSuffix = ".ics";

    Calendar(RecordStore& store, const SyncOptions& o) : store_(store)
    {
        export_.stamp = o.stamp;
        export_.weeks = o.weeks;
        export_.from = export_.to = o.today;
        const auto index = [&](const auto& list) {
            for (const auto& r : list)
                if (!r.Uid.empty()) records_.emplace(StoredAsUtf8(r.Uid), EventRecord{r});
        };
        index(store.calendar());
        index(store.weekly());
        index(store.monthly());
        index(store.annual());
        index(store.advanced());
        for (const AData& a : store.addresses())
            if (!a.Uid.empty() && (a.Day != 0 || a.Month != 0)) birthdays_.emplace(kBirthday + StoredAsUtf8(a.Uid), a);
        read_.today = o.today;
        read_.from = AddDays(o.today, -366);
        read_.to = AddDays(o.today, 5 * 366);
        read_.weeks = o.weeks;
    }

    std::vector<std::string> LocalUids() const
    {
        std::vector<std::string> out;
        out.reserve(records_.size() + birthdays_.size());
        for (const auto& [uid, r] : records_) out.push_back(uid);
        for (const auto& [uid, a] : birthdays_) out.push_back(uid);
        return out;
    }
    bool Has(const std::string& uid) const { return records_.count(uid) != 0 || birthdays_.count(uid) != 0; }
    std::optional<Rec> Record(const std::string& uid) const
    {
        const auto it = records_.find(uid);
        return it == records_.end() ? std::nullopt : std::optional<Rec>(it->second);
    }
    Role RoleOf(const std::string& uid) const { return records_.count(uid) ? Role::Record : Role::Birthday; }
    // What the state keeps to tell a local change: the record, or what a
    // birthday's event is made of (the name and the date).
    std::string StateText(const std::string& uid) const
    {
        if (const auto it = records_.find(uid); it != records_.end()) return RecordText(it->second);
        const auto b = birthdays_.find(uid);
        if (b == birthdays_.end()) return {};
        const AData& a = b->second;
        return "birthday\n" + a.Name + '\x1f' + a.Surname + '\x1f' + std::to_string(a.Day) + '/' +
               std::to_string(a.Month) + '/' + std::to_string(a.Year);
    }
    std::string NewItem(const std::string& uid) const { return Text(uid); }

    Seen<Rec> Read(const std::string& text, const Rec*) const
    {
        const ServerEvent e = ReadServerEvent(text, read_);
        Seen<Rec> s;
        s.summary = e.summary;
        s.reason = e.reason;
        switch (e.role) {
        case ServerEvent::Role::Record: s.role = Role::Record; s.record = e.record; break;
        case ServerEvent::Role::Birthday: s.role = Role::Birthday; break;
        case ServerEvent::Role::Dates: s.role = Role::StandIns; s.standIns = e.standIns; break;
        case ServerEvent::Role::Foreign: s.role = Role::Foreign; break;
        }
        return s;
    }

    std::string Patch(const std::string& server, const Rec* base, const std::string& uid) const
    {
        const std::string local = Text(uid);
        if (local.empty()) return {};  // an event that never occurs is not written
        const auto it = records_.find(uid);
        if (it == records_.end() || !base) {
            // A birthday: ORV owns its summary and dates, the server the rest.
            return PatchEvent(server, local, {"kind"}, nullptr, nullptr);
        }
        return PatchEvent(server, local, ChangedFields(*base, it->second), base, &it->second);
    }

    // Replaces (or adds) the record of `uid` and keeps the snapshot in step.
    void Put(const Rec& r)
    {
        const std::string uid = StoredAsUtf8(UidOf(r));
        pending_[UidOf(r)] = r;
        records_[uid] = r;
        texts_.erase(uid);
        changed_.insert(uid);
    }
    void Drop(const std::string& uid)
    {
        pending_[uid] = std::nullopt;
        records_.erase(uid);
        texts_.erase(uid);
        changed_.insert(uid);
    }

    std::string Summary(const Rec& r) const { return Quoted(HintOf(r)); }

    // Writes the pending changes into the lists; returns the kinds changed.
    std::vector<DataKind> Apply()
    {
        std::set<DataKind> kinds;
        const auto apply = [&](auto& list, DataKind kind) {
            using R = typename std::decay_t<decltype(list)>::value_type;
            bool changed = false;
            std::vector<R> kept;
            kept.reserve(list.size());
            for (auto& r : list) {
                const auto it = pending_.find(r.Uid);
                if (it == pending_.end()) {
                    kept.push_back(std::move(r));
                    continue;
                }
                changed = true;
                if (it->second && std::holds_alternative<R>(*it->second)) {
                    kept.push_back(std::get<R>(*it->second));
                    it->second.reset();  // placed
                    done_.insert(it->first);
                }
            }
            for (auto& [uid, r] : pending_)
                if (r && std::holds_alternative<R>(*r) && !done_.count(uid)) {
                    kept.push_back(std::get<R>(*r));
                    done_.insert(uid);
                    changed = true;
                }
            if (changed) {
                list = std::move(kept);
                kinds.insert(kind);
            }
        };
        if (pending_.empty()) return {};
        std::vector<ACal> cal = store_.calendar();
        apply(cal, DataKind::Calendar);
        if (kinds.count(DataKind::Calendar)) {
            for (ACal& c : cal) EncodeCalendarDate(c);
            store_.editCalendar() = std::move(cal);
            store_.SortCalendar();
        }
        // Each list is copied out and back so that an untouched one keeps its generation.
        const auto through = [&](const auto& list, auto edit, DataKind kind) {
            auto copy = list;
            apply(copy, kind);
            if (kinds.count(kind)) edit() = std::move(copy);
        };
        through(store_.weekly(), [&]() -> auto& { return store_.editWeekly(); }, DataKind::Weekly);
        through(store_.monthly(), [&]() -> auto& { return store_.editMonthly(); }, DataKind::Monthly);
        through(store_.annual(), [&]() -> auto& { return store_.editAnnual(); }, DataKind::Annual);
        through(store_.advanced(), [&]() -> auto& { return store_.editAdvanced(); }, DataKind::Advanced);
        pending_.clear();
        return {kinds.begin(), kinds.end()};
    }

private:
    // The item of one event as the iCalendar export writes it. A run that
    // sends many (a first sync) exports all events at once, which costs far
    // less than one export each; one that sends a few exports only those.
    std::string Text(const std::string& uid) const
    {
        if (const auto it = texts_.find(uid); it != texts_.end()) return it->second;
        if (!bulk_ && ++singles_ > 64) {
            bulk_ = true;
            for (auto& [id, item] : EventItems(store_, export_))
                if (!changed_.count(id)) texts_.emplace(id, std::move(item));
            if (const auto it = texts_.find(uid); it != texts_.end()) return it->second;
        }
        RecordStore one;
        if (const auto r = records_.find(uid); r != records_.end()) {
            std::visit(
                [&](const auto& x) {
                    using R = std::decay_t<decltype(x)>;
                    if constexpr (std::is_same_v<R, ACal>) one.editCalendar().push_back(x);
                    else if constexpr (std::is_same_v<R, AWeek>) one.editWeekly().push_back(x);
                    else if constexpr (std::is_same_v<R, AMonth>) one.editMonthly().push_back(x);
                    else if constexpr (std::is_same_v<R, AYear>) one.editAnnual().push_back(x);
                    else one.editAdvanced().push_back(x);
                },
                r->second);
        } else if (const auto b = birthdays_.find(uid); b != birthdays_.end()) {
            one.editAddresses().push_back(b->second);
        }
        const auto items = EventItems(one, export_);
        const std::string text = items.empty() ? std::string() : items.begin()->second;
        texts_[uid] = text;
        return text;
    }

    RecordStore& store_;
    IcalExportOptions export_;
    IcalImportOptions read_;
    std::map<std::string, EventRecord> records_;
    std::map<std::string, AData> birthdays_;  // by the birthday's item UID
    mutable std::map<std::string, std::string> texts_;
    mutable bool bulk_ = false;
    mutable int singles_ = 0;
    std::set<std::string> changed_;  // put or dropped in this run: the lists no longer say them
    std::map<std::string, std::optional<Rec>> pending_;
    std::set<std::string> done_;
};

class AddressBook {
public:
    using Rec = AData;
    static constexpr bool kCalendar = false;
    static constexpr const char* kSuffix = ".vcf";

    AddressBook(RecordStore& store, const SyncOptions&) : store_(store)
    {
        for (const AData& a : store.addresses())
            if (!a.Uid.empty()) local_.emplace(StoredAsUtf8(a.Uid), a);
    }

    std::vector<std::string> LocalUids() const
    {
        std::vector<std::string> out;
        for (const auto& [uid, a] : local_) out.push_back(uid);
        return out;
    }
    bool Has(const std::string& uid) const { return local_.count(uid) != 0; }
    std::optional<Rec> Record(const std::string& uid) const
    {
        const auto it = local_.find(uid);
        return it == local_.end() ? std::nullopt : std::optional<Rec>(it->second);
    }
    Role RoleOf(const std::string&) const { return Role::Record; }
    std::string StateText(const std::string& uid) const { return RecordText(local_.at(uid)); }
    std::string NewItem(const std::string& uid) const { return WriteCard(local_.at(uid)); }

    Seen<Rec> Read(const std::string& text, const Rec* local) const
    {
        Seen<Rec> s;
        s.record = ReadCard(text, local);
        if (s.record) {
            s.role = Role::Record;
            s.summary = Quoted(s.record->Name + (s.record->Name.empty() ? "" : " ") + s.record->Surname);
        } else {
            s.reason = "it holds no card";
        }
        return s;
    }

    std::string Patch(const std::string& server, const Rec* base, const std::string& uid) const
    {
        const AData& now = local_.at(uid);
        if (!base) return WriteCard(now);
        return PatchCard(server, ChangedFields(*base, now), *base, now);
    }

    void Put(const Rec& r)
    {
        pending_[r.Uid] = r;
        local_[r.Uid] = r;
    }
    void Drop(const std::string& uid)
    {
        pending_[uid] = std::nullopt;
        local_.erase(uid);
    }
    std::string Summary(const Rec& r) const { return Quoted(r.Name + (r.Name.empty() ? "" : " ") + r.Surname); }

    std::vector<DataKind> Apply()
    {
        if (pending_.empty()) return {};
        auto& list = store_.editAddresses();
        std::vector<AData> kept;
        kept.reserve(list.size());
        for (AData& a : list) {
            const auto it = pending_.find(a.Uid);
            if (it == pending_.end()) {
                kept.push_back(std::move(a));
            } else if (it->second) {
                kept.push_back(*it->second);
                pending_.erase(it);
            }
        }
        for (auto& [uid, a] : pending_)
            if (a) kept.push_back(*a);
        for (AData& a : kept) BuildDateText(a);
        list = std::move(kept);
        store_.SortAddresses();
        pending_.clear();
        return {DataKind::Addresses};
    }

private:
    RecordStore& store_;
    std::map<std::string, AData> local_;
    std::map<std::string, std::optional<Rec>> pending_;
};

// --- one collection's run ---------------------------------------------------

template <class Side>
class Run {
public:
    using Rec = typename Side::Rec;

    Run(SyncServer& server, Side& side, CollectionState& state, SyncOutcome& out, const SyncOptions& o)
        : server_(server), side_(side), state_(state), out_(out), options_(o)
    {
    }

    bool Go(const std::string& collection)
    {
        if (state_.href != collection) state_ = CollectionState{collection, {}, {}};
        collection_ = collection;
        if (!Listing()) return false;
        for (const auto& [href, item] : state_.items) {
            byUid_[item.uid] = href;
            standIns_.insert(item.standIns.begin(), item.standIns.end());
        }
        if (!FetchChanged()) return false;
        Match();
        // Every identity either side holds, each settled once.
        std::set<std::string> uids;
        for (const auto& [uid, href] : byUid_) uids.insert(uid);
        for (const auto& [href, text] : fetched_) uids.insert(fetchedUid_[href]);
        for (const std::string& uid : side_.LocalUids()) uids.insert(uid);
        for (const std::string& uid : uids) {
            if (Cancelled()) return Stop("The sync was cancelled.");
            if (!Settle(uid)) return false;
        }
        // Versions kept beside a conflict go to the server as new items.
        for (std::size_t i = 0; i < added_.size(); ++i)
            if (!Settle(added_[i])) return false;
        if (!newToken_.empty()) state_.token = newToken_;
        return true;
    }

private:
    bool Cancelled() const { return options_.cancel && options_.cancel->load(); }

    bool Stop(std::string message)
    {
        out_.ok = false;
        out_.message = std::move(message);
        return false;
    }

    bool Listing()
    {
        SyncServer::Listing l;
        bool complete = true;
        if (!state_.token.empty()) {
            l = server_.Changes(collection_, state_.token);
            complete = false;
            if (!l.ok && l.tokenInvalid) {
                l = server_.List(collection_);
                complete = true;
            }
        } else {
            l = server_.List(collection_);
        }
        if (!l.ok) return Stop(l.message);
        newToken_ = l.token;
        std::set<std::string> listed;
        for (const auto& [href, etag] : l.items) {
            listed.insert(href);
            const auto it = state_.items.find(href);
            if (it == state_.items.end() || it->second.etag != etag || etag.empty()) changed_.push_back(href);
        }
        if (complete) {
            for (const auto& [href, item] : state_.items)
                if (!listed.count(href)) gone_.insert(href);
        } else {
            for (const std::string& href : l.removed)
                if (state_.items.count(href)) gone_.insert(href);
        }
        return true;
    }

    bool FetchChanged()
    {
        constexpr std::size_t kBatch = 200;
        for (std::size_t i = 0; i < changed_.size(); i += kBatch) {
            if (Cancelled()) return Stop("The sync was cancelled.");
            const std::vector<std::string> batch(changed_.begin() + static_cast<std::ptrdiff_t>(i),
                                                 changed_.begin() + static_cast<std::ptrdiff_t>(std::min(changed_.size(), i + kBatch)));
            const SyncServer::Fetched f = server_.Fetch(collection_, batch, Side::kCalendar);
            if (!f.ok) return Stop(f.message);
            std::set<std::string> got;
            for (const auto& item : f.items) {
                got.insert(item.href);
                Take(item);
            }
            // Listed but gone when fetched: removed meanwhile.
            for (const std::string& href : batch)
                if (!got.count(href) && state_.items.count(href)) gone_.insert(href);
        }
        return true;
    }

    void Take(const SyncServer::Item& item)
    {
        std::string uid = ObjectUid(item.data);
        if (uid.empty()) uid = "href:" + item.href;  // an object without UID is known by its place
        fetched_[item.href] = item;
        fetchedUid_[item.href] = uid;
        const auto old = state_.items.find(item.href);
        if (old != state_.items.end() && old->second.uid != uid) {
            // Another object now stands at that place: the old one is gone.
            byUid_.erase(old->second.uid);
            gone_.insert(item.href);
        }
        byHrefNew_[uid] = item.href;
    }

    // A first sync meets items on the server that ORV holds under another
    // identity (an earlier import, another device's first sync): the same
    // record is one, not two.
    void Match()
    {
        std::map<std::string, std::string> unlinked;  // content -> local uid
        for (const std::string& uid : side_.LocalUids()) {
            if (byUid_.count(uid) || byHrefNew_.count(uid) || standIns_.count(uid)) continue;
            if (const auto r = side_.Record(uid)) unlinked.emplace(Content(*r), uid);
        }
        if (unlinked.empty()) return;
        for (const auto& [uid, href] : byHrefNew_) {
            if (byUid_.count(uid) || side_.Has(uid)) continue;
            const auto local = unlinked.end();
            const Seen<Rec> seen = side_.Read(fetched_[href].data, nullptr);
            if (!seen.record) continue;
            Rec r = *seen.record;
            const auto found = unlinked.find(Content(r));
            if (found == local) continue;
            // The local record takes the server's identity.
            Rec mine = *side_.Record(found->second);
            side_.Drop(found->second);
            SetId(mine, uid);
            side_.Put(mine);
            unlinked.erase(found);
        }
    }

    static std::string Content(const Rec& r)
    {
        Rec copy = r;
        SetId(copy, "");
        return RecordText(copy);
    }
    static void SetId(AData& r, const std::string& uid) { r.Uid = uid; }
    static void SetId(EventRecord& r, const std::string& uid) { SetUid(r, uid); }
    static const std::string& IdOf(const AData& r) { return r.Uid; }
    static const std::string& IdOf(const EventRecord& r) { return UidOf(r); }

    bool Settle(const std::string& uid)
    {
        // Records standing in for an event ORV cannot say are never sent.
        if (standIns_.count(uid)) return true;
        const auto known = byUid_.find(uid);
        const auto fetched = byHrefNew_.find(uid);
        ItemState* st = known == byUid_.end() ? nullptr : &state_.items[known->second];
        const std::string href = known != byUid_.end() ? known->second : fetched != byHrefNew_.end() ? fetched->second : "";
        const bool serverGone = st && gone_.count(href) && fetched == byHrefNew_.end();
        const SyncServer::Item* serverNew = fetched != byHrefNew_.end() ? &fetched_[fetched->second] : nullptr;

        if (st && st->role == Role::StandIns) return SettleStandIns(uid, href, *st, serverGone, serverNew);
        if (st && st->role == Role::Foreign) {
            if (serverGone) state_.items.erase(href);
            else if (serverNew) return Adopt(uid, *serverNew);
            return true;
        }

        const bool here = side_.Has(uid);
        const bool localChanged = here && (!st || side_.StateText(uid) != st->local);

        if (!st) {
            if (serverNew) return here ? BothNew(uid, *serverNew) : Adopt(uid, *serverNew);
            return here ? Send(uid, nullptr, "", nullptr) : true;
        }
        const std::optional<Rec> base = st->role == Role::Record ? FromText(st->local) : std::nullopt;
        if (serverGone) {
            if (!here) {
                state_.items.erase(href);
                return true;
            }
            if (localChanged || st->role == Role::Birthday) {
                if (st->role == Role::Record)
                    Note("Removed on the server but changed here, so kept and sent again: " + Name(uid));
                state_.items.erase(href);
                byUid_.erase(uid);
                return Send(uid, nullptr, "", nullptr);
            }
            side_.Drop(uid);
            ++out_.removedHere;
            state_.items.erase(href);
            return true;
        }
        if (!serverNew) {
            if (!here) return RemoveThere(uid, href, *st);
            if (!localChanged) return true;
            return Send(uid, base ? &*base : nullptr, st->server, &href, st->etag);
        }
        // The server's object changed.
        if (st->role == Role::Birthday) {
            // A birthday comes from the person: the server's additions stay,
            // ORV's fields are ORV's.
            if (!here) return RemoveThere(uid, href, *st, serverNew);
            st->server = serverNew->data;
            st->etag = serverNew->etag;
            if (!localChanged && side_.StateText(uid) == st->local) return true;
            return Send(uid, nullptr, st->server, &href, st->etag);
        }
        const std::optional<Rec> mine = side_.Record(uid);
        const Seen<Rec> seen = side_.Read(serverNew->data, mine ? &*mine : nullptr);
        if (!here) {
            if (seen.record && base && SameContent(*seen.record, *base)) return RemoveThere(uid, href, *st, serverNew);
            Note("Removed here but changed on the server, so kept: " + seen.summary);
            return Adopt(uid, *serverNew);
        }
        if (!localChanged || !seen.record) return Adopt(uid, *serverNew);
        return Merge(uid, base ? &*base : nullptr, *serverNew, *seen.record);
    }

    std::optional<Rec> FromText(const std::string& text) const
    {
        if constexpr (std::is_same_v<Rec, AData>) return PersonFromText(text);
        else return EventFromText(text);
    }

    std::string Name(const std::string& uid) const
    {
        const auto r = side_.Record(uid);
        return r ? side_.Summary(*r) : Quoted(uid);
    }

    void Note(std::string text) { out_.notes.push_back(std::move(text)); }

    // The server's object becomes (or stays) what ORV holds for it.
    bool Adopt(const std::string& uid, const SyncServer::Item& item)
    {
        const auto local = side_.Record(uid);
        const Seen<Rec> seen = side_.Read(item.data, local ? &*local : nullptr);
        ItemState st;
        st.uid = uid;
        st.etag = item.etag;
        st.server = item.data;
        st.role = seen.role;
        // What stood in for the old version goes; the new version's come.
        if (const auto old = state_.items.find(item.href); old != state_.items.end()) DropStandIns(old->second);
        if (seen.role == Role::Record) {
            Rec r = *seen.record;
            SetId(r, uid);
            side_.Put(r);
            st.local = side_.StateText(uid);
            ++out_.received;
        } else if (seen.role == Role::StandIns) {
            for (Rec r : seen.standIns) {
                st.standIns.push_back(IdOf(r));
                standIns_.insert(IdOf(r));
                side_.Put(r);
            }
            Note("Shown as its dates, and not sent back from here: " + Quoted(seen.summary) + " (" + seen.reason + ")");
            ++out_.received;
        } else if (seen.role == Role::Birthday) {
            if (side_.Has(uid)) st.local = side_.StateText(uid);
        }
        SetState(item.href, std::move(st));
        return true;
    }

    void SetState(const std::string& href, ItemState st)
    {
        byUid_[st.uid] = href;
        state_.items[href] = std::move(st);
    }

    bool SettleStandIns(const std::string& uid, const std::string& href, ItemState& st, bool gone,
                        const SyncServer::Item* now)
    {
        if (gone) {
            DropStandIns(st);
            state_.items.erase(href);
            return true;
        }
        if (now) return Adopt(uid, *now);
        return true;
    }

    // The records that stood in for an object go with it, except those the
    // user changed here: they have become records of their own.
    void DropStandIns(const ItemState& st)
    {
        if (st.standIns.empty()) return;
        std::map<std::string, std::string> shown;
        for (const Rec& r : side_.Read(st.server, nullptr).standIns) shown[IdOf(r)] = RecordText(r);
        for (const std::string& id : st.standIns) {
            const auto now = side_.Record(id);
            if (now && shown.count(id) && RecordText(*now) != shown[id]) continue;
            side_.Drop(id);
        }
    }

    bool BothNew(const std::string& uid, const SyncServer::Item& item)
    {
        const std::optional<Rec> local = side_.Record(uid);
        const Seen<Rec> seen = side_.Read(item.data, local ? &*local : nullptr);
        if (!seen.record || !local) {
            // A birthday both sides wrote, or an object ORV cannot hold
            // under the identity of a local record.
            if (seen.role == Role::Birthday) {
                SetState(item.href, ItemState{uid, item.etag, item.data, "", Role::Birthday, {}});
                if (WithoutStamp(item.data) != WithoutStamp(side_.NewItem(uid)))
                    return Send(uid, nullptr, item.data, &item.href, item.etag);
                state_.items[item.href].local = side_.StateText(uid);
                return true;
            }
            return Adopt(uid, item);
        }
        return Merge(uid, nullptr, item, *seen.record);
    }

    bool Merge(const std::string& uid, const Rec* base, const SyncServer::Item& item, const Rec& theirs, int attempt = 0)
    {
        const Rec mine = *side_.Record(uid);
        Merged<Rec> m = MergeRecords(base, mine, theirs);
        if (!m.conflicts.empty()) {
            // Both versions are kept: the server's as a record of its own.
            Rec other = theirs;
            SetId(other, uid + "-" + ShortStamp());
            side_.Put(other);
            added_.push_back(IdOf(other));
            std::string fields;
            for (const auto& f : m.conflicts) fields += (fields.empty() ? "" : ", ") + f;
            Note("Changed here and on the server (" + fields + "): both versions kept, " + side_.Summary(mine) +
                 " and " + side_.Summary(other));
            out_.needsUser = true;
        }
        SetId(m.record, uid);
        side_.Put(m.record);
        // The server's version is now the base the merged record is sent over.
        ItemState st{uid, item.etag, item.data, RecordText(theirs), Role::Record, {}};
        SetState(item.href, st);
        if (SameContent(m.record, theirs)) {
            state_.items[item.href].local = side_.StateText(uid);
            return true;
        }
        return Send(uid, &theirs, item.data, &item.href, item.etag, attempt);
    }

    std::string ShortStamp() { return std::to_string(options_.stamp) + "-" + std::to_string(++copies_); }

    // Writes the local version: over the server's object (`href`, If-Match
    // `etag`) or as a new object. A 412 fetches the newer object and merges
    // again, a few times at most.
    bool Send(const std::string& uid, const Rec* base, const std::string& serverText, const std::string* href,
              const std::string& etag = {}, int attempt = 0)
    {
        const bool fresh = href == nullptr;
        const std::string target = fresh ? collection_ + ItemName(uid) + Side::kSuffix : *href;
        const std::string data = fresh ? side_.NewItem(uid) : side_.Patch(serverText, base, uid);
        if (data.empty()) return true;  // nothing the server could hold
        const SyncServer::Written w = server_.Put(target, data, Side::kCalendar, fresh ? std::string() : etag);
        if (w.outcome == SyncServer::Written::Outcome::Failed) return Stop(w.message);
        if (w.outcome == SyncServer::Written::Outcome::Conflict) {
            if (attempt >= 3) return Stop("The server keeps changing " + Name(uid) + "; try the sync again later.");
            const SyncServer::Fetched f = server_.Fetch(collection_, {target}, Side::kCalendar);
            if (!f.ok) return Stop(f.message);
            if (f.items.empty()) return Send(uid, nullptr, "", nullptr, {}, attempt + 1);
            const SyncServer::Item& now = f.items.front();
            const auto local = side_.Record(uid);
            const Seen<Rec> seen = side_.Read(now.data, local ? &*local : nullptr);
            if (fresh && ObjectUid(now.data) != uid) {
                return Stop("The server holds another object at " + target + ".");
            }
            if (!seen.record || !local) return Send(uid, nullptr, now.data, &now.href, now.etag, attempt + 1);
            const std::optional<Rec> b = base ? std::optional<Rec>(*base) : std::nullopt;
            return Merge(uid, b ? &*b : nullptr, now, *seen.record, attempt + 1);
        }
        ItemState st;
        st.uid = uid;
        st.etag = w.etag;
        st.server = data;
        st.role = side_.RoleOf(uid);
        st.local = side_.StateText(uid);
        SetState(target, std::move(st));
        ++out_.sent;
        return true;
    }

    bool RemoveThere(const std::string& uid, const std::string& href, const ItemState& st,
                     const SyncServer::Item* now = nullptr)
    {
        const SyncServer::Written w = server_.Remove(href, now ? now->etag : st.etag);
        if (w.outcome == SyncServer::Written::Outcome::Failed) return Stop(w.message);
        if (w.outcome == SyncServer::Written::Outcome::Conflict) {
            // Changed meanwhile: the next run sees the change and keeps it.
            Note("Not removed on the server, it was changed there meanwhile: " + Quoted(uid));
            return true;
        }
        state_.items.erase(href);
        byUid_.erase(uid);
        ++out_.removedThere;
        return true;
    }

    SyncServer& server_;
    Side& side_;
    CollectionState& state_;
    SyncOutcome& out_;
    const SyncOptions& options_;
    std::string collection_, newToken_;
    std::vector<std::string> changed_;
    std::set<std::string> gone_;
    std::set<std::string> standIns_;
    std::map<std::string, SyncServer::Item> fetched_;   // by href
    std::map<std::string, std::string> fetchedUid_;     // href -> uid
    std::map<std::string, std::string> byHrefNew_;      // uid -> href of a fetched object
    std::map<std::string, std::string> byUid_;          // uid -> href in the state
    std::vector<std::string> added_;
    int copies_ = 0;
};

template <class Side>
bool SyncOne(SyncServer& server, RecordStore& records, CollectionState& state, const std::string& collection,
             SyncOutcome& out, const SyncOptions& options)
{
    Side side(records, options);
    Run<Side> run(server, side, state, out, options);
    const bool ok = run.Go(collection);
    for (const DataKind k : side.Apply())
        if (std::find(out.changedKinds.begin(), out.changedKinds.end(), k) == out.changedKinds.end())
            out.changedKinds.push_back(k);
    return ok;
}

}  // namespace

SyncOutcome RunSync(SyncServer& server, RecordStore& records, SyncState& state, const SyncOptions& options)
{
    SyncOutcome out;
    if (state.server != options.server || state.user != options.user) {
        // Another account: what was known of the old one says nothing here.
        state = SyncState{};
        state.server = options.server;
        state.user = options.user;
    }
    // Records without an identity get theirs now, so that items can name them.
    for (const DataKind k : {DataKind::Addresses, DataKind::Calendar, DataKind::Weekly, DataKind::Monthly,
                             DataKind::Annual, DataKind::Advanced})
        if (records.AssignUids(k)) out.changedKinds.push_back(k);
    // People first: the birthdays the calendar carries come from them.
    if (!options.addressBook.empty() &&
        !SyncOne<AddressBook>(server, records, state.addressBook, options.addressBook, out, options))
        return out;
    if (!options.calendar.empty())
        SyncOne<Calendar>(server, records, state.calendar, options.calendar, out, options);
    return out;
}

}  // namespace orv::sync
