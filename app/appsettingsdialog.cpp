#include "appsettingsdialog.h"

#include "comparetexts.h"
#include "settingsstore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace {
const QString kVerifyKey = QStringLiteral("VerifyAfterWrite");
} // namespace

AppSettingsDialog::AppSettingsDialog(QWidget *parent)
    : QDialog(parent), m_verify(new QCheckBox), m_viewportLabel(new QLabel), m_viewport(new QComboBox),
      m_viewportNote(new QLabel), m_ok(new QPushButton), m_cancel(new QPushButton)
{
    setObjectName(QStringLiteral("AppSettingsDialog"));
    m_verify->setObjectName(QStringLiteral("VerifyAfterWrite"));
    m_viewport->setObjectName(QStringLiteral("ViewportChoice"));
    m_viewport->addItems({QString(), QString(), QString()});
    m_ok->setObjectName(QStringLiteral("AppSettingsOk"));
    auto *buttons = new QDialogButtonBox;
    buttons->addButton(m_ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_cancel, QDialogButtonBox::RejectRole);
    m_ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_verify);
    layout->addSpacing(8);
    layout->addWidget(m_viewportLabel);
    layout->addWidget(m_viewport);
    layout->addWidget(m_viewportNote);
    layout->addStretch(1);
    layout->addWidget(buttons);
    retranslate(0);
}

// On unless switched off: a write that went wrong should not pass unnoticed.
bool AppSettingsDialog::storedVerifyAfterWrite() { return settingsStore().value(kVerifyKey, true).toBool(); }

void AppSettingsDialog::storeVerifyAfterWrite(bool on)
{
    QSettings settings = settingsStore();
    settings.setValue(kVerifyKey, on);
}

void AppSettingsDialog::setVerifyAfterWrite(bool on) { m_verify->setChecked(on); }

bool AppSettingsDialog::verifyAfterWrite() const { return m_verify->isChecked(); }

void AppSettingsDialog::setViewportChoice(int choice) { m_viewport->setCurrentIndex(qBound(0, choice, 2)); }

int AppSettingsDialog::viewportChoice() const { return m_viewport->currentIndex(); }

void AppSettingsDialog::retranslate(int flag)
{
    setWindowTitle(CompareTexts::settingsTitle(flag));
    m_verify->setText(CompareTexts::verifySetting(flag));
    m_viewportLabel->setText(CompareTexts::viewportSetting(flag));
    for (int i = 0; i < m_viewport->count(); ++i)
        m_viewport->setItemText(i, CompareTexts::viewportChoice(flag, i));
    m_viewportNote->setText(CompareTexts::viewportNote(flag));
    m_ok->setText(CompareTexts::okButton(flag));
    m_cancel->setText(CompareTexts::cancelButton(flag));
}
