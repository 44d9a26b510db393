// Fields sized from the vehicle (Edit menu): the dialog gathers, the project
// library sizes, the window writes the bands' areas as one undo step or
// says why it writes nothing.
#include "mainwindow.h"

#include "area_table.h"
#include "areahistory.h"
#include "dialogseam.h"
#include "sensorparameters.h"
#include "ui_mainwindow.h"
#include "vehiclefieldsdialog.h"

#include <QPushButton>
#include <QStatusBar>

void MainWindow::createVehicleFields()
{
    m_vehicleFields = new VehicleFieldsDialog(this);
    connect(ui->VehicleFields, &QAction::triggered, this, &MainWindow::openVehicleFields);
    connect(m_vehicleFields, &VehicleFieldsDialog::applyRequested, this, &MainWindow::applyVehicleFields);
}

void MainWindow::openVehicleFields()
{
    // The zones are checked as the scanner the project is for would store them.
    VehicleFields::Vehicle v = m_vehicleFields->vehicle();
    v.deviceClass = DeviceClass;
    v.reversed = Parameters->Words[SensorParameters::InstallDirectionWord] != 0;
    m_vehicleFields->setVehicle(v);
    m_vehicleFields->retranslate(LanguageFlag);
    m_vehicleFields->show();
    m_vehicleFields->raise();
}

void MainWindow::applyVehicleFields()
{
    VehicleFields::Vehicle v = m_vehicleFields->vehicle();
    v.deviceClass = DeviceClass;
    const VehicleFields::Sizing sizing = VehicleFields::size(v);
    const bool english = LanguageFlag == 1;
    if (!sizing.ok()) {
        DialogSeam::current()->notify(DialogSeam::Icon::Warning,
                                      english ? QStringLiteral("Fields from vehicle") : QStringLiteral("按车辆生成区域"),
                                      VehicleFields::problemText(sizing, LanguageFlag) + QLatin1Char('\n')
                                          + (english ? QStringLiteral("Nothing was written.")
                                                     : QStringLiteral("未写入任何内容。")),
                                      english ? QStringLiteral("OK") : QStringLiteral("确定"));
        return;
    }

    // One undo step, from any of the areas written or the current one.
    QVector<int> areas;
    for (const VehicleFields::Band &b : v.bands)
        areas << b.area;
    areas << m_data->currentAreaIndex();
    AreaHistory history(m_data);
    for (int area : areas)
        history.saveUnrecorded(area);
    VehicleFields::apply(v, sizing, m_data->Areas);
    areaTable->SaveLinkedUndoAreaTableData(areas);
    // The edited marker goes on the current row, where a band wrote it.
    if (areas.indexOf(m_data->currentAreaIndex()) < v.bands.size())
        areaTable->SetEditAreaTableDisplay();
    refreshEditors();
    m_vehicleFields->accept();

    QStringList written;
    for (const VehicleFields::Band &b : v.bands)
        written << QString::number(b.area);
    statusBar()->showMessage(english ? QStringLiteral("Fields from vehicle written into areas %1.").arg(written.join(QStringLiteral(", ")))
                                     : QStringLiteral("已按车辆生成区域 %1。").arg(written.join(QStringLiteral("、"))));
}
