#pragma once

// A recording of a link as the emulator's world: the scans and the IO status
// replies the tool received, on the recording's clock, played in a loop. The
// scans are found in the received bytes with the link's own framing and
// decoders, so the emulator serves what the tool saw.

#include "frames.h"
#include "hisnscanjoiner.h"
#include "recording.h"
#include "zoneevaluator.h"

#include <QString>
#include <QVector>
#include <optional>

class QIODevice;

class RecordedWorld
{
public:
    // Takes the received bytes of a recording in order; sent requests and a
    // recording of the other connection kind's traffic add nothing.
    explicit RecordedWorld(const RecordingHeader &header = {});
    void addChunk(const RecordingChunk &chunk);
    // The loop's length: the end record's time when there is one, else up to
    // the last bytes received.
    void setEndTimeUs(qint64 timeUs) { m_endUs = timeUs; }

    // Reads a whole recording from a device open for reading. Nothing, and the reason in *error, when it is
    // not a readable recording or holds neither a scan nor an IO status; a
    // cut recording gives what was read and says so in *warning.
    static std::optional<RecordedWorld> read(QIODevice *device, QString *error, QString *warning);
    static std::optional<RecordedWorld> load(const QString &path, QString *error, QString *warning);

    const RecordingHeader &header() const { return m_header; }
    int scanCount() const { return m_scans.size(); }
    int statusCount() const { return m_statuses.size(); }
    qint64 durationMs() const;

    // What the recording held at nowMs modulo the duration: the latest one at
    // or before that time (before the first of a loop, the last of the loop
    // before). Nothing when the recording has none.
    std::optional<Scan> scanAt(qint64 nowMs) const;
    std::optional<SimuStatus> statusAt(qint64 nowMs) const;

private:
    template <typename T>
    struct Timed
    {
        qint64 timeMs;
        T value;
    };
    template <typename T>
    std::optional<T> at(const QVector<Timed<T>> &events, qint64 nowMs) const;
    void addHisnPacket(const QByteArray &bytes, qint64 timeMs);

    RecordingHeader m_header;
    QByteArray m_rx;
    QVector<Timed<Scan>> m_scans;
    QVector<Timed<SimuStatus>> m_statuses;
    QVector<quint16> m_intensities; // the latest RStre reply of the serial line
    HisnScanJoiner m_joiner;        // the Ethernet scan being assembled
    qint64 m_lastUs = 0;
    qint64 m_endUs = -1;
};

// The scan resampled to another layout, each sample from the source sample
// nearest in angle: `serial` for the serial line's 640 samples, otherwise
// 320 * g streamed samples. The scan itself when the layouts agree.
Scan resampleScan(const Scan &scan, bool serial, int g);
