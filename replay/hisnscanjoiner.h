#pragma once

#include "livedata.h"
#include "zoneevaluator.h"

// Joins the HISN packets of one streamed scan, in wire order, into a Scan in
// the scanner's own frame: the scan as the scanner judged it, for tools that
// read recordings (the link's HisnAssembler fills the display's rings
// instead). A scan counts only from its first packet to its closing one
// without a gap: a recording may start in the middle of a scan, and a lost
// packet spoils the scan it belongs to.
class HisnScanJoiner
{
public:
    // The densest scan the scanner makes, 0.025 degrees over its field: a
    // scan that would grow beyond it is refused (packets whose angles never
    // reach the end would otherwise join without end).
    static constexpr int MaxSamples = 40 * 320;

    // True when the packet closed a whole scan; scan() then holds it.
    bool add(const HisnPacket &packet);
    const Scan &scan() const { return m_scan; }

private:
    Scan m_scan;
    bool m_joining = false;
    int m_nextAngle = 0; // where the next packet of the scan starts
};
