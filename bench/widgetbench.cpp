#include "widgetbench.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
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
