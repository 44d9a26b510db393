// The main window's side of the live display: the data table of the latest
// scan and its dock action, the intrusions over the zones and the teach-in
// of a zone from the live scan. The outline, intensity and intrusion items
// belong to the scene; the link fills the buffers they all read.

#include "mainwindow.h"

#include "area_table.h"
#include "areahistory.h"
#include "coord_table.h"
#include "data_table.h"
#include "dialogseam.h"
#include "edit_control.h"
#include "livescan.h"
#include "option_scene.h"
#include "paint_intrusion.h"
#include "paint_outline.h"
#include "serial_comm.h"
#include "shapekind.h"
#include "teachin.h"
#include "teachrun.h"
#include "ui_mainwindow.h"

#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <memory>

// The dock's label above the table names the scan listed.
void MainWindow::createDataTable()
{
    dataTable = new DATA_TABLE(m_link, ui->DataTableWidget, ui->label_Timestamp);
}

// Made before the scene's receivers of the same signals: the table is
// refilled before the items redraw.
void MainWindow::connectDataTable()
{
    connect(link, &SERIAL_COMM::ReceiveScanfData, dataTable, &DATA_TABLE::DataTableWidgetDisplay);
    connect(link, &SERIAL_COMM::ReceiveIntensityData, dataTable, &DATA_TABLE::DataTableWidgetDisplay);
}

// The table lists what a connected scanner sends: its action is offered
// while connected, and a disconnection puts the dock away.
void MainWindow::setDataTableAvailable(bool connected)
{
    ui->DataTable->setEnabled(connected);
    if (connected)
        return;
    ui->DataTable->setChecked(false);
    ui->DataTableDock->hide();
}

void MainWindow::ShowIntrusionsSlot(bool) { updateLiveTools(); }

void MainWindow::updateLiveTools()
{
    const bool shown = optionScene->paintOutline()->isVisible();
    // Intrusions show over a replay too; zones are taught from a scanner.
    const bool live = isConnected() && shown;
    if (!live)
        m_teach.output = -1;
    optionScene->paintIntrusion()->setVisible((live || isReplaying()) && shown && ui->DispIntrusions->isChecked());
    const bool teaching = m_teach.output >= 0 || (m_teachRun && m_teachRun->running());
    for (QPushButton *button : {ui->ButtonTeachOut1, ui->ButtonTeachOut2, ui->ButtonTeachOut3})
        button->setEnabled(live && !teaching);
}

void MainWindow::TeachOutputSlot(int output)
{
    if (output < 0 || output > 2 || m_teach.output >= 0 || (m_teachRun && m_teachRun->running()))
        return;
    if (!isConnected() || !optionScene->paintOutline()->isVisible())
        return;
    m_teach = Teach();
    m_teach.output = output;
    m_teach.area = m_data->currentAreaIndex();
    m_teach.reversed = m_link->DirectionReversed;
    m_teach.kind = m_link->ConnectionKind;
    updateLiveTools();
    statusBar()->showMessage(LanguageFlag == 1
                                 ? QStringLiteral("Teaching Out%1 of area %2 from the next %3 scans…")
                                       .arg(output + 1)
                                       .arg(m_teach.area)
                                       .arg(TeachIn::ScanCount)
                                 : QStringLiteral("正在用接下来的 %3 次扫描示教区域 %2 的 Out%1…")
                                       .arg(output + 1)
                                       .arg(m_teach.area)
                                       .arg(TeachIn::ScanCount));
}

void MainWindow::teachScanArrived()
{
    if (m_teach.output < 0)
        return;
    const int n = LiveScan::sampleCount(*m_link);
    if (n <= 0)
        return;
    // A scan of another length or geometry starts the collection again.
    if (n != m_teach.nearest.size() || m_link->DirectionReversed != m_teach.reversed
        || m_link->ConnectionKind != m_teach.kind) {
        m_teach.nearest.clear();
        m_teach.scans = 0;
        m_teach.reversed = m_link->DirectionReversed;
        m_teach.kind = m_link->ConnectionKind;
    }
    const QVector<quint16> &buffer = m_link->ConnectionKind == 0 ? m_link->SerialDistances : m_link->NetDistances;
    TeachIn::keepNearest(m_teach.nearest, buffer.mid(0, n));
    if (++m_teach.scans >= TeachIn::ScanCount)
        finishTeach();
}

void MainWindow::finishTeach()
{
    const Teach teach = m_teach;
    m_teach.output = -1;

    // Each beam's angle in the vehicle's frame.
    const int n = teach.nearest.size();
    QVector<double> degrees(n);
    for (int i = 0; i < n; ++i) {
        const double a = LiveScan::scannerDegrees(*m_link, i);
        degrees[i] = teach.reversed ? 180.0 - a : a;
    }
    QSpinBox *const margins[] = {ui->TeachMarginOut1, ui->TeachMarginOut2, ui->TeachMarginOut3};
    // The polygon is searched off the GUI thread; the buttons stay off
    // until it is in the area.
    if (!m_teachRun)
        m_teachRun = new TeachRun(this);
    auto once = std::make_shared<QMetaObject::Connection>();
    *once = connect(m_teachRun, &TeachRun::finished, this,
                    [this, teach, once](const std::optional<QVector<QPoint>> &points) {
                        disconnect(*once);
                        applyTeach(teach.output, teach.area, points);
                    });
    m_teachRun->start(degrees, teach.nearest, margins[teach.output]->value());
    updateLiveTools();
}

void MainWindow::applyTeach(int output, int area, const std::optional<QVector<QPoint>> &points)
{
    updateLiveTools();
    const bool english = LanguageFlag == 1;
    if (!points) {
        statusBar()->clearMessage();
        DialogSeam::current()->notify(
            DialogSeam::Icon::Warning, english ? QStringLiteral("Teach") : QStringLiteral("示教"),
            english ? QStringLiteral("Nothing was taught: no beam returned an echo, or something lies within the "
                                     "margin of the scanner.")
                    : QStringLiteral("示教未完成：没有任何回波，或扫描仪周围余量内有障碍物。"),
            english ? QStringLiteral("OK") : QStringLiteral("确定"));
        return;
    }

    // One undo step brings the zone back as it was: should the area hold an
    // edit no snapshot took (a paste, a read), it is taken first.
    AreaHistory history(m_data);
    const QVector<AreaRecord> &snapshots = m_data->UndoHistory[area];
    const int index = qBound(0, m_data->UndoIndex[area], snapshots.size() - 1);
    if (snapshots.isEmpty() || snapshots.at(index) != m_data->Areas[area])
        history.save(area);
    AreaRecord &record = m_data->Areas[area];
    record.shape(output) = Polygon;
    record.points(output) = *points;
    history.save(area);
    showModified();

    coordTable->CoordTableWidgeUpdate();
    editControl->EditControlUpdateEditData();
    if (area == m_data->currentAreaIndex())
        areaTable->SetEditAreaTableDisplay();
    areaTable->AreaTableWidgetAllDisplay();
    optionScene->UpdataPaintOutline();
    optionScene->CoordTableUpdatePointItem();
    statusBar()->showMessage(english ? QStringLiteral("Out%1 of area %2 taught: %3 points.")
                                           .arg(output + 1)
                                           .arg(area)
                                           .arg(points->size())
                                     : QStringLiteral("区域 %2 的 Out%1 已示教：%3 个点。")
                                           .arg(output + 1)
                                           .arg(area)
                                           .arg(points->size()));
}
