// What counts as a difference between two configurations, and how each one
// reads: the comparison the command-line tool and the window share.

#include "configdiff.h"
#include "shapekind.h"

#include <QJsonDocument>
#include <QtTest>

Q_DECLARE_METATYPE(Configuration)

class TestConfigDiff : public QObject
{
    Q_OBJECT
private slots:
    void differences_data();
    void differences();
    void differencesInJson();
};

namespace {
// Area 0: a polygon drawn out of angular order, an arc between two points
// off the whole degrees and a rectangle.
Configuration drawn(bool reversed)
{
    Configuration c;
    c.rows[Configuration::InstallDirectionRow] = reversed ? 1 : 0;
    AreaRecord &a = c.areas[0];
    a.Out1Shape = Polygon;
    a.Out1Points = {QPoint(1000, 0), QPoint(-1000, 500), QPoint(0, 2000), QPoint(1500, 1500)};
    a.Out2Shape = Arc;
    a.Out2Points = {QPoint(2000, 0), QPoint(-2000, 10)};
    a.Out3Shape = Rectangle;
    a.Out3Points = {QPoint(-800, 300), QPoint(600, 300), QPoint(600, 1200), QPoint(-800, 1200)};
    return c;
}
} // namespace

void TestConfigDiff::differences_data()
{
    QTest::addColumn<Configuration>("a");
    QTest::addColumn<Configuration>("b");
    QTest::addColumn<QStringList>("lines");

    Configuration stored = drawn(false); // as the scanner gives it back, worked out by hand
    stored.areas[0].Out1Points = {QPoint(1000, 0), QPoint(1500, 1500), QPoint(0, 2000), QPoint(-1000, 500)};
    // An arc comes back on the middle of its whole degrees: 0 stays on the
    // axis, 179 reads 179.5.
    stored.areas[0].Out2Points = {QPoint(2000, 0), QPoint(-2000, 17)};
    QTest::newRow("as the scanner stores it") << drawn(false) << stored << QStringList{};

    Configuration moved = stored;
    moved.areas[0].Out1Points[2] = QPoint(0, 2001);
    QTest::newRow("one point 1 mm") << drawn(false) << moved
                                    << QStringList{"area 0, Out1, point 3: (0, 2000) | (0, 2001), moved 1.0 mm"};

    // Mirrored on the wire, the arc runs over degrees 0 and 180 of the
    // scanner: back in the vehicle's frame from -0.5 to 179.5 degrees, where
    // the forward arc reads 0.5 to 179.5.
    QTest::newRow("reversed scanner")
        << drawn(true) << drawn(false)
        << QStringList{"parameter Install Dir: 1 (Reverse) | 0 (Forward)",
                       "area 0, Out2, point 1: (2000, -17) | (2000, 17), moved 34.0 mm"};
    QTest::newRow("reversed scanner second")
        << drawn(false) << drawn(true)
        << QStringList{"parameter Install Dir: 0 (Forward) | 1 (Reverse)",
                       "area 0, Out2, point 1: (2000, 17) | (2000, -17), moved 34.0 mm"};

    // Rows 18 to 21 are the address's octets; the dock's labels go on after it.
    Configuration near = drawn(false);
    near.rows[18] = 192;
    near.rows[19] = 168;
    near.rows[20] = 1;
    near.rows[21] = 10;
    Configuration far = near;
    far.rows[21] = 11;
    QTest::newRow("address, last octet") << near << far
                                         << QStringList{"parameter IP Address: 192.168.1.10 | 192.168.1.11"};
    far = near;
    far.rows[22] = 1;
    far.rows[24] = 3;
    far.rows[26] = 7;
    QTest::newRow("rows after the address")
        << near << far
        << QStringList{"parameter Laser Ferq: 0 | 1", "parameter Traili Filter: 0 (Close) | 3 (Strict)",
                       "parameter Dirty Strength: 0 | 7"};

    Configuration wide = drawn(false);
    wide.areas[7].VehicleMaxSpeed = 65536 + 300; // case fields travel as 16 bits
    Configuration narrow = drawn(false);
    narrow.areas[7].VehicleMaxSpeed = 300;
    QTest::newRow("case field beyond 16 bits") << wide << narrow << QStringList{};
    narrow.areas[7].VehicleMinSpeed = -1;
    narrow.areas[7].OpenDelay = 3;
    narrow.areas[7].Out3Shape = Ratio;
    narrow.areas[7].Out3Points = {QPoint(0, 500)};
    QTest::newRow("case row, area fields, kind and count")
        << wide << narrow
        << QStringList{"case row 7, VehicleMinSpeed: 0 | -1", "area 7, OpenDelay: 0 | 3",
                       "area 7, Out3: kind Polygon | Ratio", "area 7, Out3: 0 | 1 points"};
    Configuration classFive = drawn(false);
    classFive.deviceClass = 0;
    Configuration classThirty = drawn(false);
    classThirty.deviceClass = 3;
    QTest::newRow("device classes") << classFive << classThirty << QStringList{"device class: VQ05 | VQ30"};
    QTest::newRow("a scanner has no class") << drawn(false) << classThirty << QStringList{};
}

void TestConfigDiff::differences()
{
    QFETCH(Configuration, a);
    QFETCH(Configuration, b);
    QFETCH(QStringList, lines);
    QCOMPARE(differenceLines(diffConfigurations(a, b, 0), 0), lines);
}

// The same differences for scripts: every field by its name, area 0 and Out1
// named too; a control mode the English list has no text for is its number.
void TestConfigDiff::differencesInJson()
{
    Configuration a;
    a.deviceClass = 3;
    Configuration b = a;
    b.deviceClass = 0;
    b.rows[0] = 5;
    b.areas[0].Out1Points = {QPoint(0, 2001)};
    a.areas[0].Out1Points = {QPoint(0, 2000)};
    const QByteArray json = QJsonDocument(differencesJson(diffConfigurations(a, b, 0), 0)).toJson(QJsonDocument::Compact);
    const QByteArray expected = R"j({"differences":[{"a":"VQ30","b":"VQ05","type":"class"},)j"
                                R"j({"a":"0 (IO Interface)","b":"5","name":"Control Mode","type":"parameter"},)j"
                                R"j({"a":[0,2000],"area":0,"b":[0,2001],"moved":1,"output":"Out1","point":1,)j"
                                R"j("type":"point"}],"equal":false})j";
    QCOMPARE(json, expected);
}

QTEST_GUILESS_MAIN(TestConfigDiff)
#include "tst_configdiff.moc"
