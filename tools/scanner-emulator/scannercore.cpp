#include "scannercore.h"

#include "hisnpacketizer.h"
#include "recordedworld.h"
#include "scanmodes.h"

#include <cmath>

QString commandName(Command command) { return QString::fromLatin1(commandInfo(command).text); }

ScannerCore::ScannerCore(const EmulatorState &state, quint64 seed, const FaultOptions &faults)
    : m_state(state)
    , m_world(seed)
    , m_faults(faults, seed)
{
}

void ScannerCore::boot()
{
    m_state.boot();
    m_control.reset();
    m_outputTimer.reset();
    m_simulation = SimulationFrame();
    m_lastScanSentMs = -1;
}

int ScannerCore::pointsPerDegree() const
{
    return ScanModes::pointsPerDegree(m_control ? m_control->SensorAngle : m_state.active.Words[12]);
}

int ScannerCore::motorHz() const
{
    return ScanModes::motorHz(m_state.product.ProductType, m_control ? m_control->MotorSpeed : m_state.active.Words[11]);
}

namespace {
Scan silenced(Scan scan)
{
    scan.distances.fill(0);
    scan.intensities.fill(0);
    return scan;
}
} // namespace

Scan ScannerCore::serialScanAt(qint64 nowMs) const
{
    const std::optional<Scan> recorded = m_recorded ? m_recorded->scanAt(nowMs) : std::nullopt;
    const Scan scan = recorded ? resampleScan(*recorded, true, 2)
                               : serialScan(m_world, scanIndexAt(nowMs), nowMs, reversed());
    return asleep() ? silenced(scan) : scan;
}

Scan ScannerCore::streamScanAt(qint64 nowMs) const
{
    const std::optional<Scan> recorded = m_recorded ? m_recorded->scanAt(nowMs) : std::nullopt;
    const Scan scan = recorded ? resampleScan(*recorded, false, pointsPerDegree())
                               : streamScan(m_world, scanIndexAt(nowMs), nowMs, pointsPerDegree(), reversed());
    return asleep() ? silenced(scan) : scan;
}

QVector<HisnPacket> ScannerCore::packetize(const Scan &scan) { return packetizeScan(scan); }

void ScannerCore::judge(const Scan &scan, qint64 nowMs)
{
    const int area = selectArea(m_simulation, nullptr);
    if (area < 0) {
        // No area guards: the WSimu reply reports the fault.
        m_outputTimer.reset();
        return;
    }
    const AreaRecord record = m_state.areaRecord(area);
    const quint8 raw = detectOutputs(zonesOf(area), record, scan, m_outputTimer.outputs());
    m_outputTimer.update(raw, nowMs, record.OpenDelay, record.CloseDelay);
}

Scan ScannerCore::sendSerialScan(qint64 nowMs)
{
    const Scan scan = serialScanAt(nowMs);
    judge(scan, nowMs);
    m_lastScanSentMs = nowMs;
    return scan;
}

QVector<HisnPacket> ScannerCore::sendStreamScan(qint64 nowMs)
{
    const Scan scan = streamScanAt(nowMs);
    judge(scan, nowMs);
    m_lastScanSentMs = nowMs;
    return packetize(scan);
}

const std::array<OutputZone, 3> &ScannerCore::zonesOf(int area)
{
    auto &slot = m_zones[size_t(area)];
    if (!slot)
        slot = outputZones(m_state.areaRecord(area));
    return *slot;
}

int ScannerCore::selectArea(const SimulationFrame &simulation, quint8 *reportedInputs) const
{
    quint8 inputs = m_physicalInputs;
    int area = inputs;
    if (simulation.Mode == 1) {
        inputs = quint8(simulation.InputBits & 0x3F);
        area = inputs;
    } else if (simulation.Mode == 2) {
        // The first area whose steering, speed and mode conditions all hold.
        area = -1;
        for (int i = 0; i < EmulatorState::AreaCount; ++i) {
            const CaseFields &c = m_state.cases[size_t(i)];
            if (simulation.SimDegree >= c.SteerMinDgree && simulation.SimDegree <= c.SteerMaxDgree
                && simulation.SimSpeed >= c.VehicleMinSpeed && simulation.SimSpeed <= c.VehicleMaxSpeed
                && simulation.SimOptionMode == c.VehicleOptionMode) {
                area = i;
                break;
            }
        }
        // The inputs are reported as the area the conditions chose, so the
        // tool's monitoring shows it.
        inputs = quint8(area < 0 ? 0 : area);
    }
    if (reportedInputs)
        *reportedInputs = inputs;
    return area;
}

SimuStatus ScannerCore::selfCheck(qint64 nowMs) const
{
    // Self-check values drift slowly and a little noisily, like a real board.
    SimuStatus s;
    const double minutes = nowMs / 60000.0;
    const quint64 noise = mixBits(m_world.seed(), quint64(nowMs / 200), 0x5E1F);
    s.SensorTemper = qint16(3450 + 150 * std::sin(minutes) + double(noise % 21) - 10);
    s.RotateSpeed = quint16(asleep() ? 0 : motorHz() * 60);
    s.DriveVoltage = quint16(2400 + int((noise >> 8) % 9) - 4);
    s.SendVoltage = quint16(1200 + int((noise >> 16) % 7) - 3);
    s.ReceiveVoltage = quint16(500 + int((noise >> 24) % 5) - 2);
    return s;
}

SimuStatus ScannerCore::evaluate(const SimulationFrame &simulation, qint64 nowMs)
{
    m_simulation = simulation;
    quint8 inputs = 0;
    const int area = selectArea(simulation, &inputs);
    if (area < 0)
        m_outputTimer.reset();
    else if (m_lastScanSentMs < 0 || nowMs - m_lastScanSentMs >= 2 * qint64(scanPeriodMs()))
        judge(streamScanAt(nowMs), nowMs);

    SimuStatus s;
    if (const std::optional<SimuStatus> recorded = m_recorded ? m_recorded->statusAt(nowMs) : std::nullopt) {
        // What the recorded scanner answered at this point of the recording.
        s = *recorded;
        s.Status |= m_forcedStatus;
    } else {
        s = selfCheck(nowMs);
        s.InputStates = inputs;
        s.Status = m_forcedStatus;
        if (area < 0) {
            // No case matches: the scanner cannot tell which zones guard, so
            // it reports the fault and sets every output.
            s.Status |= StatusBits::Simulation;
            s.OutputStates = 0x07;
        } else {
            s.OutputStates = m_outputTimer.outputs();
        }
    }
    if (simulation.FaultBits != 0) {
        s.Status |= StatusBits::Simulation;
        s.OutputStates = 0x07; // a fault trips every output
    }
    if (simulation.OutputSimulation)
        s.OutputStates = quint8(simulation.OutputBits & 0x07);
    if (asleep())
        s.Status |= StatusBits::Revolve;
    return s;
}

CoreReply ScannerCore::handle(const ReceivedFrame &request, qint64 nowMs)
{
    CoreReply r;
    const QByteArray &f = request.bytes;
    switch (request.command) {
    case Command::RPrda:
        r.frame = encodeProductReply(m_state.product);
        break;
    case Command::RPara:
        r.frame = encodeParameterBlock(Command::RPara, m_state.stored);
        break;
    case Command::RCase:
        r.frame = encodeCaseTable(Command::RCase, m_state.cases);
        break;
    case Command::RBoot:
        r.frame = encodeStatusReply(Command::RBoot, 0);
        r.action = CoreReply::Reboot;
        break;
    case Command::RArea:
        if (const std::optional<int> index = decodeRAreaRequest(f)) {
            r.frame = m_state.areaReply(*index);
            r.note = r.frame.isEmpty() ? QStringLiteral("no area %1").arg(*index) : QStringLiteral("area %1").arg(*index);
        }
        break;
    case Command::WArea: {
        const std::optional<AreaBlock> block = decodeAreaBlock(f, Command::WArea);
        const int index = block ? block->Index : -1;
        int status = 0;
        if (const std::optional<int> forced = m_faults.rejectStatus(Command::WArea, index)) {
            status = *forced;
        } else if (!m_state.storeArea(f)) {
            status = 1;
        } else {
            m_zones[size_t(index)].reset();
            r.flashChanged = true;
        }
        r.frame = encodeStatusReply(Command::WArea, quint8(status));
        r.note = QStringLiteral("area %1, status %2").arg(index).arg(status);
        break;
    }
    case Command::WCase: {
        int status = 0;
        if (const std::optional<int> forced = m_faults.rejectStatus(Command::WCase, -1)) {
            status = *forced;
        } else if (const std::optional<CaseTable> table = decodeCaseTable(f, Command::WCase)) {
            m_state.cases = *table;
            r.flashChanged = true;
        } else {
            status = 1;
        }
        r.frame = encodeStatusReply(Command::WCase, quint8(status));
        r.note = QStringLiteral("status %1").arg(status);
        break;
    }
    case Command::WPara: {
        int status = 0;
        const std::optional<SensorParameters> params = decodeParameterBlock(f, Command::WPara);
        if (const std::optional<int> forced = m_faults.rejectStatus(Command::WPara, -1)) {
            status = *forced;
        } else if (!params) {
            status = 1;
        } else if (const int bad = invalidParameterWord(*params); bad >= 0) {
            status = 1;
            r.note = QStringLiteral("word %1 = %2 refused, ").arg(bad).arg(params->Words[size_t(bad)]);
        } else {
            // Stored now, in effect after the next boot.
            m_state.stored = *params;
            r.flashChanged = true;
        }
        r.frame = encodeStatusReply(Command::WPara, quint8(status));
        r.note += QStringLiteral("status %1").arg(status);
        break;
    }
    case Command::WSimu:
        if (const std::optional<SimulationFrame> sim = decodeWSimuRequest(f)) {
            const SimuStatus s = evaluate(*sim, nowMs);
            r.frame = encodeSimuReply(s);
            r.note = QStringLiteral("mode %1, inputs %2, outputs %3, status 0x%4")
                         .arg(sim->Mode)
                         .arg(s.InputStates)
                         .arg(s.OutputStates)
                         .arg(s.Status, 2, 16, QLatin1Char('0'));
        }
        break;
    case Command::SCtrl:
        if (const std::optional<ScanControl> control = decodeSCtrlRequest(f)) {
            m_control = *control;
            r.frame = encodeSCtrlReply();
            r.note = QStringLiteral("sleep %1, motor %2, angle %3, filter %4")
                         .arg(control->SleepMode)
                         .arg(control->MotorSpeed)
                         .arg(control->SensorAngle)
                         .arg(control->FilterLevel);
        }
        break;
    case Command::RScan:
    case Command::RStre: {
        // RStre carries only the intensities, which the zones never look at.
        const Scan scan = request.command == Command::RScan ? sendSerialScan(nowMs) : serialScanAt(nowMs);
        r.frame = encodeSamplesReply(request.command,
                                     request.command == Command::RScan ? scan.distances : scan.intensities);
        r.hasCrc = false;
        break;
    }
    case Command::RAuto:
        if (const std::optional<int> arg = decodeRAuto(f)) {
            r.action = *arg == 1 ? CoreReply::StartStream : *arg == 0 ? CoreReply::StopStream : CoreReply::None;
            r.note = QStringLiteral("argument %1").arg(*arg);
        }
        break;
    case Command::Hisn:
        break;
    }
    return r;
}
