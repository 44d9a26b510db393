#include "outputzone.h"

#include "zonegeometry.h"

#include <QPainterPath>
#include <QtMath>
#include <cmath>
#include <utility>

namespace {
constexpr int kBands = 64;

int bandOf(double y, const QRectF &bounds)
{
    const double h = bounds.height();
    const int band = h > 0 ? int((y - bounds.top()) / h * kBands) : 0;
    return qBound(0, band, kBands - 1);
}
} // namespace

void OutputZone::setPolygons(const QVector<QPolygonF> &polygons, Qt::FillRule rule)
{
    fillRule = rule;
    bounds = QRectF();
    for (const QPolygonF &polygon : polygons)
        bounds = bounds.united(polygon.boundingRect());
    bands = QVector<QVector<Edge>>(kBands);
    for (const QPolygonF &polygon : polygons) {
        // Closed as containsPoint closes it: the last point back to the first.
        for (int i = 0; i < polygon.size(); ++i) {
            QPointF a = polygon.at(i), b = polygon.at((i + 1) % polygon.size());
            if (a.y() == b.y())
                continue; // a level edge crosses no level ray
            int direction = 1;
            if (a.y() > b.y()) {
                std::swap(a, b);
                direction = -1;
            }
            const Edge e{a.x(), a.y(), b.x(), b.y(), direction};
            for (int band = bandOf(a.y(), bounds); band <= bandOf(b.y(), bounds); ++band)
                bands[band].append(e);
        }
    }
}

bool OutputZone::contains(const QPointF &modelPoint) const
{
    if (!present || scale <= 0 || bands.isEmpty())
        return false;
    const double x = modelPoint.x() / scale, y = -modelPoint.y() / scale;
    if (!bounds.contains(QPointF(x, y)))
        return false;
    // A ray to the left: the edges it crosses, counted with their direction.
    int winding = 0;
    int crossings = 0;
    for (const Edge &e : bands.at(bandOf(y, bounds))) {
        if (y < e.y0 || y >= e.y1)
            continue;
        const double at = e.x0 + (e.x1 - e.x0) * ((y - e.y0) / (e.y1 - e.y0));
        if (at <= x) {
            winding += e.direction;
            ++crossings;
        }
    }
    return fillRule == Qt::WindingFill ? winding != 0 : (crossings & 1) != 0;
}

std::array<OutputZone, 3> outputZones(const AreaRecord &area)
{
    const std::array<ZoneGeometry::Zone, 3> zones = ZoneGeometry::areaZones(area, kZoneSceneExtent, kZoneSceneExtent);
    std::array<OutputZone, 3> out;
    for (int k = 0; k < 3; ++k) {
        const ZoneGeometry::Zone &z = zones[size_t(k)];
        OutputZone &o = out[size_t(k)];
        if (!z.drawn || z.path.isEmpty())
            continue;
        o.present = true;
        const QList<QPolygonF> fill = z.path.toFillPolygons();
        QVector<QPolygonF> polygons;
        for (const QPolygonF &polygon : fill)
            polygons.append(polygon);
        o.setPolygons(polygons, z.path.fillRule());
        o.scale = z.scale;
    }
    return out;
}

QPointF beamPoint(double distance, double angleDegrees, bool mirrored)
{
    const double a = qDegreesToRadians(angleDegrees);
    const double x = distance * std::cos(a);
    return QPointF(mirrored ? -x : x, distance * std::sin(a));
}

void classifyPoints(const std::array<OutputZone, 3> &zones, const QPolygonF &points, QVector<quint8> &masks,
                    quint8 latched, int hysteresis)
{
    const double widen = 1.0 - qBound(0, hysteresis, 99) / 100.0;
    masks.resize(points.size());
    for (int i = 0; i < points.size(); ++i) {
        const QPointF p = points.at(i);
        quint8 mask = 0;
        if (p.x() != 0.0 || p.y() != 0.0) {
            for (int k = 0; k < 3; ++k) {
                const double shrink = (latched >> k) & 1 ? widen : 1.0;
                if (zones[size_t(k)].contains(p * shrink))
                    mask |= quint8(1 << k);
            }
        }
        masks[i] = mask;
    }
}
