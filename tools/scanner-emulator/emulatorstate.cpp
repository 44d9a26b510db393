#include "emulatorstate.h"

#include "crc16.h"
#include "shapekind.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <cstring>

namespace {
constexpr int kStateVersion = 1;

QByteArray blankArea(int index)
{
    return encodeAreaBlock(Command::RArea, index, AreaRecord(), false).frame;
}
} // namespace

SensorParameters EmulatorState::defaultParameters() { return SensorParameters::defaults(); }

EmulatorState EmulatorState::factory()
{
    EmulatorState s;
    s.stored = s.active = defaultParameters();
    for (int i = 0; i < AreaCount; ++i)
        s.areas[size_t(i)] = blankArea(i);
    s.product = ProductInfo{9, 105, 1, 2024, 5, 20};
    return s;
}

int invalidParameterWord(const SensorParameters &params)
{
    // Highest option index of each word's list; -1 marks number fields checked below.
    static const std::array<int, SensorParameters::WordCount> kMax = {
        5, 4, 2, 2, -1, 4, 2, 2, -1, 3, 1, 1, 4, 3, 1, 2, 5, 1, 65535, 65535, 2, 3, 3, 2000, 2000};
    for (int i = 0; i < SensorParameters::WordCount; ++i) {
        const qint32 v = params.Words[size_t(i)];
        if (i == 4 || i == 8) {
            if (v < 1 || v > 127)
                return i;
        } else if (v < 0 || v > kMax[size_t(i)]) {
            return i;
        }
    }
    // The finest resolution needs the slow motor.
    if (params.Words[12] == 0 && params.Words[11] != 0)
        return 11;
    return -1;
}

bool EmulatorState::storeArea(const QByteArray &wareaFrame)
{
    const std::optional<AreaBlock> block = decodeAreaBlock(wareaFrame, Command::WArea);
    if (!block || block->Index < 0 || block->Index >= AreaCount)
        return false;
    for (int o = 0; o < 3; ++o) {
        const AreaBlock::Output &out = block->Outputs[size_t(o)];
        // The first output has no output before it to derive a zone from.
        const int highest = o == 0 ? Rectangle : Ratio;
        if (out.Kind < Polygon || out.Kind > highest)
            return false;
        if ((out.Kind == Polygon || out.Kind == Rectangle) && out.Count > kAreaSlotsPerOutput)
            return false;
    }
    QByteArray frame = wareaFrame;
    std::memcpy(frame.data(), "RArea", kHeaderLength);
    storeCrc(frame);
    areas[size_t(block->Index)] = frame;
    return true;
}

QByteArray EmulatorState::areaReply(int index) const
{
    if (index < 0 || index >= AreaCount)
        return {};
    return areas[size_t(index)];
}

AreaRecord EmulatorState::areaRecord(int index) const
{
    AreaRecord record;
    if (index < 0 || index >= AreaCount)
        return record;
    if (const std::optional<AreaBlock> block = decodeAreaBlock(areas[size_t(index)], Command::RArea))
        applyAreaBlock(*block, false, record);
    const CaseFields &c = cases[size_t(index)];
    record.SteerMinDgree = c.SteerMinDgree;
    record.SteerMaxDgree = c.SteerMaxDgree;
    record.VehicleMinSpeed = c.VehicleMinSpeed;
    record.VehicleMaxSpeed = c.VehicleMaxSpeed;
    record.VehicleOptionMode = c.VehicleOptionMode;
    return record;
}

namespace {
QJsonArray wordsToJson(const SensorParameters &p)
{
    QJsonArray a;
    for (qint32 w : p.Words)
        a.append(w);
    return a;
}

bool wordsFromJson(const QJsonValue &v, SensorParameters *p, const char *name, QString *error)
{
    if (v.isUndefined())
        return true;
    const QJsonArray a = v.toArray();
    if (!v.isArray() || a.size() != SensorParameters::WordCount) {
        *error = QStringLiteral("%1: expected %2 numbers").arg(QLatin1String(name)).arg(SensorParameters::WordCount);
        return false;
    }
    for (int i = 0; i < a.size(); ++i) {
        const int w = a.at(i).toInt(-1);
        if (w < 0 || w > 65535) {
            *error = QStringLiteral("%1[%2]: not a 16-bit word").arg(QLatin1String(name)).arg(i);
            return false;
        }
        p->Words[size_t(i)] = w;
    }
    return true;
}
} // namespace

QJsonObject EmulatorState::toJson() const
{
    QJsonObject product;
    product[QStringLiteral("type")] = this->product.ProductType;
    product[QStringLiteral("firmware")] = this->product.FirmwareVersion;
    product[QStringLiteral("serial")] = this->product.SerialNumber;
    product[QStringLiteral("year")] = this->product.Year;
    product[QStringLiteral("month")] = this->product.Month;
    product[QStringLiteral("day")] = this->product.Day;

    QJsonArray caseArray;
    for (const CaseFields &c : cases)
        caseArray.append(QJsonArray{c.SteerMinDgree, c.SteerMaxDgree, c.VehicleMinSpeed, c.VehicleMaxSpeed,
                                    c.VehicleOptionMode});
    QJsonArray areaArray;
    for (const QByteArray &a : areas)
        areaArray.append(QString::fromLatin1(a.toBase64()));

    QJsonObject json;
    json[QStringLiteral("version")] = kStateVersion;
    json[QStringLiteral("product")] = product;
    json[QStringLiteral("parameters")] = wordsToJson(stored);
    json[QStringLiteral("cases")] = caseArray;
    json[QStringLiteral("areas")] = areaArray;
    return json;
}

std::optional<EmulatorState> EmulatorState::fromJson(const QJsonObject &json, QString *error)
{
    QString dummy;
    if (!error)
        error = &dummy;
    EmulatorState s = factory();
    if (json.value(QStringLiteral("version")).toInt() != kStateVersion) {
        *error = QStringLiteral("unknown state file version");
        return std::nullopt;
    }
    const QJsonObject product = json.value(QStringLiteral("product")).toObject();
    auto field = [&](const char *name, quint16 fallback) {
        const int v = product.value(QLatin1String(name)).toInt(fallback);
        return quint16(qBound(0, v, 65535));
    };
    s.product.ProductType = field("type", s.product.ProductType);
    s.product.FirmwareVersion = field("firmware", s.product.FirmwareVersion);
    s.product.SerialNumber = field("serial", s.product.SerialNumber);
    s.product.Year = field("year", s.product.Year);
    s.product.Month = field("month", s.product.Month);
    s.product.Day = field("day", s.product.Day);

    if (!wordsFromJson(json.value(QStringLiteral("parameters")), &s.stored, "parameters", error))
        return std::nullopt;
    s.active = s.stored; // a restart is a boot

    const QJsonValue casesValue = json.value(QStringLiteral("cases"));
    if (!casesValue.isUndefined()) {
        const QJsonArray rows = casesValue.toArray();
        if (rows.size() != AreaCount) {
            *error = QStringLiteral("cases: expected 64 rows");
            return std::nullopt;
        }
        for (int i = 0; i < AreaCount; ++i) {
            const QJsonArray r = rows.at(i).toArray();
            if (r.size() != 5) {
                *error = QStringLiteral("cases[%1]: expected 5 numbers").arg(i);
                return std::nullopt;
            }
            CaseFields &c = s.cases[size_t(i)];
            c.SteerMinDgree = qint16(r.at(0).toInt());
            c.SteerMaxDgree = qint16(r.at(1).toInt());
            c.VehicleMinSpeed = qint16(r.at(2).toInt());
            c.VehicleMaxSpeed = qint16(r.at(3).toInt());
            c.VehicleOptionMode = qint16(r.at(4).toInt());
        }
    }

    const QJsonValue areasValue = json.value(QStringLiteral("areas"));
    if (!areasValue.isUndefined()) {
        const QJsonArray blocks = areasValue.toArray();
        if (blocks.size() != AreaCount) {
            *error = QStringLiteral("areas: expected 64 blocks");
            return std::nullopt;
        }
        for (int i = 0; i < AreaCount; ++i) {
            const QByteArray frame = QByteArray::fromBase64(blocks.at(i).toString().toLatin1());
            const std::optional<AreaBlock> block = decodeAreaBlock(frame, Command::RArea);
            if (!block || block->Index != i) {
                *error = QStringLiteral("areas[%1]: not a valid area block for area %1").arg(i);
                return std::nullopt;
            }
            s.areas[size_t(i)] = frame;
        }
    }
    return s;
}

bool EmulatorState::save(const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    file.write(QJsonDocument(toJson()).toJson(QJsonDocument::Indented));
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

std::optional<EmulatorState> EmulatorState::load(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!doc.isObject()) {
        if (error)
            *error = parseError.errorString();
        return std::nullopt;
    }
    return fromJson(doc.object(), error);
}
