#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

// The window's own settings (Edit → App Settings): whether every write is
// read back and compared. Each setting has a key of its own in the window's
// settings store.
class AppSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AppSettingsDialog(QWidget *parent = nullptr);

    static bool storedVerifyAfterWrite();
    static void storeVerifyAfterWrite(bool on);

    void setVerifyAfterWrite(bool on);
    bool verifyAfterWrite() const;
    void retranslate(int languageFlag);

    QCheckBox *verifyBox() const { return m_verify; }

private:
    QCheckBox *m_verify;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};
