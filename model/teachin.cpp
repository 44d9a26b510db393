#include "teachin.h"

#include "polar.h"

#include <QMap>
#include <QtMath>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace TeachIn {

namespace {
constexpr double kCoordinateLimit = 32767.0;
// The polygon is built this far inside the limits, so that truncating its
// points to whole millimetres cannot carry an edge past a limit.
constexpr double kSlack = 2.0;
constexpr int kSweeps = 8;

double foldedAngle(double x, double y)
{
    double a = std::atan2(y, x);
    if (a < -M_PI / 2)
        a += 2 * M_PI;
    return a;
}

// The points as the editor orders them: by ascending angle, one per angle.
QVector<QPoint> starOrder(const QVector<QPoint> &points)
{
    QMap<float, QPoint> byAngle;
    for (const QPoint &p : points)
        byAngle.insert(polarAngle(p.x(), p.y()), p);
    QVector<QPoint> ring;
    for (auto it = byAngle.cbegin(); it != byAngle.cend(); ++it)
        ring.append(it.value());
    return ring;
}

QVector<double> anglesOf(const QVector<QPoint> &ring)
{
    QVector<double> angles;
    for (const QPoint &p : ring)
        angles << foldedAngle(p.x(), p.y());
    return angles;
}

// reachAt over a ring already in star order, with its points' angles.
double reachOfRing(const QVector<QPoint> &ring, const QVector<double> &angles, double degrees)
{
    const double t = qDegreesToRadians(degrees);
    const double ux = std::cos(t), uy = std::sin(t);
    for (int k = 0; k + 1 < ring.size(); ++k) {
        const QPointF a = ring.at(k), b = ring.at(k + 1);
        if (t < angles.at(k) || t > angles.at(k + 1))
            continue;
        const double den = ux * (b.y() - a.y()) - uy * (b.x() - a.x());
        if (den <= 0)
            return 0;
        return (a.x() * b.y() - a.y() * b.x()) / den;
    }
    // A lone point, or exactly on one: its own distance.
    for (int k = 0; k < ring.size(); ++k)
        if (std::fabs(angles.at(k) - t) < 1e-12)
            return std::hypot(double(ring.at(k).x()), double(ring.at(k).y()));
    return 0;
}
} // namespace

void keepNearest(QVector<quint16> &nearest, const QVector<quint16> &scan)
{
    if (nearest.size() < scan.size())
        nearest.resize(scan.size());
    for (int i = 0; i < scan.size(); ++i) {
        const quint16 d = scan.at(i);
        if (d != 0 && (nearest.at(i) == 0 || d < nearest.at(i)))
            nearest[i] = d;
    }
}

QVector<double> reachLimits(const QVector<double> &degrees, const QVector<quint16> &nearest, double margin)
{
    const int n = qMin(degrees.size(), nearest.size());
    const double inf = std::numeric_limits<double>::infinity();
    // A beam without echo takes the nearer of the closest echoes on each side.
    QVector<double> d(n, inf);
    double last = inf;
    for (int i = 0; i < n; ++i) {
        if (nearest.at(i) != 0)
            last = nearest.at(i);
        d[i] = last;
    }
    last = inf;
    for (int i = n - 1; i >= 0; --i) {
        if (nearest.at(i) != 0)
            last = nearest.at(i);
        d[i] = qMin(d[i], last);
    }
    if (n == 0 || std::isinf(d[0]))
        return {};

    const double m = qMax(0.0, margin);
    QVector<double> radians(n), cosines(n), sines(n);
    QVector<double> limit(n);
    for (int i = 0; i < n; ++i) {
        radians[i] = qDegreesToRadians(degrees.at(i));
        cosines[i] = std::cos(radians[i]);
        sines[i] = std::sin(radians[i]);
        limit[i] = qMin(d[i] - m, std::floor(kCoordinateLimit / qMax(std::fabs(cosines[i]), std::fabs(sines[i]))));
    }
    if (m > 0) {
        // Along beam i the edge stays out of the disc of radius m around every
        // echo j; only echoes within asin(m / d) of the beam can reach it.
        for (int j = 0; j < n; ++j) {
            const double dj = d[j];
            const double half = dj <= m ? M_PI : std::asin(m / dj);
            for (int step : {-1, 1}) {
                for (int i = j + step; i >= 0 && i < n; i += step) {
                    if (std::fabs(radians[i] - radians[j]) >= half)
                        break;
                    // The echo's distance across beam i and along it.
                    const double h = dj * std::fabs(sines[i] * cosines[j] - cosines[i] * sines[j]);
                    if (h >= m)
                        continue;
                    const double s = std::sqrt(m * m - h * h);
                    const double a = dj * (cosines[i] * cosines[j] + sines[i] * sines[j]);
                    if (a + s > 0)
                        limit[i] = qMin(limit[i], a - s);
                }
            }
        }
    }
    for (double &l : limit)
        l = qMax(0.0, l);
    return limit;
}

double reachAt(const QVector<QPoint> &points, double degrees)
{
    const QVector<QPoint> ring = starOrder(points);
    return reachOfRing(ring, anglesOf(ring), degrees);
}

bool sendable(const QVector<QPoint> &points)
{
    if (points.isEmpty() || points.size() > MaxPoints)
        return false;
    QVector<float> angles, mirrored;
    for (const QPoint &p : points) {
        if (std::abs(p.x()) > kCoordinateLimit || std::abs(p.y()) > kCoordinateLimit)
            return false;
        angles << polarAngle(p.x(), p.y());
        mirrored << polarAngle(-p.x(), p.y());
    }
    for (QVector<float> *list : {&angles, &mirrored}) {
        std::sort(list->begin(), list->end());
        if (std::adjacent_find(list->begin(), list->end()) != list->end())
            return false;
    }
    return true;
}

std::optional<QVector<QPoint>> simplifyInward(const QVector<double> &degrees, const QVector<double> &limits)
{
    const int n = qMin(degrees.size(), limits.size());
    if (n < 2)
        return std::nullopt;
    for (int i = 0; i < n; ++i)
        if (!(limits.at(i) >= MinReach))
            return std::nullopt;

    // The corners stand on evenly spread beams, first and last included.
    const int chords = qMin(MaxPoints - 1, n - 1);
    QVector<int> beam(chords + 1);
    for (int j = 0; j <= chords; ++j)
        beam[j] = int((qint64(j) * (n - 1) + chords / 2) / chords);
    QVector<double> theta(n), lim(n);
    for (int i = 0; i < n; ++i) {
        theta[i] = qDegreesToRadians(degrees.at(i));
        lim[i] = limits.at(i) - kSlack;
    }

    // Start: every chord inside the circle of its sector's smallest limit (a
    // chord between two points of a disc stays in the disc). Then each corner
    // moves out as far as the beams under its two chords let it, in turn.
    QVector<double> sector(chords);
    for (int s = 0; s < chords; ++s)
        sector[s] = *std::min_element(lim.constBegin() + beam[s], lim.constBegin() + beam[s + 1] + 1);
    QVector<double> w(chords + 1); // 1 / the corner's distance
    for (int j = 0; j <= chords; ++j)
        w[j] = 1.0 / qMin(j > 0 ? sector[j - 1] : sector[0], j < chords ? sector[j] : sector[chords - 1]);
    // Beam i lies at angles A after corner a and B before corner b; the chord
    // reaches along it no further than lim[i] while
    // sin(A + B) <= lim[i] * (sin B * w[a] + sin A * w[b]).
    for (int sweep = 0; sweep < kSweeps; ++sweep) {
        for (int j = 0; j <= chords; ++j) {
            double need = 1.0 / lim[beam[j]];
            if (j > 0) {
                const double span = std::sin(theta[beam[j]] - theta[beam[j - 1]]);
                for (int i = beam[j - 1] + 1; i < beam[j]; ++i) {
                    const double a = std::sin(theta[i] - theta[beam[j - 1]]);
                    const double b = std::sin(theta[beam[j]] - theta[i]);
                    if (a > 0)
                        need = qMax(need, (span - lim[i] * b * w[j - 1]) / (lim[i] * a));
                }
            }
            if (j < chords) {
                const double span = std::sin(theta[beam[j + 1]] - theta[beam[j]]);
                for (int i = beam[j] + 1; i < beam[j + 1]; ++i) {
                    const double a = std::sin(theta[i] - theta[beam[j]]);
                    const double b = std::sin(theta[beam[j + 1]] - theta[i]);
                    if (b > 0)
                        need = qMax(need, (span - lim[i] * a * w[j + 1]) / (lim[i] * b));
                }
            }
            w[j] = need;
        }
    }

    // Whole millimetres towards the scanner; should rounding still carry an
    // edge past a limit, the polygon shrinks a little and is tried again.
    for (double shrink = 1.0; shrink > 0.9; shrink -= 0.02) {
        QVector<QPoint> points;
        points.reserve(chords + 1);
        for (int j = 0; j <= chords; ++j) {
            const double r = shrink / w[j];
            points << QPoint(int(r * std::cos(theta[beam[j]])), int(r * std::sin(theta[beam[j]])));
        }
        bool inside = sendable(points);
        const QVector<QPoint> ring = starOrder(points);
        const QVector<double> angles = anglesOf(ring);
        for (int i = 0; inside && i < n; ++i)
            inside = reachOfRing(ring, angles, degrees.at(i)) <= limits.at(i);
        if (inside)
            return points;
    }
    return std::nullopt;
}

std::optional<QVector<QPoint>> teach(const QVector<double> &degrees, const QVector<quint16> &nearest, double margin)
{
    const int n = qMin(degrees.size(), nearest.size());
    QVector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return degrees.at(a) < degrees.at(b); });
    QVector<double> sortedDegrees(n);
    QVector<quint16> sortedNearest(n);
    for (int k = 0; k < n; ++k) {
        sortedDegrees[k] = degrees.at(order.at(k));
        sortedNearest[k] = nearest.at(order.at(k));
    }
    // Where the nearest echo of all lies within the margin and MinReach, no
    // zone can be: say so before the costly part.
    quint16 nearestEcho = 0;
    for (quint16 d : sortedNearest)
        if (d != 0 && (nearestEcho == 0 || d < nearestEcho))
            nearestEcho = d;
    if (nearestEcho == 0 || nearestEcho - qMax(0.0, margin) < MinReach)
        return std::nullopt;
    const QVector<double> limits = reachLimits(sortedDegrees, sortedNearest, margin);
    if (limits.isEmpty())
        return std::nullopt;
    return simplifyInward(sortedDegrees, limits);
}

} // namespace TeachIn
