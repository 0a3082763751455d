// The letter writer by its controls: letters saved and opened again in each
// file type, the questions before a file or a changed letter is replaced, the
// example view over the data list, printing one letter per person to a PDF
// file, the merge-field menu and the format buttons.
#include <QLabel>
#include <QMenu>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

#include "windowfixture.h"
#include "pdftext.h"
#include "exchange/letters/rtf.h"
#include "viewfixture.h"
#include "views/documents/tletter.h"
#include "views/common/longwork.h"
#include "testclass.h"

namespace orv::test {

class LetterWriterTest : public QObject, WindowFixture<TLetter> {
    Q_OBJECT

private:
    std::vector<LetterRow> rows;

    QToolButton* Button(const char* name) const { return window->findChild<QToolButton*>(QLatin1String(name)); }
    QAction* Item(const char* name) const { return window->findChild<QAction*>(QLatin1String(name)); }
    QString Panel(int n) const { return window->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(n))->text(); }
    QTextEdit* Letter() const { return window->letter(); }

    // "Dear {fn} {sn}," as a bold, centred first line, then a plain one.
    void TypeLetter()
    {
        QTextCursor c = Letter()->textCursor();
        c.insertText(QStringLiteral("Dear {fn} {sn},\nGrüße aus Köln"));
        c.movePosition(QTextCursor::Start);
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        Letter()->setTextCursor(c);
        QTest::mouseClick(Button("ToolButton13"), Qt::LeftButton);
        QTest::mouseClick(Button("ToolButton17"), Qt::LeftButton);
    }

    static LetterRow Row(const char* first, const char* last)
    {
        LetterRow r;
        r[LetterColumn::FirstName] = first;
        r[LetterColumn::Surname] = last;
        return r;
    }

private slots:
    void init()
    {
        Open();
        rows = {Row("Ann", "Lee"), Row("Bob", "Berg"), Row("Cid", "Moe")};
        window = std::make_unique<TLetter>(*fx->session);
        window->setDialogs(fake.dialogs());
        window->setRows([this]() -> const std::vector<LetterRow>& { return rows; });
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() { Close(); }

    void aSavedLetterOpensAgainInItsType_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<bool>("formatKept");
        QTest::addColumn<int>("savedType");
        QTest::newRow("rich text") << 0 << "letter.RTF" << QByteArray("{\\rtf1") << true << 1;
        QTest::newRow("text") << 1 << "letter.TXT" << QByteArray("Dear {fn} {sn},\r\nGr\xC3\xBC\xC3\x9F" "e aus K\xC3\xB6ln\r\n") << false << 2;
        QTest::newRow("all files: text without an extension") << 2 << "letter" << QByteArray("Dear {fn}") << false << 3;
        QTest::newRow("all files named .rtf: rich text") << 2 << "letter.rtf" << QByteArray("{\\rtf1") << true << 1;
    }

    void aSavedLetterOpensAgainInItsType()
    {
        QFETCH(int, type);
        QFETCH(QString, file);
        QFETCH(QByteArray, start);
        QFETCH(bool, formatKept);
        QFETCH(int, savedType);
        TypeLetter();
        fake.type = type;
        fake.files << fx->dir.filePath(file);
        QCOMPARE(Panel(1), QStringLiteral("Modified"));
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);  // Save without a file is Save As
        QVERIFY(Read(fx->dir.filePath(file)).startsWith(start));
        QCOMPARE(window->fileType(), savedType);
        QCOMPARE(Panel(1), QString());

        Item("New1")->trigger();
        fake.files << fx->dir.filePath(file);
        Item("Open1")->trigger();
        QCOMPARE(Letter()->toPlainText(), QStringLiteral("Dear {fn} {sn},\nGrüße aus Köln"));
        QCOMPARE(window->fileType(), formatKept ? 1 : 2);
        const QTextBlock first = Letter()->document()->firstBlock();
        QCOMPARE(first.begin().fragment().charFormat().fontWeight() >= QFont::Bold, formatKept);
        QCOMPARE(bool(first.blockFormat().alignment() & Qt::AlignHCenter), formatKept);

        // "Save" writes to the same file at once, without a question.
        Letter()->textCursor().insertText(QStringLiteral("P.S. "));
        Item("Save1")->trigger();
        QVERIFY(fake.questions.isEmpty());
        QVERIFY(Read(fx->dir.filePath(file)).contains("P.S. "));
    }

    // An office letter with a header, a footer, a picture and a table: "Save"
    // over it warns, and offers a new file instead.
    void savingOverALetterThatHeldMoreWarnsFirst_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("originalKept");
        QTest::addColumn<QString>("savedTo");  // empty: nothing written
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << true << QString();
        QTest::newRow("save as a new file") << int(QMessageBox::Yes) << true << "new.rtf";
        QTest::newRow("save over it") << int(QMessageBox::No) << false << "office.rtf";
    }
    void savingOverALetterThatHeldMoreWarnsFirst()
    {
        QFETCH(int, answer);
        QFETCH(bool, originalKept);
        QFETCH(QString, savedTo);
        const QByteArray original = Read(QStringLiteral(ORV_EXCHANGE_TEST_DATA "/letter-parts.rtf"));
        fake.files << WriteFile("office.rtf", original);
        Item("Open1")->trigger();
        QCOMPARE(Letter()->toPlainText().section(QLatin1Char('\n'), 0, 0), QStringLiteral("Dear {fn} {sn},"));
        fake.answers << static_cast<QMessageBox::StandardButton>(answer);
        fake.files << Path("new.rtf");
        Item("Save1")->trigger();
        QCOMPARE(fake.questions.size(), 1);
        QVERIFY2(fake.questions[0].startsWith(QStringLiteral("office.rtf holds headers and footers, pictures and tables, "
                                                             "which the letter cannot keep.")),
                 qPrintable(fake.questions[0]));
        QCOMPARE(Read(Path("office.rtf")) == original, originalKept);
        if (savedTo.isEmpty()) {
            QVERIFY(!QFile::exists(Path("new.rtf")));
            return;
        }
        const QByteArray saved = Read(Path(savedTo.toLatin1().constData()));
        const RtfReadResult back = ReadRtf(std::string_view(saved.constData(), static_cast<std::size_t>(saved.size())));
        QVERIFY(back.ok && back.dropped.empty());
        QVERIFY(back.document.PlainText().starts_with("Dear {fn} {sn},"));
        // The file written holds only the letter: saving again asks nothing.
        Item("Save1")->trigger();
        QCOMPARE(fake.questions.size(), 1);
    }

    // A changed letter is asked about before Open and Close: "Yes" saves it
    // first, and Cancel, in the question or in the save dialog, keeps it.
    void aChangedLetterIsAskedAboutBeforeOpenAndClose_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("goesOn");
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false;
        QTest::newRow("no") << int(QMessageBox::No) << true;
        QTest::newRow("yes, the save dialog cancelled") << int(QMessageBox::Yes) << false;
        QTest::newRow("yes") << int(QMessageBox::Yes) << true;
    }

    void aChangedLetterIsAskedAboutBeforeOpenAndClose()
    {
        QFETCH(int, answer);
        QFETCH(bool, goesOn);
        const bool saves = answer == QMessageBox::Yes && goesOn;
        Write(Path("other.TXT"), "Other letter\r\n");
        TypeLetter();
        fake.answers << QMessageBox::StandardButton(answer);
        if (saves) fake.files << Path("kept.RTF");
        if (answer != QMessageBox::Yes || goesOn) fake.files << Path("other.TXT");  // else the save dialog is cancelled
        Item("Open1")->trigger();
        QCOMPARE(fake.questions, QStringList{"Save changes?"});
        QCOMPARE(Letter()->toPlainText().startsWith(QStringLiteral("Other letter")), goesOn);
        QCOMPARE(Read(Path("kept.RTF")).startsWith("{\\rtf1"), saves);

        Letter()->textCursor().insertText(QStringLiteral("x"));
        fake.answers << QMessageBox::StandardButton(answer);
        if (saves) fake.files << Path("closed.RTF");
        window->close();
        QCOMPARE(fake.questions.size(), 2);
        QCOMPARE(window->isVisible(), !goesOn);
        QCOMPARE(Read(Path("closed.RTF")).startsWith("{\\rtf1"), saves);
    }

    // Rich text with unbalanced braces: what the reader says of it is its own.
    void aFileThatIsNoLetterLeavesTheLetterAsItWas()
    {
        Letter()->setPlainText(QStringLiteral("mine"));
        Letter()->document()->setModified(false);
        fake.files << WriteFile("broken.RTF", "{\\rtf1\\ansi {\\b bold}");
        Item("Open1")->trigger();
        QCOMPARE(fake.messages.size(), 1);
        QVERIFY(fake.messages[0].contains(QStringLiteral("broken.RTF")));
        QCOMPARE(Letter()->toPlainText(), QStringLiteral("mine"));
        QVERIFY(!window->hasFile());
    }

    // The example shows each person's merge (its rules are the merge's own,
    // tested with it) and locks the letter while it is shown.
    void theExampleViewStepsThroughTheDataList()
    {
        Letter()->setPlainText(QStringLiteral("Dear {fn} {sn}, {em}"));
        rows[0][LetterColumn::Email1] = "ann@example.org";
        QTest::mouseClick(Button("ToolButton4"), Qt::LeftButton);
        QCOMPARE(window->example()->toPlainText(), QStringLiteral("Dear Ann Lee, ann@example.org"));
        QCOMPARE(Panel(0), QStringLiteral("Example 1/3"));
        for (const char* name : {"ToolButton11", "ToolButton12", "ToolButton1", "ToolButton2", "ToolButton13", "ToolButton18"})
            QVERIFY2(!Button(name)->isEnabled(), name);
        QVERIFY(!window->findChild<QMenu*>(QStringLiteral("File1"))->menuAction()->isEnabled());

        QTest::mouseClick(Button("ToolButton6"), Qt::LeftButton);
        QCOMPARE(window->example()->toPlainText(), QStringLiteral("Dear Bob Berg, "));
        QTest::mouseClick(Button("ToolButton6"), Qt::LeftButton);
        QVERIFY(!Button("ToolButton6")->isEnabled());

        // "Save example" writes the example shown and leaves the letter's file alone.
        fake.type = 1;
        fake.files << Path("example.TXT");
        QTest::mouseClick(Button("ToolButton3"), Qt::LeftButton);
        QCOMPARE(Read(Path("example.TXT")), QByteArray("Dear Cid Moe, \r\n"));
        QVERIFY(!window->hasFile());

        // A list that shrank meanwhile is seen by the next step.
        rows.resize(2);
        QTest::mouseClick(Button("ToolButton5"), Qt::LeftButton);
        QCOMPARE(Panel(0), QStringLiteral("Example 1/2"));
        QTest::mouseClick(Button("ToolButton4"), Qt::LeftButton);
        QCOMPARE(Panel(0), QStringLiteral("Basic letter"));
        QVERIFY(Button("ToolButton11")->isEnabled());
    }

    // "Print Letter" gives one letter per person, "Print Text" the letter as
    // it stands, codes and all. A cancelled job leaves the PDF file as it
    // was, without a temporary beside it; a whole job replaces it.
    void printingGivesOneLetterPerPerson_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("persons");
        QTest::addColumn<QStringList>("firstLines");
        QTest::newRow("three persons") << "ToolButton1" << 3
                                       << QStringList{"Dear Ann Lee,", "Dear Bob Berg,", "Dear Cid Moe,"};
        QTest::newRow("an empty list: one letter with empty fields") << "PrintLetter1" << 0 << QStringList{"Dear ,"};
        QTest::newRow("Print Text") << "PrintText1" << 3 << QStringList{"Dear {fn} {sn},"};
    }

    void printingGivesOneLetterPerPerson()
    {
        QFETCH(QString, command);
        QFETCH(int, persons);
        QFETCH(QStringList, firstLines);
        if (!HavePdfTools()) QFAIL("pdftotext (poppler-utils) is needed");
        rows.resize(static_cast<std::size_t>(persons));
        TypeLetter();
        fake.pdf = Path("letters.pdf");
        Write(fake.pdf, "as it was");
        const auto print = [&] {
            if (auto* button = Button(qPrintable(command)))
                QTest::mouseClick(button, Qt::LeftButton);
            else
                Item(qPrintable(command))->trigger();
        };
        QTimer::singleShot(0, [] { CancelLongWork(); });
        print();
        QCOMPARE(fake.messages, QStringList{});
        QCOMPARE(Read(fake.pdf), QByteArray("as it was"));
        QCOMPARE(QDir(fx->dir.path()).entryList(QDir::Files), QStringList{"letters.pdf"});
        print();
        const QList<QStringList> pages = PdfPages(fake.pdf);
        QCOMPARE(pages.size(), firstLines.size());
        for (int i = 0; i < pages.size(); ++i) {
            QCOMPARE(pages[i].value(0), firstLines[i]);
            QCOMPARE(pages[i].value(1), QStringLiteral("Grüße aus Köln"));
        }
        QCOMPARE(QDir(fx->dir.path()).entryList(QDir::Files), QStringList{"letters.pdf"});
    }

    void theInsertMenuPutsCodesAtTheCursor()
    {
        Item("NameandAddress1")->trigger();
        QCOMPARE(Letter()->toPlainText(), QStringLiteral("{fn} {sn}\n{ad}\n{ci}\n"));
        QTextCursor c = Letter()->textCursor();
        c.setPosition(0);
        c.setPosition(4, QTextCursor::KeepAnchor);  // "{fn}"
        Letter()->setTextCursor(c);
        Item("Emailaddress1")->trigger();
        QVERIFY(Letter()->toPlainText().startsWith(QStringLiteral("{em} {sn}")));
        QTest::mouseClick(Button("ToolButton2"), Qt::LeftButton);  // "Insert First Name"
        QVERIFY(Letter()->toPlainText().startsWith(QStringLiteral("{em}{fn} {sn}")));
    }
};

ORV_TEST_CLASS(LetterWriterTest);

}  // namespace orv::test

#include "tletter_test.moc"
