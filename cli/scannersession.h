#pragma once

#include "configuration.h"
#include "frames.h"
#include "editdata.h"
#include "linkstate.h"
#include "scancontrol.h"
#include "scanneraddress.h"
#include "sensorparameters.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QSerialPort>
#include <QTcpSocket>
#include <QUdpSocket>
#include <functional>
#include <memory>
#include <optional>

class ConsoleDialogs;
class SERIAL_COMM;

// One scanner behind the link, for the length of one command: the devices,
// the link's shared records and the link itself, driven through its own
// transfer sequences. A failure (no answer after the retries, connection
// refused or lost, a write the scanner rejected) ends the operation with a
// one-line message in error().
class ScannerSession : public QObject
{
    Q_OBJECT
public:
    ScannerSession(const ScannerAddress &address, int language, ConsoleDialogs *dialogs);
    ~ScannerSession() override;

    bool open();
    // Read-all: parameters, case table, the 64 areas.
    bool readAll(Configuration *config);
    // Write-all of the configuration; the restart question is answered by the
    // dialogs. With reboot, waits for the scanner to report the restart done.
    bool writeAll(const Configuration &config, bool reboot);
    // After a restart a TCP scanner drops the connection and listens again
    // once booted: connects anew, trying until it answers. Other links keep
    // their device; the link's retries cover the pause.
    bool reconnectAfterReboot();
    // Waits until a restarted scanner answers again (its product request).
    bool waitUntilBack();
    // The product information text, as the window's box shows it.
    bool info(QString *text);
    // The product information of the last reply (every read-all asks for it).
    std::optional<ProductInfo> product() const;
    // Polls the IO and self-check status every 200 ms until stop() or
    // seconds (0: no limit) or a failure; each reply goes to line.
    struct Status
    {
        uint inputs = 0;
        uint outputs = 0;
        uint status = 0;
        short temperature = 0;
        ushort speed = 0;
        ushort drive = 0;
        ushort send = 0;
        ushort receive = 0;
    };
    bool watch(int seconds, const std::function<void(const Status &)> &line);
    // Records the scan stream and the IO status into a recording file for
    // seconds (0: until stop()), after reading the product information and
    // the parameter block for its header. *bytes gets the file's size.
    bool record(const QString &path, int seconds, qint64 *bytes);
    void stop();
    // Everything the session waits for ends by this time with a failure
    // (the time asked for by watch and record comes on top).
    void setDeadline(QDeadlineTimer deadline) { m_deadline = deadline; }

    QString error() const { return m_error; }
    // Stopped before what it waited for came: nothing was done.
    bool interrupted() const { return m_interrupted; }

private:
    // True when done() came; false on a failure, the deadline or stop().
    bool waitFor(const std::function<bool()> &done);
    // Runs the event loop for seconds (0: until stop()) or a failure.
    bool runFor(int seconds);
    bool connectTcp(QString *why);
    void fail(const QString &text);
    bool claimBox(int icon, const QString &title, const QString &text);

    ScannerAddress m_address;
    int m_language;
    ConsoleDialogs *m_dialogs;
    QSerialPort m_serial;
    QTcpSocket m_tcp;
    QUdpSocket m_udp;
    LinkState m_link;
    EditData m_data;
    SensorParameters m_params = SensorParameters::defaults();
    ScanControl m_control;
    std::unique_ptr<SERIAL_COMM> m_comm;
    QString m_error;
    bool m_failed = false;
    bool m_stopped = false;
    bool m_interrupted = false;
    QDeadlineTimer m_deadline{QDeadlineTimer::Forever};
    bool m_parametersAccepted = false;
    bool m_rebootDone = false;
    bool m_reconnecting = false;
    bool m_awaitingBack = false;     // after a restart, until the scanner answers
    bool m_droppedWhileBack = false;
    QString m_productText;
};
