#include "sync/davxml.h"

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <QXmlStreamReader>

#include "store/textutil.h"

namespace orv::sync {
namespace {

constexpr QStringView kDav = u"DAV:";
constexpr QStringView kCalDav = u"urn:ietf:params:xml:ns:caldav";
constexpr QStringView kCardDav = u"urn:ietf:params:xml:ns:carddav";
constexpr QStringView kCalendarServer = u"http://calendarserver.org/ns/";

bool Is(const QXmlStreamReader& r, QStringView ns, QStringView name)
{
    return r.namespaceUri() == ns && r.name() == name;
}

std::string Utf8(const QString& s) { return s.toStdString(); }

// "HTTP/1.1 404 Not Found" → 404; 0 when unreadable.
int StatusCode(const QString& line)
{
    const QStringList parts = line.simplified().split(u' ');
    return parts.size() >= 2 ? parts[1].toInt() : 0;
}

class Reader {
public:
    explicit Reader(std::string_view xml)
        : r_(QByteArray::fromRawData(xml.data(), static_cast<qsizetype>(xml.size())))
    {
    }

    // Moves to the next start of an element inside the current one; false at
    // its end (or at a fault, which Failed() then reports).
    bool NextChild()
    {
        while (!r_.atEnd()) {
            const auto token = r_.readNext();
            if (token == QXmlStreamReader::DTD) {
                r_.raiseError(QStringLiteral("a DTD is not accepted"));
                return false;
            }
            if (token == QXmlStreamReader::StartElement) return true;
            if (token == QXmlStreamReader::EndElement) return false;
        }
        return false;
    }
    QString Text() { return r_.readElementText(QXmlStreamReader::IncludeChildElements); }
    QString TrimmedText() { return Text().trimmed(); }
    // The first DAV:href inside the current element, the rest skipped.
    QString FirstHref()
    {
        QString href;
        while (NextChild()) {
            if (href.isEmpty() && Is(r_, kDav, u"href"))
                href = TrimmedText();
            else
                r_.skipCurrentElement();
        }
        return href;
    }
    void Skip() { r_.skipCurrentElement(); }
    QXmlStreamReader& r() { return r_; }
    bool Failed() const { return r_.hasError(); }
    std::string Error() const
    {
        return "line " + std::to_string(r_.lineNumber()) + ": " + Utf8(r_.errorString());
    }

private:
    QXmlStreamReader r_;
};

// Reads one DAV:prop into `p`.
void ReadProp(Reader& in, DavResponse& p)
{
    QXmlStreamReader& r = in.r();
    while (in.NextChild()) {
        if (Is(r, kDav, u"getetag")) {
            p.etag = Utf8(in.TrimmedText());
        } else if (Is(r, kDav, u"displayname")) {
            p.displayName = Utf8(in.TrimmedText());
        } else if (Is(r, kDav, u"sync-token")) {
            p.syncToken = Utf8(in.TrimmedText());
        } else if (Is(r, kCalendarServer, u"getctag")) {
            p.ctag = Utf8(in.TrimmedText());
        } else if (Is(r, kCalDav, u"calendar-data") || Is(r, kCardDav, u"address-data")) {
            p.data = Utf8(in.Text());
            p.hasData = true;
        } else if (Is(r, kDav, u"resourcetype")) {
            while (in.NextChild()) {
                if (Is(r, kDav, u"collection")) p.collection = true;
                if (Is(r, kCalDav, u"calendar")) p.calendar = true;
                if (Is(r, kCardDav, u"addressbook")) p.addressBook = true;
                in.Skip();
            }
        } else if (Is(r, kCalDav, u"supported-calendar-component-set")) {
            p.componentSetGiven = true;
            while (in.NextChild()) {
                const auto name = r.attributes().value(QLatin1String("name"));
                if (Is(r, kCalDav, u"comp") && name.compare(u"VEVENT", Qt::CaseInsensitive) == 0) p.events = true;
                in.Skip();
            }
        } else if (Is(r, kDav, u"supported-report-set")) {
            // supported-report-set / supported-report / report / <the report>
            while (in.NextChild()) {
                while (in.NextChild()) {
                    while (in.NextChild()) {
                        if (Is(r, kDav, u"sync-collection")) p.syncReport = true;
                        in.Skip();
                    }
                }
            }
        } else if (Is(r, kDav, u"current-user-principal")) {
            p.principal = Utf8(in.FirstHref());
        } else if (Is(r, kCalDav, u"calendar-home-set")) {
            p.calendarHome = Utf8(in.FirstHref());
        } else if (Is(r, kCardDav, u"addressbook-home-set")) {
            p.addressBookHome = Utf8(in.FirstHref());
        } else {
            in.Skip();
        }
    }
}

// Takes into `to` what `from` (one propstat's properties) has.
void Merge(DavResponse& to, DavResponse&& from)
{
    auto take = [](std::string& a, std::string& b) {
        if (!b.empty()) a = std::move(b);
    };
    take(to.etag, from.etag);
    take(to.displayName, from.displayName);
    take(to.syncToken, from.syncToken);
    take(to.ctag, from.ctag);
    take(to.principal, from.principal);
    take(to.calendarHome, from.calendarHome);
    take(to.addressBookHome, from.addressBookHome);
    if (from.hasData) {
        to.data = std::move(from.data);
        to.hasData = true;
    }
    to.collection |= from.collection;
    to.calendar |= from.calendar;
    to.addressBook |= from.addressBook;
    to.componentSetGiven |= from.componentSetGiven;
    to.events |= from.events;
    to.syncReport |= from.syncReport;
}

DavResponse ReadResponse(Reader& in)
{
    QXmlStreamReader& r = in.r();
    DavResponse response;
    while (in.NextChild()) {
        if (Is(r, kDav, u"href")) {
            if (response.href.empty()) response.href = HrefPath(Utf8(in.TrimmedText()));
            else in.Skip();
        } else if (Is(r, kDav, u"status")) {
            response.status = StatusCode(in.Text());
        } else if (Is(r, kDav, u"propstat")) {
            DavResponse props;
            int status = 0;
            while (in.NextChild()) {
                if (Is(r, kDav, u"prop"))
                    ReadProp(in, props);
                else if (Is(r, kDav, u"status"))
                    status = StatusCode(in.Text());
                else
                    in.Skip();
            }
            if (status >= 200 && status < 300) Merge(response, std::move(props));
        } else {
            in.Skip();
        }
    }
    return response;
}

}  // namespace

bool ParseMultistatus(std::string_view xml, DavMultistatus& out, std::string& error)
{
    out = {};
    Reader in(xml);
    QXmlStreamReader& r = in.r();
    if (!in.NextChild()) {  // an empty answer is a premature end, too
        error = "The server's answer is not readable XML (" + in.Error() + ").";
        return false;
    }
    if (!Is(r, kDav, u"multistatus")) {
        error = "The server's answer is not a WebDAV multistatus (it starts with <" + Utf8(r.name().toString()) + ">).";
        return false;
    }
    while (in.NextChild()) {
        if (Is(r, kDav, u"response"))
            out.responses.push_back(ReadResponse(in));
        else if (Is(r, kDav, u"sync-token"))
            out.syncToken = Utf8(in.TrimmedText());
        else
            in.Skip();
    }
    // Whatever follows the root must still be well-formed.
    while (!r.atEnd() && !r.hasError()) r.readNext();
    if (in.Failed()) {
        error = "The server's answer is not readable XML (" + in.Error() + ").";
        out = {};
        return false;
    }
    return true;
}

std::string DavErrorCondition(std::string_view xml)
{
    Reader in(xml);
    QXmlStreamReader& r = in.r();
    if (!in.NextChild() || !Is(r, kDav, u"error")) return {};
    if (!in.NextChild()) return {};
    return Utf8(r.name().toString());
}

std::string HrefPath(std::string_view href)
{
    const QUrl url = QUrl::fromEncoded(QByteArray(href.data(), static_cast<qsizetype>(href.size())));
    if (url.scheme().isEmpty()) return std::string(href);
    QByteArray path = url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    return path.isEmpty() ? std::string("/") : path.toStdString();
}

bool SameHref(std::string_view a, std::string_view b)
{
    auto decoded = [](std::string_view href) {
        const std::string path = HrefPath(href);
        QByteArray d = QByteArray::fromPercentEncoding(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
        if (d.size() > 1 && d.endsWith('/')) d.chop(1);
        return d;
    };
    return decoded(a) == decoded(b);
}

namespace {
const char* const kHead = R"(<?xml version="1.0" encoding="utf-8"?>)" "\n";
const char* const kNamespaces =
    R"( xmlns:d="DAV:" xmlns:c="urn:ietf:params:xml:ns:caldav" xmlns:r="urn:ietf:params:xml:ns:carddav")"
    R"( xmlns:s="http://calendarserver.org/ns/")";
}  // namespace

std::string PrincipalPropfind()
{
    return std::string(kHead) + "<d:propfind" + kNamespaces
           + "><d:prop><d:current-user-principal/><d:resourcetype/><c:calendar-home-set/>"
             "<r:addressbook-home-set/></d:prop></d:propfind>";
}

std::string CollectionsPropfind()
{
    return std::string(kHead) + "<d:propfind" + kNamespaces
           + "><d:prop><d:resourcetype/><d:displayname/><d:supported-report-set/><d:sync-token/>"
             "<s:getctag/><c:supported-calendar-component-set/></d:prop></d:propfind>";
}

std::string EtagsPropfind()
{
    return std::string(kHead) + "<d:propfind" + kNamespaces
           + "><d:prop><d:resourcetype/><d:getetag/><d:sync-token/></d:prop></d:propfind>";
}

std::string SyncCollectionReport(std::string_view token)
{
    return std::string(kHead) + "<d:sync-collection" + kNamespaces + "><d:sync-token>" + EscapeMarkup(token)
           + "</d:sync-token><d:sync-level>1</d:sync-level><d:prop><d:getetag/></d:prop></d:sync-collection>";
}

std::string MultigetReport(const std::vector<std::string>& hrefs, bool calendar)
{
    std::string body = std::string(kHead) + (calendar ? "<c:calendar-multiget" : "<r:addressbook-multiget")
                       + kNamespaces + "><d:prop><d:getetag/>" + (calendar ? "<c:calendar-data/>" : "<r:address-data/>")
                       + "</d:prop>";
    for (const std::string& href : hrefs) body += "<d:href>" + EscapeMarkup(href) + "</d:href>";
    return body + (calendar ? "</c:calendar-multiget>" : "</r:addressbook-multiget>");
}

std::string MakeCalendarBody(std::string_view displayName)
{
    return std::string(kHead) + "<c:mkcalendar" + kNamespaces + "><d:set><d:prop><d:displayname>"
           + EscapeMarkup(displayName)
           + "</d:displayname><c:supported-calendar-component-set><c:comp name=\"VEVENT\"/>"
             "</c:supported-calendar-component-set></d:prop></d:set></c:mkcalendar>";
}

std::string MakeAddressBookBody(std::string_view displayName)
{
    return std::string(kHead) + "<d:mkcol" + kNamespaces
           + "><d:set><d:prop><d:resourcetype><d:collection/><r:addressbook/></d:resourcetype><d:displayname>"
           + EscapeMarkup(displayName) + "</d:displayname></d:prop></d:set></d:mkcol>";
}

}  // namespace orv::sync
