// A scanner that answers badly, one way per row, against the window's link
// and against quillmark-cli: write-all, read-all, reboot and the product
// information. Nothing ends as a success unless the scanner accepted all of
// it; the tool's exit status is the documented one and it leaves no file
// half-written; the window ends disconnected and connects again.

#include "emulatorprocess.h"
#include "mainwindow.h"
#include "scripteddialogs.h"
#include "serial_comm.h"
#include "transfertexts.h"

#include <QAction>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

namespace {
constexpr int kTick = 2;       // ms, the link's scheduler
constexpr int kTimeout = 150;  // ms, the link's reply time-out
constexpr int kBootPause = 150;
const QString kOps = QStringLiteral("WRBI"); // write-all, read-all, reboot, information

QString text(TransferMessage m) { return transferText(m, 1).text; } // the window starts in Chinese

// Runs the event loop until done() or ms passed; true when done. Unlike
// QTest::qWait it never sleeps, so the link's 2 ms ticks keep their pace.
bool waitUntil(const std::function<bool()> &done, int ms)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    poll.start(1);
    if (!done())
        loop.exec();
    return done();
}
void settle(int ms)
{
    waitUntil([] { return false; }, ms);
}
} // namespace

class TestHostileScanner : public QObject
{
    Q_OBJECT
    EditData m_data;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<MainWindow> m_window;

    SERIAL_COMM *link() const { return m_window->linkController(); }
    QAction *action(const char *name) const { return m_window->findChild<QAction *>(QLatin1String(name)); }
    bool idle() const
    {
        for (int r = 0; r < SERIAL_COMM::SimulationRequest; ++r)
            if (link()->isRequested(SERIAL_COMM::Request(r)) && r != SERIAL_COMM::ScanRequest
                && r != SERIAL_COMM::IntensityRequest)
                return false;
        return true;
    }
    bool told(int from, const QString &what) const
    {
        for (int i = from; i < m_dialogs.boxes.size(); ++i)
            if (m_dialogs.boxes.at(i).text.startsWith(what) || m_dialogs.boxes.at(i).title == what)
                return true;
        return false;
    }
    // A failure the user is shown: a refusal, the time-out warning or the lost connection.
    bool failureTold(int from) const
    {
        const QString unknown = text(TransferMessage::UnknownStatus).section(QLatin1Char('%'), 0, 0);
        for (int i = from; i < m_dialogs.boxes.size(); ++i)
            if (m_dialogs.boxes.at(i).icon == DialogSeam::Icon::Warning)
                return true;
        return told(from, text(TransferMessage::AreaRejected)) || told(from, text(TransferMessage::BlockRejected))
            || told(from, text(TransferMessage::FlashError)) || told(from, unknown);
    }
    QString boxesSince(int from) const
    {
        QStringList all;
        for (int i = from; i < m_dialogs.boxes.size(); ++i)
            all << m_dialogs.boxes.at(i).text.left(40);
        return all.join(QStringLiteral(" | "));
    }
    // Connected, and the read-all of the connection done; a scanner just
    // restarted may refuse for a moment.
    bool connectTo(const Emulator &e)
    {
        const QDeadlineTimer deadline(5000);
        const auto ready = [this] { return m_window->isConnected() && link()->parametersRead() && idle(); };
        do {
            if (m_window->connectEthernet(QStringLiteral("127.0.0.1"), e.port)
                && waitUntil([&] { return !m_window->isConnected() || ready(); }, int(deadline.remainingTime()))
                && ready())
                return true;
            settle(50);
        } while (!deadline.hasExpired());
        return false;
    }
    bool disconnectedState() const
    {
        return action("Connection")->isEnabled() && !action("DisConnection")->isEnabled()
            && action("EthnernetSetting")->isEnabled() && !action("ReadAllSetting")->isEnabled()
            && !action("WriteAllSetting")->isEnabled() && !action("SoftReboot")->isEnabled()
            && !action("SensorInformation")->isEnabled();
    }

private slots:
    void initTestCase()
    {
        m_dialogs.defaultAnswer = 1; // no restart after a write-all, no reconnection offered after a loss
        m_window = std::make_unique<MainWindow>(&m_data, &m_dialogs);
        link()->setIntervalsForTest(kTick, kTimeout);
        m_window->setRestartWaitForTest(3000);
        action("Distance")->setChecked(false); // the stream would only slow the transfers down
        LinkState::instance().EthernetMode = 0;
    }

    void hostileScanner_data()
    {
        // --fault rules of the emulator (armed after the window's connection
        // read everything); per operation W R B I, '+' a success, '-' a failure.
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("cli"); // B is upload --reboot, I info (a read-all)
        const QString late = QStringLiteral(":late=%1:0").arg(kTimeout + 100);
        QTest::newRow("case table accepted, status 0") << "WCase:status=0:0" << "++++" << "++++";
        for (const char *status : {"1", "2", "3", "255"})
            QTest::newRow(qPrintable(QStringLiteral("area 5 refused, status %1").arg(status)))
                << QStringLiteral("WArea:5:status=%1:0").arg(status) << "-+++" << "-+-+";
        QTest::newRow("case table refused, status 3") << "WCase:status=3:0" << "-+++" << "-+-+";
        QTest::newRow("parameters refused, status 2") << "WPara:status=2:0" << "-+++" << "-+-+";
        QTest::newRow("parameters refused, status 255") << "WPara:status=255:0" << "-+++" << "-+-+";
        // The reboot reply's status is not the scanner's verdict.
        QTest::newRow("reboot answered 1") << "RBoot:status=1:0" << "++++" << "++++";
        QTest::newRow("reboot answered 255") << "RBoot:status=255:0" << "++++" << "++++";
        QTest::newRow("parameters never read") << "RPara:withhold:0" << "+-++" << "+-+-";
        QTest::newRow("area 5 never read") << "RArea:5:withhold:0" << "+-++" << "+-+-";
        // The window's read-all has read the configuration before it asks for the product.
        QTest::newRow("product never told") << "RPrda:withhold:0" << "+++-" << "+---";
        QTest::newRow("area 5 never written") << "WArea:5:withhold:0" << "-+++" << "-+-+";
        QTest::newRow("parameters never written") << "WPara:withhold:0" << "-+++" << "-+-+";
        QTest::newRow("reboot never answered") << "RBoot:withhold:0" << "++-+" << "++-+";
        QTest::newRow("area 5 answered as 6") << "RArea:5:area=6:0" << "+-++" << "+-+-";
        QTest::newRow("area 5 late") << QStringLiteral("RArea:5") + late << "+-++" << "+-+-";
        QTest::newRow("parameters accepted late") << QStringLiteral("WPara") + late << "++++" << "++++";
        QTest::newRow("product told late") << QStringLiteral("RPrda") + late << "++++" << "++++";
        QTest::newRow("dropped at area 20 read") << "RArea:20:drop:0" << "+-++" << "+-+-";
        QTest::newRow("dropped at area 30 written") << "WArea:30:drop:0" << "-+++" << "-+-+";
        QTest::newRow("dropped at the case table") << "WCase:drop:0" << "-+++" << "-+-+";
        QTest::newRow("dropped at the reboot") << "RBoot:drop:0" << "++-+" << "++-+";
        QTest::newRow("dropped at the product") << "RPrda:drop:0" << "+++-" << "+---";
    }

    void hostileScanner()
    {
        QFETCH(QString, fault);
        QFETCH(QString, window);
        QFETCH(QString, cli);
        Emulator e;
        QVERIFY(e.start({QStringLiteral("--control"), QStringLiteral("--boot-pause"), QString::number(kBootPause),
                                  QStringLiteral("-q")}));
        const QString scanner = QStringLiteral("tcp:127.0.0.1:%1").arg(e.port);
        const QString golden = QStringLiteral(QM_TEST_DATA "/cli_fleet.VQ30");
        for (int op = 0; op < kOps.size(); ++op) {
            const QChar o = kOps.at(op);
            // The window, connected before the scanner turns hostile.
            QVERIFY(e.command(QStringLiteral("clear")));
            QVERIFY(connectTo(e));
            QVERIFY(e.command(QStringLiteral("fault ") + fault));
            const int from = m_dialogs.boxes.size();
            action(o == 'W' ? "WriteAllSetting" : o == 'R' ? "ReadAllSetting" : o == 'B' ? "SoftReboot"
                                                                                         : "SensorInformation")
                ->trigger();
            const QString success = o == 'W'   ? text(TransferMessage::ParametersAccepted)
                                  : o == 'R' ? text(TransferMessage::ReadAllDone)
                                  : o == 'B' ? text(TransferMessage::RebootDone)
                                             : transferText(TransferMessage::ProductTitle, 1).title;
            // Over when nothing is asked any more, and after a restart once the scanner is back.
            QVERIFY2(waitUntil([this] { return idle(); }, 10000),
                     qPrintable(QStringLiteral("%1 did not end: %2").arg(o).arg(boxesSince(from))));
            settle(3 * kTick + 20); // boxes shown once the receive handler returned
            const bool succeeded = told(from, success);
            if (o == 'B' && succeeded) {
                settle(kBootPause); // gone, and back
                QVERIFY2(waitUntil([this] { return m_window->isConnected() && idle(); }, 5000),
                         "not connected again after the restart");
            }
            QVERIFY2(succeeded == (window.at(op) == '+') && (succeeded || failureTold(from)),
                     qPrintable(QStringLiteral("window %1: %2").arg(o).arg(boxesSince(from))));
            if (m_window->isConnected())
                action("DisConnection")->trigger();
            QVERIFY2(disconnectedState(), qPrintable(QStringLiteral("window %1").arg(o)));
            QVERIFY(e.command(QStringLiteral("clear")));
            QVERIFY2(connectTo(e), qPrintable(QStringLiteral("connecting again after %1").arg(o)));
            action("DisConnection")->trigger();

            // The tool, against the scanner hostile from the start.
            QVERIFY(e.command(QStringLiteral("fault ") + fault));
            QTemporaryDir dir;
            const QString file = dir.filePath(QStringLiteral("kept.VQ30"));
            QFile previous(file);
            QVERIFY(previous.open(QIODevice::WriteOnly) && previous.write("previous\n") == 9);
            previous.close();
            const QStringList args = o == 'W' ? QStringList{QStringLiteral("upload"), golden, scanner}
                                   : o == 'R' ? QStringList{QStringLiteral("download"), scanner, file}
                                   : o == 'B' ? QStringList{QStringLiteral("upload"), golden, scanner,
                                                            QStringLiteral("--reboot")}
                                              : QStringList{QStringLiteral("info"), scanner};
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("QM_TEST_LINK_INTERVALS"), QStringLiteral("%1,%2").arg(kTick).arg(kTimeout));
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(CLI_PATH), args);
            QVERIFY2(p.waitForFinished(15000), qPrintable(QStringLiteral("tool %1 did not end").arg(o)));
            const QString said = QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError());
            QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == (cli.at(op) == '+' ? 0 : 3),
                     qPrintable(QStringLiteral("tool %1, status %2: %3").arg(o).arg(p.exitCode()).arg(said)));
            QFile kept(file);
            QVERIFY(kept.open(QIODevice::ReadOnly));
            const QByteArray head = kept.read(10);
            QVERIFY2(o == 'R' && cli.at(op) == '+' ? head == "ZTL_VQ_30\n" : head == "previous\n", head.constData());
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("kept.VQ30")});
            if (o == 'B')
                settle(kBootPause + 50); // a scanner still restarting refuses the window
        }
    }
};

QTEST_MAIN(TestHostileScanner)
#include "tst_hostile_scanner.moc"
