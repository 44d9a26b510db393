#pragma once

#include <QColor>
#include <QGraphicsObject>

// Square handle of one polygon, arc or rectangle point. Its on-screen size
// stays 15 pixels whatever the zoom: lengths are divided by the view scale.
class POINT_POINT : public QGraphicsObject
{
    Q_OBJECT
public:
    POINT_POINT(double *scale, QGraphicsItem *parent = nullptr);

    // The view scale changed: the bounds in scene units change with it.
    void scaleChanged() { prepareGeometryChange(); }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    int size = 15;
    double *scale;
    QColor color = QColor(0, 0, 255);
};
