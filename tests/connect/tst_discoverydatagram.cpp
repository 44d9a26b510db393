#include "discoverydatagram.h"

#include <QtTest>

namespace {
QNetworkAddressEntry entry(const char *ip, const char *broadcast)
{
    QNetworkAddressEntry e;
    e.setIp(QHostAddress(QString::fromLatin1(ip)));
    if (broadcast)
        e.setBroadcast(QHostAddress(QString::fromLatin1(broadcast)));
    return e;
}
} // namespace

class TestDiscoveryDatagram : public QObject
{
    Q_OBJECT

private slots:
    void searchDatagramIsFiveCrlfLines()
    {
        // Written out byte by byte: 0D 0A after each line, nothing after the fifth.
        const char golden[] = {
            'M', '-', 'S', 'E', 'A', 'R', 'C', 'H', ' ', '*', ' ', 'H', 'T', 'T', 'P', '/', '1', '.', '1', 0x0D, 0x0A,
            'H', 'O', 'S', 'T', ':', ' ', '2', '3', '9', '.', '2', '5', '5', '.', '2', '5', '5', '.', '2', '5', '0',
            ':', '1', '9', '0', '0', 0x0D, 0x0A,
            'M', 'A', 'N', ':', ' ', '"', 's', 's', 'd', 'p', ':', 'd', 'i', 's', 'c', 'o', 'v', 'e', 'r', '"', 0x0D, 0x0A,
            'M', 'X', ':', ' ', '1', 0x0D, 0x0A,
            'S', 'T', ':', ' ', 'u', 'r', 'n', ':', 'e', 'x', 'a', 'm', 'p', 'l', 'e', '-', 'c', 'o', 'm', ':', 'd', 'e',
            'v', 'i', 'c', 'e', ':', 'V', 'Q', ':', '1', '.', '0', 0x0D, 0x0A};
        QCOMPARE(Discovery::searchDatagram(), QByteArray(golden, sizeof golden));
        QCOMPARE(int(sizeof golden), 113);
    }

    void replyAndMode_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("mode");
        const QByteArray ok = "HTTP/1.1 200 OK\r\n";
        QTest::newRow("tcp") << ok + "MODE: TCP\r\n" << QString::fromLatin1(ok + "MODE: TCP\r\n") << "MODE: TCP";
        QTest::newRow("udp at the very end") << ok + "MODE: UDP" << QString::fromLatin1(ok + "MODE: UDP") << "MODE: UDP";
        QTest::newRow("lower case") << ok + "mode: udp\r\n" << QString::fromLatin1(ok + "mode: udp\r\n") << "";
        QTest::newRow("no blank") << ok + "MODE:UDP\r\n" << QString::fromLatin1(ok + "MODE:UDP\r\n") << "";
        QTest::newRow("cut short") << ok + "MODE: TC" << QString::fromLatin1(ok + "MODE: TC") << "";
        QTest::newRow("nine bytes decide") << QByteArray("MODE: TCPX") << "MODE: TCPX" << "MODE: TCP";
        QTest::newRow("first MODE: decides") << QByteArray("MODE: FTP MODE: UDP") << "MODE: FTP MODE: UDP" << "";
        QTest::newRow("zero inside the mode") << QByteArray("MODE: U\0P", 9) << "MODE: U" << "";
        // The log line stops at a zero byte; the mode is looked for in the whole datagram.
        QTest::newRow("zero ends the text") << QByteArray("HTTP/1.1 200 OK\0 MODE: UDP", 27) << "HTTP/1.1 200 OK"
                                            << "MODE: UDP";
        QTest::newRow("Latin-1") << QByteArray("caf\xe9") << QStringLiteral("caf\u00e9") << "";
        QTest::newRow("empty") << QByteArray() << "" << "";
    }
    void replyAndMode()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QString, text);
        QFETCH(QString, mode);
        QCOMPARE(Discovery::replyText(datagram), text);
        QCOMPARE(Discovery::modeText(datagram), mode);
    }

    void searchAddressesKeepIpv4WithBroadcast()
    {
        const QList<QNetworkAddressEntry> entries{
            entry("127.0.0.1", "127.255.255.255"),   // loopback: never
            entry("10.1.0.7", "10.1.0.255"),
            entry("fe80::1", nullptr),                // IPv6
            entry("192.168.5.9", nullptr),            // point-to-point: no broadcast
            entry("127.0.0.2", "127.255.255.255"),   // other loopback addresses count
            entry("172.16.3.4", "172.16.255.255"),
        };
        QList<QHostAddress> addresses, broadcasts;
        for (const Discovery::LocalAddress &a : Discovery::searchAddresses(entries)) {
            addresses << a.address;
            broadcasts << a.broadcast;
        }
        QCOMPARE(addresses, (QList<QHostAddress>{QHostAddress("10.1.0.7"), QHostAddress("127.0.0.2"),
                                                 QHostAddress("172.16.3.4")}));
        QCOMPARE(broadcasts, (QList<QHostAddress>{QHostAddress("10.1.0.255"), QHostAddress("127.255.255.255"),
                                                  QHostAddress("172.16.255.255")}));
    }
};

QTEST_GUILESS_MAIN(TestDiscoveryDatagram)
#include "tst_discoverydatagram.moc"
