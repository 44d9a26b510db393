#include "areaframe.h"
#include "crc16.h"
#include "polar.h"
#include "shapekind.h"

#include <QtTest>

namespace {
AreaRecord roundTrip(const AreaRecord &area, bool reversed, int index = 5)
{
    const AreaEncodeResult w = encodeAreaBlock(Command::WArea, index, area, reversed);
    if (!w.ok())
        return {};
    // The scanner answers RArea with the same block under its own text.
    QByteArray reply = w.frame;
    reply.replace(0, 5, "RArea");
    storeCrc(reply);
    AreaRecord back;
    const std::optional<AreaBlock> block = decodeAreaBlock(reply, Command::RArea);
    if (block)
        applyAreaBlock(*block, reversed, back);
    return back;
}

QVector<QPoint> byAngle(QVector<QPoint> points)
{
    std::stable_sort(points.begin(), points.end(),
                     [](const QPoint &a, const QPoint &b) { return toPolar(a).angle < toPolar(b).angle; });
    return points;
}

int descriptor(int output) { return 14 + 16 * output; }
} // namespace

class TestAreaFrame : public QObject
{
    Q_OBJECT
private slots:
    void layoutOfTheAreaBlock()
    {
        AreaRecord a;
        a.OpenDelay = 3;
        a.CloseDelay = 25;
        a.Hysteresis = 10;
        a.DetectionSize = 0x1234;
        a.SteerMinDgree = -45; // case fields do not travel here
        a.Out1Shape = Polygon;
        a.Out1Points = {{1000, 0}, {-300, -200}}; // angles 0 and about 213.7 degrees
        a.Out2Shape = Straight;
        a.Out2Points = {{0, 1500}};
        a.Out3Shape = Rectangle;
        a.Out3Points = {{-100, 100}, {-100, 200}, {100, 200}, {100, 100}};
        const AreaEncodeResult r = encodeAreaBlock(Command::WArea, 63, a, false);
        QVERIFY(r.ok());
        const QByteArray &f = r.frame;
        QCOMPARE(f.size(), 1264);
        QCOMPARE(f.left(6), QByteArray("WArea\x3F"));
        QCOMPARE(f.mid(6, 8).toHex(), QByteArray("0003001900" "0a1234"));
        QCOMPARE(f.mid(descriptor(0), 4).toHex(), QByteArray("00000002"));
        QCOMPARE(f.mid(62, 8).toHex(), QByteArray("03e80000fed4ff38"));
        QCOMPARE(f.mid(descriptor(1), 16).toHex(), QByteArray("00030001000000000000" "05dc05dc05dc"));
        QCOMPARE(f.mid(462, 4), QByteArray(4, '\0')); // dependent kinds fill no slots
        QCOMPARE(f.mid(descriptor(2), 4).toHex(), QByteArray("00020004"));
        // Rectangle corners by ascending angle: (100,100) 45, (100,200), (-100,200), (-100,100) 135.
        QCOMPARE(f.mid(862, 16).toHex(), QByteArray("0064006400640" "0c8ff9c00c8ff9c0064"));
        QCOMPARE(f.mid(878, 1262 - 878), QByteArray(1262 - 878, '\0'));
        QVERIFY(hasValidCrc(f));
    }

    void polygonsRoundTripInAngleOrder_data()
    {
        QTest::addColumn<bool>("reversed");
        QTest::newRow("normal") << false;
        QTest::newRow("reversed") << true;
    }
    void polygonsRoundTripInAngleOrder()
    {
        QFETCH(bool, reversed);
        AreaRecord a;
        a.OpenDelay = 1;
        a.DetectionSize = 9;
        a.Out1Points = {{500, 500}, {-2000, 10}, {0, -3000}, {3000, -10}, {-32767, 32767}};
        a.Out2Shape = Rectangle;
        a.Out2Points = {{-800, 200}, {-800, 900}, {800, 900}, {800, 200}};
        a.Out3Points = {};
        const AreaRecord back = roundTrip(a, reversed);
        QCOMPARE(back.OpenDelay, 1);
        QCOMPARE(back.DetectionSize, 9);
        QCOMPARE(back.Out2Shape, int(Rectangle));
        QVERIFY(back.Out3Points.isEmpty());
        if (!reversed) {
            QCOMPARE(back.Out1Points, byAngle(a.Out1Points));
            QCOMPARE(back.Out2Points, byAngle(a.Out2Points));
        } else {
            // Same points, ordered by the angle the scanner sees (x mirrored).
            QVector<QPoint> mirrored;
            for (const QPoint &p : a.Out1Points)
                mirrored << QPoint(-p.x(), p.y());
            QVector<QPoint> expected;
            for (const QPoint &p : byAngle(mirrored))
                expected << QPoint(-p.x(), p.y());
            QCOMPARE(back.Out1Points, expected);
        }
    }

    void sameAnglePointsKeepTheLastInListOrder()
    {
        AreaRecord a;
        a.Out1Points = {{100, 100}, {0, 900}, {300, 300}, {-50, 400}};
        const AreaEncodeResult r = encodeAreaBlock(Command::WArea, 0, a, false);
        QVERIFY(r.ok());
        QCOMPARE(get16(r.frame, descriptor(0) + 2), quint16(3)); // count = filled slots
        const AreaRecord back = roundTrip(a, false);
        QCOMPARE(back.Out1Points, (QVector<QPoint>{{300, 300}, {0, 900}, {-50, 400}}));
    }

    void arcsTravelInWholeDegreesAndMillimetres()
    {
        AreaRecord a;
        a.Out1Shape = Arc;
        a.Out1Points = {{-1000, 1}, {1000, -1}}; // 179.94 and -0.057 degrees
        const AreaEncodeResult r = encodeAreaBlock(Command::WArea, 1, a, false);
        QVERIFY(r.ok());
        // Start is the smaller angle; degrees truncated toward zero, radius too.
        QCOMPARE(get16s(r.frame, descriptor(0) + 4), qint16(0));
        QCOMPARE(get16s(r.frame, descriptor(0) + 6), qint16(179));
        QCOMPARE(get16(r.frame, descriptor(0) + 8), quint16(1000));
        // Reversed: the scanner sees the mirror image. (0, 1000) mirrored
        // lies at 89.99999 degrees in single precision, which truncates to 89.
        a.Out1Points = {{1000, 0}, {0, 1000}};
        const AreaEncodeResult rr = encodeAreaBlock(Command::WArea, 1, a, true);
        QCOMPARE(get16s(rr.frame, descriptor(0) + 4), qint16(89));
        QCOMPARE(get16s(rr.frame, descriptor(0) + 6), qint16(180));

        // An arc with other than two points sends zeros.
        a.Out1Points = {{1000, 0}, {0, 1000}, {5, 5}};
        const AreaEncodeResult r3 = encodeAreaBlock(Command::WArea, 1, a, false);
        QCOMPARE(r3.frame.mid(descriptor(0), 10).toHex(), QByteArray("00010003000000000000"));
    }

    // An arc the scanner holds travels back byte for byte: read it, write it
    // unchanged, and the scanner must get the same degrees and radius again,
    // for every pair of whole degrees the field can hold. Below 81 mm some
    // degree and millimetre cells hold no integer point at all: there the
    // degrees still travel back.
    void storedArcsTravelBackUnchanged_data()
    {
        QTest::addColumn<int>("radius");
        QTest::addColumn<bool>("reversed");
        QTest::addRow("60 mm, degrees") << 60 << false;
        // Mirroring only negates x, so fewer radii suffice reversed.
        for (int radius : {81, 500, 6000, 60000, 65535})
            QTest::addRow("%d mm", radius) << radius << false;
        for (int radius : {81, 36000})
            QTest::addRow("%d mm reversed", radius) << radius << true;
    }
    void storedArcsTravelBackUnchanged()
    {
        QFETCH(int, radius);
        QFETCH(bool, reversed);
        // An RArea reply with three arcs, laid out by hand: descriptor at
        // 14 + 16 * output holding kind 1, count 2, start, end, radius.
        QByteArray reply(1264, '\0');
        reply.replace(0, 5, "RArea");
        reply[5] = char(9);
        int pairs = 0;
        std::array<int, 3> start{}, end{};
        auto check = [&](int used) {
            for (int o = 0; o < 3; ++o) {
                const int d = descriptor(o);
                put16(reply, d, o < used ? 1 : 0);
                put16(reply, d + 2, o < used ? 2 : 0);
                put16(reply, d + 4, o < used ? start[o] : 0);
                put16(reply, d + 6, o < used ? end[o] : 0);
                put16(reply, d + 8, o < used ? radius : 0);
            }
            storeCrc(reply);
            AreaRecord area;
            applyAreaBlock(*decodeAreaBlock(reply, Command::RArea), reversed, area);
            const QByteArray sent = encodeAreaBlock(Command::WArea, 9, area, reversed).frame;
            for (int o = 0; o < used; ++o) {
                const int d = descriptor(o);
                const int compared = radius < 81 ? 8 : 10;
                if (sent.mid(d, compared) != reply.mid(d, compared))
                    return QStringLiteral("%1..%2 went back as %3..%4, %5 mm")
                        .arg(start[o]).arg(end[o]).arg(get16s(sent, d + 4)).arg(get16s(sent, d + 6))
                        .arg(get16(sent, d + 8));
            }
            return QString();
        };
        int used = 0;
        for (int s = -90; s <= 269; ++s) {
            for (int e = s; e <= 269; ++e) {
                start[size_t(used)] = s;
                end[size_t(used)] = e;
                if (++used < 3)
                    continue;
                const QString fault = check(used);
                QVERIFY2(fault.isEmpty(), qPrintable(fault));
                pairs += used;
                used = 0;
            }
        }
        QVERIFY(check(used).isEmpty());
        QCOMPARE(pairs + used, 360 * 361 / 2);
    }

    void dependentFormsReadBackFromTheirOwnSlot()
    {
        for (int kind : {Straight, Fan, Ratio}) {
            AreaRecord a;
            a.Out1Points = {{10, 10}};
            a.Out3Shape = kind;
            a.Out3Points = {{0, 65535}};
            const AreaRecord back = roundTrip(a, true);
            QCOMPARE(back.Out3Shape, kind);
            QCOMPARE(back.Out3Points, (QVector<QPoint>{{0, 65535}}));
        }
        // Only each kind's own slot counts when reading.
        QByteArray f = encodeAreaBlock(Command::RArea, 2, AreaRecord(), false).frame;
        put16(f, descriptor(1), Fan);
        put16(f, descriptor(1) + 10, 100);
        put16(f, descriptor(1) + 12, 200);
        put16(f, descriptor(1) + 14, 300);
        storeCrc(f);
        AreaRecord back;
        applyAreaBlock(*decodeAreaBlock(f, Command::RArea), false, back);
        QCOMPARE(back.Out2Points, (QVector<QPoint>{{0, 200}}));
    }

    void readingRejectsBadCountsAndKinds()
    {
        AreaRecord a;
        a.Out1Points = {{1, 1}, {2, 3}};
        QByteArray f = encodeAreaBlock(Command::RArea, 4, a, false).frame;
        put16(f, descriptor(0) + 2, 101);  // above the slot count: empty list
        put16(f, descriptor(1), 0x0107);   // only the low byte counts, and 7 is no kind
        put16(f, descriptor(2), 0x0302);   // low byte 2: rectangle
        storeCrc(f);
        AreaRecord target;
        target.Out1Points = {{9, 9}};
        target.Out2Shape = Fan;
        target.Out2Points = {{0, 7}};
        const AreaBlock block = *decodeAreaBlock(f, Command::RArea);
        QCOMPARE(block.Index, 4);
        applyAreaBlock(block, false, target);
        QVERIFY(target.Out1Points.isEmpty());
        QCOMPARE(target.Out2Shape, int(Fan)); // kept, and rebuilt as a Fan from its slot
        QCOMPARE(target.Out2Points, (QVector<QPoint>{{0, 0}}));
        QCOMPARE(target.Out3Shape, int(Rectangle));

        f[100] = char(f.at(100) ^ 1);
        QVERIFY(!decodeAreaBlock(f, Command::RArea));
        QVERIFY(!decodeAreaBlock(f.left(1263), Command::RArea));
    }

    // The scanner stores 100 slots of signed 16-bit points and unsigned 16-bit
    // distances. Anything else is refused with a message naming where it is.
    void outOfRangeZonesAreRefused_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QVector<QPoint>>("points");
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<int>("reason");
        QTest::addColumn<int>("point");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");

        QVector<QPoint> many;
        for (int i = 0; i < 101; ++i)
            many << fromPolar(1000.0f, float(i) * 0.03f - 1.5f);
        QTest::newRow("101 points") << int(Polygon) << many << false << int(AreaEncodeError::TooManyPoints) << -1
                                    << "Area 7, Out2 has 101 points" << "区域 7 的 Out2 有 101 个点";
        QVector<QPoint> tooFar = {{100, 100}, {32768, 100}};
        QTest::newRow("x 32768") << int(Polygon) << tooFar << false << int(AreaEncodeError::CoordinateTooLarge) << 1
                                 << "Area 7, Out2, point 2: coordinate 32768 mm" << "第 2 点的坐标 32768 mm";
        QVector<QPoint> lowY = {{0, -40000}};
        QTest::newRow("y -40000") << int(Rectangle) << lowY << false << int(AreaEncodeError::CoordinateTooLarge) << 0
                                  << "point 1: coordinate -40000 mm" << "超出 -32768 … 32767 mm";
        QVector<QPoint> edge = {{-32768, 5}};
        QTest::newRow("x -32768 mirrored") << int(Polygon) << edge << true
                                           << int(AreaEncodeError::CoordinateTooLarge) << 0 << "point 1" << "第 1 点";
        QVector<QPoint> wideArc = {{60000, 60000}, {-60000, 60000}};
        QTest::newRow("arc radius 84852") << int(Arc) << wideArc << false
                                          << int(AreaEncodeError::DistanceOutOfRange) << 0
                                          << "Area 7, Out2: distance 84852 mm" << "距离 84852 mm";
        QVector<QPoint> far = {{0, 65536}};
        QTest::newRow("straight 65536") << int(Straight) << far << false << int(AreaEncodeError::DistanceOutOfRange)
                                        << 0 << "distance 65536 mm is outside 0 … 65535 mm" << "超出 0 … 65535 mm";
        QVector<QPoint> behind = {{0, -1}};
        QTest::newRow("ratio -1") << int(Ratio) << behind << false << int(AreaEncodeError::DistanceOutOfRange) << 0
                                  << "distance -1 mm" << "距离 -1 mm";
    }
    void outOfRangeZonesAreRefused()
    {
        QFETCH(int, kind);
        QFETCH(QVector<QPoint>, points);
        QFETCH(bool, reversed);
        QFETCH(int, reason);
        QFETCH(int, point);
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        AreaRecord a;
        a.Out1Points = {{10, 10}};
        a.Out2Shape = kind;
        a.Out2Points = points;
        const AreaEncodeResult r = encodeAreaBlock(Command::WArea, 7, a, reversed);
        QVERIFY(!r.ok());
        QVERIFY(r.frame.isEmpty());
        QCOMPARE(int(r.error.reason), reason);
        QCOMPARE(r.error.area, 7);
        QCOMPARE(r.error.output, 1);
        QCOMPARE(r.error.point, point);
        QVERIFY2(r.error.message(0).contains(english), qPrintable(r.error.message(0)));
        QVERIFY2(r.error.message(1).contains(chinese), qPrintable(r.error.message(1)));
        QVERIFY(r.error.message(2).isEmpty());
        QCOMPARE(int(checkAreaEncodable(7, a, reversed).reason), reason);
    }

    void limitsThemselvesAreAccepted()
    {
        AreaRecord a;
        QVector<QPoint> hundred;
        for (int i = 0; i < 100; ++i)
            hundred << fromPolar(1000.0f, float(i) * 0.03f - 1.5f);
        hundred << hundred.last(); // a duplicate angle needs no slot of its own
        a.Out1Points = hundred;
        a.Out2Points = {{32767, -32768}};
        a.Out3Shape = Fan;
        a.Out3Points = {{0, 65535}};
        const AreaEncodeResult r = encodeAreaBlock(Command::WArea, 0, a, false);
        QVERIFY(r.ok());
        QCOMPARE(get16(r.frame, descriptor(0) + 2), quint16(100));
        QCOMPARE(roundTrip(a, false).Out1Points.size(), 100);
        QVERIFY(!encodeAreaBlock(Command::WArea, 64, a, false).ok());
    }

    void caseTableRoundTrip()
    {
        QVector<AreaRecord> areas(64);
        for (int i = 0; i < 64; ++i) {
            areas[i].SteerMinDgree = -180 + i;
            areas[i].SteerMaxDgree = 180 - i;
            areas[i].VehicleMinSpeed = -300;
            areas[i].VehicleMaxSpeed = 300;
            areas[i].VehicleOptionMode = i % 5;
            areas[i].Out1Points = {{i, i}};
        }
        const QByteArray frame = encodeCaseTable(Command::WCase, caseTableOf(areas));
        QCOMPARE(frame.size(), 647);
        QCOMPARE(frame.mid(5, 10).toHex(), QByteArray("ff4c00b4fed4012c0000"));
        QVector<AreaRecord> back(64);
        applyCaseTable(*decodeCaseTable(frame, Command::WCase), back);
        for (int i = 0; i < 64; ++i) {
            QCOMPARE(back[i].SteerMinDgree, areas[i].SteerMinDgree);
            QCOMPARE(back[i].VehicleOptionMode, areas[i].VehicleOptionMode);
            QVERIFY(back[i].Out1Points.isEmpty()); // zones are not touched
        }
        QVERIFY(!decodeCaseTable(frame, Command::RCase));
    }
};

QTEST_APPLESS_MAIN(TestAreaFrame)
#include "tst_areaframe.moc"
