// The import window by its controls: text files and spreadsheets (those the
// spreadsheet program wrote too) into the grid, files that cannot be read,
// "Delete row" and the column choice, and "To database" with its row
// messages, its single save and nothing changed when that save fails.
#include <QDir>
#include <QLabel>
#include <QAbstractButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "windowfixture.h"
#include "core/session.h"
#include "store/datafile.h"
#include "viewfixture.h"
#include "views/documents/timportdata.h"
#include "views/common/longwork.h"
#include "testclass.h"

namespace orv::test {

class ImportDataTest : public QObject, WindowFixture<TImportData> {
    Q_OBJECT

private:
    static QString Sample(const char* name) { return QStringLiteral(ORV_EXCHANGE_TEST_DATA "/") + QLatin1String(name); }

    void Load(const QString& path, int type)
    {
        fake.type = type;
        fake.files << path;
        Click("Label12");
    }

    QStringList Names() const
    {
        QStringList names;
        for (const AData& a : fx->session->records().addresses())
            names << QString::fromStdString(a.Name + " " + a.Surname + " " + a.DateText + " " + std::to_string(a.Year));
        return names;
    }

private slots:
    void init()
    {
        Open();
        Records().editAddresses() = {Person("Old", "One", 1, 1)};
        QDir().mkpath(QString::fromStdString(fx->session->dataFolder()));
        window = std::make_unique<TImportData>(*fx->session);
        window->setDialogs(fake.dialogs());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() { Close(); }

    // A semicolon text, an .xlsx file of the spreadsheet program, and that
    // file chosen as text; the window names the separator it found. (What the
    // readers make of each file is theirs, tested with them.)
    void eachKindOfFileFillsTheGrid()
    {
        const struct {
            const char* file;
            int type;
            QString note;  // empty: nothing said
        } loads[] = {{"people-as-shown.csv", 0, "Fields separated by \";\" (semicolon)."},
                     {"people.xlsx", 1, {}},
                     {"people.xlsx", 0, {}}};
        for (const auto& load : loads) {
            Load(Sample(load.file), load.type);
            QVERIFY2(fake.messages.isEmpty(), qPrintable(fake.messages.join(QLatin1Char('\n'))));
            auto* said = window->findChild<QLabel*>(QStringLiteral("SeparatorNote"));
            QCOMPARE(said->isVisible() ? said->text() : QString(), load.note);
            QCOMPARE(window->table().Cell(1, 2), std::string_view("01234"));
            QCOMPARE(window->table().Cell(2, 0), std::string_view("J\xC3\xB6rg"));
            QCOMPARE(window->findChild<QTableView*>(QStringLiteral("StringGrid1"))->model()->columnCount(), 8);
        }
    }

    void anAreaReadsThatManyCellsAndACancelKeepsTheGrid()
    {
        Load(Sample("people-as-shown.csv"), 0);
        window->setAreaQuestion([] { return std::optional<SheetArea>(); });
        Load(Sample("people.xlsx"), 2);
        QCOMPARE(window->table().Cell(1, 7), std::string_view("two\nlines"));  // still the text file
        window->setAreaQuestion([] { return std::optional<SheetArea>(SheetArea{2, 3}); });
        Load(Sample("people.xlsx"), 2);
        QCOMPARE(window->table().RowCount(), 2u);
        QCOMPARE(window->table().columnCount, 3u);
        QCOMPARE(window->table().Cell(1, 2), std::string_view("01234"));
    }

    // A truncated spreadsheet; what the readers say of each broken file is theirs.
    void aFileThatCannotBeReadIsReportedAndKeepsTheGrid()
    {
        Load(Sample("people-as-shown.csv"), 0);
        Load(WriteFile("bad", Read(Sample("people.xlsx")).left(600)), 1);
        QCOMPARE(fake.messages.size(), 1);
        QVERIFY(fake.messages[0].contains(QStringLiteral("bad")));
        QCOMPARE(window->table().Cell(2, 0), std::string_view("J\xC3\xB6rg"));
    }

    void everyGoodRowBecomesAPersonAndEveryOtherIsReported()
    {
        Write(Path("people.txt"), "First name;Surname;Address;City;Country;Tel;Tel2;Mail;dd;mm;yyyy\r\n"
                                  "Ann;Lee;Main Street 1;1234 Town;Land;555;;;05;11;1970\r\n"
                                  ";;;;\r\n"
                                  "Bob;Berg;;;;;;;5;x;\r\n"
                                  "Cid;Moe;;;;;;;1;2;99\r\n"
                                  "Dan;Orr\r\n");
        Load(Path("people.txt"), 0);
        Click("Label13");
        QCOMPARE(fake.messages,
                 QStringList{"ORV|3 persons added|"
                             "Row 1: Can not add First name Surname. Make sure the date is of type Integer.\n"
                             "Row 4: Can not add Bob Berg. Make sure the date is of type Integer.\n"
                             "Row 5: Change the year! The year 99 of Cid Moe was left empty."});
        // The post's checks: "05" becomes 5, the year 99 is left out; the list is in its order.
        QCOMPARE(Names(), (QStringList{"Dan Orr 0/0 0", "Old One 1/1 0", "Cid Moe 1/2 0", "Ann Lee 5/11 1970"}));
        QCOMPARE(OnDisk().size(), 4u);
        QCOMPARE(OnDisk()[3].City, std::string("1234 Town"));

        // The header row deleted (none without a row chosen, never the first by
        // chance) and the first two columns swapped; a second import adds everyone again.
        fake.messages.clear();
        Click("Label14");
        QCOMPARE(fake.messages, QStringList{"ORV|Select the row to delete first.|"});
        auto* grid = window->findChild<QTableView*>(QStringLiteral("StringGrid1"));
        grid->setCurrentIndex(grid->model()->index(0, 0));
        Click("Label14");
        window->findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->setValue(2);
        window->findChild<QSpinBox*>(QStringLiteral("SpinEdit2"))->setValue(1);
        fake.messages.clear();
        Click("Label13");
        QVERIFY(fake.messages.value(0).startsWith(QStringLiteral("ORV|3 persons added|Row 3: Can not add Berg Bob.")));
        QCOMPARE(OnDisk().size(), 7u);
        QVERIFY(Names().contains(QStringLiteral("Lee Ann 5/11 1970")));
    }

    void aSaveThatFailsAddsNobody()
    {
        // data.orv cannot be replaced when a folder stands in its place.
        QVERIFY(QDir().mkpath(QString::fromStdString(fx->session->dataFolder() + "data.orv")));
        Load(WriteFile("one.txt", "Ann;Lee\r\n"), 0);
        Click("Label13");
        QCOMPARE(fake.messages.size(), 1);
        QVERIFY(fake.messages[0].startsWith(QStringLiteral("ORV|No person was added.|")));
        QCOMPARE(Names(), QStringList{"Old One 1/1 0"});
    }

    // Cancel while the file is read or the persons are sorted in: the grid,
    // the address book and data.orv stay as they were, and nothing is said.
    void aCancelledImportChangesNothing()
    {
        Load(WriteFile("people.txt", "Ann;Lee;;;;;;;5;11;1970\r\n"), 0);
        QVERIFY(fx->session->SaveDataFile(DataKind::Addresses).ok());
        const QString dataFile = QString::fromStdString(fx->session->dataFolder() + "data.orv");
        const QByteArray disk = Read(dataFile);
        const QString other = WriteFile("other.txt", "Bob;Berg\r\nCid;Moe\r\n");
        // "From file" reading a text and a spreadsheet, then "To database".
        for (const int type : {0, 1, -1}) {
            fake.type = type;
            if (type >= 0) fake.files << (type == 0 ? other : Sample("people.xlsx"));
            QTimer::singleShot(0, [] { CancelLongWork(); });
            Click(type < 0 ? "Label13" : "Label12");
            QCOMPARE(fake.messages, QStringList{});
            QCOMPARE(window->table().RowCount(), 1u);
            QCOMPARE(window->table().Cell(0, 1), std::string_view("Lee"));
            QCOMPARE(Names(), QStringList{"Old One 1/1 0"});
            QCOMPARE(Read(dataFile), disk);
        }
    }

    // A cell of several lines once went into data.orv as a broken tag line:
    // "<END:FILE>" on its own line ended the file at the next start, and the
    // people after it were lost. Such a cell is one line of the person (the
    // import's columns and the data file keep it so, tested with them), and
    // the window says how many fields it changed.
    void aMultiLineCellIsOneLineInTheFileAndEveryoneComesBackFromDisk()
    {
        Write(Path("lines.txt"), "\"Ann\";\"Lee\";\"Line one\r\n<END:FILE>\";\"Town\"\r\n"
                                 "Bob;Berg;\"<END>\n<BEGIN>\rx\";;;\"555\r\n\r\n666\"\r\n"
                                 "Cid;Moe;Plain Street 2;City;Land;1;2;c@example.org;3;4;1980\r\n");
        Load(Path("lines.txt"), 0);
        Click("Label13");
        QCOMPARE(fake.messages, QStringList{"ORV|3 persons added. In 3 fields line breaks became blanks.|"});
        QCOMPARE(OnDisk().size(), 4u);
    }
};

ORV_TEST_CLASS(ImportDataTest);

}  // namespace orv::test

#include "timportdata_test.moc"
