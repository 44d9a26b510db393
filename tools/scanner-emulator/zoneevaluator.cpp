#include "zoneevaluator.h"

#include "scanmodes.h"
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

int samplesForDetectionSize(int detectionSizeIndex, int g)
{
    const double degrees = (qMax(0, detectionSizeIndex) + 1) * 0.5;
    return qMax(1, int(std::ceil(degrees * g - 1e-9)));
}

QPointF samplePoint(const Scan &scan, int i)
{
    const double d = scan.distances.at(i);
    const double a = qDegreesToRadians(scan.pointsPerDegree == 2 && scan.distances.size() == ScanModes::SerialSamples
                                           ? ScanModes::serialSampleAngle(i)
                                           : ScanModes::streamSampleAngle(i, scan.pointsPerDegree));
    return QPointF(d * std::cos(a), d * std::sin(a));
}

quint8 detectOutputs(const std::array<OutputZone, 3> &zones, const AreaRecord &area, const Scan &scan, quint8 latched)
{
    const int needed = samplesForDetectionSize(area.DetectionSize, scan.pointsPerDegree);
    const double widen = 1.0 - qBound(0, area.Hysteresis, 99) / 100.0;
    QVector<QPointF> points(scan.distances.size());
    for (int i = 0; i < points.size(); ++i)
        points[i] = samplePoint(scan, i);
    quint8 bits = 0;
    for (int k = 0; k < 3; ++k) {
        const OutputZone &zone = zones[size_t(k)];
        if (!zone.present)
            continue;
        const double shrink = (latched >> k) & 1 ? widen : 1.0;
        int run = 0;
        for (int i = 0; i < points.size(); ++i) {
            // A beam without echo sees nothing, so it breaks a run.
            if (scan.distances.at(i) != 0 && zone.contains(points.at(i) * shrink)) {
                if (++run >= needed) {
                    bits |= quint8(1 << k);
                    break;
                }
            } else {
                run = 0;
            }
        }
    }
    return bits;
}

quint8 OutputTimer::update(quint8 raw, qint64 nowMs, int openDelayIndex, int closeDelayIndex)
{
    // Plain masks on purpose: GCC 12 at -O2 miscompiled this loop when the
    // bits were taken as (x >> k) & 1 and compared as bools.
    for (int k = 0; k < 3; ++k) {
        const unsigned bit = 1u << k;
        const bool want = (raw & bit) != 0;
        qint64 &since = m_pendingSince[size_t(k)];
        if (want == ((m_outputs & bit) != 0)) {
            since = -1;
            continue;
        }
        if (since < 0)
            since = nowMs;
        const qint64 delay = 20LL * (want ? qMax(0, openDelayIndex) : qMax(0, closeDelayIndex));
        if (nowMs - since >= delay) {
            m_outputs = quint8(want ? (m_outputs | bit) : (m_outputs & ~bit));
            since = -1;
        }
    }
    return m_outputs;
}
