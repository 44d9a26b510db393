#include "boundedwait.h"
#include "editdata.h"
#include "linkstate.h"
#include "mainwindow.h"
#include "scripteddialogs.h"
#include "sensorparameters.h"
#include "widgetdriving.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>

// The sensor dock as the main window wires it: the "Scan Setting" group into
// ScanControl, the product type into the option lists, the new-project reset,
// and Modified for the close prompt.
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
        QCOMPARE(window->parameters()->Words[11], 0);
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
