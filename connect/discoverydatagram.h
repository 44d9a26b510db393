#pragma once

// The scanner search: the datagram every discovery sends and what is read
// from a reply. Plain functions, shared by the Ethernet dialog, the welcome
// dialog and the emulator's tests.

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QNetworkAddressEntry>
#include <QString>

namespace Discovery {
constexpr quint16 SearchPort = 1900;     // scanners listen for the search here
constexpr quint16 FirstLocalPort = 50000; // our sockets bind from here upwards

// Five CRLF-ended lines in the style of an SSDP M-SEARCH, no empty line after.
QByteArray searchDatagram();

// A reply as a log line: Latin-1 up to the first zero byte.
QString replyText(const QByteArray &datagram);

// "MODE: TCP" or "MODE: UDP" when the nine bytes from the first "MODE:" are
// exactly one of them (up to a zero byte); an empty string otherwise.
QString modeText(const QByteArray &datagram);

struct LocalAddress
{
    QHostAddress address;
    QHostAddress broadcast;
};

// The address entries a search goes out from, in the order given: IPv4, not
// 127.0.0.1, with a broadcast address.
QList<LocalAddress> searchAddresses(const QList<QNetworkAddressEntry> &entries);

// Every address entry of every interface, in the order the system lists them.
QList<QNetworkAddressEntry> systemAddressEntries();
} // namespace Discovery
