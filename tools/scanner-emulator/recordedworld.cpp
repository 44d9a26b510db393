#include "recordedworld.h"

#include "framing.h"
#include "livedata.h"
#include "scanmodes.h"

#include <QFile>
#include <algorithm>
#include <cmath>

RecordedWorld::RecordedWorld(const RecordingHeader &header)
    : m_header(header)
{
}

void RecordedWorld::addChunk(const RecordingChunk &chunk)
{
    m_lastUs = qMax(m_lastUs, chunk.timeUs);
    if (chunk.sent)
        return;
    const qint64 timeMs = chunk.timeUs / 1000;
    m_rx += chunk.bytes;
    // Several replies may have come in one read: take them all. A pass that
    // only trimmed an overfull buffer takes nothing but changes its size.
    for (;;) {
        const int before = m_rx.size();
        const QVector<ReceivedFrame> replies = takeReplies(m_rx, m_header.connectionKind);
        if (replies.isEmpty() && m_rx.size() == before)
            break;
        for (const ReceivedFrame &reply : replies) {
            switch (reply.command) {
            case Command::RScan:
                if (const std::optional<QVector<quint16>> d = decodeSamplesReply(reply.bytes, Command::RScan)) {
                    Scan scan;
                    scan.serial = true;
                    scan.pointsPerDegree = 2;
                    scan.distances = *d;
                    scan.intensities = m_intensities.size() == d->size() ? m_intensities
                                                                         : QVector<quint16>(d->size(), 0);
                    m_scans.append({timeMs, scan});
                }
                break;
            case Command::RStre:
                if (const std::optional<QVector<quint16>> i = decodeSamplesReply(reply.bytes, Command::RStre))
                    m_intensities = *i;
                break;
            case Command::WSimu:
                if (const std::optional<SimuStatus> s = decodeSimuReply(reply.bytes))
                    m_statuses.append({timeMs, *s});
                break;
            case Command::Hisn:
                addHisnPacket(reply.bytes, timeMs);
                break;
            default:
                break;
            }
        }
    }
}

void RecordedWorld::addHisnPacket(const QByteArray &bytes, qint64 timeMs)
{
    const std::optional<HisnPacket> p = decodeHisnPacket(bytes);
    if (p && m_joiner.add(*p))
        m_scans.append({timeMs, m_joiner.scan()});
}

qint64 RecordedWorld::durationMs() const
{
    qint64 lastEvent = 0;
    if (!m_scans.isEmpty())
        lastEvent = m_scans.last().timeMs;
    if (!m_statuses.isEmpty())
        lastEvent = qMax(lastEvent, m_statuses.last().timeMs);
    return qMax(qMax(m_endUs, m_lastUs) / 1000, lastEvent + 1);
}

template <typename T>
std::optional<T> RecordedWorld::at(const QVector<Timed<T>> &events, qint64 nowMs) const
{
    if (events.isEmpty())
        return std::nullopt;
    const qint64 duration = durationMs();
    qint64 t = nowMs % duration;
    if (t < 0)
        t += duration;
    const auto after = std::upper_bound(events.cbegin(), events.cend(), t,
                                        [](qint64 time, const Timed<T> &e) { return time < e.timeMs; });
    return after == events.cbegin() ? events.last().value : (after - 1)->value;
}

std::optional<Scan> RecordedWorld::scanAt(qint64 nowMs) const { return at(m_scans, nowMs); }

std::optional<SimuStatus> RecordedWorld::statusAt(qint64 nowMs) const { return at(m_statuses, nowMs); }

std::optional<RecordedWorld> RecordedWorld::read(QIODevice *device, QString *error, QString *warning)
{
    RecordingReader reader(device);
    if (!reader.open()) {
        *error = recordingMessage(reader.status(), 0, reader.version());
        return std::nullopt;
    }
    RecordedWorld world(reader.header());
    RecordingChunk chunk;
    while (reader.next(chunk))
        world.addChunk(chunk);
    world.setEndTimeUs(reader.endTimeUs());
    if (world.scanCount() == 0 && world.statusCount() == 0) {
        *error = QStringLiteral("the recording holds no scan and no IO status");
        return std::nullopt;
    }
    if (warning)
        *warning = reader.status() == RecordingStatus::Complete ? QString()
                                                                : recordingMessage(reader.status(), 0);
    return world;
}

std::optional<RecordedWorld> RecordedWorld::load(const QString &path, QString *error, QString *warning)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return std::nullopt;
    }
    return read(&file, error, warning);
}

Scan resampleScan(const Scan &scan, bool serial, int g)
{
    const int n = serial ? ScanModes::SerialSamples : ScanModes::FieldDegrees * g;
    if (scan.serial == serial && (serial || scan.pointsPerDegree == g) && scan.distances.size() == n
        && scan.intensities.size() == n)
        return scan;
    Scan out;
    out.serial = serial;
    out.pointsPerDegree = serial ? 2 : g;
    out.distances.fill(0, n);
    out.intensities.fill(0, n);
    const int m = scan.distances.size();
    for (int j = 0; j < n && m > 0; ++j) {
        const double angle = serial ? ScanModes::serialSampleAngle(j) : ScanModes::streamSampleAngle(j, g);
        const double pos = scan.serial ? (angle - ScanModes::serialSampleAngle(0)) * 2.0
                                       : (angle - ScanModes::FieldStart) * scan.pointsPerDegree;
        const int i = qBound(0, int(std::lround(pos)), m - 1);
        out.distances[j] = scan.distances.at(i);
        out.intensities[j] = i < scan.intensities.size() ? scan.intensities.at(i) : 0;
    }
    return out;
}
