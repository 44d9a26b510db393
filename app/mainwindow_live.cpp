// The main window's side of the live display: the data table of the serial
// scan and its dock action. The outline and intensity items belong to the
// scene; the link fills the buffers all three read.

#include "mainwindow.h"

#include "data_table.h"
#include "serial_comm.h"
#include "ui_mainwindow.h"

void MainWindow::createDataTable() { dataTable = new DATA_TABLE(m_link, ui->DataTableWidget); }

// Made before the scene's receivers of the same signals: the table is
// refilled before the items redraw.
void MainWindow::connectDataTable()
{
    connect(link, &SERIAL_COMM::ReceiveScanfData, dataTable, &DATA_TABLE::DataTableWidgetDisplay);
    connect(link, &SERIAL_COMM::ReceiveIntensityData, dataTable, &DATA_TABLE::DataTableWidgetDisplay);
}

// The table lists what a connected scanner sends: its action is offered
// while connected, and a disconnection puts the dock away.
void MainWindow::setDataTableAvailable(bool connected)
{
    ui->DataTable->setEnabled(connected);
    if (connected)
        return;
    ui->DataTable->setChecked(false);
    ui->DataTableDock->hide();
}
