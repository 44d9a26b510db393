#pragma once

// How the scanner's parameter words translate into its scanning: resolution,
// motor rate and the angle of every sample. Angles are model angles in
// degrees (counter-clockwise from +x, straight ahead is 90), in the scanner's
// own frame.

#include "sensorparameters.h"

namespace ScanModes {

constexpr int FieldDegrees = 320;
// The field of view runs from -70 (right end) to 250 degrees (left end).
constexpr double FieldStart = -70.0;
constexpr int SerialSamples = 640;
// Stream packets are numbered from straight behind the scanner: packet angle
// = model angle + 90, so a scan runs from 20 to 340.
constexpr int PacketAngleOffset = 90;
constexpr int FirstPacketAngle = 20;
constexpr int LastPacketAngle = 340;

// Samples per degree for the angle-resolution option index (word 12):
// 0.025, 0.05, 0.1, 0.25, 0.5 degrees. Out-of-range indices fall back to 0.1.
int pointsPerDegree(int angleIndex);
// Motor rate in scans per second for the speed option index (word 11) of a
// product type: 15/30 Hz on the 7712 family (types 18..20), 10/20 Hz otherwise.
int motorHz(int productType, int speedIndex);
// Angle of sample k of a serial scan (640 samples, 0.5 degree apart). The
// tool draws serial sample 639 at the left end and sample 0 half a step in
// from the right end.
double serialSampleAngle(int k);
// Angle of sample i of a streamed scan with g samples per degree: sample 0 at
// the right end.
double streamSampleAngle(int i, int g);

} // namespace ScanModes
