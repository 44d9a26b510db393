#pragma once

#include <QtGlobal>

// The IO simulation switches and values, as the WSimu frame carries them.
// EditData holds them by deriving from this record.
struct SimulationState
{
    bool SignalSimulation = false;
    bool OutputSimulation = false;
    bool FaultSimulation = false;
    bool CaseSimulation = false;
    qint32 InputBits = 0;
    qint32 OutputBits = 0;
    qint32 FaultBits = 0;
    qint32 SimDegree = 0;
    qint32 SimSpeed = 0;
    qint32 SimOptionMode = 0;
};
