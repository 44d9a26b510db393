// Save and open of a full project (64 areas, 100 points per output) with the
// real writer and reader, each as a ratio to writing or reading the same bytes
// with a plain QFile in the same run. Lower is better.

#include "editdata.h"
#include "projectfile.h"

#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {
EditData fullProject()
{
    EditData d;
    for (int i = 0; i < EditData::AreaCount; ++i) {
        AreaRecord &a = d.Areas[i];
        a.OpenDelay = i % 26;
        a.SteerMinDgree = -180 + i;
        a.VehicleMaxSpeed = 300 - i;
        a.Out2Shape = i % 6;
        for (int out = 0; out < EditData::OutputCount; ++out)
            for (int k = 0; k < 100; ++k)
                a.points(out).append(QPoint(-30000 + 600 * k + i, 25000 - 250 * k - out));
    }
    return d;
}

SensorDockState sensors()
{
    SensorDockState s{};
    for (int i = 0; i < kSensorDockRows; ++i)
        s[i] = i * 7;
    return s;
}

template <typename F> double bestOf(int rounds, F f)
{
    double best = 1e300;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        f();
        best = qMin(best, double(t.nsecsElapsed()));
    }
    return best;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("plan.VQ30"));
    const QString plain = dir.filePath(QStringLiteral("plain.VQ30"));
    const EditData data = fullProject();
    const SensorDockState state = sensors();
    const QDate today(2024, 8, 21);
    const int rounds = 30;

    const double save = bestOf(rounds, [&] {
        QSaveFile file(project);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
            qFatal("cannot write %s", qPrintable(project));
        QTextStream out(&file);
        writeProjectFile(out, 3, state, data, today);
        if (!file.commit())
            qFatal("commit failed");
    });
    QFile written(project);
    if (!written.open(QIODevice::ReadOnly))
        qFatal("cannot read back");
    const QByteArray bytes = written.readAll();
    written.close();
    const double plainWrite = bestOf(rounds, [&] {
        QFile file(plain);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(plain));
    });

    bool same = true;
    EditData read; // as in the program, the file is read into an existing editing state
    const double open = bestOf(rounds, [&] {
        QFile file(project);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            qFatal("cannot open");
        QTextStream in(&file);
        SensorDockState back{};
        same = readProjectFile(in, back, read) == 3 && back == state && same;
    });
    same = same && read.Areas == data.Areas;
    qint64 sink = 0;
    const double plainRead = bestOf(rounds, [&] {
        QFile file(plain);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot open");
        sink += file.readAll().size();
    });
    if (!same || sink == 0)
        qFatal("the project did not read back as written");

    std::printf("project file of %d bytes (64 areas, 100 points per output), best of %d:\n", int(bytes.size()),
                rounds);
    std::printf("  save %7.2f ms, %5.1f x plain QFile write (%.2f ms)\n", save / 1e6, save / plainWrite,
                plainWrite / 1e6);
    std::printf("  open %7.2f ms, %5.1f x plain QFile read  (%.2f ms)\n", open / 1e6, open / plainRead,
                plainRead / 1e6);
    return 0;
}
