#include "point_point.h"

#include "handlestyle.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

POINT_POINT::POINT_POINT(double *scale, QGraphicsItem *parent) : QGraphicsObject(parent), scale(scale)
{
    setZValue(7);
    setFlags(ItemIsMovable | ItemIsSelectable);
    setAcceptHoverEvents(true);
    // Shown while the mouse hovers over the handle.
    setCursor(Qt::SizeAllCursor);
}

QRectF POINT_POINT::boundingRect() const
{
    const double s = *scale;
    return QRectF(-size * 0.5 / s, -size * 0.5 / s, size / s, size / s);
}

QPainterPath POINT_POINT::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void POINT_POINT::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    // No pen of its own: the handle draws with whatever pen the painter holds.
    painter->setBrush(HandleStyle::brush(color, option));
    const double s = *scale;
    const int left = static_cast<int>(-size * 0.5 / s);
    const int right = left + static_cast<int>(size / s) - 1;
    painter->drawRect(QRect(QPoint(left, left), QPoint(right, right)));
}

void POINT_POINT::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    QGraphicsObject::mousePressEvent(event);
    update();
}

void POINT_POINT::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    // Shift freezes the handle so the cursor can be moved off it.
    if (event->modifiers() & Qt::ShiftModifier) {
        event->accept();
        return;
    }
    QGraphicsObject::mouseMoveEvent(event);
}

void POINT_POINT::mouseReleaseEvent(QGraphicsSceneMouseEvent *event) { QGraphicsObject::mouseReleaseEvent(event); }
