// Long work beside the window: Cancel reaches the work, input meanwhile goes
// to the progress dialog only, and one long work runs at a time. (That the
// windows keep turning meanwhile, every window test that answers a dialog
// during long work shows.)
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

#include "fakedialogs.h"
#include "views/common/longwork.h"

namespace orv::test {

namespace {

// Waits (on the work's thread) until `flag` is set, at most five seconds.
bool WaitFor(const std::atomic<bool>& flag)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!flag && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return flag;
}

// Calls `f` once the progress dialog is on screen.
void WhenDialogShows(const std::function<void(QWidget*)>& f)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, f] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("LongWorkDialog") && w->isVisible()) {
                poll->deleteLater();
                f(w);
                return;
            }
        }
    });
    poll->start(10);
}

}  // namespace

class LongWorkTest : public QObject {
    Q_OBJECT

private slots:
    // From the Cancel button, and with Esc in the dialog.
    void cancelReachesTheWork()
    {
        for (const bool escape : {false, true}) {
            FakeDialogs fake;
            WhenDialogShows([escape](QWidget* dialog) {
                if (escape)
                    QTest::keyClick(dialog, Qt::Key_Escape);
                else
                    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("LongWorkCancel")),
                                      Qt::LeftButton);
            });
            bool stopped = false;
            const auto work = [&](WorkProgress& progress) {
                const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
                while (!progress.Cancelled() && std::chrono::steady_clock::now() < deadline)
                    std::this_thread::sleep_for(std::chrono::milliseconds(2));
                stopped = progress.Cancelled();
            };
            QCOMPARE(RunLongWork(nullptr, fake.dialogs(), QStringLiteral("Counting"), work), WorkEnd::Cancelled);
            QVERIFY(stopped);
            for (QWidget* w : QApplication::topLevelWidgets())
                QVERIFY(w->objectName() != QLatin1String("LongWorkDialog"));
        }
    }

    // A click on another window while the work runs would start a command on
    // the lists the work is about to replace; a second long work would run
    // over the first.
    void inputMeanwhileReachesOnlyTheDialogAndASecondWorkIsRefused()
    {
        FakeDialogs fake;
        QPushButton other(QStringLiteral("Delete"));
        other.show();
        int clicks = 0;
        connect(&other, &QPushButton::clicked, [&] { ++clicks; });
        std::atomic<bool> tried{false};
        WorkEnd second = WorkEnd::Done;
        QTimer::singleShot(20, [&] {
            QTest::mouseClick(&other, Qt::LeftButton);
            QTest::keyClick(&other, Qt::Key_Space);
            second = RunLongWork(nullptr, fake.dialogs(), QStringLiteral("Exporting"), [](WorkProgress&) {});
            tried = true;
        });
        const WorkEnd first = RunLongWork(&other, fake.dialogs(), QStringLiteral("Importing 'people.xlsx'"),
                                          [&](WorkProgress&) { WaitFor(tried); });
        QCOMPARE(first, WorkEnd::Done);
        QCOMPARE(second, WorkEnd::Refused);
        QCOMPARE(clicks, 0);
        QCOMPARE(fake.messages,
                 QStringList{QStringLiteral("ORV|ORV is still busy: Importing 'people.xlsx'. Try again when it is done.|")});
        // Once the work is done, the window answers again.
        QTest::mouseClick(&other, Qt::LeftButton);
        QCOMPARE(clicks, 1);
    }

    void whatTheWorkThrowsIsThrownOnTheWindowsThread()
    {
        FakeDialogs fake;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, RunLongWork(nullptr, fake.dialogs(), QStringLiteral("Failing"),
                                                                  [](WorkProgress&) { throw std::runtime_error("disk"); }));
        QVERIFY(!LongWorkRunning());
    }
};

}  // namespace orv::test

QTEST_MAIN(orv::test::LongWorkTest)
#include "longwork_test.moc"
