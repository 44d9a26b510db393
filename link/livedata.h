#pragma once

// Live measurement frames: the RScan/RStre replies of the serial line and the
// HISN packets of the Ethernet stream, and how they fill LinkState's buffers.

#include "frames.h"
#include "linkstate.h"

#include <QByteArray>
#include <QVector>
#include <optional>

constexpr int kHisnHeaderLength = 16;
constexpr int kScanDegrees = 320;

// RScan (distances) or RStre (intensities) reply: 640 big-endian samples, no CRC.
QByteArray encodeSamplesReply(Command command, const QVector<quint16> &samples);
std::optional<QVector<quint16>> decodeSamplesReply(const QByteArray &frame, Command command);
// Stores a serial scan: in reverse order unless the scanner is mounted
// reversed, every sample limited to maxRange.
void storeSerialSamples(const QVector<quint16> &samples, bool reversed, int maxRange, QVector<quint16> &target);

struct HisnPacket
{
    quint16 StartAngle = 0; // degrees
    quint16 EndAngle = 0;   // degrees; 340 on the closing packet of a scan
    quint16 CountA = 0;
    quint16 Closing = 0;    // compared with CountB on the closing packet
    quint16 CountB = 0;
    QVector<quint16> Distances; // min(CountA, CountB) points
    QVector<quint16> Intensities;

    int pointCount() const { return qMin(CountA, CountB); }
    bool operator==(const HisnPacket &o) const;
};

// Length of the packet whose header starts at data, or 0 when fewer than 16
// bytes are there to tell.
int hisnPacketLength(const char *data, int size);
// Encodes the header and min(A, B) points (missing points are sent as 0).
QByteArray encodeHisnPacket(const HisnPacket &packet);
std::optional<HisnPacket> decodeHisnPacket(const QByteArray &bytes);

// Assembles HISN packets into whole scans in LinkState's Ethernet rings and
// hands each complete one to the display buffers. One instance lives as long
// as the link (it remembers the last resolution).
class HisnAssembler
{
public:
    // Stores the packet's points and handles the scan end. True when a
    // complete scan is now in NetDistances and NetIntensities (NetScanLength set).
    bool add(const HisnPacket &packet, LinkState &link, int maxRange);
    int resolution() const { return m_resolution; }
    // A new connection, or a jump in a replay: the next packet starts afresh.
    void reset() { *this = HisnAssembler(); }

private:
    int m_resolution = 0;
    bool m_resolutionChanged = false;
};
