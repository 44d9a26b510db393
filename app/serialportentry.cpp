#include "serialportentry.h"

#include <QCoreApplication>
#include <QSerialPortInfo>

QStringList serialPortItemData(const SerialPortEntry &port)
{
    const QString blank = QCoreApplication::translate("Create", "N/A");
    const auto text = [&](const QString &s) { return s.isEmpty() ? blank : s; };
    const auto hex = [&](quint16 id) { return id ? QString::number(id, 16) : blank; };
    return {port.portName,
            text(port.description),
            text(port.manufacturer),
            text(port.serialNumber),
            port.systemLocation,
            hex(port.vendorIdentifier),
            hex(port.productIdentifier)};
}

QList<SerialPortEntry> systemSerialPorts()
{
    QList<SerialPortEntry> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports.append({info.portName(), info.description(), info.manufacturer(), info.serialNumber(),
                      info.systemLocation(), info.vendorIdentifier(), info.productIdentifier()});
    return ports;
}
