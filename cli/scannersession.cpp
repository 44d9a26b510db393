#include "scannersession.h"

#include "clitexts.h"
#include "consoledialogs.h"
#include "linkrecorder.h"
#include "linkdevices.h"
#include "sensordockwords.h"
#include "serial_comm.h"
#include "transfertexts.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace {
constexpr int kConnectTimeoutMs = 5000;
constexpr int kPollMs = 2;
constexpr int kRebootWaitMs = 20000;
} // namespace

ScannerSession::ScannerSession(const ScannerAddress &address, int language, ConsoleDialogs *dialogs)
    : m_address(address), m_language(language), m_dialogs(dialogs)
{
    m_link.ConnectionKind = address.ethernet() ? 1 : 0;
    m_link.EthernetMode = address.kind == ScannerAddress::Udp ? 1 : 0;
    m_dialogs->setHandler([this](DialogSeam::Icon icon, const QString &title, const QString &text) {
        return claimBox(int(icon), title, text);
    });
    auto lost = [this] {
        if (m_rebootDone || m_reconnecting)
            return; // the restart drops the connection
        if (m_awaitingBack) {
            m_droppedWhileBack = true; // not up yet: connect again
            return;
        }
        QIODevice *device = m_address.kind == ScannerAddress::Serial ? static_cast<QIODevice *>(&m_serial)
                          : m_address.kind == ScannerAddress::Tcp    ? static_cast<QIODevice *>(&m_tcp)
                                                                     : static_cast<QIODevice *>(&m_udp);
        fail(cliText(CliText::LinkLost, m_language).arg(m_address.text(), device->errorString()));
    };
    connect(&m_tcp, &QAbstractSocket::errorOccurred, this, lost);
    connect(&m_udp, &QAbstractSocket::errorOccurred, this, lost);
    connect(&m_serial, &QSerialPort::errorOccurred, this, [lost](QSerialPort::SerialPortError e) {
        if (e != QSerialPort::NoError)
            lost();
    });
}

ScannerSession::~ScannerSession()
{
    m_dialogs->setHandler({});
    if (m_comm) {
        m_comm->clearRequests();
        m_comm->stopTimeout();
    }
    m_tcp.disconnect(this);
    m_udp.disconnect(this);
    m_serial.disconnect(this);
    LinkDevices::closeAll(m_serial, m_tcp, m_udp);
}

void ScannerSession::fail(const QString &text)
{
    if (m_failed)
        return;
    m_failed = true;
    m_error = text;
    if (m_comm) {
        m_comm->clearRequests();
        m_comm->stopTimeout();
    }
    m_dialogs->progressClose();
}

bool ScannerSession::claimBox(int icon, const QString &title, const QString &text)
{
    auto is = [&](TransferMessage m) { return text == transferText(m, m_language).text; };
    const QString unknown = transferText(TransferMessage::UnknownStatus, m_language).text;
    const bool unknownStatus = !unknown.isEmpty() && text.startsWith(unknown.left(unknown.indexOf(QLatin1String("%1"))));
    if (is(TransferMessage::AreaRejected) || is(TransferMessage::BlockRejected) || is(TransferMessage::FlashError)
        || unknownStatus) {
        fail(cliText(CliText::WriteRejected, m_language).arg(m_address.text(), text));
        return true;
    }
    if (icon == int(DialogSeam::Icon::Warning)) {
        // The link's only warning on a checked configuration: its time-out
        // after the retries.
        fail(cliText(CliText::TimedOut, m_language).arg(m_address.text()));
        return true;
    }
    if (is(TransferMessage::ParametersAccepted)) {
        m_parametersAccepted = true;
        return true;
    }
    if (is(TransferMessage::RebootDone)) {
        m_rebootDone = true;
        return true;
    }
    if (icon != int(DialogSeam::Icon::Information))
        return false;
    if (title == transferText(TransferMessage::ProductTitle, m_language).title)
        m_productText = text;
    return true; // the other boxes say what the command reports itself
}

bool ScannerSession::open()
{
    bool opened = false;
    if (m_address.kind == ScannerAddress::Serial) {
        SerialLineSettings line;
        line.baudRate = m_address.baud;
        opened = LinkDevices::openSerial(m_serial, m_address.device, line);
        if (!opened) {
            m_error = cliText(CliText::OpenFailed, m_language).arg(m_address.text(), m_serial.errorString());
            return false;
        }
    } else {
        opened = LinkDevices::openEthernet(m_tcp, m_udp, m_link.EthernetMode, m_address.host, m_address.port);
        if (!opened) {
            const QString why = m_address.kind == ScannerAddress::Tcp ? m_tcp.errorString() : m_udp.errorString();
            m_error = cliText(CliText::ConnectFailed, m_language).arg(m_address.text(), why);
            return false;
        }
        QString why;
        if (m_address.kind == ScannerAddress::Tcp && !connectTcp(&why)) {
            m_error = cliText(CliText::ConnectFailed, m_language).arg(m_address.text(), why);
            return false;
        }
    }
    m_comm = std::make_unique<SERIAL_COMM>(&m_serial, &m_link, &m_data, &m_params, &m_control, &m_tcp, &m_udp);
    m_comm->setLanguage(m_language);
    // At once, not with the box after it: the scanner may close the
    // connection in the same read as its reply.
    connect(m_comm.get(), &SERIAL_COMM::ScannerRestarting, this, [this] { m_rebootDone = true; });
    // For tests of the tool: "TICK,TIMEOUT" in ms instead of the link's 20 and 2000.
    const QStringList intervals = qEnvironmentVariable("QM_TEST_LINK_INTERVALS").split(QLatin1Char(','));
    if (intervals.size() == 2 && intervals.at(0).toInt() > 0 && intervals.at(1).toInt() > 0)
        m_comm->setIntervalsForTest(intervals.at(0).toInt(), intervals.at(1).toInt());
    return true;
}

bool ScannerSession::connectTcp(QString *why)
{
    QEventLoop loop;
    QTimer::singleShot(int(qBound(qint64(0), m_deadline.remainingTime(), qint64(kConnectTimeoutMs))), &loop, &QEventLoop::quit);
    const auto c1 = connect(&m_tcp, &QAbstractSocket::connected, &loop, &QEventLoop::quit);
    const auto c2 = connect(&m_tcp, &QAbstractSocket::errorOccurred, &loop, &QEventLoop::quit);
    if (m_tcp.state() != QAbstractSocket::ConnectedState)
        loop.exec();
    disconnect(c1);
    disconnect(c2);
    if (m_tcp.state() != QAbstractSocket::ConnectedState) {
        *why = m_tcp.error() == QAbstractSocket::UnknownSocketError ? cliText(CliText::NoAnswer, m_language)
                                                                    : m_tcp.errorString();
        m_failed = false; // the loss handler saw the refusal: it is a connect failure
        m_error.clear();
        return false;
    }
    // One frame per tick: Nagle's delay would hold each back.
    m_tcp.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    return true;
}

bool ScannerSession::reconnectAfterReboot()
{
    if (m_address.kind != ScannerAddress::Tcp || !m_comm)
        return true;
    m_reconnecting = true;
    QElapsedTimer clock;
    clock.start();
    // The scanner drops us a moment after its reply.
    waitFor([this, &clock] { return m_tcp.state() == QAbstractSocket::UnconnectedState || clock.elapsed() > 1000; });
    QString why;
    bool connected = false;
    while (!connected && clock.elapsed() < kRebootWaitMs && !m_deadline.hasExpired()) {
        m_tcp.abort();
        LinkDevices::openEthernet(m_tcp, m_udp, 0, m_address.host, m_address.port);
        connected = connectTcp(&why);
        if (!connected)
            waitFor([&clock, start = clock.elapsed()] { return clock.elapsed() - start > 200; });
    }
    m_reconnecting = false;
    m_rebootDone = false;
    m_comm->CloseSerialPortSlots();
    if (!connected)
        fail(cliText(CliText::ConnectFailed, m_language).arg(m_address.text(), why));
    return connected;
}

bool ScannerSession::waitUntilBack()
{
    // Restarting, a scanner may take a connection and drop it at once: it
    // is back once it answers on one (a few such drops are tolerated).
    m_awaitingBack = true;
    bool back = false;
    for (int drops = 0; !back && !m_failed && drops <= SERIAL_COMM::MaxRetries && reconnectAfterReboot(); ++drops) {
        m_droppedWhileBack = false;
        m_productText = QString();
        m_comm->SensorInformationSlots();
        back = waitFor([this] { return !m_productText.isNull() || m_droppedWhileBack; }) && !m_droppedWhileBack;
        if (m_droppedWhileBack) {
            QElapsedTimer pause;
            pause.start();
            waitFor([&pause] { return pause.elapsed() > 200; });
        }
    }
    m_awaitingBack = false;
    if (!back)
        fail(cliText(CliText::LinkLost, m_language).arg(m_address.text(), m_tcp.errorString()));
    return back;
}

bool ScannerSession::waitFor(const std::function<bool()> &done)
{
    if (!m_comm)
        return false;
    bool finished = false;
    auto over = [&] {
        if (!m_failed && !m_stopped && m_deadline.hasExpired())
            fail(cliText(CliText::DeadlinePassed, m_language).arg(m_address.text()));
        finished = !m_failed && !m_stopped && done();
        return finished || m_failed || m_stopped;
    };
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(kPollMs);
    connect(&poll, &QTimer::timeout, &loop, [&] {
        if (over())
            loop.quit();
    });
    poll.start();
    if (!over())
        loop.exec();
    if (m_stopped && !finished && !m_failed)
        m_interrupted = true;
    return finished;
}

bool ScannerSession::readAll(Configuration *config)
{
    if (!m_comm)
        return false;
    m_productText = QString(); // the silent product request after the areas is no box
    m_comm->ReadSensorAllDataSlots();
    const bool ok = waitFor([this] {
        return !m_comm->isRequested(SERIAL_COMM::ReadParamsRequest) && !m_comm->isRequested(SERIAL_COMM::ReadCasesRequest)
            && !m_comm->isRequested(SERIAL_COMM::ReadAreasRequest) && !m_comm->isRequested(SERIAL_COMM::InfoRequest)
            && m_comm->pendingCommand() == 0;
    });
    m_dialogs->progressClose();
    if (!ok)
        return false;
    config->deviceClass = -1;
    config->rows = SensorDockWords::rowsOfWords(m_params);
    config->words = m_params;
    config->areas = m_data.Areas;
    return true;
}

bool ScannerSession::writeAll(const Configuration &config, bool reboot)
{
    if (!m_comm)
        return false;
    m_params = SensorDockWords::wordsOfRows(config.rows, SensorParameters::defaults());
    m_data.Areas = config.areas;
    // The zones go out mirrored when the configuration says the scanner
    // hangs upside down, whatever the scanner said before.
    m_link.DirectionReversed = config.reversed();
    m_parametersAccepted = false;
    m_rebootDone = false;
    m_dialogs->setRestartAnswer(reboot);
    m_comm->WriteSensorAllDataSlots();
    const bool ok = waitFor([this, reboot] {
        if (!m_parametersAccepted || !m_dialogs->restartAsked())
            return false;
        return !reboot || m_rebootDone;
    });
    m_dialogs->progressClose();
    return ok;
}

bool ScannerSession::info(QString *text)
{
    if (!m_comm)
        return false;
    m_productText = QString();
    m_comm->SensorInformationSlots();
    if (!waitFor([this] { return !m_productText.isNull(); }))
        return false;
    *text = m_productText;
    return true;
}

std::optional<ProductInfo> ScannerSession::product() const
{
    return m_comm ? m_comm->productInfo() : std::nullopt;
}

bool ScannerSession::watch(int seconds, const std::function<void(const Status &)> &line)
{
    if (!m_comm)
        return false;
    Status s;
    connect(m_comm.get(), &SERIAL_COMM::SelfCheckStatus, this,
            [&s](short t, ushort speed, ushort drive, ushort send, ushort receive) {
                s.temperature = t;
                s.speed = speed;
                s.drive = drive;
                s.send = send;
                s.receive = receive;
            });
    connect(m_comm.get(), &SERIAL_COMM::IOPortSignals, this, [&s, &line](uint in, uint out, uint status) {
        s.inputs = in & 0xFF;
        s.outputs = out & 0xFF;
        s.status = status;
        line(s);
    });
    m_comm->OpenSendReadSimulation();
    const bool ok = runFor(seconds);
    m_comm->CloseSendReadSimulation();
    disconnect(m_comm.get(), nullptr, this, nullptr);
    return ok;
}

void ScannerSession::stop() { m_stopped = true; }

bool ScannerSession::runFor(int seconds)
{
    QTimer end;
    end.setSingleShot(true);
    connect(&end, &QTimer::timeout, this, &ScannerSession::stop);
    // The time asked for is the command's own; the deadline bounds what
    // comes before and after it.
    const QDeadlineTimer deadline = m_deadline;
    if (seconds > 0) {
        end.start(seconds * 1000);
        m_deadline = deadline.isForever() ? deadline : QDeadlineTimer(deadline.remainingTime() + seconds * 1000LL);
    } else {
        m_deadline = QDeadlineTimer(QDeadlineTimer::Forever);
    }
    waitFor([] { return false; });
    m_interrupted = false; // stopping is how it ends
    return !m_failed;
}

bool ScannerSession::record(const QString &path, int seconds, qint64 *bytes)
{
    QString text;
    if (!info(&text))
        return false;
    m_comm->raiseRequest(SERIAL_COMM::ReadParamsRequest);
    if (!waitFor([this] { return !m_comm->isRequested(SERIAL_COMM::ReadParamsRequest) && m_comm->pendingCommand() == 0; }))
        return false;
    RecordingHeader header;
    header.connectionKind = m_link.ConnectionKind;
    header.ethernetMode = m_link.EthernetMode;
    header.startMsUtc = QDateTime::currentMSecsSinceEpoch();
    if (const std::optional<ProductInfo> product = m_comm->productInfo()) {
        header.productKnown = true;
        header.product = *product;
    }
    header.parametersKnown = m_comm->parametersRead();
    header.parameters = m_params;
    LinkRecorder recorder;
    QString why;
    if (!recorder.start(path, header, &why)) {
        fail(cliText(CliText::FileNotWritten, m_language).arg(path, why));
        return false;
    }
    connect(&recorder, &LinkRecorder::failed, this, [this, &path](const QString &reason) {
        fail(cliText(CliText::FileNotWritten, m_language).arg(path, reason));
    });
    m_comm->attachRecorder(&recorder);
    m_comm->OpenSendReadScanf();
    m_comm->OpenSendReadSimulation();
    bool ok = runFor(seconds);
    m_comm->CloseSendReadScanf();
    m_comm->CloseSendReadSimulation();
    m_comm->attachRecorder(nullptr);
    if (!recorder.holdsTraffic()) {
        // Nothing came before the end: the file of that name is left alone.
        recorder.discard();
        m_interrupted = ok;
        return false;
    }
    if (!recorder.stop(&why) && ok) {
        fail(cliText(CliText::FileNotWritten, m_language).arg(path, why));
        ok = false;
    }
    *bytes = recorder.bytesWritten();
    return ok;
}
