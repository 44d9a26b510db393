#pragma once

#include <QGraphicsItem>

struct LinkState;

// Live intensity plot over the zones. Placeholder until the live display is built:
// it takes its place in the zone-item list and the stacking, and draws nothing.
class PAINT_STRENGTH : public QGraphicsItem
{
public:
    PAINT_STRENGTH(double width, double height, LinkState *link, double *scale);

    void setSize(double width, double height);
    double itemWidth() const { return width; }
    double itemHeight() const { return height; }
    LinkState *linkState() const { return link; }
    const double *scalePointer() const { return scale; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    double width;
    double height;
    LinkState *link;
    double *scale;
};
