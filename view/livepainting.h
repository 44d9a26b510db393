#pragma once

#include "livescan.h"

#include <QLineF>
#include <QPolygonF>
#include <QVector>

class QPainter;
struct LinkState;

// Draws the live distance outline or intensity plot in the display mode of
// LinkState (0 graph, 1 cloud, 2 line). Shared by PAINT_OUTLINE and
// PAINT_STRENGTH.
namespace LivePainting {

// Storage reused from paint to paint, so that a warmed-up paint allocates
// nothing. `polygon` is the plot as built from the buffers (origin, samples,
// origin), before any cutting to the visible part.
struct Buffers
{
    QPolygonF polygon;
    QPolygonF thin;
    QPolygonF cut;
    QPolygonF scratch;
    QVector<QLineF> green;
    QVector<QLineF> grey;
    QVector<QRect> dots;
};

// Paints one plot with every pen and brush it needs, and leaves the
// painter's pen and brush as it found them. scale is the view's
// pixels per millimetre: widths given in pixels stay that wide on screen.
// Only what can reach the painter's device is handed to the paint engine,
// and from an origin near it, so deep zoom costs no more than the view shows
// and stays within the engines' coordinate range.
void paint(QPainter *painter, const LinkState &link, LiveScan::Plot plot, double scale, Buffers &buffers);

} // namespace LivePainting
