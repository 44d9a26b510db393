// The main window's language, its persisted settings and the manual.

#include "mainwindow.h"

#include "about.h"
#include "coord_table.h"
#include "create.h"
#include "data_table.h"
#include "dialogseam.h"
#include "ethnertsetting.h"
#include "io_simulation.h"
#include "monitortexts.h"
#include "sensor_setting.h"
#include "serial_comm.h"
#include "settingsdialog.h"
#include "settingsstore.h"
#include "ui_mainwindow.h"
#include "vehiclefieldsdialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QToolButton>
#include <QTranslator>
#include <QUrl>

#include <algorithm>
#include <iterator>

namespace {
// The translation of the form's texts for each LanguageFlag. A further
// language is its translations/quillmark_<language>.ts and one line here.
const char *const kTranslations[] = {
    ":/translations/quillmark_zh.qm", // the form's own language, with its few texts of its own
    ":/translations/quillmark_en.qm",
};
constexpr int kFormLanguage = 0;
} // namespace

void MainWindow::LanguageToEnglish() { switchLanguage(1); }

void MainWindow::LanguageToChinese() { switchLanguage(0); }

void MainWindow::switchLanguage(int flag)
{
    LanguageFlag = flag;
    const bool english = flag == 1;
    if (english) {
        AboutBox->LanguageDisplayEnglish();
        Welcome->LanguageDisplayEnglish();
    } else {
        AboutBox->LanguageDisplayChinese();
        Welcome->LanguageDisplayChinese();
    }
    SerialDialog->retranslate(flag);
    // The link counts its languages the other way round.
    link->setLanguage(english ? 0 : 1);
    EthernetDialog->retranslate(flag);
    retranslateForm(flag);
    // The controllers' own texts, over the form's.
    sensorSetting->retranslate(flag);
    coordTable->SetHeaderLanguage(flag);
    ioSimulation->retranslate(flag);
    dataTable->retranslate(flag);
    ui->graphicsView->setLanguage(flag);
    retranslateReplay(flag);
    retranslateComparison(flag);
    m_vehicleFields->retranslate(flag);
    retranslateTeachPreview();
    showFingerprint();
    fitDockPages();
}

void MainWindow::installTranslation(int flag)
{
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator);
        delete m_translator;
        m_translator = nullptr;
    }
    if (flag < 0 || flag >= int(std::size(kTranslations)))
        return;
    // Owned by the window: a window that goes leaves no translation behind.
    m_translator = new QTranslator(this);
    if (m_translator->load(QLatin1String(kTranslations[flag])))
        QCoreApplication::installTranslator(m_translator);
}

void MainWindow::retranslateForm(int flag)
{
    installTranslation(flag);
    const QList<QComboBox *> combos = findChildren<QComboBox *>();
    QHash<const QComboBox *, QStringList> shown;
    for (const QComboBox *combo : combos)
        for (int i = 0; i < combo->count(); ++i)
            shown[combo] << combo->itemText(i);

    // Item by item (setItemText), so no list changes its count or current
    // index and no index-changed signal fires.
    ui->retranslateUi(this);

    // The lists of the connected scanner's type keep their items; in any
    // other list an item the language gives no text of its own keeps the text
    // it had (the form's language names them all).
    const QComboBox *const scannerLists[] = {ui->Para_ScanMotorSpeed, ui->Para_LaserMeasureFrq,
                                             ui->Para_LaserStopSignal};
    for (QComboBox *combo : combos) {
        const QStringList before = shown.value(combo);
        const QStringList form = m_formItemTexts.value(combo);
        const bool scannerList = std::find(std::begin(scannerLists), std::end(scannerLists), combo)
            != std::end(scannerLists);
        for (int i = 0; i < combo->count() && i < before.size(); ++i) {
            const bool unnamed = flag != kFormLanguage && i < form.size() && combo->itemText(i) == form[i];
            if ((scannerList || unnamed) && combo->itemText(i) != before[i])
                combo->setItemText(i, before[i]);
        }
    }

    // Texts the window builds itself.
    NewProjectButton->setToolTip(ui->menuNew->title());
    DirChange(m_directionReversed);
    const QString status = MonitorTexts::status(m_status, flag);
    ui->label_StatusValue->setText(status);
    ui->label_StatusValue->setToolTip(status);
    retranslateConnection(flag);
    showProjectTitle(); // the name of a project never saved
}

void MainWindow::restoreSettings()
{
    const QSettings settings = settingsStore();
    const int language = settings.value(QStringLiteral("Language")).toInt();
    restoreGeometry(settings.value(QStringLiteral("geometry")).toByteArray());
    restoreState(settings.value(QStringLiteral("windowState")).toByteArray(), 0);
    ui->splitter->restoreState(settings.value(QStringLiteral("splitterSizes")).toByteArray());
    ui->splitter_2->restoreState(settings.value(QStringLiteral("splitterSizes2")).toByteArray());
    for (QSplitter *splitter : {ui->splitter, ui->splitter_2}) {
        splitter->setChildrenCollapsible(false);
        splitter->setCollapsible(0, false);
        splitter->setCollapsible(1, false);
    }
    const int mode = settings.value(QStringLiteral("SaveDispMpde")).toInt();
    if (language == 1)
        LanguageToEnglish();
    else
        LanguageToChinese();
    if (mode == 1)
        OpenDispCloudSlot();
    else if (mode == 2)
        OpenDispLineSlot();
    else
        OpenDispGraphSlot();
    // Off unless the user turned it on: the live display as it always looked.
    ui->DispIntrusions->setChecked(settings.value(QStringLiteral("ShowIntrusions"), false).toBool());
    ui->EditionControlDock->show();
    ui->DataTableDock->hide();
    ui->SensorSettingDock->show();
}

void MainWindow::writeSettings() const
{
    QSettings settings = settingsStore();
    settings.setValue(QStringLiteral("Language"), LanguageFlag == 1 ? 1 : 0);
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.setValue(QStringLiteral("windowState"), saveState(0));
    settings.setValue(QStringLiteral("splitterSizes"), ui->splitter->saveState());
    settings.setValue(QStringLiteral("splitterSizes2"), ui->splitter_2->saveState());
    const int mode = m_link->DisplayMode;
    settings.setValue(QStringLiteral("SaveDispMpde"), mode == 1 || mode == 2 ? mode : 0);
    settings.setValue(QStringLiteral("ShowIntrusions"), ui->DispIntrusions->isChecked());
}

void MainWindow::OpenManualFile()
{
    if (LanguageFlag != 0 && LanguageFlag != 1)
        return;
    const QString name = LanguageFlag == 1 ? QStringLiteral("manual_en.pdf") : QStringLiteral("manual_cn.pdf");
    // Beside the working folder first; a program started from elsewhere finds
    // the manuals next to itself, or where the package installed them.
    const QString appDir = QCoreApplication::applicationDirPath();
    const QStringList candidates{QDir::current().absoluteFilePath(QStringLiteral("manual/") + name),
                                 QDir(appDir).absoluteFilePath(QStringLiteral("manual/") + name),
                                 QDir(appDir).absoluteFilePath(QStringLiteral("../manual/") + name),
                                 QDir(appDir).absoluteFilePath(QStringLiteral("../share/quillmark/manual/") + name)};
    for (const QString &path : candidates) {
        if (QFileInfo(path).isFile()) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::cleanPath(path)));
            return;
        }
    }
    const bool english = LanguageFlag == 1;
    DialogSeam::current()->notify(
        DialogSeam::Icon::Information, english ? QStringLiteral("Manual") : QStringLiteral("使用手册"),
        (english ? QStringLiteral("The manual %1 was not found. Looked in:\n")
                 : QStringLiteral("未找到使用手册 %1。已查找：\n"))
                .arg(name)
            + candidates.join(QLatin1Char('\n')),
        QStringLiteral("OK"));
}
