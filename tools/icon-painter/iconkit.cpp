#include "iconkit.h"

#include <QFont>
#include <QPainterPath>
#include <QtMath>

namespace IconKit {

const QColor Ink(0x37, 0x47, 0x4f);
const QColor Paper(0xfa, 0xfa, 0xfa);
const QColor Blue(0x1e, 0x88, 0xe5);
const QColor Green(0x43, 0xa0, 0x47);
const QColor Red(0xe5, 0x39, 0x35);
const QColor Orange(0xfb, 0x8c, 0x00);
const QColor Yellow(0xfd, 0xd8, 0x35);
const QColor Grey(0x9e, 0x9e, 0x9e);

QPen pen(const QColor &c, qreal w)
{
    QPen p(c, w);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

void line(QPainter &p, const QColor &c, qreal w, QPointF a, QPointF b)
{
    p.setPen(pen(c, w));
    p.drawLine(a, b);
}

void shape(QPainter &p, const QPainterPath &path, const QBrush &fill, const QColor &edge, qreal w)
{
    p.setPen(edge.alpha() ? pen(edge, w) : QPen(Qt::NoPen));
    p.setBrush(fill);
    p.drawPath(path);
}

void arrowHead(QPainter &p, const QColor &c, QPointF from, QPointF tip, qreal len)
{
    const qreal a = qAtan2(tip.y() - from.y(), tip.x() - from.x());
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(tip - QPointF(len * qCos(a - 0.5), len * qSin(a - 0.5)));
    head.lineTo(tip - QPointF(len * qCos(a + 0.5), len * qSin(a + 0.5)));
    head.closeSubpath();
    shape(p, head, c, c, 1.0);
}

void sheet(QPainter &p, QRectF r)
{
    QPainterPath s;
    const qreal fold = r.width() * 0.3;
    s.moveTo(r.topLeft());
    s.lineTo(r.right() - fold, r.top());
    s.lineTo(r.right(), r.top() + fold);
    s.lineTo(r.bottomRight());
    s.lineTo(r.bottomLeft());
    s.closeSubpath();
    shape(p, s, Paper);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(Ink, 1.4));
    p.drawPath(corner);
}

void text(QPainter &p, const QRectF &r, const QString &s, const QColor &c, int pixelSize, bool bold)
{
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, s);
}

void gear(QPainter &p, QPointF c, qreal r, const QColor &fill)
{
    QPainterPath g;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal a0 = (i - 0.3) * M_PI / teeth;
        const qreal a1 = (i + 0.3) * M_PI / teeth;
        const qreal rr = (i % 2 == 0) ? r : r * 0.75;
        const QPointF p0 = c + QPointF(rr * qCos(a0), rr * qSin(a0));
        const QPointF p1 = c + QPointF(rr * qCos(a1), rr * qSin(a1));
        if (i == 0)
            g.moveTo(p0);
        else
            g.lineTo(p0);
        g.lineTo(p1);
    }
    g.closeSubpath();
    g.addEllipse(c, r * 0.32, r * 0.32);
    g.setFillRule(Qt::OddEvenFill);
    shape(p, g, fill, Ink, 1.3);
}

} // namespace IconKit
