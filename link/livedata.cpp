#include "livedata.h"

#include <cstring>

namespace {
quint16 clampTo(quint16 v, int maxRange) { return int(v) > maxRange ? quint16(qMax(0, maxRange)) : v; }
quint16 getLe16(const char *p) { return quint16(quint8(p[0]) | (quint8(p[1]) << 8)); }
quint16 getBe16(const char *p) { return quint16((quint8(p[0]) << 8) | quint8(p[1])); }
} // namespace

QByteArray encodeSamplesReply(Command command, const QVector<quint16> &samples)
{
    QByteArray frame = blankFrame(command, kSamplesFrameLength);
    for (int k = 0; k < LinkState::SerialSampleCount && k < samples.size(); ++k)
        put16(frame, 5 + 2 * k, samples.at(k));
    return frame;
}

std::optional<QVector<quint16>> decodeSamplesReply(const QByteArray &frame, Command command)
{
    if ((command != Command::RScan && command != Command::RStre)
        || !isFrame(frame, command, kSamplesFrameLength, false))
        return std::nullopt;
    QVector<quint16> samples(LinkState::SerialSampleCount);
    for (int k = 0; k < samples.size(); ++k)
        samples[k] = get16(frame, 5 + 2 * k);
    return samples;
}

void storeSerialSamples(const QVector<quint16> &samples, bool reversed, int maxRange, QVector<quint16> &target)
{
    const int n = LinkState::SerialSampleCount;
    if (samples.size() < n || target.size() < n)
        return;
    for (int k = 0; k < n; ++k)
        target[reversed ? k : n - 1 - k] = clampTo(samples.at(k), maxRange);
}

bool HisnPacket::operator==(const HisnPacket &o) const
{
    return StartAngle == o.StartAngle && EndAngle == o.EndAngle && CountA == o.CountA && Closing == o.Closing
        && CountB == o.CountB && Distances == o.Distances && Intensities == o.Intensities;
}

int hisnPacketLength(const char *data, int size)
{
    if (size < kHisnHeaderLength)
        return 0;
    return kHisnHeaderLength + 4 * qMin(getBe16(data + 8), getBe16(data + 12));
}

QByteArray encodeHisnPacket(const HisnPacket &packet)
{
    const int n = packet.pointCount();
    QByteArray bytes(kHisnHeaderLength + 4 * n, '\0');
    std::memcpy(bytes.data(), "HISN", 4);
    put16(bytes, 4, packet.StartAngle);
    put16(bytes, 6, packet.EndAngle);
    put16(bytes, 8, packet.CountA);
    put16(bytes, 10, packet.Closing);
    put16(bytes, 12, packet.CountB);
    for (int j = 0; j < n; ++j) {
        const quint16 d = j < packet.Distances.size() ? packet.Distances.at(j) : 0;
        const quint16 i = j < packet.Intensities.size() ? packet.Intensities.at(j) : 0;
        char *p = bytes.data() + kHisnHeaderLength + 4 * j;
        p[0] = char(d & 0xFF);
        p[1] = char(d >> 8);
        p[2] = char(i & 0xFF);
        p[3] = char(i >> 8);
    }
    return bytes;
}

std::optional<HisnPacket> decodeHisnPacket(const QByteArray &bytes)
{
    const char *data = bytes.constData();
    if (bytes.size() < kHisnHeaderLength || std::memcmp(data, "HISN", 4) != 0
        || bytes.size() != hisnPacketLength(data, bytes.size()))
        return std::nullopt;
    HisnPacket packet;
    packet.StartAngle = getBe16(data + 4);
    packet.EndAngle = getBe16(data + 6);
    packet.CountA = getBe16(data + 8);
    packet.Closing = getBe16(data + 10);
    packet.CountB = getBe16(data + 12);
    const int n = packet.pointCount();
    packet.Distances.resize(n);
    packet.Intensities.resize(n);
    // Raw pointers: indexing a QVector checks for sharing on every write.
    quint16 *distances = packet.Distances.data();
    quint16 *intensities = packet.Intensities.data();
    const char *p = data + kHisnHeaderLength;
    for (int j = 0; j < n; ++j, p += 4) {
        distances[j] = getLe16(p);
        intensities[j] = getLe16(p + 2);
    }
    return packet;
}

bool HisnAssembler::add(const HisnPacket &packet, LinkState &link, int maxRange)
{
    const int ring = qMin(LinkState::NetRingSize, qMin(link.NetRingDistances.size(), link.NetRingIntensities.size()));
    if (link.NetWritePos < 0 || link.NetWritePos >= ring)
        link.NetWritePos = 0;
    // The rings are written in place through raw pointers, in runs up to the
    // ring's end: this loop sees every sample of the stream.
    const int n = qMin(packet.pointCount(), qMin(packet.Distances.size(), packet.Intensities.size()));
    const quint16 *distances = packet.Distances.constData();
    const quint16 *intensities = packet.Intensities.constData();
    quint16 *ringDistances = link.NetRingDistances.data();
    quint16 *ringIntensities = link.NetRingIntensities.data();
    const quint16 limit = quint16(qBound(0, maxRange, 0xFFFF));
    int pos = link.NetWritePos;
    for (int j = 0; j < n && ring > 0;) {
        const int run = qMin(n - j, ring - pos);
        for (int k = 0; k < run; ++k) {
            ringDistances[pos + k] = qMin(distances[j + k], limit);
            ringIntensities[pos + k] = qMin(intensities[j + k], limit);
        }
        j += run;
        pos += run;
        if (pos >= ring)
            pos = 0;
    }
    link.NetWritePos = pos;

    // A packet spanning no angle gives no resolution: its points are kept but
    // it takes no part in the resolution and scan-end tests.
    const int span = int(packet.EndAngle) - int(packet.StartAngle);
    if (span == 0)
        return false;
    const int g = int(packet.CountB) / span;
    const bool closing = packet.EndAngle == 340 && packet.Closing == packet.CountB;
    if (g != m_resolution) {
        m_resolution = g;
        m_resolutionChanged = true;
        link.NetWritePos = 0;
        if (closing) {
            m_resolutionChanged = false;
            link.NetWritePos = 0;
            link.NetScanLength = 0;
        }
        return false;
    }
    if (!closing)
        return false;
    if (m_resolutionChanged) {
        // The first scan after a change of resolution is incomplete.
        m_resolutionChanged = false;
        link.NetWritePos = 0;
        link.NetScanLength = 0;
        return false;
    }
    if (g > 0 && link.NetWritePos == g * kScanDegrees) {
        link.NetScanLength = g * kScanDegrees;
        link.NetWritePos = 0;
        link.NetDistances.swap(link.NetRingDistances);
        link.NetIntensities.swap(link.NetRingIntensities);
        return true;
    }
    link.NetWritePos = 0;
    link.NetScanLength = 0;
    return false;
}
