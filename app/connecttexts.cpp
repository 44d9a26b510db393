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

LinkFailure socketFailure(QAbstractSocket::SocketError error, const QString &systemText)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return LinkFailure::Refused;
    case QAbstractSocket::RemoteHostClosedError: return LinkFailure::ClosedByScanner;
    case QAbstractSocket::HostNotFoundError: return LinkFailure::HostNotFound;
    case QAbstractSocket::SocketTimeoutError: return LinkFailure::TimedOut;
    case QAbstractSocket::SocketAccessError: return LinkFailure::PermissionDenied;
    case QAbstractSocket::NetworkError:
        // One code for several causes: the system's text tells them apart.
        if (systemText.contains(QLatin1String("unreachable"), Qt::CaseInsensitive))
            return LinkFailure::NoRoute;
        if (systemText.contains(QLatin1String("timed out"), Qt::CaseInsensitive))
            return LinkFailure::TimedOut;
        return LinkFailure::Other;
    default: return LinkFailure::Other;
    }
}

LinkFailure serialFailure(QSerialPort::SerialPortError error, const QString &systemText)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError: return LinkFailure::NoSuchDevice;
    case QSerialPort::PermissionError:
        // Another program's lock, or a device busy, comes as a permission error.
        if (systemText.contains(QLatin1String("lock"), Qt::CaseInsensitive)
            || systemText.contains(QLatin1String("busy"), Qt::CaseInsensitive))
            return LinkFailure::Busy;
        return LinkFailure::PermissionDenied;
    case QSerialPort::OpenError: return LinkFailure::Busy;
    case QSerialPort::TimeoutError: return LinkFailure::TimedOut;
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError: return LinkFailure::DeviceGone;
    default: return LinkFailure::Other;
    }
}

QString failureReason(int languageFlag, LinkFailure failure, const QString &systemText)
{
    QString text;
    switch (failure) {
    case LinkFailure::NoRoute:
        text = pick(languageFlag, "无法到达该地址（没有通往它的网络）", "The address cannot be reached (no route to it)");
        break;
    case LinkFailure::Refused:
        text = pick(languageFlag, "连接被拒绝（该地址上没有设备在监听）",
                    "Connection refused (nothing listens at that address)");
        break;
    case LinkFailure::TimedOut:
        text = pick(languageFlag, "连接超时，设备没有应答", "Timed out: the device does not answer");
        break;
    case LinkFailure::HostNotFound: text = pick(languageFlag, "找不到该主机", "Host not found"); break;
    case LinkFailure::ClosedByScanner:
        text = pick(languageFlag, "传感器关闭了连接", "The scanner closed the connection");
        break;
    case LinkFailure::NoSuchDevice: text = pick(languageFlag, "没有这个设备", "No such device"); break;
    case LinkFailure::PermissionDenied:
        text = pick(languageFlag, "没有使用该设备的权限", "Permission denied for this device");
        break;
    case LinkFailure::Busy:
        text = pick(languageFlag, "设备正被其他程序占用", "The device is in use by another program");
        break;
    case LinkFailure::DeviceGone:
        text = pick(languageFlag, "设备已被拔出或不再可用", "The device was unplugged or stopped working");
        break;
    case LinkFailure::Other: break;
    }
    return text.isEmpty() ? systemText : text;
}

QString linkLostTitle(int languageFlag) { return pick(languageFlag, "连接断开", "Connection Lost"); }

QString linkLostText(int languageFlag, const QString &device, const QString &reason)
{
    const QString text = pick(languageFlag, "与 %1 的连接已断开。\n%2是否重新连接？",
                              "The connection to %1 was lost.\n%2Reconnect?");
    return text.isEmpty() ? text : text.arg(device, reason.isEmpty() ? reason : reason + QLatin1Char('\n'));
}

QStringList reconnectButtons(int languageFlag)
{
    const QString texts = pick(languageFlag, "重新连接|取消", "Reconnect|Cancel");
    return texts.isEmpty() ? QStringList() : texts.split(QLatin1Char('|'));
}

QString restartingStatus(int languageFlag)
{
    return pick(languageFlag, "传感器正在重启，等待其重新应答…", "The scanner is restarting; waiting for it to answer…");
}

QString notBackText(int languageFlag, const QString &device, int seconds)
{
    const QString text = pick(languageFlag, "%1 重启后 %2 秒内没有应答。\n是否重新连接？",
                              "%1 did not answer within %2 s of its restart.\nReconnect?");
    return text.isEmpty() ? text : text.arg(device, QString::number(seconds));
}

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
