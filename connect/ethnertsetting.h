#pragma once

#include <QDialog>
#include <QHostAddress>
#include <QStringList>

namespace Ui {
class EthnertSetting;
}
class ScannerDiscovery;

// The Ethernet connection dialog: searches every local IPv4 network for
// scanners, lists the ones that answer and learns their Ethernet mode from
// the answer. Every step is reported as a line for the information log.
class EthnertSetting : public QDialog
{
    Q_OBJECT
public:
    // Runs the first search at once.
    explicit EthnertSetting(QWidget *parent = nullptr);
    ~EthnertSetting() override;

    // 0 Chinese, 1 English; other values change nothing.
    void retranslate(int languageFlag);
    // The addresses used last, most recent first: listed before those a
    // search finds, the first one current, now and after every search.
    void setAddressHistory(const QStringList &addresses);
    const ScannerDiscovery &discovery() const { return *m_discovery; }

signals:
    void OpenEthernetSignal(QString address);
    void OpenEthernetMode(QString mode);
    void informationAppend(QString line);

public slots:
    // Enter: announce the current entry, stop listening, hide.
    void update();
    // A new search (the list is emptied first).
    void fillPortsInfo();
    // Closes and destroys the search's sockets.
    void DelteclientSocket();
    // Takes every reply waiting on the search's sockets.
    void ReadEthernetReceiveData();

protected:
    void connectNotify(const QMetaMethod &signal) override;
    // Opens with the address ready to be typed over.
    void showEvent(QShowEvent *event) override;

private:
    // Emits a log line, or keeps it until the log is connected: the first
    // search runs in the constructor, before anyone can listen.
    void log(const QString &line);
    void reportBind(const QHostAddress &address, bool ok);
    void handleReply(const QHostAddress &sender, const QByteArray &datagram);

    Ui::EthnertSetting *m_ui;
    ScannerDiscovery *m_discovery;
    QStringList m_unheard;
    QStringList m_history;
};
