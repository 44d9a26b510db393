#include "area_table.h"

#include "editdata.h"
#include "paint_table.h"

#include <QAction>
#include <QCursor>
#include <QEvent>
#include <QHeaderView>
#include <QMenu>

AREA_TABLE::AREA_TABLE(EditData *Data, QTableWidget *AreaTableWidget, QAction *Copy, QAction *Cut, QAction *Paste,
                       QAction *Delete, QWidget *parent)
    : QTableWidget(parent), m_data(Data), m_table(AreaTableWidget), m_menu(nullptr), m_copy(Copy), m_cut(Cut),
      m_paste(Paste), m_delete(Delete), m_history(Data)
{
    m_table->setRowCount(EditData::AreaCount);
    m_table->setColumnCount(3);
    // The style's minimum section width would widen the 10 px marker column.
    m_table->horizontalHeader()->setMinimumSectionSize(10);
    m_table->setColumnWidth(0, 40);
    m_table->setColumnWidth(1, 10);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignJustify);
    m_table->horizontalHeader()->hide();
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    // A hidden header gets no resize events, so it would keep the thumbnail
    // column at its first width: stretch it by hand when the viewport changes.
    m_table->viewport()->installEventFilter(this);
    const QFont numberFont(QStringLiteral("times"), 18, 10);
    for (int row = 0; row < EditData::AreaCount; ++row) {
        m_table->setRowHeight(row, 100);
        auto *number = new QTableWidgetItem(QString::number(row));
        number->setForeground(Qt::blue);
        number->setFont(numberFont);
        m_table->setItem(row, 0, number);
    }

    connect(m_table, &QTableWidget::cellClicked, this, &AREA_TABLE::AreaTableClickChangeSlots);
    m_menu = new QMenu(this);
    connect(m_table, &QWidget::customContextMenuRequested, this, &AREA_TABLE::AreaTableMenuEvent);
    for (int area = 0; area < EditData::AreaCount; ++area)
        m_thumbnails.append(new PAINT_TABLE(area, m_data));
    // Before any connection of the main window: thumbnails repaint first.
    connect(this, &AREA_TABLE::EditAreaDataSignal, this, &AREA_TABLE::AreaTableWidgetAllDisplay);
    AreaTableWidgetAllDisplay();
}

bool AREA_TABLE::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table->viewport() && event->type() == QEvent::Resize) {
        const int rest = m_table->viewport()->width() - m_table->columnWidth(0) - m_table->columnWidth(1);
        m_table->setColumnWidth(2, qMax(10, rest));
    }
    return QTableWidget::eventFilter(watched, event);
}

PAINT_TABLE *AREA_TABLE::thumbnail(int area) const
{
    return area >= 0 && area < m_thumbnails.size() ? m_thumbnails.at(area).data() : nullptr;
}

void AREA_TABLE::setMarker(const QColor &colour)
{
    auto *marker = new QTableWidgetItem;
    marker->setBackground(colour);
    m_table->setItem(m_data->currentAreaIndex(), 1, marker);
}

void AREA_TABLE::SetEditAreaTableDisplay() { setMarker(Qt::green); }
void AREA_TABLE::ResetEditAreaTableDisplay() { setMarker(Qt::white); }

void AREA_TABLE::displayRow(int row)
{
    if (row < 0 || row >= m_thumbnails.size() || row >= m_table->rowCount())
        return;
    if (m_thumbnails[row].isNull())
        m_thumbnails[row] = new PAINT_TABLE(row, m_data);
    PAINT_TABLE *thumb = m_thumbnails[row];
    if (m_table->cellWidget(row, 2) != thumb)
        m_table->setCellWidget(row, 2, thumb);
    thumb->update();
}

void AREA_TABLE::AreaTableWidgetAllDisplay()
{
    for (int row = 0; row < EditData::AreaCount; ++row)
        displayRow(row);
}

void AREA_TABLE::AreaTableWidgetCurDisplay() { displayRow(m_data->currentAreaIndex()); }

void AREA_TABLE::CopyAreaTableData() { m_data->Clipboard = m_data->currentArea(); }

// Cut, paste, delete and delete all are edits of their own: each takes a
// snapshot, so one undo reverses exactly that operation and not also the
// edit before it.
void AREA_TABLE::CutAreaTableData()
{
    m_data->Modified = true;
    m_data->Clipboard = m_data->currentArea();
    m_data->currentArea() = m_data->BlankArea;
    m_history.save(m_data->currentAreaIndex());
    emit EditAreaDataSignal();
}

void AREA_TABLE::PasteAreaTableData()
{
    m_data->Modified = true;
    m_data->currentArea() = m_data->Clipboard;
    m_history.save(m_data->currentAreaIndex());
    emit EditAreaDataSignal();
}

void AREA_TABLE::DeleteAreaTableData()
{
    m_data->Modified = true;
    m_data->currentArea() = m_data->BlankArea;
    m_history.save(m_data->currentAreaIndex());
    emit EditAreaDataSignal();
}

void AREA_TABLE::DeleteAllAreaTableData()
{
    m_data->Modified = true;
    for (AreaRecord &area : m_data->Areas)
        area = m_data->BlankArea;
    m_history.saveAll();
    emit EditAreaDataSignal();
}

void AREA_TABLE::UndoAreaTableData()
{
    const int area = m_data->currentAreaIndex();
    const quint32 step = m_history.undoStep(area);
    m_history.undo(area);
    if (step != 0)
        emit LinkedStepSignal(step, true);
    emit EditAreaDataSignal();
}

void AREA_TABLE::RedoAreaTableData()
{
    const int area = m_data->currentAreaIndex();
    const quint32 step = m_history.redoStep(area);
    m_history.redo(area);
    if (step != 0)
        emit LinkedStepSignal(step, false);
    emit EditAreaDataSignal();
}

quint32 AREA_TABLE::SaveLinkedUndoAreaTableData(const QVector<int> &areas) { return m_history.saveLinked(areas); }

void AREA_TABLE::MarkDifferingAreas(const QVector<int> &areas, const QString &tip)
{
    for (int row = 0; row < EditData::AreaCount && row < m_table->rowCount(); ++row) {
        QTableWidgetItem *number = m_table->item(row, 0);
        if (!number)
            continue;
        const bool differs = areas.contains(row);
        number->setBackground(differs ? QBrush(QColor(255, 196, 128)) : QBrush());
        number->setToolTip(differs ? tip : QString());
    }
}

void AREA_TABLE::SaveUndoAreaTableData() { m_history.save(m_data->currentAreaIndex()); }
void AREA_TABLE::SaveAllUndoAreaTableData() { m_history.saveAll(); }

void AREA_TABLE::AreaTableMenuEvent(QPoint)
{
    // addAction keeps an action that is already in the menu only once.
    for (QAction *action : {m_copy, m_cut, m_paste, m_delete}) {
        if (action)
            m_menu->addAction(action);
    }
    // At the mouse cursor, also when the request came from the keyboard.
    m_menu->exec(QCursor::pos());
}

void AREA_TABLE::AreaTableClickChangeSlots(int Row, int)
{
    if (Row < 0 || Row == m_data->currentAreaIndex())
        return;
    m_data->CurrentArea = Row > EditData::AreaCount - 1 ? EditData::AreaCount - 1 : Row;
    AreaTableWidgetAllDisplay();
    emit AreaTableIndexChange();
}
