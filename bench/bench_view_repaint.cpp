// One full repaint of the editor view holding three 100-point polygon zones,
// at the smallest and the largest zoom, as a ratio to filling and outlining
// the same three paths with QPainter straight onto an image of the viewport's
// size (the least any repaint must cost; goal: 2 or less at the smallest
// zoom). Runs offscreen (raster viewport).
#include "benchsupport.h"
#include "editdata.h"
#include "option_scene.h"
#include "viewwindow.h"
#include "zonegeometry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsScene>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    BenchSupport::Editor editor(nullptr);
    ViewWindow &view = editor.view;
    const AreaRecord &area = editor.data.currentArea();
    view.show();
    QApplication::processEvents();

    const auto zones = ZoneGeometry::areaZones(area, 72000, 72000);
    const QColor colours[3] = {QColor(255, 255, 128, 200), QColor(255, 128, 0, 125), QColor(255, 0, 0, 125)};

    struct Case { const char *name; int level; QPointF centre; };
    const Case cases[] = {{"minimum zoom (class 30)", -55, QPointF(0, 0)},
                          {"maximum zoom (4 px/mm)", 350, QPointF(0, -2000)}};
    const int runs = argc > 1 ? atoi(argv[1]) : 1000;
    std::printf("bench_view_repaint: %d runs each, viewport %dx%d\n", runs, view.viewport()->width(),
                view.viewport()->height());
    for (const Case &c : cases) {
        view.ChangeSetupMatrix(c.level);
        if (qEnvironmentVariableIsSet("QM_BENCH_NOFG")) view.setOptimizationFlag(QGraphicsView::DontAdjustForAntialiasing);
        view.centerOn(c.centre);
        QApplication::processEvents();

        QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        const QTransform t = view.viewportTransform();
        const auto direct = [&] {
            image.fill(Qt::white);
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setTransform(t);
            p.setPen(QPen(QBrush(Qt::white), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin));
            for (int out = 2; out >= 0; --out) {
                p.setBrush(colours[out]);
                p.drawPath(zones[out].path);
            }
        };
        // Taken in turns and counted in this thread's processor time, so that
        // a busy machine slows both alike; the fastest run of each is the
        // least disturbed.
        const BenchSupport::Pair pair = BenchSupport::fastestInTurns(runs, [&] { view.viewport()->repaint(); }, direct);
        const double viewNs = pair.first, directNs = pair.second;
        std::printf("  %-24s view %8.3f ms  direct %8.3f ms  ratio %.2f%s\n", c.name, viewNs / 1e6, directNs / 1e6,
                    viewNs / directNs, c.level < 0 ? " (goal 2)" : "");
    }
    return 0;
}
