#pragma once

// The scanner's side of discovery: a search datagram ("M-SEARCH ...") is
// answered with an SSDP-style reply that names the scanner and, in its MODE
// line, whether it speaks TCP or UDP.

#include "frames.h"

#include <QByteArray>

bool isDiscoverySearch(const QByteArray &datagram);
// ethernetMode: 0 TCP, 1 UDP (parameter word 17).
QByteArray discoveryReply(const QByteArray &search, int ethernetMode, const ProductInfo &product, int port);
