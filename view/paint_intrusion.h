#pragma once

#include "arearecord.h"

#include <QGraphicsItem>
#include <QPolygonF>
#include <QVector>
#include <array>

struct EditData;
struct LinkState;

// What triggers the outputs: every live sample that lies inside a zone of
// the current area, drawn in that zone's colour over the live display, and
// the zone of each output the scanner reports set outlined strongly. A
// sample inside several zones takes the colour of the highest output. The
// inside decision is the scanner emulator's own (OutputZone).
class PAINT_INTRUSION : public QGraphicsItem
{
public:
    PAINT_INTRUSION(double width, double height, EditData *data, LinkState *link);

    void setSize(double width, double height);
    // Bit k: output k is reported set.
    void setReportedOutputs(quint8 outputs);
    quint8 reportedOutputs() const { return reported; }
    // Per sample of the scan last painted (buffer order): bit k when output
    // k's zone holds it.
    const QVector<quint8> &paintedMasks() const { return masks; }
    // A new scan is in the link: the next paint classifies it. Paints in
    // between (zoom, scroll, a reported output) reuse what was classified.
    void invalidate();
    // How many times a scan was classified, for the cost of repaints.
    int classificationCount() const { return classifications; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

private:
    double width;
    double height;
    EditData *data;
    LinkState *link;
    quint8 reported = 0;
    // What the masks were classified from; an edit of the zones, another
    // area or another link geometry classifies again.
    bool stale = true;
    AreaRecord classifiedArea;
    int classifiedKind = -1;
    bool classifiedReversed = false;
    int classifications = 0;
    QPolygonF points;
    QVector<quint8> masks;
    std::array<QPolygonF, 3> dots;
};
