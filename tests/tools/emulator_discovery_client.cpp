// The tool's half of the discovery test: broadcast a search on the test LAN
// and read the emulator's replies. Run only by emulator_discovery.sh, inside
// the namespace it builds.

#include "frames.h"
#include "crc16.h"
#include "framing.h"
#include "sensorparameters.h"

#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QtTest>

namespace {
const QByteArray kSearch = "M-SEARCH * HTTP/1.1\r\nHOST: 239.255.255.250:1900\r\nMAN: \"ssdp:discover\"\r\nMX: 1\r\n"
                           "ST: urn:example-com:device:VQ:1.0\r\n";

// Mode texts of the replies, as the Ethernet dialog reads them.
QStringList discover(QUdpSocket &socket, const QHostAddress &scanner)
{
    socket.writeDatagram(kSearch, QHostAddress(QStringLiteral("10.77.0.255")), 1900);
    socket.writeDatagram(kSearch, QHostAddress::Broadcast, 1900);
    QStringList modes;
    QElapsedTimer clock;
    clock.start();
    while (modes.size() < 2 && clock.elapsed() < 3000) {
        if (!socket.hasPendingDatagrams() && !socket.waitForReadyRead(100))
            continue;
        const QNetworkDatagram d = socket.receiveDatagram();
        if (d.senderAddress().toIPv4Address() != scanner.toIPv4Address())
            continue;
        const int at = d.data().indexOf("MODE:");
        modes << (at < 0 ? QString() : QString::fromLatin1(d.data().mid(at, 9)));
    }
    return modes;
}

std::optional<QByteArray> exchange(QTcpSocket &tcp, const QByteArray &request, Command reply)
{
    QByteArray rx;
    tcp.write(request);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 3000) {
        for (const ReceivedFrame &f : takeReplies(rx, 1))
            if (f.command == reply)
                return f.bytes;
        tcp.waitForReadyRead(50);
        rx += tcp.readAll();
    }
    return std::nullopt;
}
} // namespace

class TestEmulatorDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qgetenv("QM_DISCOVERY_LAN") != "1")
            QFAIL("run by emulator_discovery.sh only: it broadcasts");
        // Only loopback and the test's own veth may be here.
        for (const QNetworkInterface &i : QNetworkInterface::allInterfaces())
            QVERIFY2(i.name() == QLatin1String("lo") || i.name() == QLatin1String("veth0"), qPrintable(i.name()));
    }

    void modeFollowsTheEthernetModeAfterReboot()
    {
        const QHostAddress local(QString::fromLatin1(qgetenv("QM_LOCAL_ADDR")));
        const QHostAddress scanner(QString::fromLatin1(qgetenv("QM_SCANNER_ADDR")));
        QUdpSocket socket;
        QVERIFY(socket.bind(local, 50000));
        QCOMPARE(discover(socket, scanner), (QStringList{QStringLiteral("MODE: TCP"), QStringLiteral("MODE: TCP")}));

        // Switch the scanner to UDP mode; it takes effect at the next boot.
        QTcpSocket tcp;
        tcp.connectToHost(scanner, 8080);
        QVERIFY(tcp.waitForConnected(3000));
        SensorParameters p = decodeParameterBlock(exchange(tcp, encodeSimpleRequest(Command::RPara), Command::RPara).value(),
                                                  Command::RPara).value();
        p.Words[17] = 1;
        QCOMPARE(decodeStatusReply(exchange(tcp, encodeParameterBlock(Command::WPara, p), Command::WPara).value(),
                                   Command::WPara),
                 std::optional<int>(0));
        QCOMPARE(discover(socket, scanner).value(0), QStringLiteral("MODE: TCP"));
        QVERIFY(exchange(tcp, encodeSimpleRequest(Command::RBoot), Command::RBoot));
        QTest::qWait(800);
        QCOMPARE(discover(socket, scanner), (QStringList{QStringLiteral("MODE: UDP"), QStringLiteral("MODE: UDP")}));
    }
};

QTEST_GUILESS_MAIN(TestEmulatorDiscovery)
#include "emulator_discovery_client.moc"
