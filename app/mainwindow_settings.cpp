// The main window's language, its persisted settings and the manual.

#include "mainwindow.h"

#include "about.h"
#include "create.h"
#include "data_table.h"
#include "dialogseam.h"
#include "ethnertsetting.h"
#include "io_simulation.h"
#include "sensor_setting.h"
#include "serial_comm.h"
#include "settingsdialog.h"
#include "ui_mainwindow.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>

namespace {
const QString kOrganisation = QStringLiteral("Ostrelan");
const QString kApplication = QStringLiteral("Parameters");
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
    sensorSetting->retranslate(flag);
    ioSimulation->retranslate(flag);
    dataTable->retranslate(flag);
}

void MainWindow::restoreSettings()
{
    const QSettings settings(kOrganisation, kApplication);
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
    ui->EditionControlDock->show();
    ui->DataTableDock->hide();
    ui->SensorSettingDock->show();
}

void MainWindow::writeSettings() const
{
    QSettings settings(kOrganisation, kApplication);
    settings.setValue(QStringLiteral("Language"), LanguageFlag == 1 ? 1 : 0);
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.setValue(QStringLiteral("windowState"), saveState(0));
    settings.setValue(QStringLiteral("splitterSizes"), ui->splitter->saveState());
    settings.setValue(QStringLiteral("splitterSizes2"), ui->splitter_2->saveState());
    const int mode = m_link->DisplayMode;
    settings.setValue(QStringLiteral("SaveDispMpde"), mode == 1 || mode == 2 ? mode : 0);
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
