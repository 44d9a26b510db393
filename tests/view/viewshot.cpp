// Shows editor views with chosen zones, for screenshots under Xvfb:
//   viewshot out1|out2|out3|zoom [grab.png]
// out1: the three shapes of the first output; out2/out3: every shape of the
// second/third output over the zone before it; zoom: class 30 at its
// minimum zoom, at scale 1 and at the maximum zoom.
#include "editdata.h"
#include "option_scene.h"
#include "viewwindow.h"

#include <QApplication>
#include <QGraphicsScene>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>
#include <vector>

namespace {
struct Pane
{
    EditData data;
    int deviceClass = 1;
    QGraphicsScene scene;
    ViewWindow *view = nullptr;
    std::unique_ptr<OPTION_SCENE> controller;
};

const QVector<QPoint> kBase{{-2200, 300}, {-2000, 3000}, {-600, 4200}, {800, 4000}, {2300, 2600}, {2000, -300}};
const QVector<QPoint> kInner{{-1500, 200}, {-1200, 2200}, {300, 2800}, {1600, 1800}, {1400, -200}};

QVector<QPoint> pointsFor(int shape)
{
    switch (shape) {
    case Polygon: return kInner;
    case Arc: return {{2000, 1000}, {-800, 2000}};
    case Rectangle: return {{-1200, 500}, {-1200, 2500}, {1500, 2500}, {1500, 500}};
    case Straight: return {{0, 2000}};
    case Fan: return {{0, 2500}};
    default: return {{0, 2100}};
    }
}

const char *kShapeNames[] = {"Polygon", "Arc", "Rectangle", "Straight", "Fan", "Ratio"};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("out1");

    QWidget window;
    auto *grid = new QGridLayout(&window);
    std::vector<std::unique_ptr<Pane>> panes;

    auto addPane = [&](const QString &title, int row, int col, int deviceClass, int level, const QPointF &centre,
                       const std::function<void(EditData &)> &fill) {
        auto pane = std::make_unique<Pane>();
        pane->deviceClass = deviceClass;
        fill(pane->data);
        auto *box = new QWidget;
        auto *lay = new QVBoxLayout(box);
        lay->setContentsMargins(2, 2, 2, 2);
        lay->addWidget(new QLabel(title));
        pane->view = new ViewWindow;
        lay->addWidget(pane->view);
        pane->controller = std::make_unique<OPTION_SCENE>(&pane->deviceClass, &pane->scene, &pane->data, nullptr,
                                                          pane->view->zoneItemList());
        OPTION_SCENE *c = pane->controller.get();
        QObject::connect(pane->view, qOverload<double>(&ViewWindow::ChangeSetupMatrix), c, &OPTION_SCENE::ChangeScaleSize);
        QObject::connect(pane->view, &ViewWindow::AddCenterPointItem, c, &OPTION_SCENE::AddCenterPointItemSlots);
        QObject::connect(pane->view, &ViewWindow::MovePointItem, c, &OPTION_SCENE::MovePointItemSlots);
        QObject::connect(pane->view, &ViewWindow::DeletePointItem, c, &OPTION_SCENE::DeletePointItemSlots);
        pane->view->setScene(&pane->scene);
        pane->controller->SetDeviceClass(&pane->deviceClass);
        pane->view->SetDeviceClass(&pane->deviceClass);
        pane->view->ChangeSetupMatrix(level);
        pane->controller->CoordTableUpdatePointItem();
        pane->view->centerOn(centre);
        grid->addWidget(box, row, col);
        fprintf(stderr, "%s: %s viewport\n", qPrintable(title), pane->view->usesOpenGL() ? "OpenGL" : "raster");
        panes.push_back(std::move(pane));
    };

    const QPointF ahead(0, -1900);
    if (mode == QLatin1String("out1")) {
        for (int shape = 0; shape < 3; ++shape)
            addPane(QStringLiteral("Out1 %1 (current)").arg(kShapeNames[shape]), 0, shape, 1, 60, ahead,
                    [shape](EditData &d) {
                        d.Areas[0].Out1Shape = shape;
                        d.Areas[0].Out1Points = shape == Polygon ? kBase : pointsFor(shape);
                    });
        // Move a handle after the first frames: the partial repaint must leave the rest intact.
        QTimer::singleShot(1200, [&] {
            OPTION_SCENE *c = panes[0]->controller.get();
            c->handles()[3]->setPos(1200, -4600);
            c->MovePointItemSlots(c->handles()[3]);
            panes[0]->scene.update();
        });
    } else if (mode == QLatin1String("out2") || mode == QLatin1String("out3")) {
        const int out = mode == QLatin1String("out2") ? 1 : 2;
        for (int shape = 0; shape < 6; ++shape)
            addPane(QStringLiteral("Out%1 %2 (current)").arg(out + 1).arg(kShapeNames[shape]), shape / 3, shape % 3, 1,
                    60, ahead, [shape, out](EditData &d) {
                        AreaRecord &a = d.Areas[0];
                        a.Out1Points = kBase;
                        if (out == 2) {
                            a.Out2Shape = Ratio; // third output derives from the first's zone then
                            a.Out2Points = {{0, 3500}};
                        }
                        a.shape(out) = shape;
                        a.points(out) = pointsFor(shape);
                        d.CurrentOutput = out;
                    });
    } else {
        auto fill = [](EditData &d) {
            d.Areas[0].Out1Points = kBase;
            d.Areas[0].Out2Shape = Straight;
            d.Areas[0].Out2Points = {{0, 2500}};
            d.Areas[0].Out3Shape = Fan;
            d.Areas[0].Out3Points = {{0, 1500}};
        };
        addPane(QStringLiteral("Class 30, minimum zoom (-55)"), 0, 0, 3, -55, QPointF(0, 0), fill);
        addPane(QStringLiteral("Scale 1 (250)"), 0, 1, 3, 250, QPointF(0, -200), fill);
        addPane(QStringLiteral("Maximum zoom (350)"), 1, 0, 3, 350, QPointF(-10, -1000), fill);
        addPane(QStringLiteral("Scale 0.1 (84)"), 1, 1, 3, 84, QPointF(0, -1500), fill);
        addPane(QStringLiteral("Maximum zoom behind the scanner"), 0, 2, 3, 350, QPointF(0, 20), fill);
        addPane(QStringLiteral("Class 50, maximum zoom, 45 m out"), 1, 2, 4, 350, QPointF(-31820, -31820),
                [](EditData &d) {
                    d.Areas[0].Out1Points = {{-50000, 100}, {-50000, 50000}, {50000, 50000}, {50000, 100}};
                });
    }

    window.resize(1270, 790);
    window.move(0, 0);
    window.show();
    if (argc > 2) { // save a grab and quit (raster viewports only: a GL viewport grabs white)
        const QString out = QString::fromLocal8Bit(argv[2]);
        QTimer::singleShot(1500, [&window, &app, out] {
            if (!window.grab().save(out))
                fprintf(stderr, "cannot save %s\n", qPrintable(out));
            app.quit();
        });
    }
    return app.exec();
}
