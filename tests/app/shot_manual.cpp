// Not a test: sets the program up for one screenshot of the user manual. Run
// by scripts/manual-shots through scripts/screenshot, which isolates the
// network; QM_SHOT_CROPS names the file where the parts to cut the screenshot
// to are written (tests/support/shotcrops.h).
//   shot_manual SCENE [en]
// Scenes without a scanner:
//   welcome          the window with the welcome dialog over it
//   editor           three areas drawn, area 0 being edited on its Out 1 page
//   output2          the same on the Out 2 page (a dependent form)
//   casechannel      the case-channel page of area 0
//   menu NAME        a menu of the menu bar open (menuFile with its New submenu)
//   serial           the serial dialog with a device path typed
//   ethernet         the Ethernet dialog, its list open: the addresses used
//                    last, then one the search found
//   appsettings      the App Settings dialog
//   vehiclefields    Fields from vehicle with three speed bands
// Scenes connected over TCP to a scanner emulator (inputs at 5):
//   connected        after the read-all, self-check dock open
//   upload           the message at the end of the read-all
//   download         the message at the end of a write-all
//   info             the product information
//   iosim            the IO simulation dock
//   monitor          monitoring mode after the areas were written: area 5 shown
//   live [cloud|line] the live scan over the emulator's room
//   intrusions       the same with three areas drawn and the intrusions shown
//   teach            area 5 (the one the inputs choose) with Out1 taught from
//                    the room and written, the intrusions shown
//   teachpreview     area 5's Out1 taught over 5 s, its preview with Accept and Discard
//   linklost         the box when the scanner has gone
//   compare          three areas written, then a point of area 0, a parameter
//                    and a case row changed and compared: the differences,
//                    area 0 shown with the scanner's zones dashed
// en switches to English what can be switched.

#include "comparecontroller.h"
#include "comparepanel.h"
#include "create.h"
#include "editdata.h"
#include "emulatorprocess.h"
#include "ethnertsetting.h"
#include "mainwindow.h"
#include "option_scene.h"
#include "paint_intrusion.h"
#include "quitonterm.h"
#include "serial_comm.h"
#include "settingsdialog.h"
#include "shotcrops.h"
#include "vehiclefieldsdialog.h"
#include "viewwindow.h"
#include "widgetdialogs.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <functional>
#include <algorithm>
#include <memory>

namespace {

// Message boxes either shown (the box is the picture) or answered at once
// (the way to the picture): the last button, so a restart question is
// declined. Every message is reported, so a scene can go on when a transfer
// has ended.
class ShotDialogs : public DialogSeam
{
public:
    void attach(QWidget *window) { m_real = std::make_unique<WidgetDialogs>(window); }
    void setShown(bool shown) { m_shown = shown; }
    std::function<void(const QString &)> onMessage;

    int ask(Icon icon, const QString &title, const QString &text, const QStringList &buttons,
            int defaultButton) override
    {
        report(text);
        if (m_shown && m_real)
            return m_real->ask(icon, title, text, buttons, defaultButton);
        return buttons.size() > 1 ? int(buttons.size()) - 1 : 0;
    }
    void notify(Icon icon, const QString &title, const QString &text, const QString &button) override
    {
        report(text);
        if (m_shown && m_real)
            m_real->notify(icon, title, text, button);
    }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    void progressShow(const QString &title, int maximum) override
    {
        if (m_shown && m_real)
            m_real->progressShow(title, maximum);
    }
    void progressSetTitle(const QString &title) override
    {
        if (m_shown && m_real)
            m_real->progressSetTitle(title);
    }
    void progressSetValue(int value) override
    {
        if (m_shown && m_real)
            m_real->progressSetValue(value);
    }
    void progressClose() override
    {
        if (m_shown && m_real)
            m_real->progressClose();
    }

private:
    void report(const QString &text)
    {
        // Later: the message may come from inside the link's reply handling.
        if (onMessage)
            QTimer::singleShot(300, [this, text] { onMessage(text); });
    }

    std::unique_ptr<WidgetDialogs> m_real;
    bool m_shown = false;
};

bool isReadAllDone(const QString &text)
{
    return text == QStringLiteral("参数读取完成！") || text == QStringLiteral("Parameters Read OK!");
}

bool isRestartQuestion(const QString &text)
{
    return text == QStringLiteral("是否重启传感器?") || text == QStringLiteral("Do you restart?");
}

// A few areas a commissioning engineer might draw for a forklift: area 0 a
// polygon with a straight and a fan form, area 1 an arc, area 2 rectangles,
// area 5 (inputs 1 and 3) a wide field for driving forwards.
void drawAreas(EditData &data)
{
    AreaRecord &a0 = data.Areas[0];
    a0.Out1Shape = Polygon;
    a0.Out1Points = {QPoint(-1800, -200), QPoint(-1800, 2600), QPoint(0, 3400), QPoint(1800, 2600),
                     QPoint(1800, -200)};
    a0.Out2Shape = Straight;
    a0.Out2Points = {QPoint(0, 1800)};
    a0.Out3Shape = Fan;
    a0.Out3Points = {QPoint(0, 1200)};
    a0.SteerMinDgree = -30;
    a0.SteerMaxDgree = 30;
    a0.VehicleMinSpeed = 0;
    a0.VehicleMaxSpeed = 120;
    a0.VehicleOptionMode = 1;
    AreaRecord &a1 = data.Areas[1];
    a1.Out1Shape = Arc;
    a1.Out1Points = {QPoint(4000, -500), QPoint(-4000, -500)};
    a1.Out2Shape = Ratio;
    a1.Out2Points = {QPoint(0, 2000)};
    a1.Out3Shape = Polygon;
    a1.Out3Points = {QPoint(600, 300), QPoint(0, 1200), QPoint(-600, 300)};
    AreaRecord &a2 = data.Areas[2];
    a2.Out1Shape = Rectangle;
    a2.Out1Points = {QPoint(-900, 0), QPoint(-900, 5000), QPoint(900, 5000), QPoint(900, 0)};
    a2.Out2Shape = Rectangle;
    a2.Out2Points = {QPoint(-700, 0), QPoint(-700, 3000), QPoint(700, 3000), QPoint(700, 0)};
    a2.Out3Shape = Polygon;
    a2.Out3Points = {QPoint(500, 500), QPoint(-500, 500), QPoint(0, 1500)};
    AreaRecord &a5 = data.Areas[5];
    a5.Out1Shape = Polygon;
    a5.Out1Points = {QPoint(-2500, -300), QPoint(-2500, 2500), QPoint(-1200, 3800), QPoint(1200, 3800),
                     QPoint(2500, 2500), QPoint(2500, -300)};
    a5.Out2Shape = Polygon;
    a5.Out2Points = {QPoint(-1500, -200), QPoint(-1500, 2200), QPoint(1500, 2200), QPoint(1500, -200)};
    a5.Out3Shape = Fan;
    a5.Out3Points = {QPoint(0, 1300)};
}

// Zoom level of the view (250 is 1 pixel per mm, 50 levels halve it) and
// the scene point (y down) to centre on.
void frame(MainWindow &window, int level, const QPointF &centre)
{
    window.findChild<QSlider *>(QStringLiteral("ZoomSlider"))->setValue(level);
    window.findChild<ViewWindow *>(QStringLiteral("graphicsView"))->centerOn(centre);
}

void trigger(MainWindow &window, const char *action)
{
    window.findChild<QAction *>(QString::fromLatin1(action))->trigger();
}

// Shows the areas just drawn in every editor, area 0 current.
void showAreas(MainWindow &window)
{
    auto *areas = window.findChild<QTableWidget *>(QStringLiteral("AreaTableWidget"));
    emit areas->cellClicked(1, 0);
    emit areas->cellClicked(0, 0);
    areas->selectRow(0);
}

void chooseOutputPage(MainWindow &window, int page)
{
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("AreaEditTab"));
    tabs->setCurrentIndex(page);
    emit tabs->tabBarClicked(page); // as a click: the scene shows that output's handles
}

void openMenu(MainWindow &window, const QString &name)
{
    auto *menu = window.findChild<QMenu *>(name);
    if (!menu)
        return;
    window.menuBar()->setActiveAction(menu->menuAction());
    if (name == QLatin1String("menuFile"))
        QTimer::singleShot(500, menu, [menu, &window] {
            menu->setActiveAction(window.findChild<QMenu *>(QStringLiteral("menuNew"))->menuAction());
        });
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QuitOnTerm::install(app);
    const QStringList args = app.arguments().mid(1);
    const QString scene = args.value(0);
    const bool english = args.contains(QStringLiteral("en"));

    ShotDialogs dialogs;
    MainWindow window(&EditData::instance(), &dialogs);
    dialogs.attach(&window);
    ShotCrops crops(&window);
    for (const char *part : {"EditionControlDock", "SensorSettingDock", "IOSimulationDock", "SelfCheckDock",
                             "centralWidget", "MonitorPanel", "ParametersEditTab", "AreaEditTab", "statusBar",
                             "CompareDock"})
        crops.addWidget(QString::fromLatin1(part));
    // The simulation dock down to its last group, without the empty rest.
    crops.add(QStringLiteral("iosim-groups"), [&window] {
        QRect dock = ShotCrops::screenRect(window.findChild<QWidget *>(QStringLiteral("IOSimulationDock")));
        const QRect last = ShotCrops::screenRect(window.findChild<QWidget *>(QStringLiteral("CaseSimulationBox")));
        if (!dock.isNull() && !last.isNull())
            dock.setBottom(last.bottom() + 8);
        return dock;
    });
    crops.add(QStringLiteral("toolbars"), [&window] {
        QRect all = ShotCrops::screenRect(window.menuBar());
        for (QToolBar *bar : window.findChildren<QToolBar *>())
            if (window.toolBarArea(bar) == Qt::TopToolBarArea)
                all |= ShotCrops::screenRect(bar);
        return all;
    });
    window.show();

    if (english) {
        // The main window's language switch; until it is wired to the action
        // only the dialogs and the link's messages below switch.
        trigger(window, "English");
        window.welcomeDialog()->LanguageDisplayEnglish();
        window.serialSettingsDialog()->retranslate(1);
        window.ethernetDialog()->retranslate(1);
        window.linkController()->setLanguage(0);
    }

    if (scene == QLatin1String("welcome")) {
        Create *welcome = window.welcomeDialog();
        auto *tabs = welcome->findChild<QTabWidget *>(QStringLiteral("ConnecttabWidget"));
        tabs->setCurrentIndex(1);
        welcome->findChild<QComboBox *>(QStringLiteral("comboBox_Ethernet"))->addItem(QStringLiteral("192.168.1.10"));
        welcome->show();
        return app.exec();
    }
    if (scene == QLatin1String("serial")) {
        trigger(window, "SerialConnection");
        trigger(window, "SerialSetting");
        window.serialSettingsDialog()
            ->findChild<QComboBox *>(QStringLiteral("serialPortInfoListBox"))
            ->setEditText(QStringLiteral("/dev/ttyUSB0"));
        return app.exec();
    }
    if (scene == QLatin1String("ethernet")) {
        EthnertSetting *dialog = window.ethernetDialog();
        dialog->setAddressHistory({QStringLiteral("192.168.1.10"), QStringLiteral("192.168.1.11")});
        trigger(window, "EthernetConnection");
        trigger(window, "EthnernetSetting");
        auto *box = dialog->findChild<QComboBox *>(QStringLiteral("Eth_ComboBox"));
        box->addItem(QStringLiteral("192.168.1.23"));
        crops.add(QStringLiteral("ethernet-list"), [dialog, box] {
            return ShotCrops::screenRect(dialog) | ShotCrops::screenRect(box->view()->window());
        });
        QTimer::singleShot(1000, box, &QComboBox::showPopup);
        return app.exec();
    }
    if (scene == QLatin1String("appsettings")) {
        trigger(window, "AppSettings");
        return app.exec();
    }
    if (scene == QLatin1String("vehiclefields")) {
        // A forklift 1.2 m wide, the scanner 150 mm behind its front and
        // 100 mm right of its centre: creeping, walking pace, full speed.
        VehicleFields::Vehicle v;
        v.width = 1200;
        v.frontOffset = 150;
        v.centreOffset = 100;
        v.marginLeft = v.marginRight = 150;
        v.responseTime = 0.35;
        v.deceleration = 1.2;
        v.supplement = 200;
        v.warningFactor = 1.6;
        v.bands = {{0.5, 0, 0, 50, -180, 180, 0, 8},
                   {1.2, 0, 51, 120, -180, 180, 0, 9},
                   {2.2, 2200, 121, 220, -180, 180, 0, 10}};
        trigger(window, "VehicleFields");
        window.vehicleFieldsDialog()->setVehicle(v);
        window.vehicleFieldsDialog()->setDeviceClass(window.deviceClass());
        return app.exec();
    }
    if (scene == QLatin1String("editor") || scene == QLatin1String("output2") || scene == QLatin1String("casechannel")
        || scene == QLatin1String("menu")) {
        drawAreas(EditData::instance());
        showAreas(window);
        frame(window, 75, QPointF(0, -1700));
        // As a user would, once the window stands (done before its first
        // paint, the handles' removal upsets the scene's item index).
        if (scene == QLatin1String("output2"))
            QTimer::singleShot(1000, &window, [&window] { chooseOutputPage(window, 1); });
        if (scene == QLatin1String("casechannel"))
            window.findChild<QTabWidget *>(QStringLiteral("ParametersEditTab"))->setCurrentIndex(1);
        if (scene == QLatin1String("menu"))
            QTimer::singleShot(1000, &window, [&window, &args] { openMenu(window, args.value(1)); });
        return app.exec();
    }

    // The rest against a scanner.
    Emulator emulator;
    if (!emulator.start({QStringLiteral("-q"), QStringLiteral("--inputs"), QStringLiteral("5")}))
        return 1;
    dialogs.setShown(scene == QLatin1String("upload"));
    dialogs.onMessage = [&](const QString &text) {
        if (isReadAllDone(text)) {
            frame(window, 42, QPointF(500, -1500)); // the emulator's room, 8 m square
            if (scene == QLatin1String("connected")) {
                trigger(window, "SelfCheck");
            } else if (scene == QLatin1String("download")) {
                dialogs.setShown(true);
                trigger(window, "WriteAllSetting");
            } else if (scene == QLatin1String("info")) {
                dialogs.setShown(true);
                trigger(window, "SensorInformation");
            } else if (scene == QLatin1String("iosim")) {
                trigger(window, "SensorSetting"); // off: the simulation dock gets the height
                trigger(window, "IOSimulation");
            } else if (scene == QLatin1String("monitor")) {
                drawAreas(EditData::instance());
                showAreas(window);
                // An empty area being edited: what the inputs choose shows alone.
                emit window.findChild<QTableWidget *>(QStringLiteral("AreaTableWidget"))->cellClicked(3, 0);
                trigger(window, "WriteAllSetting");
            } else if (scene == QLatin1String("intrusions")) {
                drawAreas(EditData::instance());
                showAreas(window);
                trigger(window, "DispIntrusions");
            } else if (scene == QLatin1String("teachpreview")) {
                emit window.findChild<QTableWidget *>(QStringLiteral("AreaTableWidget"))->cellClicked(5, 0);
                window.findChild<QSpinBox *>(QStringLiteral("TeachTimeOut1"))->setValue(5);
                auto *teach = window.findChild<QPushButton *>(QStringLiteral("ButtonTeachOut1"));
                QTimer::singleShot(300, teach, &QPushButton::click);
            } else if (scene == QLatin1String("teach")) {
                emit window.findChild<QTableWidget *>(QStringLiteral("AreaTableWidget"))->cellClicked(5, 0);
                trigger(window, "DispIntrusions");
                auto *teach = window.findChild<QPushButton *>(QStringLiteral("ButtonTeachOut1"));
                QTimer::singleShot(300, teach, &QPushButton::click);
                // The preview accepted, as the user would, once it stands.
                QTimer::singleShot(3000, &window, [&window] {
                    window.findChild<QPushButton *>(QStringLiteral("TeachAccept"))->click();
                });
                // Written once taught, so that the scanner guards with it; the
                // Out 2 page keeps the hundred handles out of the picture.
                QTimer::singleShot(5000, &window, [&window] {
                    trigger(window, "WriteAllSetting");
                    chooseOutputPage(window, 1);
                });
            } else if (scene == QLatin1String("linklost")) {
                dialogs.setShown(true);
                emulator.stop();
            } else if (scene == QLatin1String("compare")) {
                drawAreas(EditData::instance());
                showAreas(window);
                trigger(window, "WriteAllSetting");
            } else if (scene == QLatin1String("live")) {
                if (args.contains(QStringLiteral("cloud")))
                    trigger(window, "DispCloud");
                else if (args.contains(QStringLiteral("line")))
                    trigger(window, "DispLine");
            }
        } else if (isRestartQuestion(text) && scene == QLatin1String("teach")) {
            // Written: once the scanner reports output 1 set with the obstacle
            // well inside the zone on screen, the picture holds still.
            SERIAL_COMM *link = window.linkController();
            PAINT_INTRUSION *intrusions = window.sceneController()->paintIntrusion();
            auto held = std::make_shared<bool>(false);
            QObject::connect(link, &SERIAL_COMM::IOPortSignals, &window, [link, intrusions, held](uint, uint out, uint) {
                const QVector<quint8> &masks = intrusions->paintedMasks();
                if (*held || !(out & 1) || std::count(masks.cbegin(), masks.cend(), quint8(1)) < 150)
                    return;
                *held = true;
                link->CloseSendReadScanf();
                link->CloseSendReadSimulation();
            });
        } else if (isRestartQuestion(text) && scene == QLatin1String("compare")) {
            // Written and read back; then edited and compared again.
            CompareController *compare = window.comparison();
            QObject::connect(compare, &CompareController::verified, &window, [&window, compare] {
                EditData &data = EditData::instance();
                data.Areas[0].Out1Points[2] = QPoint(300, 3900);
                data.Areas[0].SteerMaxDgree = 25;
                auto *address = window.findChild<QSpinBox *>(QStringLiteral("Para_CANIDAddress"));
                address->setValue(address->value() - 7);
                showAreas(window); // the editors show the edits
                QObject::connect(compare, &CompareController::changed, &window, [&window, compare] {
                    if (compare->state() != CompareController::State::Compared)
                        return;
                    // The last line, area 0's point, chosen as a click does.
                    QTreeWidget *tree = window.comparePanel()->tree();
                    QTreeWidgetItem *last = nullptr;
                    for (QTreeWidgetItemIterator line(tree); *line; ++line)
                        if ((*line)->childCount() == 0)
                            last = *line;
                    if (!last)
                        return;
                    tree->setCurrentItem(last);
                    emit tree->itemClicked(last, 0);
                    frame(window, 75, QPointF(0, -1900));
                });
                trigger(window, "CompareScanner");
            });
        } else if (isRestartQuestion(text) && scene == QLatin1String("monitor")) {
            // Written and not restarted: the scanner now chooses between the
            // areas by its inputs, and the window follows.
            trigger(window, "Monitoring");
            QTimer::singleShot(500, &window, [&window] { frame(window, 84, QPointF(0, -1700)); });
        }
    };
    window.connectEthernet(QStringLiteral("127.0.0.1"), emulator.port);
    return app.exec();
}
