#include "sensortypeoptions.h"

SensorTypeOptions SensorTypeOptions::forType(int productType)
{
    switch (productType) {
    case 10:
    case 11:
    case 12:
        return {{QStringLiteral("10Hz,600r"), QStringLiteral("20Hz,1200r")},
                {QStringLiteral("144KHz"), QStringLiteral("288KHz"), QStringLiteral("576KHz")},
                {QStringLiteral("第一次"), QStringLiteral("最后一次"), QStringLiteral("能量最大")}};
    case 18:
    case 19:
    case 20:
        return {{QStringLiteral("15Hz,900r"), QStringLiteral("30Hz,1800r")},
                {QStringLiteral("108KHz"), QStringLiteral("216KHz"), QStringLiteral("432KHz")},
                {QStringLiteral("第一次"), QStringLiteral("第二次"), QStringLiteral("最后一次"),
                 QStringLiteral("能量最大")}};
    default:
        return {};
    }
}
