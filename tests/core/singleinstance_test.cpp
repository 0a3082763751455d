#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "core/singleinstance.h"

using orv::SingleInstance;

class SingleInstanceTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        // Each test gets its own runtime folder, so locks never meet the user's.
        QVERIFY(runtime.isValid());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
        key = QStringLiteral("ORV.OneInstance.test-%1").arg(QCoreApplication::applicationPid());
    }

    void aReleasedInstanceLetsTheNextStartClaim()
    {
        {
            SingleInstance first(key);
            QVERIFY(first.Claim());
        }
        SingleInstance next(key);
        QVERIFY(next.Claim());
    }

    void aSecondProcessCannotClaimAndAsksTheFirstToShow()
    {
        SingleInstance first(key);
        QVERIFY(first.Claim());
        QSignalSpy shown(&first, &SingleInstance::showRequested);
        // A second process of this test binary, in "claim" mode, must fail to claim.
        QProcess other;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORV_CLAIM_KEY"), key);
        other.setProcessEnvironment(env);
        other.start(QCoreApplication::applicationFilePath(), {});
        QTRY_VERIFY_WITH_TIMEOUT(other.state() == QProcess::NotRunning, 10000);
        QCOMPARE(other.exitCode(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 5000);
    }

private:
    QTemporaryDir runtime;
    QString key;
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QByteArray claimKey = qgetenv("ORV_CLAIM_KEY");
    if (!claimKey.isEmpty()) {
        SingleInstance instance(QString::fromUtf8(claimKey));
        return instance.Claim() ? 0 : 1;
    }
    SingleInstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "singleinstance_test.moc"
