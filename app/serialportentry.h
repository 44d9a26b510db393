#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What the system tells about one serial port, as plain data so that a port
// list can be built (and tested) without the ports.
struct SerialPortEntry
{
    QString portName;
    QString description;
    QString manufacturer;
    QString serialNumber;
    QString systemLocation;
    quint16 vendorIdentifier = 0;
    quint16 productIdentifier = 0;
};

// The texts kept with a port's list item: name, description, manufacturer,
// serial number, system location, vendor and product identifier in hex.
// Empty texts and zero identifiers read "N/A".
QStringList serialPortItemData(const SerialPortEntry &port);

// Every serial port the system reports, in its order.
QList<SerialPortEntry> systemSerialPorts();
