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

// Runs the event loop until done() or ms passed; unlike QTest::qWait it never
// sleeps, so the link's 2 ms ticks keep their pace.
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
    // The boxes shown since `from`: title and text, warnings marked "!".
    QString shown(int from) const
    {
        QString all;
        for (int i = from; i < m_dialogs.boxes.size(); ++i) {
            const ScriptedDialogs::Box &b = m_dialogs.boxes.at(i);
            all += QLatin1String(b.icon == DialogSeam::Icon::Warning ? "|!" : "|") + b.title + ':' + b.text;
        }
        return all;
    }
    // Connected, and the read-all of the connection done; a scanner just
    // restarted may refuse for a moment.
    bool connectTo(const Emulator &e)
    {
        const QDeadlineTimer deadline(5000);
        const auto ready = [this] { return m_window->isConnected() && link()->parametersRead() && idle(); };
        while (!deadline.hasExpired())
            if (m_window->connectEthernet(QStringLiteral("127.0.0.1"), e.port)
                && waitUntil([&] { return !m_window->isConnected() || ready(); }, 5000) && ready())
                return true;
        return false;
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
        // The emulator's --fault rule, armed once the window's connection
        // read everything; per operation W R B I, '+' a success, '-' a failure.
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("cli"); // B is upload --reboot, I info (a read-all)
        const QString late = QStringLiteral(":late=%1:0").arg(kTimeout + 100);
        const QString rows[][3] = {
            {"WCase:status=0:0", "++++", "++++"},
            {"WArea:5:status=1:0", "-+++", "-+-+"},
            {"WArea:5:status=3:0", "-+++", "-+-+"},
            {"WArea:5:status=255:0", "-+++", "-+-+"},
            {"WCase:status=3:0", "-+++", "-+-+"},
            {"WPara:status=2:0", "-+++", "-+-+"},
            {"WPara:status=255:0", "-+++", "-+-+"},
            // The reboot reply's status is not the scanner's verdict.
            {"RBoot:status=1:0", "++++", "++++"},
            {"RBoot:status=255:0", "++++", "++++"},
            {"RPara:withhold:0", "+-++", "+-+-"},
            {"RArea:5:withhold:0", "+-++", "+-+-"},
            // The window's read-all has read the configuration before it asks for the product.
            {"RPrda:withhold:0", "+++-", "+---"},
            {"WArea:5:withhold:0", "-+++", "-+-+"},
            {"WPara:withhold:0", "-+++", "-+-+"},
            {"RBoot:withhold:0", "++-+", "++-+"},
            {"RArea:5:area=6:0", "+-++", "+-+-"},
            {"RArea:5" + late, "+-++", "+-+-"},
            {"WPara" + late, "++++", "++++"},
            {"RPrda" + late, "++++", "++++"},
            {"RArea:20:drop:0", "+-++", "+-+-"},
            {"WArea:30:drop:0", "-+++", "-+-+"},
            {"WCase:drop:0", "-+++", "-+-+"},
            {"RBoot:drop:0", "++-+", "++-+"},
            {"RBoot:close:0", "++++", "++++"}, // closed in the same read as the reply
            {"RPrda:drop:0", "+++-", "+---"},
        };
        for (const auto &r : rows)
            QTest::newRow(qPrintable(r[0])) << r[0] << r[1] << r[2];
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
        // Each operation's action and the box that says it succeeded (the
        // window starts in Chinese): the product box by its title, the others by their text.
        const struct { QChar o; const char *action; QString success; } ops[] = {
            {'W', "WriteAllSetting", ':' + transferText(TransferMessage::ParametersAccepted, 1).text},
            {'R', "ReadAllSetting", ':' + transferText(TransferMessage::ReadAllDone, 1).text},
            {'B', "SoftReboot", ':' + transferText(TransferMessage::RebootDone, 1).text},
            {'I', "SensorInformation", transferText(TransferMessage::ProductTitle, 1).title + ':'}};
        for (int op = 0; op < 4; ++op) {
            const QChar o = ops[op].o;
            // The window, connected before the scanner turns hostile.
            QVERIFY(e.command(QStringLiteral("clear")) && connectTo(e) && e.command(QStringLiteral("fault ") + fault));
            const int from = m_dialogs.boxes.size();
            action(ops[op].action)->trigger();
            QVERIFY2(waitUntil([this] { return idle(); }, 10000), qPrintable(QStringLiteral("%1: ").arg(o) + shown(from)));
            waitUntil([] { return false; }, 3 * kTick + 20); // boxes come once the receive handler returned
            const bool succeeded = shown(from).contains(ops[op].success);
            // A warning (time-out, lost connection) or a refusal, all titled "错误".
            const bool failed = shown(from).contains(QLatin1String("|!")) || shown(from).contains(QStringLiteral("|错误:"));
            QVERIFY2(succeeded == (window.at(op) == '+') && (succeeded || failed),
                     qPrintable(QStringLiteral("window %1: ").arg(o) + shown(from)));
            if (o == 'B' && succeeded) { // gone, and back
                waitUntil([] { return false; }, kBootPause);
                QVERIFY(waitUntil([this] { return m_window->isConnected() && idle(); }, 5000));
            }
            if (m_window->isConnected())
                action("DisConnection")->trigger();
            for (const char *enabled : {"Connection", "EthnernetSetting"})
                QVERIFY2(action(enabled)->isEnabled(), enabled);
            for (const char *disabled : {"DisConnection", "ReadAllSetting", "WriteAllSetting", "SoftReboot",
                                         "SensorInformation"})
                QVERIFY2(!action(disabled)->isEnabled(), disabled);
            QVERIFY(e.command(QStringLiteral("clear")) && connectTo(e));
            action("DisConnection")->trigger();

            // The tool, against the scanner hostile from the start.
            QVERIFY(e.command(QStringLiteral("fault ") + fault));
            QTemporaryDir dir;
            const QString file = dir.filePath(QStringLiteral("kept.VQ30"));
            QFile previous(file);
            QVERIFY(previous.open(QIODevice::WriteOnly) && previous.write("previous\n") == 9);
            previous.close();
            const QStringList args = o == 'W'   ? QStringList{"upload", golden, scanner}
                                   : o == 'R' ? QStringList{"download", scanner, file}
                                   : o == 'B' ? QStringList{"upload", golden, scanner, "--reboot"}
                                              : QStringList{"info", scanner};
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("QM_TEST_LINK_INTERVALS"), QStringLiteral("%1,%2").arg(kTick).arg(kTimeout));
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(CLI_PATH), args);
            QVERIFY2(p.waitForFinished(15000), qPrintable(QStringLiteral("the tool did not end: %1").arg(o)));
            QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == (cli.at(op) == '+' ? 0 : 3),
                     qPrintable(QStringLiteral("tool %1, status %2: ").arg(o).arg(p.exitCode())
                                + QString::fromLocal8Bit(p.readAllStandardOutput() + p.readAllStandardError())));
            QVERIFY(previous.open(QIODevice::ReadOnly));
            QCOMPARE(previous.read(10), QByteArray(o == 'R' && cli.at(op) == '+' ? "ZTL_VQ_30\n" : "previous\n"));
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("kept.VQ30")});
            if (o == 'B')
                waitUntil([] { return false; }, kBootPause + 50); // a scanner still restarting refuses the window
        }
    }
};

QTEST_MAIN(TestHostileScanner)
#include "tst_hostile_scanner.moc"
