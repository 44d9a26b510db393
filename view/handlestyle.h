#pragma once

#include <QBrush>
#include <QColor>

class QStyleOptionGraphicsItem;

namespace HandleStyle {
// The brush of a point handle from its style state: darker when selected,
// light red under the mouse, darker again while held.
QBrush brush(const QColor &color, const QStyleOptionGraphicsItem *option);
} // namespace HandleStyle
