// The Ethernet dialog's half of the LAN discovery test: the computer's own
// address list (two addresses on the test's veth), the real emulator's
// responder on the other side. Run only by tests/tools/emulator_discovery.sh,
// inside the namespace it builds.

#include "ethnertsetting.h"
#include "networkguard.h"
#include "scannerdiscovery.h"

#include <QComboBox>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QUdpSocket>
#include <QtTest>

namespace {
QStringList texts(const QSignalSpy &spy)
{
    QStringList out;
    for (const QList<QVariant> &args : spy)
        out << args.first().toString();
    return out;
}

// Senders ("address:port") of the searches heard on this side of the LAN,
// sorted; waits for the expected count and a little longer for any extra.
QStringList searchesHeard(QUdpSocket &listener, int expected)
{
    QStringList senders;
    QElapsedTimer clock;
    clock.start();
    auto take = [&](int ms) {
        listener.waitForReadyRead(ms);
        while (listener.hasPendingDatagrams()) {
            const QNetworkDatagram d = listener.receiveDatagram();
            if (d.data() == Discovery::searchDatagram())
                senders << QStringLiteral("%1:%2").arg(d.senderAddress().toString()).arg(d.senderPort());
        }
    };
    while (senders.size() < expected && clock.elapsed() < 3000)
        take(50);
    take(200);
    senders.sort();
    return senders;
}
} // namespace

class TestEthnertSettingLan : public QObject
{
    Q_OBJECT

    QStringList local;
    QString scanner;

private slots:
    void initTestCase()
    {
        if (qgetenv("QM_DISCOVERY_LAN") != "1")
            QFAIL("run by emulator_discovery.sh only: it broadcasts");
        // Only loopback and the test's own veth may be here before anything is sent.
        const QStringList foreign = NetworkGuard::foreignInterfaces({QStringLiteral("lo"), QStringLiteral("veth0")});
        if (!foreign.isEmpty())
            QFAIL(NetworkGuard::refusal(foreign).constData());
        local = QString::fromLatin1(qgetenv("QM_LOCAL_ADDRS")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        scanner = QString::fromLatin1(qgetenv("QM_SCANNER_ADDR"));
        QCOMPARE(local.size(), 2);
    }

    void findsTheScannerFromBothAddresses()
    {
        // This namespace hears its own broadcasts, as the scanner does.
        QUdpSocket listener;
        QVERIFY(listener.bind(QHostAddress::AnyIPv4, Discovery::SearchPort));
        const QStringList twice{local[0] + QStringLiteral(":50000"), local[0] + QStringLiteral(":50000"),
                                local[1] + QStringLiteral(":50001"), local[1] + QStringLiteral(":50001")};

        EthnertSetting dialog; // searches at once
        QSignalSpy lines(&dialog, &EthnertSetting::informationAppend);
        QSignalSpy modes(&dialog, &EthnertSetting::OpenEthernetMode);
        QCOMPARE(searchesHeard(listener, 4), twice);

        // The two binds are logged first, though the search began before the
        // log was connected; four searches reach the scanner and each answer
        // is two lines.
        QTRY_COMPARE_WITH_TIMEOUT(lines.size(), 10, 5000);
        QTest::qWait(300);
        QCOMPARE(lines.size(), 10);
        const QStringList log = texts(lines);
        QCOMPARE(log.mid(0, 2), (QStringList{QStringLiteral("IP地址绑定成功：") + local[0],
                                            QStringLiteral("IP地址绑定成功：") + local[1]}));
        for (int i = 2; i < log.size(); i += 2) {
            QVERIFY2(log[i].startsWith(QLatin1String("HTTP/1.1 200 OK\r\n")), qPrintable(log[i]));
            QCOMPARE(log[i + 1], scanner);
        }
        const QString tcp = QStringLiteral("MODE: TCP");
        QCOMPARE(texts(modes), (QStringList{tcp, tcp, tcp, tcp}));
        auto *box = dialog.findChild<QComboBox *>(QStringLiteral("Eth_ComboBox"));
        QCOMPARE(box->count(), 1);
        QCOMPARE(box->itemText(0), scanner);

        // A refresh starts over: both addresses bound again, in order.
        lines.clear();
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Button_Refresh_ETH")), Qt::LeftButton);
        QCOMPARE(texts(lines), (QStringList{QStringLiteral("IP地址绑定成功：") + local[0],
                                            QStringLiteral("IP地址绑定成功：") + local[1]}));
        QCOMPARE(searchesHeard(listener, 4), twice);
        QTRY_COMPARE_WITH_TIMEOUT(box->count(), 1, 5000);

        QSignalSpy opened(&dialog, &EthnertSetting::OpenEthernetSignal);
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Enter")), Qt::LeftButton);
        QCOMPARE(texts(opened), QStringList{scanner});
    }
};

QTEST_MAIN(TestEthnertSettingLan)
#include "ethnert_lan_client.moc"
