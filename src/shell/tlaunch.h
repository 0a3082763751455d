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
    // `start` starts the full program (replaceable in tests).
    explicit TLaunch(std::function<void()> start = {}, QObject* parent = nullptr);
    ~TLaunch() override;

    // Shows the tray icon, or a small window where the desktop has no tray,
    // so that the launcher is never out of reach.
    void Show();
    void LaunchOrv();
    QMenu* menu() { return &menu_; }
    QWidget* window() { return window_.get(); }

    // Starts this program with `arguments`, detached.
    static bool StartProgram(const QStringList& arguments);

signals:
    void finished();

private:
    QSystemTrayIcon tray_;
    QMenu menu_;
    std::unique_ptr<QWidget> window_;
    std::function<void()> start_;
};

}  // namespace orv
