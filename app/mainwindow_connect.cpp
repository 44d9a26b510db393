// The main window's connection controls: choosing the interface, opening the
// serial line or the Ethernet link with what the user sees of it, and the
// ways a connection can end without the user asking.

#include "mainwindow.h"

#include "connecttexts.h"
#include "about.h"
#include "create.h"
#include "ethnertsetting.h"
#include "forminformation.h"
#include "settingsdialog.h"
#include "dialogseam.h"
#include "serial_comm.h"
#include "ui_mainwindow.h"

#include <QLabel>
#include <QSerialPort>
#include <QStatusBar>
#include <QTcpSocket>
#include <QUdpSocket>

void MainWindow::createDialogs()
{
    // Top-level, without parents: each lives as long as the window.
    AboutBox = new About;
    Welcome = new Create;
    EthernetDialog = new EthnertSetting;
    SerialDialog = new SettingsDialog;
    Information = new FormInformation;
}

void MainWindow::connectDialogs()
{
    connect(Welcome, &Create::QuitSignal, this, &QWidget::close);
    connect(Welcome, &Create::CreateSignal, this, &MainWindow::CreateDeviceType);
    connect(Welcome, &Create::OpenProjectSignal, this, &MainWindow::OpenProject);
    connect(Welcome, &Create::OpenSerialSignal, this, &MainWindow::CreatOpenSerialPort);
    connect(Welcome, &Create::OpenEthernetSignal, this, &MainWindow::CreatEthernetPort);
    connect(Welcome, &Create::CreateInterface, this, &MainWindow::CreatConnectTypeSignalSlot);
    connect(Welcome, &Create::OpenEthernetMode, this, &MainWindow::CreatEthnertModeSignalSlot);
    connect(SerialDialog, &SettingsDialog::OpenSerialSignal, this, &MainWindow::CreatOpenSerialPort);
    connect(EthernetDialog, &EthnertSetting::OpenEthernetSignal, this, &MainWindow::CreatEthernetPort);
    connect(EthernetDialog, &EthnertSetting::OpenEthernetMode, this, &MainWindow::CreatEthnertModeSignalSlot);
    connect(EthernetDialog, &EthnertSetting::informationAppend, this, &MainWindow::informationAppend);

    connect(ui->SerialConnection, &QAction::triggered, this, &MainWindow::ConnectChangeUSARTModeSlot);
    connect(ui->EthernetConnection, &QAction::triggered, this, &MainWindow::ConnectChangeEthernetModeSlot);
    connect(ui->SerialSetting, &QAction::triggered, SerialDialog, [this] {
        SerialDialog->show();
        SerialDialog->fillPortsInfo();
    });
    connect(ui->EthnernetSetting, &QAction::triggered, EthernetDialog, [this] {
        EthernetDialog->show();
        EthernetDialog->fillPortsInfo();
    });
    connect(ui->Connection, &QAction::triggered, this, &MainWindow::OpenSerialPort);
    connect(ui->actionComm, &QAction::triggered, Information, &QWidget::show);
    connect(ui->About, &QAction::triggered, AboutBox, &QWidget::show);
    connect(ui->Manual, &QAction::triggered, this, &MainWindow::OpenManualFile);
    connect(ui->English, &QAction::triggered, this, &MainWindow::LanguageToEnglish);
    connect(ui->Chinese, &QAction::triggered, this, &MainWindow::LanguageToChinese);
}

void MainWindow::informationAppend(QString s) { Information->InformationAppend(s); }

void MainWindow::OpenSerialPort()
{
    // The dialog of the chosen interface announces its port or address,
    // which comes back to one of the open slots.
    if (m_link->ConnectionKind == 0)
        SerialDialog->update();
    else if (m_link->ConnectionKind == 1)
        EthernetDialog->update();
}

void MainWindow::CreatOpenSerialPort(QString Com)
{
    const SerialSettings s = SerialDialog->CurrentSettings();
    // The status line names the port opened: the welcome dialog announces
    // its own choice, which need not be the one kept in the settings.
    connectSerial(Com, lineSettings(s),
                  {Com, s.stringBaudRate, s.stringDataBits, s.stringParity, s.stringStopBits, s.stringFlowControl});
}

void MainWindow::ConnectChangeUSARTModeSlot() { selectInterface(0); }

void MainWindow::ConnectChangeEthernetModeSlot() { selectInterface(1); }

void MainWindow::selectInterface(int kind)
{
    const bool ethernet = kind == 1;
    ui->SerialConnection->setChecked(!ethernet);
    ui->EthernetConnection->setChecked(ethernet);
    ui->SerialSetting->setEnabled(!ethernet);
    ui->EthnernetSetting->setEnabled(ethernet);
    m_link->ConnectionKind = kind;

    // The sensor dock: only what the chosen interface can configure.
    for (QWidget *w : {static_cast<QWidget *>(ui->Para_ControlMode), static_cast<QWidget *>(ui->Para_RS232BaudRate),
                       static_cast<QWidget *>(ui->Para_RS232CommVerify), static_cast<QWidget *>(ui->Para_RS232StopBit),
                       static_cast<QWidget *>(ui->Para_RS485IDAddress), static_cast<QWidget *>(ui->Para_RS485BaudRate),
                       static_cast<QWidget *>(ui->Para_RS485CommVerify), static_cast<QWidget *>(ui->Para_RS485StopBit)})
        w->setEnabled(!ethernet);
    ui->Para_CANBaudRate->setEnabled(true);
    ui->Para_CANIDAddress->setEnabled(true);
    for (QWidget *w : {static_cast<QWidget *>(ui->Para_SensorEtherMode),
                       static_cast<QWidget *>(ui->Para_SensorIPAddress1),
                       static_cast<QWidget *>(ui->Para_SensorIPAddress2),
                       static_cast<QWidget *>(ui->Para_SensorIPAddress3),
                       static_cast<QWidget *>(ui->Para_SensorIPAddress4),
                       static_cast<QWidget *>(ui->Para_ScanSensorAngle), static_cast<QWidget *>(ui->Para_ScanMotorSpeed),
                       static_cast<QWidget *>(ui->Set_ScanFilterLevel), static_cast<QWidget *>(ui->Set_ScanMotorSpeed),
                       static_cast<QWidget *>(ui->Set_ScanSensorAngle), static_cast<QWidget *>(ui->Set_SensorSleepMode),
                       static_cast<QWidget *>(ui->ScanGroupBox), static_cast<QWidget *>(ui->Para_CrossFilterEnable)})
        w->setEnabled(ethernet);
    ui->Para_CrossFilterNumber->setEnabled(ethernet && ui->Para_CrossFilterEnable->currentIndex() != 0);
    ui->Para_LaserMeasureFrq->setEnabled(false);
}

void MainWindow::CreatConnectTypeSignalSlot(int Index)
{
    if (Index == 0)
        ConnectChangeUSARTModeSlot();
    else if (Index == 1)
        ConnectChangeEthernetModeSlot();
}

void MainWindow::CreatEthnertModeSignalSlot(QString Type)
{
    // A late search reply must not switch the mode under a connection.
    if (isConnected())
        return;
    if (Type == QLatin1String("MODE: TCP"))
        m_link->EthernetMode = 0;
    else if (Type == QLatin1String("MODE: UDP"))
        m_link->EthernetMode = 1;
}

void MainWindow::selectInterfaceForOpening(int kind)
{
    selectInterface(kind);
    // While a device is being opened neither settings dialog may change it.
    ui->SerialSetting->setEnabled(false);
    ui->EthnernetSetting->setEnabled(false);
}

void MainWindow::showPortLabel(const QString &text)
{
    if (text.isEmpty())
        return;
    PortLabel->setText(text);
    if (PortLabel->parentWidget() != statusBar())
        statusBar()->addPermanentWidget(PortLabel);
}

void MainWindow::retranslateConnection(int flag)
{
    auto status = [this](int language) {
        return m_portLabelKind == 0 ? ConnectTexts::serialConnected(language, m_portLabelLine)
                                    : ConnectTexts::ethernetConnected(language, m_portLabelDevice);
    };
    if (m_portLabelKind < 0)
        return;
    const QString shown = statusBar()->currentMessage();
    if (shown == status(0) || shown == status(1))
        statusBar()->showMessage(status(flag));
    showPortLabel(m_portLabelKind == 0 ? ConnectTexts::serialPortLabel(flag, m_portLabelDevice)
                                       : ConnectTexts::ethernetPortLabel(flag, m_portLabelDevice));
}

void MainWindow::reportOpenError(const QString &text)
{
    ui->SerialSetting->setEnabled(m_link->ConnectionKind == 0);
    ui->EthnernetSetting->setEnabled(m_link->ConnectionKind == 1);
    DialogSeam::current()->notify(DialogSeam::Icon::Critical, ConnectTexts::errorTitle(LanguageFlag), text,
                                  QStringLiteral("OK"));
    statusBar()->showMessage(ConnectTexts::openErrorStatus(LanguageFlag));
}

QString MainWindow::withReason(const QString &text, ConnectTexts::LinkFailure failure,
                               const QString &systemText) const
{
    const QString reason = ConnectTexts::failureReason(LanguageFlag, failure, systemText);
    return reason.isEmpty() ? text : text + QLatin1Char('\n') + reason;
}

void MainWindow::takeOverFromLastConnection()
{
    endRestartWait();
    if (isConnected())
        CloseSerialPort();
}

void MainWindow::showConnected()
{
    setConnectedActions(true);
    const bool serial = m_lastDevice.kind == 0;
    const QString status = serial ? ConnectTexts::serialConnected(LanguageFlag, m_lastDevice.shown)
                                  : ConnectTexts::ethernetConnected(LanguageFlag, m_lastDevice.device);
    if (status.isEmpty())
        return;
    statusBar()->showMessage(status);
    m_portLabelKind = m_lastDevice.kind;
    m_portLabelDevice = m_lastDevice.device;
    m_portLabelLine = m_lastDevice.shown;
    showPortLabel(serial ? ConnectTexts::serialPortLabel(LanguageFlag, m_lastDevice.device)
                         : ConnectTexts::ethernetPortLabel(LanguageFlag, m_lastDevice.device));
}

bool MainWindow::connectSerial(const QString &Com, const SerialLineSettings &line, const QStringList &shown)
{
    takeOverFromLastConnection();
    selectInterfaceForOpening(0);
    if (!LinkDevices::openSerial(*SerialPort, Com, line)) {
        const QString why = SerialPort->errorString();
        reportOpenError(withReason(ConnectTexts::serialOpenError(LanguageFlag),
                                   ConnectTexts::serialFailure(SerialPort->error(), why), why));
        return false;
    }
    m_lastDevice = {0, Com, LinkDevices::ScannerPort, 0, line, shown};
    // The window's Connection opens it again, whichever dialog chose it.
    SerialDialog->setPortName(Com);
    showConnected();
    // Asked once the line is open: a port that does not open asks nothing.
    const bool readAll = mayReadOverProject();
    if (!isConnected())
        return false; // the line went while the question was open
    OpenCloseReadScanf(ui->Distance->isChecked());
    OpenCloseReadIntensity(ui->Intensity->isChecked());
    link->OpenSendReadSimulation();
    if (readAll)
        link->ReadSensorAllDataSlots();
    else
        keepProjectOnConnection();
    return true;
}

bool MainWindow::connectEthernet(const QString &Com, quint16 port)
{
    takeOverFromLastConnection();
    selectInterfaceForOpening(1);
    m_tcpEstablished = false;
    const int mode = m_link->EthernetMode;
    if (!LinkDevices::openEthernet(*TcpSocket, *UdpSocket, mode, Com, port)) {
        QString text = ConnectTexts::ethernetOpenError(LanguageFlag);
        // The system refused at once (no route): say why. Text that names no
        // scanner was never tried, and the socket's error is an old one.
        const QAbstractSocket &socket = mode == 1 ? static_cast<QAbstractSocket &>(*UdpSocket) : *TcpSocket;
        if (LinkDevices::isScannerAddress(Com))
            text = withReason(text, ConnectTexts::socketFailure(socket.error(), socket.errorString()),
                              socket.errorString());
        const QSignalBlocker quiet(TcpSocket);
        LinkDevices::closeAll(*SerialPort, *TcpSocket, *UdpSocket);
        reportOpenError(text);
        return false;
    }
    m_lastDevice = {1, Com, port, mode, {}, {}};
    if (mode == 1)
        rememberAddress(Com); // TCP: once the scanner accepted
    else
        m_connectDeadline.start();
    showConnected();
    const bool readAll = mayReadOverProject();
    if (!isConnected())
        return false; // refused or dropped while the question was open
    // On Ethernet the read-all goes first: it stops a stream still running.
    if (readAll)
        link->ReadSensorAllDataSlots();
    else
        keepProjectOnConnection();
    OpenCloseReadScanf(ui->Distance->isChecked());
    OpenCloseReadIntensity(ui->Intensity->isChecked());
    link->OpenSendReadSimulation();
    return true;
}

void MainWindow::CreatEthernetPort(QString Com) { connectEthernet(Com); }

bool MainWindow::mayReadOverProject()
{
    if (!m_data->Modified)
        return true;
    const int answer = askWarning(ConnectTexts::readOverQuestion(0), ConnectTexts::readOverQuestion(1),
                                  ConnectTexts::readOverButtons(0), ConnectTexts::readOverButtons(1), 0);
    if (answer == 0)
        return saveProject(); // a cancelled or failed save keeps the work
    // Anything but an answer to read keeps the project as it is.
    return answer == 1;
}

void MainWindow::keepProjectOnConnection()
{
    // Without the scanner's parameter block, the project's is the one a
    // download sends: the zones go mirrored exactly when it says reversed.
    const bool reversed = Parameters->Words[SensorParameters::InstallDirectionWord] != 0;
    m_link->DirectionReversed = reversed;
    DirChange(reversed);
}

void MainWindow::handleError(QSerialPort::SerialPortError error)
{
    // A pulled adapter, or a pseudo-terminal whose other end closed, reports
    // a resource error or read errors (again and again while the dead line
    // stays readable). Either way the line is gone.
    if ((error != QSerialPort::ResourceError && error != QSerialPort::ReadError) || !SerialPort->isOpen())
        return;
    const QString why = SerialPort->errorString();
    // Closed at once: a dead line would report again.
    SerialPort->close();
    endRestartWait();
    CloseSerialPort();
    offerReconnect(ConnectTexts::linkLostText(
        LanguageFlag, m_lastDevice.device,
        ConnectTexts::failureReason(LanguageFlag, ConnectTexts::serialFailure(error, why), why)));
}

void MainWindow::tcpError(QAbstractSocket::SocketError error)
{
    // A refused or failed attempt: without this the window would show a
    // connection whose requests all time out.
    if (m_tcpEstablished || m_link->ConnectionKind != 1 || m_link->EthernetMode != 0
        || !ui->DisConnection->isEnabled())
        return;
    const QString why = TcpSocket->errorString();
    CloseSerialPort();
    reportOpenError(withReason(ConnectTexts::ethernetOpenError(LanguageFlag), ConnectTexts::socketFailure(error, why),
                               why));
}

void MainWindow::ethernetDropped()
{
    // Without this the window would go on showing a connection whose
    // requests all time out.
    if (m_link->ConnectionKind != 1 || m_link->EthernetMode != 0 || !ui->DisConnection->isEnabled())
        return;
    const QString why = TcpSocket->errorString();
    const ConnectTexts::LinkFailure failure = ConnectTexts::socketFailure(TcpSocket->error(), why);
    CloseSerialPort();
    if (m_restartDeadline.isActive()) {
        // The restart the user asked for: connected again once it is back.
        statusBar()->showMessage(ConnectTexts::restartingStatus(LanguageFlag));
        m_reattachTick.start();
        return;
    }
    offerReconnect(ConnectTexts::linkLostText(LanguageFlag, m_lastDevice.device,
                                              ConnectTexts::failureReason(LanguageFlag, failure, why)));
}
