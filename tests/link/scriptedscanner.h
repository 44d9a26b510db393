#pragma once

// A small scanner for tests: it takes requests from whatever transport the
// test wires to feed()/write, keeps a configuration, and answers with the
// real reply encoders. It can stay silent, delay its replies and change a
// status, so tests can drive time-outs and rejections.

#include "areaframe.h"
#include "crc16.h"
#include "framing.h"
#include "livedata.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <utility>

class ScriptedScanner : public QObject
{
public:
    std::function<void(const QByteArray &)> write;

    QVector<ReceivedFrame> requests; // every valid request, in arrival order
    int ignoreNext = 0;               // this many requests get no reply
    int replyDelayMs = 0;             // 0 answers at once
    int requestsWhileBusy = 0;        // requests that arrived while a reply was outstanding
    // Status of the next write reply of each kind; back to 0 after one use.
    int writeAreaStatus = 0;
    int writeCaseStatus = 0;
    int writeParamsStatus = 0;

    SensorParameters params;
    CaseTable cases{};
    QVector<QByteArray> areaBlocks = QVector<QByteArray>(64); // as received (WArea) or served (RArea)
    ProductInfo info{9, 105, 1234, 2024, 1, 2};
    SimuStatus simu;
    SimulationFrame lastSimulation;
    QVector<quint16> scan = QVector<quint16>(640);

    ScriptedScanner()
    {
        for (int i = 0; i < 64; ++i)
            areaBlocks[i] = encodeAreaBlock(Command::RArea, i, AreaRecord(), false).frame;
    }

    void serveAreas(const QVector<AreaRecord> &areas, bool reversed)
    {
        for (int i = 0; i < 64; ++i)
            areaBlocks[i] = encodeAreaBlock(Command::RArea, i, areas.at(i), reversed).frame;
    }

    QVector<Command> commands() const
    {
        QVector<Command> out;
        for (const ReceivedFrame &f : requests)
            out << f.command;
        return out;
    }

    void feed(const QByteArray &bytes)
    {
        m_rx += bytes;
        ReceivedFrame f;
        while (takeRequest(m_rx, &f))
            handle(f);
    }

private:
    void handle(const ReceivedFrame &f)
    {
        requests << f;
        if (m_busy)
            ++requestsWhileBusy;
        if (ignoreNext > 0) {
            --ignoreNext;
            return;
        }
        const QByteArray reply = replyTo(f);
        if (reply.isEmpty() || !write)
            return;
        if (replyDelayMs <= 0) {
            write(reply);
            return;
        }
        m_busy = true;
        QTimer::singleShot(replyDelayMs, this, [this, reply] {
            m_busy = false;
            write(reply);
        });
    }

    QByteArray replyTo(const ReceivedFrame &f)
    {
        switch (f.command) {
        case Command::RPrda: return encodeProductReply(info);
        case Command::RScan:
        case Command::RStre: return encodeSamplesReply(f.command, scan);
        case Command::RBoot: return encodeStatusReply(Command::RBoot, 0);
        case Command::RArea: {
            const int index = *decodeRAreaRequest(f.bytes);
            QByteArray block = areaBlocks.value(index);
            if (block.isEmpty())
                return {};
            block.replace(0, 5, "RArea");
            storeCrc(block);
            return block;
        }
        case Command::WArea: {
            const std::optional<AreaBlock> block = decodeAreaBlock(f.bytes, Command::WArea);
            if (block && block->Index < 64)
                areaBlocks[block->Index] = f.bytes;
            return encodeStatusReply(Command::WArea, quint8(std::exchange(writeAreaStatus, 0)));
        }
        case Command::RPara: return encodeParameterBlock(Command::RPara, params);
        case Command::WPara:
            params = *decodeParameterBlock(f.bytes, Command::WPara);
            return encodeStatusReply(Command::WPara, quint8(std::exchange(writeParamsStatus, 0)));
        case Command::RCase: return encodeCaseTable(Command::RCase, cases);
        case Command::WCase:
            cases = *decodeCaseTable(f.bytes, Command::WCase);
            return encodeStatusReply(Command::WCase, quint8(std::exchange(writeCaseStatus, 0)));
        case Command::WSimu:
            lastSimulation = *decodeWSimuRequest(f.bytes);
            return encodeSimuReply(simu);
        case Command::SCtrl: return encodeSCtrlReply();
        default: return {};
        }
    }

    QByteArray m_rx;
    bool m_busy = false;
};
