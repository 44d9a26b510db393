// The IO simulation dock: its controller and the action that shows it.

#include "io_simulation.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"

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
        return;
    }
    // Nobody simulates what they cannot see: every group goes off, and the
    // simulation state with it, before the dock disappears.
    for (QGroupBox *group : {ui->InportGrouptBox, ui->OutportGrouptBox, ui->FaultGroupBox, ui->CaseSimulationBox})
        group->setChecked(false);
    ioSimulation->SimulationSignalSlots();
    ioSimulation->SimulationCaseSlots();
    ui->IOSimulationDock->hide();
}
