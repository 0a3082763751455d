// The program as a whole: start-up, the save-all step and the windows' state
// it keeps, "Update", "Hide", close, the day-change timer, the desktop
// notifications and the letter windows, each on its own temporary data folder
// and settings.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLineEdit>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QSpinBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <chrono>
#include <thread>

#include "appfixture.h"
#include "core/settingsstore.h"
#include "shell/notifier.h"
#include "shell/orvapp.h"
#include "shell/setup/tsetup.h"
#include "shell/sidebar.h"
#include "shell/tdata.h"
#include "shell/tmain.h"
#include "shell/ttodaybox.h"
#include "views/common/labelbutton.h"
#include "views/common/longwork.h"
#include "views/common/viewdialogs.h"
#include "views/address/phonebookview.h"
#include "views/documents/tdatalistform.h"
#include "views/documents/timportdata.h"
#include "views/documents/tletter.h"

using namespace orv;

namespace {

// A notification service that only writes down what it was given.
class FakeSender : public NotificationSender {
public:
    bool available = true;
    QList<DesktopNotification> sent;
    int withdrawn = 0;

    bool Available() override { return available; }
    void Send(const DesktopNotification& n) override { sent << n; }
    void Withdraw() override { ++withdrawn; }
};

}  // namespace

class OrvAppTest : public QObject, public orv::test::AppFixture {
    Q_OBJECT

private:
    std::shared_ptr<FakeSender> sender;

    // Dentist today (high), a haircut today (normal), the vet on 15 March
    // (high); and a notification service.
    void WriteEventsWithNotifications()
    {
        sender = std::make_shared<FakeSender>();
        notifications = sender;
        WriteFile(data + QStringLiteral("cal.orv"), "<BEGIN:CAL:FILE:VERSION>3.0\r\n" +
                                                        CalendarEvent("Dentist", 0, QDate(2024, 2, 28)) +
                                                        CalendarEvent("Haircut", 1, QDate(2024, 2, 28)) +
                                                        CalendarEvent("Vet", 0, QDate(2024, 3, 15)) + "<END:FILE>\r\n");
    }

private slots:
    void init() { SetUpApp(); }
    void cleanup() { TearDownApp(); }

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
        // Which values a first start writes is the settings' own test; here they reach the file.
        const std::optional<std::int32_t> lastDate = Stored().ReadDate(kSettingsKey, "LastDate").value;
        QCOMPARE(lastDate, std::optional<std::int32_t>(DateSerial(2024, 2, 28)));
    }

    // A log-out, kill or Ctrl+C while the first-start dialog waits must end the
    // program, writing nothing the user did not confirm in the dialog ("Update"
    // takes the same way there).
    void aSystemRequestDuringTheFirstStartDialogEndsTheProgramUnsaved()
    {
        bool dialogOpen = false;
        QTimer::singleShot(0, [&] {
            dialogOpen = app->setup()->isVisible();
            // A typed, unsaved choice; and a message box opened over the dialog.
            app->setup()->findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->setValue(42);
            QTimer::singleShot(0, [&] { app->HandleRequest(OrvApp::Request::Exit); });
            QMessageBox::information(app->setup(), QStringLiteral("ORV"), QStringLiteral("open"));
        });
        Create();
        QSignalSpy exited(app.get(), &OrvApp::exited);
        app->Start();
        QVERIFY(dialogOpen);
        QCOMPARE(exited.count(), 1);
        QVERIFY(!app->data()->isVisible());
        const SettingsStore store = Stored();
        QVERIFY(!store.ValueExists(kSettingsKey, "saved1"));  // the dialog comes again next time
        QVERIFY(!store.ValueExists(kSettingsKey, "nextweek"));
        QVERIFY(QDir(data).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    // Qt's line edit keeps the line breaks of a pasted text; a value must not.
    void aTextPastedIntoAnyLineEditOfTheViewsIsOneLine()
    {
        MarkSettingsSaved();
        Start();
        QApplication::clipboard()->setText(QStringLiteral("a\r\nb\nc\rd"));
        QStringList names;
        for (QLineEdit* edit : app->data()->findChildren<QLineEdit*>()) {
            if (edit->isReadOnly() || edit->validator() || qobject_cast<QAbstractSpinBox*>(edit->parentWidget()))
                continue;
            edit->ensurePolished();  // as showing its page would
            edit->clear();
            edit->paste();
            const QString text = edit->text();
            QVERIFY2(!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')),
                     qPrintable(edit->objectName()));
            if (text == QStringLiteral("a b c d")) names << edit->objectName();  // a number field takes no text
        }
        // The address view's fields and the event views' texts among them.
        QVERIFY2(names.size() >= 10, qPrintable(names.join(QLatin1Char(' '))));
        QVERIFY(names.contains(QStringLiteral("DataEdit1")));
    }

    // Today's high-priority events sound at start-up and, as the setting and
    // the service decide, go to the desktop, whose action opens the overview.
    void theNotificationSettingAndTheServiceDecide_data()
    {
        QTest::addColumn<QString>("stored");  // CB30 in the store; empty: absent
        QTest::addColumn<bool>("available");
        QTest::addColumn<bool>("notified");
        QTest::addRow("unchosen, service") << QString() << true << true;
        QTest::addRow("unchosen, no service") << QString() << false << false;
        QTest::addRow("off, service") << QStringLiteral("0") << true << false;
        QTest::addRow("on, no service yet") << QStringLiteral("1") << false << true;
    }
    void theNotificationSettingAndTheServiceDecide()
    {
        QFETCH(QString, stored);
        QFETCH(bool, available);
        QFETCH(bool, notified);
        WriteEventsWithNotifications();
        sender->available = available;
        MarkSettingsSaved(stored.isEmpty() ? QString() : QStringLiteral("\"CB30\"=dword:0000000%1\r\n").arg(stored));
        Start();
        QCOMPARE(sender->sent.size(), notified ? 1 : 0);
        QCOMPARE(sender->withdrawn, notified ? 0 : 1);
        // The sound and the messages go on as without notifications.
        QCOMPARE(app->tray()->soundsPlayed(), 1);
        QVERIFY(messages.isEmpty());
        auto* box = app->setup()->findChild<QCheckBox*>(QStringLiteral("CB30"));
        QVERIFY(box);
        QCOMPARE(box->isChecked(), notified);
        if (!notified) return;
        QCOMPARE(sender->sent[0].lines, QStringList{QStringLiteral("H - Dentist")});
        app->data()->ShowView(ViewItem::Weekly);
        app->data()->hide();
        emit sender->activated();
        QVERIFY(app->data()->isVisible());
        QCOMPARE(app->data()->currentPanel()->objectName(), QStringLiteral("PP11"));
        // Switched off in the settings dialog: "Save" runs "Update", which
        // takes the notification off the desktop.
        box->click();
        app->setup()->findChild<QPushButton*>(QStringLiteral("B1"))->click();
        QCOMPARE(sender->sent.size(), 1);
        QCOMPARE(sender->withdrawn, 1);
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
        // 2024-02-28 is a Wednesday: weekday 4. Which files a backup holds is the data files' own test.
        QCOMPARE(ReadFile(data + QStringLiteral("backup/week4.orv")), ReadFile(data + QStringLiteral("week.orv")));
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

    // A new day, seen by the timer or at a wake (the tray's own test), runs
    // "Update": the every-day list starts again, the main window shows even
    // when it was hidden, and the desktop hears of the days slept through.
    void aNewDayRunsUpdateAndNotifiesTheDaysSince()
    {
        MarkSettingsSaved();
        WriteEventsWithNotifications();
        WriteFile(data + QStringLiteral("todo4.qsf"), "Walk\r\nWater plants\r\n");
        Start();
        auto& todos = app->session().todos();
        RemoveTodoItem(todos, TodoList::TodayEveryDay, 0);
        app->data()->hide();
        sender->sent.clear();
        // Woken a month later, on the same day of the month.
        now = QDateTime(QDate(2024, 3, 29), QTime(7, 0));
        app->tray()->Resumed();
        QCOMPARE(app->session().today(), (Date{2024, 3, 29}));
        QCOMPARE(todos.TodayEveryDay.size(), std::size_t(2));
        QVERIFY(app->data()->isVisible());
        QCOMPARE(sender->sent.size(), 1);
        QCOMPARE(sender->sent[0].summary, QStringLiteral("Events since Thursday 29/2-2024"));
        QCOMPARE(sender->sent[0].lines, QStringList{QStringLiteral("H - 15/3 - Vet")});
    }

    // The program's own stale temporaries go at start, an unreadable file is
    // reported once with its copy; "Hide" saves and hides the main window
    // only; the launcher item starts the launcher on the same folders and ends.
    void startHideAndTheLauncherKeepEverything()
    {
        MarkSettingsSaved();
        QVERIFY(QDir().mkpath(data + QStringLiteral("backup")));
        const QStringList stale{"cal.orv.tmp-Ab12Cd", "todo3.qsf.tmp-XXXXXX", "backup/week7.orv.tmp-000000"};
        const QStringList kept{"cal.orv.tmp-Ab12C", "notes.txt.tmp-Ab12Cd", "cal.orv.20240101-000000.unread",
                               "backup/week8.orv.tmp-000000"};
        for (const QString& name : stale + kept) WriteFile(data + name, "x");
        WriteFile(settings + QStringLiteral(".tmp-a1b2c3"), "x");
        const QByteArray broken = "<BEGIN:WEEK:FILE:VERSION>2.0\r\n<BEGIN>\r\n<WEEKDAY>1\r\n<END>\r\n<END:FILE>\r\n";
        WriteFile(data + QStringLiteral("week.orv"), broken);
        Start();
        for (const QString& name : stale) QVERIFY2(!QFile::exists(data + name), qPrintable(name));
        for (const QString& name : kept) QVERIFY2(QFile::exists(data + name), qPrintable(name));
        QVERIFY(!QFile::exists(settings + QStringLiteral(".tmp-a1b2c3")));
        const QStringList copies = QDir(data).entryList({QStringLiteral("week.orv.*.unread")});
        QCOMPARE(copies.size(), 1);  // what it holds is the data files' own test
        // The file is named once, and the copy's name stands on a line of its own.
        QCOMPARE(messages, QStringList{data + "week.orv: Unknown header; nothing was loaded from it\n"
                                       "The file is kept unchanged as:\n" + data + copies[0]});

        app->session().todos().Bottom = {"Paint the fence"};
        app->todayBox()->show();
        app->Hide();
        QCOMPARE(ReadFile(data + QStringLiteral("todo2.qsf")), QByteArray("Paint the fence\r\n"));
        QCOMPARE(messages.size(), 1);
        // Offscreen there is no tray: the window is minimised rather than lost.
        QVERIFY(!app->data()->isVisible() || app->data()->isMinimized());
        QVERIFY(app->todayBox()->isVisible());

        QStringList started;
        app->startProgram = [&](const QStringList& arguments) { started = arguments; };
        QSignalSpy exited(app.get(), &OrvApp::exited);
        app->MinimizeToLauncher();
        // The launcher, and the program it starts again, use the same folders.
        QCOMPARE(started, (QStringList{"--data-folder", data, "--settings-file", settings, "LAUall"}));
        QCOMPARE(exited.count(), 1);
    }

    // The settings shape the main window; values of the wrong type are told
    // together, once (which value each reads as is the settings' own test).
    void theSettingsShapeTheMainWindowAndAWrongTypeIsToldOnce()
    {
        MarkSettingsSaved(QStringLiteral("\"Color3\"=\"Navy\"\r\n\"nextweek\"=\"ten\"\r\n\"CB21\"=\"yes\"\r\n"));
        Start();  // no first-start dialog either: saved1 still counts
        // The "Menu:" colour paints the sidebar's heads.
        QCOMPARE(app->data()->findChild<LabelButton*>(QStringLiteral("ML1"))->shownBackground(), QColor(0, 0, 128));
        QCOMPARE(messages, QStringList{"Invalid data type for 'nextweek'\n\nInvalid data type for 'CB21'"});
        app->Update();
        QCOMPARE(messages.size(), 1);
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

    // The letter writer, the data list and the import open from the New menu,
    // the tray and the sidebar; the letters are merged from the people search,
    // and a letter not saved is asked about at "Exit".
    void theLetterWindowsOpenEveryWayMergeFromThePeopleSearchAndAskAtExit()
    {
        MarkSettingsSaved();
        RecordStore records;
        records.editAddresses() = {Person("Ann", "Lee"), Person("Bob", "Berg")};
        QVERIFY(DataFiles(data.toStdString()).Save(DataKind::Addresses, records).ok);
        Start();
        QAction* letter = MenuItem(QStringLiteral("&New"), QStringLiteral("Letter"));
        QVERIFY(letter && letter->isEnabled());
        letter->trigger();
        QVERIFY(app->letter()->isVisible());
        app->letter()->hide();
        QAction* tray = nullptr;
        for (QAction* a : app->tray()->trayMenu()->actions())
            if (a->text() == QStringLiteral("Write letter")) tray = a;
        QVERIFY(tray && tray->isEnabled());
        tray->trigger();
        QVERIFY(app->letter()->isVisible());
        // The sidebar's export opens the data list, its import the import window, modally.
        emit app->data()->sidebar()->exportRequested();
        QVERIFY(app->dataList()->isVisible());
        bool shownModally = false;
        QTimer::singleShot(0, [&] {
            shownModally = app->importData()->isVisible() && app->importData()->isModal();
            app->importData()->reject();
        });
        emit app->data()->sidebar()->importRequested();
        QVERIFY(shownModally);

        // What each of the search's list commands does is the search's own test
        // (tests/views); here the list they fill is the one the data list shows.
        QAction* list = MenuItem(QStringLiteral("&New"), QStringLiteral("List"));
        QVERIFY(list && list->isEnabled());
        list->trigger();
        QCOMPARE(app->data()->currentPanel()->objectName(), QStringLiteral("PP9"));
        QVERIFY(app->dataList()->isVisible());
        QTest::mouseClick(app->data()->findChild<QAbstractButton*>(QStringLiteral("MenuL23")), Qt::LeftButton);  // "Add all"
        QCOMPARE(app->dataList()->list().LetterRows().size(), std::size_t(2));
        // And the letter writer merges from it.
        app->letter()->letter()->setPlainText(QStringLiteral("Dear {fn}"));
        QTest::mouseClick(app->letter()->findChild<QToolButton*>(QStringLiteral("ToolButton4")), Qt::LeftButton);
        QCOMPARE(app->letter()->example()->toPlainText(), QStringLiteral("Dear Ann"));

        QStringList asked;
        ViewDialogs d = StandardDialogs();
        d.ask = [&](QWidget*, const QString& title, const QString& text, QMessageBox::StandardButtons) {
            asked << title + QLatin1Char('|') + text;
            return QMessageBox::Cancel;
        };
        app->letter()->setDialogs(d);
        app->letter()->letter()->textCursor().insertText(QStringLiteral(","));
        QVERIFY(!app->Exit());
        QCOMPARE(asked, QStringList{"Exit|Save changes?"});
        QVERIFY(app->data()->isVisible());
    }

    // Each window's state saved by the save-all step comes back from the
    // settings file at the next start, and is saved again as it was. The
    // Today Box opens with the main window (when it follows the main window
    // is the box's own test) and keeps a paged day through "Update".
    void eachWindowsStateComesBackAndTheTodayBoxFollowsTheMainWindow()
    {
        MarkSettingsSaved(QStringLiteral("\"CB20\"=dword:00000001\r\n"));
        Start();
        QVERIFY(app->todayBox()->isVisible());
        // The windows that keep their place and size, with bounds of their own each.
        const auto windows = [this] {
            return std::vector<std::pair<QWidget*, QRect>>{
                {app->letter(), QRect(20, 30, 420, 310)},   {app->todayBox(), QRect(40, 50, 260, 220)},
                {app->dataList(), QRect(60, 70, 500, 330)}, {app->importData(), QRect(80, 90, 480, 350)},
                {app->setup(), QRect(100, 110, 640, 500)}};
        };
        // The sidebar's "Next week" item, shown or hidden from its head's menu.
        const auto mark = [this] { return app->data()->sidebar()->findChild<QAction*>(QStringLiteral("N5")); };
        // As far as each window lets itself be moved and sized (the settings dialog has a size of its own).
        std::vector<QRect> placed;
        for (const auto& [window, bounds] : windows()) {
            window->move(bounds.topLeft());
            window->resize(bounds.size());
            placed.push_back(QRect(window->pos(), window->size()));
        }
        app->data()->move(120, 40);
        QVERIFY(mark());
        const bool marked = !mark()->isChecked();
        mark()->trigger();
        app->data()->findChild<QAbstractButton*>(QStringLiteral("MenuL19"))->click();  // search by e-mail
        app->data()->phoneBook()->setColumnWidths(150, 90);
        app->SaveAll();
        const QByteArray saved = ReadFile(settings);

        app.reset();
        Start();
        for (std::size_t i = 0; i < placed.size(); ++i) {
            QWidget* window = windows()[i].first;
            QCOMPARE(QRect(window->pos(), window->size()), placed[i]);
        }
        QCOMPARE(app->data()->pos(), QPoint(120, 40));
        QCOMPARE(mark()->isChecked(), marked);
        QCOMPARE(app->data()->phoneBook()->columnWidth(1), 90);
        // Saved again unchanged: every key the windows write was read back
        // (the search's field and the main window's size among them).
        app->SaveAll();
        QCOMPARE(ReadFile(settings), saved);

        TTodayBox* box = app->todayBox();
        box->NextDay();
        app->Update();
        QCOMPARE(box->day(), (Date{2024, 2, 29}));
        QCOMPARE(app->data()->pos(), QPoint(120, 40));  // windows have frames here: no creeping down
    }
};

QTEST_MAIN(OrvAppTest)
#include "orvapp_test.moc"
