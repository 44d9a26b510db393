#pragma once

// Speed-graded fields sized from the vehicle: per speed band a protective
// rectangle (Out1) and a warning rectangle (Out2, optionally Out3) in front of
// the vehicle, and the band's case-channel row. A sizing aid: the numbers are
// the user's, the result must be checked against the standard that applies
// to the vehicle. Pure functions over plain data.

#include "arearecord.h"

#include <QPoint>
#include <QString>
#include <QVector>

namespace VehicleFields {

constexpr int MaxBands = 8;

struct Band
{
    double speed = 0.0;            // top speed of the band, m/s (sizing only)
    double stoppingDistance = 0.0; // mm; 0: from the braking deceleration
    int minSpeed = 0;              // case channel, as the scanner counts speed
    int maxSpeed = 0;
    int steerMin = 0; // degrees
    int steerMax = 0;
    int mode = 0; // operation mode 0..4
    int area = 0; // the area it fills, 0..63
};

struct Vehicle
{
    double width = 0.0;        // mm
    double frontOffset = 0.0;  // mm the scanner sits behind the front edge
    double centreOffset = 0.0; // mm the scanner sits right of the centre line
    bool reversed = false;     // install direction (mounted upside down)
    double marginLeft = 0.0;   // mm beyond each side of the vehicle
    double marginRight = 0.0;
    double responseTime = 0.0; // s, the whole stopping chain
    double deceleration = 0.0; // m/s^2
    double supplement = 0.0;   // mm, measurement tolerance and additions
    double warningFactor = 1.5;
    double thirdFactor = 0.0; // Out3 as this factor of the protective length; 0: Out3 untouched
    int deviceClass = 3;
    QVector<Band> bands;
};

struct BandFields
{
    double travel = 0.0;     // mm driven during the response time, v*T
    double braking = 0.0;    // mm, v^2/(2a) or the given stopping distance
    double protective = 0.0; // mm, L = travel + braking + supplement
    double warning = 0.0;    // mm
    double third = 0.0;      // mm; 0 without Out3
    QVector<QPoint> out1, out2, out3;
};

struct Sizing
{
    enum Problem {
        None,
        NoBands,        // none, or more than MaxBands
        InvalidInput,   // a number that cannot be used (negative, zero, not finite)
        ScannerOutside, // the scanner does not lie within the covered width
        CaseOutOfRange, // a case-channel value beyond what the area takes
        AreaTwice,      // two bands fill the same area
        BeyondRange,    // a field reaches beyond the device class's range
        EncoderRefused, // the scanner could not store a field as drawn
    };
    Problem problem = None;
    int band = -1;  // the band at fault, or -1
    QString detail; // the encoder's own words for EncoderRefused
    // Per band in order; when refused, those up to the band at fault (for
    // the summary).
    QVector<BandFields> bands;
    bool ok() const { return problem == None; }
};

// The fields of every band, or the first reason none can be written.
Sizing size(const Vehicle &vehicle);

// Writes the sized bands into their areas: Out1 and Out2 (and Out3 when a
// factor was given) as rectangles, and the case-channel row. Nothing else of
// an area changes. Does nothing when the sizing was refused.
void apply(const Vehicle &vehicle, const Sizing &sizing, QVector<AreaRecord> &areas);

// What went wrong, in the language of flag (0 Chinese, 1 English).
QString problemText(const Sizing &sizing, int flag);

// Every number used, the formula, and per band the fields: a plain text the
// user can copy (0 Chinese, 1 English).
QString summary(const Vehicle &vehicle, const Sizing &sizing, int flag);

} // namespace VehicleFields
