// The address book inside the running program: the refresh after a change,
// the phone book opened at once and the mail link. The settings it
// keeps come back with the other windows' state (orvapp_test).
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include "appfixture.h"
#include "shell/orvapp.h"
#include "shell/tdata.h"
#include "views/address/addressview.h"
#include "views/address/phonebookview.h"

using namespace orv;

class AddressBookInProgramTest : public QObject, public orv::test::AppFixture {
    Q_OBJECT
private:
    template <typename T>
    T* Find(const char* name) const
    {
        return app->data()->findChild<T*>(QLatin1String(name));
    }

    QStringList Shown(const char* name) const
    {
        QStringList texts;
        const QAbstractItemModel* m = Find<QAbstractItemView>(name)->model();
        for (int r = 0; r < m->rowCount(); ++r) texts << m->index(r, 0).data().toString();
        return texts;
    }

private slots:
    void init()
    {
        SetUpApp();
        MarkSettingsSaved();
        AData tom;
        tom.Name = "Tom & Jerry";
        tom.Surname = "Cat";
        tom.Tele1 = "555";
        tom.Email1 = "tom&jerry@example.org";
        tom.Day = 28;
        tom.Month = 2;
        tom.Year = 1990;
        BuildDateText(tom);
        WriteAddresses({tom});
    }

    void cleanup() { TearDownApp(); }

    // A post is searched at once, the phone book waits for "Update"; the
    // mail link goes to the desktop percent-encoded.
    void aPostIsSearchedAtOnceWhileThePhoneBookWaitsForUpdate()
    {
        Start();
        QUrl opened;
        app->data()->setUrlOpener([&](const QUrl& url) { opened = url; });
        app->data()->SendEmail(0);
        QCOMPARE(opened.toEncoded(), QByteArray("mailto:tom%26jerry@example.org"));
        QCOMPARE(Shown("StringGrid1"), QStringList{"Tom & Jerry Cat"});
        QTest::mouseClick(Find<QPushButton>("DataInsert"), Qt::LeftButton);
        Find<QLineEdit>("DataEdit1")->setText(QStringLiteral("Ann"));
        Find<QLineEdit>("DataEdit2")->setText(QStringLiteral("Lee"));
        Find<QLineEdit>("DataEdit9")->setText(QStringLiteral("123"));
        QTest::mouseClick(Find<QPushButton>("DataPost"), Qt::LeftButton);
        QCOMPARE(Shown("ResultListBox"), (QStringList{"Ann Lee", "Tom & Jerry Cat"}));
        QCOMPARE(Shown("StringGrid1"), QStringList{"Tom & Jerry Cat"});
        app->Update();
        QCOMPARE(Shown("StringGrid1"), (QStringList{"Ann Lee", "Tom & Jerry Cat"}));
    }

    // The phone book is put in order beside the window: opened before that
    // is done, the grid lays out everyone with a number, in name order.
    void thePhoneBookOpenedAtOnceAfterStartIsComplete()
    {
        std::vector<AData> people;
        for (const auto& [name, phone] : {std::pair{"Zoe", "1"}, {"Adam", ""}, {"bea", "2"}, {"Ann", "3"}}) {
            people.push_back(Person(name, "Lee"));
            people.back().Tele1 = phone;
        }
        QVERIFY(QFile::remove(data + QStringLiteral("data.orv")));  // instead of Tom's
        WriteAddresses(people);
        Start();
        app->data()->ShowView(ViewItem::PhoneBook);
        auto* grid = Find<QTableView>("StringGrid1");
        QCOMPARE(grid->verticalHeader()->count(), 3);  // what the grid itself was told
        QCOMPARE(Shown("StringGrid1"), (QStringList{"Ann Lee", "bea Lee", "Zoe Lee"}));
    }
};

QTEST_MAIN(AddressBookInProgramTest)
#include "addressbook_test.moc"
