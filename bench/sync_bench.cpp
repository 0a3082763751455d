// Times a first sync of the medium workload (a tenth of the lifetime: 2,000
// people, 20,000 calendar events and the recurrent events) with a Radicale on
// 127.0.0.1, then an incremental sync with ten changes on each side.
// The same first sync against a server in memory shows what ORV itself costs.
// Usage: orv-bench-sync [scale] [--memory]
#include <QCoreApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "lifetime.h"
#include "memoryserver.h"
#include "radicale.h"
#include "store/datafile.h"
#include "sync/davclient.h"
#include "sync/davserver.h"

using namespace orv;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::time_point from) { return std::chrono::duration<double>(Clock::now() - from).count(); }

sync::SyncOptions Options()
{
    sync::SyncOptions o;
    o.server = "bench";
    o.user = "alice";
    o.calendar = "/alice/calendar/";
    o.addressBook = "/alice/contacts/";
    o.today = Date{2026, 12, 7};
    o.stamp = 1796601600;
    return o;
}

sync::SyncOutcome Run(sync::DavClient& client, RecordStore& records, sync::SyncState& state)
{
    sync::DavServer server(client);
    return sync::RunSync(server, records, state, Options());
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const double scale = argc > 1 ? std::atof(argv[1]) : 0.1;
    bench::Lifetime data;
    bench::MakeLifetime(data, scale);
    {
        // What the window's thread spends to start a run: a copy of the lists.
        auto t = Clock::now();
        const RecordStore copy = data.store;
        std::printf("copy of the lists for a run: %.1f ms (%zu events)\n", Seconds(t) * 1000, copy.calendar().size());
    }
    {
        // ORV's own part: the same runs with a server that costs nothing.
        sync::testing::MemoryServer memory;
        RecordStore records = data.store;
        sync::SyncState state;
        auto t = Clock::now();
        const sync::SyncOutcome first = sync::RunSync(memory, records, state, Options());
        std::printf("in memory: first sync %.2f s (%d items)", Seconds(t), first.sent);
        for (int i = 0; i < 10; ++i) records.editCalendar()[static_cast<std::size_t>(i) * 97].Hint += " (moved)";
        t = Clock::now();
        const sync::SyncOutcome second = sync::RunSync(memory, records, state, Options());
        std::printf(", 10 changes %.3f s (%d sent)\n", Seconds(t), second.sent);
        if (argc > 2 && std::string(argv[2]) == "--memory") return 0;
    }
    testing_support::Radicale radicale;
    if (!radicale.Running()) {
        std::fprintf(stderr, "Radicale did not start: %s\n", radicale.Error().c_str());
        return 1;
    }
    sync::DavAccount account;
    account.server = radicale.Url();
    account.user = "alice";
    account.password = "secret";
    account.timeoutMs = 600000;
    sync::DavClient client(account);
    if (!client.MakeCalendar("/alice/calendar/", "Calendar") || !client.MakeAddressBook("/alice/contacts/", "Contacts")) {
        std::fprintf(stderr, "the collections could not be made\n");
        return 1;
    }
    RecordStore records = data.store;
    std::printf("workload: %zu people, %zu calendar events, %zu weekly, %zu monthly, %zu annual, %zu advanced\n",
                records.addresses().size(), records.calendar().size(), records.weekly().size(),
                records.monthly().size(), records.annual().size(), records.advanced().size());
    sync::SyncState state;
    auto t = Clock::now();
    sync::SyncOutcome first = Run(client, records, state);
    std::printf("first sync: %.1f s, %d items sent, %s\n", Seconds(t), first.sent, first.ok ? "ok" : first.message.c_str());

    // Ten changes here, ten on the server.
    for (int i = 0; i < 10; ++i) records.editCalendar()[static_cast<std::size_t>(i) * 97].Hint += " (moved)";
    const sync::DavListing listed = client.List("/alice/calendar/");
    int changed = 0;
    for (const auto& ref : listed.items) {
        if (changed == 10) break;
        const sync::DavFetch f = client.Fetch("/alice/calendar/", {ref.href}, true);
        if (f.items.empty()) continue;
        std::string text = f.items[0].data;
        const std::size_t at = text.find("SUMMARY:");
        if (at == std::string::npos || text.find("birthday-") != std::string::npos) continue;
        // The server may keep the object with LF line ends.
        const std::size_t end = text.find_first_of("\r\n", at);
        text.insert(end == std::string::npos ? text.size() : end, " (phone)");
        if (client.Put(ref.href, text, "text/calendar", ref.etag).status) ++changed;
    }
    t = Clock::now();
    sync::SyncOutcome second = Run(client, records, state);
    std::printf("incremental sync, 10 changes each side: %.2f s, %d sent, %d received, %s\n", Seconds(t), second.sent,
                second.received, second.ok ? "ok" : second.message.c_str());
    t = Clock::now();
    sync::SyncOutcome third = Run(client, records, state);
    std::printf("sync with nothing changed: %.2f s\n", Seconds(t));
    return first.ok && second.ok && third.ok ? 0 : 1;
}
