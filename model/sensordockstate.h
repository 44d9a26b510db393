#pragma once

#include <QtGlobal>
#include <array>

// The sensor dock's 27 widget states in project-file order: a list's current
// index, or a number field's value. The file stores these, not the parameter
// words; the dock maps between the two.
constexpr int kSensorDockRows = 27;
using SensorDockState = std::array<qint32, kSensorDockRows>;
