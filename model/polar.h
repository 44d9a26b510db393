#pragma once

#include <QPoint>

// Conversions between model points (integer mm) and polar form. They work in
// single precision and truncate, exactly as the scanner firmware and the
// project files expect: do not "improve" them to double or rounding.
struct PolarPoint
{
    float distance = 0.0f; // mm
    float angle = 0.0f;    // radians in [-pi/2, 3pi/2), 0 on +x, counter-clockwise
};

constexpr float kRadToDeg = 57.29578f;
constexpr float kDegToRad = 0.017453292f;

// Angle of (x, y) folded into [-pi/2, 3pi/2), single precision.
float polarAngle(double x, double y);
// sqrt(x^2 + y^2), sum and root in single precision.
float polarDistance(double x, double y);
PolarPoint toPolar(const QPoint &p);
QPoint fromPolar(float distance, float angle);
