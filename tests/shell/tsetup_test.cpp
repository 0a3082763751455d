// The settings dialog as its user meets it: each control shows its own setting
// and writes it back, the rules between the boxes, colour entries and
// profiles, and what "Save" leaves in the file, in memory and in the autostart
// folder. Every test has its own settings file and autostart path.
#include <QPushButton>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "core/session.h"
#include "core/settings.h"
#include "shell/setup/tsetup.h"

using namespace orv;

namespace {

const QString kProgram = QStringLiteral("/opt/orv/orv");

// Answers the next modal dialog of type D once its event loop runs; `seen`
// tells afterwards whether there was one.
template <typename D>
void AnswerNextModal(bool& seen, std::function<void(D*)> answer)
{
    QTimer::singleShot(0, qApp, [&seen, answer] {
        auto* modal = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!modal) return;
        seen = true;
        answer(modal);
    });
}

struct Fixture {
    QTemporaryDir dir;
    Session session;
    std::unique_ptr<TSetup> dialog;

    explicit Fixture(const QString& settingsFile = QStringLiteral("settings.reg"))
        : session(dir.filePath(QStringLiteral("data/")).toStdString(), dir.filePath(settingsFile).toStdString())
    {
        dialog = std::make_unique<TSetup>(session);
        dialog->setProgramPath(kProgram);
        dialog->setProgramOptions({QStringLiteral("--data-folder"), QStringLiteral("/d/")});
        dialog->setAutostartPath(AutostartPath());
        dialog->show();
        QCoreApplication::processEvents();
    }
    ~Fixture() { dir.setAutoRemove(!QTest::currentTestFailed()); }

    QString AutostartPath() const { return dir.filePath(QStringLiteral("autostart/orv.desktop")); }

    template <typename T = QWidget>
    T* Find(const QString& name) const
    {
        T* widget = dialog->findChild<T*>(name);
        if (!widget) qFatal("the dialog has no %s", qPrintable(name));
        return widget;
    }
    void Click(const QString& name) const
    {
        auto* widget = Find(name);
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        QCoreApplication::processEvents();
    }
    // A list with a text field gets the whole text at once, as a paste does,
    // so that inline completion does not add colours of its own on the way.
    void Type(const QString& name, const QString& text) const
    {
        QWidget* widget = Find(name);
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            combo->lineEdit()->selectAll();
            combo->lineEdit()->insert(text);
            return;
        }
        if (auto* line = qobject_cast<QLineEdit*>(widget)) line->selectAll();
        if (auto* spin = qobject_cast<QSpinBox*>(widget)) spin->selectAll();
        QTest::keyClicks(widget, text);
    }
    // A control's state as one text: buttons "1"/"0", lists their item index,
    // the rest their text.
    QString State(const QString& name) const
    {
        QWidget* widget = Find(name);
        if (auto* box = qobject_cast<QAbstractButton*>(widget)) return box->isChecked() ? "1" : "0";
        if (auto* spin = qobject_cast<QSpinBox*>(widget)) return QString::number(spin->value());
        if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text();
        auto* combo = qobject_cast<QComboBox*>(widget);
        return combo->isEditable() ? combo->currentText() : QString::number(combo->currentIndex());
    }
    void Load(const Settings& s)
    {
        session.settings() = s;
        dialog->LoadFromSettings();
    }
    Settings Shown() const
    {
        Settings shown;
        dialog->WriteControlsTo(shown);
        return shown;
    }
    // Clicks "Save" and answers the message it shows; empty when it shows none.
    QString SaveAndReadMessage() const
    {
        bool seen = false;
        QString message;
        AnswerNextModal<QMessageBox>(seen, [&message](QMessageBox* box) {
            message = box->text();
            box->accept();
        });
        Click("B1");
        return message;
    }
};

// The dialog's values of a Settings as the file would hold them, so that two
// of them compare with a readable difference.
QString DialogValues(const Settings& s)
{
    SettingsStore store;
    WriteDialogSettings(store, s);
    return QString::fromStdString(store.Serialize());
}

// The defaults with one value changed as "NAME=VALUE" would change it on the
// command line. The defaults are written first: the four margins count only together.
Settings With(const QString& nameEqualsValue)
{
    SettingsStore store;
    WriteDialogSettings(store, Settings{});
    if (!ApplyOverride(store, nameEqualsValue.toStdString()).ok) qFatal("cannot set %s", qPrintable(nameEqualsValue));
    Settings s;
    ReadSettings(store, s);
    return s;
}

// Every value the dialog shows but the boxes' (checked one by one) differs
// from its default.
Settings AllChanged()
{
    Settings s;
    s.nextweek = 30;
    s.FontName = "DejaVu Sans", s.FontSize = 11, s.Indicator = 24, s.FontCharset = 18;
    s.FirstWeek = 2, s.priority = 0;
    s.PageL = 150, s.PageR = 2100, s.PageT = 250, s.PageB = 3200;
    s.WeekStart = 0;
    s.Color1 = "Red", s.Color2 = "Navy", s.Color3 = "Lime", s.Color4 = "Teal", s.Color5 = "Highlight";
    s.Color6 = "not a colour", s.Color7 = "Olive", s.Color8 = "Maroon", s.Color9 = "Purple";
    s.Color10 = "Aqua", s.Color11 = "Fuchsia", s.ColorP = "Dusk";
    return s;
}

}  // namespace

class SetupDialogTest : public QObject {
    Q_OBJECT

private slots:
    // Every page is reached from the keyboard, and a screen reader names
    // every field on it.
    void everyPageIsReachedFromTheKeyboardWithItsFieldsNamed()
    {
        Fixture f;
        // It opens on the top of the ORV page.
        QCOMPARE(f.Find<QStackedWidget>("Pages")->currentWidget()->objectName(), QStringLiteral("Panel7"));
        // Each page from the keyboard, as with the mouse.
        for (const auto& [label, panel] : {std::pair{"L1", "Panel7"}, {"L2", "Panel3"}, {"L3", "Panel6"},
                                           {"L7", "Panel2"}, {"L5", "Panel5"}, {"L8", "Panel8"}}) {
            f.Find(label)->setFocus();
            QTest::keyClick(f.Find(label), Qt::Key_Space);
            QCOMPARE(f.Find<QStackedWidget>("Pages")->currentWidget()->objectName(), QLatin1String(panel));
        }
        for (QWidget* field : f.dialog->findChildren<QWidget*>()) {
            auto* combo = qobject_cast<QComboBox*>(field);
            const bool input = combo || qobject_cast<QAbstractSpinBox*>(field) ||
                               (qobject_cast<QLineEdit*>(field) && !qobject_cast<QAbstractSpinBox*>(field->parent()));
            if (!input) continue;
            QVERIFY2(!field->accessibleName().isEmpty(), qPrintable(field->objectName()));
        }
    }

    // A box shows its own setting, the right way round, and writes it back;
    // so does every other control.
    void eachControlShowsAndWritesItsOwnSetting()
    {
        Fixture f;
        // CB26 is the other half of the CB25 pair.
        const QRegularExpression settingName(QStringLiteral("^CB(?!26$)\\d+$"));
        const QList<QAbstractButton*> buttons = f.dialog->findChildren<QAbstractButton*>(settingName);
        QHash<QAbstractButton*, bool> byDefault;
        for (QAbstractButton* button : buttons) byDefault[button] = button->isChecked();
        QVERIFY(buttons.size() >= 29);  // a box added later is checked the same way
        for (QAbstractButton* button : buttons) {
            const QString name = button->objectName();
            const Settings s = With(name + (byDefault[button] ? "=0" : "=1"));
            f.Load(s);
            for (QAbstractButton* other : buttons)
                QVERIFY2(other->isChecked() == (byDefault[other] != (other == button)), qPrintable(name));
            QCOMPARE(DialogValues(f.Shown()), DialogValues(s));
            f.Load(Settings{});
        }
        QCOMPARE(DialogValues(f.Shown()), DialogValues(Settings{}));

        // Every control shows its own value of a load in which each value
        // differs from its default and from its neighbours'; with the boxes
        // above, no value is lost between load and apply.
        const Settings s = AllChanged();
        f.Load(s);
        const std::pair<const char*, const char*> shown[] = {
            {"SpinEdit1", "30"}, {"ComboBox1", "0"},  {"ComboBox3", "2"},   {"RadioButton1", "1"},
            {"Edit3", "150"},    {"Edit5", "2100"},   {"Edit2", "250"},     {"Edit6", "3200"},
            {"SpinEdit2", "11"}, {"ComboBox2", "18"}, {"SpinEdit3", "24"}};
        for (const auto& [field, value] : shown) QVERIFY2(f.State(field) == value, field);
        const QStringList colours{"Red",  "Navy",  "Lime",   "Teal",   "Highlight", "not a colour",
                                  "Olive", "Maroon", "Purple", "Aqua", "Fuchsia"};
        for (int n = 1; n <= 11; ++n) QCOMPARE(f.State(QStringLiteral("ColorEdit%1").arg(n)), colours[n - 1]);
        QCOMPARE(DialogValues(f.Shown()), DialogValues(s));
        // A "Default" puts back its own page and leaves the others as they are.
        f.Click("L2");
        f.Find("T10")->setFocus();  // a link like any other button: the keyboard presses it too
        QTest::keyClick(f.Find("T10"), Qt::Key_Space);
        Settings expected = s;
        const Settings d;
        expected.PageL = d.PageL, expected.PageR = d.PageR, expected.PageT = d.PageT, expected.PageB = d.PageB;
        QCOMPARE(DialogValues(f.Shown()), DialogValues(expected));
        // The sync page's values, which the file keeps apart from the dialog's.
        Settings sync;
        sync.SyncServer = "https://dav.example.org", sync.SyncUser = "ann", sync.SyncPasswordCommand = "pass dav";
        sync.SyncCalendar = "/ann/calendar/", sync.SyncAddressBook = "/ann/book/", sync.SyncEvery = 30;
        f.Load(sync);
        for (auto text : {&Settings::SyncServer, &Settings::SyncUser, &Settings::SyncPasswordCommand,
                          &Settings::SyncCalendar, &Settings::SyncAddressBook})
            QCOMPARE(f.Shown().*text, sync.*text);
        QCOMPARE(f.Shown().SyncEvery, 30);

        // Stored choices outside the lists save their defaults.
        Settings odd;
        odd.WeekStart = 9;
        odd.FirstWeek = -1;
        odd.priority = 7;
        f.Load(odd);
        QCOMPARE(DialogValues(f.Shown()), DialogValues(Settings{}));
    }

    // Which command line each choice gives is the autostart rules' own; here
    // a box reaches them, with the folders this program was started on, and
    // the entry found replaces the old one. A failed save of the entry is
    // told; a failed save of the settings leaves memory as it was.
    void saveWritesTheAutostartEntryAndAFailedSaveLeavesMemoryAsItWas()
    {
        Fixture f(QStringLiteral("config/settings.reg"));
        QVERIFY(QDir().mkpath(f.dir.filePath("autostart")));
        QFile old(f.AutostartPath());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("[Desktop Entry]\nExec=/usr/bin/old-orv start\n");
        old.close();
        f.Click("CB22");
        f.Click("B1");
        QVERIFY(old.open(QIODevice::ReadOnly));
        const QByteArray entry = old.readAll();
        QVERIFY2(entry.contains("\nExec=/opt/orv/orv --data-folder /d/ LAUall\n"), entry.constData());

        QSignalSpy saved(f.dialog.get(), &TSetup::saved);
        // An autostart entry that cannot be written is reported, not taken
        // for saved.
        QFile entryBlocker(f.dir.filePath("blocker"));
        QVERIFY(entryBlocker.open(QIODevice::WriteOnly));
        entryBlocker.close();
        f.dialog->setAutostartPath(f.dir.filePath("blocker/orv.desktop"));
        const QString message = f.SaveAndReadMessage();
        QVERIFY2(message.startsWith("Failed to set data for '" + f.dir.filePath("blocker/orv.desktop") + "'"),
                 qPrintable(message));
        QCOMPARE(saved.count(), 0);
        f.dialog->setAutostartPath(f.AutostartPath());

        // The settings folder is replaced by a file after that save, so the
        // next save cannot write (the old file kept is the settings store's test).
        const Settings before = f.session.settings();
        const std::string storeBefore = f.session.store().Serialize();
        QVERIFY(QDir(f.dir.path()).rename("config", "config.away"));
        QFile blocker(f.dir.filePath("config"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();

        f.Type("SpinEdit1", "12");
        QVERIFY(!f.SaveAndReadMessage().isEmpty());
        QCOMPARE(saved.count(), 0);
        QVERIFY(f.session.settings() == before);
        QCOMPARE(f.session.store().Serialize(), storeBefore);
    }

    void startUpRules_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("enabled");  // CB2, CB3, CB22, CB23
        QTest::addColumn<QString>("checked");
        QTest::addRow("launch off disables the four") << QStringList{"CB1"} << "0000" << "0000";
        QTest::addRow("once a day turns ORV Launch off")
            << QStringList{"CB22", "CB23", "CB2"} << "1110" << "1001";
        QTest::addRow("ORV Launch turns once a day off") << QStringList{"CB2", "CB3", "CB22"} << "1011" << "0110";
    }
    void startUpRules()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, enabled);
        QFETCH(QString, checked);
        Fixture f;
        for (const QString& box : clicks) f.Click(box);
        QString isEnabled, isChecked;
        for (const char* name : {"CB2", "CB3", "CB22", "CB23"}) {
            isEnabled += f.Find(name)->isEnabled() ? '1' : '0';
            isChecked += f.State(name);
        }
        QCOMPARE(isEnabled, enabled);
        QCOMPARE(isChecked, checked);
    }

    // A click on a swatch opens the chooser at its colour: a cancel changes
    // nothing, and pure red chosen is written as its name. A text that is no
    // colour keeps the swatch as it was; a profile keeps the entries.
    void coloursChosenAndTypedAreKeptInAProfileThatIsChosenAndDeleted()
    {
        Fixture f;
        f.Click("L3");
        QSignalSpy changed(f.dialog.get(), &TSetup::coloursChanged);
        const QColor before = f.dialog->EntryColour(1);
        for (const bool accept : {false, true}) {
            bool seen = false;
            QColor preset;
            AnswerNextModal<QColorDialog>(seen, [&](QColorDialog* chooser) {
                preset = chooser->currentColor();
                chooser->setCurrentColor(Qt::red);
                if (accept) chooser->accept();
                else chooser->reject();
            });
            f.Click("ColorLabel1");
            QVERIFY(seen);
            QCOMPARE(preset, before);
            QCOMPARE(f.dialog->EntryText(1), accept ? QStringLiteral("Red") : QStringLiteral("#334D73"));
            QCOMPARE(f.dialog->EntryColour(1), accept ? QColor(Qt::red) : before);
        }
        QCOMPARE(changed.count(), 1);
        f.Type("ColorEdit7", "#GG0000");
        QCOMPARE(f.dialog->EntryColour(7), QColor(0x33, 0x73, 0x73));
        f.Type("ColorEdit8", "#102030");
        f.Type("ComboBox9", "Dusk");
        f.Click("B5");

        SettingsStore store(f.session.store().Path());
        QVERIFY(store.Load().ok);
        const std::string profile = std::string(kSettingsKey) + "\\Dusk";
        // The profile's format is the settings store's; here the entries typed reach it.
        QCOMPARE(store.ReadText(profile, "Color8").value, std::optional<std::string>("#102030"));
        auto* profiles = f.Find<QComboBox>("ComboBox9");
        QVERIFY(profiles->findText("Dusk") >= 0);

        f.Click("T8");
        QCOMPARE(f.dialog->EntryText(1), QStringLiteral("#334D73"));
        f.Type("ComboBox9", "Dusk");
        QTest::keyClick(profiles->lineEdit(), Qt::Key_Return);
        QCOMPARE(f.dialog->EntryText(1), QStringLiteral("Red"));
        QCOMPARE(f.dialog->EntryText(8), QStringLiteral("#102030"));

        f.Click("B6");
        QCOMPARE(profiles->currentText(), QString());
        QCOMPARE(profiles->findText("Dusk"), -1);
        QVERIFY(store.Load().ok);
        QVERIFY(!store.KeyExists(profile));
    }

    // Enter in a field neither saves the dialog nor presses a button of a page
    // (the colour profile's "Save" used to take it from any field); on a
    // button it presses that button. "Exit" drops the unsaved changes.
    void enterPressesOnlyTheFocusedButtonAndExitDropsUnsavedChanges()
    {
        Fixture f;
        QStringList pressed;
        for (auto* button : f.dialog->findChildren<QPushButton*>())
            connect(button, &QAbstractButton::clicked, button, [&pressed, button] { pressed << button->objectName(); });
        f.Click("L3");
        for (const char* focused : {"ColorEdit1", "B6"}) {
            f.Find(focused)->setFocus();
            QTest::keyClick(f.Find(focused), Qt::Key_Return);
            QTest::keyClick(f.Find(focused), Qt::Key_Enter);
        }
        QCOMPARE(pressed, (QStringList{"B6", "B6"}));
        QVERIFY(f.dialog->isVisible());

        QSignalSpy changed(f.dialog.get(), &TSetup::coloursChanged);
        f.Click("CB4");
        f.Type("ColorEdit1", "Red");
        f.Click("B2");
        QVERIFY(!f.dialog->isVisible());
        QCOMPARE(f.State("CB4"), QStringLiteral("1"));
        QCOMPARE(f.dialog->EntryColour(1), QColor(0x33, 0x4D, 0x73));
        QCOMPARE(changed.count(), 2);
        QVERIFY(!QFile::exists(QString::fromStdString(f.session.store().Path())));
        QVERIFY(!QFile::exists(f.AutostartPath()));
    }
};

QTEST_MAIN(SetupDialogTest)
#include "tsetup_test.moc"
