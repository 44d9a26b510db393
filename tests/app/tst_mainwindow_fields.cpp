// Fields from the vehicle through the window, against the scanner emulator:
// the dialog fills only the areas and case rows of its bands, one undo takes
// all of it back, and a write-all leaves exactly those rectangles and rows in
// the scanner. A sizing beyond the class range writes nothing. A teach over
// five seconds previews a zone clear of every echo of those seconds.

#include "emulatorrig.h"
#include "livescan.h"
#include "teachin.h"
#include "vehiclefieldsdialog.h"

#include <QElapsedTimer>
#include <QMap>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>
#include <algorithm>

namespace {
QVector<QPoint> byAngle(QVector<QPoint> points)
{
    std::sort(points.begin(), points.end(),
              [](QPoint p, QPoint q) { return std::atan2(p.y(), p.x()) < std::atan2(q.y(), q.x()); });
    return points;
}
} // namespace

class TestMainWindowFields : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { LinkState::instance() = LinkState(); }

    void fillsUndoesAndWritesTheBands_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<double>("secondStop");
        QTest::newRow("tcp") << "tcp" << false << 800.0;
        QTest::newRow("pty, mounted reversed") << "pty" << true << 800.0;
        // s = 30 m: the warning field's 1.5 x 31200 mm is beyond class 30's 36000 mm.
        QTest::newRow("beyond the range, nothing written") << "tcp" << false << 30000.0;
    }
    void fillsUndoesAndWritesTheBands()
    {
        QFETCH(QString, transport);
        QFETCH(bool, reversed);
        QFETCH(double, secondStop);
        const bool refused = secondStop > 800;
        Rig rig;
        SensorParameters stored = someParameters(2);
        stored.Words[14] = reversed;
        const QString file = rig.dir.filePath(QStringLiteral("state.json"));
        QVERIFY(saveScannerState(file, exactAreas(4), stored));
        QString error;
        const std::optional<EmulatorState> before = EmulatorState::load(file, &error);
        QVERIFY2(before, qPrintable(error));
        QVERIFY(rig.start({QStringLiteral("--state"), file, QStringLiteral("-q")}));
        QSignalSpy read(rig.link(), &SERIAL_COMM::ReceiveAreaData);
        QVERIFY(rig.connect(transport));
        QM_WAIT_VERIFY(read.count() == 1 && rig.transferDone(), 20000);
        const QVector<AreaRecord> asRead = rig.data.Areas;
        const int boxes = rig.dialogs.boxes.size();

        // 1200 mm wide, scanner 100 mm behind the front and 150 mm right of
        // the centre: x -850 .. 550. 1 m/s: L = 500 + 500 + 200, warning 1800;
        // 2 m/s, s = 800: L = 1000 + 800 + 200, warning 3000.
        VehicleFields::Vehicle v;
        v.width = 1200;
        v.frontOffset = 100;
        v.centreOffset = 150;
        v.marginLeft = v.marginRight = 100;
        v.responseTime = 0.5;
        v.deceleration = 1.0;
        v.supplement = 200;
        v.warningFactor = 1.5;
        v.bands = {{1.0, 0, 20, 60, -10, 10, 2, 3}, {2.0, secondStop, 61, 150, -180, 180, 4, 5}};
        rig.action("VehicleFields")->trigger();
        VehicleFieldsDialog *dialog = rig.window->vehicleFieldsDialog();
        QVERIFY(dialog->isVisible());
        dialog->setVehicle(v);
        QVERIFY(dialog->summaryText().contains(QStringLiteral("L = 1200 mm")));
        dialog->applyButton()->click();
        if (refused) {
            QCOMPARE(rig.data.Areas, asRead);
            QCOMPARE(rig.dialogs.boxes.size(), boxes + 1);
            QVERIFY(dialog->isVisible());
            return;
        }
        QVERIFY(!dialog->isVisible());

        QVector<AreaRecord> expected = asRead;
        const int far[2][2] = {{1300, 1900}, {2100, 3100}};
        for (int b = 0; b < 2; ++b) {
            AreaRecord &a = expected[v.bands[b].area];
            a.Out1Shape = a.Out2Shape = Rectangle;
            for (int out = 0; out < 2; ++out)
                a.points(out) = {{-850, 0}, {-850, far[b][out]}, {550, far[b][out]}, {550, 0}};
            a.VehicleMinSpeed = v.bands[b].minSpeed;
            a.VehicleMaxSpeed = v.bands[b].maxSpeed;
            a.SteerMinDgree = v.bands[b].steerMin;
            a.SteerMaxDgree = v.bands[b].steerMax;
            a.VehicleOptionMode = v.bands[b].mode;
        }
        QCOMPARE(rig.data.Areas, expected);
        // One step back from the current area (0, not written) takes it all back.
        rig.action("Undo")->trigger();
        QCOMPARE(rig.data.Areas, asRead);
        rig.action("Redo")->trigger();
        QCOMPARE(rig.data.Areas, expected);

        rig.action("WriteAllSetting")->trigger();
        QM_WAIT_VERIFY(rig.boxesSaying(QStringLiteral("是否重启传感器?")) == 1 && rig.transferDone(), 20000);
        // The scanner's flash: the two areas as hand-made rectangles (x
        // mirrored for a reversed mount), their case rows, the rest as it was.
        std::optional<EmulatorState> after;
        QM_WAIT_VERIFY((after = EmulatorState::load(file, &error)) && !(after->cases[3] == before->cases[3]), 5000);
        const int sign = reversed ? -1 : 1;
        for (int i = 0; i < 64; ++i) {
            const int b = i == 3 ? 0 : i == 5 ? 1 : -1;
            if (b < 0) {
                QCOMPARE(after->areas[size_t(i)], before->areas[size_t(i)]);
                QCOMPARE(after->cases[size_t(i)], before->cases[size_t(i)]);
                continue;
            }
            const std::optional<AreaBlock> block = decodeAreaBlock(after->areas[size_t(i)], Command::RArea);
            QVERIFY(block);
            for (int out = 0; out < 2; ++out) {
                QCOMPARE(block->Outputs[size_t(out)].Kind, int(Rectangle));
                const QVector<QPoint> wire = {{-850 * sign, 0}, {-850 * sign, far[b][out]},
                                              {550 * sign, far[b][out]}, {550 * sign, 0}};
                QCOMPARE(block->Outputs[size_t(out)].Slots, byAngle(wire));
            }
            QCOMPARE(after->cases[size_t(i)],
                     (CaseFields{qint16(v.bands[b].steerMin), qint16(v.bands[b].steerMax),
                                 qint16(v.bands[b].minSpeed), qint16(v.bands[b].maxSpeed), qint16(v.bands[b].mode)}));
        }
    }

    // Against the emulator's moving obstacle: every echo seen while the
    // teach gathered stays outside the preview; Discard leaves the area and
    // its undo history as they were.
    void teachPreviewKeepsEveryEchoOutside()
    {
        Rig rig;
        QVERIFY(rig.start({QStringLiteral("-q")}));
        QSignalSpy read(rig.link(), &SERIAL_COMM::ReceiveAreaData);
        QVERIFY(rig.connect(QStringLiteral("tcp")));
        QM_WAIT_VERIFY(read.count() == 1 && rig.transferDone(), 20000);
        auto *teach = rig.window->findChild<QPushButton *>(QStringLiteral("ButtonTeachOut1"));
        QVERIFY(teach->isEnabled());
        rig.window->findChild<QSpinBox *>(QStringLiteral("TeachTimeOut1"))->setValue(5);
        const EditData before = rig.data;

        // Every echo until the preview stands: what the teach saw.
        QPolygonF echoes, scan;
        QObject::connect(rig.link(), &SERIAL_COMM::ReceiveScanfData, rig.window.get(), [&] {
            if (!rig.window->teachPreview().isEmpty())
                return;
            LiveScan::modelSamples(LinkState::instance(), scan);
            echoes += scan;
        });
        QElapsedTimer clock;
        clock.start();
        teach->click();
        QM_WAIT_VERIFY(!rig.window->teachPreview().isEmpty(), 15000);
        const qint64 askedAfter = clock.elapsed();
        const QVector<QPoint> preview = rig.window->teachPreview();
        QVERIFY(askedAfter >= 5000);
        QVERIFY(preview.size() >= 3 && preview.size() <= TeachIn::MaxPoints);
        QVERIFY(echoes.size() > 20 * 540);
        // Per beam the nearest echo decides: when it lies outside, so do the
        // farther ones (a sanitizer build cannot afford every echo).
        QMap<qint64, QPointF> nearest;
        for (const QPointF &p : echoes) {
            if (p == QPointF(0, 0))
                continue;
            const qint64 beam = qRound64(std::atan2(p.y(), p.x()) * 1e9);
            const auto it = nearest.find(beam);
            if (it == nearest.end() || std::hypot(p.x(), p.y()) < std::hypot(it->x(), it->y()))
                nearest[beam] = p;
        }
        for (const QPointF &p : nearest) {
            double degrees = std::atan2(p.y(), p.x()) * 180 / M_PI;
            if (degrees < -90)
                degrees += 360;
            if (TeachIn::reachAt(preview, degrees) >= std::hypot(p.x(), p.y()))
                QFAIL(qPrintable(QStringLiteral("echo (%1, %2) inside").arg(p.x()).arg(p.y())));
        }
        rig.window->findChild<QPushButton *>(QStringLiteral("TeachDiscard"))->click();
        QCOMPARE(rig.data.Areas, before.Areas);
        QCOMPARE(rig.data.UndoHistory, before.UndoHistory);
        QVERIFY(rig.window->teachPreview().isEmpty());
    }
};

QTEST_MAIN(TestMainWindowFields)
#include "tst_mainwindow_fields.moc"
