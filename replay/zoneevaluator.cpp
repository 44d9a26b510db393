#include "zoneevaluator.h"

#include "scanmodes.h"

#include <QtMath>
#include <cmath>

int samplesForDetectionSize(int detectionSizeIndex, int g)
{
    const double degrees = (qMax(0, detectionSizeIndex) + 1) * 0.5;
    return qMax(1, int(std::ceil(degrees * g - 1e-9)));
}

double sampleAngle(const Scan &scan, int i)
{
    return scan.serial ? ScanModes::serialSampleAngle(i) : ScanModes::streamSampleAngle(i, scan.pointsPerDegree);
}

QPointF samplePoint(const Scan &scan, int i) { return beamPoint(scan.distances.at(i), sampleAngle(scan, i)); }

void classifyScan(const std::array<OutputZone, 3> &zones, const Scan &scan, QVector<quint8> &masks, quint8 latched,
                  int hysteresis)
{
    QPolygonF points(scan.distances.size());
    for (int i = 0; i < points.size(); ++i)
        points[i] = samplePoint(scan, i);
    classifyPoints(zones, points, masks, latched, hysteresis);
}

quint8 detectOutputs(const std::array<OutputZone, 3> &zones, const AreaRecord &area, const Scan &scan, quint8 latched)
{
    const int needed = samplesForDetectionSize(area.DetectionSize, scan.pointsPerDegree);
    QVector<quint8> masks;
    classifyScan(zones, scan, masks, latched, area.Hysteresis);
    quint8 bits = 0;
    for (int k = 0; k < 3; ++k) {
        const unsigned bit = 1u << k;
        int run = 0;
        for (int i = 0; i < masks.size(); ++i) {
            // A beam without echo lies in no zone, so it breaks a run.
            if ((masks.at(i) & bit) != 0) {
                if (++run >= needed) {
                    bits |= quint8(bit);
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
