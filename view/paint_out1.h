#pragma once

#include "zonememo.h"

#include <QGraphicsObject>
#include <QPainterPath>

struct EditData;

// Zone of output 1 of the current area, drawn from the shared model, worked out again only when it changes.
class PAINT_OUT1 : public QGraphicsObject
{
    Q_OBJECT
public:
    PAINT_OUT1(double width, double height, EditData *data);

    void setSize(double width, double height);
    double itemWidth() const { return width; }
    double itemHeight() const { return height; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

signals:
    void PaintOut1Path(QPainterPath Path);

private:
    double width;
    double height;
    EditData *data;
    ZoneMemo memo;
};
