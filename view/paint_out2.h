#pragma once

#include "zonememo.h"

#include <QGraphicsObject>
#include <QPainterPath>

struct EditData;

// Zone of output 2 of the current area, drawn from the shared model, worked out again only when it changes.
class PAINT_OUT2 : public QGraphicsObject
{
    Q_OBJECT
public:
    PAINT_OUT2(double width, double height, EditData *data);

    void setSize(double width, double height);
    double itemWidth() const { return width; }
    double itemHeight() const { return height; }
    // The zone the previous output handed on at its last paint.
    const QPainterPath &basePath() const { return base; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

public slots:
    void PaintOut1Path(QPainterPath Path);

signals:
    void PaintOut2Path(QPainterPath Path);

private:
    double width;
    double height;
    EditData *data;
    ZoneMemo memo;
    QPainterPath base;
};
