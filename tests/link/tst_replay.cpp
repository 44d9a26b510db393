// A recording of the real emulator's stream, replayed into a second link,
// gives the very scans and IO values the live link gave, over the serial
// line and both Ethernet modes; a recording cut short plays up to the cut.

#include "editdata.h"
#include "emulatorprocess.h"
#include "linkdevices.h"
#include "linkrecorder.h"
#include "replayplayer.h"
#include "serial_comm.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>

namespace {
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
        link.attachRecorder(nullptr); // what the recording holds is what was seen
        recorder.stop();

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
};

QTEST_GUILESS_MAIN(TestReplay)
#include "tst_replay.moc"
