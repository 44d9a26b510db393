// Fields sized from the vehicle, against lengths worked out by hand:
// L = v*T + v^2/(2a) + Z, or s + v*T + Z, the warning field a factor of it,
// rounded outwards to whole millimetres; and the refusals.

#include "shapekind.h"
#include "vehiclefields.h"

#include <QtTest>
#include <algorithm>
#include <cmath>
#include <limits>

using namespace VehicleFields;

namespace {
// 1200 mm wide, scanner 100 mm behind the front edge, 100 mm margins,
// T = 0.5 s, a = 1 m/s^2, Z = 200 mm, warning 1.5 x L.
Vehicle baseVehicle()
{
    Vehicle v;
    v.width = 1200;
    v.frontOffset = 100;
    v.marginLeft = v.marginRight = 100;
    v.responseTime = 0.5;
    v.deceleration = 1.0;
    v.supplement = 200;
    v.warningFactor = 1.5;
    return v;
}

Band bandAt(int i)
{
    Band b;
    b.minSpeed = 10 * i;
    b.maxSpeed = 10 * i + 9;
    b.steerMin = -30;
    b.steerMax = 30;
    b.mode = i % 5;
    b.area = 3 + 2 * i;
    return b;
}

QVector<QPoint> rect(int left, int right, int far) { return {{left, 0}, {left, far}, {right, far}, {right, 0}}; }
} // namespace

class TestVehicleFields : public QObject
{
    Q_OBJECT
private slots:
    void sizesAndFills_data()
    {
        QTest::addColumn<int>("deviceClass");
        QTest::addColumn<double>("centre");
        QTest::addColumn<double>("third");
        QTest::addColumn<QVector<double>>("speeds");
        QTest::addColumn<QVector<double>>("stops");
        QTest::addColumn<int>("problem");
        QTest::addColumn<int>("badBand");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<QVector<int>>("lengths"); // per band: L, then the far edges of Out1, Out2, Out3

        using D = QVector<double>;
        // 1 m/s: 500 + 500 + 200 = 1200; warning 1800; edges 100 further.
        QTest::newRow("braking from the deceleration")
            << 3 << 0.0 << 0.0 << D{1.0} << D{0} << 0 << -1 << -700 << 700 << QVector<int>{1200, 1300, 1900, 0};
        // 2 m/s with s = 800: 1000 + 800 + 200 = 2000; Out3 at 2 x L.
        QTest::newRow("given stopping distance, Out3")
            << 3 << 0.0 << 2.0 << D{2.0} << D{800} << 0 << -1 << -700 << 700
            << QVector<int>{2000, 2100, 3100, 4100};
        // 0.3 m/s: 150 + 45 + 200 = 395, warning 592.5; x -850.5 .. 549.5; all outwards.
        QTest::newRow("scanner off centre, rounded outwards")
            << 3 << 150.5 << 0.0 << D{0.3, 1.0} << D{0, 0} << 0 << -1 << -851 << 550
            << QVector<int>{395, 495, 693, 0, 1200, 1300, 1900, 0};
        // 3 m/s: 1500 + 4500 + 200 = 6200 > 6000 of class 05.
        QTest::newRow("beyond the class range") << 0 << 0.0 << 0.0 << D{1.0, 3.0} << D{0, 0} << int(Sizing::BeyondRange)
                                                << 1 << 0 << 0 << QVector<int>{1200, 1300, 1900, 0, 6200, 6300, 9400, 0};
        // 500 + 3200 + 200 = 3900, warning 5850: the wide side's corner
        // (-1150, 5950) lies 6060 mm out, beyond 6000; the narrow side's would not.
        QTest::newRow("beyond the range at the wider side")
            << 0 << 450.0 << 0.0 << D{1.0} << D{3200} << int(Sizing::BeyondRange) << 0 << 0 << 0
            << QVector<int>{3900, 4000, 5950, 0};
        // 5 m/s: L = 15200, Out3 at 2.2 x L reaches 33540 > 32767 within class 50's 60000.
        QTest::newRow("encoder refuses") << 4 << 0.0 << 2.2 << D{5.0} << D{0} << int(Sizing::EncoderRefused) << 0
                                         << 0 << 0 << QVector<int>{15200, 15300, 22900, 33540};
        QTest::newRow("scanner beside the covered width")
            << 3 << 800.0 << 0.0 << D{1.0} << D{0} << int(Sizing::ScannerOutside) << -1 << 0 << 0 << QVector<int>{};
        QTest::newRow("standing still") << 3 << 0.0 << 0.0 << D{1.0, 0.0} << D{0, 0} << int(Sizing::InvalidInput) << 1
                                        << 0 << 0 << QVector<int>{1200, 1300, 1900, 0};
        QTest::newRow("no factor below 1") << 3 << 0.0 << 0.5 << D{1.0} << D{0} << int(Sizing::InvalidInput) << -1 << 0
                                           << 0 << QVector<int>{};
        QTest::newRow("nine bands") << 3 << 0.0 << 0.0 << D(9, 1.0) << D(9, 0.0) << int(Sizing::NoBands) << -1 << 0
                                    << 0 << QVector<int>{};
    }
    void sizesAndFills()
    {
        QFETCH(int, deviceClass);
        QFETCH(double, centre);
        QFETCH(double, third);
        QFETCH(QVector<double>, speeds);
        QFETCH(QVector<double>, stops);
        QFETCH(int, problem);
        QFETCH(int, badBand);
        QFETCH(int, left);
        QFETCH(int, right);
        QFETCH(QVector<int>, lengths);

        Vehicle v = baseVehicle();
        v.deviceClass = deviceClass;
        v.centreOffset = centre;
        v.thirdFactor = third;
        for (int i = 0; i < speeds.size(); ++i) {
            v.bands << bandAt(i);
            v.bands.last().speed = speeds[i];
            v.bands.last().stoppingDistance = stops[i];
        }
        const Sizing s = size(v);
        QCOMPARE(int(s.problem), problem);
        QCOMPARE(s.band, badBand);
        QCOMPARE(problemText(s, 1).isEmpty(), s.ok());
        const QString english = summary(v, s, 1);
        QVERIFY(english.endsWith(problemText(s, 1)));
        QVERIFY(std::none_of(english.cbegin(), english.cend(), [](QChar c) { return c.unicode() >= 0x3000; }));
        QCOMPARE(english.count(QStringLiteral(", L = ")), lengths.size() / 4); // only bands sized
        QCOMPARE(english.contains(QStringLiteral("Out3")), third > 0);

        // Every area holds something of its own beforehand.
        AreaRecord before;
        before.OpenDelay = 5;
        before.Out3Shape = Straight;
        before.Out3Points = {{0, 4000}};
        before.VehicleMaxSpeed = 7;
        QVector<AreaRecord> areas(64, before);
        apply(v, s, areas);
        QVector<AreaRecord> expected(64, before);
        for (int i = 0; i < lengths.size() / 4; ++i) {
            QCOMPARE(s.bands[i].protective, double(lengths[4 * i]));
            QCOMPARE(s.bands[i].out3.isEmpty(), third == 0);
            QVERIFY(english.contains(stops[i] > 0 ? QStringLiteral("s = %1 mm").arg(stops[i]) : QStringLiteral("v²/(2a) = ")));
            for (int flag : {0, 1})
                QVERIFY(summary(v, s, flag).contains(QStringLiteral("L = %1 mm").arg(lengths[4 * i])));
            if (!s.ok())
                continue;
            AreaRecord &a = expected[v.bands[i].area];
            a.Out1Shape = a.Out2Shape = Rectangle;
            a.Out1Points = rect(left, right, lengths[4 * i + 1]);
            a.Out2Points = rect(left, right, lengths[4 * i + 2]);
            if (third > 0) {
                a.Out3Shape = Rectangle;
                a.Out3Points = rect(left, right, lengths[4 * i + 3]);
            }
            a.VehicleMinSpeed = v.bands[i].minSpeed;
            a.VehicleMaxSpeed = v.bands[i].maxSpeed;
            a.SteerMinDgree = -30;
            a.SteerMaxDgree = 30;
            a.VehicleOptionMode = v.bands[i].mode;
        }
        for (int i = 0; i < 64; ++i)
            QVERIFY2(areas[i] == expected[i], qPrintable(QStringLiteral("area %1").arg(i)));
    }

    // A case row the area could not take, or two bands for one area.
    void refusesCaseRows_data()
    {
        QTest::addColumn<QVector<int>>("row"); // min, max speed, steering min, max, mode, area
        QTest::addColumn<int>("problem");
        QTest::newRow("every bound at its limit") << QVector<int>{-300, 300, -180, 180, 4, 63} << int(Sizing::None);
        QTest::newRow("mode and area 0") << QVector<int>{0, 0, 0, 0, 0, 0} << int(Sizing::None);
        QTest::newRow("speed below") << QVector<int>{-301, 0, 0, 0, 0, 0} << int(Sizing::CaseOutOfRange);
        QTest::newRow("speed above") << QVector<int>{0, 301, 0, 0, 0, 0} << int(Sizing::CaseOutOfRange);
        QTest::newRow("speeds crossed") << QVector<int>{5, 4, 0, 0, 0, 0} << int(Sizing::CaseOutOfRange);
        QTest::newRow("steering below") << QVector<int>{0, 0, -181, 0, 0, 0} << int(Sizing::CaseOutOfRange);
        QTest::newRow("steering above") << QVector<int>{0, 0, 0, 181, 0, 0} << int(Sizing::CaseOutOfRange);
        QTest::newRow("steering crossed") << QVector<int>{0, 0, 1, 0, 0, 0} << int(Sizing::CaseOutOfRange);
        QTest::newRow("mode 5") << QVector<int>{0, 0, 0, 0, 5, 0} << int(Sizing::CaseOutOfRange);
        QTest::newRow("mode -1") << QVector<int>{0, 0, 0, 0, -1, 0} << int(Sizing::CaseOutOfRange);
        QTest::newRow("area 64") << QVector<int>{0, 0, 0, 0, 0, 64} << int(Sizing::CaseOutOfRange);
        QTest::newRow("area -1") << QVector<int>{0, 0, 0, 0, 0, -1} << int(Sizing::CaseOutOfRange);
        QTest::newRow("area of band 1 again") << QVector<int>{0, 0, 0, 0, 0, 3} << int(Sizing::AreaTwice);
    }
    void refusesCaseRows()
    {
        QFETCH(QVector<int>, row);
        QFETCH(int, problem);
        Vehicle v = baseVehicle();
        v.bands = {bandAt(0), bandAt(1)};
        v.bands[0].speed = v.bands[1].speed = 1.0;
        Band &b = v.bands[1];
        b.minSpeed = row[0];
        b.maxSpeed = row[1];
        b.steerMin = row[2];
        b.steerMax = row[3];
        b.mode = row[4];
        b.area = row[5];
        const Sizing s = size(v);
        QCOMPARE(int(s.problem), problem);
        QCOMPARE(s.band, problem ? 1 : -1);
        QCOMPARE(problemText(s, 1).startsWith(QStringLiteral("Band 2: ")), problem != Sizing::None);
    }

    // Numbers no field can be sized from; the bounds themselves are fine.
    void refusesUnusableNumbers_data()
    {
        QTest::addColumn<int>("field"); // index into the fields below; -1: the device class
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("problem");
        QTest::addColumn<int>("badBand");
        const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
        const int bad = Sizing::InvalidInput;
        QTest::newRow("width 0") << 0 << 0.0 << bad << -1;
        QTest::newRow("behind the front edge, negative") << 1 << -1.0 << bad << -1;
        QTest::newRow("centre offset infinite") << 2 << inf << bad << -1;
        QTest::newRow("left margin negative") << 3 << -1.0 << bad << -1;
        QTest::newRow("right margin negative") << 4 << -1.0 << bad << -1;
        QTest::newRow("response time NaN") << 5 << nan << bad << -1;
        QTest::newRow("deceleration negative") << 6 << -1.0 << bad << -1;
        QTest::newRow("no deceleration, no stopping distance") << 6 << 0.0 << bad << 0;
        QTest::newRow("supplement negative") << 7 << -1.0 << bad << -1;
        QTest::newRow("warning factor below 1") << 8 << 0.99 << bad << -1;
        QTest::newRow("warning factor infinite") << 8 << inf << bad << -1;
        QTest::newRow("warning factor 1") << 8 << 1.0 << 0 << -1;
        QTest::newRow("Out3 factor 1") << 9 << 1.0 << 0 << -1;
        QTest::newRow("Out3 factor NaN") << 9 << nan << bad << -1;
        QTest::newRow("device class 5") << -1 << 5.0 << bad << -1;
        QTest::newRow("scanner on the left edge") << 2 << -700.0 << int(Sizing::ScannerOutside) << -1;
        QTest::newRow("scanner on the right edge") << 2 << 700.0 << int(Sizing::ScannerOutside) << -1;
    }
    void refusesUnusableNumbers()
    {
        QFETCH(int, field);
        QFETCH(double, value);
        QFETCH(int, problem);
        QFETCH(int, badBand);
        static double Vehicle::*const fields[] = {&Vehicle::width,        &Vehicle::frontOffset,  &Vehicle::centreOffset,
                                                  &Vehicle::marginLeft,   &Vehicle::marginRight,  &Vehicle::responseTime,
                                                  &Vehicle::deceleration, &Vehicle::supplement,   &Vehicle::warningFactor,
                                                  &Vehicle::thirdFactor};
        Vehicle v = baseVehicle();
        v.bands = {bandAt(0)};
        v.bands[0].speed = 1.0;
        if (field < 0)
            v.deviceClass = int(value);
        else
            v.*fields[field] = value;
        const Sizing s = size(v);
        QCOMPARE(int(s.problem), problem);
        QCOMPARE(s.band, badBand);
        QCOMPARE(problemText(s, 1).startsWith(QStringLiteral("Band 1: ")), badBand == 0);
    }
};

QTEST_GUILESS_MAIN(TestVehicleFields)
#include "tst_vehiclefields.moc"
