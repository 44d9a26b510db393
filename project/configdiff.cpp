#include "configdiff.h"

#include "areaframe.h"
#include "polar.h"
#include "shapekind.h"
#include "projectfilekind.h"
#include "parameternames.h"
#include "reporttexts.h"
#include "sensordockwords.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kIpRow = SensorDockWords::IpFirstRow;

// One line per kind of difference, English (language 0) and Chinese (1).
struct LineText
{
    const char *english;
    const char *chinese;
};
const LineText kLines[] = {
    {"device class: %1 | %2", "设备类型: %1 | %2"},
    {"parameter %1: %2 | %3", "参数 %1: %2 | %3"},
    {"case row %1, %2: %3 | %4", "工况 %1, %2: %3 | %4"},
    {"area %1, %2: %3 | %4", "区域 %1, %2: %3 | %4"},
    {"area %1, %2: kind %3 | %4", "区域 %1 的 %2: 类型 %3 | %4"},
    {"area %1, %2: %3 | %4 points", "区域 %1 的 %2: %3 | %4 个点"},
    {"area %1, %2, point %3: (%4, %5) | (%6, %7), moved %8 mm", "区域 %1 的 %2 第 %3 点: (%4, %5) | (%6, %7), 移动 %8 mm"},
};
static_assert(sizeof(kLines) / sizeof(kLines[0]) == Difference::PointMoved + 1, "one line per kind");

QString lineText(Difference::Kind kind, int language)
{
    return QString::fromUtf8(language == 1 ? kLines[kind].chinese : kLines[kind].english);
}

QString className(int deviceClass)
{
    return deviceClass < 0 ? QStringLiteral("-") : projectFileKind(deviceClass).extension.mid(1);
}

QString outputName(int output) { return QStringLiteral("Out%1").arg(output + 1); }

struct Field
{
    const char *name;
    qint32 AreaRecord::*member;
};
const Field kCaseFields[] = {{"SteerMinDgree", &AreaRecord::SteerMinDgree},
                             {"SteerMaxDgree", &AreaRecord::SteerMaxDgree},
                             {"VehicleMinSpeed", &AreaRecord::VehicleMinSpeed},
                             {"VehicleMaxSpeed", &AreaRecord::VehicleMaxSpeed},
                             {"VehicleOptionMode", &AreaRecord::VehicleOptionMode}};
const Field kAreaFields[] = {{"OpenDelay", &AreaRecord::OpenDelay},
                             {"CloseDelay", &AreaRecord::CloseDelay},
                             {"Hysteresis", &AreaRecord::Hysteresis},
                             {"DetectionSize", &AreaRecord::DetectionSize}};

// Polygon, rectangle and arc points by their angle around the scanner as
// drawn. The scanner keeps them by the angle they travel at, which is
// mirrored on a reversed scanner: without this, one zone on a forward and a
// reversed scanner would differ in every point.
Configuration inAngularOrder(Configuration config)
{
    for (AreaRecord &area : config.areas) {
        for (int output = 0; output < EditData::OutputCount; ++output) {
            const int kind = area.shape(output);
            if (kind != Polygon && kind != Rectangle && kind != Arc)
                continue;
            QVector<QPoint> &points = area.points(output);
            std::stable_sort(points.begin(), points.end(), [](const QPoint &p, const QPoint &q) {
                return polarAngle(p.x(), p.y()) < polarAngle(q.x(), q.y());
            });
        }
    }
    return config;
}

void diffOutputs(int index, const AreaRecord &a, const AreaRecord &b, QVector<Difference> &out)
{
    for (int output = 0; output < EditData::OutputCount; ++output) {
        Difference d;
        d.area = index;
        d.output = output;
        if (a.shape(output) != b.shape(output)) {
            d.kind = Difference::OutputKind;
            d.a = a.shape(output);
            d.b = b.shape(output);
            out.append(d);
        }
        const QVector<QPoint> &pa = a.points(output);
        const QVector<QPoint> &pb = b.points(output);
        if (pa.size() != pb.size()) {
            // Points of different lists cannot be paired one to one.
            d.kind = Difference::PointCount;
            d.a = pa.size();
            d.b = pb.size();
            out.append(d);
            continue;
        }
        for (int i = 0; i < pa.size(); ++i) {
            if (pa.at(i) == pb.at(i))
                continue;
            d.kind = Difference::PointMoved;
            d.point = i;
            d.pointA = pa.at(i);
            d.pointB = pb.at(i);
            out.append(d);
        }
    }
}
} // namespace

double Difference::movedBy() const
{
    return std::hypot(double(pointB.x()) - pointA.x(), double(pointB.y()) - pointA.y());
}

Configuration asStored(const Configuration &config)
{
    Configuration stored = config;
    const bool reversed = config.reversed();
    for (int i = 0; i < stored.areas.size() && i < EditData::AreaCount; ++i) {
        const AreaEncodeResult sent = encodeAreaBlock(Command::RArea, i, stored.areas.at(i), reversed);
        if (!sent.ok())
            continue;
        if (const std::optional<AreaBlock> block = decodeAreaBlock(sent.frame, Command::RArea))
            applyAreaBlock(*block, reversed, stored.areas[i]);
    }
    return stored;
}

QVector<Difference> diffConfigurations(const Configuration &rawA, const Configuration &rawB, int language)
{
    const Configuration a = inAngularOrder(asStored(rawA));
    const Configuration b = inAngularOrder(asStored(rawB));
    QVector<Difference> out;
    if (a.deviceClass >= 0 && b.deviceClass >= 0 && a.deviceClass != b.deviceClass) {
        Difference d;
        d.kind = Difference::DeviceClass;
        d.a = a.deviceClass;
        d.b = b.deviceClass;
        out.append(d);
    }
    for (int row = 0; row < kSensorDockRows; ++row) {
        const bool ip = row >= kIpRow && row < kIpRow + 4;
        if (ip && row != kIpRow)
            continue; // the address is one parameter
        bool differs = a.rows[size_t(row)] != b.rows[size_t(row)];
        for (int k = 1; ip && k < 4; ++k)
            differs = differs || a.rows[size_t(row + k)] != b.rows[size_t(row + k)];
        if (!differs)
            continue;
        Difference d;
        d.kind = Difference::Parameter;
        d.row = row;
        d.a = a.rows[size_t(row)];
        d.b = b.rows[size_t(row)];
        d.textA = parameterValue(a, row, language);
        d.textB = parameterValue(b, row, language);
        out.append(d);
    }
    for (int i = 0; i < EditData::AreaCount; ++i) {
        // Case fields travel as 16 bits, so compare them as the scanner keeps them.
        for (const Field &f : kCaseFields) {
            const qint16 va = qint16(a.areas.at(i).*f.member);
            const qint16 vb = qint16(b.areas.at(i).*f.member);
            if (va == vb)
                continue;
            Difference d;
            d.kind = Difference::CaseField;
            d.area = i;
            d.field = QString::fromLatin1(f.name);
            d.a = va;
            d.b = vb;
            out.append(d);
        }
    }
    for (int i = 0; i < EditData::AreaCount; ++i) {
        const AreaRecord &ra = a.areas.at(i);
        const AreaRecord &rb = b.areas.at(i);
        for (const Field &f : kAreaFields) {
            if (ra.*f.member == rb.*f.member)
                continue;
            Difference d;
            d.kind = Difference::AreaField;
            d.area = i;
            d.field = QString::fromLatin1(f.name);
            d.a = ra.*f.member;
            d.b = rb.*f.member;
            out.append(d);
        }
        diffOutputs(i, ra, rb, out);
    }
    return out;
}

QStringList differenceLines(const QVector<Difference> &diffs, int language)
{
    QStringList lines;
    for (const Difference &d : diffs) {
        switch (d.kind) {
        case Difference::DeviceClass:
            lines << lineText(d.kind, language).arg(className(int(d.a)), className(int(d.b)));
            break;
        case Difference::Parameter:
            lines << lineText(d.kind, language).arg(parameterName(d.row, language), d.textA, d.textB);
            break;
        case Difference::CaseField:
            lines << lineText(d.kind, language).arg(QString::number(d.area), d.field).arg(d.a).arg(d.b);
            break;
        case Difference::AreaField:
            lines << lineText(d.kind, language).arg(QString::number(d.area), d.field).arg(d.a).arg(d.b);
            break;
        case Difference::OutputKind:
            lines << lineText(d.kind, language)
                         .arg(QString::number(d.area), outputName(d.output), reportKindName(int(d.a), language),
                              reportKindName(int(d.b), language));
            break;
        case Difference::PointCount:
            lines << lineText(d.kind, language).arg(QString::number(d.area), outputName(d.output)).arg(d.a).arg(d.b);
            break;
        case Difference::PointMoved:
            lines << lineText(d.kind, language)
                         .arg(QString::number(d.area), outputName(d.output), QString::number(d.point + 1))
                         .arg(d.pointA.x())
                         .arg(d.pointA.y())
                         .arg(d.pointB.x())
                         .arg(d.pointB.y())
                         .arg(d.movedBy(), 0, 'f', 1);
            break;
        }
    }
    return lines;
}

QJsonObject differencesJson(const QVector<Difference> &diffs, int language)
{
    QJsonArray list;
    for (const Difference &d : diffs) {
        QJsonObject o;
        static const char *const kKinds[] = {"class", "parameter", "case", "area", "kind", "count", "point"};
        o.insert(QStringLiteral("type"), QString::fromLatin1(kKinds[d.kind]));
        if (d.area >= 0)
            o.insert(QStringLiteral("area"), d.area);
        if (d.output >= 0)
            o.insert(QStringLiteral("output"), outputName(d.output));
        switch (d.kind) {
        case Difference::DeviceClass:
            o.insert(QStringLiteral("a"), className(int(d.a)));
            o.insert(QStringLiteral("b"), className(int(d.b)));
            break;
        case Difference::Parameter:
            o.insert(QStringLiteral("name"), parameterName(d.row, language));
            o.insert(QStringLiteral("a"), d.textA);
            o.insert(QStringLiteral("b"), d.textB);
            break;
        case Difference::CaseField:
        case Difference::AreaField:
            o.insert(QStringLiteral("name"), d.field);
            o.insert(QStringLiteral("a"), d.a);
            o.insert(QStringLiteral("b"), d.b);
            break;
        case Difference::OutputKind:
            o.insert(QStringLiteral("a"), reportKindName(int(d.a), 0));
            o.insert(QStringLiteral("b"), reportKindName(int(d.b), 0));
            break;
        case Difference::PointCount:
            o.insert(QStringLiteral("a"), d.a);
            o.insert(QStringLiteral("b"), d.b);
            break;
        case Difference::PointMoved:
            o.insert(QStringLiteral("point"), d.point + 1);
            o.insert(QStringLiteral("a"), QJsonArray{d.pointA.x(), d.pointA.y()});
            o.insert(QStringLiteral("b"), QJsonArray{d.pointB.x(), d.pointB.y()});
            o.insert(QStringLiteral("moved"), std::round(d.movedBy() * 10.0) / 10.0);
            break;
        }
        list.append(o);
    }
    return QJsonObject{{QStringLiteral("equal"), diffs.isEmpty()}, {QStringLiteral("differences"), list}};
}
