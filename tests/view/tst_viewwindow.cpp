#include "scenefixture.h"
#include "viewportchoice.h"

#include <QOpenGLWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <cmath>

class TestViewWindow : public QObject
{
    Q_OBJECT
private slots:
    void zoomLevelGivesPowerOfTwoScaleWithinLimits()
    {
        ViewWindow view;
        QCOMPARE(view.zoomLevel(), 70);
        QCOMPARE(view.scaleFactor(), std::pow(2.0, -3.6));
        QSignalSpy scales(&view, qOverload<double>(&ViewWindow::ChangeSetupMatrix));
        QSignalSpy levels(&view, &ViewWindow::ChangeMatrixSignal);

        view.ChangeSetupMatrix(250);
        QCOMPARE(view.scaleFactor(), 1.0);
        QCOMPARE(view.transform().m11(), 1.0);
        view.ChangeSetupMatrix(400);
        QCOMPARE(view.zoomLevel(), 350);
        QCOMPARE(view.scaleFactor(), 4.0);
        QCOMPARE(scales.count(), 2);
        QCOMPARE(scales.last().at(0).toDouble(), 4.0);
        QCOMPARE(levels.count(), 0); // the slider's own changes are not echoed

        // Without a device class there is no lower limit.
        view.ChangeSetupMatrix(-500);
        QCOMPARE(view.zoomLevel(), -500);

        view.ZoomInButtonSlots();
        QCOMPARE(levels.takeLast().at(0).toInt(), -499);
        view.ChangeSetupMatrix(350);
        view.ZoomInButtonSlots();
        QCOMPARE(levels.takeLast().at(0).toInt(), 350);
        view.ZoomOutButtonSlots();
        QCOMPARE(levels.takeLast().at(0).toInt(), 349);
    }

    void deviceClassSetsSceneSizeAndMinimumLevel_data()
    {
        QTest::addColumn<int>("deviceClass");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("minimum");
        QTest::newRow("05") << 0 << 12000 << 70;
        QTest::newRow("10") << 1 << 24000 << 30;
        QTest::newRow("20") << 2 << 48000 << -20;
        QTest::newRow("30") << 3 << 72000 << -55;
        QTest::newRow("50") << 4 << 120000 << -90;
    }
    void deviceClassSetsSceneSizeAndMinimumLevel()
    {
        QFETCH(int, deviceClass);
        QFETCH(int, size);
        QFETCH(int, minimum);
        ViewWindow view;
        view.ChangeSetupMatrix(300);
        view.SetDeviceClass(&deviceClass);
        QCOMPARE(view.sceneWidthMm(), size);
        QCOMPARE(view.sceneHeightMm(), size);
        QCOMPARE(view.zoomLevel(), minimum); // the whole scene in view
        QCOMPARE(view.scaleFactor(), std::pow(2.0, (minimum - 250) / 50.0));
        QSignalSpy levels(&view, &ViewWindow::ChangeMatrixSignal);
        view.ZoomOutButtonSlots();
        QCOMPARE(view.zoomLevel(), minimum);
        QCOMPARE(levels.takeLast().at(0).toInt(), minimum);
    }

    void invalidDeviceClassOnlyReappliesZoom()
    {
        ViewWindow view;
        int cls = 2;
        view.SetDeviceClass(&cls);
        view.ChangeSetupMatrix(-21);
        QCOMPARE(view.zoomLevel(), -20);
        QCOMPARE(view.scaleFactor(), std::pow(2.0, -5.4));
        view.ChangeSetupMatrix(100);
        int bad = 7;
        view.SetDeviceClass(&bad);
        QCOMPARE(view.zoomLevel(), 100);
        QCOMPARE(view.sceneWidthMm(), 48000);
        view.ChangeSetupMatrix(-300); // no limit for a class the table lacks
        QCOMPARE(view.zoomLevel(), -300);
    }

    void wheelStepsByTenWhateverTheDelta()
    {
        ViewWindow view;
        view.resize(400, 300);
        QSignalSpy levels(&view, &ViewWindow::ChangeMatrixSignal);
        auto wheel = [&](int delta) {
            QWheelEvent e(QPointF(200, 150), view.viewport()->mapToGlobal(QPoint(200, 150)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(view.viewport(), &e);
            return e.isAccepted();
        };
        view.ChangeSetupMatrix(200);
        QVERIFY(wheel(1));
        QCOMPARE(view.zoomLevel(), 210);
        wheel(720);
        QCOMPARE(view.zoomLevel(), 220);
        wheel(-3);
        QCOMPARE(view.zoomLevel(), 210);
        wheel(0); // a zero delta zooms out too
        QCOMPARE(view.zoomLevel(), 200);
        QCOMPARE(levels.count(), 4);
        QCOMPARE(levels.last().at(0).toInt(), 200);
    }

    void gridAndLabelStepsFollowTheScale_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("grid");
        QTest::addColumn<int>("label");
        QTest::newRow("0.05") << 0.05 << 10000 << 10000;
        QTest::newRow("0.1") << 0.1 << 1000 << 1000;
        QTest::newRow("1") << 1.0 << 100 << 100;
        QTest::newRow("4") << 4.0 << 10 << 50;
        QTest::newRow("at 3.5") << 3.5 << 100 << 100;
        QTest::newRow("just above 0.378929") << 0.37893 << 100 << 100;
        QTest::newRow("at 0.378929") << 0.378929 << 1000 << 1000;
    }
    void gridAndLabelStepsFollowTheScale()
    {
        QFETCH(double, scale);
        QFETCH(int, grid);
        QFETCH(int, label);
        QCOMPARE(ViewWindow::gridStep(scale), grid);
        QCOMPARE(ViewWindow::labelStep(scale), label);
    }

    void gridStartsAtMultipleTowardsZero()
    {
        QCOMPARE(ViewWindow::alignDown(-3456.7, 1000), -3000);
        QCOMPARE(ViewWindow::alignDown(3456.7, 1000), 3000);
        QCOMPARE(ViewWindow::alignDown(-50, 100), 0);
        QCOMPARE(ViewWindow::alignDown(-100.5, 100), -100);
    }

    void rangeCirclesCoverExactlyTheArea()
    {
        // Area round the origin: from 0 to the farthest corner.
        QCOMPARE(ViewWindow::rangeCircleRadii(QRectF(-350, -250, 700, 500), 100), qMakePair(0, 400));
        // Right of the origin on the x axis: from its left edge.
        QCOMPARE(ViewWindow::rangeCircleRadii(QRectF(150, -10, 100, 20), 100), qMakePair(100, 200));
        // Above the origin on the y axis.
        QCOMPARE(ViewWindow::rangeCircleRadii(QRectF(-10, -5500, 20, 300), 1000), qMakePair(5000, 5000));
        // Off both axes: from the nearest corner to the farthest.
        QCOMPARE(ViewWindow::rangeCircleRadii(QRectF(3000, 4000, 3000, 4000), 1000), qMakePair(5000, 10000));
    }

    void cursorPositionIsReportedInRoundedSceneCoordinates()
    {
        SceneFixture f;
        QSignalSpy coords(&f.view, &ViewWindow::CurrentCoordSignal);
        QTest::mouseMove(f.view.viewport(), f.viewPos(QPointF(1200, -3400)));
        QVERIFY(coords.count() >= 1);
        QCOMPARE(coords.last().at(0).toPoint(), QPoint(1200, -3400));
    }

    void keysOtherThanDeleteAreSwallowed()
    {
        SceneFixture f;
        f.view.ChangeSetupMatrix(350);
        f.view.centerOn(0, 0);
        const int before = f.view.horizontalScrollBar()->value();
        QTest::keyClick(f.view.viewport(), Qt::Key_Right);
        QTest::keyClick(f.view.viewport(), Qt::Key_PageDown);
        QCOMPARE(f.view.horizontalScrollBar()->value(), before);
    }

    // The background is cached: after scrolling, and after zooming, the view
    // must show what a view drawn afresh at that place shows.
    void backgroundStaysWithTheSceneWhenScrolled_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<int>("zoom");
        QTest::newRow("scroll right") << 137 << 0 << 0;
        QTest::newRow("scroll up and left") << -90 << -213 << 0;
        QTest::newRow("zoom in, then scroll down") << 0 << 171 << 30;
    }
    void backgroundStaysWithTheSceneWhenScrolled()
    {
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(int, zoom);
        SceneFixture f;
        f.view.viewport()->grab(); // fills the cache
        if (zoom)
            f.view.ChangeSetupMatrix(100 + zoom);
        f.view.horizontalScrollBar()->setValue(f.view.horizontalScrollBar()->value() + dx);
        f.view.verticalScrollBar()->setValue(f.view.verticalScrollBar()->value() + dy);
        const QImage shown = f.view.viewport()->grab().toImage();
        f.view.resetCachedContent();
        const QImage fresh = f.view.viewport()->grab().toImage();
        QCOMPARE(shown, fresh);
    }

    // Rows without a display check the rule; with one (under Xvfb, where
    // Mesa's llvmpipe draws) the view itself, through the override.
    void softwareGLGetsTheRasterViewport_data()
    {
        QTest::addColumn<QString>("override");
        QTest::addColumn<QString>("renderer");
        QTest::addColumn<bool>("openGL");
        QTest::newRow("llvmpipe") << "" << "llvmpipe (LLVM 15.0.6, 256 bits)" << false;
        QTest::newRow("SwiftShader") << "" << "Google SwiftShader" << false;
        QTest::newRow("softpipe") << "auto" << "softpipe" << false;
        QTest::newRow("a GPU") << "" << "Mesa Intel(R) UHD Graphics 620 (KBL GT2)" << true;
        QTest::newRow("GPU, raster asked") << "raster" << "NVIDIA GeForce GTX 1650/PCIe/SSE2" << false;
        QTest::newRow("software, OpenGL asked") << "OpenGL" << "llvmpipe" << true;
        QTest::newRow("no context, OpenGL asked") << "opengl" << "" << false;
    }
    void softwareGLGetsTheRasterViewport()
    {
        QFETCH(QString, override);
        QFETCH(QString, renderer);
        QFETCH(bool, openGL);
        if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
            QCOMPARE(ViewportChoice::useOpenGL(ViewportChoice::parse(override), renderer), openGL);
            return;
        }
        if (renderer.isEmpty() || !ViewWindow::openGLRenderer().contains(renderer.section(' ', 0, 0)))
            QSKIP("another renderer here");
        qputenv(ViewportChoice::EnvironmentVariable, override.toLocal8Bit());
        ViewWindow view;
        qunsetenv(ViewportChoice::EnvironmentVariable);
        QCOMPARE(view.usesOpenGL(), openGL);
        QCOMPARE(qobject_cast<QOpenGLWidget *>(view.viewport()) != nullptr, openGL);
    }

    void offscreenFallsBackToARasterViewportThatDraws()
    {
        SceneFixture f;
        QVERIFY(!f.view.usesOpenGL());
        QVERIFY(!qobject_cast<QOpenGLWidget *>(f.view.viewport()));
        const QImage image = f.view.viewport()->grab().toImage();
        // The centre (scanner) is white with grid lines; not a black canvas.
        int light = 0, grid = 0, samples = 0;
        for (int y = 0; y < image.height(); y += 3)
            for (int x = 0; x < image.width(); x += 3, ++samples) {
                const int g = qGray(image.pixel(x, y));
                light += g > 200;
                grid += g > 100 && g <= 200;
            }
        QVERIFY2(light > samples / 2, qPrintable(QString::number(light)));
        QVERIFY(grid > 0);
    }
};

QTEST_MAIN(TestViewWindow)
#include "tst_viewwindow.moc"
