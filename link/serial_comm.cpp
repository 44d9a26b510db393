#include "serial_comm.h"

#include "areaframe.h"
#include "devicetype.h"
#include "dialogseam.h"
#include "editdata.h"
#include "framing.h"
#include "traffictap.h"

#include <QAbstractSocket>
#include <QSerialPort>
#include <QTcpSocket>
#include <QUdpSocket>

#include <algorithm>
#include <cstring>

SERIAL_COMM::SERIAL_COMM(QSerialPort *serialPort, LinkState *linkState, EditData *editData,
                         SensorParameters *parameters, ScanControl *scanControl, QTcpSocket *tcpSocket,
                         QUdpSocket *udpSocket, QObject *parent)
    : QObject(parent)
    , Link(linkState)
    , Edit(editData)
    , SerialPort(serialPort)
    , Parameters(parameters)
    , Control(scanControl)
    , TcpSocket(tcpSocket)
    , UdpSocket(udpSocket)
{
    if (Link)
        Link->DirectionReversed = false;

    connect(&ScanTimer, &QTimer::timeout, this, &SERIAL_COMM::ReadScanfTime);
    connect(&IntensityTimer, &QTimer::timeout, this, &SERIAL_COMM::ReadIntensityTime);
    connect(&SimulationTimer, &QTimer::timeout, this, &SERIAL_COMM::ReadSimulationTime);
    OvertimeTimer.setInterval(OvertimeInterval);
    OvertimeTimer.setTimerType(Qt::PreciseTimer); // a coarse timer may fire 100 ms early
    connect(&OvertimeTimer, &QTimer::timeout, this, &SERIAL_COMM::ReadWriteOverTime);
    WriteMask.fill(true); // a write-all unless a write names its areas
    SendTimer.setInterval(SendInterval);
    connect(&SendTimer, &QTimer::timeout, this, &SERIAL_COMM::SerialPortSendData);
    SendTimer.start();

    if (SerialPort)
        connect(SerialPort, &QIODevice::readyRead, this, &SERIAL_COMM::SerialPortReceiveData);
    if (TcpSocket)
        connect(TcpSocket, &QIODevice::readyRead, this, &SERIAL_COMM::SerialPortReceiveData);
    if (UdpSocket)
        connect(UdpSocket, &QIODevice::readyRead, this, &SERIAL_COMM::SerialPortReceiveData);
}

SERIAL_COMM::~SERIAL_COMM() = default;

void SERIAL_COMM::setLanguage(int language) { Language = language; }

void SERIAL_COMM::setDeviceClass(int deviceClass)
{
    if (DeviceClasses::isValid(deviceClass))
        MaxRange = DeviceClasses::maxRange(deviceClass);
}

void SERIAL_COMM::stopTimeout()
{
    OvertimeTimer.stop();
    RetryCount = 0;
}

void SERIAL_COMM::clearRequests()
{
    PendingCommand = 0;
    clearAllFlags();
    // A transfer cut off by a disconnect must not resume half-way through the
    // areas on the next connection.
    ReadAreaIndex = 0;
    WriteAreaIndex = 0;
    WriteRefusals = 0;
    StalledAt = -1;
    Stalls = 0;
    WriteMask.fill(true);
    EndsWithoutParameters = false;
    abandonCopyRead();
}

void SERIAL_COMM::abandonCopyRead()
{
    if (!CopyReading)
        return;
    CopyReading = false;
    emit ReadCopyFinished(false);
}

bool SERIAL_COMM::transferRunning() const
{
    for (Request r : {RebootRequest, ReadAreasRequest, WriteAreasRequest, ReadParamsRequest, WriteParamsRequest,
                      ReadCasesRequest, WriteCasesRequest})
        if (isRequested(r))
            return true;
    return CopyReading || Restarting;
}

void SERIAL_COMM::clearAllFlags() { RequestFlags.fill(0); }

void SERIAL_COMM::setIntervalsForTest(int sendMs, int overtimeMs)
{
    SendTimer.setInterval(sendMs);
    OvertimeTimer.setInterval(overtimeMs);
}

bool SERIAL_COMM::writeReversed() const
{
    // The zones go for the install direction of the parameter block written
    // with them, whatever the scanner reported before: an edited direction
    // must not leave them mirrored for the other one.
    if (Parameters)
        return Parameters->Words[SensorParameters::InstallDirectionWord] != 0;
    return Link && Link->DirectionReversed;
}

bool SERIAL_COMM::ethernet() const { return Link && Link->ConnectionKind == 1; }

QIODevice *SERIAL_COMM::selectedDevice() const
{
    if (!Link)
        return nullptr;
    if (Link->ConnectionKind == 0)
        return SerialPort;
    if (Link->ConnectionKind == 1) {
        if (Link->EthernetMode == 0)
            return TcpSocket;
        if (Link->EthernetMode == 1)
            return UdpSocket;
    }
    return nullptr;
}

bool SERIAL_COMM::deviceReady() const
{
    const QIODevice *device = selectedDevice();
    if (!device || !device->isOpen())
        return false;
    const auto *socket = qobject_cast<const QAbstractSocket *>(device);
    return !socket || socket->state() != QAbstractSocket::UnconnectedState;
}

// ---- Sending -------------------------------------------------------------------

void SERIAL_COMM::sendFrame(const QByteArray &frame, int code)
{
    // Nowhere to send: nothing goes out and nothing waits for an answer.
    if (!deviceReady())
        return;
    // Encoders build the frame with its CRC; the largest is 1264 bytes.
    TxLength = qMin(frame.size(), TxCapacity);
    std::memcpy(TxBuffer.data(), frame.constData(), size_t(TxLength));
    if (code != 0)
        PendingCommand = code;
    OvertimeTimer.start();
    selectedDevice()->write(TxBuffer.data(), TxLength);
    if (Recorder)
        Recorder->sent(QByteArray(TxBuffer.data(), TxLength));
}

void SERIAL_COMM::sendRequest(Command command)
{
    QByteArray frame;
    switch (command) {
    case Command::WPara:
        if (Parameters)
            frame = encodeParameterBlock(Command::WPara, *Parameters);
        break;
    case Command::WCase:
        if (Edit)
            frame = encodeCaseTable(Command::WCase, caseTableOf(Edit->Areas));
        break;
    case Command::WSimu:
        if (Edit)
            frame = encodeWSimuRequest(SimulationFrame::of(*Edit));
        break;
    case Command::SCtrl:
        if (Control)
            frame = encodeSCtrlRequest(*Control);
        break;
    default:
        frame = encodeSimpleRequest(command);
        break;
    }
    if (!frame.isEmpty())
        sendFrame(frame, int(command));
}

void SERIAL_COMM::stopStreamIfEthernet()
{
    if (ethernet() && idle())
        sendFrame(encodeRAuto(0), 0);
}

void SERIAL_COMM::SerialPortSendData()
{
    if (Replaying)
        return;
    if (!deviceReady()) {
        // A request raised while no device is open is dropped, not kept for
        // whatever device opens next.
        clearRequests();
        return;
    }
    if (isRequested(RebootRequest)) {
        if (idle())
            sendRequest(Command::RBoot);
    } else if (isRequested(ReadParamsRequest)) {
        if (idle())
            sendRequest(Command::RPara);
    } else if (isRequested(WriteAreasRequest)) {
        writeAreaStep();
    } else if (isRequested(ReadCasesRequest)) {
        if (idle())
            sendRequest(Command::RCase);
    } else if (isRequested(WriteCasesRequest)) {
        if (idle())
            sendRequest(Command::WCase);
    } else if (isRequested(InfoRequest)) {
        if (idle())
            sendRequest(Command::RPrda);
    } else if (isRequested(ReadAreasRequest)) {
        readAreaStep();
    } else if (isRequested(WriteParamsRequest)) {
        if (idle())
            sendRequest(Command::WPara);
    } else if (isRequested(SimulationRequest)) {
        if (idle())
            sendRequest(Command::WSimu);
    } else if (isRequested(ControlRequest)) {
        if (idle())
            sendRequest(Command::SCtrl);
    } else if (isRequested(ScanRequest)) {
        if (idle()) {
            if (ethernet()) {
                sendFrame(encodeRAuto(1), 0);
                clear(ScanRequest);
            } else {
                sendRequest(Command::RScan);
            }
        }
    } else if (isRequested(IntensityRequest)) {
        if (ethernet())
            clear(IntensityRequest); // intensities come with the distances
        else if (idle())
            sendRequest(Command::RStre);
    }
}

void SERIAL_COMM::readAreaStep()
{
    if (!idle() || ReadAreaIndex > 63)
        return;
    sendFrame(encodeRAreaRequest(ReadAreaIndex), int(Command::RArea));
    showProgress(TransferMessage::UploadTitle);
}

void SERIAL_COMM::showProgress(TransferMessage title)
{
    const TransferText t = transferText(title, Language);
    if (!t.isEmpty())
        DialogSeam::current()->progressShow(t.title, 64);
}

void SERIAL_COMM::afterReceive(std::function<void()> boxes) { QTimer::singleShot(0, this, std::move(boxes)); }

int SERIAL_COMM::tell(TransferMessage message, DialogSeam::Icon icon, const QString &argument)
{
    const TransferText t = transferText(message, Language);
    if (t.isEmpty())
        return -1;
    return DialogSeam::current()->ask(icon, t.title, argument.isNull() ? t.text : t.text.arg(argument), t.buttons, 0);
}

void SERIAL_COMM::tellRefusal(int status, TransferMessage rejected)
{
    if (status == 1)
        tell(rejected);
    else if (status == 2)
        tell(TransferMessage::FlashError);
    else
        tell(TransferMessage::UnknownStatus, DialogSeam::Icon::Information, QString::number(status));
}

void SERIAL_COMM::abandonWrite()
{
    clear(WriteAreasRequest);
    clear(WriteCasesRequest);
    clear(WriteParamsRequest);
    WriteAreaIndex = 0;
    WriteRefusals = 0;
    WriteMask.fill(true);
    EndsWithoutParameters = false;
    DialogSeam::current()->progressClose();
}

void SERIAL_COMM::skipUnwrittenAreas()
{
    while (WriteAreaIndex < 64 && !WriteMask[size_t(WriteAreaIndex)])
        ++WriteAreaIndex;
}

void SERIAL_COMM::areasWritten()
{
    WriteAreaIndex = 0;
    clear(WriteAreasRequest);
    WriteMask.fill(true);
    finishWriteWithoutParameters();
}

void SERIAL_COMM::writeAreaStep()
{
    if (!idle() || WriteAreasHeld)
        return;
    skipUnwrittenAreas();
    if (WriteAreaIndex >= 64) {
        areasWritten(); // nothing (left) to send
        return;
    }
    if (!Edit)
        return;
    const AreaEncodeResult result = encodeAreaBlock(Command::WArea, WriteAreaIndex, Edit->Areas.at(WriteAreaIndex),
                                                    writeReversed());
    if (!result.ok()) {
        // The model changed after the download was checked: stop it here
        // rather than send a zone the scanner would store differently.
        clear(WriteAreasRequest);
        clear(WriteCasesRequest);
        clear(WriteParamsRequest);
        WriteAreaIndex = 0;
        WriteMask.fill(true);
        EndsWithoutParameters = false;
        const QString text = result.error.message(Language);
        if (!text.isEmpty())
            DialogSeam::current()->ask(DialogSeam::Icon::Warning,
                                       Language == 1 ? QStringLiteral("警告") : QStringLiteral("Warning"), text,
                                       {QStringLiteral("OK")});
        return;
    }
    showProgress(TransferMessage::DownloadTitle);
    sendFrame(result.frame, int(Command::WArea));
}

// ---- Time-out --------------------------------------------------------------------

void SERIAL_COMM::ReadWriteOverTime()
{
    const int at = PendingCommand == int(Command::RArea)   ? ReadAreaIndex
                 : PendingCommand == int(Command::WArea) ? 64 + WriteAreaIndex
                                                           : -1;
    ReadAreaIndex = 0;
    WriteAreaIndex = 0;
    PendingCommand = 0;
    // A scanner restarting on request is silent for a while: that silence
    // re-sends without counting towards giving up.
    if (Restarting && RestartClock.elapsed() < RestartWaitMs)
        return;
    ++RetryCount;
    if (at >= 0 && at == StalledAt) {
        ++Stalls;
    } else {
        StalledAt = at;
        Stalls = 0;
    }
    if (RetryCount <= MaxRetries && Stalls < MaxRetries)
        return;
    RetryCount = 0;
    StalledAt = -1;
    Stalls = 0;
    clearAllFlags();
    WriteMask.fill(true);
    EndsWithoutParameters = false;
    abandonCopyRead();
    ScanTimer.stop();
    IntensityTimer.stop();
    SimulationTimer.stop();
    OvertimeTimer.stop();
    DialogSeam::current()->progressClose();
    if (Language == 1)
        DialogSeam::current()->ask(DialogSeam::Icon::Warning, QStringLiteral("警告"),
                                   QStringLiteral("读写参数超时,请检查连接"), {QStringLiteral("OK")});
    else if (Language == 0)
        DialogSeam::current()->ask(DialogSeam::Icon::Warning, QStringLiteral("Warning"),
                                   QStringLiteral("Connect OverTimer, Check Connect"), {QStringLiteral("OK")});
}

void SERIAL_COMM::replyAccepted()
{
    OvertimeTimer.stop();
    RetryCount = 0;
    if (Restarting) {
        Restarting = false;
        emit ScannerBack();
    }
}

// ---- Receiving ---------------------------------------------------------------------

void SERIAL_COMM::SerialPortReceiveData()
{
    QIODevice *device = selectedDevice();
    if (!device || !device->isOpen())
        return;
    QByteArray bytes;
    if (device == UdpSocket) {
        while (UdpSocket->hasPendingDatagrams()) {
            QByteArray datagram(int(qMax<qint64>(0, UdpSocket->pendingDatagramSize())), '\0');
            const qint64 n = UdpSocket->readDatagram(datagram.data(), datagram.size());
            if (n > 0)
                bytes.append(datagram.constData(), int(n));
        }
    } else {
        bytes = device->readAll();
    }
    if (Recorder)
        Recorder->received(bytes);
    receiveRead(bytes);
}

void SERIAL_COMM::receiveRead(const QByteArray &bytes)
{
    // A large read (a whole dense scan arrives as 51 kB) goes to the parsers
    // in pieces, so the buffer rule only ever cuts bytes no parser could take.
    int at = 0;
    do {
        const int n = qMin(kReadPiece, bytes.size() - at);
        receiveBytes(QByteArray::fromRawData(bytes.constData() + at, n));
        at += n;
    } while (at < bytes.size());
}

void SERIAL_COMM::receiveBytes(const QByteArray &bytes)
{
    RxBuffer.append(bytes);
    do {
        StaleReply = false;
        const QVector<ReceivedFrame> frames = takeReplies(RxBuffer, Link ? Link->ConnectionKind : -1);
        for (const ReceivedFrame &frame : frames)
            dispatch(frame);
    } while (StaleReply); // each pass took the stale reply out of the buffer
}

void SERIAL_COMM::setReplaying(bool replaying)
{
    Replaying = replaying;
    clearRequests();
    stopTimeout();
    RxBuffer.clear();
}

void SERIAL_COMM::dispatch(const ReceivedFrame &frame)
{
    if (Replaying && frame.command != Command::RScan && frame.command != Command::RStre
        && frame.command != Command::Hisn && frame.command != Command::WSimu)
        return;
    switch (frame.command) {
    case Command::RBoot: rebootReply(frame.bytes); break;
    case Command::RPrda: productReply(frame.bytes); break;
    case Command::RStre:
    case Command::RScan: samplesReply(frame.bytes, frame.command); break;
    case Command::RArea: readAreaReply(frame.bytes); break;
    case Command::WArea: writeAreaReply(frame.bytes); break;
    case Command::RPara: readParamsReply(frame.bytes); break;
    case Command::WPara: writeParamsReply(frame.bytes); break;
    case Command::RCase: readCasesReply(frame.bytes); break;
    case Command::WCase: writeCasesReply(frame.bytes); break;
    case Command::WSimu: simulationReply(frame.bytes); break;
    case Command::SCtrl: controlReply(frame.bytes); break;
    case Command::Hisn: hisnPacket(frame.bytes); break;
    case Command::RAuto: break;
    }
}

void SERIAL_COMM::CloseSerialPortSlots()
{
    RxBuffer.clear();
    Hisn.reset();
    LastProduct.reset();
    ParametersRead = false;
    Restarting = false;
    ++Generation;
    if (Link) {
        Link->NetWritePos = 0;
        Link->NetScanLength = 0;
    }
}

// ---- Streams and sequences started by the main window ----------------------------------

void SERIAL_COMM::OpenSendReadScanf()
{
    ScanTimer.setInterval(ethernet() ? 1000 : 50);
    ScanTimer.start();
}

void SERIAL_COMM::CloseSendReadScanf() { ScanTimer.stop(); }

void SERIAL_COMM::OpenSendReadIntensity()
{
    if (ethernet())
        return;
    IntensityTimer.setInterval(50);
    IntensityTimer.start();
}

void SERIAL_COMM::CloseSendReadIntensity() { IntensityTimer.stop(); }

void SERIAL_COMM::OpenSendReadSimulation()
{
    SimulationTimer.setInterval(200);
    SimulationTimer.start();
}

void SERIAL_COMM::CloseSendReadSimulation() { SimulationTimer.stop(); }

void SERIAL_COMM::ReadScanfTime() { raiseRequest(ScanRequest); }

void SERIAL_COMM::ReadIntensityTime() { raiseRequest(IntensityRequest); }

void SERIAL_COMM::ReadSimulationTime()
{
    raiseRequest(SimulationRequest);
    if (Control && Control->Enabled)
        raiseRequest(ControlRequest);
}

void SERIAL_COMM::SensorRebootSlots() { raiseRequest(RebootRequest); }

void SERIAL_COMM::SensorInformationSlots() { raiseRequest(InfoRequest); }

void SERIAL_COMM::ReadSensorAllDataSlots()
{
    stopStreamIfEthernet();
    // A read into the project takes over from a read into the copy.
    const bool tookOver = CopyReading;
    abandonCopyRead();
    if (!isRequested(ReadAreasRequest) || tookOver)
        ReadAreaIndex = 0; // a new read-all reads every area
    raiseRequest(ReadAreasRequest);
    raiseRequest(ReadCasesRequest);
    raiseRequest(ReadParamsRequest);
}

bool SERIAL_COMM::ReadSensorAllDataIntoCopy()
{
    if (transferRunning() || !deviceReady())
        return false;
    stopStreamIfEthernet();
    Copy = ScannerCopy();
    CopyReading = true;
    ReadAreaIndex = 0;
    raiseRequest(ReadAreasRequest);
    raiseRequest(ReadCasesRequest);
    raiseRequest(ReadParamsRequest);
    return true;
}

void SERIAL_COMM::WriteSensorAllDataSlots()
{
    std::array<bool, 64> all;
    all.fill(true);
    // Every area is checked before the first frame leaves: a download that
    // stopped half-way would leave the scanner with a mix of old and new zones.
    if (refuseDownloadIfUnsendable(all))
        return;
    stopStreamIfEthernet();
    // A new write-all writes every area, also over a write of some of them.
    if (!isRequested(WriteAreasRequest) || WriteMask != all) {
        WriteAreaIndex = 0;
        WriteRefusals = 0;
    }
    WriteMask = all;
    EndsWithoutParameters = false;
    raiseRequest(WriteAreasRequest);
    raiseRequest(WriteCasesRequest);
    raiseRequest(WriteParamsRequest);
}

bool SERIAL_COMM::writeSelected(const QVector<int> &areas, bool caseTable, bool parameters)
{
    std::array<bool, 64> mask{};
    for (int area : areas)
        if (area >= 0 && area < 64)
            mask[size_t(area)] = true;
    const bool anyArea = std::find(mask.begin(), mask.end(), true) != mask.end();
    if ((!anyArea && !caseTable && !parameters) || transferRunning() || !deviceReady())
        return false;
    if (refuseDownloadIfUnsendable(mask))
        return false;
    stopStreamIfEthernet();
    WriteMask = mask;
    WriteAreaIndex = 0;
    EndsWithoutParameters = !parameters;
    if (anyArea)
        raiseRequest(WriteAreasRequest);
    if (caseTable)
        raiseRequest(WriteCasesRequest);
    if (parameters)
        raiseRequest(WriteParamsRequest);
    return true;
}

bool SERIAL_COMM::refuseDownloadIfUnsendable(const std::array<bool, 64> &mask)
{
    if (!Edit)
        return true;
    const bool reversed = writeReversed();
    for (int i = 0; i < EditData::AreaCount && i < Edit->Areas.size(); ++i) {
        if (!mask[size_t(i)])
            continue;
        const AreaEncodeError error = checkAreaEncodable(i, Edit->Areas.at(i), reversed);
        if (!error)
            continue;
        const QString text = error.message(Language);
        if (!text.isEmpty())
            DialogSeam::current()->ask(DialogSeam::Icon::Warning,
                                       Language == 1 ? QStringLiteral("警告") : QStringLiteral("Warning"), text,
                                       {QStringLiteral("OK")});
        return true;
    }
    return false;
}
