// Streamed packets joined into whole scans: a scan counts from its first
// packet to its closing one without a gap, with as many points as its
// degrees need.

#include "hisnscanjoiner.h"

#include <QtTest>

class TestHisnScanJoiner : public QObject
{
    Q_OBJECT
private slots:
    void joins_data()
    {
        // Packets "S-E:n", n points (both counts); the closing value is n on a
        // packet ending at 340, 0 before, or as given after "k". "pM" the
        // packet holds M points whatever its counts, "iM" only M intensities.
        QTest::addColumn<QString>("packets");
        QTest::addColumn<QString>("closed");  // per packet: '+' a whole scan, '-' not
        QTest::addColumn<int>("pointsPerDegree"); // of the last whole scan
        QTest::addColumn<int>("firstPacket"); // the packet the last whole scan starts with

        QTest::newRow("two halves") << "20-180:160 180-340:160" << "-+" << 1 << 0;
        QTest::newRow("0.1 degree, four packets")
            << "20-100:800 100-180:800 180-260:800 260-340:800" << "---+" << 10 << 0;
        // A half scan holding as many points as a whole one at 1 degree.
        QTest::newRow("joined mid-scan") << "180-340:320 20-180:160 180-340:160" << "--+" << 1 << 1;
        QTest::newRow("a scan begun again") << "20-180:160 20-180:160 180-340:160" << "--+" << 1 << 1;
        QTest::newRow("a scan after a whole one") << "20-180:160 180-340:160 20-340:640" << "-++" << 2 << 2;
        // Points enough for the field, but a packet went missing between.
        QTest::newRow("a packet missing") << "20-180:160 260-340:160" << "--" << 0 << -1;
        QTest::newRow("a late packet after a gap")
            << "20-100:80 180-260:80 100-180:80 180-260:80 260-340:80" << "-----" << 0 << -1;
        QTest::newRow("a packet beginning where a whole scan ended") << "20-340:320 340-340:0" << "+-" << 1 << 0;
        QTest::newRow("a packet short of its points") << "20-180:160 180-340:159" << "--" << 0 << -1;
        QTest::newRow("closing value disagrees") << "20-180:160 180-340:160k161" << "--" << 0 << -1;
        QTest::newRow("closing value before the end") << "20-180:320k320 180-340:160" << "--" << 0 << -1;
        QTest::newRow("no points") << "20-340:0" << "-" << 0 << -1;
        // At most 0.025 degrees: a longer scan is refused and forgotten.
        QTest::newRow("the densest scan") << "20-180:6400 180-340:6400" << "-+" << 40 << 0;
        QTest::newRow("denser than any") << "20-180:6400 180-340:6720 20-340:640" << "--+" << 2 << 2;
        QTest::newRow("going on after one") << "20-180:6400 180-260:6720 260-340:320" << "---" << 0 << -1;
        // The counts say how many points a packet has, its lists what it holds.
        QTest::newRow("points beyond the count") << "20-180:160 180-340:150p160" << "--" << 0 << -1;
        QTest::newRow("intensities short of the count") << "20-180:160 180-340:160i150" << "--" << 0 << -1;
    }
    void joins()
    {
        QFETCH(QString, packets);
        QFETCH(QString, closed);
        QFETCH(int, pointsPerDegree);
        QFETCH(int, firstPacket);

        // Point j of packet k measures 1000 k + j, its intensity one more.
        HisnScanJoiner joiner;
        QString got;
        QVector<quint16> expected;
        const QStringList words = packets.split(QLatin1Char(' '));
        for (int k = 0; k < words.size(); ++k) {
            const QString &w = words.at(k);
            HisnPacket p;
            p.StartAngle = quint16(w.section(QLatin1Char('-'), 0, 0).toInt());
            p.EndAngle = quint16(w.section(QLatin1Char('-'), 1).section(QLatin1Char(':'), 0, 0).toInt());
            const QString count = w.section(QLatin1Char(':'), 1);
            const auto after = [&](char c, int otherwise) {
                return count.contains(QLatin1Char(c)) ? count.section(QLatin1Char(c), 1).toInt() : otherwise;
            };
            p.CountA = p.CountB = quint16(count.section(QRegularExpression(QStringLiteral("[kpi]")), 0, 0).toInt());
            p.Closing = quint16(after('k', p.EndAngle == 340 ? p.CountB : 0));
            const int held = after('p', p.CountA);
            for (int j = 0; j < held; ++j) {
                p.Distances << quint16(1000 * k + j);
                if (j < after('i', held))
                    p.Intensities << quint16(1000 * k + j + 1);
            }
            if (k >= firstPacket && firstPacket >= 0)
                expected += p.Distances;
            got += QLatin1Char(joiner.add(p) ? '+' : '-');
        }
        QCOMPARE(got, closed);
        if (firstPacket < 0)
            return;
        const Scan &scan = joiner.scan();
        QCOMPARE(scan.pointsPerDegree, pointsPerDegree);
        QVERIFY(!scan.serial);
        QCOMPARE(scan.distances, expected);
        for (quint16 &d : expected)
            ++d;
        QCOMPARE(scan.intensities, expected);
    }
};

QTEST_APPLESS_MAIN(TestHisnScanJoiner)
#include "tst_hisnscanjoiner.moc"
