#pragma once

#include "livepainting.h"

#include <QGraphicsItem>

struct LinkState;

// The live distance scan over the zones, in the display mode LinkState
// names: filled contour, dots, or lines (over Ethernet coloured by whether
// neighbouring samples agree). Reads the link's buffers at every paint and
// keeps no copy of the samples beyond its drawing storage.
class PAINT_OUTLINE : public QGraphicsItem
{
public:
    PAINT_OUTLINE(double width, double height, LinkState *link, double *scale);

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
