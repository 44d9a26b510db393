// A recording served as the emulator's world: the scans and IO status the
// tool received, found in its bytes and played in a loop.

#include "emulatorstate.h"
#include "livedata.h"
#include "recordedworld.h"
#include "recording.h"
#include "scannercore.h"

#include <QBuffer>
#include <QtTest>

namespace {
QVector<quint16> ramp(int n, int from)
{
    QVector<quint16> v(n);
    for (int i = 0; i < n; ++i)
        v[i] = quint16(from + i);
    return v;
}

// The scan's bytes as they arrive: the serial line's RScan reply, or two
// HISN packets of 160 degrees at 2 points per degree.
QByteArray scanBytes(int kind, const QVector<quint16> &distances)
{
    if (kind == 0)
        return encodeSamplesReply(Command::RScan, distances);
    QByteArray bytes;
    for (int half = 0; half < 2; ++half) {
        HisnPacket p;
        p.StartAngle = quint16(half ? 180 : 20);
        p.EndAngle = quint16(half ? 340 : 180);
        p.CountA = p.CountB = 320;
        p.Closing = half ? 320 : 0;
        p.Distances = distances.mid(320 * half, 320);
        p.Intensities = QVector<quint16>(320, 7);
        bytes += encodeHisnPacket(p);
    }
    return bytes;
}

QByteArray chunk(bool sent, qint64 ms, const QByteArray &bytes)
{
    return encodeRecordingChunk(RecordingChunk{sent, ms * 1000, bytes});
}
} // namespace

class TestRecordedWorld : public QObject
{
    Q_OBJECT

private slots:
    void servesTheRecordingInALoop_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("serial line") << 0;
        QTest::newRow("Ethernet") << 1;
    }

    void servesTheRecordingInALoop()
    {
        QFETCH(int, kind);
        RecordingHeader header;
        header.connectionKind = kind;
        header.productKnown = header.parametersKnown = true;
        header.product = ProductInfo{18, 120, 4711, 2026, 11, 30};
        header.parameters = EmulatorState::defaultParameters();
        header.parameters.Words[12] = 4; // 0.5 degree steps: 640 samples either way
        const QVector<quint16> a = ramp(640, 1000), b = ramp(640, 3000);
        SimuStatus on, off;
        on.InputStates = 5;
        on.OutputStates = 3;
        on.Status = 0x20;
        on.SensorTemper = 3333;
        off.InputStates = 5;
        const QByteArray second = scanBytes(kind, b);
        const QByteArray file = encodeRecordingPreamble() + encodeRecordingHeader(header)
            + chunk(false, 100, scanBytes(kind, a)) + chunk(true, 150, encodeSimpleRequest(Command::RScan))
            + chunk(false, 200, encodeSimuReply(on))
            + chunk(false, 300, second.left(700)) + chunk(false, 310, second.mid(700)) // one reply in two reads
            + chunk(false, 600, encodeSimuReply(off)) + encodeRecordingEnd(1000 * 1000);

        QString error, warning;
        auto read = [&](const QByteArray &bytes) {
            QBuffer buffer;
            buffer.setData(bytes);
            buffer.open(QIODevice::ReadOnly);
            return RecordedWorld::read(&buffer, &error, &warning);
        };
        std::optional<RecordedWorld> world = read(file);
        QVERIFY2(world, qPrintable(error));
        QVERIFY(warning.isEmpty());
        QCOMPARE(world->durationMs(), qint64(1000));
        QCOMPARE(world->scanCount(), 2);
        const struct { qint64 ms; QVector<quint16> distances; SimuStatus status; } expected[] = {
            {50, b, off}, // before the first of a loop: the last of the loop before
            {100, a, off}, {309, a, on}, {310, b, on}, {1150, a, off}, {2400, b, on}, {2700, b, off}, {-700, a, on}};
        for (const auto &e : expected) {
            QCOMPARE(world->scanAt(e.ms)->distances, e.distances);
            QCOMPARE(world->scanAt(e.ms)->serial, kind == 0);
            QCOMPARE(world->statusAt(e.ms), std::optional<SimuStatus>(e.status));
        }

        // The emulator serves it: scans in either layout, the recorded status
        // under the simulation requests.
        EmulatorState state = EmulatorState::factory();
        state.stored = world->header().parameters;
        ScannerCore core(state, 1);
        core.boot();
        core.setRecordedWorld(std::make_shared<const RecordedWorld>(*world));
        // The other layout's samples lie half a degree further left.
        const QVector<quint16> later = a.mid(1) << a.last(), earlier = QVector<quint16>{a.first()} + a.mid(0, 639);
        QCOMPARE(core.serialScanAt(1150).distances, kind == 0 ? a : later);
        QCOMPARE(core.streamScanAt(1150).distances, kind == 1 ? a : earlier);
        SimulationFrame sim;
        QCOMPARE(core.evaluate(sim, 1250), on);
        sim.OutputSimulation = 1;
        sim.OutputBits = 4;
        QCOMPARE(core.evaluate(sim, 1250).OutputStates, quint8(4));

        QCOMPARE(read(file.left(file.size() - 20))->statusCount(), 1); // cut inside the last record
        QVERIFY(!warning.isEmpty());
        QVERIFY(!read(encodeRecordingPreamble() + encodeRecordingHeader(header)
                      + chunk(true, 10, encodeSimpleRequest(Command::RScan))));
        QVERIFY(!error.isEmpty());
        QVERIFY(!read("not a recording"));
    }
};

QTEST_GUILESS_MAIN(TestRecordedWorld)
#include "tst_recorded_world.moc"
