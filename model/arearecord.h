#pragma once

#include <QPoint>
#include <QVector>

// One detection area. Field order is also the order of the project file's
// per-area lines, so keep it.
struct AreaRecord
{
    qint32 OpenDelay = 0;      // index 0..25, index x 20 ms
    qint32 CloseDelay = 0;     // index 0..25, index x 20 ms
    qint32 Hysteresis = 0;     // index 0..10, 0 = off, k = k %
    qint32 DetectionSize = 0;  // index 0..9, (index + 1) x 0.5 deg
    qint32 SteerMinDgree = 0;  // case channel: steering range, degrees
    qint32 SteerMaxDgree = 0;
    qint32 VehicleMinSpeed = 0; // case channel: speed range
    qint32 VehicleMaxSpeed = 0;
    qint32 VehicleOptionMode = 0; // case channel: operation mode index 0..4
    qint32 Out1Shape = 0;      // ShapeKind of each output
    qint32 Out2Shape = 0;
    qint32 Out3Shape = 0;
    QVector<QPoint> Out1Points; // integer millimetres, scanner at the origin
    QVector<QPoint> Out2Points;
    QVector<QPoint> Out3Points;

    // Output 0..2 accessors, for code that loops over the outputs.
    qint32 &shape(int output) { return output == 0 ? Out1Shape : output == 1 ? Out2Shape : Out3Shape; }
    qint32 shape(int output) const { return output == 0 ? Out1Shape : output == 1 ? Out2Shape : Out3Shape; }
    QVector<QPoint> &points(int output) { return output == 0 ? Out1Points : output == 1 ? Out2Points : Out3Points; }
    const QVector<QPoint> &points(int output) const
    {
        return output == 0 ? Out1Points : output == 1 ? Out2Points : Out3Points;
    }

    bool operator==(const AreaRecord &o) const
    {
        return OpenDelay == o.OpenDelay && CloseDelay == o.CloseDelay && Hysteresis == o.Hysteresis
            && DetectionSize == o.DetectionSize && SteerMinDgree == o.SteerMinDgree
            && SteerMaxDgree == o.SteerMaxDgree && VehicleMinSpeed == o.VehicleMinSpeed
            && VehicleMaxSpeed == o.VehicleMaxSpeed && VehicleOptionMode == o.VehicleOptionMode
            && Out1Shape == o.Out1Shape && Out2Shape == o.Out2Shape && Out3Shape == o.Out3Shape
            && Out1Points == o.Out1Points && Out2Points == o.Out2Points && Out3Points == o.Out3Points;
    }
    bool operator!=(const AreaRecord &o) const { return !(*this == o); }
};
