#include "create.h"
#include "scannerdiscovery.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QNetworkInterface>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QUdpSocket>

namespace {

// The search as sent on the wire, written out by hand.
const QByteArray kSearch = "M-SEARCH * HTTP/1.1\r\n"
                           "HOST: 239.255.255.250:1900\r\n"
                           "MAN: \"ssdp:discover\"\r\n"
                           "MX: 1\r\n"
                           "ST: urn:example-com:device:VQ:1.0\r\n";

// The dialog's one local address: its socket is bound on loopback, and what
// it broadcasts stays there.
const QHostAddress kLocal(QStringLiteral("127.0.0.2"));

QList<QNetworkAddressEntry> loopbackEntries()
{
    QNetworkAddressEntry entry;
    entry.setIp(kLocal);
    entry.setPrefixLength(8);
    entry.setBroadcast(QHostAddress(QStringLiteral("127.255.255.255")));
    return {entry};
}

// Every signal of the dialog as one line, in emission order; the device
// type is read during the emission, the only time its record lives.
struct Recorder
{
    QStringList events;
    QStringList modes;

    explicit Recorder(Create &d)
    {
        QObject::connect(&d, &Create::QuitSignal, [this] { events << QStringLiteral("Quit"); });
        QObject::connect(&d, &Create::OpenProjectSignal, [this] { events << QStringLiteral("OpenProject"); });
        QObject::connect(&d, &Create::CreateSignal,
                         [this](DEVICETYPE *t) { events << QStringLiteral("Create %1").arg(t->Type); });
        QObject::connect(&d, &Create::CreateInterface,
                         [this](int i) { events << QStringLiteral("Interface %1").arg(i); });
        QObject::connect(&d, &Create::OpenSerialSignal,
                         [this](const QString &s) { events << QStringLiteral("Serial ") + s; });
        QObject::connect(&d, &Create::OpenEthernetSignal,
                         [this](const QString &s) { events << QStringLiteral("Ethernet ") + s; });
        QObject::connect(&d, &Create::OpenEthernetMode, [this](const QString &s) { modes << s; });
    }
};

template <typename T> T *child(Create &d, const char *name)
{
    T *w = d.findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no %s", name);
    return w;
}

QStringList itemTexts(QComboBox *box)
{
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

// Waits for the next search datagram on the scanner's port.
QNetworkDatagram nextSearch(QUdpSocket &scanner)
{
    if (!scanner.hasPendingDatagrams() && !scanner.waitForReadyRead(3000))
        return {};
    return scanner.receiveDatagram();
}

bool portIsFree()
{
    QUdpSocket probe;
    return probe.bind(kLocal, 50000);
}

} // namespace

class TestCreate : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        for (const QNetworkInterface &i : QNetworkInterface::allInterfaces())
            if (i.name() != QLatin1String("lo"))
                QFAIL("run inside scripts/netns-run: the dialog broadcasts");
    }

    void init()
    {
        ScannerDiscovery::setEntryLister(loopbackEntries);
        Create::setPortLister([] { return QList<SerialPortEntry>{{QStringLiteral("ttyS0"), {}, {}, {}, {}, 0, 0}}; });
    }

    void cleanupTestCase()
    {
        ScannerDiscovery::setEntryLister({});
        Create::setPortLister({});
    }

    void windowHasNoCloseButton()
    {
        Create d;
        QCOMPARE(d.windowFlags() & ~Qt::WindowType_Mask, Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        QCOMPARE(d.windowModality(), Qt::ApplicationModal);
        QCOMPARE(d.size(), QSize(489, 287));
    }

    void languageTexts_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("slot");
        QTest::addColumn<QStringList>("texts");
        const QStringList chinese{"欢迎使用激光雷达区域设计软件", "创建", "打开", "连接", "打开工程文件", "串口", "以太网",
                                  "退出", "30xx", "50xx"};
        const QStringList english{"Welcome to Quillmark", "Create", "Open", "Connect", "Open Project file", "Serial",
                                  "Ethernet", "Quit", "30xx", "50xx"};
        QTest::newRow("at construction") << QString() << QString() << chinese;
        QTest::newRow("English") << QString() << "LanguageDisplayEnglish" << english;
        QTest::newRow("back to Chinese") << "LanguageDisplayEnglish" << "LanguageDisplayChinese" << chinese;
        QTest::newRow("Japanese changes nothing") << "LanguageDisplayEnglish" << "LanguageDisplayJapanese" << english;
    }

    void languageTexts()
    {
        QFETCH(QString, before);
        QFETCH(QString, slot);
        QFETCH(QStringList, texts);
        Create d;
        for (const QString &s : {before, slot})
            if (!s.isEmpty())
                QVERIFY(QMetaObject::invokeMethod(&d, qPrintable(s)));
        auto *tabs = child<QTabWidget>(d, "ConnecttabWidget");
        auto *model = child<QComboBox>(d, "LaserSensorType");
        const QStringList shown{d.windowTitle(),
                                child<QPushButton>(d, "Button_Create")->text(),
                                child<QPushButton>(d, "Button_Open")->text(),
                                child<QPushButton>(d, "Button_Connect")->text(),
                                child<QLabel>(d, "label_OpenProject")->text(),
                                tabs->tabText(0),
                                tabs->tabText(1),
                                child<QPushButton>(d, "Button_Quit")->text(),
                                model->itemText(0),
                                model->itemText(1)};
        QCOMPARE(shown, texts);
    }

    void serialPortList()
    {
        Create d;
        Create::setPortLister([] {
            return QList<SerialPortEntry>{
                {QStringLiteral("ttyUSB0"), QStringLiteral("CP2102 USB to UART"), QStringLiteral("Silicon Labs"),
                 QStringLiteral("0001"), QStringLiteral("/dev/ttyUSB0"), 0x10c4, 0xea60},
                {QStringLiteral("ttyS4"), {}, {}, {}, QStringLiteral("/dev/ttyS4"), 0, 0}};
        });
        QTest::mouseClick(child<QPushButton>(d, "Button_Refresh"), Qt::LeftButton);
        auto *box = child<QComboBox>(d, "comboBox_Serial");
        QCOMPARE(itemTexts(box), (QStringList{"ttyUSB0", "ttyS4"})); // the list is rebuilt, not appended to
        QCOMPARE(box->itemData(0).toStringList(), (QStringList{"ttyUSB0", "CP2102 USB to UART", "Silicon Labs", "0001",
                                                               "/dev/ttyUSB0", "10c4", "ea60"}));
        QCOMPARE(box->itemData(1).toStringList(),
                 (QStringList{"ttyS4", "N/A", "N/A", "N/A", "/dev/ttyS4", "N/A", "N/A"}));
    }

    void choices_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("typed"); // into the current tab's box
        QTest::addColumn<bool>("returnKey");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("create 50xx, serial tab") << "Button_Create" << 1 << 0 << "" << false
                                                 << QStringList{"Create 4", "Interface 0"};
        QTest::newRow("create 30xx, Ethernet tab") << "Button_Create" << 0 << 1 << "" << false
                                                   << QStringList{"Create 3", "Interface 1"};
        QTest::newRow("open") << "Button_Open" << 1 << 1 << "" << false << QStringList{"OpenProject"};
        QTest::newRow("connect 30xx, listed port") << "Button_Connect" << 0 << 0 << "" << false
                                                   << QStringList{"Create 3", "Serial ttyS0"};
        QTest::newRow("connect 50xx, typed device path") << "Button_Connect" << 1 << 0 << "/dev/pts/7" << false
                                                         << QStringList{"Create 4", "Serial /dev/pts/7"};
        QTest::newRow("connect, address typed with Return") << "Button_Connect" << 1 << 1 << "10.0.0.9" << true
                                                            << QStringList{"Create 4", "Ethernet 10.0.0.9"};
        // The address used last is offered first; a typed one is not completed to it.
        QTest::newRow("connect, address typed without Return") << "Button_Connect" << 0 << 1 << "10.0.0.9" << false
                                                               << QStringList{"Create 3", "Ethernet 192.168.1.10"};
        QTest::newRow("connect, typed the start of a listed address")
            << "Button_Connect" << 0 << 1 << "192.168.1.1" << true << QStringList{"Create 3", "Ethernet 192.168.1.1"};
        QTest::newRow("quit") << "Button_Quit" << 1 << 1 << "" << false << QStringList{"Quit"};
    }

    void choices()
    {
        QFETCH(QString, button);
        QFETCH(int, model);
        QFETCH(int, tab);
        QFETCH(QString, typed);
        QFETCH(bool, returnKey);
        QFETCH(QStringList, events);
        Create d;
        Recorder r(d);
        d.setAddressHistory({QStringLiteral("192.168.1.10")});
        d.show();
        d.activateWindow(); // completion, where there is one, follows the focus
        QVERIFY(QTest::qWaitForWindowActive(&d));
        child<QComboBox>(d, "LaserSensorType")->setCurrentIndex(model);
        child<QTabWidget>(d, "ConnecttabWidget")->setCurrentIndex(tab);
        if (!typed.isEmpty()) {
            QLineEdit *edit = child<QComboBox>(d, tab == 0 ? "comboBox_Serial" : "comboBox_Ethernet")->lineEdit();
            edit->clear();
            edit->setFocus();
            QTest::keyClicks(edit, typed);
            if (returnKey)
                QTest::keyClick(edit, Qt::Key_Return);
        }
        const ScannerDiscovery *discovery = d.findChild<ScannerDiscovery *>();
        QCOMPARE(discovery->socketCount(), 1);

        QTest::mouseClick(child<QPushButton>(d, qPrintable(button)), Qt::LeftButton);
        QCOMPARE(r.events, events);
        QVERIFY(!d.isVisible());
        QCOMPARE(discovery->socketCount(), 0);
        QVERIFY(portIsFree());
    }

    void replies_data()
    {
        QTest::addColumn<QStringList>("senders");
        QTest::addColumn<QList<QByteArray>>("replies");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QStringList>("modes");
        const QByteArray tcp = "HTTP/1.1 200 OK\r\nST: urn:example-com:device:VQ:1.0\r\nMODE: TCP\r\n";
        const QByteArray udp = "HTTP/1.1 200 OK\r\nST: urn:example-com:device:VQ:1.0\r\nMODE: UDP\r\n";
        QTest::newRow("two scanners") << QStringList{"127.0.0.3", "127.0.0.4"} << QList<QByteArray>{tcp, udp}
                                      << QStringList{"127.0.0.3", "127.0.0.4"}
                                      << QStringList{"MODE: TCP", "MODE: UDP"};
        QTest::newRow("one scanner three times") << QStringList{"127.0.0.3", "127.0.0.3", "127.0.0.3"}
                                                 << QList<QByteArray>{"HTTP/1.1 200 OK\r\nmode: udp\r\n", udp, tcp}
                                                 << QStringList{"127.0.0.3"}
                                                 << QStringList{"MODE: UDP", "MODE: TCP"};
    }

    void replies()
    {
        QFETCH(QStringList, senders);
        QFETCH(QList<QByteArray>, replies);
        QFETCH(QStringList, listed);
        QFETCH(QStringList, modes);
        QUdpSocket scanner;
        QVERIFY(scanner.bind(QHostAddress::AnyIPv4, 1900));
        Create d;
        Recorder r(d);
        d.show();
        const QNetworkDatagram search = nextSearch(scanner);
        QCOMPARE(search.data(), kSearch);
        QCOMPARE(search.senderAddress(), kLocal);
        QCOMPARE(search.senderPort(), 50000);

        for (int i = 0; i < replies.size(); ++i) {
            QUdpSocket from;
            QVERIFY(from.bind(QHostAddress(senders.at(i)), 0));
            QCOMPARE(from.writeDatagram(replies.at(i), search.senderAddress(), quint16(search.senderPort())),
                     qint64(replies.at(i).size()));
        }
        // Replies from one sender arrive in order, so the last mode is in when all are.
        QTRY_COMPARE(r.modes, modes);
        QCOMPARE(itemTexts(child<QComboBox>(d, "comboBox_Ethernet")), listed);

        // A new search starts from an empty list with the same port.
        while (scanner.hasPendingDatagrams())
            scanner.receiveDatagram();
        QTest::mouseClick(child<QPushButton>(d, "Button_Refresh_ETH"), Qt::LeftButton);
        QCOMPARE(child<QComboBox>(d, "comboBox_Ethernet")->count(), 0);
        QCOMPARE(nextSearch(scanner).senderPort(), 50000);
    }
};

QTEST_MAIN(TestCreate)
#include "tst_create.moc"
