#include "zonegeometry.h"

#include "polar.h"
#include "shapekind.h"

#include <QMap>
#include <QtMath>
#include <cmath>

namespace ZoneGeometry {

int truncToInt(double v)
{
    if (std::isnan(v))
        return 0;
    if (v >= 2147483647.0)
        return 2147483647;
    if (v <= -2147483648.0)
        return -2147483647 - 1;
    return static_cast<int>(v);
}

QPoint fromPolarFast(double distance, double angle)
{
    return QPoint(truncToInt(distance * qFastCos(angle)), truncToInt(distance * qFastSin(angle)));
}

QPolygonF angularPolygon(const QVector<QPoint> &points)
{
    QMap<float, QPoint> byAngle;
    for (const QPoint &p : points)
        byAngle.insert(toPolar(p).angle, p); // insert replaces: the later point wins
    QPolygonF polygon;
    polygon.reserve(byAngle.size() + 2);
    polygon << QPointF(0, 0);
    for (auto it = byAngle.cbegin(); it != byAngle.cend(); ++it)
        polygon << QPointF(it.value().x(), -it.value().y());
    polygon << QPointF(0, 0);
    return polygon;
}

std::optional<QPainterPath> arcSector(const QVector<QPoint> &points)
{
    if (points.size() != 2)
        return std::nullopt;
    const PolarPoint a = toPolar(points[0]);
    const PolarPoint b = toPolar(points[1]);
    const float start = qMin(a.angle, b.angle);
    const float end = qMax(a.angle, b.angle);
    const double r = qMax(a.distance, b.distance);
    const float startDeg = start * kRadToDeg;
    const float endDeg = end * kRadToDeg;
    QPainterPath path;
    path.moveTo(0, 0);
    path.arcTo(QRectF(-r, -r, 2 * r, 2 * r), startDeg, endDeg - startDeg);
    return path;
}

QPainterPath straightCut(const QPainterPath &base, const QPoint &p, double sceneWidth, double sceneHeight)
{
    QPainterPath cut;
    cut.addRect(QRectF(-sceneWidth / 2, sceneHeight / 2, sceneWidth, -p.y() - sceneHeight / 2).normalized());
    return base.intersected(cut);
}

QPainterPath fanTrim(const QPainterPath &base, const QPoint &p)
{
    const double r = p.y();
    QPainterPath sector;
    sector.moveTo(0, 0);
    sector.arcTo(QRectF(-r, -r, 2 * r, 2 * r), -45, 270);
    return base.intersected(sector);
}

double ratioScale(const QPainterPath &base, const QPoint &p)
{
    const double h = base.boundingRect().height();
    const double a = p.y();
    // An empty base has no height to divide by: draw it unscaled.
    if (h > 0 && a < h)
        return a / h;
    return 1.0;
}

Zone zone(int shape, const QVector<QPoint> &points, const QPainterPath *base, double sceneWidth,
          double sceneHeight)
{
    Zone z;
    switch (shape) {
    case Polygon:
    case Rectangle: {
        QPainterPath path;
        path.addPolygon(angularPolygon(points));
        z.handOver = path;
        path.setFillRule(Qt::WindingFill);
        z.path = path;
        z.drawn = z.outlined = true;
        break;
    }
    case Arc:
        if (auto sector = arcSector(points)) {
            z.path = z.handOver = *sector;
            z.drawn = true;
        }
        break;
    case Straight:
    case Fan:
    case Ratio:
        if (!base || points.size() != 1)
            break;
        z.drawn = z.outlined = true;
        if (shape == Straight) {
            z.path = z.handOver = straightCut(*base, points[0], sceneWidth, sceneHeight);
        } else if (shape == Fan) {
            z.path = z.handOver = fanTrim(*base, points[0]);
        } else {
            // The next output derives from the unscaled base, not from this zone.
            z.path = z.handOver = *base;
            z.scale = ratioScale(*base, points[0]);
        }
        break;
    default:
        break;
    }
    return z;
}

std::array<Zone, 3> areaZones(const AreaRecord &area, double sceneWidth, double sceneHeight)
{
    std::array<Zone, 3> zones;
    QPainterPath base;
    for (int out = 0; out < 3; ++out) {
        zones[out] = zone(area.shape(out), area.points(out), out == 0 ? nullptr : &base, sceneWidth, sceneHeight);
        // An output that draws nothing hands nothing on.
        base = zones[out].drawn ? zones[out].handOver : QPainterPath();
    }
    return zones;
}

} // namespace ZoneGeometry
