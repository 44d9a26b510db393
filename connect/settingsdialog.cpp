#include "settingsdialog.h"
#include "ui_settingsdialog.h"

#include <QIntValidator>
#include <QLineEdit>
#include <QSerialPortInfo>

namespace {
SettingsDialog::PortLister &portLister()
{
    static SettingsDialog::PortLister lister;
    return lister;
}

QStringList systemPortNames()
{
    QStringList names;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        names << info.portName();
    return names;
}

// The last baud-rate entry stores no rate: it opens the box for a typed one.
const QString kCustom = QStringLiteral("Custom");
} // namespace

SettingsDialog::SettingsDialog(QWidget *parent)
    : QDialog(parent), m_ui(new Ui::SettingsDialog), m_customBaudValidator(new QIntValidator(0, 4000000, this))
{
    m_ui->setupUi(this);
    // Typed text must reach us literally: no completion towards a listed
    // port or rate.
    m_ui->serialPortInfoListBox->setCompleter(nullptr);
    fillParameters();
    connect(m_ui->baudRateBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &SettingsDialog::baudRateChosen);
    connect(m_ui->Enter, &QPushButton::clicked, this, &SettingsDialog::update);
    connect(m_ui->Cancel, &QPushButton::clicked, this, &SettingsDialog::hide);
    fillPortsInfo();
    updateSettings();
}

SettingsDialog::~SettingsDialog() { delete m_ui; }

void SettingsDialog::setPortLister(PortLister lister) { portLister() = std::move(lister); }

SerialSettings SettingsDialog::CurrentSettings() const { return m_currentSettings; }

void SettingsDialog::setPortName(const QString &name)
{
    m_ui->serialPortInfoListBox->setCurrentText(name);
    m_currentSettings.name = name;
}

void SettingsDialog::update()
{
    updateSettings();
    emit OpenSerialSignal(m_currentSettings.name);
    hide();
}

void SettingsDialog::fillPortsInfo()
{
    m_ui->serialPortInfoListBox->clear();
    m_ui->serialPortInfoListBox->addItems(portLister() ? portLister()() : systemPortNames());
}

void SettingsDialog::fillParameters()
{
    m_ui->baudRateBox->addItem(QStringLiteral("576000"), 576000);
    m_ui->baudRateBox->addItem(QStringLiteral("115200"), QSerialPort::Baud115200);
    m_ui->baudRateBox->addItem(QStringLiteral("9600"), QSerialPort::Baud9600);
    m_ui->baudRateBox->addItem(QStringLiteral("19200"), QSerialPort::Baud19200);
    m_ui->baudRateBox->addItem(QStringLiteral("38400"), QSerialPort::Baud38400);
    m_ui->baudRateBox->addItem(kCustom);

    m_ui->dataBitsBox->addItem(QStringLiteral("5"), QSerialPort::Data5);
    m_ui->dataBitsBox->addItem(QStringLiteral("6"), QSerialPort::Data6);
    m_ui->dataBitsBox->addItem(QStringLiteral("7"), QSerialPort::Data7);
    m_ui->dataBitsBox->addItem(QStringLiteral("8"), QSerialPort::Data8);
    m_ui->dataBitsBox->setCurrentIndex(3);

    m_ui->parityBox->addItem(QStringLiteral("None"), QSerialPort::NoParity);
    m_ui->parityBox->addItem(QStringLiteral("Even"), QSerialPort::EvenParity);
    m_ui->parityBox->addItem(QStringLiteral("Odd"), QSerialPort::OddParity);
    m_ui->parityBox->addItem(QStringLiteral("Mark"), QSerialPort::MarkParity);
    m_ui->parityBox->addItem(QStringLiteral("Space"), QSerialPort::SpaceParity);

    m_ui->stopBitsBox->addItem(QStringLiteral("1"), QSerialPort::OneStop);
    m_ui->stopBitsBox->addItem(QStringLiteral("1.5"), QSerialPort::OneAndHalfStop);
    m_ui->stopBitsBox->addItem(QStringLiteral("2"), QSerialPort::TwoStop);

    m_ui->flowControlBox->addItem(QStringLiteral("None"), QSerialPort::NoFlowControl);
    m_ui->flowControlBox->addItem(QStringLiteral("RTS/CTS"), QSerialPort::HardwareControl);
    m_ui->flowControlBox->addItem(QStringLiteral("XON/XOFF"), QSerialPort::SoftwareControl);
}

void SettingsDialog::baudRateChosen(int index)
{
    QComboBox *box = m_ui->baudRateBox;
    const bool custom = index >= 0 && box->itemText(index) == kCustom;
    if (custom == box->isEditable())
        return;
    box->setEditable(custom);
    if (!custom)
        return;
    // A fresh line edit each time: give it the range, no completion, and an
    // empty field to type the rate into.
    box->setCompleter(nullptr);
    box->setValidator(m_customBaudValidator);
    box->lineEdit()->clear();
}

void SettingsDialog::updateSettings()
{
    SerialSettings &s = m_currentSettings;
    s.name = m_ui->serialPortInfoListBox->currentText();

    const QComboBox *baud = m_ui->baudRateBox;
    if (baud->isEditable()) {
        // The field accepts up to seven digits while typing; a rate outside
        // the range is no rate.
        QString typed = baud->currentText();
        int at = 0;
        s.baudRate = m_customBaudValidator->validate(typed, at) == QValidator::Acceptable ? typed.toInt() : 0;
    } else {
        s.baudRate = baud->currentData().toInt();
    }
    s.stringBaudRate = baud->currentText();

    s.dataBits = static_cast<QSerialPort::DataBits>(m_ui->dataBitsBox->currentData().toInt());
    s.stringDataBits = m_ui->dataBitsBox->currentText();
    s.parity = static_cast<QSerialPort::Parity>(m_ui->parityBox->currentData().toInt());
    s.stringParity = m_ui->parityBox->currentText();
    s.stopBits = static_cast<QSerialPort::StopBits>(m_ui->stopBitsBox->currentData().toInt());
    s.stringStopBits = m_ui->stopBitsBox->currentText();
    s.flowControl = static_cast<QSerialPort::FlowControl>(m_ui->flowControlBox->currentData().toInt());
    s.stringFlowControl = m_ui->flowControlBox->currentText();
}

void SettingsDialog::retranslate(int languageFlag)
{
    if (languageFlag != 0 && languageFlag != 1)
        return;
    const bool en = languageFlag == 1;
    auto pick = [en](const char *chinese, const char *english) {
        return en ? QString::fromUtf8(english) : QString::fromUtf8(chinese);
    };
    setWindowTitle(pick("串口设置", "Serial Setting"));
    m_ui->selectBox->setTitle(pick("选择串口", "Serial Select"));
    m_ui->SerialLabel->setText(pick("串口号:", "Serial Number:"));
    m_ui->parametersBox->setTitle(pick("参数设置:", "Parameters Setting:"));
    m_ui->baudRateLabel->setText(pick("波特率:", "Baud Rate:"));
    m_ui->dataBitsLabel->setText(pick("数据位:", "Data Bits:"));
    m_ui->parityLabel->setText(pick("奇偶校验:", "Parity:"));
    m_ui->stopBitsLabel->setText(pick("停止位:", "Stop Bits:"));
    m_ui->flowControlLabel->setText(pick("流控制:", "Flow Control:"));
    m_ui->Enter->setText(pick("确定", "Enter"));
    m_ui->Cancel->setText(pick("取消", "Cancel"));
}
