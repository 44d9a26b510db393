// The project beside a scanner: what a write of only the differing parts
// sends, and what taking a part from the scanner changes.

#include "scannercomparison.h"
#include "shapekind.h"

#include <QtTest>

Q_DECLARE_METATYPE(Configuration)

namespace {
using namespace ScannerComparison;

// Areas 0..3 with a polygon each; area 2 also mirrored the same (a zone the
// install direction does not turn).
Configuration scanner(bool reversed)
{
    SensorParameters words = SensorParameters::defaults();
    words.Words[SensorParameters::InstallDirectionWord] = reversed;
    QVector<AreaRecord> areas(EditData::AreaCount);
    for (int i = 0; i < 4; ++i) {
        areas[i].Out1Shape = Polygon;
        areas[i].Out1Points = {QPoint(1000 + i, 100), QPoint(0, 2000), QPoint(-1000, 200 + i)};
        areas[i].SteerMaxDgree = 10 * i;
    }
    areas[2].Out1Points = {QPoint(1000, 500), QPoint(0, 2000), QPoint(-1000, 500)};
    return scannerConfiguration(words, areas);
}
} // namespace

class TestScannerComparison : public QObject
{
    Q_OBJECT
private slots:
    void writePlan_data()
    {
        QTest::addColumn<Configuration>("project");
        QTest::addColumn<bool>("writeReversed");
        QTest::addColumn<QVector<int>>("areas");
        QTest::addColumn<bool>("caseTable");
        QTest::addColumn<bool>("parameters");
        QTest::newRow("equal") << scanner(false) << false << QVector<int>{} << false << false;
        Configuration moved = scanner(false);
        moved.areas[3].Out1Points[1] = QPoint(1, 2000);
        moved.areas[5].OpenDelay = 2;
        QTest::newRow("a point and a delay") << moved << false << QVector<int>{3, 5} << false << false;
        Configuration caseRow = scanner(false);
        caseRow.areas[63].VehicleOptionMode = 1;
        QTest::newRow("a case row") << caseRow << false << QVector<int>{} << true << false;
        Configuration word = scanner(false);
        (*word.words).Words[23] = 150;
        QTest::newRow("a parameter word") << word << false << QVector<int>{} << false << true;
        // Written reversed, every zone the mirror turns goes again.
        QTest::newRow("install direction") << scanner(true) << true << QVector<int>{0, 1, 3} << false << true;
        Configuration wide = scanner(false);
        wide.areas[1].Out1Points[0] = QPoint(40000, 100);
        QTest::newRow("an area that cannot be sent") << wide << false << QVector<int>{1} << false << false;
    }
    void writePlan()
    {
        QFETCH(Configuration, project);
        QFETCH(bool, writeReversed);
        QFETCH(QVector<int>, areas);
        QFETCH(bool, caseTable);
        QFETCH(bool, parameters);
        const WritePlan plan = planWrite(project.areas, *project.words, writeReversed, scanner(false));
        QCOMPARE(plan.areas, areas);
        QCOMPARE(plan.caseTable, caseTable);
        QCOMPARE(plan.parameters, parameters);
        QCOMPARE(plan.isEmpty(), areas.isEmpty() && !caseTable && !parameters);
    }

    // An area takes what WArea carries and keeps its case row; the case table
    // takes the rows alone and names the areas it changed.
    void takingParts()
    {
        const Configuration held = scanner(false);
        QVector<AreaRecord> project(EditData::AreaCount);
        project[3].SteerMaxDgree = 30;
        project[3].VehicleMinSpeed = -5;
        QVERIFY(takeArea(project[3], held.areas[3]));
        QCOMPARE(project[3].Out1Points, held.areas[3].Out1Points);
        QCOMPARE(project[3].VehicleMinSpeed, -5);
        QVERIFY(!takeArea(project[3], held.areas[3]));
        QCOMPARE(takeCaseTable(project, held.areas), (QVector<int>{1, 2, 3}));
        QCOMPARE(project[3].VehicleMinSpeed, 0);
        QCOMPARE(project[2].SteerMaxDgree, 20);
        QVERIFY(project[2].Out1Points.isEmpty());
        QCOMPARE(takeCaseTable(project, held.areas), QVector<int>{});
    }

    void partsAndAreasOfDifferences()
    {
        QVector<Difference> diffs(5);
        diffs[0].kind = Difference::Parameter;
        diffs[1].kind = Difference::CaseField;
        diffs[1].area = 9;
        diffs[2].kind = Difference::PointMoved;
        diffs[2].area = 4;
        diffs[3].kind = Difference::AreaField;
        diffs[3].area = 0;
        diffs[4].kind = Difference::DeviceClass;
        const Part parts[] = {Part::Parameters, Part::CaseTable, Part::Areas, Part::Areas, Part::None};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(partOf(diffs[i]), parts[i]);
        QCOMPARE(differingAreas(diffs), (QVector<int>{0, 4, 9}));
        const Configuration c = scanner(true);
        QCOMPARE(c.deviceClass, -1);
        QVERIFY(c.reversed());
    }
};

QTEST_GUILESS_MAIN(TestScannerComparison)
#include "tst_scannercomparison.moc"
