// The main window against the real scanner emulator over TCP, UDP and a
// pseudo-terminal: connecting, read-all, write-all, the restart question, a
// rejected area, a reboot that drops the connection, and a soak under faults.

#include "connecttexts.h"
#include "emulatorrig.h"
#include "linkrecorder.h"
#include "projectfile.h"

#include <QComboBox>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QRandomGenerator>
#include <QtTest>

class TestMainWindowLink : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { LinkState::instance() = LinkState(); }

    // Connecting reads the whole configuration, and every view shows it.
    void readAllReturnsWhatTheScannerHolds_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::addColumn<bool>("reversed");
        QTest::newRow("tcp") << "tcp" << false;
        QTest::newRow("udp") << "udp" << false;
        QTest::newRow("pty, mounted reversed") << "pty" << true;
    }
    void readAllReturnsWhatTheScannerHolds()
    {
        QFETCH(QString, transport);
        QFETCH(bool, reversed);
        Rig rig;
        const QVector<AreaRecord> areas = exactAreas(7);
        SensorParameters stored = someParameters(3);
        stored.Words[14] = reversed;
        const QString file = rig.dir.filePath(QStringLiteral("state.json"));
        QVERIFY(saveScannerState(file, areas, stored));
        QVERIFY(rig.start({QStringLiteral("--state"), file, QStringLiteral("-q")}));

        QSignalSpy read(rig.link(), &SERIAL_COMM::ReceiveAreaData);
        QVERIFY(rig.connect(transport));
        QVERIFY(rig.action("ReadAllSetting")->isEnabled());
        QM_WAIT_VERIFY(read.count() == 1 && rig.transferDone(), 20000);

        QString why;
        QVERIFY2(sameAreas(rig.data.Areas, areas, &why), qPrintable(why));
        QCOMPARE(*rig.window->parameters(), stored);
        QCOMPARE(LinkState::instance().DirectionReversed, reversed);
        // The window's language is Chinese: one modeless message, no product box.
        QCOMPARE(rig.dialogs.boxes.size(), 1);
        QCOMPARE(rig.dialogs.boxes[0].text, QStringLiteral("参数读取完成！"));
        // The views show what was read, and each area can be undone to what was drawn.
        QCOMPARE(rig.window->findChild<QComboBox *>(QStringLiteral("Area_OpenDelay"))->currentIndex(),
                 areas[0].OpenDelay);
        QCOMPARE(rig.window->findChild<QTableWidget *>(QStringLiteral("CoordTableWidgetOut1"))->item(3, 1)->text(),
                 QString::number(rig.data.Areas[0].Out1Points[3].x()));
        QCOMPARE(rig.window->findChild<QSpinBox *>(QStringLiteral("Para_RS485IDAddress"))->value(),
                 stored.Words[4]);
        QVERIFY(rig.data.Modified);
        QCOMPARE(rig.data.UndoIndex[20], 1);
    }

    // A connection that would read over unsaved work asks first: save then
    // read, discard and read, or keep the project and read nothing. A save
    // that does not happen reads nothing either.
    void connectingOverUnsavedWorkAsksFirst_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveAs"); // the save dialog's answer; empty: cancelled
        QTest::addColumn<bool>("reads");
        QTest::newRow("nothing unsaved") << "tcp" << false << -1 << "" << true;
        QTest::newRow("save, then read") << "tcp" << true << 0 << "plan" << true;
        QTest::newRow("save cancelled") << "tcp" << true << 0 << "" << false;
        QTest::newRow("save fails") << "tcp" << true << 0 << "missing/plan" << false;
        QTest::newRow("discard") << "udp" << true << 1 << "" << true;
        QTest::newRow("keep") << "tcp" << true << 2 << "" << false;
        QTest::newRow("keep, serial, English") << "pty" << true << 2 << "" << false;
        QTest::newRow("box closed") << "udp" << true << -1 << "" << false;
    }
    void connectingOverUnsavedWorkAsksFirst()
    {
        QFETCH(QString, transport);
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, reads);
        Rig rig;
        // The scanner holds other areas and parameters, mounted reversed.
        SensorParameters stored = someParameters(3);
        stored.Words[14] = 1;
        const QVector<AreaRecord> scanner = exactAreas(7);
        const QString file = rig.dir.filePath(QStringLiteral("state.json"));
        QVERIFY(saveScannerState(file, scanner, stored));
        QVERIFY(rig.start({QStringLiteral("--state"), file, QStringLiteral("-q")}));
        const bool english = transport == QLatin1String("pty");
        if (english)
            rig.window->LanguageToEnglish();
        const QVector<AreaRecord> project = exactAreas(2);
        rig.data.Areas = project;
        rig.data.Modified = modified;
        const SensorParameters parameters = *rig.window->parameters();
        LinkState::instance().DirectionReversed = true; // left by an earlier connection
        rig.dialogs.answers.enqueue(answer);
        if (!saveAs.isEmpty())
            rig.dialogs.fileNames.enqueue(rig.dir.filePath(saveAs));

        QSignalSpy read(rig.link(), &SERIAL_COMM::ReceiveAreaData);
        QSignalSpy status(rig.link(), &SERIAL_COMM::IOPortSignals);
        QVERIFY(rig.connect(transport));
        if (modified) {
            const ScriptedDialogs::Box q = rig.dialogs.boxes.value(0);
            QCOMPARE(q.icon, DialogSeam::Icon::Warning);
            QCOMPARE(QStringList({q.title, q.text, q.buttons.join('|')}).join('|'),
                     english ? QStringLiteral("Warning|Connection\nConnecting reads all areas and parameters from the "
                                              "scanner and replaces the unsaved changes of the project.\nSave the "
                                              "project first?|Save and Read|Discard and Read|Connect Without Reading")
                             : QStringLiteral("警告|连接设备\n连接后将从设备读取全部区域和参数，替换工程中未保存的修改。\n"
                                              "是否先保存工程？|保存并读取|放弃修改并读取|连接但不读取"));
        } else {
            QVERIFY(rig.dialogs.boxes.isEmpty());
        }
        QVERIFY(rig.window->isConnected());

        if (reads) {
            QM_WAIT_VERIFY(read.count() == 1 && rig.transferDone(), 20000);
            QString why;
            QVERIFY2(sameAreas(rig.data.Areas, scanner, &why), qPrintable(why));
            QCOMPARE(*rig.window->parameters(), stored);
        } else {
            // The scanner answers the status polls, and nothing was read.
            QVERIFY(!rig.link()->isRequested(SERIAL_COMM::ReadAreasRequest));
            QM_WAIT_VERIFY(status.count() >= 3, 5000);
            QCOMPARE(read.count(), 0);
            QVERIFY(rig.data.Areas == project);
            QCOMPARE(*rig.window->parameters(), parameters);
            QVERIFY(rig.data.Modified);
            // Zones sent from here go with the project's install direction.
            QVERIFY(!LinkState::instance().DirectionReversed);
        }
        QCOMPARE(QFile::exists(rig.dir.filePath(QStringLiteral("plan.VQ30"))), saveAs == QLatin1String("plan"));
        if (saveAs == QLatin1String("plan")) {
            // What was saved is the project from before the read.
            QFile saved(rig.dir.filePath(QStringLiteral("plan.VQ30")));
            QVERIFY(saved.open(QIODevice::ReadOnly | QIODevice::Text));
            QTextStream in(&saved);
            SensorDockState sensors{};
            EditData fromFile;
            QCOMPARE(readProjectFile(in, sensors, fromFile), 3);
            QVERIFY(fromFile.Areas == project);
        }
    }

    // Write-all then read-all gives back the same configuration; No to the
    // restart question sends no reboot, Yes sends it next.
    void writeThenReadGivesBackTheConfiguration_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::addColumn<int>("answer");
        QTest::newRow("tcp, restart") << "tcp" << 0;
        QTest::newRow("udp, restart") << "udp" << 0;
        QTest::newRow("pty, no restart") << "pty" << 1;
    }
    void writeThenReadGivesBackTheConfiguration()
    {
        QFETCH(QString, transport);
        QFETCH(int, answer);
        Rig rig;
        QVERIFY(rig.start({QStringLiteral("--boot-pause"), QStringLiteral("200")}));
        QSignalSpy read(rig.link(), &SERIAL_COMM::ReceiveAreaData);
        QVERIFY(rig.connect(transport));
        QM_WAIT_VERIFY(read.count() == 1 && rig.transferDone(), 20000);

        rig.data.Areas = exactAreas(11);
        // A polygon out of angular order and an arc between whole degrees come
        // back ordered and rounded, as the scanner stores them.
        rig.data.Areas[5].Out1Shape = Polygon;
        rig.data.Areas[5].Out1Points = {{-2500, -200}, {2000, 100}, {-10, 3000}, {1500, 1500}};
        rig.data.Areas[6].Out2Points = {{2999, 5}, {-1, 3001}};
        *rig.window->parameters() = someParameters(9);
        rig.dialogs.defaultAnswer = answer;
        rig.action("WriteAllSetting")->trigger();
        QM_WAIT_VERIFY(rig.boxesSaying(QStringLiteral("是否重启传感器?")) == 1 && rig.transferDone(), 20000);
        QTest::qWait(100);
        const QStringList frames = rig.logged(QStringLiteral(" <- "));
        QCOMPARE(frames.filter(QStringLiteral("<- RBoot")).size(), answer == 0 ? 1 : 0);
        if (answer == 0) {
            QVERIFY(frames.last().contains(QStringLiteral("<- RBoot")));
            QM_WAIT_COMPARE(rig.boxesSaying(QStringLiteral("传感器重新启动完成")), 1, 5000);
            // Connected again by itself once the scanner is back (over TCP a
            // new connection), without a word about a lost link.
            QM_WAIT_COMPARE(rig.window->statusBar()->currentMessage(),
                                      ConnectTexts::ethernetConnected(0, QStringLiteral("127.0.0.1")), 5000);
            // The status may still show the first connection: wait for the scanner's side.
            QM_WAIT_COMPARE(rig.logged(QStringLiteral(" connected")).size(), transport == QLatin1String("tcp") ? 2 : 0,
                            5000);
            QM_WAIT_COMPARE(rig.window->statusBar()->currentMessage(),
                            ConnectTexts::ethernetConnected(0, QStringLiteral("127.0.0.1")), 5000);
            QCOMPARE(rig.dialogs.boxes.size(), 4); // read, written, restart?, restarted
        }

        const QVector<AreaRecord> expected = rig.data.Areas;
        rig.data.Areas = QVector<AreaRecord>(64);
        *rig.window->parameters() = SensorParameters();
        rig.action("ReadAllSetting")->trigger();
        QM_WAIT_VERIFY(read.count() == 2 && rig.transferDone(), 20000);
        QString why;
        QVERIFY2(sameAreas(rig.data.Areas, expected, &why), qPrintable(why));
        QCOMPARE(*rig.window->parameters(), someParameters(9));
    }

    // Ten times "read all, change one parameter, write all" with arcs at many
    // angles and radii: every frame of the last write is the first one again
    // (the changed parameter aside), so nothing turns or shrinks by being read.
    void readWriteCyclesSendTheSameFrames_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::addColumn<bool>("reversed");
        QTest::newRow("tcp") << "tcp" << false;
        QTest::newRow("udp, reversed") << "udp" << true;
    }
    void readWriteCyclesSendTheSameFrames()
    {
        QFETCH(QString, transport);
        QFETCH(bool, reversed);
        Rig rig;
        QVERIFY(rig.start({QStringLiteral("--quiet")})); // an unread log would fill its pipe
        QSignalSpy read(rig.link(), &SERIAL_COMM::ReceiveAreaData);
        QVERIFY(rig.connect(transport));
        QM_WAIT_VERIFY(read.count() == 1 && rig.transferDone(), 20000);
        LinkRecorder recorder;
        QVERIFY(recorder.start(rig.dir.filePath(QStringLiteral("cycles.qmrec")), {}));
        rig.link()->attachRecorder(&recorder);

        for (int i = 0; i < 64; ++i)
            for (int o = 0; o < 3; ++o) {
                const float radius = 100.0f + float((i * 977 + o * 7919) % 60000) + 0.4f;
                const float from = -90.0f + float((i * 53 + o * 31) % 300) + 0.61f;
                rig.data.Areas[i].shape(o) = Arc;
                rig.data.Areas[i].points(o) = {fromPolar(radius, from * kDegToRad),
                                               fromPolar(radius, (from + 3.3f + float(i % 57)) * kDegToRad)};
            }
        SensorParameters p = someParameters(3);
        p.Words[14] = reversed ? 1 : 0;
        *rig.window->parameters() = p;
        LinkState::instance().DirectionReversed = reversed;
        int boxes = 0;
        for (int cycle = 0; cycle <= 10; ++cycle) {
            if (cycle > 0) {
                rig.action("ReadAllSetting")->trigger();
                QM_WAIT_VERIFY(read.count() == cycle + 1 && rig.transferDone(), 20000);
                rig.window->parameters()->Words[23] = 100 + cycle;
            }
            rig.action("WriteAllSetting")->trigger();
            ++boxes;
            QM_WAIT_VERIFY(rig.boxesSaying(QStringLiteral("是否重启传感器?")) == boxes
                                         && rig.transferDone(), 20000);
        }
        rig.link()->attachRecorder(nullptr);
        recorder.stop();

        QVector<QByteArray> writes;
        for (const RecordingChunk &c : readRecording(recorder.path()).chunks)
            if (c.sent && (c.bytes.startsWith("WArea") || c.bytes.startsWith("WCase") || c.bytes.startsWith("WPara")))
                writes << c.bytes;
        QCOMPARE(writes.size(), 11 * 66);
        for (int k = 0; k < 66; ++k) {
            QByteArray first = writes.at(k), last = writes.at(10 * 66 + k);
            if (k == 65) { // WPara: word 23 was changed on purpose, and so its CRC
                QCOMPARE(get16(last, 5 + 2 * 23), quint16(110));
                for (QByteArray *f : {&first, &last})
                    f->replace(5 + 2 * 23, 2, "..").chop(2);
            }
            QVERIFY2(first == last, qPrintable(QStringLiteral("frame %1 of the last write differs").arg(k)));
        }
    }

    // Status 1 at area 10: one box, and the areas go again from area 0.
    void rejectedAreaRestartsFromAreaZero()
    {
        Rig rig;
        QVERIFY(rig.start({QStringLiteral("--reject"), QStringLiteral("WArea:10:1")}));
        QSignalSpy read(rig.link(), &SERIAL_COMM::ReceiveAreaData);
        QVERIFY(rig.connect(QStringLiteral("tcp")));
        QM_WAIT_VERIFY(read.count() == 1 && rig.transferDone(), 20000);
        rig.data.Areas = exactAreas(2);
        rig.action("WriteAllSetting")->trigger();
        QM_WAIT_VERIFY(rig.boxesSaying(QStringLiteral("是否重启传感器?")) == 1 && rig.transferDone(), 20000);
        QCOMPARE(rig.boxesSaying(QStringLiteral("参数设置异常，请重启初始参数")), 1);
        QStringList order;
        for (const QString &line : rig.logged(QStringLiteral("-> WArea")))
            order << line.section(QStringLiteral("area "), 1).section(',', 0, 0);
        QStringList want;
        for (int i = 0; i <= 10; ++i)
            want << QString::number(i);
        for (int i = 0; i < 64; ++i)
            want << QString::number(i);
        QCOMPARE(order, want);
    }

    // A restart the user asked for (here Soft Reboot; over TCP after a
    // write-all above): the window waits for the scanner without counting its
    // silence, and says so when it does not come back in time.
    void waitingForARestartingScanner_data()
    {
        QTest::addColumn<QString>("transport");
        QTest::addColumn<int>("bootPause");
        QTest::addColumn<int>("wait");
        QTest::addColumn<bool>("back");
        QTest::newRow("udp, back after four time-outs") << "udp" << 4500 << 20000 << true;
        QTest::newRow("tcp, not back") << "tcp" << 5000 << 1000 << false;
        QTest::newRow("pty, not back") << "pty" << 5000 << 1000 << false;
    }
    void waitingForARestartingScanner()
    {
        QFETCH(QString, transport);
        QFETCH(int, bootPause);
        QFETCH(int, wait);
        QFETCH(bool, back);
        Rig rig;
        QVERIFY(rig.start({QStringLiteral("--boot-pause"), QString::number(bootPause), QStringLiteral("-q")}));
        QSignalSpy read(rig.link(), &SERIAL_COMM::ReceiveAreaData);
        QVERIFY(rig.connect(transport));
        QM_WAIT_VERIFY(read.count() == 1 && rig.transferDone(), 20000);
        rig.window->setRestartWaitForTest(wait);
        rig.action("SoftReboot")->trigger();
        QM_WAIT_COMPARE(rig.boxesSaying(QStringLiteral("传感器重新启动完成")), 1, 5000);
        if (back) {
            QM_WAIT_COMPARE(rig.window->statusBar()->currentMessage(),
                                      ConnectTexts::ethernetConnected(0, QStringLiteral("127.0.0.1")), bootPause + 3000);
            rig.action("ReadAllSetting")->trigger();
            QM_WAIT_VERIFY(read.count() == 2 && rig.transferDone(), 20000);
        } else {
            const QString device = transport == QLatin1String("pty") ? rig.emulator.pty : QStringLiteral("127.0.0.1");
            QM_WAIT_COMPARE(rig.boxesSaying(ConnectTexts::notBackText(0, device, 1)), 1, 3000);
            QVERIFY(!rig.window->isConnected());
            QVERIFY(rig.action("Connection")->isEnabled());
        }
        QCOMPARE(rig.dialogs.boxes.size(), 3); // restarted, read twice or read and the notice
        QCOMPARE(rig.boxesSaying(QStringLiteral("读写参数超时,请检查连接")), 0);
    }

    // A scanner that never answers: one warning for every four time-outs.
    void silentScannerWarnsOncePerFourTimeouts()
    {
        Rig rig;
        QVERIFY(rig.start({QStringLiteral("--silent")}));
        rig.link()->setIntervalsForTest(kTick, 100);
        QVERIFY(rig.connect(QStringLiteral("tcp")));
        const QString warning = QStringLiteral("读写参数超时,请检查连接");
        QM_WAIT_COMPARE(rig.boxesSaying(warning), 1, 5000);
        rig.action("ReadAllSetting")->trigger();
        QM_WAIT_COMPARE(rig.boxesSaying(warning), 2, 5000);
        QTest::qWait(400);
        QCOMPARE(rig.boxesSaying(warning), 2);
        QM_WAIT_COMPARE(rig.logged(QStringLiteral("<- RPara")).size(), 8, 5000);
    }

    // Repeated write-all / read-all while the scanner drops, spoils, delays
    // and splits replies and sends stray bytes: every completed cycle carries
    // the configuration exactly. Bounded in cycles and time.
    void soakUnderFaults()
    {
        Rig rig;
        QVERIFY(rig.start({QStringLiteral("--drop"), QStringLiteral("0.005"), QStringLiteral("--corrupt-crc"),
                           QStringLiteral("0.005"), QStringLiteral("--delay"), QStringLiteral("0.05:80"),
                           QStringLiteral("--split"), QStringLiteral("0.1"), QStringLiteral("--stray"),
                           QStringLiteral("0.1"), QStringLiteral("--seed"), QStringLiteral("42")}));
        // No live stream: its packets, written between the pieces of a split
        // reply, spoil that reply and cost a time-out; the soak is about the
        // transfers' own faults.
        rig.action("Distance")->setChecked(false);
        QSignalSpy read(rig.link(), &SERIAL_COMM::ReceiveAreaData);
        QVERIFY(rig.connect(QStringLiteral("tcp")));
        QM_WAIT_VERIFY(read.count() == 1 && rig.transferDone(), 30000);

        const QString warning = QStringLiteral("读写参数超时,请检查连接");
        int completed = 0, mismatches = 0, incomplete = 0;
        QElapsedTimer clock;
        clock.start();
        for (int cycle = 0; cycle < 5 && clock.elapsed() < 60000; ++cycle) {
            const QVector<AreaRecord> areas = exactAreas(cycle * 5 + 1);
            const int warningsBefore = rig.boxesSaying(warning);
            const int readsBefore = read.count();
            rig.data.Areas = areas;
            *rig.window->parameters() = someParameters(cycle);
            rig.action("WriteAllSetting")->trigger();
            QM_WAIT_VERIFY(rig.transferDone(), 60000);
            rig.data.Areas = QVector<AreaRecord>(64);
            rig.action("ReadAllSetting")->trigger();
            QM_WAIT_VERIFY((read.count() > readsBefore || rig.boxesSaying(warning) > warningsBefore)
                                         && rig.transferDone(),
                                     60000);
            if (!rig.transferDone())
                qWarning("stuck: pending %d read %d write %d flags %d%d%d%d%d%d\n%s", rig.link()->pendingCommand(),
                         rig.link()->readAreaIndex(), rig.link()->writeAreaIndex(),
                         rig.link()->isRequested(SERIAL_COMM::ReadAreasRequest),
                         rig.link()->isRequested(SERIAL_COMM::ReadParamsRequest),
                         rig.link()->isRequested(SERIAL_COMM::ReadCasesRequest),
                         rig.link()->isRequested(SERIAL_COMM::InfoRequest),
                         rig.link()->isRequested(SERIAL_COMM::RebootRequest),
                         rig.link()->isRequested(SERIAL_COMM::WriteAreasRequest),
                         qPrintable(rig.emulator.log().right(3000)));
            if (rig.boxesSaying(warning) > warningsBefore) {
                ++incomplete;
                continue;
            }
            ++completed;
            QString why;
            if (!sameAreas(rig.data.Areas, areas, &why) || *rig.window->parameters() != someParameters(cycle)) {
                ++mismatches;
                qWarning("cycle %d: %s", cycle, qPrintable(why));
            }
        }
        const QString log = rig.emulator.log();
        qInfo("soak: %d cycles completed, %d cut off by time-outs, %d mismatches; faults injected: %lld dropped, "
              "%lld CRC corrupted, %lld delayed, %lld split, %lld with stray bytes; %lld ms",
              completed, incomplete, mismatches, qlonglong(log.count(QStringLiteral("dropped"))),
              qlonglong(log.count(QStringLiteral("CRC corrupted"))), qlonglong(log.count(QStringLiteral("delay "))),
              qlonglong(log.count(QStringLiteral("split in"))), qlonglong(log.count(QStringLiteral("stray bytes"))),
              qlonglong(clock.elapsed()));
        QVERIFY(completed >= 2);
        QCOMPARE(mismatches, 0);
    }
};

QTEST_MAIN(TestMainWindowLink)
#include "tst_mainwindow_link.moc"
