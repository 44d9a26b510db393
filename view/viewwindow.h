#pragma once

#include "labelcache.h"

#include <QGraphicsItem>
#include <QGraphicsView>
#include <QList>
#include <QPainterPath>
#include <QPixmap>
#include <QPointer>

class QGraphicsObject;

// The zoomable view of the area editor. Owns the zoom level, draws the
// measuring background and the metre labels, and turns mouse and key input
// into signals for the scene controller; it never changes the model itself.
class ViewWindow : public QGraphicsView
{
    Q_OBJECT
public:
    static constexpr int InitialZoomLevel = 70;
    static constexpr int MaxZoomLevel = 350;

    explicit ViewWindow(QWidget *parent = nullptr);

    void SetDeviceClass(int *deviceClass);

    int zoomLevel() const { return ZoomLevel; }
    double scaleFactor() const { return Scale; }
    int sceneWidthMm() const { return SceneWidth; }
    int sceneHeightMm() const { return SceneHeight; }
    // The list the scene controller appends its painter items to.
    QList<QGraphicsItem *> *zoneItemList() { return &ZoneItems; }
    // True when the viewport is an OpenGL widget: a context can be made and
    // is drawn by a driver, or the setting asks for it (else raster).
    bool usesOpenGL() const { return OpenGLViewport; }

    // Minimum zoom level of a device class, or INT_MIN for none/invalid.
    static int minimumZoomLevel(int deviceClass);
    // Clamps `level` as a zoom change does and returns the resulting scale.
    static double scaleForLevel(int &level, const int *deviceClass);
    static int gridStep(double scale);
    static int labelStep(double scale);
    // First multiple of `step` at or towards zero from `v`, as the grid and
    // labels start: trunc(v - (trunc(v) mod step)).
    static int alignDown(double v, int step);
    // Smallest and largest range-circle radius that can show in `area`
    // (scene rectangle), as multiples of `step`.
    static QPair<int, int> rangeCircleRadii(const QRectF &area, int step);
    // The zoom level at which `size` (scene millimetres) fills the viewport
    // (pixels) with a border, clamped as every zoom is.
    static int fitLevel(const QSizeF &size, const QSize &viewport, const int *deviceClass);
    // "Grid: 1 m" and the like, in the language of the flag (0 Chinese, 1 English).
    static QString gridStepText(int stepMm, int languageFlag);
    // Zooms and centres on `sceneRect`; an empty one changes nothing.
    void fitTo(const QRectF &sceneRect);
    void setLanguage(int languageFlag);

    // The GL_RENDERER of a context this process can make; empty when the
    // platform gives none.
    static QString openGLRenderer();

signals:
    void ReleasePointItem();
    void MouseReleaseSignal();
    void AddCenterPointItem();
    void ChangeSetupMatrix(double scale);
    void CurrentCoordSignal(QPoint coord);
    void DeletePointItem(QGraphicsItem *item);
    void MovePointItem(QGraphicsItem *item);
    void ChangeMatrixSignal(int level);

public slots:
    void ZoomInButtonSlots();
    void ZoomOutButtonSlots();
    void ChangeSetupMatrix(int level);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void applyZoom();
    void rememberPressed(QGraphicsItem *item);
    // The remembered item while it still exists, else null.
    QGraphicsItem *livePressedItem() const;
    const QPainterPath &outOfViewRegion();

    int ZoomLevel = InitialZoomLevel;
    double Scale = 1.0;
    QList<QGraphicsItem *> ZoneItems;
    int *DeviceClass = nullptr;
    int SceneWidth = 72000;
    int SceneHeight = 72000;
    QGraphicsItem *PressedItem = nullptr;
    QPointer<QGraphicsObject> PressedGuard;
    bool PressedIsObject = false;
    bool OpenGLViewport = false;
    int Language = 0;
    QPainterPath OutOfView;
    QSizeF OutOfViewSize;
    LabelCache Labels;
    QPixmap Badge;
    QString BadgeText;
    QFont BadgeFont;
};
