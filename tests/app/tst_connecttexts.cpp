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
