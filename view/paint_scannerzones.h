#pragma once

#include "arearecord.h"

#include <QGraphicsItem>
#include <QVector>

struct EditData;

// The zones a scanner holds for the current area, as dashed outlines in each
// output's colour over the project's own zones: what a comparison read.
// Clicks go through to the zones beneath.
class PAINT_SCANNERZONES : public QGraphicsItem
{
public:
    PAINT_SCANNERZONES(double width, double height, EditData *data);

    void setSize(double width, double height);
    // The scanner's 64 areas; an empty list draws nothing.
    void setAreas(const QVector<AreaRecord> &areas);
    const QVector<AreaRecord> &areas() const { return m_areas; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    double m_width;
    double m_height;
    EditData *m_data;
    QVector<AreaRecord> m_areas;
};
