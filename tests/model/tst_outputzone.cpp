// The zone test the live display and the emulator share: a point is inside
// exactly where the toolkit's own polygon test over the zone's fill polygons
// says so, for every shape and the derived forms built on it.

#include "outputzone.h"
#include "shapekind.h"
#include "zonegeometry.h"

#include <QRandomGenerator>
#include <QtTest>

Q_DECLARE_METATYPE(AreaRecord)

class TestOutputZone : public QObject
{
    Q_OBJECT
private slots:
    void agreesWithTheToolkit_data()
    {
        QTest::addColumn<int>("output");
        QTest::addColumn<AreaRecord>("area");
        AreaRecord star; // out of angular order, a notch, and reaching behind
        star.Out1Shape = Polygon;
        star.Out1Points = {{3000, 200}, {-2500, 2500}, {0, 800}, {1500, 3500}, {-3000, -1000}, {2000, -1500}};
        QTest::newRow("polygon") << 0 << star;
        AreaRecord arc;
        arc.Out1Shape = Arc;
        arc.Out1Points = {{2000, -800}, {-1200, 1500}};
        QTest::newRow("arc") << 0 << arc;
        AreaRecord straight = star;
        straight.Out2Shape = Straight;
        straight.Out2Points = {{0, 1200}};
        QTest::newRow("straight") << 1 << straight;
        AreaRecord fan = arc;
        fan.Out2Shape = Fan;
        fan.Out2Points = {{0, 1300}};
        QTest::newRow("fan") << 1 << fan;
        AreaRecord ratio = straight;
        ratio.Out3Shape = Ratio;
        ratio.Out3Points = {{0, 900}};
        QTest::newRow("ratio over straight") << 2 << ratio;
    }
    void agreesWithTheToolkit()
    {
        QFETCH(int, output);
        QFETCH(AreaRecord, area);
        const ZoneGeometry::Zone z = ZoneGeometry::areaZones(area, kZoneSceneExtent, kZoneSceneExtent)[size_t(output)];
        const OutputZone zone = outputZones(area)[size_t(output)];
        QVERIFY(z.drawn && zone.present);
        const QList<QPolygonF> polygons = z.path.toFillPolygons();
        QRandomGenerator random(11);
        int inside = 0;
        for (int i = 0; i < 20000; ++i) {
            // Whole millimetres, as samples near a vertex often are.
            const QPointF p(random.bounded(-4000, 4000), random.bounded(-2000, 4000));
            const QPointF scene(p.x() / z.scale, -p.y() / z.scale);
            bool expected = false;
            for (const QPolygonF &polygon : polygons)
                expected = expected || polygon.containsPoint(scene, z.path.fillRule());
            if (zone.contains(p) != expected)
                QFAIL(qPrintable(QStringLiteral("(%1, %2): %3").arg(p.x()).arg(p.y()).arg(expected)));
            inside += expected;
        }
        QVERIFY(inside > 500);
    }
};

QTEST_MAIN(TestOutputZone)
#include "tst_outputzone.moc"
