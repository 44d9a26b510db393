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
    // Steps back / forward and copies that snapshot into Areas[area].
    // Returns whether an area was restored.
    bool undo(int area);
    bool redo(int area);

    bool canUndo(int area) const;
    bool canRedo(int area) const;

private:
    static int clampArea(int area);
    // UndoIndex[area] forced into the history's range, so a damaged index can
    // never address outside the list.
    int index(int area) const;

    EditData *m_data;
};
