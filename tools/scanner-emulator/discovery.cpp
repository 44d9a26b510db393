#include "discovery.h"

#include <QList>

bool isDiscoverySearch(const QByteArray &datagram) { return datagram.startsWith("M-SEARCH "); }

QByteArray discoveryReply(const QByteArray &search, int ethernetMode, const ProductInfo &product, int port)
{
    // Echo the search target the tool asked for, as SSDP replies do.
    QByteArray st = "upnp:rootdevice";
    for (const QByteArray &line : search.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith("ST:"))
            st = trimmed.mid(3).trimmed();
    }
    QByteArray name = productName(product.ProductType).toLatin1();
    if (name.isEmpty())
        name = "type-" + QByteArray::number(product.ProductType);
    QByteArray reply;
    reply += "HTTP/1.1 200 OK\r\n";
    reply += "CACHE-CONTROL: max-age=1800\r\n";
    reply += "EXT:\r\n";
    reply += "ST: " + st + "\r\n";
    reply += "USN: uuid:scanner-" + QByteArray::number(product.SerialNumber) + "::" + st + "\r\n";
    reply += "SERVER: scanner-emulator/1.0 " + name + "\r\n";
    reply += ethernetMode == 1 ? "MODE: UDP\r\n" : "MODE: TCP\r\n";
    reply += "PORT: " + QByteArray::number(port) + "\r\n";
    reply += "\r\n";
    return reply;
}
