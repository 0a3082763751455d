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
    // desktop, a blank percent-encoded; which keys and buttons press a link is
    // the link's own test.
    void linksGoToTheDesktop()
    {
        box_->ShowHelpPage(THelpBox::PageOrv);
        box_->findChild<QAction*>(QStringLiteral("Bugreport1"))->trigger();
        AboutPanel about;
        about.SetUrlOpener([this](const QUrl& url) { opened_.append(url); });
        about.resize(500, 400);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QTest::mouseClick(about.findChild<orv::LabelButton*>(QStringLiteral("MailLabel")), Qt::LeftButton);
        const QString mail = QStringLiteral("mailto:") + orv::kSupportAddress;
        QCOMPARE(opened_.size(), 2);
        QCOMPARE(QString::fromLatin1(opened_[0].toEncoded()), mail + QStringLiteral("?subject=Bug%20report"));
        QCOMPARE(QString::fromLatin1(opened_[1].toEncoded()), mail);  // no subject
    }
};

QTEST_MAIN(HelpBoxTest)
#include "thelpbox_test.moc"
