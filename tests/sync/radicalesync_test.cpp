// Two ORV data folders and a third client keep one calendar and one address
// book in step through a real CalDAV/CardDAV server started for the test.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <fstream>

#include "core/settings.h"
#include "core/settingsstore.h"
#include "radicale.h"
#include "sync/davclient.h"
#include "sync/davserver.h"
#include "syncdevice.h"

namespace orv::sync {
namespace {

using namespace testing;
using orv::testing_support::Radicale;

DavAccount Alice(const std::string& url)
{
    DavAccount a;
    a.server = url;
    a.user = "alice";
    a.password = "secret";
    return a;
}

class RadicaleSync : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        server_ = new Radicale();
        ASSERT_TRUE(server_->Running()) << server_->Error();
    }
    static void TearDownTestSuite()
    {
        delete server_;
        server_ = nullptr;
    }
    void SetUp() override
    {
        ASSERT_TRUE(server_ && server_->Running());
        client_ = std::make_unique<DavClient>(Alice(server_->Url()));
        // Each test its own collections.
        static int n = 0;
        ++n;
        cal_ = "/alice/cal" + std::to_string(n) + "/";
        book_ = "/alice/book" + std::to_string(n) + "/";
        ASSERT_TRUE(client_->MakeCalendar(cal_, "Calendar"));
        ASSERT_TRUE(client_->MakeAddressBook(book_, "Contacts"));
    }
    SyncOutcome Sync(Device& d, bool keepState = true)
    {
        DavServer server(*client_);
        return d.Sync(server, keepState, cal_, book_);
    }
    std::size_t Count(const std::string& collection) { return client_->List(collection).items.size(); }
    // The account of this test's calendar in a settings file, as the Sync page saves it.
    bool WriteAccount(const std::string& settingsFile, const std::string& passwordCommand)
    {
        SettingsStore store(settingsFile);
        store.Load();
        store.OpenKey(kSettingsKey, true);
        Settings s;
        s.SyncServer = server_->Url();
        s.SyncUser = "alice";
        s.SyncCalendar = cal_;
        s.SyncPasswordCommand = passwordCommand;
        return WriteSyncSettings(store, s).ok && store.Save().ok;
    }

    static Radicale* server_;
    std::unique_ptr<DavClient> client_;
    std::string cal_, book_;
};
Radicale* RadicaleSync::server_ = nullptr;

TEST_F(RadicaleSync, TwoDevicesAndAThirdClientKeepOneCalendar)
{
    const DavDiscovery found = DavClient(Alice(server_->Url())).Discover();
    ASSERT_TRUE(found.status) << found.status.message;
    bool sawCal = false, sawBook = false;
    for (const DavCollection& c : found.collections) {
        sawCal |= c.href == cal_ && c.calendar;
        sawBook |= c.href == book_ && c.addressBook;
    }
    EXPECT_TRUE(sawCal && sawBook);

    Device laptop("laptop", server_->Url()), desktop("desktop", server_->Url());
    laptop.Edit([](RecordStore& r) {
        r.editCalendar().push_back(Event(10, "Dentist"));
        r.editAddresses().push_back(Person("Anna", "Virtanen", 4, 7, 1980));
    });
    ASSERT_TRUE(Sync(laptop).ok);
    ASSERT_TRUE(Sync(desktop).ok);
    EXPECT_EQ(Hints(desktop.Records()), std::vector<std::string>{"Dentist"});
    ASSERT_EQ(desktop.Records().addresses().size(), 1u);
    EXPECT_TRUE(desktop.Records().annual().empty());

    // Both change the same event: both versions kept, on both.
    laptop.Edit([](RecordStore& r) { r.editCalendar()[0].Hint = "Dentist 9:00"; });
    desktop.Edit([](RecordStore& r) { r.editCalendar()[0].Hint = "Dentist 10:00"; });
    ASSERT_TRUE(Sync(laptop).ok);
    const SyncOutcome clash = Sync(desktop);
    ASSERT_TRUE(clash.ok) << clash.message;
    EXPECT_TRUE(clash.needsUser);
    ASSERT_TRUE(Sync(laptop).ok);
    for (Device* d : {&laptop, &desktop}) {
        std::vector<std::string> hints = Hints(d->Records());
        std::sort(hints.begin(), hints.end());
        EXPECT_EQ(hints, (std::vector<std::string>{"Dentist 10:00", "Dentist 9:00"}));
    }

    // A third client's event with an alarm and a place, changed in ORV.
    const std::string href = cal_ + "phone-1.ics";
    ASSERT_TRUE(client_
                    ->Put(href,
                          "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VEVENT\r\nUID:phone-1\r\n"
                          "DTSTAMP:20261201T100000Z\r\nDTSTART:20261215T150000Z\r\nDTEND:20261215T160000Z\r\n"
                          "SUMMARY:Haircut\r\nLOCATION:Main Street 5\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
                          "TRIGGER:-PT30M\r\nDESCRIPTION:Haircut\r\nEND:VALARM\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
                          "text/calendar", "")
                    .status);
    ASSERT_TRUE(Sync(desktop).ok);
    desktop.Edit([](RecordStore& r) {
        for (ACal& c : r.editCalendar())
            if (c.Hint == "Haircut") c.Hint = "Haircut and beard";
    });
    ASSERT_TRUE(Sync(desktop).ok);
    const DavFetch f = client_->Fetch(cal_, {href}, true);
    ASSERT_EQ(f.items.size(), 1u);
    EXPECT_NE(f.items[0].data.find("SUMMARY:Haircut and beard"), std::string::npos) << f.items[0].data;
    EXPECT_NE(f.items[0].data.find("LOCATION:Main Street 5"), std::string::npos);
    EXPECT_NE(f.items[0].data.find("TRIGGER:-PT30M"), std::string::npos);
    ASSERT_TRUE(Sync(laptop).ok);
    EXPECT_EQ(Hints(laptop.Records()).size(), 3u);

    // Deleted on one, gone on the other.
    laptop.Edit([](RecordStore& r) { r.editAddresses().clear(); });
    ASSERT_TRUE(Sync(laptop).ok);
    ASSERT_TRUE(Sync(desktop).ok);
    EXPECT_TRUE(desktop.Records().addresses().empty());
    EXPECT_EQ(Count(book_), 0u);
}

TEST_F(RadicaleSync, SyncNowRunsWithoutAWindowAndSaysHowItWent)
{
    Device laptop("cli", server_->Url());
    laptop.Edit([](RecordStore& r) { r.editCalendar().push_back(Event(12, "From the command")); });
    const std::string settingsFile = laptop.folder() + "settings.conf";
    const auto run = [&] {
        const std::string command = std::string(ORV_BIN) + " --sync-now --data-folder " + laptop.folder() +
                                    " --settings-file " + settingsFile + " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run(), 2);  // no account yet
    ASSERT_TRUE(WriteAccount(settingsFile, "echo wrong"));
    EXPECT_EQ(run(), 1);  // the server refuses the password
    EXPECT_EQ(Count(cal_), 0u);
    {
        SettingsStore store(settingsFile);
        store.Load();
        ASSERT_TRUE(store.WriteText(kSettingsKey, "SyncPasswordCommand", "printf 'secret\\nignored'").ok);
        ASSERT_TRUE(store.Save().ok);
    }
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(Count(cal_), 1u);
}

TEST_F(RadicaleSync, ASyncKilledMidwayIsRepeatedWithoutDoubles)
{
    Device laptop("killed", server_->Url());
    laptop.Edit([](RecordStore& r) {
        for (int i = 0; i < 120; ++i) r.editCalendar().push_back(Event(1 + i % 28, "Item " + std::to_string(i)));
        r.SortCalendar();
    });
    const std::string settingsFile = laptop.folder() + "settings.reg";
    ASSERT_TRUE(WriteAccount(settingsFile, "echo secret"));
    const auto start = [&] {
        const pid_t pid = fork();
        if (pid == 0) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, 1);
            dup2(null, 2);
            execl(ORV_BIN, ORV_BIN, "--sync-now", "--data-folder", laptop.folder().c_str(), "--settings-file",
                  settingsFile.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        return pid;
    };
    // Killed while the events go out, at a point nobody chose.
    const pid_t first = start();
    for (int i = 0; i < 400 && Count(cal_) < 30; ++i) usleep(50 * 1000);
    kill(first, SIGKILL);
    int status = 0;
    waitpid(first, &status, 0);
    const std::size_t sentBeforeKill = Count(cal_);
    EXPECT_GT(sentBeforeKill, 0u);
    EXPECT_LT(sentBeforeKill, 120u);

    const pid_t second = start();
    waitpid(second, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(Count(cal_), 120u);
    EXPECT_EQ(laptop.Records().calendar().size(), 120u);
    Device desktop("other", server_->Url());
    ASSERT_TRUE(Sync(desktop).ok);
    EXPECT_EQ(desktop.Records().calendar().size(), 120u);
}

}  // namespace
}  // namespace orv::sync

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
