#include "paint_outline.h"

#include <QPainterPath>

PAINT_OUTLINE::PAINT_OUTLINE(double width, double height, LinkState *link, double *scale)
    : width(width), height(height), link(link), scale(scale)
{
    setZValue(6);
    setFlags(ItemIsSelectable);
    setAcceptDrops(true);
    setAcceptHoverEvents(true);
}

void PAINT_OUTLINE::setSize(double w, double h)
{
    prepareGeometryChange();
    width = w;
    height = h;
}

QRectF PAINT_OUTLINE::boundingRect() const { return QRectF(-width / 2, -height / 2, width, height); }

QPainterPath PAINT_OUTLINE::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void PAINT_OUTLINE::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (link)
        LivePainting::paint(painter, *link, LiveScan::Plot::Distance, scale ? *scale : 1.0, buffers);
}
