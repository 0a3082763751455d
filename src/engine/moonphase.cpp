#include "engine/moonphase.h"

#include <array>
#include <chrono>
#include <cmath>
#include <ctime>

#include "store/records.h"

namespace orv {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double JulianDayOf18991230 = 2415018.5;
constexpr double Serial20000101 = 36526.0;
constexpr double Serial19700101 = 25569.0;
constexpr double SecondsPerDay = 86400.0;

double Reduce(double degrees)
{
    const double r = std::fmod(degrees, 360.0);
    return r < 0.0 ? r + 360.0 : r;
}

double SinDeg(double degrees) { return std::sin(Reduce(degrees) * Pi / 180.0); }
double CosDeg(double degrees) { return std::cos(Reduce(degrees) * Pi / 180.0); }

// One periodic term: coefficient x E^e x sin(m M + mp M' + f F + om Omega).
struct Term {
    double c;
    int e, m, mp, f, om;
};

// New moon and full moon share the shape of their series; the first seven
// coefficients differ.
constexpr std::array<Term, 25> NewMoonTerms{{
    {-0.40720, 0, 0, 1, 0, 0}, {0.17241, 1, 1, 0, 0, 0},   {0.01608, 0, 0, 2, 0, 0},
    {0.01039, 0, 0, 0, 2, 0},  {0.00739, 1, -1, 1, 0, 0},  {-0.00514, 1, 1, 1, 0, 0},
    {0.00208, 2, 2, 0, 0, 0},  {-0.00111, 0, 0, 1, -2, 0}, {-0.00057, 0, 0, 1, 2, 0},
    {0.00056, 1, 1, 2, 0, 0},  {-0.00042, 0, 0, 3, 0, 0},  {0.00042, 1, 1, 0, 2, 0},
    {0.00038, 1, 1, 0, -2, 0}, {-0.00024, 1, -1, 2, 0, 0}, {-0.00017, 0, 0, 0, 0, 1},
    {-0.00007, 0, 2, 1, 0, 0}, {0.00004, 0, 0, 2, -2, 0},  {0.00004, 0, 3, 0, 0, 0},
    {0.00003, 0, 1, 1, -2, 0}, {0.00003, 0, 0, 2, 2, 0},   {-0.00003, 0, 1, 1, 2, 0},
    {0.00003, 0, -1, 1, 2, 0}, {-0.00002, 0, -1, 1, -2, 0}, {-0.00002, 0, 1, 3, 0, 0},
    {0.00002, 0, 0, 4, 0, 0},
}};

constexpr std::array<Term, 25> FullMoonTerms{{
    {-0.40614, 0, 0, 1, 0, 0}, {0.17302, 1, 1, 0, 0, 0},   {0.01614, 0, 0, 2, 0, 0},
    {0.01043, 0, 0, 0, 2, 0},  {0.00734, 1, -1, 1, 0, 0},  {-0.00515, 1, 1, 1, 0, 0},
    {0.00209, 2, 2, 0, 0, 0},  {-0.00111, 0, 0, 1, -2, 0}, {-0.00057, 0, 0, 1, 2, 0},
    {0.00056, 1, 1, 2, 0, 0},  {-0.00042, 0, 0, 3, 0, 0},  {0.00042, 1, 1, 0, 2, 0},
    {0.00038, 1, 1, 0, -2, 0}, {-0.00024, 1, -1, 2, 0, 0}, {-0.00017, 0, 0, 0, 0, 1},
    {-0.00007, 0, 2, 1, 0, 0}, {0.00004, 0, 0, 2, -2, 0},  {0.00004, 0, 3, 0, 0, 0},
    {0.00003, 0, 1, 1, -2, 0}, {0.00003, 0, 0, 2, 2, 0},   {-0.00003, 0, 1, 1, 2, 0},
    {0.00003, 0, -1, 1, 2, 0}, {-0.00002, 0, -1, 1, -2, 0}, {-0.00002, 0, 1, 3, 0, 0},
    {0.00002, 0, 0, 4, 0, 0},
}};

constexpr std::array<Term, 25> QuarterTerms{{
    {-0.62801, 0, 0, 1, 0, 0}, {0.17172, 1, 1, 0, 0, 0},   {-0.01183, 1, 1, 1, 0, 0},
    {0.00862, 0, 0, 2, 0, 0},  {0.00804, 0, 0, 0, 2, 0},   {0.00454, 1, -1, 1, 0, 0},
    {0.00204, 2, 2, 0, 0, 0},  {-0.00180, 0, 0, 1, -2, 0}, {-0.00070, 0, 0, 1, 2, 0},
    {-0.00040, 0, 0, 3, 0, 0}, {-0.00034, 1, -1, 2, 0, 0}, {0.00032, 1, 1, 0, 2, 0},
    {0.00032, 1, 1, 0, -2, 0}, {-0.00028, 2, 2, 1, 0, 0},  {0.00027, 1, 1, 2, 0, 0},
    {-0.00017, 0, 0, 0, 0, 1}, {-0.00005, 0, -1, 1, -2, 0}, {0.00004, 0, 0, 2, 2, 0},
    {-0.00004, 0, 1, 1, 2, 0}, {0.00004, 0, -2, 1, 0, 0},  {0.00003, 0, 1, 1, -2, 0},
    {0.00003, 0, 3, 0, 0, 0},  {0.00002, 0, 0, 2, -2, 0},  {0.00002, 0, -1, 1, 2, 0},
    {-0.00002, 0, 1, 3, 0, 0},
}};

// The planetary arguments: A = a0 + a1 k (+ the T^2 term of A1), and the
// coefficient of sin A.
struct Planetary {
    double a0, a1, c;
};

constexpr std::array<Planetary, 14> PlanetaryTerms{{
    {299.77, 0.107408, 0.000325}, {251.88, 0.016321, 0.000165}, {251.83, 26.651886, 0.000164},
    {349.42, 36.412478, 0.000126}, {84.66, 18.206239, 0.000110}, {141.74, 53.303771, 0.000062},
    {207.14, 2.453732, 0.000060},  {154.84, 7.306860, 0.000056}, {34.52, 27.261239, 0.000047},
    {207.19, 0.121824, 0.000042},  {291.34, 1.844379, 0.000040}, {161.72, 24.198154, 0.000037},
    {239.56, 25.513099, 0.000035}, {331.55, 3.592518, 0.000023},
}};

template <std::size_t N>
double SumTerms(const std::array<Term, N>& terms, double e, double m, double mp, double f, double om)
{
    double sum = 0.0;
    for (const Term& t : terms) {
        const double factor = t.e == 0 ? 1.0 : (t.e == 1 ? e : e * e);
        sum += t.c * factor * SinDeg(t.m * m + t.mp * mp + t.f * f + t.om * om);
    }
    return sum;
}

}  // namespace

double PhaseDate(int kind, double dateTime)
{
    double k = std::round((dateTime - Serial20000101) / 36525.0 * 1236.85);
    k += kind / 4.0;
    const double t = k / 1236.85;
    const double t2 = t * t;
    const double t3 = t2 * t;
    const double t4 = t3 * t;

    double jde = 2451550.09765 + 29.530588853 * k + 0.0001337 * t2 - 0.000000150 * t3 + 0.00000000073 * t4;

    const double e = 1.0 - 0.002516 * t - 0.0000074 * t2;
    const double m = Reduce(2.5534 + 29.10535669 * k - 0.0000218 * t2 - 0.00000011 * t3);
    const double mp = Reduce(201.5643 + 385.81693528 * k + 0.0107438 * t2 + 0.00001239 * t3 - 0.000000058 * t4);
    const double f = Reduce(160.7108 + 390.67050274 * k - 0.0016341 * t2 - 0.00000227 * t3 + 0.000000011 * t4);
    const double om = Reduce(124.7746 - 1.56375580 * k + 0.0020691 * t2 + 0.00000215 * t3);

    switch (kind) {
    case NewMoon:
        jde += SumTerms(NewMoonTerms, e, m, mp, f, om);
        break;
    case FullMoon:
        jde += SumTerms(FullMoonTerms, e, m, mp, f, om);
        break;
    default: {
        jde += SumTerms(QuarterTerms, e, m, mp, f, om);
        const double w = 0.00306 - 0.00038 * e * CosDeg(m) + 0.00026 * CosDeg(mp) - 0.00002 * CosDeg(mp - m) +
                         0.00002 * CosDeg(mp + m) + 0.00002 * CosDeg(2.0 * f);
        jde += kind == LastQuarter ? -w : w;
        break;
    }
    }

    for (const Planetary& p : PlanetaryTerms) {
        double a = p.a0 + p.a1 * k;
        if (&p == &PlanetaryTerms[0]) a -= 0.009173 * t2;
        jde += p.c * SinDeg(a);
    }

    return jde - JulianDayOf18991230;
}

double LastPhase(int kind, double now)
{
    // Stepping back by less than a lunation never skips one, so the first
    // instant found before `now` is the latest such instant.
    // The phase PhaseDate finds lies between 10 days before and 42 days after
    // the date it is given, so four steps always reach one; the bound keeps a
    // clock reading that is not a number from looping for ever.
    double date = now + 28.0;
    double result = date;
    for (int step = 0; step < 8 && !(result < now); ++step) {
        result = PhaseDate(kind, date);
        date -= 28.0;
    }
    return result;
}

namespace {

Date SerialDayToDate(double serialDay)
{
    int y = 0, mo = 0, d = 0;
    SerialToDate(static_cast<std::int32_t>(std::floor(serialDay)), y, mo, d);
    return Date{static_cast<std::uint16_t>(y), static_cast<std::uint16_t>(mo), static_cast<std::uint16_t>(d)};
}

}  // namespace

int DaysSinceFullMoon(double now, Date today, std::int32_t utcOffsetSeconds)
{
    const double full = LastPhase(FullMoon, now) + utcOffsetSeconds / SecondsPerDay;
    return DaysBetween(SerialDayToDate(full), today);
}

int DaysSinceFullMoon(double now, Date today)
{
    const double full = LastPhase(FullMoon, now);
    const auto seconds = static_cast<std::time_t>(std::floor((full - Serial19700101) * SecondsPerDay));
    std::tm local{};
    if (localtime_r(&seconds, &local) == nullptr) return DaysSinceFullMoon(now, today, 0);
    const Date fullDate{static_cast<std::uint16_t>(local.tm_year + 1900), static_cast<std::uint16_t>(local.tm_mon + 1),
                        static_cast<std::uint16_t>(local.tm_mday)};
    return DaysBetween(fullDate, today);
}

double DateTimeFromUnixSeconds(std::int64_t seconds)
{
    return Serial19700101 + static_cast<double>(seconds) / SecondsPerDay;
}

double CurrentDateTime()
{
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    return Serial19700101 + static_cast<double>(ms) / (SecondsPerDay * 1000.0);
}

}  // namespace orv
