#include "sync/davclient.h"

#include <QAuthenticator>
#include <QCryptographicHash>
#include <QEventLoop>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslError>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cctype>
#include <map>

#include "sync/davxml.h"

namespace orv::sync {

struct DavClient::Request {
    QByteArray verb;
    QUrl url;
    QByteArray body;
    std::vector<std::pair<QByteArray, QByteArray>> headers;

    // A request with an XML body and, unless null, a Depth.
    static Request Dav(const char* verb, QUrl url, const std::string& body, const char* depth)
    {
        Request r{verb, std::move(url), QByteArray::fromStdString(body), {}};
        if (depth) r.headers.emplace_back("Depth", depth);
        return r;
    }
};

struct DavClient::Reply {
    DavStatus status;  // a failure before any HTTP status came (network, TLS, limits)
    int http = 0;
    QByteArray body;
    QByteArray etag;
    QUrl url;  // where the answer came from, after redirects

    // The outcome of MKCALENDAR or MKCOL at `href`.
    DavStatus Created(const std::string& href) const;
};

// The network access of one client: made in, and used from, one thread.
struct DavClient::Net {
    QNetworkAccessManager* manager = nullptr;
    QThread* thread = nullptr;
    std::mutex mutex;
    QNetworkReply* running = nullptr;  // guarded by mutex, for Cancel()
};

namespace {

std::string MegaBytes(std::size_t bytes)
{
    return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MB";
}

std::string Fingerprint(const QByteArray& digest)
{
    return digest.toHex(':').toUpper().toStdString();
}

// Basic authentication is sent with the first request only where nobody can
// read it on the way: over TLS, or to this machine.
bool MaySendPasswordFirst(const QUrl& url)
{
    if (url.scheme() == u"https") return true;
    const QString host = url.host();
    if (host == u"localhost") return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

bool IsRedirect(int http) { return http == 301 || http == 302 || http == 303 || http == 307 || http == 308; }

DavStatus Fail(DavError error, int http, std::string message)
{
    DavStatus s;
    s.error = error;
    s.http = http;
    s.message = std::move(message);
    return s;
}

// The status of an HTTP answer that is not the one hoped for; `what` names
// the resource for the user ("the item /alice/cal/x.ics").
DavStatus HttpFailure(int http, const QByteArray& body, const std::string& what)
{
    const std::string code = " (HTTP " + std::to_string(http) + ")";
    const std::string condition = (http == 403 || http == 409)
        ? DavErrorCondition(std::string_view(body.constData(), static_cast<std::size_t>(body.size())))
        : std::string();
    if (!condition.empty())
        return Fail(DavError::Server, http, "The server refused " + what + ": " + condition + code + ".");
    switch (http) {
    case 401: return Fail(DavError::Auth, http, "The server refused the user name or password.");
    case 403: return Fail(DavError::Auth, http, "The server refused access to " + what + code + ".");
    case 404:
    case 410: return Fail(DavError::NotFound, http, "The server does not have " + what + code + ".");
    case 412: return Fail(DavError::Conflict, http, "The server has a different version of " + what + code + ".");
    case 413: return Fail(DavError::TooLarge, http, "The server refused " + what + " as too large" + code + ".");
    case 507:
        return Fail(DavError::Quota, http, "The server has no room left for " + what + code + ".");
    default: break;
    }
    if (http >= 500) return Fail(DavError::Server, http, "The server failed on " + what + code + ".");
    return Fail(DavError::Server, http, "The server gave an unexpected answer for " + what + code + ".");
}

bool Parse(const QByteArray& body, DavMultistatus& out, DavStatus& status)
{
    std::string error;
    if (ParseMultistatus(std::string_view(body.constData(), static_cast<std::size_t>(body.size())), out, error))
        return true;
    status = Fail(DavError::Malformed, 207, error);
    return false;
}

QByteArray Bytes(std::string_view s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

const char* DavErrorName(DavError error)
{
    switch (error) {
    case DavError::None: return "None";
    case DavError::Network: return "Network";
    case DavError::Timeout: return "Timeout";
    case DavError::Tls: return "Tls";
    case DavError::Auth: return "Auth";
    case DavError::NotFound: return "NotFound";
    case DavError::Conflict: return "Conflict";
    case DavError::Quota: return "Quota";
    case DavError::TooLarge: return "TooLarge";
    case DavError::Malformed: return "Malformed";
    case DavError::Server: return "Server";
    case DavError::Cancelled: return "Cancelled";
    }
    return "?";
}

std::string DavClient::NormalFingerprint(std::string_view fingerprint)
{
    QByteArray hex;
    for (char c : fingerprint)
        if (std::isxdigit(static_cast<unsigned char>(c))) hex += c;
    return Fingerprint(QByteArray::fromHex(hex));
}

DavClient::DavClient(DavAccount account) : account_(std::move(account)), net_(std::make_unique<Net>())
{
    // "host" or "host/path" alone: the secure default.
    if (account_.server.find("://") == std::string::npos) account_.server = "https://" + account_.server;
    for (std::string& f : account_.trustedFingerprints) f = NormalFingerprint(f);
}

DavClient::~DavClient()
{
    if (!net_->manager) return;
    if (net_->thread == QThread::currentThread())
        delete net_->manager;
    else
        net_->manager->deleteLater();
}

void DavClient::Cancel()
{
    cancelled_ = true;
    std::lock_guard lock(net_->mutex);
    if (QNetworkReply* reply = net_->running)
        QMetaObject::invokeMethod(reply, [reply] { reply->abort(); }, Qt::QueuedConnection);
}

DavClient::Reply DavClient::Send(const Request& q)
{
    Reply out;
    out.url = q.url;
    if (cancelled_) {
        out.status = Fail(DavError::Cancelled, 0, "The sync was cancelled.");
        return out;
    }
    if (!q.url.isValid() || (q.url.scheme() != u"https" && q.url.scheme() != u"http") || q.url.host().isEmpty()) {
        out.status = Fail(DavError::Network, 0, "\"" + account_.server + "\" is not a web address (https://…).");
        return out;
    }
    if (net_->manager && net_->thread != QThread::currentThread()) {
        net_->manager->deleteLater();
        net_->manager = nullptr;
    }
    if (!net_->manager) {
        net_->manager = new QNetworkAccessManager;
        net_->thread = QThread::currentThread();
        // Answers a challenge once per request; a second one means the
        // password is wrong, and the 401 then ends the request.
        QObject::connect(net_->manager, &QNetworkAccessManager::authenticationRequired,
                         [this](QNetworkReply* reply, QAuthenticator* authenticator) {
                             if (reply->property("orvAuthSent").toBool() || account_.user.empty()) return;
                             reply->setProperty("orvAuthSent", true);
                             authenticator->setUser(QString::fromStdString(account_.user));
                             authenticator->setPassword(QString::fromStdString(account_.password));
                         });
    }

    QNetworkRequest request(q.url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    for (const auto& [name, value] : q.headers) request.setRawHeader(name, value);
    if (!q.body.isEmpty() && !request.hasRawHeader("Content-Type"))
        request.setRawHeader("Content-Type", "application/xml; charset=utf-8");
    const bool first = MaySendPasswordFirst(q.url) && !account_.user.empty();
    if (first)
        request.setRawHeader("Authorization",
                             "Basic " + QByteArray::fromStdString(account_.user + ":" + account_.password).toBase64());

    QNetworkReply* reply = net_->manager->sendCustomRequest(request, q.verb, q.body);
    reply->setProperty("orvAuthSent", first);
    {
        std::lock_guard lock(net_->mutex);
        net_->running = reply;
    }
    enum class Ended { Normally, Timeout, TooLarge, Cancelled } ended = Ended::Normally;
    std::string untrusted;
    QByteArray body;
    auto stop = [&](Ended why) {
        if (ended == Ended::Normally) ended = why;
        reply->abort();
    };

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] { stop(Ended::Timeout); });
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, [&] {
        bool known = false;
        const qulonglong length = reply->header(QNetworkRequest::ContentLengthHeader).toULongLong(&known);
        if (known && length > account_.maxResponseBytes) stop(Ended::TooLarge);
    });
    // Read as it comes, so that an endless answer stops at the limit.
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        body += reply->readAll();
        if (static_cast<std::size_t>(body.size()) > account_.maxResponseBytes) stop(Ended::TooLarge);
    });
    QObject::connect(reply, &QNetworkReply::sslErrors, &loop, [&](const QList<QSslError>&) {
        const std::string fingerprint =
            Fingerprint(reply->sslConfiguration().peerCertificate().digest(QCryptographicHash::Sha256));
        const auto& trusted = account_.trustedFingerprints;
        if (std::find(trusted.begin(), trusted.end(), fingerprint) != trusted.end())
            reply->ignoreSslErrors();
        else
            untrusted = fingerprint;
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timer.start(account_.timeoutMs);
    if (cancelled_) stop(Ended::Cancelled);  // Cancel() came before `running` was set
    if (!reply->isFinished()) loop.exec();
    timer.stop();
    const QNetworkReply::NetworkError error = reply->error();
    // Only Cancel() aborts without saying why; a request that completed
    // before it came is reported as done, since the server did it.
    if (ended == Ended::Normally && error == QNetworkReply::OperationCanceledError) ended = Ended::Cancelled;
    if (ended == Ended::Normally) body += reply->readAll();
    {
        std::lock_guard lock(net_->mutex);
        net_->running = nullptr;
    }

    out.http = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    out.etag = reply->rawHeader("ETag");
    if (IsRedirect(out.http)) {
        const QUrl location = QUrl::fromEncoded(reply->rawHeader("Location"));
        out.url = location.isEmpty() ? QUrl() : q.url.resolved(location);
    }
    const QString errorText = reply->errorString();
    delete reply;

    switch (ended) {
    case Ended::Cancelled: out.status = Fail(DavError::Cancelled, 0, "The sync was cancelled."); return out;
    case Ended::Timeout:
        out.status = Fail(DavError::Timeout, 0,
                          "The server did not answer within " + std::to_string((account_.timeoutMs + 999) / 1000)
                              + " seconds.");
        return out;
    case Ended::TooLarge:
        out.status = Fail(DavError::TooLarge, out.http,
                          "The server's answer is larger than the limit of " + MegaBytes(account_.maxResponseBytes) + ".");
        return out;
    case Ended::Normally: break;
    }
    if (!untrusted.empty()) {
        out.status =
            Fail(DavError::Tls, 0, "The server's certificate is not trusted (SHA-256 fingerprint " + untrusted + ").");
        out.status.certFingerprint = untrusted;
        return out;
    }
    if (out.http == 0 && error != QNetworkReply::NoError) {
        const bool tls = error == QNetworkReply::SslHandshakeFailedError;
        out.status = Fail(tls ? DavError::Tls : DavError::Network, 0,
                          (tls ? "No secure connection to " : "Cannot reach ") + q.url.host().toStdString() + ": "
                              + errorText.toStdString() + ".");
    }
    out.body = std::move(body);
    return out;
}

DavClient::Reply DavClient::SendFollowing(Request request, int maxRedirects)
{
    for (int hop = 0;; ++hop) {
        Reply reply = Send(request);
        if (!reply.status || !IsRedirect(reply.http)) return reply;
        if (hop == maxRedirects || !reply.url.isValid()) {
            reply.status = Fail(DavError::Server, reply.http, "The server redirects too often or nowhere.");
            return reply;
        }
        request.url = reply.url;
    }
}

DavDiscovery DavClient::Discover()
{
    DavDiscovery d;
    const QUrl start = QUrl(QString::fromStdString(account_.server));
    QUrl principalUrl;
    DavResponse principal;
    const QUrl candidates[] = {start.resolved(QUrl("/.well-known/caldav")), start.resolved(QUrl("/.well-known/carddav")),
                               start};
    for (const QUrl& candidate : candidates) {
        Reply r = SendFollowing(Request::Dav("PROPFIND", candidate, PrincipalPropfind(), "0"), 5);
        if (!r.status) {
            d.status = r.status;
            return d;
        }
        if (r.http == 401) {
            d.status = HttpFailure(401, r.body, "");
            return d;
        }
        if (r.http != 207) continue;  // no such service here: try the next way in
        DavMultistatus ms;
        if (!Parse(r.body, ms, d.status)) return d;
        for (const DavResponse& resp : ms.responses) {
            if (!resp.principal.empty()) {
                principalUrl = r.url.resolved(QUrl::fromEncoded(QByteArray::fromStdString(resp.principal)));
            } else if (!resp.calendarHome.empty() || !resp.addressBookHome.empty()) {
                principalUrl = r.url;  // the address is the principal itself
                principal = resp;
            }
        }
        if (principalUrl.isValid()) break;
    }
    if (!principalUrl.isValid()) {
        d.status = Fail(DavError::NotFound, 0, "No calendar or address book service was found at " + account_.server + ".");
        return d;
    }
    // From here on hrefs are paths on the server that named the principal.
    QUrl origin = principalUrl.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment);
    account_.server = origin.toString(QUrl::FullyEncoded).toStdString();
    d.server = account_.server;
    d.principal = principalUrl.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority).toStdString();

    if (principal.calendarHome.empty() && principal.addressBookHome.empty()) {
        Reply r = Send(Request::Dav("PROPFIND", principalUrl, PrincipalPropfind(), "0"));
        if (!r.status) {
            d.status = r.status;
            return d;
        }
        if (r.http != 207) {
            d.status = HttpFailure(r.http, r.body, "the principal " + d.principal);
            return d;
        }
        DavMultistatus ms;
        if (!Parse(r.body, ms, d.status)) return d;
        for (const DavResponse& resp : ms.responses)
            if (SameHref(resp.href, d.principal)) principal = resp;
    }
    d.calendarHome = principal.calendarHome;
    d.addressBookHome = principal.addressBookHome;
    if (d.calendarHome.empty() && d.addressBookHome.empty()) {
        d.status = Fail(DavError::NotFound, 0,
                        "The server names no calendar or address book home for " + account_.user + ".");
        return d;
    }

    std::vector<std::string> homes;
    for (const std::string& home : {d.calendarHome, d.addressBookHome})
        if (!home.empty() && std::none_of(homes.begin(), homes.end(), [&](const std::string& h) { return SameHref(h, home); }))
            homes.push_back(home);
    for (const std::string& home : homes) {
        Reply r = Send(Request::Dav("PROPFIND", origin.resolved(QUrl::fromEncoded(QByteArray::fromStdString(home))),
                           CollectionsPropfind(), "1"));
        if (!r.status) {
            d.status = r.status;
            return d;
        }
        if (r.http != 207) {
            d.status = HttpFailure(r.http, r.body, "the collections in " + home);
            return d;
        }
        DavMultistatus ms;
        if (!Parse(r.body, ms, d.status)) return d;
        for (DavResponse& resp : ms.responses) {
            if (SameHref(resp.href, home) || !(resp.calendar || resp.addressBook)) continue;
            DavCollection c;
            c.href = resp.href;
            c.displayName = resp.displayName;
            c.calendar = resp.calendar;
            c.addressBook = resp.addressBook;
            c.events = resp.calendar && (!resp.componentSetGiven || resp.events);
            c.syncCollection = resp.syncReport;
            c.syncToken = resp.syncToken;
            c.ctag = resp.ctag;
            d.collections.push_back(std::move(c));
        }
    }
    return d;
}

namespace {
QUrl Resolve(const std::string& server, const std::string& href)
{
    return QUrl(QString::fromStdString(server)).resolved(QUrl::fromEncoded(QByteArray::fromStdString(href)));
}
}  // namespace

DavListing DavClient::List(const std::string& collection)
{
    DavListing l;
    Reply r = Send(Request::Dav("PROPFIND", Resolve(account_.server, collection), EtagsPropfind(), "1"));
    if (!r.status) {
        l.status = r.status;
        return l;
    }
    if (r.http != 207) {
        l.status = HttpFailure(r.http, r.body, "the collection " + collection);
        return l;
    }
    DavMultistatus ms;
    if (!Parse(r.body, ms, l.status)) return l;
    for (DavResponse& resp : ms.responses) {
        if (SameHref(resp.href, collection))
            l.token = resp.syncToken;
        else if (!resp.collection && !resp.etag.empty())
            l.items.push_back({std::move(resp.href), std::move(resp.etag)});
    }
    return l;
}

DavListing DavClient::Changes(const std::string& collection, const std::string& token)
{
    DavListing l;
    // An href's last word wins: a change list may come in several parts.
    std::map<std::string, std::string> changed;  // href → etag, empty for a removal
    std::vector<std::string> order;
    std::string next = token;
    for (int part = 0; part < 1000; ++part) {
        Reply r = Send(Request::Dav("REPORT", Resolve(account_.server, collection), SyncCollectionReport(next), "1"));
        if (!r.status) {
            l.status = r.status;
            return l;
        }
        if (r.http != 207) {
            const std::string condition =
                DavErrorCondition(std::string_view(r.body.constData(), static_cast<std::size_t>(r.body.size())));
            // The token is too old or unknown, or the server gives no change
            // lists here: the caller lists the collection instead.
            if (((r.http == 403 || r.http == 409) && (condition == "valid-sync-token" || condition == "supported-report"))
                || r.http == 501 || (r.http == 405 && condition.empty())) {
                l = {};
                l.tokenInvalid = true;
                return l;
            }
            l.status = HttpFailure(r.http, r.body, "the changes of " + collection);
            return l;
        }
        DavMultistatus ms;
        if (!Parse(r.body, ms, l.status)) return l;
        bool truncated = false;
        for (DavResponse& resp : ms.responses) {
            if (SameHref(resp.href, collection)) {
                truncated = truncated || resp.status == 507;
                continue;
            }
            if (!changed.contains(resp.href)) order.push_back(resp.href);
            if (resp.status == 404 || resp.status == 410)
                changed[resp.href] = {};  // removed
            else if (!resp.collection && !resp.etag.empty())
                changed[resp.href] = std::move(resp.etag);
        }
        l.token = ms.syncToken;
        if (!truncated || ms.syncToken.empty() || ms.syncToken == next) break;
        next = ms.syncToken;
    }
    for (const std::string& href : order) {
        auto it = changed.find(href);
        if (it == changed.end()) continue;
        if (it->second.empty())
            l.removed.push_back(href);
        else
            l.items.push_back({href, it->second});
    }
    return l;
}

DavFetch DavClient::Fetch(const std::string& collection, const std::vector<std::string>& hrefs, bool calendar)
{
    DavFetch f;
    constexpr std::size_t kBatch = 100;
    for (std::size_t at = 0; at < hrefs.size(); at += kBatch) {
        const std::vector<std::string> batch(hrefs.begin() + static_cast<std::ptrdiff_t>(at),
                                             hrefs.begin() + static_cast<std::ptrdiff_t>(std::min(hrefs.size(), at + kBatch)));
        Reply r = Send(Request::Dav("REPORT", Resolve(account_.server, collection), MultigetReport(batch, calendar), "1"));
        if (!r.status) {
            f.status = r.status;
            return f;
        }
        if (r.http != 207) {
            f.status = HttpFailure(r.http, r.body, "the items of " + collection);
            return f;
        }
        DavMultistatus ms;
        if (!Parse(r.body, ms, f.status)) return f;
        for (const std::string& href : batch) {
            auto it = std::find_if(ms.responses.begin(), ms.responses.end(),
                                   [&](const DavResponse& resp) { return SameHref(resp.href, href); });
            if (it == ms.responses.end() || !it->hasData || it->status >= 300) {
                f.missing.push_back(href);
                continue;
            }
            if (it->data.size() > account_.maxItemBytes) {
                f.status = Fail(DavError::TooLarge, 207,
                                "The item " + href + " is larger than the limit of " + MegaBytes(account_.maxItemBytes) + ".");
                return f;
            }
            f.items.push_back({href, std::move(it->etag), std::move(it->data)});
        }
    }
    return f;
}

DavWrite DavClient::Put(const std::string& href, std::string_view data, std::string_view contentType,
                        std::string_view ifMatch)
{
    DavWrite w;
    w.href = href;
    if (data.size() > account_.maxItemBytes) {
        w.status = Fail(DavError::TooLarge, 0,
                        "The item " + href + " is larger than the limit of " + MegaBytes(account_.maxItemBytes) + ".");
        return w;
    }
    Request q{"PUT", Resolve(account_.server, href), Bytes(data), {{"Content-Type", Bytes(contentType)}}};
    if (ifMatch.empty())
        q.headers.emplace_back("If-None-Match", "*");
    else
        q.headers.emplace_back("If-Match", Bytes(ifMatch));
    Reply r = Send(q);
    if (!r.status) {
        w.status = r.status;
    } else if (r.http == 200 || r.http == 201 || r.http == 204) {
        w.etag = r.etag.toStdString();
    } else if (r.http == 412 && ifMatch.empty()) {
        w.status = Fail(DavError::Conflict, 412, "The server already has an item at " + href + ".");
    } else if (r.http == 409 && DavErrorCondition(std::string_view(r.body.constData(), r.body.size())).empty()) {
        w.status = Fail(DavError::NotFound, 409, "The collection of " + href + " is not on the server.");
    } else {
        w.status = HttpFailure(r.http, r.body, "the item " + href);
    }
    return w;
}

DavStatus DavClient::Remove(const std::string& href, std::string_view ifMatch)
{
    Request q{"DELETE", Resolve(account_.server, href), {}, {}};
    if (!ifMatch.empty()) q.headers.emplace_back("If-Match", Bytes(ifMatch));
    Reply r = Send(q);
    if (!r.status) return r.status;
    if (r.http == 200 || r.http == 202 || r.http == 204) return {};
    return HttpFailure(r.http, r.body, "the item " + href);
}

DavStatus DavClient::MakeCalendar(const std::string& href, const std::string& displayName)
{
    const QUrl url = Resolve(account_.server, href);
    return Send(Request::Dav("MKCALENDAR", url, MakeCalendarBody(displayName), nullptr)).Created(href);
}

DavStatus DavClient::MakeAddressBook(const std::string& href, const std::string& displayName)
{
    const QUrl url = Resolve(account_.server, href);
    return Send(Request::Dav("MKCOL", url, MakeAddressBookBody(displayName), nullptr)).Created(href);
}

DavStatus DavClient::Reply::Created(const std::string& href) const
{
    if (!status) return status;
    if (http == 201 || http == 200 || http == 204) return {};
    // 405 (RFC 4791, RFC 5689) or the resource-must-be-null precondition:
    // something is already there.
    if (http == 405
        || DavErrorCondition(std::string_view(body.constData(), static_cast<std::size_t>(body.size())))
               == "resource-must-be-null")
        return Fail(DavError::Conflict, http, "The server already has a collection at " + href + ".");
    return HttpFailure(http, body, "the new collection " + href);
}

}  // namespace orv::sync
