#include "option_scene.h"

#include "devicetype.h"
#include "editdata.h"
#include "livescan.h"
#include "paint_out1.h"
#include "paint_out2.h"
#include "paint_out3.h"
#include "paint_intrusion.h"
#include "paint_outline.h"
#include "paint_scannerzones.h"
#include "paint_strength.h"
#include "point_point.h"
#include "point_ratio.h"
#include "polar.h"
#include "zonegeometry.h"

#include <QGraphicsScene>
#include <QTransform>

OPTION_SCENE::OPTION_SCENE(int *deviceClass, QGraphicsScene *scene, EditData *data, LinkState *link,
                           QList<QGraphicsItem *> *zoneItems, QObject *parent)
    : QObject(parent), Data(data), Link(link), Scene(scene), ZoneItems(zoneItems)
{
    applySceneSize(deviceClass ? *deviceClass : -1);
    Scene->setSceneRect(-SceneWidth / 2, -SceneHeight / 2, SceneWidth, SceneHeight);

    PaintOut1 = new PAINT_OUT1(SceneWidth, SceneHeight, Data);
    PaintOut2 = new PAINT_OUT2(SceneWidth, SceneHeight, Data);
    PaintOut3 = new PAINT_OUT3(SceneWidth, SceneHeight, Data);
    PaintOutline = new PAINT_OUTLINE(SceneWidth, SceneHeight, Link, &Scale);
    PaintStrength = new PAINT_STRENGTH(SceneWidth, SceneHeight, Link, &Scale);
    // Shown only when asked for, over a running live display.
    PaintIntrusion = new PAINT_INTRUSION(SceneWidth, SceneHeight, Data, Link);
    PaintIntrusion->hide();
    for (QGraphicsItem *item : {static_cast<QGraphicsItem *>(PaintOut1), static_cast<QGraphicsItem *>(PaintOut2),
                                static_cast<QGraphicsItem *>(PaintOut3), static_cast<QGraphicsItem *>(PaintOutline),
                                static_cast<QGraphicsItem *>(PaintStrength),
                                static_cast<QGraphicsItem *>(PaintIntrusion)}) {
        Scene->addItem(item);
        item->setPos(0, 0);
        ZoneItems->append(item);
    }

    // Not a zone item: it takes no clicks, so the zones beneath pan the view.
    PaintScannerZones = new PAINT_SCANNERZONES(SceneWidth, SceneHeight, Data);
    Scene->addItem(PaintScannerZones);

    Data->SceneWidth = SceneWidth;
    Data->SceneHeight = SceneHeight;

    AddCenterPointItemSlots();

    connect(PaintOut1, &PAINT_OUT1::PaintOut1Path, PaintOut2, &PAINT_OUT2::PaintOut1Path, Qt::DirectConnection);
    connect(PaintOut2, &PAINT_OUT2::PaintOut2Path, PaintOut3, &PAINT_OUT3::PaintOut2Path, Qt::DirectConnection);
}

// The painters belong to the graphics scene; the handles are ours, unless
// the scene went first and took them with it.
OPTION_SCENE::~OPTION_SCENE()
{
    if (Scene)
        clearHandles();
}

void OPTION_SCENE::applySceneSize(int deviceClass)
{
    if (!DeviceClasses::isValid(deviceClass))
        return;
    const int size = static_cast<int>(DeviceClasses::sceneExtent(deviceClass));
    SceneWidth = size;
    SceneHeight = size;
}

void OPTION_SCENE::SetDeviceClass(int *deviceClass)
{
    applySceneSize(deviceClass ? *deviceClass : -1);
    Scene->setSceneRect(-SceneWidth / 2, -SceneHeight / 2, SceneWidth, SceneHeight);
    PaintOut1->setSize(SceneWidth, SceneHeight);
    PaintOut2->setSize(SceneWidth, SceneHeight);
    PaintOut3->setSize(SceneWidth, SceneHeight);
    PaintOutline->setSize(SceneWidth, SceneHeight);
    PaintStrength->setSize(SceneWidth, SceneHeight);
    PaintIntrusion->setSize(SceneWidth, SceneHeight);
    PaintScannerZones->setSize(SceneWidth, SceneHeight);
    Data->SceneWidth = SceneWidth;
    Data->SceneHeight = SceneHeight;
}

int OPTION_SCENE::currentShape() const
{
    return Data->currentArea().shape(Data->currentOutputIndex());
}

void OPTION_SCENE::UpdataPaintOutline()
{
    PaintOutline->update();
    // A new scan, or zones edited: what lies inside them changes either way.
    PaintIntrusion->invalidate();
    // Another area may be current.
    if (!PaintScannerZones->areas().isEmpty())
        PaintScannerZones->update();
}

void OPTION_SCENE::setScannerAreas(const QVector<AreaRecord> &areas) { PaintScannerZones->setAreas(areas); }

QRectF OPTION_SCENE::fitRect() const
{
    QRectF r;
    for (const ZoneGeometry::Zone &z : ZoneGeometry::areaZones(Data->currentArea(), SceneWidth, SceneHeight))
        if (z.drawn)
            r = r.united(QTransform::fromScale(z.scale, z.scale).map(z.path).boundingRect());
    if (r.isNull() && Link && PaintOutline->isVisible()) {
        QPolygonF points;
        LiveScan::modelSamples(*Link, points);
        points.append(QPointF(0, 0)); // the scanner counts as well
        r = points.boundingRect();
        r = QRectF(r.left(), -r.bottom(), r.width(), r.height()); // y down
    }
    return r.isNull() ? QRectF(-SceneWidth / 2.0, -SceneHeight / 2.0, SceneWidth, SceneHeight) : r;
}

void OPTION_SCENE::UpdataPaintIntensity() { PaintStrength->update(); }

void OPTION_SCENE::PaintOutItemSetZValue()
{
    static const int z[3][3] = {{3, 2, 1}, {2, 3, 1}, {1, 2, 3}};
    const int out = Data->CurrentOutput;
    if (out < 0 || out > 2)
        return;
    PaintOut1->setZValue(z[out][0]);
    PaintOut2->setZValue(z[out][1]);
    PaintOut3->setZValue(z[out][2]);
}

void OPTION_SCENE::AddCenterPointItemSlots()
{
    QGraphicsItem *top = Scene->itemAt(QPointF(0, 0), QTransform());
    if (!top || !ZoneItems->contains(top) || currentShape() != Polygon)
        return;
    auto *handle = new POINT_POINT(&Scale);
    handle->setPos(0, 0);
    Scene->addItem(handle);
    PointItems.append(handle);
}

void OPTION_SCENE::clearHandles()
{
    const QList<QGraphicsItem *> old = PointItems;
    PointItems.clear();
    qDeleteAll(old);
}

void OPTION_SCENE::CoordTableUpdatePointItem()
{
    clearHandles();
    const int out = Data->currentOutputIndex();
    const AreaRecord &area = Data->currentArea();
    const bool bars = out > 0 && isDependentShape(area.shape(out));
    for (const QPoint &p : area.points(out)) {
        QGraphicsItem *handle = bars ? static_cast<QGraphicsItem *>(new POINT_RATIO(&Scale))
                                     : static_cast<QGraphicsItem *>(new POINT_POINT(&Scale));
        handle->setPos(p.x(), -p.y());
        Scene->addItem(handle);
        PointItems.append(handle);
    }
    PaintOutItemSetZValue();
    AddCenterPointItemSlots();
}

void OPTION_SCENE::PointItemUpdateCoordTable()
{
    // Only a polygon has the origin handle, which stands for its fixed first
    // and last vertex and is never stored. A bar pushed down to the scanner's
    // row sits at the origin too, and must keep its point.
    const bool polygon = currentShape() == Polygon;
    QVector<QPoint> &points = Data->currentArea().points(Data->currentOutputIndex());
    points.clear();
    for (QGraphicsItem *handle : qAsConst(PointItems)) {
        const QPointF pos = handle->pos();
        if (polygon && pos.x() == 0 && pos.y() == 0)
            continue;
        points.append(QPoint(ZoneGeometry::truncToInt(pos.x()), ZoneGeometry::truncToInt(-pos.y())));
    }
    emit PointItemChannelSignal();
}

void OPTION_SCENE::ChangeScaleSize(double scale)
{
    Scale = scale;
    // The handles' bounds are in scene units divided by the scale; tell the
    // scene's index, or hit-testing uses the size from the old zoom.
    for (QGraphicsItem *handle : qAsConst(PointItems)) {
        if (auto *p = dynamic_cast<POINT_POINT *>(handle))
            p->scaleChanged();
        else if (auto *r = dynamic_cast<POINT_RATIO *>(handle))
            r->scaleChanged();
    }
}

void OPTION_SCENE::MovePointItemSlots(QGraphicsItem *Item)
{
    // A handle that is no longer ours (already deleted) changes nothing.
    if (!Item || !PointItems.contains(Item))
        return;
    const int shape = currentShape();
    if (shape == Polygon || (Data->currentOutputIndex() > 0 && isDependentShape(shape)))
        PointItemUpdateCoordTable();
    else
        applyLinkedPointRule(Item);
}

void OPTION_SCENE::applyLinkedPointRule(QGraphicsItem *item)
{
    const int shape = currentShape();
    QVector<QPoint> &points = Data->currentArea().points(Data->currentOutputIndex());
    const int i = PointItems.indexOf(item);
    const QPoint dragged(ZoneGeometry::truncToInt(item->pos().x()), ZoneGeometry::truncToInt(-item->pos().y()));

    if (shape == Arc && points.size() == 2) {
        if (i == 0 || i == 1) {
            const int other = 1 - i;
            points[i] = dragged;
            const QPoint o = fromPolar(toPolar(dragged).distance, toPolar(points[other]).angle);
            points[other] = o;
            if (other < PointItems.size())
                PointItems[other]->setPos(o.x(), -o.y());
        }
        emit PointItemChannelSignal();
    } else if (shape == Rectangle && points.size() == 4) {
        if (i >= 0 && i < 4) {
            // Corners 0-1 and 2-3 share x, 1-2 and 3-0 share y.
            static const int sharesX[4] = {1, 0, 3, 2};
            static const int sharesY[4] = {3, 2, 1, 0};
            points[i] = dragged;
            points[sharesX[i]].setX(dragged.x());
            points[sharesY[i]].setY(dragged.y());
            if (sharesX[i] < PointItems.size())
                PointItems[sharesX[i]]->setX(dragged.x());
            if (sharesY[i] < PointItems.size())
                PointItems[sharesY[i]]->setY(-dragged.y());
        }
        emit PointItemChannelSignal();
    }
}

void OPTION_SCENE::DeletePointItemSlots(QGraphicsItem *Item)
{
    if (currentShape() != Polygon)
        return;
    const int i = Item ? PointItems.indexOf(Item) : -1;
    if (i < 0)
        return;
    PointItems.removeAt(i);
    delete Item;
    PointItemUpdateCoordTable();
}
