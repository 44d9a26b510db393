#include "coordsection.h"
#include "editdata.h"

#include <QTest>
#include <QTextStream>

class TstCoordSection : public QObject
{
    Q_OBJECT

    static EditData sample()
    {
        EditData d;
        for (int i = 0; i < EditData::AreaCount; ++i) {
            AreaRecord &a = d.Areas[i];
            a.OpenDelay = i % 26;
            a.CloseDelay = (i * 7) % 26;
            a.Hysteresis = i % 11;
            a.DetectionSize = i % 10;
            a.SteerMinDgree = -180 + i;
            a.SteerMaxDgree = 180 - i;
            a.VehicleMinSpeed = -300 + 3 * i;
            a.VehicleMaxSpeed = 300 - i;
            a.VehicleOptionMode = i % 5;
            a.Out1Shape = i % 3;
            a.Out2Shape = i % 6;
            a.Out3Shape = (i + 2) % 6;
            for (int k = 0; k < i % 5; ++k)
                a.Out1Points.append(QPoint(-1200 * k - i, 3400 + k));
            a.Out2Points.append(QPoint(0, 20 + i));
            if (i % 2)
                a.Out3Points = {QPoint(-2147483647 - 1, 2147483647), QPoint(5, -5)};
        }
        return d;
    }

    static QString write(const EditData &d)
    {
        QString text;
        QTextStream out(&text);
        writeCoordSection(out, d);
        return text;
    }

    static void read(const QString &text, EditData &d)
    {
        QString copy = text;
        QTextStream in(&copy);
        readCoordSection(in, d);
    }

private slots:
    void writtenLayout()
    {
        EditData d;
        d.Areas[3].Out1Points = {QPoint(-1200, 3400), QPoint(7, 8)};
        d.Areas[3].SteerMinDgree = -45;
        const QStringList lines = write(d).split('\n');
        QCOMPARE(lines.last(), QString()); // every line ends with a line end
        QCOMPARE(lines.first(), QString("CoordTableData"));
        QCOMPARE(lines.at(lines.size() - 2), QString("CoordTableDataEnd"));
        // 64 blocks of 13 lines and six markers, plus the two point lines.
        QCOMPARE(lines.size() - 3, 64 * (13 + 6) + 2);
        const int area3 = 1 + 3 * 19;
        QCOMPARE(lines.at(area3), QString("3"));
        QCOMPARE(lines.at(area3 + 5), QString("-45"));
        QCOMPARE(lines.mid(area3 + 13, 4),
                 QStringList({"Out1CoordStr", "-1200,3400", "7,8", "Out1CoordEnd"}));
    }

    void roundTripReproducesEveryArea()
    {
        const EditData original = sample();
        EditData back;
        read(write(original), back);
        for (int i = 0; i < EditData::AreaCount; ++i)
            QVERIFY2(back.Areas[i] == original.Areas[i], qPrintable(QString("area %1").arg(i)));
    }

    void readerSkipsLeadingLinesAndHandlesCrLf()
    {
        const EditData original = sample();
        QString text = "ZTL_VQ_30\nSensorSetting\n1\n2\n" + write(original) + "ZTL_LASER_VQ_INFORMATION\n";
        text.replace("\n", "\r\n");
        EditData back;
        read(text, back);
        QVERIFY(back.Areas == original.Areas);
    }

    void invalidKindsKeepTheOldKindButReplacePoints_data()
    {
        QTest::addColumn<int>("output");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("expected");
        QTest::newRow("out1 kind 4") << 0 << 4 << 1;
        QTest::newRow("out1 kind 2") << 0 << 2 << 2;
        QTest::newRow("out2 kind 5") << 1 << 5 << 5;
        QTest::newRow("out2 kind 6") << 1 << 6 << 1;
        QTest::newRow("out3 kind -1") << 2 << -1 << 1;
    }
    void invalidKindsKeepTheOldKindButReplacePoints()
    {
        QFETCH(int, output);
        QFETCH(int, kind);
        QFETCH(int, expected);
        EditData file;
        file.Areas[0].shape(output) = kind;
        file.Areas[0].points(output) = {QPoint(1, 2), QPoint(3, 4), QPoint(5, 6)};
        EditData d;
        d.Areas[0].shape(output) = Arc;
        d.Areas[0].points(output) = {QPoint(9, 9), QPoint(8, 8)};
        read(write(file), d);
        QCOMPARE(d.Areas[0].shape(output), expected);
        QCOMPARE(d.Areas[0].points(output), file.Areas[0].points(output));
    }

    void damagedSections()
    {
        EditData before = sample();
        EditData d = before;

        read("no marker here\n0\n1\n", d);
        QVERIFY(d.Areas == before.Areas);

        // Only area 5 named: every other area keeps its content.
        read("CoordTableData\n5\n1\n2\n3\n4\n5\n6\n7\n8\n4\n0\n0\n0\n"
             "Out1CoordStr\n10,20\nabc\n30\n,\nOut1CoordEnd\n"
             "Out2CoordStr\nOut2CoordEnd\nOut3CoordStr\nOut3CoordEnd\nCoordTableDataEnd\n",
             d);
        for (int i = 0; i < 64; ++i) {
            if (i != 5)
                QVERIFY(d.Areas[i] == before.Areas[i]);
        }
        QCOMPARE(d.Areas[5].VehicleOptionMode, 4);
        QCOMPARE(d.Areas[5].Out1Points, QVector<QPoint>({QPoint(10, 20), QPoint(0, 0), QPoint(30, 0), QPoint(0, 0)}));
        QVERIFY(d.Areas[5].Out2Points.isEmpty());

        // An index outside 0..63 ends the reading after the areas before it.
        d = before;
        read("CoordTableData\n64\n", d);
        QVERIFY(d.Areas == before.Areas);
        d = before;
        QString two = write(EditData());
        two.replace("\n1\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\nOut1CoordStr", "\n-1\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\nOut1CoordStr");
        read(two, d);
        QVERIFY(d.Areas[0] == AreaRecord());
        QVERIFY(d.Areas[1] == before.Areas[1]);

        // Huge numbers read as 0 rather than wrapping.
        d = before;
        read("CoordTableData\n2\n99999999999\n1\n1\n1\n1\n1\n1\n1\n1\n0\n0\n0\n"
             "Out1CoordStr\n99999999999,-5\n1\nOut1CoordEnd\nOut2CoordStr\nOut2CoordEnd\nOut3CoordStr\nOut3CoordEnd\n",
             d);
        QCOMPARE(d.Areas[2].OpenDelay, 0);
        QCOMPARE(d.Areas[2].Out1Points.first(), QPoint(0, -5));
    }

    void fileCutAnywhereStaysInBounds()
    {
        const QString full = write(sample());
        // Cut at every line boundary of the first areas and at a few odd
        // places: reading must end, and no area may gain points beyond the file.
        for (int cut = 0; cut < 600; cut += 7) {
            EditData d;
            read(full.left(cut), d);
        }
        EditData d;
        const QString cut = full.left(full.indexOf("Out1CoordEnd", full.indexOf("Out3CoordEnd\n3\n")));
        read(cut, d);
        QVERIFY(d.Areas[2] == sample().Areas[2]);
        // The line the stream ends on is not used as a point, even when whole.
        QCOMPARE(d.Areas[3].Out1Points, sample().Areas[3].Out1Points.mid(0, 2));
    }
};

QTEST_GUILESS_MAIN(TstCoordSection)
#include "tst_coordsection.moc"
