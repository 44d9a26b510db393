#pragma once

#include "devicetype.h"
#include "editdata.h"
#include "linkstate.h"
#include "scancontrol.h"
#include "sensorparameters.h"

#include <QMainWindow>
#include <QPoint>

namespace Ui {
class MainWindow;
}

class AREA_TABLE;
class COORD_TABLE;
class DialogSeam;
class EDIT_CONTROL;
class OPTION_SCENE;
class QGraphicsScene;
class QToolButton;
class SENSOR_SETTING;

// The one top-level window: owns the generated form and the controllers,
// wires them once at construction and keeps the application-wide choices
// (device class, language, edit or monitoring mode). It composes; the work is
// done by the model and the controllers.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // data and dialogs are handed in by tests; with no dialogs the window
    // installs message boxes of its own for its lifetime.
    explicit MainWindow(EditData *data = &EditData::instance(), DialogSeam *dialogs = nullptr,
                        QWidget *parent = nullptr);
    ~MainWindow() override;

    int deviceClass() const { return DeviceClass; }
    int monitoringMode() const { return MonitoringMode; }
    int displayMode() const { return m_link->DisplayMode; }
    int languageFlag() const { return LanguageFlag; }
    OPTION_SCENE *sceneController() const { return optionScene; }
    SensorParameters *parameters() const { return Parameters; }
    const ScanControl &scanControl() const { return *Control; }

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    // Completed by the project-file work; the close prompt's "Save" runs it.
    virtual void savefile();
    void OpenMonitoringMode();
    void ClearAllEditData();
    void CreateDeviceLaser05();
    void CreateDeviceLaser10();
    void CreateDeviceLaser20();
    void CreateDeviceLaser30();
    void CreateDeviceLaser50();
    void BarDisplayCoord(QPoint Coord);
    void OpenCloseSensorDock(bool Checked);
    void OpenCloseEditionDock(bool Checked);
    void OpenCloseDataTableDock(bool Checked);
    void OpenCloseIOSimulationDock(bool Checked);
    void CreateDeviceType(DEVICETYPE *Type);
    void OpenDispGraphSlot();
    void OpenDispCloudSlot();
    void OpenDispLineSlot();
    void SensorControlEnableSlot();
    void SensorControlChangeSlot();
    void OpenCloseSelfCheck(bool Checked);
    void SensorTypeChange(int ProductType);

private:
    void setupToolBars();
    void setInitialState();
    void setInitialLayout();
    void connectActions();
    void createEditControllers();
    void connectEditing();
    void connectView();
    void connectSensorDock();
    void setZoomSliderRange(int deviceClass);
    void chooseDisplayMode(int mode);
    void createDeviceLaser(int deviceClass);
    // Asks before unsaved changes are thrown away; true when the user agrees
    // (or there is nothing to lose).
    bool confirmDiscard();

    Ui::MainWindow *ui;
    QGraphicsScene *scene = nullptr;
    OPTION_SCENE *optionScene = nullptr;
    AREA_TABLE *areaTable = nullptr;
    COORD_TABLE *coordTable = nullptr;
    EDIT_CONTROL *editControl = nullptr;
    SENSOR_SETTING *sensorSetting = nullptr;
    qint32 DeviceClass = DeviceClasses::Default;
    qint32 LanguageFlag = 0;
    qint32 MonitoringMode = 0;
    // The scanner's parameter block and scan settings, owned here and shared
    // by pointer with the link and the sensor dock.
    SensorParameters *Parameters = nullptr;
    ScanControl *Control = nullptr;
    QToolButton *NewProjectButton = nullptr;

    EditData *m_data;
    LinkState *m_link = &LinkState::instance();
    DialogSeam *m_ownDialogs = nullptr;
};
