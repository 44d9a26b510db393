#include "frames.h"

#include "crc16.h"

#include <cstring>

namespace {
const std::array<CommandInfo, 13> kRequests = {{
    {Command::RPrda, "RPrda", 7, kProductFrameLength, true},
    {Command::RScan, "RScan", 7, kSamplesFrameLength, false},
    {Command::RStre, "RStre", 7, kSamplesFrameLength, false},
    {Command::RBoot, "RBoot", 7, kStatusFrameLength, true},
    {Command::RArea, "RArea", 9, kAreaFrameLength, true},
    {Command::WArea, "WArea", kAreaFrameLength, kStatusFrameLength, true},
    {Command::RPara, "RPara", 7, kParameterFrameLength, true},
    {Command::WPara, "WPara", kParameterFrameLength, kStatusFrameLength, true},
    {Command::RCase, "RCase", 7, kCaseFrameLength, true},
    {Command::WCase, "WCase", kCaseFrameLength, kStatusFrameLength, true},
    {Command::WSimu, "WSimu", kSimuRequestLength, kSimuReplyLength, true},
    {Command::SCtrl, "SCtrl", kControlFrameLength, kControlFrameLength, true},
    {Command::RAuto, "RAuto", 8, 0, false},
}};
const CommandInfo kHisn = {Command::Hisn, "HISN", 0, 0, false};

bool isSimpleRequest(Command c)
{
    return c == Command::RPrda || c == Command::RScan || c == Command::RStre || c == Command::RBoot
        || c == Command::RPara || c == Command::RCase;
}
} // namespace

const std::array<CommandInfo, 13> &requestCommands() { return kRequests; }

const CommandInfo &commandInfo(Command command)
{
    for (const CommandInfo &info : kRequests)
        if (info.command == command)
            return info;
    return kHisn;
}

std::optional<Command> commandAt(const char *data, int size)
{
    if (size >= 4 && std::memcmp(data, "HISN", 4) == 0)
        return Command::Hisn;
    if (size < kHeaderLength)
        return std::nullopt;
    for (const CommandInfo &info : kRequests)
        if (std::memcmp(data, info.text, kHeaderLength) == 0)
            return info.command;
    return std::nullopt;
}

void put16(QByteArray &frame, int offset, qint64 value)
{
    frame[offset] = char((value >> 8) & 0xFF);
    frame[offset + 1] = char(value & 0xFF);
}

quint16 get16(const QByteArray &frame, int offset)
{
    return quint16((quint8(frame.at(offset)) << 8) | quint8(frame.at(offset + 1)));
}

QByteArray blankFrame(Command command, int length)
{
    QByteArray frame(length, '\0');
    const char *text = commandInfo(command).text;
    std::memcpy(frame.data(), text, std::strlen(text));
    return frame;
}

bool isFrame(const QByteArray &frame, Command command, int length, bool withCrc)
{
    if (frame.size() != length || length < kHeaderLength)
        return false;
    if (std::memcmp(frame.constData(), commandInfo(command).text, kHeaderLength) != 0)
        return false;
    return !withCrc || hasValidCrc(frame);
}

// ---- Requests ----------------------------------------------------------------

QByteArray encodeSimpleRequest(Command command)
{
    if (!isSimpleRequest(command))
        return {};
    QByteArray frame = blankFrame(command, kSimpleRequestLength);
    storeCrc(frame);
    return frame;
}

QByteArray encodeRAreaRequest(int areaIndex)
{
    QByteArray frame = blankFrame(Command::RArea, 9);
    frame[5] = char(areaIndex);
    frame[6] = char(24);
    storeCrc(frame);
    return frame;
}

QByteArray encodeParameterBlock(Command command, const SensorParameters &params)
{
    QByteArray frame = blankFrame(command, kParameterFrameLength);
    for (int i = 0; i < SensorParameters::WordCount; ++i)
        put16(frame, 5 + 2 * i, params.Words[size_t(i)]);
    storeCrc(frame);
    return frame;
}

QByteArray encodeSCtrlRequest(const ScanControl &control)
{
    QByteArray frame = blankFrame(Command::SCtrl, kControlFrameLength);
    frame[5] = char(control.SleepMode);
    frame[7] = char(control.MotorSpeed);
    frame[8] = char(control.SensorAngle);
    frame[9] = char(control.FilterLevel);
    storeCrc(frame);
    return frame;
}

QByteArray encodeRAuto(int argument)
{
    QByteArray frame = blankFrame(Command::RAuto, 8);
    frame[5] = char(argument);
    storeCrc(frame);
    return frame;
}

SimulationFrame SimulationFrame::of(const SimulationState &s)
{
    SimulationFrame f;
    f.Mode = s.SignalSimulation ? 1 : s.CaseSimulation ? 2 : 0;
    f.InputBits = quint8(s.InputBits);
    f.SimDegree = qint16(s.SimDegree);
    f.SimSpeed = qint16(s.SimSpeed);
    f.SimOptionMode = qint16(s.SimOptionMode);
    f.OutputSimulation = s.OutputSimulation ? 1 : 0;
    f.OutputBits = quint8(s.OutputBits);
    f.FaultBits = quint8(s.FaultBits);
    return f;
}

bool SimulationFrame::operator==(const SimulationFrame &o) const
{
    return Mode == o.Mode && InputBits == o.InputBits && SimDegree == o.SimDegree && SimSpeed == o.SimSpeed
        && SimOptionMode == o.SimOptionMode && OutputSimulation == o.OutputSimulation
        && OutputBits == o.OutputBits && FaultBits == o.FaultBits;
}

QByteArray encodeWSimuRequest(const SimulationFrame &sim)
{
    QByteArray frame = blankFrame(Command::WSimu, kSimuRequestLength);
    frame[5] = char(sim.Mode);
    frame[6] = char(sim.InputBits);
    put16(frame, 7, sim.SimDegree);
    put16(frame, 9, sim.SimSpeed);
    put16(frame, 11, sim.SimOptionMode);
    frame[13] = char(sim.OutputSimulation);
    frame[14] = char(sim.OutputBits);
    frame[15] = char(sim.FaultBits);
    storeCrc(frame);
    return frame;
}

std::optional<Command> decodeSimpleRequest(const QByteArray &frame)
{
    if (frame.size() != kSimpleRequestLength)
        return std::nullopt;
    const std::optional<Command> c = commandAt(frame.constData(), frame.size());
    if (!c || !isSimpleRequest(*c) || !hasValidCrc(frame))
        return std::nullopt;
    return c;
}

std::optional<int> decodeRAreaRequest(const QByteArray &frame)
{
    if (!isFrame(frame, Command::RArea, 9))
        return std::nullopt;
    return int(quint8(frame.at(5)));
}

std::optional<SensorParameters> decodeParameterBlock(const QByteArray &frame, Command command)
{
    if (!isFrame(frame, command, kParameterFrameLength))
        return std::nullopt;
    SensorParameters params;
    for (int i = 0; i < SensorParameters::WordCount; ++i)
        params.Words[size_t(i)] = get16(frame, 5 + 2 * i);
    return params;
}

std::optional<ScanControl> decodeSCtrlRequest(const QByteArray &frame)
{
    if (!isFrame(frame, Command::SCtrl, kControlFrameLength))
        return std::nullopt;
    ScanControl control;
    control.SleepMode = quint8(frame.at(5));
    control.MotorSpeed = quint8(frame.at(7));
    control.SensorAngle = quint8(frame.at(8));
    control.FilterLevel = quint8(frame.at(9));
    return control;
}

std::optional<int> decodeRAuto(const QByteArray &frame)
{
    if (!isFrame(frame, Command::RAuto, 8))
        return std::nullopt;
    return int(quint8(frame.at(5)));
}

std::optional<SimulationFrame> decodeWSimuRequest(const QByteArray &frame)
{
    if (!isFrame(frame, Command::WSimu, kSimuRequestLength))
        return std::nullopt;
    SimulationFrame sim;
    sim.Mode = quint8(frame.at(5));
    sim.InputBits = quint8(frame.at(6));
    sim.SimDegree = get16s(frame, 7);
    sim.SimSpeed = get16s(frame, 9);
    sim.SimOptionMode = get16s(frame, 11);
    sim.OutputSimulation = quint8(frame.at(13));
    sim.OutputBits = quint8(frame.at(14));
    sim.FaultBits = quint8(frame.at(15));
    return sim;
}

// ---- Replies -------------------------------------------------------------------

QByteArray encodeStatusReply(Command command, quint8 status)
{
    QByteArray frame = blankFrame(command, kStatusFrameLength);
    frame[5] = char(status);
    storeCrc(frame);
    return frame;
}

std::optional<int> decodeStatusReply(const QByteArray &frame, Command command)
{
    if (!isFrame(frame, command, kStatusFrameLength))
        return std::nullopt;
    return int(quint8(frame.at(5)));
}

QByteArray encodeSCtrlReply()
{
    QByteArray frame = blankFrame(Command::SCtrl, kControlFrameLength);
    storeCrc(frame);
    return frame;
}

bool decodeSCtrlReply(const QByteArray &frame) { return isFrame(frame, Command::SCtrl, kControlFrameLength); }

bool ProductInfo::operator==(const ProductInfo &o) const
{
    return ProductType == o.ProductType && FirmwareVersion == o.FirmwareVersion && SerialNumber == o.SerialNumber
        && Year == o.Year && Month == o.Month && Day == o.Day;
}

QByteArray encodeProductReply(const ProductInfo &info)
{
    QByteArray frame = blankFrame(Command::RPrda, kProductFrameLength);
    put16(frame, 5, info.ProductType);
    put16(frame, 7, info.FirmwareVersion);
    put16(frame, 9, info.SerialNumber);
    put16(frame, 11, info.Year);
    put16(frame, 13, info.Month);
    put16(frame, 15, info.Day);
    storeCrc(frame);
    return frame;
}

std::optional<ProductInfo> decodeProductReply(const QByteArray &frame)
{
    if (!isFrame(frame, Command::RPrda, kProductFrameLength))
        return std::nullopt;
    ProductInfo info;
    info.ProductType = get16(frame, 5);
    info.FirmwareVersion = get16(frame, 7);
    info.SerialNumber = get16(frame, 9);
    info.Year = get16(frame, 11);
    info.Month = get16(frame, 13);
    info.Day = get16(frame, 15);
    return info;
}

QString productName(int productType)
{
    switch (productType) {
    case 6: return QStringLiteral("VQxxxx-IO");
    case 8: return QStringLiteral("VQxxxx-CN");
    case 9: return QStringLiteral("VQxxxx-ETH");
    case 10: return QStringLiteral("VQxxxx-NAV");
    case 11: return QStringLiteral("VQxxxx-FPGA");
    case 12: return QStringLiteral("VQxxxx-HDDM");
    case 18: return QStringLiteral("VQ-7712-144K");
    case 19: return QStringLiteral("VQ-7712F-432K");
    case 20: return QStringLiteral("VQ-7712F-HDDM");
    default: return {};
    }
}

QString productInfoText(const ProductInfo &info, int language)
{
    // Known codes show their model name, which tells the user more than the
    // bare number; unknown codes show the number.
    QString product = productName(info.ProductType);
    if (product.isEmpty())
        product = QString::number(info.ProductType);
    const QString firmware = QString::number(info.FirmwareVersion / 100.0, 'f', 2);
    const QString serial = QString::number(double(info.SerialNumber), 'f', 6);
    const QString year = QString::number(info.Year);
    const QString month = QString::number(info.Month);
    const QString day = QString::number(info.Day);
    if (language == 1)
        return QStringLiteral("产品型号:  ") + product + QStringLiteral("\n固件版本:  ") + firmware
            + QStringLiteral("\n串行编号:  ") + serial + QStringLiteral("\n生产日期:  ") + year
            + QStringLiteral("年") + month + QStringLiteral("月") + day + QStringLiteral("日");
    if (language == 0)
        return QStringLiteral("Product Name:  ") + product + QStringLiteral("\nFirmware:  ") + firmware
            + QStringLiteral("\nSerialNumber:  ") + serial + QStringLiteral("\nProduction:  ") + year
            + QStringLiteral(" - ") + month + QStringLiteral(" - ") + day;
    return {};
}

bool SimuStatus::operator==(const SimuStatus &o) const
{
    return InputStates == o.InputStates && Byte6 == o.Byte6 && OutputStates == o.OutputStates && Byte8 == o.Byte8
        && Status == o.Status && SensorTemper == o.SensorTemper && RotateSpeed == o.RotateSpeed
        && DriveVoltage == o.DriveVoltage && SendVoltage == o.SendVoltage && ReceiveVoltage == o.ReceiveVoltage;
}

QByteArray encodeSimuReply(const SimuStatus &s)
{
    QByteArray frame = blankFrame(Command::WSimu, kSimuReplyLength);
    frame[5] = char(s.InputStates);
    frame[6] = char(s.Byte6);
    frame[7] = char(s.OutputStates);
    frame[8] = char(s.Byte8);
    put16(frame, 9, s.Status);
    put16(frame, 11, s.SensorTemper);
    put16(frame, 13, s.RotateSpeed);
    put16(frame, 15, s.DriveVoltage);
    put16(frame, 17, s.SendVoltage);
    put16(frame, 19, s.ReceiveVoltage);
    storeCrc(frame);
    return frame;
}

std::optional<SimuStatus> decodeSimuReply(const QByteArray &frame)
{
    if (!isFrame(frame, Command::WSimu, kSimuReplyLength))
        return std::nullopt;
    SimuStatus s;
    s.InputStates = quint8(frame.at(5));
    s.Byte6 = quint8(frame.at(6));
    s.OutputStates = quint8(frame.at(7));
    s.Byte8 = quint8(frame.at(8));
    s.Status = get16(frame, 9);
    s.SensorTemper = get16s(frame, 11);
    s.RotateSpeed = get16(frame, 13);
    s.DriveVoltage = get16(frame, 15);
    s.SendVoltage = get16(frame, 17);
    s.ReceiveVoltage = get16(frame, 19);
    return s;
}
