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
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "windowfixture.h"
#include "pdftext.h"
#include "exchange/vcard/vcard.h"
#include "store/datafile.h"
#include "views/common/longwork.h"
#include "views/common/storedtext.h"
#include "viewfixture.h"
#include "views/address/addressview.h"
#include "views/address/tnewadd.h"
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

    // Stepping shows each person; "Send e-mail" is offered only for a stored address.
    void stepsThroughTheListAndSendsEmailToAStoredAddressOnly()
    {
        QMenu* menu = window->findChild<QMenu*>(QStringLiteral("DataPopupMenu"));
        emit menu->aboutToShow();
        QVERIFY(Item("M68")->isVisible());
        Click("SB12");
        QCOMPARE(fx->navigator.calls, QStringList{"SendEmail(0)"});
        Click("DataPrior");
        QCOMPARE(Edit(1)->text(), QStringLiteral("Ann"));
        Click("DataNext");
        QCOMPARE(Edit(1)->text(), QStringLiteral("Bob"));
        QCOMPARE(Edit(3)->text(), QString());  // a year of 0 shows empty
        QVERIFY(!Button("SB12")->isEnabled());
        emit menu->aboutToShow();
        QVERIFY(!Item("M68")->isVisible());
        Click("DataNext");
        QCOMPARE(Edit(1)->text(), QStringLiteral("Bob"));
    }

    void insertThenPostMovesThePersonToItsBirthdayAndSavesAtOnce()
    {
        Click("DataInsert");
        QCOMPARE(Edit(1)->text(), QString());
        QCOMPARE(OnDisk().size(), 3u);
        Type(1, QStringLiteral("Eve"));
        Type(5, QStringLiteral("14"));
        Type(4, QStringLiteral("03"));
        Type(11, QStringLiteral("eve@example.org"));
        window->infoView()->DataMemo->setPlainText(QStringLiteral("line one\nline two"));
        Click("DataPost");
        QCOMPARE(Names(), (QStringList{"Ann", "Eve", "Bob"}));  // "13/3" < "14/3" < "15/3"
        QCOMPARE(Edit(1)->text(), QStringLiteral("Eve"));
        const std::vector<AData> disk = OnDisk();
        QCOMPARE(disk.size(), 3u);
        QCOMPARE(disk[1].More, (std::vector<std::string>{"line one", "line two"}));
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

    // A birthday field is checked on leaving it and by a post (the checks are
    // the engine's): year 99 is refused once, the person is stored without a
    // year and the focus stays in the field.
    void aBirthdayFieldIsCheckedOnLeavingOrPosting_data()
    {
        QTest::addColumn<bool>("post");
        QTest::newRow("leaving the field") << false;
        QTest::newRow("posting") << true;
    }
    void aBirthdayFieldIsCheckedOnLeavingOrPosting()
    {
        QFETCH(bool, post);
        Edit(3)->setFocus(Qt::TabFocusReason);
        Type(3, QStringLiteral("99"));
        if (post)
            Click("DataPost");
        else
            Edit(6)->setFocus(Qt::TabFocusReason);
        QCOMPARE(fake.messages, QStringList{"ORV|Change the year!|"});
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
        QCOMPARE(OnDisk().size(), 1u);
    }

    void checkDatesNamesAWrongBirthday()
    {
        Records().editAddresses().push_back(Person("Feb", "Thirty", 30, 2, 2001));
        Item("M69")->trigger();
        QCOMPARE(fake.messages, QStringList{"Date error|Incorrect date|Feb Thirty: 30/2/2001"});
    }

    // The view's card and orv-cli's are one writer's, given the person as
    // stored with its identity; read back with "No", it is a second person,
    // with "Yes" it replaces only what the card gives of the person shown.
    void anExportedCardImportsAsASecondPersonOrOverTheOneShown()
    {
        Records().editAddresses()[0].Uid = "uid-ann";
        const AData stored = Records().addresses()[0];
        const QString card = fx->dir.filePath(QStringLiteral("ann.vcf"));
        fake.files.enqueue(card);
        Item("ExportvCard1")->trigger();
        QCOMPARE(Read(card), QByteArray::fromStdString(WriteVCard(FieldsOf(stored), stored.Uid)));

        fake.files.enqueue(card);
        fake.answers.enqueue(QMessageBox::No);
        Item("ImportvCard1")->trigger();
        QCOMPARE(fake.questions, QStringList{"Overwrite information"});
        QCOMPARE(Names(), (QStringList{"Ann", "Ann", "Bob"}));
        QCOMPARE(OnDisk().size(), 3u);

        Type(9, QStringLiteral("unposted number"));
        fake.files.enqueue(WriteFile("phone.vcf", "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Smith;Annie;;;\r\n"
                                                  "EMAIL;TYPE=INTERNET:annie@example.org\r\n"
                                                  "ADR;HOME:;;Main 1\\nBack;Town;;;\r\nUID:card-7\r\nEND:VCARD\r\n"));
        fake.answers.enqueue(QMessageBox::Yes);
        Item("ImportvCard1")->trigger();
        const std::vector<AData>& list = Records().addresses();
        const auto a = std::find_if(list.begin(), list.end(), [](const AData& p) { return p.Name == "Annie"; });
        QVERIFY(a != list.end());
        QCOMPARE(a->Tele1, std::string("unposted number"));
        QCOMPARE(a->Uid, std::string("card-7"));
        QCOMPARE(list.size(), 3u);
        QCOMPARE(fake.messages, QStringList{"ORV|In 1 field a line break was replaced by a blank.|"});
    }

    // A file without a card, or Cancel while the file is read or while its
    // people are made after "Yes" to adding them all: nobody is added and
    // nothing is stored.
    void anImportThatAddsNobodyChangesNothing()
    {
        const QByteArray two = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Cid\r\nEND:VCARD\r\n"
                               "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Dahl;Dan\r\nEND:VCARD\r\n";
        const struct {
            const char* command;
            QByteArray file;
            int cancelAfter;  // questions answered before the cancel; -1: none
            QStringList messages;
        } runs[] = {{"ImportvCard1", "just some notes\r\n", -1, {"ORV|'book.vcf' holds no vCard.|"}},
                    {"ImportallvCards1", two, 0, {}},
                    {"ImportvCard1", two, 1, {}}};
        const QByteArray before = QByteArray::fromStdString(ReadWholeFile(fx->session->dataFolder() + "data.orv").content);
        for (const auto& run : runs) {
            fake = FakeDialogs{};
            fake.files.enqueue(WriteFile("book.vcf", run.file));
            fake.answers.enqueue(QMessageBox::Yes);
            ViewDialogs dialogs = fake.dialogs();
            if (run.cancelAfter == 0) {
                QTimer::singleShot(0, [] { CancelLongWork(); });
            } else if (run.cancelAfter > 0) {
                dialogs.ask = [ask = dialogs.ask](QWidget* w, const QString& t, const QString& q,
                                                  QMessageBox::StandardButtons b) {
                    QTimer::singleShot(0, [] { CancelLongWork(); });
                    return ask(w, t, q, b);
                };
            }
            window->setDialogs(dialogs);
            Item(run.command)->trigger();
            QCOMPARE(fake.questions.size(), std::max(run.cancelAfter, 0));
            QCOMPARE(Names(), (QStringList{"Ann", "Bob"}));
            QCOMPARE(fake.messages, run.messages);
            QCOMPARE(QByteArray::fromStdString(ReadWholeFile(fx->session->dataFolder() + "data.orv").content), before);
        }
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
        QCOMPARE(fake.questions.size(), answer == QMessageBox::No ? 2 : 1);
        QStringList onDisk;
        for (const AData& a : OnDisk()) onDisk << QString::fromStdString(a.Name);
        QStringList shown = Names();
        onDisk.sort();
        shown.sort();
        QCOMPARE(shown, names);
        if (answer != QMessageBox::Cancel) QCOMPARE(onDisk, names);
    }

    // "Copy address", "Copy all" and "Copy all info".
    void copyPutsTheShownFieldsOnTheClipboard()
    {
        Type(6, QStringLiteral("Main St 1"));
        Type(10, QStringLiteral("555"));
        window->infoView()->DataMemo->setPlainText(QStringLiteral("note"));
        const std::pair<const char*, QString> copies[] = {
            {"M71", "Ann Smith\nMain St 1"},
            {"M72", "Ann Smith\nMain St 1\nBirthday: 13/3-1990\n2.Phone#: 555"},
            {"M73", "Ann Smith\nMain St 1\nBirthday: 13/3-1990\n2.Phone#: 555\n \nnote"}};
        for (const auto& [item, expected] : copies) {
            Item(item)->trigger();
            QCOMPARE(QApplication::clipboard()->text(), expected);
        }
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
        // "Print address" replaces the job.
        Item("M75")->trigger();
        QCOMPARE(window->printJob().text(), QStringLiteral("Cid Berg"));
    }

    void newAddressDialogPostsThroughTheView()
    {
        TNewAdd dialog(*window);
        // Every control Tab can reach has a name a screen reader reads.
        for (QWidget* w : dialog.findChildren<QWidget*>()) {
            const QString name = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
            if (w->focusPolicy() & Qt::TabFocus) QVERIFY2(!name.isEmpty(), qPrintable(w->objectName()));
        }
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
        QCOMPARE(OnDisk()[0].Name, std::string("Zoe"));
    }

    // One order for "Go to", whatever the machine's locale (the phone book's,
    // checked with it); a name is shown as written, "&" included.
    void goToListsEveryoneAlphabetically()
    {
        for (const AData& p : {Person("adam", "Zed", 1, 1), Person("Tom & Jerry", "Cat", 2, 1),
                               Person("\xC3\x89mile", "Zola", 3, 1)})
            Records().editAddresses().push_back(p);
        window->BuildGoToMenu();
        QStringList captions;
        for (QAction* a : window->goToMenu()->actions()) captions << a->iconText();
        QCOMPARE(captions, (QStringList{"adam Zed", "Ann Smith", "Bob Jones", "\u00C9mile Zola", "Tom & Jerry Cat"}));
        window->goToMenu()->actions()[2]->trigger();
        QCOMPARE(Edit(1)->text(), QStringLiteral("Bob"));
    }

    // The view's menu opens from a field with the Menu key or Shift+F10.
    void theMenuOpensFromTheKeyboard()
    {
        auto* menu = window->findChild<QMenu*>(QStringLiteral("DataPopupMenu"));
        QLineEdit* edit = Edit(9);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        const QPoint at = edit->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Keyboard, at, edit->mapToGlobal(at));
        QApplication::sendEvent(edit, &event);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
        QTest::keyClick(edit, Qt::Key_F10, Qt::ShiftModifier);
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }
};

ORV_TEST_CLASS(AddressViewTest);

}  // namespace orv::test

#include "addressview_test.moc"
