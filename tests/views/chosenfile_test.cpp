// Files chosen in a save dialog: the question names the file that really
// changes, and the write goes through a link to its target.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "fakedialogs.h"
#include "views/common/chosenfile.h"
#include "views/common/viewdialogs.h"

namespace orv::test {

class ChosenFileTest : public QObject {
    Q_OBJECT

private slots:
    // The file dialogs open where the user keeps files, never in whatever
    // folder the program was started from.
    void theDialogsOpenInTheLastFolderUsedElseTheDocuments()
    {
        QTemporaryDir home;
        qputenv("HOME", QFile::encodeName(home.path()));  // the test's own; its settings live elsewhere
        const QString documents = home.filePath(QStringLiteral("Documents"));
        const QString letters = home.filePath(QStringLiteral("letters"));
        QCOMPARE(StartFolder(), home.path());  // no documents folder yet
        QVERIFY(QDir().mkpath(documents) && QDir().mkpath(letters));
        QCOMPARE(StartFolder(), documents);
        RememberFolder(letters + QStringLiteral("/to Ann.rtf"));
        QCOMPARE(StartFolder(), letters);
        QVERIFY(QDir(letters).removeRecursively());
        QCOMPARE(StartFolder(), documents);  // a folder gone since is not offered
    }

    void theQuestionNamesTheFileALinkPointsToAndTheWriteGoesThere()
    {
        QTemporaryDir dir;
        const QString target = dir.filePath(QStringLiteral("phones.htm"));
        const QString link = dir.filePath(QStringLiteral("link.htm"));
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("old");
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(QFile::link(target, link));

        FakeDialogs fake;
        fake.answers.enqueue(QMessageBox::Yes);
        QVERIFY(MayOverwrite(fake.dialogs(), nullptr, link));
        QCOMPARE(fake.questions.value(0), QStringLiteral("OK to overwrite %1\n(%2 is a link to it)").arg(target, link));
        // A plain new file needs no question.
        QVERIFY(MayOverwrite(fake.dialogs(), nullptr, dir.filePath(QStringLiteral("new.htm"))));
        QCOMPARE(fake.questions.size(), 1);

        QString error;
        QVERIFY2(WriteChosenFile(link, "new", error), qPrintable(error));
        QVERIFY(QFileInfo(link).isSymLink());
        QFile written(target);
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(written.readAll(), QByteArray("new"));
        // Still private: nobody else may read it.
        QCOMPARE(written.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
    }
};

}  // namespace orv::test

QTEST_MAIN(orv::test::ChosenFileTest)
#include "chosenfile_test.moc"
