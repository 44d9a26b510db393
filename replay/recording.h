#pragma once

// Recordings of a link: every byte the tool received and every request it
// sent, with timestamps, behind a header that says what was connected. The
// layout is documented in docs/recording-format.md. Records are appended as
// they happen and each carries its own checksum, so a file cut anywhere reads
// up to its last whole record.

#include "frames.h"
#include "sensorparameters.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <memory>

class QIODevice;

namespace Recording {
constexpr int Version = 1;
constexpr int PreambleSize = 10;    // magic (8) and version (u16)
constexpr int RecordOverhead = 9;   // type, length, CRC-32
constexpr int HeaderPayloadSize = 123;
constexpr int MaxChunk = 65536;     // bytes of one R or S record
constexpr int MaxPayload = 8 + MaxChunk;
// About 285 years: a record's time beyond is taken as this.
constexpr qint64 MaxTimeUs = qint64(1) << 53;
extern const char Magic[8];         // "QMREC\r\n\x1A"

enum RecordType : char { HeaderType = 'H', ReceivedType = 'R', SentType = 'S', EndType = 'E' };
} // namespace Recording

// What was connected when the recording started.
struct RecordingHeader
{
    int connectionKind = 0; // 0 serial line, 1 Ethernet
    int ethernetMode = 0;   // 0 TCP, 1 UDP
    qint64 startMsUtc = 0;
    bool productKnown = false;
    bool parametersKnown = false;
    ProductInfo product;
    SensorParameters parameters;
};

// One timestamped piece of traffic.
struct RecordingChunk
{
    bool sent = false;  // a request the tool wrote; otherwise bytes it received
    qint64 timeUs = 0;  // since the start of the recording
    QByteArray bytes;
};

// Byte images of the parts of a file.
QByteArray encodeRecordingPreamble();
QByteArray encodeRecordingHeader(const RecordingHeader &header); // whole H record
// One R or S record; bytes must hold 1..MaxChunk bytes.
QByteArray encodeRecordingChunk(const RecordingChunk &chunk);
QByteArray encodeRecordingEnd(qint64 timeUs);
// A record's time as replay and what-if take it, whatever the file says:
// never before the record before it (previousUs), never beyond MaxTimeUs. Gaps
// and sums of such times then stay far from overflowing.
inline qint64 steadyTimeUs(qint64 previousUs, qint64 recordedUs)
{
    return qBound(previousUs, recordedUs, Recording::MaxTimeUs);
}
quint32 crc32(const QByteArray &bytes); // zlib's CRC-32
quint32 crc32Update(quint32 crc, const char *data, qint64 size);

// How reading a recording ended.
enum class RecordingStatus {
    Complete,     // the end record was read
    Cut,          // the file stops before its end record: read up to there
    Damaged,      // a record fails its checksum or cannot stand there: read up to it
    NotRecording, // no preamble, or no header after it
    OtherVersion, // a version this program does not know
    Unreadable    // the file could not be opened
};

// Reads a recording record by record, so an hour of traffic (about 1 GB on a
// dense Ethernet stream) is never held whole. The device is not owned.
class RecordingReader
{
public:
    explicit RecordingReader(QIODevice *device);

    // Reads preamble and header. False when the file is not a readable
    // recording; status() says why.
    bool open();
    const RecordingHeader &header() const { return m_header; }
    // The next R or S record; false at the end record, the end of the file
    // or the first damaged record (status() tells which).
    bool next(RecordingChunk &chunk);
    // Offset the next record starts at, and a jump back to one of those
    // (replay's position slider keeps such offsets).
    qint64 position() const { return m_pos; }
    bool seek(qint64 offset);
    RecordingStatus status() const { return m_status; }
    qint64 endTimeUs() const { return m_endUs; } // from the end record, -1 without one
    int version() const { return m_version; }

private:
    bool readExact(char *to, qint64 n);
    bool readRecord(char &type); // into m_buffer, checksum verified

    QIODevice *m_device;
    RecordingHeader m_header;
    RecordingStatus m_status = RecordingStatus::Cut;
    qint64 m_pos = 0;
    qint64 m_endUs = -1;
    int m_version = 0;
    bool m_damaged = false;
    QByteArray m_buffer;
};

// A whole recording in memory, for tests and small files.
struct RecordingContents
{
    RecordingStatus status = RecordingStatus::Unreadable;
    RecordingHeader header;
    QVector<RecordingChunk> chunks;
};
RecordingContents readRecording(const QString &path);
RecordingContents readRecordingFrom(QIODevice *device);
RecordingContents readRecordingBytes(const QByteArray &bytes);

// One line for the user about how a read ended ("" for a complete
// recording); language 0 English, 1 Chinese.
QString recordingMessage(RecordingStatus status, int language, int version = 0);
