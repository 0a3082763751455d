// Writes the program's mark as PNG files in the hicolor sizes, for the install:
// iconpng OUTDIR SIZE... gives OUTDIR/SIZExSIZE/apps/orv.png. The drawing is the
// one the running program uses, so the launcher and the window show the same mark.
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

#include "shell/programicon.h"

int main(int argc, char** argv)
{
    // A build machine has no display; the drawing needs none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 3) {
        std::fputs("usage: iconpng OUTDIR SIZE...\n", stderr);
        return 2;
    }
    for (const QString& text : args.mid(2)) {
        bool ok = false;
        const int size = text.toInt(&ok);
        if (!ok || size <= 0) {
            std::fprintf(stderr, "iconpng: '%s' is no size\n", qPrintable(text));
            return 2;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[1]).arg(size);
        if (!QDir().mkpath(folder) || !orv::ProgramPixmap(size).save(folder + QStringLiteral("/orv.png"), "PNG")) {
            std::fprintf(stderr, "iconpng: cannot write %s/orv.png\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
