#pragma once

#include "arearecord.h"

#include <QPainterPath>
#include <QPoint>
#include <QPolygonF>
#include <QVector>
#include <array>
#include <optional>

// Turns an output's points into the zone the editor, the area thumbnails and
// the scanner emulator draw. Scene coordinates throughout: one unit is one
// millimetre and model (x, y) stands at (x, -y).
namespace ZoneGeometry {

// Truncates towards zero like a cast, but saturates instead of overflowing.
int truncToInt(double v);

// Polar to cartesian with the toolkit's table sine and cosine (qFastSin and
// qFastCos), truncated towards zero. The live display uses this one; it is
// not bit-identical to fromPolar and must not replace it.
QPoint fromPolarFast(double distance, double angle);

// Star-shaped polygon around the scanner: the origin, every point in ascending
// single-precision angle (a later point replaces an earlier one at exactly the
// same angle), the origin again.
QPolygonF angularPolygon(const QVector<QPoint> &points);

// Sector with its apex on the scanner between the two points' angles, with
// the larger of their radii. Empty optional unless exactly two points.
std::optional<QPainterPath> arcSector(const QVector<QPoint> &points);

// Derived forms over the previous output's zone; p is the form's single point.
// Straight: everything of base from the scene's lower edge up to model y = p.y.
QPainterPath straightCut(const QPainterPath &base, const QPoint &p, double sceneWidth, double sceneHeight);
// Fan: base trimmed to radius p.y between model directions -45 and 225 degrees.
QPainterPath fanTrim(const QPainterPath &base, const QPoint &p);
// Ratio: the uniform scale about the origin at which base is drawn.
double ratioScale(const QPainterPath &base, const QPoint &p);

struct Zone
{
    bool drawn = false;    // false: nothing is drawn and nothing handed on
    bool outlined = false; // drawn with the white outline pen (not the arc)
    QPainterPath path;     // what is drawn, before `scale`
    double scale = 1.0;    // uniform drawing scale about the origin (ratio form)
    QPainterPath handOver; // what the next output derives from
};

// One output's zone. base is the zone the previous output handed on, or null
// for the first output (which has no derived forms).
Zone zone(int shape, const QVector<QPoint> &points, const QPainterPath *base, double sceneWidth,
          double sceneHeight);

// All three zones of an area in one pass, each derived output built on the
// output before it as it stands now (for thumbnails and the emulator).
std::array<Zone, 3> areaZones(const AreaRecord &area, double sceneWidth, double sceneHeight);

} // namespace ZoneGeometry
