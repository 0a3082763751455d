#include "shell/orvapp.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "core/autostart.h"
#include "core/startup.h"
#include "engine/moonphase.h"
#include "shell/programicon.h"
#include "shell/fontapply.h"
#include "shell/thelpbox.h"
#include "shell/moonimages.h"
#include "shell/notifier.h"
#include "shell/setup/tsetup.h"
#include "shell/sidebar.h"
#include "shell/syncrunner.h"
#include "sync/syncjob.h"
#include "shell/tdata.h"
#include "shell/tlaunch.h"
#include "shell/tmain.h"
#include "shell/ttodaybox.h"
#include "shell/viewtable.h"
#include "shell/windowstate.h"
#include "views/address/addressview.h"
#include "views/documents/tarea.h"
#include "views/documents/tdatalistform.h"
#include "views/documents/timportdata.h"
#include "views/documents/tletter.h"
#include "views/common/longwork.h"
#include "views/address/hintsearchview.h"
#include "views/events/calendarview.h"
#include "views/events/tchangehint.h"
#include "views/today/tnewtodo.h"
#include "views/common/onelineedits.h"
#include "views/today/overviewview.h"
#include "views/address/peoplesearchview.h"
#include "views/address/phonebookview.h"
#include "views/common/storedtext.h"
#include "views/today/todoview.h"

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

void SetUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("ORV"));
    QApplication::setDesktopFileName(QStringLiteral("orv"));
    QApplication::setQuitOnLastWindowClosed(false);
}

OrvApp::OrvApp(Options options, QObject* parent)
    : QObject(parent), options_(std::move(options)), session_(options_.dataFolder, options_.settingsFile)
{
    if (!options_.now) options_.now = [] { return QDateTime::currentDateTime(); };
    // No value typed or pasted into any window may hold a line break.
    KeepLineEditsOnOneLine(QCoreApplication::instance());
    // A report does not stop the program: it stays on screen, modal, while
    // the start or the update goes on behind it.
    showMessage = [](const QString& title, const QString& text) {
        // The text as given, paths included: what is copied or read aloud is the
        // real path. It can be selected, so a path is copied whole.
        auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok);
        box->setTextFormat(Qt::PlainText);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::ApplicationModal);
        box->show();
    };
    confirm = [](const QString& title, const QString& text) {
        return QMessageBox::question(nullptr, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No) ==
               QMessageBox::Yes;
    };
    startProgram = [](const QStringList& arguments) { TLaunch::StartProgram(arguments); };
    // The data files are written beside the window; each answer comes back
    // to the window's thread as a queued call.
    session_.WriteInBackground([this] { QMetaObject::invokeMethod(this, &OrvApp::DeliverWrites, Qt::QueuedConnection); });
}

OrvApp::~OrvApp() = default;

Date OrvApp::Today() const
{
    const QDate d = options_.now().date();
    return NormaliseClockDate(d.year(), d.month(), d.day());
}

void OrvApp::Report(const QString& title, const SessionReport& report)
{
    if (report.messages.empty() && report.notices.empty()) return;
    const QStringList lines = DecodeStoredLines(report.messages) + DecodeStoredLines(report.notices);
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
    // Whatever a save killed halfway left behind goes before anything is read.
    session_.RemoveStaleTemporaries();
    // The windows in their order, made while the data files are read beside
    // them: neither needs the other, and the initialisation fills the
    // windows from the data afterwards, as "Update" does.
    session_.StartLoadingData();
    session_.setToday(Today());
    data_ = std::make_unique<TData>(session_);
    main_ = std::make_unique<TMain>(nullptr, [this] { return options_.now().date(); });
    setup_ = std::make_unique<TSetup>(session_);
    letter_ = std::make_unique<TLetter>(session_);
    import_ = std::make_unique<TImportData>(session_);
    dataList_ = std::make_unique<TDatalistForm>(session_, *data_);
    box_ = std::make_unique<TTodayBox>(session_, *data_);
    area_ = std::make_unique<TArea>();
    import_->setAreaDialog(area_.get());
    letter_->setRows([this]() -> const std::vector<LetterRow>& { return dataList_->list().LetterRows(); });
    data_->SetDocumentWindows(letter_.get(), dataList_.get(), import_.get());
    main_->SetLetterAvailable(true);
    note_ = MakeUpdatingNote();
    newTodo_ = std::make_unique<TNewTodo>(*data_->todoView(), data_.get());
    help_ = std::make_unique<THelpBox>();
    setup_->setProgramPath(QCoreApplication::applicationFilePath());
    setup_->setProgramOptions(FolderOptions());
    setup_->setNotificationDefault([this] { return options_.notifications && options_.notifications->Available(); });
    sync_ = std::make_unique<SyncRunner>(session_);
    ConnectWindows();
    BindWindowStates();
    connect(data_->overview(), &OverviewView::reminderDue, main_.get(), &TMain::PlaySound);
    const SessionReport loaded = session_.FinishLoadingData();
    main_->ShowTrayIcon();
    if (splash) splash->hide();
    Report(QStringLiteral("ORV"), loaded);
    Initialise(Occasion::StartUp);
    if (endedInFirstStart_) {
        // Nothing was loaded into the windows yet and nothing was changed:
        // the program ends without the save-all step.
        main_->RemoveTrayIcon();
        emit exited();
        return;
    }
    started_ = true;
    data_->installEventFilter(this);
    if (options_.start.mode != StartMode::NormalNoShow) data_->ShowMainWindow();
    else data_->show();  // the event loop would show the main form all the same
    RunPendingRequests();
}

bool OrvApp::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == data_.get() && event->type() == QEvent::Show) box_->ShowWithMainWindow(TTodayBox::MainWindow::Shown);
    return QObject::eventFilter(watched, event);
}

QStringList FolderOptions(const std::string& dataFolder, const std::string& settingsFile)
{
    QStringList options;
    for (const std::string& a : FolderArguments(dataFolder, settingsFile)) options << QString::fromStdString(a);
    return options;
}

void OrvApp::HandleRequest(Request request)
{
    if (firstStartDialog_) {
        // The first-start dialog runs before the program is up, so a request
        // cannot wait for it: a log-out or kill would go unheard for as long as
        // the dialog stays open. It ends the program instead, with what the
        // user has not saved in the dialog unwritten. SIGHUP counts the same:
        // there is nothing to update yet, and it usually means the terminal
        // or session that started the program is gone.
        endedInFirstStart_ = true;
        // A dialog opened from it (a colour, a font, a message) closes too, or
        // the settings dialog's own loop would wait for it.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible() && dialog != setup_.get())
                dialog->reject();
        setup_->reject();
        return;
    }
    pending_.push_back(request);
    RunPendingRequests();
}

void OrvApp::RunPendingRequests()
{
    // A long work's output is not in the lists yet: the requests wait until
    // it is, and an Exit cancels the work so that the program ends soon.
    if (LongWorkRunning() && !pending_.empty()) {
        if (std::find(pending_.begin(), pending_.end(), Request::Exit) != pending_.end()) CancelLongWork();
        if (!waitingForLongWork_) {
            waitingForLongWork_ = true;
            WhenLongWorkEnds([this] {
                waitingForLongWork_ = false;
                RunPendingRequests();
            });
        }
        return;
    }
    while (started_ && !updating_ && !saving_ && !pending_.empty()) {
        const Request next = pending_.front();
        pending_.erase(pending_.begin());
        if (next == Request::Update) {
            Update();
        } else if (Exit(OnSaveFailure::KeepRunning)) {
            pending_.clear();
            return;
        }
    }
}

void OrvApp::ConnectWindows()
{
    TData* data = data_.get();
    connect(data, &TData::updateRequested, this, &OrvApp::Update);
    connect(data, &TData::hideRequested, this, &OrvApp::Hide);
    connect(data, &TData::exitRequested, this, [this] { Exit(); });
    connect(data, &TData::minimizeToLauncherRequested, this, &OrvApp::MinimizeToLauncher);
    connect(data, &TData::propertiesRequested, this, [this] {
        setup_->LoadFromSettings();
        setup_->show();
        setup_->raise();
    });
    connect(data, &TData::helpRequested, this, [this](int page) {
        // The first time over the main window; after that where the user put it.
        if (!std::exchange(helpPlaced_, true)) PlaceOver(help_.get(), data_.get());
        help_->ShowHelpPage(page);
    });
    connect(data, &TData::todayBoxRequested, this, [this] {
        box_->Fill(TTodayBox::Day::Today);
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
    // The phone book page takes its colours and width from the settings dialog as it stands.
    data_->phoneBook()->setPageSource([this] {
        return PhoneBookView::PageTexts{setup_->EntryText(9), setup_->EntryText(10), setup_->EntryText(11),
                                        setup_->HtmlWidth()};
    });

    TMain* tray = main_.get();
    connect(tray, &TMain::showRequested, this, [this] { data_->ShowMainWindow(); });
    connect(tray, &TMain::exitRequested, this, [this] { Exit(); });
    connect(tray, &TMain::writeLetterRequested, data_.get(), &TData::ShowLetterWriter);
    connect(data_.get(), &TData::labelColoursChanged, this, [this](const LabelColours& colours) {
        dataList_->setLabelColours(colours);
        import_->setLabelColours(colours);
    });
    connect(tray, &TMain::todayBoxRequested, this, [this] {
        box_->show();
        box_->raise();
    });
    connect(tray, &TMain::lineActivated, this, [this](TrayMenuItem::Table table, int row) {
        // The "…" after the lines the menu had room for: the overview holds them all.
        if (row < 0) data_->ShowView(ViewItem::NextWeek);
        else data_->overview()->ActivateTrayLine(table, row);
        data_->ShowMainWindow();
    });
    connect(tray, &TMain::dayChanged, this, &OrvApp::Update);
    connect(tray, &TMain::syncRequested, this, &OrvApp::SyncNow);
    connect(data_.get(), &TData::syncRequested, this, &OrvApp::SyncNow);
    connect(sync_.get(), &SyncRunner::finished, this, &OrvApp::SyncFinished);
    if (options_.notifications) {
        connect(options_.notifications.get(), &NotificationSender::activated, this, [this] {
            data_->ShowView(ViewItem::NextWeek);
            data_->ShowMainWindow();
            box_->ShowWithMainWindow(TTodayBox::MainWindow::Shown);
        });
    }
    connect(data_->overview(), &OverviewView::trayMenuChanged, this,
            [this] { main_->SetTrayMenu(data_->overview()->trayMenu()); });
    // The Today Box shows every kind, and is refilled while the main window is seen.
    data_->changes().Subscribe(box_.get(), kEveryKind, [this] {
        if (data_->isVisible()) box_->Fill(TTodayBox::Day::Kept);
    });
}

void OrvApp::BindWindowStates()
{
    const auto bounds = [this](QWidget* window, BoundsState::Keys keys,
                               BoundsState::Restored restored = BoundsState::Restored::Yes) {
        windowStates_.push_back(boundsStates_.emplace_back(std::make_unique<BoundsState>(window, keys, restored)).get());
    };
    windowStates_.push_back(data_.get());
    bounds(letter_.get(), {&Settings::LetterTop, &Settings::LetterLeft, &Settings::LetterHeight, &Settings::LetterWidth});
    bounds(box_.get(), {&Settings::TodayBoxTop, &Settings::TodayBoxLeft, &Settings::TodayBoxHeight, &Settings::TodayBoxWidth});
    bounds(dataList_.get(), {&Settings::DatalistFormTop, &Settings::DatalistFormLeft, &Settings::DatalistFormHeight,
                             &Settings::DatalistFormWidth});
    bounds(import_.get(),
           {&Settings::ImportDataTop, &Settings::ImportDataLeft, &Settings::ImportDataHeight, &Settings::ImportDataWidth});
    bounds(setup_.get(), {&Settings::SetupTop, &Settings::SetupLeft, &Settings::SetupHeight, &Settings::SetupWidth});
    // The calendar's change-hint picker: its bounds have always been written, never read.
    bounds(data_->calendarView()->picker(),
           {&Settings::ChangeHintTop, &Settings::ChangeHintLeft, &Settings::ChangeHintHeight, &Settings::ChangeHintWidth},
           BoundsState::Restored::No);
}

void OrvApp::ApplySettingsToWindows()
{
    const Settings& s = session_.settings();
    for (WindowState* window : windowStates_) window->RestoreState(s);
    dataList_->LoadOptions();
    setup_->LoadFromSettings();
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

void OrvApp::Initialise(Occasion occasion, Session::Read read)
{
    const bool startUp = occasion == Occasion::StartUp;
    const Date previousToday = session_.today();
    const Date today = Today();
    const Session::InitResult init = session_.Initialise(today, read);
    Report(QStringLiteral("ORV"), init.report);
    ApplySettingsToWindows();
    const Settings& s = session_.settings();
    // Lists read again: a running sync's result no longer fits them.
    sync_->DataReloaded();
    main_->SetSyncAvailable(sync::HasSyncAccount(s));
    sync_->ApplySchedule();

    if (startUp) {
        data_->ShowView(ViewItem::NextWeek);
        if (s.ViewEvent && FindView(*s.ViewEvent)) data_->ShowView(static_cast<ViewItem>(*s.ViewEvent));
        if (options_.start.overviewFirst) data_->ShowView(ViewItem::NextWeek);
    }
    if (init.firstRun && startUp) {
        firstStartDialog_ = true;
        setup_->exec();  // its controls were just filled
        firstStartDialog_ = false;
        if (endedInFirstStart_) return;
    }
    data_->todoView()->Reload();
    // The address book: the phone book built afresh (at the stored widths).
    data_->phoneBook()->Build();
    data_->addressView()->ShowAddress();
    data_->hintSearch()->Refresh();
    data_->InitialiseEventPages(today);
    data_->overview()->Build(OverviewView::Reminder::ForHighPriority);
    // Where the reminder sound plays, the desktop hears of the day's events too.
    if (options_.notifications) SendReminder(session_, *options_.notifications, today);
    main_->SetToday(today);
    data_->SetCaptionFor(today);
    main_->SetTrayImage(MoonIcon(DaysSinceFullMoon(CurrentDateTime(), today)));
    if (startUp) box_->Fill(TTodayBox::Day::Today);
    else box_->FillAfterUpdate(previousToday);
    main_->StartTimer();
    for (QWidget* w : std::initializer_list<QWidget*>{data_.get(), letter_.get(), import_.get(), dataList_.get(), box_.get(),
                                                      newTodo_.get()})
        ApplyChosenFont(w, s);
    // Every view was just built from the data as they are: nothing is left to publish.
    data_->changes().Rebase();
}

void OrvApp::Update()
{
    if (updating_) return;
    updating_ = true;
    data_->hide();
    Centre(note_.get());
    note_->show();
    // Paints the note; clicks and requests wait until the update is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::ExcludeSocketNotifiers);
    // Initialise moves the calendar to today; "Update" keeps the day the user had.
    const Date shown = data_->calendarView()->selectedDate();
    SessionReport saved = SaveAll();
    // Reading the files after a failed save would replace what was not saved
    // (the day's new to-dos) by the older files: memory stays as it is.
    const bool keep = !saved.ok();
    if (keep) {
        saved.messages.push_back(
            "The settings and to-do lists in memory are kept; they were not read again from their files.");
    }
    Report(QStringLiteral("ORV"), saved);
    // Initialise rebuilds the overview (clearing its date stamp) and the Today Box.
    Initialise(Occasion::Update, keep ? Session::Read::KeepMemory : Session::Read::FromFiles);
    data_->calendarView()->GoTo(shown);
    note_->hide();
    // The main window is shown at the end of "Update" even if it was hidden.
    data_->ShowMainWindow();
    updating_ = false;
    RunPendingRequests();
}

SessionReport OrvApp::SaveAll()
{
    Settings& s = session_.settings();
    for (const WindowState* window : windowStates_) window->SaveState(s);
    // An answer of a write may show a message (an event loop of its own): a
    // request coming meanwhile waits until the writes are done.
    const bool nested = std::exchange(saving_, true);
    SessionReport saved = session_.SaveAll();
    saving_ = nested;
    return saved;
}

void OrvApp::DeliverWrites()
{
    const Session::Delivered delivered = session_.DeliverWrites();
    // Another program's records were taken into a list: every view shows them.
    if (delivered.listsChanged && started_) UpdateORV();
    Report(QStringLiteral("ORV"), delivered.report);
}

void OrvApp::Hide()
{
    Report(QStringLiteral("ORV"), SaveAll());
    // Without a tray the window is minimised instead, so that it stays in reach.
    if (main_->trayAvailable() && main_->trayIcon()->isVisible()) data_->hide();
    else data_->showMinimized();
    // The Today Box stays: "Hide" hides the main window only, and the box can
    // still be closed on its own.
    RunPendingRequests();
}

bool OrvApp::Exit(OnSaveFailure onFailure)
{
    // A letter that was never saved would be gone with the program: it is asked about first.
    if (!letter_->CloseQuery()) return false;
    // A running sync ends at its next safe point, and what it did is kept.
    sync_->Stop();
    const SessionReport saved = SaveAll();
    if (!saved.ok()) {
        // Closing now would lose what could not be written: the user decides.
        QStringList lines = DecodeStoredLines(saved.messages);
        if (onFailure == OnSaveFailure::KeepRunning) {
            lines << QStringLiteral("ORV keeps running, so that nothing is lost.");
            showMessage(QStringLiteral("ORV"), lines.join(QStringLiteral("\n\n")));
            return false;
        }
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
    for (QWidget* w : std::initializer_list<QWidget*>{letter_.get(), dataList_.get(), import_.get()}) w->hide();
    data_->closingByExit_ = true;
    data_->close();
    emit exited();
    return true;
}

void OrvApp::MinimizeToLauncher()
{
    // The launcher starts only once the program has closed with everything saved.
    if (!Exit()) return;
    startProgram(FolderOptions() << QStringLiteral("LAUall"));
}

void OrvApp::SyncNow()
{
    QString why;
    if (sync_->Start(&why)) {
        syncAsked_ = true;
        main_->SetSyncStatus(QStringLiteral("running…"));
        return;
    }
    if (sync_->running()) return;  // its outcome comes when it ends
    if (!sync::HasSyncAccount(session_.settings())) {
        setup_->LoadFromSettings();
        setup_->ShowSyncPage();
        setup_->show();
        setup_->raise();
        return;
    }
    showMessage(QStringLiteral("ORV - Sync"), why);
}

void OrvApp::SyncForCommand(const SingleInstance::SyncAnswer& answer)
{
    QString why;
    if (!sync_->running() && !sync_->Start(&why)) {
        answer(sync::HasSyncAccount(session_.settings()) ? 1 : 2, why);
        return;
    }
    syncAnswers_.push_back(answer);
}

void OrvApp::SyncFinished(const QString& outcome, const QStringList& notes, bool changed, bool needsUser)
{
    if (changed) UpdateORV();
    main_->SetSyncStatus(sync_->lastOutcome());
    setup_->SetSyncOutcome(sync_->lastOutcome());
    const bool failed = !outcome.startsWith(QStringLiteral("Synced"));
    const bool asked = std::exchange(syncAsked_, false);
    for (const auto& answer : std::exchange(syncAnswers_, {}))
        answer(failed ? 1 : 0, (QStringList(outcome) + notes).join(QLatin1Char('\n')));
    // The desktop hears only of what wants the user: a conflict kept, a refused password.
    if (needsUser && options_.notifications && options_.notifications->Available())
        options_.notifications->Send({QStringLiteral("ORV - Sync"), QStringList(outcome) + notes});
    else if (asked && (failed || !notes.isEmpty()))
        showMessage(QStringLiteral("ORV - Sync"), (QStringList(outcome) + notes).join(QStringLiteral("\n\n")));
}

void OrvApp::UpdateORV() { data_->changes().Publish(); }

}  // namespace orv
