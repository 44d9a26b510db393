// Recordings through what-if as the window and quillmark-cli judge them: the
// reader, the scan joiner and the evaluation with a project's zones. Any
// file gives a bounded result whose times and counts hold together.
//
// Input: a configuration byte, then either the file itself (bit 3 set) or
// chunks the file is written from: [kind][length high][length low][bytes],
// kind bit 0 a request sent (else bytes received), bit 1 eight more bytes
// before the length giving the chunk's time as it stands in the file (any
// 64-bit value), otherwise the time goes on by (kind >> 2) ms. Configuration:
// bit 0 the connection kind (serial line, Ethernet), bit 2 the scanner
// mounted reversed, bit 4 valid CRCs written into the replies and requests.

#include "fuzzsupport.h"
#include "recording.h"
#include "shapekind.h"
#include "whatif.h"

#include <QBuffer>
#include <QtEndian>
#include <cstdint>

namespace {
// A project that judges: a polygon, an arc, a rectangle and the derived
// forms in the first areas, so every scan meets real zones.
QVector<AreaRecord> project()
{
    QVector<AreaRecord> areas(64);
    for (int i = 0; i < 6; ++i) {
        AreaRecord &a = areas[i];
        a.DetectionSize = i;
        a.OpenDelay = i;
        a.CloseDelay = 2 * i;
        a.Hysteresis = 3 * i;
        a.Out1Shape = i % 3 == 1 ? Arc : i % 3 == 2 ? Rectangle : Polygon;
        a.Out1Points = a.Out1Shape == Arc ? QVector<QPoint>{{2000, -100}, {-2000, -100}}
                                          : QVector<QPoint>{{-800, 300}, {800, 300}, {800, 2500}, {-800, 2500}};
        a.Out2Shape = Straight + i % 3;
        a.Out2Points = {{0, 3000 + 100 * i}};
        a.Out3Shape = Polygon;
        a.Out3Points = {{-3000, -500}, {3000, -500}, {3000, 5000}, {-3000, 5000}};
    }
    return areas;
}

QByteArray fileOf(const uint8_t *data, size_t size, quint8 config)
{
    RecordingHeader header;
    header.connectionKind = config & 1;
    QByteArray file = encodeRecordingPreamble() + encodeRecordingHeader(header);
    qint64 time = 0;
    size_t pos = 1;
    while (pos + 3 <= size) {
        const quint8 kind = data[pos++];
        if (kind & 2) {
            if (pos + 8 > size)
                break;
            time = qFromBigEndian<qint64>(data + pos);
            pos += 8;
        } else {
            time += 1000 * (kind >> 2);
        }
        if (pos + 2 > size)
            break;
        const int length = qMin(int(data[pos]) << 8 | data[pos + 1], int(size - pos - 2));
        pos += 2;
        QByteArray bytes(reinterpret_cast<const char *>(data + pos), length);
        pos += size_t(length);
        if (bytes.isEmpty())
            continue;
        if (config & 0x10)
            fixCrcs(bytes, kind & 1);
        file += encodeRecordingChunk({bool(kind & 1), time, bytes});
    }
    return file + encodeRecordingEnd(time);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const quint8 config = data[0];
    QByteArray file = config & 0x08 ? QByteArray(reinterpret_cast<const char *>(data + 1), int(size - 1))
                                    : fileOf(data, size, config);
    static const QVector<AreaRecord> areas = project();

    QBuffer buffer(&file);
    buffer.open(QIODevice::ReadOnly);
    RecordingReader reader(&buffer);
    if (!reader.open())
        return 0;
    WhatIfEvaluator evaluator(areas, reader.header().connectionKind, config & 0x04);
    RecordingChunk chunk;
    qint64 bytes = 0;
    while (reader.next(chunk)) {
        evaluator.add(chunk);
        bytes += chunk.bytes.size();
    }

    const WhatIfResult &r = evaluator.result();
    // A scan takes at least 320 samples of the stream (1280 bytes), or a
    // serial reply of 1285.
    FUZZ_CHECK(r.scans.size() <= bytes / 1280);
    FUZZ_CHECK(r.compared <= r.replies && r.compared <= r.scans.size());
    FUZZ_CHECK(r.disagreeing <= r.compared);
    qint64 last = 0;
    int compared = 0;
    for (const WhatIfScan &s : r.scans) {
        FUZZ_CHECK(s.timeUs >= last && s.timeUs <= Recording::MaxTimeUs);
        last = s.timeUs;
        FUZZ_CHECK(s.area >= -1 && s.area < 64);
        FUZZ_CHECK((s.project | s.reported | s.disagreeMask) < 8);
        FUZZ_CHECK(!s.compared || (s.area >= 0 && s.reportKnown && !s.forced));
        FUZZ_CHECK(s.compared || s.disagreeMask == 0);
        compared += s.compared;
    }
    FUZZ_CHECK(compared == r.compared);
    const qint64 span = r.scans.isEmpty() ? 0 : r.scans.constLast().timeUs - r.scans.constFirst().timeUs;
    for (const WhatIfOutput &o : r.outputs) {
        FUZZ_CHECK(o.projectSetUs >= 0 && o.projectSetUs <= span);
        FUZZ_CHECK(o.reportedSetUs >= 0 && o.reportedSetUs <= span);
        FUZZ_CHECK(o.projectSwitchings >= 0 && o.projectSwitchings < qMax(1, r.scans.size()));
        FUZZ_CHECK(o.reportedSwitchings >= 0 && o.reportedSwitchings < qMax(1, r.scans.size()));
        FUZZ_CHECK(o.disagreements.size() <= r.disagreeing);
        for (int i : o.disagreements)
            FUZZ_CHECK(i >= 0 && i < r.scans.size() && r.scans.at(i).compared);
    }
    return 0;
}
