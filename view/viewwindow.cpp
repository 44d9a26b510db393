#include "viewwindow.h"

#include "devicetype.h"
#include "viewportchoice.h"
#include "zonegeometry.h"
#include "zonepainting.h"

#include <QGraphicsObject>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <climits>
#include <cmath>

namespace {
// Minimum zoom level per device class; the exponent there is (level - 250) / 50.
constexpr int kMinimumLevel[DeviceClasses::Count] = {70, 30, -20, -55, -90};

using ZoneGeometry::truncToInt;

// trunc(d - (trunc(d) mod s)): the multiple of s next to d towards zero.
int reduceToStep(double d, int s) { return truncToInt(d - (truncToInt(d) % s)); }
} // namespace

ViewWindow::ViewWindow(QWidget *parent) : QGraphicsView(parent)
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setRenderHint(QPainter::Antialiasing, false);
    setDragMode(ScrollHandDrag);
    setOptimizationFlag(DontSavePainterState);
    setTransformationAnchor(AnchorUnderMouse);
    if (ViewportChoice::useOpenGL(ViewportChoice::configured(), openGLRenderer())) {
        auto *gl = new QOpenGLWidget;
        QSurfaceFormat format = gl->format();
        format.setSamples(4);
        gl->setFormat(format);
        // Keep the frame buffer between frames: minimal updates repaint only
        // the exposed part, and the rest must still be there.
        gl->setUpdateBehavior(QOpenGLWidget::PartialUpdate);
        setViewport(gl);
        OpenGLViewport = true;
    } else {
        // The cached background covers every pixel of every repaint: filling
        // the viewport beforehand would only be painted over.
        viewport()->setAutoFillBackground(false);
        viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    }
    setViewportUpdateMode(MinimalViewportUpdate);
    // The grid, range circles and blind sector change only with the zoom, the
    // scroll position and the size: a live scan arriving 15 times a second
    // blits them instead of drawing them again.
    setCacheMode(CacheBackground);
    applyZoom();
}

QString ViewWindow::openGLRenderer()
{
    static bool probed = false;
    static QString renderer;
    if (probed)
        return renderer;
    probed = true;
    // These platforms report OpenGL but cannot give a context (or crash trying).
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform.startsWith(QLatin1String("minimal"))
        || platform == QLatin1String("vnc") || platform == QLatin1String("linuxfb"))
        return renderer;
    QOpenGLContext context;
    if (!context.create())
        return renderer;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return renderer;
    const GLubyte *name = context.functions()->glGetString(GL_RENDERER);
    renderer = name ? QString::fromLatin1(reinterpret_cast<const char *>(name)) : QString();
    // A context without a name still works: call it something.
    if (renderer.isEmpty())
        renderer = QStringLiteral("unknown");
    context.doneCurrent();
    return renderer;
}

int ViewWindow::minimumZoomLevel(int deviceClass)
{
    return DeviceClasses::isValid(deviceClass) ? kMinimumLevel[deviceClass] : INT_MIN;
}

double ViewWindow::scaleForLevel(int &level, const int *deviceClass)
{
    if (level > MaxZoomLevel)
        level = MaxZoomLevel;
    const int minimum = deviceClass ? minimumZoomLevel(*deviceClass) : INT_MIN;
    if (level < minimum)
        level = minimum;
    return std::pow(2.0, (level - 250) / 50.0);
}

int ViewWindow::gridStep(double scale)
{
    if (scale > 3.5)
        return 10;
    if (scale > 0.378929)
        return 100;
    if (scale > 0.0544094)
        return 1000;
    return 10000;
}

int ViewWindow::labelStep(double scale)
{
    if (scale > 3.5)
        return 50;
    if (scale > 0.378929)
        return 100;
    if (scale > 0.0544094)
        return 1000;
    return 10000;
}

int ViewWindow::alignDown(double v, int step) { return reduceToStep(v, step); }

QPair<int, int> ViewWindow::rangeCircleRadii(const QRectF &area, int step)
{
    const QRectF r = area.normalized();
    // Nearest point of the area to the origin, and its farthest corner.
    const double nx = qBound(r.left(), 0.0, r.right());
    const double ny = qBound(r.top(), 0.0, r.bottom());
    const double nearest = std::hypot(nx, ny);
    const double farthest = std::hypot(qMax(std::fabs(r.left()), std::fabs(r.right())),
                                       qMax(std::fabs(r.top()), std::fabs(r.bottom())));
    return qMakePair(reduceToStep(nearest, step), reduceToStep(farthest, step));
}

int ViewWindow::fitLevel(const QSizeF &size, const QSize &viewport, const int *deviceClass)
{
    // A tenth of the view stays free around what is fitted.
    const double w = qMax(size.width(), 1.0), h = qMax(size.height(), 1.0);
    const double scale = 0.9 * qMin(qMax(viewport.width(), 1) / w, qMax(viewport.height(), 1) / h);
    int level = static_cast<int>(std::floor(250.0 + 50.0 * std::log2(scale)));
    scaleForLevel(level, deviceClass);
    return level;
}

QString ViewWindow::gridStepText(int stepMm, int languageFlag)
{
    const QString step = stepMm >= 1000 ? QStringLiteral("%1 m").arg(stepMm / 1000)
                                        : QStringLiteral("%1 mm").arg(stepMm);
    return (languageFlag == 1 ? QStringLiteral("Grid: %1") : QStringLiteral("网格：%1")).arg(step);
}

void ViewWindow::fitTo(const QRectF &sceneRect)
{
    const QRectF r = sceneRect.normalized();
    if (r.isNull())
        return;
    ZoomLevel = fitLevel(r.size(), viewport()->size(), DeviceClass);
    applyZoom();
    centerOn(r.center());
    emit ChangeMatrixSignal(ZoomLevel);
}

void ViewWindow::setLanguage(int languageFlag)
{
    Language = languageFlag;
    viewport()->update();
}

void ViewWindow::SetDeviceClass(int *deviceClass)
{
    DeviceClass = deviceClass;
    if (deviceClass && DeviceClasses::isValid(*deviceClass)) {
        const int size = static_cast<int>(DeviceClasses::sceneExtent(*deviceClass));
        SceneWidth = size;
        SceneHeight = size;
        ZoomLevel = kMinimumLevel[*deviceClass];
    }
    // The blind sector and the range edge follow the class, even at an
    // unchanged zoom.
    resetCachedContent();
    applyZoom();
}

void ViewWindow::applyZoom()
{
    Scale = scaleForLevel(ZoomLevel, DeviceClass);
    setTransform(QTransform::fromScale(Scale, Scale));
    emit ChangeSetupMatrix(Scale);
}

void ViewWindow::ZoomInButtonSlots()
{
    ++ZoomLevel;
    applyZoom();
    emit ChangeMatrixSignal(ZoomLevel);
}

void ViewWindow::ZoomOutButtonSlots()
{
    --ZoomLevel;
    applyZoom();
    emit ChangeMatrixSignal(ZoomLevel);
}

void ViewWindow::ChangeSetupMatrix(int level)
{
    ZoomLevel = level;
    applyZoom();
}

void ViewWindow::wheelEvent(QWheelEvent *event)
{
    ZoomLevel += event->angleDelta().y() > 0 ? 10 : -10;
    applyZoom();
    emit ChangeMatrixSignal(ZoomLevel);
    event->accept();
}

void ViewWindow::rememberPressed(QGraphicsItem *item)
{
    PressedItem = item;
    PressedGuard = item ? item->toGraphicsObject() : nullptr;
    PressedIsObject = PressedGuard != nullptr;
}

QGraphicsItem *ViewWindow::livePressedItem() const
{
    if (!PressedItem)
        return nullptr;
    // Handles are graphics objects: once the scene deletes one, the guard
    // clears and the stale pointer is never handed on (a new handle could
    // have been made at the same address).
    if (!PressedIsObject)
        return PressedItem;
    return PressedGuard ? PressedItem : nullptr;
}

void ViewWindow::mousePressEvent(QMouseEvent *event)
{
    QGraphicsItem *top = itemAt(event->pos());
    if (top && ZoneItems.contains(top)) {
        // A press on the zones pans the view (hand-scroll drag).
        setInteractive(false);
        rememberPressed(nullptr);
    } else {
        rememberPressed(top);
    }
    if (event->button() == Qt::RightButton && livePressedItem())
        emit DeletePointItem(PressedItem);
    QGraphicsView::mousePressEvent(event);
}

void ViewWindow::mouseReleaseEvent(QMouseEvent *event)
{
    setInteractive(true);
    QGraphicsItem *atOrigin = itemAt(mapFromScene(QPointF(0, 0)));
    if (atOrigin && ZoneItems.contains(atOrigin))
        emit AddCenterPointItem();
    if (PressedItem) {
        // Write the final position back before the undo snapshot is taken, so
        // the snapshot holds where the handle was let go.
        if (QGraphicsItem *item = livePressedItem())
            emit MovePointItem(item);
        emit ReleasePointItem();
    }
    emit MouseReleaseSignal();
    QGraphicsView::mouseReleaseEvent(event);
}

void ViewWindow::mouseMoveEvent(QMouseEvent *event)
{
    // Let the handle move first, then report it, so the model follows the
    // handle's position of this move rather than of the one before.
    QGraphicsView::mouseMoveEvent(event);
    if ((event->buttons() & Qt::LeftButton)) {
        if (QGraphicsItem *item = livePressedItem())
            emit MovePointItem(item);
    }
    const QPointF p = mapToScene(event->pos());
    emit CurrentCoordSignal(QPoint(qRound(p.x()), qRound(p.y())));
}

void ViewWindow::keyPressEvent(QKeyEvent *event)
{
    // Only Delete is handled; arrow keys must not scroll the editor.
    if (event->key() == Qt::Key_Delete) {
        if (QGraphicsItem *item = livePressedItem())
            emit DeletePointItem(item);
    }
}

const QPainterPath &ViewWindow::outOfViewRegion()
{
    const QSizeF size(SceneWidth, SceneHeight);
    if (size != OutOfViewSize) {
        const QRectF scene(-SceneWidth / 2.0, -SceneHeight / 2.0, SceneWidth, SceneHeight);
        QPainterPath all;
        all.addRect(scene);
        QPainterPath seen;
        seen.moveTo(0, 0);
        seen.arcTo(scene, -70, 320);
        seen.closeSubpath();
        OutOfView = all.subtracted(seen);
        OutOfViewSize = size;
    }
    return OutOfView;
}

void ViewWindow::drawBackground(QPainter *painter, const QRectF &rect)
{
    // Scrolling moves the cached background and asks only for the strip
    // that came into view; that strip still holds the pixels that were there
    // before, which the translucent parts would blend with. Start it clean.
    painter->fillRect(rect, viewport()->palette().brush(viewport()->backgroundRole()));
    const int s = gridStep(Scale);
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setPen(QPen(QBrush(Qt::gray), static_cast<int>(1.2 / Scale)));
    painter->setBrush(Qt::NoBrush);

    // The view's extent, a few pixels wider on every side: lines must not
    // end inside what a later scroll brings into view, or the end drawn now
    // would stay there in the cache while the strip beside it is drawn anew.
    const double margin = 4.0 / Scale;
    const QRectF area = QRectF(mapToScene(QPoint(0, 0)), mapToScene(QPoint(width(), height())))
                            .normalized()
                            .united(rect)
                            .adjusted(-margin, -margin, margin, margin);
    const double left = area.left(), right = area.right();
    const double top = area.top(), bottom = area.bottom();
    const int iTop = truncToInt(top), iBottom = truncToInt(bottom);
    const int iLeft = truncToInt(left), iRight = truncToInt(right);

    const int x0 = reduceToStep(left, s);
    for (double x = x0; x <= right; x += s)
        painter->drawLine(QLineF(x, iTop, x, iBottom));
    const int y0 = reduceToStep(top, s);
    for (double y = y0; y <= bottom; y += s)
        painter->drawLine(QLineF(iLeft, y, iRight, y));

    // Only the circles that can cross the exposed part: a partial repaint
    // must draw the same circles there as a full one.
    const QRectF exposed = rect.intersected(area);
    if (!exposed.isEmpty()) {
        const QPair<int, int> radii = rangeCircleRadii(exposed, s);
        for (int r = radii.second; r >= radii.first && r > 0; r -= s)
            painter->drawEllipse(QRect(QPoint(-r, -r), QPoint(r - 1, r - 1)));
    }

    painter->setPen(QPen(QBrush(Qt::black), static_cast<int>(2 / Scale)));
    painter->drawLine(QLineF(0, iTop, 0, iBottom));
    painter->drawLine(QLineF(iLeft, 0, iRight, 0));

    // Grey the blind wedge behind the scanner and everything out of range.
    ZonePainting::fillPath(painter, outOfViewRegion(), QColor(125, 125, 125, 125));
}

void ViewWindow::drawForeground(QPainter *painter, const QRectF &)
{
    // Placed in scene coordinates, drawn in pixels: a font of hundreds of
    // points shrunk by the view's scale costs the engine many times what the
    // same text at its size on screen costs from the glyph cache.
    const QTransform toDevice = painter->worldTransform();
    painter->resetTransform();
    painter->setPen(QPen(Qt::black));
    QFont font(QStringLiteral("Times"));
    font.setPointSizeF(qMax(1, static_cast<int>(10 / Scale)) * Scale);
    font.setWeight(QFont::Black);
    font.setItalic(false);
    painter->setFont(font);

    const int t = labelStep(Scale);
    const QPointF topLeft = mapToScene(QPoint(0, 0));
    const double left = topLeft.x();
    const double top = topLeft.y();
    const double right = mapToScene(QPoint(width(), 0)).x();
    const double bottom = mapToScene(QPoint(0, height())).y();
    const double yb = mapToScene(QPoint(0, height() - 25)).y();

    for (double x = reduceToStep(left, t); x <= right; x += t)
        Labels.draw(painter, toDevice.map(QPointF(truncToInt(x), truncToInt(yb))), QString::number(x / 1000, 'g', 6));
    for (double y = reduceToStep(top, t); y <= bottom; y += t)
        Labels.draw(painter, toDevice.map(QPointF(truncToInt(left), truncToInt(y))), QString::number(y / 1000, 'g', 6));

    // The grid's step at the top right corner, drawn anew only when it changes.
    const QString text = gridStepText(gridStep(Scale), Language);
    const QFont badgeFont = QGraphicsView::font();
    const qreal ratio = viewport()->devicePixelRatioF();
    if (text != BadgeText || badgeFont != BadgeFont || Badge.devicePixelRatioF() != ratio) {
        const QSize size = QFontMetrics(badgeFont).boundingRect(text).adjusted(-5, -3, 5, 3).size();
        Badge = QPixmap(size * ratio);
        Badge.setDevicePixelRatio(ratio);
        Badge.fill(Qt::transparent);
        QPainter badge(&Badge);
        badge.fillRect(QRect(QPoint(), size), QColor(255, 255, 255, 220));
        badge.setFont(badgeFont);
        badge.setPen(QPen(Qt::black));
        badge.drawText(QRect(QPoint(), size), Qt::AlignCenter, text);
        BadgeText = text;
        BadgeFont = badgeFont;
    }
    QRect box(QPoint(), Badge.size() / ratio);
    box.moveTopRight(viewport()->rect().topRight() + QPoint(-8, 8));
    painter->drawPixmap(box.topLeft(), Badge);
    painter->setWorldTransform(toDevice);
}

void ViewWindow::scrollContentsBy(int dx, int dy)
{
    QGraphicsView::scrollContentsBy(dx, dy);
    // The labels keep their place on screen while the scene moves under
    // them: moving the shown pixels along would drag them with it.
    viewport()->update();
}
