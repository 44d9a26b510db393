#include "coord_table.h"

#include "coordsection.h"
#include "editdata.h"
#include "polar.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>

#include <cmath>

namespace {

const char *const kCartesianHeaders[2][3] = {{"点数", "X坐标[mm]", "Y坐标[mm]"}, {"Point", "X [mm]", "Y [mm]"}};
const char *const kPolarHeaders[2][3] = {{"点数", "距离[mm]", "角度[deg]"}, {"Point", "R [mm]", "Th [deg]"}};

void setRow(QTableWidget *table, int row, const QString &x, const QString &y)
{
    table->setItem(row, 0, new QTableWidgetItem(QString::number(row + 1)));
    table->setItem(row, 1, new QTableWidgetItem(x));
    table->setItem(row, 2, new QTableWidgetItem(y));
}

QString general(float value) { return QString::number(double(value), 'g', 6); }

} // namespace

COORD_TABLE::COORD_TABLE(EditData *Data, QTableWidget *CoordTableWidgetOut1, QTableWidget *CoordTableWidgetOut2,
                         QTableWidget *CoordTableWidgetOut3, QTableWidget *PolarTableWidgeOut1,
                         QTableWidget *PolarTableWidgeOut2, QTableWidget *PolarTableWidgeOut3, QWidget *parent)
    : QTableWidget(parent), m_data(Data),
      m_cartesian{CoordTableWidgetOut1, CoordTableWidgetOut2, CoordTableWidgetOut3},
      m_polar{PolarTableWidgeOut1, PolarTableWidgeOut2, PolarTableWidgeOut3}
{
    for (int polar = 0; polar < 2; ++polar) {
        for (int output = 0; output < EditData::OutputCount; ++output) {
            QTableWidget *t = table(output, polar);
            t->setColumnCount(3);
            t->setRowCount(1);
            setRow(t, 0, QStringLiteral("0"), QStringLiteral("0"));
            t->setColumnWidth(0, 40);
            t->setColumnWidth(1, 80);
            t->horizontalHeader()->setStretchLastSection(true);
            t->horizontalHeader()->setDefaultAlignment(Qt::AlignJustify);
            t->verticalHeader()->hide();
            t->setSelectionBehavior(QAbstractItemView::SelectRows);
            t->installEventFilter(this);
            connectTable(output, polar);
        }
    }
    SetHeaderLanguage(0);
}

void COORD_TABLE::SetHeaderLanguage(int LanguageFlag)
{
    const int language = LanguageFlag == 1 ? 1 : 0;
    for (int output = 0; output < EditData::OutputCount; ++output) {
        QStringList cartesian, polar;
        for (int column = 0; column < 3; ++column) {
            cartesian << QString::fromUtf8(kCartesianHeaders[language][column]);
            polar << QString::fromUtf8(kPolarHeaders[language][column]);
        }
        m_cartesian[output]->setHorizontalHeaderLabels(cartesian);
        m_polar[output]->setHorizontalHeaderLabels(polar);
    }
}

void COORD_TABLE::WriteCoordSection(QTextStream &out) const { writeCoordSection(out, *m_data); }
void COORD_TABLE::ReadCoordSection(QTextStream &in) { readCoordSection(in, *m_data); }

void COORD_TABLE::connectTable(int output, bool polar)
{
    using Slot = void (COORD_TABLE::*)(QTableWidgetItem *);
    static const Slot editSlots[2][3] = {
        {&COORD_TABLE::CoordTable1EditSlots, &COORD_TABLE::CoordTable2EditSlots, &COORD_TABLE::CoordTable3EditSlots},
        {&COORD_TABLE::PolarTable1EditSlots, &COORD_TABLE::PolarTable2EditSlots, &COORD_TABLE::PolarTable3EditSlots}};
    m_connections[polar * 3 + output] = connect(table(output, polar), &QTableWidget::itemChanged, this,
                                                editSlots[polar][output]);
}

void COORD_TABLE::refill(int output, bool polar)
{
    QTableWidget *t = table(output, polar);
    // A refill is not an edit: detach the edit slot while the items change.
    disconnect(m_connections[polar * 3 + output]);
    const AreaRecord &area = m_data->currentArea();
    const QVector<QPoint> &points = area.points(output);
    const bool entryRow = area.shape(output) == Polygon;
    t->setRowCount(points.size() + (entryRow ? 1 : 0));
    for (int row = 0; row < points.size(); ++row) {
        const QPoint &p = points.at(row);
        if (polar) {
            const PolarPoint pp = toPolar(p);
            setRow(t, row, general(pp.distance), general(pp.angle * kRadToDeg));
        } else {
            setRow(t, row, QString::number(p.x()), QString::number(p.y()));
        }
    }
    if (entryRow)
        setRow(t, points.size(), QStringLiteral("0"), QStringLiteral("0"));
    connectTable(output, polar);
}

void COORD_TABLE::refillOutput(int output)
{
    refill(output, false);
    refill(output, true);
}

void COORD_TABLE::CoordTableWidgeUpdate()
{
    for (int polar = 0; polar < 2; ++polar) {
        for (int output = 0; output < EditData::OutputCount; ++output)
            refill(output, polar);
    }
}

float COORD_TABLE::cellNumber(const QString &text)
{
    bool ok = false;
    const float value = text.toFloat(&ok);
    return ok && std::isfinite(value) ? value : 0.0f;
}

int COORD_TABLE::roundCartesian(float value)
{
    // Beyond the int range a cast is undefined; clamp first (a typed 1e20 is a
    // typing error, not a point).
    const float limit = 2147483520.0f;
    if (value >= limit)
        return 2147483647;
    if (value <= -limit)
        return -2147483647 - 1;
    const float truncated = std::trunc(value);
    const int t = static_cast<int>(truncated);
    return value - truncated >= 0.5f ? t + 1 : t;
}

void COORD_TABLE::cartesianEdit(int output, QTableWidgetItem *item)
{
    AreaRecord &area = m_data->currentArea();
    QVector<QPoint> &points = area.points(output);
    const int row = item->row();
    const int column = item->column();
    const float number = cellNumber(item->text());
    const int value = roundCartesian(number);
    if (row >= 0 && row < points.size()) {
        if (column == 1)
            points[row].setX(value);
        else if (column == 2)
            points[row].setY(value);
        afterPointEdit(output, row);
    } else if (area.shape(output) == Polygon && number != 0.0f) {
        // The entry row: a vertex with the typed component, the other one 0.
        points.append(QPoint(column == 1 ? value : 0, column == 2 ? value : 0));
    }
    refillOutput(output);
    emit CoordTableEditSignal();
}

void COORD_TABLE::polarEdit(int output, QTableWidgetItem *item)
{
    AreaRecord &area = m_data->currentArea();
    QVector<QPoint> &points = area.points(output);
    const int row = item->row();
    const int column = item->column();
    const float number = cellNumber(item->text());
    if (row >= 0 && row < points.size()) {
        PolarPoint pp = toPolar(points.at(row));
        if (column == 1)
            pp.distance = number;
        else if (column == 2)
            pp.angle = number * kDegToRad;
        points[row] = fromPolar(pp.distance, pp.angle);
        afterPointEdit(output, row);
    } else if (area.shape(output) == Polygon && number != 0.0f) {
        if (column == 1)
            points.append(fromPolar(number, 0.0f));
        else if (column == 2)
            points.append(fromPolar(20.0f, number * kDegToRad)); // 20 mm out in that direction
    }
    refillOutput(output);
    emit CoordTableEditSignal();
}

void COORD_TABLE::afterPointEdit(int output, int row)
{
    AreaRecord &area = m_data->currentArea();
    QVector<QPoint> &p = area.points(output);
    const int kind = area.shape(output);
    if (kind == Arc && p.size() == 2 && (row == 0 || row == 1)) {
        // Both ends share the edited end's distance; the other keeps its direction.
        const int other = 1 - row;
        p[other] = fromPolar(toPolar(p.at(row)).distance, toPolar(p.at(other)).angle);
    } else if (kind == Rectangle && p.size() == 4 && row >= 0 && row <= 3) {
        // P0 (x0,y0), P1 (x0,y1), P2 (x1,y1), P3 (x1,y0): the neighbours follow.
        switch (row) {
        case 0:
            p[1].setX(p[0].x());
            p[3].setY(p[0].y());
            break;
        case 1:
            p[0].setX(p[1].x());
            p[2].setY(p[1].y());
            break;
        case 2:
            p[3].setX(p[2].x());
            p[1].setY(p[2].y());
            break;
        case 3:
            p[2].setX(p[3].x());
            p[0].setY(p[3].y());
            break;
        }
    }
    if (output == 0)
        return;
    // A dependent form's single point stays on the forward axis.
    for (int out = 1; out < EditData::OutputCount; ++out) {
        QVector<QPoint> &points = area.points(out);
        if (points.size() == 1 && isDependentShape(area.shape(out)))
            points[0].setX(0);
    }
}

void COORD_TABLE::CoordTable1EditSlots(QTableWidgetItem *Item) { cartesianEdit(0, Item); }
void COORD_TABLE::CoordTable2EditSlots(QTableWidgetItem *Item) { cartesianEdit(1, Item); }
void COORD_TABLE::CoordTable3EditSlots(QTableWidgetItem *Item) { cartesianEdit(2, Item); }
void COORD_TABLE::PolarTable1EditSlots(QTableWidgetItem *Item) { polarEdit(0, Item); }
void COORD_TABLE::PolarTable2EditSlots(QTableWidgetItem *Item) { polarEdit(1, Item); }
void COORD_TABLE::PolarTable3EditSlots(QTableWidgetItem *Item) { polarEdit(2, Item); }

void COORD_TABLE::deleteKey(int output, bool polar)
{
    AreaRecord &area = m_data->currentArea();
    QVector<QPoint> &points = area.points(output);
    if (area.shape(output) != Polygon || (output == 0 && points.isEmpty()))
        return;
    const int row = table(output, polar)->currentRow();
    if (row >= points.size())
        return; // the entry row holds no point
    if (row >= 0)
        points.removeAt(row);
    refillOutput(output);
    emit CoordTableEditSignal();
}

bool COORD_TABLE::eventFilter(QObject *watched, QEvent *event)
{
    for (int polar = 0; polar < 2; ++polar) {
        for (int output = 0; output < EditData::OutputCount; ++output) {
            if (watched != table(output, polar))
                continue;
            if (event->type() != QEvent::KeyPress)
                return QTableWidget::eventFilter(watched, event);
            if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete)
                deleteKey(output, polar);
            return true; // the tables take no other keys
        }
    }
    return QTableWidget::eventFilter(watched, event);
}
