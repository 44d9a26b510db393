#pragma once

#include "areahistory.h"

#include <QList>
#include <QPointer>
#include <QTableWidget>

class QAction;
class QMenu;
class PAINT_TABLE;
struct EditData;

// Controller of the area list: drives the form's 64-row table (number, edited
// marker, thumbnail), makes the clicked area current, and carries the area
// clipboard and the per-area undo and redo. Never shown itself.
class AREA_TABLE : public QTableWidget
{
    Q_OBJECT
public:
    AREA_TABLE(EditData *Data, QTableWidget *AreaTableWidget, QAction *Copy, QAction *Cut, QAction *Paste,
               QAction *Delete, QWidget *parent = nullptr);

    PAINT_TABLE *thumbnail(int area) const;
    QMenu *contextMenu() const { return m_menu; }
    // One operation over several areas, undone and redone as one step: a
    // snapshot of each, linked. Returns the step, which LinkedStepSignal names.
    quint32 SaveLinkedUndoAreaTableData(const QVector<int> &areas);
    // The areas that differ from the scanner, marked on their numbers with
    // tip as the tooltip; an empty list takes every mark away.
    void MarkDifferingAreas(const QVector<int> &areas, const QString &tip);

signals:
    void EditAreaDataSignal();
    void AreaTableIndexChange();
    // A linked step was undone (undone true) or redone, before
    // EditAreaDataSignal: whoever changed more than areas in it restores
    // that part.
    void LinkedStepSignal(quint32 step, bool undone);

public slots:
    void SetEditAreaTableDisplay();
    void ResetEditAreaTableDisplay();
    void AreaTableWidgetAllDisplay();
    void AreaTableWidgetCurDisplay();
    void CopyAreaTableData();
    void CutAreaTableData();
    void PasteAreaTableData();
    void DeleteAreaTableData();
    void DeleteAllAreaTableData();
    void UndoAreaTableData();
    void RedoAreaTableData();
    void SaveUndoAreaTableData();
    void SaveAllUndoAreaTableData();
    void AreaTableMenuEvent(QPoint pos);
    void AreaTableClickChangeSlots(int Row, int Column);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setMarker(const QColor &colour);
    void displayRow(int row);

    EditData *m_data;
    QTableWidget *m_table;
    // The table owns each thumbnail as a cell widget; QPointer notices if it
    // was dropped so the next refresh can put a new one in.
    QList<QPointer<PAINT_TABLE>> m_thumbnails;
    QMenu *m_menu;
    QAction *m_copy;
    QAction *m_cut;
    QAction *m_paste;
    QAction *m_delete;
    AreaHistory m_history;
};
