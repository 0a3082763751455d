// A CalDAV (RFC 4791) and CardDAV (RFC 6352) client over Qt Network.
//
// Every call is synchronous and meant for a worker thread: the client makes
// its own QNetworkAccessManager in the thread that calls it and waits in a
// local event loop, each request bounded by the account's timeout. A
// QCoreApplication must exist. Failures come back as values, never as
// exceptions. Use and destroy a client on one thread; Cancel() alone may be
// called from any thread.
#pragma once

#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace orv::sync {

enum class DavError {
    None,
    Network,    // connection refused, host unknown, connection lost
    Timeout,    // no complete answer within DavAccount::timeoutMs
    Tls,        // handshake failed or the certificate is not trusted
    Auth,       // 401, or 403 without a more precise reason
    NotFound,   // 404/410, or a PUT into a collection that is gone
    Conflict,   // 412: the item changed (or exists) on the server; a collection that exists
    Quota,      // 507: no room on the server
    TooLarge,   // an answer or item over the limits, or 413
    Malformed,  // an answer that cannot be read
    Server,     // any other refusal or server fault
    Cancelled,  // Cancel() was called
};

struct DavStatus {
    DavError error = DavError::None;
    int http = 0;  // the HTTP status of the failing answer, 0 when none came
    std::string message;  // one English line for the user
    std::string certFingerprint;  // SHA-256 "AB:CD:…" of a certificate that is not trusted
    explicit operator bool() const { return error == DavError::None; }
};

struct DavAccount {
    std::string server;  // "https://host[:port][/path]"; "host" alone means https
    std::string user;
    std::string password;
    // SHA-256 fingerprints ("AB:CD:…", case and colons free) of certificates
    // the user accepted although no authority vouches for them.
    std::vector<std::string> trustedFingerprints;
    int timeoutMs = 30000;                    // per request
    std::size_t maxResponseBytes = 64u << 20; // any one answer
    std::size_t maxItemBytes = 4u << 20;      // one event or card, fetched or put
};

struct DavCollection {
    std::string href;
    std::string displayName;
    bool calendar = false;
    bool addressBook = false;
    bool events = false;  // a calendar that takes VEVENT (or does not say what it takes)
    bool syncCollection = false;  // Changes() works here
    std::string syncToken;
    std::string ctag;
};

struct DavDiscovery {
    DavStatus status;
    std::string server;  // where the hrefs below live, after redirects ("https://host:port")
    std::string principal, calendarHome, addressBookHome;
    std::vector<DavCollection> collections;
};

struct DavRef {
    std::string href;
    std::string etag;
};

struct DavItem {
    std::string href;
    std::string etag;
    std::string data;
};

struct DavListing {
    DavStatus status;
    std::vector<DavRef> items;         // new or changed (all of them for List)
    std::vector<std::string> removed;  // Changes only
    std::string token;                 // the collection's sync-token now, when it has one
    // Changes: the server no longer knows the token or does not give changes
    // at all; status is fine and the caller lists the collection instead.
    bool tokenInvalid = false;
};

struct DavFetch {
    DavStatus status;
    std::vector<DavItem> items;         // with the hrefs as asked for
    std::vector<std::string> missing;   // asked for, but not on the server (any more)
};

struct DavWrite {
    DavStatus status;
    std::string etag;  // empty when the server gave none (fetch it before the next If-Match)
    std::string href;
};

class DavClient {
public:
    explicit DavClient(DavAccount account);
    ~DavClient();
    DavClient(const DavClient&) = delete;
    DavClient& operator=(const DavClient&) = delete;

    // From the server address alone: /.well-known/caldav and /carddav (their
    // redirects followed), else the address itself; the principal, its home
    // sets, and the calendars and address books in them. Afterwards the
    // client talks to DavDiscovery::server.
    DavDiscovery Discover();
    // Every item of a collection with its ETag, and the collection's sync-token.
    DavListing List(const std::string& collection);
    // What changed since `token` (RFC 6578); an empty token gives everything.
    DavListing Changes(const std::string& collection, const std::string& token);
    // The items at `hrefs`, fetched in batches with calendar-multiget or
    // addressbook-multiget.
    DavFetch Fetch(const std::string& collection, const std::vector<std::string>& hrefs, bool calendar);
    // Writes an item: If-Match `ifMatch`, or If-None-Match: * when it is
    // empty (a new item never replaces one that is there).
    DavWrite Put(const std::string& href, std::string_view data, std::string_view contentType, std::string_view ifMatch);
    // Deletes an item, If-Match `ifMatch` unless it is empty.
    DavStatus Remove(const std::string& href, std::string_view ifMatch);
    DavStatus MakeCalendar(const std::string& href, const std::string& displayName);
    DavStatus MakeAddressBook(const std::string& href, const std::string& displayName);

    // Ends the running call, and every later one, with Cancelled. Any thread.
    void Cancel();

    // "AB:CD:…" in the form DavStatus::certFingerprint uses, from any spelling.
    static std::string NormalFingerprint(std::string_view fingerprint);

private:
    struct Request;  // one HTTP exchange
    struct Reply;
    Reply Send(const Request& request);
    Reply SendFollowing(Request request, int maxRedirects);

    DavAccount account_;
    struct Net;
    std::unique_ptr<Net> net_;
    std::atomic<bool> cancelled_{false};
};

// The text of an error kind, for logs and tests ("Conflict").
const char* DavErrorName(DavError error);

}  // namespace orv::sync
