#include "zonepainting.h"

#include "editdata.h"
#include "zonegeometry.h"
#include "zonememo.h"

#include <QPainter>
#include <QPen>
#include <cmath>

namespace ZonePainting {

QColor fillColor(const QColor &rgb, int output, const EditData *data)
{
    QColor c = rgb;
    c.setAlpha(data->currentOutputIndex() == output ? CurrentAlpha : OtherAlpha);
    return c;
}

namespace {
template<typename Draw>
void drawFitted(QPainter *painter, const QPainterPath &path, Draw draw)
{
    constexpr double kLimit = 30000.0;
    const QTransform t = painter->combinedTransform();
    const QRectF bounds = path.controlPointRect();
    const QRectF device = t.mapRect(bounds);
    const double scale = std::sqrt(std::fabs(t.determinant()));
    const double reach = qMax(qMax(std::fabs(bounds.left()), std::fabs(bounds.right())),
                              qMax(std::fabs(bounds.top()), std::fabs(bounds.bottom())));
    const bool fits = device.left() > -kLimit && device.top() > -kLimit && device.right() < kLimit
        && device.bottom() < kLimit && reach * scale < kLimit;
    const QPaintDevice *pd = painter->device();
    if (fits || !pd || !t.isInvertible()) {
        draw(path);
        return;
    }
    // A margin keeps the cut edges (and their outline) off screen.
    const QRectF visible = t.inverted().mapRect(QRectF(-64, -64, pd->width() + 128, pd->height() + 128));
    QPainterPath cut;
    cut.addRect(visible);
    QPainterPath fitted = path.intersected(cut);
    fitted.setFillRule(path.fillRule());
    const QPointF origin = visible.center();
    const QTransform before = painter->worldTransform();
    painter->translate(origin);
    draw(fitted.translated(-origin));
    painter->setWorldTransform(before);
}
} // namespace

void drawPath(QPainter *painter, const QPainterPath &path)
{
    drawFitted(painter, path, [painter](const QPainterPath &p) { painter->drawPath(p); });
}

void fillPath(QPainter *painter, const QPainterPath &path, const QBrush &brush)
{
    drawFitted(painter, path, [painter, &brush](const QPainterPath &p) { painter->fillPath(p, brush); });
}

std::optional<QPainterPath> paint(QPainter *painter, EditData *data, int output, const QPainterPath *base,
                                  const QColor &rgb, double width, double height, ZoneMemo &memo)
{
    const AreaRecord &area = data->currentArea();
    const ZoneGeometry::Zone &zone = memo.zone(area.shape(output), area.points(output), base, width, height);
    if (!zone.drawn)
        return std::nullopt;

    // The view does not save painter state between items: set everything used.
    if (zone.outlined)
        painter->setPen(QPen(QBrush(Qt::white), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin));
    else
        painter->setPen(Qt::NoPen);
    painter->setBrush(QBrush(fillColor(rgb, output, data), Qt::SolidPattern));
    if (zone.scale != 1.0) {
        const QTransform before = painter->transform();
        painter->scale(zone.scale, zone.scale);
        ZonePainting::drawPath(painter, zone.path);
        painter->setTransform(before);
    } else {
        ZonePainting::drawPath(painter, zone.path);
    }
    return zone.handOver;
}

} // namespace ZonePainting
