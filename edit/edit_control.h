#pragma once

#include <QObject>
#include <array>

class QAbstractButton;
class QComboBox;
class QSpinBox;
class QTabWidget;
struct EditData;

// Binds the edit dock's parameter widgets and shape buttons to the current
// area. User changes go straight into the model and are announced by one
// signal each, which the main window turns into an undo snapshot.
class EDIT_CONTROL : public QObject
{
    Q_OBJECT
public:
    EDIT_CONTROL(EditData *Data, QTabWidget *AreaEditTab, QComboBox *Area_OpenDelay, QComboBox *Area_CloseDelay,
                 QComboBox *Area_Hysteresis, QComboBox *Area_DetectionSize, QSpinBox *SteerMinDgree,
                 QSpinBox *SteerMaxDgree, QSpinBox *VehicleMinSpeed, QSpinBox *VehicleMaxSpeed,
                 QComboBox *VehicleOptionMode, QAbstractButton *ButtonPolygonOut1, QAbstractButton *ButtonArcOut1,
                 QAbstractButton *ButtonRectangleOut1, QAbstractButton *ButtonStraightOut1,
                 QAbstractButton *ButtonFanOut1, QAbstractButton *ButtonRatioOut1, QAbstractButton *ButtonPolygonOut2,
                 QAbstractButton *ButtonArcOut2, QAbstractButton *ButtonRectangleOut2,
                 QAbstractButton *ButtonStraightOut2, QAbstractButton *ButtonFanOut2, QAbstractButton *ButtonRatioOut2,
                 QAbstractButton *ButtonPolygonOut3, QAbstractButton *ButtonArcOut3,
                 QAbstractButton *ButtonRectangleOut3, QAbstractButton *ButtonStraightOut3,
                 QAbstractButton *ButtonFanOut3, QAbstractButton *ButtonRatioOut3, QObject *parent = nullptr);

signals:
    void EditControlParaChangeSignal();
    void EditControlShapeChangeSignal();

public slots:
    void EditControlUpdateEditData();
    void OpenDelayIndexChange(int Index);
    void CloseDelayIndexChange(int Index);
    void HysteresisIndexChange(int Index);
    void CaseChannelParameterChange();
    void DetectionSizeIndexChange(int Index);
    void PolygonOut1ClickedChange();
    void PolygonOut2ClickedChange();
    void PolygonOut3ClickedChange();
    void ArcOut1ClickedChange();
    void ArcOut2ClickedChange();
    void ArcOut3ClickedChange();
    void RectangleOut1ClickedChange();
    void RectangleOut2ClickedChange();
    void RectangleOut3ClickedChange();
    void StraightOut2ClickedChange();
    void StraightOut3ClickedChange();
    void FanOut2ClickedChange();
    void FanOut3ClickedChange();
    void RatioOut2ClickedChange();
    void RatioOut3ClickedChange();
    void AreaEditTabChannel(int Index);

private:
    // Checks the button of kind on output (0..2), unchecks its five siblings,
    // and replaces the output's kind and points unless the kind already matches.
    void shapeChange(int output, int kind);
    void setParameter(qint32 &field, int index);

    EditData *m_data;
    QTabWidget *m_tab;
    QComboBox *m_openDelay;
    QComboBox *m_closeDelay;
    QComboBox *m_hysteresis;
    QComboBox *m_detectionSize;
    QSpinBox *m_steerMin;
    QSpinBox *m_steerMax;
    QSpinBox *m_speedMin;
    QSpinBox *m_speedMax;
    QComboBox *m_optionMode;
    // [output][kind], kinds in ShapeKind order.
    std::array<std::array<QAbstractButton *, 6>, 3> m_shapeButtons;
};
