#include "sync/davserver.h"

namespace orv::sync {

namespace {

SyncServer::Listing FromDav(const DavListing& d)
{
    SyncServer::Listing l;
    l.ok = static_cast<bool>(d.status);
    l.message = d.status.message;
    l.tokenInvalid = d.tokenInvalid;
    for (const DavRef& r : d.items) l.items.emplace_back(r.href, r.etag);
    l.removed = d.removed;
    l.token = d.token;
    return l;
}

SyncServer::Written FromDav(const DavStatus& s, std::string etag = {})
{
    SyncServer::Written w;
    w.etag = std::move(etag);
    if (s.error == DavError::Conflict) w.outcome = SyncServer::Written::Outcome::Conflict;
    else if (s.error != DavError::None) w.outcome = SyncServer::Written::Outcome::Failed;
    w.message = s.message;
    return w;
}

}  // namespace

SyncServer::Listing DavServer::List(const std::string& collection) { return FromDav(client_.List(collection)); }

SyncServer::Listing DavServer::Changes(const std::string& collection, const std::string& token)
{
    SyncServer::Listing l = FromDav(client_.Changes(collection, token));
    // The engine lists the collection instead.
    if (l.tokenInvalid) l.ok = false;
    return l;
}

SyncServer::Fetched DavServer::Fetch(const std::string& collection, const std::vector<std::string>& hrefs, bool calendar)
{
    const DavFetch d = client_.Fetch(collection, hrefs, calendar);
    Fetched f;
    f.ok = static_cast<bool>(d.status);
    f.message = d.status.message;
    for (const DavItem& i : d.items) f.items.push_back({i.href, i.etag, i.data});
    return f;
}

SyncServer::Written DavServer::Put(const std::string& href, const std::string& data, bool calendar,
                                   const std::string& ifMatch)
{
    const DavWrite w = client_.Put(href, data, calendar ? "text/calendar; charset=utf-8" : "text/vcard; charset=utf-8",
                                   ifMatch);
    Written out = FromDav(w.status, w.etag);
    if (out.outcome == Written::Outcome::Ok && out.etag.empty()) {
        // Without an ETag the next If-Match could not be given: ask for the
        // item's own, not for a listing of the whole collection.
        const DavFetch f = client_.Fetch(href.substr(0, href.rfind('/') + 1), {href}, calendar);
        if (!f.items.empty()) out.etag = f.items.front().etag;
    }
    return out;
}

SyncServer::Written DavServer::Remove(const std::string& href, const std::string& ifMatch)
{
    const DavStatus s = client_.Remove(href, ifMatch);
    if (s.error == DavError::NotFound) return {};  // gone already
    return FromDav(s);
}

}  // namespace orv::sync
