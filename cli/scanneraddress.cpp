#include "scanneraddress.h"

#include <QHostAddress>

namespace {
bool toNumber(const QString &text, qint64 lo, qint64 hi, qint64 *out)
{
    // Digits only: toLongLong would take "+80" or " 80".
    if (text.isEmpty() || text.size() > 9)
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    const qint64 v = text.toLongLong();
    if (v < lo || v > hi)
        return false;
    *out = v;
    return true;
}

// A host that names one scanner: not the wildcard, broadcast or a group.
bool scannerHost(const QString &text)
{
    const QHostAddress host(text);
    return !host.isNull() && !host.isEqual(QHostAddress(QHostAddress::AnyIPv4))
        && !host.isEqual(QHostAddress(QHostAddress::AnyIPv6)) && !host.isEqual(QHostAddress(QHostAddress::Broadcast))
        && !host.isMulticast();
}

ScannerAddress network(ScannerAddress::Kind kind, const QString &rest)
{
    ScannerAddress a;
    QString host = rest;
    QString port;
    if (rest.startsWith(QLatin1Char('['))) {
        const int close = rest.indexOf(QLatin1Char(']'));
        if (close < 0)
            return {};
        host = rest.mid(1, close - 1);
        const QString after = rest.mid(close + 1);
        if (!after.isEmpty()) {
            if (!after.startsWith(QLatin1Char(':')))
                return {};
            port = after.mid(1);
            if (port.isEmpty())
                return {};
        }
    } else if (rest.count(QLatin1Char(':')) == 1) {
        const int colon = rest.indexOf(QLatin1Char(':'));
        host = rest.left(colon);
        port = rest.mid(colon + 1);
        if (port.isEmpty())
            return {};
    }
    // Otherwise no port: a bare IPv4 address, or an IPv6 one with its colons.
    if (!scannerHost(host))
        return {};
    qint64 number = kDefaultScannerPort;
    if (!port.isEmpty() && !toNumber(port, 1, 65535, &number))
        return {};
    a.kind = kind;
    a.host = host;
    a.port = quint16(number);
    return a;
}
} // namespace

QString ScannerAddress::text() const
{
    switch (kind) {
    case Tcp:
    case Udp: {
        const QString h = host.contains(QLatin1Char(':')) ? QStringLiteral("[%1]").arg(host) : host;
        return QStringLiteral("%1:%2:%3").arg(kind == Tcp ? QStringLiteral("tcp") : QStringLiteral("udp"), h)
            .arg(port);
    }
    case Serial:
        return QStringLiteral("serial:%1@%2").arg(device).arg(baud);
    case Invalid:
        break;
    }
    return {};
}

ScannerAddress parseScannerAddress(const QString &text)
{
    if (text.startsWith(QLatin1String("tcp:")))
        return network(ScannerAddress::Tcp, text.mid(4));
    if (text.startsWith(QLatin1String("udp:")))
        return network(ScannerAddress::Udp, text.mid(4));
    if (text.startsWith(QLatin1String("serial:"))) {
        const QString rest = text.mid(7);
        const int at = rest.lastIndexOf(QLatin1Char('@'));
        ScannerAddress a;
        a.device = at < 0 ? rest : rest.left(at);
        qint64 baud = kDefaultBaud;
        if (a.device.isEmpty() || (at >= 0 && !toNumber(rest.mid(at + 1), 1, 100000000, &baud)))
            return {};
        a.kind = ScannerAddress::Serial;
        a.baud = qint32(baud);
        return a;
    }
    return {};
}

bool looksLikeScanner(const QString &text)
{
    return text.startsWith(QLatin1String("tcp:")) || text.startsWith(QLatin1String("udp:"))
        || text.startsWith(QLatin1String("serial:"));
}
