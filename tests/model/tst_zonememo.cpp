#include "shapekind.h"
#include "zonememo.h"

#include <QtTest>
#include <vector>

using ZoneGeometry::Zone;

namespace {
struct Inputs
{
    int shape;
    QVector<QPoint> points;
    int base; // index into bases(), or -1 for none
    double width, height;
};

const std::vector<QPainterPath> &bases()
{
    static const std::vector<QPainterPath> b = [] {
        QPainterPath wide, other, deep;
        wide.addPolygon(ZoneGeometry::angularPolygon({{2000, 100}, {2000, 5000}, {-2000, 5000}, {-2000, 100}}));
        other.addPolygon(ZoneGeometry::angularPolygon({{1000, 100}, {1000, 4000}, {-1000, 4000}, {-1000, 100}}));
        // Reaching 5 m behind the scanner too.
        deep.addPolygon(ZoneGeometry::angularPolygon({{2000, -5000}, {2000, 5000}, {-2000, 5000}, {-2000, -5000}}));
        // Half a millimetre off: small, but a different zone all the same.
        return std::vector<QPainterPath>{wide, other, wide.translated(0.5, 0), deep};
    }();
    return b;
}

Zone fresh(const Inputs &in)
{
    return ZoneGeometry::zone(in.shape, in.points, in.base < 0 ? nullptr : &bases()[size_t(in.base)],
                              in.width, in.height);
}

Zone viaMemo(ZoneMemo &memo, const Inputs &in)
{
    return memo.zone(in.shape, in.points, in.base < 0 ? nullptr : &bases()[size_t(in.base)], in.width,
                     in.height);
}

bool same(const Zone &a, const Zone &b)
{
    return a.drawn == b.drawn && a.outlined == b.outlined && a.scale == b.scale && a.path == b.path
        && a.handOver == b.handOver;
}
} // namespace

class TestZoneMemo : public QObject
{
    Q_OBJECT
private slots:
    // After whatever change, the memo gives what working the zone out afresh
    // gives: a zone kept too long is drawn where the points no longer are.
    // Asked the same again, it works nothing out.
    void givesTheZoneOfWhatItIsAskedNow()
    {
        const QVector<QPoint> ring = {{3000, 100}, {3000, 3000}, {-3000, 3000}, {-3000, 100}};
        const Inputs cut{Straight, {{0, 3000}}, 0, 3000, 3000};
        struct Case { const char *name; Inputs before, after; };
        const std::vector<Case> cases = {
            {"nothing changed", {Polygon, ring, -1, 72000, 72000}, {Polygon, ring, -1, 72000, 72000}},
            {"a point moved",
             {Polygon, ring, -1, 72000, 72000},
             {Polygon, {{3000, 100}, {3000, 3001}, {-3000, 3000}, {-3000, 100}}, -1, 72000, 72000}},
            {"a point added",
             {Polygon, ring, -1, 72000, 72000},
             {Polygon, ring + QVector<QPoint>{{0, 200}}, -1, 72000, 72000}},
            {"another shape",
             {Polygon, {{1000, 0}, {0, 2000}}, -1, 72000, 72000},
             {Arc, {{1000, 0}, {0, 2000}}, -1, 72000, 72000}},
            {"another base", cut, {Straight, {{0, 3000}}, 1, 3000, 3000}},
            {"a base half a millimetre off", cut, {Straight, {{0, 3000}}, 2, 3000, 3000}},
            {"the base gone", cut, {Straight, {{0, 3000}}, -1, 3000, 3000}},
            {"a base again", {Straight, {{0, 3000}}, -1, 3000, 3000}, cut},
            {"another scene width", cut, {Straight, {{0, 3000}}, 0, 72000, 3000}},
            {"another scene height",
             {Straight, {{0, 3000}}, 3, 3000, 3000},
             {Straight, {{0, 3000}}, 3, 3000, 72000}},
        };
        for (const Case &c : cases) {
            ZoneMemo memo;
            QVERIFY2(same(viaMemo(memo, c.before), fresh(c.before)), c.name);
            QVERIFY2(same(viaMemo(memo, c.after), fresh(c.after)), c.name);
            QVERIFY2(same(viaMemo(memo, c.after), fresh(c.after)), c.name);
            const bool changed = QByteArray(c.name) != "nothing changed";
            QVERIFY2(memo.workedOut() == (changed ? 2 : 1), c.name);
            if (changed)
                QVERIFY2(!same(fresh(c.before), fresh(c.after)), c.name); // the case tells something
        }
    }
};

QTEST_MAIN(TestZoneMemo)
#include "tst_zonememo.moc"
