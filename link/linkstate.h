#pragma once

#include <QVector>
#include <QtGlobal>

// Connection settings and live sample buffers shared by the main window, the
// link, the scene and the data table. The sample vectors are allocated once at
// full size and never resized, so readers may keep indices into them.
struct LinkState
{
    static constexpr int SerialSampleCount = 640;
    static constexpr int NetRingSize = 30000;

    qint32 NetWritePos = 0;   // next write index into the Ethernet rings
    qint32 NetScanLength = 0; // samples of the last complete Ethernet scan, 0 when none
    QVector<quint16> SerialDistances = QVector<quint16>(SerialSampleCount);
    QVector<quint16> SerialIntensities = QVector<quint16>(SerialSampleCount);
    // The last complete Ethernet scan, from index 0: what the displays read.
    QVector<quint16> NetDistances = QVector<quint16>(NetRingSize);
    QVector<quint16> NetIntensities = QVector<quint16>(NetRingSize);
    // The rings the packets of the next scan are written into; a complete
    // scan changes places with the one above, so a repaint between two
    // packets never shows half of one scan and half of another.
    QVector<quint16> NetRingDistances = QVector<quint16>(NetRingSize);
    QVector<quint16> NetRingIntensities = QVector<quint16>(NetRingSize);
    qint32 ConnectionKind = 0; // 0 serial line, 1 Ethernet
    qint32 EthernetMode = 0;   // 0 TCP, 1 UDP
    qint32 DisplayMode = 0;    // 0 graph, 1 cloud, 2 line
    bool DirectionReversed = false;

    // The process-wide record the main window hands out by pointer.
    static LinkState &instance();
};
