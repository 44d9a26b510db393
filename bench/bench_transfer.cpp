// Write-all then read-all against the real scanner emulator on loopback TCP,
// driven through SERIAL_COMM, as a ratio to the floor the protocol allows:
// one frame per 20 ms scheduler tick (frames sent by the scheduler x tick).
// 1.00 means the tool adds nothing above the protocol's own pace.
//
//   bench_transfer [cycles] [--nodelay]   default 3 write-all/read-all cycles;
//       --nodelay: the link's socket without Nagle's delay (TCP_NODELAY)
//
// Run it through scripts/netns-run.

#include "emulatorprocess.h"
#include "dialogseam.h"
#include "editdata.h"
#include "serial_comm.h"
#include "shapekind.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
// Answers every box at once with its second button ("No" to the restart
// question), so nothing waits for a user.
class AnsweringDialogs : public DialogSeam
{
public:
    AnsweringDialogs() { DialogSeam::install(this); }
    ~AnsweringDialogs() override { DialogSeam::install(nullptr); }
    int boxes = 0;
    int ask(Icon, const QString &, const QString &, const QStringList &, int) override
    {
        ++boxes;
        return 1;
    }
    void notify(Icon, const QString &, const QString &, const QString &) override { ++boxes; }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    void progressShow(const QString &, int) override {}
    void progressSetTitle(const QString &) override {}
    void progressSetValue(int) override {}
    void progressClose() override {}
};

// The link's TCP socket, counting the frames the link writes (one write each).
class CountingSocket : public QTcpSocket
{
public:
    int frames = 0;
    int immediateFrames = 0; // RAuto, sent at once rather than on a tick
    QElapsedTimer clock;
    QVector<double> tickFrameMs; // when each scheduler frame left

protected:
    qint64 writeData(const char *data, qint64 size) override
    {
        ++frames;
        if (size >= 5 && QByteArray::fromRawData(data, 5) == "RAuto")
            ++immediateFrames;
        else
            tickFrameMs << double(clock.nsecsElapsed()) / 1e6;
        return QTcpSocket::writeData(data, size);
    }
};

// 64 areas of the kind a vehicle carries: a protective polygon ahead (or a
// rectangle, or an arc), warning zones derived from it, case conditions.
void fillAreas(EditData &edit)
{
    for (int i = 0; i < EditData::AreaCount; ++i) {
        AreaRecord a;
        a.OpenDelay = i % 26;
        a.CloseDelay = (3 * i) % 26;
        a.Hysteresis = i % 11;
        a.DetectionSize = i % 10;
        a.SteerMinDgree = -90 + i;
        a.SteerMaxDgree = 90 - i;
        a.VehicleMinSpeed = 10 * i;
        a.VehicleMaxSpeed = 10 * i + 500;
        a.VehicleOptionMode = i % 5;
        const int reach = 800 + 40 * i; // mm ahead
        if (i % 4 == 1) {
            a.Out1Shape = Rectangle;
            a.Out1Points = {{600, 0}, {600, reach}, {-600, reach}, {-600, 0}};
        } else if (i % 4 == 3) {
            a.Out1Shape = Arc;
            a.Out1Points = {{reach, 0}, {-reach, 0}};
        } else {
            // Wider near the vehicle, narrowing ahead: 24 points from right to left.
            a.Out1Shape = Polygon;
            for (int k = 0; k < 24; ++k) {
                const double angle = (-20.0 + 220.0 * k / 23.0) * M_PI / 180.0;
                const double r = reach * (0.6 + 0.4 * std::sin(angle < 0 ? 0 : angle)) + 7 * k;
                a.Out1Points << QPoint(int(r * std::cos(angle)), int(r * std::sin(angle)));
            }
        }
        a.Out2Shape = Fan;
        a.Out2Points = {{0, reach + 500}};
        a.Out3Shape = Ratio;
        a.Out3Points = {{0, reach + 1500}};
        edit.Areas[i] = a;
    }
}

struct Phase
{
    double ms = 0;
    int frames = 0;        // every frame the link wrote
    int tickFrames = 0;    // frames the scheduler sent, one per tick at best
    // Where the time above the floor went: the wait for the first tick, the
    // ticks that sent nothing, and the last reply after the last frame.
    double firstWaitMs = 0;
    int idleTicks = 0;
    double lastReplyMs = 0;
    double floorMs() const { return tickFrames * double(SERIAL_COMM::SendInterval); }
};

bool allClear(const SERIAL_COMM &comm)
{
    for (int r = 0; r < SERIAL_COMM::RequestCount; ++r)
        if (comm.isRequested(SERIAL_COMM::Request(r)))
            return false;
    return comm.pendingCommand() == 0;
}

// Starts a sequence and waits until every flag is clear and no reply is awaited.
template <typename Start>
bool runPhase(SERIAL_COMM &comm, CountingSocket &socket, Start start, Phase *phase)
{
    const int frames0 = socket.frames;
    const int immediate0 = socket.immediateFrames;
    socket.tickFrameMs.clear();
    QEventLoop loop;
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (allClear(comm))
            loop.quit();
    });
    QTimer::singleShot(60000, &loop, [&] { loop.exit(1); });
    socket.clock.start();
    start();
    poll.start();
    const bool ok = loop.exec() == 0;
    phase->ms = double(socket.clock.nsecsElapsed()) / 1e6;
    phase->frames = socket.frames - frames0;
    phase->tickFrames = phase->frames - (socket.immediateFrames - immediate0);
    const QVector<double> &at = socket.tickFrameMs;
    if (!at.isEmpty()) {
        phase->firstWaitMs = at.first();
        phase->lastReplyMs = phase->ms - at.last();
        for (int i = 1; i < at.size(); ++i)
            phase->idleTicks += qMax(0, int(std::lround((at[i] - at[i - 1]) / SERIAL_COMM::SendInterval)) - 1);
    }
    return ok;
}

// Areas that came back as they were sent, the documented rounding aside:
// polygons are compared by their points in any order, arcs by point count.
int areasBack(const EditData &sent, const EditData &got)
{
    int same = 0;
    for (int i = 0; i < EditData::AreaCount; ++i) {
        const AreaRecord &a = sent.Areas.at(i);
        const AreaRecord &b = got.Areas.at(i);
        auto sorted = [](QVector<QPoint> v) {
            std::sort(v.begin(), v.end(),
                      [](QPoint p, QPoint q) { return p.x() != q.x() ? p.x() < q.x() : p.y() < q.y(); });
            return v;
        };
        const bool out1 = a.Out1Shape == Arc ? b.Out1Points.size() == 2 : sorted(a.Out1Points) == sorted(b.Out1Points);
        if (out1 && a.Out1Shape == b.Out1Shape && a.Out2Points == b.Out2Points && a.Out3Points == b.Out3Points
            && a.SteerMinDgree == b.SteerMinDgree && a.VehicleMaxSpeed == b.VehicleMaxSpeed
            && a.DetectionSize == b.DetectionSize)
            ++same;
    }
    return same;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const bool noDelay = args.contains(QStringLiteral("--nodelay"));
    int cycles = 3;
    for (const QString &a : args)
        if (a.toInt() > 0)
            cycles = a.toInt();
    AnsweringDialogs dialogs;
    Emulator emulator;
    if (!emulator.start({QStringLiteral("-q")})) {
        std::fprintf(stderr, "cannot start the scanner emulator\n");
        return 1;
    }

    LinkState link;
    link.ConnectionKind = 1;
    link.EthernetMode = 0;
    EditData edit;
    fillAreas(edit);
    const EditData sent = edit;
    SensorParameters params;
    params.Words[23] = 500;
    ScanControl control;
    CountingSocket tcp;
    tcp.connectToHost(QHostAddress::LocalHost, emulator.port);
    if (!tcp.waitForConnected(5000)) {
        std::fprintf(stderr, "cannot connect to the emulator\n");
        return 1;
    }
    if (noDelay)
        tcp.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    SERIAL_COMM comm(nullptr, &link, &edit, &params, &control, &tcp, nullptr);

    std::printf("write-all + read-all against the emulator over loopback TCP%s, floor = scheduler frames x %d ms\n",
                noDelay ? " (TCP_NODELAY)" : "", SERIAL_COMM::SendInterval);
    QVector<double> ratios;
    bool allOk = true;
    for (int c = 0; c < cycles; ++c) {
        Phase write, read;
        edit = sent;
        const bool ok = runPhase(comm, tcp, [&] { comm.WriteSensorAllDataSlots(); }, &write)
            && runPhase(comm, tcp, [&] { comm.ReadSensorAllDataSlots(); }, &read);
        const int back = areasBack(sent, edit);
        allOk = allOk && ok && back == EditData::AreaCount;
        const double ms = write.ms + read.ms;
        const double floorMs = write.floorMs() + read.floorMs();
        ratios << ms / floorMs;
        std::printf("cycle %d: write-all %4d frames (%3d on ticks) %7.1f ms = %.3f x floor; "
                    "read-all %4d frames (%3d on ticks) %7.1f ms = %.3f x floor; together %.3f x; "
                    "%d/64 areas back%s\n",
                    c + 1, write.frames, write.tickFrames, write.ms, write.ms / write.floorMs(), read.frames,
                    read.tickFrames, read.ms, read.ms / read.floorMs(), ms / floorMs, back,
                    ok ? "" : " (TIMED OUT)");
        std::printf("         above the floor: first tick after %.1f + %.1f ms, %d + %d idle ticks, "
                    "last reply %.1f + %.1f ms\n",
                    write.firstWaitMs, read.firstWaitMs, write.idleTicks, read.idleTicks, write.lastReplyMs,
                    read.lastReplyMs);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("median %.3f x floor, best %.3f x; %d boxes answered\n", ratios.at(ratios.size() / 2),
                ratios.first(), dialogs.boxes);
    return allOk ? 0 : 1;
}
