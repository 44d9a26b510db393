#include "zonedrawing.h"

#include "outputzone.h"
#include "polar.h"
#include "zonegeometry.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace ZoneDrawing {

namespace {
// The scanner sees 320 degrees, from -70 to 250 degrees around +x: the
// 40 degrees behind it are blind, as the editor greys them.
constexpr double kSeenFrom = -70.0;
constexpr double kSeenSweep = 320.0;

const QColor kOutline(60, 60, 60);

void drawZones(QPainter &painter, const QTransform &toDevice, const AreaRecord &area, double outlineWidth)
{
    const std::array<ZoneGeometry::Zone, 3> zones = ZoneGeometry::areaZones(area, kZoneSceneExtent, kZoneSceneExtent);
    for (int o = 0; o < 3; ++o) {
        const ZoneGeometry::Zone &z = zones[size_t(o)];
        if (!z.drawn)
            continue;
        // On paper an outline in the zone's own darker tone shows where
        // white would vanish.
        painter.setPen(z.outlined ? QPen(kOutline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin)
                                  : QPen(Qt::NoPen));
        painter.setBrush(outputColor(o));
        painter.setTransform(QTransform::fromScale(z.scale, z.scale) * toDevice);
        painter.drawPath(z.path);
    }
    painter.resetTransform();
}
} // namespace

QColor outputColor(int output)
{
    switch (output) {
    case 0: return QColor(255, 255, 128, 200);
    case 1: return QColor(255, 128, 0, 200);
    default: return QColor(255, 0, 0, 200);
    }
}

void drawToScale(QPainter &painter, const QRectF &box, double dotsPerMm, const AreaRecord &area, const QRectF &extent,
                 int scale, int gridMm)
{
    const double k = dotsPerMm / scale; // device units per model millimetre
    const QPointF c = extent.center();
    // Scene coordinates (y down, as the zones are built) to the box.
    const QTransform toDevice =
        QTransform::fromTranslate(-c.x(), c.y()) * QTransform::fromScale(k, k) * QTransform::fromTranslate(box.center().x(), box.center().y());
    const double left = c.x() - box.width() / 2 / k;
    const double right = c.x() + box.width() / 2 / k;
    const double bottom = c.y() - box.height() / 2 / k;
    const double top = c.y() + box.height() / 2 / k;
    auto device = [&](double x, double y) { return toDevice.map(QPointF(x, -y)); };

    painter.save();
    painter.setClipRect(box);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(box, Qt::white);

    // Grid, labelled in metres.
    QFont small = painter.font();
    small.setPointSizeF(6);
    painter.setFont(small);
    const QFontMetricsF metrics(small);
    const double thin = 0.1 * dotsPerMm;
    for (double x = std::ceil(left / gridMm) * gridMm; x <= right; x += gridMm) {
        painter.setPen(QPen(x == 0 ? QColor(90, 90, 90) : QColor(200, 200, 200), x == 0 ? 2 * thin : thin));
        painter.drawLine(device(x, bottom), device(x, top));
    }
    for (double y = std::ceil(bottom / gridMm) * gridMm; y <= top; y += gridMm) {
        painter.setPen(QPen(y == 0 ? QColor(90, 90, 90) : QColor(200, 200, 200), y == 0 ? 2 * thin : thin));
        painter.drawLine(device(left, y), device(right, y));
    }

    // The blind wedge, as far as the box reaches.
    const double r = std::hypot(right - left, top - bottom) + std::hypot(c.x(), c.y());
    QPainterPath seen;
    seen.moveTo(0, 0);
    seen.arcTo(QRectF(-r, -r, 2 * r, 2 * r), kSeenFrom, kSeenSweep);
    seen.closeSubpath();
    QPainterPath all;
    all.addRect(QRectF(-r, -r, 2 * r, 2 * r));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(125, 125, 125, 125));
    painter.drawPath(toDevice.map(all.subtracted(seen)));

    drawZones(painter, toDevice, area, 0.15 * dotsPerMm);

    // The scanner, and which way is forward.
    const QPointF origin = device(0, 0);
    const double s = 1.4 * dotsPerMm;
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(origin, s, s);
    QPolygonF arrow;
    arrow << origin + QPointF(-s * 0.7, -s * 1.1) << origin + QPointF(s * 0.7, -s * 1.1) << origin + QPointF(0, -s * 2.6);
    painter.drawPolygon(arrow);

    // Values of the grid lines along the lower and the left edge.
    painter.setPen(QColor(80, 80, 80));
    const double pad = 0.8 * dotsPerMm;
    auto metres = [](double mm) { return QString::number(mm / 1000.0, 'g', 6); };
    // None in the corner, where both rows of values meet.
    const double corner = 4 * dotsPerMm / k;
    for (double x = std::ceil((left + corner) / gridMm) * gridMm; x <= right; x += gridMm) {
        const QString t = metres(x);
        const QPointF at = device(x, bottom);
        painter.drawText(QPointF(at.x() - metrics.horizontalAdvance(t) / 2, at.y() - pad), t);
    }
    for (double y = std::ceil((bottom + corner) / gridMm) * gridMm; y <= top; y += gridMm) {
        const QPointF at = device(left, y);
        painter.drawText(QPointF(at.x() + pad, at.y() + metrics.ascent() / 2), metres(y));
    }
    painter.restore();
    painter.save();
    painter.setPen(QPen(QColor(90, 90, 90), thin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    painter.restore();
}

void drawThumbnail(QPainter &painter, const QRectF &box, const AreaRecord &area)
{
    double farthest = 0;
    for (int o = 0; o < 3; ++o)
        for (const QPoint &p : area.points(o))
            farthest = std::max(farthest, double(toPolar(p).distance));
    painter.save();
    painter.setClipRect(box);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c = box.center();
    painter.setPen(QPen(QColor(128, 128, 128, 160), 0, Qt::DotLine));
    painter.drawLine(QPointF(box.left(), c.y()), QPointF(box.right(), c.y()));
    painter.drawLine(QPointF(c.x(), box.top()), QPointF(c.x(), box.bottom()));
    if (farthest > 0) {
        const double k = 0.46 * std::min(box.width(), box.height()) / farthest;
        drawZones(painter, QTransform::fromScale(k, k) * QTransform::fromTranslate(c.x(), c.y()), area, 0);
    }
    painter.restore();
}

} // namespace ZoneDrawing
