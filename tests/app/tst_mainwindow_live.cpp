// The live display of the main window against the real scanner emulator,
// over a pseudo-terminal and over TCP: the drawn outline is the scanner's
// latest scan and follows the emulator's moving obstacle; the data table
// lists the serial scan and is offered only while connected.

#include "emulatorprocess.h"
#include "linkstate.h"
#include "mainwindow.h"
#include "option_scene.h"
#include "paint_outline.h"
#include "scripteddialogs.h"
#include "serial_comm.h"
#include "viewwindow.h"

#include <QAction>
#include <QDockWidget>
#include <QPainter>
#include <QTableWidget>
#include <QtTest>
#include <cmath>
#include <memory>

namespace {
constexpr int kTick = 2;       // ms: faster than the real 20, same rules
constexpr int kTimeout = 1000; // ms

// The emulator's room: walls at least 3.5 m away on every side in front,
// one round obstacle moving across at 2.2 m ahead. A point of the outline
// ahead of the scanner and nearer than 3 m lies on the obstacle.
constexpr double kObstacleReach = 3000;

struct Rig
{
    EditData data;
    ScriptedDialogs dialogs;
    Emulator emulator;
    std::unique_ptr<MainWindow> window;

    Rig() { dialogs.defaultAnswer = 1; }
    ~Rig() { LinkState::instance() = LinkState(); }

    bool start()
    {
        if (!emulator.start({QStringLiteral("-q")}))
            return false;
        window = std::make_unique<MainWindow>(&data, &dialogs);
        window->linkController()->setIntervalsForTest(kTick, kTimeout);
        return true;
    }
    bool connect(const QString &transport)
    {
        if (transport == QLatin1String("pty"))
            return window->connectSerial(emulator.pty, {}, {});
        LinkState::instance().EthernetMode = 0;
        return window->connectEthernet(QStringLiteral("127.0.0.1"), emulator.port);
    }
    template <typename T> T *child(const char *name) const { return window->findChild<T *>(QLatin1String(name)); }
    PAINT_OUTLINE *outline() const { return window->sceneController()->paintOutline(); }

    // Paints the view as the screen would and returns the outline as drawn.
    QPolygonF paintView() const
    {
        auto *view = child<ViewWindow>("graphicsView");
        QImage image(view->viewport()->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        view->render(&painter);
        return outline()->paintedPolygon();
    }
};

// Mean model x of the outline's points on the obstacle; NaN when fewer than three.
double obstacleX(const QPolygonF &outline)
{
    double sum = 0;
    int count = 0;
    for (const QPointF &p : outline)
        if (p.y() < 0 && std::hypot(p.x(), p.y()) < kObstacleReach) {
            sum += p.x();
            ++count;
        }
    return count >= 3 ? sum / count : std::nan("");
}
} // namespace

class TestMainWindowLive : public QObject
{
    Q_OBJECT
private slots:
    void outlineFollowsTheObstacle_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::newRow("serial line") << "pty";
        QTest::newRow("tcp") << "tcp";
    }
    void outlineFollowsTheObstacle()
    {
        QFETCH(QString, transport);
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.connect(transport));
        QVERIFY(rig.outline()->isVisible());
        const LinkState &link = LinkState::instance();
        const bool serial = transport == QLatin1String("pty");
        const QVector<quint16> &distances = serial ? link.SerialDistances : link.NetDistances;

        rig.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
        QSignalSpy scans(rig.window->linkController(), &SERIAL_COMM::ReceiveScanfData);
        QVERIFY(scans.wait(10000));

        // As the window repaints on each scan, the obstacle (at least 0.6 m/s,
        // turning at most once) moves more than its own width in 2.5 s.
        double left = 1e9, right = -1e9;
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 2500) {
            QTest::qWait(250);
            const double x = obstacleX(rig.outline()->paintedPolygon());
            QVERIFY2(!std::isnan(x), "no obstacle in the outline");
            left = qMin(left, x);
            right = qMax(right, x);
        }
        QVERIFY2(right - left > 500, qPrintable(QStringLiteral("obstacle seen between x %1 and %2").arg(left).arg(right)));

        // Every point drawn is its sample's distance out from the scanner.
        const QPolygonF drawn = rig.paintView();
        const int n = serial ? LinkState::SerialSampleCount : link.NetScanLength;
        QVERIFY(n > 0);
        QCOMPARE(drawn.size(), n + 2);
        for (int i = 0; i < n; ++i) {
            const double r = std::hypot(drawn[i + 1].x(), drawn[i + 1].y());
            if (std::fabs(r - distances[i]) > 1.5)
                QFAIL(qPrintable(QStringLiteral("point %1 at %2 mm, sample %3 mm").arg(i + 1).arg(r).arg(distances[i])));
        }
    }

    // The table lists the serial scan as it arrives; it is offered while
    // connected and put away on disconnection.
    void dataTableWhileConnected()
    {
        Rig rig;
        QVERIFY(rig.start());
        QAction *action = rig.child<QAction>("DataTable");
        QVERIFY(!action->isEnabled());
        QVERIFY(rig.connect(QStringLiteral("pty")));
        QVERIFY(action->isEnabled());
        action->trigger();
        QVERIFY(action->isChecked());
        QVERIFY(rig.child<QDockWidget>("DataTableDock")->isVisibleTo(rig.window.get()));

        QSignalSpy scans(rig.window->linkController(), &SERIAL_COMM::ReceiveScanfData);
        QVERIFY(scans.wait(10000));
        const LinkState &link = LinkState::instance();
        auto *table = rig.child<QTableWidget>("DataTableWidget");
        QVERIFY(link.SerialDistances[0] > 0);
        QVERIFY(table->item(0, 1) && table->item(539, 1));
        QCOMPARE(table->item(0, 1)->text(), QString::number(link.SerialDistances[0]));
        QCOMPARE(table->item(539, 1)->text(), QString::number(link.SerialDistances[539]));

        rig.window->CloseSerialPort();
        QVERIFY(!action->isEnabled());
        QVERIFY(!action->isChecked());
        QVERIFY(!rig.child<QDockWidget>("DataTableDock")->isVisibleTo(rig.window.get()));
    }
};

QTEST_MAIN(TestMainWindowLive)
#include "tst_mainwindow_live.moc"
