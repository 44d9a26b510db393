// Teach-in against the scanner emulator's synthetic room: ten scans of the
// room with its moving obstacle, taught with a margin, in both install
// directions and at the narrowest and widest resolutions.

#include "areaframe.h"
#include "outputzone.h"
#include "shapekind.h"
#include "syntheticworld.h"
#include "teachin.h"
#include "zoneevaluator.h"

#include <QtTest>
#include <algorithm>
#include <cmath>

namespace {
// The room's echoes wander this far either way (SyntheticWorld's noise).
constexpr double kNoise = 12.0;

bool byAngle(const QPoint &a, const QPoint &b) { return std::atan2(a.y(), a.x()) < std::atan2(b.y(), b.x()); }
} // namespace

class TestTeachIn : public QObject
{
    Q_OBJECT
private slots:
    void teachesTheRoom_data()
    {
        QTest::addColumn<int>("g"); // samples per degree; 0: the serial line's 640
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<int>("margin");
        QTest::newRow("serial") << 0 << false << 100;
        QTest::newRow("serial, reversed") << 0 << true << 200;
        QTest::newRow("0.025 deg") << 40 << false << 100;
        QTest::newRow("0.025 deg, reversed") << 40 << true << 300;
        QTest::newRow("0.5 deg, reversed") << 2 << true << 100;
        QTest::newRow("0.5 deg, no margin") << 2 << false << 0;
    }
    void teachesTheRoom()
    {
        QFETCH(int, g);
        QFETCH(bool, reversed);
        QFETCH(int, margin);
        const SyntheticWorld world(7);
        QVector<quint16> nearest;
        QVector<double> degrees;
        QVector<QPolygonF> scans;
        QVector<qint64> times;
        for (int k = 0; k < TeachIn::ScanCount; ++k) {
            const qint64 t = 1000 + 67 * k;
            const Scan s = g == 0 ? serialScan(world, k, t, reversed) : streamScan(world, k, t, g, reversed);
            TeachIn::keepNearest(nearest, s.distances);
            QPolygonF points(s.distances.size());
            degrees.resize(s.distances.size());
            for (int i = 0; i < points.size(); ++i) {
                points[i] = beamPoint(s.distances[i], sampleAngle(s, i), reversed);
                degrees[i] = reversed ? 180.0 - sampleAngle(s, i) : sampleAngle(s, i);
            }
            scans << points;
            times << t;
        }

        const std::optional<QVector<QPoint>> taught = TeachIn::teach(degrees, nearest, margin);
        QVERIFY(taught);
        QVERIFY2(taught->size() >= 3 && taught->size() <= TeachIn::MaxPoints, qPrintable(QString::number(taught->size())));

        // Every point the margin inside the walls and clear of the obstacle
        // wherever it stood during the ten scans. (The margins here are small
        // enough that the wall nearest a point is one the scanner sees, not
        // one behind it in the blind sector.)
        const QRectF room = world.room();
        for (const QPoint &p : *taught) {
            const double clearance = qMin(qMin(p.x() - room.left(), room.right() - p.x()),
                                          qMin(p.y() - room.top(), room.bottom() - p.y()));
            QVERIFY2(clearance >= margin - kNoise, qPrintable(QStringLiteral("(%1, %2) %3 mm from a wall")
                                                                  .arg(p.x()).arg(p.y()).arg(clearance)));
            for (qint64 t : times) {
                const QPointF c = world.obstacleCentre(t);
                QVERIFY(std::hypot(p.x() - c.x(), p.y() - c.y()) >= world.obstacleRadius() + margin - kNoise);
            }
        }

        // No sample of the taught scans lies inside the new zone.
        AreaRecord area;
        area.Out1Shape = Polygon;
        area.Out1Points = *taught;
        const std::array<OutputZone, 3> zones = outputZones(area);
        QVector<quint8> masks;
        for (const QPolygonF &scan : scans) {
            classifyPoints(zones, scan, masks);
            QCOMPARE(int(std::count(masks.cbegin(), masks.cend(), quint8(0))), masks.size());
        }

        // It hugs the room: on average along each beam it reaches within a
        // few percent of the limit the margin leaves.
        double reached = 0;
        for (int i = 0; i < degrees.size(); ++i)
            reached += TeachIn::reachAt(*taught, degrees[i]) / qMax(1.0, nearest[i] - double(margin));
        QVERIFY2(reached / degrees.size() > 0.9, qPrintable(QString::number(reached / degrees.size())));

        // The scanner takes every point as it is, and gives back the same ones.
        QVERIFY(!checkAreaEncodable(0, area, reversed));
        const AreaEncodeResult sent = encodeAreaBlock(Command::WArea, 0, area, reversed);
        QVERIFY(sent.ok());
        const std::optional<AreaBlock> block = decodeAreaBlock(sent.frame, Command::WArea);
        QVERIFY(block);
        AreaRecord back;
        applyAreaBlock(*block, reversed, back);
        QVector<QPoint> expected = *taught;
        std::sort(expected.begin(), expected.end(), byAngle);
        std::sort(back.Out1Points.begin(), back.Out1Points.end(), byAngle);
        QCOMPARE(back.Out1Points, expected);
    }

    // Refused or bounded where the scan gives no sound zone; where taught,
    // along every beam at most the reach its nearest echo allows, and close
    // to it: in a round room within the 2 mm built in and the truncation to
    // whole millimetres; in the square the coordinates allow, chords cut its
    // corners.
    void limits_data()
    {
        QTest::addColumn<quint16>("distance"); // every beam; 0: no echo
        QTest::addColumn<int>("edges");        // beams without echo at each end
        QTest::addColumn<int>("margin");
        QTest::addColumn<double>("reach");  // allowed along every beam; 0: refused
        QTest::addColumn<double>("within"); // mm short of it at most
        QTest::newRow("no echo anywhere") << quint16(0) << 0 << 100 << 0.0 << 0.0;
        QTest::newRow("an echo within the margin") << quint16(120) << 0 << 100 << 0.0 << 0.0;
        QTest::newRow("walls beyond the coordinate range") << quint16(60000) << 0 << 100 << 59900.0 << 1500.0;
        QTest::newRow("no echo at the edges") << quint16(3000) << 100 << 100 << 2900.0 << 5.0;
        QTest::newRow("a negative margin counts as none") << quint16(3000) << 0 << -100 << 3000.0 << 5.0;
        QTest::newRow("an echo the margin and the least reach away") << quint16(150) << 0 << 100 << 50.0 << 4.0;
    }
    void limits()
    {
        QFETCH(quint16, distance);
        QFETCH(int, edges);
        QFETCH(int, margin);
        QFETCH(double, reach);
        QFETCH(double, within);
        QVector<double> degrees;
        QVector<quint16> nearest;
        for (int i = 0; i < 640; ++i) {
            degrees << 250.0 - 0.5 * i; // descending, as a serial buffer holds them
            nearest << (i < edges || i >= 640 - edges ? 0 : distance);
        }
        const std::optional<QVector<QPoint>> points = TeachIn::teach(degrees, nearest, margin);
        QCOMPARE(bool(points), reach > 0);
        if (!points)
            return;
        QVERIFY(TeachIn::sendable(*points));
        // Whole millimetres may turn the two end points a hair inwards: the
        // outermost beams are left out.
        for (int i = 1; i + 1 < degrees.size(); ++i) {
            // The scanner's coordinates end at 32767 mm on either axis.
            const double a = degrees.at(i);
            const double r = qDegreesToRadians(a);
            const double allowed = qMin(reach, 32767 / qMax(std::fabs(std::cos(r)), std::fabs(std::sin(r))));
            const double got = TeachIn::reachAt(*points, a);
            QVERIFY2(got <= allowed && got >= allowed - within,
                     qPrintable(QStringLiteral("%1 mm at %2 degrees, %3 allowed").arg(got).arg(a).arg(allowed)));
        }
    }

    // What the scanner takes: one point per angle, at most 100, each
    // coordinate within 32767 mm.
    void sendable_data()
    {
        QTest::addColumn<QVector<QPoint>>("points");
        QTest::addColumn<bool>("sendable");
        const auto fan = [](int n) {
            QVector<QPoint> points;
            for (int k = 0; k < n; ++k)
                points << QPoint(int(5000 * std::cos(k * M_PI / n)), int(5000 * std::sin(k * M_PI / n)));
            return points;
        };
        QTest::newRow("three") << QVector<QPoint>{{1000, 0}, {0, 1000}, {-1000, 0}} << true;
        QTest::newRow("none") << QVector<QPoint>{} << false;
        QTest::newRow("100") << fan(100) << true;
        QTest::newRow("101") << fan(101) << false;
        QTest::newRow("x at the limit") << QVector<QPoint>{{32767, 100}, {0, 1000}} << true;
        QTest::newRow("y at the limit") << QVector<QPoint>{{100, 32767}, {1000, 0}} << true;
        QTest::newRow("x beyond") << QVector<QPoint>{{-32768, 100}, {0, 1000}} << false;
        QTest::newRow("y beyond") << QVector<QPoint>{{100, -32768}, {1000, 0}} << false;
        QTest::newRow("two at one angle") << QVector<QPoint>{{1000, 1000}, {2000, 2000}} << false;
    }
    void sendable()
    {
        QFETCH(QVector<QPoint>, points);
        QFETCH(bool, sendable);
        QCOMPARE(TeachIn::sendable(points), sendable);
    }

    // A few beams by hand.
    void fewBeams()
    {
        QVERIFY(TeachIn::reachLimits({0, 0.5, 1}, {0, 0, 0}, 100).isEmpty());
        // An echo 1 m out on the middle beam, the outer ones see 5 m: the
        // margin's disc around it, 8.7 mm off the outer beams, ends there at
        // 1000 cos 0.5 deg - sqrt(200^2 - 8.7^2) = 800.15 mm.
        const QVector<double> limits = TeachIn::reachLimits({90.0, 90.5, 91.0}, {5000, 1000, 5000}, 200);
        QCOMPARE(limits.size(), 3);
        QVERIFY2(std::fabs(limits[0] - 800.15) < 0.01 && std::fabs(limits[2] - 800.15) < 0.01,
                 qPrintable(QStringLiteral("%1 %2").arg(limits[0]).arg(limits[2])));
        QCOMPARE(limits[1], 800.0);

        // Two beams make a zone of two points; ten beams one point each.
        for (int n : {2, 10}) {
            QVector<double> degrees;
            for (int i = 0; i < n; ++i)
                degrees << 80.0 + i;
            const std::optional<QVector<QPoint>> points = TeachIn::simplifyInward(degrees, QVector<double>(n, 1000));
            QVERIFY(points);
            QCOMPARE(points->size(), n);
            for (const QPoint &p : *points)
                QVERIFY(std::hypot(p.x(), p.y()) <= 1000 && std::hypot(p.x(), p.y()) > 990);
        }
    }
};

QTEST_MAIN(TestTeachIn)
#include "tst_teachin.moc"
