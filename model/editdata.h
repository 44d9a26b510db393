#pragma once

#include "arearecord.h"
#include "shapekind.h"
#include "simulationstate.h"

#include <QVector>
#include <array>

// The one editing state of the process. Every editor reads and writes it
// directly on the GUI thread; nothing keeps a copy of the geometry.
// The IO simulation state (SimulationState) is part of it: the link sends it
// while simulation is on.
struct EditData : SimulationState
{
    static constexpr int AreaCount = 64;
    static constexpr int OutputCount = 3;
    static constexpr int UndoLimit = 100;

    double SceneWidth = 72000.0;
    double SceneHeight = 72000.0;

    bool Modified = false;
    qint32 CurrentArea = 0;   // 0..63; readers clamp larger values (monitoring sets it from inputs)
    qint32 CurrentOutput = 0; // 0..2

    QVector<AreaRecord> Areas = QVector<AreaRecord>(AreaCount);
    AreaRecord Clipboard;
    const AreaRecord BlankArea{};
    std::array<qint32, AreaCount> UndoIndex{};
    QVector<QVector<AreaRecord>> UndoHistory = QVector<QVector<AreaRecord>>(AreaCount, QVector<AreaRecord>(1));
    // Beside each snapshot: the operation it belongs to when one operation
    // changed several areas at once, undone and redone together (0: an edit
    // of that area alone).
    QVector<QVector<quint32>> UndoStep = QVector<QVector<quint32>>(AreaCount, QVector<quint32>(1));

    EditData() = default;
    EditData(const EditData &o) = default;
    EditData &operator=(const EditData &o);

    // Clamps CurrentArea into 0..63 in place (a monitored input above 63 means
    // area 63) and returns it. Call before indexing Areas by it.
    int currentAreaIndex();
    AreaRecord &currentArea() { return Areas[currentAreaIndex()]; }
    int currentOutputIndex() const { return CurrentOutput < 0 ? 0 : CurrentOutput > 2 ? 2 : CurrentOutput; }

    // New project: clear every area except its case-channel conditions.
    // Undo histories, clipboard and CurrentArea are left alone.
    void resetForNewProject();

    // The process-wide instance the main window hands out by pointer.
    static EditData &instance();
};
