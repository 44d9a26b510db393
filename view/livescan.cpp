#include "livescan.h"

#include "linkstate.h"
#include "outputzone.h"
#include "zonegeometry.h"

#include <cstdlib>

namespace LiveScan {

namespace {
constexpr double kSerialRadPerDeg = 0.017453292519943295;
constexpr float kNetRadPerDeg = 0.017453292f;

bool near(const QPointF &a, const QPointF &b, double tolerance)
{
    return qAbs(a.x() - b.x()) < tolerance && qAbs(a.y() - b.y()) < tolerance;
}

quint16 sampleAt(const QVector<quint16> &buffer, int i) { return i >= 0 && i < buffer.size() ? buffer[i] : 0; }

// One side of the clipping rectangle: keeps points where inside() holds.
template <typename Inside, typename Cross>
void clipEdge(const QPolygonF &in, QPolygonF &out, Inside inside, Cross cross)
{
    out.resize(0);
    const int n = in.size();
    if (n == 0)
        return;
    QPointF prev = in[n - 1];
    bool prevIn = inside(prev);
    for (int i = 0; i < n; ++i) {
        const QPointF cur = in[i];
        const bool curIn = inside(cur);
        if (curIn != prevIn)
            out.append(cross(prev, cur));
        if (curIn)
            out.append(cur);
        prev = cur;
        prevIn = curIn;
    }
}

QPointF atX(const QPointF &a, const QPointF &b, double x)
{
    return QPointF(x, a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x()));
}

QPointF atY(const QPointF &a, const QPointF &b, double y)
{
    return QPointF(a.x() + (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()), y);
}

// Liang-Barsky: cuts the segment a-b to rect; false when nothing is left.
bool clipSegment(QPointF &a, QPointF &b, const QRectF &rect)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    double t0 = 0.0, t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - rect.left(), rect.right() - a.x(), a.y() - rect.top(), rect.bottom() - a.y()};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0) {
            if (t > t1)
                return false;
            if (t > t0)
                t0 = t;
        } else {
            if (t < t0)
                return false;
            if (t < t1)
                t1 = t;
        }
    }
    const QPointF start = a;
    a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}
} // namespace

double serialBeamDegrees(int i) { return 110.0 + 0.5 * i; }

float netBeamDegrees(int i, int n, bool reversed)
{
    const float step = 320.0f / float(n);
    return reversed ? step * float(i - n) + 430.0f : step * float(n - i) + 110.0f;
}

int firstNetSample(Plot plot, bool reversed) { return plot == Plot::Distance && reversed ? 1 : 0; }

void buildPolygon(const LinkState &link, Plot plot, QPolygonF &polygon)
{
    const bool distance = plot == Plot::Distance;
    if (link.ConnectionKind == 0) {
        const QVector<quint16> &samples = distance ? link.SerialDistances : link.SerialIntensities;
        // Both plots run over the distance scan's length; the buffers match.
        const int n = qMin(link.SerialDistances.size(), samples.size());
        polygon.resize(n + 2);
        QPointF *out = polygon.data();
        out[0] = QPointF(0, 0);
        for (int i = 0; i < n; ++i)
            out[i + 1] = ZoneGeometry::fromPolarFast(samples[i], serialBeamDegrees(i) * kSerialRadPerDeg);
        out[n + 1] = QPointF(0, 0);
    } else if (link.ConnectionKind == 1) {
        const QVector<quint16> &samples = distance ? link.NetDistances : link.NetIntensities;
        const bool reversed = link.DirectionReversed;
        const int first = firstNetSample(plot, reversed);
        const int n = qBound(0, link.NetScanLength, samples.size() - first);
        polygon.resize(n + 2);
        QPointF *out = polygon.data();
        out[0] = QPointF(0, 0);
        for (int k = 0; k < n; ++k) {
            const int i = first + k;
            const float radians = netBeamDegrees(i, link.NetScanLength, reversed) * kNetRadPerDeg;
            out[k + 1] = ZoneGeometry::fromPolarFast(samples[i], double(radians));
        }
        out[n + 1] = QPointF(0, 0);
    } else {
        polygon.resize(0);
    }
}

bool allAtOrigin(const QPolygonF &polygon)
{
    for (const QPointF &p : polygon)
        if (p.x() != 0.0 || p.y() != 0.0)
            return false;
    return true;
}

bool segmentGreen(quint16 distance0, quint16 distance1, quint16 intensity0, quint16 intensity1)
{
    return intensity0 != 0 && intensity1 != 0 && std::abs(int(distance1) - int(distance0)) <= 199;
}

void splitSegments(const QPolygonF &polygon, const LinkState &link, int firstSample, double tolerance,
                   const QRectF &visible, const QPointF &origin, QVector<QLineF> &green, QVector<QLineF> &grey)
{
    green.resize(0);
    grey.resize(0);
    const int last = polygon.size() - 1; // the closing origin
    // Colour of segment k, from polygon point k - 1 to point k.
    const auto isGreen = [&](int k) {
        if (k <= 1 || k >= last)
            return false;
        const int i = firstSample + k - 2; // the sample at point k - 1
        return segmentGreen(sampleAt(link.NetDistances, i), sampleAt(link.NetDistances, i + 1),
                            sampleAt(link.NetIntensities, i), sampleAt(link.NetIntensities, i + 1));
    };
    const bool cut = visible.isValid();
    QPointF from = last >= 0 ? polygon[0] : QPointF();
    bool colour = isGreen(1);
    for (int k = 1; k <= last; ++k) {
        const QPointF to = polygon[k];
        const bool nextColour = k < last && isGreen(k + 1);
        // The run goes on through this joint while it stays within the
        // tolerance of its start and the colour does not change.
        if (k < last && nextColour == colour && near(to, from, tolerance))
            continue;
        QPointF a = from, b = to;
        if (a != b && (!cut || clipSegment(a, b, visible)))
            (colour ? green : grey).append(QLineF(a - origin, b - origin));
        from = to;
        colour = nextColour;
    }
}

void thinPolygon(const QPolygonF &polygon, double tolerance, QPolygonF &out)
{
    out.resize(0);
    const int n = polygon.size();
    for (int i = 0; i < n; ++i)
        if (i == 0 || i == n - 1 || !near(polygon[i], out.last(), tolerance))
            out.append(polygon[i]);
}

void clipPolygon(const QPolygonF &polygon, const QRectF &rect, const QPointF &origin, QPolygonF &scratch,
                 QPolygonF &out)
{
    const double l = rect.left(), r = rect.right(), t = rect.top(), b = rect.bottom();
    clipEdge(polygon, out, [l](const QPointF &p) { return p.x() >= l; },
             [l](const QPointF &p, const QPointF &q) { return atX(p, q, l); });
    clipEdge(out, scratch, [r](const QPointF &p) { return p.x() <= r; },
             [r](const QPointF &p, const QPointF &q) { return atX(p, q, r); });
    clipEdge(scratch, out, [t](const QPointF &p) { return p.y() >= t; },
             [t](const QPointF &p, const QPointF &q) { return atY(p, q, t); });
    clipEdge(out, scratch, [b](const QPointF &p) { return p.y() <= b; },
             [b](const QPointF &p, const QPointF &q) { return atY(p, q, b); });
    out.resize(scratch.size());
    for (int i = 0; i < scratch.size(); ++i)
        out[i] = scratch[i] - origin;
}

void dotPoints(const QPolygonF &polygon, double tolerance, const QRectF &visible, const QPointF &origin,
               QPolygonF &out)
{
    out.resize(0);
    const bool cut = visible.isValid();
    QPointF before;
    for (const QPointF &p : polygon) {
        if ((p.x() == 0.0 && p.y() == 0.0) || (cut && !visible.contains(p)))
            continue;
        if (!out.isEmpty() && near(p, before, tolerance))
            continue;
        out.append(p - origin);
        before = p;
    }
}

int sampleCount(const LinkState &link)
{
    if (link.ConnectionKind == 0)
        return link.SerialDistances.size();
    if (link.ConnectionKind == 1)
        return qBound(0, link.NetScanLength, link.NetDistances.size());
    return 0;
}

double scannerDegrees(const LinkState &link, int i)
{
    // The field runs from -70 degrees (right end) over 320 degrees; serial
    // samples stand half a step in from the right end.
    if (link.ConnectionKind == 0) {
        const int k = link.DirectionReversed ? i : link.SerialDistances.size() - 1 - i;
        return -69.5 + 0.5 * k;
    }
    const int n = link.NetScanLength > 0 ? link.NetScanLength : 1;
    return -70.0 + double(i) * 320.0 / double(n);
}

void modelSamples(const LinkState &link, QPolygonF &points)
{
    const int n = sampleCount(link);
    const QVector<quint16> &distances = link.ConnectionKind == 0 ? link.SerialDistances : link.NetDistances;
    points.resize(n);
    for (int i = 0; i < n; ++i)
        points[i] = distances[i] == 0 ? QPointF(0, 0)
                                      : beamPoint(distances[i], scannerDegrees(link, i), link.DirectionReversed);
}

} // namespace LiveScan
