// The data list window by its controls: persons added one by one and all at
// once into the three tables, the list file saved and loaded, each "Save in
// file" type read back, and a print cancelled. (The blocks printed are the
// list's text, checked with it; the pages, by the letter's and the address
// book's print tests.)
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QAbstractButton>
#include <QRadioButton>
#include <QTableView>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "exchange/lists/semicolon.h"
#include "exchange/sheets/spreadsheet.h"
#include "windowfixture.h"
#include "viewfixture.h"
#include "views/documents/tdatalistform.h"
#include "views/common/longwork.h"
#include "testclass.h"

namespace orv::test {

class DataListTest : public QObject, WindowFixture<TDatalistForm> {
    Q_OBJECT

private:
    QList<QUrl> opened;
    QStringList Column(const char* grid, int column) const
    {
        return Shown(window->findChild<QTableView*>(QLatin1String(grid)), column);
    }

    // Ann Lee (5 November 1970, two telephone numbers), Bob Berg without a
    // birthday, and a second Ann Lee with the same birthday, in list order.
    void ThreePeople()
    {
        AData ann = Person("Ann", "Lee", 5, 11, 1970);
        ann.Address = "Main Street 1";
        ann.City = "1234 Town";
        ann.Country = "Land";
        ann.Tele1 = "555";
        ann.Tele2 = "556";
        ann.Email1 = "ann@example.org";
        AData bob = Person("Bob", "Berg", 0, 0);
        bob.Address = "Hill; Top \"2\"";
        Records().editAddresses() = {ann, ann, bob};
        Records().editAddresses()[1].Address = "Second Street";
    }

private slots:
    void init()
    {
        Open();
        opened.clear();
        ThreePeople();
        window = std::make_unique<TDatalistForm>(*fx->session, fx->navigator);
        window->setDialogs(fake.dialogs());
        window->setUrlOpener([this](const QUrl& url) { opened << url; });
        window->ShowExportPage();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() { Close(); }

    void theTextListFollowsTheOptionsWhenAPersonIsAdded()
    {
        window->findChild<QRadioButton*>(QStringLiteral("NWRadioButton"))->setChecked(true);
        Records().CurrentAddress = 0;
        Click("L1");
        window->findChild<QCheckBox*>(QStringLiteral("CB1"))->setChecked(true);
        window->findChild<QCheckBox*>(QStringLiteral("CB2"))->setChecked(true);
        QVERIFY(fx->session->settings().WriteCountry && fx->session->settings().WriteNumber);
        Click("L1");
        QCOMPARE(window->findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText(),
                 QStringLiteral("Ann Lee\nMain Street 1\n1234 Town\n \nAnn Lee\nMain Street 1\n1234 Town\nLand\nPhone#: 555\n "));
    }

    void writeAllTakesTheAddressBookInOrderAndClearAllEmptiesIt()
    {
        Records().CurrentAddress = 2;
        Click("L2");
        QCOMPARE(Column("StringGrid1", 2), (QStringList{"Main Street 1", "Second Street", "Hill; Top \"2\""}));
        Click("L3");
        QCOMPARE(Column("StringGrid1", 0), QStringList{""});
        Click("L4");
        QCOMPARE(fx->navigator.calls, QStringList{"ShowLetterWriter"});
    }

    void aListFileNamesItsPersonsAndLoadsThemAgain()
    {
        window->AddAddresses({0, 2});
        fake.files << Path("friends");
        Click("SaveListButton");
        QCOMPARE(Read(Path("friends")), QByteArray("Ann Lee 5/11\r\nBob Berg 0/0\r\n"));
        Click("L3");
        fake.files << WriteFile("friends", "Ann Lee 5/11\r\nNobody Here 1/1\r\nBob Berg 0/0\r\n");
        Click("LoadListButton");
        // Both Ann Lees match the one line.
        QCOMPARE(fake.messages, QStringList{"ORV|3 of 3 addresses successfully imported|"});
        QCOMPARE(Column("StringGrid1", 2), (QStringList{"Main Street 1", "Second Street", "Hill; Top \"2\""}));
        // A file that is no list, or the dialog cancelled, changes nothing.
        fake.files << WriteFile("broken.QSL", QByteArray("\x00\x01\x02", 3));
        Click("LoadListButton");
        Click("LoadListButton");
        QCOMPARE(fake.messages.size(), 2);
        QCOMPARE(Column("StringGrid1", 2), (QStringList{"Main Street 1", "Second Street", "Hill; Top \"2\""}));
    }

    // "Text-file" and "Data in text-file" (the spreadsheet, below).
    void saveInFileWritesEachType()
    {
        window->AddAddresses({0, 2});
        fake.files << Path("out.TXT") << Path("data.TXT");
        Click("L5");
        QCOMPARE(Read(Path("out.TXT")),
                 QByteArray("Ann Lee\r\nMain Street 1\r\n1234 Town\r\n \r\nBob Berg\r\nHill; Top \"2\"\r\n \r\n"));
        fake.type = 2;
        Click("L5");
        QCOMPARE(Read(Path("data.TXT")),
                 QByteArray("First name;Surname;Address;Postal;Country;1.Telephone number;2.Telephone number;"
                            "E-mail;dd;mm;yyyy\r\n"
                            "Ann;Lee;Main Street 1;1234 Town;Land;555;556;ann@example.org;5;11;1970\r\n"
                            "Bob;Berg;\"Hill; Top \"\"2\"\"\";;;;;;0;0;0\r\n"));
    }

    // Cancel while the list is written, a file's bytes are made or the
    // blocks are printed: the list, the current person and the file on disk
    // stay as they were, and no temporary file is left.
    void aCancelledCommandChangesNothing()
    {
        window->AddAddresses({2});
        Records().CurrentAddress = 1;
        Write(Path("out"), "as it was");
        // "Write all", "Save in file" as text and as a spreadsheet, "Print".
        const std::pair<const char*, int> commands[] = {{"L2", 0}, {"L5", 0}, {"L5", 1}, {"L6", 0}};
        for (const auto& [command, type] : commands) {
            fake = FakeDialogs{};
            fake.type = type;
            fake.files << Path("out");
            fake.answers << QMessageBox::Yes;
            fake.pdf = Path("out");
            QTimer::singleShot(0, [] { CancelLongWork(); });
            Click(command);
            QCOMPARE(fake.messages, QStringList{});
            QCOMPARE(Column("StringGrid1", 0), QStringList{"Bob"});
            QCOMPARE(Records().CurrentAddress, 1);
            QCOMPARE(Read(Path("out")), QByteArray("as it was"));
            QCOMPARE(QDir(fx->dir.path()).entryList(QDir::Files), QStringList{"out"});
            QVERIFY(opened.isEmpty());
        }
    }

    void aSpreadsheetHoldsTheExportTableAndOpensOnRequest()
    {
        window->AddAddresses({0, 2});
        fake.type = 0;  // "Text-file" shown, but the name says what the file is
        fake.files << Path("list.xlsx");
        fake.answers << QMessageBox::Yes;
        Click("L5");
        const TableResult back = ReadSpreadsheetFile(Path("list.xlsx").toStdString());
        QVERIFY2(back.ok, back.message.c_str());
        QCOMPARE(back.table.Cell(2, 2), std::string_view("Hill; Top \"2\""));
        QCOMPARE(fake.questions, QStringList{"Open list.xlsx in your spreadsheet program?"});
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(Path("list.xlsx"))});
    }

    void theLetterTableIsEditedWithoutTouchingTheAddressBook()
    {
        window->AddAddresses({0, 1, 2});
        auto* grid = window->findChild<QTableView*>(QStringLiteral("StringGrid1"));
        grid->model()->setData(grid->model()->index(1, 0), QStringLiteral("Änne"));
        QCOMPARE(window->list().LetterRows()[1][0], std::string("\xC3\x84nne"));
        QCOMPARE(Records().addresses()[1].Name, std::string("Ann"));
        grid->clearSelection();
        Click("DeleteRowButton");  // nothing chosen: nothing deleted
        QCOMPARE(fake.messages, QStringList{QStringLiteral("ORV|Select the row to delete first.|")});
        QCOMPARE(Column("StringGrid1", 0).size(), 3);
        grid->setCurrentIndex(grid->model()->index(0, 0));
        Click("DeleteRowButton");
        QCOMPARE(Column("StringGrid1", 0), (QStringList{"Änne", "Bob"}));
        Click("AddRowButton");
        QCOMPARE(Column("StringGrid1", 0), (QStringList{"Änne", "Bob", ""}));
    }
};

ORV_TEST_CLASS(DataListTest);

}  // namespace orv::test

#include "tdatalistform_test.moc"
