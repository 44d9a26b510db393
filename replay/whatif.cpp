#include "whatif.h"

#include "areaframe.h"
#include "framing.h"
#include "livedata.h"
#include "scanmodes.h"

#include <QFile>

#include <algorithm>
#include <utility>

namespace {
// The area as the scanner stores it after a download: mirrored when mounted
// reversed, arcs in whole degrees. An area the scanner would refuse stays as
// drawn.
AreaRecord heldByScanner(const AreaRecord &area, int index, bool reversed)
{
    const AreaEncodeResult sent = encodeAreaBlock(Command::WArea, index, area, reversed);
    if (!sent.ok())
        return area;
    AreaRecord held = area;
    if (const std::optional<AreaBlock> block = decodeAreaBlock(sent.frame, Command::WArea))
        applyAreaBlock(*block, false, held);
    return held;
}
} // namespace

WhatIfEvaluator::WhatIfEvaluator(const QVector<AreaRecord> &areas, int connectionKind, bool reversed)
    : m_connectionKind(connectionKind)
{
    m_areas.resize(int(m_zones.size()));
    for (int i = 0; i < m_areas.size() && i < areas.size(); ++i)
        m_areas[i] = heldByScanner(areas.at(i), i, reversed);
    m_serialScan.serial = true;
    m_serialScan.pointsPerDegree = 2;
}

void WhatIfEvaluator::add(const RecordingChunk &chunk)
{
    if (chunk.sent) {
        m_sent.append(chunk.bytes);
        ReceivedFrame request;
        while (takeRequest(m_sent, &request)) {
            if (request.command != Command::WSimu)
                continue;
            if (const std::optional<SimulationFrame> sim = decodeWSimuRequest(request.bytes))
                m_forcing = sim->OutputSimulation != 0 || sim->FaultBits != 0;
        }
        return;
    }
    m_timeUs = steadyTimeUs(m_timeUs, chunk.timeUs);
    // The link hands a read to its parsers in pieces, one pass each: so
    // does this, so it takes (and drops) exactly what the link did.
    for (int at = 0; at < chunk.bytes.size(); at += kReadPiece) {
        m_received.append(chunk.bytes.constData() + at, qMin(kReadPiece, chunk.bytes.size() - at));
        takePass(m_received, m_timeUs);
    }
}

void WhatIfEvaluator::takePass(QByteArray &buffer, qint64 timeUs)
{
    const QByteArray before = buffer; // shared until the pass cuts from buffer
    const QVector<ReceivedFrame> frames = takeReplies(buffer, m_connectionKind);
    if (frames.isEmpty())
        return;
    // The parsers run in a fixed order, not in wire order; a reply judges
    // the scans that came before it on the wire, so restore that order.
    m_events.resize(0);
    int hisnFrom = 0;
    for (const ReceivedFrame &f : frames) {
        if (f.command != Command::WSimu && f.command != Command::RScan && f.command != Command::Hisn)
            continue;
        const int from = f.command == Command::Hisn ? hisnFrom : 0;
        const int offset = before.indexOf(f.bytes, from);
        if (f.command == Command::Hisn)
            hisnFrom = offset + f.bytes.size();
        m_events.append({offset, f.command, f.bytes});
    }
    std::stable_sort(m_events.begin(), m_events.end(),
                     [](const Event &a, const Event &b) { return a.offset < b.offset; });
    for (const Event &e : std::as_const(m_events)) {
        if (e.command == Command::WSimu) {
            simuReply(e.bytes);
        } else if (e.command == Command::Hisn) {
            hisnPacket(e.bytes, timeUs);
        } else if (std::optional<QVector<quint16>> samples = decodeSamplesReply(e.bytes, Command::RScan)) {
            m_serialScan.distances = std::move(*samples);
            scanComplete(m_serialScan, timeUs);
        }
    }
}

void WhatIfEvaluator::hisnPacket(const QByteArray &bytes, qint64 timeUs)
{
    const std::optional<HisnPacket> packet = decodeHisnPacket(bytes);
    if (packet && m_joiner.add(*packet))
        scanComplete(m_joiner.scan(), timeUs);
}

const std::array<OutputZone, 3> &WhatIfEvaluator::zonesOf(int area)
{
    std::optional<std::array<OutputZone, 3>> &slot = m_zones[size_t(area)];
    if (!slot)
        slot = outputZones(m_areas.at(area));
    return *slot;
}

void WhatIfEvaluator::scanComplete(const Scan &scan, qint64 timeUs)
{
    WhatIfScan s;
    s.timeUs = timeUs;
    s.area = m_area;
    s.reported = m_reported;
    s.reportKnown = m_reportKnown;
    if (m_area >= 0) {
        const AreaRecord &area = m_areas.at(m_area);
        const quint8 raw = detectOutputs(zonesOf(m_area), area, scan, m_timer.outputs());
        s.project = m_timer.update(raw, timeUs / 1000, area.OpenDelay, area.CloseDelay);
    }

    // The previous scan's state lasted until this one.
    if (!m_result.scans.isEmpty()) {
        const WhatIfScan &prev = m_result.scans.constLast();
        const qint64 dt = timeUs - prev.timeUs;
        for (int k = 0; k < 3; ++k) {
            WhatIfOutput &o = m_result.outputs[size_t(k)];
            if (prev.area >= 0 && (prev.project >> k) & 1)
                o.projectSetUs += dt;
            if (prev.reportKnown && (prev.reported >> k) & 1)
                o.reportedSetUs += dt;
        }
    }
    for (int k = 0; k < 3; ++k) {
        WhatIfOutput &o = m_result.outputs[size_t(k)];
        if (s.area >= 0 && m_lastProject >= 0 && ((s.project ^ m_lastProject) >> k) & 1)
            ++o.projectSwitchings;
        if (s.reportKnown && m_lastReported >= 0 && ((s.reported ^ m_lastReported) >> k) & 1)
            ++o.reportedSwitchings;
    }
    if (s.area >= 0)
        m_lastProject = s.project;
    if (s.reportKnown)
        m_lastReported = s.reported;

    m_unjudgedScan = m_result.scans.size();
    m_result.scans.append(s);
}

void WhatIfEvaluator::simuReply(const QByteArray &bytes)
{
    const std::optional<SimuStatus> status = decodeSimuReply(bytes);
    if (!status)
        return;
    ++m_result.replies;
    const quint8 reported = status->OutputStates & 0x07;
    // The reply reports what the scanner judged on the last scan it sent.
    if (m_unjudgedScan >= 0) {
        WhatIfScan &s = m_result.scans[m_unjudgedScan];
        if (m_forcing) {
            s.forced = true;
        } else if (s.area >= 0) {
            s.compared = true;
            s.disagreeMask = quint8((s.project ^ reported) & 0x07);
            ++m_result.compared;
            if (s.disagreeMask != 0)
                ++m_result.disagreeing;
            for (int k = 0; k < 3; ++k)
                if ((s.disagreeMask >> k) & 1)
                    m_result.outputs[size_t(k)].disagreements.append(m_unjudgedScan);
        }
        m_unjudgedScan = -1;
    }
    m_reported = reported;
    m_reportKnown = true;
    m_area = status->InputStates < m_areas.size() ? status->InputStates : -1;
}

WhatIfResult whatIfOfRecording(const QString &path, const QVector<AreaRecord> &areas, bool reversed,
                               const std::atomic<bool> *cancel, RecordingStatus *status)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (status)
            *status = RecordingStatus::Unreadable;
        return {};
    }
    RecordingReader reader(&file);
    if (!reader.open()) {
        if (status)
            *status = reader.status();
        return {};
    }
    WhatIfEvaluator evaluator(areas, reader.header().connectionKind, reversed);
    RecordingChunk chunk;
    while (reader.next(chunk) && !(cancel && cancel->load()))
        evaluator.add(chunk);
    if (status)
        *status = reader.status();
    return evaluator.result();
}
