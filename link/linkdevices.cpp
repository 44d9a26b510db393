#include "linkdevices.h"

#include <QHostAddress>
#include <QTcpSocket>
#include <QUdpSocket>

namespace LinkDevices {

bool openSerial(QSerialPort &port, const QString &name, const SerialLineSettings &settings)
{
    port.setPortName(name);
    port.setBaudRate(settings.baudRate, QSerialPort::AllDirections);
    port.setDataBits(settings.dataBits);
    port.setParity(settings.parity);
    port.setStopBits(settings.stopBits);
    port.setFlowControl(settings.flowControl);
    return port.open(QIODevice::ReadWrite);
}

namespace {
bool socketOpen(const QAbstractSocket &socket)
{
    // The system may refuse inside connectToHost (no route): the socket is
    // then left unconnected yet in its open mode.
    return socket.isOpen() && socket.state() != QAbstractSocket::UnconnectedState;
}
} // namespace

bool isScannerAddress(const QString &address)
{
    const QHostAddress host(address.trimmed());
    // Empty or malformed text parses to a null address, and a TCP socket
    // would count as open while its lookup of "" fails later; the wildcard
    // and group addresses name no scanner.
    return !host.isNull() && !host.isEqual(QHostAddress(QHostAddress::AnyIPv4))
        && !host.isEqual(QHostAddress(QHostAddress::AnyIPv6)) && !host.isEqual(QHostAddress(QHostAddress::Broadcast))
        && !host.isMulticast();
}

bool openEthernet(QTcpSocket &tcp, QUdpSocket &udp, int mode, const QString &address, quint16 port)
{
    if (!isScannerAddress(address))
        return false;
    const QHostAddress host(address.trimmed());
    if (mode == 0) {
        tcp.connectToHost(host, port, QIODevice::ReadWrite);
        return socketOpen(tcp);
    }
    if (mode == 1) {
        udp.connectToHost(host, port, QIODevice::ReadWrite);
        return socketOpen(udp);
    }
    return false;
}

bool anyOpen(const QSerialPort &port, const QTcpSocket &tcp, const QUdpSocket &udp)
{
    return port.isOpen() || socketOpen(tcp) || socketOpen(udp);
}

void closeAll(QSerialPort &port, QTcpSocket &tcp, QUdpSocket &udp)
{
    port.close();
    tcp.abort();
    tcp.close();
    udp.close();
}

} // namespace LinkDevices
