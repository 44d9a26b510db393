#pragma once

#include "sensordockstate.h"

#include <QMetaObject>
#include <QObject>
#include <array>
#include <vector>

class QComboBox;
class QSpinBox;
class QWidget;
struct EditData;
struct LinkState;
struct SensorParameters;

// Shows the scanner's parameter block in the sensor dock and copies the
// user's edits back into it. The main window's form owns the widgets; this
// object only holds them. Edits go straight into the block, so it always
// holds what the dock shows and WPara sends exactly that; showing a block
// never writes it back. Every row follows its word on any link (the window
// disables the rows a link cannot configure), so the dock, the block and a
// saved project agree.
class SENSOR_SETTING : public QObject
{
    Q_OBJECT
public:
    // The dock's rows in display (and project-file) order.
    enum Row {
        ControlMode, RS232BaudRate, RS232CommVerify, RS232StopBit, RS485IDAddress, RS485BaudRate,
        RS485CommVerify, RS485StopBit, CANIDAddress, CANBaudRate, SensorOutputLogic, ScanMotorSpeed,
        ScanSensorAngle, ScanFilterLevel, SensorInstallDir, CrossFilterEnable, CrossFilterNumber,
        SensorEtherMode, SensorIPAddress1, SensorIPAddress2, SensorIPAddress3, SensorIPAddress4,
        LaserMeasureFrq, LaserStopSignal, TrailiFilterLevel, DirtyReceDistance, DirtyReceStrength,
        RowCount
    };
    static bool isNumberRow(int row);

    // Link tells serial from Ethernet; Data gets Modified on a user's edit.
    SENSOR_SETTING(SensorParameters *Parameters, QComboBox *Para_ControlMode, QComboBox *Para_RS232BaudRate,
                   QComboBox *Para_RS232CommVerify, QComboBox *Para_RS232StopBit, QSpinBox *Para_RS485IDAddress,
                   QComboBox *Para_RS485BaudRate, QComboBox *Para_RS485CommVerify, QComboBox *Para_RS485StopBit,
                   QSpinBox *Para_CANIDAddress, QComboBox *Para_CANBaudRate, QComboBox *Para_SensorOutputLogic,
                   QComboBox *Para_ScanMotorSpeed, QComboBox *Para_ScanSensorAngle, QComboBox *Para_ScanFilterLevel,
                   QComboBox *Para_SensorInstallDir, QComboBox *Para_CrossFilterEnable,
                   QComboBox *Para_CrossFilterNumber, QComboBox *Para_SensorEtherMode,
                   QSpinBox *Para_SensorIPAddress1, QSpinBox *Para_SensorIPAddress2, QSpinBox *Para_SensorIPAddress3,
                   QSpinBox *Para_SensorIPAddress4, QComboBox *Para_LaserMeasureFrq,
                   QComboBox *Para_LaserStopSignal, QComboBox *Para_TrailiFilterLevel,
                   QSpinBox *Para_DirtyReceDistance, QSpinBox *Para_DirtyReceStrength, LinkState *Link,
                   EditData *Data, QObject *parent = nullptr);

    // The factory block, shown in the dock (new project, start-up).
    void SetDefaultParameters();

    // The 27 widget states the project file keeps, and their restore: the
    // widgets are set in row order and the block follows them; numbers are
    // clamped to their fields' ranges. A list index the list lacks shows no
    // item. Neither counts as a user's edit.
    SensorDockState dockState() const;
    void applyDockState(const SensorDockState &state);
    // The widget that shows row (0..26), nullptr for any other.
    QWidget *rowWidget(int row) const { return row >= 0 && row < RowCount ? m_rows[size_t(row)] : nullptr; }

    // Refills the three lists that depend on the scanner's product type;
    // each keeps showing its word, or falls back to its first item where the
    // new list has no such item, and the block follows. Other types change
    // nothing.
    void SensorTypeChange(int ProductType);

    // Labels, titles and item texts for LanguageFlag 0 (Chinese) or 1
    // (English), item by item: no index moves, no change signal fires.
    void retranslate(int LanguageFlag);

public slots:
    void UpdateParametersToDock();
    void UpdateParametersFromDock();

private slots:
    void widgetEdited();

private:
    QComboBox *list(int row) const;
    QSpinBox *number(int row) const;
    bool onEthernet() const;
    void updateEnabled();
    void connectWidgets();
    void disconnectWidgets();

    SensorParameters *m_params;
    std::array<QWidget *, RowCount> m_rows;
    LinkState *m_link;
    EditData *m_data;
    std::vector<QMetaObject::Connection> m_connections;
    int m_quiet = 0; // > 0 while the program, not the user, sets widgets
};
