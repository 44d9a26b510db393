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

QVector<quint32> &AreaHistory::steps(int area)
{
    QVector<quint32> &marks = m_data->UndoStep[area];
    // Histories filled by other means carry no marks: their snapshots are
    // edits of their area alone.
    marks.resize(m_data->UndoHistory[area].size());
    return marks;
}

void AreaHistory::save(int area)
{
    area = clampArea(area);
    m_data->Modified = true;
    QVector<AreaRecord> &history = m_data->UndoHistory[area];
    QVector<quint32> &marks = steps(area);
    const int i = index(area);
    if (i < history.size() - 1) {
        history.resize(i + 1); // an edit after undo discards the redo steps
        marks.resize(i + 1);
    }
    if (history.size() >= EditData::UndoLimit) {
        history.removeFirst();
        marks.removeFirst();
    }
    history.append(m_data->Areas[area]);
    marks.append(0);
    m_data->UndoIndex[area] = history.size() - 1;
}

void AreaHistory::saveUnrecorded(int area)
{
    area = clampArea(area);
    const QVector<AreaRecord> &history = m_data->UndoHistory[area];
    if (history.isEmpty() || history.at(index(area)) != m_data->Areas[area])
        save(area);
}

quint32 AreaHistory::saveLinked(const QVector<int> &areas)
{
    quint32 step = 0;
    for (int area = 0; area < EditData::AreaCount; ++area)
        for (quint32 mark : steps(area))
            step = qMax(step, mark);
    ++step;
    for (int area : areas) {
        area = clampArea(area);
        if (steps(area).value(index(area)) == step)
            continue; // named twice
        save(area);
        steps(area).last() = step;
    }
    m_data->Modified = true;
    return step;
}

quint32 AreaHistory::undoStep(int area)
{
    area = clampArea(area);
    return canUndo(area) ? steps(area).value(index(area)) : 0;
}

quint32 AreaHistory::redoStep(int area)
{
    area = clampArea(area);
    return canRedo(area) ? steps(area).value(index(area) + 1) : 0;
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

bool AreaHistory::undoOne(int area)
{
    if (!canUndo(area))
        return false;
    const int i = index(area) - 1;
    m_data->UndoIndex[area] = i;
    m_data->Areas[area] = m_data->UndoHistory[area].at(i);
    return true;
}

bool AreaHistory::redoOne(int area)
{
    if (!canRedo(area))
        return false;
    const int i = index(area) + 1;
    m_data->UndoIndex[area] = i;
    m_data->Areas[area] = m_data->UndoHistory[area].at(i);
    return true;
}

bool AreaHistory::undo(int area)
{
    area = clampArea(area);
    m_data->Modified = true;
    const quint32 step = undoStep(area);
    if (step == 0)
        return undoOne(area);
    // The areas edited since stay as they are: only those still at the step go back.
    for (int other = 0; other < EditData::AreaCount; ++other)
        if (undoStep(other) == step)
            undoOne(other);
    return true;
}

bool AreaHistory::redo(int area)
{
    area = clampArea(area);
    m_data->Modified = true;
    const quint32 step = redoStep(area);
    if (step == 0)
        return redoOne(area);
    for (int other = 0; other < EditData::AreaCount; ++other)
        if (redoStep(other) == step)
            redoOne(other);
    return true;
}
