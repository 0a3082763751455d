// The launcher: a tray icon with "Launch ORV" and "Exit", no data, no window.
#pragma once

#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>
#include <QWidget>
#include <functional>
#include <memory>

namespace orv {

class TLaunch : public QObject {
    Q_OBJECT
public:
    // `programArguments` are what the full program is started with: the data
    // folder and settings file the launcher itself was given.
    explicit TLaunch(QStringList programArguments = {}, QObject* parent = nullptr);
    ~TLaunch() override;

    // Shows the tray icon, or a small window where the desktop has no tray,
    // so that the launcher is never out of reach.
    void Show();
    void LaunchOrv();
    QMenu* menu() { return &menu_; }
    QWidget* window() { return window_.get(); }

    // Starts this program with `arguments`, detached.
    static bool StartProgram(const QStringList& arguments);
    // How "Launch ORV" starts the program (tests replace it).
    std::function<void(const QStringList& arguments)> startProgram = [](const QStringList& a) { StartProgram(a); };

signals:
    void finished();

private:
    QSystemTrayIcon tray_;
    QMenu menu_;
    std::unique_ptr<QWidget> window_;
    QStringList programArguments_;
};

}  // namespace orv
