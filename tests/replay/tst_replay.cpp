// A recording of the real emulator's stream, replayed into a second link,
// gives the very scans and IO values the live link gave, over the serial
// line and both Ethernet modes; a recording cut short plays up to the cut.

#include "editdata.h"
#include "areaframe.h"
#include "emulatorprocess.h"
#include "emulatorstate.h"
#include "linkdevices.h"
#include "linkrecorder.h"
#include "replayplayer.h"
#include "serial_comm.h"
#include "shapekind.h"
#include "whatif.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>
#include <limits>

namespace {
// Area 0's Out1 as a plain polygon on the right of the obstacle's path
// (it crosses 2.2 m ahead, from x -2 m to 2 m and back), so the output
// switches as it comes and goes; margin mm taken off every side.
AreaRecord guardingArea(int margin)
{
    AreaRecord a;
    a.Out1Shape = Polygon;
    a.Out1Points = {{-500 + margin, 1500 + margin}, {2500 - margin, 1500 + margin},
                    {2500 - margin, 3000 - margin}, {-500 + margin, 3000 - margin}};
    return a;
}

// Starts the emulator with that area and records its stream, scans and IO
// status, on one link until enough of both came in.
bool recordEmulator(Emulator &emulator, int kind, const QString &dir, const QString &path, int ioReplies)
{
    EmulatorState state = EmulatorState::factory();
    state.areas[0] = encodeAreaBlock(Command::RArea, 0, guardingArea(0), false).frame;
    const QString stateFile = dir + QStringLiteral("/state.json");
    QString error;
    if (!state.save(stateFile, &error) || !emulator.start({QStringLiteral("-q"), QStringLiteral("--state"), stateFile}))
        return false;
    QSerialPort serial;
    QTcpSocket tcp;
    QUdpSocket udp;
    LinkState live;
    live.ConnectionKind = kind;
    EditData edit;
    SensorParameters params = SensorParameters::defaults();
    ScanControl control;
    SERIAL_COMM link(&serial, &live, &edit, &params, &control, &tcp, &udp);
    if (!(kind == 0 ? LinkDevices::openSerial(serial, emulator.pty, SerialLineSettings{576000})
                    : LinkDevices::openEthernet(tcp, udp, 0, QStringLiteral("127.0.0.1"), emulator.port)))
        return false;
    int replies = 0;
    QObject::connect(&link, &SERIAL_COMM::IOPortSignals, [&replies] { ++replies; });
    LinkRecorder recorder;
    RecordingHeader header;
    header.connectionKind = kind;
    if (!recorder.start(path, header))
        return false;
    link.attachRecorder(&recorder);
    link.OpenSendReadScanf();
    link.OpenSendReadSimulation();
    QElapsedTimer clock;
    clock.start();
    while (replies < ioReplies && clock.elapsed() < 30000)
        QTest::qWait(50);
    recorder.stop();
    return replies >= ioReplies;
}

// Everything the displays are given, in the order they are given it.
struct Observed
{
    QVector<QVector<quint16>> scans; // the scan buffer as the display reads it
    QVector<QVector<uint>> io;       // inputs, outputs, status, temperature, speed

    void watch(SERIAL_COMM &link, const LinkState &state)
    {
        QObject::connect(&link, &SERIAL_COMM::ReceiveScanfData, &link, [this, &state] {
            scans.append(state.ConnectionKind == 0 ? state.SerialDistances
                                                   : state.NetDistances.mid(0, state.NetScanLength));
        });
        QObject::connect(&link, &SERIAL_COMM::IOPortSignals, &link,
                         [this](uint in, uint out, uint status) { io.append({in, out, status}); });
        QObject::connect(&link, &SERIAL_COMM::SelfCheckStatus, &link,
                         [this](short t, ushort speed, ushort, ushort, ushort) {
                             io.append({uint(quint16(t)), uint(speed)});
                         });
    }
};
} // namespace

class TestReplay : public QObject
{
    Q_OBJECT
private slots:
    void replayEqualsLive_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("mode");
        QTest::newRow("serial line") << 0 << 0;
        QTest::newRow("TCP") << 1 << 0;
        QTest::newRow("UDP") << 1 << 1;
    }

    void replayEqualsLive()
    {
        QFETCH(int, kind);
        QFETCH(int, mode);
        Emulator emulator;
        QVERIFY(emulator.start({QStringLiteral("-q"), QStringLiteral("--inputs"), QStringLiteral("3")}));
        QSerialPort serial;
        QTcpSocket tcp;
        QUdpSocket udp;
        LinkState live;
        live.ConnectionKind = kind;
        live.EthernetMode = mode;
        EditData edit;
        SensorParameters params = SensorParameters::defaults();
        ScanControl control;
        SERIAL_COMM link(&serial, &live, &edit, &params, &control, &tcp, &udp);
        QVERIFY(kind == 0 ? LinkDevices::openSerial(serial, emulator.pty, SerialLineSettings{576000})
                          : LinkDevices::openEthernet(tcp, udp, mode, QStringLiteral("127.0.0.1"), emulator.port));
        Observed seen;
        seen.watch(link, live);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.qmrec"));
        LinkRecorder recorder;
        RecordingHeader header;
        header.connectionKind = kind;
        header.ethernetMode = mode;
        QVERIFY(recorder.start(path, header));
        link.attachRecorder(&recorder);
        link.OpenSendReadScanf();
        link.OpenSendReadSimulation();
        QTRY_VERIFY_WITH_TIMEOUT(seen.scans.size() >= 12 && seen.io.size() >= 8, 20000);
        // What the recording holds is what was seen: the live link hears no
        // more while the replay runs.
        link.attachRecorder(nullptr);
        recorder.stop();
        QObject::disconnect(&link, nullptr, &link, nullptr);
        LinkDevices::closeAll(serial, tcp, udp);

        // Replayed as fast as possible into a link with no device at all.
        LinkState replayed;
        EditData edit2;
        SERIAL_COMM link2(nullptr, &replayed, &edit2, &params, &control, nullptr, nullptr);
        Observed again;
        again.watch(link2, replayed);
        ReplayPlayer player(&link2, &replayed);
        QString message;
        QVERIFY(player.open(path, &message));
        QVERIFY2(message.isEmpty(), qPrintable(message));
        QCOMPARE(replayed.ConnectionKind, kind);
        player.setSpeed(ReplayPlayer::Fastest);
        QSignalSpy finished(&player, &ReplayPlayer::finished);
        player.play();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        QCOMPARE(again.scans.size(), seen.scans.size());
        QVERIFY(again.scans == seen.scans);
        QVERIFY(again.io == seen.io);

        // A step plays exactly one scan; a jump back to the start and a step
        // give the first scan again.
        player.seek(0);
        const int before = again.scans.size();
        player.step();
        QCOMPARE(again.scans.size(), before + 1);
        QVERIFY(again.scans.last() == seen.scans.first());

        // Cut in the middle of a record: plays up to the cut, says so once.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.resize(file.size() * 2 / 3 + 5));
        file.close();
        QObject::disconnect(&link2, nullptr, &link2, nullptr);
        again = Observed();
        again.watch(link2, replayed);
        QVERIFY(player.open(path, &message));
        QCOMPARE(message, recordingMessage(RecordingStatus::Cut, 0));
        player.setSpeed(ReplayPlayer::Fastest);
        finished.clear();
        player.play();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        QVERIFY(again.scans.size() > 0 && again.scans.size() < seen.scans.size());
        QVERIFY(again.scans == seen.scans.mid(0, again.scans.size()));
    }

    // Times far apart or near the ends of 64 bits: a gap longer than a timer
    // can wait is waited at its longest, not skipped nor turned into a
    // negative wait; the recording lasts at most MaxTimeUs.
    void extremeTimes()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("r.qmrec")));
        QByteArray bytes = encodeRecordingPreamble() + encodeRecordingHeader(RecordingHeader());
        for (const qint64 t : {std::numeric_limits<qint64>::min(), qint64(1000), 1000 + 30LL * 86400 * 1000000,
                               std::numeric_limits<qint64>::max()})
            bytes += encodeRecordingChunk({false, t, encodeSamplesReply(Command::RScan, QVector<quint16>(640, 1000))});
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes + encodeRecordingEnd(0)) > 0);
        file.close();
        LinkState state;
        EditData edit;
        SensorParameters params;
        ScanControl control;
        SERIAL_COMM link(nullptr, &state, &edit, &params, &control, nullptr, nullptr);
        ReplayPlayer player(&link, &state);
        QVERIFY(player.open(file.fileName(), nullptr));
        QCOMPARE(player.durationUs(), Recording::MaxTimeUs);
        static QStringList warnings;
        const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &text) { warnings << text; });
        player.play();
        QTest::qWait(100);
        qInstallMessageHandler(previous);
        QCOMPARE(warnings, QStringList());
        QVERIFY(player.isPlaying() && player.positionUs() == 1000);
        QSignalSpy finished(&player, &ReplayPlayer::finished);
        player.setSpeed(ReplayPlayer::Fastest);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(player.positionUs(), Recording::MaxTimeUs);
    }

    // The emulator is the oracle: judged with the very zones it guards with,
    // the recording agrees on every scan a reply judged, while the output
    // comes and goes. Drawn 500 mm smaller, the zone differs exactly where the
    // scanner saw the obstacle in the zone and the smaller zone does not.
    void whatIfAgreesWithTheEmulator_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("serial line") << 0;
        QTest::newRow("TCP") << 1;
    }

    void whatIfAgreesWithTheEmulator()
    {
        QFETCH(int, kind);
        Emulator emulator;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("r.qmrec"));
        QVERIFY(recordEmulator(emulator, kind, dir.path(), path, 60)); // about 12 s: a whole crossing
        QVector<AreaRecord> areas(64);
        areas[0] = guardingArea(0);
        const WhatIfResult same = whatIfOfRecording(path, areas, false);
        QVERIFY2(same.compared >= 40, qPrintable(QString::number(same.compared)));
        QCOMPARE(same.disagreeing, 0);
        int set = 0;
        for (const WhatIfScan &scan : same.scans)
            set += scan.compared && (scan.reported & 1);
        QVERIFY2(set > 0 && set < same.compared, qPrintable(QStringLiteral("%1 of %2").arg(set).arg(same.compared)));

        areas[0] = guardingArea(500);
        const WhatIfResult smaller = whatIfOfRecording(path, areas, false);
        QCOMPARE(smaller.scans.size(), same.scans.size());
        QVector<int> expected;
        for (int i = 0; i < smaller.scans.size(); ++i) {
            const WhatIfScan &s = smaller.scans.at(i);
            QVERIFY(!(s.project & 1) || (same.scans.at(i).project & 1)); // the smaller zone lies inside
            // What the scanner reported for a judged scan is what the same
            // zones gave there: they agree everywhere.
            if (s.compared && (same.scans.at(i).project & 1) && !(s.project & 1))
                expected << i;
        }
        QVERIFY(!expected.isEmpty());
        QCOMPARE(smaller.outputs[0].disagreements, expected);
        QCOMPARE(smaller.disagreeing, expected.size());
    }
};

QTEST_GUILESS_MAIN(TestReplay)
#include "tst_replay.moc"
