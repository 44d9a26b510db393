// The intrusions of the live display at the densest Ethernet scan the family
// sends (0.025 degree, 12,800 samples, from the emulator's synthetic room)
// against three 100-point polygon zones: the samples turned into points and
// each judged against every zone, as the intrusion item does at every paint.
// Printed as a share of the 67 ms between two scans at 15 Hz (lower is
// better), with and without building the zones from the area.
//
//   bench_intrusions [runs]      (default 200)
#include "benchsupport.h"
#include "linkstate.h"
#include "livescan.h"
#include "outputzone.h"
#include "shapekind.h"
#include "syntheticworld.h"

#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(5, atoi(argv[1])) : 200;
    constexpr double kScanPeriodNs = 1e9 / 15.0;

    const SyntheticWorld world(1);
    const Scan scan = streamScan(world, 0, 0, 40, false);
    auto link = std::make_unique<LinkState>();
    link->ConnectionKind = 1;
    std::copy(scan.distances.begin(), scan.distances.end(), link->NetDistances.begin());
    link->NetScanLength = scan.distances.size();

    // Zones the size of the room, so that a fair part of the scan is inside.
    AreaRecord area;
    area.Out1Shape = area.Out2Shape = area.Out3Shape = Polygon;
    area.Out1Points = BenchSupport::ring(4500, 0.15, 0);
    area.Out2Points = BenchSupport::ring(3000, 0.1, 1);
    area.Out3Points = BenchSupport::ring(2000, 0.1, 2);

    QPolygonF points;
    QVector<quint8> masks;
    const std::array<OutputZone, 3> zones = outputZones(area);
    const double judgeNs = BenchSupport::medianNs(runs, [&] {
        LiveScan::modelSamples(*link, points);
        classifyPoints(zones, points, masks);
    });
    const double withZonesNs = BenchSupport::medianNs(runs, [&] {
        LiveScan::modelSamples(*link, points);
        classifyPoints(outputZones(area), points, masks);
    });
    int inside[3] = {0, 0, 0};
    for (quint8 m : masks)
        for (int k = 0; k < 3; ++k)
            inside[k] += (m >> k) & 1;
    std::printf("bench_intrusions: %d runs, %d samples, inside Out1/Out2/Out3: %d/%d/%d\n", runs,
                link->NetScanLength, inside[0], inside[1], inside[2]);
    std::printf("  classification:             %.3f ms = %.4f of a scan period (67 ms)\n", judgeNs / 1e6,
                judgeNs / kScanPeriodNs);
    std::printf("  zones built, classification: %.3f ms = %.4f of a scan period\n", withZonesNs / 1e6,
                withZonesNs / kScanPeriodNs);
    return 0;
}
