// Intrusions over the zones: on one scan of the emulator's room, the samples
// the live display marks are the samples the emulator counts towards its
// outputs, sample for sample, over either link and in either install
// direction; and they are drawn in their zone's colour.

#include "areaframe.h"
#include "editdata.h"
#include "hisnpacketizer.h"
#include "linkstate.h"
#include "livedata.h"
#include "paint_intrusion.h"
#include "shapekind.h"
#include "syntheticworld.h"
#include "zoneevaluator.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QtTest>
#include <memory>

namespace {
// The room's obstacle crosses 2.2 m ahead: the zones take it in turn. Out1
// reaches further right than left, so a mirror image is told apart.
AreaRecord vehicleArea()
{
    AreaRecord a;
    a.Out1Shape = Polygon;
    a.Out1Points = {{3000, -500}, {3000, 3000}, {-300, 3000}, {-1000, 2600}, {-1000, -500}};
    a.Out2Shape = Straight;
    a.Out2Points = {{0, 2300}};
    a.Out3Shape = Fan;
    a.Out3Points = {{0, 2800}};
    return a;
}

// What the scanner holds: the area as it travels to a scanner mounted so.
AreaRecord scannerArea(const AreaRecord &vehicle, bool reversed)
{
    const AreaEncodeResult sent = encodeAreaBlock(Command::WArea, 0, vehicle, reversed);
    AreaRecord held;
    if (const std::optional<AreaBlock> block = decodeAreaBlock(sent.frame, Command::WArea))
        applyAreaBlock(*block, false, held);
    return held;
}
} // namespace

class TestPaintIntrusion : public QObject
{
    Q_OBJECT
private slots:
    void marksWhatTheScannerCounts_data()
    {
        QTest::addColumn<int>("g"); // samples per degree; 0: the serial line
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<qint64>("time");
        QTest::newRow("serial") << 0 << false << qint64(1000);
        QTest::newRow("serial, reversed") << 0 << true << qint64(8000);
        QTest::newRow("0.025 deg") << 40 << false << qint64(2500);
        QTest::newRow("0.025 deg, reversed") << 40 << true << qint64(500);
        QTest::newRow("0.5 deg, reversed") << 2 << true << qint64(0);
    }
    void marksWhatTheScannerCounts()
    {
        QFETCH(int, g);
        QFETCH(bool, reversed);
        QFETCH(qint64, time);
        const SyntheticWorld world(3);
        const Scan scan = g == 0 ? serialScan(world, 1, time, reversed) : streamScan(world, 1, time, g, reversed);
        QVector<quint8> counted;
        classifyScan(outputZones(scannerArea(vehicleArea(), reversed)), scan, counted);

        // The scan as the link stores it.
        auto link = std::make_unique<LinkState>();
        link->DirectionReversed = reversed;
        link->ConnectionKind = g == 0 ? 0 : 1;
        if (g == 0) {
            storeSerialSamples(scan.distances, reversed, 65535, link->SerialDistances);
        } else {
            HisnAssembler assembler;
            for (int round = 0; round < 2; ++round) // the first scan only sets the resolution
                for (const HisnPacket &packet : packetizeScan(scan))
                    assembler.add(packet, *link, 65535);
            QCOMPARE(link->NetScanLength, scan.distances.size());
        }
        EditData data;
        data.Areas[0] = vehicleArea();
        QGraphicsScene scene;
        auto *item = new PAINT_INTRUSION(72000, 72000, &data, link.get());
        scene.addItem(item);
        QImage image(800, 800, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            scene.render(&painter, QRectF(), QRectF(-4000, -4000, 8000, 8000));
        }

        const QVector<quint8> &marked = item->paintedMasks();
        QCOMPARE(marked.size(), counted.size());
        int hits[3] = {0, 0, 0};
        for (int i = 0; i < marked.size(); ++i) {
            const int sample = g == 0 && !reversed ? marked.size() - 1 - i : i; // the serial buffer runs backwards
            if (marked[i] != counted[sample])
                QFAIL(qPrintable(QStringLiteral("buffer %1: marked %2, the scanner counts %3")
                                     .arg(i).arg(marked[i]).arg(counted[sample])));
            for (int k = 0; k < 3; ++k)
                hits[k] += (marked[i] >> k) & 1;
        }
        // Every zone holds some of the scan, and the innermost colour shows.
        QVERIFY2(hits[0] > 0 && hits[1] > 0 && hits[2] > 0,
                 qPrintable(QStringLiteral("%1 %2 %3").arg(hits[0]).arg(hits[1]).arg(hits[2])));
        bool red = false;
        for (int y = 0; y < image.height() && !red; ++y)
            for (int x = 0; x < image.width() && !red; ++x)
                red = image.pixel(x, y) == qRgb(255, 0, 0);
        QVERIFY(red);
    }

    // Zoom and scroll repaint the same scan over the same zones: classified once.
    void classifiesOncePerScanAndEdit_data()
    {
        QTest::addColumn<int>("change"); // 0 none, 1 a new scan, 2 an edited zone
        QTest::addColumn<int>("classified");
        QTest::newRow("repaint") << 0 << 1;
        QTest::newRow("new scan") << 1 << 2;
        QTest::newRow("edited zone") << 2 << 2;
    }
    void classifiesOncePerScanAndEdit()
    {
        QFETCH(int, change);
        QFETCH(int, classified);
        LinkState link;
        EditData data;
        data.Areas[0] = vehicleArea();
        PAINT_INTRUSION item(72000, 72000, &data, &link);
        QImage image(200, 200, QImage::Format_RGB32);
        QPainter painter(&image);
        for (int zoom = 1; zoom <= 3; ++zoom) {
            painter.setTransform(QTransform::fromScale(0.01 * zoom, 0.01 * zoom));
            item.paint(&painter, nullptr, nullptr);
        }
        if (change == 1)
            item.invalidate();
        if (change == 2)
            data.Areas[0].Out2Points = {{0, 2400}};
        item.paint(&painter, nullptr, nullptr);
        QCOMPARE(item.classificationCount(), classified);
    }
};

QTEST_MAIN(TestPaintIntrusion)
#include "tst_paint_intrusion.moc"
