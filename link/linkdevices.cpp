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

bool openEthernet(QTcpSocket &tcp, QUdpSocket &udp, int mode, const QString &address, quint16 port)
{
    const QHostAddress host(address.trimmed());
    if (mode == 0) {
        tcp.connectToHost(host, port, QIODevice::ReadWrite);
        return tcp.isOpen();
    }
    if (mode == 1) {
        udp.connectToHost(host, port, QIODevice::ReadWrite);
        return udp.isOpen();
    }
    return false;
}

bool anyOpen(const QSerialPort &port, const QTcpSocket &tcp, const QUdpSocket &udp)
{
    return port.isOpen() || tcp.isOpen() || udp.isOpen();
}

void closeAll(QSerialPort &port, QTcpSocket &tcp, QUdpSocket &udp)
{
    port.close();
    tcp.abort();
    tcp.close();
    udp.close();
}

} // namespace LinkDevices
