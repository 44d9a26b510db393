// The live display at the densest Ethernet scan the family sends (0.025
// degree, 12,800 samples), from the emulator's own synthetic room.
//
// 1. Painting one scan in each display mode with the live painter, as a ratio
//    to drawing the same points with a bare QPainter polyline on the same
//    surface (a 1000 x 700 image, the view's transform with the room in view).
// 2. The editor's repaint when a scan arrives (the outline item asks for an
//    update, the event loop paints the viewport once), at the smallest and the
//    largest zoom, as a ratio to painting the three zones and the scan alone
//    onto an image of the viewport's size.
//
//   bench_live_paint [runs]      (default 100; runs offscreen, raster)
#include "benchsupport.h"
#include "editdata.h"
#include "linkstate.h"
#include "livepainting.h"
#include "option_scene.h"
#include "paint_outline.h"
#include "syntheticworld.h"
#include "viewwindow.h"
#include "zonegeometry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsScene>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {
using BenchSupport::medianNs;
using BenchSupport::ring;
constexpr int kPointsPerDegree = 40;

// Two consecutive scans of the room, so that every arrival really changes
// what is drawn.
void loadScan(LinkState &link, const Scan &scan)
{
    const int n = int(scan.distances.size());
    std::copy(scan.distances.begin(), scan.distances.end(), link.NetDistances.begin());
    std::copy(scan.intensities.begin(), scan.intensities.end(), link.NetIntensities.begin());
    link.NetScanLength = n;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(5, atoi(argv[1])) : 100;

    const SyntheticWorld world(1);
    const Scan scans[2] = {streamScan(world, 0, 0, kPointsPerDegree, false),
                           streamScan(world, 1, 67, kPointsPerDegree, false)};
    LinkState &link = LinkState::instance();
    link.ConnectionKind = 1;
    loadScan(link, scans[0]);

    // 1. The painter alone, per display mode.
    const QSize surface(1000, 700);
    const double scale = std::pow(2.0, (25 - 250) / 50.0); // the room (8 m) fills the view
    QTransform view;
    view.translate(surface.width() / 2.0, surface.height() * 0.8);
    view.scale(scale, scale);
    QImage image(surface, QImage::Format_ARGB32_Premultiplied);
    LivePainting::Buffers buffers;
    QPolygonF points;
    LiveScan::buildPolygon(link, LiveScan::Plot::Distance, points);
    std::printf("bench_live_paint: %d runs each, %d samples a scan\n", runs, link.NetScanLength);
    std::printf(" one scan painted on %dx%d, scale %.3f px/mm:\n", surface.width(), surface.height(), scale);
    const auto polyline = [&] {
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setTransform(view);
        p.setPen(QPen(Qt::green, 0));
        p.drawPolyline(points);
    };
    const char *const modes[] = {"graph", "cloud", "line"};
    for (int mode = 0; mode < 3; ++mode) {
        link.DisplayMode = mode;
        // In turns and in this thread's processor time, the fastest of each:
        // a busy machine disturbs both alike.
        const BenchSupport::Pair pair = BenchSupport::fastestInTurns(
            runs,
            [&] {
                image.fill(Qt::white);
                QPainter p(&image);
                p.setRenderHint(QPainter::Antialiasing);
                p.setTransform(view);
                LivePainting::paint(&p, link, LiveScan::Plot::Distance, scale, buffers);
            },
            polyline);
        std::printf("  %-6s live painter %7.3f ms  bare polyline %7.3f ms  ratio %.2f%s\n", modes[mode],
                    pair.first / 1e6, pair.second / 1e6, pair.first / pair.second, mode == 1 ? " (goal 1.2)" : "");
    }

    // 2. The editor's repaint per arriving scan.
    link.DisplayMode = 0;
    BenchSupport::Editor rig(&link);
    ViewWindow &editor = rig.view;
    OPTION_SCENE &controller = rig.controller;
    const AreaRecord &area = rig.data.currentArea();
    controller.paintOutline()->show();
    editor.show();
    QApplication::processEvents();

    const auto zones = ZoneGeometry::areaZones(area, 72000, 72000);
    const QColor colours[3] = {QColor(255, 255, 128, 200), QColor(255, 128, 0, 125), QColor(255, 0, 0, 125)};
    struct Case { const char *name; int level; QPointF centre; };
    const Case cases[] = {{"minimum zoom (class 30)", -55, QPointF(0, 0)},
                          {"maximum zoom (4 px/mm)", 350, QPointF(0, -2000)}};
    std::printf(" editor repaint per arriving scan, viewport %dx%d:\n", editor.viewport()->width(),
                editor.viewport()->height());
    for (const Case &c : cases) {
        editor.ChangeSetupMatrix(c.level);
        editor.centerOn(c.centre);
        QApplication::processEvents();
        int next = 1;
        const double viewNs = medianNs(runs, [&] {
            loadScan(link, scans[next]);
            next ^= 1;
            controller.UpdataPaintOutline();
            QApplication::processEvents();
        });

        QImage direct(editor.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        const QTransform t = editor.viewportTransform();
        const double s = t.m11();
        LivePainting::Buffers directBuffers;
        const double directNs = medianNs(runs, [&] {
            direct.fill(Qt::white);
            QPainter p(&direct);
            p.setRenderHint(QPainter::Antialiasing);
            p.setTransform(t);
            p.setPen(QPen(QBrush(Qt::white), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin));
            for (int out = 2; out >= 0; --out) {
                p.setBrush(colours[out]);
                p.drawPath(zones[out].path);
            }
            LivePainting::paint(&p, link, LiveScan::Plot::Distance, s, directBuffers);
        });
        std::printf("  %-24s editor %7.3f ms  zones and scan alone %7.3f ms  ratio %.2f\n", c.name, viewNs / 1e6,
                    directNs / 1e6, viewNs / directNs);
    }
    return 0;
}
