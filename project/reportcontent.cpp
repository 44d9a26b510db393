#include "reportcontent.h"

#include "areaframe.h"
#include "outputzone.h"
#include "polar.h"
#include "shapekind.h"
#include "zonegeometry.h"

#include <QPolygonF>
#include <QTransform>
#include <cmath>

namespace ReportContent {

QVector<int> areasInUse(const QVector<AreaRecord> &areas)
{
    QVector<int> used;
    for (int i = 0; i < areas.size(); ++i) {
        const AreaRecord &a = areas.at(i);
        if (!a.Out1Points.isEmpty() || !a.Out2Points.isEmpty() || !a.Out3Points.isEmpty())
            used.append(i);
    }
    return used;
}

int drawingScale(const QSizeF &extent, const QSizeF &paper)
{
    if (paper.width() <= 0 || paper.height() <= 0)
        return 0;
    const double needed = std::max(extent.width() / paper.width(), extent.height() / paper.height());
    // The steps of an architect's scale rule, in hundredths.
    for (qint64 power = 1; power <= 1000000000; power *= 10) {
        for (const qint64 step : {100, 125, 150, 200, 250, 300, 400, 500, 600, 750}) {
            if ((step * power) % 100 != 0)
                continue; // no whole scale, as 1:2.5
            const qint64 n = step * power / 100;
            if (double(n) >= needed)
                return int(n);
        }
    }
    return 0;
}

int gridStep(int scale, double minimumOnPaper)
{
    const double needed = minimumOnPaper * scale;
    for (qint64 power = 1; power <= 100000000; power *= 10)
        for (const int times : {1, 2, 5})
            if (double(times * power) >= needed)
                return int(times * power);
    return 1000000000;
}

std::array<OutputDimensions, 3> dimensions(const AreaRecord &area)
{
    const std::array<ZoneGeometry::Zone, 3> zones = ZoneGeometry::areaZones(area, kZoneSceneExtent, kZoneSceneExtent);
    std::array<OutputDimensions, 3> out;
    // No zone reaches beyond the farthest point it is built from, and a
    // derived zone lies within its base (a ratio scaled down): the bound
    // takes back what flattening an arc into lines overshoots.
    double bound = 0;
    for (int o = 0; o < 3; ++o) {
        const ZoneGeometry::Zone &z = zones[size_t(o)];
        if (isDependentShape(area.shape(o))) {
            bound *= z.scale;
            if (area.shape(o) == Fan && area.points(o).size() == 1)
                bound = std::min(bound, std::abs(double(area.points(o).first().y())));
        } else {
            bound = 0;
            for (const QPoint &p : area.points(o))
                bound = std::max(bound, double(toPolar(p).distance));
        }
        const QPainterPath path = QTransform::fromScale(z.scale, -z.scale).map(z.path); // back to y forward
        if (!z.drawn || path.boundingRect().isNull())
            continue; // nothing to see: no points, or all on the scanner
        OutputDimensions &d = out[size_t(o)];
        d.drawn = true;
        d.extent = path.boundingRect();
        // Every subpath, also one without area (a polygon of one point is a line).
        for (const QPolygonF &polygon : path.toSubpathPolygons())
            for (const QPointF &p : polygon)
                d.reach = std::max(d.reach, std::hypot(p.x(), p.y()));
        d.reach = std::min(d.reach, bound);
    }
    return out;
}

QRectF drawingExtent(const AreaRecord &area)
{
    QRectF extent(0, 0, 0, 0);
    for (const OutputDimensions &d : dimensions(area))
        if (d.drawn)
            extent = extent.united(d.extent);
    const double margin = 0.06 * std::max(extent.width(), extent.height());
    extent.adjust(-margin, -margin, margin, margin);
    const QPointF centre = extent.center();
    const double w = std::max(extent.width(), 1000.0);
    const double h = std::max(extent.height(), 1000.0);
    return QRectF(centre.x() - w / 2, centre.y() - h / 2, w, h);
}

bool arcAsSent(const AreaRecord &area, int output, int *startDegree, int *endDegree, int *radius)
{
    if (area.shape(output) != Arc || area.points(output).size() != 2)
        return false;
    AreaRecord alone;
    alone.shape(output) = Arc;
    alone.points(output) = area.points(output);
    // A refused arc has no frame, which decodes to nothing.
    const std::optional<AreaBlock> block =
        decodeAreaBlock(encodeAreaBlock(Command::WArea, 0, alone, false).frame, Command::WArea);
    if (!block)
        return false;
    const AreaBlock::Output &o = block->Outputs[size_t(output)];
    *startDegree = o.StartDegree;
    *endDegree = o.EndDegree;
    *radius = o.Radius;
    return true;
}

QVector<QVector<PointColumn>> pointPages(const AreaRecord &area, int columns, int firstRows, int laterRows)
{
    QVector<QVector<PointColumn>> pages(1);
    for (int o = 0; o < 3; ++o) {
        const int n = area.points(o).size();
        int first = 0;
        do { // an output without points still gets its column: "no points"
            if (pages.last().size() >= columns)
                pages.append(QVector<PointColumn>());
            const int room = std::max((pages.size() == 1 ? firstRows : laterRows) - 1, 1);
            const int count = std::min(room, n - first);
            pages.last().append({o, first, count});
            first += count;
        } while (first < n);
    }
    return pages;
}

int pageCount(int rows, int perPage) { return rows <= 0 || perPage <= 0 ? 1 : (rows + perPage - 1) / perPage; }

} // namespace ReportContent
