// For screenshots of connecting. Not run by ctest; run it through
// scripts/screenshot (QM_SCREENSHOT_CMD), which isolates the network.
//   shot_link                 the window connected over TCP to a real emulator
//                             after its read-all, self-check dock open
//   shot_link info            the same, then the product information box
//   shot_link refused         connected, then Write All Setting against a
//                             scanner that answers area 3 with status 7
//   shot_link iosim           connected, the IO simulation dock open (instead
//                             of the self-check dock) with inputs 1 and 3,
//                             outputs 1 and 2 and the fault simulated
//   shot_link welcome|serial|ethernet|about
//                             the window with that dialog over it
//   shot_link filemenu        three projects saved, one edited since, the
//                             File menu open on the recent projects
//   shot_link question        an edited project, then connecting over TCP:
//                             the question before the read
//   shot_link live graph|cloud|line [pty] [table] [deep] [intrusions] [teach]
//                             the live outline and intensity in that display
//                             mode over TCP (or the serial line), zones under
//                             them, optionally the data table dock open, the
//                             deepest zoom on the front wall, the intrusions
//                             shown, or Out1 taught once the read-all is in
//                             (give it 8 seconds)
//   shot_link live ... replay  the same recorded for 4 s from the window's file
//                             menu, disconnected, and the recording opened
//                             and played back from its start (give it 12 s);
//                             with "whatif" the far edge of Out1 of area 0 is
//                             then drawn 2 m nearer and the zones evaluated again
// Every mode also takes "en" (the whole program switched to English, as the
// language menu does) and WIDTHxHEIGHT (the window's size).

#include "create.h"
#include "emulatorprocess.h"
#include "emulatorstate.h"
#include "ethnertsetting.h"
#include "mainwindow.h"
#include "option_scene.h"
#include "quitonterm.h"
#include "replayplayer.h"
#include "scripteddialogs.h"
#include "serial_comm.h"
#include "settingsdialog.h"
#include "shotcrops.h"
#include "shapekind.h"
#include "viewwindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

namespace {
// A scanner whose first area guards the room: a polygon, a second zone
// cut straight across it and a third trimmed to a fan.
bool writeGuardingState(const QString &path)
{
    EmulatorState state = EmulatorState::factory();
    AreaRecord area;
    area.Out1Shape = Polygon;
    area.Out1Points = {{3000, -800}, {3000, 2600}, {1200, 4200}, {-1200, 4200}, {-3000, 2600}, {-3000, -800}};
    area.Out2Shape = Straight;
    area.Out2Points = {{0, 2600}};
    area.Out3Shape = Fan;
    area.Out3Points = {{0, 1700}};
    const AreaEncodeResult block = encodeAreaBlock(Command::RArea, 0, area, false);
    if (block.frame.isEmpty())
        return false;
    state.areas[0] = block.frame;
    QString error;
    return state.save(path, &error);
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QuitOnTerm::install(app); // stops the emulator when the screenshot is taken
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    QStringList options;
    for (int i = 2; i < argc; ++i)
        options << QString::fromLocal8Bit(argv[i]);
    const bool english = options.contains(QStringLiteral("en"));
    const bool live = mode == QLatin1String("live");
    QTemporaryDir dir;
    const QString stateFile = dir.filePath(QStringLiteral("state.json"));
    if (live && !writeGuardingState(stateFile))
        return 1;
    Emulator emulator;
    const QStringList hostile = mode == QLatin1String("refused")
                                    ? QStringList{QStringLiteral("--fault"), QStringLiteral("WArea:3:status=7:0")}
                                    : QStringList();
    if (!emulator.start(live ? QStringList{QStringLiteral("-q"), QStringLiteral("--state"), stateFile}
                             : QStringList{QStringLiteral("-q"), QStringLiteral("--inputs"), QStringLiteral("5"),
                                           QStringLiteral("--status-bits"), QStringLiteral("33")}
                                   + hostile))
        return 1;
    // The recent projects of this shot stay in a folder of its own.
    const bool fileMenu = mode == QLatin1String("filemenu");
    if (fileMenu)
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    // The live shots answer the read-all's message themselves: it would
    // cover the view. The file menu's saves are answered too.
    ScriptedDialogs quiet;
    MainWindow window(&EditData::instance(), live || fileMenu ? &quiet : nullptr);
    for (const QString &option : options) {
        const QRegularExpressionMatch size = QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)$")).match(option);
        if (size.hasMatch()) {
            window.move(0, 0);
            window.resize(size.captured(1).toInt(), size.captured(2).toInt());
        }
    }
    window.show();
    // For the manual: the window and the replay dock can be cut out.
    ShotCrops crops(&window);
    crops.addWidget(QStringLiteral("ReplayDock"));
    // The whole program switches, as the language menu does.
    if (english)
        window.LanguageToEnglish();
    if (live) {
        const char *modeAction = options.contains(QStringLiteral("cloud")) ? "DispCloud"
            : options.contains(QStringLiteral("line"))                     ? "DispLine"
                                                                            : "DispGraph";
        window.findChild<QAction *>(QLatin1String(modeAction))->trigger();
        if (options.contains(QStringLiteral("pty")))
            window.CreatOpenSerialPort(emulator.pty);
        else
            window.connectEthernet(QStringLiteral("127.0.0.1"), emulator.port);
        if (!options.contains(QStringLiteral("teach")))
            window.findChild<QAction *>(QStringLiteral("Intensity"))->trigger();
        if (options.contains(QStringLiteral("intrusions")))
            window.findChild<QAction *>(QStringLiteral("DispIntrusions"))->setChecked(true);
        if (options.contains(QStringLiteral("teach"))) {
            auto *teach = window.findChild<QPushButton *>(QStringLiteral("ButtonTeachOut1"));
            QObject::connect(window.linkController(), &SERIAL_COMM::ReceiveAreaData, teach,
                             [teach] { QTimer::singleShot(300, teach, &QPushButton::click); });
        }
        if (options.contains(QStringLiteral("table")))
            window.findChild<QAction *>(QStringLiteral("DataTable"))->trigger();
        if (options.contains(QStringLiteral("replay"))) {
            const QString recording = dir.filePath(QStringLiteral("site.qmrec"));
            quiet.fileNames << recording << recording;
            QTimer::singleShot(2500, &window, [&window] {
                window.findChild<QAction *>(QStringLiteral("SelfCheck"))->trigger();
                window.findChild<QAction *>(QStringLiteral("StartRecording"))->trigger();
            });
            QTimer::singleShot(6500, &window, [&window] {
                window.findChild<QAction *>(QStringLiteral("DisConnection"))->trigger();
                window.findChild<QAction *>(QStringLiteral("OpenRecording"))->trigger();
                window.findChild<QAction *>(QStringLiteral("SelfCheck"))->trigger();
                window.replayPlayer()->play();
            });
            if (options.contains(QStringLiteral("whatif")))
                QTimer::singleShot(8000, &window, [&window] {
                    // The far edge drawn 2 m nearer: the obstacle leaves the zone.
                    AreaRecord &area = EditData::instance().Areas[0];
                    for (QPoint &p : area.Out1Points)
                        if (p.y() > 0)
                            p.setY(p.y() - 2000);
                    window.sceneController()->CoordTableUpdatePointItem();
                    window.findChild<QToolButton *>(QStringLiteral("ReplayEvaluate"))->click();
                });
        }
        // The room (8 m across) fills the view.
        const bool deep = options.contains(QStringLiteral("deep"));
        window.findChild<QSlider *>(QStringLiteral("ZoomSlider"))->setValue(deep ? 350 : 25);
        if (deep)
            window.findChild<ViewWindow *>(QStringLiteral("graphicsView"))->centerOn(0, -5500);
    } else if (mode == QLatin1String("welcome")) {
        window.welcomeDialog()->show();
        window.welcomeDialog()->findChild<QComboBox *>(QStringLiteral("comboBox_Serial"))
            ->setEditText(emulator.pty);
    } else if (mode == QLatin1String("serial")) {
        window.findChild<QAction *>(QStringLiteral("SerialConnection"))->trigger();
        window.findChild<QAction *>(QStringLiteral("SerialSetting"))->trigger();
        window.serialSettingsDialog()->findChild<QComboBox *>(QStringLiteral("serialPortInfoListBox"))
            ->setEditText(emulator.pty);
    } else if (mode == QLatin1String("ethernet")) {
        window.findChild<QAction *>(QStringLiteral("EthernetConnection"))->trigger();
        window.findChild<QAction *>(QStringLiteral("EthnernetSetting"))->trigger();
        auto *box = window.ethernetDialog()->findChild<QComboBox *>(QStringLiteral("Eth_ComboBox"));
        box->addItem(QStringLiteral("127.0.0.1"));
    } else if (fileMenu) {
        QDir(dir.path()).mkdir(QStringLiteral("projects"));
        for (const char *name : {"aisle7", "forklift-north", "forklift-south"}) {
            quiet.fileNames << dir.filePath(QStringLiteral("projects/") + QLatin1String(name));
            window.findChild<QAction *>(QStringLiteral("SaveAs"))->trigger();
        }
        EditData::instance().Areas[0].Out1Points = {{0, 0}, {1000, 2000}, {-1000, 2000}};
        EditData::instance().Modified = true;
        QMetaObject::invokeMethod(&window, "showModified");
        QTimer::singleShot(800, &window, [&window] {
            auto *file = window.findChild<QMenu *>(QStringLiteral("menuFile"));
            QMenuBar *bar = window.menuBar();
            file->popup(bar->mapToGlobal(bar->actionGeometry(file->menuAction()).bottomLeft()));
            file->setActiveAction(window.findChild<QMenu *>(QStringLiteral("menuRecent"))->menuAction());
        });
    } else if (mode == QLatin1String("question")) {
        EditData::instance().Areas[0].Out1Points = {{0, 0}, {1000, 2000}, {-1000, 2000}};
        EditData::instance().Modified = true;
        QMetaObject::invokeMethod(&window, "showModified");
        QTimer::singleShot(800, &window,
                           [&] { window.connectEthernet(QStringLiteral("127.0.0.1"), emulator.port); });
    } else if (mode == QLatin1String("about")) {
        window.findChild<QAction *>(QStringLiteral("About"))->trigger();
    } else {
        window.connectEthernet(QStringLiteral("127.0.0.1"), emulator.port);
        if (mode == QLatin1String("iosim")) {
            window.findChild<QAction *>(QStringLiteral("IOSimulation"))->trigger();
            // As a user does: Space on the group boxes and the fault button,
            // digits into the spin boxes.
            for (const char *name : {"InportGrouptBox", "OutportGrouptBox", "FaultGroupBox", "FaultSimuButton"})
                QTest::keyClick(window.findChild<QWidget *>(QLatin1String(name)), Qt::Key_Space);
            const QPair<const char *, const char *> typed[] = {{"InputspinBox", "5"}, {"OutputspinBox", "3"}};
            for (const auto &t : typed) {
                auto *spin = window.findChild<QSpinBox *>(QLatin1String(t.first));
                spin->selectAll();
                QTest::keyClicks(spin, QLatin1String(t.second));
            }
        } else {
            window.findChild<QAction *>(QStringLiteral("SelfCheck"))->trigger();
        }
        if (mode == QLatin1String("info"))
            QTimer::singleShot(2000, window.linkController(), &SERIAL_COMM::SensorInformationSlots);
        if (mode == QLatin1String("refused"))
            QTimer::singleShot(2000, window.linkController(), &SERIAL_COMM::WriteSensorAllDataSlots);
    }
    return app.exec();
}
