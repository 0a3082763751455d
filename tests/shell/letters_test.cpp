// The letter writer, the data list and the import inside the running
// program: the ways in (New menu, tray, sidebar, people search, address
// book), the list the letters are merged from, the refresh after an import,
// the options kept in the settings and the question at exit.
#include <QLineEdit>
#include <QListView>
#include <QTableView>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include "appfixture.h"
#include "shell/orvapp.h"
#include "shell/sidebar.h"
#include "shell/tdata.h"
#include "shell/tmain.h"
#include "views/documents/tdatalistform.h"
#include "views/documents/timportdata.h"
#include "views/documents/tletter.h"
#include "views/address/peoplesearchview.h"

using namespace orv;

class LettersInProgramTest : public QObject, public orv::test::AppFixture {
    Q_OBJECT
private:
    int ListRows() const { return static_cast<int>(app->dataList()->list().LetterRows().size()); }

private slots:
    void init()
    {
        SetUpApp();
        MarkSettingsSaved(QStringLiteral("\"WriteCountry\"=dword:00000001\r\n"));
        AData ann = Person("Ann", "Lee");
        ann.Country = "Land";
        WriteAddresses({ann, Person("Bob", "Berg")});
    }

    void cleanup() { TearDownApp(); }

    // The letter writer, the data list and the import open from the New menu,
    // the tray and the sidebar; the letters are merged from the people search.
    void theWindowsOpenEveryWayAndTheLettersAreMergedFromThePeopleSearch()
    {
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
        // The data list's option goes back to the settings file with the rest.
        app->SaveAll();
        QCOMPARE(Stored().ReadBool(kSettingsKey, "WriteCountry").value, std::optional<bool>(true));

        // What each of the search's list commands does is the search's own test
        // (tests/views); here the list they fill is the one the data list shows.
        QAction* list = MenuItem(QStringLiteral("&New"), QStringLiteral("List"));
        QVERIFY(list && list->isEnabled());
        list->trigger();
        QCOMPARE(app->data()->currentPanel()->objectName(), QStringLiteral("PP9"));
        QVERIFY(app->dataList()->isVisible());
        QTest::mouseClick(app->data()->findChild<QAbstractButton*>(QStringLiteral("MenuL23")), Qt::LeftButton);  // "Add all"
        QCOMPARE(ListRows(), 2);
        QCOMPARE(app->dataList()->list().TextLines()[1], std::string("Land"));  // "Country" as stored
        // And the letter writer merges from it.
        app->letter()->letter()->setPlainText(QStringLiteral("Dear {fn}"));
        QTest::mouseClick(app->letter()->findChild<QToolButton*>(QStringLiteral("ToolButton4")), Qt::LeftButton);
        QCOMPARE(app->letter()->example()->toPlainText(), QStringLiteral("Dear Ann"));
    }

    void anImportFromTheAddressBookIsSearchedAtOnce()
    {
        Start();
        QFile text(dir->path() + QStringLiteral("/more.txt"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("Cid;Moe\r\n");
        text.close();
        QTimer::singleShot(0, [&] {
            TImportData* import = app->importData();
            import->setDialogs([] {
                ViewDialogs d = StandardDialogs();
                d.message = [](QWidget*, const QString&, const QString&, const QString&) {};
                return d;
            }());
            QVERIFY(import->LoadFile(text.fileName(), TImportData::TextFile));
            QTest::mouseClick(import->findChild<QAbstractButton*>(QStringLiteral("Label13")), Qt::LeftButton);
            import->reject();
        });
        QAction* importItem = app->data()->findChild<QAction*>(QStringLiteral("Importdata1"));
        QVERIFY(importItem && importItem->isEnabled());
        importItem->trigger();
        const QAbstractItemModel* results = app->data()->findChild<QListView*>(QStringLiteral("ResultListBox"))->model();
        QCOMPARE(results->rowCount(), 3);
        QCOMPARE(app->data()->findChild<QLineEdit*>(QStringLiteral("DataEdit1"))->text(), QStringLiteral("Cid"));
    }

    void anUnsavedLetterIsAskedAboutAtExit()
    {
        Start();
        QStringList asked;
        ViewDialogs d = StandardDialogs();
        d.ask = [&](QWidget*, const QString& title, const QString& text, QMessageBox::StandardButtons) {
            asked << title + QLatin1Char('|') + text;
            return QMessageBox::Cancel;
        };
        app->letter()->setDialogs(d);
        app->letter()->letter()->textCursor().insertText(QStringLiteral("Dear {fn}"));
        QVERIFY(!app->Exit());
        QCOMPARE(asked, QStringList{"Exit|Save changes?"});
        QVERIFY(app->data()->isVisible());
    }
};

QTEST_MAIN(LettersInProgramTest)
#include "letters_test.moc"
