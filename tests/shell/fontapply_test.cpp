// The chosen font reaches the controls of its scopes only.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "shell/fontapply.h"

using namespace orv;

class FontApplyTest : public QObject {
    Q_OBJECT
private slots:
    void theScopesDecideWhichControlsTakeTheFont_data()
    {
        QTest::addColumn<bool>("use");
        QTest::addColumn<bool>("edits");
        QTest::addColumn<bool>("orv2");
        QTest::addColumn<bool>("editChanged");
        QTest::addColumn<bool>("labelChanged");
        QTest::newRow("switched off, whatever the scopes") << false << true << true << false << false;
        QTest::newRow("edit elements only") << true << true << false << true << false;
        QTest::newRow("ORV 2 elements only") << true << false << true << false << true;
    }
    void theScopesDecideWhichControlsTakeTheFont()
    {
        QFETCH(bool, use);
        QFETCH(bool, edits);
        QFETCH(bool, orv2);
        QFETCH(bool, editChanged);
        QFETCH(bool, labelChanged);
        QWidget window;
        auto* edit = new QLineEdit(&window);
        auto* label = new QLabel(QStringLiteral("Events"), &window);
        auto* box = new QCheckBox(QStringLiteral("New user"), &window);
        auto* today = new QLabel(QStringLiteral("Today"), &window);
        today->setProperty("tag", 399);  // keeps its own small font
        auto* hidden = new QLabel(QStringLiteral("Weekly"), &window);
        hidden->setProperty("tag", 398);  // a hidden sidebar item keeps its height of zero
        hidden->setFixedHeight(0);
        const QFont before = edit->font();
        Settings s;
        s.CB27 = use;
        s.CB28 = edits;
        s.CB29 = orv2;
        s.FontName = "DejaVu Serif";
        s.FontSize = 17;
        ApplyChosenFont(&window, s);
        QCOMPARE(edit->font().pointSize() == 17, editChanged);
        QCOMPARE(label->font().pointSize() == 17, labelChanged);
        QCOMPARE(box->font().pointSize() == 17, labelChanged);
        QCOMPARE(today->font().pointSize(), before.pointSize());
        QCOMPARE(hidden->height(), 0);
    }
};

QTEST_MAIN(FontApplyTest)
#include "fontapply_test.moc"
