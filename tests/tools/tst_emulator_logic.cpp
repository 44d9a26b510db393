// The emulator's logic without its transports: zones, scan geometry as the
// tool will see it, HISN packets, the state file, request handling and faults.

#include "areaframe.h"
#include "crc16.h"
#include "discovery.h"
#include "emulatoroptions.h"
#include "emulatorstate.h"
#include "faultinjector.h"
#include "framing.h"
#include "hisnpacketizer.h"
#include "livedata.h"
#include "scanmodes.h"
#include "scannercore.h"
#include "shapekind.h"
#include "zoneevaluator.h"

#include <QTemporaryDir>
#include <QtMath>
#include <QtTest>
#include <cmath>

namespace {
// A serial-resolution scan without echoes except the given (angle, distance) beams.
Scan emptyScan()
{
    Scan s;
    s.pointsPerDegree = 2;
    s.serial = true;
    s.distances.fill(0, ScanModes::SerialSamples);
    s.intensities.fill(0, ScanModes::SerialSamples);
    return s;
}

int serialIndexAt(double angleDeg) { return int(std::lround((angleDeg - ScanModes::serialSampleAngle(0)) / 0.5)); }

void putBeams(Scan &s, double fromDeg, int count, quint16 distance)
{
    const int first = serialIndexAt(fromDeg);
    for (int i = 0; i < count; ++i)
        s.distances[first + i] = distance;
}

AreaRecord boxArea()
{
    // A box from 500 to 1500 mm straight ahead, 1000 mm wide.
    AreaRecord a;
    a.Out1Shape = Polygon;
    a.Out1Points = {{500, 500}, {500, 1500}, {-500, 1500}, {-500, 500}}; // ascending angle, as stored
    return a;
}

QByteArray request(Command c) { return encodeSimpleRequest(c); }

ReceivedFrame frame(const QByteArray &bytes)
{
    QByteArray rx = bytes;
    ReceivedFrame f;
    if (!takeRequest(rx, &f))
        return {Command::Hisn, {}};
    return f;
}

// What the tool draws for streamed sample i (model angle, degrees).
double toolStreamAngle(int i, int n, bool reversed)
{
    const double theta = reversed ? 320.0 / n * (i - n) + 430 : 320.0 / n * (n - i) + 110;
    return 360.0 - theta;
}
} // namespace

class TestEmulatorLogic : public QObject
{
    Q_OBJECT

private slots:
    void zonesDetectLikeTheEditorDraws()
    {
        const AreaRecord box = boxArea();
        const auto zones = outputZones(box);
        QVERIFY(zones[0].present);
        QVERIFY(!zones[1].contains(QPointF(0, 1000))); // an empty polygon list covers nothing
        QVERIFY(zones[0].contains(QPointF(0, 1000)));
        QVERIFY(!zones[0].contains(QPointF(0, 1600)));
        QVERIFY(!zones[0].contains(QPointF(0, -1000))); // y is forward, not the scene's down

        Scan s = emptyScan();
        putBeams(s, 90, 1, 1000);
        QCOMPARE(detectOutputs(zones, box, s), quint8(1));
        s = emptyScan();
        putBeams(s, 90, 1, 1600);
        QCOMPARE(detectOutputs(zones, box, s), quint8(0));
        // No echo at all is nothing detected, though the origin is a corner of the zone.
        QCOMPARE(detectOutputs(zones, box, emptyScan()), quint8(0));
    }

    void derivedZonesFollowTheOutputBefore()
    {
        AreaRecord a = boxArea();
        a.Out2Shape = Straight;
        a.Out2Points = {{0, 800}};
        a.Out3Shape = Ratio;
        a.Out3Points = {{0, 750}}; // half of the 1500 mm box drawn by output 2's base
        const auto zones = outputZones(a);
        Scan s = emptyScan();
        putBeams(s, 90, 1, 1000);
        QCOMPARE(detectOutputs(zones, a, s), quint8(0b001));
        s = emptyScan();
        putBeams(s, 90, 1, 700);
        QCOMPARE(detectOutputs(zones, a, s), quint8(0b111));

        AreaRecord arc;
        arc.Out1Shape = Arc;
        arc.Out1Points = {{0, 2000}, {1000, 0}}; // 0 to 90 degrees, radius 2000
        arc.Out2Shape = Fan;
        arc.Out2Points = {{0, 1000}};
        const auto arcZones = outputZones(arc);
        s = emptyScan();
        putBeams(s, 45, 1, 1500);
        QCOMPARE(detectOutputs(arcZones, arc, s), quint8(0b01));
        s = emptyScan();
        putBeams(s, 45, 1, 900);
        QCOMPARE(detectOutputs(arcZones, arc, s), quint8(0b11));
        s = emptyScan();
        putBeams(s, 100, 1, 900);
        QCOMPARE(detectOutputs(arcZones, arc, s), quint8(0));
    }

    void detectionSizeHysteresisAndDelays()
    {
        AreaRecord a = boxArea();
        a.DetectionSize = 3; // 2 degrees: four serial samples side by side
        const auto zones = outputZones(a);
        QCOMPARE(samplesForDetectionSize(3, 2), 4);
        QCOMPARE(samplesForDetectionSize(0, 40), 20);
        Scan s = emptyScan();
        putBeams(s, 88, 3, 1000);
        QCOMPARE(detectOutputs(zones, a, s), quint8(0));
        putBeams(s, 88, 4, 1000);
        QCOMPARE(detectOutputs(zones, a, s), quint8(1));
        // Three in, one out, three in: the gap breaks the run.
        s = emptyScan();
        putBeams(s, 88, 3, 1000);
        putBeams(s, 89.5, 1, 2500);
        putBeams(s, 90, 3, 1000);
        QCOMPARE(detectOutputs(zones, a, s), quint8(0));

        a.DetectionSize = 0;
        a.Hysteresis = 10;
        s = emptyScan();
        putBeams(s, 90, 1, 1600); // just outside; inside the widened zone of a set output
        QCOMPARE(detectOutputs(zones, a, s, 0), quint8(0));
        QCOMPARE(detectOutputs(zones, a, s, 1), quint8(1));

        OutputTimer timer;
        QCOMPARE(timer.update(1, 0, 5, 2), quint8(0)); // on delay 100 ms
        QCOMPARE(timer.update(1, 99, 5, 2), quint8(0));
        QCOMPARE(timer.update(1, 100, 5, 2), quint8(1));
        QCOMPARE(timer.update(0, 200, 5, 2), quint8(1)); // off delay 40 ms
        QCOMPARE(timer.update(1, 220, 5, 2), quint8(1)); // came back: the off delay starts again
        QCOMPARE(timer.update(0, 230, 5, 2), quint8(1));
        QCOMPARE(timer.update(0, 270, 5, 2), quint8(0));
    }

    void toolSeesTheRoomWhereItIs_data()
    {
        QTest::addColumn<int>("angleIndex");
        QTest::addColumn<bool>("reversed");
        for (int idx = 0; idx <= 4; ++idx) {
            QTest::addRow("res %d forward", idx) << idx << false;
            QTest::addRow("res %d reversed", idx) << idx << true;
        }
    }

    void toolSeesTheRoomWhereItIs()
    {
        // Stream the scan, assemble it with the link's own code, and check
        // that each sample lies where the tool will draw it.
        QFETCH(int, angleIndex);
        QFETCH(bool, reversed);
        const SyntheticWorld world(7);
        const int g = ScanModes::pointsPerDegree(angleIndex);
        const qint64 t = 12345;
        const QVector<HisnPacket> packets = packetizeScan(streamScan(world, 3, t, g, reversed));
        QVERIFY(!packets.isEmpty());
        QCOMPARE(packets.last().EndAngle, quint16(340));
        QCOMPARE(packets.last().Closing, packets.last().CountB);
        LinkState link;
        HisnAssembler assembler;
        int completed = 0;
        for (int scan = 0; scan < 2; ++scan) // the first scan at a new resolution is dropped
            for (const HisnPacket &p : packets) {
                QVERIFY(hisnPacketLength(encodeHisnPacket(p).constData(), 16) <= 16 + 4 * 800);
                completed += assembler.add(p, link, 60000) ? 1 : 0;
            }
        QCOMPARE(completed, 1);
        const int n = link.NetScanLength;
        QCOMPARE(n, 320 * g);
        for (int i = reversed ? 1 : 0; i < n; i += n / 37) {
            const double expected = world.rayDistance(toolStreamAngle(i, n, reversed), t);
            QVERIFY2(std::abs(link.NetDistances.at(i) - expected) <= 13,
                     qPrintable(QStringLiteral("sample %1: %2 vs %3").arg(i).arg(link.NetDistances.at(i)).arg(expected)));
        }
    }

    void serialScanLandsWhereTheToolDrawsIt()
    {
        const SyntheticWorld world(3);
        const Scan scan = serialScan(world, 0, 500, false);
        QVector<quint16> entries(640);
        storeSerialSamples(decodeSamplesReply(encodeSamplesReply(Command::RScan, scan.distances), Command::RScan).value(),
                           false, 60000, entries);
        for (int i = 0; i < 640; i += 31) {
            const double modelAngle = 360.0 - (110.0 + 0.5 * i);
            QVERIFY(std::abs(entries.at(i) - world.rayDistance(modelAngle, 500)) <= 13);
        }
        // Straight ahead the far wall, to the right and left the side walls.
        QVERIFY(std::abs(world.rayDistance(90, 0) - 5500) < 1e-6 || world.rayDistance(90, 0) < 5500);
        QCOMPARE(world.rayDistance(0, 0), 4500.0);
        QCOMPARE(world.rayDistance(180, 0), 3500.0);
    }

    void worldIsDeterministicAndTheObstacleMoves()
    {
        const SyntheticWorld a(11), b(11), c(12);
        QCOMPARE(streamScan(a, 5, 700, 10, false).distances, streamScan(b, 5, 700, 10, false).distances);
        QVERIFY(streamScan(a, 5, 700, 10, false).distances != streamScan(c, 5, 700, 10, false).distances);
        double minX = 1e9, maxX = -1e9;
        for (qint64 t = 0; t < 30000; t += 250) {
            const QPointF p = a.obstacleCentre(t);
            minX = qMin(minX, p.x());
            maxX = qMax(maxX, p.x());
        }
        QVERIFY(minX < -1800 && maxX > 1800); // back and forth across the room
        QVERIFY(minX >= -2000.001 && maxX <= 2000.001);
        // Whatever the obstacle does, a beam that meets it reports it nearer than the wall.
        const QPointF p = a.obstacleCentre(4000);
        const double towards = qRadiansToDegrees(std::atan2(p.y(), p.x()));
        QVERIFY(a.rayDistance(towards, 4000) < std::hypot(p.x(), p.y()));
    }

    void stateFileRoundTrip()
    {
        EmulatorState s = EmulatorState::factory();
        AreaRecord area = boxArea();
        area.Out2Shape = Arc;
        area.Out2Points = {{1000, 0}, {0, 1000}};
        QVERIFY(s.storeArea(encodeAreaBlock(Command::WArea, 5, area, false).frame));
        s.cases[5] = CaseFields{-30, 30, 0, 100, 2};
        s.stored.Words[14] = 1;
        s.product.SerialNumber = 4321;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("state.json"));
        QString error;
        QVERIFY2(s.save(path, &error), qPrintable(error));
        const std::optional<EmulatorState> back = EmulatorState::load(path, &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(back->areas, s.areas);
        QCOMPARE(back->cases, s.cases);
        QCOMPARE(back->stored, s.stored);
        QCOMPARE(back->active, s.stored); // a restart is a boot
        QCOMPARE(back->product, s.product);
        const AreaRecord served = back->areaRecord(5);
        QCOMPARE(served.Out1Points, area.Out1Points);
        QCOMPARE(served.VehicleOptionMode, 2);

        QJsonObject broken = s.toJson();
        QJsonArray areas = broken.value(QStringLiteral("areas")).toArray();
        areas[3] = QStringLiteral("AAAA");
        broken[QStringLiteral("areas")] = areas;
        QVERIFY(!EmulatorState::fromJson(broken, &error));
        QVERIFY(error.contains(QStringLiteral("areas[3]")));
        QJsonObject sparse;
        sparse[QStringLiteral("version")] = 1;
        QCOMPARE(EmulatorState::fromJson(sparse, &error)->stored, EmulatorState::defaultParameters());
    }

    void writesAreStoredValidatedAndTakeEffectAtBoot()
    {
        ScannerCore core(EmulatorState::factory(), 1);
        SensorParameters p = EmulatorState::defaultParameters();
        p.Words[14] = 1;
        CoreReply r = core.handle(frame(encodeParameterBlock(Command::WPara, p)), 0);
        QCOMPARE(decodeStatusReply(r.frame, Command::WPara), std::optional<int>(0));
        QVERIFY(r.flashChanged);
        QCOMPARE(decodeParameterBlock(core.handle(frame(request(Command::RPara)), 0).frame, Command::RPara), std::optional<SensorParameters>(p));
        QVERIFY(!core.reversed()); // in flash, not yet in effect
        r = core.handle(frame(request(Command::RBoot)), 0);
        QCOMPARE(r.action, CoreReply::Reboot);
        QVERIFY(isFrame(r.frame, Command::RBoot, 8));
        core.boot();
        QVERIFY(core.reversed());

        SensorParameters bad = p;
        bad.Words[13] = 4;
        r = core.handle(frame(encodeParameterBlock(Command::WPara, bad)), 0);
        QCOMPARE(decodeStatusReply(r.frame, Command::WPara), std::optional<int>(1));
        QCOMPARE(core.state().stored, p);
        bad = p;
        bad.Words[12] = 0; // the finest resolution with the fast motor
        bad.Words[11] = 1;
        QCOMPARE(invalidParameterWord(bad), 11);

        AreaRecord derivedFirst;
        derivedFirst.Out1Shape = Straight;
        derivedFirst.Out1Points = {{0, 1000}};
        r = core.handle(frame(encodeAreaBlock(Command::WArea, 2, derivedFirst, false).frame), 0);
        QCOMPARE(decodeStatusReply(r.frame, Command::WArea), std::optional<int>(1));
        r = core.handle(frame(encodeAreaBlock(Command::WArea, 2, boxArea(), false).frame), 0);
        QCOMPARE(decodeStatusReply(r.frame, Command::WArea), std::optional<int>(0));
        r = core.handle(frame(encodeRAreaRequest(2)), 0);
        AreaRecord back;
        applyAreaBlock(decodeAreaBlock(r.frame, Command::RArea).value(), false, back);
        QCOMPARE(back.Out1Points, boxArea().Out1Points);
        QVERIFY(core.handle(frame(encodeRAreaRequest(64)), 0).frame.isEmpty());

        QCOMPARE(core.handle(frame(encodeRAuto(1)), 0).action, CoreReply::StartStream);
        QCOMPARE(core.handle(frame(encodeRAuto(0)), 0).action, CoreReply::StopStream);
        QVERIFY(core.handle(frame(encodeRAuto(1)), 0).frame.isEmpty());
        const CoreReply scan = core.handle(frame(request(Command::RScan)), 0);
        QVERIFY(!scan.hasCrc);
        QVERIFY(decodeSamplesReply(scan.frame, Command::RScan));
    }

    void outputsFollowInputsCasesAndSimulation()
    {
        EmulatorState state = EmulatorState::factory();
        // Area 3 watches the whole room, area 4 a spot where nothing is.
        AreaRecord room;
        room.Out1Shape = Polygon;
        room.Out1Points = {{-10000, -10000}, {10000, -10000}, {10000, 10000}, {-10000, 10000}};
        AreaRecord nothing;
        nothing.Out1Shape = Polygon;
        nothing.Out1Points = {{-100, 100}, {100, 100}, {100, 200}, {-100, 200}};
        QVERIFY(state.storeArea(encodeAreaBlock(Command::WArea, 3, room, false).frame));
        QVERIFY(state.storeArea(encodeAreaBlock(Command::WArea, 4, nothing, false).frame));
        state.cases[4] = CaseFields{-10, 10, 50, 100, 1};
        ScannerCore core(state, 1);

        SimulationFrame sim;
        sim.Mode = 1;
        sim.InputBits = 3;
        SimuStatus s = core.evaluate(sim, 1000);
        QCOMPARE(s.InputStates, quint8(3));
        QCOMPARE(s.OutputStates, quint8(1));
        QCOMPARE(s.Status, quint16(0));
        QVERIFY(s.RotateSpeed > 0 && s.SensorTemper > 2000 && s.DriveVoltage > 2000);
        sim.InputBits = 4;
        QCOMPARE(core.evaluate(sim, 1200).OutputStates, quint8(0));

        sim = SimulationFrame();
        sim.Mode = 2;
        sim.SimDegree = 5;
        sim.SimSpeed = 60;
        sim.SimOptionMode = 1;
        s = core.evaluate(sim, 1400);
        QCOMPARE(s.InputStates, quint8(4)); // reported as the chosen area
        QCOMPARE(s.OutputStates, quint8(0));
        sim.SimSpeed = 200; // no case matches: fault, every output set
        s = core.evaluate(sim, 1600);
        QCOMPARE(s.Status, StatusBits::Simulation);
        QCOMPARE(s.OutputStates, quint8(7));

        sim = SimulationFrame();
        core.setPhysicalInputs(3);
        QCOMPARE(core.evaluate(sim, 1800).OutputStates, quint8(1));
        sim.OutputSimulation = 1;
        sim.OutputBits = 6;
        QCOMPARE(core.evaluate(sim, 2000).OutputStates, quint8(6));
        sim.OutputSimulation = 0;
        sim.FaultBits = 1;
        s = core.evaluate(sim, 2200);
        QCOMPARE(s.Status & StatusBits::Simulation, StatusBits::Simulation);
        // The reply goes through the link's decoder unchanged.
        QCOMPARE(decodeSimuReply(encodeSimuReply(s)), std::optional<SimuStatus>(s));
    }

    void outputsAreJudgedOnTheScansSent_data()
    {
        QTest::addColumn<bool>("serial");
        QTest::newRow("serial") << true;
        QTest::newRow("stream") << false;
    }

    void outputsAreJudgedOnTheScansSent()
    {
        QFETCH(bool, serial);
        // Area 1 watches the left half of the obstacle's path, where it comes and
        // goes; area 2 a spot where nothing is; area 3 the whole room.
        EmulatorState state = EmulatorState::factory();
        AreaRecord left;
        left.Out1Shape = Polygon;
        left.Out1Points = {{0, 1500}, {0, 3000}, {-2500, 3000}, {-2500, 1500}};
        AreaRecord nothing;
        nothing.Out1Shape = Polygon;
        nothing.Out1Points = {{-100, 100}, {100, 100}, {100, 200}, {-100, 200}};
        QVERIFY(state.storeArea(encodeAreaBlock(Command::WArea, 1, left, false).frame));
        QVERIFY(state.storeArea(encodeAreaBlock(Command::WArea, 2, nothing, false).frame));
        AreaRecord room;
        room.Out1Shape = Polygon;
        room.Out1Points = {{-10000, -10000}, {10000, -10000}, {10000, 10000}, {-10000, 10000}};
        QVERIFY(state.storeArea(encodeAreaBlock(Command::WArea, 3, room, false).frame));
        ScannerCore core(state, 1);
        const int period = core.scanPeriodMs();
        auto send = [&](qint64 t) {
            if (serial)
                return decodeSamplesReply(core.handle(frame(request(Command::RScan)), t).frame, Command::RScan)
                    .value_or(QVector<quint16>());
            QVector<quint16> d;
            for (const HisnPacket &p : core.sendStreamScan(t))
                d += p.Distances;
            return d;
        };
        auto simulate = [&](int inputs, qint64 t) {
            SimulationFrame sim;
            sim.Mode = 1;
            sim.InputBits = quint8(inputs);
            return core.evaluate(sim, t).OutputStates;
        };
        core.setPhysicalInputs(1); // before any WSimu the wired inputs select
        int detected = 0;
        for (qint64 t = 1000; t < 16000; t += 250) {
            Scan scan = serial ? core.serialScanAt(t) : core.streamScanAt(t);
            scan.distances = send(t);
            const quint8 expected = detectOutputs(core.zonesOf(1), core.state().areaRecord(1), scan);
            detected += expected;
            QCOMPARE(simulate(1, t + period), expected);
        }
        QVERIFY(detected > 0 && detected < 60); // the obstacle was in and out
        // A request selects the area of the next scan; it does not judge one itself.
        const qint64 t = 20000;
        simulate(3, t);
        send(t);
        QCOMPARE(simulate(3, t), quint8(1));
        QCOMPARE(simulate(2, t + 1), quint8(1));
        send(t + period);
        QCOMPARE(simulate(2, t + period), quint8(0));
        // Nobody watches the scan: the request judges the scan of the moment.
        QCOMPARE(simulate(3, t + 3 * period), quint8(1));
    }

    void faultsAreSeededAndKeepFramesParseable()
    {
        FaultOptions o;
        o.split = 1;
        o.stray = 1;
        FaultInjector a(o, 5), b(o, 5);
        const QByteArray reply = encodeParameterBlock(Command::RPara, EmulatorState::defaultParameters());
        for (int i = 0; i < 20; ++i) {
            const FramePlan pa = a.plan(reply.size()), pb = b.plan(reply.size());
            QCOMPARE(pa.prefix, pb.prefix);
            QCOMPARE(pa.chunks, pb.chunks);
            QVERIFY(!pa.prefix.isEmpty() && pa.chunks.size() > 1);
            const QByteArray bytes = pa.apply(reply, true);
            QByteArray joined;
            for (const QByteArray &piece : pa.pieces(bytes))
                joined += piece;
            QCOMPARE(joined, bytes);
            // The tool's receive loop still finds the reply behind the stray bytes.
            QByteArray rx;
            QVector<ReceivedFrame> got;
            for (const QByteArray &piece : pa.pieces(bytes)) {
                rx += piece;
                got += takeReplies(rx, 1);
            }
            QCOMPARE(got.size(), 1);
            QCOMPARE(got.first().bytes, reply);
        }
        FaultOptions crc;
        crc.corruptCrc = 1;
        FaultInjector c(crc, 1);
        QVERIFY(!hasValidCrc(c.plan(reply.size()).apply(reply, true)));
        FaultOptions none;
        FaultInjector quiet(none, 1);
        for (int i = 0; i < 50; ++i)
            QVERIFY(quiet.plan(8).describe().isEmpty());

        QString error;
        FaultOptions rejecting;
        rejecting.rejects = {RejectRule::parse(QStringLiteral("WArea:10:1"), &error).value(),
                             RejectRule::parse(QStringLiteral("WPara:2:0"), &error).value()};
        FaultInjector r(rejecting, 1);
        QCOMPARE(r.rejectStatus(Command::WArea, 9), std::nullopt);
        QCOMPARE(r.rejectStatus(Command::WArea, 10), std::optional<int>(1));
        QCOMPARE(r.rejectStatus(Command::WArea, 10), std::nullopt); // once by default
        QCOMPARE(r.rejectStatus(Command::WPara, -1), std::optional<int>(2));
        QCOMPARE(r.rejectStatus(Command::WPara, -1), std::optional<int>(2)); // 0: every time
        QVERIFY(!RejectRule::parse(QStringLiteral("WArea:64:1"), &error));
        QVERIFY(!RejectRule::parse(QStringLiteral("RPara:1"), &error));
        QVERIFY(!RejectRule::parse(QStringLiteral("WCase:x"), &error));
    }

    // --fault rules as written, and the ones refused; each fires for its
    // command and area as often as its times say, until the rules are cleared.
    void replyFaultRules_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("parsed"); // command area kind value times; empty: refused
        const char *rows[][2] = {{"WArea:5:status=255:0", "WArea 5 0 255 0"}, {"RArea:withhold", "RArea -1 1 0 1"},
                                 {"RArea:-1:area=63:2", "RArea -1 2 63 2"}, {"RPrda:late=600000", "RPrda -1 3 600000 1"},
                                 {"WCase:drop:3", "WCase -1 4 0 3"},       {"RBoot:status=1", "RBoot -1 0 1 1"},
                                 {"RBoot:close", "RBoot -1 5 0 1"}};
        for (const auto &r : rows)
            QTest::newRow(r[0]) << r[0] << r[1];
        for (const char *bad : {"RFoo:withhold", "HISN:drop", "RAuto:drop", "WArea:64:drop", "WArea:-2:drop",
                                "WCase:3:drop", "RPrda:status=0", "WArea:area=3", "WPara:status=256",
                                "WPara:late=-1", "WPara:late", "WPara:withhold=3", "WPara:drop:-1", "WPara:drop:1:2",
                                "WPara:drop:x", "WPara"})
            QTest::newRow(bad) << bad << "";
    }
    void replyFaultRules()
    {
        QFETCH(QString, rule);
        QFETCH(QString, parsed);
        QString error;
        const std::optional<ReplyFault> f = ReplyFault::parse(rule, &error);
        QCOMPARE(error.isEmpty(), !parsed.isEmpty());
        if (!f)
            return;
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5").arg(commandName(f->command)).arg(f->area).arg(f->kind).arg(f->value).arg(f->times),
                 parsed);
        FaultInjector injector({}, 1);
        injector.addReplyFault(*f);
        const int area = f->area >= 0 ? f->area : 9;
        QVERIFY(!injector.replyFault(Command::WSimu, area) && (f->area < 0 || !injector.replyFault(f->command, 6)));
        int fired = 0;
        for (int i = 0; i < 5; ++i)
            fired += injector.replyFault(f->command, area).has_value();
        QCOMPARE(fired, f->times == 0 ? 5 : qMin(f->times, 5));
        injector.clearRules();
        QVERIFY(!injector.replyFault(f->command, area));
    }

    void commandLine()
    {
        QString error;
        std::optional<EmulatorOptions> o = parseEmulatorOptions({}, &error);
        QVERIFY(o);
        QCOMPARE(o->host, QStringLiteral("127.0.0.1"));
        QCOMPARE(o->port, 8080);
        QVERIFY(!o->discovery && !o->pty);
        o = parseEmulatorOptions({QStringLiteral("--pty-link"), QStringLiteral("/tmp/x"), QStringLiteral("--delay"),
                                  QStringLiteral("0.5:2500"), QStringLiteral("--reject"), QStringLiteral("WCase:2")},
                                 &error);
        QVERIFY2(o, qPrintable(error));
        QVERIFY(o->pty);
        QCOMPARE(o->faults.delay, 0.5);
        QCOMPARE(o->faults.delayMs, 2500);
        QCOMPARE(o->faults.rejects.size(), 1);
        o = parseEmulatorOptions({QStringLiteral("--fault"), QStringLiteral("RBoot:drop"), QStringLiteral("--control")},
                                 &error);
        QVERIFY2(o && o->control && o->faults.replies.size() == 1, qPrintable(error));
        QVERIFY(!parseEmulatorOptions({QStringLiteral("--fault"), QStringLiteral("RBoot:late")}, &error));
        QVERIFY(!parseEmulatorOptions({QStringLiteral("--drop"), QStringLiteral("1.5")}, &error));
        QVERIFY(!parseEmulatorOptions({QStringLiteral("--host"), QStringLiteral("localhost.x")}, &error));
        QVERIFY(!parseEmulatorOptions({QStringLiteral("--no-tcp"), QStringLiteral("--no-udp")}, &error));
        QVERIFY(!parseEmulatorOptions({QStringLiteral("--bogus")}, &error));
        const QString help = emulatorHelpText();
        for (const char *name : {"--port", "--pty", "--discovery", "--state", "--seed", "--drop", "--corrupt-crc",
                                 "--delay", "--split", "--stray", "--reject", "--silent", "--boot-pause", "--type",
                                 "--replay", "--fault", "--control"})
            QVERIFY2(help.contains(QLatin1String(name)), name);
    }

    void discoveryReplyCarriesTheMode()
    {
        const QByteArray search = "M-SEARCH * HTTP/1.1\r\nHOST: 239.255.255.250:1900\r\nMAN: \"ssdp:discover\"\r\n"
                                  "MX: 1\r\nST: urn:example-com:device:VQ:1.0\r\n";
        QVERIFY(isDiscoverySearch(search));
        QVERIFY(!isDiscoverySearch("NOTIFY * HTTP/1.1\r\n"));
        const ProductInfo product{9, 105, 1, 2024, 5, 20};
        for (int mode : {0, 1}) {
            const QByteArray reply = discoveryReply(search, mode, product, 8080);
            // The tool takes the nine bytes from the first "MODE:".
            const int at = reply.indexOf("MODE:");
            QVERIFY(at >= 0);
            QCOMPARE(reply.mid(at, 9), mode ? QByteArray("MODE: UDP") : QByteArray("MODE: TCP"));
            QVERIFY(reply.contains("ST: urn:example-com:device:VQ:1.0\r\n"));
        }
    }
};

QTEST_GUILESS_MAIN(TestEmulatorLogic)
#include "tst_emulator_logic.moc"
