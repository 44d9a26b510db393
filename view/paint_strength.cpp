#include "paint_strength.h"

#include <QPainterPath>

PAINT_STRENGTH::PAINT_STRENGTH(double width, double height, LinkState *link, double *scale)
    : width(width), height(height), link(link), scale(scale)
{
    setZValue(5);
    setFlags(ItemIsSelectable);
    setAcceptDrops(true);
    setAcceptHoverEvents(true);
}

void PAINT_STRENGTH::setSize(double w, double h)
{
    prepareGeometryChange();
    width = w;
    height = h;
}

QRectF PAINT_STRENGTH::boundingRect() const { return QRectF(-width / 2, -height / 2, width, height); }

QPainterPath PAINT_STRENGTH::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void PAINT_STRENGTH::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (link)
        LivePainting::paint(painter, *link, LiveScan::Plot::Intensity, scale ? *scale : 1.0, buffers);
}
