#include "scannerdiscovery.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

namespace {
ScannerDiscovery::EntryLister &entryLister()
{
    static ScannerDiscovery::EntryLister lister;
    return lister;
}
} // namespace

ScannerDiscovery::ScannerDiscovery(QObject *parent) : QObject(parent) {}

ScannerDiscovery::~ScannerDiscovery() { release(); }

void ScannerDiscovery::setEntryLister(EntryLister lister) { entryLister() = std::move(lister); }

void ScannerDiscovery::search()
{
    release();
    m_local.clear();
    m_broadcast.clear();
    const QList<QNetworkAddressEntry> entries =
        entryLister() ? entryLister()() : Discovery::systemAddressEntries();
    for (const Discovery::LocalAddress &a : Discovery::searchAddresses(entries)) {
        m_local.append(a.address);
        m_broadcast.append(a.broadcast);
    }

    const QByteArray datagram = Discovery::searchDatagram();
    quint16 nextPort = Discovery::FirstLocalPort;
    for (const QHostAddress &address : qAsConst(m_local)) {
        auto *socket = new QUdpSocket(this);
        const bool ok = socket->bind(address, nextPort);
        if (ok) {
            ++nextPort;
            connect(socket, &QUdpSocket::readyRead, this, &ScannerDiscovery::readReplies);
            m_sockets.append(socket);
        }
        emit bound(address, ok);
        socket->writeDatagram(datagram, m_broadcast.at(m_local.indexOf(address)), Discovery::SearchPort);
        if (!ok)
            delete socket;
    }
    for (const QPointer<QUdpSocket> &socket : qAsConst(m_sockets))
        socket->writeDatagram(datagram, QHostAddress(QHostAddress::Broadcast), Discovery::SearchPort);
}

void ScannerDiscovery::release()
{
    const QList<QPointer<QUdpSocket>> sockets = std::exchange(m_sockets, {});
    for (const QPointer<QUdpSocket> &socket : sockets) {
        if (!socket)
            continue;
        socket->disconnect(this);
        socket->close();
        // Later: release() may run inside this socket's own read notification.
        socket->deleteLater();
    }
}

void ScannerDiscovery::readReplies()
{
    const QList<QPointer<QUdpSocket>> sockets = m_sockets;
    for (const QPointer<QUdpSocket> &socket : sockets) {
        // A receiver may have released the sockets meanwhile. (A bound UDP
        // socket is not an open device: its state says whether it still is.)
        while (socket && socket->state() == QAbstractSocket::BoundState && socket->hasPendingDatagrams()) {
            const QNetworkDatagram d = socket->receiveDatagram();
            emit replyReceived(d.senderAddress(), d.data());
        }
    }
}
