// The people and hint searches and the phone book by their controls.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QDir>

#include "fakedialogs.h"
#include "viewfixture.h"
#include "views/address/hintsearchview.h"
#include "views/address/peoplesearchview.h"
#include "views/common/longwork.h"
#include "views/address/phonebookview.h"
#include "testclass.h"

namespace orv::test {

class SearchViewsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SessionFixture> fx;
    FakeDialogs fake;

    void AddPeople()
    {
        AData joanna = Person("Joanna", "Lee", 1, 1);
        joanna.Tele1 = "0 1234 56";
        joanna.Email1 = "jo@example.org";
        AData upper = Person("ANN", "Berg", 2, 1);
        upper.Tele2 = "999";
        // The first name stored by an older file (Windows-1252), the surname typed here (UTF-8).
        AData umlaut = Person("\xC4nne", "D\xC3\xBChl", 3, 1);
        umlaut.Tele1 = "777";
        fx->session->records().editAddresses() = {joanna, upper, umlaut};
    }

private slots:
    void init()
    {
        fx = std::make_unique<SessionFixture>();
        fake = FakeDialogs{};
        AddPeople();
    }

    void cleanup() { fx.reset(); }

    // Each category searches its field (the search's rules are the engine's):
    // the first name with a..z folded, the surname, the telephone without
    // blanks, and everyone for an empty text, in the phone book's order.
    void peopleAreFoundWhileTyping()
    {
        const struct {
            const char* category;
            QString text;
            QStringList found;
        } searches[] = {{"MenuL16", "ann", {"ANN Berg", "Joanna Lee"}},
                        {"MenuL17", "e", {"ANN Berg", "Joanna Lee"}},
                        {"MenuL18", "12 34", {"Joanna Lee"}},
                        {"MenuL19", "", {"ANN Berg", "\u00C4nne D\u00FChl", "Joanna Lee"}}};
        PeopleSearchView view(*fx->session, fx->navigator);
        for (const auto& s : searches) {
            QTest::mouseClick(view.findChild<QAbstractButton*>(QLatin1String(s.category)), Qt::LeftButton);
            view.findChild<QLineEdit*>(QStringLiteral("NewSearchEdit"))->setText(s.text);
            QCOMPARE(Shown(view.findChild<QListView*>(QStringLiteral("ResultListBox"))), s.found);
        }
    }

    // The person chosen is shown and followed; "Go", "Send e-mail" and the
    // data-list commands act on the people found.
    void thePeopleFoundAreShownMailedAndAddedToTheDataList()
    {
        PeopleSearchView view(*fx->session, fx->navigator);
        view.setDialogs(fake.dialogs());
        QSignalSpy followed(&view, &PeopleSearchView::addressSelected);
        auto* list = view.findChild<QListView*>(QStringLiteral("ResultListBox"));
        const auto click = [&view](const char* name) {
            QTest::mouseClick(view.findChild<QAbstractButton*>(QLatin1String(name)), Qt::LeftButton);
        };
        list->setCurrentIndex(list->model()->index(2, 0));  // Joanna Lee, list index 0
        QCOMPARE(fx->session->records().CurrentAddress, 0);
        QVERIFY(!followed.isEmpty());
        QCOMPARE(view.findChild<QPlainTextEdit*>(QStringLiteral("Memo2"))->toPlainText(),
                 QStringLiteral("Joanna Lee\nPhone#: 0 1234 56\nEmail: jo@example.org"));
        click("B1");
        click("MenuL20");
        list->setCurrentIndex(list->model()->index(0, 0));  // ANN Berg, no e-mail
        click("MenuL20");
        QCOMPARE(fake.messages, QStringList{"E-mail error|No e-mail address in the database|"});
        QCOMPARE(fx->navigator.calls, (QStringList{"ShowAddress(0)", "SendEmail(0)"}));

        fx->navigator.calls.clear();
        view.findChild<QLineEdit*>(QStringLiteral("NewSearchEdit"))->setText(QStringLiteral("ann"));  // ANN Berg, Joanna Lee
        list->setCurrentIndex(list->model()->index(1, 0));
        for (const char* label : {"MenuL22", "MenuL23", "MenuL21"}) click(label);
        // In the order of the results; after "Add all" the last one found is the current person.
        QCOMPARE(fx->navigator.calls, (QStringList{"AddToDataList(0)", "AddToDataList(1,0)", "ShowDataList(1)"}));
        QCOMPARE(fx->session->records().CurrentAddress, 0);
        QCOMPARE(list->currentIndex().row(), 1);
    }

    void hintSearchShowsTheEventAndGoesToItsDay()
    {
        ACal dentist = Event("Dentist", D(2024, 5, 3));
        dentist.More = {"bring the card"};
        fx->session->records().editCalendar() = {dentist, Event("Dance", D(2024, 6, 1)), Event("", D(2024, 7, 1))};
        HintSearchView view(*fx->session, fx->navigator);
        auto* list = view.findChild<QListView*>(QStringLiteral("ListBox4"));
        view.Search();
        QCOMPARE(Shown(list), (QStringList{"Dance", "Dentist"}));  // last first, no empty hint
        view.findChild<QLineEdit*>(QStringLiteral("Edit7"))->setText(QStringLiteral("DENT"));
        QCOMPARE(Shown(list), QStringList{"Dentist"});
        list->setCurrentIndex(list->model()->index(0, 0));
        QCOMPARE(view.findChild<QLabel*>(QStringLiteral("Label12"))->text(), QStringLiteral("3/5-2024"));
        QCOMPARE(view.findChild<QPlainTextEdit*>(QStringLiteral("Memo3"))->toPlainText(), QStringLiteral("bring the card"));
        QTest::mouseClick(view.findChild<QPushButton*>(QStringLiteral("HButton1")), Qt::LeftButton);
        QCOMPARE(fx->navigator.calls, QStringList{"ShowCalendarAt(2024-05-03)"});
        QCOMPARE(fx->session->records().CurrentCalendar, 0);
    }

    // "Save as" writes the format chosen; the book is a snapshot until it is
    // built again, and a cancelled save leaves the old file.
    void thePhoneBookIsSavedAsChosenAndBuiltAgainOnRequest()
    {
        PhoneBookView view(*fx->session);
        view.setDialogs(fake.dialogs());
        view.Build();
        auto* grid = view.findChild<QTableView*>(QStringLiteral("StringGrid1"));
        // ANN has a second number only; the A with two dots sorts with the A.
        QCOMPARE(Shown(grid), (QStringList{"\u00C4nne D\u00FChl", "Joanna Lee"}));
        fake.filter = QStringLiteral("Text (*.txt)");
        fake.files.enqueue(fx->dir.filePath(QStringLiteral("list.htm")));  // as the dialog adds the default suffix
        QTest::mouseClick(view.findChild<QAbstractButton*>(QStringLiteral("MenuL15")), Qt::LeftButton);
        const QString path = fx->dir.filePath(QStringLiteral("list.txt"));
        const QByteArray saved = "ORV Phone book\r\n\xC3\x84nne D\xC3\xBChl;777\r\nJoanna Lee;0 1234 56\r\n";
        QCOMPARE(Read(path), saved);
        QVERIFY(!QFile::exists(fx->dir.filePath(QStringLiteral("list.htm"))));

        fx->session->records().editAddresses().pop_back();
        QCOMPARE(Shown(grid).size(), 2);
        view.Build();
        QCOMPARE(Shown(grid), QStringList{"Joanna Lee"});
        QTimer::singleShot(0, [] { CancelLongWork(); });
        QVERIFY(!view.Save(path, false));
        QCOMPARE(Read(path), saved);
        QCOMPARE(QDir(fx->dir.path()).entryList(QStringList{QStringLiteral("list.txt*")}, QDir::Files),
                 QStringList{"list.txt"});
        QVERIFY(fake.messages.isEmpty());
    }
};

ORV_TEST_CLASS(SearchViewsTest);

}  // namespace orv::test

#include "searchviews_test.moc"
