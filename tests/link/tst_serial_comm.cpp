#include "editdata.h"
#include "scripteddialogs.h"
#include "scriptedscanner.h"
#include "serial_comm.h"
#include "shapekind.h"

#include <QElapsedTimer>
#include <QSerialPort>
#include <QSignalSpy>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>

#include <memory>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

Q_DECLARE_METATYPE(Command)

namespace {
// Everything one link needs, with the records it shares.
struct Rig
{
    LinkState link;
    EditData edit;
    SensorParameters params;
    ScanControl control;
    QSerialPort serial;
    QTcpSocket tcp;
    QUdpSocket udp;
    ScriptedScanner scanner;
    std::unique_ptr<SERIAL_COMM> comm;

    void makeLink()
    {
        comm = std::make_unique<SERIAL_COMM>(&serial, &link, &edit, &params, &control, &tcp, &udp);
    }
};

// The link's TCP socket connected to a scripted scanner behind a QTcpServer.
struct TcpRig : Rig
{
    QTcpServer server;
    QTcpSocket *peer = nullptr;

    bool open()
    {
        if (!server.listen(QHostAddress::LocalHost, 0))
            return false;
        tcp.connectToHost(QHostAddress::LocalHost, server.serverPort());
        if (!tcp.waitForConnected(5000) || !server.waitForNewConnection(5000))
            return false;
        peer = server.nextPendingConnection();
        QObject::connect(peer, &QIODevice::readyRead, [this] { scanner.feed(peer->readAll()); });
        scanner.write = [this](const QByteArray &b) { peer->write(b); };
        link.ConnectionKind = 1;
        link.EthernetMode = 0;
        makeLink();
        return true;
    }
};

// The link's serial port on the slave side of a pseudo-terminal; the
// scanner talks on the master side.
struct PtyRig : Rig
{
    int master = -1;
    int slave = -1;
    std::unique_ptr<QSocketNotifier> notifier;

    ~PtyRig()
    {
        notifier.reset();
        serial.close();
        if (master >= 0)
            ::close(master);
        if (slave >= 0)
            ::close(slave);
    }

    bool open()
    {
        termios raw{};
        cfmakeraw(&raw);
        char name[256] = {};
        if (openpty(&master, &slave, name, &raw, nullptr) != 0)
            return false;
        serial.setPortName(QString::fromLocal8Bit(name));
        serial.setBaudRate(115200);
        if (!serial.open(QIODevice::ReadWrite))
            return false;
        notifier = std::make_unique<QSocketNotifier>(master, QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] {
            char buf[4096];
            const ssize_t n = ::read(master, buf, sizeof buf);
            if (n > 0)
                scanner.feed(QByteArray(buf, int(n)));
        });
        scanner.write = [this](const QByteArray &b) {
            for (qint64 done = 0; done < b.size();) {
                const ssize_t n = ::write(master, b.constData() + done, size_t(b.size() - done));
                if (n <= 0)
                    return;
                done += n;
            }
        };
        link.ConnectionKind = 0;
        makeLink();
        return true;
    }
};

// A HISN packet written out by hand: big-endian header (start and end angle,
// count A, closing value, count B), then each sample little-endian as both
// distance and intensity.
QByteArray hisnBytes(int start, int end, int closing, const QVector<int> &samples)
{
    const auto be = [](int v) { return QByteArray(1, char(v >> 8)) + char(v & 0xFF); };
    const auto le = [](int v) { return QByteArray(1, char(v & 0xFF)) + char(v >> 8); };
    QByteArray b = QByteArray("HISN") + be(start) + be(end) + be(samples.size()) + be(closing)
        + be(samples.size()) + be(0);
    for (int v : samples)
        b += le(v) + le(v);
    return b;
}

AreaRecord sampleArea(int i)
{
    AreaRecord a;
    a.OpenDelay = i % 26;
    a.CloseDelay = (i * 7) % 26;
    a.Hysteresis = i % 11;
    a.DetectionSize = i % 10;
    a.Out1Shape = i % 3 == 1 ? Rectangle : Polygon;
    a.Out1Points = i % 3 == 1 ? QVector<QPoint>{{300, 100 + i}, {-300, 100 + i}, {-300, 2000}, {300, 2000}}
                              : QVector<QPoint>{{1000 + i, 0}, {500, 500}, {0, 2000}, {-1500, -i}};
    a.Out2Shape = Arc;
    a.Out2Points = {{3000, 0}, {0, 3000}};
    a.Out3Shape = Straight + i % 3;
    a.Out3Points = {{0, 4000 + i}};
    return a;
}
} // namespace

class TestSerialComm : public QObject
{
    Q_OBJECT
private slots:
    void init() { m_dialogs = std::make_unique<ScriptedDialogs>(); }
    void cleanup() { m_dialogs.reset(); }

    // Every request raised at once: one frame at a time, in priority order,
    // none sent while a reply is outstanding.
    void schedulerServesFlagsByPriorityOneAtATime()
    {
        TcpRig rig;
        QVERIFY(rig.open());
        for (int i = 0; i < 64; ++i)
            rig.edit.Areas[i] = sampleArea(i);
        rig.comm->setIntervalsForTest(1, SERIAL_COMM::OvertimeInterval);
        rig.scanner.replyDelayMs = 5; // several scheduler ticks per exchange
        m_dialogs->defaultAnswer = 1; // "No" to the restart question
        for (int r = 0; r < SERIAL_COMM::RequestCount; ++r)
            rig.comm->raiseRequest(SERIAL_COMM::Request(r));

        QVector<Command> expected{Command::RBoot, Command::RPara};
        expected << QVector<Command>(64, Command::WArea) << Command::RCase << Command::WCase << Command::RPrda
                 << QVector<Command>(64, Command::RArea) << Command::RPrda << Command::WPara << Command::WSimu
                 << Command::SCtrl << Command::RAuto;
        QTRY_COMPARE_WITH_TIMEOUT(rig.scanner.requests.size(), expected.size(), 30000);
        QTest::qWait(50);
        QCOMPARE(rig.scanner.commands(), expected);
        QCOMPARE(rig.scanner.requestsWhileBusy, 0);
        QCOMPARE(decodeRAuto(rig.scanner.requests.last().bytes), std::optional<int>(1));
        for (int i = 0; i < 64; ++i) {
            QCOMPARE(decodeAreaBlock(rig.scanner.requests[2 + i].bytes, Command::WArea)->Index, i);
            QCOMPARE(*decodeRAreaRequest(rig.scanner.requests[69 + i].bytes), i);
        }
        for (int r = 0; r < SERIAL_COMM::RequestCount; ++r)
            QVERIFY2(!rig.comm->isRequested(SERIAL_COMM::Request(r)), qPrintable(QString::number(r)));
        QCOMPARE(rig.comm->pendingCommand(), 0);
        for (const ScriptedDialogs::Box &box : m_dialogs->boxes)
            QVERIFY2(box.icon != DialogSeam::Icon::Warning, qPrintable(box.text));
    }

    void threeTimeoutsThenAReplyGiveNoWarning()
    {
        TcpRig rig;
        QVERIFY(rig.open());
        rig.comm->setIntervalsForTest(SERIAL_COMM::SendInterval, 150);
        rig.scanner.ignoreNext = 3;
        rig.comm->raiseRequest(SERIAL_COMM::ReadParamsRequest);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.comm->isRequested(SERIAL_COMM::ReadParamsRequest), 5000);
        QCOMPARE(rig.scanner.commands(), QVector<Command>(4, Command::RPara));
        QCOMPARE(rig.comm->retryCount(), 0);
        QVERIFY(!rig.comm->isTimeoutRunning());
        QTest::qWait(150);
        QVERIFY(m_dialogs->boxes.isEmpty());
    }

    void fourthTimeoutWarnsOnceAndClearsEverything_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("English") << 0 << "Warning" << "Connect OverTimer, Check Connect";
        QTest::newRow("Chinese") << 1 << "警告" << "读写参数超时,请检查连接";
    }
    void fourthTimeoutWarnsOnceAndClearsEverything()
    {
        QFETCH(int, language);
        QFETCH(QString, title);
        QFETCH(QString, text);
        TcpRig rig;
        QVERIFY(rig.open());
        rig.comm->setLanguage(language);
        rig.comm->setIntervalsForTest(SERIAL_COMM::SendInterval, 150);
        rig.scanner.ignoreNext = 1000;
        rig.comm->raiseRequest(SERIAL_COMM::ReadParamsRequest);
        rig.comm->raiseRequest(SERIAL_COMM::ScanRequest);
        rig.comm->OpenSendReadSimulation();
        QTRY_COMPARE_WITH_TIMEOUT(m_dialogs->boxes.size(), 1, 5000);
        QCOMPARE(m_dialogs->boxes[0].title, title);
        QCOMPARE(m_dialogs->boxes[0].text, text);
        QCOMPARE(m_dialogs->boxes[0].icon, DialogSeam::Icon::Warning);
        QCOMPARE(rig.scanner.commands(), QVector<Command>(4, Command::RPara));
        for (int r = 0; r < SERIAL_COMM::RequestCount; ++r)
            QVERIFY(!rig.comm->isRequested(SERIAL_COMM::Request(r)));
        QCOMPARE(rig.comm->retryCount(), 0);
        QVERIFY(!rig.comm->isTimeoutRunning());
        QTest::qWait(300); // the simulation stream was stopped too: nothing more goes out
        QCOMPARE(rig.scanner.requests.size(), 4);
        QCOMPARE(m_dialogs->boxes.size(), 1);
    }

    // The real intervals: a request unanswered for 2000 ms goes out again.
    void unansweredRequestIsResentAfterTwoSeconds()
    {
        TcpRig rig;
        QVERIFY(rig.open());
        rig.scanner.ignoreNext = 1;
        QElapsedTimer clock;
        QVector<qint64> sentAt;
        QObject::connect(rig.peer, &QIODevice::readyRead, [&] { sentAt << clock.elapsed(); });
        clock.start();
        rig.comm->raiseRequest(SERIAL_COMM::InfoRequest);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.comm->isRequested(SERIAL_COMM::InfoRequest), 6000);
        QCOMPARE(rig.scanner.commands(), QVector<Command>(2, Command::RPrda));
        QCOMPARE(sentAt.size(), 2);
        QVERIFY2(sentAt[0] <= 1000, qPrintable(QString::number(sentAt[0])));
        const qint64 gap = sentAt[1] - sentAt[0];
        // Arrival times: a busy machine may delay the first delivery a little.
        QVERIFY2(gap >= 1800 && gap <= 4000, qPrintable(QString::number(gap)));
        QCOMPARE(rig.comm->retryCount(), 0);
    }

    // Replies arrive over TCP in pieces, behind stray bytes, two at once.
    void receiveLoopOverTcp()
    {
        TcpRig rig;
        QVERIFY(rig.open());
        QSignalSpy params(rig.comm.get(), &SERIAL_COMM::ReceiveParameters);
        QSignalSpy dir(rig.comm.get(), &SERIAL_COMM::DirChangeSignals);
        SensorParameters p;
        p.Words[14] = 1;
        p.Words[3] = 2;
        const QByteArray reply = encodeParameterBlock(Command::RPara, p);

        rig.peer->write(QByteArray("junk") + reply.left(30));
        rig.peer->flush();
        QTest::qWait(50);
        QCOMPARE(params.count(), 0);
        rig.peer->write(reply.mid(30));
        QTRY_COMPARE(params.count(), 1);
        QCOMPARE(rig.params, p);
        QVERIFY(rig.link.DirectionReversed);
        QCOMPARE(dir.count(), 1);
        QCOMPARE(dir[0][0].toBool(), true);
        QCOMPARE(rig.comm->receiveBuffer(), QByteArray("junk"));

        SimuStatus s1;
        s1.Status = 1;
        SimuStatus s2;
        s2.Status = 2;
        QSignalSpy io(rig.comm.get(), &SERIAL_COMM::IOPortSignals);
        rig.peer->write(encodeSimuReply(s1) + encodeSimuReply(s2));
        QTRY_COMPARE(io.count(), 1);
        QTest::qWait(50);
        QCOMPARE(io.count(), 1); // the second waits for the next read
        rig.peer->write("!");
        QTRY_COMPARE(io.count(), 2);
        QCOMPARE(io[1][2].toUInt(), 2u);
        QCOMPARE(rig.comm->receiveBuffer(), QByteArray("junk!"));

        rig.comm->CloseSerialPortSlots();
        QVERIFY(rig.comm->receiveBuffer().isEmpty());
    }

    void bufferLimitOnTheLink()
    {
        Rig rig;
        rig.makeLink();
        QSignalSpy io(rig.comm.get(), &SERIAL_COMM::IOPortSignals);
        const QByteArray reply = encodeSimuReply(SimuStatus());
        rig.comm->receiveBytes(QByteArray(49999 - reply.size(), 'x') + reply);
        QCOMPARE(io.count(), 1);
        rig.comm->CloseSerialPortSlots();
        rig.comm->receiveBytes(QByteArray(50000 - reply.size(), 'x') + reply);
        QCOMPARE(io.count(), 0 + 1);
        QVERIFY(rig.comm->receiveBuffer().isEmpty());
    }

    // Read-all over a serial line: parameters, case table, 64 areas, then the
    // product information, and the model ends up as the scanner holds it.
    void readAllOverAPseudoTerminal()
    {
        PtyRig rig;
        QVERIFY(rig.open());
        rig.comm->setIntervalsForTest(1, SERIAL_COMM::OvertimeInterval);
        QVector<AreaRecord> scannerAreas(64);
        for (int i = 0; i < 64; ++i) {
            scannerAreas[i] = sampleArea(i);
            rig.scanner.cases[size_t(i)] = {qint16(-i), qint16(i), qint16(-300), qint16(300), qint16(i % 5)};
        }
        rig.scanner.params.Words[14] = 1; // mounted reversed: areas travel mirrored
        rig.scanner.serveAreas(scannerAreas, true);
        QSignalSpy type(rig.comm.get(), &SERIAL_COMM::SensorTypeSignal);

        rig.comm->ReadSensorAllDataSlots();
        QTRY_COMPARE_WITH_TIMEOUT(type.count(), 1, 30000);
        QVector<Command> expected{Command::RPara, Command::RCase};
        expected << QVector<Command>(64, Command::RArea) << Command::RPrda;
        QCOMPARE(rig.scanner.commands(), expected);
        QCOMPARE(type[0][0].toInt(), 9);
        QVERIFY(rig.link.DirectionReversed);
        for (int i = 0; i < 64; ++i) {
            const AreaRecord &got = rig.edit.Areas[i];
            QCOMPARE(got.SteerMinDgree, -i);
            QCOMPARE(got.VehicleOptionMode, i % 5);
            QCOMPARE(got.Out1Shape, scannerAreas[i].Out1Shape);
            QCOMPARE(got.Out1Points.size(), 4);
            QCOMPARE(got.Out3Points, scannerAreas[i].Out3Points);
            QCOMPARE(got.Out2Points.size(), 2);
        }
        // One modeless message, no product box (the RPrda was silent), and the
        // progress ran to the end under its title.
        QCOMPARE(m_dialogs->boxes.size(), 1);
        QVERIFY(m_dialogs->boxes[0].modeless);
        QCOMPARE(m_dialogs->boxes[0].text, QStringLiteral("Parameters Read OK!"));
        QCOMPARE(m_dialogs->progressTitle, QStringLiteral("Upload Data"));
        QCOMPARE(m_dialogs->progressValue, 64);
        QVERIFY(!m_dialogs->progressVisible);
    }

    void liveScanOverAPseudoTerminal()
    {
        PtyRig rig;
        QVERIFY(rig.open());
        rig.comm->setDeviceClass(0); // 6000 mm
        for (int k = 0; k < 640; ++k)
            rig.scanner.scan[k] = quint16(k);
        rig.scanner.scan[0] = 65535;
        QSignalSpy scans(rig.comm.get(), &SERIAL_COMM::ReceiveScanfData);
        rig.comm->raiseRequest(SERIAL_COMM::ScanRequest);
        QTRY_COMPARE(scans.count(), 1);
        QCOMPARE(rig.link.SerialDistances[639], quint16(6000));
        QCOMPARE(rig.link.SerialDistances[0], quint16(639));
        QVERIFY(!rig.comm->isRequested(SERIAL_COMM::ScanRequest));
    }

    // Every HISN sample, distance and intensity alike, is limited to the
    // class's range on its way into the rings; a value at the limit is kept.
    void hisnSamplesAreLimitedToTheClassRange_data()
    {
        QTest::addColumn<int>("deviceClass"); // -1: none set, the link's default
        QTest::addColumn<int>("sample");
        QTest::addColumn<int>("stored");
        QTest::newRow("class 0, 65535") << 0 << 65535 << 6000;
        QTest::newRow("class 0, at the limit") << 0 << 6000 << 6000;
        QTest::newRow("class 0, one above") << 0 << 6001 << 6000;
        QTest::newRow("class 0, one below") << 0 << 5999 << 5999;
        QTest::newRow("class 1, one above") << 1 << 12001 << 12000;
        QTest::newRow("class 2, 30000") << 2 << 30000 << 24000;
        QTest::newRow("class 3, at the limit") << 3 << 36000 << 36000;
        QTest::newRow("class 4, 65535") << 4 << 65535 << 60000;
        QTest::newRow("default, one above") << -1 << 60001 << 60000;
        QTest::newRow("default, at the limit") << -1 << 60000 << 60000;
    }
    void hisnSamplesAreLimitedToTheClassRange()
    {
        QFETCH(int, deviceClass);
        QFETCH(int, sample);
        QFETCH(int, stored);
        Rig rig;
        rig.link.ConnectionKind = 1;
        rig.makeLink();
        if (deviceClass >= 0)
            rig.comm->setDeviceClass(deviceClass);
        // One packet of 3 points: the sample between two small ones.
        rig.comm->receiveBytes(hisnBytes(20, 40, 0, {7, sample, 9}));
        QVERIFY(rig.comm->receiveBuffer().isEmpty());
        QCOMPARE(int(rig.link.NetRingDistances[1]), stored);
        QCOMPARE(int(rig.link.NetRingIntensities[1]), stored);
        QCOMPARE(int(rig.link.NetRingDistances[0]), 7);
        QCOMPARE(int(rig.link.NetRingIntensities[2]), 9);
    }

    // The densest stream, 0.025 degree: 16 packets of 800 points, 51,456
    // bytes a scan, which a scanner may write at once. Reads that large must
    // not trip the buffer rule and lose the scan.
    void denseScansArrivingAtOnceAreNotLost()
    {
        TcpRig rig;
        QVERIFY(rig.open());
        QSignalSpy scans(rig.comm.get(), &SERIAL_COMM::ReceiveScanfData);
        QByteArray scan;
        for (int start = 20; start < 340; start += 20)
            scan += hisnBytes(start, start + 20, start + 20 == 340 ? 800 : 0, QVector<int>(800, 1500 + start));
        QCOMPARE(scan.size(), 51456);
        rig.peer->write(scan + scan + scan); // the first scan only sets the resolution
        rig.peer->flush();
        QTRY_COMPARE(scans.count(), 2);
        QCOMPARE(rig.link.NetScanLength, 12800);
        QCOMPARE(int(rig.link.NetDistances[12799]), 1500 + 320);
        QVERIFY(rig.comm->receiveBuffer().isEmpty());
    }

    // Write-all: the scanner decodes exactly what the model holds, read with
    // the install direction of the parameter block written with it, whatever
    // the scanner reported before.
    void writeAllDeliversTheModel_data()
    {
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<bool>("scannerSaid");
        QTest::newRow("forward") << false << false;
        QTest::newRow("turned to reversed in the dock") << true << false;
        QTest::newRow("turned to forward in the dock") << false << true;
    }
    void writeAllDeliversTheModel()
    {
        QFETCH(bool, reversed);
        QFETCH(bool, scannerSaid);
        TcpRig rig;
        QVERIFY(rig.open());
        rig.comm->setIntervalsForTest(1, SERIAL_COMM::OvertimeInterval);
        for (int i = 0; i < 64; ++i) {
            rig.edit.Areas[i] = sampleArea(i);
            rig.edit.Areas[i].SteerMaxDgree = 100 + i;
        }
        rig.params.Words[23] = 2000;
        rig.params.Words[SensorParameters::InstallDirectionWord] = reversed;
        rig.link.DirectionReversed = scannerSaid;
        m_dialogs->defaultAnswer = 1; // "No" to the restart question
        rig.comm->WriteSensorAllDataSlots();
        QCOMPARE(rig.scanner.requests.size(), 0); // TCP: RAuto 0 goes out at once
        QTRY_VERIFY_WITH_TIMEOUT(!rig.comm->isRequested(SERIAL_COMM::WriteParamsRequest), 30000);
        const QVector<Command> got = rig.scanner.commands();
        QCOMPARE(got.first(), Command::RAuto);
        QCOMPARE(got.size(), 1 + 64 + 2);
        QCOMPARE(rig.scanner.params.Words[23], 2000);
        QCOMPARE(int(rig.scanner.cases[40].SteerMaxDgree), 140);
        for (int i = 0; i < 64; ++i) {
            AreaRecord back;
            applyAreaBlock(*decodeAreaBlock(rig.scanner.areaBlocks[i], Command::WArea), reversed, back);
            QCOMPARE(back.Out3Points, rig.edit.Areas[i].Out3Points);
            QVector<QPoint> sent = rig.edit.Areas[i].Out1Points;
            for (QVector<QPoint> *points : {&sent, &back.Out1Points})
                std::sort(points->begin(), points->end(),
                          [](QPoint p, QPoint q) { return std::make_pair(p.x(), p.y()) < std::make_pair(q.x(), q.y()); });
            QCOMPARE(back.Out1Points, sent);
            QCOMPARE(back.DetectionSize, rig.edit.Areas[i].DetectionSize);
        }
    }

    // A write of what differs sends only the areas named, in order, then the
    // case table and the parameter block if asked, and ends with the
    // messages of a write-all also without a parameter block; a rejected
    // case table ends it without them; nothing named sends nothing.
    void writeSelectedSendsOnlyWhatIsNamed_data()
    {
        QTest::addColumn<QVector<int>>("areas");
        QTest::addColumn<bool>("cases");
        QTest::addColumn<bool>("params");
        QTest::addColumn<int>("caseStatus");
        QTest::addColumn<QVector<Command>>("sent");
        QTest::addColumn<int>("boxes"); // written, restart question
        const Command A = Command::WArea, C = Command::WCase, P = Command::WPara;
        QTest::newRow("areas 63 and 2") << QVector<int>{63, 2} << false << false << 0 << QVector<Command>{A, A} << 2;
        QTest::newRow("area 0, case table, parameters")
            << QVector<int>{0} << true << true << 0 << QVector<Command>{A, C, P} << 2;
        QTest::newRow("case table rejected") << QVector<int>{} << true << false << 1 << QVector<Command>{C} << 1;
        QTest::newRow("nothing") << QVector<int>{-1, 64} << false << false << 0 << QVector<Command>{} << 0;
    }
    void writeSelectedSendsOnlyWhatIsNamed()
    {
        QFETCH(QVector<int>, areas);
        QFETCH(bool, cases);
        QFETCH(bool, params);
        QFETCH(int, caseStatus);
        QFETCH(QVector<Command>, sent);
        QFETCH(int, boxes);
        TcpRig rig;
        QVERIFY(rig.open());
        rig.comm->setIntervalsForTest(1, SERIAL_COMM::OvertimeInterval);
        rig.scanner.writeCaseStatus = caseStatus;
        m_dialogs->defaultAnswer = 1; // "No" to the restart question
        QSignalSpy finished(rig.comm.get(), &SERIAL_COMM::WriteFinished);
        QCOMPARE(rig.comm->writeSelected(areas, cases, params), !sent.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(!rig.comm->transferRunning() && m_dialogs->boxes.size() >= boxes, 10000);
        QTest::qWait(50);
        QVector<Command> got = rig.scanner.commands();
        got.removeAll(Command::RAuto);
        QCOMPARE(got, sent);
        if (!sent.isEmpty() && sent.first() == Command::WArea)
            QCOMPARE(rig.scanner.requests[1].bytes.at(5), char(areas.first() == 63 ? 2 : 0));
        QCOMPARE(m_dialogs->boxes.size(), boxes);
        QCOMPARE(finished.count(), boxes == 2 ? 1 : 0);
        // A write-all afterwards writes every area again.
        rig.comm->WriteSensorAllDataSlots();
        QTRY_VERIFY_WITH_TIMEOUT(!rig.comm->transferRunning(), 30000);
        QCOMPARE(rig.scanner.commands().count(Command::WArea), sent.count(Command::WArea) + 64);
    }

    // A reply naming another area than the one asked for counts for nothing:
    // the read stalls there and gives up, area 63 keeps what it held, and a
    // read into the copy ends unfinished and leaves the project alone.
    void misnamedAreaReplyEndsTheReadUnfinished_data()
    {
        QTest::addColumn<bool>("copy");
        QTest::newRow("into the project") << false;
        QTest::newRow("into the copy") << true;
    }
    void misnamedAreaReplyEndsTheReadUnfinished()
    {
        QFETCH(bool, copy);
        TcpRig rig;
        QVERIFY(rig.open());
        rig.comm->setIntervalsForTest(1, 300);
        rig.scanner.areaBlocks[63][5] = char(64);
        rig.scanner.areaBlocks[62] = encodeAreaBlock(Command::RArea, 62, sampleArea(62), false).frame;
        rig.edit.Areas[63].OpenDelay = 7;
        const SensorParameters words = rig.params;
        QSignalSpy read(rig.comm.get(), &SERIAL_COMM::ReceiveAreaData);
        QSignalSpy copied(rig.comm.get(), &SERIAL_COMM::ReadCopyFinished);
        const int boxes = m_dialogs->boxes.size();
        if (copy)
            QVERIFY(rig.comm->ReadSensorAllDataIntoCopy());
        else
            rig.comm->ReadSensorAllDataSlots();
        QTRY_VERIFY_WITH_TIMEOUT(m_dialogs->boxes.size() > boxes && !rig.comm->transferRunning(), 20000);
        QCOMPARE(read.count(), 0);
        QCOMPARE(copied.count(), copy ? 1 : 0);
        QVERIFY(!copy || !copied[0][0].toBool());
        QCOMPARE(rig.edit.Areas[63].OpenDelay, 7);
        QCOMPARE(rig.edit.Areas[62] == AreaRecord(), copy);
        QVERIFY(rig.params == words || !copy);
    }

    // A zone the scanner cannot hold stops the download before its first frame.
    void unsendableAreaRefusesTheWholeDownload()
    {
        TcpRig rig;
        QVERIFY(rig.open());
        rig.link.EthernetMode = 0;
        for (int i = 0; i < 101; ++i)
            rig.edit.Areas[12].Out3Points << QPoint(1000 + i, i * 10);
        rig.comm->WriteSensorAllDataSlots();
        QCOMPARE(m_dialogs->boxes.size(), 1);
        QVERIFY(m_dialogs->boxes[0].text.contains(QStringLiteral("Area 12, Out3 has 101 points")));
        QVERIFY(!rig.comm->isRequested(SERIAL_COMM::WriteAreasRequest));
        QVERIFY(!rig.comm->isRequested(SERIAL_COMM::WriteParamsRequest));
        QTest::qWait(100);
        QVERIFY(rig.scanner.requests.isEmpty());

        // A zone spoilt after the check is still never sent: the transfer stops there.
        rig.edit.Areas[12].Out3Points.clear();
        rig.comm->setIntervalsForTest(1, SERIAL_COMM::OvertimeInterval);
        rig.comm->WriteSensorAllDataSlots();
        QCOMPARE(m_dialogs->boxes.size(), 1);
        rig.edit.Areas[3].Out1Points = {{0, 70000}};
        QTRY_COMPARE(m_dialogs->boxes.size(), 2);
        QVERIFY(m_dialogs->boxes[1].text.contains(QStringLiteral("Area 3, Out1, point 1")));
        QTest::qWait(50);
        QCOMPARE(rig.scanner.commands(), (QVector<Command>{Command::RAuto, Command::WArea, Command::WArea,
                                                           Command::WArea}));
        QVERIFY(!rig.comm->isRequested(SERIAL_COMM::WriteAreasRequest));
        QVERIFY(!rig.comm->isRequested(SERIAL_COMM::WriteCasesRequest));
        QVERIFY(!rig.comm->isRequested(SERIAL_COMM::WriteParamsRequest));
    }

    void simulationOverUdp()
    {
        Rig rig;
        QUdpSocket scanner;
        QVERIFY(scanner.bind(QHostAddress::LocalHost, 0));
        QVERIFY(rig.udp.bind(QHostAddress::LocalHost, 0));
        rig.udp.connectToHost(QHostAddress::LocalHost, scanner.localPort());
        QVERIFY(rig.udp.waitForConnected(3000));
        QObject::connect(&scanner, &QUdpSocket::readyRead, [&] {
            while (scanner.hasPendingDatagrams()) {
                QByteArray d(int(scanner.pendingDatagramSize()), '\0');
                QHostAddress from;
                quint16 port = 0;
                scanner.readDatagram(d.data(), d.size(), &from, &port);
                rig.scanner.write = [&, from, port](const QByteArray &b) { scanner.writeDatagram(b, from, port); };
                rig.scanner.feed(d);
            }
        });
        rig.link.ConnectionKind = 1;
        rig.link.EthernetMode = 1;
        rig.makeLink();
        rig.edit.SignalSimulation = true;
        rig.edit.InputBits = 5;
        rig.edit.SimDegree = -180;
        rig.scanner.simu.InputStates = 0x81;
        rig.scanner.simu.Status = 7;
        rig.scanner.simu.SensorTemper = -5;
        QSignalSpy selfCheck(rig.comm.get(), &SERIAL_COMM::SelfCheckStatus);
        QSignalSpy io(rig.comm.get(), &SERIAL_COMM::IOPortSignals);
        rig.comm->raiseRequest(SERIAL_COMM::SimulationRequest);
        QTRY_COMPARE(io.count(), 1);
        QCOMPARE(selfCheck.count(), 1);
        QCOMPARE(selfCheck[0][0].value<short>(), short(-5));
        QCOMPARE(io[0][0].toUInt(), 0xFFFFFF81u);
        QCOMPARE(io[0][2].toUInt(), 7u);
        QCOMPARE(int(rig.scanner.lastSimulation.Mode), 1);
        QCOMPARE(rig.scanner.lastSimulation.SimDegree, qint16(-180));
    }

    // What each transfer tells the user, in both languages and in neither,
    // and what the restart question's answer sends next.
    void transferBoxes_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("request");
        QTest::addColumn<int>("status"); // of the write reply
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("boxes"); // title|text|buttons, in order
        QTest::addColumn<bool>("rebootSent");
        using R = SERIAL_COMM;
        QTest::newRow("area rejected") << 0 << int(R::WriteAreasRequest) << 1 << 0
                                       << QStringList{"Message|Parameters Setting Error|OK"} << false;
        QTest::newRow("area flash zh") << 1 << int(R::WriteAreasRequest) << 2 << 0
                                       << QStringList{"错误|内存写入错误|OK"} << false;
        QTest::newRow("case rejected zh") << 1 << int(R::WriteCasesRequest) << 1 << 0
                                          << QStringList{"错误|参数设置异常|OK"} << false;
        QTest::newRow("params flash") << 0 << int(R::WriteParamsRequest) << 2 << 0
                                      << QStringList{"Message|FLASH Write Error|OK"} << false;
        QTest::newRow("params ok, no restart zh")
            << 1 << int(R::WriteParamsRequest) << 0 << 1
            << QStringList{"提示|参数写入完成，请重启生效！|OK", "提示|是否重启传感器?|确定,取消"} << false;
        QTest::newRow("params ok, restart")
            << 0 << int(R::WriteParamsRequest) << 0 << 0
            << QStringList{"Message|Parameters Write Complete|OK", "Message|Do you restart?|Yes,No",
                           "Message|Sensor Reboot Complete|OK"}
            << true;
        QTest::newRow("product") << 0 << int(R::InfoRequest) << 0 << 0
                                 << QStringList{"Product Message|Product Name:  VQxxxx-ETH\nFirmware:  1.05\n"
                                                "SerialNumber:  1234.000000\nProduction:  2024 - 1 - 2|OK"}
                                 << false;
        QTest::newRow("product zh") << 1 << int(R::InfoRequest) << 0 << 0
                                    << QStringList{"产品信息|产品型号:  VQxxxx-ETH\n固件版本:  1.05\n"
                                                   "串行编号:  1234.000000\n生产日期:  2024年1月2日|OK"}
                                    << false;
        QTest::newRow("no language, no box") << 2 << int(R::WriteParamsRequest) << 0 << 0 << QStringList{}
                                             << false;
    }
    void transferBoxes()
    {
        QFETCH(int, language);
        QFETCH(int, request);
        QFETCH(int, status);
        QFETCH(int, answer);
        QFETCH(QStringList, boxes);
        QFETCH(bool, rebootSent);
        TcpRig rig;
        QVERIFY(rig.open());
        rig.comm->setIntervalsForTest(1, SERIAL_COMM::OvertimeInterval);
        rig.comm->setLanguage(language);
        rig.scanner.writeAreaStatus = rig.scanner.writeCaseStatus = rig.scanner.writeParamsStatus = status;
        m_dialogs->defaultAnswer = answer;
        rig.comm->raiseRequest(SERIAL_COMM::Request(request));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.comm->isRequested(SERIAL_COMM::Request(request))
                                     && !rig.comm->isRequested(SERIAL_COMM::RebootRequest),
                                 20000);
        QTest::qWait(30);
        QStringList got;
        for (const ScriptedDialogs::Box &b : m_dialogs->boxes)
            got << b.title + '|' + b.text + '|' + b.buttons.join(',');
        QCOMPARE(got, boxes);
        QCOMPARE(rig.scanner.commands().contains(Command::RBoot), rebootSent);
        if (rebootSent) // the reboot goes out right after the answer
            QCOMPARE(rig.scanner.commands().last(), Command::RBoot);
    }

    // A valid SCtrl reply stops the time-out like any other, so a quiet link
    // after it counts no retry; a transfer cut off by a disconnect starts
    // from area 0 on the next connection.
    void controlReplyAndRestartedTransfers()
    {
        TcpRig rig;
        QVERIFY(rig.open());
        rig.comm->setIntervalsForTest(1, 100);
        rig.comm->raiseRequest(SERIAL_COMM::ControlRequest);
        QTRY_VERIFY(!rig.comm->isRequested(SERIAL_COMM::ControlRequest));
        QVERIFY(!rig.comm->isTimeoutRunning());
        QTest::qWait(250);
        QCOMPARE(rig.comm->retryCount(), 0);
        QCOMPARE(rig.scanner.commands(), QVector<Command>{Command::SCtrl});

        m_dialogs->defaultAnswer = 1;
        rig.comm->WriteSensorAllDataSlots();
        QTRY_VERIFY(rig.comm->writeAreaIndex() >= 5);
        rig.comm->clearRequests(); // the disconnect's step
        QCOMPARE(rig.comm->writeAreaIndex(), 0);
        QTest::qWait(20);
        rig.scanner.requests.clear();
        rig.comm->ReadSensorAllDataSlots();
        QTRY_VERIFY(rig.scanner.commands().contains(Command::RArea));
        for (const ReceivedFrame &f : rig.scanner.requests)
            if (f.command == Command::RArea) {
                QCOMPARE(*decodeRAreaRequest(f.bytes), 0);
                break;
            }
    }

    // A request with nowhere to go is dropped: nothing is sent, nothing waits.
    void requestWithoutAnOpenDeviceIsDropped_data()
    {
        QTest::addColumn<QString>("device");
        QTest::newRow("none selected") << "none";
        QTest::newRow("closed") << "closed";
        QTest::newRow("attempt refused") << "refused";
    }
    void requestWithoutAnOpenDeviceIsDropped()
    {
        QFETCH(QString, device);
        TcpRig rig;
        QVERIFY(rig.open());
        rig.link.ConnectionKind = device == QLatin1String("none") ? 2 : 1;
        if (device != QLatin1String("none"))
            rig.tcp.abort();
        if (device == QLatin1String("refused")) { // the socket is left open, unconnected
            rig.server.close();
            rig.tcp.connectToHost(QHostAddress::LocalHost, rig.server.serverPort());
            QTRY_COMPARE(rig.tcp.error(), QAbstractSocket::ConnectionRefusedError);
        }
        rig.comm->raiseRequest(SERIAL_COMM::ReadCasesRequest);
        QTRY_VERIFY(!rig.comm->isRequested(SERIAL_COMM::ReadCasesRequest));
        QCOMPARE(rig.comm->pendingCommand(), 0);
        QVERIFY(!rig.comm->isTimeoutRunning());
        QTest::qWait(50);
        QVERIFY(rig.scanner.requests.isEmpty());
    }

    // Yes to the restart question after its connection ended restarts
    // nothing, not even the scanner connected by then.
    void restartAnsweredAfterTheConnectionEnded()
    {
        TcpRig rig;
        QVERIFY(rig.open());
        rig.comm->setIntervalsForTest(1, 300);
        QTcpServer second;
        QVERIFY(second.listen(QHostAddress::LocalHost, 0));
        ScriptedScanner next;
        m_dialogs->whileOpen = [&](const ScriptedDialogs::Box &box) {
            if (!box.buttons.contains(QStringLiteral("No")))
                return;
            rig.tcp.abort(); // as the window disconnects
            rig.comm->clearRequests();
            rig.comm->CloseSerialPortSlots();
            rig.tcp.connectToHost(QHostAddress::LocalHost, second.serverPort());
            QVERIFY(rig.tcp.waitForConnected(3000) && second.waitForNewConnection(3000));
            QTcpSocket *peer = second.nextPendingConnection();
            QObject::connect(peer, &QIODevice::readyRead, [&next, peer] { next.feed(peer->readAll()); });
        };
        rig.comm->raiseRequest(SERIAL_COMM::WriteParamsRequest); // answered Yes
        QTRY_COMPARE(m_dialogs->boxes.size(), 2);
        QTest::qWait(400);
        QVERIFY(!rig.comm->isRequested(SERIAL_COMM::RebootRequest) && next.requests.isEmpty());
        QVERIFY(!rig.comm->isTimeoutRunning());
        QCOMPARE(m_dialogs->boxes.size(), 2); // no time-out warning
    }

    // A scanner that rejects an area every time: one box at a time, and no
    // area goes out behind it.
    void rejectionBoxHoldsTheAreaTransfer()
    {
        TcpRig rig;
        QVERIFY(rig.open());
        rig.comm->setIntervalsForTest(1, SERIAL_COMM::OvertimeInterval);
        int open = 0, deepest = 0, sentBehind = 0;
        m_dialogs->whileOpen = [&](const ScriptedDialogs::Box &) {
            deepest = qMax(deepest, ++open);
            const int before = rig.scanner.requests.size();
            if (open == 1)
                rig.scanner.writeAreaStatus = 1; // rejected again once the transfer goes on
            QTest::qWait(60);                 // the user reads the box
            sentBehind += int(rig.scanner.requests.size() - before);
            --open;
        };
        rig.scanner.writeAreaStatus = 1;
        rig.comm->WriteSensorAllDataSlots();
        QTRY_VERIFY_WITH_TIMEOUT(m_dialogs->boxes.size() >= 3, 5000);
        m_dialogs->whileOpen = nullptr;
        rig.comm->clearRequests();
        QCOMPARE(deepest, 1);
        QCOMPARE(sentBehind, 0);
    }

    void plainOperations()
    {
        Rig rig;
        rig.link.DirectionReversed = true;
        rig.makeLink();
        QVERIFY(!rig.link.DirectionReversed);
        QCOMPARE(rig.comm->maxRange(), 60000);
        rig.comm->setDeviceClass(2);
        QCOMPARE(rig.comm->maxRange(), 24000);
        rig.comm->setDeviceClass(5);
        rig.comm->setDeviceClass(-1);
        QCOMPARE(rig.comm->maxRange(), 24000);
        rig.comm->raiseRequest(SERIAL_COMM::WriteCasesRequest);
        rig.comm->clearRequests();
        QVERIFY(!rig.comm->isRequested(SERIAL_COMM::WriteCasesRequest));
        // With the scan-control group enabled, each simulation tick also
        // pushes SCtrl (no scheduler runs to drop it: there is no device).
        rig.comm->setIntervalsForTest(1000000, SERIAL_COMM::OvertimeInterval);
        rig.control.Enabled = 1;
        rig.comm->OpenSendReadSimulation();
        QTRY_VERIFY(rig.comm->isRequested(SERIAL_COMM::ControlRequest));
    }

private:
    std::unique_ptr<ScriptedDialogs> m_dialogs;
};

QTEST_GUILESS_MAIN(TestSerialComm)
#include "tst_serial_comm.moc"
