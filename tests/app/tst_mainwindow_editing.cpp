#include "editdata.h"
#include "mainwindow.h"
#include "option_scene.h"
#include "viewwindow.h"
#include "scripteddialogs.h"
#include "widgetdriving.h"

#include <QAction>
#include <QComboBox>
#include <QGraphicsItem>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <memory>

// The area editors as joined in the main window: the area list, the
// coordinate tables and the edit controls driven through the window's own
// widgets and shortcuts.
class TestMainWindowEditing : public QObject
{
    Q_OBJECT

    std::unique_ptr<EditData> data;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<MainWindow> window;

    template <typename T>
    T *child(const char *name)
    {
        T *w = window->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no widget %s", name);
        return w;
    }
    void shortcut(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
    {
        QTest::keyClick(window.get(), key, modifiers);
    }

private slots:
    void init()
    {
        data.reset(new EditData);
        dialogs.reset(new ScriptedDialogs);
        window.reset(new MainWindow(data.get(), dialogs.get()));
        window->show();
        QApplication::setActiveWindow(window.get());
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup()
    {
        data->Modified = false; // no close prompt
        window.reset();
        dialogs.reset();
        data.reset();
    }

    void startsShowingTheModel()
    {
        QCOMPARE(child<QComboBox>("Area_DetectionSize")->currentIndex(), 1);
        QCOMPARE(child<QTableWidget>("AreaTableWidget")->rowCount(), 64);
        QVERIFY(child<QToolButton>("ButtonPolygonOut2")->isChecked());
        QVERIFY(!child<QToolButton>("ButtonRatioOut3")->isEnabled());
    }

    void copyClickPasteWithShortcuts()
    {
        AreaRecord &first = data->Areas[0];
        first.SteerMinDgree = -77;
        first.VehicleOptionMode = 3;
        first.Out1Shape = Rectangle;
        first.Out1Points = {QPoint(-5, 1), QPoint(-5, 9), QPoint(5, 9), QPoint(5, 1)};
        first.Out3Shape = Fan;
        first.Out3Points = {QPoint(0, 4)};
        QTableWidget *areas = child<QTableWidget>("AreaTableWidget");
        WidgetDriving::clickRow(areas, 0);
        shortcut(Qt::Key_C);
        WidgetDriving::clickRow(areas, 1);
        QCOMPARE(data->CurrentArea, 1);
        data->Modified = false;
        shortcut(Qt::Key_V);
        QVERIFY(data->Areas[1] == data->Areas[0]);
        QVERIFY(data->Modified);
        // The editors show the pasted area.
        QVERIFY(child<QToolButton>("ButtonRectangleOut1")->isChecked());
        QCOMPARE(child<QTableWidget>("CoordTableWidgetOut1")->rowCount(), 4);

        shortcut(Qt::Key_D);
        QVERIFY(data->Areas[1] == data->BlankArea);
        QCOMPARE(child<QTableWidget>("CoordTableWidgetOut1")->rowCount(), 1);
        dialogs->answers.enqueue(0); // "Yes" to the question first
        child<QAction>("DeleteAll")->trigger();
        QVERIFY(data->Areas[0] == data->BlankArea);
    }

    void undoRedoAcrossTheEditors()
    {
        QTableWidget *out2 = child<QTableWidget>("CoordTableWidgetOut2");
        QTabBar *tabs = child<QTabWidget>("AreaEditTab")->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
        QCOMPARE(data->CurrentOutput, 1);
        QVERIFY(WidgetDriving::editCell(out2, 0, 2, "1500"));
        QCOMPARE(data->Areas[0].Out2Points, QVector<QPoint>({QPoint(0, 1500)}));
        QTableWidget *areas = child<QTableWidget>("AreaTableWidget");
        QCOMPARE(areas->item(0, 1)->background().color(), QColor(Qt::green));

        QTest::mouseClick(child<QToolButton>("ButtonArcOut2"), Qt::LeftButton);
        QCOMPARE(out2->rowCount(), 2); // the arc's two ends, no entry row
        WidgetDriving::choose(child<QComboBox>("Area_Hysteresis"), 4);
        QCOMPARE(data->UndoHistory[0].size(), 4);

        shortcut(Qt::Key_Z);
        QCOMPARE(child<QComboBox>("Area_Hysteresis")->currentIndex(), 0);
        shortcut(Qt::Key_Z);
        QVERIFY(child<QToolButton>("ButtonPolygonOut2")->isChecked());
        QCOMPARE(out2->rowCount(), 2);
        QCOMPARE(out2->item(0, 2)->text(), QString("1500"));
        shortcut(Qt::Key_Y);
        QCOMPARE(data->Areas[0].Out2Shape, int(Arc));
        QVERIFY(child<QToolButton>("ButtonArcOut2")->isChecked());
    }

    void newProjectClearsTheTables()
    {
        data->Areas[0].Out1Points = {QPoint(1, 1), QPoint(2, 2)};
        // Undo with nothing to restore still refreshes the editors from the model.
        child<QAction>("Undo")->trigger();
        QTableWidget *polar1 = child<QTableWidget>("PolarTableWidgeOut1");
        QCOMPARE(polar1->rowCount(), 3);
        data->Modified = false;
        child<QAction>("Laser50")->trigger();
        QCOMPARE(polar1->rowCount(), 1);
        QCOMPARE(child<QTableWidget>("CoordTableWidgetOut1")->rowCount(), 1);
    }

    void sceneAndTablesFollowEachOther()
    {
        OPTION_SCENE *scene = window->sceneController();
        QTableWidget *out1 = child<QTableWidget>("CoordTableWidgetOut1");
        QVERIFY(WidgetDriving::editCell(out1, 0, 2, "1500"));
        QVERIFY(WidgetDriving::editCell(out1, 1, 1, "-700"));
        // One handle per vertex, plus the polygon's origin handle.
        QCOMPARE(scene->handles().size(), 3);
        QCOMPARE(scene->handles().at(0)->pos(), QPointF(0, -1500));
        QCOMPARE(scene->handles().at(1)->pos(), QPointF(-700, 0));

        // Dragging a handle rewrites the table; the release takes the snapshot.
        const int snapshots = data->UndoHistory[0].size();
        QGraphicsItem *handle = scene->handles().at(1);
        handle->setPos(-650, -20);
        auto *view = qobject_cast<ViewWindow *>(child<QWidget>("graphicsView"));
        emit view->MovePointItem(handle);
        QCOMPARE(out1->item(1, 1)->text(), QString("-650"));
        QCOMPARE(out1->item(1, 2)->text(), QString("20"));
        emit view->ReleasePointItem();
        QCOMPARE(data->UndoHistory[0].size(), snapshots + 1);
        QVERIFY(data->UndoHistory[0].last() == data->Areas[0]);

        // Another output's tab shows that output's handles.
        data->Areas[0].Out3Points = {QPoint(3000, 3000), QPoint(0, 5000), QPoint(-3000, 3000)};
        QTabBar *tabs = child<QTabWidget>("AreaEditTab")->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
        QCOMPARE(scene->handles().size(), 4);
    }

    void contextMenuOffersTheWindowActions()
    {
        QList<QAction *> shown;
        QTimer::singleShot(50, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                shown = menu->actions();
                menu->close();
            }
        });
        QTableWidget *areas = child<QTableWidget>("AreaTableWidget");
        QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(5, 5));
        QApplication::sendEvent(areas->viewport(), &request);
        QCOMPARE(shown, QList<QAction *>({child<QAction>("Copy"), child<QAction>("Cut"), child<QAction>("Paste"),
                                          child<QAction>("Delete")}));
    }
};

QTEST_MAIN(TestMainWindowEditing)
#include "tst_mainwindow_editing.moc"
