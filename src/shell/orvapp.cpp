#include "shell/orvapp.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include "core/autostart.h"
#include "engine/moonphase.h"
#include "shell/programicon.h"
#include "shell/fontapply.h"
#include "shell/helpbox.h"
#include "shell/moonimages.h"
#include "shell/notifier.h"
#include "shell/setupdialog.h"
#include "shell/sidebar.h"
#include "shell/tdata.h"
#include "shell/tlaunch.h"
#include "shell/tmain.h"
#include "shell/todaybox.h"
#include "views/newtododialog.h"
#include "views/overviewview.h"
#include "views/storedtext.h"
#include "views/todoview.h"

namespace orv {

namespace {


// The splash shown while the windows are made: the program's mark on white
// inside a border of the title colour.
std::unique_ptr<QWidget> MakeSplash()
{
    auto splash = std::make_unique<QLabel>();
    splash->setObjectName(QStringLiteral("Billed"));
    splash->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    QPixmap picture(198, 189);
    picture.fill(QColor(0x33, 0x4D, 0x73));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(6, 6, 186, 177), Qt::white);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QRect(67, 24, 64, 64), ProgramPixmap(128));
    QFont big = p.font();
    big.setPointSize(22);
    big.setBold(true);
    p.setFont(big);
    p.setPen(QColor(0x33, 0x4D, 0x73));
    p.drawText(QRect(6, 96, 186, 40), Qt::AlignCenter, QStringLiteral("ORV"));
    QFont small = p.font();
    small.setPointSize(9);
    small.setBold(false);
    p.setFont(small);
    p.drawText(QRect(6, 136, 186, 30), Qt::AlignCenter, QStringLiteral("Managing your Events"));
    p.end();
    splash->setPixmap(picture);
    splash->setFixedSize(picture.size());
    return splash;
}

std::unique_ptr<QWidget> MakeUpdatingNote()
{
    auto note = std::make_unique<QLabel>(QStringLiteral("Updating ORV ..."));
    note->setObjectName(QStringLiteral("InfoForm"));
    note->setWindowTitle(QStringLiteral("Updating ORV ..."));
    note->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint);
    note->setAlignment(Qt::AlignCenter);
    note->setMinimumSize(220, 60);
    return note;
}

void Centre(QWidget* w)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        w->move(screen->availableGeometry().center() - QPoint(w->width() / 2, w->height() / 2));
}

}  // namespace

OrvApp::OrvApp(Options options, QObject* parent)
    : QObject(parent), options_(std::move(options)), session_(options_.dataFolder, options_.settingsFile)
{
    if (!options_.now) options_.now = [] { return QDateTime::currentDateTime(); };
    showMessage = [](const QString& title, const QString& text) { QMessageBox::warning(nullptr, title, text); };
    confirm = [](const QString& title, const QString& text) {
        return QMessageBox::question(nullptr, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
               QMessageBox::Yes;
    };
    startProgram = [](const QStringList& arguments) { TLaunch::StartProgram(arguments); };
}

OrvApp::~OrvApp() = default;

Date OrvApp::Today() const
{
    const QDate d = options_.now().date();
    return NormaliseClockDate(d.year(), d.month(), d.day());
}

void OrvApp::Report(const QString& title, const SessionReport& report)
{
    if (report.messages.empty()) return;
    QStringList lines;
    for (const std::string& m : report.messages) lines << DecodeStored(m);
    showMessage(title, lines.join(QStringLiteral("\n\n")));
}

void OrvApp::Start()
{
    std::unique_ptr<QWidget> splash;
    if (options_.splash) {
        splash = MakeSplash();
        Centre(splash.get());
        splash->show();
        QCoreApplication::processEvents();
    }
    // The windows in their order; creating the main window loads the data.
    const SessionReport loaded = session_.LoadData();
    session_.setToday(Today());
    data_ = std::make_unique<TData>(session_);
    main_ = std::make_unique<TMain>(nullptr, [this] { return options_.now().date(); });
    setup_ = std::make_unique<TSetup>(session_);
    box_ = std::make_unique<TTodayBox>(session_, *data_);
    note_ = MakeUpdatingNote();
    newTodo_ = std::make_unique<TNewTodo>(*data_->todoView(), data_.get());
    help_ = std::make_unique<THelpBox>();
    setup_->setProgramPath(QCoreApplication::applicationFilePath());
    setup_->setNotificationDefault([this] { return options_.notifications && options_.notifications->Available(); });
    ConnectWindows();
    session_.finder().ReminderSound = [this] { main_->PlaySound(); };
    main_->ShowTrayIcon();
    if (splash) splash->hide();
    Report(QStringLiteral("ORV"), loaded);
    Initialise(true);
    started_ = true;
    if (options_.start.mode != StartMode::NormalNoShow) data_->ShowMainWindow();
    else data_->show();  // the event loop would show the main form all the same
    box_->ShowWithMainWindow(data_->isVisible());
}

void OrvApp::ConnectWindows()
{
    TData* data = data_.get();
    connect(data, &TData::updateRequested, this, &OrvApp::Update);
    connect(data, &TData::hideRequested, this, &OrvApp::Hide);
    connect(data, &TData::exitRequested, this, &OrvApp::Exit);
    connect(data, &TData::minimizeToLauncherRequested, this, &OrvApp::MinimizeToLauncher);
    connect(data, &TData::dataChanged, this, &OrvApp::UpdateORV);
    connect(data, &TData::propertiesRequested, this, [this] {
        setup_->LoadFromSettings();
        setup_->show();
        setup_->raise();
    });
    connect(data, &TData::helpRequested, this, [this](int page) { help_->ShowHelpPage(page); });
    connect(data, &TData::todayBoxRequested, this, [this] {
        box_->Fill(true);
        box_->show();
        box_->raise();
    });
    connect(data, &TData::newTodoRequested, this, [this] { newTodo_->exec(); });
    connect(setup_.get(), &TSetup::saved, this, [this] {
        // The dialog's "Save" ends with the program re-initialised and the dialog in front.
        Update();
        setup_->show();
        setup_->raise();
    });
    connect(setup_.get(), &TSetup::coloursChanged, this,
            [this] { data_->ApplyColours([this](int n) { return setup_->EntryColour(n); }); });
    connect(data_.get(), &TData::titleColoursChanged, box_.get(), &TTodayBox::setTitleColours);
    connect(setup_.get(), &TSetup::dateFormatOrStampChanged, this, [this] { data_->overview()->ClearDateStamp(); });

    TMain* tray = main_.get();
    connect(tray, &TMain::showRequested, this, [this] {
        data_->ShowMainWindow();
        box_->ShowWithMainWindow(true);
    });
    connect(tray, &TMain::exitRequested, this, &OrvApp::Exit);
    connect(tray, &TMain::todayBoxRequested, this, [this] {
        box_->show();
        box_->raise();
    });
    connect(tray, &TMain::lineActivated, this, [this](TrayMenuItem::Table table, int row) {
        data_->overview()->ActivateTrayLine(table, row);
        data_->ShowMainWindow();
    });
    connect(tray, &TMain::dayChanged, this, &OrvApp::Update);
    if (options_.notifications) {
        connect(options_.notifications.get(), &NotificationSender::activated, this, [this] {
            data_->ShowView(ViewItem::NextWeek);
            data_->ShowMainWindow();
            box_->ShowWithMainWindow(true);
        });
    }
    connect(data_->overview(), &OverviewView::trayMenuChanged, this,
            [this] { main_->SetTrayMenu(data_->overview()->trayMenu()); });
}

void OrvApp::ApplySettingsToWindows()
{
    const Settings& s = session_.settings();
    RestoreBounds(data_.get(), s.DataTop, s.DataLeft, s.DataHeight, s.DataWidth);
    RestoreBounds(box_.get(), s.TodayBoxTop, s.TodayBoxLeft, s.TodayBoxHeight, s.TodayBoxWidth);
    RestoreBounds(setup_.get(), s.SetupTop, s.SetupLeft, s.SetupHeight, s.SetupWidth);
    setup_->LoadFromSettings();
    data_->sidebar()->RestoreMarks(s);
    // "Enable Resize": a fixed border otherwise.
    if (s.CB24) {
        data_->setMinimumSize(560, 400);
        data_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        data_->setFixedSize(data_->size());
    }
    data_->verMenu()->menuAction()->setVisible(s.CB6);
    // "Show ORV in system tray" off: no task-bar entry. A tool window has none.
    const bool withoutEntry = !s.CB5;
    if (data_->windowFlags().testFlag(Qt::Tool) != withoutEntry) {
        const bool visible = data_->isVisible();
        data_->setWindowFlag(Qt::Tool, withoutEntry);
        if (visible) data_->show();
    }
    data_->ApplyColours();
}

void OrvApp::Initialise(bool startUp)
{
    const Date today = Today();
    const Session::InitResult init = session_.Initialise(today);
    Report(QStringLiteral("ORV"), init.report);
    ApplySettingsToWindows();
    const Settings& s = session_.settings();

    if (startUp) {
        data_->ShowView(ViewItem::NextWeek);
        if (s.ViewEvent && *s.ViewEvent >= 1 && *s.ViewEvent <= 13) data_->ShowView(static_cast<ViewItem>(*s.ViewEvent));
        if (options_.start.overviewFirst) data_->ShowView(ViewItem::NextWeek);
    }
    if (init.firstRun && startUp) setup_->exec();  // its controls were just filled
    data_->todoView()->Reload();
    data_->overview()->Build(true);
    // Where the reminder sound plays, the desktop hears of the day's events too.
    if (options_.notifications) SendReminder(session_, *options_.notifications, today);
    main_->SetToday(today);
    data_->SetCaptionFor(today);
    main_->SetTrayImage(MoonIcon(DaysSinceFullMoon(CurrentDateTime(), today)));
    box_->Fill(true);
    main_->StartTimer();
    for (QWidget* w : std::initializer_list<QWidget*>{data_.get(), box_.get(), newTodo_.get()}) ApplyChosenFont(w, s);
}

void OrvApp::Update()
{
    if (updating_) return;
    updating_ = true;
    data_->hide();
    Centre(note_.get());
    note_->show();
    QCoreApplication::processEvents();
    Report(QStringLiteral("ORV"), SaveAll());
    // Initialise rebuilds the overview (clearing its date stamp) and the Today Box.
    Initialise(false);
    note_->hide();
    // The main window is shown at the end of "Update" even if it was hidden.
    data_->ShowMainWindow();
    updating_ = false;
}

SessionReport OrvApp::SaveAll()
{
    Settings& s = session_.settings();
    SaveBounds(data_.get(), s.DataTop, s.DataLeft, s.DataHeight, s.DataWidth);
    SaveBounds(box_.get(), s.TodayBoxTop, s.TodayBoxLeft, s.TodayBoxHeight, s.TodayBoxWidth);
    SaveBounds(setup_.get(), s.SetupTop, s.SetupLeft, s.SetupHeight, s.SetupWidth);
    data_->sidebar()->SaveMarks(s);
    s.ViewEvent = data_->sidebar()->viewEventNumber();
    return session_.SaveAll();
}

void OrvApp::Hide()
{
    Report(QStringLiteral("ORV"), SaveAll());
    // Without a tray the window is minimised instead, so that it stays in reach.
    if (main_->trayAvailable() && main_->trayIcon()->isVisible()) data_->hide();
    else data_->showMinimized();
    box_->hide();
}

bool OrvApp::Exit()
{
    const SessionReport saved = SaveAll();
    if (!saved.ok()) {
        // Closing now would lose what could not be written: the user decides.
        QStringList lines;
        for (const std::string& m : saved.messages) lines << DecodeStored(m);
        lines << QStringLiteral("Close ORV all the same? What was not saved is lost.");
        if (!confirm(QStringLiteral("ORV"), lines.join(QStringLiteral("\n\n")))) return false;
    }
    const QDate today = options_.now().date();
    Report(QStringLiteral("ORV"), session_.WriteBackups(today.dayOfWeek() % 7 + 1));  // Qt: Monday 1 .. Sunday 7
    main_->RemoveTrayIcon();
    main_->timer()->stop();
    box_->hide();
    help_->hide();
    setup_->hide();
    data_->closingByExit_ = true;
    data_->close();
    emit exited();
    return true;
}

void OrvApp::MinimizeToLauncher()
{
    // The launcher starts only once the program has closed with everything saved.
    if (!Exit()) return;
    startProgram({QStringLiteral("LAUall")});
}

void OrvApp::UpdateORV()
{
    data_->overview()->Build(false);
    if (data_->isVisible()) box_->Fill(false);
}

}  // namespace orv
