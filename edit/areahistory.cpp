#include "areahistory.h"

int AreaHistory::clampArea(int area)
{
    return area < 0 ? 0 : area >= EditData::AreaCount ? EditData::AreaCount - 1 : area;
}

int AreaHistory::index(int area) const
{
    const int size = m_data->UndoHistory[area].size();
    const int i = m_data->UndoIndex[area];
    if (size == 0 || i < 0)
        return 0;
    return i >= size ? size - 1 : i;
}

void AreaHistory::save(int area)
{
    area = clampArea(area);
    m_data->Modified = true;
    QVector<AreaRecord> &history = m_data->UndoHistory[area];
    const int i = index(area);
    if (i < history.size() - 1)
        history.resize(i + 1); // an edit after undo discards the redo steps
    if (history.size() >= EditData::UndoLimit)
        history.removeFirst();
    history.append(m_data->Areas[area]);
    m_data->UndoIndex[area] = history.size() - 1;
}

void AreaHistory::saveAll()
{
    for (int area = 0; area < EditData::AreaCount; ++area)
        save(area);
}

bool AreaHistory::canUndo(int area) const
{
    area = clampArea(area);
    return index(area) > 0 && !m_data->UndoHistory[area].isEmpty();
}

bool AreaHistory::canRedo(int area) const
{
    area = clampArea(area);
    return index(area) + 1 < m_data->UndoHistory[area].size();
}

bool AreaHistory::undo(int area)
{
    area = clampArea(area);
    m_data->Modified = true;
    if (!canUndo(area))
        return false;
    const int i = index(area) - 1;
    m_data->UndoIndex[area] = i;
    m_data->Areas[area] = m_data->UndoHistory[area].at(i);
    return true;
}

bool AreaHistory::redo(int area)
{
    area = clampArea(area);
    m_data->Modified = true;
    if (!canRedo(area))
        return false;
    const int i = index(area) + 1;
    m_data->UndoIndex[area] = i;
    m_data->Areas[area] = m_data->UndoHistory[area].at(i);
    return true;
}
