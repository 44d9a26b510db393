// The connection texts in both languages, written out as the user reads them;
// a language flag of neither kind shows nothing.

#include "connecttexts.h"

#include <QtTest>

class TestConnectTexts : public QObject
{
    Q_OBJECT
private slots:
    void texts_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        const QStringList line{"COM3", "115200", "8", "None", "1", "None"};
        using namespace ConnectTexts;
        QTest::newRow("serial, en") << serialConnected(1, line) << "Connected to COM3 : 115200, 8, None, 1, None";
        QTest::newRow("serial, zh") << serialConnected(0, line) << "连接到 COM3 : 115200, 8, None, 1, None";
        QTest::newRow("serial, other") << serialConnected(2, line) << QString();
        QTest::newRow("odd port name") << serialConnected(1, {"%2", "9600", "8", "Even", "2", "None"})
                                       << "Connected to %2 : 9600, 8, Even, 2, None";
        QTest::newRow("port label, en") << serialPortLabel(1, "COM3") << "COM:COM3 ";
        QTest::newRow("port label, zh") << serialPortLabel(0, "COM3") << "串口号:COM3 ";
        QTest::newRow("ethernet, en") << ethernetConnected(1, "192.168.1.10") << "Connect192.168.1.10:8080";
        QTest::newRow("ethernet, zh") << ethernetConnected(0, "192.168.1.10") << "连接到192.168.1.10:8080";
        QTest::newRow("ethernet, other") << ethernetConnected(-1, "192.168.1.10") << QString();
        QTest::newRow("ip label, en") << ethernetPortLabel(1, "10.0.0.2") << "IPAddress:10.0.0.2 ";
        QTest::newRow("ip label, zh") << ethernetPortLabel(0, "10.0.0.2") << "IP地址:10.0.0.2 ";
        QTest::newRow("errors, en") << QStringList{errorTitle(1), serialOpenError(1), ethernetOpenError(1),
                                                   openErrorStatus(1)}.join('|')
                                    << "Error|Serial Open error|Ethernet Open error|Open error";
        QTest::newRow("errors, zh") << QStringList{errorTitle(0), serialOpenError(0), ethernetOpenError(0),
                                                   openErrorStatus(0)}.join('|')
                                    << "错误|串口打开失败|以太网连接失败|打开错误";
        // The causes the system gives, as the user reads them.
        using S = QAbstractSocket;
        using P = QSerialPort;
        const auto socket = [](S::SocketError e, const QString &why) {
            return failureReason(0, socketFailure(e, why), why);
        };
        const auto serial = [](P::SerialPortError e, const QString &why) {
            return failureReason(0, serialFailure(e, why), why);
        };
        QTest::newRow("socket causes")
            << QStringList{socket(S::NetworkError, "Network unreachable"), socket(S::NetworkError, "Host unreachable"),
                           socket(S::NetworkError, "Connection timed out"), socket(S::NetworkError, "Address in use"),
                           socket(S::ConnectionRefusedError, "x"), socket(S::RemoteHostClosedError, "x"),
                           socket(S::HostNotFoundError, "x"), socket(S::SocketTimeoutError, "x"),
                           socket(S::SocketAccessError, "x"), socket(S::UnknownSocketError, "Unknown error")}.join('|')
            << "无法到达该地址（没有通往它的网络）|无法到达该地址（没有通往它的网络）|连接超时，设备没有应答|Address in use|"
               "连接被拒绝（该地址上没有设备在监听）|传感器关闭了连接|找不到该主机|连接超时，设备没有应答|没有使用该设备的权限|Unknown error";
        QTest::newRow("serial causes")
            << QStringList{serial(P::DeviceNotFoundError, "x"), serial(P::PermissionError, "Permission denied"),
                           serial(P::PermissionError, "Permission error while locking the device"),
                           serial(P::PermissionError, "Device or resource busy"), serial(P::OpenError, "x"),
                           serial(P::TimeoutError, "x"), serial(P::ResourceError, "x"), serial(P::ReadError, "x"),
                           serial(P::UnsupportedOperationError, "Invalid baud rate value")}.join('|')
            << "没有这个设备|没有使用该设备的权限|设备正被其他程序占用|设备正被其他程序占用|设备正被其他程序占用|连接超时，设备没有应答|"
               "设备已被拔出或不再可用|设备已被拔出或不再可用|Invalid baud rate value";
        QStringList english;
        for (int f = int(LinkFailure::NoRoute); f <= int(LinkFailure::Other); ++f)
            english << failureReason(1, LinkFailure(f), QStringLiteral("system"));
        QTest::newRow("causes, en")
            << english.join('|')
            << "The address cannot be reached (no route to it)|Connection refused (nothing listens at that address)|"
               "Timed out: the device does not answer|Host not found|The scanner closed the connection|No such device|"
               "Permission denied for this device|The device is in use by another program|"
               "The device was unplugged or stopped working|system";
        QTest::newRow("cause, no language") << failureReason(2, LinkFailure::Refused, "refused") << "refused";
        // A lost link (with its cause in the window tests) and a scanner that did not come back.
        QTest::newRow("lost, en, no cause") << QStringList{linkLostTitle(1), linkLostText(1, "10.0.0.2", ""),
                                                           reconnectButtons(1).join(',')}.join('|')
                                            << "Connection Lost|The connection to 10.0.0.2 was lost.\nReconnect?|"
                                               "Reconnect,Cancel";
        QTest::newRow("restarting") << restartingStatus(0) + '|' + restartingStatus(1)
                                    << "传感器正在重启，等待其重新应答…|The scanner is restarting; waiting for it to answer…";
        QTest::newRow("not back") << notBackText(0, "COM3", 20) + '|' + notBackText(1, "10.0.0.2", 5)
                                  << "COM3 重启后 20 秒内没有应答。\n是否重新连接？|"
                                     "10.0.0.2 did not answer within 5 s of its restart.\nReconnect?";
    }
    void texts()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }
};

QTEST_APPLESS_MAIN(TestConnectTexts)
#include "tst_connecttexts.moc"
