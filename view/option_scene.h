#pragma once

#include "arearecord.h"

#include <QList>
#include <QVector>
#include <QObject>
#include <QPointer>
#include <QGraphicsScene>

class QGraphicsItem;
class PAINT_OUT1;
class PAINT_OUT2;
class PAINT_OUT3;
class PAINT_INTRUSION;
class PAINT_OUTLINE;
class PAINT_SCANNERZONES;
class PAINT_STRENGTH;
struct EditData;
struct LinkState;

// Controller of the editor's graphics scene: sizes it for the device class,
// owns the zone painters' stacking and keeps one handle per point of the
// current output of the current area, writing handle moves back to the model.
class OPTION_SCENE : public QObject
{
    Q_OBJECT
public:
    OPTION_SCENE(int *deviceClass, QGraphicsScene *scene, EditData *data, LinkState *link,
                 QList<QGraphicsItem *> *zoneItems, QObject *parent = nullptr);
    ~OPTION_SCENE() override;

    void SetDeviceClass(int *deviceClass);

    int sceneWidth() const { return SceneWidth; }
    int sceneHeight() const { return SceneHeight; }
    double scale() const { return Scale; }
    const QList<QGraphicsItem *> &handles() const { return PointItems; }
    PAINT_OUT1 *paintOut1() const { return PaintOut1; }
    PAINT_OUT2 *paintOut2() const { return PaintOut2; }
    PAINT_OUT3 *paintOut3() const { return PaintOut3; }
    PAINT_OUTLINE *paintOutline() const { return PaintOutline; }
    PAINT_STRENGTH *paintStrength() const { return PaintStrength; }
    PAINT_INTRUSION *paintIntrusion() const { return PaintIntrusion; }
    PAINT_SCANNERZONES *paintScannerZones() const { return PaintScannerZones; }
    // The zones a scanner holds, drawn dashed over the project's for the
    // current area; an empty list takes them away.
    void setScannerAreas(const QVector<AreaRecord> &areas);
    // What a fit shows (scene coordinates): the current area's zones, else
    // the live scan while it is shown, else the whole scene.
    QRectF fitRect() const;

signals:
    void PointItemChannelSignal();

public slots:
    void UpdataPaintOutline();
    void UpdataPaintIntensity();
    void PaintOutItemSetZValue();
    void AddCenterPointItemSlots();
    void CoordTableUpdatePointItem();
    void PointItemUpdateCoordTable();
    void ChangeScaleSize(double scale);
    void MovePointItemSlots(QGraphicsItem *Item);
    void DeletePointItemSlots(QGraphicsItem *Item);

private:
    void applySceneSize(int deviceClass);
    int currentShape() const;
    void clearHandles();
    void applyLinkedPointRule(QGraphicsItem *item);

    int SceneWidth = 72000;
    int SceneHeight = 72000;
    double Scale = 1.0;
    EditData *Data;
    LinkState *Link;
    QPointer<QGraphicsScene> Scene; // not owned; may go first at shutdown
    QList<QGraphicsItem *> *ZoneItems;
    QList<QGraphicsItem *> PointItems;
    PAINT_OUT1 *PaintOut1;
    PAINT_OUT2 *PaintOut2;
    PAINT_OUT3 *PaintOut3;
    PAINT_OUTLINE *PaintOutline;
    PAINT_STRENGTH *PaintStrength;
    PAINT_INTRUSION *PaintIntrusion;
    PAINT_SCANNERZONES *PaintScannerZones;
};
