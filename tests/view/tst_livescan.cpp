// The live scan display: where each sample lands, the Ethernet line colours,
// and what the two painters put on screen.

#include "linkstate.h"
#include "livescan.h"
#include "paint_outline.h"
#include "paint_strength.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QtTest>
#include <cmath>
#include <ctime>
#include <limits>

namespace {
constexpr double kNotDrawn = std::numeric_limits<double>::quiet_NaN();

QVector<quint16> &buffer(LinkState &link, LiveScan::Plot plot)
{
    const bool distance = plot == LiveScan::Plot::Distance;
    if (link.ConnectionKind == 1)
        return distance ? link.NetDistances : link.NetIntensities;
    return distance ? link.SerialDistances : link.SerialIntensities;
}

// Both painters in a scene, rendered at `scale` pixels per millimetre into
// an image centred on `centre` (scene coordinates).
struct Render
{
    LinkState link;
    double scale = 0.1;
    QGraphicsScene scene;
    PAINT_OUTLINE *outline = new PAINT_OUTLINE(120000, 120000, &link, &scale);
    PAINT_STRENGTH *strength = new PAINT_STRENGTH(120000, 120000, &link, &scale);

    Render()
    {
        scene.addItem(outline);
        scene.addItem(strength);
    }

    QImage image(QPointF centre = QPointF(), QColor background = Qt::white, QSize size = QSize(400, 400))
    {
        QImage img(size, QImage::Format_RGB32);
        img.fill(background);
        QPainter p(&img);
        const QSizeF inScene(size.width() / scale, size.height() / scale);
        scene.render(&p, QRectF(QPointF(), size), QRectF(centre - QPointF(inScene.width(), inScene.height()) / 2, inScene));
        return img;
    }
};

// True when some pixel within `radius` of `at` has exactly `colour`.
bool colourNear(const QImage &img, QPoint at, int radius, QColor colour)
{
    for (int y = at.y() - radius; y <= at.y() + radius; ++y)
        for (int x = at.x() - radius; x <= at.x() + radius; ++x)
            if (img.valid(x, y) && img.pixelColor(x, y) == colour)
                return true;
    return false;
}
} // namespace

class TestLiveScan : public QObject
{
    Q_OBJECT
private slots:
    // Only the chosen sample has an echo; it must be the one point off the
    // origin, in its beam's direction.
    void sampleLandsOnItsBeam_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("intensity");
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<int>("sample");
        QTest::addColumn<double>("degrees");
        QTest::addColumn<int>("points");
        QTest::newRow("serial 0 at the left end") << 0 << false << false << 0 << 110.0 << 642;
        QTest::newRow("serial 320 straight ahead") << 0 << false << false << 320 << 270.0 << 642;
        QTest::newRow("serial 639 short of the right end") << 0 << true << false << 639 << 429.5 << 642;
        QTest::newRow("serial not mirrored when reversed") << 0 << false << true << 0 << 110.0 << 642;
        QTest::newRow("ethernet 0 at the right end") << 1 << false << false << 0 << 430.0 << 1602;
        QTest::newRow("ethernet 1599") << 1 << true << false << 1599 << 110.2 << 1602;
        QTest::newRow("reversed ethernet intensity 0 at the left end") << 1 << true << true << 0 << 110.0 << 1602;
        QTest::newRow("reversed ethernet 1599") << 1 << false << true << 1599 << 429.8 << 1602;
        QTest::newRow("reversed outline leaves out sample 0") << 1 << false << true << 0 << kNotDrawn << 1602;
        QTest::newRow("reversed outline ends with sample N") << 1 << false << true << 1600 << 430.0 << 1602;
        QTest::newRow("no display on other links") << 2 << false << false << 0 << kNotDrawn << 0;
    }
    void sampleLandsOnItsBeam()
    {
        QFETCH(int, kind);
        QFETCH(bool, intensity);
        QFETCH(bool, reversed);
        QFETCH(int, sample);
        QFETCH(double, degrees);
        QFETCH(int, points);
        const LiveScan::Plot plot = intensity ? LiveScan::Plot::Intensity : LiveScan::Plot::Distance;
        LinkState link;
        link.ConnectionKind = kind;
        link.DirectionReversed = reversed;
        link.NetScanLength = 1600;
        constexpr double v = 10000;
        buffer(link, plot)[sample] = quint16(v);

        QPolygonF polygon;
        LiveScan::buildPolygon(link, plot, polygon);
        QCOMPARE(polygon.size(), points);
        QVector<QPointF> off;
        for (const QPointF &p : polygon)
            if (!p.isNull())
                off << p;
        if (std::isnan(degrees)) {
            QVERIFY(off.isEmpty());
            return;
        }
        QCOMPARE(polygon.first(), QPointF(0, 0));
        QCOMPARE(polygon.last(), QPointF(0, 0));
        QCOMPARE(off.size(), 1);
        // Scene y points down: the beam's scene direction is the angle itself.
        const double a = qDegreesToRadians(degrees);
        const QPointF exact(v * std::cos(a), v * std::sin(a));
        QVERIFY2(QLineF(off[0], exact).length() < 1.5,
                 qPrintable(QStringLiteral("drawn at %1, %2; beam at %3, %4")
                                .arg(off[0].x()).arg(off[0].y()).arg(exact.x()).arg(exact.y())));
    }

    void rebuildingReusesTheStorage()
    {
        LinkState link;
        link.ConnectionKind = 1;
        link.NetScanLength = 12800;
        QPolygonF polygon;
        LiveScan::buildPolygon(link, LiveScan::Plot::Distance, polygon);
        const QPointF *storage = polygon.constData();
        link.NetScanLength = 3200;
        LiveScan::buildPolygon(link, LiveScan::Plot::Distance, polygon);
        link.NetScanLength = 12800;
        LiveScan::buildPolygon(link, LiveScan::Plot::Distance, polygon);
        QCOMPARE(polygon.constData(), storage);
    }

    void lineColourRule_data()
    {
        QTest::addColumn<int>("distance0");
        QTest::addColumn<int>("distance1");
        QTest::addColumn<int>("intensity0");
        QTest::addColumn<int>("intensity1");
        QTest::addColumn<bool>("green");
        QTest::newRow("jump of 199") << 3000 << 3199 << 5 << 5 << true;
        QTest::newRow("jump of 200") << 3000 << 3200 << 5 << 5 << false;
        QTest::newRow("drop of 199") << 3199 << 3000 << 5 << 5 << true;
        QTest::newRow("drop of 200") << 3200 << 3000 << 5 << 5 << false;
        QTest::newRow("no light before") << 3000 << 3000 << 0 << 5 << false;
        QTest::newRow("no light after") << 3000 << 3000 << 5 << 0 << false;
    }
    void lineColourRule()
    {
        QFETCH(int, distance0);
        QFETCH(int, distance1);
        QFETCH(int, intensity0);
        QFETCH(int, intensity1);
        QFETCH(bool, green);
        QCOMPARE(LiveScan::segmentGreen(quint16(distance0), quint16(distance1), quint16(intensity0),
                                        quint16(intensity1)),
                 green);
    }

    // Each segment is judged by the two samples it joins: the jump between
    // samples 159 and 160 is the grey one, whichever way the scanner is
    // mounted (the reversed outline starts at sample 1).
    void segmentsSortedByColour_data()
    {
        QTest::addColumn<bool>("reversed");
        QTest::addColumn<int>("stepPoint");
        QTest::addColumn<int>("greenCount");
        QTest::newRow("mounted normally") << false << 160 << 318;
        QTest::newRow("mounted reversed") << true << 159 << 317;
    }
    void segmentsSortedByColour()
    {
        QFETCH(bool, reversed);
        QFETCH(int, stepPoint);
        QFETCH(int, greenCount);
        LinkState link;
        link.ConnectionKind = 1;
        link.DirectionReversed = reversed;
        link.NetScanLength = 320;
        for (int i = 0; i < 320; ++i) {
            link.NetDistances[i] = i < 160 ? 3000 : 3300;
            link.NetIntensities[i] = 7;
        }
        QPolygonF polygon;
        LiveScan::buildPolygon(link, LiveScan::Plot::Distance, polygon);
        QVector<QLineF> green, grey;
        LiveScan::splitSegments(polygon, link, LiveScan::firstNetSample(LiveScan::Plot::Distance, reversed),
                                0.0, QRectF(), QPointF(), green, grey);
        // Grey besides the step: the lines from and back to the scanner.
        QCOMPARE(grey.size(), 3);
        QCOMPARE(grey[1], QLineF(polygon[stepPoint], polygon[stepPoint + 1]));
        QCOMPARE(green.size(), greenCount);
    }

    // Pixel sizes hold at any zoom; an Ethernet dot is a millimetre wider.
    void cloudDotSize_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("intensity");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("pixels");
        QTest::newRow("serial outline") << 0 << false << 0.1 << 2;
        QTest::newRow("serial outline, deep zoom") << 0 << false << 4.0 << 2;
        QTest::newRow("serial intensity, deep zoom") << 0 << true << 4.0 << 2;
        QTest::newRow("ethernet outline, deep zoom") << 1 << false << 4.0 << 6;
        QTest::newRow("ethernet intensity, deep zoom") << 1 << true << 4.0 << 6;
    }
    void cloudDotSize()
    {
        QFETCH(int, kind);
        QFETCH(bool, intensity);
        QFETCH(double, scale);
        QFETCH(int, pixels);
        const LiveScan::Plot plot = intensity ? LiveScan::Plot::Intensity : LiveScan::Plot::Distance;
        Render r;
        r.scale = scale;
        r.link.ConnectionKind = kind;
        r.link.DisplayMode = 1;
        r.link.NetScanLength = 1600;
        // One echo, straight ahead at 1500 mm: serial sample 320, Ethernet 800.
        buffer(r.link, plot)[kind == 1 ? 800 : 320] = 1500;
        r.strength->setVisible(intensity);
        r.outline->setVisible(!intensity);
        const QImage img = r.image(QPointF(0, -1500));
        const QColor colour = intensity ? QColor(0, 0, 255) : QColor(0, 255, 0);
        QRect dot;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (img.pixelColor(x, y) == colour)
                    dot |= QRect(x, y, 1, 1);
        QVERIFY(dot.intersects(QRect(190, 190, 20, 20)));
        QCOMPARE(dot.size(), QSize(pixels, pixels));
    }

    // Samples without echo are 0: a scan of nothing but those lies on the
    // origin and shows nothing in any mode, not even a dot on the scanner.
    void scanWithoutEchoesShowsNothing_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("mode");
        for (int kind : {0, 1})
            for (int mode : {0, 1, 2})
                QTest::addRow("%s, mode %d", kind ? "ethernet" : "serial", mode) << kind << mode;
    }
    void scanWithoutEchoesShowsNothing()
    {
        QFETCH(int, kind);
        QFETCH(int, mode);
        Render r;
        r.scale = 2.0;
        r.link.ConnectionKind = kind;
        r.link.DisplayMode = mode;
        r.link.NetScanLength = 1600;
        const QImage img = r.image();
        QImage blank(img.size(), img.format());
        blank.fill(Qt::white);
        QVERIFY(img == blank);
    }

    // The handles painted next use the pen they find: the live display hands
    // on the one it was given.
    void leavesThePenAsFound_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("mode");
        for (int kind : {0, 1})
            for (int mode : {0, 1, 2})
                QTest::addRow("%s, mode %d", kind ? "ethernet" : "serial", mode) << kind << mode;
    }
    void leavesThePenAsFound()
    {
        QFETCH(int, kind);
        QFETCH(int, mode);
        Render r;
        r.link.ConnectionKind = kind;
        r.link.DisplayMode = mode;
        r.link.NetScanLength = 1600;
        r.link.SerialDistances.fill(1500);
        r.link.NetDistances.fill(1500);
        QImage img(100, 100, QImage::Format_RGB32);
        QPainter p(&img);
        const QPen white(QBrush(Qt::white), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin);
        p.setPen(white);
        p.setBrush(Qt::red);
        r.outline->paint(&p, nullptr, nullptr);
        QCOMPARE(p.pen(), white);
        QCOMPARE(p.brush(), QBrush(Qt::red));
    }

    // The line display over Ethernet: the contour green, a jump light grey.
    void ethernetLineMarksJumps()
    {
        Render r;
        r.link.ConnectionKind = 1;
        r.link.DisplayMode = 2;
        r.link.NetScanLength = 1600;
        for (int i = 0; i < 1600; ++i) {
            r.link.NetDistances[i] = i < 800 ? 1500 : 1800; // the step straight ahead
            r.link.NetIntensities[i] = 100;
        }
        r.strength->hide();
        const QImage img = r.image(QPointF(0, 0), Qt::black);
        // Right of straight ahead the contour at 1500, left of it at 1800;
        // the step between them runs along the beam from 1500 to 1800.
        QVERIFY(colourNear(img, QPoint(200 + 20, 200 - 148), 2, QColor(0, 255, 0)));
        QVERIFY(colourNear(img, QPoint(200 - 20, 200 - 178), 2, QColor(0, 255, 0)));
        QVERIFY(colourNear(img, QPoint(200, 200 - 165), 2, QColor(240, 240, 240)));
    }
};

QTEST_MAIN(TestLiveScan)
#include "tst_livescan.moc"
