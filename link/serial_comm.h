#pragma once

#include "arearecord.h"
#include "linkstate.h"
#include "dialogseam.h"
#include "livedata.h"
#include "scancontrol.h"
#include "sensorparameters.h"
#include "transfertexts.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QVector>
#include <array>
#include <functional>
#include <optional>

class TrafficTap;
class QIODevice;
class QSerialPort;
class QTcpSocket;
class QUdpSocket;
struct EditData;
struct ReceivedFrame;

// What a read-all into a copy brings: the scanner's parameter words as it
// reported them and its areas, each read with the scanner's own install
// direction.
struct ScannerCopy
{
    SensorParameters parameters;
    QVector<AreaRecord> areas = QVector<AreaRecord>(64);
};

// The one object that talks to the scanner. It owns no device: the main
// window opens one of the three it hands over and selects it in LinkState.
// Callers raise request flags; a 20 ms scheduler sends the most urgent one
// whenever no reply is outstanding, and the receive loop hands each reply to
// its parser. A reply time-out re-sends; the fourth in a row gives up.
class SERIAL_COMM : public QObject
{
    Q_OBJECT
public:
    static constexpr int SendInterval = 20;     // ms, scheduler tick
    static constexpr int OvertimeInterval = 2000; // ms, reply time-out
    static constexpr int MaxRetries = 3;        // time-outs tolerated before giving up
    static constexpr int TxCapacity = 2000;
    // A restart the user asked for keeps the scanner away this long at most
    // (quillmark-cli upload --reboot waits as long).
    static constexpr int RestartWaitMs = 20000;

    // Request flags, in storage order.
    enum Request {
        InfoRequest,
        ScanRequest,
        IntensityRequest,
        RebootRequest,
        ReadAreasRequest,
        WriteAreasRequest,
        ReadParamsRequest,
        WriteParamsRequest,
        ReadCasesRequest,
        WriteCasesRequest,
        SimulationRequest,
        ControlRequest,
        RequestCount
    };

    SERIAL_COMM(QSerialPort *serialPort, LinkState *linkState, EditData *editData, SensorParameters *parameters,
                ScanControl *scanControl, QTcpSocket *tcpSocket, QUdpSocket *udpSocket, QObject *parent = nullptr);
    ~SERIAL_COMM() override;

    // Plain operations for the main window.
    void setLanguage(int language); // 0 English, 1 Chinese
    int language() const { return Language; }
    void setDeviceClass(int deviceClass); // MaxRange of the class; invalid classes change nothing
    int maxRange() const { return MaxRange; }
    void stopTimeout();   // stop OvertimeTimer, RetryCount = 0
    void clearRequests(); // PendingCommand = 0, every flag cleared

    void raiseRequest(Request request) { RequestFlags[size_t(request)] = 1; }
    bool isRequested(Request request) const { return RequestFlags[size_t(request)] != 0; }
    int pendingCommand() const { return PendingCommand; }
    int retryCount() const { return RetryCount; }
    int readAreaIndex() const { return ReadAreaIndex; }
    int writeAreaIndex() const { return WriteAreaIndex; }
    const QByteArray &receiveBuffer() const { return RxBuffer; }
    QByteArray lastSentFrame() const { return QByteArray(TxBuffer.data(), TxLength); }
    bool isTimeoutRunning() const { return OvertimeTimer.isActive(); }

    // The receive path after the device read: append, apply the buffer
    // rule, run the parsers. SerialPortReceiveData() feeds it from the device;
    // tools and fuzzers feed it bytes directly.
    void receiveBytes(const QByteArray &bytes);
    // One device read as it came, cut into pieces for receiveBytes(). Replay
    // hands recorded reads in here, the way the device's reads come in.
    void receiveRead(const QByteArray &bytes);

    // Every read and every request written go to the recorder while it
    // records. Not owned; nullptr detaches.
    void attachRecorder(TrafficTap *recorder) { Recorder = recorder; }
    // Replaying a recording: nothing is sent, and only the live streams (scans,
    // intensities, IO and self-check) are taken, so a recorded read-all or
    // download cannot touch the project or open boxes.
    void setReplaying(bool replaying);
    bool isReplaying() const { return Replaying; }
    // The product information of the last reply on this connection.
    std::optional<ProductInfo> productInfo() const { return LastProduct; }
    // A last line for the product information box, asked for when the box is
    // built (the window names its project's fingerprint there); none when empty.
    void setProductInfoNote(std::function<QString()> note) { ProductNote = std::move(note); }
    // True once the scanner's parameter block was read on this connection.
    bool parametersRead() const { return ParametersRead; }

    // A read-all into a copy beside the project: the project's areas and
    // parameters, the link's install direction and the views stay as they
    // are, and no message ends it. ReadCopyFinished() tells when it is over.
    // False, and nothing asked, while another transfer runs.
    bool ReadSensorAllDataIntoCopy();
    bool isReadingCopy() const { return CopyReading; }
    const ScannerCopy &readCopy() const { return Copy; }
    // Writes only what is named: those areas (WArea each, in index order),
    // then the case table and the parameter block if asked. Ends with the
    // messages and the restart question of a write-all, also when no
    // parameter block goes. False, and nothing sent, when there is nothing
    // to write, another transfer runs or a named area cannot be sent.
    bool writeSelected(const QVector<int> &areas, bool caseTable, bool parameters);
    // A read, write or reboot is under way (or a restarted scanner awaited).
    bool transferRunning() const;
    // The areas written go mirrored: the parameter block written with them
    // says the scanner is mounted reversed.
    bool writeReversed() const;

    // Test-only: shorter scheduler tick and reply time-out.
    void setIntervalsForTest(int sendMs, int overtimeMs);

signals:
    void SelfCheckStatus(short SensorTemper, ushort RotateSpeed, ushort DriveVoltage, ushort SendVoltage,
                         ushort ReceiveVoltage);
    void ReceiveScanfData();
    void ReceiveParameters();
    void ReceiveIntensityData();
    void IOPortSignals(uint Inport, uint Outport, uint Status);
    void DirChangeSignals(bool);
    void SensorTypeSignal(int);
    // All 64 areas and the case table of a read-all are in EditData: the
    // editing views refresh from it.
    void ReceiveAreaData();
    // The scanner accepted a reboot and is away; ScannerBack() when it
    // answers again on the same connection.
    void ScannerRestarting();
    void ScannerBack();
    // The read into the copy is over: complete, or abandoned (time-outs, a
    // disconnect, a read-all into the project taking over).
    void ReadCopyFinished(bool complete);
    // A write-all or a write of what differs went through to its end and the
    // restart question was answered; restart: answered Yes.
    void WriteFinished(bool restart);
    // A write ended refused once its box was read: the scanner may hold part
    // of it.
    void WriteRefused();

public slots:
    void OpenSendReadScanf();
    void CloseSendReadScanf();
    void OpenSendReadIntensity();
    void CloseSendReadIntensity();
    void OpenSendReadSimulation();
    void CloseSendReadSimulation();
    void CloseSerialPortSlots();
    void SensorRebootSlots();
    void ReadSensorAllDataSlots();
    void WriteSensorAllDataSlots();
    void SensorInformationSlots();

private slots:
    void ReadScanfTime();
    void ReadIntensityTime();
    void ReadSimulationTime();
    void ReadWriteOverTime();
    void SerialPortSendData();
    void SerialPortReceiveData();

private:
    QIODevice *selectedDevice() const;
    // The selected device can carry a request: open, and for a socket not
    // left unconnected by a failed attempt.
    bool deviceReady() const;
    bool idle() const { return PendingCommand == 0; }
    bool ethernet() const;
    void clear(Request request) { RequestFlags[size_t(request)] = 0; }
    void clearAllFlags();
    void sendFrame(const QByteArray &frame, int code);
    void sendRequest(Command command);
    void stopStreamIfEthernet();
    void readAreaStep();
    void writeAreaStep();
    // Checks the areas of mask before the first frame leaves; true (and the
    // user told) when one cannot be sent.
    bool refuseDownloadIfUnsendable(const std::array<bool, 64> &mask);
    // The areas are through: a write that sends no parameter block ends here.
    void finishWriteWithoutParameters();
    // The end of an accepted write: the messages, the restart question.
    void writeAccepted();
    void abandonCopyRead();
    // The next area of the write from WriteAreaIndex on (64 when none is left).
    void skipUnwrittenAreas();
    // The area transfer is through.
    void areasWritten();
    void replyAccepted(); // stops the time-out, RetryCount = 0
    // One box of the transfer sequences in the link's language; nothing in
    // any other language. Returns the pressed button, -1 when none was shown.
    int tell(TransferMessage message, DialogSeam::Icon icon = DialogSeam::Icon::Information,
             const QString &argument = QString());
    // The box for a write the scanner refused with this status; status 1
    // gives `rejected`.
    void tellRefusal(int status, TransferMessage rejected);
    // Ends a write-all: nothing more of it is sent.
    void abandonWrite();
    // Runs a reply's boxes once the receive handler has returned: a modal box
    // opened inside it would hold back every further reply of that device
    // (sockets do not signal new data again while their handler runs), and
    // the link would time out behind the box.
    void afterReceive(std::function<void()> boxes);
    void showProgress(TransferMessage title);
    void dispatch(const ReceivedFrame &frame);

    // Reply parsers (serial_comm_replies.cpp).
    void rebootReply(const QByteArray &frame);
    void productReply(const QByteArray &frame);
    void samplesReply(const QByteArray &frame, Command command);
    void readAreaReply(const QByteArray &frame);
    void writeAreaReply(const QByteArray &frame);
    void readParamsReply(const QByteArray &frame);
    void writeParamsReply(const QByteArray &frame);
    void readCasesReply(const QByteArray &frame);
    void writeCasesReply(const QByteArray &frame);
    void simulationReply(const QByteArray &frame);
    void controlReply(const QByteArray &frame);
    void hisnPacket(const QByteArray &bytes);

    QByteArray RxBuffer;
    LinkState *Link;
    EditData *Edit;
    QSerialPort *SerialPort;
    SensorParameters *Parameters;
    ScanControl *Control;
    qint32 MaxRange = 60000;
    QTimer ScanTimer;
    QTimer IntensityTimer;
    QTimer SimulationTimer;
    QTimer OvertimeTimer;
    QTimer SendTimer;
    QTcpSocket *TcpSocket;
    QUdpSocket *UdpSocket;
    qint32 ReadAreaIndex = 0;
    qint32 WriteAreaIndex = 0;
    qint32 RetryCount = 0;
    qint32 Language = 0;
    qint32 PendingCommand = 0;
    std::array<quint8, RequestCount> RequestFlags{};
    bool SilentInfo = false;
    qint32 TxLength = 0;
    std::array<char, TxCapacity> TxBuffer{};
    HisnAssembler Hisn;
    TrafficTap *Recorder = nullptr;
    bool Replaying = false;
    std::optional<ProductInfo> LastProduct;
    std::function<QString()> ProductNote;
    bool ParametersRead = false;
    // Counts connections: an answer to a question that outlived its
    // connection raises nothing on the next one.
    quint32 Generation = 0;
    // The area transfer waits while its rejection box is open, so a scanner
    // that rejects again cannot stack boxes.
    bool WriteAreasHeld = false;
    // Refusals in the running write-all: after as many as time-outs are
    // tolerated it ends, rather than restart from area 0 for ever.
    qint32 WriteRefusals = 0;
    // The area (64 + index for a write) the last time-out hit, and how many
    // time-outs in a row hit it: areas before it answering does not keep a
    // transfer going that never gets past it.
    qint32 StalledAt = -1;
    qint32 Stalls = 0;
    // A parser set aside a reply that answers nothing asked now: the one
    // behind it in the buffer is looked for again at once, rather than wait
    // for a read that only comes after a time-out.
    bool StaleReply = false;
    // Restarting: time-outs re-send without counting, up to RestartWaitMs.
    bool Restarting = false;
    QElapsedTimer RestartClock;
    // A read-all into the copy is under way.
    bool CopyReading = false;
    ScannerCopy Copy;
    // The areas the write sends (all of them for a write-all), and whether
    // it ends without a parameter block.
    std::array<bool, 64> WriteMask{};
    bool EndsWithoutParameters = false;
};
