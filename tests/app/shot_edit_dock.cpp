// Not a test: starts the main window with a few areas drawn, for looking at
// the edit dock and the whole window, in either language, at any size and
// with the docks a connection opens
// (QM_SIZE=1040x680 QM_SCREENSHOT_CMD="build/tests/app/shot_edit_dock en docks 1024x640" scripts/screenshot).
#include "editdata.h"
#include "mainwindow.h"

#include <QApplication>
#include <QDockWidget>
#include <QRegularExpression>
#include <QTableWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The edit controls make area 0 all polygons when they are built, so the
    // areas are filled once the window stands.
    MainWindow window;
    EditData &data = EditData::instance();
    AreaRecord &a0 = data.Areas[0];
    a0.Out1Points = {QPoint(-1800, -200), QPoint(-1800, 2600), QPoint(0, 3400), QPoint(1800, 2600),
                     QPoint(1800, -200)};
    a0.Out2Shape = Straight;
    a0.Out2Points = {QPoint(0, 1800)};
    a0.Out3Shape = Fan;
    a0.Out3Points = {QPoint(0, 1200)};
    AreaRecord &a1 = data.Areas[1];
    a1.Out1Shape = Arc;
    a1.Out1Points = {QPoint(4000, -500), QPoint(-4000, -500)};
    a1.Out2Shape = Ratio;
    a1.Out2Points = {QPoint(0, 2000)};
    a1.Out3Shape = Polygon;
    a1.Out3Points = {QPoint(600, 300), QPoint(0, 1200), QPoint(-600, 300)};
    AreaRecord &a2 = data.Areas[2];
    a2.Out1Shape = Rectangle;
    a2.Out1Points = {QPoint(-900, 0), QPoint(-900, 5000), QPoint(900, 5000), QPoint(900, 0)};
    a2.Out2Shape = Rectangle;
    a2.Out2Points = {QPoint(-700, 0), QPoint(-700, 3000), QPoint(700, 3000), QPoint(700, 0)};
    a2.Out3Points = {QPoint(500, 500), QPoint(-500, 500), QPoint(0, 1500)};

    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("en")))
        window.LanguageToEnglish();
    for (const QString &arg : args) {
        const QRegularExpressionMatch size = QRegularExpression(QStringLiteral("^(\\d+)x(\\d+)$")).match(arg);
        if (size.hasMatch()) {
            window.move(0, 0);
            window.resize(size.captured(1).toInt(), size.captured(2).toInt());
        }
    }
    window.show();
    // The docks a connection opens.
    if (args.contains(QStringLiteral("docks")))
        for (const char *name : {"IOSimulationDock", "SelfCheckDock"})
            window.findChild<QDockWidget *>(QLatin1String(name))->show();
    // Area 0 is current already; choosing 1 and then 0 fills the editors.
    if (auto *areas = window.findChild<QTableWidget *>(QStringLiteral("AreaTableWidget"))) {
        emit areas->cellClicked(1, 0);
        emit areas->cellClicked(0, 0);
        areas->selectRow(0);
    }
    return app.exec();
}
