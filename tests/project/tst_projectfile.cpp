#include "projectfile.h"
#include "projectfilekind.h"
#include "sensorsection.h"

#include <QDate>
#include <QFile>
#include <QTest>
#include <QTextStream>

// The whole project file. The golden files in tests/data were written by hand
// from the format's description; the writer must reproduce them byte for byte
// and the reader must load them to the values below.
class TstProjectFile : public QObject
{
    Q_OBJECT

    static QString golden(const char *name) { return QStringLiteral(QM_TEST_DATA "/") + QLatin1String(name); }

    static QByteArray bytesOf(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static SensorDockState goldenSensors()
    {
        return {5, 4, 2, 1, 17, 3, 0, 6, 99, 7, 8, 9, 10, 11, 12, 13, 14, 15, 192, 168, 23, 254, 16, 18, 19, 1500, -20};
    }

    static AreaRecord area(std::initializer_list<qint32> fields, QVector<QPoint> out1, QVector<QPoint> out2,
                           QVector<QPoint> out3)
    {
        AreaRecord a;
        qint32 *const targets[] = {&a.OpenDelay,       &a.CloseDelay,      &a.Hysteresis,        &a.DetectionSize,
                                 &a.SteerMinDgree,   &a.SteerMaxDgree,   &a.VehicleMinSpeed,   &a.VehicleMaxSpeed,
                                 &a.VehicleOptionMode, &a.Out1Shape,     &a.Out2Shape,         &a.Out3Shape};
        int i = 0;
        for (qint32 v : fields)
            *targets[i++] = v;
        a.Out1Points = out1;
        a.Out2Points = out2;
        a.Out3Points = out3;
        return a;
    }

    // What the golden file holds; every area not set here is blank.
    static EditData goldenData()
    {
        EditData d;
        d.Areas[0] = area({1, 2, 3, 4, -30, 45, -100, 250, 1, 0, 1, 2}, {{-1200, 3400}, {800, -600}, {1500, 2700}},
                          {{3000, 0}, {-2000, 1000}}, {{-500, 200}, {-500, 900}, {700, 900}, {700, 200}});
        d.Areas[1] = area({11, 12, 5, 6, -25, 36, -107, 208, 2, 2, 4, 5},
                          {{-900, 100}, {-900, 1100}, {900, 1100}, {900, 100}}, {{0, 1800}}, {{0, 2600}});
        d.Areas[2] = area({25, 24, 10, 9, -180, 180, -300, 300, 4, 1, 3, 0}, {{4000, -10}, {-3999, -11}}, {{0, 4500}},
                          {});
        d.Areas[63] = area({7, 19, 8, 0, -1, 1, -2, 2, 3, 0, 0, 0}, {{-2147483647 - 1, 2147483647}}, {}, {});
        return d;
    }

    // Something in every area, so a test can see which areas a read replaced.
    static EditData untouched()
    {
        EditData d;
        for (AreaRecord &a : d.Areas) {
            a.OpenDelay = 21;
            a.Out2Shape = 5;
            a.Out1Points = {QPoint(9, 9)};
        }
        return d;
    }

    static void compareAreas(const EditData &got, const EditData &expected)
    {
        for (int i = 0; i < EditData::AreaCount; ++i)
            QVERIFY2(got.Areas[i] == expected.Areas[i], qPrintable(QStringLiteral("area %1").arg(i)));
    }

private slots:
    void readsTheGoldenFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("textMode");
        QTest::addColumn<QByteArray>("typeLine"); // in place of the file's own
        QTest::addColumn<int>("deviceClass");
        QTest::newRow("LF, text mode") << golden("project_class30.VQ30") << true << QByteArray() << 3;
        QTest::newRow("CR LF, text mode") << golden("project_class30_crlf.VQ30") << true << QByteArray() << 3;
        QTest::newRow("CR LF, binary") << golden("project_class30_crlf.VQ30") << false << QByteArray() << 3;
        QTest::newRow("class 05") << golden("project_class30.VQ30") << true << QByteArray("ZTL_VQ_05") << 0;
    }
    void readsTheGoldenFile()
    {
        QFETCH(QString, path);
        QFETCH(bool, textMode);
        QFETCH(QByteArray, typeLine);
        QFETCH(int, deviceClass);
        QFile file(path);
        QVERIFY(file.open(textMode ? QIODevice::ReadOnly | QIODevice::Text : QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        if (!typeLine.isEmpty())
            bytes.replace(0, bytes.indexOf('\n'), typeLine);
        QTextStream in(bytes);
        SensorDockState sensors{};
        EditData data = untouched();
        QCOMPARE(readProjectFile(in, sensors, data), deviceClass);
        QCOMPARE(sensors, goldenSensors());
        compareAreas(data, goldenData());
    }

    void writesTheGoldenFileByteForByte()
    {
        QByteArray written;
        {
            QTextStream out(&written, QIODevice::WriteOnly);
            writeProjectFile(out, 3, goldenSensors(), goldenData(), QDate(2024, 8, 21));
        }
        const QByteArray expected = bytesOf(golden("project_class30.VQ30"));
        QVERIFY(!expected.isEmpty());
        QCOMPARE(written, expected);
    }

    void fileKinds_data()
    {
        QTest::addColumn<int>("deviceClass");
        QTest::addColumn<QString>("typeLine");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("filter");
        QTest::newRow("05") << 0 << "ZTL_VQ_05" << ".VQ05" << "(*.VQ05)";
        QTest::newRow("10") << 1 << "ZTL_VQ_10" << ".VQ10" << "(*.VQ10)";
        QTest::newRow("20") << 2 << "ZTL_VQ_20" << ".VQ20" << "(*.VQ20)";
        QTest::newRow("30") << 3 << "ZTL_VQ_30" << ".VQ30" << "(*.VQ30)";
        QTest::newRow("50") << 4 << "ZTL_VQ_50" << ".VQ50" << "(*.VQ50)";
    }
    void fileKinds()
    {
        QFETCH(int, deviceClass);
        QFETCH(QString, typeLine);
        QFETCH(QString, extension);
        QFETCH(QString, filter);
        const ProjectFileKind kind = projectFileKind(deviceClass);
        QCOMPARE(kind.typeLine, typeLine);
        QCOMPARE(kind.extension, extension);
        QCOMPARE(kind.filter, filter);
        QCOMPARE(deviceClassOfTypeLine(typeLine), deviceClass);
    }

    void foreignTypeLines()
    {
        for (const char *line : {"", "ZTL_VQ_40", "ztl_vq_30", "ZTL_VQ_30 ", " ZTL_VQ_30", "ZTL_VQ_3", "SensorSetting"})
            QVERIFY2(deviceClassOfTypeLine(QString::fromLatin1(line)) == -1, line);
        for (int invalid : {-1, 5})
            QVERIFY(!projectFileKind(invalid).isValid());

        // A whole file behind a foreign type line is not read at all.
        QByteArray bytes = bytesOf(golden("project_class30.VQ30"));
        bytes.replace("ZTL_VQ_30", "ZTL_VQ_31");
        QTextStream in(bytes);
        SensorDockState sensors{};
        sensors.fill(8);
        EditData data = untouched();
        QCOMPARE(readProjectFile(in, sensors, data), -1);
        QCOMPARE(sensors[26], 8);
        compareAreas(data, untouched());
    }

    void extensionRule_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("deviceClass");
        QTest::addColumn<QString>("saved");
        QTest::newRow("appended") << "/tmp/plan" << 3 << "/tmp/plan.VQ30";
        QTest::newRow("already there") << "/tmp/plan.VQ30" << 3 << "/tmp/plan.VQ30";
        QTest::newRow("case matters") << "plan.vq30" << 3 << "plan.vq30.VQ30";
        QTest::newRow("other class's extension") << "plan.VQ50" << 3 << "plan.VQ50.VQ30";
        QTest::newRow("class 50") << "plan" << 4 << "plan.VQ50";
        QTest::newRow("class 50, not again") << "plan.VQ50" << 4 << "plan.VQ50";
        QTest::newRow("class 05") << "a.b" << 0 << "a.b.VQ05";
    }
    void extensionRule()
    {
        QFETCH(QString, name);
        QFETCH(int, deviceClass);
        QFETCH(QString, saved);
        QCOMPARE(withProjectExtension(name, deviceClass), saved);
    }

    // The failure table: damaged files are read as far as they go.
    void damagedFiles()
    {
        const QByteArray whole = bytesOf(golden("project_class30.VQ30"));
        const int trailer = whole.indexOf("ZTL_LASER_VQ_INFORMATION");
        struct Case
        {
            const char *name;
            QByteArray bytes;
        };
        QByteArray noMarker = whole;
        noMarker.replace("SensorSetting\n", "");
        QByteArray badNumbers = whole;
        badNumbers.replace("SensorSetting\n5\n4\n", "SensorSetting\nfive\n\n");

        // No trailer: read as the whole file.
        {
            QTextStream in(whole.left(trailer));
            SensorDockState sensors{};
            EditData data = untouched();
            QCOMPARE(readProjectFile(in, sensors, data), 3);
            QCOMPARE(sensors, goldenSensors());
            compareAreas(data, goldenData());
        }
        // No "SensorSetting": every state 0, and the coordinate reader then
        // meets the end of the stream too.
        {
            QTextStream in(noMarker);
            SensorDockState sensors;
            sensors.fill(8);
            EditData data = untouched();
            QCOMPARE(readProjectFile(in, sensors, data), 3);
            QCOMPARE(sensors, SensorDockState{});
            compareAreas(data, untouched());
        }
        // Lines that are no numbers read 0.
        {
            QTextStream in(badNumbers);
            SensorDockState sensors{};
            EditData data;
            readProjectFile(in, sensors, data);
            SensorDockState expected = goldenSensors();
            expected[0] = expected[1] = 0;
            QCOMPARE(sensors, expected);
            compareAreas(data, goldenData());
        }
        // Cut inside the sensor section: the missing states read 0.
        {
            const QByteArray cut = whole.left(whole.indexOf("\n17\n") + 1);
            QTextStream in(cut);
            SensorDockState sensors;
            sensors.fill(8);
            EditData data = untouched();
            QCOMPARE(readProjectFile(in, sensors, data), 3);
            QCOMPARE(sensors, (SensorDockState{5, 4, 2, 1}));
            compareAreas(data, untouched());
        }
        // Cut in area 2's first point block: areas 0 and 1 arrive whole, area 2
        // has its numbers and kinds and no points, the rest are untouched.
        {
            const QByteArray cut = whole.left(whole.indexOf("4000,-10\n"));
            QTextStream in(cut);
            SensorDockState sensors{};
            EditData data = untouched();
            readProjectFile(in, sensors, data);
            EditData expected = untouched();
            expected.Areas[0] = goldenData().Areas[0];
            expected.Areas[1] = goldenData().Areas[1];
            expected.Areas[2] = goldenData().Areas[2];
            expected.Areas[2].Out1Points.clear();
            expected.Areas[2].Out2Points.clear();
            expected.Areas[2].Out3Points.clear();
            compareAreas(data, expected);
        }
    }

    void cutAnywhereNeverReadsBeyondTheFile()
    {
        // Every prefix of the file, in both line-end styles: the class is
        // always known from a complete first line, and no area gets a value
        // the file does not hold.
        const EditData all = goldenData();
        for (const char *name : {"project_class30.VQ30", "project_class30_crlf.VQ30"}) {
            const QByteArray whole = bytesOf(golden(name));
            for (int length = 0; length <= whole.size(); length += 7) {
                QTextStream in(whole.left(length));
                SensorDockState sensors{};
                EditData data;
                const int deviceClass = readProjectFile(in, sensors, data);
                QVERIFY(deviceClass == 3 || (deviceClass == -1 && length < 11));
                for (int i = 0; i < EditData::AreaCount; ++i) {
                    const AreaRecord &a = data.Areas[i];
                    for (int out = 0; out < EditData::OutputCount; ++out)
                        QVERIFY(a.points(out).size() <= all.Areas[i].points(out).size());
                }
            }
        }
    }
};

QTEST_GUILESS_MAIN(TstProjectFile)
#include "tst_projectfile.moc"
