#include "editdata.h"
#include "mainwindow.h"
#include "scripteddialogs.h"
#include "sensorparameters.h"

#include <QAction>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <memory>

namespace {

QPoint pointOf(int i) { return QPoint(i * 10, -i); }

// An area with something in every field, so a reset shows what it kept.
AreaRecord filledArea(int i)
{
    AreaRecord a;
    a.OpenDelay = 3;
    a.CloseDelay = 4;
    a.Hysteresis = 5;
    a.DetectionSize = 6;
    a.SteerMinDgree = -30 - i;
    a.SteerMaxDgree = 45;
    a.VehicleMinSpeed = -100;
    a.VehicleMaxSpeed = 250 + i;
    a.VehicleOptionMode = i % 5;
    a.Out1Shape = Rectangle;
    a.Out2Shape = Fan;
    a.Out3Shape = Arc;
    a.Out1Points = {pointOf(1), pointOf(2), pointOf(3), pointOf(4)};
    a.Out2Points = {QPoint(0, 20)};
    a.Out3Points = {pointOf(5), pointOf(6)};
    return a;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogs *dialogs = nullptr;
    EditData *data = nullptr;
    MainWindow *window = nullptr;

    QAction *action(const char *name) { return window->findChild<QAction *>(QLatin1String(name)); }
    template <typename T> T *widget(const char *name) { return window->findChild<T *>(QLatin1String(name)); }
    QDockWidget *dock(const char *name) { return widget<QDockWidget>(name); }
    QSlider *slider() { return widget<QSlider>("ZoomSlider"); }
    void chooseClass(int type)
    {
        DEVICETYPE t;
        t.Type = type;
        QVERIFY(QMetaObject::invokeMethod(window, "CreateDeviceType", Q_ARG(DEVICETYPE *, &t)));
    }
    QString readout(QPoint scene)
    {
        QMetaObject::invokeMethod(window, "BarDisplayCoord", Q_ARG(QPoint, scene));
        return window->statusBar()->currentMessage();
    }

private slots:
    void init()
    {
        dialogs = new ScriptedDialogs;
        data = new EditData;
        window = new MainWindow(data, dialogs);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    void cleanup()
    {
        delete window;
        delete data;
        delete dialogs;
    }

    void startsAsAFreshProjectOfClass30()
    {
        QCOMPARE(window->deviceClass(), 3);
        QCOMPARE(window->windowTitle(), QStringLiteral("未命名[*] - 激光雷达编辑器"));
        for (const AreaRecord &a : data->Areas)
            QCOMPARE(a.DetectionSize, 1);
        // The snapshots still hold the blank area: start-up is not an edit.
        QCOMPARE(data->UndoHistory[0][0], data->BlankArea);
        QVERIFY(!data->Modified);
        QCOMPARE(slider()->minimum(), -55);
        QCOMPARE(slider()->maximum(), 350);
        QCOMPARE(slider()->value(), -55);

        for (const char *name : {"ReadAllSetting", "WriteAllSetting", "DisConnection", "SoftReboot",
                                 "SensorInformation", "IOSimulation", "SelfCheck", "DataTable"})
            QVERIFY2(!action(name)->isEnabled(), name);
        QVERIFY(action("Connection")->isEnabled());
        QVERIFY(action("Edition")->isChecked());
        QVERIFY(action("SensorSetting")->isChecked());
        QVERIFY(action("Distance")->isChecked());
        QVERIFY(!action("Intensity")->isChecked());
        QVERIFY(dock("EditionControlDock")->isVisible());
        QVERIFY(dock("SensorSettingDock")->isVisible());
        for (const char *name : {"DataTableDock", "IOSimulationDock", "SelfCheckDock"})
            QVERIFY2(!dock(name)->isVisible(), name);
        for (const char *name : {"ButtonTeachOut1", "ButtonTeachOut2", "ButtonTeachOut3"})
            QVERIFY2(!widget<QPushButton>(name)->isEnabled(), name);
        QCOMPARE(window->monitoringMode(), 0);
        QCOMPARE(window->displayMode(), 0);
    }

    void everyPictureIsInTheResources()
    {
        for (QAction *a : window->findChildren<QAction *>()) {
            if (a->objectName().isEmpty() || a->objectName() == QLatin1String("Laser50"))
                continue;
            QVERIFY2(!a->icon().pixmap(24).isNull(), qPrintable(a->objectName()));
        }
        for (QLabel *lamp : window->findChildren<QLabel *>(QRegularExpression(QStringLiteral("^(In|Out)putPort\\d$"))))
            QVERIFY2(!lamp->pixmap().isNull(), qPrintable(lamp->objectName()));
        for (const char *shape : {"Polygon", "Arc", "Rectangle", "Straight", "Fan", "Ratio"})
            for (int out = 1; out <= 3; ++out) {
                const QByteArray name = "Button" + QByteArray(shape) + "Out" + QByteArray::number(out);
                QVERIFY2(!widget<QToolButton>(name.constData())->icon().isNull(), name.constData());
            }
        for (const char *path : {":/images/ConnectSensor", ":/images/signout.png", ":/images/Refresh.png",
                                 ":/images/GreenFault.png", ":/images/Yellow1.png", ":/images/Orange2.png",
                                 ":/images/Red3.png", ":/images/Green6.png"})
            QVERIFY2(!QPixmap(QString::fromLatin1(path)).isNull(), path);
    }

    void addressFieldsStartAtTheFactoryAddress()
    {
        // The form, the default parameter block and the emulator must agree,
        // or a fresh project would download another address than it shows.
        const SensorParameters defaults = SensorParameters::defaults();
        for (int i = 0; i < 4; ++i) {
            const QByteArray name = "Para_SensorIPAddress" + QByteArray::number(i + 1);
            QCOMPARE(widget<QSpinBox>(name.constData())->value(), int(SensorParameters::FactoryIp[i]));
        }
        QCOMPARE(defaults.Words[SensorParameters::IpHighWord], (192 << 8) | 168);
        QCOMPARE(defaults.Words[SensorParameters::IpLowWord], (1 << 8) | 10);
    }

    void newProjectButtonOpensTheNewMenu()
    {
        auto *fileBar = widget<QToolBar>("FileToolBar");
        auto *button = widget<QToolButton>("NewProjectButton");
        QVERIFY(button);
        QCOMPARE(button->popupMode(), QToolButton::MenuButtonPopup);
        QCOMPARE(button->menu(), widget<QMenu>("menuNew"));
        QCOMPARE(button->iconSize(), QSize(24, 24));
        // It stands first, before Open.
        QCOMPARE(fileBar->actions().value(1), action("Open"));
        QCOMPARE(fileBar->widgetForAction(fileBar->actions().value(0)), button);
    }

    void coordinateReadout_data()
    {
        QTest::addColumn<QPoint>("scene");
        QTest::addColumn<QString>("text");
        QTest::newRow("first quadrant") << QPoint(1000, -1000)
                                        << "X: 1000 [mm], Y: 1000 [mm] | R: 1414.21 [mm], Th: 45 [deg]";
        QTest::newRow("straight down") << QPoint(0, 500) << "X: 0 [mm], Y: -500 [mm] | R: 500 [mm], Th: -90 [deg]";
        QTest::newRow("just past the left axis")
            << QPoint(-1000, 1) << "X: -1000 [mm], Y: -1 [mm] | R: 1000 [mm], Th: 180.057 [deg]";
        QTest::newRow("origin") << QPoint(0, 0) << "X: 0 [mm], Y: 0 [mm] | R: 0 [mm], Th: 0 [deg]";
        QTest::newRow("far corner of class 50") << QPoint(-60000, -60000)
                                                << "X: -60000 [mm], Y: 60000 [mm] | R: 84852.8 [mm], Th: 135 [deg]";
    }
    void coordinateReadout()
    {
        QFETCH(QPoint, scene);
        QFETCH(QString, text);
        window->statusBar()->showMessage(QStringLiteral("earlier message"));
        QCOMPARE(readout(scene), text);
    }

    void newProjectPrompt()
    {
        for (int i = 0; i < EditData::AreaCount; ++i)
            data->Areas[i] = filledArea(i);
        const QVector<AreaRecord> before = data->Areas;
        data->Modified = true;
        widget<QComboBox>("Area_OpenDelay")->setCurrentIndex(7);

        // Cancel: nothing changes.
        dialogs->answers.enqueue(1);
        action("Laser50")->trigger();
        QCOMPARE(dialogs->boxes.size(), 1);
        const ScriptedDialogs::Box box = dialogs->boxes.first();
        QCOMPARE(box.icon, DialogSeam::Icon::Warning);
        QCOMPARE(box.title, QStringLiteral("警告"));
        QCOMPARE(box.text, QStringLiteral("关于应用程序\n您修改了数据直接改变而不保存？"));
        QCOMPARE(box.buttons, (QStringList{QStringLiteral("确定"), QStringLiteral("取消")}));
        QCOMPARE(window->deviceClass(), 3);
        QCOMPARE(slider()->minimum(), -55);
        QVERIFY(data->Areas == before);
        QVERIFY(data->Modified);
        QCOMPARE(widget<QComboBox>("Area_OpenDelay")->currentIndex(), 7);

        // A box closed without an answer is no consent either.
        dialogs->answers.enqueue(-1);
        action("Laser50")->trigger();
        QCOMPARE(window->deviceClass(), 3);
        QVERIFY(data->Areas == before);

        // OK: class 50, areas cleared except their case channels.
        dialogs->answers.enqueue(0);
        action("Laser50")->trigger();
        QCOMPARE(window->deviceClass(), 4);
        QCOMPARE(slider()->minimum(), -90);
        QVERIFY(!data->Modified);
        for (int i = 0; i < EditData::AreaCount; ++i) {
            const AreaRecord &a = data->Areas[i];
            AreaRecord expected;
            expected.SteerMinDgree = before[i].SteerMinDgree;
            expected.SteerMaxDgree = before[i].SteerMaxDgree;
            expected.VehicleMinSpeed = before[i].VehicleMinSpeed;
            expected.VehicleMaxSpeed = before[i].VehicleMaxSpeed;
            expected.VehicleOptionMode = before[i].VehicleOptionMode;
            QVERIFY2(a == expected, qPrintable(QString::number(i)));
        }
        for (const char *name : {"Area_OpenDelay", "Area_CloseDelay", "Area_Hysteresis", "Area_DetectionSize"})
            QCOMPARE(widget<QComboBox>(name)->currentIndex(), 0);
    }

    void newProjectWithoutChangesAsksNothing()
    {
        data->Areas[9] = filledArea(9);
        data->CurrentArea = 9;
        data->UndoIndex[9] = 1;
        QVERIFY(!data->Modified);
        action("Laser30")->trigger();
        QVERIFY(dialogs->boxes.isEmpty());
        QCOMPARE(window->deviceClass(), 3);
        // DetectionSize goes from the start-up 1 to 0 like every other field.
        QCOMPARE(data->Areas[0].DetectionSize, 0);
        QCOMPARE(data->Areas[9].Out1Points.size(), 0);
        QCOMPARE(data->Areas[9].VehicleMaxSpeed, 259);
        // Undo position and the current area belong to the editor, not the project.
        QCOMPARE(data->CurrentArea, 9);
        QCOMPARE(data->UndoIndex[9], 1);
    }

    void deviceClassSetsTheZoomRange()
    {
        data->Modified = true;
        chooseClass(2);
        QCOMPARE(window->deviceClass(), 2);
        QCOMPARE(slider()->minimum(), -20);
        QCOMPARE(slider()->maximum(), 350);
        QCOMPARE(slider()->value(), -20);
        // Choosing a class is not a new project: no prompt, areas untouched.
        QVERIFY(dialogs->boxes.isEmpty());
        QVERIFY(data->Modified);
        QCOMPARE(data->Areas[5].DetectionSize, 1);

        const int expected[] = {70, 30, -20, -55, -90};
        for (int cls = 0; cls < 5; ++cls) {
            chooseClass(cls);
            QCOMPARE(slider()->minimum(), expected[cls]);
            QCOMPARE(slider()->value(), expected[cls]);
        }
        // An unknown class leaves the slider where it was.
        slider()->setValue(100);
        chooseClass(7);
        QCOMPARE(slider()->minimum(), -90);
        QCOMPARE(slider()->value(), 100);
        QCOMPARE(slider()->maximum(), 350);
    }

    void closePrompt_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveAs"); // the save dialog's answer; empty: cancelled
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("save") << 0 << "plan" << true << true;
        // The work is not lost when the save does not happen.
        QTest::newRow("save, dialog cancelled") << 0 << "" << false << false;
        QTest::newRow("save fails") << 0 << "missing/plan" << false << false;
        QTest::newRow("close") << 1 << "plan" << true << false;
        QTest::newRow("cancel") << 2 << "plan" << false << false;
        QTest::newRow("dismissed") << -1 << "plan" << false << false;
    }
    void closePrompt()
    {
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        dialogs->fileNames.enqueue(saveAs.isEmpty() ? QString() : dir.filePath(saveAs));
        data->Modified = true;
        dialogs->answers.enqueue(answer);
        action("Quit")->trigger();
        QVERIFY(!dialogs->boxes.isEmpty());
        const ScriptedDialogs::Box box = dialogs->boxes.first();
        QCOMPARE(box.title, QStringLiteral("警告"));
        QCOMPARE(box.text, QStringLiteral("关于应用程序\n您修改了数据直接退出而不保存？"));
        QCOMPARE(box.buttons,
                 (QStringList{QStringLiteral("保存"), QStringLiteral("关闭"), QStringLiteral("取消")}));
        QCOMPARE(window->isVisible(), !closes);
        QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("plan.VQ30"))), saved);
        QCOMPARE(data->Modified, !saved);
        // Only a failed save says more.
        QCOMPARE(dialogs->boxes.size(), saveAs.startsWith(QLatin1String("missing")) && answer == 0 ? 2 : 1);
    }

    void closeWithoutChangesAsksNothing()
    {
        QVERIFY(window->close());
        QVERIFY(dialogs->boxes.isEmpty());
    }

    void displayModeActionsActLikeRadioButtons()
    {
        struct Step
        {
            const char *action;
            int mode;
        };
        const char *names[] = {"DispGraph", "DispCloud", "DispLine"};
        for (Step step : {Step{"DispCloud", 1}, Step{"DispLine", 2}, Step{"DispLine", 2}, Step{"DispGraph", 0}}) {
            action(step.action)->trigger();
            QCOMPARE(window->displayMode(), step.mode);
            for (int i = 0; i < 3; ++i) {
                QCOMPARE(action(names[i])->isCheckable(), i == step.mode);
                QCOMPARE(action(names[i])->isChecked(), i == step.mode);
            }
        }
    }

    void monitoringModeAndBack()
    {
        action("DataTable")->setEnabled(true);
        action("DataTable")->trigger();
        action("SensorSetting")->trigger();
        QVERIFY(dock("DataTableDock")->isVisible());
        QVERIFY(!dock("SensorSettingDock")->isVisible());

        action("Monitoring")->trigger();
        QCOMPARE(window->monitoringMode(), 1);
        QVERIFY(!dock("EditionControlDock")->isVisible());
        QVERIFY(!dock("DataTableDock")->isVisible());
        QVERIFY(dock("SensorSettingDock")->isVisible());
        QVERIFY(!action("Edition")->isChecked());
        QVERIFY(!action("DataTable")->isChecked());
        QVERIFY(action("SensorSetting")->isChecked());

        action("Edition")->trigger();
        QCOMPARE(window->monitoringMode(), 0);
        QVERIFY(dock("EditionControlDock")->isVisible());
        // Hiding the edition dock by hand is monitoring too.
        action("Edition")->trigger();
        QCOMPARE(window->monitoringMode(), 1);
        QVERIFY(!dock("EditionControlDock")->isVisible());
    }

    void closingIoSimulationSwitchesItsGroupsOff()
    {
        action("IOSimulation")->setEnabled(true);
        action("IOSimulation")->trigger();
        QVERIFY(dock("IOSimulationDock")->isVisible());
        const char *groups[] = {"InportGrouptBox", "OutportGrouptBox", "FaultGroupBox", "CaseSimulationBox"};
        for (const char *g : groups)
            widget<QGroupBox>(g)->setChecked(true);
        action("IOSimulation")->trigger();
        QVERIFY(!dock("IOSimulationDock")->isVisible());
        for (const char *g : groups)
            QVERIFY2(!widget<QGroupBox>(g)->isChecked(), g);

        action("SelfCheck")->setEnabled(true);
        action("SelfCheck")->trigger();
        QVERIFY(dock("SelfCheckDock")->isVisible());
        action("SelfCheck")->trigger();
        QVERIFY(!dock("SelfCheckDock")->isVisible());
    }

    void ownsMessageBoxesOnlyWhenNoneAreGiven()
    {
        delete window;
        window = nullptr;
        delete dialogs;
        dialogs = nullptr;
        {
            MainWindow own(data);
            QVERIFY(DialogSeam::current() != nullptr);
            QVERIFY(dynamic_cast<ScriptedDialogs *>(DialogSeam::current()) == nullptr);
        }
        // After the window is gone the silent seam answers again: nothing dangles.
        QCOMPARE(DialogSeam::current()->ask(DialogSeam::Icon::Warning, QString(), QString(), {}), -1);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
