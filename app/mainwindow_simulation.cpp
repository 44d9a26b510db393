// The IO simulation dock: its controller and the action that shows it.

#include "io_simulation.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QDockWidget>
#include <QScrollArea>

namespace {
// Heights of docks stacked in one column once the one at index has grown to
// want (or as near as the others allow): the others give way, the one with
// the most to spare first, none below its minimum. The total stays.
QVector<int> heightsWithRoomFor(int index, int want, QVector<int> heights, const QVector<int> &minimums)
{
    int needed = want - heights[index];
    while (needed > 0) {
        int giver = -1;
        for (int i = 0; i < heights.size(); ++i)
            if (i != index && heights[i] - minimums[i] > 0
                && (giver < 0 || heights[i] - minimums[i] > heights[giver] - minimums[giver]))
                giver = i;
        if (giver < 0)
            break;
        const int take = qMin(needed, heights[giver] - minimums[giver]);
        heights[giver] -= take;
        heights[index] += take;
        needed -= take;
    }
    return heights;
}
} // namespace

void MainWindow::createIOSimulation()
{
    ioSimulation = new IO_SIMULATION(m_data, ui->InportGrouptBox, ui->OutportGrouptBox, ui->FaultGroupBox,
                                     ui->InputButton1, ui->InputButton2, ui->InputButton3, ui->InputButton4,
                                     ui->InputButton5, ui->InputButton6, ui->OutputButton1, ui->OutputButton2,
                                     ui->OutputButton3, ui->FaultSimuButton, ui->InputspinBox, ui->OutputspinBox,
                                     ui->CaseSimulationBox, ui->SimDgreeSpinBox, ui->SimDgreeSlider,
                                     ui->SimSpeedSpinBox, ui->SimSpeedSlider, ui->SimOptionMode);
}

void MainWindow::OpenCloseIOSimulationDock(bool Checked)
{
    if (Checked) {
        ui->IOSimulationDock->show();
        giveIOSimulationDockRoom();
        return;
    }
    // Nobody simulates what they cannot see: every group goes off, and the
    // simulation state with it, before the dock disappears.
    switchSimulationOff();
    ui->IOSimulationDock->hide();
}

void MainWindow::switchSimulationOff()
{
    for (QGroupBox *group : {ui->InportGrouptBox, ui->OutportGrouptBox, ui->FaultGroupBox, ui->CaseSimulationBox})
        group->setChecked(false);
    ioSimulation->SimulationSignalSlots();
    ioSimulation->SimulationCaseSlots();
}

// Opened beside the sensor dock (and the self-check dock) the IO simulation
// dock would get a sliver, its case group scrolled out of sight. It gets the
// height its groups need, taken from the docks above and below it as far as
// their minimums allow.
void MainWindow::giveIOSimulationDockRoom()
{
    QDockWidget *io = ui->IOSimulationDock;
    if (io->isFloating())
        return;
    layout()->activate(); // the dock's place in its column, now it is shown
    QList<QDockWidget *> column{io};
    for (QDockWidget *dock : findChildren<QDockWidget *>())
        if (dock != io && dock->isVisible() && !dock->isFloating() && dockWidgetArea(dock) == dockWidgetArea(io)
            && dock->x() == io->x() && dock->y() != io->y())
            column << dock;
    QVector<int> heights, minimums;
    for (QDockWidget *dock : column) {
        heights << dock->height();
        minimums << dock->minimumSizeHint().height();
    }
    const int want = io->height() + ui->IOSimulationContents->sizeHint().height()
        - ui->IOSimulationScrollArea->viewport()->height();
    const QVector<int> sizes = heightsWithRoomFor(0, want, heights, minimums);
    resizeDocks(column, QList<int>(sizes.begin(), sizes.end()), Qt::Vertical);
    layout()->activate();
}
