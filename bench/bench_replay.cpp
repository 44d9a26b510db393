// Replay of a recording of the densest Ethernet stream of the family (0.025
// degree, 12,800 samples a scan, 15 scans a second, cut into HISN packets as
// the scanner emulator cuts them, with an IO status every 200 ms) into the
// link's receive path as fast as possible.
//
// Reported: how many times faster than real time the replay runs (the
// recording's duration over the replay's wall time), and as the baseline of
// the same run, the bare read of the file (preamble to end record, every
// checksum checked), with the replay's time as a ratio to it. Then what-if
// over the same file with three 100-point zones in the selected area: its
// time per scan as a fraction of the time between two scans.
//
//   bench_replay [--minutes N]   default 10 (about 470 MB written to a temporary folder)

#include "benchsupport.h"
#include "editdata.h"
#include "hisnpacketizer.h"
#include "livedata.h"
#include "recording.h"
#include "replayplayer.h"
#include "serial_comm.h"
#include "syntheticworld.h"
#include "whatif.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {
constexpr int kPointsPerDegree = 40;
constexpr int kScanHz = 15;

bool writeRecording(const QString &path, int minutes, qint64 *scans)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    RecordingHeader header;
    header.connectionKind = 1;
    file.write(encodeRecordingPreamble() + encodeRecordingHeader(header));
    // One second of the synthetic room, then repeated: the link's work does
    // not depend on which scan it is.
    const SyntheticWorld world(1);
    QVector<QVector<QByteArray>> distinct;
    for (int s = 0; s < kScanHz; ++s) {
        QVector<QByteArray> packets;
        for (const HisnPacket &p : packetizeScan(streamScan(world, s, s * 1000 / kScanHz, kPointsPerDegree, false)))
            packets << encodeHisnPacket(p);
        distinct << packets;
    }
    SimuStatus status;
    status.RotateSpeed = 900;
    const QByteArray io = encodeSimuReply(status);
    *scans = qint64(minutes) * 60 * kScanHz;
    for (qint64 s = 0; s < *scans; ++s) {
        const qint64 t = s * 1000000 / kScanHz;
        for (const QByteArray &packet : distinct.at(int(s % kScanHz)))
            file.write(encodeRecordingChunk({false, t, packet}));
        if (s % 3 == 0)
            file.write(encodeRecordingChunk({false, t + 1000, io}));
    }
    file.write(encodeRecordingEnd(*scans * 1000000 / kScanHz));
    return file.error() == QFile::NoError;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int minutes = 10;
    const QStringList args = app.arguments();
    const int at = args.indexOf(QStringLiteral("--minutes"));
    if (at > 0 && at + 1 < args.size())
        minutes = qMax(1, args.at(at + 1).toInt());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dense.qmrec"));
    qint64 scans = 0;
    if (!writeRecording(path, minutes, &scans)) {
        std::fprintf(stderr, "bench_replay: cannot write %s\n", qPrintable(path));
        return 1;
    }
    const double megabytes = double(QFile(path).size()) / 1e6;

    // Baseline: the file read record by record.
    QElapsedTimer clock;
    clock.start();
    {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        RecordingReader reader(&file);
        reader.open();
        RecordingChunk chunk;
        while (reader.next(chunk)) {
        }
    }
    const double readS = clock.nsecsElapsed() / 1e9;

    LinkState state;
    EditData edit;
    SensorParameters params = SensorParameters::defaults();
    ScanControl control;
    SERIAL_COMM link(nullptr, &state, &edit, &params, &control, nullptr, nullptr);
    qint64 assembled = 0;
    QObject::connect(&link, &SERIAL_COMM::ReceiveScanfData, [&assembled] { ++assembled; });
    ReplayPlayer player(&link, &state);
    clock.restart();
    QString message;
    if (!player.open(path, &message)) {
        std::fprintf(stderr, "bench_replay: %s\n", qPrintable(message));
        return 1;
    }
    const double indexS = clock.nsecsElapsed() / 1e9;
    player.setSpeed(ReplayPlayer::Fastest);
    QEventLoop loop;
    QObject::connect(&player, &ReplayPlayer::finished, &loop, &QEventLoop::quit);
    clock.restart();
    player.play();
    if (player.isPlaying())
        loop.exec();
    const double replayS = clock.nsecsElapsed() / 1e9;
    const double durationS = double(player.durationUs()) / 1e6;

    std::printf("recording: %d min of 12,800-sample scans at %d Hz, %lld scans, %.0f MB\n", minutes, kScanHz,
                static_cast<long long>(scans), megabytes);
    // The link starts a stream's assembly on the second scan: the first tells it the resolution.
    std::printf("scans assembled by the link: %lld\n", static_cast<long long>(assembled));
    std::printf("baseline, bare read of the file: %.2f s (%.0f MB/s)\n", readS, megabytes / readS);
    std::printf("opening (index pass): %.2f s\n", indexS);
    std::printf("replay as fast as possible: %.2f s = %.2f x the bare read\n", replayS, replayS / readS);
    std::printf("replay speed: %.1f x real time (%.0f s of recording)\n", durationS / replayS, durationS);

    QVector<AreaRecord> areas(EditData::AreaCount);
    areas[0].Out1Points = BenchSupport::ring(2500, 0.2, 0);
    areas[0].Out2Points = BenchSupport::ring(4000, 0.15, 1);
    areas[0].Out3Points = BenchSupport::ring(6000, 0.1, 2);
    clock.restart();
    const WhatIfResult whatIf = whatIfOfRecording(path, areas, false);
    const double whatIfS = clock.nsecsElapsed() / 1e9;
    const double perScanMs = whatIfS * 1e3 / qMax(1, whatIf.scans.size());
    std::printf("what-if over the recording: %.2f s for %d scans (%d compared) = %.3f ms a scan = %.4f of the "
                "%.1f ms between two scans\n",
                whatIfS, int(whatIf.scans.size()), whatIf.compared, perScanMs, perScanMs / (1000.0 / kScanHz),
                1000.0 / kScanHz);
    return assembled == scans - 1 ? 0 : 2;
}
