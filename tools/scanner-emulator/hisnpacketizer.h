#pragma once

// Cuts one streamed scan into HISN packets. Each packet covers a whole number
// of degrees; the last one ends at packet angle 340 and carries the closing
// value equal to its point count, which tells the tool the scan is complete.

#include "livedata.h"
#include "syntheticworld.h"

#include <QVector>

constexpr int kDegreesPerPacket = 20;

// Packets for a scan of 320 * g samples (g = scan.pointsPerDegree). A scan of
// any other length gives no packets.
QVector<HisnPacket> packetizeScan(const Scan &scan, int degreesPerPacket = kDegreesPerPacket);
