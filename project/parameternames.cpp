#include "parameternames.h"

#include "sensordocktexts.h"
#include "sensordockwords.h"

namespace {
constexpr int kIpRow = SensorDockWords::IpFirstRow;

const SensorDockTexts::Text *labelOfRow(int row)
{
    const auto &labels = SensorDockTexts::labels();
    const int index = row < kIpRow ? row : row < kIpRow + 4 ? kIpRow : row - 3;
    return index >= 0 && index < int(labels.size()) ? &labels[size_t(index)] : nullptr;
}
} // namespace

bool isParameterRow(int row) { return row >= 0 && row < kSensorDockRows && (row <= kIpRow || row >= kIpRow + 4); }

QString parameterName(int row, int language)
{
    const SensorDockTexts::Text *label = labelOfRow(row);
    if (!label)
        return QString::number(row);
    QString name = language == 1 ? label->chinese : label->english;
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name;
}

QString parameterValue(const Configuration &config, int row, int language)
{
    if (row >= kIpRow && row < kIpRow + 4)
        return QStringLiteral("%1.%2.%3.%4")
            .arg(config.rows[kIpRow])
            .arg(config.rows[kIpRow + 1])
            .arg(config.rows[kIpRow + 2])
            .arg(config.rows[kIpRow + 3]);
    const qint32 value = config.rows[size_t(row)];
    if (const SensorDockTexts::Text *label = labelOfRow(row)) {
        const QByteArray listName = "Para_" + QByteArray(label->objectName).mid(6);
        for (const SensorDockTexts::Items &items : SensorDockTexts::itemLists()) {
            if (listName != items.objectName)
                continue;
            const QStringList &texts = language == 1 ? items.chinese : items.english;
            if (value >= 0 && value < texts.size())
                return QStringLiteral("%1 (%2)").arg(value).arg(texts.at(value));
        }
    }
    return QString::number(value);
}
