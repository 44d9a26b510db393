#include "editdata.h"
#include "mainwindow.h"
#include "option_scene.h"
#include "scripteddialogs.h"
#include "viewportchoice.h"
#include "viewwindow.h"

#include <QAction>
#include <QComboBox>
#include <QGraphicsScene>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

// The editor view as the main window wires it: zoom controls, readout,
// device class and the scene controller behind the view's signals.
class TestMainWindowView : public QObject
{
    Q_OBJECT

private:
    ScriptedDialogs *dialogs = nullptr;
    EditData *data = nullptr;
    MainWindow *window = nullptr;
    ViewWindow *view = nullptr;
    QSlider *slider = nullptr;

    void chooseClass(int type)
    {
        DEVICETYPE t;
        t.Type = type;
        QVERIFY(QMetaObject::invokeMethod(window, "CreateDeviceType", Q_ARG(DEVICETYPE *, &t)));
    }

private slots:
    void init()
    {
        dialogs = new ScriptedDialogs;
        data = new EditData;
        window = new MainWindow(data, dialogs);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        view = window->findChild<ViewWindow *>(QStringLiteral("graphicsView"));
        slider = window->findChild<QSlider *>(QStringLiteral("ZoomSlider"));
        QVERIFY(view && slider);
    }
    void cleanup()
    {
        delete window;
        delete data;
        delete dialogs;
    }

    // Fit follows the slider, and its keys are no other action's.
    void fitIsWiredOnKeysOfItsOwn()
    {
        auto *fit = window->findChild<QAction *>(QStringLiteral("FitView"));
        QVERIFY(fit);
        QHash<QKeySequence, QString> taken;
        for (const QAction *a : window->findChildren<QAction *>()) {
            QVERIFY2(a->shortcut().isEmpty() || !taken.contains(a->shortcut()),
                     qPrintable(a->objectName() + " and " + taken.value(a->shortcut())));
            if (!a->shortcut().isEmpty())
                taken.insert(a->shortcut(), a->objectName());
        }
        data->currentArea().Out1Points = {{-400, 600}, {400, 600}, {400, 1400}};
        QTest::keySequence(window, fit->shortcut());
        QVERIFY(view->zoomLevel() > 150);
        QCOMPARE(slider->value(), view->zoomLevel());
    }

    // What the view draws with is chosen in the settings dialog and kept.
    void viewportChoiceIsKept()
    {
        window->findChild<QAction *>(QStringLiteral("AppSettings"))->trigger();
        auto *choice = window->findChild<QComboBox *>(QStringLiteral("ViewportChoice"));
        QVERIFY(choice && choice->isVisible());
        QCOMPARE(choice->currentIndex(), 0);
        choice->setCurrentIndex(2);
        window->findChild<QPushButton *>(QStringLiteral("AppSettingsOk"))->click();
        QCOMPARE(ViewportChoice::stored(), ViewportChoice::Mode::Raster);
        window->findChild<QAction *>(QStringLiteral("AppSettings"))->trigger();
        QCOMPARE(choice->currentIndex(), 2);
    }

    void viewStartsWithTheWholeClass30SceneInView()
    {
        QVERIFY(view->scene());
        QCOMPARE(view->scene()->sceneRect(), QRectF(-36000, -36000, 72000, 72000));
        QCOMPARE(view->zoomLevel(), -55);
        QCOMPARE(view->zoneItemList()->size(), 6);
        QCOMPARE(window->sceneController()->scale(), view->scaleFactor());
        QCOMPARE(data->SceneWidth, 72000.0);
    }

    void zoomControlsAndViewStayInStep()
    {
        slider->setValue(250);
        QCOMPARE(view->zoomLevel(), 250);
        QCOMPARE(window->sceneController()->scale(), 1.0);
        window->findChild<QToolButton *>(QStringLiteral("ZoomIn"))->click();
        QCOMPARE(view->zoomLevel(), 251);
        QCOMPARE(slider->value(), 251);
        window->findChild<QToolButton *>(QStringLiteral("ZoomOut"))->click();
        window->findChild<QToolButton *>(QStringLiteral("ZoomOut"))->click();
        QCOMPARE(slider->value(), 249);
        QCOMPARE(view->zoomLevel(), 249);
    }

    void deviceClassReachesSceneViewAndSlider()
    {
        chooseClass(4);
        QCOMPARE(view->scene()->sceneRect(), QRectF(-60000, -60000, 120000, 120000));
        QCOMPARE(view->zoomLevel(), -90);
        QCOMPARE(slider->minimum(), -90);
        QCOMPARE(data->SceneWidth, 120000.0);
        chooseClass(0);
        QCOMPARE(view->zoomLevel(), 70);
        QCOMPARE(view->sceneWidthMm(), 12000);
    }

    void cursorPositionShowsInTheStatusBar()
    {
        slider->setValue(250);
        view->centerOn(0, 0);
        QTest::mouseMove(view->viewport(), view->mapFromScene(QPointF(100, -50)));
        QVERIFY2(window->statusBar()->currentMessage().startsWith(QStringLiteral("X: 100 [mm], Y: 50 [mm]")),
                 qPrintable(window->statusBar()->currentMessage()));
    }

    void rightClickOnAHandleReachesTheScene()
    {
        slider->setValue(150);
        view->centerOn(0, 0);
        data->currentArea().Out1Points = {{400, 400}, {-400, 400}};
        window->sceneController()->CoordTableUpdatePointItem();
        QTest::mouseClick(view->viewport(), Qt::RightButton, {}, view->mapFromScene(QPointF(400, -400)));
        QCOMPARE(data->currentArea().Out1Points, (QVector<QPoint>{{-400, 400}}));
    }
};

QTEST_MAIN(TestMainWindowView)
#include "tst_mainwindow_view.moc"
