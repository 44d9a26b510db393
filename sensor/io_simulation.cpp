#include "io_simulation.h"

#include "editdata.h"

#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

namespace {
constexpr int kDegreeLimit = 180;
constexpr int kSpeedLimit = 300;
constexpr int kOptionModes = 5;

QIcon lamp(const QString &name) { return QIcon(QStringLiteral(":/images/%1.png").arg(name)); }

QString inputLamp(int bit, bool on)
{
    return (on ? QStringLiteral("Green%1") : QStringLiteral("Gray%1")).arg(bit + 1);
}

QString outputLamp(int bit, bool on)
{
    static const char *const kOn[] = {"Yellow1", "Orange2", "Red3"};
    return on ? QLatin1String(kOn[bit]) : QStringLiteral("Gray%1").arg(bit + 1);
}

qint32 withBit(qint32 mask, int bit, bool on) { return on ? mask | (1 << bit) : mask & ~(1 << bit); }
} // namespace

IO_SIMULATION::IO_SIMULATION(EditData *Data, QGroupBox *InportGrouptBox, QGroupBox *OutportGrouptBox,
                             QGroupBox *FaultGroupBox, QPushButton *InputButton1, QPushButton *InputButton2,
                             QPushButton *InputButton3, QPushButton *InputButton4, QPushButton *InputButton5,
                             QPushButton *InputButton6, QPushButton *OutputButton1, QPushButton *OutputButton2,
                             QPushButton *OutputButton3, QPushButton *FaultSimuButton, QSpinBox *InputspinBox,
                             QSpinBox *OutputspinBox, QGroupBox *CaseSimulationBox, QSpinBox *SimDgreeSpinBox,
                             QSlider *SimDgreeSlider, QSpinBox *SimSpeedSpinBox, QSlider *SimSpeedSlider,
                             QComboBox *SimOptionMode, QObject *parent)
    : QObject(parent), m_data(Data), m_inputSpin(InputspinBox), m_outputSpin(OutputspinBox),
      m_inportGroup(InportGrouptBox), m_outportGroup(OutportGrouptBox), m_faultGroup(FaultGroupBox),
      m_inputButtons{InputButton1, InputButton2, InputButton3, InputButton4, InputButton5, InputButton6},
      m_outputButtons{OutputButton1, OutputButton2, OutputButton3}, m_faultButton(FaultSimuButton),
      m_caseGroup(CaseSimulationBox), m_degreeSpin(SimDgreeSpinBox), m_degreeSlider(SimDgreeSlider),
      m_speedSpin(SimSpeedSpinBox), m_speedSlider(SimSpeedSlider), m_optionMode(SimOptionMode)
{
    m_degreeSpin->setRange(-kDegreeLimit, kDegreeLimit);
    m_degreeSlider->setRange(-kDegreeLimit, kDegreeLimit);
    m_speedSpin->setRange(-kSpeedLimit, kSpeedLimit);
    m_speedSlider->setRange(-kSpeedLimit, kSpeedLimit);

    for (QGroupBox *group : {m_inportGroup, m_outportGroup, m_faultGroup})
        connect(group, &QGroupBox::clicked, this, &IO_SIMULATION::SimulationSignalSlots);
    connect(m_caseGroup, &QGroupBox::clicked, this, &IO_SIMULATION::SimulationCaseSlots);

    void (IO_SIMULATION::*const inputSlots[])() = {
        &IO_SIMULATION::InputButton1Slots, &IO_SIMULATION::InputButton2Slots, &IO_SIMULATION::InputButton3Slots,
        &IO_SIMULATION::InputButton4Slots, &IO_SIMULATION::InputButton5Slots, &IO_SIMULATION::InputButton6Slots};
    for (size_t i = 0; i < m_inputButtons.size(); ++i)
        connect(m_inputButtons[i], &QPushButton::clicked, this, inputSlots[i]);
    void (IO_SIMULATION::*const outputSlots[])() = {&IO_SIMULATION::OutputButton1Slots,
                                                    &IO_SIMULATION::OutputButton2Slots,
                                                    &IO_SIMULATION::OutputButton3Slots};
    for (size_t i = 0; i < m_outputButtons.size(); ++i)
        connect(m_outputButtons[i], &QPushButton::clicked, this, outputSlots[i]);
    connect(m_faultButton, &QPushButton::clicked, this, &IO_SIMULATION::FaultButtonSlots);

    connectInputSpin();
    connectOutputSpin();
    connect(m_degreeSpin, qOverload<int>(&QSpinBox::valueChanged), this, &IO_SIMULATION::DgreeSpinBoxSlots);
    connect(m_degreeSlider, &QSlider::valueChanged, this, &IO_SIMULATION::DgreeSliderSlots);
    connect(m_speedSpin, qOverload<int>(&QSpinBox::valueChanged), this, &IO_SIMULATION::SpeedSpinBoxSlots);
    connect(m_speedSlider, &QSlider::valueChanged, this, &IO_SIMULATION::SpeedSliderSlots);
    connect(m_optionMode, qOverload<int>(&QComboBox::currentIndexChanged), this, &IO_SIMULATION::OptionModeSlots);
}

void IO_SIMULATION::connectInputSpin()
{
    m_inputSpinConnection =
        connect(m_inputSpin, qOverload<int>(&QSpinBox::valueChanged), this, &IO_SIMULATION::InputSpinChange);
}

void IO_SIMULATION::connectOutputSpin()
{
    m_outputSpinConnection =
        connect(m_outputSpin, qOverload<int>(&QSpinBox::valueChanged), this, &IO_SIMULATION::OutputSpinChange);
}

void IO_SIMULATION::retranslate(int LanguageFlag)
{
    if (LanguageFlag != 0 && LanguageFlag != 1)
        return;
    const int count = qMin(kOptionModes, m_optionMode->count());
    for (int i = 0; i < count; ++i)
        m_optionMode->setItemText(i, LanguageFlag == 1 ? QStringLiteral("Type %1").arg(i)
                                                       : QStringLiteral("操作模式%1").arg(i));
}

void IO_SIMULATION::SimulationSignalSlots()
{
    if (m_inportGroup->isChecked()) {
        m_data->SignalSimulation = true;
        m_caseGroup->setChecked(false);
        m_data->CaseSimulation = false;
    } else {
        m_data->SignalSimulation = false;
    }
    m_data->InputBits = m_inputMask;

    m_data->OutputSimulation = m_outportGroup->isChecked();
    m_data->OutputBits = m_outputMask;

    const bool fault = m_faultGroup->isChecked();
    m_data->FaultSimulation = fault;
    m_data->FaultBits = fault ? m_faultFlag : 0;
}

void IO_SIMULATION::SimulationCaseSlots()
{
    if (m_caseGroup->isChecked()) {
        m_data->CaseSimulation = true;
        m_inportGroup->setChecked(false);
        m_data->SignalSimulation = false;
    } else {
        m_data->CaseSimulation = false;
    }
}

void IO_SIMULATION::InputButton1Slots() { inputButtonClicked(0); }
void IO_SIMULATION::InputButton2Slots() { inputButtonClicked(1); }
void IO_SIMULATION::InputButton3Slots() { inputButtonClicked(2); }
void IO_SIMULATION::InputButton4Slots() { inputButtonClicked(3); }
void IO_SIMULATION::InputButton5Slots() { inputButtonClicked(4); }
void IO_SIMULATION::InputButton6Slots() { inputButtonClicked(5); }
void IO_SIMULATION::OutputButton1Slots() { outputButtonClicked(0); }
void IO_SIMULATION::OutputButton2Slots() { outputButtonClicked(1); }
void IO_SIMULATION::OutputButton3Slots() { outputButtonClicked(2); }

void IO_SIMULATION::inputButtonClicked(int bit)
{
    m_inputMask = withBit(m_inputMask, bit, m_inputButtons[size_t(bit)]->isChecked());
    refreshInputs();
}

void IO_SIMULATION::outputButtonClicked(int bit)
{
    m_outputMask = withBit(m_outputMask, bit, m_outputButtons[size_t(bit)]->isChecked());
    refreshOutputs();
}

void IO_SIMULATION::FaultButtonSlots()
{
    m_faultFlag = m_faultButton->isChecked() ? 1 : 0;
    m_faultButton->setIcon(lamp(m_faultFlag ? QStringLiteral("GreenFault") : QStringLiteral("GrayFault")));
    SimulationSignalSlots();
}

void IO_SIMULATION::InputSpinChange(int Num)
{
    m_inputMask = Num;
    refreshInputs();
}

void IO_SIMULATION::OutputSpinChange(int Num)
{
    m_outputMask = Num;
    refreshOutputs();
}

void IO_SIMULATION::refreshInputs()
{
    for (int bit = 0; bit < int(m_inputButtons.size()); ++bit) {
        const bool on = (m_inputMask >> bit) & 1;
        m_inputButtons[size_t(bit)]->setIcon(lamp(inputLamp(bit, on)));
        m_inputButtons[size_t(bit)]->setChecked(on);
    }
    // Only this one connection goes: others listening to the spin box still
    // hear the change.
    disconnect(m_inputSpinConnection);
    m_inputSpin->setValue(m_inputMask);
    connectInputSpin();
    SimulationSignalSlots();
}

void IO_SIMULATION::refreshOutputs()
{
    for (int bit = 0; bit < int(m_outputButtons.size()); ++bit) {
        const bool on = (m_outputMask >> bit) & 1;
        m_outputButtons[size_t(bit)]->setIcon(lamp(outputLamp(bit, on)));
        m_outputButtons[size_t(bit)]->setChecked(on);
    }
    disconnect(m_outputSpinConnection);
    m_outputSpin->setValue(m_outputMask);
    connectOutputSpin();
    SimulationSignalSlots();
}

// Each widget of a pair sets the other, whose own change then stores the same
// number again: both always hold the value last chosen.
void IO_SIMULATION::DgreeSpinBoxSlots(int Num)
{
    m_data->SimDegree = Num;
    m_degreeSlider->setValue(Num);
}

void IO_SIMULATION::DgreeSliderSlots(int Num)
{
    m_data->SimDegree = Num;
    m_degreeSpin->setValue(Num);
}

void IO_SIMULATION::SpeedSpinBoxSlots(int Num)
{
    m_data->SimSpeed = Num;
    m_speedSlider->setValue(Num);
}

void IO_SIMULATION::SpeedSliderSlots(int Num)
{
    m_data->SimSpeed = Num;
    m_speedSpin->setValue(Num);
}

void IO_SIMULATION::OptionModeSlots(int Num) { m_data->SimOptionMode = Num; }
