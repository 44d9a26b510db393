#include "polar.h"
#include "shapekind.h"
#include "zonegeometry.h"
#include "zonememo.h"

#include <QtMath>
#include <QtTest>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

using namespace ZoneGeometry;

namespace {
// A first-output zone reaching model y = 5000 straight ahead and 2000 to each side.
QVector<QPoint> wideZone() { return {{2000, 100}, {2000, 5000}, {-2000, 5000}, {-2000, 100}}; }

QPainterPath polygonPath(const QVector<QPoint> &points)
{
    QPainterPath p;
    p.addPolygon(angularPolygon(points));
    return p;
}
} // namespace

class TestZoneGeometry : public QObject
{
    Q_OBJECT
private slots:
    void polygonRunsOutFromOriginInAngularOrder()
    {
        const QPolygonF poly = angularPolygon({{1000, 1000}, {-1000, 1000}, {0, 2000}});
        const QPolygonF expected(QVector<QPointF>{{0, 0}, {1000, -1000}, {0, -2000}, {-1000, -1000}, {0, 0}});
        QCOMPARE(poly, expected);
        // Empty list: the degenerate polygon through the origin only.
        QCOMPARE(angularPolygon({}), QPolygonF(QVector<QPointF>{{0, 0}, {0, 0}}));
    }

    void laterPointWinsAtTheSameAngle()
    {
        const QPolygonF poly = angularPolygon({{1000, 1000}, {2000, 2000}, {0, 500}});
        QCOMPARE(poly, QPolygonF(QVector<QPointF>{{0, 0}, {2000, -2000}, {0, -500}, {0, 0}}));
    }

    void seamLiesStraightBehindTheScanner()
    {
        // (0, -1000) is at -90 degrees and comes first; (-1, -1000) is just
        // under 270 degrees and comes last, whatever the list order.
        const QPolygonF poly = angularPolygon({{-1, -1000}, {1000, 0}, {0, -1000}});
        QCOMPARE(poly, QPolygonF(QVector<QPointF>{{0, 0}, {0, 1000}, {1000, 0}, {-1, 1000}, {0, 0}}));
    }

    void arcIsSectorOfLargerRadiusInEitherOrder()
    {
        for (const QVector<QPoint> &pts : {QVector<QPoint>{{1000, 0}, {0, 2000}}, QVector<QPoint>{{0, 2000}, {1000, 0}}}) {
            const auto sector = arcSector(pts);
            QVERIFY(sector);
            QCOMPARE(sector->elementAt(0).x, 0.0);
            QCOMPARE(sector->elementAt(0).y, 0.0);
            const QRectF b = sector->boundingRect();
            QVERIFY(qAbs(b.left()) < 1 && qAbs(b.bottom()) < 1);
            QVERIFY(qAbs(b.right() - 2000) < 1 && qAbs(b.top() + 2000) < 1);
            // Model 45 degrees at radius 1900 is inside; -10 degrees is not.
            QVERIFY(sector->contains(QPointF(1343, -1343)));
            QVERIFY(!sector->contains(QPointF(1500, 260)));
            QVERIFY(!sector->contains(QPointF(1500, -1500))); // beyond the radius
        }
        QVERIFY(!arcSector({{1000, 0}}));
        QVERIFY(!arcSector({{1000, 0}, {0, 1000}, {5, 5}}));
    }

    void straightCutsTheBaseAtPointY()
    {
        const QPainterPath cut = straightCut(polygonPath(wideZone()), {0, 3000}, 72000, 72000);
        const QRectF b = cut.boundingRect();
        QVERIFY2(qAbs(b.top() + 3000) < 1e-6, qPrintable(QString::number(b.top())));
        QCOMPARE(b.bottom(), 0.0);
        QVERIFY(qAbs(b.width() - 4000) < 1e-6);
        QVERIFY(cut.contains(QPointF(0, -2900)));
        QVERIFY(!cut.contains(QPointF(0, -3100)));
    }

    void fanTrimsToRadiusBetweenMinus45And225()
    {
        const QPainterPath fan = fanTrim(polygonPath(wideZone()), {0, 4000});
        QVERIFY(fan.contains(QPointF(0, -3900)));
        QVERIFY(!fan.contains(QPointF(0, -4100)));
        QVERIFY(qAbs(fan.boundingRect().top() + 4000) < 2);
        // Model -10 degrees lies outside the base anyway; +10 inside both.
        QVERIFY(fan.contains(QPointF(1900, -340)));
        // Zero radius: nothing left.
        QVERIFY(fanTrim(polygonPath(wideZone()), {0, 0}).boundingRect().isEmpty());
    }

    void ratioScalesDownOnlyAndHandsOnTheUnscaledBase()
    {
        const QPainterPath base = polygonPath(wideZone()); // height 5000
        QCOMPARE(ratioScale(base, {0, 2500}), 0.5);
        QCOMPARE(ratioScale(base, {0, 6000}), 1.0);
        QCOMPARE(ratioScale(QPainterPath(), {0, -100}), 1.0); // no height: no division by zero

        AreaRecord area;
        area.Out1Points = wideZone();
        area.Out2Shape = Ratio;
        area.Out2Points = {{0, 2500}};
        area.Out3Shape = Straight;
        area.Out3Points = {{0, 3000}};
        const auto zones = areaZones(area, 72000, 72000);
        QCOMPARE(zones[1].scale, 0.5);
        QCOMPARE(zones[1].handOver, zones[0].handOver);
        // The third output is cut from the first output's full-size zone.
        QVERIFY(qAbs(zones[2].path.boundingRect().top() + 3000) < 1e-6);
    }

    void unsuitableListsDrawAndHandOnNothing()
    {
        QPainterPath base = polygonPath(wideZone());
        QVERIFY(!zone(Arc, {{1, 1}}, nullptr, 72000, 72000).drawn);
        QVERIFY(!zone(Straight, {}, &base, 72000, 72000).drawn);
        QVERIFY(!zone(Fan, {{0, 1}, {0, 2}}, &base, 72000, 72000).drawn);
        QVERIFY(!zone(99, {{0, 1}}, &base, 72000, 72000).drawn);
        // The first output has no derived forms.
        QVERIFY(!zone(Straight, {{0, 3000}}, nullptr, 72000, 72000).drawn);
        // The arc is filled without the outline pen; the others with it.
        QVERIFY(!zone(Arc, {{1000, 0}, {0, 1000}}, nullptr, 72000, 72000).outlined);
        QVERIFY(zone(Rectangle, {{-1, 1}, {-1, 2}, {1, 2}, {1, 1}}, nullptr, 72000, 72000).outlined);

        AreaRecord area;
        area.Out1Shape = Arc;
        area.Out1Points = {{1000, 0}}; // wrong count: nothing for the second output to cut
        area.Out2Shape = Straight;
        area.Out2Points = {{0, 500}};
        const auto zones = areaZones(area, 72000, 72000);
        QVERIFY(!zones[0].drawn);
        QVERIFY(zones[1].drawn);
        QVERIFY(zones[1].path.isEmpty());
    }

    void fastPolarUsesTheSineTable()
    {
        // The table formula written out independently of the toolkit.
        auto S = [](int k) { return std::sin(2 * M_PI * (k & 255) / 256); };
        for (double deg : {0.0, 37.3, 90.0, 110.5, 200.25, 270.0, 430.0}) {
            const double theta = deg * 0.017453292519943295;
            const int i = static_cast<int>(theta * 40.74366543152521);
            const double d = theta - i * 0.02454369260617026;
            const double sn = S(i), cs = S(i + 64);
            const double sine = sn + (cs - 0.5 * sn * d) * d;
            const double cosine = cs - (sn + 0.5 * cs * d) * d;
            const QPoint expected(static_cast<int>(30000 * cosine), static_cast<int>(30000 * sine));
            QCOMPARE(fromPolarFast(30000, theta), expected);
        }
        QCOMPARE(fromPolarFast(1000, 0), QPoint(1000, 0));
    }

    // After any change the memo gives what working the zone out afresh gives
    // (a zone kept too long is drawn where the points no longer are); asked
    // the same again, it works nothing out.
    void memoReworksOnlyWhatChanged()
    {
        const QPainterPath wide = polygonPath(wideZone());
        const QPainterPath deep = polygonPath({{2000, -5000}, {2000, 5000}, {-2000, -5000}}); // behind too
        const QPainterPath bases[] = {wide, polygonPath({{1000, 100}, {1000, 4000}, {-1000, 100}}),
                                      wide.translated(0.5, 0), deep}; // the third: half a millimetre off
        struct In { int shape; QVector<QPoint> points; int base; double width, height; };
        const QVector<QPoint> ring = {{3000, 100}, {3000, 3000}, {-3000, 100}};
        const In cut{Straight, {{0, 3000}}, 0, 3000, 3000};
        const std::vector<std::tuple<const char *, In, In>> cases = {
            {"same", {Polygon, ring, -1, 9000, 9000}, {Polygon, ring, -1, 9000, 9000}},
            {"point moved", {Polygon, ring, -1, 9000, 9000},
             {Polygon, {{3000, 100}, {3000, 3001}, {-3000, 100}}, -1, 9000, 9000}},
            {"shape", {Polygon, {{1000, 0}, {0, 2000}}, -1, 9000, 9000}, {Arc, {{1000, 0}, {0, 2000}}, -1, 9000, 9000}},
            {"base", cut, {Straight, {{0, 3000}}, 1, 3000, 3000}},
            {"base nudged", cut, {Straight, {{0, 3000}}, 2, 3000, 3000}},
            {"base gone", cut, {Straight, {{0, 3000}}, -1, 3000, 3000}},
            {"width", cut, {Straight, {{0, 3000}}, 0, 72000, 3000}},
            {"height", {Straight, {{0, 3000}}, 3, 3000, 3000}, {Straight, {{0, 3000}}, 3, 3000, 72000}},
        };
        const auto fresh = [&](const In &in, ZoneMemo *memo) {
            const QPainterPath *base = in.base < 0 ? nullptr : &bases[in.base];
            const Zone z = memo ? memo->zone(in.shape, in.points, base, in.width, in.height)
                                : zone(in.shape, in.points, base, in.width, in.height);
            return std::make_tuple(z.drawn, z.outlined, z.scale, z.path, z.handOver);
        };
        for (const auto &[name, before, after] : cases) {
            ZoneMemo memo;
            QVERIFY2(fresh(before, &memo) == fresh(before, nullptr), name);
            for (int twice = 0; twice < 2; ++twice)
                QVERIFY2(fresh(after, &memo) == fresh(after, nullptr), name);
            const bool changed = name != std::string("same");
            QVERIFY2(memo.workedOut() == (changed ? 2 : 1), name);
            QVERIFY2(!changed || fresh(before, nullptr) != fresh(after, nullptr), name); // the case shows something
        }
    }

    void truncationSaturates()
    {
        QCOMPARE(truncToInt(-1.9), -1);
        QCOMPARE(truncToInt(1e300), INT_MAX);
        QCOMPARE(truncToInt(-1e300), INT_MIN);
        QCOMPARE(truncToInt(std::nan("")), 0);
    }
};

QTEST_APPLESS_MAIN(TestZoneGeometry)
#include "tst_zonegeometry.moc"
