#include "hisnpacketizer.h"

#include "scanmodes.h"

QVector<HisnPacket> packetizeScan(const Scan &scan, int degreesPerPacket)
{
    QVector<HisnPacket> packets;
    const int g = scan.pointsPerDegree;
    const int total = ScanModes::FieldDegrees * g;
    if (g <= 0 || scan.distances.size() != total || scan.intensities.size() != total || degreesPerPacket <= 0)
        return packets;
    int sample = 0;
    for (int start = ScanModes::FirstPacketAngle; start < ScanModes::LastPacketAngle; start += degreesPerPacket) {
        const int end = qMin(start + degreesPerPacket, int(ScanModes::LastPacketAngle));
        const int n = (end - start) * g;
        HisnPacket p;
        p.StartAngle = quint16(start);
        p.EndAngle = quint16(end);
        p.CountA = p.CountB = quint16(n);
        p.Closing = end == ScanModes::LastPacketAngle ? quint16(n) : 0;
        p.Distances = scan.distances.mid(sample, n);
        p.Intensities = scan.intensities.mid(sample, n);
        sample += n;
        packets.append(p);
    }
    return packets;
}
