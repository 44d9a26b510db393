#pragma once

// Teach-in: a polygon zone taken from the live scan. Per beam the nearest
// echo of several scans, a clearance kept from everything seen, and a polygon
// of at most 100 points that stays inside that clearance everywhere. Pure
// functions over plain data; angles are model degrees (counter-clockwise
// from +x) in the vehicle's frame, ascending.

#include <QPoint>
#include <QVector>
#include <optional>

namespace TeachIn {

constexpr int ScanCount = 10;
constexpr int MaxPoints = 100;
// A zone that must come closer to the scanner than this anywhere is refused:
// its points would no longer keep their order around the scanner.
constexpr double MinReach = 50.0;

// nearest[i] becomes the smaller non-zero of itself and scan[i] (0 is a beam
// without echo). nearest grows to the scan's size with zeros.
void keepNearest(QVector<quint16> &nearest, const QVector<quint16> &scan);

// Per beam the farthest the zone may reach along it: no point of the zone's
// edge on that beam comes nearer than `margin` to any echo. A beam that never
// returned an echo is bounded like its nearest neighbours that did. Also kept
// within the -32767..32767 mm the scanner stores a coordinate in. Empty when
// no beam returned an echo.
QVector<double> reachLimits(const QVector<double> &degrees, const QVector<quint16> &nearest, double margin);

// How far the star polygon the editor draws from `points` (origin, points by
// ascending angle, origin) reaches along the direction `degrees`; 0 outside it.
double reachAt(const QVector<QPoint> &points, double degrees);

// True when the scanner takes the points as they are, in either install
// direction: at most 100, every coordinate within -32767..32767, and no two
// at the same angle (the scanner keeps one point per angle).
bool sendable(const QVector<QPoint> &points);

// At most MaxPoints integer points from the first beam to the last whose
// polygon reaches along no beam further than its limit. Nothing when that
// cannot be done (too few beams, or a limit under MinReach).
std::optional<QVector<QPoint>> simplifyInward(const QVector<double> &degrees, const QVector<double> &limits);

// The whole teach: the beams put in ascending order of angle (a scan comes
// in either order), their limits, then the polygon.
std::optional<QVector<QPoint>> teach(const QVector<double> &degrees, const QVector<quint16> &nearest, double margin);

} // namespace TeachIn
