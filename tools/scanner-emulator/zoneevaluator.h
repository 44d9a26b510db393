#pragma once

// Which outputs of an area a scan sets. A zone is the same shape the editor
// draws (shared zone geometry); output k counts as detecting while a run of
// neighbouring samples at least as wide as the area's detection size lies
// inside output k's zone. Switching delays and hysteresis then shape the
// output over time.

#include "arearecord.h"
#include "syntheticworld.h"

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QVector>
#include <array>

// The scene extent the derived forms are cut against: the largest range
// class's, so a straight cut reaches across every zone.
constexpr double kZoneSceneExtent = 120000.0;

// One output's zone flattened into polygons for fast point tests.
struct OutputZone
{
    bool present = false;
    QVector<QPolygonF> polygons; // scene coordinates (y down), unscaled
    Qt::FillRule fillRule = Qt::WindingFill;
    QRectF bounds;
    double scale = 1.0; // the zone is drawn scaled about the origin (ratio form)

    // True when the model point (x forward-right, y forward) lies inside.
    bool contains(const QPointF &modelPoint) const;
};

std::array<OutputZone, 3> outputZones(const AreaRecord &area);

// Samples needed side by side for a detection-size index: (index + 1) x 0.5
// degrees at g samples per degree, at least one.
int samplesForDetectionSize(int detectionSizeIndex, int g);

// Scanner-frame point of sample i of a scan (0 distance gives the origin).
QPointF samplePoint(const Scan &scan, int i);

// Raw detection: bit k set when output k's zone holds a long enough run of
// samples. `latched` marks outputs that are on now: hysteresis widens their
// zone by area.Hysteresis percent so they do not chatter at the edge.
quint8 detectOutputs(const std::array<OutputZone, 3> &zones, const AreaRecord &area, const Scan &scan,
                     quint8 latched = 0);

// Applies the on and off delays (index x 20 ms) to the raw detections.
class OutputTimer
{
public:
    quint8 update(quint8 raw, qint64 nowMs, int openDelayIndex, int closeDelayIndex);
    quint8 outputs() const { return m_outputs; }
    void reset() { *this = OutputTimer(); }

private:
    quint8 m_outputs = 0;
    std::array<qint64, 3> m_pendingSince{{-1, -1, -1}}; // raw differs from output since
};
