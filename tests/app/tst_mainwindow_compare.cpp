// The window's comparison with the scanner against the real emulator, over
// TCP and the serial line: "equal", three differences each leading to its
// place, writing only those and the read-back that verifies it, taking a
// part from the scanner as one undo step, and the command-line tool's answer
// for the same pair.

#include "appsettingsdialog.h"
#include "areahistory.h"
#include "comparepanel.h"
#include "emulatorrig.h"
#include "option_scene.h"
#include "paint_scannerzones.h"

#include <QCheckBox>
#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <signal.h>

namespace {
using State = CompareController::State;

// The scanner holds exactAreas(7) and someParameters(3); the window connects
// and reads it, so the project starts equal.
bool startConnected(Rig &rig, const QString &transport, const QStringList &more = {})
{
    const QString file = rig.dir.filePath(QStringLiteral("state.json"));
    if (!saveScannerState(file, exactAreas(7), someParameters(3))
        || !rig.start(QStringList{QStringLiteral("--state"), file} + more))
        return false;
    rig.window->show(); // docks and focus as the user sees them
    QSignalSpy read(rig.link(), &SERIAL_COMM::ReceiveAreaData);
    return rig.connect(transport) && QTest::qWaitFor([&] { return read.count() == 1 && rig.transferDone(); }, 20000);
}

// One point of area 4 moved, the CAN address (a field of every interface)
// changed in the dock, one case row of area 9; each area edit snapshotted as
// the editors do.
void makeThreeDifferences(Rig &rig)
{
    rig.data.Areas[4].Out1Points[1] += QPoint(40, 30);
    auto *address = rig.window->findChild<QSpinBox *>(QStringLiteral("Para_CANIDAddress"));
    address->setValue(address->value() - 1);
    rig.data.Areas[9].SteerMaxDgree += 5;
    AreaHistory history(&rig.data);
    history.save(4);
    history.save(9);
}

bool compare(Rig &rig)
{
    rig.window->comparePanel()->findChild<QToolButton *>(QStringLiteral("CompareRefresh"))->click();
    return QTest::qWaitFor([&] { return rig.window->comparison()->state() == State::Compared; }, 20000);
}

QList<QTreeWidgetItem *> leaves(QTreeWidget *tree)
{
    QList<QTreeWidgetItem *> out;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->childCount() == 0)
            out << *it;
    return out;
}

QString summary(const Rig &rig) { return rig.window->comparePanel()->summary()->text(); }
} // namespace

class TestMainWindowCompare : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        LinkState::instance() = LinkState();
        QSettings(QStringLiteral("Ostrelan"), QStringLiteral("Parameters")).clear();
    }

    void equalThenThreeDifferencesWrittenAndVerified_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::newRow("tcp") << "tcp";
        QTest::newRow("pty") << "pty";
    }
    void equalThenThreeDifferencesWrittenAndVerified()
    {
        QFETCH(QString, transport);
        Rig rig;
        rig.verify = true;
        QVERIFY(startConnected(rig, transport));
        const QVector<AreaRecord> read = rig.data.Areas;
        const bool modified = rig.data.Modified;
        rig.action("CompareScanner")->trigger();
        rig.action("CompareScanner")->trigger(); // one read at a time
        QCOMPARE(rig.window->statusBar()->currentMessage(), QStringLiteral("设备正忙于另一次传输"));
        QM_WAIT_VERIFY(rig.window->comparison()->state() == State::Compared, 20000);
        QCOMPARE(summary(rig), QStringLiteral("相同"));
        QCOMPARE(rig.window->comparePanel()->tree()->topLevelItemCount(), 0);
        // A comparison leaves the project alone.
        QVERIFY(rig.data.Areas == read);
        QCOMPARE(rig.data.Modified, modified);
        QCOMPARE(rig.dialogs.boxes.size(), 1); // the connection's read-all message only

        makeThreeDifferences(rig);
        QVERIFY(compare(rig));
        QCOMPARE(summary(rig), QStringLiteral("3 处差异"));
        QTreeWidget *tree = rig.window->comparePanel()->tree();
        QCOMPARE(tree->topLevelItemCount(), 3);
        const QList<QTreeWidgetItem *> lines = leaves(tree);
        QCOMPARE(lines.size(), 3);
        // Parameters, case table, areas; each line leads to its place.
        emit tree->itemClicked(lines[0], 0);
        QCOMPARE(rig.window->focusWidget(), rig.window->findChild<QWidget *>(QStringLiteral("Para_CANIDAddress")));
        emit tree->itemClicked(lines[1], 0);
        QCOMPARE(rig.data.CurrentArea, 9);
        QCOMPARE(rig.window->findChild<QTabWidget *>(QStringLiteral("ParametersEditTab"))->currentWidget()->objectName(),
                 QStringLiteral("CaseChannel"));
        emit tree->itemClicked(lines[2], 0);
        QCOMPARE(rig.data.CurrentArea, 4);
        QCOMPARE(rig.data.CurrentOutput, 0);
        QCOMPARE(rig.window->findChild<QTableWidget *>(QStringLiteral("CoordTableWidgetOut1"))->currentRow(), 1);
        // The area table marks areas 4 and 9; the view draws the scanner's zones.
        auto *areas = rig.window->findChild<QTableWidget *>(QStringLiteral("AreaTableWidget"));
        for (int row : {3, 4, 9})
            QCOMPARE(areas->item(row, 0)->background().style() != Qt::NoBrush, row != 3);
        QCOMPARE(rig.window->sceneController()->paintScannerZones()->areas().size(), 64);

        const int written = rig.logged(QStringLiteral("-> WArea")).size();
        rig.action("WriteDifferences")->trigger();
        QM_WAIT_VERIFY(rig.boxesSaying(QStringLiteral("是否重启传感器?")) == 1, 20000);
        QM_WAIT_VERIFY(rig.window->comparison()->state() == State::Compared && rig.transferDone(), 20000);
        const QStringList sent = rig.logged(QStringLiteral("-> WArea")).mid(written);
        QCOMPARE(sent.size(), 1);
        QVERIFY2(sent[0].contains(QStringLiteral("area 4,")), qPrintable(sent[0]));
        QCOMPARE(rig.logged(QStringLiteral("-> WCase")).size(), 1);
        QCOMPARE(rig.logged(QStringLiteral("-> WPara")).size(), 1);
        // Read back and compared: equal, and the status says so.
        QCOMPARE(summary(rig), QStringLiteral("写入后校验: 相同"));
        QCOMPARE(rig.window->statusBar()->currentMessage(), QStringLiteral("已校验：设备中的配置与工程一致"));
        QVERIFY(compare(rig));
        QCOMPARE(summary(rig), QStringLiteral("相同"));
        QCOMPARE(areas->item(4, 0)->background().style(), Qt::NoBrush);
    }

    // The parameters, the case table or one area taken from the scanner:
    // afterwards equal in that part, and one undo brings the project's back.
    void takeFromScannerIsOneUndoStep_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::addColumn<int>("group"); // top-level row of the part taken
        QTest::newRow("parameters, tcp") << "tcp" << 0;
        QTest::newRow("case table, pty") << "pty" << 1;
        QTest::newRow("area, tcp") << "tcp" << 2;
    }
    void takeFromScannerIsOneUndoStep()
    {
        QFETCH(QString, transport);
        QFETCH(int, group);
        Rig rig;
        QVERIFY(startConnected(rig, transport));
        makeThreeDifferences(rig);
        rig.data.Areas[3].VehicleOptionMode = 4 - rig.data.Areas[3].VehicleOptionMode; // a second case row
        AreaHistory(&rig.data).save(3);
        rig.data.CurrentArea = 0;
        const QVector<AreaRecord> edited = rig.data.Areas;
        const SensorParameters editedWords = *rig.window->parameters();
        QVERIFY(compare(rig));
        QTreeWidget *tree = rig.window->comparePanel()->tree();
        QCOMPARE(leaves(tree).size(), 4);
        const SensorParameters scannerWords = *rig.window->comparison()->scanner().words;

        QTreeWidgetItem *part = tree->topLevelItem(group);
        tree->setCurrentItem(part->child(0)); // area 4's node, or the part's first line
        rig.window->comparePanel()->findChild<QToolButton *>(QStringLiteral("CompareTake"))->click();
        QCOMPARE(leaves(tree).size(), group == 1 ? 2 : 3);
        QVERIFY(rig.data.Modified);
        QCOMPARE(*rig.window->parameters() == scannerWords, group == 0);
        QCOMPARE(rig.data.Areas[9].SteerMaxDgree == edited[9].SteerMaxDgree, group != 1);
        QCOMPARE(rig.data.Areas[4] == edited[4], group != 2);

        rig.action("Undo")->trigger();
        QVERIFY(rig.data.Areas == edited);
        QCOMPARE(*rig.window->parameters(), editedWords);
        QCOMPARE(rig.window->findChild<QSpinBox *>(QStringLiteral("Para_CANIDAddress"))->value(),
                 editedWords.Words[8]);
        rig.action("Redo")->trigger();
        QCOMPARE(*rig.window->parameters() == scannerWords, group == 0);
        QCOMPARE(rig.data.Areas[3] == edited[3], group != 1);
        // The next scanner connected may be another one: nothing of this one stays.
        rig.action("DisConnection")->trigger();
        QCOMPARE(leaves(tree).size(), 0);
        QVERIFY(rig.window->sceneController()->paintScannerZones()->areas().isEmpty());
    }

    // quillmark-cli diff of the saved project and the same scanner lists
    // what the window lists, line for line.
    void theToolGivesTheWindowsAnswer()
    {
        Rig rig;
        QVERIFY(startConnected(rig, QStringLiteral("pty")));
        makeThreeDifferences(rig);
        const QString file = rig.dir.filePath(QStringLiteral("plan.VQ30"));
        rig.dialogs.fileNames.enqueue(file);
        rig.action("Save")->trigger();
        QVERIFY(QFile::exists(file));
        QVERIFY(compare(rig));
        rig.window->LanguageToEnglish(); // compared in Chinese, read in English
        QStringList window;
        for (QTreeWidgetItem *line : leaves(rig.window->comparePanel()->tree()))
            window << line->text(0);

        QProcess cli;
        cli.start(QStringLiteral(CLI_PATH),
                  {QStringLiteral("diff"), file, QStringLiteral("tcp:127.0.0.1:%1").arg(rig.emulator.port)});
        QVERIFY(cli.waitForFinished(30000));
        QStringList tool = QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(cli.exitCode(), 1);
        QCOMPARE(tool.takeLast(), QStringLiteral("3 difference(s)"));
        tool.removeFirst(); // the fingerprints
        QCOMPARE(tool, window);
        QCOMPARE(summary(rig), QStringLiteral("3 difference(s)"));
    }

    // After a write-all: read back (after the restart, when asked for),
    // verified or the differences shown; or, switched off in the settings,
    // not read at all.
    void verificationAfterWriteAll_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::addColumn<QStringList>("emulator");
        QTest::addColumn<bool>("verify");
        QTest::addColumn<bool>("restart");
        QTest::addColumn<int>("restartWait"); // ms, 0: as the program waits
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("summary");
        const QString verified = QStringLiteral("已校验：设备中的配置与工程一致");
        QTest::newRow("verified, tcp") << "tcp" << QStringList() << true << false << 0 << verified
                                       << "写入后校验: 相同";
        const QStringList quickBoot{"--boot-pause", "200"};
        QTest::newRow("restarted, tcp") << "tcp" << quickBoot << true << true << 0 << verified << "写入后校验: 相同";
        QTest::newRow("restarted, pty") << "pty" << quickBoot << true << true << 0 << verified << "写入后校验: 相同";
        QTest::newRow("not back from the restart, tcp")
            << "tcp" << QStringList{"--boot-pause", "5000"} << true << true << 1000 << "未校验：读回未完成"
            << "未比较：读取未完成";
        QTest::newRow("case table rejected, pty") << "pty" << QStringList{"--reject", "WCase:1"} << true << false << 0
                                                  << "校验发现 2 处差异" << "写入后校验: 2 处差异"; // the case row, and the parameters never sent
        QTest::newRow("switched off, tcp") << "tcp" << QStringList() << false << false << 0 << ""
                                           << "已写入，未校验：按“刷新”重新比较";
    }
    void verificationAfterWriteAll()
    {
        QFETCH(QString, transport);
        QFETCH(QStringList, emulator);
        QFETCH(bool, verify);
        QFETCH(bool, restart);
        QFETCH(int, restartWait);
        QFETCH(QString, status);
        QFETCH(QString, summary);
        Rig rig;
        QVERIFY(startConnected(rig, transport, emulator));
        rig.dialogs.defaultAnswer = restart ? 0 : 1;
        if (restartWait > 0) {
            rig.window->setRestartWaitForTest(restartWait);
            rig.dialogs.answers << 0 << 0 << 0 << 1; // written, restart, restarted; not back: no reconnecting
        }
        // The setting, through its dialog, and kept under its own key.
        rig.action("AppSettings")->trigger();
        AppSettingsDialog *settings = rig.window->appSettingsDialog();
        QVERIFY(settings->isVisible());
        settings->verifyBox()->setChecked(verify);
        settings->findChild<QPushButton *>(QStringLiteral("AppSettingsOk"))->click();
        QCOMPARE(QSettings(QStringLiteral("Ostrelan"), QStringLiteral("Parameters")).value("VerifyAfterWrite").toBool(),
                 verify);

        makeThreeDifferences(rig);
        rig.window->statusBar()->clearMessage();
        const int reads = rig.logged(QStringLiteral("-> RArea")).size();
        rig.action("WriteAllSetting")->trigger();
        // A refused case table ends the write: no restart question, but the
        // scanner is read back all the same.
        const bool refused = emulator.contains(QStringLiteral("--reject"));
        QM_WAIT_VERIFY(rig.boxesSaying(refused ? QStringLiteral("参数设置异常") : QStringLiteral("是否重启传感器?")) == 1,
                       20000);
        QCOMPARE(rig.boxesSaying(QStringLiteral("是否重启传感器?")), refused ? 0 : 1);
        QM_WAIT_VERIFY(rig.window->comparison()->state() != State::Verifying
                           && rig.window->comparison()->state() != State::AwaitingRestart && rig.transferDone(),
                       20000);
        QCOMPARE(rig.boxesSaying(QStringLiteral("传感器重新启动完成")), restart ? 1 : 0);
        QCOMPARE(rig.window->statusBar()->currentMessage(), status);
        QCOMPARE(::summary(rig), summary);
        const bool readBack = summary.startsWith(QStringLiteral("写入后校验"));
        QCOMPARE(rig.logged(QStringLiteral("-> RArea")).size() - reads, readBack ? 64 : 0);
        QCOMPARE(rig.window->findChild<QDockWidget *>(QStringLiteral("CompareDock"))->isVisible(),
                 status.startsWith(QStringLiteral("校验发现")));
        QCOMPARE(rig.action("WriteDifferences")->isEnabled(), readBack);
    }

    // A read that does not complete is no comparison: nothing passes for
    // what the scanner holds, and nothing can be written from it.
    void aComparisonCutOffIsNoComparison()
    {
        Rig rig;
        QVERIFY(startConnected(rig, QStringLiteral("tcp")));
        rig.link()->setIntervalsForTest(kTick, 100);
        makeThreeDifferences(rig);
        QVERIFY(compare(rig));
        const qint64 pid = rig.emulator.process.processId();
        ::kill(pid_t(pid), SIGSTOP); // the scanner falls silent, the connection stays
        rig.action("CompareScanner")->trigger();
        QM_WAIT_VERIFY(rig.window->comparison()->state() == State::ReadFailed, 5000);
        ::kill(pid_t(pid), SIGCONT);
        QCOMPARE(summary(rig), QStringLiteral("未比较：读取未完成"));
        QCOMPARE(rig.window->comparePanel()->tree()->topLevelItemCount(), 0);
        QCOMPARE(rig.window->findChild<QTableWidget *>(QStringLiteral("AreaTableWidget"))->item(4, 0)->background().style(),
                 Qt::NoBrush);
        QVERIFY(rig.window->sceneController()->paintScannerZones()->areas().isEmpty());
        QVERIFY(!rig.action("WriteDifferences")->isEnabled());
        QCOMPARE(rig.boxesSaying(QStringLiteral("读写参数超时,请检查连接")), 1);
    }
};

QTEST_MAIN(TestMainWindowCompare)
#include "tst_mainwindow_compare.moc"
