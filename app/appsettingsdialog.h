#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// The window's own settings (Edit → App Settings): whether every write is
// read back and compared, and what the editor view draws with. Each setting
// has a key of its own in the window's settings store.
class AppSettingsDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AppSettingsDialog(QWidget *parent = nullptr);

    static bool storedVerifyAfterWrite();
    static void storeVerifyAfterWrite(bool on);

    void setVerifyAfterWrite(bool on);
    bool verifyAfterWrite() const;
    // 0 automatic, 1 OpenGL, 2 raster (ViewportChoice::Mode's order).
    void setViewportChoice(int choice);
    int viewportChoice() const;
    void retranslate(int languageFlag);

    QCheckBox *verifyBox() const { return m_verify; }

private:
    QCheckBox *m_verify;
    QLabel *m_viewportLabel;
    QComboBox *m_viewport;
    QLabel *m_viewportNote;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};
