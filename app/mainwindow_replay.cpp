// The main window's side of recordings: recording the link while connected,
// and replaying a recording into the link with no scanner attached, with
// the replay controls in a dock of their own.

#include "mainwindow.h"

#include "dialogseam.h"
#include "languagetext.h"
#include "linkrecorder.h"
#include "option_scene.h"
#include "paint_outline.h"
#include "paint_strength.h"
#include "replaybar.h"
#include "replayplayer.h"
#include "serial_comm.h"
#include "ui_mainwindow.h"
#include "whatif.h"
#include "whatiftimeline.h"

#include <QDateTime>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>
#include <QThread>
#include <QTimer>

namespace {
using LanguageText::pick;
const char kFilterZh[] = "录制文件 (*.qmrec)";
const char kFilterEn[] = "Recordings (*.qmrec)";
} // namespace

void MainWindow::createReplay()
{
    m_recorder = new LinkRecorder(this);
    m_player = new ReplayPlayer(link, m_link, this);
    m_replayBar = new ReplayBar(m_player);
    m_timeline = new WhatIfTimeline;
    m_timeline->setObjectName(QStringLiteral("WhatIfTimeline"));
    m_replayBar->setTimeline(m_timeline);
    ReplayDock = new QDockWidget(this);
    ReplayDock->setObjectName(QStringLiteral("ReplayDock"));
    ReplayDock->setWidget(m_replayBar);
    ReplayDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::BottomDockWidgetArea, ReplayDock);
    ReplayDock->hide();
    m_recordLabel = new QLabel(this);
    m_recordLabel->setObjectName(QStringLiteral("RecordingLabel"));
    m_recordLabel->hide();
    statusBar()->addPermanentWidget(m_recordLabel);
    m_recordTick.setInterval(500);
    connect(&m_recordTick, &QTimer::timeout, this, &MainWindow::showRecordingState);

    connect(ui->OpenRecording, &QAction::triggered, this, &MainWindow::OpenRecordingSlot);
    connect(ui->StartRecording, &QAction::triggered, this, &MainWindow::StartRecordingSlot);
    connect(ui->StopRecording, &QAction::triggered, this, &MainWindow::StopRecordingSlot);
    connect(m_replayBar, &ReplayBar::closeRequested, this, &MainWindow::CloseRecordingSlot);
    connect(m_replayBar, &ReplayBar::evaluateRequested, this, &MainWindow::evaluateRecording);
    connect(m_player, &ReplayPlayer::positionChanged, m_timeline, &WhatIfTimeline::setPosition);
    // A click on the timeline shows that scan, paused, as the scanner saw it.
    connect(m_timeline, &WhatIfTimeline::scanClicked, this, [this](int scan) {
        const QVector<WhatIfScan> &scans = m_timeline->result().scans;
        if (scan < 0 || scan >= scans.size())
            return;
        m_player->pause();
        m_player->seek(scans.at(scan).timeUs);
    });
    connect(m_recorder, &LinkRecorder::failed, this, [this](const QString &reason) {
        link->attachRecorder(nullptr);
        updateRecordingActions();
        DialogSeam::current()->ask(DialogSeam::Icon::Warning, pick(LanguageFlag, "录制", "Recording"),
                                   pick(LanguageFlag, "录制已停止, 文件无法继续写入: ", "The recording stopped; "
                                                                                       "the file cannot be written: ")
                                       + reason,
                                   {pick(LanguageFlag, "确定", "OK")});
    });
    retranslateReplay(LanguageFlag);
    updateRecordingActions();
}

bool MainWindow::isReplaying() const { return m_player && m_player->isOpen(); }

bool MainWindow::isRecording() const { return m_recorder && m_recorder->isRecording(); }

void MainWindow::updateRecordingActions()
{
    const bool connected = isConnected();
    ui->StartRecording->setEnabled(connected && !isRecording());
    ui->StopRecording->setEnabled(isRecording());
    ui->OpenRecording->setEnabled(!connected);
    if (!isRecording()) {
        m_recordTick.stop();
        m_recordLabel->hide();
    }
}

void MainWindow::StartRecordingSlot()
{
    if (!isConnected() || isRecording())
        return;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString path = DialogSeam::current()->saveFileName(
        pick(LanguageFlag, "开始录制", "Start Recording"), stamp + QStringLiteral(".qmrec"),
        pick(LanguageFlag, kFilterZh, kFilterEn));
    if (path.isEmpty())
        return;
    RecordingHeader header;
    header.connectionKind = m_link->ConnectionKind;
    header.ethernetMode = m_link->EthernetMode;
    header.startMsUtc = QDateTime::currentMSecsSinceEpoch();
    if (const std::optional<ProductInfo> product = link->productInfo()) {
        header.productKnown = true;
        header.product = *product;
    }
    header.parametersKnown = link->parametersRead();
    header.parameters = *Parameters;
    QString why;
    if (!m_recorder->start(path, header, &why)) {
        DialogSeam::current()->ask(DialogSeam::Icon::Warning, pick(LanguageFlag, "开始录制", "Start Recording"),
                                   pick(LanguageFlag, "无法写入文件: ", "The file cannot be written: ") + why,
                                   {pick(LanguageFlag, "确定", "OK")});
        return;
    }
    link->attachRecorder(m_recorder);
    m_recordLabel->show();
    m_recordTick.start();
    showRecordingState();
    updateRecordingActions();
}

void MainWindow::StopRecordingSlot()
{
    if (!isRecording())
        return;
    link->attachRecorder(nullptr);
    const QString path = m_recorder->path();
    QString why;
    const bool saved = m_recorder->stop(&why);
    updateRecordingActions();
    if (saved) {
        statusBar()->showMessage(pick(LanguageFlag, "录制已保存: ", "Recording saved: ") + path, 8000);
        return;
    }
    // A disconnect stops the recording too, maybe from inside the link's
    // handlers: the box waits for the event loop.
    const QString text = pick(LanguageFlag, "录制文件无法正确结束 (%1): %2\n文件只包含此前写入的内容。",
                              "The recording could not be ended properly (%1): %2\n"
                              "The file holds what was written before.")
                             .arg(path, why);
    QTimer::singleShot(0, this, [this, text] {
        DialogSeam::current()->ask(DialogSeam::Icon::Warning, pick(LanguageFlag, "录制", "Recording"), text,
                                   {pick(LanguageFlag, "确定", "OK")});
    });
}

void MainWindow::showRecordingState()
{
    const qint64 s = m_recorder->elapsedUs() / 1000000;
    m_recordLabel->setText(QStringLiteral("● %1 %2:%3  %4 MB")
                               .arg(pick(LanguageFlag, "录制", "REC"))
                               .arg(s / 60, 2, 10, QLatin1Char('0'))
                               .arg(s % 60, 2, 10, QLatin1Char('0'))
                               .arg(double(m_recorder->bytesWritten()) / 1e6, 0, 'f', 1));
}

void MainWindow::OpenRecordingSlot()
{
    if (isConnected())
        return; // one source feeds the displays at a time
    const QString path = DialogSeam::current()->openFileName(pick(LanguageFlag, "打开录制文件", "Open Recording"),
                                                             QString(), pick(LanguageFlag, kFilterZh, kFilterEn));
    if (!path.isEmpty())
        openRecording(path);
}

bool MainWindow::openRecording(const QString &path)
{
    CloseRecordingSlot();
    QString message;
    // The link's messages count their languages the other way round.
    const bool opened = m_player->open(path, &message, LanguageFlag == 1 ? 0 : 1);
    if (!message.isEmpty())
        DialogSeam::current()->ask(opened ? DialogSeam::Icon::Information : DialogSeam::Icon::Warning,
                                   pick(LanguageFlag, "打开录制文件", "Open Recording"), message,
                                   {pick(LanguageFlag, "确定", "OK")});
    if (!opened)
        return false;
    if (m_player->header().parametersKnown)
        DirChange(m_link->DirectionReversed);
    m_replayPath = path;
    m_replayBar->recordingOpened(QFileInfo(path).fileName());
    ReplayDock->show();
    statusBar()->showMessage(pick(LanguageFlag, "回放: ", "Replaying: ") + QFileInfo(path).fileName());
    for (QAction *a : {ui->SerialConnection, ui->EthernetConnection, ui->Connection})
        a->setEnabled(false);
    for (QAction *a : {ui->IOSimulation, ui->SelfCheck})
        a->setEnabled(true);
    setDataTableAvailable(true);
    OpenCloseReadScanf(ui->Distance->isChecked());
    OpenCloseReadIntensity(ui->Intensity->isChecked());
    updateRecordingActions();
    evaluateRecording();
    return true;
}

void MainWindow::CloseRecordingSlot()
{
    if (!isReplaying())
        return;
    cancelWhatIf();
    m_player->close();
    m_timeline->setResult({});
    m_replayBar->setSummary(QString());
    ReplayDock->hide();
    // Back to a window with nothing connected.
    CloseSerialPort();
    updateRecordingActions();
}

void MainWindow::retranslateReplay(int flag)
{
    m_replayBar->setLanguage(flag);
    ReplayDock->setWindowTitle(pick(flag, "回放", "Replay"));
    if (isRecording())
        showRecordingState();
    showWhatIfSummary();
}

void MainWindow::cancelWhatIf()
{
    if (m_whatIfCancel)
        m_whatIfCancel->store(true);
    if (m_whatIfThread)
        m_whatIfThread->wait();
}

// The project's zones against every recorded scan, on a thread of its own:
// an hour of the densest stream takes most of a minute.
void MainWindow::evaluateRecording()
{
    if (!isReplaying())
        return;
    cancelWhatIf();
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    m_whatIfCancel = cancel;
    auto result = std::make_shared<WhatIfResult>();
    auto failure = std::make_shared<QString>();
    m_whatIfFailure = QString();
    const QString path = m_replayPath;
    const QVector<AreaRecord> areas = m_data->Areas;
    const bool reversed = m_link->DirectionReversed;
    // Whatever the evaluation throws (memory running out on a hostile file)
    // stays on its thread and is told as a failure: the window and its
    // unsaved project outlive it.
    QThread *thread = QThread::create([=] {
        try {
            *result = whatIfOfRecording(path, areas, reversed, cancel.get());
        } catch (const std::exception &e) {
            *failure = QString::fromLocal8Bit(e.what());
        } catch (...) {
            *failure = QStringLiteral("?");
        }
    });
    m_whatIfThread = thread;
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(thread, &QThread::finished, this, [this, cancel, result, failure] {
        if (cancel->load() || !isReplaying())
            return;
        m_timeline->setResult(failure->isNull() ? *result : WhatIfResult());
        m_whatIfFailure = *failure;
        showWhatIfSummary();
    });
    m_replayBar->setSummary(pick(LanguageFlag, "正在评估区域…", "Evaluating the zones…"));
    thread->start();
}

void MainWindow::showWhatIfSummary()
{
    if (!isReplaying() || (m_whatIfThread && m_whatIfThread->isRunning()))
        return;
    const WhatIfResult &r = m_timeline->result();
    QString text;
    if (!m_whatIfFailure.isNull())
        text = pick(LanguageFlag, "无法评估区域: %1", "The zones could not be evaluated: %1").arg(m_whatIfFailure);
    else if (r.compared == 0)
        text = pick(LanguageFlag, "录制中没有可比较的 IO 状态: 录制时请打开 IO 仿真或自检。",
                    "The recording holds no IO status to compare with: record with IO simulation or self-check open.");
    else if (r.agrees())
        text = pick(LanguageFlag, "工程的区域与扫描仪在全部 %1 次比较的扫描中一致。",
                    "The project's zones agree with the scanner on all %1 compared scans.")
                   .arg(r.compared);
    else
        text = pick(LanguageFlag, "%1 / %2 次比较的扫描不一致 (红色标记); 点击标记可跳到该扫描。",
                    "%1 of %2 compared scans disagree (red marks); click a mark to go to that scan.")
                   .arg(r.disagreeing)
                   .arg(r.compared);
    m_replayBar->setSummary(text);
}
