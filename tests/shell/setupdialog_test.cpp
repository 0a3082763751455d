// The settings dialog as its user meets it: pages, rules between the boxes,
// colour entries and profiles, and what "Save" leaves in the store and in the
// autostart folder. Every test has its own settings file and autostart path.
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFile>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
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
#include "shell/setupdialog.h"
#include "views/common/labelbutton.h"

using namespace orv;

namespace {

const QString kProgram = QStringLiteral("/opt/orv/orv");

struct Fixture {
    QTemporaryDir dir;
    Session session{dir.filePath(QStringLiteral("data/")).toStdString(),
                    dir.filePath(QStringLiteral("settings.reg")).toStdString()};
    std::unique_ptr<TSetup> dialog;

    Fixture() { Open(); }
    ~Fixture() { dir.setAutoRemove(!QTest::currentTestFailed()); }

    void Open()
    {
        dialog = std::make_unique<TSetup>(session);
        dialog->setProgramPath(kProgram);
        dialog->setProgramOptions({QStringLiteral("--data-folder"), QStringLiteral("/d/")});
        dialog->setAutostartPath(AutostartPath());
        dialog->show();
        QCoreApplication::processEvents();
    }
    QString AutostartPath() const { return dir.filePath(QStringLiteral("autostart/orv.desktop")); }

    template <typename T>
    T* Find(const QString& name) const
    {
        T* widget = dialog->findChild<T*>(name);
        if (!widget) qFatal("the dialog has no %s", qPrintable(name));
        return widget;
    }

    void Click(const QString& name) const
    {
        auto* widget = Find<QWidget>(name);
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
    // Brings a page to the front by its side menu label, as the user does.
    void ShowPage(const QString& label) const
    {
        Click(label);
        QCoreApplication::processEvents();
    }
    // Replaces a field's text by typing; an entry with a list gets the whole
    // text at once, as a paste does, so that inline completion does not add
    // colours of its own on the way.
    void Type(const QString& name, const QString& text) const
    {
        QWidget* widget = Find<QWidget>(name);
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            combo->lineEdit()->selectAll();
            combo->lineEdit()->insert(text);
            return;
        }
        if (auto* line = qobject_cast<QLineEdit*>(widget)) line->selectAll();
        if (auto* spin = qobject_cast<QSpinBox*>(widget)) spin->selectAll();
        QTest::keyClicks(widget, text);
    }

    // Any control's state as one text: check boxes "1"/"0", lists their item
    // index, the rest their text.
    QString State(const QString& name) const
    {
        QWidget* widget = Find<QWidget>(name);
        if (auto* box = qobject_cast<QAbstractButton*>(widget)) return box->isChecked() ? "1" : "0";
        if (auto* spin = qobject_cast<QSpinBox*>(widget)) return QString::number(spin->value());
        if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text();
        auto* combo = qobject_cast<QComboBox*>(widget);
        return combo->isEditable() ? combo->currentText() : QString::number(combo->currentIndex());
    }
    void SetState(const QString& name, const QString& value) const
    {
        QWidget* widget = Find<QWidget>(name);
        if (auto* box = qobject_cast<QAbstractButton*>(widget)) box->setChecked(value == "1");
        else if (auto* spin = qobject_cast<QSpinBox*>(widget)) spin->setValue(value.toInt());
        else if (auto* line = qobject_cast<QLineEdit*>(widget)) line->setText(value);
        else if (auto* combo = qobject_cast<QComboBox*>(widget); combo->isEditable()) combo->setCurrentText(value);
        else combo->setCurrentIndex(value.toInt());
    }

    Settings Stored()
    {
        SettingsStore store(session.store().Path());
        store.Load();
        Settings s;
        ReadSettings(store, s);
        return s;
    }
    QString ExecLine() const
    {
        QFile file(AutostartPath());
        if (!file.open(QIODevice::ReadOnly)) return {};
        for (const QByteArray& line : file.readAll().split('\n'))
            if (line.startsWith("Exec=")) return QString::fromUtf8(line);
        return QStringLiteral("(no Exec line)");
    }
};

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

// The dialog's values of a Settings as the store would hold them, to compare
// two of them with a readable difference.
QString DialogValues(const Settings& s)
{
    SettingsStore store;
    WriteDialogSettings(store, s);
    return QString::fromStdString(store.Serialize());
}

QColor Background(const QWidget* w) { return w->palette().color(QPalette::Window); }
QColor Foreground(const QWidget* w) { return w->palette().color(QPalette::WindowText); }

}  // namespace

class SetupDialogTest : public QObject {
    Q_OBJECT

private slots:
    void opensOnTheTopOfTheOrvPageShowingTheDefaults()
    {
        Fixture f;
        QCOMPARE(f.dialog->windowTitle(), QStringLiteral(" ORV - Properties"));
        QCOMPARE(f.Find<QStackedWidget>("Pages")->currentWidget()->objectName(), QStringLiteral("Panel7"));
        QVERIFY(f.Find<LabelButton>("L1")->font().bold());
        QCOMPARE(f.Find<QScrollArea>("ScrollBox1")->verticalScrollBar()->value(), 0);
        Settings shown;
        shown.nextweek = 0;
        shown.Color5.clear();
        f.dialog->WriteControlsTo(shown);
        QCOMPARE(DialogValues(shown), DialogValues(Settings{}));
        QCOMPARE(f.dialog->HtmlWidth(), QStringLiteral("500"));
        QCOMPARE(f.State("CB26"), QStringLiteral("1"));
        QCOMPARE(f.Find<QComboBox>("ComboBox2")->currentText(), QStringLiteral("DEFAULT_CHARSET"));
    }

    void sideMenuLabelBringsItsPageToTheFront_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("title");
        QTest::addRow("ORV") << "L1" << "Panel7" << "ORV Properties";
        QTest::addRow("Color") << "L3" << "Panel6" << "ORV colors Properties";
        QTest::addRow("Font") << "L5" << "Panel5" << "Font Properties";
    }
    void sideMenuLabelBringsItsPageToTheFront()
    {
        QFETCH(QString, label);
        QFETCH(QString, panel);
        QFETCH(QString, title);
        Fixture f;
        f.ShowPage("L3");
        f.ShowPage(label);
        QCOMPARE(f.Find<QStackedWidget>("Pages")->currentWidget()->objectName(), panel);
        QCOMPARE(f.Find<QLabel>(panel + "Title")->text(), title);
        for (const char* other : {"L1", "L2", "L3", "L7", "L5"})
            QCOMPARE(f.Find<LabelButton>(other)->font().bold(), label == other);
        // The same from the keyboard.
        f.Find<LabelButton>("L1")->setFocus();
        QTest::keyClick(f.Find<LabelButton>("L1"), Qt::Key_Space);
        QCOMPARE(f.Find<QStackedWidget>("Pages")->currentWidget()->objectName(), QStringLiteral("Panel7"));
    }

    void theSideMenuLabelUnderTheMouseOrFocusedTakesTheSelectedColours()
    {
        Fixture f;
        f.ShowPage("L3");
        f.Type("ColorEdit7", "#FF0000");
        f.Type("ColorEdit5", "Silver");
        auto* l3 = f.Find<LabelButton>("L3");
        const QPointF inside(2, 2);
        QEnterEvent enter(inside, inside, l3->mapToGlobal(inside));
        QApplication::sendEvent(l3, &enter);
        QCOMPARE(Background(l3), QColor(Qt::red));
        QCOMPARE(Background(f.Find<LabelButton>("L1")), QColor(0xC0, 0xC0, 0xC0));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(f.Find<QWidget>("SideMenu"), &leave);
        QCOMPARE(Background(l3), QColor(0xC0, 0xC0, 0xC0));
        f.dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.dialog.get()));
        f.Find<LabelButton>("L2")->setFocus();
        QCOMPARE(Background(f.Find<LabelButton>("L2")), QColor(Qt::red));
    }

    void saveWritesTheStoreInTheValuesShown()
    {
        Fixture f;
        QSignalSpy saved(f.dialog.get(), &TSetup::saved);
        f.Type("SpinEdit1", "12");
        f.Click("RadioButton3");
        f.ShowPage("L2");
        f.Type("Edit3", "150");
        f.ShowPage("L7");
        f.Type("ColorEdit11", "Lime");
        f.Click("B1");

        QCOMPARE(saved.count(), 1);
        const Settings stored = f.Stored();
        QCOMPARE(stored.saved1, std::optional<bool>(true));
        QCOMPARE(stored.nextweek, 12);
        QCOMPARE(stored.priority, 2);
        QCOMPARE(stored.PageL, 150);
        QCOMPARE(stored.Color11, std::string("Lime"));
        QVERIFY(f.session.settings() == stored);
    }

    void saveRegistersTheStartWithSystemEntry_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("exec");  // empty: no entry at all
        // The program started at log-in reads the data folder of the one that wrote the entry.
        QTest::addRow("launch off deletes the entry") << kProgram << QStringList{"CB1"} << "";
        QTest::addRow("launch on starts the program")
            << kProgram << QStringList{} << "Exec=/opt/orv/orv --data-folder /d/ start";
        QTest::addRow("ORV Launch at every start-up")
            << kProgram << QStringList{"CB22"} << "Exec=/opt/orv/orv --data-folder /d/ LAUall";
        QTest::addRow("once a day wins over a launch chosen before")
            << kProgram << QStringList{"CB22", "CB23", "CB2"} << "Exec=/opt/orv/orv --data-folder /d/ start one";
        QTest::addRow("a program path with a blank is quoted")
            << "/opt/my orv/orv" << QStringList{} << "Exec=\"/opt/my orv/orv\" --data-folder /d/ start";
    }
    void saveRegistersTheStartWithSystemEntry()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, clicks);
        QFETCH(QString, exec);
        Fixture f;
        QVERIFY(QDir().mkpath(f.dir.filePath("autostart")));
        QFile old(f.AutostartPath());
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("[Desktop Entry]\nExec=/usr/bin/old-orv start\n");
        old.close();

        QSignalSpy saved(f.dialog.get(), &TSetup::saved);
        f.dialog->setProgramPath(program);
        for (const QString& box : clicks) f.Click(box);
        f.Click("B1");

        QCOMPARE(saved.count(), 1);
        QCOMPARE(QFile::exists(f.AutostartPath()), !exec.isEmpty());
        if (!exec.isEmpty()) QCOMPARE(f.ExecLine(), exec);
    }

    void saveReportsAnEntryThatCannotBeWrittenAndDoesNotEmitSaved()
    {
        Fixture f;
        QFile blocker(f.dir.filePath("blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        f.dialog->setAutostartPath(f.dir.filePath("blocker/orv.desktop"));
        QSignalSpy saved(f.dialog.get(), &TSetup::saved);
        bool seen = false;
        QString message;
        AnswerNextModal<QMessageBox>(seen, [&message](QMessageBox* box) {
            message = box->text();
            box->accept();
        });
        f.Click("B1");
        QVERIFY(seen);
        QVERIFY2(message.startsWith("Failed to set data for '" + f.dir.filePath("blocker/orv.desktop") + "'"),
                 qPrintable(message));
        QCOMPARE(saved.count(), 0);
    }

    void emptyMarginFieldKeepsItsDefaultOnSave()
    {
        Fixture f;
        f.session.settings().PageT = 400;
        f.dialog->LoadFromSettings();
        f.ShowPage("L2");
        f.Find<QLineEdit>("Edit2")->selectAll();
        QTest::keyClick(f.Find<QLineEdit>("Edit2"), Qt::Key_Backspace);
        QCOMPARE(f.State("Edit2"), QString());
        f.Click("B1");
        QCOMPARE(f.Stored().PageT, 200);
    }

    void startUpRules_data()
    {
        QTest::addColumn<QStringList>("clicks");
        QTest::addColumn<QString>("enabled");  // CB2, CB3, CB22, CB23
        QTest::addColumn<QString>("checked");
        QTest::addRow("at first the second-level boxes wait") << QStringList{} << "1010" << "0000";
        QTest::addRow("launch off disables the four") << QStringList{"CB1"} << "0000" << "0000";
        QTest::addRow("once a day enables shown once") << QStringList{"CB2"} << "1110" << "1000";
        QTest::addRow("once a day turns ORV Launch off")
            << QStringList{"CB22", "CB23", "CB2"} << "1110" << "1001";
        QTest::addRow("ORV Launch turns once a day off") << QStringList{"CB2", "CB3", "CB22"} << "1011" << "0110";
        QTest::addRow("launch on again applies the rules") << QStringList{"CB2", "CB1", "CB1"} << "1110" << "1000";
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
            isEnabled += f.Find<QCheckBox>(name)->isEnabled() ? '1' : '0';
            isChecked += f.State(name);
        }
        QCOMPARE(isEnabled, enabled);
        QCOMPARE(isChecked, checked);
    }

    void dateFormatAndDatesOnTheListAskForARedraw()
    {
        Fixture f;
        QSignalSpy redraw(f.dialog.get(), &TSetup::dateFormatOrStampChanged);
        Settings s;
        f.Click("CB25");
        f.dialog->WriteControlsTo(s);
        QVERIFY(s.CB25);
        QCOMPARE(f.State("CB26"), QStringLiteral("0"));
        f.Click("CB21");
        QCOMPARE(redraw.count(), 2);  // CB25 on, CB21
    }

    void marginFieldsHoldIntegersWhileTyping_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::addRow("a number") << "150" << false << "150";
        QTest::addRow("a letter makes it zero") << "12a" << false << "0";
        QTest::addRow("pasted negative number") << "-40" << true << "-40";
    }
    void marginFieldsHoldIntegersWhileTyping()
    {
        QFETCH(QString, input);
        QFETCH(bool, pasted);
        QFETCH(QString, shown);
        Fixture f;
        f.ShowPage("L2");
        auto* edit = f.Find<QLineEdit>("Edit5");
        edit->selectAll();
        if (pasted) edit->insert(input);
        else QTest::keyClicks(edit, input);
        QCOMPARE(edit->text(), shown);
    }

    void colourTextRecoloursSwatchAndSample_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("swatch");
        QTest::addColumn<QString>("sample");  // empty: the entry has none
        QTest::addColumn<bool>("background");
        QTest::addColumn<int>("emissions");
        QTest::addRow("hex red on the titles") << 1 << "#FF0000" << QColor(255, 0, 0) << "TitleLabel" << true << 1;
        QTest::addRow("a name on the menu font") << 4 << "Navy" << QColor(0, 0, 128) << "MenuLabel" << false << 1;
        QTest::addRow("a name on the web page") << 9 << "Lime" << QColor(0, 255, 0) << "" << true << 0;
        QTest::addRow("no desktop colours on the web page")
            << 10 << "BtnFace" << QColor(255, 255, 255) << "" << true << 0;
        QTest::addRow("not hexadecimal keeps the swatch")
            << 7 << "#GG0000" << QColor(0x33, 0x73, 0x73) << "SelLabel" << true << 0;
    }
    void colourTextRecoloursSwatchAndSample()
    {
        QFETCH(int, entry);
        QFETCH(QString, text);
        QFETCH(QColor, swatch);
        QFETCH(QString, sample);
        QFETCH(bool, background);
        QFETCH(int, emissions);
        Fixture f;
        f.ShowPage(entry <= 8 ? "L3" : "L7");
        QSignalSpy changed(f.dialog.get(), &TSetup::coloursChanged);
        f.Type(QStringLiteral("ColorEdit%1").arg(entry), text);
        QCOMPARE(f.dialog->EntryText(entry), text);
        QCOMPARE(f.dialog->EntryColour(entry), swatch);
        QCOMPARE(Background(f.Find<LabelButton>(QStringLiteral("ColorLabel%1").arg(entry))), swatch);
        if (!sample.isEmpty()) {
            const auto* label = f.Find<QLabel>(sample);
            QCOMPARE(background ? Background(label) : Foreground(label), swatch);
        }
        QCOMPARE(changed.count(), emissions);
    }

    void swatchClickOpensTheChooserAtTheSwatchColour_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QColor>("chosen");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("text");
        QTest::addRow("pure red is written as its name") << 1 << QColor(255, 0, 0) << true << "Red";
        QTest::addRow("cancel changes nothing") << 1 << QColor(255, 0, 0) << false << "#334D73";
    }
    void swatchClickOpensTheChooserAtTheSwatchColour()
    {
        QFETCH(int, entry);
        QFETCH(QColor, chosen);
        QFETCH(bool, accept);
        QFETCH(QString, text);
        Fixture f;
        f.ShowPage(entry <= 8 ? "L3" : "L7");
        const QColor before = f.dialog->EntryColour(entry);
        bool seen = false;
        QColor preset;
        AnswerNextModal<QColorDialog>(seen, [&](QColorDialog* chooser) {
            preset = chooser->currentColor();
            chooser->setCurrentColor(chosen);
            if (accept) chooser->accept();
            else chooser->reject();
        });
        f.Click(QStringLiteral("ColorLabel%1").arg(entry));
        QVERIFY(seen);
        QCOMPARE(preset, before);
        QCOMPARE(f.dialog->EntryText(entry), text);
        QCOMPARE(f.dialog->EntryColour(entry), accept ? chosen : before);
    }

    void profileIsSavedChosenAndDeleted()
    {
        Fixture f;
        f.ShowPage("L3");
        f.Type("ColorEdit1", "Red");
        f.Type("ColorEdit8", "#102030");
        f.Type("ComboBox9", "Dusk");
        f.Click("B5");

        SettingsStore store(f.session.store().Path());
        QVERIFY(store.Load().ok);
        const std::string profile = std::string(kSettingsKey) + "\\Dusk";
        QCOMPARE(store.ReadBool(profile, "Ver2").value, std::optional<bool>(true));
        QCOMPARE(store.ReadText(profile, "Color1").value, std::optional<std::string>("Red"));
        QCOMPARE(store.ReadText(profile, "Color8").value, std::optional<std::string>("#102030"));
        QCOMPARE(store.ReadText(kSettingsKey, "ColVer").value, std::optional<std::string>("2"));
        auto* profiles = f.Find<QComboBox>("ComboBox9");
        QVERIFY(profiles->findText("Dusk") >= 0);

        f.Click("T8");
        QCOMPARE(f.dialog->EntryText(1), QStringLiteral("#334D73"));
        f.Type("ComboBox9", "Dusk");
        QTest::keyClick(profiles->lineEdit(), Qt::Key_Return);
        QCOMPARE(f.dialog->EntryText(1), QStringLiteral("Red"));
        QCOMPARE(f.dialog->EntryText(8), QStringLiteral("#102030"));
        QCOMPARE(Background(f.Find<QLabel>("TitleLabel")), QColor(Qt::red));

        f.Click("B6");
        QCOMPARE(profiles->currentText(), QString());
        QCOMPARE(profiles->findText("Dusk"), -1);
        QVERIFY(store.Load().ok);
        QVERIFY(!store.KeyExists(profile));
    }

    void defaultLabelsRestoreTheirPages_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("controls");
        QTest::addColumn<QStringList>("changed");
        QTest::addColumn<QStringList>("defaults");
        QTest::addRow("colors") << "L3" << "T8"
                                << QStringList{"ColorEdit1", "ColorEdit2", "ColorEdit3", "ColorEdit4", "ColorEdit5",
                                               "ColorEdit6", "ColorEdit7", "ColorEdit8"}
                                << QStringList(8, "Red")
                                << QStringList{"#334D73", "#FFFFFF", "#334D73", "#FFFFFF", "BtnFace", "#000000",
                                               "#337373", "#FFFFFF"};
        QTest::addRow("HTML") << "L7" << "T9" << QStringList{"ColorEdit9", "ColorEdit10", "ColorEdit11"}
                              << QStringList(3, "Teal") << QStringList{"#334D73", "#FFFFFF", "#FFFFFF"};
        QTest::addRow("letter") << "L2" << "T10" << QStringList{"Edit3", "Edit2", "Edit5", "Edit6"}
                                << QStringList{"1", "2", "3", "4"} << QStringList{"200", "200", "2200", "3300"};
        QTest::addRow("font") << "L5" << "T11"
                              << QStringList{"CB27", "CB28", "CB29", "Edit1", "SpinEdit2", "ComboBox2", "SpinEdit3"}
                              << QStringList{"1", "1", "1", "Courier", "12", "4", "30"}
                              << QStringList{"0", "0", "0", "MS Sans Serif", "8", "1", "16"};
    }
    void defaultLabelsRestoreTheirPages()
    {
        QFETCH(QString, page);
        QFETCH(QString, label);
        QFETCH(QStringList, controls);
        QFETCH(QStringList, changed);
        QFETCH(QStringList, defaults);
        Fixture f;
        f.ShowPage(page);
        for (int i = 0; i < controls.size(); ++i) {
            f.SetState(controls[i], changed[i]);
            QCOMPARE(f.State(controls[i]), changed[i]);
        }
        // A link like any other button: the keyboard presses it too.
        f.Find<LabelButton>(label)->setFocus();
        QTest::keyClick(f.Find<LabelButton>(label), Qt::Key_Space);
        for (int i = 0; i < controls.size(); ++i) QCOMPARE(f.State(controls[i]), defaults[i]);
    }

    void storedChoicesOutsideTheListsShowEmptyAndSaveTheirDefaults()
    {
        Fixture f;
        Settings& s = f.session.settings();
        s.WeekStart = 9;
        s.FirstWeek = -1;
        s.FontCharset = 40;
        s.priority = 7;
        f.dialog->LoadFromSettings();
        QCOMPARE(f.Find<QComboBox>("ComboBox1")->currentText(), QString());
        QCOMPARE(f.Find<QComboBox>("ComboBox3")->currentText(), QString());
        Settings shown;
        f.dialog->WriteControlsTo(shown);
        QCOMPARE(shown.WeekStart, 1);
        QCOMPARE(shown.FirstWeek, 0);
        QCOMPARE(shown.FontCharset, 1);
        QCOMPARE(shown.priority, 1);
    }

    void loadThenWriteRoundTripsNonDefaultSettings()
    {
        Fixture f;
        Settings s;
        s.nextweek = 30;
        s.CB22 = true;
        s.CB23 = true;
        for (bool* box : {&s.CB4, &s.CB5, &s.CB7, &s.CB8, &s.CB9, &s.CB10, &s.CB11, &s.CB12, &s.CB13, &s.CB14,
                          &s.CB15, &s.CB16, &s.CB17, &s.CB18, &s.CB19})
            *box = false;
        for (bool* box : {&s.CB6, &s.CB20, &s.CB21, &s.CB24, &s.CB25, &s.CB27, &s.CB28, &s.CB29}) *box = true;
        s.FontName = "DejaVu Sans";
        s.FontSize = 11;
        s.Indicator = 24;
        s.FontCharset = 18;
        s.FirstWeek = 2;
        s.priority = 0;
        s.PageL = 150;
        s.PageR = 2100;
        s.PageT = 250;
        s.PageB = 3200;
        s.WeekStart = 0;
        s.Color1 = "Red";
        s.Color2 = "#102030";
        s.Color5 = "Highlight";
        s.Color6 = "not a colour";
        s.Color9 = "Navy";
        s.Color11 = "#ABCDEF";
        s.ColorP = "Dusk";
        f.session.settings() = s;
        f.dialog->LoadFromSettings();
        Settings shown;
        f.dialog->WriteControlsTo(shown);
        QCOMPARE(DialogValues(shown), DialogValues(s));
    }

    void theWheelScrollsThePageAndChangesNoBox()
    {
        Fixture f;
        auto* firstWeek = f.Find<QComboBox>("ComboBox3");
        auto* days = f.Find<QSpinBox>("SpinEdit1");
        for (QWidget* box : {static_cast<QWidget*>(firstWeek), static_cast<QWidget*>(days)}) {
            box->setFocus();  // not even a focused box changes
            const QPointF at = box->rect().center();
            QWheelEvent wheel(at, box->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(box, &wheel);
            // Left unaccepted, a turn of the wheel goes on to the page, which scrolls.
            QVERIFY(!wheel.isAccepted());
        }
        QCOMPARE(firstWeek->currentIndex(), 0);
        QCOMPARE(days->value(), 7);
    }

    void aScreenReaderNamesEachFieldByItsCaption_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        QTest::addRow("left margin") << "Edit3" << "Left margin";
        QTest::addRow("bottom margin") << "Edit6" << "Bottom margin";
        QTest::addRow("title colour, not its value") << "ColorEdit1" << "Titles background";
        QTest::addRow("its swatch") << "ColorLabel2" << "Titles font: choose colour";
        QTest::addRow("link colour") << "ColorEdit11" << "Link";
        QTest::addRow("page width") << "Edit4" << "Width";
        QTest::addRow("font size") << "SpinEdit2" << "Font size";
        QTest::addRow("first week") << "ComboBox3" << "First week of the year";
    }
    void aScreenReaderNamesEachFieldByItsCaption()
    {
        QFETCH(QString, field);
        QFETCH(QString, name);
        Fixture f;
        QCOMPARE(f.Find<QWidget>(field)->accessibleName(), name);
    }

    void exitDropsUnsavedChanges()
    {
        Fixture f;
        QSignalSpy changed(f.dialog.get(), &TSetup::coloursChanged);
        f.Click("CB4");
        f.ShowPage("L3");
        f.Type("ColorEdit1", "Red");
        QCOMPARE(changed.count(), 1);
        f.Click("B2");
        QVERIFY(!f.dialog->isVisible());
        QCOMPARE(f.State("CB4"), QStringLiteral("1"));
        QCOMPARE(f.dialog->EntryText(1), QStringLiteral("#334D73"));
        QCOMPARE(f.dialog->EntryColour(1), QColor(0x33, 0x4D, 0x73));
        QCOMPARE(changed.count(), 2);
        QVERIFY(!QFile::exists(QString::fromStdString(f.session.store().Path())));
        QVERIFY(!QFile::exists(f.AutostartPath()));
    }
};

QTEST_MAIN(SetupDialogTest)
#include "setupdialog_test.moc"
