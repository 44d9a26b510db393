#pragma once

// The area block (WArea request, RArea reply; 1264 bytes) and the case table
// (WCase request, RCase reply; 647 bytes).

#include "arearecord.h"
#include "frames.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <array>
#include <optional>

constexpr int kAreaSlotsPerOutput = 100;

// Why an area cannot be sent. The encoder refuses rather than cut or wrap:
// a zone the scanner stores differently from what the user drew guards the
// wrong space.
struct AreaEncodeError
{
    enum Reason {
        None,
        BadAreaIndex,        // index outside 0..63
        TooManyPoints,       // more than 100 point slots needed
        CoordinateTooLarge,  // polygon/rectangle x or y outside -32768..32767
        DistanceOutOfRange,  // arc radius or straight/fan/ratio distance outside 0..65535
    };
    Reason reason = None;
    int area = -1;
    int output = -1;  // 0..2
    int point = -1;   // index into the output's list
    qint64 value = 0; // the offending count, coordinate or distance

    explicit operator bool() const { return reason != None; }
    // User-readable text in the link's language (0 English, 1 Chinese; any
    // other value gives an empty text, like every text of the link).
    QString message(int language) const;
};

struct AreaEncodeResult
{
    QByteArray frame; // empty when refused
    AreaEncodeError error;
    bool ok() const { return !error; }
};

// Builds the area block for area `index` with the given command text (WArea
// for the tool, RArea for the emulator's reply). With `reversed` set every x
// travels negated; the record itself is not changed.
AreaEncodeResult encodeAreaBlock(Command command, int index, const AreaRecord &area, bool reversed);
// Checks only, for refusing a whole download before its first frame.
AreaEncodeError checkAreaEncodable(int index, const AreaRecord &area, bool reversed);

// An area block as it came off the wire, before it is applied to a record.
struct AreaBlock
{
    struct Output
    {
        int Kind = 0;        // low byte of the kind field
        int Count = 0;       // point count field
        qint16 StartDegree = 0;
        qint16 EndDegree = 0;
        quint16 Radius = 0;
        quint16 StraightDistance = 0;
        quint16 FanDistance = 0;
        quint16 RatioDistance = 0;
        QVector<QPoint> Slots; // Count slots as sent when Count is 1..100, else empty
    };
    int Index = 0; // byte 5
    quint16 OpenDelay = 0;
    quint16 CloseDelay = 0;
    quint16 Hysteresis = 0;
    quint16 DetectionSize = 0;
    std::array<Output, 3> Outputs;
};

std::optional<AreaBlock> decodeAreaBlock(const QByteArray &frame, Command command);
// Writes a decoded block into a record: the four switching parameters, each
// output's kind (kinds outside 0..5 leave the old one) and points rebuilt from
// the kind. With `reversed` set every x is negated back. Case fields stay.
void applyAreaBlock(const AreaBlock &block, bool reversed, AreaRecord &area);

struct CaseFields
{
    qint16 SteerMinDgree = 0;
    qint16 SteerMaxDgree = 0;
    qint16 VehicleMinSpeed = 0;
    qint16 VehicleMaxSpeed = 0;
    qint16 VehicleOptionMode = 0;
    bool operator==(const CaseFields &o) const;
};
using CaseTable = std::array<CaseFields, 64>;

CaseTable caseTableOf(const QVector<AreaRecord> &areas); // fields truncated to 16 bits
QByteArray encodeCaseTable(Command command, const CaseTable &table);
std::optional<CaseTable> decodeCaseTable(const QByteArray &frame, Command command);
void applyCaseTable(const CaseTable &table, QVector<AreaRecord> &areas);
