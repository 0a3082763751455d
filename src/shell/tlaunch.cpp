#include "shell/tlaunch.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QProcess>
#include <QPushButton>
#include "shell/programicon.h"
#include "views/common/named.h"

namespace orv {

TLaunch::TLaunch(QStringList programArguments, QObject* parent)
    : QObject(parent), programArguments_(std::move(programArguments))
{
    setObjectName(QStringLiteral("Launch"));
    tray_.setObjectName(QStringLiteral("abfTrayIcon1"));
    tray_.setIcon(ProgramIcon());
    menu_.setObjectName(QStringLiteral("PopupMenu1"));
    QAction* launch = menu_.addAction(QStringLiteral("Launch ORV"));
    launch->setObjectName(QStringLiteral("LaunchORV1"));
    QAction* exit = menu_.addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("Exit1"));
    connect(launch, &QAction::triggered, this, &TLaunch::LaunchOrv);
    connect(exit, &QAction::triggered, this, &TLaunch::finished);
    tray_.setContextMenu(&menu_);
    connect(&tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick) LaunchOrv();
    });
}

TLaunch::~TLaunch() = default;

void TLaunch::Show()
{
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        tray_.show();
        return;
    }
    window_ = std::make_unique<QWidget>(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    window_->setObjectName(QStringLiteral("LaunchWindow"));
    window_->setWindowTitle(QStringLiteral("ORV Launch"));
    auto* layout = new QHBoxLayout(window_.get());
    for (QAction* action : menu_.actions()) {
        auto* button = Named<QPushButton>(action->objectName() + QStringLiteral("Button"),
                                          action->text(), window_.get());
        connect(button, &QPushButton::clicked, action, &QAction::trigger);
        layout->addWidget(button);
    }
    window_->show();
}

void TLaunch::LaunchOrv()
{
    startProgram(programArguments_);
    emit finished();
}

bool TLaunch::StartProgram(const QStringList& arguments)
{
    return QProcess::startDetached(QCoreApplication::applicationFilePath(), arguments);
}

}  // namespace orv
