#include "paint_scannerzones.h"

#include "editdata.h"
#include "zonegeometry.h"
#include "zonepainting.h"

#include <QPainter>
#include <QPen>

namespace {
// The zone painters' colours, at full strength.
const QColor kZoneColours[3] = {QColor(255, 255, 128), QColor(255, 128, 0), QColor(255, 0, 0)};

// Dashes of the same length in pixels whatever the pen's width: Qt counts a
// pattern in widths.
QPen dashedPen(const QColor &colour, double pixels)
{
    QPen pen(QBrush(colour), pixels, Qt::CustomDashLine, Qt::FlatCap, Qt::BevelJoin);
    pen.setCosmetic(true);
    pen.setDashPattern({12.0 / pixels, 8.0 / pixels});
    return pen;
}
} // namespace

PAINT_SCANNERZONES::PAINT_SCANNERZONES(double width, double height, EditData *data)
    : m_width(width), m_height(height), m_data(data)
{
    // Over the project's zones and the live display, under the handles.
    setZValue(6.8);
    setAcceptedMouseButtons(Qt::NoButton);
}

void PAINT_SCANNERZONES::setSize(double width, double height)
{
    prepareGeometryChange();
    m_width = width;
    m_height = height;
}

void PAINT_SCANNERZONES::setAreas(const QVector<AreaRecord> &areas)
{
    m_areas = areas;
    update();
}

QRectF PAINT_SCANNERZONES::boundingRect() const { return ZonePainting::sceneRect(m_width, m_height); }

// Nothing to hit: a press on a zone still reaches the zone (and pans).
QPainterPath PAINT_SCANNERZONES::shape() const { return QPainterPath(); }

void PAINT_SCANNERZONES::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!m_data || m_areas.size() != EditData::AreaCount)
        return;
    const AreaRecord &area = m_areas.at(m_data->currentAreaIndex());
    const std::array<ZoneGeometry::Zone, 3> zones = ZoneGeometry::areaZones(area, m_width, m_height);
    painter->setBrush(Qt::NoBrush);
    for (int k = 0; k < 3; ++k) {
        const ZoneGeometry::Zone &z = zones[size_t(k)];
        if (!z.drawn)
            continue;
        const QTransform before = painter->transform();
        if (z.scale != 1.0)
            painter->scale(z.scale, z.scale);
        // Dark under the colour, so the dashes show over a fill of their own colour.
        painter->setPen(dashedPen(Qt::black, 4.0));
        ZonePainting::drawPath(painter, z.path);
        painter->setPen(dashedPen(kZoneColours[k], 2.0));
        ZonePainting::drawPath(painter, z.path);
        painter->setTransform(before);
    }
}
