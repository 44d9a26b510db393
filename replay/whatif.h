#pragma once

// What if the project's zones had guarded a recorded drive: every scan of a
// recording judged with the project's areas, as the scanner judges it, next
// to the outputs the scanner reported in its IO-simulation replies.

#include "arearecord.h"
#include "hisnscanjoiner.h"
#include "outputzone.h"
#include "recording.h"
#include "zoneevaluator.h"

#include <QByteArray>
#include <QVector>
#include <array>
#include <atomic>
#include <optional>

struct WhatIfScan
{
    qint64 timeUs = 0;       // of the chunk that completed the scan
    int area = -1;           // selected by the latest reply before it; -1 unknown: not judged
    quint8 project = 0;      // outputs the project's zones give (bits 0..2)
    quint8 reported = 0;     // outputs of the latest reply at or before the scan
    bool reportKnown = false;
    bool compared = false;   // a reply judged this scan and was compared with it
    bool forced = false;     // a reply judged this scan but reported simulated outputs
    quint8 disagreeMask = 0; // compared outputs that differ
};

struct WhatIfOutput
{
    qint64 projectSetUs = 0; // time the output was set, over the judged scans
    int projectSwitchings = 0;
    qint64 reportedSetUs = 0;
    int reportedSwitchings = 0;
    QVector<int> disagreements; // scan indices
};

struct WhatIfResult
{
    QVector<WhatIfScan> scans;
    std::array<WhatIfOutput, 3> outputs;
    int compared = 0;    // scans a reply was compared with
    int disagreeing = 0; // of those, scans where some output differs
    int replies = 0;     // IO-simulation replies read

    bool agrees() const { return disagreeing == 0; }
};

class WhatIfEvaluator
{
public:
    // areas: the project's 64 areas as drawn. reversed: the scanner is
    // mounted reversed, so it holds them mirrored.
    WhatIfEvaluator(const QVector<AreaRecord> &areas, int connectionKind, bool reversed = false);

    void add(const RecordingChunk &chunk);
    const WhatIfResult &result() const { return m_result; }

private:
    // Traffic of one framing pass, in wire order.
    struct Event
    {
        int offset;
        Command command;
        QByteArray bytes;
    };

    void takePass(QByteArray &piece, qint64 timeUs);
    void hisnPacket(const QByteArray &bytes, qint64 timeUs);
    void scanComplete(const Scan &scan, qint64 timeUs);
    void simuReply(const QByteArray &bytes);
    const std::array<OutputZone, 3> &zonesOf(int area);

    QVector<AreaRecord> m_areas; // as the scanner holds them
    int m_connectionKind;
    std::array<std::optional<std::array<OutputZone, 3>>, 64> m_zones;

    qint64 m_timeUs = 0; // of the latest chunk, steadied
    QByteArray m_received;
    QByteArray m_sent;
    QVector<Event> m_events;
    Scan m_serialScan;
    HisnScanJoiner m_joiner;
    OutputTimer m_timer;

    bool m_forcing = false;     // the latest IO-simulation request set outputs or faults
    int m_area = -1;            // from the latest reply
    quint8 m_reported = 0;
    bool m_reportKnown = false;
    int m_unjudgedScan = -1;    // the latest scan no reply has judged yet
    int m_lastProject = -1;     // outputs of the latest judged scan
    int m_lastReported = -1;    // reported outputs of the latest scan with a report

    WhatIfResult m_result;
};

// A whole recording file judged with areas, read record by record. cancel,
// when given, is looked at between records (an evaluation on another thread
// gives up when it is set). *status gets how the read ended.
WhatIfResult whatIfOfRecording(const QString &path, const QVector<AreaRecord> &areas, bool reversed,
                               const std::atomic<bool> *cancel = nullptr, RecordingStatus *status = nullptr);
