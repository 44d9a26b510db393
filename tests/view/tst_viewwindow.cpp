#include "labelcache.h"
#include "scenefixture.h"
#include "viewportchoice.h"

#include <QOpenGLWidget>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <cmath>
#include <tuple>

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
        QTest::addColumn<QString>("shown"); // the grid's step in the corner
        QTest::newRow("0.05") << 0.05 << 10000 << 10000 << "10 m";
        QTest::newRow("0.1") << 0.1 << 1000 << 1000 << "1 m";
        QTest::newRow("1") << 1.0 << 100 << 100 << "100 mm";
        QTest::newRow("4") << 4.0 << 10 << 50 << "10 mm";
        QTest::newRow("at 3.5") << 3.5 << 100 << 100 << "100 mm";
        QTest::newRow("just above 0.378929") << 0.37893 << 100 << 100 << "100 mm";
        QTest::newRow("at 0.378929") << 0.378929 << 1000 << 1000 << "1 m";
    }
    void gridAndLabelStepsFollowTheScale()
    {
        QFETCH(double, scale);
        QFETCH(int, grid);
        QFETCH(int, label);
        QFETCH(QString, shown);
        QCOMPARE(ViewWindow::gridStep(scale), grid);
        QCOMPARE(ViewWindow::labelStep(scale), label);
        QCOMPARE(ViewWindow::gridStepText(grid, 1), "Grid: " + shown);
        QCOMPARE(ViewWindow::gridStepText(grid, 0), QStringLiteral("网格：") + shown);
    }

    // Fit: the current area's zones fill most of the view, centred; with
    // none, the whole scene shows.
    void fitShowsTheZones_data()
    {
        QTest::addColumn<QVector<QPoint>>("points");
        QTest::addColumn<int>("level");
        // A polygon zone reaches to the scanner: 800 x 1400 mm and 20 x 12 m
        // in a viewport of 981 pixels, 0.9 of it filled.
        QTest::newRow("a small zone ahead") << QVector<QPoint>{{-400, 600}, {400, 600}, {400, 1400}, {-400, 1400}} << 216;
        QTest::newRow("a wide zone off centre")
            << QVector<QPoint>{{2000, -3000}, {20000, -3000}, {20000, 9000}, {2000, 9000}} << 25;
        QTest::newRow("no zone") << QVector<QPoint>{} << -55;
    }
    void fitShowsTheZones()
    {
        QFETCH(QVector<QPoint>, points);
        QFETCH(int, level);
        SceneFixture f;
        f.area().Out2Shape = f.area().Out3Shape = Polygon; // no zones derived from Out1
        f.setOutput(0, Polygon, points);
        QSignalSpy slider(&f.view, &ViewWindow::ChangeMatrixSignal);
        f.view.fitTo(f.controller.fitRect());
        QCOMPARE(f.view.zoomLevel(), level);
        QCOMPARE(slider.count(), 1);
        QRectF scene(0, 0, 1, 1);
        for (const QPoint &p : points)
            scene |= QRectF(p.x(), -p.y(), 1, 1);
        const QRect shown = f.view.mapFromScene(scene).boundingRect();
        const QRect view = f.view.viewport()->rect();
        QVERIFY(points.isEmpty() || view.contains(shown));
        QVERIFY((shown.center() - view.center()).manhattanLength() <= 2 || points.isEmpty());
    }

    // Axis labels laid out once land on the pixels drawText gives; the cache
    // keeps one font, and only so many texts.
    void cachedLabelsDrawLikeText()
    {
        QImage direct(160, 60, QImage::Format_ARGB32_Premultiplied), cached = direct;
        LabelCache cache;
        int most = 0;
        for (const auto &[text, points, at] : {std::make_tuple("-12.5", 8.0, QPointF(10, 20)),
                                               std::make_tuple("36", 20.0, QPointF(40.5, 45.25))}) {
            QFont font(QStringLiteral("Times"));
            font.setPointSizeF(points);
            for (QImage *image : {&direct, &cached, &cached}) { // the second time from the cache
                image->fill(Qt::white);
                QPainter p(image);
                p.setFont(font);
                image == &direct ? p.drawText(at, text) : cache.draw(&p, at, text);
            }
            QCOMPARE(cache.size(), 1);
            QCOMPARE(cached, direct);
            QPainter c(&cached);
            c.setFont(font);
            for (int i = 0; i < 3 * LabelCache::Capacity; ++i, most = qMax(most, cache.size()))
                cache.draw(&c, at, QString::number(i));
        }
        QCOMPARE(most, LabelCache::Capacity);
    }

    // The grid's step in the corner is drawn once and kept, and anew for
    // another language.
    void gridStepBadgeFollowsTheLanguage()
    {
        SceneFixture f;
        QImage shown[3];
        for (int i = 0; i < 3; ++i) {
            f.view.setLanguage(i == 1 ? 0 : 1);
            const QImage image = f.view.viewport()->grab().toImage();
            shown[i] = image.copy(image.width() - 160, 0, 160, 40);
        }
        QVERIFY(shown[1] != shown[0]);
        QCOMPARE(shown[2], shown[0]);
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
            // The choice as the settings keep it.
            ViewportChoice::store(ViewportChoice::parse(override));
            QCOMPARE(ViewportChoice::useOpenGL(ViewportChoice::configured(), renderer), openGL);
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
