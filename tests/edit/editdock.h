#pragma once

// The edit dock's widgets as the main window's form provides them, built by
// hand so the controllers can be driven through real widgets offscreen, and
// the controllers joined the way the main window joins them.
#include "area_table.h"
#include "coord_table.h"
#include "edit_control.h"
#include "editdata.h"
#include "widgetdriving.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <memory>

struct EditDock
{
    EditData data;
    std::unique_ptr<QWidget> window{new QWidget};
    QTabWidget *tab = new QTabWidget;
    QComboBox *openDelay = new QComboBox;
    QComboBox *closeDelay = new QComboBox;
    QComboBox *hysteresis = new QComboBox;
    QComboBox *detectionSize = new QComboBox;
    QSpinBox *steerMin = new QSpinBox;
    QSpinBox *steerMax = new QSpinBox;
    QSpinBox *speedMin = new QSpinBox;
    QSpinBox *speedMax = new QSpinBox;
    QComboBox *optionMode = new QComboBox;
    QPushButton *shape[3][6];
    QTableWidget *areaTable = new QTableWidget;
    QTableWidget *cartesian[3];
    QTableWidget *polar[3];
    QAction *copy;
    QAction *cut;
    QAction *paste;
    QAction *del;

    std::unique_ptr<AREA_TABLE> areas;
    std::unique_ptr<COORD_TABLE> coords;
    std::unique_ptr<EDIT_CONTROL> controls;

    EditDock()
    {
        for (int i = 0; i < 3; ++i)
            tab->addTab(new QWidget, QStringLiteral("Out %1").arg(i + 1));
        for (int i = 0; i <= 25; ++i) {
            openDelay->addItem(QStringLiteral("%1ms").arg(i * 20));
            closeDelay->addItem(QStringLiteral("%1ms").arg(i * 20));
        }
        hysteresis->addItem(QStringLiteral("Close"));
        for (int i = 1; i <= 10; ++i)
            hysteresis->addItem(QStringLiteral("%1%").arg(i));
        for (int i = 1; i <= 10; ++i)
            detectionSize->addItem(QString::number(i * 0.5, 'f', 1) + QChar(0xB0));
        for (int i = 0; i <= 4; ++i)
            optionMode->addItem(QStringLiteral("Type %1").arg(i));

        auto *grid = new QGridLayout(window.get());
        grid->addWidget(tab, 0, 0);
        QWidget *params[] = {openDelay, closeDelay, hysteresis, detectionSize, steerMin,
                             steerMax,  speedMin,   speedMax,   optionMode};
        for (int i = 0; i < 9; ++i)
            grid->addWidget(params[i], 1 + i / 3, i % 3);
        static const char *names[] = {"Polygon", "Arc", "Rectangle", "Straight", "Fan", "Ratio"};
        for (int out = 0; out < 3; ++out) {
            for (int k = 0; k < 6; ++k) {
                shape[out][k] = new QPushButton(QStringLiteral("%1%2").arg(names[k]).arg(out + 1));
                grid->addWidget(shape[out][k], 4 + out, k);
            }
            cartesian[out] = new QTableWidget;
            polar[out] = new QTableWidget;
            grid->addWidget(cartesian[out], 7, out);
            grid->addWidget(polar[out], 8, out);
        }
        grid->addWidget(areaTable, 0, 3, 9, 3);
        copy = new QAction(QStringLiteral("Copy"), window.get());
        cut = new QAction(QStringLiteral("Cut"), window.get());
        paste = new QAction(QStringLiteral("Paste"), window.get());
        del = new QAction(QStringLiteral("Delete"), window.get());
        window->resize(1400, 1000);
    }

    void createControllers()
    {
        areas.reset(new AREA_TABLE(&data, areaTable, copy, cut, paste, del));
        coords.reset(new COORD_TABLE(&data, cartesian[0], cartesian[1], cartesian[2], polar[0], polar[1], polar[2]));
        controls.reset(new EDIT_CONTROL(&data, tab, openDelay, closeDelay, hysteresis, detectionSize, steerMin,
                                        steerMax, speedMin, speedMax, optionMode, shape[0][0], shape[0][1],
                                        shape[0][2], shape[0][3], shape[0][4], shape[0][5], shape[1][0],
                                        shape[1][1], shape[1][2], shape[1][3], shape[1][4], shape[1][5],
                                        shape[2][0], shape[2][1], shape[2][2], shape[2][3], shape[2][4],
                                        shape[2][5]));
    }

    // The main window's connections among the three controllers, in its order.
    void wire()
    {
        AREA_TABLE *a = areas.get();
        COORD_TABLE *c = coords.get();
        EDIT_CONTROL *e = controls.get();
        QObject::connect(a, &AREA_TABLE::AreaTableIndexChange, c, &COORD_TABLE::CoordTableWidgeUpdate);
        QObject::connect(a, &AREA_TABLE::AreaTableIndexChange, e, &EDIT_CONTROL::EditControlUpdateEditData);
        QObject::connect(a, &AREA_TABLE::EditAreaDataSignal, c, &COORD_TABLE::CoordTableWidgeUpdate);
        QObject::connect(a, &AREA_TABLE::EditAreaDataSignal, e, &EDIT_CONTROL::EditControlUpdateEditData);
        QObject::connect(e, &EDIT_CONTROL::EditControlShapeChangeSignal, c, &COORD_TABLE::CoordTableWidgeUpdate);
        QObject::connect(e, &EDIT_CONTROL::EditControlShapeChangeSignal, a, &AREA_TABLE::SaveUndoAreaTableData);
        QObject::connect(e, &EDIT_CONTROL::EditControlParaChangeSignal, a, &AREA_TABLE::SaveUndoAreaTableData);
        QObject::connect(c, &COORD_TABLE::CoordTableEditSignal, a, &AREA_TABLE::SaveUndoAreaTableData);
        QObject::connect(c, &COORD_TABLE::CoordTableEditSignal, a, &AREA_TABLE::SetEditAreaTableDisplay);
        QObject::connect(c, &COORD_TABLE::CoordTableEditSignal, a, &AREA_TABLE::AreaTableWidgetCurDisplay);
    }

    bool show()
    {
        window->show();
        QApplication::setActiveWindow(window.get());
        return QTest::qWaitForWindowExposed(window.get());
    }

    static bool editCell(QTableWidget *table, int row, int column, const QString &text)
    {
        return WidgetDriving::editCell(table, row, column, text);
    }
    static void clickRow(QTableWidget *table, int row) { WidgetDriving::clickRow(table, row); }
    static void choose(QComboBox *combo, int index) { WidgetDriving::choose(combo, index); }
};
