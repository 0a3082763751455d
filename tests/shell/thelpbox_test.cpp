// The help window and the about panel, used as the user uses them: choosing
// pages, clicking menus and links.
#include <QComboBox>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <memory>

#include "shell/aboutpanel.h"
#include "shell/thelpbox.h"
#include "shell/maker.h"
#include "views/common/labelbutton.h"

using orv::AboutPanel;
using orv::THelpBox;

namespace {

QString SupportMail(const char* query) { return QStringLiteral("mailto:") + orv::kSupportAddress + query; }

// Lower case without blanks, so that the title "Read me" names the subject "readme".
QString Folded(QString text) { return text.remove(QLatin1Char(' ')).toLower(); }

}  // namespace

class HelpBoxTest : public QObject {
    Q_OBJECT

private:
    QComboBox* chooser() const { return box_->findChild<QComboBox*>(QStringLiteral("ComboBox1")); }
    QTextBrowser* page() const { return box_->findChild<QTextBrowser*>(QStringLiteral("RichEdit1")); }

    std::unique_ptr<THelpBox> box_;
    QList<QUrl> opened_;

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        box_ = std::make_unique<THelpBox>();
        opened_.clear();
        box_->SetUrlOpener([this](const QUrl& url) { opened_.append(url); });
    }
    void cleanup() { box_.reset(); }

    void everyPageLoadsWithItsTitle_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<int>("index");
        for (int i = 0; i < THelpBox::PageCount; ++i) QTest::newRow(qPrintable(THelpBox::Subject(i))) << i << i;
        // A page outside the table shows the ORV page.
        QTest::newRow("before the first") << -1 << int(THelpBox::PageOrv);
        QTest::newRow("after the last") << int(THelpBox::PageCount) << int(THelpBox::PageOrv);
    }

    void everyPageLoadsWithItsTitle()
    {
        QFETCH(int, asked);
        QFETCH(int, index);
        box_->ShowHelpPage(THelpBox::PageMenu);
        box_->ShowHelpPage(asked);

        QVERIFY(box_->isVisible());
        QCOMPARE(chooser()->currentIndex(), index);
        const QTextBlock title = page()->document()->firstBlock();
        QVERIFY2(Folded(title.text()).contains(Folded(chooser()->itemText(index))),
                 qPrintable("title line: " + title.text()));
        QVERIFY(page()->toPlainText().size() > 300);

        QCOMPARE(page()->textCursor().position(), 0);
        // A screen reader names the text, not just "text".
        QCOMPARE(page()->accessibleName(), QStringLiteral("Help text"));
    }

    // The maker menu and the About panel's links hand their link to the
    // desktop; which keys and buttons press a link is the link's own test.
    void linksGoToTheDesktop_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("link");
        QTest::newRow("menu, bug report, blank percent-encoded") << "Bugreport1" << SupportMail("?subject=Bug%20report");
        QTest::newRow("about, mail without a subject") << "MailLabel" << SupportMail("");
    }
    void linksGoToTheDesktop()
    {
        QFETCH(QString, source);
        QFETCH(QString, link);
        AboutPanel about;
        about.SetUrlOpener([this](const QUrl& url) { opened_.append(url); });
        auto* label = about.findChild<orv::LabelButton*>(source);
        if (label) {
            about.resize(500, 400);
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            QTest::mouseClick(label, Qt::LeftButton);
        } else {
            box_->ShowHelpPage(THelpBox::PageOrv);
            box_->findChild<QAction*>(source)->trigger();
            QVERIFY(box_->isVisible());
        }
        QCOMPARE(opened_.size(), 1);
        QCOMPARE(QString::fromLatin1(opened_.first().toEncoded()), link);
    }
};

QTEST_MAIN(HelpBoxTest)
#include "thelpbox_test.moc"
