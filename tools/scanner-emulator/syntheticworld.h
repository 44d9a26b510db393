#pragma once

// A small world for the emulated scanner to look at: the walls of a room and
// one round obstacle moving back and forth in front of the scanner. Vehicle
// frame, millimetres, scanner at the origin looking along +y. Everything is a
// function of the seed and the time, so a seed replays the same scans.

#include "zoneevaluator.h"

#include <QPointF>
#include <QRectF>
#include <QVector>
#include <QtGlobal>

struct Echo
{
    quint16 distance = 0; // mm; 0 means no echo
    quint16 intensity = 0;
};

class SyntheticWorld
{
public:
    explicit SyntheticWorld(quint64 seed = 1);

    quint64 seed() const { return m_seed; }
    QRectF room() const { return m_room; }
    double obstacleRadius() const { return m_radius; }
    QPointF obstacleCentre(qint64 timeMs) const;

    // Exact distance along a ray (vehicle-frame angle in degrees), no noise.
    double rayDistance(double angleDeg, qint64 timeMs, bool *hitObstacle = nullptr) const;
    // What a beam reports: the distance with a little noise drawn from
    // (seed, noiseKey), rounded to whole millimetres, and an intensity.
    Echo echo(double angleDeg, qint64 timeMs, quint64 noiseKey) const;

private:
    quint64 m_seed;
    QRectF m_room;        // x from left, y from behind the scanner
    double m_radius;
    double m_pathY;
    double m_pathHalfWidth;
    double m_speed;       // mm/s
    double m_phase;       // 0..1 of a back-and-forth cycle
    double m_noise;       // +- mm
};

// The 640-sample scan of the serial line, or a streamed scan with g samples
// per degree (320 * g samples). A scanner mounted reversed sees the world
// mirrored left to right; the tool mirrors it back. A stopped motor (asleep)
// reports no echoes.
Scan serialScan(const SyntheticWorld &world, qint64 scanIndex, qint64 timeMs, bool reversed);
Scan streamScan(const SyntheticWorld &world, qint64 scanIndex, qint64 timeMs, int g, bool reversed);
// Scanner-frame sample angle to the vehicle-frame angle the world is asked for.
inline double worldAngle(double scannerAngleDeg, bool reversed)
{
    return reversed ? 180.0 - scannerAngleDeg : scannerAngleDeg;
}
// A 64-bit mix of its inputs (splitmix64), for noise that can be drawn in any order.
quint64 mixBits(quint64 a, quint64 b = 0, quint64 c = 0);
