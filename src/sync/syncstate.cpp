#include "sync/syncstate.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborStreamReader>
#include <QCborValue>
#include <QFile>

#include "store/fileio.h"

namespace orv::sync {

namespace {

// Texts are kept as bytes: a record may hold Windows-1252 text, a server
// anything; CBOR keeps both exactly.
QCborValue Bytes(const std::string& s) { return QCborValue(QByteArray(s.data(), static_cast<qsizetype>(s.size()))); }
std::string Str(const QCborValue& v)
{
    const QByteArray b = v.toByteArray();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

QCborMap Write(const CollectionState& c)
{
    QCborMap m;
    m[QStringLiteral("href")] = Bytes(c.href);
    m[QStringLiteral("token")] = Bytes(c.token);
    QCborArray items;
    for (const auto& [href, s] : c.items) {
        QCborMap i;
        i[QStringLiteral("href")] = Bytes(href);
        i[QStringLiteral("uid")] = Bytes(s.uid);
        i[QStringLiteral("etag")] = Bytes(s.etag);
        i[QStringLiteral("server")] = Bytes(s.server);
        i[QStringLiteral("local")] = Bytes(s.local);
        i[QStringLiteral("role")] = static_cast<int>(s.role);
        QCborArray standIns;
        for (const auto& u : s.standIns) standIns.append(Bytes(u));
        i[QStringLiteral("standIns")] = standIns;
        items.append(i);
    }
    m[QStringLiteral("items")] = items;
    return m;
}

CollectionState Read(const QCborMap& m)
{
    CollectionState c;
    c.href = Str(m[QStringLiteral("href")]);
    c.token = Str(m[QStringLiteral("token")]);
    for (const QCborValue& v : m[QStringLiteral("items")].toArray()) {
        const QCborMap i = v.toMap();
        ItemState s;
        s.uid = Str(i[QStringLiteral("uid")]);
        s.etag = Str(i[QStringLiteral("etag")]);
        s.server = Str(i[QStringLiteral("server")]);
        s.local = Str(i[QStringLiteral("local")]);
        const auto role = i[QStringLiteral("role")].toInteger();
        s.role = role >= 0 && role <= 3 ? static_cast<ItemState::Role>(role) : ItemState::Role::Foreign;
        for (const QCborValue& u : i[QStringLiteral("standIns")].toArray()) s.standIns.push_back(Str(u));
        c.items.emplace(Str(i[QStringLiteral("href")]), std::move(s));
    }
    return c;
}

constexpr char kMagic[] = "ORV sync state 1";

}  // namespace

bool LoadSyncState(const std::string& path, SyncState& state, std::string& message)
{
    state = {};
    QFile file(QString::fromStdString(path));
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly)) {
        message = "The sync state " + path + " cannot be read: " + file.errorString().toStdString();
        return false;
    }
    QCborParserError error;
    const QCborValue root = QCborValue::fromCbor(file.readAll(), &error);
    const QCborMap m = root.toMap();
    if (error.error != QCborError::NoError || m[QStringLiteral("format")].toString() != QLatin1String(kMagic)) {
        message = "The sync state " + path + " is damaged; the next sync compares every item anew.";
        return false;
    }
    state.server = Str(m[QStringLiteral("server")]);
    state.user = Str(m[QStringLiteral("user")]);
    state.lastRun = Str(m[QStringLiteral("lastRun")]);
    state.lastOutcome = Str(m[QStringLiteral("lastOutcome")]);
    state.calendar = Read(m[QStringLiteral("calendar")].toMap());
    state.addressBook = Read(m[QStringLiteral("addressBook")].toMap());
    return true;
}

bool SaveSyncState(const std::string& path, const SyncState& state, std::string& message)
{
    QCborMap m;
    m[QStringLiteral("format")] = QString::fromLatin1(kMagic);
    m[QStringLiteral("server")] = Bytes(state.server);
    m[QStringLiteral("user")] = Bytes(state.user);
    m[QStringLiteral("lastRun")] = Bytes(state.lastRun);
    m[QStringLiteral("lastOutcome")] = Bytes(state.lastOutcome);
    m[QStringLiteral("calendar")] = Write(state.calendar);
    m[QStringLiteral("addressBook")] = Write(state.addressBook);
    const QByteArray bytes = m.toCborValue().toCbor();
    const Result r = WriteFileAtomic(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!r.ok) message = r.message;
    return r.ok;
}

}  // namespace orv::sync
