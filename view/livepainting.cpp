#include "livepainting.h"

#include "linkstate.h"

#include <QPainter>
#include <QPen>
#include <cmath>

namespace LivePainting {

namespace {
// Beyond the device by this much, cut edges and their pens stay out of sight.
constexpr double kMarginPixels = 64.0;

// Widths in pixels mean the same at every zoom: a cosmetic pen says so, and
// the engines draw thin cosmetic pens far faster than wide scene-unit ones.
QPen pixelPen(const QColor &colour, double pixels)
{
    QPen pen(QBrush(colour), pixels, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    pen.setCosmetic(true);
    return pen;
}

// The graph outline is one millimetre wide: it grows with the zoom.
QPen graphPen() { return QPen(QBrush(Qt::gray), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin); }

// The device with a margin, in the painter's current coordinates; not valid
// when the painter cannot tell.
QRectF reachable(const QPainter *painter)
{
    const QPaintDevice *device = painter->device();
    const QTransform t = painter->combinedTransform();
    if (!device || !t.isInvertible() || device->width() <= 0 || device->height() <= 0)
        return QRectF();
    return t.inverted().mapRect(QRectF(-kMarginPixels, -kMarginPixels, device->width() + 2 * kMarginPixels,
                                       device->height() + 2 * kMarginPixels));
}

// Half a device pixel in the painter's current coordinates; 0 when unknown.
double halfPixel(const QPainter *painter)
{
    const double pixelsPerUnit = std::sqrt(std::fabs(painter->combinedTransform().determinant()));
    return pixelsPerUnit > 0.0 && std::isfinite(pixelsPerUnit) ? 0.5 / pixelsPerUnit : 0.0;
}

// Draws `draw` with the painter moved to `shift`, then puts it back.
template <typename Draw>
void drawShifted(QPainter *painter, const QPointF &shift, Draw draw)
{
    if (shift.isNull()) {
        draw();
        return;
    }
    const QTransform before = painter->worldTransform();
    painter->translate(shift);
    draw();
    painter->setWorldTransform(before);
}
} // namespace

void paint(QPainter *painter, const LinkState &link, LiveScan::Plot plot, double scale, Buffers &b)
{
    // The point handles above draw their edges with whatever pen they find:
    // give them back the one the zones left, not a live-display pen.
    struct KeepPen
    {
        QPainter *painter;
        QPen pen;
        QBrush brush;
        ~KeepPen()
        {
            painter->setPen(pen);
            painter->setBrush(brush);
        }
    } keep{painter, painter->pen(), painter->brush()};

    const int mode = link.DisplayMode;
    if (mode < 0 || mode > 2)
        return;
    LiveScan::buildPolygon(link, plot, b.polygon);
    // A scan without a single echo lies on the origin: nothing to show, not
    // even a dot on the scanner.
    if (LiveScan::allAtOrigin(b.polygon))
        return;
    if (!(scale > 0.0) || !std::isfinite(scale))
        scale = 1.0;
    const bool ethernet = link.ConnectionKind == 1;
    const bool distance = plot == LiveScan::Plot::Distance;
    const QColor colour = distance ? QColor(0, 255, 0, 255) : QColor(0, 0, 255, 255);

    // Zoomed out, many samples share a pixel: draw each pixel once. Zoomed
    // in, most of a scan lies far off screen: hand the engine only what it
    // can show, from an origin near it.
    const double tolerance = halfPixel(painter);
    QRectF visible = reachable(painter);
    if (visible.isValid() && visible.contains(b.polygon.boundingRect()))
        visible = QRectF();
    const QPointF shift = visible.isValid() ? visible.center() : QPointF();

    if (mode == 1) {
        // Cloud: the samples as dots, a scene unit wider on Ethernet. Square
        // dots of whole pixels, filled as rectangles in device coordinates:
        // a wide pen stroked around every point costs several times more.
        const double pixels = ethernet ? 2.0 + scale : 2.0;
        const int side = qMax(1, qRound(pixels));
        LiveScan::dotPoints(b.polygon, tolerance, visible, QPointF(), b.cut);
        const QTransform toDevice = painter->worldTransform();
        b.dots.resize(0);
        for (const QPointF &p : qAsConst(b.cut)) {
            const QPointF d = toDevice.map(p);
            b.dots.append(QRect(qRound(d.x() - side / 2.0), qRound(d.y() - side / 2.0), side, side));
        }
        const bool antialiased = painter->testRenderHint(QPainter::Antialiasing);
        painter->setWorldTransform(QTransform());
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(Qt::NoPen);
        painter->setBrush(colour);
        painter->drawRects(b.dots);
        painter->setRenderHint(QPainter::Antialiasing, antialiased);
        painter->setWorldTransform(toDevice);
        return;
    }
    if (mode == 2 && distance && ethernet) {
        // Line over Ethernet: each segment coloured by whether it is a
        // trustworthy contour; one call per colour, not per segment.
        // A joint within the pens' half width (a pixel) of where a run started
        // lies under that run's square cap: leave it out.
        LiveScan::splitSegments(b.polygon, link, LiveScan::firstNetSample(plot, link.DirectionReversed),
                                2 * tolerance, visible, shift, b.green, b.grey);
        painter->setBrush(Qt::NoBrush);
        drawShifted(painter, shift, [&] {
            painter->setPen(pixelPen(QColor(240, 240, 240, 255), 2.0));
            painter->drawLines(b.grey);
            painter->setPen(pixelPen(QColor(0, 255, 0, 255), 2.0));
            painter->drawLines(b.green);
        });
        return;
    }

    LiveScan::thinPolygon(b.polygon, tolerance, b.thin);
    const QPolygonF *shape = &b.thin;
    if (visible.isValid()) {
        LiveScan::clipPolygon(b.thin, visible, shift, b.scratch, b.cut);
        shape = &b.cut;
    }
    if (mode == 0) {
        // The fill goes without antialiasing: over a noisy scan of thousands
        // of samples antialiased filling costs a frame's time, and the
        // outline drawn over the fill's edge hides the difference.
        const bool antialiased = painter->testRenderHint(QPainter::Antialiasing);
        drawShifted(painter, shift, [&] {
            painter->setRenderHint(QPainter::Antialiasing, false);
            painter->setPen(Qt::NoPen);
            painter->setBrush(QBrush(distance ? QColor(0, 255, 0, 80) : QColor(0, 0, 255, 50), Qt::SolidPattern));
            painter->drawPolygon(*shape, Qt::WindingFill);
            painter->setRenderHint(QPainter::Antialiasing, antialiased);
            painter->setPen(graphPen());
            painter->setBrush(Qt::NoBrush);
            painter->drawPolygon(*shape, Qt::WindingFill);
        });
    } else {
        painter->setPen(pixelPen(colour, 2.0));
        painter->setBrush(Qt::NoBrush);
        drawShifted(painter, shift, [&] { painter->drawPolygon(*shape, Qt::OddEvenFill); });
    }
}

} // namespace LivePainting
