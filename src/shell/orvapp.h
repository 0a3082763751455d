// The running program: creates the windows in their order, runs the
// initialisation, "Update", the save-all step, "Hide" and the close, and keeps
// the views in step after every edit (UpdateORV).
#pragma once

#include <QDateTime>
#include <QObject>
#include <functional>
#include <memory>

#include "core/session.h"
#include "core/startup.h"

class QWidget;

namespace orv {

class TData;
class TMain;
class TSetup;
class TTodayBox;
class THelpBox;
class TNewTodo;
class TLetter;
class TImportData;
class TDatalistForm;
class TArea;

class OrvApp : public QObject {
    Q_OBJECT
public:
    struct Options {
        std::string dataFolder;    // ending in '/'
        std::string settingsFile;
        StartDecision start;
        std::function<QDateTime()> now;  // the clock; tests fix it
        bool splash = true;
    };

    explicit OrvApp(Options options, QObject* parent = nullptr);
    ~OrvApp() override;

    // Creates the windows, loads the data, initialises and shows the main window.
    void Start();
    void Initialise(bool startUp);
    void Update();
    SessionReport SaveAll();
    void Hide();
    // Closes the program after saving; false when saving failed and the user
    // chose to keep it running.
    bool Exit();
    void MinimizeToLauncher();
    void UpdateORV();

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

private:
    Date Today() const;
    void Report(const QString& title, const SessionReport& report);
    void ApplySettingsToWindows();
    void ConnectWindows();

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
    bool started_ = false;
    bool updating_ = false;
};

}  // namespace orv
