// The reply parsers of SERIAL_COMM. Each runs on one reply the receive loop
// has already cut and CRC-checked; each decoder checks length, header and CRC
// once more, so a parser never trusts bytes it did not verify.
// They also drive the user-facing side of the transfers: progress, result
// boxes and the restart question, all through the dialog seam.

#include "serial_comm.h"

#include "areaframe.h"
#include "dialogseam.h"
#include "editdata.h"
#include "frames.h"

void SERIAL_COMM::rebootReply(const QByteArray &frame)
{
    if (!decodeStatusReply(frame, Command::RBoot))
        return;
    replyAccepted();
    PendingCommand = 0;
    clear(RebootRequest);
    Restarting = true;
    RestartClock.start();
    emit ScannerRestarting();
    afterReceive([this] { tell(TransferMessage::RebootDone); });
}

void SERIAL_COMM::productReply(const QByteArray &frame)
{
    const std::optional<ProductInfo> info = decodeProductReply(frame);
    if (!info)
        return;
    replyAccepted();
    LastProduct = *info;
    emit SensorTypeSignal(info->ProductType);
    const bool silent = SilentInfo;
    PendingCommand = 0;
    clear(InfoRequest);
    SilentInfo = false;
    if (!silent) {
        const TransferText title = transferText(TransferMessage::ProductTitle, Language);
        QString text = productInfoText(*info, Language);
        const QString note = ProductNote && !text.isEmpty() ? ProductNote() : QString();
        if (!note.isEmpty())
            text += QLatin1Char('\n') + note;
        if (!text.isEmpty())
            afterReceive([title, text] {
                DialogSeam::current()->ask(DialogSeam::Icon::Information, title.title, text, title.buttons);
            });
    }
}

void SERIAL_COMM::samplesReply(const QByteArray &frame, Command command)
{
    // Serial line only; the samples carry no CRC and are used as received.
    if (!Link || Link->ConnectionKind != 0)
        return;
    const std::optional<QVector<quint16>> samples = decodeSamplesReply(frame, command);
    if (!samples)
        return;
    const bool distances = command == Command::RScan;
    storeSerialSamples(*samples, Link->DirectionReversed, MaxRange,
                       distances ? Link->SerialDistances : Link->SerialIntensities);
    replyAccepted();
    if (distances)
        emit ReceiveScanfData();
    else
        emit ReceiveIntensityData();
    PendingCommand = 0;
    clear(distances ? ScanRequest : IntensityRequest);
}

void SERIAL_COMM::readAreaReply(const QByteArray &frame)
{
    const std::optional<AreaBlock> block = decodeAreaBlock(frame, Command::RArea);
    // Only the area asked for counts: a reply naming another one, or one that
    // came after its time-out, would put zones where they do not belong and
    // end the read an area short. Unanswered, the request goes again.
    if (!block)
        return;
    if (PendingCommand != int(Command::RArea) || block->Index != ReadAreaIndex) {
        StaleReply = true;
        return;
    }
    replyAccepted();
    // A reply naming an area above 63 changes no area but still counts, so
    // the transfer ends after 64 replies whatever the scanner sends. The
    // copy's areas are read with the direction the scanner itself reported
    // (its parameter block comes first).
    if (CopyReading && block->Index < Copy.areas.size())
        applyAreaBlock(*block, Copy.parameters.Words[SensorParameters::InstallDirectionWord] != 0,
                       Copy.areas[block->Index]);
    else if (!CopyReading && Edit && block->Index < Edit->Areas.size())
        applyAreaBlock(*block, Link && Link->DirectionReversed, Edit->Areas[block->Index]);
    ++ReadAreaIndex;
    DialogSeam::current()->progressSetValue(ReadAreaIndex);
    PendingCommand = 0;
    if (ReadAreaIndex > 63) {
        ReadAreaIndex = 0;
        clear(ReadAreasRequest);
        raiseRequest(InfoRequest);
        SilentInfo = true;
        if (CopyReading) {
            CopyReading = false;
            emit ReadCopyFinished(true);
            return;
        }
        emit ReceiveAreaData();
        const TransferText t = transferText(TransferMessage::ReadAllDone, Language);
        if (!t.isEmpty())
            DialogSeam::current()->notify(DialogSeam::Icon::Information, t.title, t.text, t.buttons.value(0));
    }
}

void SERIAL_COMM::writeAreaReply(const QByteArray &frame)
{
    const std::optional<int> status = decodeStatusReply(frame, Command::WArea);
    // A status reply names no area: one that came after its time-out would
    // count for whatever is asked now, and the last one would clear the
    // request after it.
    if (!status)
        return;
    if (PendingCommand != int(Command::WArea)) {
        StaleReply = true;
        return;
    }
    replyAccepted();
    PendingCommand = 0;
    if (*status == 0) {
        ++WriteAreaIndex;
        skipUnwrittenAreas();
        const TransferText title = transferText(TransferMessage::DownloadTitle, Language);
        if (!title.isEmpty())
            DialogSeam::current()->progressSetTitle(title.title);
        DialogSeam::current()->progressSetValue(WriteAreaIndex);
        if (WriteAreaIndex > 63)
            areasWritten();
        return;
    }
    // Refused: the areas go again from area 0 once the box is read, until a
    // scanner that keeps refusing has been given as many tries as a silent one.
    WriteAreaIndex = 0;
    WriteAreasHeld = true;
    const bool abandoned = ++WriteRefusals > MaxRetries;
    if (abandoned)
        abandonWrite();
    afterReceive([this, s = *status, abandoned, asked = Generation] {
        tellRefusal(s, TransferMessage::AreaRejected);
        WriteAreasHeld = false;
        if (abandoned && asked == Generation)
            emit WriteRefused();
    });
}

void SERIAL_COMM::readParamsReply(const QByteArray &frame)
{
    const std::optional<SensorParameters> params = decodeParameterBlock(frame, Command::RPara);
    if (!params)
        return;
    replyAccepted();
    if (CopyReading) {
        Copy.parameters = *params;
    } else {
        ParametersRead = true;
        if (Parameters)
            *Parameters = *params;
        const bool reversed = params->Words[SensorParameters::InstallDirectionWord] != 0;
        if (Link)
            Link->DirectionReversed = reversed;
        emit DirChangeSignals(reversed);
        emit ReceiveParameters();
    }
    DialogSeam::current()->progressClose();
    PendingCommand = 0;
    clear(ReadParamsRequest);
}

void SERIAL_COMM::writeParamsReply(const QByteArray &frame)
{
    const std::optional<int> status = decodeStatusReply(frame, Command::WPara);
    if (!status)
        return;
    if (PendingCommand != int(Command::WPara)) {
        StaleReply = true;
        return;
    }
    replyAccepted();
    PendingCommand = 0;
    clear(WriteParamsRequest);
    if (*status == 0) {
        writeAccepted();
    } else {
        abandonWrite();
        afterReceive([this, s = *status, asked = Generation] {
            tellRefusal(s, TransferMessage::BlockRejected);
            if (asked == Generation)
                emit WriteRefused();
        });
    }
}

void SERIAL_COMM::readCasesReply(const QByteArray &frame)
{
    const std::optional<CaseTable> table = decodeCaseTable(frame, Command::RCase);
    if (!table)
        return;
    replyAccepted();
    if (CopyReading)
        applyCaseTable(*table, Copy.areas);
    else if (Edit)
        applyCaseTable(*table, Edit->Areas);
    PendingCommand = 0;
    clear(ReadCasesRequest);
}

void SERIAL_COMM::writeCasesReply(const QByteArray &frame)
{
    const std::optional<int> status = decodeStatusReply(frame, Command::WCase);
    if (!status)
        return;
    if (PendingCommand != int(Command::WCase)) {
        StaleReply = true;
        return;
    }
    replyAccepted();
    PendingCommand = 0;
    clear(WriteCasesRequest);
    if (*status == 0) {
        finishWriteWithoutParameters();
    } else {
        // The parameters after a refused case table would end the download
        // in "complete" and the restart question.
        abandonWrite();
        afterReceive([this, s = *status, asked = Generation] {
            tellRefusal(s, TransferMessage::BlockRejected);
            if (asked == Generation)
                emit WriteRefused();
        });
    }
}

void SERIAL_COMM::finishWriteWithoutParameters()
{
    if (!EndsWithoutParameters || isRequested(WriteAreasRequest) || isRequested(WriteCasesRequest)
        || isRequested(WriteParamsRequest))
        return;
    EndsWithoutParameters = false;
    writeAccepted();
}

void SERIAL_COMM::writeAccepted()
{
    DialogSeam::current()->progressClose();
    // Answered after the link dropped, Yes must not restart whatever
    // scanner is connected by then.
    afterReceive([this, asked = Generation] {
        tell(TransferMessage::ParametersAccepted);
        const bool restart =
            tell(TransferMessage::RestartQuestion, DialogSeam::Icon::Question) == 0 && asked == Generation;
        if (restart)
            raiseRequest(RebootRequest);
        if (asked == Generation)
            emit WriteFinished(restart);
    });
}

void SERIAL_COMM::simulationReply(const QByteArray &frame)
{
    const std::optional<SimuStatus> status = decodeSimuReply(frame);
    if (!status)
        return;
    clear(SimulationRequest);
    replyAccepted();
    emit SelfCheckStatus(status->SensorTemper, status->RotateSpeed, status->DriveVoltage, status->SendVoltage,
                         status->ReceiveVoltage);
    emit IOPortSignals(status->inport(), status->outport(), status->Status);
    PendingCommand = 0;
}

void SERIAL_COMM::controlReply(const QByteArray &frame)
{
    // A valid reply proves the link alive like any other: left running, the
    // time-out would fire 2 s later, count a retry and restart an area
    // transfer that did not time out.
    if (!decodeSCtrlReply(frame))
        return;
    replyAccepted();
    clear(ControlRequest);
    PendingCommand = 0;
}

void SERIAL_COMM::hisnPacket(const QByteArray &bytes)
{
    // Ethernet only; the stream is unsolicited and leaves requests alone.
    if (!Link || Link->ConnectionKind != 1)
        return;
    const std::optional<HisnPacket> packet = decodeHisnPacket(bytes);
    if (!packet)
        return;
    if (Hisn.add(*packet, *Link, MaxRange)) {
        emit ReceiveScanfData();
        emit ReceiveIntensityData();
    }
}
