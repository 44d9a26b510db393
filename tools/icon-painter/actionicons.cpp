// Icons of the menu and tool-bar actions.
#include "iconkit.h"

#include <QPainterPath>
#include <QtMath>

namespace IconKit {
namespace {

QPainterPath rounded(QRectF r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

void folder(QPainter &p)
{
    QPainterPath back;
    back.moveTo(3, 8);
    back.lineTo(12, 8);
    back.lineTo(14, 11);
    back.lineTo(27, 11);
    back.lineTo(27, 26);
    back.lineTo(3, 26);
    back.closeSubpath();
    shape(p, back, QColor(0xff, 0xca, 0x28));
    QPainterPath front;
    front.moveTo(3, 26);
    front.lineTo(7, 15);
    front.lineTo(30, 15);
    front.lineTo(27, 26);
    front.closeSubpath();
    shape(p, front, QColor(0xff, 0xe0, 0x82));
}

void floppy(QPainter &p, QRectF r)
{
    QPainterPath body;
    body.moveTo(r.topLeft());
    body.lineTo(r.right() - 4, r.top());
    body.lineTo(r.right(), r.top() + 4);
    body.lineTo(r.bottomRight());
    body.lineTo(r.bottomLeft());
    body.closeSubpath();
    shape(p, body, Blue);
    const qreal w = r.width();
    shape(p, rounded(QRectF(r.left() + w * 0.22, r.top(), w * 0.5, r.height() * 0.32), 0), Paper, Ink, 1.2);
    shape(p, rounded(QRectF(r.left() + w * 0.15, r.top() + r.height() * 0.55, w * 0.7, r.height() * 0.45), 1), Paper,
          Ink, 1.2);
}

// The round face the record and stop symbols sit on.
void recorderButton(QPainter &p)
{
    p.setBrush(Paper);
    p.setPen(pen(Ink, 1.6));
    p.drawEllipse(QPointF(16, 16), 12, 12);
}

void curvedArrow(QPainter &p, bool clockwise)
{
    // A half loop with the head at the upper end: undo points left, redo right.
    const qreal s = clockwise ? -1 : 1;
    const QPointF c(16, 17);
    QPainterPath arc;
    arc.moveTo(c + QPointF(s * 8, 8));
    arc.cubicTo(c + QPointF(s * 16, 0), c + QPointF(s * 10, -9), c + QPointF(0, -9));
    arc.lineTo(c + QPointF(-s * 6, -9));
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(Blue, 3));
    p.drawPath(arc);
    arrowHead(p, Blue, c + QPointF(-s * 2, -9), c + QPointF(-s * 11, -9), 8);
}

void pages(QPainter &p)
{
    sheet(p, QRectF(4, 3, 15, 19));
    sheet(p, QRectF(12, 10, 15, 19));
}

void scissors(QPainter &p)
{
    line(p, Ink, 2.2, QPointF(9, 3), QPointF(21, 21));
    line(p, Ink, 2.2, QPointF(23, 3), QPointF(11, 21));
    p.setBrush(Paper);
    p.setPen(pen(Red, 2.4));
    p.drawEllipse(QPointF(9, 25), 4, 4);
    p.drawEllipse(QPointF(23, 25), 4, 4);
    p.setBrush(Ink);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(16, 13.5), 1.5, 1.5);
}

void clipboard(QPainter &p)
{
    shape(p, rounded(QRectF(5, 5, 20, 24), 2), QColor(0xa1, 0x88, 0x7f));
    shape(p, rounded(QRectF(11, 3, 8, 5), 1.5), Grey);
    sheet(p, QRectF(14, 12, 14, 17));
}

void bin(QPainter &p, const QColor &lid)
{
    QPainterPath can;
    can.moveTo(8, 10);
    can.lineTo(24, 10);
    can.lineTo(22, 29);
    can.lineTo(10, 29);
    can.closeSubpath();
    shape(p, can, Paper);
    for (qreal x : {13.0, 16.0, 19.0})
        line(p, Ink, 1.4, QPointF(x, 13), QPointF(x, 26));
    shape(p, rounded(QRectF(5, 6, 22, 4), 1), lid);
    shape(p, rounded(QRectF(12, 3, 8, 3), 1), lid);
}

void plug(QPainter &p, QPointF at, qreal angle, const QColor &c)
{
    p.save();
    p.translate(at);
    p.rotate(angle);
    shape(p, rounded(QRectF(-5, -5, 8, 10), 2), c);
    line(p, Ink, 1.8, QPointF(3, -2.5), QPointF(7, -2.5));
    line(p, Ink, 1.8, QPointF(3, 2.5), QPointF(7, 2.5));
    line(p, c, 2.5, QPointF(-5, 0), QPointF(-10, 0));
    p.restore();
}

void socket(QPainter &p, QPointF at, qreal angle, const QColor &c)
{
    p.save();
    p.translate(at);
    p.rotate(angle);
    shape(p, rounded(QRectF(-3, -5, 8, 10), 2), c);
    line(p, c, 2.5, QPointF(5, 0), QPointF(10, 0));
    p.restore();
}

void scannerHead(QPainter &p, QPointF c, qreal r, const QColor &body)
{
    // Cylindrical scan head seen from the side, with its window.
    shape(p, rounded(QRectF(c.x() - r, c.y() - r, 2 * r, 2.2 * r), r * 0.4), body);
    shape(p, rounded(QRectF(c.x() - r * 0.7, c.y() - r * 0.45, 1.4 * r, 0.7 * r), r * 0.2), QColor(0x26, 0x32, 0x38),
          Ink, 1.0);
}

void dbConnector(QPainter &p, const QColor &c)
{
    QPainterPath shell;
    shell.moveTo(4, 10);
    shell.lineTo(28, 10);
    shell.lineTo(25, 22);
    shell.lineTo(7, 22);
    shell.closeSubpath();
    shape(p, shell, c);
    p.setPen(Qt::NoPen);
    p.setBrush(Paper);
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QPointF(8.5 + i * 3.75, 14), 1.3, 1.3);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(10.4 + i * 3.75, 18.5), 1.3, 1.3);
}

void rj45(QPainter &p, const QColor &c)
{
    QPainterPath jack;
    jack.moveTo(6, 8);
    jack.lineTo(26, 8);
    jack.lineTo(26, 22);
    jack.lineTo(20, 22);
    jack.lineTo(20, 26);
    jack.lineTo(12, 26);
    jack.lineTo(12, 22);
    jack.lineTo(6, 22);
    jack.closeSubpath();
    shape(p, jack, c);
    for (int i = 0; i < 6; ++i)
        line(p, Yellow, 1.4, QPointF(9.5 + i * 2.6, 10), QPointF(9.5 + i * 2.6, 14));
}

void settingsBadge(QPainter &p) { gear(p, QPointF(24, 24), 7, Grey); }

void scanFan(QPainter &p, const QColor &fill, const QColor &edge)
{
    // The scanner's field of view: 270 degrees around the head, opening upwards.
    QPainterPath fan;
    const QPointF c(16, 20);
    fan.moveTo(c);
    fan.arcTo(QRectF(c.x() - 13, c.y() - 13, 26, 26), -45, 270);
    fan.closeSubpath();
    shape(p, fan, fill, edge, 1.5);
}

} // namespace

void addActionIcons(IconSet &set)
{
    set[QStringLiteral("newFile")] = {[](QPainter &p) {
        sheet(p, QRectF(6, 3, 18, 25));
        line(p, Green, 3, QPointF(22, 18), QPointF(22, 30));
        line(p, Green, 3, QPointF(16, 24), QPointF(28, 24));
    }};
    set[QStringLiteral("openFile")] = {folder};
    set[QStringLiteral("Save")] = {[](QPainter &p) { floppy(p, QRectF(4, 4, 24, 24)); }};
    set[QStringLiteral("saveAs")] = {[](QPainter &p) {
        floppy(p, QRectF(3, 3, 21, 21));
        // pencil
        p.save();
        p.translate(23, 23);
        p.rotate(-45);
        shape(p, rounded(QRectF(-3, -11, 6, 15), 0.5), Orange);
        QPainterPath tip;
        tip.moveTo(-3, 4);
        tip.lineTo(3, 4);
        tip.lineTo(0, 9);
        tip.closeSubpath();
        shape(p, tip, Paper, Ink, 1.2);
        p.restore();
    }};
    // The commissioning report: a written sheet with a zone on it, ticked off.
    set[QStringLiteral("exportReport")] = {[](QPainter &p) {
        sheet(p, QRectF(4, 3, 19, 25));
        for (const qreal y : {9.0, 13.0})
            line(p, Ink, 1.4, QPointF(8, y), QPointF(16, y));
        QPainterPath zone;
        zone.moveTo(13, 24);
        zone.lineTo(8, 18);
        zone.arcTo(QRectF(7, 15, 12, 12), 135, -90);
        zone.closeSubpath();
        shape(p, zone, Orange, Ink, 1.0);
        line(p, Green, 3, QPointF(19, 23), QPointF(22.5, 27));
        line(p, Green, 3, QPointF(22.5, 27), QPointF(29, 17));
    }};
    set[QStringLiteral("signout")] = {[](QPainter &p) {
        QPainterPath door;
        door.moveTo(17, 7);
        door.lineTo(17, 4);
        door.lineTo(5, 4);
        door.lineTo(5, 28);
        door.lineTo(17, 28);
        door.lineTo(17, 25);
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(Ink, 2.4));
        p.drawPath(door);
        line(p, Red, 3, QPointF(11, 16), QPointF(24, 16));
        arrowHead(p, Red, QPointF(20, 16), QPointF(30, 16), 9);
    }};
    set[QStringLiteral("undo")] = {[](QPainter &p) { curvedArrow(p, false); }};
    set[QStringLiteral("redo")] = {[](QPainter &p) { curvedArrow(p, true); }};
    set[QStringLiteral("copy")] = {pages};
    set[QStringLiteral("cut")] = {scissors};
    set[QStringLiteral("paste")] = {clipboard};
    set[QStringLiteral("delete")] = {[](QPainter &p) { bin(p, Red); }};
    set[QStringLiteral("deleteAll")] = {[](QPainter &p) {
        bin(p, Red);
        p.setBrush(Red);
        p.setPen(pen(Paper, 1.5));
        p.drawEllipse(QPointF(24, 24), 7, 7);
        line(p, Paper, 2, QPointF(21, 21), QPointF(27, 27));
        line(p, Paper, 2, QPointF(27, 21), QPointF(21, 27));
    }};
    set[QStringLiteral("settings")] = {[](QPainter &p) { gear(p, QPointF(16, 16), 13, Grey); }};
    set[QStringLiteral("distance")] = {[](QPainter &p) {
        scanFan(p, QColor(0x43, 0xa0, 0x47, 90), Green);
        scannerHead(p, QPointF(16, 19), 4, Grey);
    }};
    set[QStringLiteral("intensity")] = {[](QPainter &p) {
        const qreal heights[] = {8, 14, 22, 17, 11};
        for (int i = 0; i < 5; ++i)
            shape(p, rounded(QRectF(4 + i * 5, 28 - heights[i], 4, heights[i]), 0.8), Blue, Ink, 1.0);
        line(p, Ink, 1.6, QPointF(2, 29), QPointF(30, 29));
    }};
    set[QStringLiteral("dataTable")] = {[](QPainter &p) {
        shape(p, rounded(QRectF(3, 5, 26, 22), 2), Paper);
        shape(p, rounded(QRectF(3, 5, 26, 6), 1), Blue);
        for (qreal y : {16.0, 21.0})
            line(p, Ink, 1.2, QPointF(3, y), QPointF(29, y));
        for (qreal x : {11.0, 20.0})
            line(p, Ink, 1.2, QPointF(x, 5), QPointF(x, 27));
    }};
    set[QStringLiteral("edit")] = {[](QPainter &p) {
        p.save();
        p.translate(16, 16);
        p.rotate(45);
        shape(p, rounded(QRectF(-4, -14, 8, 20), 1), Orange);
        shape(p, rounded(QRectF(-4, -14, 8, 4), 1), Red);
        QPainterPath tip;
        tip.moveTo(-4, 6);
        tip.lineTo(4, 6);
        tip.lineTo(0, 13);
        tip.closeSubpath();
        shape(p, tip, Paper, Ink, 1.3);
        p.restore();
    }};
    set[QStringLiteral("monitor")] = {[](QPainter &p) {
        shape(p, rounded(QRectF(3, 4, 26, 18), 2), QColor(0x26, 0x32, 0x38));
        line(p, Ink, 2.2, QPointF(16, 22), QPointF(16, 27));
        line(p, Ink, 2.2, QPointF(9, 28), QPointF(23, 28));
        QPainterPath wave;
        wave.moveTo(6, 15);
        wave.lineTo(11, 15);
        wave.lineTo(14, 8);
        wave.lineTo(18, 19);
        wave.lineTo(21, 12);
        wave.lineTo(26, 12);
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(Green, 2));
        p.drawPath(wave);
    }};
    set[QStringLiteral("sensorSetting")] = {[](QPainter &p) {
        scannerHead(p, QPointF(12, 12), 8, Yellow);
        settingsBadge(p);
    }};
    set[QStringLiteral("ioSimulation")] = {[](QPainter &p) {
        shape(p, rounded(QRectF(8, 6, 16, 20), 2), Paper);
        for (int i = 0; i < 3; ++i) {
            const qreal y = 10 + i * 6;
            line(p, Green, 2, QPointF(2, y), QPointF(8, y));
            line(p, Orange, 2, QPointF(24, y), QPointF(30, y));
        }
        p.setBrush(Blue);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(16, 16), 4, 4);
    }};
    set[QStringLiteral("selfCheck")] = {[](QPainter &p) {
        QPainterPath shield;
        shield.moveTo(16, 3);
        shield.lineTo(27, 7);
        shield.cubicTo(27, 18, 22, 25, 16, 29);
        shield.cubicTo(10, 25, 5, 18, 5, 7);
        shield.closeSubpath();
        shape(p, shield, Green);
        QPainterPath tick;
        tick.moveTo(10, 16);
        tick.lineTo(14.5, 20.5);
        tick.lineTo(22, 11);
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(Paper, 3));
        p.drawPath(tick);
    }};
    set[QStringLiteral("serial")] = {[](QPainter &p) { dbConnector(p, Blue); }};
    set[QStringLiteral("ethernet")] = {[](QPainter &p) { rj45(p, Green); }};
    set[QStringLiteral("serialSetting")] = {[](QPainter &p) {
        p.save();
        p.translate(-3, -4);
        dbConnector(p, Blue);
        p.restore();
        settingsBadge(p);
    }};
    set[QStringLiteral("ethernetSetting")] = {[](QPainter &p) {
        p.save();
        p.translate(-4, -4);
        rj45(p, Green);
        p.restore();
        settingsBadge(p);
    }};
    set[QStringLiteral("connected")] = {[](QPainter &p) {
        plug(p, QPointF(13, 19), -45, Green);
        socket(p, QPointF(20, 12), -45, Green);
    }};
    set[QStringLiteral("disconnected")] = {[](QPainter &p) {
        plug(p, QPointF(10, 22), -45, Red);
        socket(p, QPointF(23, 9), -45, Red);
        line(p, Red, 2, QPointF(15, 9), QPointF(13, 5));
        line(p, Red, 2, QPointF(23, 17), QPointF(27, 19));
    }};
    set[QStringLiteral("upload")] = {[](QPainter &p) {
        shape(p, rounded(QRectF(4, 22, 24, 7), 2), Grey);
        line(p, Blue, 4, QPointF(16, 19), QPointF(16, 10));
        arrowHead(p, Blue, QPointF(16, 12), QPointF(16, 2), 11);
    }};
    set[QStringLiteral("download")] = {[](QPainter &p) {
        shape(p, rounded(QRectF(4, 22, 24, 7), 2), Grey);
        line(p, Green, 4, QPointF(16, 3), QPointF(16, 11));
        arrowHead(p, Green, QPointF(16, 10), QPointF(16, 20), 11);
    }};
    set[QStringLiteral("reboot")] = {[](QPainter &p) {
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(Orange, 3));
        p.drawArc(QRectF(5, 5, 22, 22), 120 * 16, 300 * 16);
        arrowHead(p, Orange, QPointF(6, 15), QPointF(9.5, 7.5), 8);
        line(p, Ink, 3, QPointF(16, 9), QPointF(16, 17));
    }};
    set[QStringLiteral("information")] = {[](QPainter &p) {
        p.setBrush(Blue);
        p.setPen(pen(Ink, 1.4));
        p.drawEllipse(QPointF(16, 16), 13, 13);
        p.setBrush(Paper);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(16, 9.5), 2.2, 2.2);
        p.drawRoundedRect(QRectF(14, 13, 4, 11), 1, 1);
    }};
    set[QStringLiteral("about")] = {[](QPainter &p) {
        p.setBrush(Green);
        p.setPen(pen(Ink, 1.4));
        p.drawEllipse(QPointF(16, 16), 13, 13);
        text(p, QRectF(3, 3, 26, 26), QStringLiteral("?"), Paper, 20);
    }};
    set[QStringLiteral("manual")] = {[](QPainter &p) {
        QPainterPath book;
        book.moveTo(16, 8);
        book.cubicTo(12, 5, 6, 5, 3, 7);
        book.lineTo(3, 27);
        book.cubicTo(6, 25, 12, 25, 16, 28);
        book.cubicTo(20, 25, 26, 25, 29, 27);
        book.lineTo(29, 7);
        book.cubicTo(26, 5, 20, 5, 16, 8);
        book.closeSubpath();
        shape(p, book, Paper);
        line(p, Ink, 1.4, QPointF(16, 8), QPointF(16, 28));
        for (qreal y : {12.0, 16.0, 20.0}) {
            line(p, Blue, 1.2, QPointF(6, y), QPointF(13, y));
            line(p, Blue, 1.2, QPointF(19, y), QPointF(26, y));
        }
    }};
    set[QStringLiteral("chinese")] = {[](QPainter &p) {
        shape(p, rounded(QRectF(2, 4, 28, 24), 3), Red);
        text(p, QRectF(2, 4, 28, 24), QStringLiteral("中"), Paper, 18);
    }};
    set[QStringLiteral("english")] = {[](QPainter &p) {
        shape(p, rounded(QRectF(2, 4, 28, 24), 3), Blue);
        text(p, QRectF(2, 4, 28, 24), QStringLiteral("EN"), Paper, 14);
    }};
    set[QStringLiteral("japanese")] = {[](QPainter &p) {
        shape(p, rounded(QRectF(2, 4, 28, 24), 3), Paper);
        p.setBrush(Red);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(16, 16), 6, 6);
    }};
    set[QStringLiteral("dispGraph")] = {[](QPainter &p) {
        QPainterPath area;
        area.moveTo(16, 27);
        area.lineTo(4, 14);
        area.lineTo(9, 6);
        area.lineTo(17, 9);
        area.lineTo(24, 4);
        area.lineTo(29, 15);
        area.closeSubpath();
        shape(p, area, QColor(0x43, 0xa0, 0x47, 110), Green, 1.6);
    }};
    set[QStringLiteral("dispCloud")] = {[](QPainter &p) {
        const QPointF pts[] = {{4, 14}, {6, 10}, {9, 6}, {13, 7.5}, {17, 9}, {20, 6}, {24, 4}, {26, 8}, {28, 12}, {29, 15}};
        p.setBrush(Green);
        p.setPen(Qt::NoPen);
        for (const QPointF &pt : pts)
            p.drawEllipse(pt, 1.8, 1.8);
        p.setBrush(Ink);
        p.drawEllipse(QPointF(16, 27), 2, 2);
    }};
    set[QStringLiteral("dispLine")] = {[](QPainter &p) {
        QPainterPath outline;
        outline.moveTo(4, 14);
        outline.lineTo(9, 6);
        outline.lineTo(17, 9);
        outline.lineTo(24, 4);
        outline.lineTo(29, 15);
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(Green, 2.2));
        p.drawPath(outline);
        p.setBrush(Ink);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(16, 27), 2, 2);
    }};
    set[QStringLiteral("dispIntrusions")] = {[](QPainter &p) {
        // A zone with the samples inside it marked.
        QPainterPath zone;
        zone.moveTo(16, 29);
        zone.lineTo(3, 16);
        zone.lineTo(8, 4);
        zone.lineTo(24, 4);
        zone.lineTo(29, 16);
        zone.closeSubpath();
        shape(p, zone, QColor(255, 255, 128), Ink, 1.4);
        const QPointF pts[] = {{10, 12}, {13.5, 10.5}, {17, 11}, {20.5, 13}};
        p.setBrush(QColor(255, 0, 0));
        p.setPen(pen(Ink, 1.0));
        for (const QPointF &pt : pts)
            p.drawEllipse(pt, 2.2, 2.2);
    }};
    set[QStringLiteral("compareScanner")] = {[](QPainter &p) {
        // The project's zone filled, the scanner's dashed over it, both
        // from the scanner below.
        QPainterPath project;
        project.moveTo(16, 28);
        project.lineTo(4, 15);
        project.lineTo(9, 5);
        project.lineTo(22, 5);
        project.lineTo(26, 14);
        project.closeSubpath();
        shape(p, project, Orange, Ink, 1.2);
        QPainterPath scanner;
        scanner.moveTo(16, 28);
        scanner.lineTo(7, 19);
        scanner.lineTo(10, 9);
        scanner.lineTo(25, 8);
        scanner.lineTo(29, 18);
        scanner.closeSubpath();
        QPen dashed = pen(Blue, 2.4);
        dashed.setDashPattern({2.0, 1.3});
        p.setBrush(Qt::NoBrush);
        p.setPen(dashed);
        p.drawPath(scanner);
        shape(p, rounded(QRectF(12, 25, 8, 6), 1.5), Grey, Ink, 1.2);
    }};
    set[QStringLiteral("vehicleFields")] = {[](QPainter &p) {
        // A vehicle from above with its scanner: the warning field, and the
        // protective field inside it, in front.
        QPainterPath warning;
        warning.addRect(QRectF(4, 2, 24, 16));
        shape(p, warning, QColor(0xff, 0xb3, 0x2e, 0x90), Orange, 1.4);
        QPainterPath protective;
        protective.addRect(QRectF(7, 9, 18, 9));
        shape(p, protective, QColor(0xe5, 0x39, 0x35, 0xa0), Red, 1.4);
        shape(p, rounded(QRectF(9, 18, 14, 12), 2), Blue, Ink, 1.2);
        shape(p, rounded(QRectF(13.5, 16.5, 5, 3.5), 1), Yellow, Ink, 1.0);
    }};
    set[QStringLiteral("writeDifferences")] = {[](QPainter &p) {
        // The download, for only what differs (a delta beside the arrow).
        shape(p, rounded(QRectF(4, 22, 24, 7), 2), Grey);
        line(p, Green, 4, QPointF(20, 3), QPointF(20, 11));
        arrowHead(p, Green, QPointF(20, 10), QPointF(20, 20), 11);
        QPainterPath delta;
        delta.moveTo(8.5, 4);
        delta.lineTo(14, 16);
        delta.lineTo(3, 16);
        delta.closeSubpath();
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(Orange, 2.4));
        p.drawPath(delta);
    }};
    set[QStringLiteral("networkCard")] = {[](QPainter &p) {
        shape(p, rounded(QRectF(3, 7, 26, 15), 1.5), Green);
        for (int i = 0; i < 6; ++i)
            shape(p, rounded(QRectF(6 + i * 3.7, 22, 2.4, 5), 0), Yellow, Ink, 0.8);
        shape(p, rounded(QRectF(17, 10, 9, 8), 1), Grey, Ink, 1.0);
        shape(p, rounded(QRectF(6, 10, 7, 5), 1), QColor(0x26, 0x32, 0x38), Ink, 1.0);
    }};
    set[QStringLiteral("commLog")] = {[](QPainter &p) {
        sheet(p, QRectF(5, 3, 22, 26));
        for (int i = 0; i < 4; ++i)
            line(p, i % 2 ? Green : Blue, 1.6, QPointF(9, 11 + i * 4.5), QPointF(i % 2 ? 19 : 23, 11 + i * 4.5));
    }};
    set[QStringLiteral("Refresh")] = {[](QPainter &p) {
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(Blue, 3));
        p.drawArc(QRectF(6, 6, 20, 20), 30 * 16, 150 * 16);
        p.drawArc(QRectF(6, 6, 20, 20), 210 * 16, 150 * 16);
        arrowHead(p, Blue, QPointF(26, 11), QPointF(25.5, 18), 8);
        arrowHead(p, Blue, QPointF(6, 21), QPointF(6.5, 14), 8);
    }};
    // Recordings: a tape cassette to open one, a red dot to record, a square to stop.
    set[QStringLiteral("openRecording")] = {[](QPainter &p) {
        shape(p, rounded(QRectF(3, 7, 26, 18), 2.5), Grey);
        shape(p, rounded(QRectF(7, 10, 18, 8), 1.5), Paper, Ink, 1.2);
        for (const qreal x : {11.5, 20.5}) {
            p.setBrush(Ink);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(x, 14), 2.2, 2.2);
        }
        QPainterPath foot;
        foot.moveTo(9, 25);
        foot.lineTo(11, 21);
        foot.lineTo(21, 21);
        foot.lineTo(23, 25);
        shape(p, foot, Grey, Ink, 1.2);
    }};
    set[QStringLiteral("startRecording")] = {[](QPainter &p) {
        recorderButton(p);
        p.setBrush(Red);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(16, 16), 7.5, 7.5);
    }};
    set[QStringLiteral("stopRecording")] = {[](QPainter &p) {
        recorderButton(p);
        shape(p, rounded(QRectF(10.5, 10.5, 11, 11), 1.5), Ink, Ink, 1.0);
    }};
    set[QStringLiteral("zoomIn")] = {[](QPainter &p) {
        p.setBrush(Paper);
        p.setPen(pen(Ink, 2.4));
        p.drawEllipse(QPointF(13, 13), 9, 9);
        line(p, Ink, 4, QPointF(20, 20), QPointF(28, 28));
        line(p, Blue, 2.4, QPointF(9, 13), QPointF(17, 13));
        line(p, Blue, 2.4, QPointF(13, 9), QPointF(13, 17));
    }};
    set[QStringLiteral("zoomOut")] = {[](QPainter &p) {
        p.setBrush(Paper);
        p.setPen(pen(Ink, 2.4));
        p.drawEllipse(QPointF(13, 13), 9, 9);
        line(p, Ink, 4, QPointF(20, 20), QPointF(28, 28));
        line(p, Blue, 2.4, QPointF(9, 13), QPointF(17, 13));
    }};
}

} // namespace IconKit
