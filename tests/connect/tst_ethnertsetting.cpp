#include "ethnertsetting.h"
#include "networkguard.h"
#include "scannerdiscovery.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QUdpSocket>
#include <QtTest>

// The Ethernet dialog on loopback addresses handed in as the computer's own;
// scanners are plain sockets of the test. Runs inside scripts/netns-run only.

namespace {
// "address/broadcast" per entry, as the system would list them.
void useEntries(const QStringList &entries)
{
    QList<QNetworkAddressEntry> list;
    for (const QString &e : entries) {
        QNetworkAddressEntry entry;
        entry.setIp(QHostAddress(e.section(QLatin1Char('/'), 0, 0)));
        entry.setBroadcast(QHostAddress(e.section(QLatin1Char('/'), 1, 1)));
        list << entry;
    }
    ScannerDiscovery::setEntryLister([list] { return list; });
}

QStringList texts(const QSignalSpy &spy)
{
    QStringList out;
    for (const QList<QVariant> &args : spy)
        out << args.first().toString();
    return out;
}

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// Hears every search sent on this machine, as a scanner would.
struct SearchListener
{
    QUdpSocket socket;
    QStringList senders; // "address:port" per datagram
    QList<QByteArray> datagrams;

    bool listen() { return socket.bind(QHostAddress::AnyIPv4, Discovery::SearchPort); }
    // Waits for the expected count, then a little longer for any extra.
    void collect(int expected)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 3000 && senders.size() < expected)
            take(50);
        take(150);
    }
    void take(int ms)
    {
        socket.waitForReadyRead(ms);
        while (socket.hasPendingDatagrams()) {
            const QNetworkDatagram d = socket.receiveDatagram();
            senders << QStringLiteral("%1:%2").arg(d.senderAddress().toString()).arg(d.senderPort());
            datagrams << d.data();
        }
    }
};
} // namespace

class TestEthnertSetting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QStringList foreign = NetworkGuard::foreignInterfaces({QStringLiteral("lo")});
        if (!foreign.isEmpty())
            QFAIL(NetworkGuard::refusal(foreign).constData());
    }
    void cleanup() { ScannerDiscovery::setEntryLister({}); }

    // At construction and on every refresh: one socket per usable address,
    // ports from 50000 on, each sending the search to its subnet and to
    // 255.255.255.255.
    void searchFromEveryAddress_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QStringList>("senders");
        QTest::addColumn<int>("heldPort"); // on 127.0.0.2, by another search
        const QString lo = QStringLiteral("/127.255.255.255");
        QTest::newRow("two addresses") << QStringList{"127.0.0.2" + lo, "127.0.0.3" + lo}
                                       << QStringList{"IP地址绑定成功：127.0.0.2", "IP地址绑定成功：127.0.0.3"}
                                       << QStringList{"127.0.0.2:50000", "127.0.0.2:50000", "127.0.0.3:50001",
                                                      "127.0.0.3:50001"}
                                       << 0;
        QTest::newRow("a port held elsewhere is passed over")
            << QStringList{"127.0.0.2" + lo, "127.0.0.3" + lo}
            << QStringList{"IP地址绑定成功：127.0.0.2", "IP地址绑定成功：127.0.0.3"}
            << QStringList{"127.0.0.2:50001", "127.0.0.2:50001", "127.0.0.3:50002", "127.0.0.3:50002"} << 50000;
        QTest::newRow("first not on this computer")
            << QStringList{"10.9.9.9/10.9.9.255", "127.0.0.3" + lo}
            << QStringList{"IP地址绑定失败：10.9.9.9", "IP地址绑定成功：127.0.0.3"}
            << QStringList{"127.0.0.3:50000", "127.0.0.3:50000"} << 0;
        QTest::newRow("nothing usable") << QStringList{"127.0.0.1" + lo, "127.0.0.4/"} << QStringList()
                                        << QStringList() << 0;
    }
    void searchFromEveryAddress()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, log);
        QFETCH(QStringList, senders);
        QFETCH(int, heldPort);
        useEntries(entries);
        // Bound as a search binds: a shared port would split the replies.
        QUdpSocket other;
        if (heldPort)
            QVERIFY(other.bind(QHostAddress(QStringLiteral("127.0.0.2")), quint16(heldPort)));
        SearchListener scanner;
        QVERIFY(scanner.listen());

        EthnertSetting dialog;
        scanner.collect(senders.size());
        scanner.senders.sort();
        QCOMPARE(scanner.senders, senders);
        for (const QByteArray &d : qAsConst(scanner.datagrams))
            QCOMPARE(d, Discovery::searchDatagram());
        // The first search ran before anyone listened: its lines still reach the log.
        QSignalSpy lines(&dialog, &EthnertSetting::informationAppend);
        QTRY_COMPARE(texts(lines), log);

        // The refresh button searches again from scratch: the same ports.
        lines.clear();
        scanner.senders.clear();
        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Button_Refresh_ETH")), Qt::LeftButton);
        QCOMPARE(texts(lines), log);
        scanner.collect(senders.size());
        scanner.senders.sort();
        QCOMPARE(scanner.senders, senders);
    }

    void repliesListedLoggedAndModes_data()
    {
        QTest::addColumn<QStringList>("from");
        QTest::addColumn<QList<QByteArray>>("replies");
        QTest::addColumn<bool>("cancelFirst");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<QStringList>("modes");
        const QByteArray udp = "HTTP/1.1 200 OK\r\nMODE: UDP\r\n";
        const QByteArray tcp = "HTTP/1.1 200 OK\r\nMODE: TCP\r\nPORT: 8080\r\n";
        const QString udpText = QString::fromLatin1(udp), tcpText = QString::fromLatin1(tcp);
        QTest::newRow("one scanner twice") << QStringList{"127.0.0.5", "127.0.0.5"} << QList<QByteArray>{udp, udp}
                                           << false << QStringList{"127.0.0.5"}
                                           << QStringList{udpText, "127.0.0.5", udpText, "127.0.0.5"}
                                           << QStringList{"MODE: UDP", "MODE: UDP"};
        QTest::newRow("two scanners, mode in lower case")
            << QStringList{"127.0.0.6", "127.0.0.5"} << QList<QByteArray>{tcp, "HTTP/1.1 200 OK\r\nmode: udp\r\n"}
            << false << QStringList{"127.0.0.6", "127.0.0.5"}
            << QStringList{tcpText, "127.0.0.6", "HTTP/1.1 200 OK\r\nmode: udp\r\n", "127.0.0.5"}
            << QStringList{"MODE: TCP"};
        QTest::newRow("no blank after the colon")
            << QStringList{"127.0.0.5"} << QList<QByteArray>{"MODE:UDP"} << false << QStringList{"127.0.0.5"}
            << QStringList{"MODE:UDP", "127.0.0.5"} << QStringList();
        QTest::newRow("zero byte ends the line")
            << QStringList{"127.0.0.7"} << QList<QByteArray>{QByteArray("NOTIFY\0MODE: TCP", 16)} << false
            << QStringList{"127.0.0.7"} << QStringList{"NOTIFY", "127.0.0.7"} << QStringList{"MODE: TCP"};
        QTest::newRow("after Cancel") << QStringList{"127.0.0.5"} << QList<QByteArray>{udp} << true
                                      << QStringList{"127.0.0.5"} << QStringList{udpText, "127.0.0.5"}
                                      << QStringList{"MODE: UDP"};
    }
    void repliesListedLoggedAndModes()
    {
        QFETCH(QStringList, from);
        QFETCH(QList<QByteArray>, replies);
        QFETCH(bool, cancelFirst);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, log);
        QFETCH(QStringList, modes);
        useEntries({QStringLiteral("127.0.0.2/127.255.255.255")});
        EthnertSetting dialog;
        dialog.show();
        QSignalSpy lines(&dialog, &EthnertSetting::informationAppend);
        QTRY_COMPARE(lines.size(), 1); // the start-up bind line
        lines.clear();
        QSignalSpy mode(&dialog, &EthnertSetting::OpenEthernetMode);
        if (cancelFirst) {
            QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Cancel")), Qt::LeftButton);
            QVERIFY(dialog.isHidden());
        }
        for (int i = 0; i < replies.size(); ++i) {
            QUdpSocket scanner;
            QVERIFY(scanner.bind(QHostAddress(from[i]), 0));
            scanner.writeDatagram(replies[i], QHostAddress(QStringLiteral("127.0.0.2")), Discovery::FirstLocalPort);
            QTRY_COMPARE(lines.size(), 2 * (i + 1));
        }
        QCOMPARE(items(dialog.findChild<QComboBox *>(QStringLiteral("Eth_ComboBox"))), listed);
        QCOMPARE(texts(lines), log);
        QCOMPARE(texts(mode), modes);
    }

    // Enter emits the current entry; typed text becomes one only with Return.
    void enterEmitsCurrentEntry_data()
    {
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("withReturn");
        QTest::addColumn<QString>("emitted");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("typed, Return") << QStringList() << "192.168.1.50" << true << "192.168.1.50"
                                       << QStringList{"192.168.1.50"};
        QTest::newRow("typed, Return, appended at the bottom")
            << QStringList{"127.0.0.6", "127.0.0.5"} << "10.0.0.1" << true << "10.0.0.1"
            << QStringList{"127.0.0.6", "127.0.0.5", "10.0.0.1"};
        QTest::newRow("typed start of a listed address")
            << QStringList{"127.0.0.55"} << "127.0.0.5" << true << "127.0.0.5"
            << QStringList{"127.0.0.55", "127.0.0.5"};
        QTest::newRow("typed without Return") << QStringList{"127.0.0.6", "127.0.0.5"} << "10.0.0.1" << false
                                              << "127.0.0.6" << QStringList{"127.0.0.6", "127.0.0.5"};
        QTest::newRow("typed without Return, empty list") << QStringList() << "10.0.0.1" << false << ""
                                                          << QStringList();
        QTest::newRow("nothing typed") << QStringList{"127.0.0.5"} << "" << false << "127.0.0.5"
                                       << QStringList{"127.0.0.5"};
    }
    void enterEmitsCurrentEntry()
    {
        QFETCH(QStringList, listed);
        QFETCH(QString, typed);
        QFETCH(bool, withReturn);
        QFETCH(QString, emitted);
        QFETCH(QStringList, after);
        useEntries({QStringLiteral("127.0.0.2/127.255.255.255")});
        EthnertSetting dialog;
        QSignalSpy opened(&dialog, &EthnertSetting::OpenEthernetSignal);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *box = dialog.findChild<QComboBox *>(QStringLiteral("Eth_ComboBox"));
        box->addItems(listed);
        box->setFocus();
        if (!typed.isEmpty()) {
            box->lineEdit()->selectAll();
            QTest::keyClicks(box->lineEdit(), typed);
        }
        if (withReturn)
            QTest::keyClick(box->lineEdit(), Qt::Key_Return);
        QVERIFY(dialog.isVisible()); // Return only takes the entry
        QCOMPARE(opened.size(), 0);
        QCOMPARE(dialog.discovery().socketCount(), 1);

        QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("Enter")), Qt::LeftButton);
        QCOMPARE(texts(opened), QStringList{emitted});
        QCOMPARE(items(box), after);
        QVERIFY(dialog.isHidden());
        QCOMPARE(dialog.discovery().socketCount(), 0); // no more replies are taken
        // Opened again, typing goes to the address, not to the button clicked last.
        dialog.show();
        QCOMPARE(dialog.focusWidget(), box);
        QCOMPARE(box->lineEdit()->selectedText(), box->currentText());
    }

    // The addresses used last come first, the latest current, also after a
    // new search, and are not listed twice.
    void addressHistoryComesFirst()
    {
        useEntries({});
        EthnertSetting dialog;
        auto *box = dialog.findChild<QComboBox *>(QStringLiteral("Eth_ComboBox"));
        box->addItems({QStringLiteral("127.0.0.5"), QStringLiteral("127.0.0.9")}); // found by the search
        dialog.setAddressHistory({QStringLiteral("127.0.0.5"), QStringLiteral("10.0.0.1")});
        QCOMPARE(items(box), (QStringList{"127.0.0.5", "10.0.0.1", "127.0.0.9"}));
        dialog.setAddressHistory({QStringLiteral("10.0.0.1"), QStringLiteral("127.0.0.5")});
        QCOMPARE(items(box), (QStringList{"10.0.0.1", "127.0.0.5", "127.0.0.9"}));
        QCOMPARE(box->currentText(), QStringLiteral("10.0.0.1"));
        dialog.fillPortsInfo();
        QCOMPARE(items(box), (QStringList{"10.0.0.1", "127.0.0.5"}));
    }

    void textsByLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("enter");
        QTest::addColumn<QString>("cancel");
        QTest::newRow("as built") << -1 << "以太网设置" << "确定" << "取消";
        QTest::newRow("English") << 1 << "Ethnert Setting" << "OK" << "Cancel";
        QTest::newRow("English, then Chinese") << 0 << "以太网设置" << "确定" << "取消";
    }
    void textsByLanguage()
    {
        QFETCH(int, language);
        useEntries({});
        EthnertSetting dialog;
        if (language == 0)
            dialog.retranslate(1);
        if (language >= 0)
            dialog.retranslate(language);
        QTEST(dialog.windowTitle(), "title");
        QTEST(dialog.findChild<QPushButton *>(QStringLiteral("Enter"))->text(), "enter");
        QTEST(dialog.findChild<QPushButton *>(QStringLiteral("Cancel"))->text(), "cancel");
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("label_IPAddress"))->text(), QStringLiteral("传感器以太网IP地址"));
    }

    // Closing the dialog is not closing the program's last window. (Only a
    // running application loop notices a last window.)
    void closingDoesNotEndTheProgram()
    {
        useEntries({});
        EthnertSetting dialog;
        QSignalSpy last(qApp, &QGuiApplication::lastWindowClosed);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTimer::singleShot(0, &dialog, &QWidget::close);
        QTimer::singleShot(300, qApp, [] { QCoreApplication::exit(77); });
        QCOMPARE(QCoreApplication::exec(), 77);
        QVERIFY(dialog.isHidden());
        QCOMPARE(last.size(), 0);
    }
};

QTEST_MAIN(TestEthnertSetting)
#include "tst_ethnertsetting.moc"
