// The advanced page and its dialog: the three choices mapped onto the stored
// fields and back, the record navigator, what Delete and Store refuse, and
// what reaches adv.orv.
#include <QComboBox>
#include <QLineEdit>

#include "eventviewtest.h"
#include "views/events/advancedview.h"
#include "views/events/tnewadv.h"
#include "testclass.h"

namespace orv::test {

class AdvancedViewTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PageFixture<AdvancedView>> p;

    AdvancedView& Page() { return *p->page; }
    const std::vector<AAdv>& List() { return p->fx.session->records().advanced(); }
    QComboBox* Box(const char* name) { return p->Find<QComboBox>(name); }
    QLineEdit* Hint() { return p->Find<QLineEdit>("Edit3"); }
    QString Shown() { return Box("ComboBox4")->currentText() + '/' + Box("ComboBox5")->currentText() + '/' + Box("ComboBox6")->currentText() + '/' + Hint()->text(); }
    void Choose(const QString& number, const QString& day, const QString& month)
    {
        Box("ComboBox4")->setCurrentText(number);
        Box("ComboBox5")->setCurrentText(day);
        Box("ComboBox6")->setCurrentText(month);
    }

private slots:
    void init() { p = std::make_unique<PageFixture<AdvancedView>>(); }
    void cleanup() { p.reset(); }

    // The last Friday of December, and the 5th Monday of the second month
    // spelled as the files have always spelled it.
    void theChoicesMapOntoTheStoredFields()
    {
        const struct {
            QString number, day, month;
            QByteArray stored;
        } choices[] = {
            {"Last", "Friday", "December", "<UPDOWN>True\r\n<DOWN>1\r\n<DAY>Friday\r\n<MONTH>December\r\n"},
            {"5th", "Monday", "Febuary", "<UPDOWN>False\r\n<DOWN>5\r\n<DAY>Monday\r\n<MONTH>Febuary\r\n"}};
        for (const auto& c : choices) {
            Choose(c.number, c.day, c.month);
            Hint()->setText(QStringLiteral("Party"));
            p->Click("AdvPost");
            QVERIFY2(p->File("adv.orv").contains(c.stored + "<HINT>Party\r\n"), p->File("adv.orv").constData());
            // Shown again, the record selects the same three items.
            Page().ShowCurrent();
            QCOMPARE(Shown(), c.number + '/' + c.day + '/' + c.month + QStringLiteral("/Party"));
        }
    }

    void theNavigatorStepsWithinTheListAndGotoShowsARecord()
    {
        p->fx.session->records().editAdvanced().push_back(Advanced("Club", true, 2, "November", "Sunday"));
        Page().SetupPopupMenu();
        p->Click("AdvPrior");
        p->Click("AdvNext");
        p->Click("AdvNext");
        QCOMPARE(Shown(), QStringLiteral("2nd to last/Sunday/November/Club"));
        p->Find<QAbstractButton>("T22")->findChild<QMenu*>()->actions().at(0)->trigger();
        QCOMPARE(Shown(), QStringLiteral("2nd/Wednesday/March/Second Wednesday"));
    }

    // An older file's hint keeps its bytes until it is edited; Delete takes
    // only the record as shown, and after the last one the new last is shown.
    void deleteTakesOnlyTheRecordAsShownAndAnOlderHintKeepsItsBytes()
    {
        // "Café" as an older file stores it, in Windows-1252.
        p->fx.session->records().editAdvanced().push_back(Advanced("Caf\xe9", true, 2, "November", "Sunday"));
        p->Click("AdvNext");
        QCOMPARE(Hint()->text(), QStringLiteral("Caf\u00e9"));
        Box("ComboBox6")->setCurrentText(QStringLiteral("May"));
        p->Click("AdvPost");
        QCOMPARE(List()[1].Hint, std::string("Caf\xe9"));
        Hint()->setText(QStringLiteral("Caf\u00e9 edited"));
        p->Click("AdvDelete");
        QCOMPARE(List().size(), std::size_t(2));
        Page().ShowCurrent();
        p->Click("AdvDelete");  // shown as it is stored, it may be deleted
        QCOMPARE(List().size(), std::size_t(1));
        p->Click("AdvDelete");
        QCOMPARE(p->File("adv.orv"), QByteArray("<BEGIN:ADV:FILE:VERSION>3.0\r\n<END:FILE>\r\n"));
    }

    // An older file's month spelled otherwise shows no choice, and Store
    // refuses a page without all three; Insert appends an empty record and
    // writes it, the save giving it its identity in memory and in the file.
    void storeRefusesAPageWithoutAllThreeChoicesAndInsertWritesAnEmptyRecord()
    {
        p->fx.session->records().editAdvanced()[0].Month = "February";
        Page().ShowCurrent();
        QCOMPARE(Box("ComboBox6")->currentIndex(), -1);
        QCOMPARE(Box("ComboBox5")->currentText(), QStringLiteral("Wednesday"));
        p->Click("AdvPost");
        QCOMPARE(p->fake.messages.size(), 1);
        QVERIFY(p->File("adv.orv").isEmpty());

        p->Click("AdvInsert");
        QCOMPARE(Shown(), QStringLiteral("///"));
        const QByteArray uid = QByteArray::fromStdString(List()[1].Uid);
        QVERIFY(!uid.isEmpty());
        QVERIFY(p->File("adv.orv").endsWith("<BEGIN>\r\n<UPDOWN>False\r\n<DOWN>0\r\n<DAY>\r\n<MONTH>\r\n<HINT>\r\n<UID>" + uid +
                                            "\r\n<END>\r\n<END:FILE>\r\n"));
    }

    void theDialogIsReadyOnlyWithAllFourAndStaysOpen()
    {
        TNewAdv dialog(*p->fx.session, Page());
        dialog.Prepare();
        dialog.show();
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OkButton"));
        dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("Easter fair"));
        dialog.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentText(QStringLiteral("1st"));
        dialog.findChild<QComboBox*>(QStringLiteral("ComboBox3"))->setCurrentText(QStringLiteral("Sunday"));
        QVERIFY(!ok->isEnabled());
        dialog.findChild<QComboBox*>(QStringLiteral("ComboBox2"))->setCurrentText(QStringLiteral("April"));
        QVERIFY(ok->isEnabled());
        ok->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(Shown(), QStringLiteral("1st/Sunday/April/Easter fair"));
        QVERIFY(p->File("adv.orv").contains("<HINT>Easter fair"));
    }
};

ORV_TEST_CLASS(AdvancedViewTest);

}  // namespace orv::test

#include "advancedview_test.moc"
