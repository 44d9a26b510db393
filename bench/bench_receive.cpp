// Throughput of the link's receive loop (buffer rule, framing, CRC checks,
// decoders and reply parsers) fed a realistic mix of replies in the pieces a
// device delivers them, as a ratio to a plain memcpy of the same bytes in the
// same pieces. Lower is better.

#include "areaframe.h"
#include "editdata.h"
#include "livedata.h"
#include "serial_comm.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <cstdio>
#include <cstring>

namespace {
// Serial session: the 200 ms status poll, distance and intensity scans, and
// now and then a parameter read and a run of area reads.
QVector<QByteArray> serialSession(QRandomGenerator &rng)
{
    QVector<quint16> samples(640);
    for (int k = 0; k < 640; ++k)
        samples[k] = quint16(rng.bounded(60000));
    SimuStatus status;
    status.Status = 3;
    SensorParameters params;
    AreaRecord area;
    area.Out1Points = {{1000, 0}, {800, 800}, {0, 1500}, {-900, 900}, {-1200, 0}};
    area.Out2Shape = Arc;
    area.Out2Points = {{2000, 0}, {0, 2000}};
    QVector<QByteArray> replies;
    for (int cycle = 0; cycle < 400; ++cycle) {
        replies << encodeSimuReply(status);
        for (int i = 0; i < 4; ++i)
            replies << encodeSamplesReply(Command::RScan, samples) << encodeSamplesReply(Command::RStre, samples);
        if (cycle % 40 == 0) {
            replies << encodeParameterBlock(Command::RPara, params);
            for (int a = 0; a < 8; ++a)
                replies << encodeAreaBlock(Command::RArea, a, area, false).frame;
        }
    }
    return replies;
}

// Ethernet stream: scans of 16 packets at 4 points per degree, with the
// status poll between scans.
QVector<QByteArray> ethernetSession(QRandomGenerator &rng)
{
    QVector<QByteArray> replies;
    SimuStatus status;
    for (int scan = 0; scan < 300; ++scan) {
        QByteArray burst;
        for (int i = 0; i < 16; ++i) {
            HisnPacket p;
            p.StartAngle = quint16(20 * (i + 1));
            p.EndAngle = quint16(20 * (i + 2));
            p.CountA = p.CountB = 80;
            p.Closing = i == 15 ? 80 : 0;
            for (int j = 0; j < 80; ++j) {
                p.Distances << quint16(rng.bounded(30000));
                p.Intensities << quint16(rng.bounded(2000));
            }
            burst += encodeHisnPacket(p);
        }
        replies << burst << encodeSimuReply(status);
    }
    return replies;
}

// Cuts each reply into device-sized reads of 64..1024 bytes.
QVector<QByteArray> reads(const QVector<QByteArray> &replies, QRandomGenerator &rng)
{
    QVector<QByteArray> out;
    for (const QByteArray &r : replies)
        for (int pos = 0; pos < r.size();) {
            const int n = qMin(r.size() - pos, 64 + int(rng.bounded(961)));
            out << r.mid(pos, n);
            pos += n;
        }
    return out;
}

double timeReceive(const QVector<QByteArray> &chunks, int connectionKind, int rounds)
{
    LinkState link;
    link.ConnectionKind = connectionKind;
    EditData edit;
    SensorParameters params;
    ScanControl control;
    SERIAL_COMM comm(nullptr, &link, &edit, &params, &control, nullptr, nullptr);
    QElapsedTimer t;
    t.start();
    for (int r = 0; r < rounds; ++r)
        for (const QByteArray &c : chunks)
            comm.receiveBytes(c);
    const double ns = double(t.nsecsElapsed());
    if (!comm.receiveBuffer().isEmpty())
        std::fprintf(stderr, "warning: %d bytes left unparsed\n", int(comm.receiveBuffer().size()));
    return ns;
}

double timeMemcpy(const QVector<QByteArray> &chunks, int rounds)
{
    QByteArray sink(2048, '\0');
    volatile char guard = 0;
    QElapsedTimer t;
    t.start();
    for (int r = 0; r < rounds; ++r)
        for (const QByteArray &c : chunks) {
            std::memcpy(sink.data(), c.constData(), size_t(c.size()));
            guard = guard + sink.at(c.size() - 1);
        }
    return double(t.nsecsElapsed());
}

void report(const char *name, const QVector<QByteArray> &chunks, int connectionKind)
{
    qint64 bytes = 0;
    for (const QByteArray &c : chunks)
        bytes += c.size();
    const int rounds = 5;
    timeReceive(chunks, connectionKind, 1); // warm up
    double best = 1e300, bestCopy = 1e300;
    for (int i = 0; i < 3; ++i) {
        best = qMin(best, timeReceive(chunks, connectionKind, rounds));
        bestCopy = qMin(bestCopy, timeMemcpy(chunks, rounds));
    }
    const double mbps = double(bytes) * rounds / (best / 1e9) / 1e6;
    std::printf("%-9s %8lld bytes in %6d reads: receive loop %8.1f MB/s, %6.1f x memcpy\n", name,
                static_cast<long long>(bytes), int(chunks.size()), mbps, best / bestCopy);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QRandomGenerator rng(42);
    report("serial", reads(serialSession(rng), rng), 0);
    report("ethernet", reads(ethernetSession(rng), rng), 1);
    return 0;
}
