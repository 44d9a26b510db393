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
        const auto socket = [](QAbstractSocket::SocketError e, const char *why, int language = 0) {
            return failureReason(language, socketFailure(e, QString::fromLatin1(why)), QString::fromLatin1(why));
        };
        const auto serial = [](QSerialPort::SerialPortError e, const char *why, int language = 0) {
            return failureReason(language, serialFailure(e, QString::fromLatin1(why)), QString::fromLatin1(why));
        };
        using S = QAbstractSocket;
        using P = QSerialPort;
        QTest::newRow("no route") << socket(S::NetworkError, "Network unreachable") << "无法到达该地址（没有通往它的网络）";
        QTest::newRow("host unreachable, en") << socket(S::NetworkError, "Host unreachable", 1)
                                              << "The address cannot be reached (no route to it)";
        QTest::newRow("network timed out") << socket(S::NetworkError, "Connection timed out") << "连接超时，设备没有应答";
        QTest::newRow("other network error") << socket(S::NetworkError, "Address in use") << "Address in use";
        QTest::newRow("refused, en") << socket(S::ConnectionRefusedError, "Connection refused", 1)
                                     << "Connection refused (nothing listens at that address)";
        QTest::newRow("closed by the scanner") << socket(S::RemoteHostClosedError, "x") << "传感器关闭了连接";
        QTest::newRow("host not found") << socket(S::HostNotFoundError, "x") << "找不到该主机";
        QTest::newRow("socket timed out, en") << socket(S::SocketTimeoutError, "x", 1)
                                              << "Timed out: the device does not answer";
        QTest::newRow("socket access") << socket(S::SocketAccessError, "x") << "没有使用该设备的权限";
        QTest::newRow("other socket error") << socket(S::UnknownSocketError, "Unknown error") << "Unknown error";
        QTest::newRow("no such device, en") << serial(P::DeviceNotFoundError, "x", 1) << "No such device";
        QTest::newRow("permission") << serial(P::PermissionError, "Permission denied") << "没有使用该设备的权限";
        QTest::newRow("locked") << serial(P::PermissionError, "Permission error while locking the device")
                                << "设备正被其他程序占用";
        QTest::newRow("busy, en") << serial(P::PermissionError, "Device or resource busy", 1)
                                  << "The device is in use by another program";
        QTest::newRow("already open") << serial(P::OpenError, "x") << "设备正被其他程序占用";
        QTest::newRow("serial timed out") << serial(P::TimeoutError, "x") << "连接超时，设备没有应答";
        QTest::newRow("resource gone, en") << serial(P::ResourceError, "x", 1)
                                           << "The device was unplugged or stopped working";
        QTest::newRow("read error") << serial(P::ReadError, "x") << "设备已被拔出或不再可用";
        QTest::newRow("other serial error") << serial(P::UnsupportedOperationError, "Invalid baud rate value")
                                            << "Invalid baud rate value";
        QTest::newRow("no language: the system's words") << socket(S::ConnectionRefusedError, "refused", 2) << "refused";
        // A lost link and a scanner that did not come back.
        QTest::newRow("lost, zh") << QStringList{linkLostTitle(0), linkLostText(0, "COM3", "原因"),
                                                 reconnectButtons(0).join(',')}.join('|')
                                  << "连接断开|与 COM3 的连接已断开。\n原因\n是否重新连接？|重新连接,取消";
        QTest::newRow("lost, en, no cause") << QStringList{linkLostTitle(1), linkLostText(1, "10.0.0.2", ""),
                                                           reconnectButtons(1).join(',')}.join('|')
                                            << "Connection Lost|The connection to 10.0.0.2 was lost.\nReconnect?|"
                                               "Reconnect,Cancel";
        QTest::newRow("restarting") << restartingStatus(0) + '|' + restartingStatus(1)
                                    << "传感器正在重启，等待其重新应答…|The scanner is restarting; waiting for it to answer…";
        QTest::newRow("not back") << notBackText(0, "COM3", 20) + '|' + notBackText(1, "10.0.0.2", 5)
                                  << "COM3 重启后 20 秒内没有应答。\n是否重新连接？|"
                                     "10.0.0.2 did not answer within 5 s of its restart.\nReconnect?";
        QTest::newRow("no language") << linkLostText(2, "x", "y") + notBackText(2, "x", 1) + restartingStatus(2)
                                            + linkLostTitle(2) + reconnectButtons(2).join(',')
                                     << QString();
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
