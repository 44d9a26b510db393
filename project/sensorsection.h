#pragma once

#include "sensordockstate.h"

class QTextStream;

// The "SensorSetting" section of a project file: the marker line, then the
// sensor dock's 27 widget states, one decimal integer per line. The section
// has no end marker.

void writeSensorSection(QTextStream &out, const SensorDockState &state);

// Reads from the stream's current position: lines up to and including the
// marker (all of the stream when there is none), then 27 lines. A line that is
// not a number, or one missing at the end of the stream, reads 0.
SensorDockState readSensorSection(QTextStream &in);
