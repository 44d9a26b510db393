#include "zonememo.h"

namespace {
// Element by element and exactly: the toolkit's own comparison forgives
// differences below a fraction of the path's size.
bool samePath(const QPainterPath &a, const QPainterPath &b)
{
    if (a.fillRule() != b.fillRule() || a.elementCount() != b.elementCount())
        return false;
    for (int i = 0; i < a.elementCount(); ++i) {
        const QPainterPath::Element x = a.elementAt(i), y = b.elementAt(i);
        if (x.type != y.type || x.x != y.x || x.y != y.y)
            return false;
    }
    return true;
}
} // namespace

const ZoneGeometry::Zone &ZoneMemo::zone(int shape_, const QVector<QPoint> &points_, const QPainterPath *base_,
                                         double width, double height)
{
    const bool same = known && shape == shape_ && points == points_ && hasBase == (base_ != nullptr)
        && (!base_ || samePath(base, *base_)) && sceneWidth == width && sceneHeight == height;
    if (same)
        return result;
    result = ZoneGeometry::zone(shape_, points_, base_, width, height);
    ++count;
    known = true;
    shape = shape_;
    points = points_;
    hasBase = base_ != nullptr;
    base = base_ ? *base_ : QPainterPath();
    sceneWidth = width;
    sceneHeight = height;
    return result;
}
