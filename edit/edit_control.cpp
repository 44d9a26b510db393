#include "edit_control.h"

#include "editdata.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSpinBox>
#include <QTabWidget>

EDIT_CONTROL::EDIT_CONTROL(
    EditData *Data, QTabWidget *AreaEditTab, QComboBox *Area_OpenDelay, QComboBox *Area_CloseDelay,
    QComboBox *Area_Hysteresis, QComboBox *Area_DetectionSize, QSpinBox *SteerMinDgree, QSpinBox *SteerMaxDgree,
    QSpinBox *VehicleMinSpeed, QSpinBox *VehicleMaxSpeed, QComboBox *VehicleOptionMode,
    QAbstractButton *ButtonPolygonOut1, QAbstractButton *ButtonArcOut1, QAbstractButton *ButtonRectangleOut1,
    QAbstractButton *ButtonStraightOut1, QAbstractButton *ButtonFanOut1, QAbstractButton *ButtonRatioOut1,
    QAbstractButton *ButtonPolygonOut2, QAbstractButton *ButtonArcOut2, QAbstractButton *ButtonRectangleOut2,
    QAbstractButton *ButtonStraightOut2, QAbstractButton *ButtonFanOut2, QAbstractButton *ButtonRatioOut2,
    QAbstractButton *ButtonPolygonOut3, QAbstractButton *ButtonArcOut3, QAbstractButton *ButtonRectangleOut3,
    QAbstractButton *ButtonStraightOut3, QAbstractButton *ButtonFanOut3, QAbstractButton *ButtonRatioOut3,
    QObject *parent)
    : QObject(parent), m_data(Data), m_tab(AreaEditTab), m_openDelay(Area_OpenDelay), m_closeDelay(Area_CloseDelay),
      m_hysteresis(Area_Hysteresis), m_detectionSize(Area_DetectionSize), m_steerMin(SteerMinDgree),
      m_steerMax(SteerMaxDgree), m_speedMin(VehicleMinSpeed), m_speedMax(VehicleMaxSpeed),
      m_optionMode(VehicleOptionMode),
      m_shapeButtons{{{ButtonPolygonOut1, ButtonArcOut1, ButtonRectangleOut1, ButtonStraightOut1, ButtonFanOut1,
                       ButtonRatioOut1},
                      {ButtonPolygonOut2, ButtonArcOut2, ButtonRectangleOut2, ButtonStraightOut2, ButtonFanOut2,
                       ButtonRatioOut2},
                      {ButtonPolygonOut3, ButtonArcOut3, ButtonRectangleOut3, ButtonStraightOut3, ButtonFanOut3,
                       ButtonRatioOut3}}}
{
    m_steerMin->setRange(-180, 180);
    m_steerMax->setRange(-180, 180);
    m_speedMin->setRange(-300, 300);
    m_speedMax->setRange(-300, 300);

    for (const auto &output : m_shapeButtons) {
        for (QAbstractButton *button : output)
            button->setCheckable(true);
        output[Polygon]->setChecked(true);
    }
    // Out1 has only the independent kinds; Ratio reaches the model only
    // through a project file or the scanner.
    ButtonStraightOut1->setEnabled(false);
    ButtonFanOut1->setEnabled(false);
    ButtonRatioOut1->setEnabled(false);
    ButtonRatioOut2->setEnabled(false);
    ButtonRatioOut3->setEnabled(false);

    AreaRecord &area = m_data->currentArea();
    area.Out1Shape = Polygon;
    area.Out2Shape = Polygon;
    area.Out3Shape = Polygon;

    // activated / editingFinished only: loading the widgets from the model
    // must not write back into it.
    connect(m_openDelay, QOverload<int>::of(&QComboBox::activated), this, &EDIT_CONTROL::OpenDelayIndexChange);
    connect(m_closeDelay, QOverload<int>::of(&QComboBox::activated), this, &EDIT_CONTROL::CloseDelayIndexChange);
    connect(m_hysteresis, QOverload<int>::of(&QComboBox::activated), this, &EDIT_CONTROL::HysteresisIndexChange);
    connect(m_detectionSize, QOverload<int>::of(&QComboBox::activated), this,
            &EDIT_CONTROL::DetectionSizeIndexChange);
    for (QSpinBox *box : {m_steerMin, m_steerMax, m_speedMin, m_speedMax})
        connect(box, &QSpinBox::editingFinished, this, &EDIT_CONTROL::CaseChannelParameterChange);
    connect(m_optionMode, QOverload<int>::of(&QComboBox::activated), this, &EDIT_CONTROL::CaseChannelParameterChange);

    connect(ButtonPolygonOut1, &QAbstractButton::clicked, this, &EDIT_CONTROL::PolygonOut1ClickedChange);
    connect(ButtonPolygonOut2, &QAbstractButton::clicked, this, &EDIT_CONTROL::PolygonOut2ClickedChange);
    connect(ButtonPolygonOut3, &QAbstractButton::clicked, this, &EDIT_CONTROL::PolygonOut3ClickedChange);
    connect(ButtonArcOut1, &QAbstractButton::clicked, this, &EDIT_CONTROL::ArcOut1ClickedChange);
    connect(ButtonArcOut2, &QAbstractButton::clicked, this, &EDIT_CONTROL::ArcOut2ClickedChange);
    connect(ButtonArcOut3, &QAbstractButton::clicked, this, &EDIT_CONTROL::ArcOut3ClickedChange);
    connect(ButtonRectangleOut1, &QAbstractButton::clicked, this, &EDIT_CONTROL::RectangleOut1ClickedChange);
    connect(ButtonRectangleOut2, &QAbstractButton::clicked, this, &EDIT_CONTROL::RectangleOut2ClickedChange);
    connect(ButtonRectangleOut3, &QAbstractButton::clicked, this, &EDIT_CONTROL::RectangleOut3ClickedChange);
    connect(ButtonStraightOut2, &QAbstractButton::clicked, this, &EDIT_CONTROL::StraightOut2ClickedChange);
    connect(ButtonStraightOut3, &QAbstractButton::clicked, this, &EDIT_CONTROL::StraightOut3ClickedChange);
    connect(ButtonFanOut2, &QAbstractButton::clicked, this, &EDIT_CONTROL::FanOut2ClickedChange);
    connect(ButtonFanOut3, &QAbstractButton::clicked, this, &EDIT_CONTROL::FanOut3ClickedChange);
    connect(ButtonRatioOut2, &QAbstractButton::clicked, this, &EDIT_CONTROL::RatioOut2ClickedChange);
    connect(ButtonRatioOut3, &QAbstractButton::clicked, this, &EDIT_CONTROL::RatioOut3ClickedChange);

    // Made before the main window's own connection to the same signal, so
    // CurrentOutput is updated by the time the scene reacts to the click.
    connect(m_tab, &QTabWidget::tabBarClicked, this, &EDIT_CONTROL::AreaEditTabChannel);
}

void EDIT_CONTROL::EditControlUpdateEditData()
{
    const AreaRecord &area = m_data->currentArea();
    m_openDelay->setCurrentIndex(area.OpenDelay);
    m_closeDelay->setCurrentIndex(area.CloseDelay);
    m_hysteresis->setCurrentIndex(area.Hysteresis);
    m_detectionSize->setCurrentIndex(area.DetectionSize);

    m_steerMin->setValue(area.SteerMinDgree);
    m_steerMax->setValue(area.SteerMaxDgree);
    m_speedMin->setValue(area.VehicleMinSpeed);
    m_speedMax->setValue(area.VehicleMaxSpeed);
    m_optionMode->setCurrentIndex(area.VehicleOptionMode);

    // The kinds match already, so this only sets the buttons' check states.
    for (int output = 0; output < EditData::OutputCount; ++output) {
        const int kind = area.shape(output);
        if (kind >= Polygon && kind <= (output == 0 ? Rectangle : Ratio))
            shapeChange(output, kind);
    }
}

void EDIT_CONTROL::setParameter(qint32 &field, int index)
{
    field = index;
    emit EditControlParaChangeSignal();
}

void EDIT_CONTROL::OpenDelayIndexChange(int Index) { setParameter(m_data->currentArea().OpenDelay, Index); }
void EDIT_CONTROL::CloseDelayIndexChange(int Index) { setParameter(m_data->currentArea().CloseDelay, Index); }
void EDIT_CONTROL::HysteresisIndexChange(int Index) { setParameter(m_data->currentArea().Hysteresis, Index); }
void EDIT_CONTROL::DetectionSizeIndexChange(int Index)
{
    setParameter(m_data->currentArea().DetectionSize, Index);
}

void EDIT_CONTROL::CaseChannelParameterChange()
{
    AreaRecord &area = m_data->currentArea();
    area.SteerMinDgree = m_steerMin->value();
    area.SteerMaxDgree = m_steerMax->value();
    area.VehicleMinSpeed = m_speedMin->value();
    area.VehicleMaxSpeed = m_speedMax->value();
    area.VehicleOptionMode = m_optionMode->currentIndex();
    emit EditControlParaChangeSignal();
}

void EDIT_CONTROL::shapeChange(int output, int kind)
{
    const auto &buttons = m_shapeButtons[output];
    for (int k = 0; k < int(buttons.size()); ++k)
        buttons[k]->setChecked(k == kind);

    AreaRecord &area = m_data->currentArea();
    if (area.shape(output) == kind)
        return;
    QVector<QPoint> &points = area.points(output);
    switch (kind) {
    case Polygon:
        break; // the previous kind's points become the vertices
    case Arc:
        points = {QPoint(20, 0), QPoint(20, 0)};
        break;
    case Rectangle:
        points = {QPoint(20, 0), QPoint(20, 0), QPoint(20, 0), QPoint(20, 0)};
        break;
    default:
        points = {QPoint(0, 20)};
        break;
    }
    area.shape(output) = kind;
    emit EditControlShapeChangeSignal();
}

void EDIT_CONTROL::PolygonOut1ClickedChange() { shapeChange(0, Polygon); }
void EDIT_CONTROL::PolygonOut2ClickedChange() { shapeChange(1, Polygon); }
void EDIT_CONTROL::PolygonOut3ClickedChange() { shapeChange(2, Polygon); }
void EDIT_CONTROL::ArcOut1ClickedChange() { shapeChange(0, Arc); }
void EDIT_CONTROL::ArcOut2ClickedChange() { shapeChange(1, Arc); }
void EDIT_CONTROL::ArcOut3ClickedChange() { shapeChange(2, Arc); }
void EDIT_CONTROL::RectangleOut1ClickedChange() { shapeChange(0, Rectangle); }
void EDIT_CONTROL::RectangleOut2ClickedChange() { shapeChange(1, Rectangle); }
void EDIT_CONTROL::RectangleOut3ClickedChange() { shapeChange(2, Rectangle); }
void EDIT_CONTROL::StraightOut2ClickedChange() { shapeChange(1, Straight); }
void EDIT_CONTROL::StraightOut3ClickedChange() { shapeChange(2, Straight); }
void EDIT_CONTROL::FanOut2ClickedChange() { shapeChange(1, Fan); }
void EDIT_CONTROL::FanOut3ClickedChange() { shapeChange(2, Fan); }
void EDIT_CONTROL::RatioOut2ClickedChange() { shapeChange(1, Ratio); }
void EDIT_CONTROL::RatioOut3ClickedChange() { shapeChange(2, Ratio); }

void EDIT_CONTROL::AreaEditTabChannel(int Index)
{
    if (Index >= 0 && Index < EditData::OutputCount)
        m_data->CurrentOutput = Index;
}
