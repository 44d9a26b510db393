#pragma once

// Which outputs of an area a scan sets. Whether a sample lies in output k's
// zone is decided by the model's OutputZone, as the tool's live display
// decides it; output k counts as detecting while a run of
// neighbouring samples at least as wide as the area's detection size lies
// inside output k's zone. Switching delays and hysteresis then shape the
// output over time.

#include "arearecord.h"
#include "outputzone.h"

#include <QPointF>
#include <QVector>
#include <array>

// One scan in the scanner's own frame, samples in wire order (right end first).
struct Scan
{
    int pointsPerDegree = 2;
    // The serial line's scan: its samples stand half a step in from the right
    // end. A streamed scan at 0.5 degrees has as many samples, at the ends.
    bool serial = false;
    QVector<quint16> distances;
    QVector<quint16> intensities;
};

// Samples needed side by side for a detection-size index: (index + 1) x 0.5
// degrees at g samples per degree, at least one.
int samplesForDetectionSize(int detectionSizeIndex, int g);

// Scanner-frame angle (degrees) and point of sample i of a scan (0 distance
// gives the origin).
double sampleAngle(const Scan &scan, int i);
QPointF samplePoint(const Scan &scan, int i);
// Every sample's point, and per sample the outputs whose zone holds it.
void classifyScan(const std::array<OutputZone, 3> &zones, const Scan &scan, QVector<quint8> &masks,
                  quint8 latched = 0, int hysteresis = 0);

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
