#include "emulatorserver.h"

#include "crc16.h"

#include "discovery.h"
#include "ptyport.h"

#include <QNetworkDatagram>
#include <QSerialPort>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUdpSocket>
#include <QFile>
#include <cstdio>

namespace {
// A client that stops reading gets no more scans beyond this backlog.
constexpr qint64 kStreamBacklogLimit = 2 << 20;
constexpr int kSplitGapMs = 2;
// UDP has no disconnect: beyond this many senders the one heard from longest
// ago is forgotten, so a peer that went away is not streamed to for ever.
constexpr std::size_t kMaxUdpPeers = 8;

QString endpoint(const QHostAddress &address, quint16 port)
{
    return QStringLiteral("%1:%2").arg(address.toString()).arg(port);
}

void printLine(const QString &line)
{
    std::fprintf(stdout, "%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}
} // namespace

EmulatorServer::EmulatorServer(const EmulatorOptions &options, const EmulatorState &state, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_core(state, options.seed, options.faults)
{
    m_clock.start();
    m_core.setPhysicalInputs(quint8(options.inputs));
    m_core.setForcedStatus(quint16(options.statusBits));
    m_core.boot();
    m_pumpTimer.setSingleShot(true);
    m_pumpTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_pumpTimer, &QTimer::timeout, this, &EmulatorServer::pump);
    m_streamTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_streamTimer, &QTimer::timeout, this, &EmulatorServer::streamTick);
    // Writes come in bursts (64 areas); write the file once the burst is over.
    m_saveTimer.setSingleShot(true);
    m_saveTimer.setInterval(200);
    connect(&m_saveTimer, &QTimer::timeout, this, &EmulatorServer::saveNow);
}

EmulatorServer::~EmulatorServer()
{
    saveNow();
    if (!m_options.ptyLink.isEmpty() && m_pty)
        QFile::remove(m_options.ptyLink);
}

bool EmulatorServer::start(QString *error)
{
    const QHostAddress host(m_options.host);
    if (m_options.tcp) {
        m_tcp = new QTcpServer(this);
        connect(m_tcp, &QTcpServer::newConnection, this, &EmulatorServer::acceptTcp);
        m_tcpPort = quint16(m_options.port);
        if (!listenTcp(error))
            return false;
        printLine(QStringLiteral("TCP listening on %1").arg(endpoint(host, m_tcpPort)));
    }
    if (m_options.udp) {
        m_udp = new QUdpSocket(this);
        // With a free port chosen for TCP, UDP takes the same number.
        const quint16 port = m_tcp ? m_tcpPort : quint16(m_options.port);
        if (!m_udp->bind(host, port)) {
            *error = QStringLiteral("UDP %1: %2").arg(endpoint(host, port), m_udp->errorString());
            return false;
        }
        connect(m_udp, &QUdpSocket::readyRead, this, &EmulatorServer::readUdp);
        printLine(QStringLiteral("UDP listening on %1").arg(endpoint(host, m_udp->localPort())));
    }
    if (m_options.pty) {
        m_pty = new PtyPort(this);
        if (!m_pty->open(error))
            return false;
        Channel &c = addChannel(QStringLiteral("pty"), QStringLiteral("pty"));
        c.write = [this](const QByteArray &b) { m_pty->write(b); };
        c.backlog = [this] { return m_pty->bytesToWrite(); };
        connect(m_pty, &PtyPort::received, this,
                [this](const QByteArray &b) { receive(QStringLiteral("pty"), b); });
        if (!m_options.ptyLink.isEmpty()) {
            QFile::remove(m_options.ptyLink);
            if (!QFile::link(m_pty->slavePath(), m_options.ptyLink)) {
                *error = QStringLiteral("cannot link %1 to %2").arg(m_options.ptyLink, m_pty->slavePath());
                return false;
            }
        }
        printLine(QStringLiteral("Serial line on pseudo-terminal %1").arg(m_pty->slavePath()));
    }
    if (!m_options.serialDevice.isEmpty()) {
        m_serial = new QSerialPort(m_options.serialDevice, this);
        if (!m_serial->open(QIODevice::ReadWrite) || !m_serial->setBaudRate(m_options.baudRate)) {
            *error = QStringLiteral("serial %1: %2").arg(m_options.serialDevice, m_serial->errorString());
            return false;
        }
        Channel &c = addChannel(QStringLiteral("serial"), QStringLiteral("serial"));
        c.write = [this](const QByteArray &b) { m_serial->write(b); };
        c.backlog = [this] { return m_serial->bytesToWrite(); };
        connect(m_serial, &QSerialPort::readyRead, this,
                [this] { receive(QStringLiteral("serial"), m_serial->readAll()); });
        printLine(QStringLiteral("Serial line on %1 at %2 baud").arg(m_options.serialDevice).arg(m_options.baudRate));
    }
    if (m_options.discovery) {
        m_discovery = new QUdpSocket(this);
        const QHostAddress at(m_options.discoveryHost);
        if (!m_discovery->bind(at, quint16(m_options.discoveryPort),
                               QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
            *error = QStringLiteral("discovery %1: %2")
                         .arg(endpoint(at, quint16(m_options.discoveryPort)), m_discovery->errorString());
            return false;
        }
        connect(m_discovery, &QUdpSocket::readyRead, this, &EmulatorServer::readDiscovery);
        printLine(QStringLiteral("Discovery responder on %1").arg(endpoint(at, m_discovery->localPort())));
    }
    const ProductInfo &p = m_core.state().product;
    log(QStringLiteral("scanner type %1 (%2), firmware %3, serial number %4; install %5, Ethernet mode %6, "
                       "%7 points per degree at %8 Hz; seed %9")
            .arg(p.ProductType)
            .arg(productName(p.ProductType).isEmpty() ? QStringLiteral("unnamed") : productName(p.ProductType))
            .arg(p.FirmwareVersion / 100.0, 0, 'f', 2)
            .arg(p.SerialNumber)
            .arg(m_core.reversed() ? QStringLiteral("reversed") : QStringLiteral("forward"))
            .arg(m_core.ethernetMode() ? QStringLiteral("UDP") : QStringLiteral("TCP"))
            .arg(m_core.pointsPerDegree())
            .arg(m_core.motorHz())
            .arg(m_options.seed));
    printLine(QStringLiteral("Ready"));
    return true;
}

bool EmulatorServer::listenTcp(QString *error)
{
    const QHostAddress host(m_options.host);
    if (!m_tcp->listen(host, m_tcpPort)) {
        if (error)
            *error = QStringLiteral("TCP %1: %2").arg(endpoint(host, m_tcpPort), m_tcp->errorString());
        return false;
    }
    m_tcpPort = m_tcp->serverPort();
    return true;
}

void EmulatorServer::acceptTcp()
{
    while (QTcpSocket *socket = m_tcp->nextPendingConnection()) {
        if (m_booting) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        const QString key = QStringLiteral("tcp#%1").arg(m_nextClient++);
        Channel &c = addChannel(key, QStringLiteral("%1 %2").arg(key, endpoint(socket->peerAddress(), socket->peerPort())));
        c.write = [socket](const QByteArray &b) { socket->write(b); };
        c.backlog = [socket] { return socket->bytesToWrite(); };
        c.drop = [socket] { socket->abort(); };
        c.close = [socket] { socket->disconnectFromHost(); };
        m_tcpClients[key] = socket;
        connect(socket, &QTcpSocket::readyRead, this, [this, key, socket] { receive(key, socket->readAll()); });
        // Queued: the channel may be in use further up the stack when the peer goes.
        connect(socket, &QTcpSocket::disconnected, this, [this, key] { removeChannel(key); }, Qt::QueuedConnection);
        log(QStringLiteral("%1 connected").arg(c.name));
    }
}

EmulatorServer::Channel &EmulatorServer::addChannel(const QString &key, const QString &name)
{
    auto &slot = m_channels[key];
    if (!slot) {
        slot = std::make_unique<Channel>();
        slot->name = name;
    }
    return *slot;
}

void EmulatorServer::removeChannel(const QString &key)
{
    auto it = m_channels.find(key);
    if (it == m_channels.end())
        return;
    log(QStringLiteral("%1 %2").arg(it->second->name, key.startsWith(QLatin1String("udp "))
                                                          ? QStringLiteral("forgotten")
                                                          : QStringLiteral("disconnected")));
    m_channels.erase(it);
    auto socket = m_tcpClients.find(key);
    if (socket != m_tcpClients.end()) {
        socket->second->deleteLater();
        m_tcpClients.erase(socket);
    }
    updateStreamTimer();
}

void EmulatorServer::receive(const QString &key, const QByteArray &bytes)
{
    auto it = m_channels.find(key);
    if (it == m_channels.end())
        return;
    Channel &c = *it->second;
    if (m_booting) {
        log(QStringLiteral("%1: %2 bytes ignored while rebooting").arg(c.name).arg(bytes.size()));
        return;
    }
    c.rx += bytes;
    ReceivedFrame request;
    while (takeRequest(c.rx, &request)) {
        answer(c, request);
        if (m_booting || c.dropped)
            break;
    }
    // Nothing but noise for a long time: keep the buffer bounded.
    if (c.rx.size() > kReceiveLimit)
        c.rx.clear();
}

void EmulatorServer::readUdp()
{
    while (m_udp->hasPendingDatagrams()) {
        const QNetworkDatagram d = m_udp->receiveDatagram();
        if (!d.isValid())
            continue;
        const QHostAddress peer = d.senderAddress();
        const quint16 port = quint16(d.senderPort());
        const QString key = QStringLiteral("udp ") + endpoint(peer, port);
        m_udpPeers.removeOne(key);
        if (std::size_t(m_udpPeers.size()) >= kMaxUdpPeers)
            removeChannel(m_udpPeers.takeFirst());
        m_udpPeers.append(key);
        Channel &c = addChannel(key, key);
        if (!c.write) {
            c.write = [this, peer, port](const QByteArray &b) { m_udp->writeDatagram(b, peer, port); };
            c.backlog = [] { return qint64(0); };
        }
        receive(key, d.data());
    }
}

void EmulatorServer::readDiscovery()
{
    while (m_discovery->hasPendingDatagrams()) {
        const QNetworkDatagram d = m_discovery->receiveDatagram();
        if (!d.isValid())
            continue;
        const QString from = endpoint(d.senderAddress(), quint16(d.senderPort()));
        if (!isDiscoverySearch(d.data()) || m_booting || m_options.faults.silent) {
            log(QStringLiteral("discovery <- %1 bytes from %2, not answered").arg(d.data().size()).arg(from));
            continue;
        }
        const QByteArray reply = discoveryReply(d.data(), m_core.ethernetMode(), m_core.state().product,
                                                m_udp ? m_udp->localPort() : (m_tcp ? m_tcpPort : 0));
        log(QStringLiteral("discovery <- M-SEARCH from %1").arg(from));
        m_discovery->writeDatagram(reply, d.senderAddress(), quint16(d.senderPort()));
        log(QStringLiteral("discovery -> %1 (%2 bytes, %3)")
                .arg(from)
                .arg(reply.size())
                .arg(m_core.ethernetMode() ? QStringLiteral("MODE: UDP") : QStringLiteral("MODE: TCP")));
    }
}

void EmulatorServer::answer(Channel &channel, const ReceivedFrame &request)
{
    const QByteArray &f = request.bytes;
    const int area = (request.command == Command::RArea || request.command == Command::WArea) && f.size() > 5
                         ? quint8(f.at(5))
                         : -1;
    const std::optional<ReplyFault> fault = m_core.faults().replyFault(request.command, area);
    if (fault && fault->kind == ReplyFault::Drop && channel.drop) {
        logFrame(channel, true, request.command, f.size(), QStringLiteral("connection dropped"));
        channel.dropped = true;
        channel.drop();
        return;
    }
    CoreReply reply = m_core.handle(request, now());
    logFrame(channel, true, request.command, f.size(),
             reply.frame.isEmpty() && request.command != Command::RAuto ? reply.note : QString());
    qint64 late = 0;
    if (fault && !reply.frame.isEmpty()) {
        switch (fault->kind) {
        case ReplyFault::Status:
            reply.frame = encodeStatusReply(request.command, quint8(fault->value));
            reply.note += QStringLiteral(", answered status %1").arg(fault->value);
            break;
        case ReplyFault::NameArea:
            reply.frame[5] = char(fault->value);
            storeCrc(reply.frame);
            reply.note += QStringLiteral(", answered as area %1").arg(fault->value);
            break;
        case ReplyFault::Late:
            late = fault->value;
            reply.note += QStringLiteral(", %1 ms late").arg(late);
            break;
        case ReplyFault::Close:
            break;
        case ReplyFault::Withhold:
        case ReplyFault::Drop: // a channel that cannot be dropped: the reply is withheld
            logFrame(channel, false, request.command, reply.frame.size(), QStringLiteral("withheld"));
            reply.frame.clear();
            break;
        }
    }
    if (reply.flashChanged)
        markDirty();
    if (reply.action == CoreReply::StartStream || reply.action == CoreReply::StopStream) {
        channel.streaming = reply.action == CoreReply::StartStream;
        updateStreamTimer();
    }
    if (!reply.frame.isEmpty()) {
        if (m_options.faults.silent) {
            logFrame(channel, false, request.command, reply.frame.size(), QStringLiteral("not sent (silent)"));
        } else {
            const FramePlan plan = m_core.faults().plan(reply.frame.size());
            QString note = reply.note;
            const QString faults = plan.describe();
            if (!faults.isEmpty())
                note += (note.isEmpty() ? QString() : QStringLiteral("; ")) + faults;
            logFrame(channel, false, request.command, reply.frame.size(), note);
            if (!plan.drop) {
                qint64 due = now() + plan.delayMs + late;
                const QVector<QByteArray> pieces = plan.pieces(plan.apply(reply.frame, reply.hasCrc));
                for (const QByteArray &piece : pieces) {
                    enqueue(channel, piece, due);
                    due += kSplitGapMs;
                }
            }
        }
    }
    if (fault && fault->kind == ReplyFault::Close && channel.close) {
        logFrame(channel, false, request.command, 0, QStringLiteral("connection closed"));
        channel.dropped = true;
        channel.close();
    }
    if (reply.action == CoreReply::Reboot)
        beginReboot();
}

QString EmulatorServer::control(const QString &line)
{
    const QString command = line.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    const QString argument = line.section(QLatin1Char(' '), 1, -1, QString::SectionSkipEmpty);
    if (command == QLatin1String("clear") && argument.isEmpty()) {
        m_core.faults().clearRules();
        log(QStringLiteral("control: faults cleared"));
        return QStringLiteral("faults cleared");
    }
    if (command == QLatin1String("fault")) {
        QString why;
        const std::optional<ReplyFault> fault = ReplyFault::parse(argument, &why);
        if (!fault)
            return QStringLiteral("error: ") + why;
        m_core.faults().addReplyFault(*fault);
        log(QStringLiteral("control: fault %1").arg(argument));
        return QStringLiteral("fault set: ") + argument;
    }
    return QStringLiteral("error: \"%1\" is not a command (fault RULE, clear)").arg(line.trimmed());
}

void EmulatorServer::enqueue(Channel &channel, const QByteArray &bytes, qint64 due)
{
    if (channel.queue.isEmpty() && due <= now()) {
        channel.write(bytes);
        return;
    }
    channel.queue.append({bytes, due});
    if (!m_pumpTimer.isActive() || m_pumpTimer.remainingTime() > int(due - now()))
        m_pumpTimer.start(int(qMax<qint64>(0, due - now())));
}

void EmulatorServer::pump()
{
    qint64 next = -1;
    for (auto &entry : m_channels) {
        Channel &c = *entry.second;
        while (!c.queue.isEmpty() && c.queue.first().due <= now())
            c.write(c.queue.takeFirst().bytes);
        if (!c.queue.isEmpty() && (next < 0 || c.queue.first().due < next))
            next = c.queue.first().due;
    }
    if (next >= 0)
        m_pumpTimer.start(int(qMax<qint64>(0, next - now())));
}

void EmulatorServer::send(Channel &channel, const QByteArray &bytes) { enqueue(channel, bytes, now()); }

void EmulatorServer::updateStreamTimer()
{
    bool any = false;
    for (const auto &entry : m_channels)
        any = any || entry.second->streaming;
    if (any && !m_booting) {
        if (!m_streamTimer.isActive() || m_streamTimer.interval() != m_core.scanPeriodMs())
            m_streamTimer.start(m_core.scanPeriodMs());
    } else {
        m_streamTimer.stop();
    }
}

void EmulatorServer::streamTick()
{
    // A scan-control request may have changed the motor rate.
    if (m_streamTimer.interval() != m_core.scanPeriodMs())
        m_streamTimer.setInterval(m_core.scanPeriodMs());
    if (m_options.faults.silent)
        return;
    QVector<QByteArray> packets;
    QVector<HisnPacket> decoded;
    for (auto &entry : m_channels) {
        Channel &c = *entry.second;
        if (!c.streaming || c.backlog() > kStreamBacklogLimit)
            continue;
        if (decoded.isEmpty()) {
            decoded = m_core.sendStreamScan(now());
            for (const HisnPacket &p : decoded)
                packets.append(encodeHisnPacket(p));
        }
        for (int i = 0; i < packets.size(); ++i) {
            const HisnPacket &p = decoded.at(i);
            logFrame(c, false, Command::Hisn, packets.at(i).size(),
                     QStringLiteral("%1..%2 deg, %3 points%4")
                         .arg(p.StartAngle)
                         .arg(p.EndAngle)
                         .arg(p.CountB)
                         .arg(p.Closing == p.CountB && p.EndAngle == 340 ? QStringLiteral(", closes the scan")
                                                                         : QString()));
            send(c, packets.at(i));
        }
    }
}

void EmulatorServer::beginReboot()
{
    m_booting = true;
    m_streamTimer.stop();
    saveNow();
    log(QStringLiteral("rebooting for %1 ms").arg(m_options.bootPauseMs));
    // Let the RBoot reply leave before the clients are dropped, after any
    // reply held back in front of it.
    qint64 last = now();
    for (const auto &entry : m_channels)
        for (const Channel::Pending &p : entry.second->queue)
            last = qMax(last, p.due);
    const int dropMs = int(last - now()) + 50;
    QTimer::singleShot(dropMs, this, [this] {
        for (auto &entry : m_tcpClients) {
            entry.second->flush();
            entry.second->disconnectFromHost();
        }
        if (m_tcp)
            m_tcp->close();
        for (auto &entry : m_channels) {
            entry.second->streaming = false;
            entry.second->rx.clear();
        }
    });
    QTimer::singleShot(qMax(dropMs, m_options.bootPauseMs), this, &EmulatorServer::finishReboot);
}

void EmulatorServer::finishReboot()
{
    if (m_tcp && !m_tcp->isListening()) {
        QString error;
        if (!listenTcp(&error)) {
            log(QStringLiteral("cannot listen again (%1); retrying").arg(error));
            QTimer::singleShot(500, this, &EmulatorServer::finishReboot);
            return;
        }
    }
    m_core.boot();
    m_booting = false;
    log(QStringLiteral("booted: install %1, Ethernet mode %2, %3 points per degree at %4 Hz")
            .arg(m_core.reversed() ? QStringLiteral("reversed") : QStringLiteral("forward"))
            .arg(m_core.ethernetMode() ? QStringLiteral("UDP") : QStringLiteral("TCP"))
            .arg(m_core.pointsPerDegree())
            .arg(m_core.motorHz()));
}

void EmulatorServer::markDirty()
{
    if (m_options.stateFile.isEmpty())
        return;
    m_dirty = true;
    m_saveTimer.start();
}

void EmulatorServer::saveNow()
{
    m_saveTimer.stop();
    if (!m_dirty || m_options.stateFile.isEmpty())
        return;
    QString error;
    if (m_core.state().save(m_options.stateFile, &error)) {
        m_dirty = false;
        log(QStringLiteral("state written to %1").arg(m_options.stateFile));
    } else {
        log(QStringLiteral("cannot write state file %1: %2").arg(m_options.stateFile, error));
    }
}

void EmulatorServer::log(const QString &line) const
{
    std::fprintf(stderr, "[%9.3f] %s\n", now() / 1000.0, line.toLocal8Bit().constData());
}

void EmulatorServer::logFrame(const Channel &channel, bool incoming, Command command, int length,
                              const QString &note) const
{
    if (m_options.quiet)
        return;
    log(QStringLiteral("%1 %2 %3 %4 bytes%5")
            .arg(channel.name, incoming ? QStringLiteral("<-") : QStringLiteral("->"), commandName(command))
            .arg(length)
            .arg(note.isEmpty() ? QString() : QStringLiteral(": ") + note));
}
