#pragma once

#include "serialsettings.h"

#include <QDialog>
#include <QStringList>

#include <functional>

namespace Ui {
class SettingsDialog;
}
class QIntValidator;

// The serial connection dialog: the computer's serial ports and fixed lists
// of line parameters. The chosen values are kept until the next Enter.
class SettingsDialog : public QDialog
{
    Q_OBJECT
public:
    using PortLister = std::function<QStringList()>;

    explicit SettingsDialog(QWidget *parent = nullptr);
    ~SettingsDialog() override;

    // Where the port names come from, for every dialog in the process; tests
    // hand in their own. An empty function restores the system's list.
    static void setPortLister(PortLister lister);

    SerialSettings CurrentSettings() const;
    // The port the last connection used, whichever dialog chose it: what
    // the next Enter (and the window's Connection) opens unless changed.
    void setPortName(const QString &name);
    // 0 Chinese, 1 English; other values change nothing.
    void retranslate(int languageFlag);

signals:
    void OpenSerialSignal(QString name);

public slots:
    // Enter: keep the form's choices, announce the port, hide.
    void update();
    // Lists the ports the system reports, in its order.
    void fillPortsInfo();

private:
    void fillParameters();
    void updateSettings();
    void baudRateChosen(int index);

    Ui::SettingsDialog *m_ui;
    SerialSettings m_currentSettings;
    QIntValidator *m_customBaudValidator;
};
