#include "syntheticworld.h"

#include "scanmodes.h"

#include <QtMath>
#include <cmath>
#include <limits>

quint64 mixBits(quint64 a, quint64 b, quint64 c)
{
    quint64 z = a + 0x9E3779B97F4A7C15ULL * (b + 1) + 0xBF58476D1CE4E5B9ULL * (c + 1);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

namespace {
double unit(quint64 bits) { return double(bits >> 11) / double(1ULL << 53); } // [0, 1)
} // namespace

SyntheticWorld::SyntheticWorld(quint64 seed)
    : m_seed(seed)
    , m_room(-3500, -2500, 8000, 8000)
    , m_radius(250)
    , m_pathY(2200)
    , m_pathHalfWidth(2000)
    , m_speed(600 + 400 * unit(mixBits(seed, 1)))
    , m_phase(unit(mixBits(seed, 2)))
    , m_noise(12)
{
}

QPointF SyntheticWorld::obstacleCentre(qint64 timeMs) const
{
    // Triangle wave: one cycle is there and back again over the full width.
    const double cycleMs = 4.0 * m_pathHalfWidth / m_speed * 1000.0;
    double f = std::fmod(double(timeMs) / cycleMs + m_phase, 1.0);
    if (f < 0)
        f += 1.0;
    const double x = f < 0.5 ? -m_pathHalfWidth + 4 * m_pathHalfWidth * f
                             : 3 * m_pathHalfWidth - 4 * m_pathHalfWidth * f;
    return QPointF(x, m_pathY);
}

double SyntheticWorld::rayDistance(double angleDeg, qint64 timeMs, bool *hitObstacle) const
{
    const double a = qDegreesToRadians(angleDeg);
    const double ux = std::cos(a), uy = std::sin(a);
    const double inf = std::numeric_limits<double>::infinity();
    // The scanner stands inside the room, so every ray leaves through a wall.
    const double tx = ux > 1e-12 ? m_room.right() / ux : ux < -1e-12 ? m_room.left() / ux : inf;
    const double ty = uy > 1e-12 ? m_room.bottom() / uy : uy < -1e-12 ? m_room.top() / uy : inf;
    double t = std::min(tx, ty);
    bool obstacle = false;
    const QPointF c = obstacleCentre(timeMs);
    const double along = ux * c.x() + uy * c.y();
    const double missSq = c.x() * c.x() + c.y() * c.y() - along * along;
    const double rr = m_radius * m_radius;
    if (along > 0 && missSq <= rr) {
        const double hit = along - std::sqrt(rr - missSq);
        if (hit > 0 && hit < t) {
            t = hit;
            obstacle = true;
        }
    }
    if (hitObstacle)
        *hitObstacle = obstacle;
    return t;
}

Echo SyntheticWorld::echo(double angleDeg, qint64 timeMs, quint64 noiseKey) const
{
    bool obstacle = false;
    const double d = rayDistance(angleDeg, timeMs, &obstacle);
    const quint64 bits = mixBits(m_seed, noiseKey);
    const double noisy = d + (2 * unit(bits) - 1) * m_noise;
    Echo e;
    e.distance = quint16(qBound(1.0, std::round(noisy), 65535.0));
    // Nearer and shinier surfaces return more light; the obstacle is reflective tape.
    const double base = obstacle ? 2400.0 : 300.0 + 3.0e6 / (d + 2500.0);
    e.intensity = quint16(qBound(1.0, std::round(base + 40.0 * (unit(bits >> 7) - 0.5)), 65535.0));
    return e;
}

namespace {
template <typename AngleOf>
Scan makeScan(const SyntheticWorld &world, qint64 scanIndex, qint64 timeMs, int g, int count, bool reversed,
              bool serial, AngleOf angleOf)
{
    Scan scan;
    scan.pointsPerDegree = g;
    scan.serial = serial;
    scan.distances.resize(count);
    scan.intensities.resize(count);
    const quint64 scanKey = mixBits(quint64(scanIndex), quint64(g));
    for (int i = 0; i < count; ++i) {
        const Echo e = world.echo(worldAngle(angleOf(i), reversed), timeMs, mixBits(scanKey, quint64(i)));
        scan.distances[i] = e.distance;
        scan.intensities[i] = e.intensity;
    }
    return scan;
}
} // namespace

Scan serialScan(const SyntheticWorld &world, qint64 scanIndex, qint64 timeMs, bool reversed)
{
    return makeScan(world, scanIndex, timeMs, 2, ScanModes::SerialSamples, reversed, true,
                    ScanModes::serialSampleAngle);
}

Scan streamScan(const SyntheticWorld &world, qint64 scanIndex, qint64 timeMs, int g, bool reversed)
{
    g = qBound(1, g, 40);
    return makeScan(world, scanIndex, timeMs, g, ScanModes::FieldDegrees * g, reversed, false,
                    [g](int i) { return ScanModes::streamSampleAngle(i, g); });
}
