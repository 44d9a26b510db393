#pragma once

#include <QString>
#include <QtGlobal>

// A scanner as the command line names it: tcp:HOST[:PORT], udp:HOST[:PORT]
// or serial:DEVICE[@BAUD].
struct ScannerAddress
{
    enum Kind { Invalid, Tcp, Udp, Serial };
    Kind kind = Invalid;
    QString host;      // tcp, udp: an IPv4 or IPv6 address (IPv6 in brackets when a port follows)
    quint16 port = 0;
    QString device;    // serial
    qint32 baud = 0;

    bool isValid() const { return kind != Invalid; }
    bool ethernet() const { return kind == Tcp || kind == Udp; }
    QString text() const; // back in the command line's form
};

// The window's serial dialog starts at this rate; scanners listen on 8080.
constexpr qint32 kDefaultBaud = 576000;
constexpr quint16 kDefaultScannerPort = 8080;

// Parses the text; an Invalid result when it is not one of the three forms,
// the port is not 1..65535, the baud rate not a positive number, or the host
// not a literal address.
ScannerAddress parseScannerAddress(const QString &text);
// True when the text looks like a scanner rather than a file name: it
// starts with "tcp:", "udp:" or "serial:".
bool looksLikeScanner(const QString &text);
