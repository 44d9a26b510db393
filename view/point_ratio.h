#pragma once

#include <QColor>
#include <QGraphicsObject>

// Flat bar handle of the single point of the straight, fan and ratio forms.
// It slides only along the forward axis and never below the scanner.
class POINT_RATIO : public QGraphicsObject
{
    Q_OBJECT
public:
    POINT_RATIO(double *scale, QGraphicsItem *parent = nullptr);

    void scaleChanged() { prepareGeometryChange(); }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    double width = 50.0;
    double height = 5.0;
    double *scale;
    QColor color = QColor(0, 0, 255);
};
