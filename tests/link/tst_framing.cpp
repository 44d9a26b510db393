#include "areaframe.h"
#include "framing.h"
#include "livedata.h"

#include <QtTest>

namespace {
QByteArray rparaReply(int word0 = 7)
{
    SensorParameters p;
    p.Words[0] = word0;
    return encodeParameterBlock(Command::RPara, p);
}

HisnPacket packet(int start, int end, int points, int closing, quint16 distance = 1000)
{
    HisnPacket p;
    p.StartAngle = quint16(start);
    p.EndAngle = quint16(end);
    p.CountA = quint16(points);
    p.CountB = quint16(points);
    p.Closing = quint16(closing);
    p.Distances = QVector<quint16>(points, distance);
    p.Intensities = QVector<quint16>(points, 50);
    return p;
}

QVector<Command> commands(const QVector<ReceivedFrame> &frames)
{
    QVector<Command> out;
    for (const ReceivedFrame &f : frames)
        out << f.command;
    return out;
}
} // namespace

class TestFraming : public QObject
{
    Q_OBJECT
private slots:
    void replyInPiecesIsCutWhenItsLastByteArrives()
    {
        const QByteArray reply = rparaReply();
        QByteArray rx;
        for (int i = 0; i < reply.size() - 1; ++i) {
            rx.append(reply.at(i));
            QVERIFY(takeReplies(rx, 0).isEmpty());
        }
        rx.append(reply.at(reply.size() - 1));
        const QVector<ReceivedFrame> frames = takeReplies(rx, 0);
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames[0].bytes, reply);
        QVERIFY(rx.isEmpty());
    }

    void strayBytesInFrontStayInTheBuffer()
    {
        QByteArray rx = QByteArray("\x01noise") + encodeStatusReply(Command::WPara, 0) + QByteArray("tail");
        const QVector<ReceivedFrame> frames = takeReplies(rx, 0);
        QCOMPARE(commands(frames), QVector<Command>{Command::WPara});
        QCOMPARE(rx, QByteArray("\x01noisetail"));
    }

    void twoRepliesWithOneHeaderTakeTwoPasses()
    {
        QByteArray rx = rparaReply(1) + rparaReply(2);
        QVector<ReceivedFrame> frames = takeReplies(rx, 0);
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames[0].bytes, rparaReply(1));
        frames = takeReplies(rx, 0);
        QCOMPARE(frames.size(), 1);
        QCOMPARE(frames[0].bytes, rparaReply(2));
        QVERIFY(rx.isEmpty());
    }

    void differentRepliesComeOutInParserOrder()
    {
        QVector<quint16> samples(640, 5);
        QByteArray rx = encodeSamplesReply(Command::RScan, samples) + encodeStatusReply(Command::WCase, 0)
            + encodeStatusReply(Command::RBoot, 0) + encodeSCtrlReply() + rparaReply();
        QCOMPARE(commands(takeReplies(rx, 0)), (QVector<Command>{Command::RBoot, Command::RPara, Command::WCase,
                                                                 Command::SCtrl, Command::RScan}));
        QVERIFY(rx.isEmpty());
        // RScan and RStre are serial replies: on Ethernet they are left where they are.
        rx = encodeSamplesReply(Command::RScan, samples) + encodeSamplesReply(Command::RStre, samples);
        QVERIFY(takeReplies(rx, 1).isEmpty());
        QCOMPARE(rx.size(), 2 * 1285);
    }

    void wrongCrcIsDroppedSilently()
    {
        QByteArray bad = rparaReply();
        bad[20] = char(bad.at(20) ^ 0x10);
        QByteArray rx = QByteArray("ab") + bad + QByteArray("cd");
        QVERIFY(takeReplies(rx, 0).isEmpty());
        QCOMPARE(rx, QByteArray("abcd"));
    }

    void bufferRuleAtFiftyThousandBytes()
    {
        const QByteArray reply = encodeStatusReply(Command::WArea, 0);
        // 49999 bytes: still parsed.
        QByteArray rx = QByteArray(49999 - reply.size(), 'x') + reply;
        QCOMPARE(takeReplies(rx, 0).size(), 1);
        QCOMPARE(rx.size(), 49999 - reply.size());
        // 50000 bytes: no parser runs; without a HISN the buffer is emptied.
        rx = QByteArray(50000 - reply.size(), 'x') + reply;
        QVERIFY(takeReplies(rx, 0).isEmpty());
        QVERIFY(rx.isEmpty());
        // With HISN packets it is cut back to the last one.
        const QByteArray last = encodeHisnPacket(packet(0, 20, 4, 0));
        rx = QByteArray(30000, 'y') + encodeHisnPacket(packet(0, 20, 2, 0)) + QByteArray(20000, 'z') + last;
        QVERIFY(takeReplies(rx, 1).isEmpty());
        QCOMPARE(rx, last);
    }

    void oversizedTailCannotWedgeTheBuffer()
    {
        // A packet header announcing more points than the buffer may ever
        // hold: cutting back to it would leave 50000+ bytes and stop every
        // parser for good. The buffer is emptied instead and parsing resumes.
        HisnPacket huge = packet(0, 20, 0, 0);
        huge.CountA = huge.CountB = 60000;
        QByteArray rx = encodeHisnPacket(huge) + QByteArray(60000, 'q');
        QVERIFY(takeReplies(rx, 1).isEmpty());
        QVERIFY(rx.isEmpty());
        rx = rparaReply();
        QCOMPARE(takeReplies(rx, 1).size(), 1);
    }

    void hisnPacketsAreAllTakenAndPartialOnesWait()
    {
        const QByteArray a = encodeHisnPacket(packet(0, 20, 3, 0));
        const QByteArray b = encodeHisnPacket(packet(20, 40, 5, 0));
        QByteArray rx = QByteArray("..") + a + b + b.left(10);
        const QVector<ReceivedFrame> frames = takeReplies(rx, 1);
        QCOMPARE(frames.size(), 2);
        QCOMPARE(frames[1].bytes, b);
        QCOMPARE(rx, QByteArray("..") + b.left(10));
        rx += b.mid(10);
        QCOMPARE(takeReplies(rx, 1).size(), 1);
        QCOMPARE(rx, QByteArray(".."));
        // Serial connections leave HISN alone.
        rx = a;
        QVERIFY(takeReplies(rx, 0).isEmpty());
    }

    void scannerSideFindsRequestsInAStream()
    {
        QByteArray rx = QByteArray("zz") + encodeSimpleRequest(Command::RPara) + encodeRAreaRequest(9);
        QByteArray bad = encodeRAuto(1);
        bad[5] = 7;
        rx += bad + encodeRAuto(0).left(4);
        ReceivedFrame f;
        QVERIFY(takeRequest(rx, &f));
        QCOMPARE(f.command, Command::RPara);
        QVERIFY(takeRequest(rx, &f));
        QCOMPARE(decodeRAreaRequest(f.bytes), std::optional<int>(9));
        QVERIFY(!takeRequest(rx, &f)); // bad CRC skipped, partial frame waits
        rx += encodeRAuto(0).mid(4);
        QVERIFY(takeRequest(rx, &f));
        QCOMPARE(decodeRAuto(f.bytes), std::optional<int>(0));
        QVERIFY(rx.isEmpty());
    }

    // A request cut by the reads at every position, the boundary right after
    // the five-character head included: the scanner side keeps the head and
    // takes the request whole once the rest arrives.
    void requestSplitAcrossTwoReads_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<int>("split");
        SimulationFrame sim;
        sim.Mode = 1;
        sim.SimDegree = -45;
        const QVector<QPair<const char *, QByteArray>> kinds{{"RPara", encodeSimpleRequest(Command::RPara)},
                                                           {"RArea", encodeRAreaRequest(33)},
                                                           {"WSimu", encodeWSimuRequest(sim)}};
        for (const auto &kind : kinds)
            for (int split = 1; split < kind.second.size(); ++split)
                QTest::addRow("%s, first read ends at %d", kind.first, split) << kind.second << split;
    }
    void requestSplitAcrossTwoReads()
    {
        QFETCH(QByteArray, request);
        QFETCH(int, split);
        // The first read also holds a whole request and stray bytes in front.
        QByteArray rx = encodeRAuto(1) + QByteArray("zz") + request.left(split);
        ReceivedFrame f;
        QVERIFY(takeRequest(rx, &f));
        QCOMPARE(f.command, Command::RAuto);
        QVERIFY(!takeRequest(rx, &f));
        rx += request.mid(split);
        QVERIFY(takeRequest(rx, &f));
        QCOMPARE(f.bytes, request);
        QVERIFY(rx.isEmpty());
    }

    void serialSamplesFollowTheInstallDirection()
    {
        QVector<quint16> samples(640);
        for (int k = 0; k < 640; ++k)
            samples[k] = quint16(k + 1);
        samples[1] = 65535;
        QVector<quint16> target(640);
        storeSerialSamples(samples, false, 6000, target);
        QCOMPARE(target[639], quint16(1));
        QCOMPARE(target[638], quint16(6000)); // limited to the class's range
        QCOMPARE(target[0], quint16(640));
        storeSerialSamples(samples, true, 60000, target);
        QCOMPARE(target[0], quint16(1));
        QCOMPARE(target[1], quint16(60000));
    }

    void hisnScansAssembleOnlyWhenComplete()
    {
        // 4 points per degree: 16 packets of 80 points over 320 degrees.
        auto sendScan = [](HisnAssembler &as, LinkState &link, int missing) {
            int completed = 0;
            for (int i = 0; i < 16; ++i) {
                // The scan spans 20..340 degrees; 340 closes it.
                const int end = 20 * (i + 2);
                const int points = i == 15 ? 80 - missing : 80;
                HisnPacket p = packet(20 * (i + 1), end, points, i == 15 ? points : 0, quint16(1000 + i));
                p.CountB = 80;
                p.Closing = 80;
                p.CountA = quint16(points);
                completed += as.add(p, link, 36000);
            }
            return completed;
        };
        LinkState link;
        HisnAssembler as;
        QCOMPARE(sendScan(as, link, 0), 0); // first scan sets the resolution: dropped
        QCOMPARE(sendScan(as, link, 0), 1);
        QCOMPARE(link.NetScanLength, 1280);
        QCOMPARE(link.NetDistances[1279], quint16(1015));
        // The first packets of the next scan leave the complete one shown.
        for (int i = 0; i < 2; ++i)
            as.add(packet(20 * (i + 1), 20 * (i + 2), 80, 0, 7000), link, 36000);
        QCOMPARE(link.NetDistances[0], quint16(1000));
        QCOMPARE(link.NetScanLength, 1280);
        QCOMPARE(sendScan(as, link, 1), 0); // one point missing: dropped
        QCOMPARE(link.NetScanLength, 0);
        QCOMPARE(link.NetWritePos, 0);

        // No span, no resolution: the packet is stored and nothing breaks.
        QCOMPARE(as.add(packet(340, 340, 3, 3), link, 36000), false);
        QCOMPARE(link.NetWritePos, 3);

        // 30000 points without a closing packet wrap the ring, here in the
        // middle of a packet.
        LinkState ring;
        HisnAssembler as2;
        // (The first packet sets the resolution, which restarts the ring.)
        for (int i = 0; i < 430; ++i)
            as2.add(packet(0, 25, 70, 0, i == 429 ? 5000 : 70000 % 65536), ring, 6000);
        QCOMPARE(ring.NetWritePos, 30);
        QCOMPARE(ring.NetRingDistances[29959], quint16(4464)); // 70000 mod 65536, under the limit
        QCOMPARE(ring.NetRingDistances[29960], quint16(5000));
        QCOMPARE(ring.NetRingDistances[29999], quint16(5000));
        QCOMPARE(ring.NetRingDistances[29], quint16(5000));
        QCOMPARE(ring.NetRingDistances[30], quint16(4464));
    }
};

QTEST_APPLESS_MAIN(TestFraming)
#include "tst_framing.moc"
