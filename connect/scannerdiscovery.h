#pragma once

#include "discoverydatagram.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QUdpSocket;

// One run of the scanner search and the sockets it keeps open for replies.
// Each dialog that searches owns one, so each has its own sockets and address
// lists. There is no time-out: replies are read until release().
class ScannerDiscovery : public QObject
{
    Q_OBJECT
public:
    using EntryLister = std::function<QList<QNetworkAddressEntry>()>;

    explicit ScannerDiscovery(QObject *parent = nullptr);
    ~ScannerDiscovery() override;

    // Where the address entries come from, for every discovery in the
    // process; tests hand in their own. An empty function restores the
    // system's list.
    static void setEntryLister(EntryLister lister);

    // Releases the last run's sockets, then binds one socket per local IPv4
    // address from port 50000 upwards and sends the search from each: to its
    // subnet's broadcast address, then once more from every bound socket to
    // 255.255.255.255. A socket that cannot bind sends its one datagram and
    // is dropped.
    void search();
    // Stops listening and destroys every socket.
    void release();

    const QList<QHostAddress> &localAddresses() const { return m_local; }
    const QList<QHostAddress> &broadcastAddresses() const { return m_broadcast; }
    int socketCount() const { return m_sockets.size(); }

public slots:
    // Reads every pending datagram of every socket.
    void readReplies();

signals:
    void bound(const QHostAddress &address, bool ok);
    void replyReceived(const QHostAddress &sender, const QByteArray &datagram);

private:
    QList<QPointer<QUdpSocket>> m_sockets;
    QList<QHostAddress> m_local;
    QList<QHostAddress> m_broadcast;
};
