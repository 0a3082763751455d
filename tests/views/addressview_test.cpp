// The address book view by its controls: post with the checks and the order,
// insert, delete, stepping, "Check dates", the vCard exchange, copying, the
// print job on a PDF file, and "New Address / Birthday".
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <iterator>

#include "windowfixture.h"
#include "pdftext.h"
#include "testfiles.h"
#include "exchange/phonebook/phonebook.h"
#include "exchange/vcard/vcard.h"
#include "store/datafile.h"
#include "views/common/longwork.h"
#include "viewfixture.h"
#include "views/address/addressview.h"
#include "views/address/tnewadd.h"
#include "views/common/storedtext.h"
#include "testclass.h"

namespace orv::test {

// The page's one-line text fields (DataEdit<n>) and where a post stores them.
struct PageField {
    const char* caption;
    int edit;
    std::string AData::*member;
};
constexpr PageField kPageFields[] = {
    {"first name", 1, &AData::Name},   {"surname", 2, &AData::Surname},  {"address", 6, &AData::Address},
    {"city", 7, &AData::City},         {"country", 8, &AData::Country},  {"phone 1", 9, &AData::Tele1},
    {"phone 2", 10, &AData::Tele2},    {"e-mail 1", 11, &AData::Email1}, {"e-mail 2", 12, &AData::Email2},
    {"e-mail 3", 13, &AData::Email3},
};

class AddressViewTest : public QObject, WindowFixture<AddressView> {
    Q_OBJECT

private:
    int changes = 0;

    QLineEdit* Edit(int n) const
    {
        const QString name = QStringLiteral("DataEdit%1").arg(n);
        if (auto* e = window->findChild<QLineEdit*>(name)) return e;
        return window->infoView()->findChild<QLineEdit*>(name);
    }
    QAbstractButton* Button(const char* name) const { return window->findChild<QAbstractButton*>(QLatin1String(name)); }
    QAction* Item(const char* name) const { return window->findChild<QAction*>(QLatin1String(name)); }

    QStringList Names() const
    {
        QStringList names;
        for (const AData& a : fx->session->records().addresses()) names << QString::fromStdString(a.Name);
        return names;
    }

    QString WriteFile(const char* name, const QByteArray& bytes) const
    {
        Write(Path(name), bytes);
        return Path(name);
    }

    void Type(int field, const QString& text) { Edit(field)->setText(text); }

private slots:
    void init()
    {
        Open();
        fx->AddSampleRecords();  // Ann Smith 13/3/1990 with e-mail, Bob Jones 15/3
        window = std::make_unique<AddressView>(*fx->session, fx->navigator);
        window->setDialogs(fake.dialogs());
        changes = 0;
        connect(window.get(), &AddressView::changed, [this] { ++changes; });
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void cleanup() { Close(); }

    void showsTheCurrentPersonAndStepsThroughTheList()
    {
        QCOMPARE(Edit(1)->text(), QStringLiteral("Ann"));
        QCOMPARE(Edit(3)->text(), QStringLiteral("1990"));
        Click("DataPrior");
        QCOMPARE(Edit(1)->text(), QStringLiteral("Ann"));
        Click("DataNext");
        QCOMPARE(Edit(1)->text(), QStringLiteral("Bob"));
        QCOMPARE(Edit(3)->text(), QString());  // a year of 0 shows empty
        QVERIFY(!Button("SB12")->isEnabled());  // Bob has no e-mail address
        Click("DataNext");
        QCOMPARE(Records().CurrentAddress, 1);
    }

    void insertThenPostMovesThePersonToItsBirthdayAndSavesAtOnce()
    {
        Click("DataInsert");
        QCOMPARE(Records().CurrentAddress, 0);
        QCOMPARE(Edit(1)->text(), QString());
        QCOMPARE(OnDisk().size(), 3u);
        Type(1, QStringLiteral("Eve"));
        Type(5, QStringLiteral("14"));
        Type(4, QStringLiteral("03"));
        Type(11, QStringLiteral("eve@example.org"));
        Edit(12)->setText(QStringLiteral("eve2@example.org"));
        window->infoView()->DataMemo->setPlainText(QStringLiteral("line one\nline two"));
        Click("DataPost");
        QCOMPARE(Names(), (QStringList{"Ann", "Eve", "Bob"}));  // "13/3" < "14/3" < "15/3"
        QCOMPARE(Records().CurrentAddress, 1);
        QCOMPARE(Edit(1)->text(), QStringLiteral("Eve"));
        QCOMPARE(Edit(4)->text(), QStringLiteral("3"));
        const std::vector<AData> disk = OnDisk();
        QCOMPARE(disk.size(), 3u);
        QCOMPARE(disk[1].Email2, std::string("eve2@example.org"));
        QCOMPARE(disk[1].More, (std::vector<std::string>{"line one", "line two"}));
        QCOMPARE(changes, 2);
    }

    // A post stores the field typed and keeps every other: what the view has no
    // field for (postal code, third phone, identity) and the bytes of an older
    // file's text survive, checked in the file written.
    void postStoresTheTypedFieldAndKeepsTheRest_data()
    {
        QTest::addColumn<int>("field");
        QTest::newRow("no edit") << -1;
        for (int i = 0; i < int(std::size(kPageFields)); ++i)
            QTest::newRow(kPageFields[i].caption) << i;
    }
    void postStoresTheTypedFieldAndKeepsTheRest()
    {
        QFETCH(int, field);
        AData& ann = Records().editAddresses()[0];
        ann.Name = "J\xf6rg";  // Windows-1252, as an older file holds it
        ann.Postal = "5003";
        ann.Tele3 = "+47 555 0000";
        ann.Uid = "ann-1@test";
        ann.More = {"first", "", "third"};
        const AData before = ann;
        window->ShowAddress();
        const QString typed = QStringLiteral("typed \u00e9 %1").arg(field);
        if (field >= 0) Type(kPageFields[field].edit, typed);
        Click("DataPost");
        std::vector<AData> disk = OnDisk();
        QCOMPARE(disk.size(), 2u);
        const AData& back = disk[0];
        for (int i = 0; i < int(std::size(kPageFields)); ++i) {
            const std::string expected = i == field ? EncodeTyped(typed) : before.*kPageFields[i].member;
            if (back.*kPageFields[i].member != expected) QFAIL(kPageFields[i].caption);
        }
        QCOMPARE(back.Postal, std::string("5003"));
        QCOMPARE(back.Tele3, std::string("+47 555 0000"));
        QCOMPARE(back.Uid, std::string("ann-1@test"));
        QCOMPARE(back.More, (std::vector<std::string>{"first", "", "third"}));
        QCOMPARE(back.Year, 1990);
    }

    void leavingABirthdayFieldChecksIt_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("day with a letter") << 5 << "12a" << "";
        QTest::newRow("day with leading zeros") << 5 << "007" << "7";
        QTest::newRow("month 13") << 4 << "13" << "";
        QTest::newRow("year 0") << 3 << "0" << "";
    }

    void leavingABirthdayFieldChecksIt()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        Edit(field)->setFocus(Qt::TabFocusReason);
        Type(field, typed);
        Edit(6)->setFocus(Qt::TabFocusReason);
        QCOMPARE(Edit(field)->text(), shown);
        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(Records().addresses()[0].Year, 1990);  // nothing stored by these checks
    }

    // Year 99 is refused once, whether the field is left or the page posted:
    // the person is stored without a year and the focus stays in the field.
    void theYear99IsRefusedOnce_data()
    {
        QTest::addColumn<bool>("post");
        QTest::newRow("leaving the field") << false;
        QTest::newRow("posting") << true;
    }
    void theYear99IsRefusedOnce()
    {
        QFETCH(bool, post);
        Edit(3)->setFocus(Qt::TabFocusReason);
        Type(3, QStringLiteral("99"));
        if (post)
            Click("DataPost");
        else
            Edit(6)->setFocus(Qt::TabFocusReason);
        QCOMPARE(fake.messages, QStringList{"ORV|Change the year!|"});
        QCOMPARE(Records().addresses()[0].Year, 0);
        QCOMPARE(OnDisk()[0].Year, 0);
        QCOMPARE(QApplication::focusWidget(), Edit(3));
    }

    void deleteNeedsTheStoredTexts()
    {
        Type(2, QStringLiteral("Changed"));
        Click("DataDelete");
        QCOMPARE(Records().addresses().size(), 2u);
        QCOMPARE(changes, 1);  // the refresh runs all the same
        Click("DataNext");
        Click("DataDelete");  // Bob, the last one
        QCOMPARE(Names(), QStringList{"Ann"});
        QCOMPARE(Edit(1)->text(), QStringLiteral("Ann"));
        QCOMPARE(OnDisk().size(), 1u);
    }

    void checkDatesNamesTheFirstWrongBirthday()
    {
        Records().editAddresses().push_back(Person("Feb", "Thirty", 30, 2, 2001));
        Records().editAddresses().push_back(Person("Apr", "Thirtyone", 31, 4));
        Item("M69")->trigger();
        QCOMPARE(fake.messages, QStringList{"Date error|Incorrect date|Feb Thirty: 30/2/2001"});
        QCOMPARE(Records().CurrentAddress, 0);
    }

    void sendEmailOpensTheStoredAddressOnly()
    {
        QMenu* menu = window->findChild<QMenu*>(QStringLiteral("DataPopupMenu"));
        emit menu->aboutToShow();
        QVERIFY(Item("M68")->isVisible());
        Click("SB12");
        QCOMPARE(fx->navigator.calls, QStringList{"SendEmail(0)"});
        Click("DataNext");
        emit menu->aboutToShow();
        QVERIFY(!Item("M68")->isVisible());
    }

    void exportedCardImportsAsASecondPerson()
    {
        const QString card = fx->dir.filePath(QStringLiteral("ann.vcf"));
        fake.files.enqueue(card);
        Item("ExportvCard1")->trigger();
        QVERIFY(Read(card).startsWith("BEGIN:VCARD\r\nVERSION:2.1\r\nN:Smith;Ann\r\n"));

        fake.files.enqueue(card);
        fake.answers.enqueue(QMessageBox::No);
        Item("ImportvCard1")->trigger();
        QCOMPARE(fake.questions, QStringList{"Overwrite information"});
        QCOMPARE(Names(), (QStringList{"Ann", "Ann", "Bob"}));
        const auto& list = Records().addresses();
        QCOMPARE(list[1].Email1, list[0].Email1);
        QCOMPARE(list[1].DateText, list[0].DateText);
        QCOMPARE(list[1].Year, 1990);
        QCOMPARE(OnDisk().size(), 3u);
    }

    void importWithYesReplacesOnlyWhatTheCardGives()
    {
        Type(9, QStringLiteral("unposted number"));
        fake.files.enqueue(WriteFile("phone.vcf", "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Smith;Annie;;;\r\n"
                                                  "EMAIL;TYPE=INTERNET:annie@example.org\r\nEND:VCARD\r\n"));
        fake.answers.enqueue(QMessageBox::Yes);
        Item("ImportvCard1")->trigger();
        const AData& a = Records().addresses()[0];
        QCOMPARE(a.Name, std::string("Annie"));
        QCOMPARE(a.Email1, std::string("annie@example.org"));
        QCOMPARE(a.Tele1, std::string("unposted number"));
        QCOMPARE(a.Year, 1990);
    }

    void aFileWithoutACardChangesNothing()
    {
        const QByteArray before = QByteArray::fromStdString(ReadWholeFile(fx->session->dataFolder() + "data.orv").content);
        fake.files.enqueue(WriteFile("notes.vcf", "just some notes\r\n"));
        fake.answers.enqueue(QMessageBox::Yes);  // never asked: nothing to overwrite with
        Item("ImportvCard1")->trigger();
        QCOMPARE(fake.messages, QStringList{"ORV|'notes.vcf' holds no vCard.|"});
        QVERIFY(fake.questions.isEmpty());
        QCOMPARE(Records().addresses().size(), 2u);
        QCOMPARE(changes, 0);
        QCOMPARE(QByteArray::fromStdString(ReadWholeFile(fx->session->dataFolder() + "data.orv").content), before);
    }

    void importAllAddsEveryCardAfterOneQuestion()
    {
        fake.files.enqueue(WriteFile("phone.vcf", "BEGIN:VCARD\nVERSION:3.0\nN:Berg;Cid\nBDAY:1980-01-02\nEND:VCARD\n"
                                                  "BEGIN:VCARD\nVERSION:3.0\nN:Dahl;Dan\nBDAY:0099-01-02\nEND:VCARD\n"));
        fake.answers.enqueue(QMessageBox::Yes);
        Item("ImportallvCards1")->trigger();
        QCOMPARE(fake.questions, QStringList{"Add 2 people from 'phone.vcf' to the address book?"});
        QCOMPARE(Names(), (QStringList{"Ann", "Bob", "Cid", "Dan"}));  // "13/3" < "15/3" < "2/1" as texts
        QCOMPARE(Records().addresses()[3].Year, 0);
        QCOMPARE(Edit(1)->text(), QStringLiteral("Dan"));  // the last one added is shown
        QCOMPARE(OnDisk().size(), 4u);
        QCOMPARE(fake.messages.size(), 1);
        QVERIFY(fake.messages[0].startsWith(QStringLiteral("ORV|Change the year!|1 of the birth years")));
    }

    // Cancel while the file is read, or while its people are made after
    // "Yes" to adding them all: nobody is added and nothing is stored or said.
    void aCancelledImportAddsNobody_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("questions");  // answered before the work is cancelled
        QTest::newRow("Import all vCards, reading") << "ImportallvCards1" << 0;
        QTest::newRow("Import vCard, making the people") << "ImportvCard1" << 1;
    }
    void aCancelledImportAddsNobody()
    {
        QFETCH(QString, command);
        QFETCH(int, questions);
        const QByteArray before = QByteArray::fromStdString(ReadWholeFile(fx->session->dataFolder() + "data.orv").content);
        fake.files.enqueue(WriteFile("book.vcf", "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Cid\r\nEND:VCARD\r\n"
                                                 "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Dahl;Dan\r\nEND:VCARD\r\n"));
        fake.answers.enqueue(QMessageBox::Yes);
        ViewDialogs dialogs = fake.dialogs();
        if (questions == 0) {
            QTimer::singleShot(0, [] { CancelLongWork(); });
        } else {
            dialogs.ask = [ask = dialogs.ask](QWidget* w, const QString& t, const QString& q, QMessageBox::StandardButtons b) {
                QTimer::singleShot(0, [] { CancelLongWork(); });
                return ask(w, t, q, b);
            };
        }
        window->setDialogs(dialogs);
        Item(command.toLatin1().constData())->trigger();
        QCOMPARE(fake.questions.size(), questions);
        QCOMPARE(Names(), (QStringList{"Ann", "Bob"}));
        QCOMPARE(changes, 0);
        QVERIFY(fake.messages.isEmpty());
        QCOMPARE(QByteArray::fromStdString(ReadWholeFile(fx->session->dataFolder() + "data.orv").content), before);
    }

    // One card from an older program: Windows-1252 without a CHARSET, an
    // address with an escaped line break, and a UID.
    void bothImportsStoreTheCardAlike_data()
    {
        QTest::addColumn<bool>("all");
        QTest::newRow("Import vCard") << false;
        QTest::newRow("Import all vCards") << true;
    }

    void bothImportsStoreTheCardAlike()
    {
        QFETCH(bool, all);
        fake.files.enqueue(WriteFile("old.vcf", "BEGIN:VCARD\r\nVERSION:2.1\r\nN:M\xFCller;J\xF6rg\r\n"
                                                "ADR;HOME:;;Hauptstra\xDF" "e 1\\nHinterhaus;M\xFCnchen;;;\r\n"
                                                "UID:card-7\r\nEND:VCARD\r\n"));
        fake.answers.enqueue(all ? QMessageBox::Yes : QMessageBox::No);
        Item(all ? "ImportallvCards1" : "ImportvCard1")->trigger();
        const std::vector<AData> disk = OnDisk();
        QCOMPARE(disk.size(), 3u);
        const auto it = std::find_if(disk.begin(), disk.end(), [](const AData& a) { return a.Uid == "card-7"; });
        QVERIFY(it != disk.end());
        QCOMPARE(it->Name, std::string("J\xC3\xB6rg"));
        QCOMPARE(it->Surname, std::string("M\xC3\xBCller"));
        QCOMPARE(it->Address, std::string("Hauptstra\xC3\x9F" "e 1 Hinterhaus"));
        QCOMPARE(it->City, std::string("M\xC3\xBCnchen"));
        QCOMPARE(fake.messages, QStringList{"ORV|In 1 field a line break was replaced by a blank.|"});
    }

    // "Import vCard" on an address book's export (a byte-order mark before
    // the first card) says how many cards it holds and offers to add them all.
    void importVCardOfManyCardsOffersToAddThemAll_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("add all") << int(QMessageBox::Yes) << QStringList{"Ann", "Bob", "Cid", "Dan", "Eva"};
        QTest::newRow("one person") << int(QMessageBox::No) << QStringList{"Ann", "Bob", "Eva"};
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << QStringList{"Ann", "Bob"};
    }

    void importVCardOfManyCardsOffersToAddThemAll()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, names);
        fake.files.enqueue(WriteFile("book.vcf", "\xEF\xBB\xBF" "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Cid\r\nEND:VCARD\r\n"
                                                 "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Dahl;Dan\r\nEND:VCARD\r\n"
                                                 "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Ek;Eva\r\nEND:VCARD\r\n"));
        fake.answers.enqueue(static_cast<QMessageBox::StandardButton>(answer));
        fake.answers.enqueue(QMessageBox::No);  // "Overwrite information": a new person
        Item("ImportvCard1")->trigger();
        QVERIFY(fake.questions.value(0).startsWith(QStringLiteral("'book.vcf' holds 3 vCards.")));
        QVERIFY(fake.questions.value(0).contains(QStringLiteral("\"Import all vCards...\"")));
        QCOMPARE(fake.questions.size(), answer == QMessageBox::No ? 2 : 1);
        QStringList onDisk;
        for (const AData& a : OnDisk()) onDisk << QString::fromStdString(a.Name);
        QStringList shown = Names();
        onDisk.sort();
        shown.sort();
        QCOMPARE(shown, names);
        if (answer != QMessageBox::Cancel) QCOMPARE(onDisk, names);
    }

    // What the person has no field for is kept in the additional information
    // and stored; what cannot be kept is named; a second import adds no line twice.
    void cardFieldsWithoutAPlaceGoToTheAdditionalInformation()
    {
        const QString card = WriteFile("work.vcf", "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Smith;Ann\r\nORG:Acme\r\n"
                                                   "TITLE:Buyer\r\nBDAY:1980\r\nPHOTO;ENCODING=b:AAAA\r\nEND:VCARD\r\n");
        Records().editAddresses()[0].More = {"note"};
        window->ShowAddress();
        for (int round = 0; round < 2; ++round) {
            fake.files.enqueue(card);
            fake.answers.enqueue(QMessageBox::Yes);
            Item("ImportvCard1")->trigger();
        }
        QCOMPARE(window->infoView()->DataMemo->toPlainText(), QStringLiteral("note\nOrganisation: Acme\nTitle: Buyer"));
        QCOMPARE(OnDisk()[0].More, (std::vector<std::string>{"note", "Organisation: Acme", "Title: Buyer"}));
        QCOMPARE(OnDisk()[0].Year, 1990);
        QCOMPARE(fake.messages.value(0),
                 QStringLiteral("ORV|The birthday '1980' is no date ORV reads; it was left out.\nNot kept: PHOTO.|"));
    }

    // The view's card and orv-cli's are one writer's, given the person as
    // stored (here in Windows-1252) with its identity.
    void exportWritesTheStoredPersonDecodedWithItsUid()
    {
        AData& ann = Records().editAddresses()[0];
        ann.Name = "Jos\xE9";
        ann.Uid = "uid-ann";
        const AData stored = ann;
        window->ShowAddress();
        const QString card = fx->dir.filePath(QStringLiteral("jose.vcf"));
        fake.files.enqueue(card);
        Item("ExportvCard1")->trigger();
        QCOMPARE(Read(card), QByteArray::fromStdString(WriteVCard(FieldsOf(stored), stored.Uid)));
    }

    void copyPutsTheShownFieldsOnTheClipboard_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("expected");
        QTest::newRow("address") << "M71" << "1990" << "Ann Smith\nMain St 1";
        QTest::newRow("copy all") << "M72" << "1990" << "Ann Smith\nMain St 1\nBirthday: 13/3-1990\n2.Phone#: 555";
        QTest::newRow("copy all without year") << "M72" << "" << "Ann Smith\nMain St 1\nBirthday: 13/3\n2.Phone#: 555";
        QTest::newRow("copy all info") << "M73" << "1990"
                                       << "Ann Smith\nMain St 1\nBirthday: 13/3-1990\n2.Phone#: 555\n \nnote";
    }

    void copyPutsTheShownFieldsOnTheClipboard()
    {
        QFETCH(QString, item);
        QFETCH(QString, year);
        QFETCH(QString, expected);
        Type(6, QStringLiteral("Main St 1"));
        Type(10, QStringLiteral("555"));
        Type(3, year);
        window->infoView()->DataMemo->setPlainText(QStringLiteral("note"));
        window->findChild<QAction*>(item)->trigger();
        QCOMPARE(QApplication::clipboard()->text(), expected);
    }

    void printJobOfThreePeoplePrintsThreeBlocks()
    {
        if (!HavePdfTools()) QFAIL("pdftotext (poppler-utils) is needed");
        fake.pdf = fx->dir.filePath(QStringLiteral("job.pdf"));
        Type(6, QStringLiteral("Main St 1"));
        Item("M76")->trigger();
        Click("DataNext");
        Item("M77")->trigger();
        Records().editAddresses().push_back(Person("Cid", "Berg", 1, 1));
        Click("DataNext");
        Item("M77")->trigger();
        Item("M78")->trigger();
        QCOMPARE(PdfPages(fake.pdf), (QList<QStringList>{{"Ann Smith", "Main St 1", "Bob Jones", "Cid Berg"}}));
        // The job stays for another print; "Print address" replaces it.
        QVERIFY(window->printJob().text().contains(QStringLiteral("Cid Berg")));
        Item("M75")->trigger();
        QCOMPARE(window->printJob().text(), QStringLiteral("Cid Berg"));
    }

    void newAddressDialogPostsThroughTheView()
    {
        TNewAdd dialog(*window);
        // Tab meets only controls a screen reader can name, never the frame around the fields.
        dialog.show();
        for (int step = 0; step < 14; ++step) {
            QWidget* at = dialog.focusWidget();
            QVERIFY(at);
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(at);
            QVERIFY2(a && !a->text(QAccessible::Name).isEmpty(), qPrintable(at->objectName()));
            QVERIFY2(!qobject_cast<QScrollArea*>(at), "the frame around the fields");
            QTest::keyClick(at, Qt::Key_Tab);
        }
        dialog.hide();
        QTimer::singleShot(0, [&] {
            auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OkButton"));
            QVERIFY(!ok->isEnabled());
            dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("Zoe"));
            dialog.findChild<QLineEdit*>(QStringLiteral("Edit9"))->setText(QStringLiteral("1"));
            dialog.findChild<QLineEdit*>(QStringLiteral("Edit10"))->setText(QStringLiteral("1"));
            dialog.findChild<QLineEdit*>(QStringLiteral("Edit11"))->setText(QStringLiteral("50"));
            QVERIFY(ok->isEnabled());
            QTest::mouseClick(ok, Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(Names(), (QStringList{"Zoe", "Ann", "Bob"}));
        QCOMPARE(Records().addresses()[0].Year, 0);
        QCOMPARE(fake.messages, QStringList{"ORV|Change the year!|"});
        QCOMPARE(OnDisk().size(), 3u);
    }

    // One order for "Go to" and the phone book, whatever the machine's
    // locale; a name is shown as written, "&" included.
    void goToListsEveryoneAlphabetically()
    {
        for (AData p : {Person("adam", "Zed", 1, 1), Person("Tom & Jerry", "Cat", 2, 1), Person("\xC3\x89mile", "Zola", 3, 1)}) {
            p.Tele1 = "1";
            Records().editAddresses().push_back(p);
        }
        Records().editAddresses()[0].Tele1 = "2";
        Records().editAddresses()[1].Tele1 = "3";
        window->BuildGoToMenu();
        QStringList captions;
        for (QAction* a : window->goToMenu()->actions()) captions << a->iconText();
        QCOMPARE(captions, (QStringList{"adam Zed", "Ann Smith", "Bob Jones", "\u00C9mile Zola", "Tom & Jerry Cat"}));
        QStringList phoneBook;
        for (const PhoneBookRow& r : PhoneBookRows(Records().addresses())) phoneBook << QString::fromStdString(r.Name);
        QCOMPARE(captions, phoneBook);
        window->goToMenu()->actions()[2]->trigger();
        QCOMPARE(Edit(1)->text(), QStringLiteral("Bob"));
    }

    // The view's menu opens from every field, with the Menu key or Shift+F10.
    void theMenuOpensFromEveryField_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<bool>("menuKey");
        for (int field : {1, 5, 6, 9, 11}) {
            QTest::addRow("DataEdit%d Shift+F10", field) << field << false;
            QTest::addRow("DataEdit%d Menu key", field) << field << true;
        }
    }

    void theMenuOpensFromEveryField()
    {
        QFETCH(int, field);
        QFETCH(bool, menuKey);
        auto* menu = window->findChild<QMenu*>(QStringLiteral("DataPopupMenu"));
        QLineEdit* edit = Edit(field);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        if (menuKey) {
            const QPoint at = edit->rect().center();
            QContextMenuEvent event(QContextMenuEvent::Keyboard, at, edit->mapToGlobal(at));
            QApplication::sendEvent(edit, &event);
        } else {
            QTest::keyClick(edit, Qt::Key_F10, Qt::ShiftModifier);
        }
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }
};

ORV_TEST_CLASS(AddressViewTest);

}  // namespace orv::test

#include "addressview_test.moc"
