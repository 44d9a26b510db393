#include "scenefixture.h"

#include "paint_out1.h"
#include "paint_out2.h"
#include "paint_out3.h"
#include "paint_intrusion.h"
#include "paint_outline.h"
#include "paint_scannerzones.h"
#include "paint_strength.h"
#include "point_point.h"
#include "point_ratio.h"

#include <QScreen>
#include <QSignalSpy>

namespace {
// Output 1 ahead of the scanner, 4 m wide and 5 m deep; output 2 the part of
// it up to 3 m; output 1 current.
void straightCutOfAWideZone(SceneFixture &f)
{
    f.area().Out1Points = {{2000, 100}, {2000, 5000}, {-2000, 5000}, {-2000, 100}};
    f.area().Out2Shape = Straight;
    f.area().Out2Points = {{0, 3000}};
    f.data.CurrentOutput = 0;
    f.controller.CoordTableUpdatePointItem();
}
} // namespace

class TestOptionScene : public QObject
{
    Q_OBJECT
private slots:
    void handlesMirrorTheCurrentOutput()
    {
        SceneFixture f;
        f.area().Out2Shape = Fan;
        f.area().Out2Points = {{0, 4000}};
        f.setOutput(0, Polygon, {{1000, 1000}, {-1000, 1000}, {0, 2000}});
        // Three squares in list order, then the origin handle.
        QCOMPARE(f.controller.handles().size(), 4);
        QCOMPARE(f.controller.handles()[1]->pos(), QPointF(-1000, -1000));
        QCOMPARE(f.controller.handles()[3]->pos(), QPointF(0, 0));
        for (QGraphicsItem *h : f.controller.handles())
            QVERIFY(dynamic_cast<POINT_POINT *>(h));

        f.data.CurrentOutput = 1;
        f.controller.CoordTableUpdatePointItem();
        QCOMPARE(f.controller.handles().size(), 1);
        QVERIFY(dynamic_cast<POINT_RATIO *>(f.controller.handles()[0]));
        QCOMPARE(f.controller.handles()[0]->pos(), QPointF(0, -4000));
        // Old handles left the scene with the rebuild.
        QCOMPARE(f.scene.items().size(), 7 + 1);
    }

    void stackingFollowsTheCurrentOutput()
    {
        SceneFixture f;
        const int expected[3][3] = {{3, 2, 1}, {2, 3, 1}, {1, 2, 3}};
        for (int out = 0; out < 3; ++out) {
            f.data.CurrentOutput = out;
            f.controller.PaintOutItemSetZValue();
            QCOMPARE(f.controller.paintOut1()->zValue(), qreal(expected[out][0]));
            QCOMPARE(f.controller.paintOut2()->zValue(), qreal(expected[out][1]));
            QCOMPARE(f.controller.paintOut3()->zValue(), qreal(expected[out][2]));
        }
        QCOMPARE(f.controller.paintOutline()->zValue(), 6.0);
        QCOMPARE(f.controller.paintStrength()->zValue(), 5.0);
        // The intrusions over the live display, under the handles.
        QCOMPARE(f.controller.paintIntrusion()->zValue(), 6.5);
        QCOMPARE(f.view.zoneItemList()->size(), 6);
    }

    void deviceClassResizesSceneAndPainters()
    {
        SceneFixture f;
        QCOMPARE(f.scene.sceneRect(), QRectF(-36000, -36000, 72000, 72000));
        f.deviceClass = 4;
        f.controller.SetDeviceClass(&f.deviceClass);
        QCOMPARE(f.scene.sceneRect(), QRectF(-60000, -60000, 120000, 120000));
        QCOMPARE(f.controller.paintOut3()->boundingRect(), QRectF(-60000, -60000, 120000, 120000));
        QCOMPARE(f.controller.paintStrength()->itemWidth(), 120000.0);
        QCOMPARE(f.data.SceneWidth, 120000.0);
        // An invalid class keeps the size.
        f.deviceClass = 9;
        f.controller.SetDeviceClass(&f.deviceClass);
        QCOMPARE(f.scene.sceneRect().width(), 120000.0);
    }

    void draggingPolygonHandleWritesModelBeforeUndoSnapshot()
    {
        SceneFixture f;
        f.setOutput(0, Polygon, {{1000, 1000}, {-1000, 1000}, {0, 2000}});
        QSignalSpy changed(&f.controller, &OPTION_SCENE::PointItemChannelSignal);
        QVector<QPoint> atSnapshot;
        QObject::connect(&f.view, &ViewWindow::ReleasePointItem, [&] { atSnapshot = f.area().Out1Points; });

        const QPoint from = f.viewPosOfModel({1000, 1000});
        f.drag(from, from + QPoint(25, -12)); // 200 mm right, 96 mm forward
        const QVector<QPoint> expected{{1200, 1096}, {-1000, 1000}, {0, 2000}};
        QCOMPARE(f.area().Out1Points, expected);
        // The undo snapshot must see where the handle was let go.
        QCOMPARE(atSnapshot, expected);
        QVERIFY(changed.count() >= 1);
    }

    void writeBackTruncatesAndSkipsTheOrigin()
    {
        SceneFixture f;
        f.setOutput(0, Polygon, {{1000, 1000}, {-1000, 1000}});
        f.controller.handles()[0]->setPos(1234.9, -567.8);
        f.controller.handles()[1]->setPos(-0.7, 0.9);
        f.controller.MovePointItemSlots(f.controller.handles()[0]);
        QCOMPARE(f.area().Out1Points, (QVector<QPoint>{{1234, 567}, {0, 0}}));
        f.controller.handles()[1]->setPos(0, 0); // dragged exactly onto the scanner
        f.controller.MovePointItemSlots(f.controller.handles()[1]);
        QCOMPARE(f.area().Out1Points, (QVector<QPoint>{{1234, 567}}));
        // A pointer the controller does not hold changes nothing.
        POINT_POINT stranger(nullptr);
        f.controller.MovePointItemSlots(&stranger);
        f.controller.DeletePointItemSlots(&stranger);
        QCOMPARE(f.area().Out1Points, (QVector<QPoint>{{1234, 567}}));
    }

    void draggingArcEndKeepsBothEndsOnOneRadius()
    {
        SceneFixture f;
        f.setOutput(0, Arc, {{1000, 0}, {0, 1000}});
        QCOMPARE(f.controller.handles().size(), 2); // no origin handle for an arc
        f.drag(f.viewPosOfModel({1000, 0}), f.viewPosOfModel({2000, 0}));
        QCOMPARE(f.area().Out1Points, (QVector<QPoint>{{2000, 0}, {0, 2000}}));
        QCOMPARE(f.controller.handles()[1]->pos(), QPointF(0, -2000));
    }

    void draggingRectangleCornerMovesItsNeighbours()
    {
        SceneFixture f;
        f.setOutput(0, Rectangle, {{-1000, 1000}, {-1000, 3000}, {1000, 3000}, {1000, 1000}});
        f.drag(f.viewPosOfModel({-1000, 1000}), f.viewPosOfModel({-504, 296}));
        QCOMPARE(f.area().Out1Points, (QVector<QPoint>{{-504, 296}, {-504, 3000}, {1000, 3000}, {1000, 296}}));
        QCOMPARE(f.controller.handles()[1]->pos(), QPointF(-504, -3000));
        QCOMPARE(f.controller.handles()[3]->pos(), QPointF(1000, -296));

        // Corner 2 on the second output: corner 3 takes its x, corner 1 its y.
        f.setOutput(1, Rectangle, {{-1000, 1000}, {-1000, 3000}, {1000, 3000}, {1000, 1000}});
        f.drag(f.viewPosOfModel({1000, 3000}), f.viewPosOfModel({1504, 2496}));
        QCOMPARE(f.area().Out2Points, (QVector<QPoint>{{-1000, 1000}, {-1000, 2496}, {1504, 2496}, {1504, 1000}}));

        // Off-grid positions truncate: corner 0 to scene (-500.6, -300.9).
        f.setOutput(0, Rectangle, {{-1000, 1000}, {-1000, 3000}, {1000, 3000}, {1000, 1000}});
        f.controller.handles()[0]->setPos(-500.6, -300.9);
        f.controller.MovePointItemSlots(f.controller.handles()[0]);
        QCOMPARE(f.area().Out1Points, (QVector<QPoint>{{-500, 300}, {-500, 3000}, {1000, 3000}, {1000, 300}}));
    }

    void rightClickDeletesPolygonPointsOnly()
    {
        SceneFixture f;
        QSignalSpy deleted(&f.view, &ViewWindow::DeletePointItem);
        QSignalSpy released(&f.view, &ViewWindow::ReleasePointItem);
        f.setOutput(0, Polygon, {{1000, 1000}, {-1000, 1000}, {0, 2000}});
        const QPoint at = f.viewPosOfModel({-1000, 1000});
        QTest::mousePress(f.view.viewport(), Qt::RightButton, {}, at);
        QCOMPARE(deleted.count(), 1);
        QCOMPARE(f.area().Out1Points, (QVector<QPoint>{{1000, 1000}, {0, 2000}}));
        QCOMPARE(f.controller.handles().size(), 3);
        // The release after the deletion still asks for an undo snapshot.
        QTest::mouseRelease(f.view.viewport(), Qt::RightButton, {}, at);
        QCOMPARE(released.count(), 1);
        // Delete now has nothing to act on: the pressed handle is gone.
        QTest::keyClick(f.view.viewport(), Qt::Key_Delete);
        QCOMPARE(deleted.count(), 1);

        f.setOutput(0, Arc, {{1000, 0}, {0, 1000}});
        QTest::mouseClick(f.view.viewport(), Qt::RightButton, {}, f.viewPosOfModel({1000, 0}));
        QCOMPARE(f.area().Out1Points, (QVector<QPoint>{{1000, 0}, {0, 1000}}));
        QCOMPARE(f.controller.handles().size(), 2);

        // A right press on a zone emits nothing.
        const int before = deleted.count();
        QTest::mouseClick(f.view.viewport(), Qt::RightButton, {}, f.viewPosOfModel({3000, 3000}));
        QCOMPARE(deleted.count(), before);
    }

    void deleteKeyRemovesThePressedPolygonPoint()
    {
        SceneFixture f;
        f.setOutput(0, Polygon, {{1000, 1000}, {-1000, 1000}});
        QTest::mouseClick(f.view.viewport(), Qt::LeftButton, {}, f.viewPosOfModel({1000, 1000}));
        QTest::keyClick(f.view.viewport(), Qt::Key_Delete);
        QCOMPARE(f.area().Out1Points, (QVector<QPoint>{{-1000, 1000}}));
    }

    void draggingTheOriginHandleAddsPointAndNewOriginHandle()
    {
        SceneFixture f;
        QSignalSpy addCentre(&f.view, &ViewWindow::AddCenterPointItem);
        f.setOutput(0, Polygon, {{1000, 1000}, {-1000, 1000}});
        QCOMPARE(f.controller.handles().size(), 3);
        f.drag(f.viewPos(QPointF(0, 0)), f.viewPosOfModel({504, 1504}));
        QCOMPARE(addCentre.count(), 1);
        QCOMPARE(f.area().Out1Points, (QVector<QPoint>{{1000, 1000}, {-1000, 1000}, {504, 1504}}));
        QCOMPARE(f.controller.handles().size(), 4);
        QVERIFY(f.handleAtModel({0, 0}));
        // A release with the origin covered adds nothing.
        f.drag(f.viewPosOfModel({1000, 1000}), f.viewPosOfModel({1096, 1000}));
        QCOMPARE(addCentre.count(), 1);
        QCOMPARE(f.controller.handles().size(), 4);
    }

    void barHandleSlidesOnlyAlongTheForwardAxis()
    {
        SceneFixture f;
        f.area().Out1Points = {{2000, 100}, {2000, 5000}, {-2000, 5000}, {-2000, 100}};
        f.setOutput(1, Fan, {{0, 3000}});
        // Grab the bar off-centre and pull sideways and forwards.
        f.drag(f.viewPosOfModel({16, 3000}), f.viewPosOfModel({312, 3496}));
        QCOMPARE(f.area().Out2Points, (QVector<QPoint>{{0, 3496}}));
        // Below the scanner's row counts as the row, and the point stays.
        f.drag(f.viewPosOfModel({0, 3496}), f.viewPosOfModel({-200, -800}));
        QCOMPARE(f.area().Out2Points, (QVector<QPoint>{{0, 0}}));
        QCOMPARE(f.controller.handles().size(), 1);
        // A bar handle cannot be deleted.
        QTest::mouseClick(f.view.viewport(), Qt::RightButton, {}, f.viewPosOfModel({0, 0}));
        QCOMPARE(f.area().Out2Points.size(), 1);
    }

    void pressOnZonePansInsteadOfEditing()
    {
        SceneFixture f;
        f.setOutput(0, Polygon, {{1000, 1000}, {-1000, 1000}, {0, 2000}});
        QSignalSpy moved(&f.view, &ViewWindow::MovePointItem);
        QSignalSpy released(&f.view, &ViewWindow::ReleasePointItem);
        const QPointF centreBefore = f.view.mapToScene(f.view.viewport()->rect().center());
        f.drag(f.viewPosOfModel({3000, 3000}), f.viewPosOfModel({3000, 3000}) + QPoint(100, 50));
        QCOMPARE(moved.count(), 0);
        QCOMPARE(released.count(), 0);
        QVERIFY(f.view.isInteractive());
        QVERIFY(f.view.mapToScene(f.view.viewport()->rect().center()) != centreBefore);
        QCOMPARE(f.area().Out1Points.size(), 3);
    }

    void handlesKeepTheirScreenSizeAndStayHittableWhenZoomedOut()
    {
        SceneFixture f(350); // made while zoomed fully in
        f.setOutput(0, Polygon, {{2000, 2000}});
        f.view.centerOn(2000, -2000);
        QGraphicsItem *h = f.controller.handles()[0];
        QVERIFY(qAbs(h->boundingRect().width() * 4 - 15) < 1e-9);
        QCOMPARE(f.view.itemAt(f.viewPosOfModel({2000, 2000}) + QPoint(6, 6)), h);
        QVERIFY(f.view.itemAt(f.viewPosOfModel({2000, 2000}) + QPoint(9, 0)) != h);

        f.view.ChangeSetupMatrix(-55);
        f.view.centerOn(0, 0);
        QVERIFY(qAbs(h->boundingRect().width() * f.view.scaleFactor() - 15) < 1e-9);
        // 6 pixels off the centre is still on the 15-pixel square, though far
        // outside the size the handle had when it was made.
        QCOMPARE(f.view.itemAt(f.viewPosOfModel({2000, 2000}) + QPoint(6, 6)), h);
    }

    void zonesAreHandedOnAndTheCurrentOneIsMoreOpaque()
    {
        SceneFixture f;
        straightCutOfAWideZone(f);

        auto render = [&] {
            QImage image(200, 200, QImage::Format_ARGB32);
            image.fill(Qt::white);
            QPainter p(&image);
            f.scene.render(&p, QRectF(0, 0, 200, 200), QRectF(-1000, -4000, 1000, 2000));
            return image;
        };
        // Current output 0 paints out3, out2, out1: the second output derives
        // from the first output's zone of the previous repaint.
        render();
        QVERIFY(!f.controller.paintOut2()->basePath().isEmpty());
        QImage image = render();
        // At model (-500, 3500): only output 1 covers it, drawn with alpha 200.
        QColor above = image.pixelColor(100, 50);
        QVERIFY2(qAbs(above.blue() - (128 * 200 + 255 * 55) / 255) <= 2, qPrintable(above.name()));
        // At model (-500, 2500): output 2 (alpha 125) under output 1 (alpha 200).
        f.data.CurrentOutput = 1;
        f.controller.PaintOutItemSetZValue();
        image = render();
        above = image.pixelColor(100, 50);
        QVERIFY2(qAbs(above.blue() - (128 * 125 + 255 * 130) / 255) <= 2, qPrintable(above.name()));
        const QColor both = image.pixelColor(100, 150);
        QVERIFY2(both.green() < 200 && both.red() > 240, qPrintable(both.name()));
    }

    // Each derived zone takes its base from the painting of the zone before
    // it. The view must not come to rest on a zone derived from the points
    // before an edit: a painter handed a new base paints again.
    void derivedZonesFollowAnEditOnScreen()
    {
        SceneFixture f;
        straightCutOfAWideZone(f);
        f.controller.UpdataPaintOutline(); // what the window does after an edit
        // At model (-500, 2500), output 2 lies under output 1: without it the
        // blue would be (128 * 200 + 255 * 55) / 255 = 156, with it 128.
        const QPoint at = f.view.viewport()->mapTo(&f.view, f.viewPosOfModel({-500, 2500}));
        const auto blue = [&] {
            return f.view.screen()->grabWindow(f.view.winId()).toImage().pixelColor(at).blue();
        };
        QTRY_VERIFY2(qAbs(blue() - 128) <= 3, qPrintable(QString::number(blue())));
    }

    // A scanner's zones of the current area, dashed: a dark edge with gaps
    // along the rectangle's side; none for another area or without a scanner.
    void scannerZonesAreDashedOverTheCurrentArea()
    {
        SceneFixture f;
        QVector<AreaRecord> held(EditData::AreaCount);
        held[0].Out1Shape = Rectangle;
        held[0].Out1Points = {{-1000, 1000}, {-1000, 3000}, {1000, 3000}, {1000, 1000}};
        // Rows of the side x = -1000 (image column 100) with a dark pixel beside it.
        auto darkRows = [&] {
            QImage image(400, 400, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter p(&image);
            f.scene.render(&p, QRectF(0, 0, 400, 400), QRectF(-2000, -4000, 4000, 4000));
            int rows = 0;
            for (int y = 110; y < 290; ++y)
                rows += qGray(image.pixel(98, y)) < 60 || qGray(image.pixel(102, y)) < 60;
            return rows;
        };
        QCOMPARE(darkRows(), 0);
        f.controller.setScannerAreas(held);
        const int dashed = darkRows();
        QVERIFY2(dashed > 40 && dashed < 150, qPrintable(QString::number(dashed)));
        f.data.CurrentArea = 1;
        QCOMPARE(darkRows(), 0);
    }
};

QTEST_MAIN(TestOptionScene)
#include "tst_option_scene.moc"
