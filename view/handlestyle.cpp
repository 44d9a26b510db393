#include "handlestyle.h"

#include <QStyleOptionGraphicsItem>

namespace HandleStyle {

QBrush brush(const QColor &color, const QStyleOptionGraphicsItem *option)
{
    QColor fill = color;
    if (option && (option->state & QStyle::State_Selected))
        fill = fill.darker(150);
    if (option && (option->state & QStyle::State_MouseOver))
        fill = QColor(Qt::red).lighter(125);
    const bool held = option && (option->state & QStyle::State_Sunken);
    return QBrush(fill.darker(held ? 120 : 100), Qt::SolidPattern);
}

} // namespace HandleStyle
