// orv: the desktop program.
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QLockFile>
#include <QMessageBox>
#include <cstdio>
#include <ctime>

#include "core/engineconfig.h"
#include "core/settingsstore.h"
#include "core/singleinstance.h"
#include "core/startup.h"
#include "shell/dbusnotifier.h"
#include "shell/orvapp.h"
#include "shell/systemsignals.h"
#include "shell/tdata.h"
#include "shell/tlaunch.h"
#include "shell/tmain.h"
#include "store/records.h"
#include "orvversion.h"
#include "sync/syncjob.h"

namespace {

constexpr const char* kUsage =
    "usage: orv [--data-folder DIR] [--settings-file FILE] [start|LAU|LAUall] [one|oneshow]\n"
    "       orv [--data-folder DIR] [--settings-file FILE] --sync-now\n"
    "       orv --help | --version\n"
    "  start        start as at log-in: the overview is the first view\n"
    "  LAUall       start the launcher only (a tray icon that starts ORV)\n"
    "  one          start at most once a day\n"
    "  oneshow      start once a day; a second start that day does not show the window\n"
    "               (with LAU first: a second start that day starts the launcher only)\n"
    "  --sync-now   sync once with the account in the settings and end, without a window:\n"
    "               0 synced, 1 failed (the reason on standard error), 2 no account or bad arguments\n";

// One sync of the data folder, needing no display. One program writes a data
// folder at a time: while an ORV runs on it, this one does not write.
int SyncNow(int argc, char** argv, const orv::ProgramArguments& line)
{
    QCoreApplication app(argc, argv);
    if (!line.words.empty()) {
        std::fprintf(stderr, "orv: --sync-now takes no other words\n%s", kUsage);
        return 2;
    }
    const std::string settingsFile = line.settingsFile ? *line.settingsFile : orv::DefaultSettingsPath();
    std::string dataFolder = line.dataFolder ? *line.dataFolder : orv::DefaultDataFolder(orv::ProgramDirectory());
    if (!dataFolder.empty() && dataFolder.back() != '/') dataFolder += '/';
    orv::SettingsStore store(settingsFile);
    if (const orv::Result read = store.Load(); !read.ok) {
        std::fprintf(stderr, "orv: %s\n", read.message.c_str());
        return 1;
    }
    orv::Settings settings;
    orv::ReadSettings(store, settings);
    if (!orv::sync::HasSyncAccount(settings)) {
        std::fprintf(stderr, "orv: no sync account is set up (SyncServer and SyncCalendar or SyncAddressBook)\n");
        return 2;
    }
    QDir().mkpath(QString::fromStdString(dataFolder));
    QLockFile lock(QDir(QString::fromStdString(dataFolder)).filePath(QString::fromLatin1(orv::SingleInstance::kDataLockName)));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(500)) {
        // The ORV that writes this folder syncs it; this one waits for the outcome.
        int code = 1;
        QString message;
        if (orv::SingleInstance::AskToSync(orv::SingleInstance::DefaultKey(),
                                           QDir(QString::fromStdString(dataFolder)).absolutePath(),
                                           60 * 60 * 1000, code, message)) {
            std::fprintf(code == 0 ? stdout : stderr, "%s%s\n", code == 0 ? "" : "orv: ", qPrintable(message));
            return code;
        }
        std::fprintf(stderr, "orv: another ORV is using the data folder '%s' and does not answer\n", dataFolder.c_str());
        return 1;
    }
    const QDate now = QDate::currentDate();
    const orv::sync::SyncJobResult r =
        orv::sync::SyncDataFolder(dataFolder, settings, orv::Date{static_cast<std::uint16_t>(now.year()),
                                                                   static_cast<std::uint16_t>(now.month()),
                                                                   static_cast<std::uint16_t>(now.day())},
                                  std::time(nullptr));
    for (const std::string& note : r.outcome.notes) std::printf("%s\n", note.c_str());
    if (r.code == orv::sync::SyncJobResult::Code::Synced) {
        std::printf("%s\n", r.message.c_str());
        return 0;
    }
    std::fprintf(stderr, "orv: %s\n", r.message.c_str());
    return static_cast<int>(r.code);
}

}  // namespace

int main(int argc, char** argv)
{
    // Answered before Qt starts, so that they work without a display.
    const orv::ProgramArguments early = orv::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (early.version) {
        std::printf("orv %s\n", orv::kVersion);
        return 0;
    }
    if (early.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (early.syncNow && early.error.empty()) return SyncNow(argc, argv, early);

    QApplication app(argc, argv);
    orv::SetUpApplication();
    // From here on a log-out or `kill` ends the program as "Exit" does.
    orv::SystemSignals systemSignals;

    std::vector<std::string> args;
    for (const QString& a : QApplication::arguments().mid(1)) args.push_back(a.toStdString());
    const orv::ProgramArguments line = orv::ParseCommandLine(args);
    if (!line.error.empty()) {
        std::fprintf(stderr, "orv: %s\n%s", line.error.c_str(), kUsage);
        return 2;
    }
    const std::string settingsFile = line.settingsFile ? *line.settingsFile : orv::DefaultSettingsPath();
    std::string dataFolder = line.dataFolder ? *line.dataFolder : orv::DefaultDataFolder(orv::ProgramDirectory());
    if (!dataFolder.empty() && dataFolder.back() != '/') dataFolder += '/';

    // The once-a-day words look at the last start recorded in the settings.
    orv::SettingsStore store(settingsFile);
    const bool storeRead = store.Load().ok;
    const QDate now = QDate::currentDate();
    const std::int32_t today = orv::DateSerial(now.year(), now.month(), now.day());
    const auto lastStart = store.ReadDate(orv::kSettingsKey, "LastStartDate").value;
    const orv::StartDecision decision = orv::DecideStart(line, lastStart, today);
    if (decision.mode == orv::StartMode::End) return 0;

    // Every start of the program that this one makes uses the same data and settings.
    const QStringList folderOptions = orv::FolderOptions(dataFolder, settingsFile);

    if (decision.mode == orv::StartMode::Launcher) {
        orv::TLaunch launcher(folderOptions);
        QObject::connect(&launcher, &orv::TLaunch::finished, &app, &QApplication::quit, Qt::QueuedConnection);
        QObject::connect(&systemSignals, &orv::SystemSignals::endRequested, &app, &QApplication::quit);
        launcher.Show();
        return QApplication::exec();
    }

    orv::SingleInstance guard(orv::SingleInstance::DefaultKey(), QString::fromStdString(dataFolder));
    if (!guard.Claim()) {
        if (guard.Refusal().isEmpty()) return 0;  // the running one was asked to come forward
        // Another ORV, out of reach (another login or runtime folder), writes these files.
        std::fprintf(stderr, "orv: %s\n", qPrintable(guard.Refusal()));
        QMessageBox box(QMessageBox::Critical, QStringLiteral("ORV"), guard.Refusal(), QMessageBox::Ok);
        QObject::connect(&systemSignals, &orv::SystemSignals::endRequested, &box, &QMessageBox::reject);
        QObject::connect(&systemSignals, &orv::SystemSignals::updateRequested, &box, &QMessageBox::reject);
        box.exec();
        return 1;
    }

    if (decision.writeLastStartDate && storeRead) {
        store.WriteDate(orv::kSettingsKey, "LastStartDate", today);
        store.Save();
    }

    orv::OrvApp orv({.dataFolder = dataFolder,
                     .settingsFile = settingsFile,
                     .start = decision,
                     .now = {},  // the system clock
                     .splash = true,
                     .notifications = std::make_shared<orv::DBusNotificationSender>()});
    QObject::connect(&guard, &orv::SingleInstance::showRequested, &orv, [&orv] { orv.data()->ShowMainWindow(); });
    QObject::connect(&guard, &orv::SingleInstance::syncRequested, &orv, &orv::OrvApp::SyncForCommand);
    QObject::connect(&orv, &orv::OrvApp::exited, &app, &QApplication::quit, Qt::QueuedConnection);
    QObject::connect(&systemSignals, &orv::SystemSignals::endRequested, &orv,
                     [&orv] { orv.HandleRequest(orv::OrvApp::Request::Exit); });
    QObject::connect(&systemSignals, &orv::SystemSignals::updateRequested, &orv,
                     [&orv] { orv.HandleRequest(orv::OrvApp::Request::Update); });
    orv.Start();
    orv::SleepWatch sleep;
    QObject::connect(&sleep, &orv::SleepWatch::resumed, orv.tray(), &orv::TMain::Resumed);
    return QApplication::exec();
}
