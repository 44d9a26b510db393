// The IO simulation dock driven as a user drives it (Space on buttons and
// group boxes, digits typed into spin boxes, keys on the sliders, a choice in
// the list), inside the main window's real form, with a controller of its own
// over a private edit state. What the scanner gets is checked as the WSimu
// frame the link builds from that state, against bytes written by hand.

#include "editdata.h"
#include "frames.h"
#include "io_simulation.h"
#include "ui_mainwindow.h"
#include "widgetdriving.h"

#include <QComboBox>
#include <QGroupBox>
#include <QMainWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <memory>

using Values = QMap<QString, int>;

namespace {
const QStringList kInputs = {"InputButton1", "InputButton2", "InputButton3",
                             "InputButton4", "InputButton5", "InputButton6"};
const QStringList kOutputs = {"OutputButton1", "OutputButton2", "OutputButton3"};
const QStringList kGroups = {"InportGrouptBox", "OutportGrouptBox", "FaultGroupBox", "CaseSimulationBox"};

// The lamp a button shows when set and when clear.
QPair<QString, QString> lampsOf(const QString &button)
{
    static const QStringList outputOn = {"Yellow1", "Orange2", "Red3"};
    if (button == QLatin1String("FaultSimuButton"))
        return {"GreenFault", "GrayFault"};
    const int n = button.right(1).toInt();
    if (button.startsWith(QLatin1String("Input")))
        return {QStringLiteral("Green%1").arg(n), QStringLiteral("Gray%1").arg(n)};
    return {outputOn.at(n - 1), QStringLiteral("Gray%1").arg(n)};
}

QImage iconImage(const QIcon &icon) { return icon.pixmap(QSize(24, 24)).toImage(); }

struct SimulationDock
{
    EditData data;
    std::unique_ptr<QMainWindow> window{new QMainWindow};
    Ui::MainWindow ui;
    std::unique_ptr<IO_SIMULATION> simulation;

    SimulationDock()
    {
        ui.setupUi(window.get());
        // The controller sets the ranges itself, whatever the form says.
        for (QSpinBox *spin : {ui.SimDgreeSpinBox, ui.SimSpeedSpinBox})
            spin->setRange(0, 99);
        for (QSlider *slider : {ui.SimDgreeSlider, ui.SimSpeedSlider})
            slider->setRange(0, 99);
        simulation = std::make_unique<IO_SIMULATION>(
            &data, ui.InportGrouptBox, ui.OutportGrouptBox, ui.FaultGroupBox, ui.InputButton1, ui.InputButton2,
            ui.InputButton3, ui.InputButton4, ui.InputButton5, ui.InputButton6, ui.OutputButton1, ui.OutputButton2,
            ui.OutputButton3, ui.FaultSimuButton, ui.InputspinBox, ui.OutputspinBox, ui.CaseSimulationBox,
            ui.SimDgreeSpinBox, ui.SimDgreeSlider, ui.SimSpeedSpinBox, ui.SimSpeedSlider, ui.SimOptionMode);
        window->resize(1190, 715);
        window->show();
        ui.IOSimulationDock->show();
    }

    template <typename T = QWidget>
    T *widget(const QString &name) const
    {
        return window->findChild<T *>(name);
    }

    // One user step: "Name" presses Space on a button or group box;
    // "Name=value" types into a spin box, chooses in the list, or moves a
    // slider with Home or End.
    void step(const QString &what)
    {
        const QString name = what.section(QLatin1Char('='), 0, 0);
        const QString value = what.section(QLatin1Char('='), 1);
        QWidget *w = widget(name);
        QVERIFY2(w, qPrintable(name));
        QVERIFY2(w->isEnabled(), qPrintable(name + QStringLiteral(" is disabled")));
        if (value.isEmpty()) {
            QTest::keyClick(w, Qt::Key_Space);
        } else if (auto *spin = qobject_cast<QSpinBox *>(w)) {
            spin->setFocus();
            spin->selectAll();
            // Typing applies at once (keyboard tracking); Return would only
            // announce the same value again.
            QTest::keyClicks(spin, value);
        } else if (auto *list = qobject_cast<QComboBox *>(w)) {
            WidgetDriving::choose(list, value.toInt());
        } else {
            QTest::keyClick(w, value == QLatin1String("home") ? Qt::Key_Home : Qt::Key_End);
        }
    }

    // Bytes 5..15 of the WSimu request the link sends next.
    QByteArray nextPayload() const
    {
        const QByteArray frame = encodeWSimuRequest(SimulationFrame::of(data));
        return isFrame(frame, Command::WSimu, 18) ? frame.mid(5, 11) : QByteArray();
    }
};
} // namespace

class TestIoSimulation : public QObject
{
    Q_OBJECT
private slots:
    void userSimulates_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("checked"); // groups and buttons; the others are clear
        QTest::addColumn<QStringList>("lit");     // buttons showing their set lamp; the others grey
        QTest::addColumn<Values>("values");       // spin boxes, sliders
        QTest::addColumn<int>("inputSpinChanges");
        // WSimu bytes 5..15: mode, inputs, degree (2), speed (2), operation
        // mode (2), output simulation, outputs, fault; big-endian words.
        QTest::addColumn<QByteArray>("payload");

        QTest::newRow("input spin box 5") << QStringList{"InportGrouptBox", "InputspinBox=5"}
                                         << QStringList{"InportGrouptBox", "InputButton1", "InputButton3"}
                                         << QStringList{"InputButton1", "InputButton3"}
                                         << Values{{"InputspinBox", 5}} << 1
                                         << QByteArray::fromHex("01 05 0000 0000 0000 00 00 00");
        QTest::newRow("input buttons") << QStringList{"InportGrouptBox", "InputButton6", "InputButton2"}
                                       << QStringList{"InportGrouptBox", "InputButton2", "InputButton6"}
                                       << QStringList{"InputButton2", "InputButton6"}
                                       << Values{{"InputspinBox", 34}} << 2
                                       << QByteArray::fromHex("01 22 0000 0000 0000 00 00 00");
        QTest::newRow("input button cleared") << QStringList{"InportGrouptBox", "InputspinBox=5", "InputButton1"}
                                              << QStringList{"InportGrouptBox", "InputButton3"}
                                              << QStringList{"InputButton3"} << Values{{"InputspinBox", 4}} << 2
                                              << QByteArray::fromHex("01 04 0000 0000 0000 00 00 00");
        QTest::newRow("input simulation off") << QStringList{"InportGrouptBox", "InputspinBox=5", "InportGrouptBox"}
                                              << QStringList{"InputButton1", "InputButton3"}
                                              << QStringList{"InputButton1", "InputButton3"}
                                              << Values{{"InputspinBox", 5}} << 1
                                              << QByteArray::fromHex("00 05 0000 0000 0000 00 00 00");
        QTest::newRow("case ends input") << QStringList{"InportGrouptBox", "InputspinBox=5", "CaseSimulationBox"}
                                         << QStringList{"CaseSimulationBox", "InputButton1", "InputButton3"}
                                         << QStringList{"InputButton1", "InputButton3"}
                                         << Values{{"InputspinBox", 5}} << 1
                                         << QByteArray::fromHex("02 05 0000 0000 0000 00 00 00");
        QTest::newRow("input ends case") << QStringList{"CaseSimulationBox", "InportGrouptBox"}
                                         << QStringList{"InportGrouptBox"} << QStringList{} << Values{} << 0
                                         << QByteArray::fromHex("01 00 0000 0000 0000 00 00 00");
        QTest::newRow("fault, group off") << QStringList{"FaultGroupBox", "FaultSimuButton", "FaultGroupBox"}
                                          << QStringList{"FaultSimuButton"} << QStringList{"FaultSimuButton"}
                                          << Values{} << 0 << QByteArray::fromHex("00 00 0000 0000 0000 00 00 00");
        QTest::newRow("fault, group on") << QStringList{"FaultGroupBox", "FaultSimuButton"}
                                         << QStringList{"FaultGroupBox", "FaultSimuButton"}
                                         << QStringList{"FaultSimuButton"} << Values{} << 0
                                         << QByteArray::fromHex("00 00 0000 0000 0000 00 00 01");
        QTest::newRow("output spin box 6") << QStringList{"OutportGrouptBox", "OutputspinBox=6"}
                                           << QStringList{"OutportGrouptBox", "OutputButton2", "OutputButton3"}
                                           << QStringList{"OutputButton2", "OutputButton3"}
                                           << Values{{"OutputspinBox", 6}} << 0
                                           << QByteArray::fromHex("00 00 0000 0000 0000 01 06 00");
        QTest::newRow("output button 1") << QStringList{"OutportGrouptBox", "OutputButton1"}
                                         << QStringList{"OutportGrouptBox", "OutputButton1"}
                                         << QStringList{"OutputButton1"} << Values{{"OutputspinBox", 1}} << 0
                                         << QByteArray::fromHex("00 00 0000 0000 0000 01 01 00");
        QTest::newRow("degree slider -180") << QStringList{"CaseSimulationBox", "SimDgreeSlider=home"}
                                            << QStringList{"CaseSimulationBox"} << QStringList{}
                                            << Values{{"SimDgreeSpinBox", -180}, {"SimDgreeSlider", -180}} << 0
                                            << QByteArray::fromHex("02 00 FF4C 0000 0000 00 00 00");
        QTest::newRow("degree typed 90") << QStringList{"CaseSimulationBox", "SimDgreeSpinBox=90"}
                                         << QStringList{"CaseSimulationBox"} << QStringList{}
                                         << Values{{"SimDgreeSpinBox", 90}, {"SimDgreeSlider", 90}} << 0
                                         << QByteArray::fromHex("02 00 005A 0000 0000 00 00 00");
        QTest::newRow("speed slider 300") << QStringList{"CaseSimulationBox", "SimSpeedSlider=end"}
                                          << QStringList{"CaseSimulationBox"} << QStringList{}
                                          << Values{{"SimSpeedSpinBox", 300}, {"SimSpeedSlider", 300}} << 0
                                          << QByteArray::fromHex("02 00 0000 012C 0000 00 00 00");
        QTest::newRow("speed typed -300") << QStringList{"CaseSimulationBox", "SimSpeedSpinBox=-300"}
                                          << QStringList{"CaseSimulationBox"} << QStringList{}
                                          << Values{{"SimSpeedSpinBox", -300}, {"SimSpeedSlider", -300}} << 0
                                          << QByteArray::fromHex("02 00 0000 FED4 0000 00 00 00");
        QTest::newRow("operation mode 4") << QStringList{"CaseSimulationBox", "SimOptionMode=4"}
                                          << QStringList{"CaseSimulationBox"} << QStringList{} << Values{} << 0
                                          << QByteArray::fromHex("02 00 0000 0000 0004 00 00 00");
    }
    void userSimulates()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, checked);
        QFETCH(QStringList, lit);
        QFETCH(Values, values);
        QFETCH(int, inputSpinChanges);
        QFETCH(QByteArray, payload);

        SimulationDock dock;
        // Others listening to the spin box still hear the controller's changes.
        QSignalSpy inputSpin(dock.ui.InputspinBox, qOverload<int>(&QSpinBox::valueChanged));
        for (const QString &s : steps) {
            dock.step(s);
            if (QTest::currentTestFailed())
                return;
        }

        for (const QString &name : kGroups + kInputs + kOutputs + QStringList{"FaultSimuButton"}) {
            QWidget *w = dock.widget(name);
            const bool on = qobject_cast<QGroupBox *>(w) ? qobject_cast<QGroupBox *>(w)->isChecked()
                                                         : qobject_cast<QPushButton *>(w)->isChecked();
            QVERIFY2(on == checked.contains(name), qPrintable(name));
        }
        for (const QString &name : kInputs + kOutputs + QStringList{"FaultSimuButton"}) {
            const QPair<QString, QString> lamps = lampsOf(name);
            const QString want = lit.contains(name) ? lamps.first : lamps.second;
            QVERIFY2(iconImage(dock.widget<QPushButton>(name)->icon())
                         == iconImage(QIcon(QStringLiteral(":/images/%1.png").arg(want))),
                     qPrintable(name + QStringLiteral(" should show ") + want));
        }
        for (auto it = values.begin(); it != values.end(); ++it) {
            QWidget *w = dock.widget(it.key());
            const int shown = qobject_cast<QSpinBox *>(w) ? qobject_cast<QSpinBox *>(w)->value()
                                                          : qobject_cast<QSlider *>(w)->value();
            QVERIFY2(shown == it.value(), qPrintable(QStringLiteral("%1 shows %2").arg(it.key()).arg(shown)));
        }
        QCOMPARE(inputSpin.count(), inputSpinChanges);
        QCOMPARE(dock.nextPayload().toHex(' '), payload.toHex(' '));
    }

    // The language switch renames the operation modes in place.
    void operationModeTexts()
    {
        SimulationDock dock;
        dock.step(QStringLiteral("CaseSimulationBox"));
        dock.step(QStringLiteral("SimOptionMode=3"));
        QSignalSpy changes(dock.ui.SimOptionMode, qOverload<int>(&QComboBox::currentIndexChanged));
        for (int language : {1, 0}) {
            dock.simulation->retranslate(language);
            QStringList items;
            for (int i = 0; i < dock.ui.SimOptionMode->count(); ++i)
                items << dock.ui.SimOptionMode->itemText(i);
            QCOMPARE(items, language == 1 ? QStringList({"Type 0", "Type 1", "Type 2", "Type 3", "Type 4"})
                                          : QStringList({"操作模式0", "操作模式1", "操作模式2", "操作模式3", "操作模式4"}));
            QCOMPARE(dock.ui.SimOptionMode->currentIndex(), 3);
        }
        QCOMPARE(changes.count(), 0);
        QCOMPARE(dock.data.SimOptionMode, 3);
    }
};

QTEST_MAIN(TestIoSimulation)
#include "tst_io_simulation.moc"
