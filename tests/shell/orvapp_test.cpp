// The program as a whole: start-up, the save-all step, "Update", "Hide", close
// and the day-change timer, each on its own temporary data folder and settings.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSpinBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <thread>

#include "appfixture.h"
#include "core/settingsstore.h"
#include "shell/thelpbox.h"
#include "shell/orvapp.h"
#include "shell/setup/tsetup.h"
#include "shell/sidebar.h"
#include "shell/tdata.h"
#include "shell/tmain.h"
#include "views/today/tnewtodo.h"
#include "shell/ttodaybox.h"
#include "views/common/labelbutton.h"
#include "views/common/longwork.h"
#include "views/common/viewdialogs.h"
#include "views/today/overviewview.h"
#include "views/today/todoview.h"

using namespace orv;

class OrvAppTest : public QObject, public orv::test::AppFixture {
    Q_OBJECT
private slots:
    void init() { SetUpApp(); }
    void cleanup() { TearDownApp(); }

    // A report holds the real path: what is copied or read aloud is the file's name.
    void aReportShowsPathsAsTheyAreAndLetsThemBeCopied()
    {
        OrvApp::Options options;
        options.dataFolder = data.toStdString();
        options.settingsFile = settings.toStdString();
        OrvApp plain(options);
        const QString text = QStringLiteral("'data.orv' could not be read.\n\n") + data +
                             QStringLiteral("data.orv.20240228-101500.unread keeps it.");
        plain.showMessage(QStringLiteral("ORV"), text);
        QMessageBox* box = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* b = qobject_cast<QMessageBox*>(w)) box = b;
        QVERIFY(box);
        QCOMPARE(box->text(), text);
        QVERIFY(box->textInteractionFlags() & Qt::TextSelectableByMouse);
        box->close();
    }

    void aFirstStartShowsTheSettingsDialogBeforeTheMainWindow()
    {
        bool dialogSeenBeforeWindow = false;
        QTimer::singleShot(0, [&] {
            auto* setup = app->setup();
            dialogSeenBeforeWindow = setup && setup->isVisible() && !app->data()->isVisible();
            if (setup) setup->reject();
        });
        Start();
        QVERIFY(dialogSeenBeforeWindow);
        QVERIFY(app->data()->isVisible());
        const SettingsStore store = Stored();
        QCOMPARE(store.ReadInteger(kSettingsKey, "WeekStart").value, std::optional<std::int32_t>(1));
        QCOMPARE(store.ReadDate(kSettingsKey, "LastDate").value, std::optional<std::int32_t>(DateSerial(2024, 2, 28)));
    }

    // A log-out, kill or Ctrl+C while the first-start dialog waits must end the
    // program, writing nothing the user did not confirm in the dialog.
    void aSystemRequestDuringTheFirstStartDialogEndsTheProgramUnsaved_data()
    {
        QTest::addColumn<int>("request");
        QTest::newRow("end (SIGTERM, SIGINT)") << static_cast<int>(OrvApp::Request::Exit);
        QTest::newRow("update (SIGHUP)") << static_cast<int>(OrvApp::Request::Update);
    }

    void aSystemRequestDuringTheFirstStartDialogEndsTheProgramUnsaved()
    {
        QFETCH(int, request);
        WriteFile(data + QStringLiteral("todo1.qsf"), "keep\r\n");
        bool dialogOpen = false;
        QTimer::singleShot(0, [&] {
            dialogOpen = app->setup()->isVisible();
            // A typed, unsaved choice; and a message box opened over the dialog.
            app->setup()->findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->setValue(42);
            QTimer::singleShot(0, [&] { app->HandleRequest(static_cast<OrvApp::Request>(request)); });
            QMessageBox::information(app->setup(), QStringLiteral("ORV"), QStringLiteral("open"));
        });
        OrvApp::Options options;
        options.dataFolder = data.toStdString();
        options.settingsFile = settings.toStdString();
        options.now = [this] { return now; };
        options.splash = false;
        app = std::make_unique<OrvApp>(options);
        QSignalSpy exited(app.get(), &OrvApp::exited);
        app->Start();
        QVERIFY(dialogOpen);
        QCOMPARE(exited.count(), 1);
        QVERIFY(!app->data()->isVisible());
        const SettingsStore store = Stored();
        QVERIFY(!store.ValueExists(kSettingsKey, "saved1"));  // the dialog comes again next time
        QVERIFY(!store.ValueExists(kSettingsKey, "nextweek"));
        QCOMPARE(QDir(data).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("todo1.qsf")});
        QCOMPARE(ReadFile(data + QStringLiteral("todo1.qsf")), QByteArray("keep\r\n"));
    }

    // Qt's line edit keeps the line breaks of a pasted text; a value must not.
    void aTextPastedIntoAnyLineEditOfTheViewsIsOneLine()
    {
        MarkSettingsSaved();
        Start();
        QApplication::clipboard()->setText(QStringLiteral("a\r\nb\nc\rd"));
        int tried = 0;
        QStringList names;
        for (QWidget* window : {static_cast<QWidget*>(app->data()), static_cast<QWidget*>(app->newTodo())}) {
            for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
                if (edit->isReadOnly() || edit->validator() || qobject_cast<QAbstractSpinBox*>(edit->parentWidget()))
                    continue;
                edit->ensurePolished();  // as showing its page would
                edit->clear();
                edit->paste();
                const QString text = edit->text();
                QVERIFY2(!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')),
                         qPrintable(edit->objectName()));
                if (text != QStringLiteral("a b c d")) continue;  // a number field takes no text
                ++tried;
                names << edit->objectName();
            }
        }
        // The address view's fields and the event views' texts among them.
        QVERIFY2(tried >= 10, qPrintable(names.join(QLatin1Char(' '))));
        QVERIFY(names.contains(QStringLiteral("DataEdit1")));
    }

    void theOverviewShowsTodayAndTheHelpMenuOpensItsPageOverTheMainWindow()
    {
        MarkSettingsSaved();
        WriteFile(data + QStringLiteral("cal.orv"),
                  "<BEGIN:CAL:FILE:VERSION>3.0\r\n<BEGIN>\r\n<HINT>Dentist\r\n<PRI>0\r\n<DAY>28\r\n<MONTH>2\r\n<YEAR>2024\r\n"
                  "<BEGIN:MORE>\r\n<END:MORE>\r\n<END>\r\n<END:FILE>\r\n");
        Start();
        auto* today = app->data()->findChild<QTableView*>(QStringLiteral("TodayStringGrid"));
        QCOMPARE(today->model()->rowCount(), 1);
        QCOMPARE(today->model()->index(0, 1).data().toString(), QStringLiteral("Dentist"));
        QCOMPARE(app->tray()->soundsPlayed(), 1);  // a high-priority event of today sounds at start-up
        QCOMPARE(app->data()->windowTitle(), QStringLiteral("ORV - Wednesday 28/2 2024"));

        QAction* letters = MenuItem(QStringLiteral("&Help"), QStringLiteral("Event type letters"));
        QVERIFY(letters);
        app->data()->move(300, 200);
        letters->trigger();
        QCOMPARE(today->model()->rowCount(), 1);
        QCOMPARE(app->data()->currentPanel()->objectName(), QStringLiteral("PP11"));
        // The help window opens over the main window, not in the screen's corner.
        QVERIFY(app->help()->isVisible());
        QVERIFY((app->help()->frameGeometry().center() - app->data()->frameGeometry().center()).manhattanLength() <= 2);
    }

    // The view shown at exit comes back at the next start, unless started with "start".
    void exitSavesEverythingWritesTheWeekdayBackupsAndTheViewComesBack()
    {
        MarkSettingsSaved();
        Start();
        app->session().todos().Top = {"Call the bank"};
        app->data()->ShowView(ViewItem::Weekly);
        // An edit whose write is still going on when "Exit" comes: it is waited for.
        app->session().writer().SetBeforeWrite([](DataKind) { std::this_thread::sleep_for(std::chrono::milliseconds(300)); });
        AWeek choir;
        choir.Weekday = 5;
        choir.Hint = "Choir";
        app->session().records().editWeekly().push_back(choir);
        app->session().SaveDataFile(DataKind::Weekly, {});
        QVERIFY(!app->session().writer().Idle());
        QSignalSpy exited(app.get(), &OrvApp::exited);
        app->Exit();
        QCOMPARE(exited.count(), 1);
        QVERIFY(ReadFile(data + QStringLiteral("week.orv")).contains("<HINT>Choir\r\n"));
        QCOMPARE(ReadFile(data + QStringLiteral("todo1.qsf")), QByteArray("Call the bank\r\n"));
        // 2024-02-28 is a Wednesday: weekday 4.
        for (const char* name : {"data", "cal", "adv", "year", "month", "week"}) {
            const QString main = data + QLatin1String(name) + QStringLiteral(".orv");
            const QString backup = data + QStringLiteral("backup/") + QLatin1String(name) + QStringLiteral("4.orv");
            QVERIFY2(QFile::exists(backup), qPrintable(backup));
            QCOMPARE(ReadFile(backup), ReadFile(main));
        }
        QCOMPARE(Stored().ReadBool(kSettingsKey, "saved1").value, std::optional<bool>(true));
        app.reset();
        Start();
        QCOMPARE(app->data()->currentPanel()->objectName(), QStringLiteral("PP1"));
        app.reset();
        Start(DecideStart(ParseCommandLine({"start"}), std::nullopt, DateSerial(2024, 2, 28)));
        QCOMPARE(app->data()->currentPanel()->objectName(), QStringLiteral("PP11"));
    }

    // A log-out or SIGTERM during an import: the import is cancelled (its
    // output never half in place) and the program ends once it has returned.
    void anExitRequestDuringALongWorkCancelsItAndEndsAfterIt()
    {
        MarkSettingsSaved();
        Start();
        QSignalSpy exited(app.get(), &OrvApp::exited);
        QTimer::singleShot(0, [&] { app->HandleRequest(OrvApp::Request::Exit); });
        const WorkEnd end = RunLongWork(app->data(), ViewDialogs{}, QStringLiteral("Importing"), [](WorkProgress& progress) {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
            while (!progress.Cancelled() && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
        });
        QCOMPARE(end, WorkEnd::Cancelled);
        QCOMPARE(exited.count(), 0);
        QTRY_COMPARE(exited.count(), 1);
    }

    void aNewDaySeenByTheTimerRunsUpdateAndStartsTheEveryDayListAgain()
    {
        MarkSettingsSaved();
        WriteFile(data + QStringLiteral("todo4.qsf"), "Walk\r\nWater plants\r\n");
        Start();
        auto& todos = app->session().todos();
        QCOMPARE(todos.TodayEveryDay.size(), std::size_t(2));
        RemoveTodoItem(todos, TodoList::TodayEveryDay, 0);
        app->tray()->Timer1Timer();  // same day: nothing
        QCOMPARE(todos.TodayEveryDay.size(), std::size_t(1));
        now = now.addDays(1);
        app->data()->hide();
        app->tray()->Timer1Timer();
        QCOMPARE(todos.TodayEveryDay.size(), std::size_t(2));
        QCOMPARE(app->session().today(), (Date{2024, 2, 29}));
        // "Update" shows the main window at its end even when it was hidden.
        QVERIFY(app->data()->isVisible());
        QCOMPARE(app->data()->windowTitle(), QStringLiteral("ORV - Thursday 29/2 2024"));
    }

    void hideSavesAndLeavesTheProgramRunning()
    {
        MarkSettingsSaved();
        Start();
        app->session().todos().Bottom = {"Paint the fence"};
        app->todayBox()->show();
        app->Hide();
        QCOMPARE(ReadFile(data + QStringLiteral("todo2.qsf")), QByteArray("Paint the fence\r\n"));
        // Offscreen there is no tray: the window is minimised rather than lost.
        QVERIFY(!app->data()->isVisible() || app->data()->isMinimized());
        // "Hide" hides the main window only.
        QVERIFY(app->todayBox()->isVisible());
    }

    void anUnreadableDataFileIsReportedOnceWithItsCopyAndNothingIsLost()
    {
        MarkSettingsSaved();
        const QByteArray broken = "<BEGIN:WEEK:FILE:VERSION>2.0\r\n<BEGIN>\r\n<WEEKDAY>1\r\n<END>\r\n<END:FILE>\r\n";
        WriteFile(data + QStringLiteral("week.orv"), broken);
        Start();
        const QStringList kept = QDir(data).entryList({QStringLiteral("week.orv.*.unread")});
        QCOMPARE(kept.size(), 1);
        QCOMPARE(ReadFile(data + kept[0]), broken);
        // The file is named once, and the copy's name stands on a line of its own.
        QCOMPARE(messages, QStringList{data + "week.orv: Unknown header; nothing was loaded from it\n"
                                       "The file is kept unchanged as:\n" + data + kept[0]});
        app->Hide();
        QCOMPARE(messages.size(), 1);
    }

    void theSettingsShapeTheMainWindow()
    {
        MarkSettingsSaved(QStringLiteral("\"CB5\"=dword:00000000\r\n\"CB6\"=dword:00000001\r\n\"Color1\"=\"Red\"\r\n"
                                         "\"Color3\"=\"Navy\"\r\n"));
        Start();
        // The "Menu:" colour paints the sidebar's heads.
        QCOMPARE(app->data()->findChild<LabelButton*>(QStringLiteral("ML1"))->shownBackground(), QColor(0, 0, 128));
        // No task-bar entry without "Show ORV in system tray".
        QVERIFY(app->data()->windowFlags().testFlag(Qt::Tool));
        QVERIFY(app->data()->verMenu()->menuAction()->isVisible());
        auto* title = app->data()->findChild<QLabel*>(QStringLiteral("T4"));
        QVERIFY(title);
        QCOMPARE(title->palette().color(QPalette::Window), QColor(Qt::red));
        // "Enable Resize" off: a fixed border.
        QCOMPARE(app->data()->minimumSize(), app->data()->maximumSize());
    }

    void theMinimizeToLauncherItemStartsTheLauncherAndCloses()
    {
        MarkSettingsSaved();
        Start();
        QStringList started;
        app->startProgram = [&](const QStringList& arguments) { started = arguments; };
        QSignalSpy exited(app.get(), &OrvApp::exited);
        app->MinimizeToLauncher();
        // The launcher, and the program it starts again, use the same folders.
        QCOMPARE(started, (QStringList{"--data-folder", data, "--settings-file", settings, "LAUall"}));
        QCOMPARE(exited.count(), 1);
    }

    void aSettingOfTheWrongTypeIsToldOnceAndTheToDoListsStillLoad()
    {
        MarkSettingsSaved(QStringLiteral("\"nextweek\"=\"ten\"\r\n\"CB21\"=\"yes\"\r\n\"MenuPopupMenu19\"=dword:0\r\n"));
        WriteFile(data + QStringLiteral("todo1.qsf"), "Call the bank\r\n");
        Start();  // no first-start dialog either: saved1 still counts
        QCOMPARE(messages.size(), 1);
        QCOMPARE(messages[0], QStringLiteral("Invalid data type for 'nextweek'\n\nInvalid data type for 'CB21'"));
        QCOMPARE(app->session().todos().Top, std::vector<std::string>{"Call the bank"});
        QCOMPARE(app->session().settings().nextweek, 7);
        QVERIFY(!app->data()->findChild<LabelButton*>(QStringLiteral("MenuL7"))->isVisible());  // its mark is read
        app->Update();
        QCOMPARE(messages.size(), 1);
        QVERIFY(app->Exit());
        QCOMPARE(ReadFile(data + QStringLiteral("todo1.qsf")), QByteArray("Call the bank\r\n"));
    }

    // A save that fails keeps what is in memory: "Update" reads nothing
    // again, and "Exit" keeps the program running unless the user insists.
    void aFailedSaveKeepsMemoryAtUpdateAndTheProgramAtExit()
    {
        MarkSettingsSaved();
        WriteFile(data + QStringLiteral("todo2.qsf"), "Old\r\n");
        Start();
        app->session().todos().Bottom.push_back("New today");
        // A folder where the first to-do file belongs: the save stops there.
        QFile::remove(data + QStringLiteral("todo1.qsf"));
        QVERIFY(QDir().mkpath(data + QStringLiteral("todo1.qsf")));
        app->Update();
        QCOMPARE(app->session().todos().Bottom, (std::vector<std::string>{"Old", "New today"}));
        QVERIFY(messages.last().contains(QStringLiteral("todo1.qsf")));
        QVERIFY(messages.last().contains(QStringLiteral("were not read again")));

        int asked = 0;
        app->confirm = [&](const QString&, const QString& text) {
            ++asked;
            return text.contains(QStringLiteral("todo1.qsf")) && asked > 1;
        };
        QSignalSpy exited(app.get(), &OrvApp::exited);
        QVERIFY(!app->Exit());
        QCOMPARE(exited.count(), 0);
        QVERIFY(app->tray()->timer()->isActive());
        QVERIFY(app->Exit());
        QCOMPARE(asked, 2);
        QCOMPARE(exited.count(), 1);
    }

    void windowsComeBackWhereTheyWereAndTheTodayBoxFollows()
    {
        // The Today Box opens with the main window, keeps a paged day through
        // "Update" and comes back each time the main window is shown.
        MarkSettingsSaved(QStringLiteral("\"CB20\"=dword:00000001\r\n"));
        Start();
        TTodayBox* box = app->todayBox();
        QVERIFY(box->isVisible());
        app->data()->move(120, 90);
        box->move(700, 40);
        const QPoint mainAt = app->data()->pos(), boxAt = box->pos();
        box->NextDay();
        app->Update();
        QCOMPARE(box->day(), (Date{2024, 2, 29}));
        QCOMPARE(app->data()->pos(), mainAt);  // windows have frames here: no creeping down
        QCOMPARE(box->pos(), boxAt);
        box->hide();
        app->data()->hide();
        app->data()->ShowMainWindow();
        QVERIFY(box->isVisible());
        app.reset();
        Start();
        QCOMPARE(app->data()->pos(), mainAt);
        QCOMPARE(app->todayBox()->pos(), boxAt);
    }

    void theProgramsOwnStaleTemporariesGoAtStart()
    {
        MarkSettingsSaved();
        QVERIFY(QDir().mkpath(data + QStringLiteral("backup")));
        const QStringList stale{"cal.orv.tmp-Ab12Cd", "todo3.qsf.tmp-XXXXXX", "backup/week7.orv.tmp-000000"};
        const QStringList kept{"cal.orv.tmp-Ab12C", "notes.txt.tmp-Ab12Cd", "cal.orv.20240101-000000.unread",
                               "backup/week8.orv.tmp-000000"};
        for (const QString& name : stale + kept) WriteFile(data + name, "x");
        WriteFile(settings + QStringLiteral(".tmp-a1b2c3"), "x");
        Start();
        for (const QString& name : stale) QVERIFY2(!QFile::exists(data + name), qPrintable(name));
        for (const QString& name : kept) QVERIFY2(QFile::exists(data + name), qPrintable(name));
        QVERIFY(!QFile::exists(settings + QStringLiteral(".tmp-a1b2c3")));
    }

    void captionsAreTheProgramsOwn()
    {
        // Qt appends a display name to every window title ("ORV - Monday ... — ORV").
        SetUpApplication();
        QCoreApplication::setApplicationName(QStringLiteral("renamed"));
        QCOMPARE(QGuiApplication::applicationDisplayName(), QStringLiteral("renamed"));
        QCoreApplication::setApplicationName(QStringLiteral("ORV"));
    }
};

QTEST_MAIN(OrvAppTest)
#include "orvapp_test.moc"
