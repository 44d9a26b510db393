// Connecting the way a user does: through the serial dialog, the Ethernet
// dialog and the welcome dialog, against the real scanner emulator over TCP,
// UDP and a pseudo-terminal; what the window shows while connected; and the
// ways an attempt or a connection can fail.

#include "boundedwait.h"
#include "connecttexts.h"
#include "create.h"
#include "emulatorprocess.h"
#include "ethnertsetting.h"
#include "mainwindow.h"
#include "scripteddialogs.h"
#include "serial_comm.h"
#include "settingsdialog.h"
#include "widgetdriving.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLCDNumber>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTcpServer>
#include <QtTest>

#include <sys/socket.h>

namespace {
constexpr int kTick = 2;
constexpr int kTimeout = 1000;

const QStringList kConnectedOn = {"DisConnection", "ReadAllSetting", "WriteAllSetting", "SoftReboot",
                                  "SensorInformation", "IOSimulation", "SelfCheck"};
const QStringList kConnectedOff = {"Connection", "SerialConnection", "EthernetConnection", "SerialSetting",
                                   "EthnernetSetting"};

bool samePixmap(const QLabel *label, const QString &image)
{
    return WidgetDriving::labelImage(label) == QPixmap(image).toImage();
}

struct Rig
{
    EditData data;
    ScriptedDialogs dialogs;
    Emulator emulator;
    std::unique_ptr<MainWindow> window;

    Rig() { dialogs.defaultAnswer = 1; }
    bool start(const QStringList &args)
    {
        if (!emulator.start(args))
            return false;
        window = std::make_unique<MainWindow>(&data, &dialogs);
        window->linkController()->setIntervalsForTest(kTick, kTimeout);
        return true;
    }
    template <typename T = QWidget>
    T *widget(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }
    QAction *action(const char *name) const { return widget<QAction>(name); }
    QStringList actionsWhere(bool enabled, const QStringList &names) const
    {
        QStringList out;
        for (const QString &n : names)
            if (window->findChild<QAction *>(n)->isEnabled() == enabled)
                out << n;
        return out;
    }
    QString status() const { return window->statusBar()->currentMessage(); }

    // Picks the device in the named dialog and confirms, as a user does.
    void connectThrough(const QString &via, const QString &transport)
    {
        const QString device = transport == QLatin1String("pty") ? emulator.pty : QStringLiteral("127.0.0.1");
        if (transport != QLatin1String("pty"))
            window->CreatEthnertModeSignalSlot(transport == QLatin1String("udp") ? QStringLiteral("MODE: UDP")
                                                                                 : QStringLiteral("MODE: TCP"));
        if (via == QLatin1String("welcome")) {
            QWidget *welcome = window->welcomeDialog();
            welcome->show();
            const bool serial = transport == QLatin1String("pty");
            welcome->findChild<QTabWidget *>(QStringLiteral("ConnecttabWidget"))->setCurrentIndex(serial ? 0 : 1);
            auto *box = welcome->findChild<QComboBox *>(serial ? QStringLiteral("comboBox_Serial")
                                                               : QStringLiteral("comboBox_Ethernet"));
            typeInto(box, device, !serial);
            welcome->findChild<QPushButton *>(QStringLiteral("Button_Connect"))->click();
            return;
        }
        if (transport == QLatin1String("pty")) {
            action("SerialConnection")->trigger();
            action("SerialSetting")->trigger();
            QWidget *dialog = window->serialSettingsDialog();
            typeInto(dialog->findChild<QComboBox *>(QStringLiteral("serialPortInfoListBox")), device, false);
            dialog->findChild<QPushButton *>(QStringLiteral("Enter"))->click();
        } else {
            action("EthernetConnection")->trigger();
            action("EthnernetSetting")->trigger();
            QWidget *dialog = window->ethernetDialog();
            typeInto(dialog->findChild<QComboBox *>(QStringLiteral("Eth_ComboBox")), device, true);
            dialog->findChild<QPushButton *>(QStringLiteral("Enter"))->click();
        }
    }
    static void typeInto(QComboBox *box, const QString &text, bool pressReturn)
    {
        QVERIFY(box && box->isEditable());
        box->lineEdit()->clear();
        QTest::keyClicks(box->lineEdit(), text);
        if (pressReturn)
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    }
};
} // namespace

class TestMainWindowConnect : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        LinkState::instance() = LinkState();
        QSettings(QStringLiteral("Ostrelan"), QStringLiteral("Parameters")).remove(QStringLiteral("RecentAddresses"));
    }

    // Each interface enables the sensor dock's widgets it can configure.
    void interfaceSelection_data()
    {
        QTest::addColumn<bool>("ethernet");
        QTest::addColumn<int>("crossFilter");
        QTest::newRow("serial") << false << 1;
        QTest::newRow("ethernet, cross filter on") << true << 1;
        QTest::newRow("ethernet, cross filter off") << true << 0;
    }
    void interfaceSelection()
    {
        QFETCH(bool, ethernet);
        QFETCH(int, crossFilter);
        EditData data;
        ScriptedDialogs dialogs;
        MainWindow window(&data, &dialogs);
        window.findChild<QComboBox *>(QStringLiteral("Para_CrossFilterEnable"))->setCurrentIndex(crossFilter);
        window.findChild<QAction *>(QLatin1String(ethernet ? "EthernetConnection" : "SerialConnection"))->trigger();

        auto enabled = [&](const char *name) { return window.findChild<QWidget *>(QLatin1String(name))->isEnabled(); };
        auto action = [&](const char *name) { return window.findChild<QAction *>(QLatin1String(name)); };
        QCOMPARE(LinkState::instance().ConnectionKind, ethernet ? 1 : 0);
        QCOMPARE(action("SerialConnection")->isChecked(), !ethernet);
        QCOMPARE(action("EthernetConnection")->isChecked(), ethernet);
        QCOMPARE(action("SerialSetting")->isEnabled(), !ethernet);
        QCOMPARE(action("EthnernetSetting")->isEnabled(), ethernet);
        for (const char *w : {"Para_ControlMode", "Para_RS232BaudRate", "Para_RS232CommVerify", "Para_RS232StopBit",
                              "Para_RS485IDAddress", "Para_RS485BaudRate", "Para_RS485CommVerify", "Para_RS485StopBit"})
            QVERIFY2(enabled(w) == !ethernet, w);
        for (const char *w : {"Para_CANBaudRate", "Para_CANIDAddress"})
            QVERIFY2(enabled(w), w);
        for (const char *w : {"Para_SensorEtherMode", "Para_SensorIPAddress1", "Para_SensorIPAddress4",
                              "Para_ScanSensorAngle", "Para_ScanMotorSpeed", "Set_ScanFilterLevel",
                              "Set_ScanMotorSpeed", "Set_ScanSensorAngle", "Set_SensorSleepMode", "ScanGroupBox",
                              "Para_CrossFilterEnable"})
            QVERIFY2(enabled(w) == ethernet, w);
        QCOMPARE(enabled("Para_CrossFilterNumber"), ethernet && crossFilter != 0);
        QVERIFY(!enabled("Para_LaserMeasureFrq"));

        // The welcome dialog's interface choice and the exact mode texts.
        window.CreatConnectTypeSignalSlot(ethernet ? 0 : 1);
        QCOMPARE(LinkState::instance().ConnectionKind, ethernet ? 0 : 1);
        window.CreatConnectTypeSignalSlot(2);
        QCOMPARE(LinkState::instance().ConnectionKind, ethernet ? 0 : 1);
        for (const auto &[text, mode] : {std::pair{"MODE: UDP", 1}, {"mode: tcp", 1}, {"MODE:TCP", 1},
                                         {"MODE: TCP", 0}, {"MODE: UDP ", 0}}) {
            window.CreatEthnertModeSignalSlot(QLatin1String(text));
            QCOMPARE(LinkState::instance().EthernetMode, mode);
        }
    }

    // Connected through each dialog, the window shows the scanner's state;
    // disconnecting and connecting again in the same run works.
    void connectShowDisconnectConnectAgain_data()
    {
        QTest::addColumn<QString>("via");
        QTest::addColumn<QString>("transport");
        QTest::newRow("Ethernet dialog, TCP") << "dialog" << "tcp";
        QTest::newRow("Ethernet dialog, UDP") << "dialog" << "udp";
        QTest::newRow("serial dialog, pty") << "dialog" << "pty";
        QTest::newRow("welcome dialog, TCP") << "welcome" << "tcp";
        QTest::newRow("welcome dialog, pty") << "welcome" << "pty";
    }
    void connectShowDisconnectConnectAgain()
    {
        QFETCH(QString, via);
        QFETCH(QString, transport);
        Rig rig;
        // Scanners listen on one fixed port; the Ethernet dialogs know no other.
        QVERIFY(rig.start({QStringLiteral("--port"), QStringLiteral("8080"), QStringLiteral("--inputs"),
                           QStringLiteral("5"), QStringLiteral("--status-bits"), QStringLiteral("32"),
                           QStringLiteral("-q")}));
        // Monitoring mode: the scanner's inputs choose the area shown.
        rig.action("Monitoring")->trigger();
        QCOMPARE(rig.window->monitoringMode(), 1);
        QSignalSpy read(rig.window->linkController(), &SERIAL_COMM::ReceiveAreaData);

        for (int round = 1; round <= 2; ++round) {
            // The second time as a user reconnects: Connection opens the device used last.
            if (round == 1)
                rig.connectThrough(via, transport);
            else
                rig.action("Connection")->trigger();
            QVERIFY2(rig.window->isConnected(), qPrintable(rig.status()));
            // A late search reply does not switch the mode under the connection.
            const int mode = LinkState::instance().EthernetMode;
            rig.window->CreatEthnertModeSignalSlot(mode == 0 ? QStringLiteral("MODE: UDP") : QStringLiteral("MODE: TCP"));
            QCOMPARE(LinkState::instance().EthernetMode, mode);
            QCOMPARE(rig.actionsWhere(true, kConnectedOn + kConnectedOff), kConnectedOn);
            const bool serial = transport == QLatin1String("pty");
            const QString device = serial ? rig.emulator.pty : QStringLiteral("127.0.0.1");
            if (serial) {
                QCOMPARE(rig.status(), QStringLiteral("连接到 %1 : 576000, 8, None, 1, None").arg(device));
                QCOMPARE(rig.widget<QLabel>("PortLabel")->text(), QStringLiteral("串口号:%1 ").arg(device));
            } else {
                QCOMPARE(rig.status(), QStringLiteral("连接到127.0.0.1:8080"));
                QCOMPARE(rig.widget<QLabel>("PortLabel")->text(), QStringLiteral("IP地址:127.0.0.1 "));
            }
            QCOMPARE(rig.window->statusBar()->findChildren<QLabel *>(QStringLiteral("PortLabel")).size(), 1);
            QM_WAIT_VERIFY(read.count() == round, 20000);

            rig.action("SelfCheck")->trigger();
            QM_WAIT_COMPARE(rig.widget<QLCDNumber>("InputlcdNum")->intValue(), 5, 5000);
            // The same input value again does not switch the area back.
            if (round == 1)
                QM_WAIT_COMPARE(rig.data.CurrentArea, 5, 5000);
            else
                QCOMPARE(rig.data.CurrentArea, 9);
            QVERIFY(samePixmap(rig.widget<QLabel>("InputPort1"), QStringLiteral(":/images/Green1.png")));
            QVERIFY(samePixmap(rig.widget<QLabel>("InputPort2"), QStringLiteral(":/images/Gray2.png")));
            QVERIFY(samePixmap(rig.widget<QLabel>("InputPort3"), QStringLiteral(":/images/Green3.png")));
            QCOMPARE(rig.widget<QLabel>("label_StatusValue")->text(), QStringLiteral("过温异常(6)"));
            QCOMPARE(rig.widget<QLabel>("label_dirValue")->text(), QStringLiteral("正向安装"));
            QM_WAIT_VERIFY(rig.widget<QLineEdit>("DriveVoltage")->text().endsWith(QStringLiteral("V")), 5000);
            QVERIFY(QRegularExpression(QStringLiteral("^3\\d\\.\\d\\d°$"))
                        .match(rig.widget<QLineEdit>("SensorTemper")->text()).hasMatch());
            QVERIFY(rig.widget<QLineEdit>("RotateSpeed")->text().endsWith(QStringLiteral("r/min")));

            rig.action("DisConnection")->trigger();
            QVERIFY(!rig.window->isConnected());
            QCOMPARE(rig.status(), QStringLiteral("Disconnected"));
            QCOMPARE(rig.actionsWhere(true, kConnectedOn + kConnectedOff),
                     (QStringList{"Connection", "SerialConnection", "EthernetConnection",
                                  serial ? "SerialSetting" : "EthnernetSetting"}));
            QVERIFY(samePixmap(rig.widget<QLabel>("InputPort1"), QStringLiteral(":/images/Gray1.png")));
            QCOMPARE(rig.widget<QLabel>("label_StatusValue")->text(), QStringLiteral("正常(0)"));
            rig.data.CurrentArea = 9;
            rig.data.Modified = false; // as if saved: the next connection asks nothing
        }
        QCOMPARE(rig.data.CurrentArea, 9);
        QVERIFY(rig.dialogs.boxes.size() <= 2); // the read-all messages only
        // The port label names the last device in the language switched to,
        // and so does the status while it still tells of the connection.
        rig.connectThrough(via, transport);
        rig.window->LanguageToEnglish();
        const bool serial = transport == QLatin1String("pty");
        QCOMPARE(rig.widget<QLabel>("PortLabel")->text(),
                 serial ? QStringLiteral("COM:%1 ").arg(rig.emulator.pty) : QStringLiteral("IPAddress:127.0.0.1 "));
        QCOMPARE(rig.status(), serial ? QStringLiteral("Connected to %1 : 576000, 8, None, 1, None").arg(rig.emulator.pty)
                                      : QStringLiteral("Connect127.0.0.1:8080"));
        // The next run offers the address first in both dialogs.
        MainWindow next(&rig.data, &rig.dialogs);
        for (QComboBox *box : {next.welcomeDialog()->findChild<QComboBox *>(QStringLiteral("comboBox_Ethernet")),
                               next.ethernetDialog()->findChild<QComboBox *>(QStringLiteral("Eth_ComboBox"))})
            QCOMPARE(box->currentText(), serial ? QString() : QStringLiteral("127.0.0.1"));
    }

    // Connecting while connected (the dialogs are modeless) ends the first
    // connection: one device at a time.
    void oneDeviceAtATime()
    {
        Rig rig;
        QVERIFY(rig.start({QStringLiteral("-q")}));
        QVERIFY(rig.window->connectEthernet(QStringLiteral("127.0.0.1"), rig.emulator.port));
        QTRY_VERIFY(rig.emulator.log().contains(QStringLiteral(" connected")));
        QVERIFY(rig.window->connectSerial(rig.emulator.pty, {}, {rig.emulator.pty}));
        QTRY_VERIFY(rig.emulator.log().contains(QStringLiteral(" disconnected")));
        QVERIFY(rig.status().startsWith(QStringLiteral("连接到 ") + rig.emulator.pty));
    }

    // A lost connection says so and offers to connect to the same scanner
    // again, here one that is back already.
    void lostLinkOffersToReconnect_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("box"); // title|text|buttons; %1 the device
        QTest::newRow("TCP, reconnect") << "tcp" << 0
                                        << "连接断开|与 %1 的连接已断开。\n传感器关闭了连接\n是否重新连接？|重新连接,取消";
        QTest::newRow("serial, English, reconnect")
            << "pty" << 0
            << "Connection Lost|The connection to %1 was lost.\nThe device was unplugged or stopped working\n"
               "Reconnect?|Reconnect,Cancel";
        QTest::newRow("TCP, leave it") << "tcp" << 1 << "连接断开|与 %1 的连接已断开。\n传感器关闭了连接\n是否重新连接？|重新连接,取消";
    }
    void lostLinkOffersToReconnect()
    {
        QFETCH(QString, transport);
        QFETCH(int, answer);
        QFETCH(QString, box);
        Rig rig;
        QTemporaryDir dir;
        const QString pty = dir.filePath(QStringLiteral("ttyQM"));
        QVERIFY(rig.start({QStringLiteral("--pty-link"), pty, QStringLiteral("-q")}));
        const bool serial = transport == QLatin1String("pty");
        if (serial)
            rig.window->LanguageToEnglish();
        QSignalSpy read(rig.window->linkController(), &SERIAL_COMM::ReceiveAreaData);
        QVERIFY(serial ? rig.window->connectSerial(pty, {}, {}) : rig.window->connectEthernet("127.0.0.1", rig.emulator.port));
        QM_WAIT_COMPARE(read.count(), 1, 20000);
        rig.data.Modified = false; // connecting again asks nothing

        Emulator back; // the same scanner, up again while the box is read
        rig.dialogs.whileOpen = [&](const ScriptedDialogs::Box &) {
            QVERIFY(back.start({QStringLiteral("--port"), QString::number(rig.emulator.port), QStringLiteral("--pty-link"),
                                pty, QStringLiteral("-q")}));
        };
        rig.dialogs.answers.enqueue(answer);
        rig.emulator.stop();
        QM_WAIT_COMPARE(rig.dialogs.boxes.size(), 2, 5000);
        const ScriptedDialogs::Box lost = rig.dialogs.boxes.last();
        QCOMPARE(QStringList({lost.title, lost.text, lost.buttons.join(',')}).join('|'),
                 box.arg(serial ? pty : QStringLiteral("127.0.0.1")));
        QM_WAIT_COMPARE(read.count(), answer == 0 ? 2 : 1, 20000);
        QTest::qWait(200);
        QCOMPARE(rig.window->isConnected(), answer == 0);
    }

    // A failed attempt or a lost line: a clear box and nothing left half open.
    void failuresLeaveNothingHalfOpen_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty address") << "empty" << "错误" << "以太网连接失败";
        QTest::newRow("malformed address") << "192.168.1.300" << "错误" << "以太网连接失败";
        QTest::newRow("refused TCP") << "refused" << "错误" << "以太网连接失败\n连接被拒绝（该地址上没有设备在监听）";
        // The namespace of the test has no route but loopback.
        QTest::newRow("no route, TCP") << "10.77.0.9" << "错误" << "以太网连接失败\n无法到达该地址（没有通往它的网络）";
        QTest::newRow("no route, UDP") << "udp" << "错误" << "以太网连接失败\n无法到达该地址（没有通往它的网络）";
        QTest::newRow("no answer to TCP") << "unanswered" << "错误" << "以太网连接失败\n连接超时，设备没有应答";
        QTest::newRow("no such serial port") << "/dev/quillmark-none" << "错误" << "串口打开失败\n没有这个设备";
        QTest::newRow("serial port in use") << "busy" << "错误" << "串口打开失败\n设备正被其他程序占用";
        QTest::newRow("custom baud rate left empty") << "baud0" << "错误" << "串口打开失败\nInvalid baud rate value";
        QTest::newRow("serial line vanishes")
            << "vanish" << "连接断开" << "与 %1 的连接已断开。\n设备已被拔出或不再可用\n是否重新连接？";
    }
    void failuresLeaveNothingHalfOpen()
    {
        QFETCH(QString, what);
        QFETCH(QString, title);
        QFETCH(QString, text);
        Rig rig;
        QVERIFY(rig.start({QStringLiteral("-q")}));
        if (what == QLatin1String("vanish")) {
            QVERIFY(rig.window->connectSerial(rig.emulator.pty, {}, {}));
            rig.emulator.stop();
            QM_WAIT_VERIFY(!rig.window->isConnected(), 5000);
        } else if (what == QLatin1String("refused")) {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost));
            const quint16 port = closed.serverPort();
            closed.close();
            QVERIFY(rig.window->connectEthernet(QStringLiteral("127.0.0.1"), port));
            QM_WAIT_VERIFY(!rig.window->isConnected(), 5000);
        } else if (what == QLatin1String("unanswered")) {
            // A listener with a full queue leaves further attempts unanswered.
            QTcpServer full;
            QVERIFY(full.listen(QHostAddress::LocalHost) && ::listen(int(full.socketDescriptor()), 0) == 0);
            full.pauseAccepting();
            QTcpSocket first;
            first.connectToHost(QHostAddress::LocalHost, full.serverPort());
            QVERIFY(first.waitForConnected(2000));
            rig.window->linkController()->setIntervalsForTest(kTick, SERIAL_COMM::OvertimeInterval);
            QVERIFY(rig.window->connectEthernet(QStringLiteral("127.0.0.1"), full.serverPort()));
            QM_WAIT_VERIFY(!rig.window->isConnected(), 8000);
        } else if (what == QLatin1String("busy")) {
            QSerialPort other(rig.emulator.pty);
            QVERIFY(other.open(QIODevice::ReadWrite));
            QVERIFY(!rig.window->connectSerial(rig.emulator.pty, {}, {}));
        } else if (what == QLatin1String("udp")) {
            LinkState::instance().EthernetMode = 1;
            QVERIFY(!rig.window->connectEthernet(QStringLiteral("10.77.0.9")));
        } else if (what == QLatin1String("baud0")) {
            SerialLineSettings line;
            line.baudRate = 0;
            QVERIFY(!rig.window->connectSerial(rig.emulator.pty, line, {}));
        } else if (what.startsWith(QLatin1Char('/'))) {
            QVERIFY(!rig.window->connectSerial(what, {}, {}));
        } else {
            QVERIFY(!rig.window->connectEthernet(what == QLatin1String("empty") ? QString() : what));
        }
        QTRY_COMPARE(rig.dialogs.boxes.size(), 1);
        QCOMPARE(rig.dialogs.boxes[0].title, title);
        QCOMPARE(rig.dialogs.boxes[0].text, text.arg(rig.emulator.pty));
        QVERIFY(!rig.window->isConnected());
        // As after a disconnect: the settings of the interface can be changed.
        const bool serial = what.startsWith(QLatin1Char('/')) || QStringList{"busy", "baud0", "vanish"}.contains(what);
        QCOMPARE(rig.actionsWhere(true, kConnectedOn + kConnectedOff),
                 (QStringList{"Connection", "SerialConnection", "EthernetConnection",
                              serial ? "SerialSetting" : "EthnernetSetting"}));
        QVERIFY(!rig.window->linkController()->isRequested(SERIAL_COMM::ReadParamsRequest));
    }
};

QTEST_MAIN(TestMainWindowConnect)
#include "tst_mainwindow_connect.moc"
