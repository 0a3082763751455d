// The XML of WebDAV, CalDAV and CardDAV: the multistatus answers the client
// reads and the request bodies it sends. No network here, so that answers
// can be tested and fuzzed as plain text.
//
// Read with QXmlStreamReader rather than the expat reader of exchange/: that
// one drops namespaces, and DAV tells its elements apart by them (a
// calendar's "calendar" resource type is CalDAV's, "getetag" is DAV's).
// A document with a DTD is refused before anything of it is used: no DAV
// server needs one, and it is the door to entity expansion attacks.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orv::sync {

// What one <response> of a multistatus says about one resource. Only
// properties the server answered with a 2xx status are filled in.
struct DavResponse {
    std::string href;  // as the server wrote it, reduced to its path when a full URL
    int status = 0;    // the response's own status (a removal in a change list), else 0
    std::string etag;
    std::string displayName;
    std::string syncToken;
    std::string ctag;
    std::string data;  // calendar-data or address-data
    bool hasData = false;
    bool collection = false;
    bool calendar = false;
    bool addressBook = false;
    bool componentSetGiven = false;  // supported-calendar-component-set was answered
    bool events = false;             // … and names VEVENT
    bool syncReport = false;         // supported-report-set names sync-collection
    std::string principal;           // current-user-principal
    std::string calendarHome;        // calendar-home-set (the first href)
    std::string addressBookHome;     // addressbook-home-set (the first href)
};

struct DavMultistatus {
    std::vector<DavResponse> responses;
    std::string syncToken;  // the multistatus's own sync-token (a change list)
};

// Reads a DAV:multistatus. False with a message in `error` when the text is
// not well-formed XML, declares a DTD, or is not a multistatus.
bool ParseMultistatus(std::string_view xml, DavMultistatus& out, std::string& error);

// The local name of the first precondition in a DAV:error body
// ("valid-sync-token", "no-uid-conflict", …); empty when the body is none.
std::string DavErrorCondition(std::string_view xml);

// The path of an href: a full URL is reduced to its path (still encoded).
std::string HrefPath(std::string_view href);
// Whether two hrefs name the same resource: equal paths after
// percent-decoding, a trailing slash not counting.
bool SameHref(std::string_view a, std::string_view b);

// Text escaped for XML character data and attribute values.
std::string XmlEscape(std::string_view text);

// Request bodies.
std::string PrincipalPropfind();   // current-user-principal and the home sets
std::string CollectionsPropfind(); // what Discover needs of each collection
std::string EtagsPropfind();       // getetag, resourcetype and sync-token
std::string SyncCollectionReport(std::string_view token);
std::string MultigetReport(const std::vector<std::string>& hrefs, bool calendar);
std::string MakeCalendarBody(std::string_view displayName);
std::string MakeAddressBookBody(std::string_view displayName);

}  // namespace orv::sync
