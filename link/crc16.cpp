#include "crc16.h"

#include <array>

namespace {
// Byte-wise table of the reflected polynomial; the receive loop checks a CRC
// over every reply, up to 1264 bytes each.
constexpr std::array<quint16, 256> makeTable()
{
    std::array<quint16, 256> table{};
    for (int i = 0; i < 256; ++i) {
        quint16 crc = quint16(i);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
        table[size_t(i)] = crc;
    }
    return table;
}
constexpr std::array<quint16, 256> kTable = makeTable();
} // namespace

quint16 crc16Modbus(const char *data, int size)
{
    quint16 crc = 0xFFFF;
    for (int i = 0; i < size; ++i)
        crc = quint16((crc >> 8) ^ kTable[(crc ^ quint8(data[i])) & 0xFF]);
    return crc;
}

void storeCrc(QByteArray &frame)
{
    if (frame.size() < 2)
        return;
    const quint16 crc = crc16Modbus(frame.constData(), frame.size() - 2);
    frame[frame.size() - 2] = char(crc & 0xFF);
    frame[frame.size() - 1] = char(crc >> 8);
}

bool hasValidCrc(const char *frame, int size)
{
    if (size < 3)
        return false;
    const quint16 crc = crc16Modbus(frame, size - 2);
    return quint8(frame[size - 2]) == (crc & 0xFF) && quint8(frame[size - 1]) == (crc >> 8);
}
