// The area encoder on arbitrary models: any kind, any number of points, any
// 32-bit coordinate. It must either refuse with a message or produce a frame
// that reads back to the points it was given (for polygons: the same points,
// one per angle, in angle order), never a cut or wrapped zone.

#include "areaframe.h"
#include "fuzzsupport.h"
#include "polar.h"
#include "shapekind.h"

#include <QSet>
#include <cstdint>
#include <cstring>

namespace {
qint32 take32(const uint8_t *&p, const uint8_t *end)
{
    qint32 v = 0;
    if (end - p >= 4) {
        std::memcpy(&v, p, 4);
        p += 4;
    } else {
        p = end;
    }
    return v;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 4)
        return 0;
    const uint8_t *p = data;
    const uint8_t *end = data + size;
    const bool reversed = *p & 1;
    const bool small = *p & 2; // keep coordinates small most of the time
    ++p;
    AreaRecord area;
    for (int o = 0; o < 3 && end - p >= 2; ++o) {
        area.shape(o) = *p++ % 7; // 6 is no kind
        int count = *p++;
        if (count > 200)
            count = 101 + count % 8; // around the slot limit
        for (int i = 0; i < count && p < end; ++i) {
            qint32 x = take32(p, end);
            qint32 y = take32(p, end);
            if (small) {
                x = qint16(x);
                y = qint16(y);
            }
            area.points(o).append(QPoint(x, y));
        }
        if (p >= end)
            break;
    }
    const AreaEncodeResult r = encodeAreaBlock(Command::WArea, 3, area, reversed);
    FUZZ_CHECK(r.ok() == !checkAreaEncodable(3, area, reversed));
    if (!r.ok()) {
        FUZZ_CHECK(r.frame.isEmpty());
        FUZZ_CHECK(r.error.area == 3 && r.error.output >= 0 && r.error.output < 3);
        FUZZ_CHECK(!r.error.message(0).isEmpty() && !r.error.message(1).isEmpty());
        return 0;
    }
    FUZZ_CHECK(r.frame.size() == kAreaFrameLength && hasValidCrc(r.frame));
    const std::optional<AreaBlock> block = decodeAreaBlock(r.frame, Command::WArea);
    FUZZ_CHECK(block.has_value());
    AreaRecord back = area;
    applyAreaBlock(*block, reversed, back);
    for (int o = 0; o < 3; ++o) {
        const int kind = area.shape(o);
        if (kind != Polygon && kind != Rectangle)
            continue;
        const QVector<QPoint> &sent = area.points(o);
        const QVector<QPoint> &got = back.points(o);
        FUZZ_CHECK(got.size() <= sent.size() && got.size() <= 100);
        FUZZ_CHECK(sent.isEmpty() == got.isEmpty());
        // Every point read back is one the user drew, unchanged.
        QSet<QPair<int, int>> drawn;
        for (const QPoint &q : sent)
            drawn.insert({q.x(), q.y()});
        float last = -10.0f;
        for (const QPoint &q : got) {
            FUZZ_CHECK(drawn.contains({q.x(), q.y()}));
            // Negate as integers: -0.0 would put the origin at 180 degrees.
            const float a = polarAngle(double(reversed ? -qint64(q.x()) : qint64(q.x())), q.y());
            FUZZ_CHECK(a > last);
            last = a;
        }
    }
    return 0;
}
