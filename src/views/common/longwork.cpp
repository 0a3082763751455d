#include "views/common/longwork.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <exception>
#include <memory>
#include <utility>
#include <vector>

#include "views/common/named.h"
#include "views/common/viewdialogs.h"

namespace orv {

namespace {

WorkProgress* running = nullptr;
QString runningText;
std::vector<std::function<void()>> afterwards;

// Queued, so that they run once the work's caller has returned to the loop.
void RunAfterwards()
{
    for (std::function<void()>& then : std::exchange(afterwards, {}))
        QTimer::singleShot(0, qApp, std::move(then));
}

// The small window that tells how far the work got, with its Cancel.
class ProgressDialog : public QDialog {
public:
    ProgressDialog(QWidget* parent, const QString& what, WorkProgress& progress) : QDialog(parent), progress_(progress)
    {
        setObjectName(QStringLiteral("LongWorkDialog"));
        setWindowTitle(QStringLiteral("ORV"));
        setWindowModality(Qt::ApplicationModal);
        auto* text = Named<QLabel>("LongWorkText", what + QStringLiteral("…"), this);
        bar_ = Named<QProgressBar>("LongWorkBar", this);
        bar_->setAccessibleName(what);
        bar_->setMinimumWidth(280);
        auto* cancel = Named<QPushButton>("LongWorkCancel", QStringLiteral("Cancel"), this);
        cancel->setAccessibleName(QStringLiteral("Cancel"));
        cancel->setDefault(true);
        connect(cancel, &QPushButton::clicked, this, [this] { Stop(); });
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(cancel);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(text);
        layout->addWidget(bar_);
        layout->addLayout(buttons);
        Refresh();
    }

    void Refresh()
    {
        const long long total = progress_.total();
        if (total <= 0) {
            bar_->setRange(0, 0);  // busy, without steps
            return;
        }
        // The bar counts in thousandths, so that any total fits its int.
        bar_->setRange(0, 1000);
        bar_->setValue(static_cast<int>(std::min(progress_.done(), total) * 1000 / total));
    }

protected:
    // Esc and the window's close button cancel the work; the dialog itself
    // closes when the work has ended.
    void reject() override { Stop(); }

private:
    void Stop()
    {
        progress_.Cancel();
        bar_->setFormat(QStringLiteral("Cancelling…"));
    }

    WorkProgress& progress_;
    QProgressBar* bar_;
};

// While the work runs, what a person types or clicks reaches only the
// progress dialog: a command started meanwhile would change the lists the
// work's output is about to replace. Painting, timers and the program's own
// events go on.
class InputGate : public QObject {
public:
    void Admit(QDialog* dialog) { dialog_ = dialog; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
            return !Admitted(watched);
        case QEvent::Close:
            return event->spontaneous() && !Admitted(watched);
        default:
            return false;
        }
    }

private:
    bool Admitted(QObject* watched) const
    {
        if (!dialog_) return false;
        for (QObject* o = watched; o; o = o->parent())
            if (o == dialog_) return true;
        // Events the platform sends to the dialog's window go through its QWindow.
        return watched == static_cast<QObject*>(dialog_->windowHandle());
    }

    QPointer<QDialog> dialog_;
};

}  // namespace

WorkEnd RunLongWork(QWidget* parent, const ViewDialogs& dialogs, const QString& what,
                    const std::function<void(WorkProgress&)>& work)
{
    if (running) {
        dialogs.message(parent, QStringLiteral("ORV"),
                        QStringLiteral("ORV is still busy: %1. Try again when it is done.").arg(runningText), {});
        return WorkEnd::Refused;
    }
    WorkProgress progress;
    std::exception_ptr thrown;
    running = &progress;
    runningText = what;

    InputGate gate;
    qApp->installEventFilter(&gate);
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work(progress);
        } catch (...) {
            thrown = std::current_exception();
        }
    }));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);

    QPointer<ProgressDialog> dialog;
    QTimer appear;
    appear.setSingleShot(true);
    QObject::connect(&appear, &QTimer::timeout, &loop, [&] {
        dialog = new ProgressDialog(parent ? parent->window() : nullptr, what, progress);
        gate.Admit(dialog);
        dialog->show();
    });
    QTimer refresh;
    QObject::connect(&refresh, &QTimer::timeout, &loop, [&] {
        if (dialog) dialog->Refresh();
    });
    appear.start(kProgressDelayMs);
    refresh.start(100);
    // Started from the loop, after what was posted before the command (a
    // Cancel among it reaches the work before its first step).
    QMetaObject::invokeMethod(&loop, [&] { thread->start(); }, Qt::QueuedConnection);
    loop.exec();
    thread->wait();

    appear.stop();
    refresh.stop();
    delete dialog.data();
    qApp->removeEventFilter(&gate);
    running = nullptr;
    runningText.clear();
    RunAfterwards();
    if (thrown) std::rethrow_exception(thrown);
    return progress.Cancelled() ? WorkEnd::Cancelled : WorkEnd::Done;
}

bool LongWorkRunning() { return running != nullptr; }

void CancelLongWork()
{
    if (running) running->Cancel();
}

void WhenLongWorkEnds(std::function<void()> then)
{
    afterwards.push_back(std::move(then));
    if (!running) RunAfterwards();
}

}  // namespace orv
