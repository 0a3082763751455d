#include "shell/tmain.h"

#include <QFont>

#include "shell/programicon.h"
#include "views/common/storedtext.h"

// The resources live in a static library; the linker keeps them only when asked.
static void InitOrvResources() { Q_INIT_RESOURCE(orv); }

namespace orv {

TMain::TMain(QObject* parent, Clock clock)
    : QObject(parent), tray_(std::make_unique<QSystemTrayIcon>()), menu_(std::make_unique<QMenu>()),
      clock_(clock ? std::move(clock) : Clock([] { return QDate::currentDate(); }))
{
    InitOrvResources();
    setObjectName(QStringLiteral("Main"));
    tray_->setObjectName(QStringLiteral("abfTrayIcon1"));
    tray_->setToolTip(QStringLiteral("ORV - Managing your Events"));
    tray_->setIcon(ProgramIcon());
    tray_->setContextMenu(menu_.get());
    connect(tray_.get(), &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) emit showRequested();
    });
    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setInterval(3000);
    connect(&timer_, &QTimer::timeout, this, &TMain::Timer1Timer);
    // Before the first overview is built the fixed items are there all the same.
    SetTrayMenu(BuildTrayMenu(Overview{}));
}

TMain::~TMain() = default;

bool TMain::trayAvailable() const { return QSystemTrayIcon::isSystemTrayAvailable(); }

bool TMain::ShowTrayIcon()
{
    if (!trayAvailable()) return false;
    tray_->show();
    return true;
}

void TMain::RemoveTrayIcon() { tray_->hide(); }

void TMain::SetTrayImage(const QIcon& icon) { tray_->setIcon(icon); }

void TMain::SetTrayMenu(const std::vector<TrayMenuItem>& items)
{
    menu_->clear();
    for (const TrayMenuItem& item : items) {
        // A menu here has no columns; the start of a new column becomes a separator.
        if (item.newColumn) menu_->addSeparator();
        AddTrayItem(item);
    }
}

void TMain::AddTrayLine(QMenu* into, const TrayMenuItem& item)
{
    QAction* action = into->addAction(DecodeStored(item.caption));
    const TrayMenuItem::Table table = item.table;
    const int row = item.row;
    connect(action, &QAction::triggered, this, [this, table, row] { emit lineActivated(table, row); });
}

void TMain::AddTrayItem(const TrayMenuItem& item)
{
    const QString caption = DecodeStored(item.caption);
    switch (item.type) {
    case TrayMenuItem::Type::Heading: {
        QAction* heading = menu_->addAction(caption);
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
        connect(heading, &QAction::triggered, this, &TMain::showRequested);
        menu_->setDefaultAction(heading);
        break;
    }
    case TrayMenuItem::Type::Separator: menu_->addSeparator(); break;
    case TrayMenuItem::Type::Line: AddTrayLine(menu_.get(), item); break;
    case TrayMenuItem::Type::Submenu: {
        QMenu* sub = menu_->addMenu(caption);
        for (const TrayMenuItem& child : item.children) AddTrayLine(sub, child);
        break;
    }
    case TrayMenuItem::Type::TodayBox:
        connect(menu_->addAction(caption), &QAction::triggered, this, &TMain::todayBoxRequested);
        break;
    case TrayMenuItem::Type::WriteLetter: {
        QAction* letter = menu_->addAction(caption);
        letter->setEnabled(letterAvailable_);
        connect(letter, &QAction::triggered, this, &TMain::writeLetterRequested);
        break;
    }
    case TrayMenuItem::Type::ShowOrv:
        connect(menu_->addAction(caption), &QAction::triggered, this, &TMain::showRequested);
        break;
    case TrayMenuItem::Type::Exit:
        if (syncAvailable_) connect(menu_->addAction(QStringLiteral("Sync now")), &QAction::triggered, this, &TMain::syncRequested);
        connect(menu_->addAction(caption), &QAction::triggered, this, &TMain::exitRequested);
        break;
    }
}

void TMain::SetSyncStatus(const QString& outcome)
{
    tray_->setToolTip(QStringLiteral("ORV - Managing your Events") +
                      (outcome.isEmpty() ? QString() : QStringLiteral("\nLast sync: ") + outcome));
}

void TMain::StartTimer() { timer_.start(); }

void TMain::Timer1Timer()
{
    // The whole date: a machine that slept for exactly a month, or a clock set
    // to the same day of another month, still brings a new day.
    const QDate now = clock_();
    const Date date = NormaliseClockDate(now.year(), now.month(), now.day());
    if (date == today_) return;
    today_ = date;
    emit dayChanged();
}

void TMain::Resumed()
{
    // Not waiting for the next tick: the day slept through is taken as the screen comes back.
    Timer1Timer();
}

void TMain::PlaySound()
{
    ++soundsPlayed_;
    // Loaded on the first reminder, not at start: most sessions never sound, and
    // the loading runs on a thread of its own that should not be cut off by a
    // program ending just after it started.
    if (sound_.source().isEmpty()) sound_.setSource(QUrl(QStringLiteral("qrc:/orv/sound.wav")));
    // A new start replaces a sound that is still playing.
    sound_.stop();
    sound_.play();
}

}  // namespace orv
