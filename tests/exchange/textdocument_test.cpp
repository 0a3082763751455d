// The letter area's document through a rich-text file and back: what the
// letter window shows after opening is what it saved.
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "exchange/letters/rtf.h"
#include "exchange/letters/textdocument.h"

using namespace orv;

class TextDocumentTest : public QObject {
    Q_OBJECT

private slots:
    void everyFormatOfTheLetterAreaSurvivesARichTextFile()
    {
        QTextDocument doc;
        doc.setDefaultFont(QFont("DejaVu Sans", 11));
        QTextCursor cursor(&doc);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        cursor.setBlockFormat(centred);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText("Dear {fn} {sn},", bold);

        QTextBlockFormat right;
        right.setAlignment(Qt::AlignRight);
        cursor.insertBlock(right);
        QTextCharFormat styled;
        styled.setFontItalic(true);
        styled.setFontUnderline(true);
        styled.setFontStrikeOut(true);
        styled.setForeground(QColor(201, 33, 30));
        styled.setFontFamilies({"DejaVu Serif"});
        styled.setFontPointSize(14.5);
        cursor.insertText(QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC"), styled);
        cursor.insertText(QString(QChar::LineSeparator) + "\tplain", QTextCharFormat());
        cursor.insertBlock(QTextBlockFormat());

        // A run without a font of its own takes the editor's default font.
        const RichDocument saved = FromTextDocument(doc);
        QCOMPARE(saved.paragraphs.size(), std::size_t(3));
        QCOMPARE(saved.paragraphs[0].runs[0].format.font, std::string("DejaVu Sans"));

        const RtfReadResult read = ReadRtf(WriteRtf(saved));
        QVERIFY(read.ok);
        QTextDocument opened;
        ToTextDocument(read.document, opened);
        QCOMPARE(opened.blockCount(), 3);
        QVERIFY(FromTextDocument(opened) == saved);

        const QTextBlock second = opened.begin().next();
        QCOMPARE(second.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        const QTextCharFormat f = second.begin().fragment().charFormat();
        QVERIFY(f.fontItalic() && f.fontUnderline() && f.fontStrikeOut());
        QCOMPARE(f.foreground().color(), QColor(201, 33, 30));
        QCOMPARE(f.fontPointSize(), 14.5);
        QCOMPARE(second.text(), QString::fromUtf8("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC") + QChar::LineSeparator + "\tplain");
    }
};

QTEST_MAIN(TextDocumentTest)
#include "textdocument_test.moc"
