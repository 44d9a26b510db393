#pragma once

// Request and reply frames of the scanner protocol, both directions, as pure
// functions over bytes. The tool encodes requests and decodes replies; the
// scanner emulator does the opposite with the same functions.
//
// Every frame starts with its five-letter command text and has a fixed length.
// Multi-byte fields are 16-bit big-endian; the last two bytes are a
// CRC-16/MODBUS, low byte first (not on RScan/RStre replies and HISN packets).
// Decoders accept a frame only when its length, header and CRC are right.

#include "scancontrol.h"
#include "sensorparameters.h"
#include "simulationstate.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

// Commands; the value of those with a reply is the link's PendingCommand code.
enum class Command : int {
    RPrda = 1,
    RScan = 3,
    RStre = 4,
    RBoot = 5,
    RArea = 6,
    WArea = 7,
    RPara = 8,
    WPara = 9,
    RCase = 10,
    WCase = 11,
    WSimu = 12,
    SCtrl = 14,
    RAuto = 100, // sets no pending code: no reply, HISN packets follow
    Hisn = 101,  // the Ethernet live packet (reply side only)
};

struct CommandInfo
{
    Command command;
    const char *text;   // five-letter command text (four for HISN)
    int requestLength;  // 0 for HISN
    int replyLength;    // 0 when there is no fixed-length reply
    bool replyHasCrc;
};

constexpr int kHeaderLength = 5;
constexpr int kAreaFrameLength = 1264;
constexpr int kCaseFrameLength = 647;
constexpr int kParameterFrameLength = 67;
constexpr int kProductFrameLength = 509;
constexpr int kSamplesFrameLength = 1285;
constexpr int kStatusFrameLength = 8;
constexpr int kSimuRequestLength = 18;
constexpr int kSimuReplyLength = 23;
constexpr int kControlFrameLength = 12;
constexpr int kSimpleRequestLength = 7;

// The thirteen request commands in wire-table order.
const std::array<CommandInfo, 13> &requestCommands();
const CommandInfo &commandInfo(Command command);
// The command whose text starts the given bytes (five letters, or "HISN");
// nullopt for anything else.
std::optional<Command> commandAt(const char *data, int size);

// 16-bit big-endian field helpers (values are truncated to 16 bits).
void put16(QByteArray &frame, int offset, qint64 value);
quint16 get16(const QByteArray &frame, int offset);
inline qint16 get16s(const QByteArray &frame, int offset) { return qint16(get16(frame, offset)); }

// A zeroed frame of the command's request (asReply false) or reply length,
// with the command text in place.
QByteArray blankFrame(Command command, int length);
// True when frame has exactly this length, starts with the command text and,
// if withCrc, ends in a valid CRC.
bool isFrame(const QByteArray &frame, Command command, int length, bool withCrc = true);

// ---- Requests, tool side -------------------------------------------------

// RPrda, RScan, RStre, RBoot, RPara, RCase: 7 bytes, no payload. Any other
// command gives an empty array.
QByteArray encodeSimpleRequest(Command command);
QByteArray encodeRAreaRequest(int areaIndex);           // 9 bytes: index, constant 24
QByteArray encodeParameterBlock(Command command, const SensorParameters &params); // WPara request / RPara reply
QByteArray encodeSCtrlRequest(const ScanControl &control);
QByteArray encodeRAuto(int argument);                   // 1 starts, 0 stops the stream

// The simulation block as it travels.
struct SimulationFrame
{
    quint8 Mode = 0; // 1 input simulation, 2 case simulation, 0 neither
    quint8 InputBits = 0;
    qint16 SimDegree = 0;
    qint16 SimSpeed = 0;
    qint16 SimOptionMode = 0;
    quint8 OutputSimulation = 0;
    quint8 OutputBits = 0;
    quint8 FaultBits = 0;

    static SimulationFrame of(const SimulationState &state);
    bool operator==(const SimulationFrame &o) const;
};
QByteArray encodeWSimuRequest(const SimulationFrame &sim);

// ---- Requests, scanner side ----------------------------------------------

// The command of a valid 7-byte request without payload.
std::optional<Command> decodeSimpleRequest(const QByteArray &frame);
std::optional<int> decodeRAreaRequest(const QByteArray &frame); // area index byte
std::optional<SensorParameters> decodeParameterBlock(const QByteArray &frame, Command command);
std::optional<ScanControl> decodeSCtrlRequest(const QByteArray &frame); // Enabled is not sent: 0
std::optional<int> decodeRAuto(const QByteArray &frame);
std::optional<SimulationFrame> decodeWSimuRequest(const QByteArray &frame);

// ---- Replies -------------------------------------------------------------

// WPara, WArea, WCase and RBoot replies: 8 bytes, byte 5 the status
// (0 accepted, 1 parameter setting error, 2 flash write error).
QByteArray encodeStatusReply(Command command, quint8 status);
std::optional<int> decodeStatusReply(const QByteArray &frame, Command command);
QByteArray encodeSCtrlReply();
bool decodeSCtrlReply(const QByteArray &frame);

struct ProductInfo
{
    quint16 ProductType = 0;
    quint16 FirmwareVersion = 0; // version x 100
    quint16 SerialNumber = 0;
    quint16 Year = 0;
    quint16 Month = 0;
    quint16 Day = 0;
    bool operator==(const ProductInfo &o) const;
};
QByteArray encodeProductReply(const ProductInfo &info);
std::optional<ProductInfo> decodeProductReply(const QByteArray &frame);
// Model name of a known product code ("VQxxxx-ETH" ...), empty otherwise.
QString productName(int productType);
// The four lines of the product information message, in the link's language
// (0 English, 1 Chinese; any other value gives an empty text).
QString productInfoText(const ProductInfo &info, int language);

struct SimuStatus
{
    quint8 InputStates = 0;
    quint8 Byte6 = 0; // not examined by the tool
    quint8 OutputStates = 0;
    quint8 Byte8 = 0; // not examined by the tool
    quint16 Status = 0;
    qint16 SensorTemper = 0;
    quint16 RotateSpeed = 0;
    quint16 DriveVoltage = 0;
    quint16 SendVoltage = 0;
    quint16 ReceiveVoltage = 0;

    // The input and output bytes are reported sign-extended to 32 bits.
    uint inport() const { return uint(qint32(qint8(InputStates))); }
    uint outport() const { return uint(qint32(qint8(OutputStates))); }
    bool operator==(const SimuStatus &o) const;
};
QByteArray encodeSimuReply(const SimuStatus &status);
std::optional<SimuStatus> decodeSimuReply(const QByteArray &frame);
