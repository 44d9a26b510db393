#include "polar.h"

#include <cmath>

float polarAngle(double x, double y)
{
    const float raw = static_cast<float>(std::atan2(y, x));
    float angle = static_cast<float>(static_cast<double>(raw) + 6.283185307179586);
    if (angle >= 4.712389f)
        angle -= 6.2831855f;
    return angle;
}

float polarDistance(double x, double y)
{
    // Doubles for the squares: 60000 mm squared does not fit an int32.
    const float sum = static_cast<float>(x * x + y * y);
    return std::sqrt(sum);
}

PolarPoint toPolar(const QPoint &p)
{
    return {polarDistance(p.x(), p.y()), polarAngle(p.x(), p.y())};
}

static int truncateToInt(float v)
{
    // Out-of-range floats are undefined behaviour when cast; saturate instead.
    if (!(v == v))
        return 0;
    if (v >= 2147483520.0f)
        return 2147483647;
    if (v <= -2147483648.0f)
        return -2147483647 - 1;
    return static_cast<int>(v);
}

QPoint fromPolar(float distance, float angle)
{
    const float x = distance * std::cos(angle);
    const float y = distance * std::sin(angle);
    return QPoint(truncateToInt(x), truncateToInt(y));
}
