#include "paint_out1.h"

#include "zonepainting.h"

PAINT_OUT1::PAINT_OUT1(double width, double height, EditData *data) : width(width), height(height), data(data)
{
    setZValue(1);
    setFlags(ItemIsSelectable);
    setAcceptDrops(true);
    setAcceptHoverEvents(true);
}

void PAINT_OUT1::setSize(double w, double h)
{
    prepareGeometryChange();
    width = w;
    height = h;
}

QRectF PAINT_OUT1::boundingRect() const { return ZonePainting::sceneRect(width, height); }

QPainterPath PAINT_OUT1::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void PAINT_OUT1::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (auto path = ZonePainting::paint(painter, data, 0, nullptr, QColor(255, 255, 128), width, height, memo))
        emit PaintOut1Path(*path);
}
