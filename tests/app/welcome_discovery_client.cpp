// The welcome dialog's half of the discovery test on a LAN: its search at
// construction finds the emulator. Run only by emulator_discovery.sh, inside
// the namespace it builds.

#include "create.h"

#include <QComboBox>
#include <QNetworkInterface>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

class TestWelcomeDiscovery : public QObject
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
        Create::setPortLister([] { return QList<SerialPortEntry>(); });
    }

    void findsTheScannerOnce()
    {
        const QString scanner = QString::fromLatin1(qgetenv("QM_SCANNER_ADDR"));
        Create d;
        QSignalSpy modes(&d, &Create::OpenEthernetMode);
        QSignalSpy opened(&d, &Create::OpenEthernetSignal);
        d.show();
        // One reply to the subnet broadcast, one to 255.255.255.255.
        QTRY_COMPARE_WITH_TIMEOUT(modes.count(), 2, 5000);
        QCOMPARE(modes.last().at(0).toString(), QStringLiteral("MODE: TCP"));
        auto *list = d.findChild<QComboBox *>(QStringLiteral("comboBox_Ethernet"));
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->itemText(0), scanner);

        d.findChild<QTabWidget *>(QStringLiteral("ConnecttabWidget"))->setCurrentIndex(1);
        QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("Button_Connect")), Qt::LeftButton);
        QCOMPARE(opened.count(), 1);
        QCOMPARE(opened.at(0).at(0).toString(), scanner);
    }
};

QTEST_MAIN(TestWelcomeDiscovery)
#include "welcome_discovery_client.moc"
