// Not a test: the main window's form with the sensor dock over an Ethernet
// link, for looking at the dock in either language and scrolled to either end
// (QM_SCREENSHOT_CMD="build/tests/sensor/shot_sensor_dock en bottom" scripts/screenshot;
// scripts/manual-shots takes the manual's pictures of it).
#include "sensordock.h"
#include "shotcrops.h"

#include <QApplication>
#include <QLayout>
#include <QScrollBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    SensorDock dock(1);
    dock.setting->retranslate(args.contains(QStringLiteral("en")) ? 1 : 0);
    dock.showBlock({{15, 0}, {21, 0}}); // both dependent rows disabled
    // As the main window lays it out: the other right-hand docks hidden, the
    // page as wide as its rows want.
    for (QDockWidget *other : {dock.ui.DataTableDock, dock.ui.IOSimulationDock, dock.ui.SelfCheckDock})
        other->hide();
    dock.ui.SensorParaContents->ensurePolished();
    dock.ui.SensorParaContents->layout()->activate(); // the new texts' widths
    dock.ui.SensorScrollArea->setMinimumWidth(dock.ui.SensorParaContents->sizeHint().width()
                                              + 2 * dock.ui.SensorScrollArea->frameWidth()
                                              + dock.ui.SensorScrollArea->verticalScrollBar()->sizeHint().width());
    dock.window->resize(1190, 715);
    dock.window->show();
    ShotCrops crops(dock.window.get()); // for scripts/manual-shots
    crops.addWidget(QStringLiteral("SensorSettingDock"));
    if (args.contains(QStringLiteral("bottom"))) {
        QScrollBar *bar = dock.ui.SensorScrollArea->verticalScrollBar();
        bar->setValue(bar->maximum());
    }
    return app.exec();
}
