#include "connecttexts.h"

#include <QStringList>

namespace ConnectTexts {

namespace {
QString pick(int languageFlag, const char *chinese, const char *english)
{
    if (languageFlag == 0)
        return QString::fromUtf8(chinese);
    if (languageFlag == 1)
        return QString::fromUtf8(english);
    return {};
}
} // namespace

QString serialConnected(int languageFlag, const QStringList &line)
{
    const QString text =
        pick(languageFlag, "连接到 %1 : %2, %3, %4, %5, %6", "Connected to %1 : %2, %3, %4, %5, %6");
    // One multi-argument call: a port name holding "%2" stays as it is.
    return text.isEmpty() ? text
                          : text.arg(line.value(0), line.value(1), line.value(2), line.value(3), line.value(4),
                                     line.value(5));
}

QString serialPortLabel(int languageFlag, const QString &port)
{
    const QString text = pick(languageFlag, "串口号:%1 ", "COM:%1 ");
    return text.isEmpty() ? text : text.arg(port);
}

QString ethernetConnected(int languageFlag, const QString &address)
{
    const QString text = pick(languageFlag, "连接到", "Connect");
    return text.isEmpty() ? text : text + address + QStringLiteral(":8080");
}

QString ethernetPortLabel(int languageFlag, const QString &address)
{
    const QString text = pick(languageFlag, "IP地址:%1 ", "IPAddress:%1 ");
    return text.isEmpty() ? text : text.arg(address);
}

QString errorTitle(int languageFlag) { return pick(languageFlag, "错误", "Error"); }
QString serialOpenError(int languageFlag) { return pick(languageFlag, "串口打开失败", "Serial Open error"); }
QString ethernetOpenError(int languageFlag) { return pick(languageFlag, "以太网连接失败", "Ethernet Open error"); }
QString openErrorStatus(int languageFlag) { return pick(languageFlag, "打开错误", "Open error"); }

QString readOverQuestion(int languageFlag)
{
    return pick(languageFlag,
                "连接设备\n连接后将从设备读取全部区域和参数，替换工程中未保存的修改。\n是否先保存工程？",
                "Connection\nConnecting reads all areas and parameters from the scanner and replaces the unsaved "
                "changes of the project.\nSave the project first?");
}

QStringList readOverButtons(int languageFlag)
{
    const QString texts = pick(languageFlag, "保存并读取|放弃修改并读取|连接但不读取",
                               "Save and Read|Discard and Read|Connect Without Reading");
    return texts.isEmpty() ? QStringList() : texts.split(QLatin1Char('|'));
}

} // namespace ConnectTexts
