#include "sensor_setting.h"

#include "editdata.h"
#include "linkstate.h"
#include "sensordocktexts.h"
#include "sensorparameters.h"
#include "sensortypeoptions.h"
#include "wheelguard.h"

#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

namespace {
// Out-of-range words from a scanner fall back to these.
constexpr int kDirtyDistanceFallback = 200;
constexpr int kDirtyStrengthFallback = 500;
constexpr int kDirtyMaximum = 2000;

// Marks the widgets as being set by the program, not by the user.
struct Quiet
{
    explicit Quiet(int &depth) : m_depth(depth) { ++m_depth; }
    ~Quiet() { --m_depth; }
    int &m_depth;
};
} // namespace

bool SENSOR_SETTING::isNumberRow(int row)
{
    switch (row) {
    case RS485IDAddress:
    case CANIDAddress:
    case SensorIPAddress1:
    case SensorIPAddress2:
    case SensorIPAddress3:
    case SensorIPAddress4:
    case DirtyReceDistance:
    case DirtyReceStrength:
        return true;
    default:
        return false;
    }
}

SENSOR_SETTING::SENSOR_SETTING(
    SensorParameters *Parameters, QComboBox *Para_ControlMode, QComboBox *Para_RS232BaudRate,
    QComboBox *Para_RS232CommVerify, QComboBox *Para_RS232StopBit, QSpinBox *Para_RS485IDAddress,
    QComboBox *Para_RS485BaudRate, QComboBox *Para_RS485CommVerify, QComboBox *Para_RS485StopBit,
    QSpinBox *Para_CANIDAddress, QComboBox *Para_CANBaudRate, QComboBox *Para_SensorOutputLogic,
    QComboBox *Para_ScanMotorSpeed, QComboBox *Para_ScanSensorAngle, QComboBox *Para_ScanFilterLevel,
    QComboBox *Para_SensorInstallDir, QComboBox *Para_CrossFilterEnable, QComboBox *Para_CrossFilterNumber,
    QComboBox *Para_SensorEtherMode, QSpinBox *Para_SensorIPAddress1, QSpinBox *Para_SensorIPAddress2,
    QSpinBox *Para_SensorIPAddress3, QSpinBox *Para_SensorIPAddress4, QComboBox *Para_LaserMeasureFrq,
    QComboBox *Para_LaserStopSignal, QComboBox *Para_TrailiFilterLevel, QSpinBox *Para_DirtyReceDistance,
    QSpinBox *Para_DirtyReceStrength, LinkState *Link, EditData *Data, QObject *parent)
    : QObject(parent), m_params(Parameters),
      m_rows{Para_ControlMode,      Para_RS232BaudRate,    Para_RS232CommVerify,   Para_RS232StopBit,
             Para_RS485IDAddress,   Para_RS485BaudRate,    Para_RS485CommVerify,   Para_RS485StopBit,
             Para_CANIDAddress,     Para_CANBaudRate,      Para_SensorOutputLogic, Para_ScanMotorSpeed,
             Para_ScanSensorAngle,  Para_ScanFilterLevel,  Para_SensorInstallDir,  Para_CrossFilterEnable,
             Para_CrossFilterNumber, Para_SensorEtherMode, Para_SensorIPAddress1,  Para_SensorIPAddress2,
             Para_SensorIPAddress3, Para_SensorIPAddress4, Para_LaserMeasureFrq,   Para_LaserStopSignal,
             Para_TrailiFilterLevel, Para_DirtyReceDistance, Para_DirtyReceStrength},
      m_link(Link), m_data(Data)
{
    for (QWidget *field : m_rows)
        WheelGuard::protect(field);
    connectWidgets();
    SetDefaultParameters();
}

QComboBox *SENSOR_SETTING::list(int row) const { return static_cast<QComboBox *>(m_rows[size_t(row)]); }
QSpinBox *SENSOR_SETTING::number(int row) const { return static_cast<QSpinBox *>(m_rows[size_t(row)]); }
bool SENSOR_SETTING::onEthernet() const { return m_link && m_link->ConnectionKind == 1; }

void SENSOR_SETTING::connectWidgets()
{
    if (!m_connections.empty())
        return;
    for (int row = 0; row < RowCount; ++row) {
        if (isNumberRow(row))
            m_connections.push_back(connect(number(row), qOverload<int>(&QSpinBox::valueChanged), this,
                                            &SENSOR_SETTING::widgetEdited));
        else
            m_connections.push_back(connect(list(row), qOverload<int>(&QComboBox::currentIndexChanged), this,
                                            &SENSOR_SETTING::widgetEdited));
    }
}

void SENSOR_SETTING::disconnectWidgets()
{
    for (const QMetaObject::Connection &c : m_connections)
        disconnect(c);
    m_connections.clear();
}

void SENSOR_SETTING::widgetEdited()
{
    UpdateParametersFromDock();
    if (m_quiet == 0 && m_data)
        m_data->Modified = true;
}

void SENSOR_SETTING::SetDefaultParameters()
{
    *m_params = SensorParameters::defaults();
    number(RS485IDAddress)->setRange(1, 127);
    number(CANIDAddress)->setRange(1, 127);
    UpdateParametersToDock();
}

void SENSOR_SETTING::UpdateParametersToDock()
{
    auto &w = m_params->Words;
    // Showing a block must not write it back: the words keep what the
    // scanner said even where a field clamps its value.
    const bool wasConnected = !m_connections.empty();
    disconnectWidgets();

    for (int row : {ControlMode, RS232BaudRate, RS232CommVerify, RS232StopBit})
        list(row)->setCurrentIndex(w[size_t(row)]);
    number(RS485IDAddress)->setValue(w[4]);
    for (int row : {RS485BaudRate, RS485CommVerify, RS485StopBit})
        list(row)->setCurrentIndex(w[size_t(row)]);
    number(CANIDAddress)->setValue(w[8]);
    list(CANBaudRate)->setCurrentIndex(w[9]);
    list(SensorOutputLogic)->setCurrentIndex(w[10]);

    if (w[11] > 1)
        w[11] = 0;
    list(ScanMotorSpeed)->setCurrentIndex(w[11]);
    list(ScanSensorAngle)->setCurrentIndex(w[12]);
    if (w[13] > 3)
        w[13] = 0;
    list(ScanFilterLevel)->setCurrentIndex(w[13]);
    if (w[14] > 1)
        w[14] = 0;
    list(SensorInstallDir)->setCurrentIndex(w[14]);
    list(CrossFilterEnable)->setCurrentIndex(w[15]);
    list(CrossFilterNumber)->setCurrentIndex(w[16]);

    // A serial line cannot set the Ethernet words, so its dock leaves them be.
    if (onEthernet()) {
        if (w[12] > 4) {
            w[12] = 1;
            list(ScanSensorAngle)->setCurrentIndex(w[12]);
        }
        list(SensorEtherMode)->setCurrentIndex(w[17]);
        number(SensorIPAddress1)->setValue((w[18] >> 8) & 0xFF);
        number(SensorIPAddress2)->setValue(w[18] & 0xFF);
        number(SensorIPAddress3)->setValue((w[19] >> 8) & 0xFF);
        number(SensorIPAddress4)->setValue(w[19] & 0xFF);
        list(CrossFilterNumber)->setEnabled(list(CrossFilterEnable)->currentIndex() != 0);
        list(LaserMeasureFrq)->setCurrentIndex(w[20]);
        list(LaserStopSignal)->setCurrentIndex(w[21]);
    }

    list(TrailiFilterLevel)->setCurrentIndex(w[22]);
    const bool dirtFilter = list(LaserStopSignal)->currentIndex() != 0;
    number(DirtyReceDistance)->setEnabled(dirtFilter);
    number(DirtyReceStrength)->setEnabled(dirtFilter);
    if (w[23] > kDirtyMaximum)
        w[23] = kDirtyDistanceFallback;
    if (w[24] > kDirtyMaximum)
        w[24] = kDirtyStrengthFallback;
    number(DirtyReceDistance)->setValue(w[23]);
    number(DirtyReceStrength)->setValue(w[24]);

    if (wasConnected)
        connectWidgets();
}

void SENSOR_SETTING::takeIndex(int word, int row)
{
    const int index = list(row)->currentIndex();
    if (index >= 0)
        m_params->Words[size_t(word)] = index;
}

void SENSOR_SETTING::UpdateParametersFromDock()
{
    auto &w = m_params->Words;
    for (int row : {ControlMode, RS232BaudRate, RS232CommVerify, RS232StopBit})
        takeIndex(row, row);
    w[4] = number(RS485IDAddress)->value();
    takeIndex(5, RS485BaudRate);
    takeIndex(6, RS485CommVerify);
    takeIndex(7, RS485StopBit);
    w[8] = number(CANIDAddress)->value();
    takeIndex(9, CANBaudRate);
    takeIndex(10, SensorOutputLogic);
    takeIndex(11, ScanMotorSpeed);
    takeIndex(13, ScanFilterLevel);
    takeIndex(14, SensorInstallDir);
    takeIndex(15, CrossFilterEnable);
    takeIndex(16, CrossFilterNumber);

    if (onEthernet()) {
        takeIndex(12, ScanSensorAngle);
        // The finest resolution runs only at the slower motor speed.
        if (w[12] == 0) {
            w[11] = 0;
            list(ScanMotorSpeed)->setCurrentIndex(0);
        }
        takeIndex(17, SensorEtherMode);
        w[18] = number(SensorIPAddress1)->value() * 256 + number(SensorIPAddress2)->value();
        w[19] = number(SensorIPAddress3)->value() * 256 + number(SensorIPAddress4)->value();
        list(CrossFilterNumber)->setEnabled(list(CrossFilterEnable)->currentIndex() != 0);
        takeIndex(20, LaserMeasureFrq);
        takeIndex(21, LaserStopSignal);
    }

    takeIndex(22, TrailiFilterLevel);
    const bool dirtFilter = list(LaserStopSignal)->currentIndex() != 0;
    number(DirtyReceDistance)->setEnabled(dirtFilter);
    number(DirtyReceStrength)->setEnabled(dirtFilter);
    w[23] = number(DirtyReceDistance)->value();
    w[24] = number(DirtyReceStrength)->value();
}

SensorDockState SENSOR_SETTING::dockState() const
{
    SensorDockState state{};
    for (int row = 0; row < RowCount; ++row)
        state[size_t(row)] = isNumberRow(row) ? number(row)->value() : list(row)->currentIndex();
    return state;
}

void SENSOR_SETTING::applyDockState(const SensorDockState &state)
{
    Quiet quiet(m_quiet);
    for (int row = 0; row < RowCount; ++row) {
        if (isNumberRow(row))
            number(row)->setValue(state[size_t(row)]);
        else
            list(row)->setCurrentIndex(state[size_t(row)]);
    }
    // A field that already showed its value sent no change; the block must
    // follow the dock all the same.
    UpdateParametersFromDock();
}

void SENSOR_SETTING::SensorTypeChange(int ProductType)
{
    const SensorTypeOptions options = SensorTypeOptions::forType(ProductType);
    if (options.isEmpty())
        return;
    // The scanner, not the user, changed these lists.
    Quiet quiet(m_quiet);
    const std::pair<int, const QStringList *> refills[] = {{ScanMotorSpeed, &options.motorSpeed},
                                                           {LaserMeasureFrq, &options.measureFrq},
                                                           {LaserStopSignal, &options.stopSignal}};
    for (const auto &refill : refills) {
        list(refill.first)->clear();
        list(refill.first)->addItems(*refill.second);
    }
}

void SENSOR_SETTING::retranslate(int LanguageFlag)
{
    const bool english = LanguageFlag == 1;
    // The labels and the group live beside the fields, in the dock's page.
    QWidget *page = m_rows[0]->parentWidget();
    if (!page)
        return;
    for (const SensorDockTexts::Text &text : SensorDockTexts::labels())
        if (auto *label = page->findChild<QLabel *>(QLatin1String(text.objectName)))
            label->setText(english ? text.english : text.chinese);
    for (const SensorDockTexts::Items &items : SensorDockTexts::itemLists()) {
        auto *combo = page->findChild<QComboBox *>(QLatin1String(items.objectName));
        if (!combo)
            continue;
        const QStringList &texts = english ? items.english : items.chinese;
        for (int i = 0; i < texts.size() && i < combo->count(); ++i)
            combo->setItemText(i, texts[i]);
    }
    for (const SensorDockTexts::Text &title : SensorDockTexts::titles()) {
        const QString text = english ? title.english : title.chinese;
        if (auto *group = page->findChild<QGroupBox *>(QLatin1String(title.objectName)))
            group->setTitle(text);
        for (QWidget *up = page; up; up = up->parentWidget())
            if (auto *dock = qobject_cast<QDockWidget *>(up); dock && dock->objectName() == title.objectName)
                dock->setWindowTitle(text);
    }
}
