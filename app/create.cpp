#include "create.h"
#include "addresscombo.h"
#include "scannerdiscovery.h"
#include "ui_create.h"

namespace {
Create::PortLister &portLister()
{
    static Create::PortLister lister;
    return lister;
}

struct CreateTexts
{
    const char *title, *create, *open, *connect, *openProject, *serial, *ethernet, *quit;
};

const CreateTexts kChinese{"欢迎使用激光雷达区域设计软件", "创建", "打开", "连接", "打开工程文件", "串口", "以太网", "退出"};
const CreateTexts kEnglish{"Welcome to Quillmark", "Create", "Open", "Connect", "Open Project file", "Serial",
                           "Ethernet", "Quit"};

void applyTexts(Create *dialog, Ui::Create *ui, const CreateTexts &t)
{
    dialog->setWindowTitle(QString::fromUtf8(t.title));
    ui->Button_Create->setText(QString::fromUtf8(t.create));
    ui->Button_Open->setText(QString::fromUtf8(t.open));
    ui->Button_Connect->setText(QString::fromUtf8(t.connect));
    ui->label_OpenProject->setText(QString::fromUtf8(t.openProject));
    ui->ConnecttabWidget->setTabText(0, QString::fromUtf8(t.serial));
    ui->ConnecttabWidget->setTabText(1, QString::fromUtf8(t.ethernet));
    ui->Button_Quit->setText(QString::fromUtf8(t.quit));
}
} // namespace

Create::Create(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::Create>()), m_discovery(new ScannerDiscovery(this))
{
    ui->setupUi(this);
    setWindowModality(Qt::ApplicationModal);
    // A title bar without close, minimise or maximise: leaving goes through a choice.
    setWindowFlags(Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    resize(489, 287);
    // Return in an address or port box only makes the typed text an item;
    // it must not press a button and leave the dialog.
    for (QPushButton *button : findChildren<QPushButton *>())
        button->setAutoDefault(false);

    connect(ui->Button_Quit, &QPushButton::clicked, this, &Create::QuitButton);
    connect(ui->Button_Create, &QPushButton::clicked, this, &Create::CreateNewProject);
    connect(ui->Button_Open, &QPushButton::clicked, this, &Create::OpenProjectFile);
    connect(ui->Button_Connect, &QPushButton::clicked, this, &Create::ConnectToLaserSensor);
    connect(ui->Button_Refresh, &QPushButton::clicked, this, &Create::UpdateSerialPortSetting);
    connect(ui->Button_Refresh_ETH, &QPushButton::clicked, this, &Create::UpdateEthernetSetting);
    connect(m_discovery, &ScannerDiscovery::replyReceived, this, &Create::takeReply);

    UpdateSerialPortSetting();
    UpdateEthernetSetting();
    ui->comboBox_Ethernet->setEditable(true);
    // A typed address is taken as typed: no completion towards a listed one
    // that merely starts the same way.
    ui->comboBox_Ethernet->setCompleter(nullptr);
}

Create::~Create() = default;

void Create::setPortLister(PortLister lister) { portLister() = std::move(lister); }

void Create::DelteclientSocket() { m_discovery->release(); }

void Create::LanguageDisplayChinese() { applyTexts(this, ui.get(), kChinese); }

void Create::LanguageDisplayEnglish() { applyTexts(this, ui.get(), kEnglish); }

void Create::LanguageDisplayJapanese() {}

void Create::QuitButton()
{
    emit QuitSignal();
    DelteclientSocket();
    close();
}

void Create::CreateNewProject()
{
    emitDeviceType();
    emit CreateInterface(ui->ConnecttabWidget->currentIndex());
    DelteclientSocket();
    hide();
}

void Create::OpenProjectFile()
{
    emit OpenProjectSignal();
    DelteclientSocket();
    hide();
}

void Create::ConnectToLaserSensor()
{
    emitDeviceType();
    if (ui->ConnecttabWidget->currentIndex() != 0) {
        // The current item, not the edit text: typed text counts once Return made it an item.
        const QComboBox *box = ui->comboBox_Ethernet;
        emit OpenEthernetSignal(box->itemText(box->currentIndex()));
    } else {
        // The edit text: a typed device path counts, since the system lists
        // neither pseudo-terminals nor ports behind symbolic links.
        emit OpenSerialSignal(ui->comboBox_Serial->currentText());
    }
    DelteclientSocket();
    hide();
}

void Create::UpdateSerialPortSetting()
{
    ui->comboBox_Serial->clear();
    const QList<SerialPortEntry> ports = portLister() ? portLister()() : systemSerialPorts();
    for (const SerialPortEntry &port : ports)
        ui->comboBox_Serial->addItem(port.portName, serialPortItemData(port));
}

void Create::UpdateEthernetSetting()
{
    m_discovery->release();
    ui->comboBox_Ethernet->clear();
    AddressCombo::offerFirst(ui->comboBox_Ethernet, m_history);
    m_discovery->search();
}

void Create::setAddressHistory(const QStringList &addresses)
{
    m_history = addresses;
    AddressCombo::offerFirst(ui->comboBox_Ethernet, m_history);
}

void Create::ReadEthernetReceiveData() { m_discovery->readReplies(); }

void Create::emitDeviceType()
{
    DEVICETYPE type;
    type.Type = ui->LaserSensorType->currentIndex() == 1 ? 4 : 3;
    emit CreateSignal(&type);
}

void Create::takeReply(const QHostAddress &sender, const QByteArray &datagram)
{
    const QString address = sender.toString();
    if (ui->comboBox_Ethernet->findText(address) < 0)
        ui->comboBox_Ethernet->addItem(address);
    const QString mode = Discovery::modeText(datagram);
    if (!mode.isEmpty())
        emit OpenEthernetMode(mode);
}
