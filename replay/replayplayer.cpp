#include "replayplayer.h"

#include "linkstate.h"
#include "serial_comm.h"

#include <limits>

namespace {
constexpr qint64 kIndexStepUs = 100000; // a jump replays at most this much before its target
constexpr qint64 kFastSliceMs = 15;     // as fast as possible, yet the window keeps painting
} // namespace

ReplayPlayer::ReplayPlayer(SERIAL_COMM *link, LinkState *state, QObject *parent)
    : QObject(parent), m_link(link), m_state(state)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ReplayPlayer::feedDue);
    if (m_link)
        connect(m_link, &SERIAL_COMM::ReceiveScanfData, this, [this] { m_scanSeen = true; });
}

ReplayPlayer::~ReplayPlayer() { close(); }

bool ReplayPlayer::open(const QString &path, QString *message, int language)
{
    close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_status = RecordingStatus::Unreadable;
        if (message)
            *message = recordingMessage(m_status, language);
        return false;
    }
    auto reader = std::make_unique<RecordingReader>(&m_file);
    if (!reader->open()) {
        m_status = reader->status();
        if (message)
            *message = recordingMessage(m_status, language, reader->version());
        m_file.close();
        return false;
    }
    m_header = reader->header();
    // One pass for the index and the length; the file is then read again as
    // it plays, so an hour of traffic is never held in memory.
    m_index.clear();
    RecordingChunk chunk;
    qint64 offset = reader->position();
    qint64 last = -1;
    m_durationUs = 0;
    while (reader->next(chunk)) {
        m_durationUs = steadyTimeUs(m_durationUs, chunk.timeUs);
        if (last < 0 || m_durationUs - last >= kIndexStepUs) {
            m_index.append({m_durationUs, offset});
            last = m_durationUs;
        }
        offset = reader->position();
    }
    m_status = reader->status();
    if (m_status == RecordingStatus::Complete)
        m_durationUs = steadyTimeUs(m_durationUs, reader->endTimeUs());
    if (message)
        *message = recordingMessage(m_status, language);
    m_reader = std::move(reader);
    if (m_index.isEmpty())
        m_index.append({0, offset});
    m_reader->seek(m_index.first().offset);
    m_readUs = 0;

    if (m_state) {
        m_saved = {m_state->ConnectionKind, m_state->EthernetMode, m_state->DirectionReversed};
        m_state->ConnectionKind = m_header.connectionKind;
        m_state->EthernetMode = m_header.ethernetMode;
        if (m_header.parametersKnown)
            m_state->DirectionReversed
                = m_header.parameters.Words[size_t(SensorParameters::InstallDirectionWord)] != 0;
    }
    if (m_link) {
        m_link->setReplaying(true);
        m_link->CloseSerialPortSlots();
    }
    m_positionUs = 0;
    m_havePending = false;
    emit positionChanged(0);
    return true;
}

void ReplayPlayer::close()
{
    if (!m_reader)
        return;
    pause();
    m_reader.reset();
    m_file.close();
    if (m_link) {
        m_link->CloseSerialPortSlots();
        m_link->setReplaying(false);
    }
    if (m_state) {
        m_state->ConnectionKind = m_saved.kind;
        m_state->EthernetMode = m_saved.mode;
        m_state->DirectionReversed = m_saved.reversed;
    }
}

void ReplayPlayer::play()
{
    if (!m_reader || m_playing)
        return;
    m_playing = true;
    m_stepping = false;
    restartClock();
    emit playingChanged(true);
    feedDue();
}

void ReplayPlayer::pause()
{
    m_timer.stop();
    m_stepping = false;
    if (!m_playing)
        return;
    m_playing = false;
    emit playingChanged(false);
}

void ReplayPlayer::step()
{
    if (!m_reader)
        return;
    pause();
    m_scanSeen = false;
    bool more = true;
    while (!m_scanSeen && (more = feedOne())) {
    }
    emit positionChanged(m_positionUs);
    if (!more)
        emit finished();
}

void ReplayPlayer::setSpeed(Speed speed)
{
    m_speed = speed;
    if (m_playing) {
        restartClock();
        m_timer.stop();
        feedDue();
    }
}

void ReplayPlayer::seek(qint64 timeUs)
{
    if (!m_reader)
        return;
    timeUs = qBound(qint64(0), timeUs, qint64(m_durationUs));
    // The last indexed point at or before the target (the first if none).
    int i = int(std::upper_bound(m_index.cbegin(), m_index.cend(), timeUs,
                                 [](qint64 t, const IndexEntry &e) { return t < e.timeUs; })
                - m_index.cbegin());
    i = qMax(0, i - 1);
    m_reader->seek(m_index.at(i).offset);
    m_readUs = m_index.at(i).timeUs;
    m_havePending = false;
    if (m_link)
        m_link->CloseSerialPortSlots(); // partial frames from before the jump would join the new bytes
    m_positionUs = m_index.at(i).timeUs;
    while (peek() && m_pending.timeUs <= timeUs)
        feedOne();
    m_positionUs = timeUs;
    emit positionChanged(m_positionUs);
    if (m_playing) {
        restartClock();
        m_timer.stop();
        feedDue();
    }
}

bool ReplayPlayer::peek()
{
    // Requests are kept for what-if; the link is not asked again.
    while (!m_havePending || m_pending.sent) {
        if (!m_reader->next(m_pending)) {
            m_havePending = false;
            return false;
        }
        m_pending.timeUs = m_readUs = steadyTimeUs(m_readUs, m_pending.timeUs);
        m_havePending = true;
    }
    return true;
}

bool ReplayPlayer::feedOne()
{
    if (!peek())
        return false;
    m_havePending = false;
    m_positionUs = m_pending.timeUs;
    if (m_link)
        m_link->receiveRead(m_pending.bytes);
    return true;
}

void ReplayPlayer::restartClock()
{
    m_clock.start();
    m_clockStartUs = m_positionUs;
}

void ReplayPlayer::feedDue()
{
    if (!m_playing || !m_reader)
        return;
    QElapsedTimer slice;
    slice.start();
    const qint64 factor = m_speed == Fourfold ? 4 : 1;
    while (true) {
        if (!peek()) {
            emit positionChanged(m_positionUs);
            pause();
            emit finished();
            return;
        }
        if (m_speed == Fastest) {
            if (slice.elapsed() >= kFastSliceMs) {
                m_timer.start(0);
                break;
            }
        } else {
            const qint64 now = m_clockStartUs + m_clock.nsecsElapsed() / 1000 * factor;
            if (m_pending.timeUs > now) {
                // A QTimer waits at most 24.8 days; a longer gap waits that long.
                m_timer.start(int(qBound(qint64(1), qint64((m_pending.timeUs - now) / factor / 1000),
                                         qint64(std::numeric_limits<int>::max()))));
                break;
            }
        }
        feedOne();
        if (!m_playing)
            return; // a slot on the link's signals paused
    }
    emit positionChanged(m_positionUs);
}
