// Upload then download of a full configuration (64 areas, three 100-point
// zones each) through the quillmark-cli program against the real scanner
// emulator on loopback, as a ratio to the floor the protocol allows: the
// frames the emulator received x the 20 ms scheduler tick. The time counted
// is the whole command: start, connection, transfer, file, exit.
//
//   bench_cli_transfer [cycles] [tcp|udp|pty]   default 3 cycles over TCP
//
// Run it through scripts/netns-run.

#include "emulatorprocess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr int kTickMs = 20;

// A class-30 project whose every output is a wavy 100-point polygon.
bool writeFullProject(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out << "ZTL_VQ_30\nSensorSetting\n";
    const int rows[27] = {0, 0, 0, 0, 127, 0, 0, 0, 127, 0, 0, 1, 1, 0, 0, 2, 2, 0, 192, 168, 1, 10, 0, 1, 1, 200, 500};
    for (int v : rows)
        out << v << '\n';
    out << "CoordTableData\n";
    for (int area = 0; area < 64; ++area) {
        out << area << '\n';
        for (int v : {1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})
            out << v << '\n';
        for (int output = 0; output < 3; ++output) {
            out << "Out" << output + 1 << "CoordStr\n";
            const double radius = 1000.0 * (output + 1) + 50.0 * area;
            for (int i = 0; i < 100; ++i) {
                const double a = (-40.0 + 260.0 * i / 99) * M_PI / 180.0;
                const double r = radius * (1.0 + 0.1 * std::sin(5 * a + area));
                out << int(r * std::cos(a)) << ',' << int(r * std::sin(a)) << '\n';
            }
            out << "Out" << output + 1 << "CoordEnd\n";
        }
    }
    out << "CoordTableDataEnd\nZTL_LASER_VQ_INFORMATION\n2026-01-01\nSOFTWARE VERSION 1.5.1\n";
    return out.status() == QTextStream::Ok;
}

struct Step
{
    double ms = 0;
    int frames = 0;
    int status = -1;
    double ratio() const { return ms / (frames * double(kTickMs)); }
};

// Frames the emulator has logged as received so far.
int received(Emulator &e)
{
    // Pull the log in until it has been quiet for 100 ms.
    e.process.setReadChannel(QProcess::StandardError);
    while (e.process.waitForReadyRead(100))
        e.log();
    return e.log().count(QStringLiteral(" <- "));
}

Step runCli(Emulator &e, const QStringList &args)
{
    const int before = received(e);
    QProcess p;
    QElapsedTimer clock;
    clock.start();
    p.start(QStringLiteral(CLI_PATH), args);
    p.waitForFinished(120000);
    Step s;
    s.ms = double(clock.nsecsElapsed()) / 1e6;
    s.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    s.frames = received(e) - before;
    return s;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int cycles = 3;
    QString kind = QStringLiteral("tcp");
    for (const QString &a : app.arguments().mid(1)) {
        if (a == QLatin1String("tcp") || a == QLatin1String("udp") || a == QLatin1String("pty"))
            kind = a;
        else if (a.toInt() > 0)
            cycles = a.toInt();
    }
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("full.VQ30"));
    const QString back = dir.filePath(QStringLiteral("back.VQ30"));
    if (!writeFullProject(project)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(project));
        return 1;
    }
    Emulator e;
    if (!e.start({})) {
        std::fprintf(stderr, "emulator did not start\n");
        return 1;
    }
    const QString scanner = kind == QLatin1String("pty") ? QStringLiteral("serial:") + e.pty
                                                         : QStringLiteral("%1:127.0.0.1:%2").arg(kind).arg(e.port);
    std::printf("quillmark-cli upload + download of 64 areas x 3 x 100 points over %s, floor = frames x %d ms\n",
                qPrintable(kind), kTickMs);
    QVector<double> ratios;
    for (int c = 0; c < cycles; ++c) {
        const Step up = runCli(e, {QStringLiteral("upload"), project, scanner});
        const Step down = runCli(e, {QStringLiteral("download"), scanner, back});
        if (up.status != 0 || down.status != 0) {
            std::fprintf(stderr, "cycle %d: exit status %d / %d\n", c + 1, up.status, down.status);
            return 1;
        }
        const double ratio = (up.ms + down.ms) / ((up.frames + down.frames) * double(kTickMs));
        ratios << ratio;
        std::printf("cycle %d: upload %3d frames %7.1f ms = %.3f x floor; download %3d frames %7.1f ms = %.3f x "
                    "floor; together %.3f x\n",
                    c + 1, up.frames, up.ms, up.ratio(), down.frames, down.ms, down.ratio(), ratio);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("median %.3f x floor, best %.3f x\n", ratios.at(ratios.size() / 2), ratios.first());
    return 0;
}
