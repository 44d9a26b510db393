#include "paint_intrusion.h"

#include "editdata.h"
#include "linkstate.h"
#include "livescan.h"
#include "outputzone.h"
#include "zonegeometry.h"
#include "zonepainting.h"

#include <QPainter>
#include <QPen>

namespace {
// The zone painters' colours, at full strength.
const QColor kZoneColours[3] = {QColor(255, 255, 128), QColor(255, 128, 0), QColor(255, 0, 0)};

QPen pixelPen(const QColor &colour, double pixels)
{
    QPen pen(QBrush(colour), pixels, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
    pen.setCosmetic(true);
    return pen;
}
} // namespace

PAINT_INTRUSION::PAINT_INTRUSION(double width, double height, EditData *data, LinkState *link)
    : width(width), height(height), data(data), link(link)
{
    // Over the live display, under the point handles.
    setZValue(6.5);
    setAcceptHoverEvents(true);
}

void PAINT_INTRUSION::setSize(double w, double h)
{
    prepareGeometryChange();
    width = w;
    height = h;
}

void PAINT_INTRUSION::setReportedOutputs(quint8 outputs)
{
    if (reported == (outputs & 7))
        return;
    reported = outputs & 7;
    update();
}

void PAINT_INTRUSION::invalidate()
{
    stale = true;
    update();
}

QRectF PAINT_INTRUSION::boundingRect() const { return QRectF(-width / 2, -height / 2, width, height); }

QPainterPath PAINT_INTRUSION::shape() const
{
    QPainterPath path;
    path.addRect(boundingRect());
    return path;
}

void PAINT_INTRUSION::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!link || !data)
        return;
    const QPen pen = painter->pen();
    const QBrush brush = painter->brush();
    const AreaRecord &area = data->currentArea();

    // A set output's zone: a wide edge in its colour over a dark one.
    if (reported) {
        const std::array<ZoneGeometry::Zone, 3> zones = ZoneGeometry::areaZones(area, width, height);
        painter->setBrush(Qt::NoBrush);
        for (int k = 0; k < 3; ++k) {
            const ZoneGeometry::Zone &z = zones[size_t(k)];
            if (!((reported >> k) & 1) || !z.drawn)
                continue;
            const QTransform before = painter->transform();
            if (z.scale != 1.0)
                painter->scale(z.scale, z.scale);
            painter->setPen(pixelPen(Qt::black, 5.0));
            ZonePainting::drawPath(painter, z.path);
            painter->setPen(pixelPen(kZoneColours[k], 3.0));
            ZonePainting::drawPath(painter, z.path);
            painter->setTransform(before);
        }
    }

    if (stale || area != classifiedArea || link->ConnectionKind != classifiedKind
        || link->DirectionReversed != classifiedReversed) {
        stale = false;
        classifiedArea = area;
        classifiedKind = link->ConnectionKind;
        classifiedReversed = link->DirectionReversed;
        ++classifications;
        LiveScan::modelSamples(*link, points);
        classifyPoints(outputZones(area), points, masks);
        for (QPolygonF &d : dots)
            d.resize(0);
        for (int i = 0; i < masks.size(); ++i) {
            const quint8 m = masks.at(i);
            if (m)
                dots[m & 4 ? 2 : m & 2 ? 1 : 0].append(QPointF(points.at(i).x(), -points.at(i).y()));
        }
    }
    // Dark under the colour, so a sample shows over its own zone's fill.
    for (int k = 0; k < 3; ++k) {
        if (dots[size_t(k)].isEmpty())
            continue;
        painter->setPen(pixelPen(Qt::black, 6.0));
        painter->drawPoints(dots[size_t(k)]);
        painter->setPen(pixelPen(kZoneColours[k], 4.0));
        painter->drawPoints(dots[size_t(k)]);
    }
    painter->setPen(pen);
    painter->setBrush(brush);
}
