// Recording files as the replay and what-if read them: any bytes give a
// status and the records before the first fault, never more, and every
// record read is exactly what the writer would have written there.

#include "fuzzsupport.h"
#include "recording.h"

#include <QBuffer>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const RecordingContents c = readRecordingBytes(bytes);
    if (c.status == RecordingStatus::NotRecording || c.status == RecordingStatus::OtherVersion) {
        FUZZ_CHECK(c.chunks.isEmpty());
        return 0;
    }
    FUZZ_CHECK(c.status != RecordingStatus::Unreadable);
    int at = Recording::PreambleSize + Recording::HeaderPayloadSize + Recording::RecordOverhead;
    FUZZ_CHECK(bytes.startsWith(encodeRecordingPreamble()));
    for (const RecordingChunk &chunk : c.chunks) {
        FUZZ_CHECK(!chunk.bytes.isEmpty() && chunk.bytes.size() <= Recording::MaxChunk);
        const QByteArray record = encodeRecordingChunk(chunk);
        FUZZ_CHECK(bytes.mid(at, record.size()) == record);
        at += record.size();
    }
    if (c.status == RecordingStatus::Complete)
        FUZZ_CHECK(bytes.at(at) == Recording::EndType);

    // A jump back to the first record reads the same records again.
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    RecordingReader reader(&buffer);
    FUZZ_CHECK(reader.open());
    const qint64 first = reader.position();
    RecordingChunk chunk;
    for (int i = 0; i < 3 && reader.next(chunk); ++i) {
    }
    FUZZ_CHECK(reader.seek(first));
    for (int i = 0; i < c.chunks.size() && i < 3; ++i) {
        FUZZ_CHECK(reader.next(chunk));
        FUZZ_CHECK(chunk.bytes == c.chunks.at(i).bytes && chunk.timeUs == c.chunks.at(i).timeUs);
    }
    return 0;
}
