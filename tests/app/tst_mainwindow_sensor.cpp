#include "boundedwait.h"
#include "editdata.h"
#include "emulatorprocess.h"
#include "emulatorstate.h"
#include "linkstate.h"
#include "mainwindow.h"
#include "scripteddialogs.h"
#include "sensorparameters.h"
#include "serial_comm.h"
#include "widgetdriving.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

// The sensor dock as the main window wires it: the "Scan Setting" group into
// ScanControl, the product type into the option lists, the new-project reset,
// the agreement of dock, block and saved project, and Modified for the close
// prompt.
class TestMainWindowSensor : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogs *dialogs = nullptr;
    EditData *data = nullptr;
    MainWindow *window = nullptr;

    template <typename T> T *widget(const char *name) { return window->findChild<T *>(QLatin1String(name)); }
    QStringList items(const char *name)
    {
        QStringList texts;
        auto *combo = widget<QComboBox>(name);
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    }
    void typeInto(const char *name, const QString &text)
    {
        auto *field = widget<QSpinBox>(name);
        widget<QScrollArea>("SensorScrollArea")->ensureWidgetVisible(field);
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    void clickScanGroup()
    {
        auto *group = widget<QGroupBox>("ScanGroupBox");
        group->setFocus();
        QTest::keyClick(group, Qt::Key_Space);
    }

private slots:
    void init()
    {
        LinkState::instance().ConnectionKind = 0;
        dialogs = new ScriptedDialogs;
        data = new EditData;
        window = new MainWindow(data, dialogs);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }
    void cleanup()
    {
        delete window;
        delete data;
        delete dialogs;
    }

    void scanSettingFeedsScanControl()
    {
        QCOMPARE(window->scanControl(), ScanControl{});
        clickScanGroup();
        QVERIFY(widget<QGroupBox>("ScanGroupBox")->isChecked());
        QCOMPARE(window->scanControl().Enabled, 1);

        WidgetDriving::choose(widget<QComboBox>("Set_SensorSleepMode"), 1);
        WidgetDriving::choose(widget<QComboBox>("Set_ScanMotorSpeed"), 1);
        WidgetDriving::choose(widget<QComboBox>("Set_ScanSensorAngle"), 4);
        WidgetDriving::choose(widget<QComboBox>("Set_ScanFilterLevel"), 2);
        ScanControl want;
        want.SleepMode = 1;
        want.MotorSpeed = 1;
        want.SensorAngle = 4;
        want.FilterLevel = 2;
        want.Enabled = 1;
        QM_WAIT_COMPARE(window->scanControl(), want, 5000);

        clickScanGroup();
        QCOMPARE(window->scanControl().Enabled, 0);
        // The scan settings are not part of the project.
        QVERIFY(!data->Modified);
    }

    void productTypeRefillsTheLists()
    {
        const QStringList formMotor = items("Para_ScanMotorSpeed");
        QVERIFY(QMetaObject::invokeMethod(window, "SensorTypeChange", Q_ARG(int, 7)));
        QCOMPARE(items("Para_ScanMotorSpeed"), formMotor);

        QVERIFY(QMetaObject::invokeMethod(window, "SensorTypeChange", Q_ARG(int, 19)));
        QCOMPARE(items("Para_ScanMotorSpeed"), (QStringList{"15Hz,900r", "30Hz,1800r"}));
        QCOMPARE(items("Para_LaserMeasureFrq"), (QStringList{"108KHz", "216KHz", "432KHz"}));
        QCOMPARE(items("Para_LaserStopSignal"), (QStringList{"第一次", "第二次", "最后一次", "能量最大"}));
        QCOMPARE(window->parameters()->Words[11], 1); // the scanner's speed, whatever the type names it
    }

    // Whatever brings a block to the dock, over a dock that an earlier project
    // left showing other values, the block holds what the dock shows and a
    // save writes it, the rows a link cannot configure included.
    void dockBlockAndSavedFileAgree_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("rows"); // the saved section, in file order
        QTest::addColumn<QString>("words");
        // A 15/30 Hz type (its lists are refilled after the read-all) with a
        // value of its own in every word.
        const QString rows = "1 2 1 2 42 3 2 1 99 2 1 1 3 2 0 1 4 1 10 20 30 40 2 3 2 1234 1500";
        const QString words = "1 2 1 2 42 3 2 1 99 2 1 1 3 2 0 1 4 1 2580 7720 2 3 2 1234 1500";
        QTest::newRow("serial read-all") << "pty" << rows << words;
        QTest::newRow("Ethernet read-all") << "tcp" << rows << words;
        QTest::newRow("new project") << "Laser30" << "0 0 0 0 127 0 0 0 127 0 0 1 1 0 0 2 2 0 192 168 1 10 0 1 1 200 500"
                                     << "0 0 0 0 127 0 0 0 127 0 0 1 1 0 0 2 2 0 49320 266 0 1 1 200 500";
        QTest::newRow("open project") << "Open" << "3 4 0 1 5 1 0 2 6 3 0 0 2 1 1 0 5 1 10 0 0 9 1 2 0 700 800"
                                      << "3 4 0 1 5 1 0 2 6 3 0 0 2 1 1 0 5 1 2560 9 1 2 0 700 800";
    }
    void dockBlockAndSavedFileAgree()
    {
        QFETCH(QString, path);
        QFETCH(QString, rows);
        QFETCH(QString, words);
        QTemporaryDir dir;
        const QString head = "ZTL_VQ_30\nSensorSetting\n";
        auto project = [&](const QString &name, const QString &section) {
            QFile file(dir.filePath(name));
            return file.open(QIODevice::WriteOnly | QIODevice::Text)
                    && file.write((head + QString(section).replace(' ', '\n')).toLatin1()) > 0
                ? file.fileName()
                : QString();
        };
        dialogs->fileNames << project("earlier.VQ30", "2 1 2 1 7 1 1 2 9 1 1 0 4 1 0 2 5 0 172 16 5 6 1 2 3 300 600")
                           << project("file.VQ30", rows);
        widget<QAction>("Open")->trigger();
        Emulator emulator;
        EmulatorState state = EmulatorState::factory();
        for (int w = 0; w < SensorParameters::WordCount; ++w)
            state.stored.Words[size_t(w)] = words.section(' ', w, w).toInt();
        if (path == "pty" || path == "tcp") {
            QVERIFY(state.save(dir.filePath("state.json"), nullptr));
            QVERIFY(emulator.start({"-q", "--type", "18", "--state", dir.filePath("state.json")}));
            window->linkController()->setIntervalsForTest(2, 1000);
            QSignalSpy types(window->linkController(), &SERIAL_COMM::SensorTypeSignal);
            dialogs->answers.enqueue(1); // the opened project is modified: discard it and read
            QVERIFY(path == "pty" ? window->connectSerial(emulator.pty, {}, {})
                                  : window->connectEthernet("127.0.0.1", emulator.port));
            QTRY_VERIFY_WITH_TIMEOUT(types.count() == 1, 20000); // the last step of the read-all
            window->CloseSerialPort();
        } else {
            dialogs->answers.enqueue(0); // a new project discards the changes
            widget<QAction>(path.toLatin1().constData())->trigger();
        }
        QCOMPARE(window->parameters()->Words, state.stored.Words);
        dialogs->fileNames.clear();
        dialogs->fileNames << dir.filePath("saved.VQ30");
        widget<QAction>("SaveAs")->trigger();
        QFile saved(dir.filePath("saved.VQ30"));
        QVERIFY(saved.open(QIODevice::ReadOnly | QIODevice::Text));
        QCOMPARE(QString::fromLatin1(saved.readAll()).section('\n', 0, 28), head + rows.replace(' ', '\n'));
    }

    void newProjectResetsTheDock()
    {
        typeInto("Para_CANIDAddress", QStringLiteral("5"));
        QM_WAIT_COMPARE(window->parameters()->Words[8], 5, 5000);
        QVERIFY(data->Modified);
        dialogs->answers.enqueue(0); // discard the changes
        window->findChild<QAction *>(QStringLiteral("Laser50"))->trigger();
        QCOMPARE(window->deviceClass(), 4);
        QVERIFY(*window->parameters() == SensorParameters::defaults());
        QCOMPARE(widget<QSpinBox>("Para_CANIDAddress")->value(), 127);
        QVERIFY(!data->Modified);
    }

    void dockEditIsAskedAboutOnClose()
    {
        WidgetDriving::choose(widget<QComboBox>("Para_SensorOutputLogic"), 1);
        QM_WAIT_COMPARE(window->parameters()->Words[10], 1, 5000);
        dialogs->answers.enqueue(2); // Cancel: keep the window
        window->close();
        QCOMPARE(dialogs->boxes.size(), 1);
        QVERIFY(window->isVisible());
    }

    void wheelPassesOverTheScanSetting()
    {
        clickScanGroup(); // its lists are disabled while the group is off
        auto *area = widget<QScrollArea>("SensorScrollArea");
        auto *combo = widget<QComboBox>("Set_ScanFilterLevel");
        combo->setCurrentIndex(1);
        area->ensureWidgetVisible(combo);
        QScrollBar *bar = area->verticalScrollBar();
        const int before = bar->value();
        QVERIFY(before > 0); // the group sits below the parameters
        widget<QComboBox>("Para_ControlMode")->setFocus();
        WidgetDriving::turnWheel(combo, 1);
        QCOMPARE(combo->currentIndex(), 1);
        QVERIFY(bar->value() < before);
    }
};

QTEST_MAIN(TestMainWindowSensor)
#include "tst_mainwindow_sensor.moc"
