// The program's start on a LAN with one scanner: the welcome dialog and the
// Ethernet dialog each find it once, its reply sets the Ethernet mode, and
// Connect in the welcome dialog reaches it. Run only by emulator_discovery.sh,
// inside the namespace it builds.

#include "create.h"
#include "ethnertsetting.h"
#include "mainwindow.h"
#include "networkguard.h"
#include "scripteddialogs.h"
#include "serial_comm.h"

#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

class TestWindowDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qgetenv("QM_DISCOVERY_LAN") != "1")
            QFAIL("run by emulator_discovery.sh only: it broadcasts");
        const QStringList foreign = NetworkGuard::foreignInterfaces({QStringLiteral("lo"), QStringLiteral("veth0")});
        QVERIFY2(foreign.isEmpty(), NetworkGuard::refusal(foreign).constData());
        // Settings of its own: addresses remembered by an earlier run would
        // be listed beside what the search finds.
        QVERIFY(m_settings.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_settings.path());
    }

    void bothDialogsFindTheScannerAndTheWelcomeDialogConnects()
    {
        const QString scanner = QString::fromLatin1(qgetenv("QM_SCANNER_ADDR"));
        // The reply's "MODE: TCP" must be what sets the mode.
        LinkState::instance().EthernetMode = 1;
        EditData data;
        ScriptedDialogs dialogs;
        MainWindow window(&data, &dialogs);
        window.show();
        Create *welcome = window.welcomeDialog();
        welcome->show();
        auto *welcomeList = welcome->findChild<QComboBox *>(QStringLiteral("comboBox_Ethernet"));
        auto *dialogList = window.ethernetDialog()->findChild<QComboBox *>(QStringLiteral("Eth_ComboBox"));
        QTRY_VERIFY_WITH_TIMEOUT(welcomeList->count() == 1 && dialogList->count() == 1, 5000);
        QTest::qWait(300); // every reply in: still one entry each
        QCOMPARE(welcomeList->count(), 1);
        QCOMPARE(welcomeList->itemText(0), scanner);
        QCOMPARE(dialogList->count(), 1);
        QCOMPARE(dialogList->itemText(0), scanner);
        QCOMPARE(LinkState::instance().EthernetMode, 0);

        QSignalSpy read(window.linkController(), &SERIAL_COMM::ReceiveAreaData);
        welcome->findChild<QTabWidget *>(QStringLiteral("ConnecttabWidget"))->setCurrentIndex(1);
        QTest::mouseClick(welcome->findChild<QPushButton *>(QStringLiteral("Button_Connect")), Qt::LeftButton);
        QVERIFY(welcome->isHidden());
        QVERIFY(window.isConnected());
        QTRY_COMPARE_WITH_TIMEOUT(read.count(), 1, 20000);
    }

private:
    QTemporaryDir m_settings;
};

QTEST_MAIN(TestWindowDiscovery)
#include "window_discovery_client.moc"
