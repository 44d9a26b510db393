// The IO simulation dock of the window against the real scanner emulator over
// TCP: a simulated input pattern selects another area of the scanner, whose
// outputs then change, and the window's lamps follow the scanner's answer;
// unchecking the action switches all simulation off on the scanner.

#include "boundedwait.h"
#include "areaframe.h"
#include "emulatorprocess.h"
#include "emulatorstate.h"
#include "mainwindow.h"
#include "scripteddialogs.h"
#include "serial_comm.h"
#include "shapekind.h"
#include "widgetdriving.h"

#include <QAction>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr int kSimulatedArea = 5; // input pattern 000101: inputs 1 and 3

bool showsImage(const QLabel *label, const char *image)
{
    return WidgetDriving::labelImage(label)
        == QPixmap(QStringLiteral(":/images/%1.png").arg(QLatin1String(image))).toImage();
}

// A scanner whose only configured area is kSimulatedArea: outputs 1 and 3
// guard a square larger than the emulator's room, so its walls trip them;
// output 2 has no zone. Every other area is empty and trips nothing.
bool writeScannerState(const QString &path)
{
    EmulatorState state = EmulatorState::factory();
    AreaRecord area;
    const QVector<QPoint> square = {{-9000, -9000}, {9000, -9000}, {9000, 9000}, {-9000, 9000}};
    area.Out1Shape = area.Out3Shape = ShapeKind::Polygon;
    area.Out1Points = area.Out3Points = square;
    const AreaEncodeResult block = encodeAreaBlock(Command::WArea, kSimulatedArea, area, false);
    return block.ok() && state.storeArea(block.frame) && state.save(path, nullptr);
}
} // namespace

class TestMainWindowSimulation : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { LinkState::instance() = LinkState(); }

    void inputPatternDrivesTheScanner()
    {
        QTemporaryDir dir;
        const QString statePath = dir.filePath(QStringLiteral("scanner.json"));
        QVERIFY(writeScannerState(statePath));
        Emulator emulator;
        QVERIFY(emulator.start({QStringLiteral("--state"), statePath}));

        EditData data;
        ScriptedDialogs dialogs;
        dialogs.defaultAnswer = 1;
        MainWindow window(&data, &dialogs);
        window.linkController()->setIntervalsForTest(2, 1000);
        window.show();
        auto label = [&](const char *name) { return window.findChild<QLabel *>(QLatin1String(name)); };
        auto lamps = [&](const char *in1, const char *in2, const char *in3, const char *out1, const char *out2,
                         const char *out3) {
            return showsImage(label("InputPort1"), in1) && showsImage(label("InputPort2"), in2)
                && showsImage(label("InputPort3"), in3) && showsImage(label("OutputPort1"), out1)
                && showsImage(label("OutputPort2"), out2) && showsImage(label("OutputPort3"), out3);
        };
        QAction *simulation = window.findChild<QAction *>(QStringLiteral("IOSimulation"));
        auto *dock = window.findChild<QDockWidget *>(QStringLiteral("IOSimulationDock"));

        QVERIFY(window.connectEthernet(QStringLiteral("127.0.0.1"), emulator.port));
        // Unsimulated, the scanner's wired inputs (none) select the empty area 0.
        QM_WAIT_VERIFY(emulator.log().contains(QStringLiteral("WSimu 23 bytes: mode 0, inputs 0, outputs 0")),
                                 10000);
        QVERIFY(lamps("Gray1", "Gray2", "Gray3", "Gray1", "Gray2", "Gray3"));

        QVERIFY(simulation->isEnabled());
        simulation->trigger();
        QVERIFY(simulation->isChecked());
        QVERIFY(dock->isVisible());
        // Beside the sensor dock it still shows all its groups, down to the case group.
        auto *page = window.findChild<QScrollArea *>(QStringLiteral("IOSimulationScrollArea"));
        QVERIFY(page->viewport()->height() >= page->widget()->sizeHint().height());
        auto *inputs = window.findChild<QGroupBox *>(QStringLiteral("InportGrouptBox"));
        QTest::keyClick(inputs, Qt::Key_Space);
        QVERIFY(inputs->isChecked());
        auto *pattern = window.findChild<QSpinBox *>(QStringLiteral("InputspinBox"));
        pattern->setFocus();
        pattern->selectAll();
        QTest::keyClicks(pattern, QString::number(kSimulatedArea));

        QM_WAIT_VERIFY(emulator.log().contains(QStringLiteral("WSimu 23 bytes: mode 1, inputs 5, outputs 5")),
                                 10000);
        QM_WAIT_VERIFY(lamps("Green1", "Gray2", "Green3", "Yellow1", "Gray2", "Red3"), 5000);

        // Off: everything the next request is built from is off at once.
        const int mark = emulator.log().size();
        simulation->trigger();
        QVERIFY(!simulation->isChecked());
        QVERIFY(!dock->isVisible());
        QVERIFY(!inputs->isChecked());
        QCOMPARE(int(SimulationFrame::of(data).Mode), 0);
        const QString off = QStringLiteral("WSimu 23 bytes: mode 0, inputs 0, outputs 0");
        QM_WAIT_VERIFY(emulator.log().indexOf(off, mark) >= 0, 5000);
        QM_WAIT_VERIFY(lamps("Gray1", "Gray2", "Gray3", "Gray1", "Gray2", "Gray3"), 5000);
        QVERIFY(!emulator.log().mid(emulator.log().indexOf(off, mark)).contains(QStringLiteral("mode 1")));

        // Simulating again, then disconnecting: the next connection does not
        // start out simulating with the dock hidden.
        simulation->trigger();
        QTest::keyClick(inputs, Qt::Key_Space);
        QVERIFY(inputs->isChecked());
        QCOMPARE(int(SimulationFrame::of(data).Mode), 1);
        window.findChild<QAction *>(QStringLiteral("DisConnection"))->trigger();
        QVERIFY(!inputs->isChecked());
        QCOMPARE(int(SimulationFrame::of(data).Mode), 0);
    }
};

QTEST_MAIN(TestMainWindowSimulation)
#include "tst_mainwindow_simulation.moc"
