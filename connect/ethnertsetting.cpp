#include "ethnertsetting.h"
#include "ui_ethnertsetting.h"

#include "addresscombo.h"
#include "scannerdiscovery.h"

#include <QLineEdit>
#include <QMetaMethod>
#include <utility>

EthnertSetting::EthnertSetting(QWidget *parent)
    : QDialog(parent), m_ui(new Ui::EthnertSetting), m_discovery(new ScannerDiscovery(this))
{
    m_ui->setupUi(this);
    // Hidden or closed, the dialog must not keep the program alive or end it.
    setAttribute(Qt::WA_QuitOnClose, false);
    // A typed address is taken as typed: no completion towards a listed one
    // that merely starts the same way.
    m_ui->Eth_ComboBox->setCompleter(nullptr);
    m_ui->Eth_ComboBox->setInsertPolicy(QComboBox::InsertAtBottom);

    connect(m_discovery, &ScannerDiscovery::bound, this, &EthnertSetting::reportBind);
    connect(m_discovery, &ScannerDiscovery::replyReceived, this, &EthnertSetting::handleReply);
    connect(m_ui->Enter, &QPushButton::clicked, this, &EthnertSetting::update);
    connect(m_ui->Cancel, &QPushButton::clicked, this, &EthnertSetting::hide);
    connect(m_ui->Button_Refresh_ETH, &QPushButton::clicked, this, &EthnertSetting::fillPortsInfo);
    fillPortsInfo();
}

EthnertSetting::~EthnertSetting()
{
    DelteclientSocket();
    delete m_ui;
}

void EthnertSetting::update()
{
    // The current entry, not the edit text: typed text counts once Return made it an entry.
    QComboBox *box = m_ui->Eth_ComboBox;
    emit OpenEthernetSignal(box->itemText(box->currentIndex()));
    DelteclientSocket();
    hide();
}

void EthnertSetting::fillPortsInfo()
{
    DelteclientSocket();
    m_ui->Eth_ComboBox->clear();
    AddressCombo::offerFirst(m_ui->Eth_ComboBox, m_history);
    m_discovery->search();
}

void EthnertSetting::setAddressHistory(const QStringList &addresses)
{
    m_history = addresses;
    AddressCombo::offerFirst(m_ui->Eth_ComboBox, m_history);
}

void EthnertSetting::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Otherwise the button that closed it last keeps the focus, and typed
    // text goes nowhere.
    m_ui->Eth_ComboBox->setFocus(Qt::OtherFocusReason);
    m_ui->Eth_ComboBox->lineEdit()->selectAll();
}

void EthnertSetting::DelteclientSocket() { m_discovery->release(); }

void EthnertSetting::ReadEthernetReceiveData() { m_discovery->readReplies(); }

void EthnertSetting::log(const QString &line)
{
    if (isSignalConnected(QMetaMethod::fromSignal(&EthnertSetting::informationAppend)))
        emit informationAppend(line);
    else
        m_unheard << line;
}

void EthnertSetting::connectNotify(const QMetaMethod &signal)
{
    if (signal != QMetaMethod::fromSignal(&EthnertSetting::informationAppend) || m_unheard.isEmpty())
        return;
    // Delivered once the connection is complete, in the order they arose.
    QMetaObject::invokeMethod(
        this,
        [this] {
            const QStringList lines = std::exchange(m_unheard, {});
            for (const QString &line : lines)
                emit informationAppend(line);
        },
        Qt::QueuedConnection);
}

void EthnertSetting::reportBind(const QHostAddress &address, bool ok)
{
    log((ok ? QStringLiteral("IP地址绑定成功：") : QStringLiteral("IP地址绑定失败：")) + address.toString());
}

void EthnertSetting::handleReply(const QHostAddress &sender, const QByteArray &datagram)
{
    const QString address = sender.toString();
    if (m_ui->Eth_ComboBox->findText(address) < 0)
        m_ui->Eth_ComboBox->addItem(address);
    log(Discovery::replyText(datagram));
    log(address);
    const QString mode = Discovery::modeText(datagram);
    if (!mode.isEmpty())
        emit OpenEthernetMode(mode);
}

void EthnertSetting::retranslate(int languageFlag)
{
    if (languageFlag != 0 && languageFlag != 1)
        return;
    const bool en = languageFlag == 1;
    setWindowTitle(en ? QStringLiteral("Ethnert Setting") : QStringLiteral("以太网设置"));
    m_ui->Enter->setText(en ? QStringLiteral("OK") : QStringLiteral("确定"));
    m_ui->Cancel->setText(en ? QStringLiteral("Cancel") : QStringLiteral("取消"));
}
