#pragma once

#include <QMetaObject>
#include <QObject>
#include <QtGlobal>
#include <array>

class QComboBox;
class QGroupBox;
class QPushButton;
class QSlider;
class QSpinBox;
struct EditData;

// Drives the IO simulation dock: keeps the simulated input, output and fault
// masks, paints the buttons as lamps and writes every choice into the
// simulation state of EditData. It sends nothing: the link puts that state
// into the WSimu frame it sends every 200 ms while connected. The main
// window's form owns the widgets; this object only holds them.
class IO_SIMULATION : public QObject
{
    Q_OBJECT
public:
    IO_SIMULATION(EditData *Data, QGroupBox *InportGrouptBox, QGroupBox *OutportGrouptBox, QGroupBox *FaultGroupBox,
                  QPushButton *InputButton1, QPushButton *InputButton2, QPushButton *InputButton3,
                  QPushButton *InputButton4, QPushButton *InputButton5, QPushButton *InputButton6,
                  QPushButton *OutputButton1, QPushButton *OutputButton2, QPushButton *OutputButton3,
                  QPushButton *FaultSimuButton, QSpinBox *InputspinBox, QSpinBox *OutputspinBox,
                  QGroupBox *CaseSimulationBox, QSpinBox *SimDgreeSpinBox, QSlider *SimDgreeSlider,
                  QSpinBox *SimSpeedSpinBox, QSlider *SimSpeedSlider, QComboBox *SimOptionMode,
                  QObject *parent = nullptr);

    // The operation-mode items for LanguageFlag 0 (Chinese) or 1 (English),
    // item by item: the index stays and no change signal fires.
    void retranslate(int LanguageFlag);

public slots:
    // Copies the three group states and the masks into the simulation state.
    void SimulationSignalSlots();
    // Case simulation on or off; it and input simulation exclude each other.
    void SimulationCaseSlots();

private slots:
    void InputButton1Slots();
    void InputButton2Slots();
    void InputButton3Slots();
    void InputButton4Slots();
    void InputButton5Slots();
    void InputButton6Slots();
    void OutputButton1Slots();
    void OutputButton2Slots();
    void OutputButton3Slots();
    void FaultButtonSlots();
    void InputSpinChange(int Num);
    void OutputSpinChange(int Num);
    void DgreeSpinBoxSlots(int Num);
    void DgreeSliderSlots(int Num);
    void SpeedSpinBoxSlots(int Num);
    void SpeedSliderSlots(int Num);
    void OptionModeSlots(int Num);

private:
    void inputButtonClicked(int bit);
    void outputButtonClicked(int bit);
    // Lamps and checked states from the mask, the spin box to the mask (its
    // own change connection removed meanwhile, so it does not call back),
    // then the simulation state.
    void refreshInputs();
    void refreshOutputs();
    void connectInputSpin();
    void connectOutputSpin();

    EditData *m_data;
    QSpinBox *m_inputSpin;
    QSpinBox *m_outputSpin;
    QGroupBox *m_inportGroup;
    QGroupBox *m_outportGroup;
    QGroupBox *m_faultGroup;
    std::array<QPushButton *, 6> m_inputButtons;
    std::array<QPushButton *, 3> m_outputButtons;
    QPushButton *m_faultButton;
    QGroupBox *m_caseGroup;
    QSpinBox *m_degreeSpin;
    QSlider *m_degreeSlider;
    QSpinBox *m_speedSpin;
    QSlider *m_speedSlider;
    QComboBox *m_optionMode;

    qint32 m_faultFlag = 0;
    qint32 m_outputMask = 0;
    qint32 m_inputMask = 0;

    QMetaObject::Connection m_inputSpinConnection;
    QMetaObject::Connection m_outputSpinConnection;
};
