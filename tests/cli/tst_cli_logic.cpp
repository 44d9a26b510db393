// The command-line tool's plain functions: the scanner address syntax and the
// sensor dock's rows against the scanner's parameter words.

#include "livedata.h"
#include "projectio.h"
#include "recording.h"
#include "scanneraddress.h"
#include "sensordockwords.h"
#include "shapekind.h"
#include "whatifreport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class TestCliLogic : public QObject
{
    Q_OBJECT
private slots:
    void addresses_data();
    void addresses();
    void dockRows_data();
    void dockRows();
    void whatIf_data();
    void whatIf();
};

void TestCliLogic::addresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("parsed"); // back in full form; empty when refused

    QTest::newRow("tcp, default port") << "tcp:192.168.1.10" << "tcp:192.168.1.10:8080";
    QTest::newRow("udp with port") << "udp:10.0.0.7:9000" << "udp:10.0.0.7:9000";
    QTest::newRow("IPv6 bare") << "tcp:fe80::1" << "tcp:[fe80::1]:8080";
    QTest::newRow("IPv6 with port") << "udp:[::1]:81" << "udp:[::1]:81";
    QTest::newRow("serial, default baud") << "serial:/dev/ttyUSB0" << "serial:/dev/ttyUSB0@576000";
    QTest::newRow("serial with baud") << "serial:/dev/pts/3@115200" << "serial:/dev/pts/3@115200";
    QTest::newRow("port 0") << "tcp:127.0.0.1:0" << "";
    QTest::newRow("port 65536") << "tcp:127.0.0.1:65536" << "";
    QTest::newRow("port with sign") << "tcp:127.0.0.1:+80" << "";
    QTest::newRow("empty port") << "tcp:127.0.0.1:" << "";
    QTest::newRow("host name") << "tcp:scanner" << "";
    QTest::newRow("wildcard") << "tcp:0.0.0.0" << "";
    QTest::newRow("multicast") << "udp:239.255.255.250" << "";
    QTest::newRow("no scheme") << "127.0.0.1:8080" << "";
    QTest::newRow("upper case scheme") << "TCP:127.0.0.1" << "";
    QTest::newRow("IPv6 bracket open") << "tcp:[::1:80" << "";
    QTest::newRow("serial, no device") << "serial:@9600" << "";
    QTest::newRow("serial, baud 0") << "serial:/dev/ttyS0@0" << "";
    QTest::newRow("serial, empty baud") << "serial:/dev/ttyS0@" << "";
}

void TestCliLogic::addresses()
{
    QFETCH(QString, text);
    QFETCH(QString, parsed);
    const ScannerAddress a = parseScannerAddress(text);
    QCOMPARE(a.isValid(), !parsed.isEmpty());
    QCOMPARE(a.text(), parsed);
}

void TestCliLogic::dockRows_data()
{
    QTest::addColumn<QVector<int>>("words"); // 25, as the scanner reports them
    QTest::addColumn<QVector<int>>("rows");  // 27, as the dock shows them and the file keeps them
    QTest::addColumn<QVector<int>>("back");  // the words the rows send (empty: the same as words)

    // Rows 18..21 are the octets of words 18 and 19; rows 22..26 are words 20..24.
    QTest::newRow("factory block")
        << QVector<int>{0, 0, 0, 0, 127, 0, 0, 0, 127, 0, 0, 1, 1, 0, 0, 2, 2, 0, 49320, 266, 0, 1, 1, 200, 500}
        << QVector<int>{0, 0, 0, 0, 127, 0, 0, 0, 127, 0, 0, 1, 1, 0, 0, 2, 2, 0, 192, 168, 1, 10, 0, 1, 1, 200, 500}
        << QVector<int>{};
    QTest::newRow("every word its own value")
        << QVector<int>{1, 2, 1, 0, 17, 3, 0, 2, 5, 2, 1, 1, 2, 2, 1, 1, 3, 1, 2561, 65279, 2, 3, 2, 300, 700}
        << QVector<int>{1, 2, 1, 0, 17, 3, 0, 2, 5, 2, 1, 1, 2, 2, 1, 1, 3, 1, 10, 1, 254, 255, 2, 3, 2, 300, 700}
        << QVector<int>{};
    // What the dock cannot show reads as the dock shows it instead.
    QTest::newRow("out of the lists")
        << QVector<int>{0, 0, 0, 0, 0, 0, 0, 0, 300, 0, 0, 2, 7, 4, 2, 0, 0, 0, 0, 0, 0, 0, 0, 2001, 9000}
        << QVector<int>{0, 0, 0, 0, 1, 0, 0, 0, 127, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 200, 500}
        << QVector<int>{0, 0, 0, 0, 1, 0, 0, 0, 127, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 200, 500};
    // The finest resolution runs only at the slower motor speed.
    QTest::newRow("finest resolution")
        << QVector<int>{0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}
        << QVector<int>{0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}
        << QVector<int>{0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
}

void TestCliLogic::dockRows()
{
    QFETCH(QVector<int>, words);
    QFETCH(QVector<int>, rows);
    QFETCH(QVector<int>, back);
    if (back.isEmpty())
        back = words;
    SensorParameters p;
    std::copy(words.begin(), words.end(), p.Words.begin());
    const SensorDockState shown = SensorDockWords::rowsOfWords(p);
    QCOMPARE(QVector<int>(shown.begin(), shown.end()), rows);
    const SensorParameters sent = SensorDockWords::wordsOfRows(shown, SensorParameters::defaults());
    QCOMPARE(QVector<int>(sent.Words.begin(), sent.Words.end()), back);
}

void TestCliLogic::whatIf_data()
{
    // Serial traffic, one chunk per word, 100 ms apart: rA:B an IO status
    // reply (area A, outputs B), sD a scan with an obstacle D mm ahead.
    QTest::addColumn<QString>("words");
    QTest::addColumn<int>("cut"); // bytes cut off the file's end
    QTest::addColumn<QStringList>("out");
    QTest::addColumn<QStringList>("err"); // %1: the recording's path
    QTest::addColumn<int>("status");

    QTest::newRow("agreement") << "r5:0 s1500 r5:3 s0 r5:0" << 0
                               << QStringList{"Out1: set 0.200 s | 0.000 s, 1 | 1 switchings",
                                              "Out2: set 0.200 s | 0.000 s, 1 | 1 switchings",
                                              "Out3: set 0.000 s | 0.000 s, 0 | 0 switchings",
                                              "2 scans, 2 judged by the scanner: the project agrees"}
                               << QStringList{} << 0;
    QTest::newRow("disagreement, cut short")
        << "r5:0 s1500 s2500 r5:1" << 5
        << QStringList{"Out1: set 0.100 s | 0.000 s, 1 | 0 switchings",
                       "  scan 2 at 0.200 s, area 5: outputs 0x02 | 0x01",
                       "Out2: set 0.100 s | 0.000 s, 0 | 0 switchings",
                       "  scan 2 at 0.200 s, area 5: outputs 0x02 | 0x01",
                       "Out3: set 0.000 s | 0.000 s, 0 | 0 switchings",
                       "2 scans, 1 judged by the scanner: 1 disagree"}
        << QStringList{"%1: The recording is incomplete; it plays up to where it breaks off."} << 2;
    QTest::newRow("nothing compared") << "s1500 s0" << 0
                                      << QStringList{"Out1: set 0.000 s | 0.000 s, 0 | 0 switchings",
                                                     "Out2: set 0.000 s | 0.000 s, 0 | 0 switchings",
                                                     "Out3: set 0.000 s | 0.000 s, 0 | 0 switchings",
                                                     "2 scans, none judged by the scanner: nothing compared "
                                                     "(record with the IO status asked for)"}
                                      << QStringList{} << 4;
    QTest::newRow("not a recording") << "" << 1000000 << QStringList{}
                                     << QStringList{"%1: This is not a recording."} << 2;
}

void TestCliLogic::whatIf()
{
    QFETCH(QString, words);
    QFETCH(int, cut);
    QFETCH(QStringList, out);
    QFETCH(QStringList, err);
    QFETCH(int, status);

    QTemporaryDir dir;
    const QString projectPath = dir.filePath(QStringLiteral("p.VQ30"));
    Configuration config;
    config.deviceClass = ProjectIo::deviceClassOfFileName(projectPath);
    // Area 5: Out1 a box 0.5 to 2 m ahead, Out2 a wider one to 3 m.
    config.areas[5].Out1Points = {{-500, 500}, {500, 500}, {500, 2000}, {-500, 2000}};
    config.areas[5].Out2Points = {{-1000, 300}, {1000, 300}, {1000, 3000}, {-1000, 3000}};
    QString error;
    QVERIFY2(ProjectIo::save(projectPath, config, 0, &error), qPrintable(error));

    QByteArray bytes = encodeRecordingPreamble() + encodeRecordingHeader(RecordingHeader());
    qint64 t = 0;
    for (const QString &w : words.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const int value = w.mid(1).section(QLatin1Char(':'), 0, 0).toInt();
        QByteArray frame;
        if (w.startsWith(QLatin1Char('r'))) {
            SimuStatus s;
            s.InputStates = quint8(value);
            s.OutputStates = quint8(w.section(QLatin1Char(':'), 1).toInt());
            frame = encodeSimuReply(s);
        } else {
            QVector<quint16> d(640, 0); // sample k at -69.5 + k / 2 degrees
            for (int k = 309; k <= 329; ++k)
                d[k] = quint16(value);
            frame = encodeSamplesReply(Command::RScan, d);
        }
        bytes += encodeRecordingChunk({false, t, frame});
        t += 100000;
    }
    bytes += encodeRecordingEnd(t);
    const QString recordingPath = dir.filePath(QStringLiteral("r.qmrec"));
    QFile file(recordingPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes.left(qMax(0, bytes.size() - cut)));
    file.close();

    const WhatIfReport report = whatIfReport(recordingPath, projectPath, false, 0);
    QCOMPARE(report.out, out);
    for (QString &line : err)
        line = line.arg(recordingPath);
    QCOMPARE(report.err, err);
    QCOMPARE(report.status, status);
    const QJsonValue equal = QJsonDocument::fromJson(whatIfReport(recordingPath, projectPath, true, 0).out.value(0).toUtf8())
                                 .object()
                                 .value(QStringLiteral("equal"));
    QCOMPARE(equal.isNull(), status == 4); // nothing compared is neither equal nor not
}

QTEST_GUILESS_MAIN(TestCliLogic)
#include "tst_cli_logic.moc"
