#include "discoverydatagram.h"

#include <QNetworkInterface>

namespace Discovery {

QByteArray searchDatagram()
{
    return QByteArrayLiteral("M-SEARCH * HTTP/1.1\r\n"
                             "HOST: 239.255.255.250:1900\r\n"
                             "MAN: \"ssdp:discover\"\r\n"
                             "MX: 1\r\n"
                             "ST: urn:example-com:device:VQ:1.0\r\n");
}

namespace {
QByteArray upToZero(const QByteArray &bytes)
{
    const int zero = bytes.indexOf('\0');
    return zero < 0 ? bytes : bytes.left(zero);
}
} // namespace

QString replyText(const QByteArray &datagram) { return QString::fromLatin1(upToZero(datagram)); }

QString modeText(const QByteArray &datagram)
{
    const int at = datagram.indexOf("MODE:");
    if (at < 0)
        return {};
    const QByteArray mode = upToZero(datagram.mid(at, 9));
    if (mode == "MODE: TCP" || mode == "MODE: UDP")
        return QString::fromLatin1(mode);
    return {};
}

QList<LocalAddress> searchAddresses(const QList<QNetworkAddressEntry> &entries)
{
    QList<LocalAddress> out;
    for (const QNetworkAddressEntry &e : entries) {
        if (e.broadcast().isNull() || e.ip() == QHostAddress(QHostAddress::LocalHost)
            || e.ip().protocol() != QAbstractSocket::IPv4Protocol)
            continue;
        out.append({e.ip(), e.broadcast()});
    }
    return out;
}

QList<QNetworkAddressEntry> systemAddressEntries()
{
    QList<QNetworkAddressEntry> entries;
    for (const QNetworkInterface &i : QNetworkInterface::allInterfaces())
        entries += i.addressEntries();
    return entries;
}

} // namespace Discovery
