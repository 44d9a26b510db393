#include "zonepainting.h"

#include "editdata.h"
#include "zonegeometry.h"

#include <QPainter>
#include <QPen>

namespace ZonePainting {

QColor fillColor(const QColor &rgb, int output, const EditData *data)
{
    QColor c = rgb;
    c.setAlpha(data->currentOutputIndex() == output ? CurrentAlpha : OtherAlpha);
    return c;
}

std::optional<QPainterPath> paint(QPainter *painter, EditData *data, int output, const QPainterPath *base,
                                  const QColor &rgb, double width, double height)
{
    const AreaRecord &area = data->currentArea();
    const ZoneGeometry::Zone zone =
        ZoneGeometry::zone(area.shape(output), area.points(output), base, width, height);
    if (!zone.drawn)
        return std::nullopt;

    // The view does not save painter state between items: set everything used.
    if (zone.outlined)
        painter->setPen(QPen(QBrush(Qt::white), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin));
    else
        painter->setPen(Qt::NoPen);
    painter->setBrush(QBrush(fillColor(rgb, output, data), Qt::SolidPattern));
    if (zone.scale != 1.0) {
        const QTransform before = painter->transform();
        painter->scale(zone.scale, zone.scale);
        painter->drawPath(zone.path);
        painter->setTransform(before);
    } else {
        painter->drawPath(zone.path);
    }
    return zone.handOver;
}

} // namespace ZonePainting
