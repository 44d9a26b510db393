#pragma once

#include <QLineF>
#include <QPolygonF>
#include <QVector>
#include <QtGlobal>

struct LinkState;

// Where the live samples of LinkState lie in the scene. Scene units are
// millimetres with y down, so a beam angle of t degrees points to model
// direction -t: 110 is the left end of the 320-degree field, 270 straight
// ahead, 430 the right end. No painting here.
namespace LiveScan {

enum class Plot { Distance, Intensity };

// Serial sample i of 640, half a degree apart; computed in double.
double serialBeamDegrees(int i);
// Ethernet sample i of a scan of n samples; computed in single precision.
// A scanner mounted reversed scans the other way round.
float netBeamDegrees(int i, int n, bool reversed);

// The first buffer index an Ethernet plot draws: the outline of a reversed
// scanner takes samples 1..n (its last one at the right end), everything
// else 0..n-1.
int firstNetSample(Plot plot, bool reversed);

// The origin, one point per sample, the origin again, written into polygon,
// whose storage is reused: once it has grown to a scan's size, rebuilding
// allocates nothing. Empty for a connection kind without a display.
void buildPolygon(const LinkState &link, Plot plot, QPolygonF &polygon);

// True when every point lies on the origin: nothing to show.
bool allAtOrigin(const QPolygonF &polygon);

// Colour rule of the Ethernet line display between two neighbouring samples:
// green when both returned light and the range jumps by at most 199 mm.
bool segmentGreen(quint16 distance0, quint16 distance1, quint16 intensity0, quint16 intensity1);

// The outline's segments between neighbouring polygon points, sorted by the
// colour rule. Polygon point p (1..n-2) is buffer entry firstSample + p - 1
// of NetDistances and NetIntensities, so each segment is judged by the two
// samples it joins; the segments from and to the origin join no pair and are
// grey, as are entries beyond the buffers. Segments of zero length are
// dropped; consecutive segments of one colour whose joint lies within
// `tolerance` (on both axes) of where the run started are drawn as one.
// Segments wholly outside `visible` are dropped when it is valid and the
// rest cut to it; all are moved by -origin. Both vectors keep their storage.
void splitSegments(const QPolygonF &polygon, const LinkState &link, int firstSample, double tolerance,
                   const QRectF &visible, const QPointF &origin, QVector<QLineF> &green, QVector<QLineF> &grey);

// The polygon without the points that lie within `tolerance` (on both axes)
// of the last point kept; the first and last are always kept. With a
// tolerance under a pixel the drawing moves by less than that pixel, and a
// scan of thousands of samples seen whole costs what its size on screen does.
void thinPolygon(const QPolygonF &polygon, double tolerance, QPolygonF &out);

// The polygon cut to a rectangle (Sutherland-Hodgman). Inside the rectangle
// the winding number of every point is kept, so fills are unchanged there;
// the edges added along its border are the only new ones. Moved by -origin.
// scratch and out keep their storage.
void clipPolygon(const QPolygonF &polygon, const QRectF &rect, const QPointF &origin, QPolygonF &scratch,
                 QPolygonF &out);

// The points to draw as dots: those inside `visible` (all when it is not
// valid), off the origin, where a sample without echo lies, and not within
// `tolerance` (on both axes) of the dot drawn before. Moved by -origin; out
// keeps its storage.
void dotPoints(const QPolygonF &polygon, double tolerance, const QRectF &visible, const QPointF &origin,
               QPolygonF &out);

// Samples of the last scan: 640 on the serial line, NetScanLength over
// Ethernet (as far as the rings hold), 0 for any other connection kind.
int sampleCount(const LinkState &link);

// Scanner-frame angle (model degrees) at which distance sample i was
// measured. The serial buffer holds a scan in reverse unless the scanner is
// mounted reversed; the Ethernet ring holds it as it came, right end first.
double scannerDegrees(const LinkState &link, int i);

// The last scan's distances as model points (millimetres, y forward) of the
// vehicle's frame, a reversed scanner's mirrored back, in buffer order; a
// sample without echo lies on the origin. These are the points the scanner
// judges its zones by, in the same arithmetic. points keeps its storage.
void modelSamples(const LinkState &link, QPolygonF &points);

} // namespace LiveScan
