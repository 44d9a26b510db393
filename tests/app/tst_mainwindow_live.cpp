// The live display of the main window against the real scanner emulator,
// over a pseudo-terminal and over TCP: the drawn outline is the scanner's
// latest scan and follows the emulator's moving obstacle; the data table
// lists the serial scan and is offered only while connected; an output
// taught from the live scan and written makes the emulator's output follow
// its obstacle.

#include "boundedwait.h"
#include "emulatorprocess.h"
#include "emulatorstate.h"
#include "filesizelimit.h"
#include "linkstate.h"
#include "livescan.h"
#include "mainwindow.h"
#include "option_scene.h"
#include "outputzone.h"
#include "paint_intrusion.h"
#include "paint_outline.h"
#include "recording.h"
#include "replayplayer.h"
#include "shapekind.h"
#include "scripteddialogs.h"
#include "serial_comm.h"
#include "viewwindow.h"

#include <QAction>
#include <QDockWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QTemporaryDir>
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

    bool start(const QStringList &extra = {})
    {
        if (!emulator.start(QStringList{QStringLiteral("-q")} + extra))
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
    bool transferDone() const
    {
        const SERIAL_COMM *link = window->linkController();
        for (int r = 0; r < SERIAL_COMM::SimulationRequest; ++r)
            if (link->isRequested(SERIAL_COMM::Request(r)) && r != SERIAL_COMM::ScanRequest
                && r != SERIAL_COMM::IntensityRequest)
                return false;
        return true;
    }

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
    // Recorded from the file menu while connected; replayed with no scanner,
    // the outline draws the recorded room; a file that is no recording is
    // refused with one message.
    void recordThenReplay()
    {
        Rig rig;
        QVERIFY(rig.start());
        QVERIFY(rig.connect(QStringLiteral("tcp")));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("site.qmrec"));
        QM_WAIT_VERIFY(rig.transferDone(), 20000); // the header takes what the read-all read
        rig.dialogs.fileNames << path;
        rig.child<QAction>("StartRecording")->trigger();
        QVERIFY(rig.window->isRecording());
        QVERIFY(!rig.child<QAction>("OpenRecording")->isEnabled());
        QTest::qWait(1500);
        rig.child<QAction>("DisConnection")->trigger();
        QVERIFY(!rig.window->isRecording());
        const RecordingContents recorded = readRecording(path);
        QCOMPARE(recorded.status, RecordingStatus::Complete);
        QCOMPARE(recorded.header.connectionKind, 1);
        QVERIFY(recorded.header.productKnown && recorded.header.parametersKnown);
        QVERIFY(recorded.chunks.size() > 10);

        rig.dialogs.fileNames << path;
        rig.child<QAction>("OpenRecording")->trigger();
        QVERIFY(rig.window->isReplaying());
        QVERIFY(!rig.child<QAction>("Connection")->isEnabled());
        QVERIFY(rig.outline()->isVisible());
        ReplayPlayer *player = rig.window->replayPlayer();
        player->setSpeed(ReplayPlayer::Fastest);
        player->play();
        QM_WAIT_VERIFY(!player->isPlaying(), 5000);
        QVERIFY(!std::isnan(obstacleX(rig.paintView())));
        rig.child<QToolButton>("ReplayClose")->click();
        QVERIFY(!rig.window->isReplaying());
        QVERIFY(rig.child<QAction>("Connection")->isEnabled());

        const int boxes = rig.dialogs.boxes.size();
        rig.dialogs.fileNames << QStringLiteral(QM_TEST_DATA "/cli_fleet.VQ30");
        rig.child<QAction>("OpenRecording")->trigger();
        QVERIFY(!rig.window->isReplaying());
        QCOMPARE(rig.dialogs.boxes.size(), boxes + 1);
        QCOMPARE(rig.dialogs.boxes.last().text, recordingMessage(RecordingStatus::NotRecording, 1));
    }

    // An end of the recording that cannot be written is a failure, told once
    // the stop has returned, in the window's language; nothing says saved.
    void recordingThatCannotBeEnded_data()
    {
        QTest::addColumn<bool>("english");
        QTest::newRow("Chinese") << false;
        QTest::newRow("English") << true;
    }
    void recordingThatCannotBeEnded()
    {
        QFETCH(bool, english);
        Rig rig;
        QVERIFY(rig.start() && (!english || QMetaObject::invokeMethod(rig.window.get(), "LanguageToEnglish")));
        QVERIFY(rig.connect(QStringLiteral("tcp")));
        QTemporaryDir dir;
        rig.dialogs.fileNames << dir.filePath(QStringLiteral("site.qmrec"));
        QM_WAIT_VERIFY(rig.transferDone(), 20000);
        rig.child<QAction>("StartRecording")->trigger();
        QM_WAIT_VERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("site.qmrec"))), 2000);
        const int boxes = rig.dialogs.boxes.size();
        {
            const FileSizeLimit full(rlim_t(QFileInfo(dir.filePath(QStringLiteral("site.qmrec"))).size()));
            rig.child<QAction>("StopRecording")->trigger();
        }
        QVERIFY(!rig.window->isRecording() && rig.dialogs.boxes.size() == boxes); // not from inside the stop
        QM_WAIT_COMPARE(rig.dialogs.boxes.size(), boxes + 1, 2000);
        QVERIFY(rig.dialogs.boxes.last().text.startsWith(english ? QStringLiteral("The recording could not be ended")
                                                                 : QStringLiteral("录制文件无法正确结束")));
        QVERIFY(!rig.window->statusBar()->currentMessage().contains(english ? "saved" : "已保存"));
    }

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

    // Teach Out1 of area 0 (the area the emulator guards with its inputs at
    // 0) and write it: the emulator's output 1 is clear while its obstacle
    // stays where the teach saw it, and set when it enters the zone, as the
    // window's own intrusions show. One undo brings the old zone back.
    void taughtZoneGuardsTheRoom_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::addColumn<bool>("reversed");
        QTest::newRow("serial line") << "pty" << false;
        QTest::newRow("tcp") << "tcp" << false;
        QTest::newRow("tcp, mounted reversed") << "tcp" << true;
    }
    void taughtZoneGuardsTheRoom()
    {
        QFETCH(QString, transport);
        QFETCH(bool, reversed);
        QTemporaryDir dir;
        EmulatorState state = EmulatorState::factory();
        state.stored.Words[SensorParameters::InstallDirectionWord] = reversed;
        const QString file = dir.filePath(QStringLiteral("state.json"));
        QString error;
        QVERIFY2(state.save(file, &error), qPrintable(error));
        Rig rig;
        QVERIFY(rig.start({QStringLiteral("--state"), file}));
        auto *teach = rig.child<QPushButton>("ButtonTeachOut1");
        QVERIFY(!teach->isEnabled());
        QSignalSpy read(rig.window->linkController(), &SERIAL_COMM::ReceiveAreaData);
        QVERIFY(rig.connect(transport));
        QM_WAIT_VERIFY(read.count() == 1 && rig.transferDone(), 15000);
        QCOMPARE(LinkState::instance().DirectionReversed, reversed);
        QVERIFY(teach->isEnabled());
        rig.child<QAction>("DispIntrusions")->setChecked(true);
        QVERIFY(rig.window->sceneController()->paintIntrusion()->isVisible());

        const AreaRecord before = rig.data.Areas[0];
        const int boxes = rig.dialogs.boxes.size();
        teach->click();
        QVERIFY(!teach->isEnabled()); // one teach at a time
        QM_WAIT_VERIFY(teach->isEnabled(), 10000);
        QCOMPARE(rig.dialogs.boxes.size(), boxes); // no word of failure
        QVERIFY(!rig.window->teachPreview().isEmpty());
        rig.child<QPushButton>("TeachAccept")->click();
        const AreaRecord taught = rig.data.Areas[0];
        QCOMPARE(taught.Out1Shape, qint32(Polygon));
        QVERIFY(taught.Out1Points.size() >= 3 && taught.Out1Points.size() <= 100);
        rig.child<QAction>("Undo")->trigger();
        QCOMPARE(rig.data.Areas[0], before);
        rig.child<QAction>("Redo")->trigger();
        QCOMPARE(rig.data.Areas[0], taught);

        rig.child<QAction>("WriteAllSetting")->trigger();
        QM_WAIT_VERIFY(rig.dialogs.boxes.size() > boxes && rig.transferDone(), 20000);

        // Each reported output beside what the window's latest scan shows
        // inside the zone, until both states were seen a few times.
        const std::array<OutputZone, 3> zones = outputZones(taught);
        int agree[2] = {0, 0};
        int disagree = 0;
        QPolygonF points;
        QVector<quint8> masks;
        QObject::connect(rig.window->linkController(), &SERIAL_COMM::IOPortSignals, rig.window.get(),
                         [&](uint, uint out, uint) {
                             LiveScan::modelSamples(LinkState::instance(), points);
                             classifyPoints(zones, points, masks);
                             const bool inside = std::count(masks.cbegin(), masks.cend(), quint8(1)) >= 3;
                             const bool set = out & 1;
                             if (inside == set)
                                 ++agree[set];
                             else
                                 ++disagree;
                         });
        // Only around the moments the obstacle crosses the edge may the
        // two disagree: the scan and the status are not taken together, so a
        // few early observations can hold one such moment. A zone that is
        // wrong keeps disagreeing for as long as the obstacle moves.
        const auto settled = [&] {
            return agree[0] >= 3 && agree[1] >= 3 && disagree * 4 <= agree[0] + agree[1];
        };
        QM_WAIT_VERIFY2(
            settled(),
            qPrintable(QStringLiteral("clear %1, set %2, disagreeing %3").arg(agree[0]).arg(agree[1]).arg(disagree)),
            20000);
    }
};

QTEST_MAIN(TestMainWindowLive)
#include "tst_mainwindow_live.moc"
