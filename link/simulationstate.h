#pragma once

#include "editdata.h"

#include <QtGlobal>

// The IO simulation fields of EditData, gathered for the WSimu frame.
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

    static SimulationState of(const EditData &edit)
    {
        SimulationState s;
        s.SignalSimulation = edit.SignalSimulation;
        s.OutputSimulation = edit.OutputSimulation;
        s.FaultSimulation = edit.FaultSimulation;
        s.CaseSimulation = edit.CaseSimulation;
        s.InputBits = edit.InputBits;
        s.OutputBits = edit.OutputBits;
        s.FaultBits = edit.FaultBits;
        s.SimDegree = edit.SimDegree;
        s.SimSpeed = edit.SimSpeed;
        s.SimOptionMode = edit.SimOptionMode;
        return s;
    }
};
