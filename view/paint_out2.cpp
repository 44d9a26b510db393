#include "paint_out2.h"

#include "zonepainting.h"

PAINT_OUT2::PAINT_OUT2(double width, double height, EditData *data) : width(width), height(height), data(data)
{
    setZValue(2);
    setFlags(ItemIsSelectable);
    setAcceptDrops(true);
    setAcceptHoverEvents(true);
}

void PAINT_OUT2::setSize(double w, double h)
{
    prepareGeometryChange();
    width = w;
    height = h;
}

QRectF PAINT_OUT2::boundingRect() const { return ZonePainting::sceneRect(width, height); }

QPainterPath PAINT_OUT2::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void PAINT_OUT2::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (auto path = ZonePainting::paint(painter, data, 1, &base, QColor(255, 128, 0), width, height, memo))
        emit PaintOut2Path(*path);
}

void PAINT_OUT2::PaintOut1Path(QPainterPath Path)
{
    if (Path == base)
        return;
    base = Path;
    // Handed on while the scene paints, maybe after this zone was painted
    // from the old one: paint again, or the view rests on a stale zone.
    update();
}
