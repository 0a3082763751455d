// The running program: creates the windows in their order, runs the
// initialisation, "Update", the save-all step, "Hide" and the close, and
// publishes the changes that come from outside the views (UpdateORV).
#pragma once

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "core/session.h"
#include "core/singleinstance.h"
#include "core/startup.h"

class QWidget;

namespace orv {

// The application's names and life: the program lives on in the tray when its
// windows are hidden. No display name is set, as Qt would append it to every
// window title (" — ORV"), cutting off the Today Box's date.
void SetUpApplication();

class TData;
class TMain;
class TSetup;
class TTodayBox;
class THelpBox;
class TNewTodo;
class NotificationSender;
class TLetter;
class TImportData;
class TDatalistForm;
class TArea;
class SyncRunner;
class WindowState;
class BoundsState;

// "--data-folder" and "--settings-file" with their values, where given.
QStringList FolderOptions(const std::string& dataFolder, const std::string& settingsFile);

class OrvApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        std::string dataFolder;    // ending in '/'
        std::string settingsFile;
        StartDecision start;
        std::function<QDateTime()> now;  // the clock; tests fix it
        bool splash = true;
        // The desktop's notification service; none: no desktop notifications.
        std::shared_ptr<NotificationSender> notifications;
    };

    explicit OrvApp(Options options, QObject* parent = nullptr);
    ~OrvApp() override;

    // Creates the windows, loads the data, initialises and shows the main window.
    void Start();
    // The start up also opens the first view and, on a first run, the setup;
    // "Update" keeps the view and the Today Box's day.
    enum class Occasion { StartUp, Update };
    void Initialise(Occasion occasion, Session::Read read = Session::Read::FromFiles);
    // Saves, then reads everything again; after a failed save it keeps what is
    // in memory and says so.
    void Update();
    // Saves what changed and waits for the writes of the data files.
    SessionReport SaveAll();
    void Hide();
    // Closes the program after saving; false when saving failed and it keeps
    // running: the user chose so, or `onFailure` says to stay without asking.
    enum class OnSaveFailure { Ask, KeepRunning };
    bool Exit(OnSaveFailure onFailure = OnSaveFailure::Ask);
    void MinimizeToLauncher();
    // Publishes what changed outside the views (another program's records
    // taken in, a sync): each view refreshes for the kinds it shows.
    void UpdateORV();

    // A request from outside the windows (a signal of the system): "Exit"
    // without asking, or "Update". It waits while the program starts or
    // updates, and then runs in the order it came; while the first-start
    // settings dialog is open, either one ends the program at once, saving
    // nothing (exited() is emitted when Start() returns).
    enum class Request { Exit, Update };
    void HandleRequest(Request request);
    // "Sync now" (the tray, the Program menu): without an account it opens
    // the settings on their page "Sync".
    void SyncNow();
    // `orv --sync-now` while this program runs: one sync, its outcome answered.
    void SyncForCommand(const SingleInstance::SyncAnswer& answer);
    SyncRunner* syncRunner() const { return sync_.get(); }

    // The options that start this program on the same data folder and
    // settings file; every start the program makes itself carries them.
    QStringList FolderOptions() const { return orv::FolderOptions(options_.dataFolder, options_.settingsFile); }

    Session& session() { return session_; }
    TData* data() const { return data_.get(); }
    TMain* tray() const { return main_.get(); }
    TSetup* setup() const { return setup_.get(); }
    TTodayBox* todayBox() const { return box_.get(); }
    THelpBox* help() const { return help_.get(); }
    TNewTodo* newTodo() const { return newTodo_.get(); }
    TLetter* letter() const { return letter_.get(); }
    TImportData* importData() const { return import_.get(); }
    TDatalistForm* dataList() const { return dataList_.get(); }

    // Where messages for the user go (a message box; tests collect them).
    std::function<void(const QString& title, const QString& text)> showMessage;
    // Asks a yes/no question (a message box; tests answer it).
    std::function<bool(const QString& title, const QString& text)> confirm;
    // Starts another program for "Minimize to ORV Launch" (tests replace it).
    std::function<void(const QStringList& arguments)> startProgram;

signals:
    void exited();

protected:
    // The Today Box follows the main window whenever that is shown.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Date Today() const;
    void RunPendingRequests();
    void Report(const QString& title, const SessionReport& report);
    void ApplySettingsToWindows();
    void ConnectWindows();
    void BindWindowStates();
    // The answers of the data files' writes, on the window's thread.
    void DeliverWrites();

    Options options_;
    Session session_;
    std::unique_ptr<TData> data_;
    std::unique_ptr<TMain> main_;
    std::unique_ptr<TSetup> setup_;
    std::unique_ptr<TLetter> letter_;
    std::unique_ptr<TImportData> import_;
    std::unique_ptr<TDatalistForm> dataList_;
    std::unique_ptr<TArea> area_;
    std::unique_ptr<TTodayBox> box_;
    std::unique_ptr<THelpBox> help_;
    std::unique_ptr<TNewTodo> newTodo_;
    std::unique_ptr<QWidget> note_;
    std::unique_ptr<SyncRunner> sync_;
    // Each window's state, in the order it is saved and restored.
    std::vector<WindowState*> windowStates_;
    std::vector<std::unique_ptr<BoundsState>> boundsStates_;
    std::vector<SingleInstance::SyncAnswer> syncAnswers_;
    bool syncAsked_ = false;  // the running sync was asked for by the user
    void SyncFinished(const QString& outcome, const QStringList& notes, bool changed, bool needsUser);
    bool started_ = false;
    bool updating_ = false;
    bool saving_ = false;  // SaveAll waits for the writer; a request waits for it
    bool helpPlaced_ = false;
    bool firstStartDialog_ = false;
    bool endedInFirstStart_ = false;
    std::vector<Request> pending_;
    bool waitingForLongWork_ = false;
};

}  // namespace orv
