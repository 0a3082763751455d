// The whole program on a temporary data folder and settings file of its own,
// with a clock the test sets and its messages collected instead of shown. A
// test class derives from it next to QObject, calls SetUpApp() from init()
// and TearDownApp() from cleanup().
#pragma once

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "core/settingsstore.h"
#include "shell/notifier.h"
#include "shell/orvapp.h"
#include "shell/tdata.h"
#include "store/datafile.h"

namespace orv::test {

class AppFixture {
protected:
    // A fresh folder; Wednesday 28 February 2024, 10:00.
    void SetUpApp()
    {
        dir = std::make_unique<QTemporaryDir>();
        QVERIFY(dir->isValid());
        data = dir->path() + QStringLiteral("/data/");
        QVERIFY(QDir().mkpath(data));
        settings = dir->path() + QStringLiteral("/settings.reg");
        now = QDateTime(QDate(2024, 2, 28), QTime(10, 0));
        messages.clear();
        notifications.reset();
    }

    // Ends the program; a failed test keeps its folder to look at.
    void TearDownApp()
    {
        app.reset();
        if (dir && QTest::currentTestFailed()) dir->setAutoRemove(false);
    }

    static QByteArray ReadFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void WriteFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // One dated event as cal.orv holds it; priority 0 is high, 1 normal.
    static QByteArray CalendarEvent(const char* hint, int priority, QDate date)
    {
        return QStringLiteral("<BEGIN>\r\n<HINT>%1\r\n<PRI>%2\r\n<DAY>%3\r\n<MONTH>%4\r\n<YEAR>%5\r\n"
                              "<BEGIN:MORE>\r\n<END:MORE>\r\n<END>\r\n")
            .arg(QLatin1String(hint))
            .arg(priority)
            .arg(date.day())
            .arg(date.month())
            .arg(date.year())
            .toUtf8();
    }

    // The same event as the calendar list holds it in memory.
    static ACal CalendarRecord(const char* hint, int priority, QDate date)
    {
        ACal c;
        c.Hint = hint;
        c.Priority = static_cast<std::uint8_t>(priority);
        c.Day = date.day(), c.Month = date.month(), c.Year = date.year();
        if (!EncodeCalendarDate(c)) qFatal("no calendar date for %s", hint);
        return c;
    }

    // A person as the address book holds one, with the date text built.
    static AData Person(const char* name, const char* surname)
    {
        AData a;
        a.Name = name;
        a.Surname = surname;
        BuildDateText(a);
        return a;
    }

    // Settings saved before (no first-start dialog), with further .reg lines.
    void MarkSettingsSaved(const QString& more = {})
    {
        WriteFile(settings, ("Windows Registry Editor Version 5.00\r\n\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Quillon Software\\ORV]\r\n\"saved1\"=dword:00000001\r\n" +
                             more + "\r\n")
                                .toUtf8());
    }

    // The program made on the test's folder and clock, not started yet.
    void Create(StartDecision decision = {})
    {
        OrvApp::Options options;
        options.dataFolder = data.toStdString();
        options.settingsFile = settings.toStdString();
        options.start = decision;
        options.now = [this] { return now; };
        options.splash = false;
        options.notifications = notifications;
        app = std::make_unique<OrvApp>(options);
        app->showMessage = [this](const QString&, const QString& text) { messages << text; };
    }

    void Start(StartDecision decision = {})
    {
        Create(decision);
        app->Start();
    }

    // The item of a menu of the main window ("&New", "&Help"), by caption.
    QAction* MenuItem(const QString& menu, const QString& caption) const
    {
        for (QAction* m : app->data()->menuBar()->actions())
            if (m->text() == menu)
                for (QAction* a : m->menu()->actions())
                    if (a->text() == caption) return a;
        return nullptr;
    }

    // The settings file as it is on disk now.
    SettingsStore Stored() const
    {
        SettingsStore store(settings.toStdString());
        static_cast<void>(store.Load());  // a missing file reads as empty
        return store;
    }

    std::unique_ptr<QTemporaryDir> dir;
    QString data, settings;
    QDateTime now;
    QStringList messages;
    // The desktop's notification service the program is given; none by default.
    std::shared_ptr<NotificationSender> notifications;
    std::unique_ptr<OrvApp> app;
};

}  // namespace orv::test
