#pragma once

#include "editdata.h"

// Per-area undo and redo over EditData's UndoHistory / UndoIndex. Each area
// keeps at most EditData::UndoLimit snapshots, oldest first; the newest one
// equals the area as it was after its last snapshotted edit. Every operation
// marks the project modified, also when it has nothing to restore.
class AreaHistory
{
public:
    explicit AreaHistory(EditData *data) : m_data(data) {}

    // Appends a copy of Areas[area], dropping the redo tail and, beyond the
    // limit, the oldest snapshot.
    void save(int area);
    void saveAll();
    // Takes a snapshot only when Areas[area] is not the one its history
    // stands at: an edit no snapshot took (a paste, a read) gets one, so the
    // undo of the change that follows gives back exactly what was there.
    void saveUnrecorded(int area);
    // One operation that changed several areas: a snapshot of each, linked,
    // so that an undo or redo in any of them takes every one of them that
    // still stands at that step. Returns the step (never 0).
    quint32 saveLinked(const QVector<int> &areas);
    // Steps back / forward and copies that snapshot into Areas[area].
    // Returns whether an area was restored.
    bool undo(int area);
    bool redo(int area);

    bool canUndo(int area) const;
    bool canRedo(int area) const;
    // The linked step an undo / redo of area would take back / again (0: none).
    quint32 undoStep(int area);
    quint32 redoStep(int area);

private:
    static int clampArea(int area);
    // UndoIndex[area] forced into the history's range, so a damaged index can
    // never address outside the list.
    int index(int area) const;
    // EditData's step marks of area, kept as long as its history.
    QVector<quint32> &steps(int area);
    bool undoOne(int area);
    bool redoOne(int area);

    EditData *m_data;
};
