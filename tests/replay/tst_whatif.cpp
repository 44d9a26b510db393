// The what-if evaluation over hand-built traffic: which scan a reply judges,
// which area a scan is judged with, and what is left out.

#include "framing.h"
#include "livedata.h"
#include "whatif.h"

#include <QtTest>
#include <limits>

namespace {
// Area 5: output 1 a box 0.5 to 2 m ahead, output 2 a wider one to 3 m.
// Area 6: output 1 a box reaching 1.5 m to the left, 0.3 m to the right.
// Area 0: output 1 as area 5's.
QVector<AreaRecord> project()
{
    QVector<AreaRecord> areas(64);
    AreaRecord &a = areas[5];
    a.Out1Points = {{-500, 500}, {500, 500}, {500, 2000}, {-500, 2000}};
    a.Out2Points = {{-1000, 300}, {1000, 300}, {1000, 3000}, {-1000, 3000}};
    areas[6].Out1Points = {{-1500, 500}, {300, 500}, {300, 2000}, {-1500, 2000}};
    areas[0].Out1Points = a.Out1Points;
    return areas;
}

// Samples with an obstacle at `distance` within 5 degrees of `centre`
// (straight ahead is 90) and no echo elsewhere; g samples per degree from
// -70 degrees.
QVector<quint16> samples(int g, double first, int distance, int centre = 90)
{
    QVector<quint16> d(320 * g, 0);
    for (int i = 0; i < d.size(); ++i) {
        const double angle = -70 + first / g + double(i) / g;
        if (qAbs(angle - centre) <= 5)
            d[i] = quint16(distance);
    }
    return d;
}

QByteArray hisn(int start, int end, const QVector<quint16> &all, int g)
{
    HisnPacket p;
    p.StartAngle = quint16(start);
    p.EndAngle = quint16(end);
    p.CountA = p.CountB = quint16((end - start) * g);
    p.Closing = end == 340 ? p.CountB : 0;
    p.Distances = all.mid((start - 20) * g, p.CountA);
    p.Intensities = QVector<quint16>(p.CountA, 0);
    return encodeHisnPacket(p);
}

// Traffic from words, one chunk each, 100 ms apart; "+" joins a word to the
// chunk before it. rA:B a reply (area A, outputs B); sD a scan with an
// obstacle at D mm (0: none) straight ahead, sD@A at A degrees (serial
// only), two chunks on Ethernet; h the second half of a scan alone; p zeros
// filling the chunk to one read piece; f1/f0 a request with simulated outputs
// on/off, e1/e0 one with a fault bit.
QVector<RecordingChunk> traffic(const QString &words, int kind)
{
    const int g = 2; // 0.5 degree: several scans fit one read
    QVector<RecordingChunk> chunks;
    for (QString w : words.split(QLatin1Char(' '))) {
        const bool join = w.startsWith(QLatin1Char('+'));
        if (join)
            w.remove(0, 1);
        QVector<QByteArray> pieces;
        bool sent = false;
        if (w.startsWith(QLatin1Char('r'))) {
            SimuStatus s;
            s.InputStates = quint8(w.mid(1).section(QLatin1Char(':'), 0, 0).toInt());
            s.OutputStates = quint8(w.section(QLatin1Char(':'), 1).toInt());
            pieces << encodeSimuReply(s);
        } else if (w.startsWith(QLatin1Char('s')) && kind == 0) {
            const int centre = w.contains(QLatin1Char('@')) ? w.section(QLatin1Char('@'), 1).toInt() : 90;
            pieces << encodeSamplesReply(Command::RScan,
                                         samples(2, 1, w.mid(1).section(QLatin1Char('@'), 0, 0).toInt(), centre));
        } else if (w.startsWith(QLatin1Char('s'))) {
            const QVector<quint16> all = samples(g, 0, w.mid(1).toInt());
            pieces << hisn(20, 180, all, g) << hisn(180, 340, all, g);
        } else if (w == QLatin1String("p")) {
            pieces << QByteArray(kReadPiece - chunks.last().bytes.size(), '\0');
        } else if (w == QLatin1String("h")) {
            pieces << hisn(180, 340, samples(g, 0, 1500), g);
        } else {
            SimulationFrame f;
            f.Mode = 1;
            f.InputBits = 5;
            (w.startsWith(QLatin1Char('e')) ? f.FaultBits : f.OutputSimulation) = quint8(w.mid(1).toInt());
            f.OutputBits = 0;
            pieces << encodeWSimuRequest(f);
            sent = true;
        }
        for (int i = 0; i < pieces.size(); ++i) {
            if (join)
                chunks.last().bytes += pieces.at(i);
            else
                chunks.append({sent, qint64(chunks.size()) * 100000, pieces.at(i)});
        }
    }
    return chunks;
}
} // namespace

class TestWhatIf : public QObject
{
    Q_OBJECT
private slots:
    void judgesScans_data()
    {
        QTest::addColumn<int>("kind");         // 0 serial, 1 Ethernet
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<QString>("words");
        // Per scan area/project/reported and '=' agrees, '!' disagrees, 'f'
        // forced, '.' not compared; '-' unknown.
        QTest::addColumn<QString>("scans");
        QTest::addColumn<QString>("output1");  // set µs project/reported, switchings project/reported
        QTest::addColumn<QString>("disagreements"); // output:scan ...

        QTest::newRow("agreement") << 0 << false << "r5:0 s1500 r5:3 s0 r5:0"
                                   << "5/3/0= 5/0/3=" << "200000/0/1/1" << "";
        QTest::newRow("the reply judges the last scan before it")
            << 0 << false << "r5:0 s1500 s2500 r5:1" << "5/3/0. 5/2/0!" << "100000/0/1/0" << "0:1 1:1";
        QTest::newRow("forced outputs are skipped")
            << 0 << false << "r5:0 f1 s1500 r5:0 f0 s1500 r5:3" << "5/3/0f 5/3/0=" << "300000/0/0/0" << "";
        QTest::newRow("forced faults are skipped")
            << 0 << false << "r5:0 e1 s1500 r5:0 e0 s1500 r5:3" << "5/3/0f 5/3/0=" << "300000/0/0/0" << "";
        QTest::newRow("a second reply judges nothing")
            << 0 << false << "r5:0 s1500 r5:3 r5:0 s0 r5:0" << "5/3/0= 5/0/0=" << "300000/0/1/0" << "";
        QTest::newRow("an area beyond the 64") << 0 << false << "r64:0 s1500 r64:1" << "-/0/0." << "0/0/0/0" << "";
        QTest::newRow("area of the previous reply")
            << 0 << false << "s1500 r0:0 s1500 r5:3 s1500 r5:3" << "-/0/-. 0/1/0! 5/3/3=" << "200000/0/0/1" << "1:1";
        QTest::newRow("area 0") << 0 << false << "r0:0 s0 r0:0 s1500 r0:1 s1500 r0:1"
                                << "0/0/0= 0/1/0= 0/1/1=" << "200000/0/1/1" << "";
        // The serial line's sample 0 stands half a step in from the right
        // end: at 71 degrees the obstacle's last sample is just inside output 1.
        QTest::newRow("serial samples half a step in") << 0 << false << "r5:0 s1500@66 r5:3" << "5/3/0=" << "0/0/0/0" << "";
        // A half scan before the first whole one is no scan; a reply in the
        // chunk that closed a scan came after it on the wire.
        QTest::newRow("Ethernet") << 1 << false << "r5:0 h s1500 +r5:3 s2500 r5:2"
                                  << "5/3/0= 5/2/3=" << "200000/0/1/1" << "";
        // Two alike scans in one read: each packet counts once, in its place.
        // The link takes one reply of a kind per pass: the second waits for
        // the next read.
        QTest::newRow("Ethernet, alike scans in one read")
            << 1 << false << "r5:0 s1500 +r5:3 +s1500 +r5:1 h" << "5/3/0= 5/3/3!" << "0/0/0/1" << "1:1";
        // A read of exactly one piece is one pass: the second scan in it
        // waits for a read that never comes.
        QTest::newRow("serial, two scans in a read of one piece")
            << 0 << false << "r5:0 s1500 +s2500 +p" << "5/3/0." << "0/0/0/0" << "";
        // Mounted reversed, the scanner holds area 6 mirrored.
        QTest::newRow("reversed") << 0 << true << "r6:0 s1500@120 r6:0 s1500@60 r6:1"
                                  << "6/0/0= 6/1/0=" << "0/0/1/0" << "";
    }
    void judgesScans()
    {
        QFETCH(int, kind);
        QFETCH(bool, reversed);
        QFETCH(QString, words);
        QFETCH(QString, scans);
        QFETCH(QString, output1);
        QFETCH(QString, disagreements);

        WhatIfEvaluator evaluator(project(), kind, reversed);
        for (const RecordingChunk &c : traffic(words, kind))
            evaluator.add(c);
        const WhatIfResult &r = evaluator.result();

        QStringList got;
        for (const WhatIfScan &s : r.scans)
            got << QStringLiteral("%1/%2/%3%4")
                       .arg(s.area < 0 ? QStringLiteral("-") : QString::number(s.area))
                       .arg(s.project)
                       .arg(s.reportKnown ? QString::number(s.reported) : QStringLiteral("-"))
                       .arg(QLatin1Char(s.forced ? 'f' : !s.compared ? '.' : s.disagreeMask ? '!' : '='));
        QCOMPARE(got.join(QLatin1Char(' ')), scans);
        const WhatIfOutput &o = r.outputs[0];
        QCOMPARE(QStringLiteral("%1/%2/%3/%4").arg(o.projectSetUs).arg(o.reportedSetUs).arg(o.projectSwitchings).arg(o.reportedSwitchings),
                 output1);
        QStringList marks;
        for (int k = 0; k < 3; ++k)
            for (int scan : r.outputs[size_t(k)].disagreements)
                marks << QStringLiteral("%1:%2").arg(k).arg(scan);
        QCOMPARE(marks.join(QLatin1Char(' ')), disagreements);
        QCOMPARE(r.agrees(), disagreements.isEmpty());
    }

    // A recording file judged whole: how its read ended, and a cancel that
    // stops before the first record.
    void wholeRecording()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("drive.qmrec"));
        QByteArray bytes = encodeRecordingPreamble() + encodeRecordingHeader(RecordingHeader());
        for (const RecordingChunk &c : traffic(QStringLiteral("r5:0 s1500 r5:3"), 0))
            bytes += encodeRecordingChunk(c);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();

        RecordingStatus status = RecordingStatus::Complete;
        QCOMPARE(whatIfOfRecording(path, project(), false, nullptr, &status).compared, 1);
        QCOMPARE(status, RecordingStatus::Cut);
        const std::atomic<bool> cancelled{true};
        QCOMPARE(whatIfOfRecording(path, project(), false, &cancelled).scans.size(), 0);
        QCOMPARE(whatIfOfRecording(dir.filePath(QStringLiteral("none")), project(), false, nullptr, &status).replies, 0);
        QCOMPARE(status, RecordingStatus::Unreadable);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("QMREC") == 5);
        file.close();
        QCOMPARE(whatIfOfRecording(path, project(), false, nullptr, &status).replies, 0);
        QCOMPARE(status, RecordingStatus::NotRecording);
    }

    // Times near the ends of 64 bits are taken in order and at most
    // MaxTimeUs: no gap, no time set overflows.
    void extremeTimes()
    {
        QVector<RecordingChunk> chunks = traffic(QStringLiteral("r5:0 s1500 r5:3 s0 r5:0"), 0);
        const qint64 times[] = {0, std::numeric_limits<qint64>::min(), 0, std::numeric_limits<qint64>::max(), 0};
        WhatIfEvaluator evaluator(project(), 0);
        for (int i = 0; i < chunks.size(); ++i) {
            chunks[i].timeUs = times[i];
            evaluator.add(chunks.at(i));
        }
        const WhatIfResult &r = evaluator.result();
        QCOMPARE(r.scans.size(), 2);
        QCOMPARE(r.scans.at(0).timeUs, 0);
        QCOMPARE(r.scans.at(1).timeUs, Recording::MaxTimeUs);
        QCOMPARE(r.outputs[0].projectSetUs, Recording::MaxTimeUs);
        QCOMPARE(r.compared, 2);
        QVERIFY(r.agrees());
    }
};

QTEST_APPLESS_MAIN(TestWhatIf)
#include "tst_whatif.moc"
