#pragma once

#include <QtGlobal>

// Scan settings chosen in the main window and pushed to the scanner with SCtrl
// while Enabled is set.
struct ScanControl
{
    qint32 SleepMode = 0;   // index of Set_SensorSleepMode
    qint32 MotorSpeed = 0;  // index of Set_ScanMotorSpeed
    qint32 SensorAngle = 0; // index of Set_ScanSensorAngle
    qint32 FilterLevel = 0; // index of Set_ScanFilterLevel
    qint32 Enabled = 0;     // ScanGroupBox is checked

    bool operator==(const ScanControl &o) const
    {
        return SleepMode == o.SleepMode && MotorSpeed == o.MotorSpeed && SensorAngle == o.SensorAngle
            && FilterLevel == o.FilterLevel && Enabled == o.Enabled;
    }
};
