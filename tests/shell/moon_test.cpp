// The phases of the Moon against published instants, the day count behind the
// tray icon, and the thirty moon pictures.
#include <QImage>
#include <QtTest>
#include <cmath>
#include <cstdlib>
#include <ctime>

#include "shell/moonimages.h"
#include "engine/moonphase.h"
#include "store/records.h"

using namespace orv;

Q_DECLARE_METATYPE(orv::Date)

namespace {

constexpr double Minute = 1.0 / 1440.0;

double Instant(int year, int month, int day, int hour, int minute)
{
    return DateSerial(year, month, day) + (hour * 60 + minute) * Minute;
}

Date D(int year, int month, int day)
{
    return Date{static_cast<std::uint16_t>(year), static_cast<std::uint16_t>(month), static_cast<std::uint16_t>(day)};
}

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

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) : m_old(qgetenv("TZ")), m_had(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (m_had) qputenv("TZ", m_old);
        else qunsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    QByteArray m_old;
    bool m_had;
};

}  // namespace

class MoonTest : public QObject {
    Q_OBJECT

private slots:
    void meeusWorkedNewMoonOfFebruary1977()
    {
        // Lunation k = -283; JDE 2443192.65118 is 1977-02-18 03:37:42 TD.
        const double found = PhaseDate(NewMoon, DateSerial(1977, 2, 18));
        QVERIFY2(std::abs(found - (2443192.65118 - 2415018.5)) < 2.0 / 86400.0, qPrintable(QString::number(found, 'f', 6)));
    }

    void phasesOf2024AreWithinTwoMinutes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("published");
        const struct {
            const char* name;
            int kind, month, day, hour, minute;
        } rows[] = {
            {"full, January", FullMoon, 1, 25, 17, 54},   {"full, June", FullMoon, 6, 22, 1, 8},
            {"full, December", FullMoon, 12, 15, 9, 2},   {"new, February", NewMoon, 2, 9, 22, 59},
            {"first quarter, January", FirstQuarter, 1, 18, 3, 53},
            {"last quarter, January", LastQuarter, 1, 4, 3, 30},
        };
        for (const auto& r : rows)
            QTest::newRow(r.name) << r.kind << Instant(2024, r.month, r.day, r.hour, r.minute);
    }

    void phasesOf2024AreWithinTwoMinutes()
    {
        QFETCH(int, kind);
        QFETCH(double, published);
        // Asked an hour later, the latest phase of that kind is the published one.
        const double found = LastPhase(kind, published + 60 * Minute);
        QVERIFY2(std::abs(found - published) < 2 * Minute,
                 qPrintable(QStringLiteral("off by %1 minutes").arg((found - published) / Minute, 0, 'f', 2)));
    }

    void lastPhaseJustBeforeAnInstantIsTheLunationBefore_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("instant");
        QTest::addColumn<double>("previous");
        QTest::newRow("full moon of January, across the new year")
            << int(FullMoon) << Instant(2024, 1, 25, 17, 54) << Instant(2023, 12, 27, 0, 33);
    }

    void lastPhaseJustBeforeAnInstantIsTheLunationBefore()
    {
        QFETCH(int, kind);
        QFETCH(double, instant);
        QFETCH(double, previous);
        const double exact = LastPhase(kind, instant + 60 * Minute);
        QVERIFY(std::abs(LastPhase(kind, exact + Minute) - exact) < 1e-9);
        QVERIFY(std::abs(LastPhase(kind, exact - Minute) - previous) < 2 * Minute);
        // The phase at the very instant is not yet "earlier than now".
        QVERIFY(std::abs(LastPhase(kind, exact) - previous) < 2 * Minute);
    }

    void daysSinceFullMoonCountsCalendarDays_data()
    {
        QTest::addColumn<double>("now");
        QTest::addColumn<Date>("today");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("expected");
        QTest::newRow("full moon day, after its instant")
            << Instant(2024, 1, 25, 18, 0) << D(2024, 1, 25) << 0 << 0;
        QTest::newRow("full moon day, before its instant: December's counts")
            << Instant(2024, 1, 25, 12, 0) << D(2024, 1, 25) << 0 << 29;
        QTest::newRow("late full moon, the next one later today: thirty")
            << Instant(2024, 12, 15, 8, 0) << D(2024, 12, 15) << 0 << 30;
        QTest::newRow("east of Greenwich that full moon falls after midnight")
            << Instant(2024, 12, 15, 8, 0) << D(2024, 12, 15) << 3 * 3600 << 29;
        QTest::newRow("far west the full moon falls the evening before")
            << Instant(2024, 2, 25, 12, 0) << D(2024, 2, 24) << -13 * 3600 << 1;
    }

    void daysSinceFullMoonCountsCalendarDays()
    {
        QFETCH(double, now);
        QFETCH(Date, today);
        QFETCH(int, offset);
        QFETCH(int, expected);
        QCOMPARE(DaysSinceFullMoon(now, today, offset), expected);
    }

    void daysSinceFullMoonTakesTheLocalZoneOfTheInstant_data()
    {
        QTest::addColumn<QByteArray>("zone");
        QTest::addColumn<int>("offset");
        QTest::newRow("UTC") << QByteArray("UTC0") << 0;
        QTest::newRow("nine hours east") << QByteArray("JST-9") << 9 * 3600;
        QTest::newRow("five hours west") << QByteArray("EST5") << -5 * 3600;
    }

    void daysSinceFullMoonTakesTheLocalZoneOfTheInstant()
    {
        QFETCH(QByteArray, zone);
        QFETCH(int, offset);
        const ScopedTimeZone scoped(zone.constData());
        for (double now = Instant(2024, 11, 1, 0, 0); now < Instant(2025, 1, 1, 0, 0); now += 0.25) {
            const Date today = D(2024, 12, 31);
            QCOMPARE(DaysSinceFullMoon(now, today), DaysSinceFullMoon(now, today, offset));
        }
    }

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
