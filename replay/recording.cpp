#include "recording.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QtEndian>
#include <array>

const char Recording::Magic[8] = {'Q', 'M', 'R', 'E', 'C', '\r', '\n', '\x1A'};

namespace {

std::array<quint32, 256> makeCrcTable()
{
    std::array<quint32, 256> t{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[i] = c;
    }
    return t;
}

void putU16(QByteArray &b, quint16 v)
{
    char d[2];
    qToLittleEndian(v, d);
    b.append(d, 2);
}

void putU32(QByteArray &b, quint32 v)
{
    char d[4];
    qToLittleEndian(v, d);
    b.append(d, 4);
}

void putU64(QByteArray &b, quint64 v)
{
    char d[8];
    qToLittleEndian(v, d);
    b.append(d, 8);
}

QByteArray record(char type, const QByteArray &payload)
{
    QByteArray r;
    r.reserve(payload.size() + Recording::RecordOverhead);
    r.append(type);
    putU32(r, quint32(payload.size()));
    r.append(payload);
    putU32(r, crc32(r));
    return r;
}

template <typename T> T get(const char *p) { return qFromLittleEndian<T>(p); }

} // namespace

quint32 crc32Update(quint32 crc, const char *data, qint64 size)
{
    static const std::array<quint32, 256> table = makeCrcTable();
    quint32 c = ~crc;
    for (qint64 i = 0; i < size; ++i)
        c = table[(c ^ quint8(data[i])) & 0xFF] ^ (c >> 8);
    return ~c;
}

quint32 crc32(const QByteArray &bytes) { return crc32Update(0, bytes.constData(), bytes.size()); }

QByteArray encodeRecordingPreamble()
{
    QByteArray b(Recording::Magic, 8);
    putU16(b, Recording::Version);
    return b;
}

QByteArray encodeRecordingHeader(const RecordingHeader &h)
{
    QByteArray p;
    p.reserve(Recording::HeaderPayloadSize);
    p.append(char(h.connectionKind));
    p.append(char(h.ethernetMode));
    putU64(p, quint64(h.startMsUtc));
    p.append(char((h.productKnown ? 1 : 0) | (h.parametersKnown ? 2 : 0)));
    for (const quint16 v : {h.product.ProductType, h.product.FirmwareVersion, h.product.SerialNumber, h.product.Year,
                            h.product.Month, h.product.Day})
        putU16(p, v);
    for (const qint32 w : h.parameters.Words)
        putU32(p, quint32(w));
    return record(Recording::HeaderType, p);
}

QByteArray encodeRecordingChunk(const RecordingChunk &chunk)
{
    QByteArray p;
    p.reserve(8 + chunk.bytes.size());
    putU64(p, quint64(chunk.timeUs));
    p.append(chunk.bytes);
    return record(chunk.sent ? Recording::SentType : Recording::ReceivedType, p);
}

QByteArray encodeRecordingEnd(qint64 timeUs)
{
    QByteArray p;
    putU64(p, quint64(timeUs));
    return record(Recording::EndType, p);
}

// ---- Reading --------------------------------------------------------------------

RecordingReader::RecordingReader(QIODevice *device) : m_device(device) {}

bool RecordingReader::readExact(char *to, qint64 n)
{
    qint64 got = 0;
    while (got < n) {
        const qint64 r = m_device->read(to + got, n - got);
        if (r <= 0)
            return false;
        got += r;
    }
    return true;
}

bool RecordingReader::open()
{
    m_status = RecordingStatus::NotRecording;
    if (!m_device || !m_device->isOpen()) {
        m_status = RecordingStatus::Unreadable;
        return false;
    }
    char pre[Recording::PreambleSize];
    if (!readExact(pre, sizeof pre) || memcmp(pre, Recording::Magic, 8) != 0)
        return false;
    m_version = get<quint16>(pre + 8);
    if (m_version != Recording::Version) {
        m_status = RecordingStatus::OtherVersion;
        return false;
    }
    m_pos = Recording::PreambleSize;
    char type = 0;
    // A header is what makes the file a recording: without a whole one it
    // cannot be told what the bytes were.
    if (!readRecord(type) || type != Recording::HeaderType || m_buffer.size() != Recording::HeaderPayloadSize) {
        m_status = RecordingStatus::NotRecording;
        return false;
    }
    const char *p = m_buffer.constData();
    m_header.connectionKind = quint8(p[0]);
    m_header.ethernetMode = quint8(p[1]);
    m_header.startMsUtc = qint64(get<quint64>(p + 2));
    m_header.productKnown = (p[10] & 1) != 0;
    m_header.parametersKnown = (p[10] & 2) != 0;
    ProductInfo &i = m_header.product;
    quint16 *fields[] = {&i.ProductType, &i.FirmwareVersion, &i.SerialNumber, &i.Year, &i.Month, &i.Day};
    for (int k = 0; k < 6; ++k)
        *fields[k] = get<quint16>(p + 11 + 2 * k);
    for (int k = 0; k < SensorParameters::WordCount; ++k)
        m_header.parameters.Words[size_t(k)] = qint32(get<quint32>(p + 23 + 4 * k));
    if (m_header.connectionKind > 1 || m_header.ethernetMode > 1) {
        m_status = RecordingStatus::NotRecording;
        return false;
    }
    m_status = RecordingStatus::Cut; // until the end record is read
    return true;
}

bool RecordingReader::readRecord(char &type)
{
    char head[5];
    if (!readExact(head, sizeof head))
        return false;
    const quint32 length = get<quint32>(head + 1);
    if (length > quint32(Recording::MaxPayload)) {
        m_damaged = true;
        return false;
    }
    m_buffer.resize(int(length));
    char tail[4];
    if (!readExact(m_buffer.data(), length) || !readExact(tail, sizeof tail))
        return false;
    const quint32 crc = crc32Update(crc32Update(0, head, 5), m_buffer.constData(), length);
    if (crc != get<quint32>(tail)) {
        m_damaged = true;
        return false;
    }
    type = head[0];
    m_pos += qint64(Recording::RecordOverhead) + length;
    return true;
}

bool RecordingReader::next(RecordingChunk &chunk)
{
    if (m_status != RecordingStatus::Cut)
        return false; // not open, at the end or past damage
    char type = 0;
    if (!readRecord(type)) {
        if (m_damaged)
            m_status = RecordingStatus::Damaged;
        return false;
    }
    if (type == Recording::EndType && m_buffer.size() == 8) {
        m_endUs = qint64(get<quint64>(m_buffer.constData()));
        m_status = RecordingStatus::Complete;
        return false;
    }
    if ((type != Recording::ReceivedType && type != Recording::SentType) || m_buffer.size() < 9) {
        m_status = RecordingStatus::Damaged; // a record that cannot stand here
        return false;
    }
    chunk.sent = type == Recording::SentType;
    chunk.timeUs = qint64(get<quint64>(m_buffer.constData()));
    chunk.bytes = m_buffer.mid(8);
    return true;
}

bool RecordingReader::seek(qint64 offset)
{
    if (offset < Recording::PreambleSize || !m_device->seek(offset))
        return false;
    m_pos = offset;
    m_status = RecordingStatus::Cut;
    m_damaged = false;
    m_endUs = -1;
    return true;
}

RecordingContents readRecordingFrom(QIODevice *device)
{
    RecordingContents c;
    RecordingReader reader(device);
    if (!reader.open()) {
        c.status = reader.status();
        return c;
    }
    c.header = reader.header();
    RecordingChunk chunk;
    while (reader.next(chunk))
        c.chunks.append(chunk);
    c.status = reader.status();
    return c;
}

RecordingContents readRecording(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return readRecordingFrom(&file);
}

RecordingContents readRecordingBytes(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readRecordingFrom(&buffer);
}

QString recordingMessage(RecordingStatus status, int language, int version)
{
    const bool zh = language == 1;
    switch (status) {
    case RecordingStatus::Complete:
        return QString();
    case RecordingStatus::Cut:
        return zh ? QStringLiteral("录制文件不完整，只能播放到中断处。")
                  : QStringLiteral("The recording is incomplete; it plays up to where it breaks off.");
    case RecordingStatus::Damaged:
        return zh ? QStringLiteral("录制文件已损坏，只能播放到损坏处。")
                  : QStringLiteral("The recording is damaged; it plays up to the damage.");
    case RecordingStatus::NotRecording:
        return zh ? QStringLiteral("这不是录制文件。") : QStringLiteral("This is not a recording.");
    case RecordingStatus::OtherVersion:
        return zh ? QStringLiteral("录制文件的版本 %1 不受支持。").arg(version)
                  : QStringLiteral("Recording version %1 is not supported.").arg(version);
    case RecordingStatus::Unreadable:
        return zh ? QStringLiteral("无法打开录制文件。") : QStringLiteral("The recording cannot be opened.");
    }
    return QString();
}
