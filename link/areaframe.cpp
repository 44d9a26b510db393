#include "areaframe.h"

#include "crc16.h"
#include "polar.h"
#include "shapekind.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kDescriptorBase = 14;
constexpr int kDescriptorSize = 16;
constexpr int kSlotBase = 62;
constexpr int kSlotSize = 4;

int descriptorAt(int output) { return kDescriptorBase + kDescriptorSize * output; }
int slotAt(int output, int slot) { return kSlotBase + output * kAreaSlotsPerOutput * kSlotSize + slot * kSlotSize; }

bool fitsInt16(qint64 v) { return v >= -32768 && v <= 32767; }
bool fitsUint16(qint64 v) { return v >= 0 && v <= 65535; }

// A point as it travels: x negated for a reversed scanner. 64 bits so that
// negating the most negative int cannot overflow.
struct WirePoint
{
    qint64 x;
    qint64 y;
    float angle;
    int listIndex;
};

WirePoint wirePoint(const QPoint &p, bool reversed, int listIndex)
{
    const qint64 x = reversed ? -qint64(p.x()) : qint64(p.x());
    return {x, p.y(), polarAngle(double(x), double(p.y())), listIndex};
}

// Polygon and rectangle points in slot order: ascending angle, and of points
// with exactly the same angle only the last one in list order.
QVector<WirePoint> slotOrder(const QVector<QPoint> &points, bool reversed)
{
    QVector<WirePoint> order;
    order.reserve(points.size());
    for (int i = 0; i < points.size(); ++i)
        order.append(wirePoint(points.at(i), reversed, i));
    std::stable_sort(order.begin(), order.end(),
                     [](const WirePoint &a, const WirePoint &b) { return a.angle < b.angle; });
    QVector<WirePoint> kept;
    kept.reserve(order.size());
    for (const WirePoint &p : order) {
        if (!kept.isEmpty() && kept.last().angle == p.angle)
            kept.last() = p; // same angle: the later one in list order wins
        else
            kept.append(p);
    }
    return kept;
}

// Whole degrees as the encoder writes an angle: truncated toward zero.
qint64 wireDegree(float angle) { return qint64(angle * kRadToDeg); }

struct ArcFields
{
    qint64 start = 0;
    qint64 end = 0;
    qint64 radius = 0;
};

ArcFields arcFields(const QVector<QPoint> &points, bool reversed)
{
    const WirePoint a = wirePoint(points.at(0), reversed, 0);
    const WirePoint b = wirePoint(points.at(1), reversed, 1);
    const float lo = std::min(a.angle, b.angle);
    const float hi = std::max(a.angle, b.angle);
    ArcFields f;
    f.start = wireDegree(lo); // within -90..270: no overflow
    f.end = wireDegree(hi);
    // Up to 2^31 * sqrt(2): fits easily in 64 bits.
    f.radius = qint64(polarDistance(double(a.x), double(a.y)));
    return f;
}

// The integer wire point that the encoder turns back into exactly `degree`
// and `radius`, so that an arc read from a scanner travels back unchanged
// instead of turning and shrinking a little on every read and write. The
// nearest such point to the middle of that degree and millimetre; where none
// fits (radii below 81 mm have degree and millimetre cells without an integer
// point) one that keeps the degree, else the plain polar point.
QPoint arcWirePoint(int degree, int radius)
{
    // Truncation toward zero: degree d >= 0 covers [d, d+1) (0 also covers
    // (-1, 0)), d < 0 covers (d-1, d]; -90 is only the negative y axis itself.
    const double middle = degree == -90 ? -90.0 : degree < 0 ? degree - 0.5 : degree + 0.5;
    const double rad = middle * 3.14159265358979323846 / 180.0;
    const double r = radius + 0.5;
    const long cx = std::lround(r * std::cos(rad));
    const long cy = std::lround(r * std::sin(rad));
    // The centre, then its eight neighbours: from 81 mm on every cell holds
    // one of them.
    static const std::array<QPoint, 9> offsets = {QPoint(0, 0),  QPoint(1, 0),  QPoint(-1, 0),
                                                  QPoint(0, 1),  QPoint(0, -1), QPoint(1, 1),
                                                  QPoint(1, -1), QPoint(-1, 1), QPoint(-1, -1)};
    std::optional<QPoint> degreeOnly;
    for (const QPoint &d : offsets) {
        const double x = double(cx + d.x());
        const double y = double(cy + d.y());
        if (wireDegree(polarAngle(x, y)) != degree)
            continue;
        const QPoint p(int(cx + d.x()), int(cy + d.y()));
        if (qint64(polarDistance(x, y)) == radius)
            return p;
        if (!degreeOnly)
            degreeOnly = p;
    }
    return degreeOnly.value_or(fromPolar(float(radius), float(degree) * kDegToRad));
}

AreaEncodeError refuse(AreaEncodeError::Reason reason, int area, int output, int point, qint64 value)
{
    AreaEncodeError e;
    e.reason = reason;
    e.area = area;
    e.output = output;
    e.point = point;
    e.value = value;
    return e;
}

// Validates one output and, when frame is given, writes its descriptor and slots.
AreaEncodeError encodeOutput(int index, int output, const AreaRecord &area, bool reversed, QByteArray *frame)
{
    const int kind = area.shape(output);
    const QVector<QPoint> &points = area.points(output);
    const int desc = descriptorAt(output);
    qint64 count = points.size();

    if (kind == Arc && points.size() == 2) {
        const ArcFields arc = arcFields(points, reversed);
        if (!fitsUint16(arc.radius))
            return refuse(AreaEncodeError::DistanceOutOfRange, index, output, 0, arc.radius);
        if (frame) {
            put16(*frame, desc + 4, arc.start);
            put16(*frame, desc + 6, arc.end);
            put16(*frame, desc + 8, arc.radius);
        }
    } else if (isDependentShape(kind) && !points.isEmpty()) {
        const qint64 d = points.first().y();
        if (!fitsUint16(d))
            return refuse(AreaEncodeError::DistanceOutOfRange, index, output, 0, d);
        if (frame) {
            put16(*frame, desc + 10, d);
            put16(*frame, desc + 12, d);
            put16(*frame, desc + 14, d);
        }
    } else if (kind == Polygon || kind == Rectangle) {
        for (int i = 0; i < points.size(); ++i) {
            const WirePoint p = wirePoint(points.at(i), reversed, i);
            if (!fitsInt16(p.x))
                return refuse(AreaEncodeError::CoordinateTooLarge, index, output, i, points.at(i).x());
            if (!fitsInt16(p.y))
                return refuse(AreaEncodeError::CoordinateTooLarge, index, output, i, p.y);
        }
        const QVector<WirePoint> ordered = slotOrder(points, reversed);
        if (ordered.size() > kAreaSlotsPerOutput)
            return refuse(AreaEncodeError::TooManyPoints, index, output, -1, ordered.size());
        count = ordered.size();
        if (frame) {
            for (int s = 0; s < ordered.size(); ++s) {
                put16(*frame, slotAt(output, s), ordered.at(s).x);
                put16(*frame, slotAt(output, s) + 2, ordered.at(s).y);
            }
        }
    }
    if (frame) {
        put16(*frame, desc, kind);
        put16(*frame, desc + 2, count);
    }
    return {};
}

QString outputName(int output) { return QStringLiteral("Out%1").arg(output + 1); }
} // namespace

QString AreaEncodeError::message(int language) const
{
    if (language != 0 && language != 1)
        return {};
    const bool zh = language == 1;
    const QString where = zh ? QStringLiteral("区域 %1 的 %2").arg(area).arg(outputName(output))
                             : QStringLiteral("Area %1, %2").arg(area).arg(outputName(output));
    // Points are numbered as in the coordinate tables, from 1.
    const QString pointNo = QString::number(point + 1);
    switch (reason) {
    case None:
        return {};
    case BadAreaIndex:
        return zh ? QStringLiteral("区域编号 %1 超出 0 … 63").arg(area)
                  : QStringLiteral("Area number %1 is outside 0 … 63").arg(area);
    case TooManyPoints:
        return zh ? QStringLiteral("%1 有 %2 个点，最多只能下载 100 个点，下载已取消。").arg(where).arg(value)
                  : QStringLiteral("%1 has %2 points; at most 100 can be downloaded. Download refused.")
                        .arg(where)
                        .arg(value);
    case CoordinateTooLarge:
        return zh ? QStringLiteral("%1 第 %2 点的坐标 %3 mm 超出 -32768 … 32767 mm，下载已取消。")
                        .arg(where, pointNo)
                        .arg(value)
                  : QStringLiteral("%1, point %2: coordinate %3 mm is outside -32768 … 32767 mm. "
                                   "Download refused.")
                        .arg(where, pointNo)
                        .arg(value);
    case DistanceOutOfRange:
        return zh ? QStringLiteral("%1 的距离 %2 mm 超出 0 … 65535 mm，下载已取消。").arg(where).arg(value)
                  : QStringLiteral("%1: distance %2 mm is outside 0 … 65535 mm. Download refused.")
                        .arg(where)
                        .arg(value);
    }
    return {};
}

AreaEncodeError checkAreaEncodable(int index, const AreaRecord &area, bool reversed)
{
    if (index < 0 || index >= 64)
        return refuse(AreaEncodeError::BadAreaIndex, index, -1, -1, index);
    for (int output = 0; output < 3; ++output)
        if (AreaEncodeError e = encodeOutput(index, output, area, reversed, nullptr))
            return e;
    return {};
}

AreaEncodeResult encodeAreaBlock(Command command, int index, const AreaRecord &area, bool reversed)
{
    AreaEncodeResult result;
    if (index < 0 || index >= 64) {
        result.error = refuse(AreaEncodeError::BadAreaIndex, index, -1, -1, index);
        return result;
    }
    QByteArray frame = blankFrame(command, kAreaFrameLength);
    frame[5] = char(index);
    put16(frame, 6, area.OpenDelay);
    put16(frame, 8, area.CloseDelay);
    put16(frame, 10, area.Hysteresis);
    put16(frame, 12, area.DetectionSize);
    for (int output = 0; output < 3; ++output) {
        if (AreaEncodeError e = encodeOutput(index, output, area, reversed, &frame)) {
            result.error = e;
            return result;
        }
    }
    storeCrc(frame);
    result.frame = frame;
    return result;
}

std::optional<AreaBlock> decodeAreaBlock(const QByteArray &frame, Command command)
{
    if (!isFrame(frame, command, kAreaFrameLength))
        return std::nullopt;
    AreaBlock block;
    block.Index = quint8(frame.at(5));
    block.OpenDelay = get16(frame, 6);
    block.CloseDelay = get16(frame, 8);
    block.Hysteresis = get16(frame, 10);
    block.DetectionSize = get16(frame, 12);
    for (int output = 0; output < 3; ++output) {
        AreaBlock::Output &out = block.Outputs[size_t(output)];
        const int desc = descriptorAt(output);
        out.Kind = quint8(frame.at(desc + 1));
        out.Count = get16(frame, desc + 2);
        out.StartDegree = get16s(frame, desc + 4);
        out.EndDegree = get16s(frame, desc + 6);
        out.Radius = get16(frame, desc + 8);
        out.StraightDistance = get16(frame, desc + 10);
        out.FanDistance = get16(frame, desc + 12);
        out.RatioDistance = get16(frame, desc + 14);
        if (out.Count >= 1 && out.Count <= kAreaSlotsPerOutput) {
            out.Slots.reserve(out.Count);
            for (int s = 0; s < out.Count; ++s)
                out.Slots.append(QPoint(get16s(frame, slotAt(output, s)), get16s(frame, slotAt(output, s) + 2)));
        }
    }
    return block;
}

void applyAreaBlock(const AreaBlock &block, bool reversed, AreaRecord &area)
{
    area.OpenDelay = block.OpenDelay;
    area.CloseDelay = block.CloseDelay;
    area.Hysteresis = block.Hysteresis;
    area.DetectionSize = block.DetectionSize;
    const int sign = reversed ? -1 : 1;
    for (int output = 0; output < 3; ++output) {
        const AreaBlock::Output &out = block.Outputs[size_t(output)];
        if (out.Kind >= Polygon && out.Kind <= Ratio)
            area.shape(output) = out.Kind;
        QVector<QPoint> &points = area.points(output);
        switch (area.shape(output)) {
        case Arc: {
            points.clear();
            // The radius travels from the first point: it is the start.
            const QPoint a = arcWirePoint(out.StartDegree, out.Radius);
            const QPoint b = arcWirePoint(out.EndDegree, out.Radius);
            points << QPoint(sign * a.x(), a.y()) << QPoint(sign * b.x(), b.y());
            break;
        }
        case Straight:
            points = {QPoint(0, out.StraightDistance)};
            break;
        case Fan:
            points = {QPoint(0, out.FanDistance)};
            break;
        case Ratio:
            points = {QPoint(0, out.RatioDistance)};
            break;
        case Polygon:
        case Rectangle:
            points.clear();
            for (const QPoint &p : out.Slots)
                points.append(QPoint(sign * p.x(), p.y()));
            break;
        default:
            break; // an unknown kind kept from the model: its points stay
        }
    }
}

bool CaseFields::operator==(const CaseFields &o) const
{
    return SteerMinDgree == o.SteerMinDgree && SteerMaxDgree == o.SteerMaxDgree
        && VehicleMinSpeed == o.VehicleMinSpeed && VehicleMaxSpeed == o.VehicleMaxSpeed
        && VehicleOptionMode == o.VehicleOptionMode;
}

CaseTable caseTableOf(const QVector<AreaRecord> &areas)
{
    CaseTable table{};
    for (int i = 0; i < 64 && i < areas.size(); ++i) {
        const AreaRecord &a = areas.at(i);
        table[size_t(i)] = {qint16(a.SteerMinDgree), qint16(a.SteerMaxDgree), qint16(a.VehicleMinSpeed),
                            qint16(a.VehicleMaxSpeed), qint16(a.VehicleOptionMode)};
    }
    return table;
}

QByteArray encodeCaseTable(Command command, const CaseTable &table)
{
    QByteArray frame = blankFrame(command, kCaseFrameLength);
    for (int i = 0; i < 64; ++i) {
        const CaseFields &c = table[size_t(i)];
        const int base = 5 + 10 * i;
        put16(frame, base, c.SteerMinDgree);
        put16(frame, base + 2, c.SteerMaxDgree);
        put16(frame, base + 4, c.VehicleMinSpeed);
        put16(frame, base + 6, c.VehicleMaxSpeed);
        put16(frame, base + 8, c.VehicleOptionMode);
    }
    storeCrc(frame);
    return frame;
}

std::optional<CaseTable> decodeCaseTable(const QByteArray &frame, Command command)
{
    if (!isFrame(frame, command, kCaseFrameLength))
        return std::nullopt;
    CaseTable table{};
    for (int i = 0; i < 64; ++i) {
        const int base = 5 + 10 * i;
        table[size_t(i)] = {get16s(frame, base), get16s(frame, base + 2), get16s(frame, base + 4),
                            get16s(frame, base + 6), get16s(frame, base + 8)};
    }
    return table;
}

void applyCaseTable(const CaseTable &table, QVector<AreaRecord> &areas)
{
    for (int i = 0; i < 64 && i < areas.size(); ++i) {
        AreaRecord &a = areas[i];
        const CaseFields &c = table[size_t(i)];
        a.SteerMinDgree = c.SteerMinDgree;
        a.SteerMaxDgree = c.SteerMaxDgree;
        a.VehicleMinSpeed = c.VehicleMinSpeed;
        a.VehicleMaxSpeed = c.VehicleMaxSpeed;
        a.VehicleOptionMode = c.VehicleOptionMode;
    }
}
