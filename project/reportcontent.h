#pragma once

// What the commissioning report shows and where it breaks pages, without any
// painting: the areas in use, the drawing's scale and grid, each zone's
// dimensions and the pages the point tables fill.

#include "arearecord.h"

#include <QRectF>
#include <QString>
#include <QVector>
#include <array>

namespace ReportContent {

// Areas that hold at least one point in any output, ascending.
QVector<int> areasInUse(const QVector<AreaRecord> &areas);

// The smallest scale 1:N at which extent fits into paper (both in
// millimetres), N a whole 1, 1.25, 1.5, 2, 2.5, 3, 4, 5, 6 or 7.5 times a
// power of ten (... 1:6, 1:10, 1:15, 1:20, 1:25 ... 1:100, 1:125 ...); 0 when
// nothing fits below 1:10^9.
int drawingScale(const QSizeF &extent, const QSizeF &paper);
// The grid step in real millimetres at 1:scale: the smallest of 1, 2, 5 times
// a power of ten that is at least minimumOnPaper millimetres on paper.
int gridStep(int scale, double minimumOnPaper);

// One output's zone as drawn, in model millimetres (x right, y forward).
struct OutputDimensions
{
    bool drawn = false;
    QRectF extent;     // left/right in x, bottom (behind) to top (ahead) in y
    double reach = 0;  // farthest point of the zone from the scanner
};
std::array<OutputDimensions, 3> dimensions(const AreaRecord &area);

// What the drawing of an area covers: every zone and the scanner, with a
// margin, and never less than a metre across.
QRectF drawingExtent(const AreaRecord &area);

// The arc fields of an output as the link sends them (whole degrees, whole
// millimetres), in the drawing's frame; false for anything but a two-point arc.
bool arcAsSent(const AreaRecord &area, int output, int *startDegree, int *endDegree, int *radius);

// One column of an area's point tables: a heading, then `count` points of
// one output from list index `first` (count 0 for an output without points).
struct PointColumn
{
    int output = 0;
    int first = 0;
    int count = 0;
};
// The columns of an area's point tables page by page: each output starts a
// column of its own; a column holds rows - 1 points under its heading. The
// first page has firstRows rows a column, every later one laterRows.
QVector<QVector<PointColumn>> pointPages(const AreaRecord &area, int columns, int firstRows, int laterRows);

// Rows of a table split into pages of at most perPage rows (one page for none).
int pageCount(int rows, int perPage);

} // namespace ReportContent
