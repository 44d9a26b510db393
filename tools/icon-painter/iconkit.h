#pragma once

#include <QBrush>
#include <QColor>
#include <QMap>
#include <QPainter>
#include <QString>
#include <functional>

// Shared palette and helpers of the icon painter. Every icon is line art on a
// transparent 32 x 32 canvas unless it asks for another size.
namespace IconKit {

using Painter = std::function<void(QPainter &)>;

struct Icon
{
    Painter paint;
    QSize size = QSize(32, 32);
};

using IconSet = QMap<QString, Icon>;

extern const QColor Ink;    // outlines
extern const QColor Paper;  // fills of sheets and bodies
extern const QColor Blue;
extern const QColor Green;
extern const QColor Red;
extern const QColor Orange;
extern const QColor Yellow;
extern const QColor Grey;

QPen pen(const QColor &c, qreal w = 2.0);
void line(QPainter &p, const QColor &c, qreal w, QPointF a, QPointF b);
// Filled shape with an outline.
void shape(QPainter &p, const QPainterPath &path, const QBrush &fill, const QColor &edge = Ink, qreal w = 1.6);
// Arrow head at tip, pointing along (tip - from).
void arrowHead(QPainter &p, const QColor &c, QPointF from, QPointF tip, qreal len = 6.0);
// A sheet of paper with a folded corner, the base of the file icons.
void sheet(QPainter &p, QRectF r);
void text(QPainter &p, const QRectF &r, const QString &s, const QColor &c, int pixelSize, bool bold = true);
void gear(QPainter &p, QPointF c, qreal r, const QColor &fill);

void addActionIcons(IconSet &set);
void addMarkIcons(IconSet &set); // lamps, shape buttons, logos

} // namespace IconKit
