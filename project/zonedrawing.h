#pragma once

// An area's three zones drawn for paper: to scale on a millimetre grid with
// the scanner and its blind sector, or as a thumbnail that fills its cell.

#include "arearecord.h"

#include <QColor>
#include <QRectF>
#include <QString>

class QPainter;

namespace ZoneDrawing {

// The fill of each output, as the editor and the area list show them.
QColor outputColor(int output);

// The area drawn at 1:scale into box (device units, `dotsPerMm` of them to a
// millimetre of paper), centred on `extent` (model millimetres, y forward):
// grid every gridMm with its values in metres along the lower and left edge,
// the blind sector behind the scanner, the zones, the scanner.
void drawToScale(QPainter &painter, const QRectF &box, double dotsPerMm, const AreaRecord &area, const QRectF &extent,
                 int scale, int gridMm);

// The area scaled so that its farthest point lies just inside box, over two
// dotted axes through the scanner, as the area list's thumbnails draw it.
void drawThumbnail(QPainter &painter, const QRectF &box, const AreaRecord &area);

} // namespace ZoneDrawing
