// Share of one core the link spends ingesting the densest Ethernet stream of
// the family: 0.025 degree (40 samples a degree, 12,800 a scan) at 15 scans a
// second, cut into HISN packets exactly as the scanner emulator cuts them.
//
// Default: ten seconds of scans sent over loopback TCP by a thread that paces
// each packet at the moment the mirror has swept its sector; the receiving
// (GUI) thread runs a real SERIAL_COMM on the connected QTcpSocket. Its CPU
// time over the wall time is the share of one core. The baseline, measured in
// the same run, is the same stream drained by a bare QTcpSocket.
//
//   bench_ingest [--scans N] [--burst]   --burst: a whole scan at once, as the emulator writes it
//   bench_ingest --fast [--scans N]      the same bytes straight into the receive path, microseconds per scan
//
// Run it through scripts/netns-run.

#include "editdata.h"
#include "hisnpacketizer.h"
#include "livedata.h"
#include "serial_comm.h"
#include "syntheticworld.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <thread>

namespace {
constexpr int kPointsPerDegree = 40;
constexpr int kScanHz = 15;
constexpr int kDistinctScans = kScanHz; // one second of the synthetic room, then repeated

// Packets of one scan, each as the bytes of one write.
using ScanPackets = QVector<QByteArray>;

QVector<ScanPackets> makeScans()
{
    const SyntheticWorld world(1);
    QVector<ScanPackets> scans;
    for (int s = 0; s < kDistinctScans; ++s) {
        ScanPackets packets;
        for (const HisnPacket &p : packetizeScan(streamScan(world, s, s * 1000 / kScanHz, kPointsPerDegree, false)))
            packets << encodeHisnPacket(p);
        scans << packets;
    }
    return scans;
}

// Time within a rotation at which a packet whose sector ends at this packet
// angle (degrees, 0..360 from straight behind) has been swept.
qint64 sweptAtNs(int endAngle) { return qint64(1e9 / kScanHz * endAngle / 360.0); }

double nowNs(clockid_t clock)
{
    timespec ts{};
    clock_gettime(clock, &ts);
    return double(ts.tv_sec) * 1e9 + double(ts.tv_nsec);
}

// The scanner: a listening socket on loopback and a thread that streams once
// the link has connected.
class PacedSender
{
public:
    PacedSender(const QVector<ScanPackets> &scans, int scanCount, bool burst)
        : m_scans(scans), m_scanCount(scanCount), m_burst(burst)
    {
        m_listen = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t len = sizeof a;
        if (m_listen < 0 || ::bind(m_listen, reinterpret_cast<sockaddr *>(&a), len) != 0
            || ::listen(m_listen, 1) != 0 || ::getsockname(m_listen, reinterpret_cast<sockaddr *>(&a), &len) != 0)
            return;
        m_port = ntohs(a.sin_port);
        m_thread = std::thread([this] { run(); });
    }
    ~PacedSender()
    {
        if (m_thread.joinable())
            m_thread.join();
        if (m_listen >= 0)
            ::close(m_listen);
    }
    quint16 port() const { return m_port; }
    double worstLateMs() const { return double(m_lateNs.load()) / 1e6; }

private:
    void run()
    {
        const int fd = ::accept(m_listen, nullptr, nullptr);
        if (fd < 0)
            return;
        const int one = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one); // as the emulator's LowDelayOption
        timespec start{};
        clock_gettime(CLOCK_MONOTONIC, &start);
        const qint64 t0 = qint64(start.tv_sec) * 1'000'000'000 + start.tv_nsec + 50'000'000;
        const qint64 period = 1'000'000'000 / kScanHz;
        for (int s = 0; s < m_scanCount; ++s) {
            const ScanPackets &packets = m_scans.at(s % m_scans.size());
            for (int i = 0; i < packets.size(); ++i) {
                const QByteArray &p = packets.at(i);
                const int endAngle = (quint8(p.at(6)) << 8) | quint8(p.at(7));
                const qint64 due = t0 + s * period + (m_burst ? 0 : sweptAtNs(endAngle));
                timespec ts{time_t(due / 1'000'000'000), long(due % 1'000'000'000)};
                clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr);
                for (qint64 done = 0; done < p.size();) {
                    const ssize_t n = ::send(fd, p.constData() + done, size_t(p.size() - done), MSG_NOSIGNAL);
                    if (n <= 0) {
                        ::close(fd);
                        return;
                    }
                    done += n;
                }
                timespec after{};
                clock_gettime(CLOCK_MONOTONIC, &after);
                const qint64 late = qint64(after.tv_sec) * 1'000'000'000 + after.tv_nsec - due;
                if (late > m_lateNs.load())
                    m_lateNs.store(late);
            }
        }
        ::close(fd);
    }

    const QVector<ScanPackets> &m_scans;
    const int m_scanCount;
    const bool m_burst;
    int m_listen = -1;
    quint16 m_port = 0;
    std::thread m_thread;
    std::atomic<qint64> m_lateNs{0};
};

struct Share
{
    double cpuMs = 0;
    double wallMs = 0;
    int scans = 0; // complete scans the link reported
    qint64 bytes = 0;
    double senderLateMs = 0; // worst delay of a packet behind its schedule
    bool ok = false;
    double share() const { return wallMs > 0 ? cpuMs / wallMs : 0; }
};

// One paced run. withLink false: the bare socket, drained and discarded.
Share pacedRun(const QVector<ScanPackets> &scans, int scanCount, bool burst, bool withLink)
{
    Share result;
    PacedSender sender(scans, scanCount, burst);
    if (sender.port() == 0)
        return result;
    LinkState link;
    link.ConnectionKind = 1;
    link.EthernetMode = 0;
    EditData edit;
    SensorParameters params;
    ScanControl control;
    QTcpSocket tcp;
    std::unique_ptr<SERIAL_COMM> comm;
    if (withLink) {
        comm = std::make_unique<SERIAL_COMM>(nullptr, &link, &edit, &params, &control, &tcp, nullptr);
        comm->setDeviceClass(4);
        QObject::connect(comm.get(), &SERIAL_COMM::ReceiveScanfData, [&] { ++result.scans; });
    } else {
        QObject::connect(&tcp, &QIODevice::readyRead, [&] { result.bytes += tcp.readAll().size(); });
    }
    QEventLoop loop;
    QObject::connect(&tcp, &QAbstractSocket::disconnected, &loop, &QEventLoop::quit);
    QTimer::singleShot(scanCount * 1000 / kScanHz + 10000, &loop, &QEventLoop::quit); // a stuck run ends
    tcp.connectToHost(QHostAddress::LocalHost, sender.port());
    if (!tcp.waitForConnected(5000))
        return result;
    const double cpu0 = nowNs(CLOCK_THREAD_CPUTIME_ID);
    const double wall0 = nowNs(CLOCK_MONOTONIC);
    loop.exec();
    result.cpuMs = (nowNs(CLOCK_THREAD_CPUTIME_ID) - cpu0) / 1e6;
    result.wallMs = (nowNs(CLOCK_MONOTONIC) - wall0) / 1e6;
    result.ok = tcp.state() != QAbstractSocket::ConnectedState;
    result.senderLateMs = sender.worstLateMs();
    return result;
}

int fastMode(const QVector<ScanPackets> &scans, int scanCount)
{
    LinkState link;
    link.ConnectionKind = 1;
    EditData edit;
    SensorParameters params;
    ScanControl control;
    qint64 bytes = 0;
    for (int s = 0; s < scanCount; ++s)
        for (const QByteArray &p : scans.at(s % scans.size()))
            bytes += p.size();
    double best = 1e300, bestCopy = 1e300;
    int completed = 0;
    for (int round = 0; round < 5; ++round) {
        SERIAL_COMM comm(nullptr, &link, &edit, &params, &control, nullptr, nullptr);
        int n = 0;
        QObject::connect(&comm, &SERIAL_COMM::ReceiveScanfData, [&] { ++n; });
        QElapsedTimer t;
        t.start();
        for (int s = 0; s < scanCount; ++s)
            for (const QByteArray &p : scans.at(s % scans.size()))
                comm.receiveBytes(p);
        best = qMin(best, double(t.nsecsElapsed()));
        completed = n;

        // Baseline: the same bytes in the same pieces copied once.
        QByteArray sink(4096, '\0');
        volatile char guard = 0;
        t.start();
        for (int s = 0; s < scanCount; ++s)
            for (const QByteArray &p : scans.at(s % scans.size())) {
                std::memcpy(sink.data(), p.constData(), size_t(p.size()));
                guard = guard + sink.at(p.size() - 1);
            }
        bestCopy = qMin(bestCopy, double(t.nsecsElapsed()));
    }
    std::printf("fast: %d scans (%lld bytes, %d packets a scan): %.1f us per scan, %.1f x memcpy; "
                "%d complete scans reported\n",
                scanCount, static_cast<long long>(bytes), int(scans.first().size()), best / 1e3 / scanCount,
                best / bestCopy, completed);
    return completed == scanCount - 1 ? 0 : 1;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    int scanCount = 10 * kScanHz;
    const int at = args.indexOf(QStringLiteral("--scans"));
    if (at > 0 && at + 1 < args.size())
        scanCount = qMax(2, args.at(at + 1).toInt());
    const bool burst = args.contains(QStringLiteral("--burst"));
    const QVector<ScanPackets> scans = makeScans();

    if (args.contains(QStringLiteral("--fast")))
        return fastMode(scans, scanCount);

    const Share bare = pacedRun(scans, scanCount, burst, false);
    const Share linked = pacedRun(scans, scanCount, burst, true);
    if (!bare.ok || !linked.ok) {
        std::fprintf(stderr, "a run did not finish\n");
        return 1;
    }
    std::printf("%d scans of %d samples at %d Hz, %s, over loopback TCP:\n", scanCount,
                kPointsPerDegree * kScanDegrees, kScanHz,
                burst ? "each scan written at once" : "packets paced by the sweep");
    std::printf("  bare socket drain: %7.1f ms CPU in %7.1f ms, %5.2f %% of one core (%lld bytes)\n", bare.cpuMs,
                bare.wallMs, 100 * bare.share(), static_cast<long long>(bare.bytes));
    std::printf("  link ingest:       %7.1f ms CPU in %7.1f ms, %5.2f %% of one core, %d of %d scans complete\n",
                linked.cpuMs, linked.wallMs, 100 * linked.share(), linked.scans, scanCount);
    std::printf("  link / bare socket: %.2f x; worst packet %.1f / %.1f ms behind its schedule\n",
                bare.cpuMs > 0 ? linked.cpuMs / bare.cpuMs : 0.0, bare.senderLateMs, linked.senderLateMs);
    // The first scan only tells the link the resolution.
    return linked.scans == scanCount - 1 ? 0 : 1;
}
