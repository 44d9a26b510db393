// The main window when a connection goes without the user asking: the offer
// to open it again, the wait for a scanner restarting on request, and the
// addresses connected to last, which both connection dialogs offer first.

#include "mainwindow.h"

#include "comparecontroller.h"
#include "create.h"
#include "dialogseam.h"
#include "ethnertsetting.h"
#include "serial_comm.h"
#include "settingsstore.h"
#include "ui_mainwindow.h"

#include <QSettings>
#include <QStatusBar>
#include <QTcpSocket>

namespace {
// A key of its own beside the window's settings.
const QString kAddressesKey = QStringLiteral("RecentAddresses");
// As long as quillmark-cli gives a connection attempt.
constexpr int kConnectDeadlineMs = 5000;
// Between two attempts to reach a restarting scanner again.
constexpr int kReattachMs = 200;
} // namespace

void MainWindow::createReconnection()
{
    m_connectDeadline.setSingleShot(true);
    m_connectDeadline.setInterval(kConnectDeadlineMs);
    connect(&m_connectDeadline, &QTimer::timeout, this, [this] {
        if (m_tcpEstablished || m_link->ConnectionKind != 1 || m_link->EthernetMode != 0
            || !ui->DisConnection->isEnabled())
            return;
        CloseSerialPort();
        reportOpenError(withReason(ConnectTexts::ethernetOpenError(LanguageFlag), ConnectTexts::LinkFailure::TimedOut,
                                   QString()));
    });
    m_restartWaitMs = SERIAL_COMM::RestartWaitMs;
    m_restartDeadline.setSingleShot(true);
    connect(&m_restartDeadline, &QTimer::timeout, this, &MainWindow::restartExpired);
    m_reattachTick.setInterval(kReattachMs);
    connect(&m_reattachTick, &QTimer::timeout, this, &MainWindow::reattachAfterRestart);
    loadAddressHistory();
}

void MainWindow::loadAddressHistory()
{
    m_addresses = AddressHistory(settingsStore().value(kAddressesKey).toStringList());
    Welcome->setAddressHistory(m_addresses.addresses());
    EthernetDialog->setAddressHistory(m_addresses.addresses());
}

void MainWindow::rememberAddress(const QString &address)
{
    m_addresses.add(address);
    QSettings settings = settingsStore();
    settings.setValue(kAddressesKey, m_addresses.addresses());
    Welcome->setAddressHistory(m_addresses.addresses());
    // Also what the window's Connection opens next.
    EthernetDialog->setAddressHistory(m_addresses.addresses());
}

void MainWindow::offerReconnect(const QString &text)
{
    QTimer::singleShot(0, this, [this, text] {
        if (isConnected())
            return; // connected again meanwhile
        if (DialogSeam::current()->ask(DialogSeam::Icon::Warning, ConnectTexts::linkLostTitle(LanguageFlag), text,
                                       ConnectTexts::reconnectButtons(LanguageFlag), 0)
            == 0)
            reconnectLastDevice();
    });
}

void MainWindow::reconnectLastDevice()
{
    if (m_lastDevice.kind == 0) {
        connectSerial(m_lastDevice.device, m_lastDevice.line, m_lastDevice.shown);
    } else if (m_lastDevice.kind == 1) {
        m_link->EthernetMode = m_lastDevice.mode;
        connectEthernet(m_lastDevice.device, m_lastDevice.port);
    }
}

void MainWindow::endRestartWait()
{
    m_restartDeadline.stop();
    m_reattachTick.stop();
}

void MainWindow::scannerRestarting()
{
    m_restartDeadline.start(m_restartWaitMs);
    statusBar()->showMessage(ConnectTexts::restartingStatus(LanguageFlag));
}

void MainWindow::scannerBack()
{
    if (!m_restartDeadline.isActive())
        return;
    endRestartWait();
    showConnected();
    m_compare->scannerBack();
}

void MainWindow::reattachAfterRestart()
{
    if (TcpSocket->state() != QAbstractSocket::UnconnectedState)
        return; // an attempt under way
    // The scanner refuses until it is up again; each try starts afresh.
    TcpSocket->abort();
    m_tcpEstablished = false;
    m_link->EthernetMode = m_lastDevice.mode;
    LinkDevices::openEthernet(*TcpSocket, *UdpSocket, m_lastDevice.mode, m_lastDevice.device, m_lastDevice.port);
}

void MainWindow::finishReattach()
{
    endRestartWait();
    // The interface may have been switched while the scanner was away.
    selectInterfaceForOpening(1);
    // The scanner holds what it held before its restart: nothing to read.
    showConnected();
    OpenCloseReadScanf(ui->Distance->isChecked());
    OpenCloseReadIntensity(ui->Intensity->isChecked());
    link->OpenSendReadSimulation();
    m_compare->scannerBack();
}

void MainWindow::restartExpired()
{
    const bool reattaching = m_reattachTick.isActive();
    endRestartWait();
    if (reattaching) {
        const QSignalBlocker quiet(TcpSocket);
        LinkDevices::closeAll(*SerialPort, *TcpSocket, *UdpSocket);
        statusBar()->showMessage(tr("Disconnected"));
        m_compare->connectionClosed();
    } else if (ui->DisConnection->isEnabled()) {
        CloseSerialPort();
    }
    offerReconnect(ConnectTexts::notBackText(LanguageFlag, m_lastDevice.device, (m_restartWaitMs + 999) / 1000));
}
