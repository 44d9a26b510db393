#include "mainwindow.h"

#include "about.h"
#include "area_table.h"
#include "coord_table.h"
#include "create.h"
#include "data_table.h"
#include "ethnertsetting.h"
#include "forminformation.h"
#include "io_simulation.h"
#include "settingsdialog.h"
#include "dialogseam.h"
#include "edit_control.h"
#include "flowlayout.h"
#include "option_scene.h"
#include "polar.h"
#include "sensor_setting.h"
#include "serial_comm.h"
#include "linkrecorder.h"
#include "replayplayer.h"
#include "ui_mainwindow.h"
#include "viewwindow.h"
#include "wheelguard.h"
#include "widgetdialogs.h"

#include <QCloseEvent>
#include <QGraphicsScene>
#include <QScrollArea>
#include <QScrollBar>
#include <QSerialPort>
#include <QTcpSocket>
#include <QToolBar>
#include <QToolButton>
#include <QUdpSocket>

// The resources live in the static qm_app library; without an explicit
// reference the linker would drop them from the program.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(translations);
}

namespace {
// Lowest zoom level of each device class: the whole scene is in view there.
constexpr int kZoomMinimum[DeviceClasses::Count] = {70, 30, -20, -55, -90};
constexpr int kZoomMaximum = 350;
} // namespace

MainWindow::MainWindow(EditData *data, DialogSeam *dialogs, QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), m_data(data ? data : &EditData::instance())
{
    initResources();
    ui->setupUi(this);
    resize(1190, 715);
    // No translation is installed yet: these are the form's own item texts.
    for (const QComboBox *combo : findChildren<QComboBox *>()) {
        QStringList &texts = m_formItemTexts[combo];
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
    }

    if (!dialogs) {
        m_ownDialogs = new WidgetDialogs(this);
        dialogs = m_ownDialogs;
    }
    DialogSeam::install(dialogs);
    createDialogs();

    DeviceClass = DeviceClasses::Default;

    scene = new QGraphicsScene;
    Parameters = new SensorParameters(SensorParameters::defaults());
    Control = new ScanControl;
    optionScene = new OPTION_SCENE(&DeviceClass, scene, m_data, m_link, ui->graphicsView->zoneItemList());
    createLink();
    createDataTable();
    createEditControllers();
    createIOSimulation();
    createReplay();
    createReport();
    createComparison();
    createVehicleFields();

    setInitialState();
    setupToolBars();
    setInitialLayout();
    connectActions();
    connectEditing();
    connectView();
    connectLink();
    connectSensorDock();
    connectDialogs();
    connectModifiedMarker();

    ui->graphicsView->setScene(scene);
    ui->graphicsView->centerOn(0, 0);
    ui->graphicsView->SetDeviceClass(&DeviceClass);

    restoreSettings();
    loadRecentProjects();
    createReconnection();

    ui->IOSimulationDock->hide();
    ui->SelfCheckDock->hide();
    ReplayDock->hide(); // a saved layout may hold it open; it opens with a recording
    updateLiveTools();
    SensorControlEnableSlot();
    SensorControlChangeSlot();

    showProjectTitle();

    for (AreaRecord &area : m_data->Areas)
        area.DetectionSize = 1;
    // Show what the model holds (detection size 1.0 degree) from the start.
    editControl->EditControlUpdateEditData();
    showFingerprint();
}

MainWindow::~MainWindow()
{
    // Deleting a connected socket emits disconnected(): not a drop to handle.
    TcpSocket->disconnect(this);
    // A replay or recording open at the close ends before the link goes.
    cancelWhatIf();
    m_player->close();
    link->attachRecorder(nullptr);
    m_recorder->stop();
    delete ioSimulation;
    delete sensorSetting;
    delete editControl;
    delete dataTable;
    delete link;
    delete UdpSocket;
    delete TcpSocket;
    delete SerialPort;
    delete PortLabel;
    delete Welcome;
    delete AboutBox;
    delete SerialDialog;
    delete EthernetDialog;
    delete Information;
    delete coordTable;
    delete areaTable;
    delete optionScene;
    delete scene;
    delete Control;
    delete Parameters;
    if (m_ownDialogs && DialogSeam::current() == m_ownDialogs)
        DialogSeam::install(nullptr);
    delete m_ownDialogs;
    delete ui;
}

void MainWindow::setInitialState()
{
    for (QLineEdit *heading : {ui->ArealineText, ui->RegionsLineText}) {
        heading->setEnabled(false);
        heading->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    }
    for (QAction *a : {ui->ReadAllSetting, ui->WriteAllSetting, ui->DisConnection, ui->SoftReboot,
                       ui->SensorInformation, ui->IOSimulation, ui->SelfCheck, ui->CompareScanner,
                       ui->WriteDifferences})
        a->setEnabled(false);
    ui->Edition->setChecked(true);
    ui->EditionControlDock->show();
    ui->SensorSetting->setChecked(true);
    ui->SensorSettingDock->show();
    ui->DataTable->setEnabled(false);
    ui->DataTable->setChecked(false);
    ui->DataTableDock->hide();
    ui->Distance->setChecked(true);
    ui->Intensity->setChecked(false);
}

void MainWindow::setupToolBars()
{
    auto *areaBar = new QToolBar(ui->AreaEditContents);
    areaBar->setObjectName(QStringLiteral("AreaEditToolBar"));
    areaBar->setIconSize(QSize(20, 20));
    areaBar->addActions({ui->Copy, ui->Cut, ui->Paste, ui->Delete, ui->DeleteAll});
    ui->EditionMenuLayout->addWidget(areaBar);

    auto *sensorBar = new QToolBar(ui->SensorSettingContents);
    sensorBar->setObjectName(QStringLiteral("SensorSettingToolBar"));
    sensorBar->setIconSize(QSize(20, 20));
    sensorBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    sensorBar->addActions({ui->ReadAllSetting, ui->WriteAllSetting});
    ui->SensorMenuLayout->addWidget(sensorBar);

    ui->ZoomIn->setAutoRepeat(true);
    ui->ZoomOut->setAutoRepeat(true);
    setZoomSliderRange(DeviceClass);

    NewProjectButton = new QToolButton(ui->FileToolBar);
    NewProjectButton->setObjectName(QStringLiteral("NewProjectButton"));
    NewProjectButton->setMenu(ui->menuNew);
    NewProjectButton->setPopupMode(QToolButton::MenuButtonPopup);
    NewProjectButton->setIcon(QIcon(QStringLiteral(":/images/newFile.png")));
    NewProjectButton->setIconSize(QSize(24, 24));
    NewProjectButton->setToolTip(ui->menuNew->title());
    ui->FileToolBar->insertWidget(ui->Open, NewProjectButton);
}

void MainWindow::setInitialLayout()
{
    // The lights, the status and the zoom controls under the view go onto as
    // many lines as the width needs.
    auto *panel = new FlowLayout(ui->MonitorPanel, 12, 2);
    panel->setContentsMargins(6, 3, 6, 3);
    for (QWidget *group : {ui->InputsGroup, ui->OutputsGroup, ui->DirectionGroup, ui->StatusGroup, ui->ZoomGroup})
        panel->addWidget(group);
    // The area list keeps its width; the editing pages take the rest.
    ui->splitter->setStretchFactor(0, 0);
    ui->splitter->setStretchFactor(1, 1);
    ui->splitter->setSizes({172, 260});
    ui->splitter_2->setSizes({380, 170});
    resizeDocks({ui->EditionControlDock, ui->SensorSettingDock}, {442, 300}, Qt::Horizontal);
}

void MainWindow::fitDockPages()
{
    // The parameter and simulation pages scroll vertically only: make them as
    // wide as their rows want in the language shown, so no label, list text
    // or number is cut off on the right. The rows are measured once their
    // texts and style are final.
    const QPair<QScrollArea *, QWidget *> pages[] = {{ui->SensorScrollArea, ui->SensorParaContents},
                                                     {ui->IOSimulationScrollArea, ui->IOSimulationContents}};
    for (const auto &page : pages) {
        page.second->ensurePolished();
        page.second->layout()->activate();
        page.first->setMinimumWidth(page.second->sizeHint().width() + 2 * page.first->frameWidth()
                                    + page.first->verticalScrollBar()->sizeHint().width());
    }
    // The two transfer buttons show their texts beside the icons where the
    // page is wide enough for that, else under them.
    auto *bar = ui->SensorSettingContents->findChild<QToolBar *>(QStringLiteral("SensorSettingToolBar"));
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    if (bar->sizeHint().width() > ui->SensorScrollArea->minimumWidth())
        bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

void MainWindow::connectActions()
{
    connect(ui->Open, &QAction::triggered, this, &MainWindow::openfile);
    connect(ui->Save, &QAction::triggered, this, &MainWindow::savefile);
    connect(ui->SaveAs, &QAction::triggered, this, &MainWindow::saveFileAs);
    connect(ui->ClearRecent, &QAction::triggered, this, &MainWindow::clearRecentProjects);
    connect(ui->Quit, &QAction::triggered, this, &QWidget::close);
    connect(ui->DataTable, &QAction::triggered, this, &MainWindow::OpenCloseDataTableDock);
    connect(ui->Edition, &QAction::triggered, this, &MainWindow::OpenCloseEditionDock);
    connect(ui->Monitoring, &QAction::triggered, this, &MainWindow::OpenMonitoringMode);
    connect(ui->SensorSetting, &QAction::triggered, this, &MainWindow::OpenCloseSensorDock);
    connect(ui->IOSimulation, &QAction::triggered, this, &MainWindow::OpenCloseIOSimulationDock);
    connect(ui->SelfCheck, &QAction::triggered, this, &MainWindow::OpenCloseSelfCheck);
    connect(ui->Laser30, &QAction::triggered, this, &MainWindow::CreateDeviceLaser30);
    connect(ui->Laser50, &QAction::triggered, this, &MainWindow::CreateDeviceLaser50);
    connect(ui->DispGraph, &QAction::triggered, this, &MainWindow::OpenDispGraphSlot);
    connect(ui->DispCloud, &QAction::triggered, this, &MainWindow::OpenDispCloudSlot);
    connect(ui->DispLine, &QAction::triggered, this, &MainWindow::OpenDispLineSlot);
    connect(ui->DispIntrusions, &QAction::toggled, this, &MainWindow::ShowIntrusionsSlot);
    connect(ui->ButtonTeachOut1, &QPushButton::clicked, this, [this] { TeachOutputSlot(0); });
    connect(ui->ButtonTeachOut2, &QPushButton::clicked, this, [this] { TeachOutputSlot(1); });
    connect(ui->ButtonTeachOut3, &QPushButton::clicked, this, [this] { TeachOutputSlot(2); });
}

void MainWindow::createEditControllers()
{
    areaTable = new AREA_TABLE(m_data, ui->AreaTableWidget, ui->Copy, ui->Cut, ui->Paste, ui->Delete);
    coordTable = new COORD_TABLE(m_data, ui->CoordTableWidgetOut1, ui->CoordTableWidgetOut2, ui->CoordTableWidgetOut3,
                                 ui->PolarTableWidgeOut1, ui->PolarTableWidgeOut2, ui->PolarTableWidgeOut3);
    editControl = new EDIT_CONTROL(
        m_data, ui->AreaEditTab, ui->Area_OpenDelay, ui->Area_CloseDelay, ui->Area_Hysteresis, ui->Area_DetectionSize,
        ui->SteerMinDgree, ui->SteerMaxDgree, ui->VehicleMinSpeed, ui->VehicleMaxSpeed, ui->VehicleOptionMode,
        ui->ButtonPolygonOut1, ui->ButtonArcOut1, ui->ButtonRectangleOut1, ui->ButtonStraightOut1, ui->ButtonFanOut1,
        ui->ButtonRatioOut1, ui->ButtonPolygonOut2, ui->ButtonArcOut2, ui->ButtonRectangleOut2, ui->ButtonStraightOut2,
        ui->ButtonFanOut2, ui->ButtonRatioOut2, ui->ButtonPolygonOut3, ui->ButtonArcOut3, ui->ButtonRectangleOut3,
        ui->ButtonStraightOut3, ui->ButtonFanOut3, ui->ButtonRatioOut3);
    sensorSetting = new SENSOR_SETTING(
        Parameters, ui->Para_ControlMode, ui->Para_RS232BaudRate, ui->Para_RS232CommVerify, ui->Para_RS232StopBit,
        ui->Para_RS485IDAddress, ui->Para_RS485BaudRate, ui->Para_RS485CommVerify, ui->Para_RS485StopBit,
        ui->Para_CANIDAddress, ui->Para_CANBaudRate, ui->Para_SensorOutputLogic, ui->Para_ScanMotorSpeed,
        ui->Para_ScanSensorAngle, ui->Para_ScanFilterLevel, ui->Para_SensorInstallDir, ui->Para_CrossFilterEnable,
        ui->Para_CrossFilterNumber, ui->Para_SensorEtherMode, ui->Para_SensorIPAddress1, ui->Para_SensorIPAddress2,
        ui->Para_SensorIPAddress3, ui->Para_SensorIPAddress4, ui->Para_LaserMeasureFrq, ui->Para_LaserStopSignal,
        ui->Para_TrailiFilterLevel, ui->Para_DirtyReceDistance, ui->Para_DirtyReceStrength, m_link, m_data);
}

// The area editors, among themselves and with the scene. Where one signal has
// several receivers they run in connection order, so the order here is part
// of the behaviour: the model is snapshotted and the tables refilled before
// the scene redraws and rebuilds its handles.
void MainWindow::connectEditing()
{
    connect(ui->Undo, &QAction::triggered, areaTable, &AREA_TABLE::UndoAreaTableData);
    connect(ui->Redo, &QAction::triggered, areaTable, &AREA_TABLE::RedoAreaTableData);
    connect(ui->Copy, &QAction::triggered, areaTable, &AREA_TABLE::CopyAreaTableData);
    connect(ui->Cut, &QAction::triggered, areaTable, &AREA_TABLE::CutAreaTableData);
    connect(ui->Paste, &QAction::triggered, areaTable, &AREA_TABLE::PasteAreaTableData);
    connect(ui->Delete, &QAction::triggered, areaTable, &AREA_TABLE::DeleteAreaTableData);
    connect(ui->DeleteAll, &QAction::triggered, this, &MainWindow::confirmDeleteAll);

    for (auto signal : {&AREA_TABLE::AreaTableIndexChange, &AREA_TABLE::EditAreaDataSignal}) {
        connect(areaTable, signal, coordTable, &COORD_TABLE::CoordTableWidgeUpdate);
        connect(areaTable, signal, editControl, &EDIT_CONTROL::EditControlUpdateEditData);
        connect(areaTable, signal, optionScene, &OPTION_SCENE::UpdataPaintOutline);
        connect(areaTable, signal, optionScene, &OPTION_SCENE::CoordTableUpdatePointItem);
    }
    const auto shapeChange = &EDIT_CONTROL::EditControlShapeChangeSignal;
    connect(editControl, shapeChange, coordTable, &COORD_TABLE::CoordTableWidgeUpdate);
    connect(editControl, shapeChange, areaTable, &AREA_TABLE::SaveUndoAreaTableData);
    connect(editControl, shapeChange, optionScene, &OPTION_SCENE::UpdataPaintOutline);
    connect(editControl, shapeChange, optionScene, &OPTION_SCENE::CoordTableUpdatePointItem);
    connect(editControl, &EDIT_CONTROL::EditControlParaChangeSignal, areaTable, &AREA_TABLE::SaveUndoAreaTableData);
    const auto cellEdit = &COORD_TABLE::CoordTableEditSignal;
    connect(coordTable, cellEdit, areaTable, &AREA_TABLE::SaveUndoAreaTableData);
    connect(coordTable, cellEdit, areaTable, &AREA_TABLE::SetEditAreaTableDisplay);
    connect(coordTable, cellEdit, areaTable, &AREA_TABLE::AreaTableWidgetCurDisplay);
    connect(coordTable, cellEdit, optionScene, &OPTION_SCENE::UpdataPaintOutline);
    connect(coordTable, cellEdit, optionScene, &OPTION_SCENE::CoordTableUpdatePointItem);
    // EDIT_CONTROL connected the tab bar first, so CurrentOutput is set by now.
    connect(ui->AreaEditTab, &QTabWidget::tabBarClicked, optionScene, &OPTION_SCENE::UpdataPaintOutline);
    connect(ui->AreaEditTab, &QTabWidget::tabBarClicked, optionScene, &OPTION_SCENE::CoordTableUpdatePointItem);
    connect(optionScene, &OPTION_SCENE::PointItemChannelSignal, coordTable, &COORD_TABLE::CoordTableWidgeUpdate);
    connect(ui->graphicsView, &ViewWindow::ReleasePointItem, areaTable, &AREA_TABLE::SaveUndoAreaTableData);
    connect(ui->graphicsView, &ViewWindow::MouseReleaseSignal, areaTable, &AREA_TABLE::AreaTableWidgetCurDisplay);
}

void MainWindow::connectView()
{
    ViewWindow *view = ui->graphicsView;
    connect(view, &ViewWindow::AddCenterPointItem, optionScene, &OPTION_SCENE::AddCenterPointItemSlots);
    connect(view, &ViewWindow::MovePointItem, optionScene, &OPTION_SCENE::MovePointItemSlots);
    connect(view, &ViewWindow::DeletePointItem, optionScene, &OPTION_SCENE::DeletePointItemSlots);
    connect(view, qOverload<double>(&ViewWindow::ChangeSetupMatrix), optionScene, &OPTION_SCENE::ChangeScaleSize);
    connect(view, &ViewWindow::CurrentCoordSignal, this, &MainWindow::BarDisplayCoord);
    connect(view, &ViewWindow::ChangeMatrixSignal, ui->ZoomSlider, &QSlider::setValue);
    connect(ui->ZoomSlider, &QSlider::valueChanged, view, qOverload<int>(&ViewWindow::ChangeSetupMatrix));
    connect(ui->ZoomIn, &QToolButton::clicked, view, &ViewWindow::ZoomInButtonSlots);
    connect(ui->ZoomOut, &QToolButton::clicked, view, &ViewWindow::ZoomOutButtonSlots);
    connect(ui->FitView, &QAction::triggered, view, [this, view] { view->fitTo(optionScene->fitRect()); });
}

// The "Scan Setting" group feeds ScanControl, which the link sends with SCtrl.
void MainWindow::connectSensorDock()
{
    connect(ui->ScanGroupBox, &QGroupBox::clicked, this, &MainWindow::SensorControlEnableSlot);
    for (QComboBox *combo : {ui->Set_SensorSleepMode, ui->Set_ScanMotorSpeed, ui->Set_ScanSensorAngle,
                             ui->Set_ScanFilterLevel}) {
        connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, &MainWindow::SensorControlChangeSlot);
        WheelGuard::protect(combo);
    }
}

void MainWindow::OpenMonitoringMode()
{
    MonitoringMode = 1;
    ui->DataTableDock->hide();
    ui->SensorSettingDock->show();
    ui->EditionControlDock->hide();
    ui->DataTable->setChecked(false);
    ui->Edition->setChecked(false);
    ui->SensorSetting->setChecked(true);
}

void MainWindow::ClearAllEditData()
{
    m_data->resetForNewProject();
    sensorSetting->SetDefaultParameters();
    ui->Area_OpenDelay->setCurrentIndex(0);
    ui->Area_CloseDelay->setCurrentIndex(0);
    ui->Area_Hysteresis->setCurrentIndex(0);
    ui->Area_DetectionSize->setCurrentIndex(0);
    optionScene->CoordTableUpdatePointItem();
    coordTable->CoordTableWidgeUpdate();
    showModified();
}

int MainWindow::askWarning(const QString &chinese, const QString &english, const QStringList &chineseButtons,
                           const QStringList &englishButtons, int defaultButton)
{
    const bool inEnglish = LanguageFlag == 1;
    return DialogSeam::current()->ask(DialogSeam::Icon::Warning,
                                      inEnglish ? QStringLiteral("Warning") : QStringLiteral("警告"),
                                      inEnglish ? english : chinese, inEnglish ? englishButtons : chineseButtons,
                                      defaultButton);
}

bool MainWindow::confirmDiscard()
{
    if (!m_data->Modified)
        return true;
    return askWarning(QStringLiteral("关于应用程序\n您修改了数据直接改变而不保存？"),
                      QStringLiteral("The application\nDo you want to discart your changes?"),
                      {tr("确定"), tr("取消")}, {tr("OK"), tr("Cancel")}, 0)
        == 0;
}

void MainWindow::confirmDeleteAll()
{
    const int answer = askWarning(QStringLiteral("全部删除\n您确定要删除全部64个区域的数据吗？"),
                                  QStringLiteral("Delete All\nDo you want to delete the data of all 64 areas?"),
                                  {tr("是"), tr("否")}, {tr("Yes"), tr("No")}, 1);
    if (answer == 0)
        areaTable->DeleteAllAreaTableData();
}

void MainWindow::createDeviceLaser(int deviceClass)
{
    if (!confirmDiscard())
        return;
    DEVICETYPE type;
    type.Type = deviceClass;
    CreateDeviceType(&type);
    ClearAllEditData();
    setProjectPath(QString()); // a new project has no file yet
}

void MainWindow::CreateDeviceLaser05() { createDeviceLaser(0); }
void MainWindow::CreateDeviceLaser10() { createDeviceLaser(1); }
void MainWindow::CreateDeviceLaser20() { createDeviceLaser(2); }
void MainWindow::CreateDeviceLaser30() { createDeviceLaser(3); }
void MainWindow::CreateDeviceLaser50() { createDeviceLaser(4); }

void MainWindow::BarDisplayCoord(QPoint Coord)
{
    // The view reports scene coordinates (y down); the readout has y up.
    const qint64 x = Coord.x();
    const qint64 y = -qint64(Coord.y());
    const float radius = polarDistance(double(x), double(y));
    const float degrees = polarAngle(double(x), double(y)) * kRadToDeg;
    statusBar()->showMessage(QStringLiteral("X: %1 [mm], Y: %2 [mm] | R: %3 [mm], Th: %4 [deg]")
                                 .arg(x)
                                 .arg(y)
                                 .arg(double(radius))
                                 .arg(double(degrees)));
}

void MainWindow::OpenCloseSensorDock(bool Checked) { ui->SensorSettingDock->setVisible(Checked); }

void MainWindow::OpenCloseEditionDock(bool Checked)
{
    MonitoringMode = Checked ? 0 : 1;
    ui->EditionControlDock->setVisible(Checked);
}

void MainWindow::OpenCloseDataTableDock(bool Checked) { ui->DataTableDock->setVisible(Checked); }

void MainWindow::SensorControlEnableSlot() { Control->Enabled = ui->ScanGroupBox->isChecked() ? 1 : 0; }

void MainWindow::SensorControlChangeSlot()
{
    Control->SleepMode = ui->Set_SensorSleepMode->currentIndex();
    Control->MotorSpeed = ui->Set_ScanMotorSpeed->currentIndex();
    Control->SensorAngle = ui->Set_ScanSensorAngle->currentIndex();
    Control->FilterLevel = ui->Set_ScanFilterLevel->currentIndex();
}

void MainWindow::OpenCloseSelfCheck(bool Checked) { ui->SelfCheckDock->setVisible(Checked); }

void MainWindow::SensorTypeChange(int ProductType) { sensorSetting->SensorTypeChange(ProductType); }

void MainWindow::CreateDeviceType(DEVICETYPE *Type)
{
    if (!Type)
        return;
    DeviceClass = Type->Type;
    // The scene first: the view's zoom limits assume the new scene size.
    optionScene->SetDeviceClass(&DeviceClass);
    ui->graphicsView->SetDeviceClass(&DeviceClass);
    link->setDeviceClass(DeviceClass);
    setZoomSliderRange(DeviceClass);
}

void MainWindow::setZoomSliderRange(int deviceClass)
{
    ui->ZoomSlider->setMaximum(kZoomMaximum);
    if (DeviceClasses::isValid(deviceClass)) {
        ui->ZoomSlider->setMinimum(kZoomMinimum[deviceClass]);
        ui->ZoomSlider->setValue(kZoomMinimum[deviceClass]);
    }
    ui->ZoomSlider->setTickPosition(QSlider::TicksBelow);
}

void MainWindow::chooseDisplayMode(int mode)
{
    m_link->DisplayMode = mode;
    QAction *const actions[] = {ui->DispGraph, ui->DispCloud, ui->DispLine};
    for (int i = 0; i < 3; ++i) {
        // Making an action not checkable also clears its check mark.
        actions[i]->setCheckable(i == mode);
        if (i == mode)
            actions[i]->setChecked(true);
    }
}

void MainWindow::OpenDispGraphSlot() { chooseDisplayMode(0); }
void MainWindow::OpenDispCloudSlot() { chooseDisplayMode(1); }
void MainWindow::OpenDispLineSlot() { chooseDisplayMode(2); }

void MainWindow::closeEvent(QCloseEvent *event)
{
    writeSettings();
    bool refuse = false;
    if (m_data->Modified && (LanguageFlag == 0 || LanguageFlag == 1)) {
        const int answer = askWarning(QStringLiteral("关于应用程序\n您修改了数据直接退出而不保存？"),
                                      QStringLiteral("The application\nDo you want to discart your changes?"),
                                      {tr("保存"), tr("关闭"), tr("取消")}, {tr("Save"), tr("Close"), tr("Cancel")}, 0);
        if (answer == 0)
            refuse = !saveProject(); // a cancelled or failed save keeps the work
        else if (answer != 1)
            refuse = true; // "Cancel", or the box went away without an answer: keep the work
    }
    if (refuse)
        event->ignore();
    else
        event->accept();
}
