#include "paint_out3.h"

#include "zonepainting.h"

PAINT_OUT3::PAINT_OUT3(double width, double height, EditData *data) : width(width), height(height), data(data)
{
    setZValue(3);
    setFlags(ItemIsSelectable);
    setAcceptDrops(true);
    setAcceptHoverEvents(true);
}

void PAINT_OUT3::setSize(double w, double h)
{
    prepareGeometryChange();
    width = w;
    height = h;
}

QRectF PAINT_OUT3::boundingRect() const { return ZonePainting::sceneRect(width, height); }

QPainterPath PAINT_OUT3::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void PAINT_OUT3::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    // The last output hands nothing on.
    ZonePainting::paint(painter, data, 2, &base, QColor(255, 0, 0), width, height, memo);
}

void PAINT_OUT3::PaintOut2Path(QPainterPath Path)
{
    if (Path == base)
        return;
    base = Path;
    // Handed on while the scene paints, maybe after this zone was painted
    // from the old one: paint again, or the view rests on a stale zone.
    update();
}
