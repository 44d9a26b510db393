#include "point_ratio.h"

#include "handlestyle.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>

POINT_RATIO::POINT_RATIO(double *scale, QGraphicsItem *parent) : QGraphicsObject(parent), scale(scale)
{
    setZValue(7);
    setFlags(ItemIsMovable | ItemIsSelectable);
    setAcceptHoverEvents(true);
    setCursor(Qt::SizeVerCursor);
}

QRectF POINT_RATIO::boundingRect() const
{
    const double s = *scale;
    return QRectF(-width * 0.5 / s, -height * 0.5 / s, width / s, height / s);
}

QPainterPath POINT_RATIO::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void POINT_RATIO::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    painter->setBrush(HandleStyle::brush(color, option));
    const double s = *scale;
    const int left = static_cast<int>(-width * 0.5 / s);
    const int top = static_cast<int>(-height * 0.5 / s);
    const int right = left + static_cast<int>(width / s) - 1;
    const int bottom = top + static_cast<int>(height / s) - 1;
    painter->drawRect(QRect(QPoint(left, top), QPoint(right, bottom)));
}

void POINT_RATIO::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    event->setScenePos(QPointF(0, event->scenePos().y()));
    QGraphicsObject::mousePressEvent(event);
    update();
}

void POINT_RATIO::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->modifiers() & Qt::ShiftModifier) {
        event->accept();
        return;
    }
    // The cursor's x counts as 0 and positions below the scanner's row as that
    // row. The toolkit moves by (current - press), so the press point's x must
    // count as 0 too, or the bar would jump sideways by the grab offset.
    const QPointF down = event->buttonDownScenePos(Qt::LeftButton);
    event->setButtonDownScenePos(Qt::LeftButton, QPointF(0, down.y()));
    event->setScenePos(QPointF(0, qMin(event->scenePos().y(), 0.0)));
    QGraphicsObject::mouseMoveEvent(event);
    // A grab below the bar's middle could still carry it past the scanner's row.
    if (pos().y() > 0)
        setPos(pos().x(), 0);
}

void POINT_RATIO::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    event->setScenePos(QPointF(0, event->scenePos().y()));
    QGraphicsObject::mouseReleaseEvent(event);
}
