// Starts the real scanner-emulator program on loopback and talks to it over
// TCP, UDP and its pseudo-terminal with the link's own codec, and once with
// the link itself.

#include "areaframe.h"
#include "crc16.h"
#include "emulatorprocess.h"
#include "editdata.h"
#include "framing.h"
#include "livedata.h"
#include "scripteddialogs.h"
#include "serial_comm.h"
#include "shapekind.h"

#include <QNetworkDatagram>
#include <QProcess>
#include <QRegularExpression>
#include <QSerialPort>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUdpSocket>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {
// Sends a request and waits for the reply the link's receive loop would take.
template <typename Device>
std::optional<QByteArray> exchange(Device &device, QByteArray &rx, const QByteArray &request, Command reply,
                                   int connectionKind, int timeoutMs = 3000)
{
    if (!request.isEmpty())
        device.write(request);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < timeoutMs) {
        for (const ReceivedFrame &f : takeReplies(rx, connectionKind))
            if (f.command == reply)
                return f.bytes;
        if (device.bytesAvailable() == 0)
            device.waitForReadyRead(50);
        rx += device.readAll();
    }
    return std::nullopt;
}

// Collects HISN packets until the link's assembler completes a scan.
std::optional<LinkState> streamedScan(QTcpSocket &socket, QByteArray &rx)
{
    LinkState link;
    HisnAssembler assembler;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        for (const ReceivedFrame &f : takeReplies(rx, 1))
            if (f.command == Command::Hisn && assembler.add(decodeHisnPacket(f.bytes).value(), link, 60000))
                return link;
        if (socket.bytesAvailable() == 0)
            socket.waitForReadyRead(50);
        rx += socket.readAll();
    }
    return std::nullopt;
}

std::optional<QByteArray> udpExchange(QUdpSocket &udp, quint16 port, const QByteArray &request, int timeoutMs = 2000)
{
    udp.writeDatagram(request, QHostAddress::LocalHost, port);
    if (!udp.waitForReadyRead(timeoutMs))
        return std::nullopt;
    return udp.receiveDatagram().data();
}

AreaRecord guardArea()
{
    AreaRecord a;
    a.OpenDelay = 2;
    a.DetectionSize = 1;
    a.Out1Shape = Polygon;
    a.Out1Points = {{1000, 300}, {1000, 2500}, {-1000, 2500}, {-1000, 300}};
    a.Out2Shape = Arc;
    a.Out2Points = {{2000, 0}, {0, 3000}};
    a.Out3Shape = Fan;
    a.Out3Points = {{0, 1500}};
    return a;
}
} // namespace

class TestEmulatorProcess : public QObject
{
    Q_OBJECT

private slots:
    void configurationSurvivesRebootAndRestartOverTcp()
    {
        QTemporaryDir dir;
        const QString state = dir.filePath(QStringLiteral("scanner.json"));
        const QStringList args{QStringLiteral("--state"), state, QStringLiteral("--boot-pause"), QStringLiteral("400"),
                               QStringLiteral("--seed"), QStringLiteral("4")};
        auto emu = std::make_unique<Emulator>();
        QVERIFY(emu->start(args));
        QTcpSocket tcp;
        tcp.connectToHost(QHostAddress::LocalHost, emu->port);
        QVERIFY(tcp.waitForConnected(3000));
        QByteArray rx;

        const auto info = exchange(tcp, rx, encodeSimpleRequest(Command::RPrda), Command::RPrda, 1);
        QVERIFY(info);
        QCOMPARE(decodeProductReply(*info)->ProductType, quint16(9));

        const AreaRecord area = guardArea();
        const auto areaStatus = exchange(tcp, rx, encodeAreaBlock(Command::WArea, 7, area, false).frame, Command::WArea, 1);
        QCOMPARE(decodeStatusReply(areaStatus.value(), Command::WArea), std::optional<int>(0));
        CaseTable cases{};
        cases[7] = CaseFields{-20, 20, 0, 150, 3};
        const auto caseStatus = exchange(tcp, rx, encodeCaseTable(Command::WCase, cases), Command::WCase, 1);
        QCOMPARE(decodeStatusReply(caseStatus.value(), Command::WCase), std::optional<int>(0));
        SensorParameters params = decodeParameterBlock(
            exchange(tcp, rx, encodeSimpleRequest(Command::RPara), Command::RPara, 1).value(), Command::RPara).value();
        params.Words[14] = 1; // mounted reversed, from the next boot on
        params.Words[12] = 4; // 0.5 degree: 2 samples per degree
        const auto paraStatus = exchange(tcp, rx, encodeParameterBlock(Command::WPara, params), Command::WPara, 1);
        QCOMPARE(decodeStatusReply(paraStatus.value(), Command::WPara), std::optional<int>(0));

        const QByteArray served = exchange(tcp, rx, encodeRAreaRequest(7), Command::RArea, 1).value();
        QCOMPARE(served.mid(5), encodeAreaBlock(Command::RArea, 7, area, false).frame.mid(5));
        QCOMPARE(decodeCaseTable(exchange(tcp, rx, encodeSimpleRequest(Command::RCase), Command::RCase, 1).value(),
                                 Command::RCase),
                 std::optional<CaseTable>(cases));

        // Before the reboot: forward, the old resolution; scanner angle 0 looks at the right wall (4500 mm).
        tcp.write(encodeRAuto(1));
        std::optional<LinkState> scan = streamedScan(tcp, rx);
        QVERIFY(scan);
        QCOMPARE(scan->NetScanLength, 320 * 20);
        QVERIFY(std::abs(scan->NetDistances.at(70 * 20) - 4500) < 20);
        tcp.write(encodeRAuto(0));

        QVERIFY(exchange(tcp, rx, encodeSimpleRequest(Command::RBoot), Command::RBoot, 1));
        QTRY_VERIFY_WITH_TIMEOUT(tcp.state() == QAbstractSocket::UnconnectedState, 2000);
        QTcpSocket during;
        during.connectToHost(QHostAddress::LocalHost, emu->port);
        QVERIFY(!during.waitForConnected(150) || !during.waitForReadyRead(100));
        QTest::qWait(500);
        QTcpSocket after;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                after.abort();
                after.connectToHost(QHostAddress::LocalHost, emu->port);
                return after.waitForConnected(200);
            }(),
            3000);
        rx.clear();
        after.write(encodeRAuto(1));
        scan = streamedScan(after, rx);
        QVERIFY(scan);
        QCOMPARE(scan->NetScanLength, 320 * 2);
        // Reversed: the same beam now sees the left wall (3500 mm); the tool mirrors it back.
        QVERIFY(std::abs(scan->NetDistances.at(70 * 2) - 3500) < 20);
        after.write(encodeRAuto(0));
        after.flush();

        QTRY_VERIFY(emu->log().contains(QStringLiteral("-> HISN")));
        QVERIFY(emu->log().contains(QStringLiteral("<- RPrda 7 bytes")));
        QVERIFY(emu->log().contains(QStringLiteral("-> WPara 8 bytes")));
        emu.reset(); // terminated: the state file is written

        Emulator again;
        QVERIFY(again.start(args));
        QTcpSocket second;
        second.connectToHost(QHostAddress::LocalHost, again.port);
        QVERIFY(second.waitForConnected(3000));
        rx.clear();
        QCOMPARE(decodeParameterBlock(exchange(second, rx, encodeSimpleRequest(Command::RPara), Command::RPara, 1).value(),
                                      Command::RPara),
                 std::optional<SensorParameters>(params));
        QCOMPARE(exchange(second, rx, encodeRAreaRequest(7), Command::RArea, 1).value(), served);
    }

    void udpAndSerialLineAnswerTheSameFrames()
    {
        Emulator emu;
        QVERIFY(emu.start({QStringLiteral("--inputs"), QStringLiteral("5")}));
        QUdpSocket udp;
        QVERIFY(udp.bind(QHostAddress::LocalHost, 0));
        const auto para = udpExchange(udp, emu.port, encodeSimpleRequest(Command::RPara));
        QVERIFY(para);
        QCOMPARE(decodeParameterBlock(*para, Command::RPara)->Words[23], 200);
        SimulationFrame sim;
        const auto simu = udpExchange(udp, emu.port, encodeWSimuRequest(sim));
        QVERIFY(simu);
        const SimuStatus status = decodeSimuReply(*simu).value();
        QCOMPARE(status.InputStates, quint8(5)); // the wired inputs
        QCOMPARE(status.RotateSpeed, quint16(1200));

        QSerialPort serial(emu.pty);
        serial.setBaudRate(576000);
        QVERIFY2(serial.open(QIODevice::ReadWrite), qPrintable(serial.errorString()));
        QByteArray rx;
        const auto distances = exchange(serial, rx, encodeSimpleRequest(Command::RScan), Command::RScan, 0);
        QVERIFY(distances);
        const QVector<quint16> samples = decodeSamplesReply(*distances, Command::RScan).value();
        QVERIFY(std::abs(samples.at(139) - 4500) < 20); // sample 139: 0 degrees, the right wall
        // RStre is taken by its own parser on the serial line too.
        QVERIFY(exchange(serial, rx, encodeSimpleRequest(Command::RStre), Command::RStre, 0));
        sim.Mode = 1;
        sim.InputBits = 2;
        const auto viaSerial = exchange(serial, rx, encodeWSimuRequest(sim), Command::WSimu, 0);
        QCOMPARE(decodeSimuReply(viaSerial.value())->InputStates, quint8(2));
    }

    // UDP senders never disconnect: once enough others have spoken, a streaming
    // peer heard from longest ago is forgotten and no longer streamed to.
    void udpPeersAreBounded()
    {
        Emulator emu;
        QVERIFY(emu.start({}));
        QUdpSocket first;
        QVERIFY(first.bind(QHostAddress::LocalHost, 0));
        first.writeDatagram(encodeRAuto(1), QHostAddress::LocalHost, emu.port);
        QVERIFY(first.waitForReadyRead(3000)); // the stream runs

        std::vector<std::unique_ptr<QUdpSocket>> others;
        for (int i = 0; i < 7; ++i) {
            others.push_back(std::make_unique<QUdpSocket>());
            QVERIFY(others.back()->bind(QHostAddress::LocalHost, 0));
            QVERIFY(udpExchange(*others.back(), emu.port, encodeSimpleRequest(Command::RPara)));
        }
        QVERIFY(!emu.log().contains(QStringLiteral("forgotten"))); // eight peers fit
        QUdpSocket ninth;
        QVERIFY(ninth.bind(QHostAddress::LocalHost, 0));
        QVERIFY(udpExchange(ninth, emu.port, encodeSimpleRequest(Command::RPara)));
        QTRY_VERIFY(emu.log().contains(QStringLiteral(":%1 forgotten").arg(first.localPort())));

        QTest::qWait(100);
        while (first.hasPendingDatagrams())
            first.receiveDatagram();
        QVERIFY(!first.waitForReadyRead(600)); // nothing more reaches it
        // Speaking again makes it a peer again, and it is answered.
        QVERIFY(udpExchange(first, emu.port, encodeSimpleRequest(Command::RPara)));
    }

    void faultsAsAsked()
    {
        {
            Emulator emu;
            QVERIFY(emu.start({QStringLiteral("--corrupt-crc"), QStringLiteral("1")}));
            QUdpSocket udp;
            QVERIFY(udp.bind(QHostAddress::LocalHost, 0));
            const auto reply = udpExchange(udp, emu.port, encodeSimpleRequest(Command::RPara));
            QVERIFY(reply);
            QCOMPARE(reply->size(), kParameterFrameLength);
            QVERIFY(!hasValidCrc(*reply));
        }
        {
            Emulator emu;
            QVERIFY(emu.start({QStringLiteral("--reject"), QStringLiteral("WPara:2"), QStringLiteral("--split"),
                               QStringLiteral("1"), QStringLiteral("--stray"), QStringLiteral("1")}));
            QTcpSocket tcp;
            tcp.connectToHost(QHostAddress::LocalHost, emu.port);
            QVERIFY(tcp.waitForConnected(3000));
            QByteArray rx;
            const QByteArray write = encodeParameterBlock(Command::WPara, decodeParameterBlock(
                exchange(tcp, rx, encodeSimpleRequest(Command::RPara), Command::RPara, 1).value(), Command::RPara).value());
            QCOMPARE(decodeStatusReply(exchange(tcp, rx, write, Command::WPara, 1).value(), Command::WPara),
                     std::optional<int>(2));
            QCOMPARE(decodeStatusReply(exchange(tcp, rx, write, Command::WPara, 1).value(), Command::WPara),
                     std::optional<int>(0)); // the rule fired once
            QTRY_VERIFY(emu.log().contains(QStringLiteral("split in")));
        }
        {
            Emulator emu;
            QVERIFY(emu.start({QStringLiteral("--silent")}));
            QUdpSocket udp;
            QVERIFY(udp.bind(QHostAddress::LocalHost, 0));
            QVERIFY(!udpExchange(udp, emu.port, encodeSimpleRequest(Command::RPrda), 400));
            QTRY_VERIFY(emu.log().contains(QStringLiteral("<- RPrda")));
        }
    }

    // The tool's own link writes a whole configuration and reads it back.
    void linkWritesAndReadsAllOverThePseudoTerminal()
    {
        Emulator emu;
        QVERIFY(emu.start({QStringLiteral("--quiet")}));
        ScriptedDialogs dialogs;
        dialogs.defaultAnswer = 1; // "No" to the restart question
        LinkState link;
        EditData edit;
        SensorParameters params;
        ScanControl control;
        QSerialPort serial(emu.pty);
        QTcpSocket tcp;
        QUdpSocket udp;
        serial.setBaudRate(576000);
        QVERIFY(serial.open(QIODevice::ReadWrite));
        link.ConnectionKind = 0;
        SERIAL_COMM comm(&serial, &link, &edit, &params, &control, &tcp, &udp);
        comm.setLanguage(0);
        comm.ReadSensorAllDataSlots();
        QTRY_VERIFY_WITH_TIMEOUT(!comm.isRequested(SERIAL_COMM::InfoRequest)
                                     && !comm.isRequested(SERIAL_COMM::ReadAreasRequest),
                                 20000);
        QCOMPARE(params.Words[4], 127); // the factory block

        for (int i = 0; i < 64; ++i) {
            edit.Areas[i] = guardArea();
            edit.Areas[i].Out1Points[1].ry() += i;
            edit.Areas[i].SteerMinDgree = -i;
        }
        params.Words[22] = 3;
        const QVector<AreaRecord> written = edit.Areas;
        comm.WriteSensorAllDataSlots();
        QTRY_VERIFY_WITH_TIMEOUT(!comm.isRequested(SERIAL_COMM::WriteParamsRequest), 20000);
        edit.Areas = QVector<AreaRecord>(64);
        params = SensorParameters();
        comm.ReadSensorAllDataSlots();
        QTRY_VERIFY_WITH_TIMEOUT(!comm.isRequested(SERIAL_COMM::InfoRequest)
                                     && !comm.isRequested(SERIAL_COMM::ReadAreasRequest),
                                 20000);
        QCOMPARE(params.Words[22], 3);
        for (int i = 0; i < 64; ++i) {
            QCOMPARE(edit.Areas[i].Out1Points, written[i].Out1Points);
            QCOMPARE(edit.Areas[i].Out3Points, written[i].Out3Points);
            QCOMPARE(edit.Areas[i].SteerMinDgree, -i);
        }
        for (const ScriptedDialogs::Box &box : dialogs.boxes)
            QVERIFY2(box.icon != DialogSeam::Icon::Critical && box.icon != DialogSeam::Icon::Warning,
                     qPrintable(box.text));
    }
};

QTEST_GUILESS_MAIN(TestEmulatorProcess)
#include "tst_emulator_process.moc"
