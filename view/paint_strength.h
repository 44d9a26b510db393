#pragma once

#include "livepainting.h"

#include <QGraphicsItem>

struct LinkState;

// The live intensity of every beam as a polar plot over the zones, each
// raw intensity drawn as if it were a distance in millimetres, in the
// display mode LinkState names. Reads the link's buffers at every paint.
class PAINT_STRENGTH : public QGraphicsItem
{
public:
    PAINT_STRENGTH(double width, double height, LinkState *link, double *scale);

    void setSize(double width, double height);
    double itemWidth() const { return width; }
    double itemHeight() const { return height; }
    LinkState *linkState() const { return link; }
    const double *scalePointer() const { return scale; }
    // The plot as last painted: origin, samples, origin.
    const QPolygonF &paintedPolygon() const { return buffers.polygon; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    double width;
    double height;
    LinkState *link;
    double *scale;
    LivePainting::Buffers buffers;
};
