// The thirty moon pictures of the tray icon (the phases they stand for are
// tested with the engine, tests/engine/moonphase_test.cpp).
#include <QImage>
#include <QtTest>
#include <cmath>

#include "shell/moonimages.h"

using namespace orv;

namespace {

QImage Picture(int days) { return MoonImage(days).toImage().convertToFormat(QImage::Format_ARGB32); }

bool InsideDisc(int x, int y, double margin)
{
    const double dx = x + 0.5 - MoonImageSize / 2.0;
    const double dy = y + 0.5 - MoonImageSize / 2.0;
    return std::hypot(dx, dy) < MoonImageSize / 2.0 - margin;
}

// Sunlit pixels inside the rim, on the left and on the right half.
struct LitCount {
    int left = 0;
    int right = 0;
    int total() const { return left + right; }
};

LitCount CountLit(const QImage& image)
{
    LitCount n;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (!InsideDisc(x, y, 3.0) || c.alpha() < 200 || c.lightness() < 150) continue;
            (x < image.width() / 2 ? n.left : n.right) += 1;
        }
    return n;
}

}  // namespace

class MoonTest : public QObject {
    Q_OBJECT

private slots:
    void thirtyDistinctTransparentPictures()
    {
        for (int n = 0; n < MoonImageCount; ++n) {
            const QImage image = Picture(n);
            QCOMPARE(image.size(), QSize(MoonImageSize, MoonImageSize));
            QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
            QCOMPARE(image.pixelColor(MoonImageSize - 1, MoonImageSize - 1).alpha(), 0);
            for (int m = 0; m < n; ++m) QVERIFY2(Picture(m) != image, qPrintable(QStringLiteral("%1 and %2").arg(m).arg(n)));
        }
    }

    void moreOfTheMoonIsLitNearerFullMoon_data()
    {
        QTest::addColumn<int>("brighter");
        QTest::addColumn<int>("darker");
        QTest::newRow("full over last quarter") << 0 << 7;
        QTest::newRow("last quarter over new") << 7 << 14;
        QTest::newRow("waning gibbous over last quarter") << 4 << 7;
        QTest::newRow("first quarter over waxing crescent") << 22 << 18;
        QTest::newRow("nearly full over first quarter") << 29 << 22;
    }

    void moreOfTheMoonIsLitNearerFullMoon()
    {
        QFETCH(int, brighter);
        QFETCH(int, darker);
        QVERIFY(CountLit(Picture(brighter)).total() > CountLit(Picture(darker)).total());
    }

    void quartersAreLitOnOppositeSides()
    {
        const LitCount last = CountLit(Picture(7));
        const LitCount first = CountLit(Picture(22));
        QVERIFY2(last.left > 4 * last.right, qPrintable(QStringLiteral("%1 / %2").arg(last.left).arg(last.right)));
        QVERIFY2(first.right > 4 * first.left, qPrintable(QStringLiteral("%1 / %2").arg(first.left).arg(first.right)));
    }

    void theNewMoonStaysVisible()
    {
        // Unlit, yet the disc is there: a tray icon must not vanish for two days.
        for (int n : {14, 15}) {
            const QImage image = Picture(n);
            QCOMPARE(CountLit(image).total(), 0);
            int opaque = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) opaque += image.pixelColor(x, y).alpha() > 200;
            QVERIFY2(opaque > 600, qPrintable(QString::number(opaque)));
        }
    }

    void countsOutsideTheListAreClamped_data()
    {
        QTest::addColumn<int>("days");
        QTest::addColumn<int>("shown");
        QTest::newRow("thirty shows the nearly full moon") << 30 << 29;
        QTest::newRow("far beyond") << 45 << 29;
        QTest::newRow("negative shows the full moon") << -1 << 0;
    }

    void countsOutsideTheListAreClamped()
    {
        QFETCH(int, days);
        QFETCH(int, shown);
        QCOMPARE(Picture(days), Picture(shown));
    }

    void iconCarriesTheTrayPicture()
    {
        QCOMPARE(MoonIcon(7).pixmap(MoonImageSize).toImage().convertToFormat(QImage::Format_ARGB32), Picture(7));
    }
};

QTEST_MAIN(MoonTest)
#include "moon_test.moc"
