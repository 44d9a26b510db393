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
#include "zonegeometry.h"

#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QLabel>
#include <QPen>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <memory>

namespace {
// A teach of one scan gives up when no scan comes within this.
constexpr int kOneScanDeadlineMs = 5000;
} // namespace

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
    clearTeachPreview(); // a new teach replaces a preview not decided on
    m_teach = Teach();
    m_teach.output = output;
    m_teach.area = m_data->currentAreaIndex();
    m_teach.reversed = m_link->DirectionReversed;
    m_teach.kind = m_link->ConnectionKind;
    QSpinBox *const times[] = {ui->TeachTimeOut1, ui->TeachTimeOut2, ui->TeachTimeOut3};
    m_teach.seconds = times[output]->value();
    // One scan ends at the first scan; should none come, the teach ends
    // empty-handed rather than wait for ever.
    m_teachTimer.start(m_teach.seconds > 0 ? m_teach.seconds * 1000 : kOneScanDeadlineMs);
    updateLiveTools();
    const bool english = LanguageFlag == 1;
    const QString what = english ? QStringLiteral("Teaching Out%1 of area %2").arg(output + 1).arg(m_teach.area)
                                 : QStringLiteral("正在示教区域 %2 的 Out%1").arg(output + 1).arg(m_teach.area);
    const QString how = m_teach.seconds == 0
        ? (english ? QStringLiteral(" from the next scan…") : QStringLiteral("，用下一次扫描…"))
        : (english ? QStringLiteral(" over %1 s…") : QStringLiteral("，持续 %1 秒…")).arg(m_teach.seconds);
    statusBar()->showMessage(what + how);
}

void MainWindow::teachTimeUp()
{
    if (m_teach.output >= 0)
        finishTeach();
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
    ++m_teach.scans;
    if (m_teach.seconds == 0)
        finishTeach();
}

void MainWindow::finishTeach()
{
    const Teach teach = m_teach;
    m_teach.output = -1;
    m_teachTimer.stop();

    // Each beam's angle in the vehicle's frame.
    const int n = teach.nearest.size();
    QVector<double> degrees(n);
    for (int i = 0; i < n; ++i) {
        const double a = LiveScan::scannerDegrees(*m_link, i);
        degrees[i] = teach.reversed ? 180.0 - a : a;
    }
    QSpinBox *const margins[] = {ui->TeachMarginOut1, ui->TeachMarginOut2, ui->TeachMarginOut3};
    const int margin = margins[teach.output]->value();
    // The polygon is searched off the GUI thread; the buttons stay off
    // until its preview is shown.
    if (!m_teachRun)
        m_teachRun = new TeachRun(this);
    auto once = std::make_shared<QMetaObject::Connection>();
    *once = connect(m_teachRun, &TeachRun::finished, this,
                    [this, teach, margin, once](const std::optional<QVector<QPoint>> &points) {
                        disconnect(*once);
                        teachFound(teach.output, teach.area, points, margin);
                    });
    m_teachRun->start(degrees, teach.nearest, margin);
    updateLiveTools();
}

void MainWindow::teachFound(int output, int area, const std::optional<QVector<QPoint>> &points, int margin)
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
    showTeachPreview(output, area, *points, margin);
}

void MainWindow::showTeachPreview(int output, int area, const QVector<QPoint> &points, int margin)
{
    clearTeachPreview();
    if (!m_teachPreviewBar) {
        // Beside the status, where messages do not hide it; the view stays
        // free to be zoomed and moved while the user looks.
        m_teachPreviewBar = new QWidget(this);
        auto *layout = new QHBoxLayout(m_teachPreviewBar);
        layout->setContentsMargins(0, 0, 0, 0);
        m_teachPreviewLabel = new QLabel;
        auto *accept = new QPushButton;
        accept->setObjectName(QStringLiteral("TeachAccept"));
        auto *discard = new QPushButton;
        discard->setObjectName(QStringLiteral("TeachDiscard"));
        layout->addWidget(m_teachPreviewLabel);
        layout->addWidget(accept);
        layout->addWidget(discard);
        statusBar()->addPermanentWidget(m_teachPreviewBar);
        connect(accept, &QPushButton::clicked, this, &MainWindow::acceptTeachPreview);
        connect(discard, &QPushButton::clicked, this, [this] {
            const int area = m_teachPreviewArea;
            clearTeachPreview();
            statusBar()->showMessage(LanguageFlag == 1
                                         ? QStringLiteral("Teach discarded: area %1 is as it was.").arg(area)
                                         : QStringLiteral("示教已放弃：区域 %1 保持原样。").arg(area));
        });
    }
    m_teachPreviewOutput = output;
    m_teachPreviewArea = area;
    m_teachPreviewPoints = points;
    m_teachPreviewMargin = margin;
    retranslateTeachPreview();

    // Over the live scan, above the zones and the outline.
    QPainterPath path;
    path.addPolygon(ZoneGeometry::angularPolygon(points));
    path.closeSubpath();
    m_teachPreviewItem = new QGraphicsPathItem(path);
    QPen pen(QColor(255, 120, 0), 2, Qt::DashLine);
    pen.setCosmetic(true);
    m_teachPreviewItem->setPen(pen);
    m_teachPreviewItem->setBrush(QColor(255, 120, 0, 50));
    m_teachPreviewItem->setZValue(7);
    scene->addItem(m_teachPreviewItem);
    m_teachPreviewBar->show();
    statusBar()->clearMessage();
}

void MainWindow::retranslateTeachPreview()
{
    if (!m_teachPreviewBar)
        return;
    const bool english = LanguageFlag == 1;
    m_teachPreviewLabel->setText(
        (english ? QStringLiteral("Preview: Out%1 of area %2, %3 points, margin %4 mm")
                 : QStringLiteral("预览：区域 %2 的 Out%1，%3 个点，余量 %4 mm"))
            .arg(m_teachPreviewOutput + 1)
            .arg(m_teachPreviewArea)
            .arg(m_teachPreviewPoints.size())
            .arg(m_teachPreviewMargin));
    m_teachPreviewBar->findChild<QPushButton *>(QStringLiteral("TeachAccept"))
        ->setText(english ? QStringLiteral("Accept") : QStringLiteral("接受"));
    m_teachPreviewBar->findChild<QPushButton *>(QStringLiteral("TeachDiscard"))
        ->setText(english ? QStringLiteral("Discard") : QStringLiteral("放弃"));
}

void MainWindow::clearTeachPreview()
{
    delete m_teachPreviewItem; // leaves the scene as it goes
    m_teachPreviewItem = nullptr;
    m_teachPreviewPoints.clear();
    if (m_teachPreviewBar)
        m_teachPreviewBar->hide();
}

void MainWindow::acceptTeachPreview()
{
    if (m_teachPreviewPoints.isEmpty())
        return;
    const int output = m_teachPreviewOutput;
    const int area = m_teachPreviewArea;
    const QVector<QPoint> points = m_teachPreviewPoints;
    clearTeachPreview();

    // One undo step brings the zone back as it was.
    AreaHistory history(m_data);
    history.saveUnrecorded(area);
    AreaRecord &record = m_data->Areas[area];
    record.shape(output) = Polygon;
    record.points(output) = points;
    history.save(area);
    showModified();

    coordTable->CoordTableWidgeUpdate();
    editControl->EditControlUpdateEditData();
    if (area == m_data->currentAreaIndex())
        areaTable->SetEditAreaTableDisplay();
    areaTable->AreaTableWidgetAllDisplay();
    optionScene->UpdataPaintOutline();
    optionScene->CoordTableUpdatePointItem();
    statusBar()->showMessage(LanguageFlag == 1 ? QStringLiteral("Out%1 of area %2 taught: %3 points.")
                                                     .arg(output + 1)
                                                     .arg(area)
                                                     .arg(points.size())
                                               : QStringLiteral("区域 %2 的 Out%1 已示教：%3 个点。")
                                                     .arg(output + 1)
                                                     .arg(area)
                                                     .arg(points.size()));
}
