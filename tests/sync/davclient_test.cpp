// The client against a real server (Radicale, started once for the binary)
// and against one that fails on purpose (fakedav.py).
#include <QProcess>
#include <QTcpServer>
#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>

#include "radicale.h"
#include "sync/davclient.h"
#include "sync/davxml.h"

using namespace orv::sync;
using orv::testing_support::Radicale;
using orv::testing_support::RadicaleOptions;

Q_DECLARE_METATYPE(DavError)

namespace {

std::string Event(const std::string& uid, const std::string& summary)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//ORV//tests//EN\r\nBEGIN:VEVENT\r\nUID:" + uid
           + "\r\nDTSTAMP:20260101T000000Z\r\nDTSTART;VALUE=DATE:20260704\r\nSUMMARY:" + summary
           + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

const char* kCalendarType = "text/calendar; charset=utf-8";

#define EXPECT_OK(status) QVERIFY2(bool(status), (status).message.c_str())

}  // namespace

class DavClientTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Radicale> server_;
    QProcess fake_;
    QString fakeUrl_;

    DavAccount Account(std::string user = "alice", std::string password = "secret") const
    {
        DavAccount a;
        a.server = server_->Url();
        a.user = std::move(user);
        a.password = std::move(password);
        a.timeoutMs = 10000;
        return a;
    }
    // The failing server, with small limits so that "too large" is quick to reach.
    DavAccount Fake(int timeoutMs = 5000) const
    {
        DavAccount a = Account();
        a.server = fakeUrl_.toStdString();
        a.timeoutMs = timeoutMs;
        a.maxResponseBytes = 1u << 20;
        a.maxItemBytes = 1024;
        return a;
    }

private slots:
    void initTestCase()
    {
        server_ = std::make_unique<Radicale>();
        QVERIFY2(server_->Running(), server_->Error().c_str());
        fake_.setProgram(QString::fromStdString(Radicale::Python()));
        fake_.setArguments({QStringLiteral(ORV_FAKEDAV)});
        fake_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        fake_.start();
        QVERIFY(fake_.waitForStarted());
        QVERIFY(fake_.waitForReadyRead(10000));
        fakeUrl_ = QStringLiteral("http://127.0.0.1:") + QString::fromLatin1(fake_.readLine()).trimmed();
    }

    void cleanupTestCase()
    {
        fake_.kill();
        fake_.waitForFinished();
        server_.reset();
    }

    // From the bare server address to the collections, as a user sets it up,
    // on a worker thread as the sync does. (Cards travel in the engine's
    // scenario against this server.)
    void discoverFindsTheCollectionsItMade()
    {
        DavClient client(Account());
        EXPECT_OK(client.MakeCalendar("/alice/work%20days/", "Work & days"));
        EXPECT_OK(client.MakeAddressBook("/alice/people/", "People"));
        QCOMPARE(client.MakeCalendar("/alice/people/", "Again").error, DavError::Conflict);

        DavDiscovery d;
        std::thread worker([&] { d = DavClient(Account()).Discover(); });
        worker.join();
        EXPECT_OK(d.status);
        QCOMPARE(d.principal, "/alice/");
        QCOMPARE(d.addressBookHome, "/alice/");
        const DavCollection* calendar = nullptr;
        const DavCollection* people = nullptr;
        for (const DavCollection& c : d.collections) {
            if (SameHref(c.href, "/alice/work days/")) calendar = &c;
            if (SameHref(c.href, "/alice/people/")) people = &c;
        }
        QVERIFY(calendar && people);
        QCOMPARE(calendar->displayName, "Work & days");
        QVERIFY(calendar->calendar && calendar->events && !calendar->addressBook);
        QVERIFY(people->addressBook && !people->calendar && !people->events);
        // Radicale 3 (Debian 12 has 3.1) gives change lists.
        QVERIFY(calendar->syncCollection && !calendar->syncToken.empty() && !calendar->ctag.empty());
    }

    // A wrong password, and another user's collection: refused, and the
    // message never holds the password.
    void refusedAccess()
    {
        for (const auto& [user, password] : {std::pair{"alice", "hunter2"}, std::pair{"bob", "hunter2"}}) {
            DavClient client(Account(user, password));
            const DavListing l = client.List("/alice/");
            QCOMPARE(l.status.error, DavError::Auth);
            QVERIFY(!l.status.message.empty());
            QVERIFY(l.status.message.find(password) == std::string::npos);
        }
        QCOMPARE(DavClient(Account("alice", "hunter2")).Discover().status.error, DavError::Auth);
    }

    // Put, list, change lists, fetch and remove as they go right are the
    // engine's scenarios against this server (radicalesync_test); here what
    // those never meet: a stale or missing ETag, an item gone, an unknown token.
    void staleVersionsAreRefused()
    {
        DavClient client(Account());
        const std::string cal = "/alice/versions/";
        EXPECT_OK(client.MakeCalendar(cal, "Versions"));
        const std::string a = cal + "a%20b.ics";
        const DavWrite put = client.Put(a, Event("a", "First"), kCalendarType, "");
        EXPECT_OK(put.status);
        QCOMPARE(client.Put(a, Event("a", "Again"), kCalendarType, "").status.error, DavError::Conflict);
        QCOMPARE(client.Put(a, Event("a", "Stale"), kCalendarType, "\"not-the-etag\"").status.error, DavError::Conflict);

        const DavFetch fetched = client.Fetch(cal, {cal + "never.ics", a}, true);
        EXPECT_OK(fetched.status);
        QCOMPARE(fetched.items.size(), 1u);
        QVERIFY(SameHref(fetched.items[0].href, a));
        QCOMPARE(fetched.items[0].etag, put.etag);
        QCOMPARE(fetched.missing, std::vector<std::string>{cal + "never.ics"});

        QCOMPARE(client.Remove(a, "\"not-the-etag\"").error, DavError::Conflict);
        EXPECT_OK(client.Remove(a, put.etag));
        QCOMPARE(client.Remove(a, "").error, DavError::NotFound);
        // An unknown token: the caller lists instead.
        const DavListing stale = client.Changes(cal, "http://radicale.org/ns/sync/0000");
        EXPECT_OK(stale.status);
        QVERIFY(stale.tokenInvalid);
    }

    // The certificate is checked; one the user accepted by its fingerprint passes.
    void untrustedCertificate()
    {
        QTemporaryDir dir;
        const auto cert = orv::testing_support::MakeSelfSignedCertificate(dir.path().toStdString());
        QVERIFY2(cert.error.empty(), cert.error.c_str());
        RadicaleOptions options;
        options.certificate = cert.certificate;
        options.key = cert.key;
        auto tls = std::make_unique<Radicale>(options);
        QVERIFY2(tls->Running(), tls->Error().c_str());
        QVERIFY(tls->Url().starts_with("https://127.0.0.1:"));

        QProcess openssl;
        openssl.start(QStringLiteral("openssl"), {QStringLiteral("x509"), QStringLiteral("-noout"),
                                                  QStringLiteral("-fingerprint"), QStringLiteral("-sha256"),
                                                  QStringLiteral("-in"), QString::fromStdString(cert.certificate)});
        QVERIFY(openssl.waitForFinished());
        const std::string expected = openssl.readAll().trimmed().split('=').last().toStdString();

        DavAccount account = Account();
        account.server = tls->Url();
        DavDiscovery refused = DavClient(account).Discover();
        QCOMPARE(refused.status.error, DavError::Tls);
        QCOMPARE(refused.status.certFingerprint, expected);

        account.trustedFingerprints = {"00:11:22"};
        QCOMPARE(DavClient(account).List("/alice/").status.error, DavError::Tls);
        std::string lower = QString::fromStdString(expected).toLower().remove(u':').toStdString();
        account.trustedFingerprints = {lower};
        DavDiscovery accepted = DavClient(account).Discover();
        EXPECT_OK(accepted.status);
        QCOMPARE(accepted.principal, "/alice/");
    }

    // What the real server does not do; a changed item's conflict is its test above.
    void faults_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("path");
        QTest::addColumn<DavError>("error");
        QTest::newRow("put quota") << "put" << "/full/a.ics" << DavError::Quota;
        QTest::newRow("put uid elsewhere") << "put" << "/uid/a.ics" << DavError::Server;
        QTest::newRow("put item too large, not sent") << "put large" << "/gone/a.ics" << DavError::TooLarge;
        QTest::newRow("list deleted collection") << "list" << "/gone/" << DavError::NotFound;
        QTest::newRow("list garbage") << "list" << "/garbage/" << DavError::Malformed;
        QTest::newRow("list endless") << "list" << "/endless/" << DavError::TooLarge;
        QTest::newRow("list hangs") << "list" << "/hang/" << DavError::Timeout;
        // No error: the caller lists instead.
        QTest::newRow("changes token too old") << "changes" << "/oldtoken/" << DavError::None;
        QTest::newRow("changes without change lists") << "changes" << "/noreport/" << DavError::None;
        QTest::newRow("fetch item too large") << "fetch" << "/bigitem/" << DavError::TooLarge;
        QTest::newRow("discover nothing there") << "discover" << "/" << DavError::NotFound;
        QTest::newRow("discover redirect loop") << "discover" << "/moved/" << DavError::Server;
        QTest::newRow("nobody listening") << "nobody" << "" << DavError::Network;
    }
    void faults()
    {
        QFETCH(QString, call);
        QFETCH(QString, path);
        QFETCH(DavError, error);
        DavAccount account = Fake(call == u"list" && path == u"/hang/" ? 300 : 5000);
        const std::string p = path.toStdString();
        if (call == u"discover") account.server += p;
        if (call == u"nobody") {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost));
            account.server = "http://127.0.0.1:" + std::to_string(closed.serverPort());
            closed.close();
        }
        DavClient client(account);
        DavStatus status;
        bool tokenInvalid = false;
        if (call == u"put") status = client.Put(p, Event("a", "A"), kCalendarType, "\"1\"").status;
        if (call == u"put large") status = client.Put(p, Event("a", std::string(1100, 'A')), kCalendarType, "").status;
        if (call == u"list") status = client.List(p).status;
        if (call == u"changes") {
            const DavListing l = client.Changes(p, "t1");
            status = l.status, tokenInvalid = l.tokenInvalid;
        }
        if (call == u"fetch") status = client.Fetch(p, {p + "a.ics"}, true).status;
        if (call == u"discover") status = client.Discover().status;
        if (call == u"nobody") status = client.List("/").status;
        QCOMPARE(DavErrorName(status.error), DavErrorName(error));
        QVERIFY(error == DavError::None ? tokenInvalid : !status.message.empty());
    }

    // A change list the server sends in parts is read to its end, the later
    // part winning.
    void changesInParts()
    {
        DavListing l = DavClient(Fake()).Changes("/parts/", "t1");
        EXPECT_OK(l.status);
        QCOMPARE(l.token, "t3");
        QCOMPARE(l.items.size(), 2u);
        QCOMPARE(l.items[0].href, "/parts/b.ics");
        QCOMPARE(l.items[1].href, "/parts/c.ics");
        QCOMPARE(l.removed, std::vector<std::string>{"/parts/a.ics"});
    }

    // Cancel from another thread ends a call that waits on the server, and
    // the calls after it.
    void cancelFromAnotherThread()
    {
        DavClient client(Fake(20000));
        QElapsedTimer clock;
        clock.start();
        std::thread canceller([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            client.Cancel();
        });
        const DavStatus status = client.List("/hang/").status;
        canceller.join();
        QCOMPARE(status.error, DavError::Cancelled);
        QVERIFY(clock.elapsed() < 5000);
        QCOMPARE(client.List("/gone/").status.error, DavError::Cancelled);
    }
};

QTEST_GUILESS_MAIN(DavClientTest)
#include "davclient_test.moc"
