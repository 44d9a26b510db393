// Lamps of the IO displays, the shape buttons of the edit dock and the logos.
#include "iconkit.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace IconKit {
namespace {

void lamp(QPainter &p, const QColor &body, const QColor &label, const QString &mark)
{
    QRadialGradient glow(QPointF(12, 11), 16);
    glow.setColorAt(0, body.lighter(135));
    glow.setColorAt(1, body);
    p.setBrush(glow);
    p.setPen(pen(body.darker(150), 1.6));
    p.drawEllipse(QPointF(16, 16), 13.5, 13.5);
    text(p, QRectF(2, 2, 28, 28), mark, label, 17);
}

// A zone in the shape-button style: the scanner dot at the bottom centre and
// the zone above it.
void scannerDot(QPainter &p)
{
    p.setBrush(Ink);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(16, 27), 2.5, 2.5);
}

const QColor ZoneFill(0x1e, 0x88, 0xe5, 90);
const QColor BaseFill(0x9e, 0x9e, 0x9e, 110);

void baseZone(QPainter &p)
{
    QPainterPath base;
    base.addRect(QRectF(11, 17, 10, 10));
    shape(p, base, BaseFill, Grey, 1.2);
}

void radar(QPainter &p, qreal s)
{
    p.scale(s, s);
    // Body of the scanner with its scan window and a sweep above it.
    QPainterPath sweep;
    sweep.moveTo(16, 14);
    sweep.arcTo(QRectF(2, 0, 28, 28), 30, 120);
    sweep.closeSubpath();
    QLinearGradient g(16, 0, 16, 14);
    g.setColorAt(0, QColor(0x43, 0xa0, 0x47, 40));
    g.setColorAt(1, QColor(0x43, 0xa0, 0x47, 170));
    shape(p, sweep, g, Green, 1.0);
    QPainterPath body;
    body.addRoundedRect(QRectF(8, 12, 16, 18), 4, 4);
    shape(p, body, Yellow);
    QPainterPath window;
    window.addRoundedRect(QRectF(10, 14.5, 12, 5), 2, 2);
    shape(p, window, QColor(0x26, 0x32, 0x38), Ink, 1.0);
    line(p, Ink, 1.2, QPointF(11, 25), QPointF(21, 25));
}

} // namespace

void addMarkIcons(IconSet &set)
{
    const QColor greyBody(0xcf, 0xd8, 0xdc);
    const QColor greyLabel(0x60, 0x7d, 0x8b);
    for (int n = 1; n <= 6; ++n) {
        const QString num = QString::number(n);
        set[QStringLiteral("Gray") + num] = {[=](QPainter &p) { lamp(p, greyBody, greyLabel, num); }};
        set[QStringLiteral("Green") + num] = {[=](QPainter &p) { lamp(p, Green, Paper, num); }};
    }
    set[QStringLiteral("Yellow1")] = {[](QPainter &p) { lamp(p, Yellow, Ink, QStringLiteral("1")); }};
    set[QStringLiteral("Orange2")] = {[](QPainter &p) { lamp(p, Orange, Paper, QStringLiteral("2")); }};
    set[QStringLiteral("Red3")] = {[](QPainter &p) { lamp(p, Red, Paper, QStringLiteral("3")); }};
    set[QStringLiteral("GrayFault")] = {[=](QPainter &p) { lamp(p, greyBody, greyLabel, QStringLiteral("F")); }};
    set[QStringLiteral("GreenFault")] = {[](QPainter &p) { lamp(p, Green, Paper, QStringLiteral("F")); }};

    set[QStringLiteral("Polygon")] = {[](QPainter &p) {
        QPainterPath zone;
        zone.moveTo(16, 27);
        zone.lineTo(3, 16);
        zone.lineTo(7, 5);
        zone.lineTo(18, 9);
        zone.lineTo(28, 4);
        zone.lineTo(29, 19);
        zone.closeSubpath();
        shape(p, zone, ZoneFill, Blue, 1.6);
        p.setBrush(Paper);
        p.setPen(pen(Blue, 1.2));
        for (QPointF v : {QPointF(3, 16), QPointF(7, 5), QPointF(18, 9), QPointF(28, 4), QPointF(29, 19)})
            p.drawRect(QRectF(v.x() - 1.8, v.y() - 1.8, 3.6, 3.6));
        scannerDot(p);
    }};
    set[QStringLiteral("round")] = {[](QPainter &p) {
        QPainterPath zone;
        zone.moveTo(16, 27);
        zone.arcTo(QRectF(-6, 5, 44, 44), 40, 100);
        zone.closeSubpath();
        shape(p, zone, ZoneFill, Blue, 1.6);
        scannerDot(p);
    }};
    set[QStringLiteral("Rectangle")] = {[](QPainter &p) {
        QPainterPath zone;
        zone.addRect(QRectF(5, 6, 22, 21));
        shape(p, zone, ZoneFill, Blue, 1.6);
        scannerDot(p);
    }};
    set[QStringLiteral("Straight")] = {[](QPainter &p) {
        QPainterPath zone;
        zone.addRect(QRectF(11, 4, 10, 23));
        shape(p, zone, ZoneFill, Blue, 1.6);
        baseZone(p);
        line(p, Blue, 1.6, QPointF(16, 14), QPointF(16, 7));
        arrowHead(p, Blue, QPointF(16, 9), QPointF(16, 4), 5);
        scannerDot(p);
    }};
    set[QStringLiteral("Fan")] = {[](QPainter &p) {
        QPainterPath zone;
        zone.moveTo(11, 27);
        zone.lineTo(3, 4);
        zone.lineTo(29, 4);
        zone.lineTo(21, 27);
        zone.closeSubpath();
        shape(p, zone, ZoneFill, Blue, 1.6);
        baseZone(p);
        scannerDot(p);
    }};
    set[QStringLiteral("Ratio")] = {[](QPainter &p) {
        QPainterPath zone;
        zone.addRect(QRectF(5, 5, 22, 22));
        shape(p, zone, ZoneFill, Blue, 1.6);
        baseZone(p);
        line(p, Blue, 1.4, QPointF(21, 17), QPointF(25, 9));
        arrowHead(p, Blue, QPointF(23.5, 12), QPointF(25.5, 7), 4.5);
        scannerDot(p);
    }};
    set[QStringLiteral("radar")] = {[](QPainter &p) { radar(p, 2.0); }, QSize(64, 64)};
    // Picture of the transfer progress dialog: scanner, link, computer.
    set[QStringLiteral("ConnectSensor")] = {[](QPainter &p) {
        p.save();
        p.translate(8, 8);
        radar(p, 2.0);
        p.restore();
        for (int i = 0; i < 5; ++i) {
            p.setBrush(i % 2 ? Green : Blue);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(88 + i * 12, 44), 3.5, 3.5);
        }
        QPainterPath screen;
        screen.addRoundedRect(QRectF(156, 18, 56, 38), 3, 3);
        shape(p, screen, QColor(0x26, 0x32, 0x38), Ink, 2.0);
        QPainterPath wave;
        wave.moveTo(162, 40);
        wave.lineTo(176, 40);
        wave.lineTo(182, 26);
        wave.lineTo(190, 48);
        wave.lineTo(196, 34);
        wave.lineTo(206, 34);
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(Green, 2.5));
        p.drawPath(wave);
        line(p, Ink, 3, QPointF(184, 56), QPointF(184, 64));
        line(p, Ink, 3, QPointF(170, 66), QPointF(198, 66));
    }, QSize(220, 80)};
}

} // namespace IconKit
