#pragma once

#include "arearecord.h"
#include "editdata.h"
#include "sensordockstate.h"
#include "sensorparameters.h"

#include <QVector>
#include <optional>

// One scanner configuration as the tool compares and moves it: what a project
// file holds, or what a scanner reported in a read-all (its parameter words
// shown as the sensor dock's rows).
struct Configuration
{
    static constexpr int InstallDirectionRow = 14;

    int deviceClass = -1; // -1 for a scanner: it reports no range class
    SensorDockState rows{};
    QVector<AreaRecord> areas = QVector<AreaRecord>(EditData::AreaCount);
    // A scanner's words exactly as it reported them; the rows carry the dock's
    // corrections of out-of-range words, which the scanner itself still holds.
    std::optional<SensorParameters> words;

    // Zones of a reversed scanner travel mirrored; both sides of a
    // comparison are read with their own direction.
    bool reversed() const { return rows[InstallDirectionRow] != 0; }
};
