// The program's hidden service object: the tray icon with the overview's menu,
// the timer that notices a new day, and the reminder sound.
#pragma once

#include <QDate>
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QSoundEffect>
#include <QSystemTrayIcon>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "engine/overview.h"

namespace orv {

class TMain : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<QDate()>;
    explicit TMain(QObject* parent = nullptr, Clock clock = {});
    ~TMain() override;

    // Puts the icon into the notification area; false where there is none.
    bool ShowTrayIcon();
    void RemoveTrayIcon();
    bool trayAvailable() const;
    QSystemTrayIcon* trayIcon() { return tray_.get(); }
    QMenu* trayMenu() { return menu_.get(); }

    // Rebuilds the pop-up menu from the overview's model.
    void SetTrayMenu(const std::vector<TrayMenuItem>& items);
    void SetTrayImage(const QIcon& icon);

    // The date the timer compares with; the timer starts disabled.
    void SetToday(Date today) { today_ = today; }
    Date today() const { return today_; }
    void StartTimer();
    QTimer* timer() { return &timer_; }
    // One tick of the day-change check (public so that a test can drive it).
    void Timer1Timer();
    // The machine woke from suspend: a day slept through is taken at once.
    void Resumed();

    // The letter writer comes with its own window; until it exists its item is greyed.
    void SetLetterAvailable(bool available) { letterAvailable_ = available; }
    // "Sync now" above "Exit" while a sync account is set up; the icon's
    // tooltip tells the last sync's outcome.
    void SetSyncAvailable(bool available) { syncAvailable_ = available; }
    void SetSyncStatus(const QString& outcome);

    void PlaySound();
    int soundsPlayed() const { return soundsPlayed_; }
    QSoundEffect::Status soundStatus() const { return sound_.status(); }

signals:
    void showRequested();           // icon click, "Show ORV"
    void exitRequested();           // "Exit"
    void todayBoxRequested();       // "Today Box"
    void writeLetterRequested();    // "Write letter"
    void syncRequested();           // "Sync now"
    void lineActivated(TrayMenuItem::Table table, int row);
    void dayChanged();              // the timer saw another date

private:
    void AddTrayItem(const TrayMenuItem& item);
    void AddTrayLine(QMenu* into, const TrayMenuItem& item);

    std::unique_ptr<QSystemTrayIcon> tray_;
    std::unique_ptr<QMenu> menu_;
    QTimer timer_;
    QSoundEffect sound_;
    Clock clock_;
    Date today_{};
    int soundsPlayed_ = 0;
    bool letterAvailable_ = false;
    bool syncAvailable_ = false;
};

}  // namespace orv

Q_DECLARE_METATYPE(orv::TrayMenuItem::Table)
