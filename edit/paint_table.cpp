#include "paint_table.h"

#include "editdata.h"
#include "polar.h"
#include "zonegeometry.h"

#include <QPainter>
#include <array>

PAINT_TABLE::PAINT_TABLE(int Index, EditData *Data, QWidget *parent) : QWidget(parent), m_index(Index), m_data(Data)
{
    setGeometry(0, 0, 40, 100);
}

void PAINT_TABLE::paintEvent(QPaintEvent *)
{
    if (m_index < 0 || m_index >= m_data->Areas.size())
        return;
    const AreaRecord &area = m_data->Areas.at(m_index);

    // Scale to the farthest point of all three outputs.
    float farthest = 0.0f;
    for (int output = 0; output < EditData::OutputCount; ++output) {
        for (const QPoint &p : area.points(output))
            farthest = qMax(farthest, toPolar(p).distance);
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

    // Each paint starts from empty zones; the straight cut spans the scene.
    const std::array<ZoneGeometry::Zone, 3> zones =
        ZoneGeometry::areaZones(area, m_data->SceneWidth, m_data->SceneHeight);
    // A cosmetic outline: one pixel whatever the area's size, so thumbnails of
    // the same form look the same.
    QPen outline(Qt::white, 1, Qt::SolidLine, Qt::RoundCap, Qt::BevelJoin);
    outline.setCosmetic(true);
    for (int output = 0; output < EditData::OutputCount; ++output) {
        const ZoneGeometry::Zone &zone = zones[output];
        if (!zone.drawn)
            continue;
        QColor fill = output == 0 ? QColor(255, 255, 128) : output == 1 ? QColor(255, 128, 0) : QColor(255, 0, 0);
        const bool faded = output == 2 && isDependentShape(area.Out3Shape) && m_data->CurrentOutput != 2;
        fill.setAlpha(faded ? 125 : 200);
        painter.save();
        painter.scale(zone.scale, zone.scale); // the ratio form, for this output only
        painter.setPen(zone.outlined ? outline : QPen(Qt::NoPen));
        painter.setBrush(fill);
        painter.drawPath(zone.path);
        painter.restore();
    }
}
