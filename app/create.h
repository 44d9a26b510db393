#pragma once

#include "devicetype.h"
#include "serialportentry.h"

#include <QDialog>

#include <functional>
#include <memory>

class QHostAddress;
class ScannerDiscovery;
namespace Ui {
class Create;
}

// The welcome dialog: a new project for a scanner model, a project file, or
// a connection by serial line or Ethernet, each announced by a signal for
// the main window. Runs its own scanner search, with its own sockets, from
// construction until one of the choices is made.
class Create : public QDialog
{
    Q_OBJECT
public:
    using PortLister = std::function<QList<SerialPortEntry>()>;

    explicit Create(QWidget *parent = nullptr);
    ~Create() override;

    // Where the serial ports come from, for every welcome dialog in the
    // process; tests hand in their own. An empty function restores the
    // system's list.
    static void setPortLister(PortLister lister);
    // The addresses used last, most recent first: listed before those the
    // search finds, the first one current, now and after every search.
    void setAddressHistory(const QStringList &addresses);

signals:
    void QuitSignal();
    void OpenProjectSignal();
    // The record lives for the emission only; receivers copy it.
    void CreateSignal(DEVICETYPE *Type);
    void CreateInterface(int Index);
    void OpenSerialSignal(QString PortName);
    void OpenEthernetSignal(QString Address);
    void OpenEthernetMode(QString Mode);

public slots:
    void DelteclientSocket();
    void LanguageDisplayChinese();
    void LanguageDisplayEnglish();
    void LanguageDisplayJapanese();
    void QuitButton();
    void CreateNewProject();
    void OpenProjectFile();
    void ConnectToLaserSensor();
    void UpdateSerialPortSetting();
    void UpdateEthernetSetting();
    void ReadEthernetReceiveData();

private:
    void emitDeviceType();
    void takeReply(const QHostAddress &sender, const QByteArray &datagram);

    std::unique_ptr<Ui::Create> ui;
    ScannerDiscovery *m_discovery;
    QStringList m_history;
};
