#include "paint_table.h"

#include "editdata.h"
#include "polar.h"

#include <QMap>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

PAINT_TABLE::PAINT_TABLE(int Index, EditData *Data, QWidget *parent) : QWidget(parent), m_index(Index), m_data(Data)
{
    setGeometry(0, 0, 40, 100);
}

void PAINT_TABLE::paintEvent(QPaintEvent *)
{
    if (m_index < 0 || m_index >= m_data->Areas.size())
        return;
    const AreaRecord &area = m_data->Areas.at(m_index);

    // Points of each output in ascending angle; a later point at the same
    // angle replaces the earlier one.
    QMap<float, QPoint> ordered[EditData::OutputCount];
    float farthest = 0.0f;
    for (int output = 0; output < EditData::OutputCount; ++output) {
        for (const QPoint &p : area.points(output)) {
            const PolarPoint polar = toPolar(p);
            ordered[output].insert(polar.angle, p);
            farthest = qMax(farthest, polar.distance);
        }
    }

    QPainter painter(this);
    const int halfW = width() / 2;
    const int halfH = height() / 2;
    painter.setPen(QPen(QColor(128, 128, 128, 128), 0, Qt::DotLine));
    painter.translate(halfW, halfH);
    painter.drawLine(-halfW, 0, halfW, 0);
    painter.drawLine(0, -halfH, 0, halfH);
    if (farthest <= 0.0f)
        return;
    painter.scale(50.0 / farthest, 50.0 / farthest);

    static const QColor fills[] = {QColor(255, 255, 128, 200), QColor(255, 128, 0, 200), QColor(255, 0, 0, 200)};
    // A cosmetic outline: one pixel whatever the area's size, so thumbnails of
    // the same form look the same.
    QPen outline(Qt::white, 1, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin);
    outline.setCosmetic(true);
    painter.setPen(outline);
    for (int output = 0; output < EditData::OutputCount; ++output) {
        const int kind = area.shape(output);
        if (kind != Polygon && kind != Rectangle)
            continue;
        QPolygonF polygon;
        polygon << QPointF(0, 0);
        for (const QPoint &p : ordered[output])
            polygon << QPointF(p.x(), -p.y());
        polygon << QPointF(0, 0);
        painter.setBrush(fills[output]);
        painter.drawPolygon(polygon, Qt::WindingFill);
    }
}
