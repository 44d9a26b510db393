#include "hisnscanjoiner.h"

#include "scanmodes.h"

static_assert(HisnScanJoiner::MaxSamples == 40 * ScanModes::FieldDegrees, "0.025 degrees over the field");

bool HisnScanJoiner::add(const HisnPacket &p)
{
    if (p.StartAngle == ScanModes::FirstPacketAngle) {
        m_scan.distances.resize(0);
        m_scan.intensities.resize(0);
        m_joining = true;
    } else if (!m_joining || m_nextAngle != p.StartAngle) {
        m_joining = false; // joined mid-scan, or a packet went missing
        return false;
    }
    m_nextAngle = p.EndAngle;
    const int n = qMin(p.pointCount(), qMin(p.Distances.size(), p.Intensities.size()));
    if (m_scan.distances.size() + n > MaxSamples) {
        m_joining = false;
        m_scan.distances.resize(0);
        m_scan.intensities.resize(0);
        return false;
    }
    m_scan.distances += p.Distances.mid(0, n);
    m_scan.intensities += p.Intensities.mid(0, n);
    if (p.EndAngle != ScanModes::LastPacketAngle || p.Closing != p.CountB)
        return false;
    m_joining = false;
    const int samples = m_scan.distances.size();
    if (samples == 0 || samples % ScanModes::FieldDegrees != 0)
        return false;
    m_scan.serial = false;
    m_scan.pointsPerDegree = samples / ScanModes::FieldDegrees;
    return true;
}
