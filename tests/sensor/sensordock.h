#pragma once

// The sensor dock as the main window's form builds it, with a SENSOR_SETTING
// of its own over a private parameter block, link state and edit state.
#include "editdata.h"
#include "linkstate.h"
#include "sensor_setting.h"
#include "sensorparameters.h"
#include "ui_mainwindow.h"

#include <QComboBox>
#include <QMainWindow>
#include <QSpinBox>
#include <QTest>
#include <memory>

struct SensorDock
{
    EditData data;
    LinkState link;
    SensorParameters params;
    std::unique_ptr<QMainWindow> window{new QMainWindow};
    Ui::MainWindow ui;
    std::unique_ptr<SENSOR_SETTING> setting;

    explicit SensorDock(int connectionKind = 0)
    {
        ui.setupUi(window.get());
        link.ConnectionKind = connectionKind;
        setting = std::make_unique<SENSOR_SETTING>(
            &params, ui.Para_ControlMode, ui.Para_RS232BaudRate, ui.Para_RS232CommVerify, ui.Para_RS232StopBit,
            ui.Para_RS485IDAddress, ui.Para_RS485BaudRate, ui.Para_RS485CommVerify, ui.Para_RS485StopBit,
            ui.Para_CANIDAddress, ui.Para_CANBaudRate, ui.Para_SensorOutputLogic, ui.Para_ScanMotorSpeed,
            ui.Para_ScanSensorAngle, ui.Para_ScanFilterLevel, ui.Para_SensorInstallDir, ui.Para_CrossFilterEnable,
            ui.Para_CrossFilterNumber, ui.Para_SensorEtherMode, ui.Para_SensorIPAddress1, ui.Para_SensorIPAddress2,
            ui.Para_SensorIPAddress3, ui.Para_SensorIPAddress4, ui.Para_LaserMeasureFrq, ui.Para_LaserStopSignal,
            ui.Para_TrailiFilterLevel, ui.Para_DirtyReceDistance, ui.Para_DirtyReceStrength, &link, &data);
    }

    // The widgets in row order, as the project file lists them.
    QWidget *row(int r) const
    {
        QWidget *const rows[SENSOR_SETTING::RowCount] = {
            ui.Para_ControlMode,      ui.Para_RS232BaudRate,    ui.Para_RS232CommVerify, ui.Para_RS232StopBit,
            ui.Para_RS485IDAddress,   ui.Para_RS485BaudRate,    ui.Para_RS485CommVerify, ui.Para_RS485StopBit,
            ui.Para_CANIDAddress,     ui.Para_CANBaudRate,      ui.Para_SensorOutputLogic, ui.Para_ScanMotorSpeed,
            ui.Para_ScanSensorAngle,  ui.Para_ScanFilterLevel,  ui.Para_SensorInstallDir, ui.Para_CrossFilterEnable,
            ui.Para_CrossFilterNumber, ui.Para_SensorEtherMode, ui.Para_SensorIPAddress1, ui.Para_SensorIPAddress2,
            ui.Para_SensorIPAddress3, ui.Para_SensorIPAddress4, ui.Para_LaserMeasureFrq, ui.Para_LaserStopSignal,
            ui.Para_TrailiFilterLevel, ui.Para_DirtyReceDistance, ui.Para_DirtyReceStrength};
        return rows[r];
    }
    QComboBox *list(int r) const { return qobject_cast<QComboBox *>(row(r)); }
    QSpinBox *number(int r) const { return qobject_cast<QSpinBox *>(row(r)); }
    // What row r shows: a list's index or a field's value.
    int shown(int r) const { return setting->dockState()[size_t(r)]; }

    // A block read from the scanner: the defaults with some words replaced.
    void showBlock(const QMap<int, int> &words)
    {
        params = SensorParameters::defaults();
        for (auto it = words.begin(); it != words.end(); ++it)
            params.Words[size_t(it.key())] = it.value();
        setting->UpdateParametersToDock();
    }

    bool show()
    {
        window->resize(1190, 715);
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }
};
