// Two ORV data folders keep one calendar and one address book in step through
// a real CalDAV/CardDAV server started for the test, and `orv --sync-now`.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

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
        DavAccount alice;
        alice.server = server_->Url();
        alice.user = "alice";
        alice.password = "secret";
        client_ = std::make_unique<DavClient>(alice);
        // Each test its own collections.
        static int n = 0;
        ++n;
        cal_ = "/alice/cal" + std::to_string(n) + "/";
        book_ = "/alice/book" + std::to_string(n) + "/";
        ASSERT_TRUE(client_->MakeCalendar(cal_, "Calendar"));
        ASSERT_TRUE(client_->MakeAddressBook(book_, "Contacts"));
    }
    SyncOutcome Sync(Device& d)
    {
        DavServer server(*client_);
        return d.Sync(server, cal_, book_);
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

// The engine's scenarios run against the server in memory too; here once
// each against a real one: first sync, a clash kept twice, a deletion.
TEST_F(RadicaleSync, TwoDevicesKeepOneCalendarAndAddressBook)
{
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

    // Deleted on one, gone on the other.
    laptop.Edit([](RecordStore& r) { r.editAddresses().clear(); });
    ASSERT_TRUE(Sync(laptop).ok);
    ASSERT_TRUE(Sync(desktop).ok);
    EXPECT_TRUE(desktop.Records().addresses().empty());
    EXPECT_EQ(Count(book_), 0u);
}

// `orv --sync-now` without a window: its exit status says how it went, and
// a run killed while the events go out is repeated without doubles.
TEST_F(RadicaleSync, SyncNowSaysHowItWentAndRepeatsAKilledRun)
{
    Device laptop("cli", server_->Url());
    laptop.Edit([](RecordStore& r) {
        for (int i = 0; i < 120; ++i) r.editCalendar().push_back(Event(1 + i % 28, "Item " + std::to_string(i)));
        r.SortCalendar();
    });
    const std::string settingsFile = laptop.folder() + "settings.conf";
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
    const auto exitStatus = [](pid_t pid) {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(exitStatus(start()), 2);  // no account yet
    ASSERT_TRUE(WriteAccount(settingsFile, "echo wrong"));
    EXPECT_EQ(exitStatus(start()), 1);  // the server refuses the password
    EXPECT_EQ(Count(cal_), 0u);

    ASSERT_TRUE(WriteAccount(settingsFile, "printf 'secret\\nignored'"));
    // Killed while the events go out, at a point nobody chose.
    const pid_t first = start();
    for (int i = 0; i < 400 && Count(cal_) < 30; ++i) usleep(50 * 1000);
    kill(first, SIGKILL);
    exitStatus(first);
    const std::size_t sentBeforeKill = Count(cal_);
    EXPECT_GT(sentBeforeKill, 0u);
    EXPECT_LT(sentBeforeKill, 120u);

    EXPECT_EQ(exitStatus(start()), 0);
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
