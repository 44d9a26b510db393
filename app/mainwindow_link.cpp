// The main window's side of the scanner link: creating and wiring it, opening
// and closing its devices, and showing what it reports.

#include "mainwindow.h"

#include "area_table.h"
#include "comparecontroller.h"
#include "coord_table.h"
#include "dialogseam.h"
#include "edit_control.h"
#include "monitortexts.h"
#include "option_scene.h"
#include "paint_intrusion.h"
#include "paint_outline.h"
#include "paint_strength.h"
#include "sensor_setting.h"
#include "serial_comm.h"
#include "ui_mainwindow.h"

#include <QLabel>
#include <QSerialPort>
#include <QTcpSocket>
#include <QUdpSocket>

void MainWindow::createLink()
{
    SerialPort = new QSerialPort;
    TcpSocket = new QTcpSocket;
    UdpSocket = new QUdpSocket;
    link = new SERIAL_COMM(SerialPort, m_link, m_data, Parameters, Control, TcpSocket, UdpSocket);
    // The link's language runs the other way round: 0 English, 1 Chinese.
    link->setLanguage(LanguageFlag == 1 ? 0 : 1);
    // The live-sample limit follows the class from the start, not only after
    // the first class change.
    link->setDeviceClass(DeviceClass);
    PortLabel = new QLabel;
    PortLabel->setObjectName(QStringLiteral("PortLabel"));
}

void MainWindow::connectLink()
{
    connect(ui->ReadAllSetting, &QAction::triggered, link, &SERIAL_COMM::ReadSensorAllDataSlots);
    connect(ui->WriteAllSetting, &QAction::triggered, link, &SERIAL_COMM::WriteSensorAllDataSlots);
    connect(ui->SoftReboot, &QAction::triggered, link, &SERIAL_COMM::SensorRebootSlots);
    connect(ui->SensorInformation, &QAction::triggered, link, &SERIAL_COMM::SensorInformationSlots);
    connect(ui->DisConnection, &QAction::triggered, this, [this] {
        endRestartWait(); // the user has stopped waiting for a restarting scanner
        CloseSerialPort();
    });
    connect(ui->Distance, &QAction::triggered, this, &MainWindow::OpenCloseReadScanf);
    connect(ui->Intensity, &QAction::triggered, this, &MainWindow::OpenCloseReadIntensity);

    connect(link, &SERIAL_COMM::ReceiveParameters, sensorSetting, &SENSOR_SETTING::UpdateParametersToDock);
    connectDataTable();
    connect(link, &SERIAL_COMM::ReceiveScanfData, optionScene, &OPTION_SCENE::UpdataPaintOutline);
    connect(link, &SERIAL_COMM::ReceiveScanfData, this, &MainWindow::teachScanArrived);
    m_teachTimer.setSingleShot(true);
    m_teachTimer.setTimerType(Qt::PreciseTimer); // a coarse timer may end the teach early
    connect(&m_teachTimer, &QTimer::timeout, this, &MainWindow::teachTimeUp);
    connect(link, &SERIAL_COMM::ReceiveIntensityData, optionScene, &OPTION_SCENE::UpdataPaintIntensity);
    connect(link, &SERIAL_COMM::SelfCheckStatus, this, &MainWindow::SelfCheckDisp);
    connect(link, &SERIAL_COMM::DirChangeSignals, this, &MainWindow::DirChange);
    connect(link, &SERIAL_COMM::IOPortSignals, this, &MainWindow::IOPortDisplayer);
    connect(link, &SERIAL_COMM::IOPortSignals, this, &MainWindow::MonitorGraphicDisplay);
    connect(link, &SERIAL_COMM::SensorTypeSignal, this, &MainWindow::SensorTypeChange);
    connect(link, &SERIAL_COMM::ReceiveAreaData, this, &MainWindow::ReceiveAreaDataSlot);
    connect(SerialPort, &QSerialPort::errorOccurred, this, &MainWindow::handleError);
    connect(TcpSocket, &QTcpSocket::disconnected, this, &MainWindow::ethernetDropped);
    connect(TcpSocket, &QTcpSocket::errorOccurred, this, &MainWindow::tcpError);
    connect(TcpSocket, &QTcpSocket::connected, this, [this] {
        m_tcpEstablished = true;
        m_connectDeadline.stop();
        // Requests are small frames sent one at a time: Nagle's delay would
        // hold each back until the previous reply's acknowledgement.
        TcpSocket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        if (m_reattachTick.isActive())
            finishReattach();
        else
            rememberAddress(m_lastDevice.device);
    });
    connect(link, &SERIAL_COMM::ScannerRestarting, this, &MainWindow::scannerRestarting);
    connect(link, &SERIAL_COMM::ScannerBack, this, &MainWindow::scannerBack);
}

bool MainWindow::isConnected() const { return LinkDevices::anyOpen(*SerialPort, *TcpSocket, *UdpSocket); }

void MainWindow::setConnectedActions(bool connected)
{
    for (QAction *a : {ui->SerialConnection, ui->EthernetConnection, ui->Connection, ui->SerialSetting})
        a->setEnabled(!connected);
    if (connected)
        ui->EthnernetSetting->setEnabled(false);
    for (QAction *a : {ui->DisConnection, ui->ReadAllSetting, ui->WriteAllSetting, ui->SoftReboot,
                       ui->SensorInformation})
        a->setEnabled(connected);
    if (connected) {
        ui->IOSimulation->setEnabled(true);
        ui->SelfCheck->setEnabled(true);
        setDataTableAvailable(true);
    }
    updateRecordingActions();
    updateCompareActions();
}

void MainWindow::CloseSerialPort()
{
    StopRecordingSlot(); // what was recorded up to the disconnect is kept
    IOPortDisplayer(0, 0, 0);
    link->CloseSendReadScanf();
    link->CloseSendReadIntensity();
    link->CloseSendReadSimulation();
    link->clearRequests();
    link->stopTimeout();
    DialogSeam::current()->progressClose();

    ui->Connection->setEnabled(true);
    ui->SerialSetting->setEnabled(m_link->ConnectionKind == 0);
    ui->EthnernetSetting->setEnabled(m_link->ConnectionKind == 1);
    for (QAction *a : {ui->DisConnection, ui->ReadAllSetting, ui->WriteAllSetting, ui->SoftReboot,
                       ui->SensorInformation})
        a->setEnabled(false);
    for (QAction *a : {ui->IOSimulation, ui->SelfCheck}) {
        a->setChecked(false);
        a->setEnabled(false);
    }
    // A simulation left on would take hold of the next scanner connected,
    // with its dock hidden: it ends with the connection.
    switchSimulationOff();
    ui->IOSimulationDock->hide();
    ui->SelfCheckDock->hide();
    setDataTableAvailable(false);
    optionScene->paintOutline()->hide();
    optionScene->paintStrength()->hide();
    updateLiveTools();
    statusBar()->showMessage(tr("Disconnected"));
    ui->SerialConnection->setEnabled(true);
    ui->EthernetConnection->setEnabled(true);

    // Closing the TCP socket emits disconnected(): not a drop.
    const QSignalBlocker quiet(TcpSocket);
    LinkDevices::closeAll(*SerialPort, *TcpSocket, *UdpSocket);
    link->CloseSerialPortSlots();
    updateRecordingActions();
    // A scanner restarting on request is the same one when it is back.
    if (!m_restartDeadline.isActive())
        m_compare->connectionClosed();
    updateCompareActions();
}

void MainWindow::OpenCloseReadScanf(bool Checked)
{
    if (Checked && (isConnected() || isReplaying())) {
        optionScene->paintOutline()->show();
        link->OpenSendReadScanf();
    } else {
        optionScene->paintOutline()->hide();
        link->CloseSendReadScanf();
    }
    updateLiveTools();
}

void MainWindow::OpenCloseReadIntensity(bool Checked)
{
    if (Checked && (isConnected() || isReplaying())) {
        optionScene->paintStrength()->show();
        link->OpenSendReadIntensity();
    } else {
        optionScene->paintStrength()->hide();
        link->CloseSendReadIntensity();
    }
}

void MainWindow::SelfCheckDisp(short SensorTemper, ushort RotateSpeed, ushort DriveVoltage, ushort SendVoltage,
                               ushort ReceiveVoltage)
{
    ui->SensorTemper->setText(MonitorTexts::temperature(SensorTemper));
    ui->RotateSpeed->setText(MonitorTexts::rotateSpeed(RotateSpeed));
    ui->DriveVoltage->setText(MonitorTexts::voltage(DriveVoltage));
    ui->SendVoltage->setText(MonitorTexts::voltage(SendVoltage));
    ui->ReceiveVoltage->setText(MonitorTexts::voltage(ReceiveVoltage));
}

void MainWindow::IOPortDisplayer(uint Inport, uint Outport, uint Status)
{
    m_status = Status;
    const QString status = MonitorTexts::status(Status, LanguageFlag);
    ui->label_StatusValue->setText(status);
    // Several faults at once outgrow the narrow label: the tip shows them all.
    ui->label_StatusValue->setToolTip(status);
    ui->InputlcdNum->display(int(Inport));
    QLabel *const inputs[] = {ui->InputPort1, ui->InputPort2, ui->InputPort3,
                              ui->InputPort4, ui->InputPort5, ui->InputPort6};
    for (int k = 0; k < 6; ++k) {
        const bool on = Inport & (1u << k);
        inputs[k]->setPixmap(QPixmap(QStringLiteral(":/images/%1%2.png")
                                         .arg(on ? QStringLiteral("Green") : QStringLiteral("Gray"))
                                         .arg(k + 1)));
    }
    optionScene->paintIntrusion()->setReportedOutputs(quint8(Outport & 7));
    static const char *const kOutputOn[] = {"Yellow1", "Orange2", "Red3"};
    QLabel *const outputs[] = {ui->OutputPort1, ui->OutputPort2, ui->OutputPort3};
    for (int k = 0; k < 3; ++k) {
        const QString name = (Outport & (1u << k)) ? QString::fromLatin1(kOutputOn[k])
                                                    : QStringLiteral("Gray%1").arg(k + 1);
        outputs[k]->setPixmap(QPixmap(QStringLiteral(":/images/%1.png").arg(name)));
    }
}

void MainWindow::DirChange(bool dir)
{
    m_directionReversed = dir;
    ui->label_dirValue->setText(MonitorTexts::installDirection(dir, LanguageFlag));
}

void MainWindow::MonitorGraphicDisplay(uint Inport, uint, uint)
{
    if (MonitoringMode != 1 || Inport == LastInputPort)
        return;
    LastInputPort = Inport;
    m_data->CurrentArea = Inport > 63 ? 63 : int(Inport);
    optionScene->UpdataPaintOutline();
}

void MainWindow::ReceiveAreaDataSlot()
{
    // One undo snapshot per area, as after opening a file: the areas read
    // replace the drawn ones, and an undo can bring a drawn one back.
    refreshAfterRead();
    optionScene->UpdataPaintOutline();
    optionScene->CoordTableUpdatePointItem();
}
