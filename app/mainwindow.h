#pragma once

#include "addresshistory.h"
#include "configuration.h"
#include "connecttexts.h"
#include "devicetype.h"
#include "editdata.h"
#include "linkdevices.h"
#include "linkstate.h"
#include "recentprojects.h"
#include "scancontrol.h"
#include "sensordockstate.h"
#include "sensorparameters.h"

#include <QAbstractSocket>
#include <QHash>
#include <QMainWindow>
#include <QSerialPort>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <memory>
#include <optional>

namespace Ui {
class MainWindow;
}

class About;
class AppSettingsDialog;
class AREA_TABLE;
class CompareController;
class ComparePanel;
class Create;
class EthnertSetting;
class FormInformation;
class IO_SIMULATION;
class SettingsDialog;
class TeachRun;
class VehicleFieldsDialog;
class COORD_TABLE;
class DATA_TABLE;
class DialogSeam;
class EDIT_CONTROL;
class OPTION_SCENE;
class QGraphicsScene;
class QLabel;
class QSerialPort;
class QComboBox;
class QGraphicsPathItem;
class QDockWidget;
class LinkRecorder;
class ReplayBar;
class ReplayPlayer;
class QThread;
class WhatIfTimeline;
class QTcpSocket;
class QToolButton;
class QTranslator;
class QUdpSocket;
class SERIAL_COMM;
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
    SERIAL_COMM *linkController() const { return link; }
    SensorParameters *parameters() const { return Parameters; }
    const ScanControl &scanControl() const { return *Control; }

    // Opening the link on a device, with what the user sees of it (status
    // text, port label, or the error box), then what every new connection
    // starts: the connected action states, the live and status streams and a
    // read-all. The connection slots and the tests both open devices only
    // here. False when the device did not open. shown: the settings' port
    // name and the display texts of the line parameters, for the status bar.
    bool connectSerial(const QString &Com, const SerialLineSettings &line, const QStringList &shown);
    // Ethernet in LinkState's EthernetMode (0 TCP, 1 UDP). Scanners listen on
    // one fixed port; tests run their emulators on free ones.
    bool connectEthernet(const QString &Com, quint16 port = LinkDevices::ScannerPort);
    bool isConnected() const;
    // A recording is open and feeds the displays (mainwindow_replay.cpp).
    bool isReplaying() const;
    bool isRecording() const;
    // Opens a recording for replay, as the file menu does after its dialog.
    bool openRecording(const QString &path);
    ReplayPlayer *replayPlayer() const { return m_player; }
    ReplayBar *replayBar() const { return m_replayBar; }
    Create *welcomeDialog() const { return Welcome; }
    About *aboutBox() const { return AboutBox; }
    SettingsDialog *serialSettingsDialog() const { return SerialDialog; }
    EthnertSetting *ethernetDialog() const { return EthernetDialog; }
    FormInformation *informationLog() const { return Information; }
    // Test-only: how long a restart the user asked for may keep the scanner
    // away before the window gives up on it.
    void setRestartWaitForTest(int ms) { m_restartWaitMs = ms; }
    // The comparison with the scanner (mainwindow_compare.cpp).
    CompareController *comparison() const { return m_compare; }
    ComparePanel *comparePanel() const { return m_comparePanel; }
    AppSettingsDialog *appSettingsDialog() const { return m_appSettings; }
    // The polygon drawn as the teach preview until Accept or Discard; empty
    // otherwise.
    QVector<QPoint> teachPreview() const { return m_teachPreviewPoints; }
    VehicleFieldsDialog *vehicleFieldsDialog() const { return m_vehicleFields; }
    // The project as the window holds it: areas, the sensor dock's rows and
    // words, the device class.
    Configuration projectConfiguration() const;
    // The file the project was last opened from or saved to; empty for a
    // project never saved. Save writes there without asking.
    QString projectPath() const { return m_projectPath; }

public slots:
    // Opens the manual of the window's language with the desktop's viewer.
    void OpenManualFile();
    void LanguageToEnglish();
    void LanguageToChinese();
    void OpenSerialPort();
    void CloseSerialPort();
    void handleError(QSerialPort::SerialPortError error);
    void CreatOpenSerialPort(QString Com);
    void CreatEthernetPort(QString Com);
    void ConnectChangeUSARTModeSlot();
    void ConnectChangeEthernetModeSlot();
    void CreatConnectTypeSignalSlot(int Index);
    void CreatEthnertModeSignalSlot(QString Type);
    void informationAppend(QString s);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void openfile();
    void savefile();
    // Saves under a name from the save dialog; the window goes on with it.
    void saveFileAs();
    // Reads a project of any class and switches the window to the file's class.
    void OpenProject();
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
    // Intrusions over the zones on or off (mainwindow_live.cpp).
    void ShowIntrusionsSlot(bool checked);
    // Teach-in of output 0..2 from the next scans (mainwindow_live.cpp).
    void TeachOutputSlot(int output);
    void teachScanArrived();
    void teachTimeUp();
    // The previewed zone becomes the output's, as one undo step.
    void acceptTeachPreview();
    void SensorControlEnableSlot();
    void SensorControlChangeSlot();
    void OpenCloseSelfCheck(bool Checked);
    void OpenCloseReadScanf(bool Checked);
    void OpenCloseReadIntensity(bool Checked);
    void SelfCheckDisp(short SensorTemper, ushort RotateSpeed, ushort DriveVoltage, ushort SendVoltage,
                       ushort ReceiveVoltage);
    void IOPortDisplayer(uint Inport, uint Outport, uint Status);
    void DirChange(bool dir);
    void MonitorGraphicDisplay(uint Inport, uint Outport, uint Status);
    // A read-all has replaced the areas: every editing view shows them.
    void ReceiveAreaDataSlot();
    // The scanner closed a TCP connection (it does on a reboot).
    void ethernetDropped();
    // A TCP connection attempt failed (refused, unreachable).
    void tcpError(QAbstractSocket::SocketError error);
    // A restart the user asked for (mainwindow_reconnect.cpp): the scanner is
    // away; it answers again on the same serial line or UDP association.
    void scannerRestarting();
    void scannerBack();
    // Delete All asks first: it empties every area at once.
    void confirmDeleteAll();
    // The title's modified marker shows EditData's Modified as it is now.
    void showModified();
    void clearRecentProjects();
    void SensorTypeChange(int ProductType);
    // Recording and replay (mainwindow_replay.cpp).
    void OpenRecordingSlot();
    void CloseRecordingSlot();
    void StartRecordingSlot();
    void StopRecordingSlot();
    void showRecordingState();
    void evaluateRecording();
    // The commissioning report and the fingerprint (mainwindow_report.cpp).
    void exportReport();
    // The comparison with the scanner (mainwindow_compare.cpp).
    void compareWithScanner();
    void writeDifferences();
    void takeFromScanner();
    void showComparison();
    void showVerification(int differences);
    void goToDifference(int index);
    void goToArea(int area);
    void linkedStepChanged(quint32 step, bool undone);
    void openAppSettings();
    // Fields sized from the vehicle (mainwindow_fields.cpp).
    void openVehicleFields();
    void applyVehicleFields();

private:
    void setupToolBars();
    void setInitialState();
    void setInitialLayout();
    // The widths of the docks' scrolling pages, for the texts they show.
    void fitDockPages();
    void connectActions();
    void createEditControllers();
    // Last of the controllers (mainwindow_simulation.cpp).
    void createIOSimulation();
    void giveIOSimulationDockRoom();
    void connectEditing();
    void connectView();
    void createLink();
    void createReplay();
    void createReport();
    void createComparison();
    void createVehicleFields();
    void retranslateComparison(int flag);
    void updateCompareActions();
    void showCompareDock();
    // Every editor shows the model anew after a part was taken.
    void refreshEditors();
    // The fingerprint label shows the configuration once the events of the
    // moment are through (an edit, a read, a language switch).
    void scheduleFingerprint();
    void showFingerprint();
    void updateRecordingActions();
    void retranslateReplay(int flag);
    void connectLink();
    void setConnectedActions(bool connected);
    // Every simulation group off and the simulation state with it.
    void switchSimulationOff();
    // The scan data table (mainwindow_live.cpp).
    void createDataTable();
    void connectDataTable();
    void setDataTableAvailable(bool connected);
    // The intrusions and the teach buttons follow the live display: offered
    // while connected with the outline shown. A teach under way ends with it.
    void updateLiveTools();
    void finishTeach();
    // The taught polygon over the live scan, its point count and margin and
    // Accept / Discard beside the status; nothing changes until Accept.
    void showTeachPreview(int output, int area, const QVector<QPoint> &points, int margin);
    void retranslateTeachPreview();
    void clearTeachPreview();
    // A search's result: its preview, or why nothing was taught.
    void teachFound(int output, int area, const std::optional<QVector<QPoint>> &points, int margin);
    // The dialogs that supply ports and addresses (mainwindow_connect.cpp).
    void createDialogs();
    void connectDialogs();
    // Persisted window settings (mainwindow_settings.cpp): restored once at
    // construction, written at every close attempt.
    void restoreSettings();
    void writeSettings() const;
    // Every text in the language of flag (0 Chinese, 1 English), in order:
    // about box, welcome dialog, serial dialog, link, Ethernet dialog, form.
    void switchLanguage(int flag);
    // The form's texts, item by item, through the language's translation,
    // and the texts the window builds into the form itself.
    void retranslateForm(int flag);
    void installTranslation(int flag);
    // Interface selection: actions, LinkState and the sensor dock's widgets.
    void selectInterface(int kind);
    // The same, and both settings actions off while a device is opened.
    void selectInterfaceForOpening(int kind);
    void showPortLabel(const QString &text);
    // The port label, and the status of the last connection while it is
    // still shown, in the language of flag.
    void retranslateConnection(int flag);
    // The error box of a failed open; the settings action of the interface
    // is available again.
    void reportOpenError(const QString &text);
    // text, and the cause of failure on a line of its own.
    QString withReason(const QString &text, ConnectTexts::LinkFailure failure, const QString &systemText) const;
    // A new connection ends whatever the last one left: the wait for a
    // restarting scanner, and the device still open (one at a time).
    void takeOverFromLastConnection();
    // The connected state as the user sees it: actions, status, port label.
    void showConnected();
    // Lost links, the wait for a restarting scanner and the addresses used
    // last (mainwindow_reconnect.cpp).
    void createReconnection();
    void loadAddressHistory();
    void rememberAddress(const QString &address);
    // The box about a connection that went, offering to open it again;
    // shown once the handler of the device that went has returned.
    void offerReconnect(const QString &text);
    void reconnectLastDevice();
    void endRestartWait();
    // One attempt to reach a restarting TCP scanner again.
    void reattachAfterRestart();
    void finishReattach();
    void restartExpired();
    void connectSensorDock();
    void setZoomSliderRange(int deviceClass);
    void chooseDisplayMode(int mode);
    void createDeviceLaser(int deviceClass);
    // Before a connection reads everything over unsaved work: asks whether to
    // save first, discard, or keep the project. True when the read may go on
    // (nothing unsaved, discarded, or saved); false keeps the project.
    bool mayReadOverProject();
    // A connection that does not read works with the project's parameters,
    // so the zones are sent for the install direction the project gives.
    void keepProjectOnConnection();
    // Asks before unsaved changes are thrown away; true when the user agrees
    // (or there is nothing to lose).
    bool confirmDiscard();
    // A warning box in the window's language; returns the pressed button.
    int askWarning(const QString &chinese, const QString &english, const QStringList &chineseButtons,
                   const QStringList &englishButtons, int defaultButton);

    // Project files (mainwindow_project.cpp).
    // Saves to the project's file, or under a name from the save dialog
    // when it has none (or one of another class); false when the dialog was
    // cancelled or the file could not be written (the user has been told).
    bool saveProject();
    bool saveProjectAs();
    bool writeProject(const QString &name);
    // Reads a project of any class from name and switches to its class;
    // false when the file cannot be opened or is no project (told).
    bool loadProject(const QString &name, bool tellUnreadable);
    // The window goes on with path: title, recent projects.
    void setProjectPath(const QString &path);
    void showProjectTitle();
    // Every editor signal after which Modified may have changed.
    void connectModifiedMarker();
    // The recent projects' menu and the settings key behind it
    // (mainwindow_recent.cpp).
    void loadRecentProjects();
    void storeRecentProjects() const;
    void showRecentProjects();
    void openRecentProject(const QString &path);
    // After a read: every editor shows the model anew, each area gets a
    // snapshot (so undo starts from the file).
    void refreshAfterRead();
    // The sensor dock's 27 widget states in project-file order, and back.
    SensorDockState currentSensorDockState() const;
    void loadSensorDockState(const SensorDockState &state);

    Ui::MainWindow *ui;
    QGraphicsScene *scene = nullptr;
    OPTION_SCENE *optionScene = nullptr;
    AREA_TABLE *areaTable = nullptr;
    COORD_TABLE *coordTable = nullptr;
    EDIT_CONTROL *editControl = nullptr;
    SERIAL_COMM *link = nullptr;
    DATA_TABLE *dataTable = nullptr;
    QSerialPort *SerialPort = nullptr;
    QTcpSocket *TcpSocket = nullptr;
    QUdpSocket *UdpSocket = nullptr;
    QLabel *PortLabel = nullptr;
    Create *Welcome = nullptr;
    About *AboutBox = nullptr;
    SettingsDialog *SerialDialog = nullptr;
    EthnertSetting *EthernetDialog = nullptr;
    FormInformation *Information = nullptr;
    // The last device opened, so that a language switch can name it again:
    // 0 a serial port, 1 an Ethernet address; -1 before the first one. For
    // the serial line also the texts of its settings the status shows.
    int m_portLabelKind = -1;
    QString m_portLabelDevice;
    QStringList m_portLabelLine;
    QString m_projectPath;
    RecentProjects m_recent;
    QList<QAction *> m_recentActions;
    // A TCP attempt became a connection: later errors are drops, not failures.
    bool m_tcpEstablished = false;
    // An attempt that neither connects nor fails within this is given up.
    QTimer m_connectDeadline;
    // The last device opened, to open it again after it went: kind 0 serial
    // (with its line settings and their texts), 1 Ethernet (port and mode).
    struct LastDevice
    {
        int kind = -1;
        QString device;
        quint16 port = LinkDevices::ScannerPort;
        int mode = 0;
        SerialLineSettings line;
        QStringList shown;
    } m_lastDevice;
    // A restart the user asked for: how long the scanner may be away, the
    // deadline running while it is, and the attempts to reach a TCP scanner
    // again once it dropped the connection.
    int m_restartWaitMs = 0;
    QTimer m_restartDeadline;
    QTimer m_reattachTick;
    AddressHistory m_addresses;
    SENSOR_SETTING *sensorSetting = nullptr;
    IO_SIMULATION *ioSimulation = nullptr;
    qint32 DeviceClass = DeviceClasses::Default;
    qint32 LanguageFlag = 0;
    qint32 MonitoringMode = 0;
    // The input value last applied by the area switching of monitoring mode.
    // One window per process, so one value; a member keeps windows made one
    // after another (tests) from seeing each other's.
    uint LastInputPort = 0;
    // The scanner's parameter block and scan settings, owned here and shared
    // by pointer with the link and the sensor dock.
    SensorParameters *Parameters = nullptr;
    ScanControl *Control = nullptr;
    QToolButton *NewProjectButton = nullptr;
    // The translation installed for LanguageFlag (none before the first switch).
    QTranslator *m_translator = nullptr;
    // Every option list's items as the form has them, in the form's language:
    // the texts a retranslation sets where a language names no text of its own.
    QHash<const QComboBox *, QStringList> m_formItemTexts;
    // The last install direction and status the scanner reported, shown again
    // in the new language by a switch.
    bool m_directionReversed = false;
    uint m_status = 0;

    // A teach-in under way: the output (-1 when none), its area, the install
    // direction and connection kind it started with, the scans taken and the
    // nearest echo per buffer sample so far.
    struct Teach
    {
        int output = -1;
        int area = 0;
        bool reversed = false;
        int kind = 0;
        int scans = 0;
        int seconds = 0; // how long it gathers; 0: one scan
        QVector<quint16> nearest;
    } m_teach;
    QTimer m_teachTimer;
    QVector<QPoint> m_teachPreviewPoints;
    int m_teachPreviewOutput = 0;
    int m_teachPreviewArea = 0;
    int m_teachPreviewMargin = 0;
    QGraphicsPathItem *m_teachPreviewItem = nullptr;
    QWidget *m_teachPreviewBar = nullptr;
    QLabel *m_teachPreviewLabel = nullptr;
    TeachRun *m_teachRun = nullptr;

    // Recording and replay.
    LinkRecorder *m_recorder = nullptr;
    ReplayPlayer *m_player = nullptr;
    ReplayBar *m_replayBar = nullptr;
    QDockWidget *ReplayDock = nullptr;
    QLabel *m_recordLabel = nullptr;
    QTimer m_recordTick;
    WhatIfTimeline *m_timeline = nullptr;
    QString m_replayPath;
    // The what-if evaluation under way on its own thread, and its stop flag.
    QPointer<QThread> m_whatIfThread;
    std::shared_ptr<std::atomic<bool>> m_whatIfCancel;
    QString m_whatIfFailure; // what the last evaluation threw; null when it ended
    void cancelWhatIf();
    void showWhatIfSummary();

    QLabel *m_fingerprintLabel = nullptr;
    bool m_fingerprintDue = false;

    CompareController *m_compare = nullptr;
    ComparePanel *m_comparePanel = nullptr;
    QDockWidget *CompareDock = nullptr;
    AppSettingsDialog *m_appSettings = nullptr;
    VehicleFieldsDialog *m_vehicleFields = nullptr;

    EditData *m_data;
    LinkState *m_link = &LinkState::instance();
    DialogSeam *m_ownDialogs = nullptr;
};
