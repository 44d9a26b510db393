#pragma once

// The emulator's transports around ScannerCore: a TCP server and a UDP
// endpoint, a pseudo-terminal or serial device, the discovery responder, the
// live stream timer, the reboot pause, the frame log and the state file.

#include "emulatoroptions.h"
#include "scannercore.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>

class QTcpServer;
class QTcpSocket;
class QUdpSocket;
class QSerialPort;
class PtyPort;

class EmulatorServer : public QObject
{
    Q_OBJECT
public:
    EmulatorServer(const EmulatorOptions &options, const EmulatorState &state, QObject *parent = nullptr);
    ~EmulatorServer() override;

    // Opens every transport asked for and prints where to connect on
    // standard output. False (with the reason) when one cannot be opened.
    bool start(QString *error);
    // Writes the state file if something changed since the last write.
    void saveNow();
    void replay(std::shared_ptr<const RecordedWorld> world) { m_core.setRecordedWorld(std::move(world)); }
    // One line of the control channel: "fault RULE" adds a --fault rule,
    // "clear" forgets every --fault and --reject rule. Returns the answer
    // line, which starts with "error:" when the line was not understood.
    QString control(const QString &line);

private:
    // One peer the scanner talks to: a TCP client, a UDP sender, the serial line.
    struct Channel
    {
        QString name;
        QByteArray rx;
        bool streaming = false;
        std::function<void(const QByteArray &)> write;
        std::function<qint64()> backlog;
        std::function<void()> drop;  // ends the connection at once; none for UDP
        std::function<void()> close; // ends it once what was written has left
        bool dropped = false;
        struct Pending
        {
            QByteArray bytes;
            qint64 due;
        };
        QList<Pending> queue; // bytes held back by a delay or split fault
    };

    bool listenTcp(QString *error);
    void acceptTcp();
    Channel &addChannel(const QString &key, const QString &name);
    void removeChannel(const QString &key);
    void receive(const QString &key, const QByteArray &bytes);
    void readUdp();
    void readDiscovery();
    void answer(Channel &channel, const ReceivedFrame &request);
    void send(Channel &channel, const QByteArray &bytes);
    void enqueue(Channel &channel, const QByteArray &bytes, qint64 due);
    void pump();
    void streamTick();
    void updateStreamTimer();
    void beginReboot();
    void finishReboot();
    void markDirty();
    void log(const QString &line) const;
    void logFrame(const Channel &channel, bool incoming, Command command, int length, const QString &note) const;
    qint64 now() const { return m_clock.elapsed(); }

    EmulatorOptions m_options;
    ScannerCore m_core;
    QElapsedTimer m_clock;
    QTcpServer *m_tcp = nullptr;
    quint16 m_tcpPort = 0;
    QUdpSocket *m_udp = nullptr;
    QUdpSocket *m_discovery = nullptr;
    PtyPort *m_pty = nullptr;
    QSerialPort *m_serial = nullptr;
    std::map<QString, std::unique_ptr<Channel>> m_channels;
    std::map<QString, QTcpSocket *> m_tcpClients;
    QStringList m_udpPeers; // UDP channel keys, the one heard from longest ago first
    int m_nextClient = 1;
    QTimer m_pumpTimer;
    QTimer m_streamTimer;
    QTimer m_saveTimer;
    bool m_booting = false;
    bool m_dirty = false;
};
