#include "vehiclefields.h"

#include "areaframe.h"
#include "devicetype.h"
#include "languagetext.h"
#include "shapekind.h"

#include <QSet>
#include <QStringList>
#include <cmath>

namespace VehicleFields {

namespace {
// Rounding to whole millimetres goes outwards, so a field never ends up
// shorter or narrower than sized; this much of a floating-point error is
// not taken for a millimetre.
constexpr double kRoundingSlack = 1e-6;

int outwardUp(double v) { return int(std::ceil(v - kRoundingSlack)); }
int outwardDown(double v) { return int(std::floor(v + kRoundingSlack)); }

bool usable(double v) { return std::isfinite(v) && v >= 0.0; }

// Corners in the order the editor keeps a rectangle: (x0,y0), (x0,y1),
// (x1,y1), (x1,y0), from the scanner's line to `far`.
QVector<QPoint> rectangle(int left, int right, int far)
{
    return {{left, 0}, {left, far}, {right, far}, {right, 0}};
}

Sizing refuse(Sizing::Problem problem, int band)
{
    Sizing s;
    s.problem = problem;
    s.band = band;
    return s;
}

bool inputsUsable(const Vehicle &v)
{
    if (!(usable(v.width) && v.width > 0) || !usable(v.frontOffset) || !std::isfinite(v.centreOffset)
        || !usable(v.marginLeft) || !usable(v.marginRight) || !usable(v.responseTime) || !usable(v.supplement)
        || !usable(v.deceleration) || !(std::isfinite(v.warningFactor) && v.warningFactor >= 1.0)
        || !(v.thirdFactor == 0.0 || (std::isfinite(v.thirdFactor) && v.thirdFactor >= 1.0))
        || !DeviceClasses::isValid(v.deviceClass))
        return false;
    return true;
}

bool bandUsable(const Vehicle &v, const Band &b)
{
    if (!(usable(b.speed) && b.speed > 0) || !usable(b.stoppingDistance))
        return false;
    // Without a stopping distance the deceleration gives it.
    return b.stoppingDistance > 0 || v.deceleration > 0;
}

bool caseInRange(const Band &b)
{
    return b.area >= 0 && b.area < 64 && b.minSpeed >= -300 && b.maxSpeed <= 300 && b.minSpeed <= b.maxSpeed
        && b.steerMin >= -180 && b.steerMax <= 180 && b.steerMin <= b.steerMax && b.mode >= 0 && b.mode <= 4;
}

void fill(const Vehicle &v, const Band &b, const BandFields &f, AreaRecord &a)
{
    a.Out1Shape = Rectangle;
    a.Out1Points = f.out1;
    a.Out2Shape = Rectangle;
    a.Out2Points = f.out2;
    if (v.thirdFactor > 0) {
        a.Out3Shape = Rectangle;
        a.Out3Points = f.out3;
    }
    a.SteerMinDgree = b.steerMin;
    a.SteerMaxDgree = b.steerMax;
    a.VehicleMinSpeed = b.minSpeed;
    a.VehicleMaxSpeed = b.maxSpeed;
    a.VehicleOptionMode = b.mode;
}

using LanguageText::pick;

// Lengths to a tenth of a millimetre, without a trailing ".0".
QString num(double v)
{
    QString s = QString::number(std::round(v * 10.0) / 10.0, 'f', 1);
    if (s.endsWith(QLatin1String(".0")))
        s.chop(2);
    return s == QLatin1String("-0") ? QStringLiteral("0") : s;
}
} // namespace

Sizing size(const Vehicle &v)
{
    if (v.bands.isEmpty() || v.bands.size() > MaxBands)
        return refuse(Sizing::NoBands, -1);
    if (!inputsUsable(v))
        return refuse(Sizing::InvalidInput, -1);
    const int left = outwardDown(-v.centreOffset - v.width / 2.0 - v.marginLeft);
    const int right = outwardUp(-v.centreOffset + v.width / 2.0 + v.marginRight);
    // The zone is drawn as a star around the scanner: off the covered width
    // it would no longer be the rectangle.
    if (!(left < 0 && right > 0))
        return refuse(Sizing::ScannerOutside, -1);

    Sizing s;
    QSet<int> areas;
    const double range = DeviceClasses::maxRange(v.deviceClass);
    for (int i = 0; i < v.bands.size(); ++i) {
        const Band &b = v.bands.at(i);
        s.band = i;
        s.problem = !bandUsable(v, b)  ? Sizing::InvalidInput
            : !caseInRange(b)          ? Sizing::CaseOutOfRange
            : areas.contains(b.area)   ? Sizing::AreaTwice
                                       : Sizing::None;
        if (!s.ok())
            return s;
        areas.insert(b.area);

        BandFields f;
        f.travel = b.speed * v.responseTime * 1000.0;
        f.braking = b.stoppingDistance > 0 ? b.stoppingDistance : b.speed * b.speed / (2.0 * v.deceleration) * 1000.0;
        f.protective = f.travel + f.braking + v.supplement;
        f.warning = f.protective * v.warningFactor;
        f.third = f.protective * v.thirdFactor;
        f.out1 = rectangle(left, right, outwardUp(v.frontOffset + f.protective));
        f.out2 = rectangle(left, right, outwardUp(v.frontOffset + f.warning));
        if (v.thirdFactor > 0)
            f.out3 = rectangle(left, right, outwardUp(v.frontOffset + f.third));
        // A refused band keeps its numbers, so the summary shows how far off it is.
        s.bands << f;
        const double longest = qMax(f.warning, f.third);
        const double widest = qMax(std::abs(left), std::abs(right));
        if (std::hypot(widest, v.frontOffset + longest) > range) {
            s.problem = Sizing::BeyondRange;
            return s;
        }
        AreaRecord probe;
        fill(v, b, f, probe);
        if (const AreaEncodeError e = checkAreaEncodable(b.area, probe, v.reversed)) {
            s.problem = Sizing::EncoderRefused;
            s.detail = e.message(0) + QLatin1Char('\n') + e.message(1);
            return s;
        }
    }
    s.band = -1;
    return s;
}

void apply(const Vehicle &v, const Sizing &s, QVector<AreaRecord> &areas)
{
    // A sizing that passed holds every band, each with an area 0..63.
    if (!s.ok() || s.bands.size() != v.bands.size() || areas.size() != 64)
        return;
    for (int i = 0; i < v.bands.size(); ++i)
        fill(v, v.bands.at(i), s.bands.at(i), areas[v.bands.at(i).area]);
}

QString problemText(const Sizing &s, int flag)
{
    const QString band = pick(flag, "速度段 %1：", "Band %1: ").arg(s.band + 1);
    switch (s.problem) {
    case Sizing::None:
        return {};
    case Sizing::NoBands:
        return pick(flag, "请给出 1 到 8 个速度段。", "Give between 1 and 8 speed bands.");
    case Sizing::InvalidInput:
        return (s.band >= 0 ? band : QString())
            + pick(flag, "数值无效：宽度和速度须大于 0，其余长度和时间不得为负，警告系数至少为 1，无停车距离时减速度须大于 0。",
                   "A value cannot be used: width and speed must be above 0, other lengths and times not negative, "
                   "the warning factor at least 1, and the deceleration above 0 where no stopping distance is given.");
    case Sizing::ScannerOutside:
        return pick(flag, "扫描仪必须位于所覆盖的宽度之内。", "The scanner must lie within the covered width.");
    case Sizing::CaseOutOfRange:
        return band
            + pick(flag, "区域须为 0…63，速度 −300…300，转向角 −180…180，操作模式 0…4，且下限不大于上限。",
                   "the area must be 0…63, speeds −300…300, steering −180…180, mode 0…4, each lower bound "
                   "not above its upper bound.");
    case Sizing::AreaTwice:
        return band + pick(flag, "此区域已由另一速度段填写。", "its area is already filled by another band.");
    case Sizing::BeyondRange:
        return band + pick(flag, "区域超出该型号的测量范围。", "a field reaches beyond the range of the device class.");
    case Sizing::EncoderRefused:
        return band + pick(flag, "扫描仪无法按此存储区域：", "the scanner could not store a field as drawn: ")
            + s.detail.section(QLatin1Char('\n'), flag == 1 ? 0 : 1, flag == 1 ? 0 : 1);
    }
    return {};
}

QString summary(const Vehicle &v, const Sizing &s, int flag)
{
    QStringList lines;
    lines << pick(flag, "按车辆生成区域：仅为尺寸估算辅助。所有数值必须按适用于该车辆的标准进行核对。",
                  "Fields from vehicle: a sizing aid only. Check every value against the standard that applies "
                  "to the vehicle.");
    lines << pick(flag, "公式：L = v·T + v²/(2a) + Z（给出停车距离 s 时 L = s + v·T + Z）；警告区 = %1 × L",
                  "Formula: L = v·T + v²/(2a) + Z (with a stopping distance s: L = s + v·T + Z); warning = %1 × L")
                 .arg(num(v.warningFactor))
        + (v.thirdFactor > 0 ? pick(flag, "；Out3 = %1 × L", "; Out3 = %1 × L").arg(num(v.thirdFactor)) : QString());
    lines << pick(flag, "车宽 %1 mm；扫描仪在前沿后 %2 mm、中心线右侧 %3 mm；安装方向：%4",
                  "Vehicle width %1 mm; scanner %2 mm behind the front edge, %3 mm right of the centre line; "
                  "install direction: %4")
                 .arg(num(v.width), num(v.frontOffset), num(v.centreOffset),
                      v.reversed ? pick(flag, "反装", "reversed") : pick(flag, "正装", "normal"));
    lines << pick(flag, "余量：左 %1 mm，右 %2 mm；T = %3 s；a = %4 m/s²；Z = %5 mm；型号 %6（范围 %7 mm）",
                  "Margins: left %1 mm, right %2 mm; T = %3 s; a = %4 m/s²; Z = %5 mm; class %6 (range %7 mm)")
                 .arg(num(v.marginLeft), num(v.marginRight))
                 .arg(v.responseTime)
                 .arg(v.deceleration)
                 .arg(num(v.supplement), QString::fromLatin1(DeviceClasses::rangeName(v.deviceClass)))
                 .arg(DeviceClasses::maxRange(v.deviceClass));
    for (int i = 0; i < v.bands.size(); ++i) {
        const Band &b = v.bands.at(i);
        QString line = pick(flag, "速度段 %1 → 区域 %2：v = %3 m/s", "Band %1 → area %2: v = %3 m/s")
                           .arg(i + 1)
                           .arg(b.area)
                           .arg(b.speed);
        if (i < s.bands.size()) {
            const BandFields &f = s.bands.at(i);
            line += pick(flag, "，v·T = %1 mm，%2 = %3 mm，L = %4 mm，警告区 %5 mm",
                         ", v·T = %1 mm, %2 = %3 mm, L = %4 mm, warning %5 mm")
                        .arg(num(f.travel), b.stoppingDistance > 0 ? QStringLiteral("s") : QStringLiteral("v²/(2a)"),
                             num(f.braking), num(f.protective), num(f.warning));
            if (v.thirdFactor > 0)
                line += pick(flag, "，Out3 %1 mm", ", Out3 %1 mm").arg(num(f.third));
            line += pick(flag, "；矩形 x %1…%2 mm，Out1 y 0…%3 mm，Out2 y 0…%4 mm",
                         "; rectangles x %1…%2 mm, Out1 y 0…%3 mm, Out2 y 0…%4 mm")
                        .arg(f.out1.at(0).x())
                        .arg(f.out1.at(2).x())
                        .arg(f.out1.at(1).y())
                        .arg(f.out2.at(1).y());
            if (v.thirdFactor > 0)
                line += pick(flag, "，Out3 y 0…%1 mm", ", Out3 y 0…%1 mm").arg(f.out3.at(1).y());
        }
        line += pick(flag, "；速度 %1…%2，转向 %3…%4°，操作模式%5", "; speed %1…%2, steering %3…%4°, Type %5")
                    .arg(b.minSpeed)
                    .arg(b.maxSpeed)
                    .arg(b.steerMin)
                    .arg(b.steerMax)
                    .arg(b.mode);
        lines << line;
    }
    if (!s.ok())
        lines << problemText(s, flag);
    return lines.join(QLatin1Char('\n'));
}

} // namespace VehicleFields
