#include "editdata.h"

EditData &EditData::operator=(const EditData &o)
{
    // BlankArea is constant and equal in every instance; copy the rest.
    SceneWidth = o.SceneWidth;
    SceneHeight = o.SceneHeight;
    SimulationState::operator=(o);
    Modified = o.Modified;
    CurrentArea = o.CurrentArea;
    CurrentOutput = o.CurrentOutput;
    Areas = o.Areas;
    Clipboard = o.Clipboard;
    UndoIndex = o.UndoIndex;
    UndoHistory = o.UndoHistory;
    UndoStep = o.UndoStep;
    return *this;
}

int EditData::currentAreaIndex()
{
    if (CurrentArea > AreaCount - 1)
        CurrentArea = AreaCount - 1;
    if (CurrentArea < 0) // never set so by the tool; guard the index all the same
        CurrentArea = 0;
    return CurrentArea;
}

void EditData::resetForNewProject()
{
    Modified = false;
    for (AreaRecord &area : Areas) {
        area.Out1Points.clear();
        area.Out2Points.clear();
        area.Out3Points.clear();
        area.OpenDelay = 0;
        area.CloseDelay = 0;
        area.Hysteresis = 0;
        area.DetectionSize = 0;
        area.Out1Shape = Polygon;
        area.Out2Shape = Polygon;
        area.Out3Shape = Polygon;
    }
}

EditData &EditData::instance()
{
    static EditData data;
    return data;
}
