// Share of one core the whole program (link, scan assembly, live display, data
// table, every other part of the window) uses while the scanner emulator
// streams its densest scans over loopback TCP: 0.025 degree, 12,800 samples a
// scan, 15 scans a second. The window runs with the live outline shown, and
// with "table" the data table dock open as well.
//
// The baseline, measured in the same run, is the least a live display can
// cost: a bare window of the same size that reads the same stream, cuts it
// into scans and paints each as one polyline at the window's starting zoom
// (goal: the program at most 1.5 times that). A bare socket draining the
// stream is shown beside it. All are process CPU time over wall time.
//
// Offscreen (the default) only the raster viewport exists. On a real X
// server both viewports are measured, raster and OpenGL, whatever renderer
// the context has:
//
//   bench_live_cpu [seconds] [graph|cloud|line] [table]   (default 10 s, graph)
//   QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1400x900x24" bench_live_cpu ...
//
// Run it through scripts/netns-run (the window searches for scanners at start).

#include "emulatorprocess.h"
#include "emulatorstate.h"
#include "frames.h"
#include "framing.h"
#include "linkstate.h"
#include "livedata.h"
#include "livescan.h"
#include "mainwindow.h"
#include "scripteddialogs.h"
#include "serial_comm.h"
#include "viewportchoice.h"
#include "viewwindow.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QPainter>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {
double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Share
{
    double cpu = 0;
    double wall = 0;
    double fraction() const { return wall > 0 ? cpu / wall : 0; }
};

// Runs the event loop for the given time and measures the process meanwhile.
Share measure(double seconds)
{
    const double cpu0 = cpuSeconds();
    QElapsedTimer clock;
    clock.start();
    // A real event loop: polling processEvents would spin and count itself.
    QEventLoop loop;
    QTimer::singleShot(int(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    return {cpuSeconds() - cpu0, double(clock.nsecsElapsed()) / 1e9};
}

bool waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

const QSize kWindowSize(1280, 800);

// The baseline display: the stream read by a bare socket, cut into scans by
// the link's own assembler, each scan one polyline at the scale the editor
// starts with (class 30, the whole scene in view).
class PolylineWindow : public QWidget
{
public:
    explicit PolylineWindow(quint16 port)
    {
        resize(kWindowSize);
        QObject::connect(&socket, &QTcpSocket::readyRead, this, [this] { read(); });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    bool start()
    {
        if (!socket.waitForConnected(3000))
            return false;
        socket.write(encodeRAuto(1));
        return true;
    }
    void stop()
    {
        socket.write(encodeRAuto(0));
        socket.waitForBytesWritten(1000);
    }
    int scans = 0;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        p.translate(width() / 2.0, height() / 2.0);
        p.scale(kScale, kScale);
        p.setPen(QPen(Qt::green, 0));
        p.drawPolyline(polygon);
    }

private:
    void read()
    {
        rx += socket.readAll();
        QByteArray bytes;
        while (cutHisnPacket(rx, &bytes)) {
            const std::optional<HisnPacket> packet = decodeHisnPacket(bytes);
            if (packet && assembler.add(*packet, *link, 0xFFFF)) {
                LiveScan::buildPolygon(*link, LiveScan::Plot::Distance, polygon);
                ++scans;
                update();
            }
        }
    }

    const double kScale = std::pow(2.0, -6.1);
    QTcpSocket socket;
    QByteArray rx;
    std::unique_ptr<LinkState> link = [] {
        auto l = std::make_unique<LinkState>();
        l->ConnectionKind = 1;
        return l;
    }();
    HisnAssembler assembler;
    QPolygonF polygon;
};

struct ProgramRun
{
    Share share;
    double scansPerSecond = 0;
    bool openGL = false;
    bool ok = false;
    int samples = 0;
};

// The whole program, its view forced to one viewport.
ProgramRun runProgram(quint16 port, double seconds, const QString &mode, bool table, ViewportChoice::Mode viewport)
{
    qputenv(ViewportChoice::EnvironmentVariable, ViewportChoice::name(viewport).toLatin1());
    ProgramRun run;
    // Answers the read-all's message itself: it would wait for a click.
    ScriptedDialogs dialogs;
    EditData data;
    MainWindow window(&data, &dialogs);
    qunsetenv(ViewportChoice::EnvironmentVariable);
    run.openGL = window.findChild<ViewWindow *>(QStringLiteral("graphicsView"))->usesOpenGL();
    window.resize(kWindowSize);
    window.show();
    if (mode == QLatin1String("cloud"))
        window.findChild<QAction *>(QStringLiteral("DispCloud"))->trigger();
    else if (mode == QLatin1String("line"))
        window.findChild<QAction *>(QStringLiteral("DispLine"))->trigger();
    int reads = 0, scans = 0;
    QObject::connect(window.linkController(), &SERIAL_COMM::ReceiveAreaData, [&] { ++reads; });
    QObject::connect(window.linkController(), &SERIAL_COMM::ReceiveScanfData, [&] { ++scans; });
    if (!window.connectEthernet(QStringLiteral("127.0.0.1"), port)
        || !waitFor([&] { return reads > 0 && scans > 0; }, 30000)) {
        std::fprintf(stderr, "bench_live_cpu: no read-all or no scans from the emulator\n");
        return run;
    }
    if (table)
        window.findChild<QAction *>(QStringLiteral("DataTable"))->trigger();
    measure(1.0); // settle
    scans = 0;
    run.share = measure(seconds);
    run.scansPerSecond = scans / run.share.wall;
    run.ok = true;
    run.samples = LinkState::instance().NetScanLength;
    window.CloseSerialPort();
    return run;
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? qMax(1.0, atof(argv[1])) : 10.0;
    const QString mode = argc > 2 ? QString::fromLatin1(argv[2]) : QStringLiteral("graph");
    const bool table = app.arguments().contains(QStringLiteral("table"));

    // The densest the family offers: a 15/30 Hz type at 0.025 degree, 15 Hz.
    QTemporaryDir dir;
    EmulatorState state = EmulatorState::factory();
    state.stored.Words[11] = 0;
    state.stored.Words[12] = 0;
    state.stored.Words[17] = 0;
    const QString stateFile = dir.filePath(QStringLiteral("state.json"));
    QString error;
    if (!state.save(stateFile, &error)) {
        std::fprintf(stderr, "bench_live_cpu: %s\n", qPrintable(error));
        return 1;
    }
    Emulator emulator;
    if (!emulator.start({QStringLiteral("-q"), QStringLiteral("--type"), QStringLiteral("18"),
                         QStringLiteral("--state"), stateFile})) {
        std::fprintf(stderr, "bench_live_cpu: the emulator did not start\n");
        return 1;
    }

    // The stream drained by a bare socket.
    Share bare;
    qint64 bareBytes = 0;
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, emulator.port);
        if (!socket.waitForConnected(3000))
            return 1;
        QObject::connect(&socket, &QTcpSocket::readyRead, [&] { bareBytes += socket.readAll().size(); });
        socket.write(encodeRAuto(1));
        waitFor([&] { return bareBytes > 0; }, 3000);
        bareBytes = 0;
        bare = measure(seconds);
        socket.write(encodeRAuto(0));
        socket.waitForBytesWritten(1000);
    }

    // The baseline display.
    Share baseline;
    double baselineScans = 0;
    {
        PolylineWindow window(emulator.port);
        window.show();
        if (!window.start() || !waitFor([&] { return window.scans > 0; }, 10000)) {
            std::fprintf(stderr, "bench_live_cpu: the polyline window got no scans\n");
            return 1;
        }
        measure(1.0);
        window.scans = 0;
        baseline = measure(seconds);
        baselineScans = window.scans / baseline.wall;
        window.stop();
    }

    const bool display = QGuiApplication::platformName() != QLatin1String("offscreen");
    const ProgramRun raster = runProgram(emulator.port, seconds, mode, table, ViewportChoice::Mode::Raster);
    ProgramRun gl;
    if (display && !ViewWindow::openGLRenderer().isEmpty())
        gl = runProgram(emulator.port, seconds, mode, table, ViewportChoice::Mode::OpenGL);
    if (!raster.ok)
        return 1;

    const int samples = raster.samples;
    const auto ratio = [&](const Share &s) { return baseline.fraction() > 0 ? s.fraction() / baseline.fraction() : 0; };
    std::printf("bench_live_cpu: %.0f s, %s mode%s, platform %s, window %dx%d, %d samples a scan\n", seconds,
                qPrintable(mode), table ? ", data table shown" : "", qPrintable(QGuiApplication::platformName()),
                kWindowSize.width(), kWindowSize.height(), samples);
    std::printf("  bare socket draining the stream   %.3f of one core (%.1f MB/s)\n", bare.fraction(),
                double(bareBytes) / bare.wall / 1e6);
    std::printf("  polyline window (baseline)        %.3f of one core, %.1f scans/s\n", baseline.fraction(),
                baselineScans);
    std::printf("  whole program, raster viewport    %.3f of one core, %.1f scans/s, ratio %.2f (goal 1.5)\n",
                raster.share.fraction(), raster.scansPerSecond, ratio(raster.share));
    if (gl.ok)
        std::printf("  whole program, OpenGL viewport    %.3f of one core, %.1f scans/s, ratio %.2f (%s%s)\n",
                    gl.share.fraction(), gl.scansPerSecond, ratio(gl.share), qPrintable(ViewWindow::openGLRenderer()),
                    gl.openGL ? "" : "; no OpenGL viewport was made");
    else
        std::printf("  whole program, OpenGL viewport    not measured: %s\n",
                    display ? "no OpenGL context" : "no display (run under Xvfb with QT_QPA_PLATFORM=xcb)");
    return 0;
}
