#pragma once

// Whether a point lies inside an output's zone: the one decision the live
// display's intrusions and the scanner emulator's outputs are both made of.
// A zone is the shape the editor draws (ZoneGeometry); points are model
// millimetres (x right, y forward) in the frame the zone was drawn in.

#include "arearecord.h"

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QVector>
#include <array>

// The scene extent the derived forms are cut against: the largest range
// class's, so a straight cut reaches across every zone.
constexpr double kZoneSceneExtent = 120000.0;

// One output's zone flattened into edges for fast point tests.
struct OutputZone
{
    struct Edge
    {
        double x0, y0, x1, y1; // y0 < y1; scene coordinates (y down), unscaled
        int direction;         // +1 downwards in the polygon's order, -1 upwards
    };

    bool present = false;
    Qt::FillRule fillRule = Qt::WindingFill;
    QRectF bounds;
    double scale = 1.0; // the zone is drawn scaled about the origin (ratio form)
    // The edges by horizontal band of bounds: a point meets only its band's.
    QVector<QVector<Edge>> bands;

    // True when the model point lies inside.
    bool contains(const QPointF &modelPoint) const;
    // The zone of these polygons (scene coordinates), filled by rule.
    void setPolygons(const QVector<QPolygonF> &polygons, Qt::FillRule rule);
};

std::array<OutputZone, 3> outputZones(const AreaRecord &area);

// A beam's echo as a model point: distance along angleDegrees (counter-
// clockwise from +x), in double. mirrored negates x: a scanner mounted
// reversed sees the vehicle's world mirrored left to right.
QPointF beamPoint(double distance, double angleDegrees, bool mirrored = false);

// Per point a mask, bit k set when output k's zone holds it. A point exactly
// on the origin is a beam without echo and lies in no zone. An output whose
// bit is in `latched` is tested against its zone widened by `hysteresis`
// percent, so a set output does not chatter at the edge. masks keeps its
// storage.
void classifyPoints(const std::array<OutputZone, 3> &zones, const QPolygonF &points, QVector<quint8> &masks,
                    quint8 latched = 0, int hysteresis = 0);
