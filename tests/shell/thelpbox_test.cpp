// The help window and the about panel, used as the user uses them: choosing
// pages, clicking menus and links.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
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

bool IsBoldThroughout(const QTextBlock& block)
{
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().fontWeight() < QFont::Bold) return false;
    }
    return true;
}

}  // namespace

class HelpBoxTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void everyPageLoadsWithItsTitleInBold_data();
    void everyPageLoadsWithItsTitleInBold();
    void pageOutsideTheTableShowsTheOrvPage();
    void choosingThePageShownAgainReloadsItFromTheTop();
    void makerMenuHandsTheRightLinkToTheDesktop_data();
    void makerMenuHandsTheRightLinkToTheDesktop();

    void aboutPanelLinksHandTheirLinkToTheDesktop_data();
    void aboutPanelLinksHandTheirLinkToTheDesktop();

private:
    QComboBox* chooser() const { return box_->findChild<QComboBox*>(QStringLiteral("ComboBox1")); }
    QTextBrowser* page() const { return box_->findChild<QTextBrowser*>(QStringLiteral("RichEdit1")); }
    QString titleLine() const { return page()->document()->firstBlock().text(); }
    void clickMenuItem(const QString& menuName, const QString& actionName);

    std::unique_ptr<THelpBox> box_;
    QList<QUrl> opened_;
};

void HelpBoxTest::initTestCase() { QStandardPaths::setTestModeEnabled(true); }

void HelpBoxTest::init()
{
    box_ = std::make_unique<THelpBox>();
    opened_.clear();
    box_->SetUrlOpener([this](const QUrl& url) { opened_.append(url); });
}

void HelpBoxTest::cleanup() { box_.reset(); }

void HelpBoxTest::clickMenuItem(const QString& menuName, const QString& actionName)
{
    auto* menu = box_->findChild<QMenu*>(menuName);
    QVERIFY(menu);
    QMenuBar* bar = box_->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    QVERIFY(menu->isVisible());
    auto* action = menu->findChild<QAction*>(actionName);
    if (!action) {
        for (QAction* candidate : menu->actions()) {
            if (candidate->objectName() == actionName) action = candidate;
        }
    }
    QVERIFY(action);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
}

void HelpBoxTest::everyPageLoadsWithItsTitleInBold_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < THelpBox::PageCount; ++i) QTest::newRow(qPrintable(THelpBox::Subject(i))) << i;
}

void HelpBoxTest::everyPageLoadsWithItsTitleInBold()
{
    QFETCH(int, index);
    box_->ShowHelpPage(index);

    QVERIFY(box_->isVisible());
    QCOMPARE(chooser()->currentIndex(), index);
    const QTextBlock title = page()->document()->firstBlock();
    QVERIFY2(!title.text().trimmed().isEmpty(), "the page starts with its title line");
    QVERIFY2(Folded(title.text()).contains(Folded(chooser()->itemText(index))),
             qPrintable("title line: " + title.text()));
    QVERIFY(IsBoldThroughout(title));
    // The pages set no bold of their own on the title; the body after it stays plain.
    const QTextBlock body = title.next();
    QVERIFY(body.isValid());
    QVERIFY(body.begin().fragment().charFormat().fontWeight() < QFont::Bold);
    QVERIFY(page()->toPlainText().size() > 300);

    QCOMPARE(page()->textCursor().position(), 0);
    QVERIFY(page()->isReadOnly());
    // A screen reader names the text, not just "text".
    QCOMPARE(page()->accessibleName(), QStringLiteral("Help text"));
}

void HelpBoxTest::pageOutsideTheTableShowsTheOrvPage()
{
    for (const int index : {-1, int(THelpBox::PageCount)}) {
        box_->ShowHelpPage(THelpBox::PageMenu);
        box_->ShowHelpPage(index);
        QCOMPARE(chooser()->currentIndex(), int(THelpBox::PageOrv));
        QVERIFY(titleLine().startsWith(QStringLiteral("ORV")));
    }
}

void HelpBoxTest::choosingThePageShownAgainReloadsItFromTheTop()
{
    box_->resize(400, 300);
    box_->ShowHelpPage(THelpBox::PageOrv);
    QVERIFY(QTest::qWaitForWindowExposed(box_.get()));

    // Leave the page changed, scrolled down and with a selection.
    QTextCursor cursor(page()->document());
    cursor.insertText(QStringLiteral("SCRIBBLE "));
    cursor.setPosition(400);
    cursor.setPosition(500, QTextCursor::KeepAnchor);
    page()->setTextCursor(cursor);
    QScrollBar* scroll = page()->verticalScrollBar();
    QVERIFY(scroll->maximum() > 0);
    scroll->setValue(scroll->maximum());

    chooser()->showPopup();
    QAbstractItemView* list = chooser()->view();
    QCOMPARE(list->currentIndex().row(), int(THelpBox::PageOrv));
    QTest::keyClick(list, Qt::Key_Return);

    QCOMPARE(chooser()->currentIndex(), int(THelpBox::PageOrv));
    QVERIFY(!page()->toPlainText().contains(QStringLiteral("SCRIBBLE")));
    QCOMPARE(page()->textCursor().position(), 0);
    QVERIFY(!page()->textCursor().hasSelection());
    QCOMPARE(scroll->value(), 0);
    QVERIFY(IsBoldThroughout(page()->document()->firstBlock()));
}

void HelpBoxTest::makerMenuHandsTheRightLinkToTheDesktop_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("link");
    QTest::newRow("web page") << "Homepage1" << QString::fromLatin1(orv::kMakerWebPage);
    QTest::newRow("bug report, blank percent-encoded") << "Bugreport1" << SupportMail("?subject=Bug%20report");
}

void HelpBoxTest::makerMenuHandsTheRightLinkToTheDesktop()
{
    QFETCH(QString, action);
    QFETCH(QString, link);
    box_->ShowHelpPage(THelpBox::PageOrv);
    QVERIFY(QTest::qWaitForWindowExposed(box_.get()));

    clickMenuItem(QStringLiteral("Maker1"), action);

    QCOMPARE(opened_.size(), 1);
    QCOMPARE(QString::fromLatin1(opened_.first().toEncoded()), link);
    QVERIFY(box_->isVisible());
}

void HelpBoxTest::aboutPanelLinksHandTheirLinkToTheDesktop_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("link");
    QTest::newRow("web page") << "WebPageLabel" << QString::fromLatin1(orv::kMakerWebPage);
    QTest::newRow("mail without a subject") << "MailLabel" << SupportMail("");
}

void HelpBoxTest::aboutPanelLinksHandTheirLinkToTheDesktop()
{
    QFETCH(QString, label);
    QFETCH(QString, link);
    AboutPanel about;
    QList<QUrl> opened;
    about.SetUrlOpener([&](const QUrl& url) { opened.append(url); });
    about.resize(500, 400);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));

    auto* target = about.findChild<orv::LabelButton*>(label);
    QVERIFY(target);
    QTest::mouseClick(target, Qt::RightButton);
    QVERIFY(opened.isEmpty());
    QTest::mouseClick(target, Qt::LeftButton);
    target->setFocus();
    QTest::keyClick(target, Qt::Key_Return);

    QCOMPARE(opened.size(), 2);
    QCOMPARE(QString::fromLatin1(opened.first().toEncoded()), link);
}

QTEST_MAIN(HelpBoxTest)
#include "thelpbox_test.moc"
