#pragma once

// The main window against the real scanner emulator: zones exactly
// representable on the wire, the scanner's flash for --state, and a rig that
// starts both. EMULATOR_PATH is set by the test's build.

#include "boundedwait.h"
#include "comparecontroller.h"
#include "emulatorprocess.h"
#include "emulatorstate.h"
#include "frames.h"
#include "areaframe.h"
#include "mainwindow.h"
#include "polar.h"
#include "scripteddialogs.h"
#include "serial_comm.h"
#include "shapekind.h"

#include <QAction>
#include <QDebug>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {
constexpr int kTick = 2;        // ms: faster than the real 20, same rules
constexpr int kTimeout = 1000;  // ms: well above any reply the emulator delays

// Zones exactly representable on the wire: polygon and rectangle points in
// ascending angle, arcs on whole degrees and millimetres.
inline QPoint arcPoint(int radius, int degrees) { return fromPolar(float(radius), float(degrees) * 0.017453292f); }

inline QVector<AreaRecord> exactAreas(int salt)
{
    QVector<AreaRecord> areas(64);
    for (int i = 0; i < 64; ++i) {
        AreaRecord &a = areas[i];
        a.OpenDelay = (i + salt) % 26;
        a.CloseDelay = (i * 3 + salt) % 26;
        a.Hysteresis = i % 11;
        a.DetectionSize = (i + salt) % 10;
        a.SteerMinDgree = -i - salt;
        a.SteerMaxDgree = i;
        a.VehicleMinSpeed = -100 * (i % 4);
        a.VehicleMaxSpeed = 50 * i + salt;
        a.VehicleOptionMode = i % 5;
        a.Out1Shape = i % 2 ? Rectangle : Polygon;
        a.Out1Points = {{2000 + i + salt, 100}, {1500, 1500 + salt}, {-10 - i, 3000}, {-2500, -200 - salt}};
        a.Out2Shape = Arc;
        a.Out2Points = {arcPoint(3000 + i, -10 - salt % 20), arcPoint(3000 + i, 190)};
        a.Out3Shape = Straight + (i + salt) % 3;
        a.Out3Points = {{0, 4000 + i * 10 + salt}};
    }
    return areas;
}

inline SensorParameters someParameters(int salt)
{
    SensorParameters p = SensorParameters::defaults();
    p.Words[0] = salt % 5;
    p.Words[4] = 1 + salt % 127;
    p.Words[13] = salt % 4;
    p.Words[23] = 100 + salt;
    return p;
}

// Equal, except that points travel in angular order and arcs in whole
// degrees and millimetres: an arc point may move by up to one degree along its
// circle and one millimetre out.
inline bool sameArea(const AreaRecord &a, const AreaRecord &b)
{
    AreaRecord x = a, y = b;
    for (int out = 0; out < 3; ++out) {
        for (AreaRecord *r : {&x, &y})
            std::stable_sort(r->points(out).begin(), r->points(out).end(), [](QPoint p, QPoint q) {
                return polarAngle(p.x(), p.y()) < polarAngle(q.x(), q.y());
            });
        if (a.shape(out) != Arc || b.shape(out) != Arc || a.points(out).size() != b.points(out).size())
            continue;
        for (int k = 0; k < x.points(out).size(); ++k) {
            const QPoint p = x.points(out)[k], q = y.points(out)[k];
            if (std::hypot(p.x() - q.x(), p.y() - q.y()) > std::hypot(p.x(), p.y()) * 0.0175 + 2)
                return false;
        }
        x.points(out).clear();
        y.points(out).clear();
    }
    return x == y;
}

inline bool sameAreas(const QVector<AreaRecord> &a, const QVector<AreaRecord> &b, QString *why)
{
    for (int i = 0; i < 64; ++i)
        if (!sameArea(a[i], b[i])) {
            QString pts;
            QDebug(&pts) << a[i].Out1Points << b[i].Out1Points << a[i].Out2Points << b[i].Out2Points
                         << a[i].Out3Points << b[i].Out3Points;
            *why = QStringLiteral("area %1 differs: %2").arg(i).arg(pts);
            return false;
        }
    return true;
}

// A scanner's flash holding these areas and parameters, for --state; the
// areas as a scanner mounted the way the parameters say holds them.
inline bool saveScannerState(const QString &file, const QVector<AreaRecord> &areas, const SensorParameters &stored)
{
    EmulatorState state = EmulatorState::factory();
    state.stored = stored;
    for (int i = 0; i < 64; ++i) {
        const AreaRecord &a = areas[i];
        state.areas[size_t(i)] = encodeAreaBlock(Command::RArea, i, a, stored.Words[14] != 0).frame;
        state.cases[size_t(i)] = {qint16(a.SteerMinDgree), qint16(a.SteerMaxDgree), qint16(a.VehicleMinSpeed),
                                  qint16(a.VehicleMaxSpeed), qint16(a.VehicleOptionMode)};
        if (state.areas[size_t(i)].isEmpty())
            return false;
    }
    return state.save(file, nullptr);
}

struct Rig
{
    EditData data;
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    Emulator emulator;
    std::unique_ptr<MainWindow> window;

    // The transfers' own tests see a write alone; the comparison's switch
    // the read-back after it on.
    bool verify = false;

    Rig() { dialogs.defaultAnswer = 1; } // "No" to the restart question

    bool start(const QStringList &args)
    {
        if (!emulator.start(args))
            return false;
        window = std::make_unique<MainWindow>(&data, &dialogs);
        window->linkController()->setIntervalsForTest(kTick, kTimeout);
        window->comparison()->setVerifyAfterWrite(verify);
        return true;
    }
    SERIAL_COMM *link() const { return window->linkController(); }
    QAction *action(const char *name) const { return window->findChild<QAction *>(QLatin1String(name)); }

    bool connect(const QString &transport)
    {
        if (transport == QLatin1String("pty"))
            return window->connectSerial(emulator.pty, {}, {});
        LinkState::instance().EthernetMode = transport == QLatin1String("udp") ? 1 : 0;
        return window->connectEthernet(QStringLiteral("127.0.0.1"), emulator.port);
    }
    bool transferDone() const
    {
        for (int r = 0; r < SERIAL_COMM::SimulationRequest; ++r)
            if (link()->isRequested(SERIAL_COMM::Request(r)) && r != SERIAL_COMM::ScanRequest
                && r != SERIAL_COMM::IntensityRequest)
                return false;
        return true;
    }
    int boxesSaying(const QString &text) const
    {
        return int(std::count_if(dialogs.boxes.begin(), dialogs.boxes.end(),
                                 [&](const ScriptedDialogs::Box &b) { return b.text == text; }));
    }
    // The emulator's log lines of one kind, e.g. "<- RBoot" or "-> WArea".
    QStringList logged(const QString &what)
    {
        QStringList out;
        for (const QString &line : emulator.log().split('\n'))
            if (line.contains(what))
                out << line;
        return out;
    }
};
} // namespace
