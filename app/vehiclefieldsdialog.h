#pragma once

#include "vehiclefields.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

// Edit → Fields from vehicle: the vehicle, its stopping chain and up to
// eight speed bands, with every number the sizing uses shown as it changes.
// It only gathers; the window sizes, refuses or writes (one undo step).
class VehicleFieldsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit VehicleFieldsDialog(QWidget *parent = nullptr);

    // The values as entered, for the device class last set.
    VehicleFields::Vehicle vehicle() const;
    void setVehicle(const VehicleFields::Vehicle &vehicle);
    void setDeviceClass(int deviceClass);
    void retranslate(int languageFlag);

    QString summaryText() const;
    QPushButton *applyButton() const { return m_apply; }

signals:
    void applyRequested();

private:
    enum Column { Speed, Stop, MinSpeed, MaxSpeed, SteerMin, SteerMax, Mode, Area, ColumnCount };
    QWidget *cell(int row, int column) const;
    void showBandCount();
    void showSummary();
    void copySummary();

    int m_flag = 0;
    int m_deviceClass = 3;
    QLabel *m_notice;
    QGroupBox *m_vehicleGroup;
    QGroupBox *m_stopGroup;
    QGroupBox *m_bandGroup;
    QLabel *m_labels[12];
    QDoubleSpinBox *m_width;
    QDoubleSpinBox *m_front;
    QDoubleSpinBox *m_centre;
    QComboBox *m_direction;
    QDoubleSpinBox *m_marginLeft;
    QDoubleSpinBox *m_marginRight;
    QDoubleSpinBox *m_response;
    QDoubleSpinBox *m_deceleration;
    QDoubleSpinBox *m_supplement;
    QDoubleSpinBox *m_warning;
    QCheckBox *m_thirdOn;
    QDoubleSpinBox *m_third;
    QSpinBox *m_bandCount;
    QTableWidget *m_bands;
    QLabel *m_formula;
    QPlainTextEdit *m_summary;
    QPushButton *m_copy;
    QPushButton *m_apply;
    QPushButton *m_close;
};
