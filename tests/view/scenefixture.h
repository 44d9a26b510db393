#pragma once

#include "editdata.h"
#include "option_scene.h"
#include "viewwindow.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QtTest>

// A view and a scene controller wired as the main window wires them, on an
// offscreen window at zoom level 100 (scale 1/8: a pixel is 8 mm, so model
// points on multiples of 8 are hit exactly), scanner centred.
struct SceneFixture
{
    EditData data;
    int deviceClass = 3;
    QGraphicsScene scene;
    ViewWindow view;
    OPTION_SCENE controller{&deviceClass, &scene, &data, nullptr, view.zoneItemList()};

    explicit SceneFixture(int level = 100)
    {
        QObject::connect(&view, &ViewWindow::AddCenterPointItem, &controller, &OPTION_SCENE::AddCenterPointItemSlots);
        QObject::connect(&view, &ViewWindow::MovePointItem, &controller, &OPTION_SCENE::MovePointItemSlots);
        QObject::connect(&view, &ViewWindow::DeletePointItem, &controller, &OPTION_SCENE::DeletePointItemSlots);
        QObject::connect(&view, qOverload<double>(&ViewWindow::ChangeSetupMatrix), &controller,
                         &OPTION_SCENE::ChangeScaleSize);
        view.setScene(&scene);
        view.resize(1000, 1000);
        view.SetDeviceClass(&deviceClass);
        view.ChangeSetupMatrix(level);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.centerOn(0, 0);
    }

    AreaRecord &area() { return data.currentArea(); }

    // Puts `points` with `shape` on `output`, makes it current and rebuilds the handles.
    void setOutput(int output, int shape, const QVector<QPoint> &points)
    {
        data.CurrentOutput = output;
        area().shape(output) = shape;
        area().points(output) = points;
        controller.CoordTableUpdatePointItem();
    }

    QPoint viewPos(const QPointF &scenePos) const { return view.mapFromScene(scenePos); }
    QPoint viewPosOfModel(const QPoint &model) const { return viewPos(QPointF(model.x(), -model.y())); }

    // A real left-button drag on the viewport, in steps like a hand.
    void drag(const QPoint &from, const QPoint &to, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QWidget *vp = view.viewport();
        QTest::mousePress(vp, Qt::LeftButton, mods, from);
        for (int step = 1; step <= 4; ++step)
            QTest::mouseMove(vp, from + (to - from) * step / 4);
        QTest::mouseRelease(vp, Qt::LeftButton, mods, to);
    }

    QGraphicsItem *handleAtModel(const QPoint &model) const
    {
        for (QGraphicsItem *h : controller.handles())
            if (h->pos() == QPointF(model.x(), -model.y()))
                return h;
        return nullptr;
    }
};
