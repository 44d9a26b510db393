#include "monitortexts.h"

namespace MonitorTexts {

QString status(uint status, int languageFlag)
{
    const bool english = languageFlag == 1;
    if (status == 0)
        return english ? QStringLiteral("Normal(0)") : QStringLiteral("正常(0)");
    static const char *const kChinese[] = {"旋转异常(1)", "接收异常(2)", "闪存数据异常(3)", "连接异常(4)",
                                           "仿真错误(5)", "过温异常(6)", "发射板电压异常(7)"};
    // The scanner's own numbering: the last three English texts all say (5).
    static const char *const kEnglish[] = {"Revolve Abnormal(1)", "Receive Abnormal(2)", "Flash Abnormal(3)",
                                           "Connect Abnormal(4)", "Simulate Abnormal(5)",
                                           "Temperature Abnormal(5)", "Voltage Abnormal(5)"};
    QString text;
    for (int bit = 0; bit < 7; ++bit)
        if (status & (1u << bit))
            text += QString::fromUtf8(english ? kEnglish[bit] : kChinese[bit]);
    return text;
}

QString temperature(short hundredths)
{
    return QString::number(hundredths / 100.0, 'f', 2) + QStringLiteral("°");
}

QString rotateSpeed(ushort rpm) { return QString::number(rpm) + QStringLiteral("r/min"); }

QString voltage(ushort hundredths) { return QString::number(hundredths / 100.0, 'f', 2) + QStringLiteral("V"); }

QString installDirection(bool reversed, int languageFlag)
{
    if (languageFlag == 1)
        return reversed ? QStringLiteral("Reverse Set") : QStringLiteral("Forward Set");
    return reversed ? QStringLiteral("倒立安装") : QStringLiteral("正向安装");
}

} // namespace MonitorTexts
