#pragma once

#include "zonegeometry.h"

#include <QPainterPath>
#include <QPoint>
#include <QVector>

// One output's zone, worked out again only when what it is made from changes.
// The editor repaints on every zoom, pan and live scan while the zones stay
// as they are; working out a 100-point zone costs more than drawing it.
class ZoneMemo
{
public:
    // The same as ZoneGeometry::zone with these arguments.
    const ZoneGeometry::Zone &zone(int shape, const QVector<QPoint> &points, const QPainterPath *base,
                                   double sceneWidth, double sceneHeight);

    // How many times the zone was worked out rather than reused.
    int workedOut() const { return count; }

private:
    bool known = false;
    int count = 0;
    int shape = 0;
    QVector<QPoint> points;
    bool hasBase = false;
    QPainterPath base;
    double sceneWidth = 0;
    double sceneHeight = 0;
    ZoneGeometry::Zone result;
};
