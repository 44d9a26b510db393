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

namespace {
// Ports tried past those another program or search already holds.
constexpr int kPortTries = 16;

// Binds from nextPort upwards, past ports in use, and moves nextPort past the
// one taken. The welcome dialog and the Ethernet dialog search at the same
// time: without this the second would lose its socket, and every reply to it.
// Exclusive, so a reply never goes to the other search's socket.
bool bindFrom(QUdpSocket &socket, const QHostAddress &address, quint16 &nextPort)
{
    for (int i = 0; i < kPortTries && nextPort + i <= 65535; ++i) {
        const quint16 port = quint16(nextPort + i);
        if (socket.bind(address, port, QAbstractSocket::DontShareAddress)) {
            nextPort = quint16(port + 1);
            return true;
        }
        if (socket.error() != QAbstractSocket::AddressInUseError)
            return false;
    }
    return false;
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
        const bool ok = bindFrom(*socket, address, nextPort);
        if (ok) {
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
        // A receiver may have released the sockets meanwhile. The state tells,
        // not isOpen(): Qt 5 binds a socket without opening it.
        while (socket && socket->state() == QAbstractSocket::BoundState && socket->hasPendingDatagrams()) {
            const QNetworkDatagram d = socket->receiveDatagram();
            emit replyReceived(d.senderAddress(), d.data());
        }
    }
}
