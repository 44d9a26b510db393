#pragma once

#include <QSerialPort>
#include <QString>

class QTcpSocket;
class QUdpSocket;

// How a serial line is set up when it is opened.
struct SerialLineSettings
{
    qint32 baudRate = 115200;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QSerialPort::FlowControl flowControl = QSerialPort::NoFlowControl;
};

// Opening and closing the three devices the link talks through. The main
// window owns the devices; its connection slots and the tests open them here,
// so there is one way of doing it.
namespace LinkDevices {
constexpr quint16 ScannerPort = 8080; // every scanner listens here, TCP and UDP

bool openSerial(QSerialPort &port, const QString &name, const SerialLineSettings &settings);
// The text parses to an address a scanner can have: not empty, malformed,
// a wildcard, broadcast or group address.
bool isScannerAddress(const QString &address);
// Mode 0 connects the TCP socket, mode 1 associates the UDP socket with the
// address (it then takes datagrams from there only); other modes open
// nothing. A TCP connection is asynchronous: the socket counts as open once
// the attempt has started, so a refused or unanswered attempt is not
// reported here; one the system refuses at once (no route) is. After a
// failed attempt the socket holds the error.
bool openEthernet(QTcpSocket &tcp, QUdpSocket &udp, int mode, const QString &address,
                  quint16 port = ScannerPort);
// A socket whose attempt failed is not open, whatever its open mode says.
bool anyOpen(const QSerialPort &port, const QTcpSocket &tcp, const QUdpSocket &udp);
void closeAll(QSerialPort &port, QTcpSocket &tcp, QUdpSocket &udp);
} // namespace LinkDevices
