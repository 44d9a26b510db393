#pragma once

// The emulated scanner without its transports: takes one request frame and
// the time, answers with the reply bytes the real scanner would send, and
// tells the caller what else to do (start or stop the stream, reboot).

#include "emulatorstate.h"
#include "faultinjector.h"
#include "framing.h"
#include "livedata.h"
#include "syntheticworld.h"
#include "zoneevaluator.h"

#include <QString>
#include <array>
#include <memory>
#include <optional>

class RecordedWorld;

// Status word bits the tool shows as texts.
namespace StatusBits {
constexpr quint16 Revolve = 0x01;
constexpr quint16 Receive = 0x02;
constexpr quint16 Flash = 0x04;
constexpr quint16 Connect = 0x08;
constexpr quint16 Simulation = 0x10;
constexpr quint16 Temperature = 0x20;
constexpr quint16 Voltage = 0x40;
} // namespace StatusBits

struct CoreReply
{
    enum Action { None, StartStream, StopStream, Reboot };
    QByteArray frame;     // empty: nothing is answered
    bool hasCrc = true;   // false for RScan/RStre
    Action action = None;
    bool flashChanged = false; // parameters, areas or cases were stored
    QString note;         // what the request did, for the log
};

class ScannerCore
{
public:
    ScannerCore(const EmulatorState &state, quint64 seed, const FaultOptions &faults = {});

    EmulatorState &state() { return m_state; }
    const EmulatorState &state() const { return m_state; }
    const SyntheticWorld &world() const { return m_world; }
    FaultInjector &faults() { return m_faults; }

    // Inputs wired to the scanner (bits 0..5) when nothing simulates them,
    // and status bits to report on top of the computed ones.
    void setPhysicalInputs(quint8 inputs) { m_physicalInputs = quint8(inputs & 0x3F); }
    void setForcedStatus(quint16 bits) { m_forcedStatus = bits; }

    // Serves a recording instead of the synthetic room: its scans, and its
    // IO status where it has one (simulation requests still override).
    void setRecordedWorld(std::shared_ptr<const RecordedWorld> world) { m_recorded = std::move(world); }

    CoreReply handle(const ReceivedFrame &request, qint64 nowMs);

    // A boot: the stored parameters become active, live scan settings and
    // output states are forgotten.
    void boot();

    bool reversed() const { return m_state.active.Words[SensorParameters::InstallDirectionWord] != 0; }
    int ethernetMode() const { return m_state.active.Words[17] != 0 ? 1 : 0; }
    bool asleep() const { return m_control && m_control->SleepMode != 0; }
    int pointsPerDegree() const;
    int motorHz() const;
    int scanPeriodMs() const { return 1000 / motorHz(); }
    qint64 scanIndexAt(qint64 nowMs) const { return nowMs / scanPeriodMs(); }

    // The scans the scanner sees at a time (no echoes while asleep).
    Scan serialScanAt(qint64 nowMs) const;
    Scan streamScanAt(qint64 nowMs) const;

    // A scan leaves the scanner: built for the time and judged against the
    // zones of the selected area right then, so the outputs reported are the
    // ones that very scan sets (a recording of the link can be re-judged).
    Scan sendSerialScan(qint64 nowMs);
    QVector<HisnPacket> sendStreamScan(qint64 nowMs);

    // Answers a WSimu request: the request selects the area for the scans
    // to come and gets the current outputs. Only when no scan went out for
    // two scan periods does it judge the scan of the moment itself, so IO
    // monitoring alone still works.
    SimuStatus evaluate(const SimulationFrame &simulation, qint64 nowMs);
    // The area the inputs (or the case conditions) select; -1 when case
    // simulation finds no area whose conditions match.
    int selectArea(const SimulationFrame &simulation, quint8 *reportedInputs) const;
    const std::array<OutputZone, 3> &zonesOf(int area);

private:
    static QVector<HisnPacket> packetize(const Scan &scan);
    // Runs the output decision on one scan with the selected area.
    void judge(const Scan &scan, qint64 nowMs);
    SimuStatus selfCheck(qint64 nowMs) const;

    EmulatorState m_state;
    SyntheticWorld m_world;
    std::shared_ptr<const RecordedWorld> m_recorded;
    FaultInjector m_faults;
    std::optional<ScanControl> m_control; // from SCtrl since the last boot
    quint8 m_physicalInputs = 0;
    quint16 m_forcedStatus = 0;
    OutputTimer m_outputTimer;
    SimulationFrame m_simulation;    // the latest WSimu request; none: the wired inputs
    qint64 m_lastScanSentMs = -1;
    std::array<std::optional<std::array<OutputZone, 3>>, EmulatorState::AreaCount> m_zones;
};

// Short text for a command, "RPara", "HISN".
QString commandName(Command command);
