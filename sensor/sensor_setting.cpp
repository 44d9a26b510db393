#include "sensor_setting.h"

#include "editdata.h"
#include "linkstate.h"
#include "sensordocktexts.h"
#include "sensordockwords.h"
#include "sensorparameters.h"
#include "sensortypeoptions.h"
#include "wheelguard.h"

#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

namespace {
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
    // Out-of-list values from a scanner are corrected in the block itself,
    // so that what the dock shows is what WPara sends back.
    SensorDockWords::correctWords(*m_params);
    // Showing a block must not write it back: the words keep what the
    // scanner said even where a field clamps its value.
    const bool wasConnected = !m_connections.empty();
    disconnectWidgets();
    // Every row, on any link: rows the link cannot configure are disabled by
    // the window, yet they are saved with the project, so they must show the
    // block and not what an earlier project or scanner left in them.
    const SensorDockState rows = SensorDockWords::rowsOfWords(*m_params);
    for (int row = 0; row < RowCount; ++row) {
        if (isNumberRow(row))
            number(row)->setValue(rows[size_t(row)]);
        else
            list(row)->setCurrentIndex(rows[size_t(row)]);
    }
    updateEnabled();
    if (wasConnected)
        connectWidgets();
}

void SENSOR_SETTING::UpdateParametersFromDock()
{
    // Every row, on any link, for the same reason; a list showing no item
    // keeps its word.
    *m_params = SensorDockWords::wordsOfRows(dockState(), *m_params);
    // The finest resolution runs only at the slower motor speed.
    if (m_params->Words[12] == 0)
        list(ScanMotorSpeed)->setCurrentIndex(0);
    updateEnabled();
}

void SENSOR_SETTING::updateEnabled()
{
    // Over a serial line the window keeps the cross filter disabled.
    if (onEthernet())
        list(CrossFilterNumber)->setEnabled(list(CrossFilterEnable)->currentIndex() != 0);
    const bool dirtFilter = list(LaserStopSignal)->currentIndex() != 0;
    number(DirtyReceDistance)->setEnabled(dirtFilter);
    number(DirtyReceStrength)->setEnabled(dirtFilter);
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
    const bool wasConnected = !m_connections.empty();
    disconnectWidgets();
    // The type names the items, the words still say which one the scanner
    // uses: a read-all is followed by the type, and refilling must not turn
    // its motor speed, frequency and echo into the first items. Only a word
    // the new list cannot show falls back to the first item.
    struct Refill
    {
        int row;
        int word;
        const QStringList *items;
    };
    const Refill refills[] = {{ScanMotorSpeed, 11, &options.motorSpeed},
                              {LaserMeasureFrq, 20, &options.measureFrq},
                              {LaserStopSignal, 21, &options.stopSignal}};
    for (const Refill &refill : refills) {
        QComboBox *combo = list(refill.row);
        const int index = m_params->Words[size_t(refill.word)];
        combo->clear();
        combo->addItems(*refill.items);
        combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
    }
    if (wasConnected)
        connectWidgets();
    UpdateParametersFromDock();
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
