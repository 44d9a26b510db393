#pragma once

#include "linkdevices.h"

#include <QSerialPort>
#include <QString>

// The serial line the user chose in the serial settings dialog. The numbers
// are the serial library's own values and go to the port unchanged; each
// comes with the text it was shown as.
struct SerialSettings
{
    QString name;
    qint32 baudRate = 576000;
    QString stringBaudRate;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QString stringDataBits;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QString stringParity;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QString stringStopBits;
    QSerialPort::FlowControl flowControl = QSerialPort::NoFlowControl;
    QString stringFlowControl;
};

// The line parameters as the link's port opener takes them.
inline SerialLineSettings lineSettings(const SerialSettings &s)
{
    SerialLineSettings line;
    line.baudRate = s.baudRate;
    line.dataBits = s.dataBits;
    line.parity = s.parity;
    line.stopBits = s.stopBits;
    line.flowControl = s.flowControl;
    return line;
}
