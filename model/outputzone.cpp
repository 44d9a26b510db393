#include "outputzone.h"

#include "zonegeometry.h"

#include <QPainterPath>
#include <QtMath>
#include <cmath>

bool OutputZone::contains(const QPointF &modelPoint) const
{
    if (!present || scale <= 0)
        return false;
    const QPointF p(modelPoint.x() / scale, -modelPoint.y() / scale);
    if (!bounds.contains(p))
        return false;
    for (const QPolygonF &polygon : polygons)
        if (polygon.containsPoint(p, fillRule))
            return true;
    return false;
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
        o.fillRule = z.path.fillRule();
        const QList<QPolygonF> polygons = z.path.toFillPolygons();
        for (const QPolygonF &p : polygons)
            o.polygons.append(p);
        o.bounds = z.path.boundingRect();
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
