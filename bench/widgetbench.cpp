#include "widgetbench.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QThread>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>

#include "lifetime.h"

namespace orv::bench {

QString BenchFolder()
{
    static QTemporaryDir dir;
    return dir.path() + QLatin1Char('/');
}

Session& LifetimeSession()
{
    static Session* session = [] {
        Lifetime data;
        MakeLifetime(data);
        const std::string folder = (BenchFolder() + QStringLiteral("data/")).toStdString();
        if (!WriteLifetime(data, folder)) std::abort();
        auto* s = new Session(folder, (BenchFolder() + QStringLiteral("settings.reg")).toStdString());
        s->LoadData();
        s->Initialise(kBenchToday);
        return s;
    }();
    return *session;
}

StallMeter::StallMeter()
{
    clock_.start();
    startTimer(1, Qt::PreciseTimer);
}

void StallMeter::Reset()
{
    last_ = clock_.nsecsElapsed();
    longest_ = 0;
}

void StallMeter::timerEvent(QTimerEvent*)
{
    const qint64 now = clock_.nsecsElapsed();
    longest_ = std::max(longest_, now - last_);
    last_ = now;
}

double MsOnWindowThread(const std::function<void()>& command)
{
    QElapsedTimer clock;
    clock.start();
    command();
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

double LongestStallUntil(const std::function<bool()>& done, int timeoutMs)
{
    StallMeter meter;
    QElapsedTimer clock;
    clock.start();
    meter.Reset();
    while (!done() && clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    QCoreApplication::processEvents();
    return meter.LongestMs();
}

}  // namespace orv::bench

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
