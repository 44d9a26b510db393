#pragma once

// Shared by the benchmarks: the median time of repeated runs, and the wavy
// polygon zones the editor benchmarks draw.

#include "editdata.h"
#include "option_scene.h"
#include "viewwindow.h"

#include <QElapsedTimer>
#include <QGraphicsScene>
#include <QPoint>
#include <QVector>

#include <algorithm>
#include <ctime>
#include <limits>
#include <utility>
#include <cmath>
#include <vector>

namespace BenchSupport {

template <typename F>
double medianNs(int runs, F f)
{
    std::vector<qint64> t;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        f();
        t.push_back(timer.nsecsElapsed());
    }
    std::sort(t.begin(), t.end());
    return double(t[t.size() / 2]);
}

// Processor time of this thread, in nanoseconds.
inline qint64 threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// The fastest run of a and of b, taken in turns, in thread processor time.
using Pair = std::pair<double, double>;
template <typename A, typename B>
Pair fastestInTurns(int runs, A a, B b)
{
    qint64 bestA = std::numeric_limits<qint64>::max(), bestB = bestA;
    for (int i = 0; i < runs; ++i) {
        qint64 t0 = threadCpuNs();
        a();
        bestA = std::min(bestA, threadCpuNs() - t0);
        t0 = threadCpuNs();
        b();
        bestB = std::min(bestB, threadCpuNs() - t0);
    }
    return {double(bestA), double(bestB)};
}

// A 100-point zone around the scanner, 300 degrees wide, its radius wobbling.
inline QVector<QPoint> ring(double radius, double wobble, int phase)
{
    QVector<QPoint> pts;
    for (int i = 0; i < 100; ++i) {
        const double a = (-60.0 + 300.0 * i / 99) * 3.14159265358979 / 180.0;
        const double r = radius * (1.0 + wobble * std::sin(7 * a + phase));
        pts << QPoint(int(r * std::cos(a)), int(r * std::sin(a)));
    }
    return pts;
}

// The editor view of a class-30 project with three wavy zones, 1000 x 700,
// wired as the main window wires it and shown.
struct Editor
{
    EditData data;
    int deviceClass = 3;
    QGraphicsScene scene;
    ViewWindow view;
    OPTION_SCENE controller;

    explicit Editor(LinkState *link) : controller(&deviceClass, &scene, &data, link, view.zoneItemList())
    {
        QObject::connect(&view, qOverload<double>(&ViewWindow::ChangeSetupMatrix), &controller,
                         &OPTION_SCENE::ChangeScaleSize);
        AreaRecord &area = data.currentArea();
        area.Out1Points = ring(5000, 0.15, 0);
        area.Out2Points = ring(3500, 0.1, 1);
        area.Out3Points = ring(2000, 0.1, 2);
        view.setScene(&scene);
        view.resize(1000, 700);
        view.SetDeviceClass(&deviceClass);
        controller.CoordTableUpdatePointItem();
    }
};

} // namespace BenchSupport
