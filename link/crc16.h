#pragma once

#include <QByteArray>
#include <QtGlobal>

// CRC-16/MODBUS: reflected polynomial 0xA001, initial 0xFFFF, no final XOR.
// Frames carry it in their last two bytes, low byte first.
quint16 crc16Modbus(const char *data, int size);
inline quint16 crc16Modbus(const QByteArray &bytes) { return crc16Modbus(bytes.constData(), bytes.size()); }

// Writes the CRC of bytes [0, size - 2) into the last two bytes of frame.
void storeCrc(QByteArray &frame);
// True when frame is at least three bytes long and its last two bytes hold the
// CRC of everything before them.
bool hasValidCrc(const char *frame, int size);
inline bool hasValidCrc(const QByteArray &frame) { return hasValidCrc(frame.constData(), frame.size()); }
