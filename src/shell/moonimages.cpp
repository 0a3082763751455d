#include "shell/moonimages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <cmath>

namespace orv {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double SynodicMonth = 29.530588853;

// The darker plains of the near side, in units of the disc's radius (x to
// the right, y downwards), so that the lit part looks like the Moon and not a
// plain disc.
struct Mare {
    double x, y, rx, ry;
};

constexpr std::array<Mare, 9> Maria{{
    {-0.52, 0.02, 0.30, 0.44},   // Oceanus Procellarum
    {-0.28, -0.40, 0.26, 0.20},  // Mare Imbrium
    {-0.05, -0.68, 0.30, 0.06},  // Mare Frigoris
    {0.17, -0.36, 0.15, 0.14},   // Mare Serenitatis
    {0.32, -0.08, 0.20, 0.16},   // Mare Tranquillitatis
    {0.70, -0.30, 0.10, 0.09},   // Mare Crisium
    {0.56, 0.18, 0.11, 0.16},    // Mare Fecunditatis
    {-0.16, 0.40, 0.19, 0.14},   // Mare Nubium
    {0.20, 0.30, 0.13, 0.12},    // Mare Nectaris and the southern highlands' edge
}};

// The lit part of a disc of radius r around the origin. `cycle` runs from 0
// (full) through 0.5 (new) to 1 (full again). Between full and new the lit
// limb is on the left and the terminator, a half ellipse, moves from the right
// limb to the left; after new the right limb is lit and the terminator
// follows it across.
QPainterPath LitPart(double r, double cycle)
{
    const double c = std::cos(2.0 * Pi * cycle);
    const bool waning = cycle <= 0.5;
    constexpr int steps = 64;
    QPolygonF outline;
    outline.reserve(2 * (steps + 1));
    // Right edge from top to bottom, then the left edge back up.
    for (int i = 0; i <= steps; ++i) {
        const double phi = Pi * i / steps;
        const double halfWidth = r * std::sin(phi);
        outline << QPointF(waning ? c * halfWidth : halfWidth, -r * std::cos(phi));
    }
    for (int i = steps; i >= 0; --i) {
        const double phi = Pi * i / steps;
        const double halfWidth = r * std::sin(phi);
        outline << QPointF(waning ? -halfWidth : -c * halfWidth, -r * std::cos(phi));
    }
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    return path;
}

QPixmap DrawMoon(int days, int size)
{
    days = std::clamp(days, 0, MoonImageCount - 1);
    const double cycle = days / SynodicMonth;

    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    const double scale = size / 32.0;
    const double outlineWidth = std::max(1.0, scale);
    const double r = size / 2.0 - outlineWidth;
    painter.translate(size / 2.0, size / 2.0);

    // The unlit disc: dark and a little lighter towards the middle, so the
    // new moon still reads as a ball on a dark panel.
    QRadialGradient night(QPointF(-0.25 * r, -0.25 * r), 1.3 * r);
    night.setColorAt(0.0, QColor(0x4a, 0x50, 0x60));
    night.setColorAt(1.0, QColor(0x1c, 0x1f, 0x27));
    painter.setPen(Qt::NoPen);
    painter.setBrush(night);
    painter.drawEllipse(QPointF(0, 0), r, r);

    // A faint rim keeps the dark moon visible on a dark tray as well as a
    // light one; the sunlit part covers it, so the lit limb stays clean.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xc8, 0xcd, 0xd8, 150), outlineWidth));
    painter.drawEllipse(QPointF(0, 0), r, r);

    // The lit part, brightest towards the upper left and darker at the limb.
    const double litRadius = r + outlineWidth / 2.0;
    const QPainterPath lit = LitPart(litRadius, cycle);
    QRadialGradient day(QPointF(-0.2 * r, -0.25 * r), 1.25 * litRadius);
    day.setColorAt(0.0, QColor(0xff, 0xfd, 0xf0));
    day.setColorAt(0.6, QColor(0xf0, 0xea, 0xcf));
    day.setColorAt(1.0, QColor(0xc4, 0xbc, 0x9c));
    painter.setPen(Qt::NoPen);
    painter.setBrush(day);
    painter.drawPath(lit);

    painter.setClipPath(lit);
    painter.setBrush(QColor(0x8a, 0x86, 0x74, 80));
    for (const Mare& m : Maria) painter.drawEllipse(QPointF(m.x * r, m.y * r), m.rx * r, m.ry * r);
    painter.end();
    return pixmap;
}

}  // namespace

QPixmap MoonImage(int daysSinceFullMoon) { return DrawMoon(daysSinceFullMoon, MoonImageSize); }

QIcon MoonIcon(int daysSinceFullMoon)
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) icon.addPixmap(DrawMoon(daysSinceFullMoon, size));
    return icon;
}

}  // namespace orv
