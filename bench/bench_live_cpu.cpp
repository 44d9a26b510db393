// Share of one core the whole program (link, scan assembly, live display, data
// table, every other part of the window) uses while the scanner emulator
// streams its densest scans over loopback TCP: 0.025 degree, 12,800 samples a
// scan, 15 scans a second. The window runs with the live outline shown, and
// with "table" the data table dock open as well.
//
// The baseline, measured in the same run, is the same stream drained by a
// bare QTcpSocket. Both are process CPU time over wall time.
//
//   bench_live_cpu [seconds] [graph|cloud|line] [table]   (default 10 s, graph)
//
// Run it through scripts/netns-run (the window searches for scanners at start).

#include "emulatorprocess.h"
#include "emulatorstate.h"
#include "frames.h"
#include "linkstate.h"
#include "mainwindow.h"
#include "scripteddialogs.h"
#include "serial_comm.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>

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

    // Baseline: the stream drained by a bare socket.
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

    // Answers the read-all's message itself: it would wait for a click.
    ScriptedDialogs dialogs;
    EditData data;
    MainWindow window(&data, &dialogs);
    window.resize(1280, 800);
    window.show();
    if (mode == QLatin1String("cloud"))
        window.findChild<QAction *>(QStringLiteral("DispCloud"))->trigger();
    else if (mode == QLatin1String("line"))
        window.findChild<QAction *>(QStringLiteral("DispLine"))->trigger();
    int reads = 0, scans = 0;
    QObject::connect(window.linkController(), &SERIAL_COMM::ReceiveAreaData, [&] { ++reads; });
    QObject::connect(window.linkController(), &SERIAL_COMM::ReceiveScanfData, [&] { ++scans; });
    if (!window.connectEthernet(QStringLiteral("127.0.0.1"), emulator.port)
        || !waitFor([&] { return reads > 0 && scans > 0; }, 30000)) {
        std::fprintf(stderr, "bench_live_cpu: no read-all or no scans from the emulator\n");
        return 1;
    }
    if (table)
        window.findChild<QAction *>(QStringLiteral("DataTable"))->trigger();
    measure(1.0); // settle
    scans = 0;
    const Share program = measure(seconds);
    const int samples = LinkState::instance().NetScanLength;

    std::printf("bench_live_cpu: %.0f s, %s mode%s, %d samples a scan, %.1f scans/s displayed\n", seconds,
                qPrintable(mode), table ? ", data table shown" : "", samples, scans / program.wall);
    std::printf("  bare socket draining the stream  %.3f of one core (%.1f MB/s)\n", bare.fraction(),
                double(bareBytes) / bare.wall / 1e6);
    std::printf("  whole program                    %.3f of one core\n", program.fraction());
    std::printf("  ratio                            %.1f\n", bare.fraction() > 0 ? program.fraction() / bare.fraction() : 0);
    window.CloseSerialPort();
    return 0;
}
